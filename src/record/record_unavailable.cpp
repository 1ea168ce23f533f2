// A build whose Qt has no SQL module keeps no record: every program says so
// when asked for one, and runs as with --no-record.
#include "record/record.h"
#include "base/texts.h"
#include <QStandardPaths>

namespace portiqa {

TRecord::~TRecord() = default;
bool TRecord::Late() const { return false; }

bool TRecord::Available() { return false; }

std::unique_ptr<TRecord> TRecord::Open(const QString&, QString& error) {
    error = TText::tr("эта сборка программы не ведёт журнал модулей (нет Qt SQL)");
    return {};
}

std::optional<QString> TRecord::RestoreLastGood(const QString&, QString& error) {
    error = TText::tr("эта сборка программы не ведёт журнал модулей (нет Qt SQL)");
    return std::nullopt;
}

QString TRecord::DefaultLocation() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/portiqa/record.sqlite");
}

// No record can exist in this build; the members below are never reached.
const char* TModulePages::PageAt(int32_t) const { return nullptr; }
QString TRecord::OsUser() { return {}; }
QString TRecord::Host() { return {}; }
std::optional<qint64> TRecord::TouchModule(const TModuleIdentity&, QString&) { return std::nullopt; }
bool TRecord::RenewUnits(const QString&, QString&) { return false; }
bool TRecord::NameModule(qint64, const QString&, QString&) { return false; }
std::optional<qint64> TRecord::ModuleNowHolds(qint64, const TModuleIdentity&, QString&) { return std::nullopt; }
QList<TKnownModule> TRecord::Modules(QString&) const { return {}; }
std::optional<TKnownModule> TRecord::FindModule(const QString&, QString&) const { return std::nullopt; }
std::optional<qint64> TRecord::AddSnapshot(qint64, const QString&, const TModulePages&, QString&) { return std::nullopt; }
std::optional<TSnapshot> TRecord::Snapshot(qint64, QString&) const { return std::nullopt; }
std::optional<TSnapshot> TRecord::Latest(qint64, const QString&, const QDateTime&, QString&) const { return std::nullopt; }
TModulePages TRecord::Known(qint64, QString&) const { return {}; }
std::optional<qint64> TRecord::BeginWrite(const TJournalEntry&, QString&) { return std::nullopt; }
bool TRecord::EndWrite(qint64, const QString&, const QString&, int, int, QString&) { return false; }
QList<TSnapshot> TRecord::Snapshots(qint64, int, QString&) const { return {}; }
QList<TJournalEntry> TRecord::Journal(qint64, int, QString&) const { return {}; }
int TRecord::CompleteUnfinished(qint64, QString&) { return 0; }
bool TRecord::ClaimUnit(const QString&, const QString&, const QString&, const QString&, const QString&, QString&) {
    return false;
}
bool TRecord::SetUnitState(const QString&, const QString&, const QString&, const QString&, QString&) { return false; }
bool TRecord::ReleaseUnit(const QString&, const QString&, QString&) { return false; }
QList<TUnitEntry> TRecord::Units(const QString&, QString&) const { return {}; }
QList<TUnitEntry> TRecord::TakenUnitsBesides(const QString&, QString&) const { return {}; }
bool TRecord::AdoptBatch(const QString&, const QString&, QString&) { return false; }
QList<TPerson> TRecord::People(QString&) const { return {}; }
bool TRecord::SetPerson(const QString&, const TPerson&, QString&) { return false; }
QList<TSite> TRecord::Sites(QString&) const { return {}; }
std::optional<TSite> TRecord::FindSite(const QString&, QString&) const { return std::nullopt; }
std::optional<qint64> TRecord::SetSiteList(const QString&, qint64, const QList<TSiteEntry>&, QString&, int) { return std::nullopt; }
QList<TSiteEntry> TRecord::SiteList(qint64, QString&) const { return {}; }
bool TRecord::AddSiteModule(qint64, qint64, const QStringList&, QString&) { return false; }
bool TRecord::RemoveSiteModule(qint64, qint64, QString&) { return false; }
QList<TSiteModule> TRecord::SiteModules(qint64, QString&) const { return {}; }
bool TRecord::SiteReported(qint64, int, const QString&, QString&) { return false; }
std::optional<TSiteReportMark> TRecord::LastSiteReport(qint64, const QDateTime&, QString&) const { return std::nullopt; }
bool TRecord::SetSiteModuleAddress(qint64, qint64, const QString&, QString&) { return false; }
QList<TSite> TRecord::SitesOf(qint64, QString&) const { return {}; }
bool TRecord::SiteApplied(qint64, qint64, int, const QString&, const QString&, QString&) { return false; }

} // namespace portiqa
