#pragma once
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "backup/backup_file.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "record/record.h"

namespace portiqa {

// What a command works with: its options, the connection (opened and logged
// in by Connect), and the two streams.
class TCliRun {
public:
    TCliRun(const TCliOptions& options, QTextStream& output, QTextStream& errors, bool errIsTerminal)
        : o(options), out(output), err(errors), errIsTerminal_(errIsTerminal) {}
    // Opens the port and logs in; kExitOk or the exit status to end with.
    // The session keeps what it reads and writes in the record (unless
    // --no-record).
    int Connect();
    // The session's objects without a connection (files, tables, codecs).
    TCli& Cli();
    // The record as the options name it (--record, PORTIQA_RECORD, the
    // default file); null with problem set when it cannot be used, or with
    // --no-record.
    TRecord* Record(QString& problem);
    TSession& S() { return Cli().S(); }
    IOperator& Op() { return Cli().Op(); }
    // A usage or file message before anything is opened.
    int Refuse(int code, const QString& text);
    // The output file is checked before any frame is sent: its folder takes a
    // new file with data, the target is not a folder.
    int CheckOutput(const QString& path);

    const TCliOptions& o;
    // The port Connect opens when it is not -p's (a site's module's address).
    QString port;
    QString Port() const { return port.isEmpty() ? o.port : port; }
    QTextStream& out;
    QTextStream& err;

private:
    bool errIsTerminal_;
    std::unique_ptr<TRecord> record_;  // outlives the session that uses it
    QString recordProblem_;
    bool recordOpened_ = false;
    std::unique_ptr<TCli> cli_;
};

// One function a command, each in the file of its area.
int RunLogin(TCliRun& r);
// A module command of one frame (session/module_commands.h), after the
// login; a reply of bytes is printed as hex on one line.
int SendModuleCommand(TCliRun& r, const TModuleCommand& command);
template <TModuleCommand (*Make)()> int RunModuleCommand(TCliRun& r) { return SendModuleCommand(r, Make()); }
int RunSettingsRead(TCliRun& r);
int RunSettingsSave(TCliRun& r);
int RunNumbersDownload(TCliRun& r);
int RunNumbersSave(TCliRun& r);
// A number file read before anything is sent, applied to the table later
// with the window's checks.
struct TNumbersInput {
    bool csv = false;
    QList<TCsvRow> rows;
    TWorkbook book;
};
int ReadNumbersInput(TCliRun& r, const QString& path, TNumbersInput& input);
bool ApplyNumbersInput(TSession& s, const TNumbersInput& input);
// The records and the people beside them, row for row.
void CopyNumberTable(const TStringGrid& from, TStringGrid& to);
// The table's list into the module after the save's checks: the access
// changes against before (the module's list), --dry-run, --yes.
int SaveNumbersGuarded(TCliRun& r, const class TStringGrid& before);
int RunSite(TCliRun& r);
int RunHistoryDownload(TCliRun& r);
int RunHistoryDelete(TCliRun& r);
int RunBackup(TCliRun& r);
int RunRestore(TCliRun& r);
int RunModules(TCliRun& r);
int RunLog(TCliRun& r);
int RunName(TCliRun& r);
int RunRestoreLastGood(TCliRun& r);
int RunDiff(TCliRun& r);
// "@ID" or "MODULE@DATE": the record's copy of a module's settings and
// numbers as a backup image to restore; false with rc set (and said) when
// there is none.
bool SnapshotToRestore(TCliRun& r, const QString& what, TBackupImage& image, int& rc);

// The record's commands share these: the record or the exit status to end
// with; a module by name, SIM number or id; a time as printed; JSON output.
TRecord* NeedRecord(TCliRun& r, int& rc);
std::optional<TKnownModule> NeedModule(TCliRun& r, TRecord& record, const QString& what, int& rc);
QString When(const QDateTime& t);
void PrintJson(QTextStream& out, const class QJsonObject& o);

// Data files written by the commands: the kind by the file's extension.
int WriteWorkbookFile(IOperator& op, const class TWorkbook& book, const QString& path);
int WriteLinesFile(IOperator& op, const QStringList& lines, const QString& path);

} // namespace portiqa
