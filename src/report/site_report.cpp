#include "report/site_report.h"
#include "base/texts.h"
#include "history/history_record.h"
#include "history/history_table.h"
#include "link/protocol.h"
#include "numbers/people.h"
#include "record/site_list.h"
#include "session/number_use.h"
#include "settings/settings_block.h"
#include "settings/settings_layout.h"
#include "settings/settings_table.h"
#include <QCollator>
#include <algorithm>

namespace portiqa {

namespace {

QString Stamp(const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("—"); }

QDate DateOf(const QString& text) {
    for (const char* format : {"yyyy-MM-dd", "dd.MM.yyyy"})
        if (const QDate d = QDate::fromString(text, QLatin1String(format)); d.isValid()) return d;
    return {};
}

// The rows a manager cares about, by number: sensors' SMS texts, arming,
// who may call, the relay's time, who is told and what (never the password).
constexpr int kManagerRows[] = {5, 6, 8, 9, 10, 11, 12, 13, 14};

QString StateOf(const TSiteModuleState& st) {
    if (!st.problem.isEmpty()) return st.problem;
    if (st.current) return TText::tr("актуален");
    if (st.module.numbersHash.isEmpty()) return TText::tr("список модуля не читался");
    if (!st.module.appliedAt.isValid()) return TText::tr("отстаёт: список объекта ещё не применялся");
    return TText::tr("отстаёт: применена редакция %1 (%2)").arg(st.module.appliedRevision).arg(Stamp(st.module.appliedAt));
}

void GatherModule(const TRecord& record, const TSiteModuleState& st, const TSiteReportOptions& o, TSiteReport::TModule& m,
                  QString& error) {
    m.name = st.module.name;
    m.sim = st.module.sim;
    m.address = st.module.address;
    m.state = StateOf(st);
    m.leftOut = st.module.excluded;
    const QList<TSnapshot> newest = record.Snapshots(st.module.moduleId, 1, error);
    m.lastVisit = newest.isEmpty() ? QStringLiteral("—") : Stamp(newest.first().takenAt);
    if (const auto s = record.Latest(st.module.moduleId, QStringLiteral("settings"), o.now, error);
        s && s->pages.settings.size() == 2 * kPageSize) {
        TSettingsTable table;
        for (int page = 1; page <= 2; ++page)
            DecodeSettingsPageTo(page, reinterpret_cast<const uint8_t*>(s->pages.settings.constData()) + (page - 1) * kPageSize, table);
        for (int row : kManagerRows) {
            QString caption = TText::tr(kSettingsRows[row - 1].caption);
            caption = caption.mid(caption.indexOf(u'.') + 1);  // without its row number
            QString value = table.ShownValue(row);
            // A drop-down's choice in the reader's language.
            for (const char* item : kSettingsRows[row - 1].items)
                if (item && value == QString::fromUtf8(item)) value = TText::tr(item);
            m.settings.append({caption, value});
        }
    }
    if (const auto h = record.Latest(st.module.moduleId, QStringLiteral("history"), o.now, error);
        h && h->pages.history.size() == kHistoryPages * kPageSize) {
        QList<THistoryRecord> events;
        const auto* bytes = reinterpret_cast<const uint8_t*>(h->pages.history.constData());
        for (int i = 0; i < THistoryTable::kRows; ++i)
            if (const THistoryRecord e = THistoryRecord::FromBytes(bytes + i * kHistoryRecordSize); e.At().isValid()) events << e;
        std::stable_sort(events.begin(), events.end(), [](const THistoryRecord& a, const THistoryRecord& b) { return a.At() > b.At(); });
        for (const THistoryRecord& e : events.mid(0, o.events))
            m.events.append({Stamp(e.At()), e.EventWord(), e.phone});
    }
}

QString WindowText(const TSiteEntry& e) {
    return e.unrestricted ? TText::tr("без ограничений") : QStringLiteral("%1 %2 – %3 %4").arg(e.startDate, e.startTime, e.endDate, e.endTime);
}

// A list as the record keeps it with a report: an entry a line, its module, number and window.
QString ListText(const QList<TSiteEntry>& entries) {
    QStringList lines;
    for (const TSiteEntry& e : entries)
        lines << QStringList{QString::number(e.moduleId), e.number, e.unrestricted ? QStringLiteral("1") : QStringLiteral("0"),
                             e.startDate, e.startTime, e.endDate, e.endTime}
                     .join(u'\t');
    return lines.join(u'\n');
}

QList<TSiteEntry> ListOf(const QString& text) {
    QList<TSiteEntry> entries;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u'\t');
        if (f.size() == 7) entries << TSiteEntry{f[1], f[2] == QLatin1String("1"), f[3], f[4], f[5], f[6], f[0].toLongLong()};
    }
    return entries;
}

// Who gained, lost, or had their window changed between two lists (by subscriber and module).
QList<TSiteReport::TChange> Changes(const QList<TSiteEntry>& before, const QList<TSiteEntry>& now, const TNumberCountry& country,
                                    const TPeople& directory) {
    const auto keyed = [&](const QList<TSiteEntry>& list) {
        QMap<QString, TSiteEntry> m;
        for (const TSiteEntry& e : list) m.insert(QString::number(e.moduleId) + u'/' + SubscriberKey(e.number, country), e);
        return m;
    };
    const QMap<QString, TSiteEntry> was = keyed(before), is = keyed(now);
    QList<TSiteReport::TChange> out;
    const auto name = [&](const QString& number) {
        const portiqa::TPerson* p = directory.Find(number);
        return p ? p->name : QString();
    };
    for (auto it = was.cbegin(); it != was.cend(); ++it)
        if (!is.contains(it.key())) out << TSiteReport::TChange{TText::tr("убран"), name(it->number), it->number, WindowText(*it), {}};
    for (auto it = is.cbegin(); it != is.cend(); ++it) {
        if (!was.contains(it.key())) out << TSiteReport::TChange{TText::tr("добавлен"), name(it->number), it->number, {}, WindowText(*it)};
        else if (const QString earlier = WindowText(was[it.key()]); earlier != WindowText(*it))
            out << TSiteReport::TChange{TText::tr("окно изменено"), name(it->number), it->number, earlier, WindowText(*it)};
    }
    return out;
}

} // namespace

bool TSiteReport::Gather(const TRecord& record, const TSite& s, const TNumberCountry& country, const TSiteReportOptions& o,
                         QString& error) {
    options = o;
    site = s.name;
    revision = s.revision;
    updated = Stamp(s.updatedAt) + QStringLiteral(", ") + s.updatedBy;
    made = Stamp(o.now);
    const QList<TSiteModuleState> states = SiteStatus(record, s, country, error);
    if (!error.isEmpty()) return false;
    QHash<QString, TNumberUse::TLast> lastUse;  // by subscriber, the newest over every gate
    for (const TSiteModuleState& st : states) {
        TModule m;
        GatherModule(record, st, o, m, error);
        if (!error.isEmpty()) return false;
        modules << m;
        const TNumberUse use = NumberUseOf(record, st.module.moduleId, country, error);
        if (!error.isEmpty()) return false;
        for (auto it = use.last.cbegin(); it != use.last.cend(); ++it)
            if (!lastUse.contains(it.key()) || lastUse[it.key()].at < it.value().at) lastUse[it.key()] = it.value();
    }
    TPeople directory;
    directory.SetCountry(country);
    directory.Load(record.People(error));
    if (!error.isEmpty()) return false;
    const QList<TSiteEntry> entries = record.SiteList(s.id, error);
    if (!error.isEmpty()) return false;
    const QDate endsBy = o.now.date().addDays(o.endingDays);
    for (const TSiteEntry& e : entries) {
        TPerson p;
        p.number = e.number;
        if (const portiqa::TPerson* known = directory.Find(e.number)) {
            p.name = known->name;
            p.place = known->place;
        }
        p.window = WindowText(e);
        const QDate end = DateOf(e.endDate);
        p.endsSoon = !e.unrestricted && end.isValid() && end >= o.now.date() && end <= endsBy;
        endingSoon += p.endsSoon;
        const auto used = lastUse.constFind(SubscriberKey(e.number, country));
        p.lastUse = used == lastUse.cend() ? QStringLiteral("—") : Stamp(used->at);
        for (const TSiteModuleState& st : states)
            if (e.moduleId != 0 && st.module.moduleId == e.moduleId) p.only = st.module.name.isEmpty() ? st.module.sim : st.module.name;
        people << p;
    }
    listText = ListText(entries);
    const auto last = record.LastSiteReport(s.id, o.now, error);
    if (!error.isEmpty()) return false;
    if (!last) {
        changesSince = TText::tr("Прошлого отчёта нет: изменения с этого отчёта покажет следующий.");
    } else {
        sinceReport = true;
        changes = Changes(ListOf(last->list), entries, country, directory);
        changesSince = TText::tr("С отчёта от %1 (%2, редакция %3). Список последним менял %4 (редакция %5).")
                           .arg(Stamp(last->madeAt), last->madeBy).arg(last->revision).arg(updated).arg(revision);
    }
    // By place, then name, as people read them: "кв. 2" before "кв. 10".
    QCollator order;
    order.setNumericMode(true);
    std::stable_sort(people.begin(), people.end(), [&order](const TPerson& a, const TPerson& b) {
        if (const int c = order.compare(a.place, b.place); c != 0) return c < 0;
        if (const int c = order.compare(a.name, b.name); c != 0) return c < 0;
        return a.number < b.number;
    });
    return true;
}

} // namespace portiqa
