#pragma once
// The record's statements themselves, internal to record/: TRecord runs
// each of them on the one thread that opened the store, which is the only
// thread that may use its database connection. What each does is said in
// record.h.
#include "record/record.h"
#include <functional>

namespace portiqa {

class TRecordStore {
public:
    ~TRecordStore();
    TRecordStore(const TRecordStore&) = delete;
    TRecordStore& operator=(const TRecordStore&) = delete;

    static std::unique_ptr<TRecordStore> Open(const QString& location, QString& error);
    QString Where() const { return where_; }
    QString Notice() const { return notice_; }
    bool Shared() const { return shared_; }
    static constexpr int kSchemaVersion = TRecord::kSchemaVersion;
    static QString OsUser() { return TRecord::OsUser(); }
    static QString Host() { return TRecord::Host(); }
    static QString GoodCopyPath(const QString& file);

    // Before each call: false (error set) once the file is known damaged,
    // or when a shared record's connection is closed and will not open.
    bool Ready(QString& error);
    // After each call: a damage any statement found stops the record for
    // the rest of the run, and error says so with the way back.
    void Heed(QString& error);

    std::optional<qint64> TouchModule(const TModuleIdentity& module, QString& error);
    bool NameModule(qint64 id, const QString& name, QString& error);
    std::optional<qint64> ModuleNowHolds(qint64 id, const TModuleIdentity& module, QString& error);
    QList<TKnownModule> Modules(QString& error) const;
    std::optional<TKnownModule> FindModule(const QString& what, QString& error) const;

    std::optional<qint64> AddSnapshot(qint64 moduleId, const QString& kind, const TModulePages& pages, QString& error);
    // A test's seam: runs once a snapshot's or an intent's insert is
    // committed, before its row is read back, where a lost acknowledgement of
    // the commit strikes (the try is made again under the same client key).
    std::function<void()> afterCommit;
    std::optional<TSnapshot> Snapshot(qint64 id, QString& error) const;
    std::optional<TSnapshot> Latest(qint64 moduleId, const QString& area, const QDateTime& atOrBefore,
                                    QString& error) const;
    TModulePages Known(qint64 moduleId, QString& error) const;

    std::optional<qint64> BeginWrite(const TJournalEntry& intent, QString& error);
    bool EndWrite(qint64 id, const QString& outcome, const QString& message, int written, int verified,
                  QString& error);
    int CompleteUnfinished(qint64 moduleId, QString& error);

    QList<TSnapshot> Snapshots(qint64 moduleId, int limit, QString& error) const;
    QList<TJournalEntry> Journal(qint64 moduleId, int limit, QString& error) const;

    bool ClaimUnit(const QString& batch, const QString& unit, const QString& port, const QString& serial,
                   const QString& fingerprint, QString& error);
    bool SetUnitState(const QString& batch, const QString& unit, const QString& state, const QString& note,
                      QString& error);
    bool ReleaseUnit(const QString& batch, const QString& unit, QString& error);
    bool RenewUnits(const QString& batch, QString& error);
    QList<TUnitEntry> Units(const QString& batch, QString& error) const;
    QList<TUnitEntry> TakenUnitsBesides(const QString& batch, QString& error) const;
    bool AdoptBatch(const QString& from, const QString& to, QString& error);

    QList<TPerson> People(QString& error) const;
    bool SetPerson(const QString& key, const TPerson& person, QString& error);

    QList<TSite> Sites(QString& error) const;
    std::optional<TSite> FindSite(const QString& name, QString& error) const;
    std::optional<qint64> SetSiteList(const QString& site, qint64 moduleId, const QList<TSiteEntry>& entries,
                                      QString& error, int expectedRevision = -1);
    QList<TSiteEntry> SiteList(qint64 siteId, QString& error) const;
    bool AddSiteModule(qint64 siteId, qint64 moduleId, const QStringList& excluded, QString& error);
    bool RemoveSiteModule(qint64 siteId, qint64 moduleId, QString& error);
    QList<TSiteModule> SiteModules(qint64 siteId, QString& error) const;
    bool SiteReported(qint64 siteId, int revision, const QString& list, QString& error);
    std::optional<TSiteReportMark> LastSiteReport(qint64 siteId, const QDateTime& atOrBefore, QString& error) const;
    bool SetSiteModuleAddress(qint64 siteId, qint64 moduleId, const QString& address, QString& error);
    QList<TSite> SitesOf(qint64 moduleId, QString& error) const;
    bool SiteApplied(qint64 siteId, qint64 moduleId, int revision, const QString& list, const QString& numbersHash,
                     QString& error);

private:
    TRecordStore() = default;
    bool Prepare(QString& error);
    // Each write is tried again once on a new connection when the shared
    // server dropped the old one.
    bool Alive() const;
    template <class F>
    auto Again(F f, QString& error) -> decltype(f(error));
    std::optional<qint64> TouchModuleOnce(const TModuleIdentity& module, QString& error);
    std::optional<qint64> ModuleNowHoldsOnce(qint64 id, const TModuleIdentity& module, QString& error);
    std::optional<qint64> AddSnapshotOnce(qint64 moduleId, const QString& kind, const TModulePages& pages, const QString& key,
                                          QString& error);
    std::optional<qint64> BeginWriteOnce(const TJournalEntry& intent, const QString& key, QString& error);
    bool EndWriteOnce(qint64 id, const QString& outcome, const QString& message, int written, int verified, QString& error);
    QString connection_, where_, notice_;
    bool CheckWhole(QString& error);
    bool CheckDue() const;
    void KeepGoodCopy();
    QString GoodCopyPath() const;
    QString DamageWords() const;
    QString damage_;  // the operator's words once the file is found damaged: nothing more is done with it
    bool shared_ = false;
};

} // namespace portiqa
