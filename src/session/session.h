#pragma once
#include "base/module_identity.h"
#include "base/operator.h"
#include "base/outcome.h"
#include "base/status_report.h"
#include "base/timer.h"
#include "backup/module_backup.h"
#include "history/history_files.h"
#include "history/history_block.h"
#include "history/history_table.h"
#include "session/password_check.h"
#include "link/frame_assembler.h"
#include "link/receiver.h"
#include "link/request.h"
#include "numbers/number_files.h"
#include "numbers/number_table.h"
#include "numbers/number_block.h"
#include "record/record.h"
#include "settings/settings_block.h"
#include "settings/settings_profile.h"
#include "settings/settings_table.h"
#include <optional>

namespace portiqa {

// Owns every long-lived object of a run, created once in start-up order and
// handed out by reference: the window and the command line are front ends
// over one of these.
class TSession {
public:
    TSession(ISerialPort& port, IStatusDisplay& display, IOperator& op, ITimer& replyTimer, ITimer& statusTimer,
             const QString& configFolder = QString());

    // The port's receive event.
    void OnBytes(const uint8_t* buffer, int length) { receiver.OnBytes(buffer, length); }

    // The end of every operation, one report each: the one place a front end
    // learns how what it started ended. The blocks' own end hooks feed it.
    std::function<void(const TOutcome&)> OnFinished;

    // A port was opened or closed: the module on it is a new one until a
    // login proves otherwise. The login and the module are forgotten; the
    // tables keep their content and where it came from.
    void NewConnection(const QString& port = QString(), const QString& bridgeSerial = QString(), uint32_t baud = 115200);
    // The module logged in on this connection (none before a login).
    bool LoggedIn() const { return module_.has_value(); }
    const std::optional<TModuleIdentity>& Module() const { return module_; }
    // Raised when the module becomes known or is forgotten.
    std::function<void()> OnModuleChanged;

    // The operations every front end starts (session_operations.cpp). Each
    // ends in one OnFinished, a refusal before anything is sent too (a rule
    // broken, a question declined); one started while a reply is owed is
    // refused with a message and ends nothing (the running one's end is
    // still to come).
    //
    // The login: the typed password is taken when the module's page arrives
    // (the window's password box as it stands then).
    void Login(std::function<QString()> typedPassword);
    void Login(const QString& pin) { Login([pin] { return pin; }); }
    // What a read asks first: whether the module's content may replace the
    // table's (First); nothing, the front end has asked (Asked: its closing
    // message still shows); nothing at all (Quietly: after a login, a restore
    // or for a check of the front end's own, progress only).
    enum class TAsk { First, Asked, Quietly };
    void ReadSettings(TAsk ask = TAsk::First);
    void DownloadNumbers(TAsk ask = TAsk::First);
    void DownloadHistory();
    void DeleteHistory();  // after a warning
    // A module command of one frame (session/module_commands.h); onBytes
    // takes a reply of bytes. One that changes the module is a write: kept
    // in the journal first, refused on a read-only visit. False when refused
    // at once (the line is busy: the operator is told).
    bool Send(const TModuleCommand& command, TReplyHandler onBytes = {});
    // The module's whole memory into a backup file.
    void Backup(const QString& path, const QString& port);
    // Ends the running operation (it ends Cancelled).
    void Cancel();
    // A reply is owed: an operation runs.
    bool Busy() const;
    // Raised when Busy() changes.
    std::function<void(bool busy)> OnBusyChanged;
    // A save reads the written pages back and compares them (on by default).
    void SetVerifyAfterSave(bool on);
    // A page as the module was last known to hold it on this connection; null when unknown.
    const QByteArray* KnownPage(int32_t address) const;
    // The module's settings as last known on this connection, decoded into
    // out; false when they are not known.
    bool KnownSettings(TSettingsTable& out) const;
    // What a save of the tables would write: the two settings pages, and
    // every number page (a record's journal compares them with its copies).
    QByteArray SettingsPagesOfTable() const;
    // A snapshot's pages into the tables, as the module from holds them:
    // edits not saved yet are replaced only after the operator's yes. The
    // areas loaded, in the operator's words; empty when none was (or the
    // operator declined).
    QStringList LoadSnapshot(const TSnapshot& snapshot, const TModuleIdentity& from);
    QByteArray NumberPagesOfTable() const;

    // The writes into the module, for every front end: each needs a login on
    // this connection, and what was read from another module is written only
    // when the operator confirms it (Cancel by default; --clone on the
    // command line).
    // replaceIdentity: a table from a file or another module writes its
    // password and SIM number too (otherwise offered apart, kept by default).
    void SaveSettings(bool replaceIdentity = false);
    void SaveNumbers();
    // file: where the backup came from (kept in the journal).
    void Restore(const TBackupImage& image, TModuleBackup::TRestoreOptions options, const QString& file = QString());

    // The record every read and write is kept in. Null with no problem: none
    // is kept (downloads then read every page twice); null with a problem:
    // one was wanted and cannot be used (reads go on with a warning, writes
    // are refused before their first frame).
    // confirmReads: a page read once is taken only when it equals the
    // record's copy (else read twice); off, every page is read once as a
    // bare session reads (a production line's factory-new modules).
    void UseRecord(TRecord* record, const QString& problem = QString(), bool confirmReads = true);
    // The directory read again from the record (another program may have
    // named people meanwhile): names newly known appear where the table
    // shows none; words already shown stay.
    void RefreshPeople();
    // A read-only visit: every write (a page, a command that changes the
    // module) is refused before its first frame, with the reason.
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return readOnly_; }
    TRecord* Record() const { return record_; }
    // The logged-in module's entry in the record.
    std::optional<qint64> ModuleId() const { return moduleId_; }

    // The tables the front ends show and edit, their file exchanges, and the
    // status line.
    TSettingsTable& Settings() { return settingsTable; }
    const TSettingsTable& Settings() const { return settingsTable; }
    TNumberTable& Numbers() { return numberTable; }
    const TNumberTable& Numbers() const { return numberTable; }
    THistoryTable& History() { return historyTable; }
    const THistoryTable& History() const { return historyTable; }
    TSettingsProfile& Profile() { return profile; }
    TNumberFiles& NumberFiles() { return numberFiles; }
    THistoryFiles& HistoryFiles() { return historyFiles; }
    TStatusControl& Status() { return status; }
    // Settings page 1 as the last login read it, and the module's password in it.
    const QByteArray& LoginPage() const { return password.ModulePage; }
    const QString& ModulePassword() const { return password.ModulePassword; }
    // After a login's check: the front end's controls on (the password
    // matched) or off, before the outcome is raised.
    void SetLoginControls(std::function<void(bool on)> hook) { password.SetControlsEnabled = std::move(hook); }
    // What the last backup (or its dry run) found, in lines.
    const QString& BackupSummary() const { return backup.Summary; }
    // Who the session asks and tells: for a front end's own questions about the tables.
    IOperator& Operator() { return op; }
    // The port is gone: a transfer under way ends with one report; true when one did.
    bool LoseLink(const QString& why = {}) { return receiver.LoseLinkFor(why); }

protected:
    // The session's parts, in start-up order; front ends reach them only
    // through the operations and accessors above (a test's subclass may
    // open them to drive one part directly).
    IOperator& op;
    TStatusControl status;
    TProgressControl progress;
    TRequestSequence seq;
    TPageTransfer pageTransfer;  // the one page chain: settings, numbers, history, backup, restore
    TFrameAssembler frameAssembler;
    TValidReply validReply;
    TSettingsTable settingsTable;
    TNumberTable numberTable;
    THistoryTable historyTable;
    TNumberBlock numberBlock;
    TSingleCommand historyDelete;
    THistoryBlock historyBlock;
    TSettingsBlock settingsBlock;
    TPasswordCheck password;
    TReceiver receiver;
    QString configFolder;
    TSettingsProfile profile;
    TNumberFiles numberFiles;
    THistoryFiles historyFiles;
    TModuleBackup backup;

private:
    TOperation Running() const;
    void Finish(TOperation operation, TOutcome::TKind kind, const QString& message = QString());
    void ForgetModule();
    // The module logged in, or what is known of the one on the line.
    TModuleIdentity Current() const;
    // The module after a login or a settings transfer (its SIM number may
    // have changed); the table's content is now the module's.
    void LoggedInTo(const QByteArray& settingsPage1);
    // Empty when a write may go to the module; otherwise the outcome to end with.
    std::optional<TOutcome::TKind> RefuseWrite(const TModuleIdentity& source, bool fromModule, const QString& question);
    // A table's save: the line free and the table's origin cleared for this
    // module first; true when it may start (else it has ended, or ended nothing while busy).
    bool MaySaveTable(const TTableOrigin& origin, TOperation operation, const QString& question);

    // The record: session_record.cpp.
    void RecordLogin();
    // A save wrote another SIM number into the module: its record entry follows.
    void RecordNewSimNumber();
    // The module's record entry, made now for a module without a SIM number.
    bool EnsureModuleEntry(QString& error);
    // target: the pages the write means the module to hold (WriteTarget).
    bool RecordIntent(TOperation operation, const QString& intent, const QString& target = QString());
    void RecordOutcome(TOutcome& outcome);
    void RecordWarning(const QString& why);
    QByteArray KnownArea(int32_t first, int pages) const;

    TRecord* record_ = nullptr;
    bool recordWanted_ = false;
    QString recordProblem_;
    bool recordWarned_ = false;
    QString failureWords_;        // what the link last told (a failure, a command's answer), for the outcome
    int finishedTransfers_ = 0;   // the sequence's transfer count at the last outcome
    bool recordRefused_ = false;  // the last write stopped for want of its journal entry
    QString recordRefusal_;       // and the words it was stopped with
    bool readOnly_ = false;
    bool readOnlyRefused_ = false;  // the last write stopped by a read-only visit
    void GuardWrites();
    bool MayChangeModule(const QString& change);
    void WireOutcomes();
    std::optional<qint64> moduleId_;
    // The record entry of the module without a SIM number logged in on a
    // connection (the connection, the entry).
    std::optional<std::pair<int, qint64>> unidentified_;
    TModulePages known_;  // the module's last verified copy, for confirming pages read once
    std::optional<qint64> journalId_;
    QString writeFile_;
    std::optional<TModuleIdentity> module_;
    int connection_ = 0;
    QString port_, bridgeSerial_;
};

} // namespace portiqa
