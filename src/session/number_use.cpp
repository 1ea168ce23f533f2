#include "session/number_use.h"
#include "base/texts.h"
#include "history/history_record.h"
#include "history/history_table.h"
#include "link/protocol.h"
#include <QSet>

namespace portiqa {

QString TNumberUse::Text(const QString& number, const TNumberCountry& country) const {
    if (!since.isValid()) return {};
    const auto it = last.constFind(SubscriberKey(number, country));
    if (it == last.cend()) return TText::tr("нет в журнале событий с %1").arg(since.toString(QStringLiteral("yyyy-MM-dd")));
    return TText::tr("последнее событие %1 (%2)").arg(it->at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), TText::tr(qPrintable(it->event)));
}

bool TNumberUse::UnusedSince(const QString& number, const TNumberCountry& country, const QDateTime& from) const {
    const auto it = last.constFind(SubscriberKey(number, country));
    return it == last.cend() || it->at < from;
}

TNumberUse NumberUseOf(const TRecord& record, qint64 moduleId, const TNumberCountry& country, QString& error, int logs) {
    TNumberUse use;
    // Newest first; a log unchanged between downloads is read once.
    QSet<QByteArray> seen;
    for (const TSnapshot& s : record.Snapshots(moduleId, 1000, error)) {
        if (!s.areas.contains(QStringLiteral("history"))) continue;
        if (seen.size() >= logs) break;
        const auto full = record.Snapshot(s.id, error);
        if (!full || full->pages.history.size() != kHistoryPages * kPageSize) continue;
        const QByteArray& area = full->pages.history;
        if (seen.contains(area)) continue;
        seen.insert(area);
        const auto* bytes = reinterpret_cast<const uint8_t*>(area.constData());
        for (int i = 0; i < THistoryTable::kRows; ++i) {
            const THistoryRecord event = THistoryRecord::FromBytes(bytes + i * kHistoryRecordSize);
            const QDateTime at = event.At();
            if (!at.isValid()) continue;
            if (!use.since.isValid() || at < use.since) use.since = at;
            if (event.phone.isEmpty()) continue;
            TNumberUse::TLast& last = use.last[SubscriberKey(event.phone, country)];
            if (!last.at.isValid() || at > last.at) last = {at, event.EventWord()};
        }
    }
    return use;
}

} // namespace portiqa
