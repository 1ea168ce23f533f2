#pragma once
#include "numbers/subscriber.h"
#include "record/record.h"
#include <QDateTime>
#include <QHash>

namespace portiqa {

// When each subscriber last appears in a module's event log, from every
// history download the record keeps of that module (the newest logs first).
struct TNumberUse {
    struct TLast {
        QDateTime at;
        QString event;
    };
    QHash<QString, TLast> last;  // by SubscriberKey
    QDateTime since;             // the oldest event the kept logs hold; invalid: no log kept
    // "последнее событие 2026-03-01 12:00:00 (Звонок)", "нет в журнале событий с 2025-01-01", or
    // empty when no log is kept.
    QString Text(const QString& number, const TNumberCountry& country) const;
    // Whether the number has no event at or after from.
    bool UnusedSince(const QString& number, const TNumberCountry& country, const QDateTime& from) const;
};

// logs: how many of the module's newest history copies are read.
TNumberUse NumberUseOf(const TRecord& record, qint64 moduleId, const TNumberCountry& country, QString& error, int logs = 20);

} // namespace portiqa
