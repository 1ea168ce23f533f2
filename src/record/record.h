#pragma once
#include "base/module_identity.h"
#include "numbers/people.h"
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

namespace portiqa {

class TRecordLine;
class TRecordStore;

// A module the record knows.
struct TKnownModule {
    qint64 id = 0;
    QString key;  // "sim:79161234567", or one connection's key for a module without a SIM number
    QString sim, name, bridgeSerial;
    QDateTime firstSeen, lastSeen;
};

// The module's memory as one operation left it: each area whole or absent.
struct TModulePages {
    QByteArray settings;  // 2 pages
    QByteArray numbers;   // 375 pages
    QByteArray history;   // 500 pages
    bool Empty() const { return settings.isEmpty() && numbers.isEmpty() && history.isEmpty(); }
    // The page at a module address, when its area is held (null otherwise).
    const char* PageAt(int32_t address) const;
};

struct TSnapshot {
    qint64 id = 0;
    qint64 moduleId = 0;
    QDateTime takenAt;
    QString kind;  // read, save, backup, restore
    QStringList areas;  // settings, numbers, history: what it holds
    TModulePages pages; // loaded by Snapshot() and Latest() only
    QString program, user, host;
};

// One write into a module: what it was to change, and how it ended.
struct TJournalEntry {
    qint64 id = 0;
    qint64 moduleId = 0;
    QDateTime startedAt, finishedAt;
    QString operation;  // settings, numbers, restore
    QString intent;     // what will change, in the operator's words
    QString file, fileSha256;
    QString program, user, host;
    QString outcome, message;  // empty outcome: never ended (the program stopped)
    int pagesWritten = 0, pagesVerified = 0;
    // The pages the write meant the module to hold (WriteTarget): an entry
    // left unfinished is completed from the module's next read.
    QString target;
};

// "address:hash,…" of pages to be written (the hash's first 16 hex digits).
QString WriteTarget(const std::vector<std::pair<int32_t, QByteArray>>& pages);
// How many of a target's pages a snapshot holds as the write meant them, of
// how many; nothing when the snapshot does not show every one of them.
std::optional<std::pair<int, int>> TargetHeld(const QString& target, const TModulePages& pages);

// A provisioning unit as the record holds it: which batch (the units
// table's name), its state and the module it was bound to.
struct TUnitEntry {
    QString batch, unit;
    QString state;  // started, done, doubt (its PIN may be in a module), free
    QString port, serial, host;
    QString fingerprint;  // of what was read from the module when it took the unit
    qint64 pid = 0;
    QDateTime updatedAt;
    QString note;
};

// One number of a site's resident list: its validity window as the number
// table writes it. moduleId 0: for every module of the site; otherwise an
// addition for that module only.
struct TSiteEntry {
    QString number;
    bool unrestricted = false;
    QString startDate, startTime, endDate, endTime;
    qint64 moduleId = 0;
};

// A named group of modules (the gates of one estate) sharing one list.
struct TSite {
    qint64 id = 0;
    QString name;
    int revision = 0;  // raised by every change of the list or its modules
    QDateTime updatedAt;
    QString updatedBy;
    int numbers = 0, modules = 0;
};

// A module of a site: what it leaves out, when the site's list was last
// applied to it, and its newest copy of the number list in the record.
struct TSiteModule {
    qint64 moduleId = 0;
    QString name, sim;
    QStringList excluded;  // numbers of the site's list this module does not take
    QDateTime appliedAt;
    int appliedRevision = 0;
    QString appliedList;     // the fingerprint of the list applied (SiteListFingerprint)
    QString appliedNumbers;  // the module's number area just after it was applied, by content
    QString numbersHash;     // the newest snapshot's number area, by content
    QDateTime numbersAt;
    QString address;         // a device server's address the module is reached at, or empty
};

// A site's report as it was handed over: when, by whom, and the list it showed
// (the site's entries, one a line, as TSiteReport keeps them).
struct TSiteReportMark {
    QDateTime madeAt;
    QString madeBy;
    int revision = 0;
    QString list;
};

// What the program knows of modules, kept across runs: identity, snapshots
// of their memory after every complete read, backup, save and restore
// (identical content stored once, compressed), and a journal of every write.
// An SQLite file by default, or a PostgreSQL database a team shares; several
// programs may use one record at once.
class TRecord {
public:
    ~TRecord();
    TRecord(const TRecord&) = delete;
    TRecord& operator=(const TRecord&) = delete;

    // Opens (and creates or migrates) the record at location: empty for the
    // default file, a file path (or sqlite:///path), or postgresql://user@host/db
    // (host may be a socket folder: postgresql:///db?host=/run/postgresql).
    // Null with error set when it cannot be used.
    static std::unique_ptr<TRecord> Open(const QString& location, QString& error);
    // Puts the last good copy of a record file in its place, the damaged
    // file kept beside it under a dated name (no program may have it open).
    // What was done, or nullopt with error.
    static std::optional<QString> RestoreLastGood(const QString& location, QString& error);
    // Whether a record's failure is its file's damage (the words name the way back).
    static bool IsDamage(const QString& error) { return error.contains(QLatin1String("restore-last-good")); }
    // False in a build without Qt SQL: such a program runs as with --no-record.
    static bool Available();
    // The default file, in the user's data folder.
    static QString DefaultLocation();
    // What a --record address names; Wrong with the accepted forms in error.
    enum class TLocationKind { File, Server, Wrong };
    static TLocationKind KindOfLocation(const QString& location, QString& error);
    // Where the record is, without credentials, for messages.
    QString Where() const { return where_; }
    // What opening did to the record file that the operator should know (its
    // access narrowed, a copy of it kept); empty when nothing.
    QString Notice() const { return notice_; }
    bool Shared() const { return shared_; }
    static constexpr int kSchemaVersion = 7;

    // Every statement runs on the record's own thread. patience: how long
    // a caller waits for an answer (zero: as long as it takes). A call that
    // takes longer goes on there; it, and every call made while the record
    // is that late, return at once with error saying it does not answer,
    // and what they write is written when the record answers again (a
    // journal entry begun that way is ended as never started, a unit taken
    // that way is given back).
    void SetPatience(std::chrono::milliseconds patience) { patience_ = patience; }
    // Calls whose callers stopped waiting are still on the record's thread.
    bool Late() const;

    // The module logged in: created or its last-seen time updated.
    std::optional<qint64> TouchModule(const TModuleIdentity& module, QString& error);
    bool NameModule(qint64 id, const QString& name, QString& error);
    // The module of entry id now holds another SIM number (a save wrote it):
    // it stays the same entry under its new number. When the record already
    // knows that number, the entry to use from now on is that one; an entry
    // of a module that had no SIM number is then merged into it (its
    // snapshots and writes move). The id to use, or nullopt with error.
    std::optional<qint64> ModuleNowHolds(qint64 id, const TModuleIdentity& module, QString& error);
    QList<TKnownModule> Modules(QString& error) const;
    // A module by its name, SIM number (with or without "+") or id.
    std::optional<TKnownModule> FindModule(const QString& what, QString& error) const;

    std::optional<qint64> AddSnapshot(qint64 moduleId, const QString& kind, const TModulePages& pages, QString& error);
    std::optional<TSnapshot> Snapshot(qint64 id, QString& error) const;
    // The newest snapshot of a module holding an area ("settings",
    // "numbers", "history"), taken at or before a time (null: any).
    std::optional<TSnapshot> Latest(qint64 moduleId, const QString& area, const QDateTime& atOrBefore,
                                    QString& error) const;
    // The module's newest copy of each area, for confirming pages as they are read.
    TModulePages Known(qint64 moduleId, QString& error) const;

    std::optional<qint64> BeginWrite(const TJournalEntry& intent, QString& error);
    bool EndWrite(qint64 id, const QString& outcome, const QString& message, int written, int verified,
                  QString& error);

    // Writes of the module whose outcome was never kept (the program or the
    // record stopped) are completed from the first snapshot taken after
    // them that shows every page they meant to write: done when the module
    // holds them all, failed with the count otherwise. How many were.
    int CompleteUnfinished(qint64 moduleId, QString& error);

    // A module's snapshots (pages not loaded) and writes, newest first.
    QList<TSnapshot> Snapshots(qint64 moduleId, int limit, QString& error) const;
    QList<TJournalEntry> Journal(qint64 moduleId, int limit, QString& error) const;

    // Provisioning's units, shared by every station on the record. A unit is
    // taken by one statement: true when this program now holds it (it was
    // never taken, or released), false with error empty when another has it.
    bool ClaimUnit(const QString& batch, const QString& unit, const QString& port, const QString& serial,
                   const QString& fingerprint, QString& error);
    // Marks a unit held by this program: done, doubt, or free again.
    bool SetUnitState(const QString& batch, const QString& unit, const QString& state, const QString& note,
                      QString& error);
    // The operator gives back a unit that is started or in doubt; false
    // (error set) when it is done or unknown.
    bool ReleaseUnit(const QString& batch, const QString& unit, QString& error);
    // A running station's hold on its started units, renewed: another
    // computer counts a started unit as held while it is renewed.
    bool RenewUnits(const QString& batch, QString& error);
    QList<TUnitEntry> Units(const QString& batch, QString& error) const;
    // Units of other batches that a module took (not free), for a batch
    // whose names another table of units may use already.
    QList<TUnitEntry> TakenUnitsBesides(const QString& batch, QString& error) const;
    // The rows of batch from become batch to's, when to has none yet (a
    // batch once named by its file's path, now by its content).
    bool AdoptBatch(const QString& from, const QString& to, QString& error);

    // The directory of people, by subscriber key (see TPeople).
    QList<TPerson> People(QString& error) const;
    // Keeps a person (an empty one is forgotten); who added it and when stay
    // from the first time.
    bool SetPerson(const QString& key, const TPerson& person, QString& error);

    // Sites.
    QList<TSite> Sites(QString& error) const;
    std::optional<TSite> FindSite(const QString& name, QString& error) const;
    // Replaces the site's list (moduleId 0) or one module's additions,
    // creating the site when it is new; the site's revision is raised.
    // expectedRevision >= 0: the revision the list was taken from; a site
    // changed since is refused, naming who changed it and when.
    std::optional<qint64> SetSiteList(const QString& site, qint64 moduleId, const QList<TSiteEntry>& entries,
                                      QString& error, int expectedRevision = -1);
    // The site's list, then each module's additions, in their order.
    QList<TSiteEntry> SiteList(qint64 siteId, QString& error) const;
    // Makes a module one of the site's (or changes what it leaves out).
    bool AddSiteModule(qint64 siteId, qint64 moduleId, const QStringList& excluded, QString& error);
    bool RemoveSiteModule(qint64 siteId, qint64 moduleId, QString& error);
    QList<TSiteModule> SiteModules(qint64 siteId, QString& error) const;
    // Where a site's module is reached (socket://…, rfc2217://…; empty: by cable only).
    bool SetSiteModuleAddress(qint64 siteId, qint64 moduleId, const QString& address, QString& error);
    // A report of the site was made showing this list (at the site's revision).
    bool SiteReported(qint64 siteId, int revision, const QString& list, QString& error);
    // The newest report of the site made at or before a time; none when there is none.
    std::optional<TSiteReportMark> LastSiteReport(qint64 siteId, const QDateTime& atOrBefore, QString& error) const;
    // The sites a module belongs to.
    QList<TSite> SitesOf(qint64 moduleId, QString& error) const;
    // The site's list (at revision, with its fingerprint) was saved into
    // the module, which then held the number area numbersHash.
    bool SiteApplied(qint64 siteId, qint64 moduleId, int revision, const QString& list, const QString& numbersHash,
                     QString& error);

    // Who and where, as every snapshot and entry records it.
    static QString OsUser();
    static QString Host();

private:
    TRecord() = default;
    // Runs f(store, error) on the record's thread and waits for its
    // answer as patience allows; onLate(store, answer) runs there when the
    // caller stopped waiting before the answer came.
    template <class F, class L = std::nullptr_t>
    auto Ask(QString& error, F f, L onLate = nullptr) const;
    std::shared_ptr<TRecordLine> line_;
    std::chrono::milliseconds patience_{0};
    QString where_, notice_;
    bool shared_ = false;
};

} // namespace portiqa
