#include "record/site_list.h"
#include "base/texts.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include <QCryptographicHash>
#include <QHash>
#include <QSet>

namespace portiqa {

using T = TNumberTable;

bool SiteListInto(const QList<TSiteEntry>& entries, const TSiteModule& module, const TNumberCountry& country,
                  TStringGrid& grid, QString& error) {
    // A number the module leaves out is one subscriber with the list's own
    // spelling of it, in the country given or the one the list's numbers say.
    QStringList listed;
    for (const TSiteEntry& e : entries) listed << e.number;
    const TNumberCountry listCountry = TNumberCountry::OfNumbers(listed);
    QSet<QString> leftOut;
    for (const QString& n : module.excluded)
        for (const QString& k : SubscriberKeys(n, country, listCountry)) leftOut.insert(k);
    const auto excluded = [&](const QString& number) {
        for (const QString& k : SubscriberKeys(number, country, listCountry))
            if (leftOut.contains(k)) return true;
        return false;
    };
    QList<const TSiteEntry*> mine;
    for (const TSiteEntry& e : entries)
        if ((e.moduleId == 0 || e.moduleId == module.moduleId) && !excluded(e.number)) mine << &e;
    if (mine.size() > T::kRecords) {
        error = TText::tr("список объекта для модуля %1: %2 номеров, GSM модуль хранит не более %3")
                    .arg(module.name.isEmpty() ? module.sim : module.name)
                    .arg(mine.size())
                    .arg(T::kRecords);
        return false;
    }
    TGridBatch batch(grid);
    for (int r = 1; r <= T::kRecords; ++r) {
        const TSiteEntry* e = r <= mine.size() ? mine[r - 1] : nullptr;
        grid.SetCells(T::kSerial, r, QString::number(r));
        grid.SetCells(T::kNumber, r, e ? e->number : QString());
        grid.SetCells(T::kStartDate, r, e ? e->startDate : QString());
        grid.SetCells(T::kStartTime, r, e ? e->startTime : QString());
        grid.SetCells(T::kEndDate, r, e ? e->endDate : QString());
        grid.SetCells(T::kEndTime, r, e ? e->endTime : QString());
        grid.SetCells(T::kUnrestricted, r, e && e->unrestricted ? T::Yes() : T::No());
        grid.SetCells(T::kDelete, r, T::No());
    }
    return true;
}

QList<TSiteEntry> SiteEntriesOf(const TStringGrid& g, qint64 moduleId) {
    QList<TSiteEntry> out;
    for (int r = 1; r <= T::kRecords && r < g.RowCount(); ++r) {
        if (g.Cells(T::kNumber, r).isEmpty() || g.Cells(T::kDelete, r) == T::Yes()) continue;
        TSiteEntry e;
        e.number = g.Cells(T::kNumber, r);
        e.unrestricted = g.Cells(T::kUnrestricted, r) == T::Yes();
        e.startDate = g.Cells(T::kStartDate, r);
        e.startTime = g.Cells(T::kStartTime, r);
        e.endDate = g.Cells(T::kEndDate, r);
        e.endTime = g.Cells(T::kEndTime, r);
        e.moduleId = moduleId;
        out << e;
    }
    return out;
}

QString SiteListFingerprint(const TStringGrid& grid) {
    return QString::fromLatin1(QCryptographicHash::hash(EncodeNumberArea(grid), QCryptographicHash::Sha256).toHex());
}

QList<TSiteModuleState> SiteStatus(const TRecord& record, const TSite& site, const TNumberCountry& country,
                                   QString& error) {
    QList<TSiteModuleState> out;
    const QList<TSiteEntry> entries = record.SiteList(site.id, error);
    if (!error.isEmpty()) return out;
    const QList<TSiteModule> modules = record.SiteModules(site.id, error);
    if (!error.isEmpty()) return out;
    // Modules that take the same list share its encoding.
    QHash<QString, std::pair<QString, QString>> hashOf;  // what the module leaves out and adds: the list's hash, or why none
    bool anyAdditions = false;
    for (const TSiteEntry& e : entries) anyAdditions = anyAdditions || e.moduleId != 0;
    TStringGrid grid(T::kCols, T::kRecords + 1);
    for (const TSiteModule& m : modules) {
        TSiteModuleState s{m, false, QString(), QString()};
        const QString shape = m.excluded.join(u' ') + u'|' + (anyAdditions ? QString::number(m.moduleId) : QString());
        auto it = hashOf.find(shape);
        if (it == hashOf.end()) {
            QString why;
            const QString hash = SiteListInto(entries, m, country, grid, why) ? SiteListFingerprint(grid) : QString();
            it = hashOf.insert(shape, {hash, why});
        }
        s.problem = it->second;
        s.fingerprint = it->first;
        s.current = !s.fingerprint.isEmpty() && s.fingerprint == m.appliedList && !m.numbersHash.isEmpty() &&
                    m.numbersHash == m.appliedNumbers;
        out << s;
    }
    return out;
}

} // namespace portiqa
