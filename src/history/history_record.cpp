#include "history/history_record.h"
#include "base/texts.h"
#include "history/history_table.h"
#include "link/page_fields.h"

namespace portiqa {

namespace {

using fields::Two;

QString SourceText(uint8_t code) {
    switch (code) {
    case 0: return QStringLiteral(QT_TRANSLATE_NOOP("TText", "COM Port"));
    case 1: return QStringLiteral("SMS");
    case 2: return QStringLiteral("GPRS");
    case 3: return QStringLiteral(QT_TRANSLATE_NOOP("TText", "Telephone"));
    default: return {};
    }
}

QString EventText(uint8_t code) {
    static const char* const kEvents[] = {
        QT_TRANSLATE_NOOP("TText", "Add number"), QT_TRANSLATE_NOOP("TText", "Delete Number"),
        QT_TRANSLATE_NOOP("TText", "Relay ON"),   QT_TRANSLATE_NOOP("TText", "Relay OFF"),
        QT_TRANSLATE_NOOP("TText", "DIN1 Alarm"), QT_TRANSLATE_NOOP("TText", "DIN2 Alarm"),
        QT_TRANSLATE_NOOP("TText", "Power failure"), QT_TRANSLATE_NOOP("TText", "Arm"),
        QT_TRANSLATE_NOOP("TText", "Disarm"),     QT_TRANSLATE_NOOP("TText", "Power recovery")};
    return code < 10 ? QString::fromLatin1(kEvents[code]) : QString();
}

} // namespace

QStringList HistoryWords(int column) {
    QStringList words;
    if (column == THistoryTable::kSource)
        words << QStringLiteral("DIN1") << QStringLiteral("DIN2") << QStringLiteral(QT_TRANSLATE_NOOP("TText", "Power supply"));
    for (uint8_t code = 0; code < 10; ++code) words << (column == THistoryTable::kSource ? SourceText(code) : EventText(code));
    words.removeAll(QString());
    return words;
}

THistoryRecord THistoryRecord::FromBytes(const uint8_t* b) {
    using namespace history_layout;
    THistoryRecord r;
    if (b[kYear] == 0) return r;  // year 0: an empty slot
    r.empty = false;
    // The record number is little-endian, taken as a signed 32-bit value;
    // four 0xFF bytes are none.
    const uint8_t* n4 = b + kRecordNo;
    if (!(n4[0] == 0xFF && n4[1] == 0xFF && n4[2] == 0xFF && n4[3] == 0xFF))
        r.recordNo = static_cast<int32_t>(uint32_t(n4[0]) | uint32_t(n4[1]) << 8 | uint32_t(n4[2]) << 16 |
                                          uint32_t(n4[3]) << 24);
    r.hasDate = b[kYear] != 0xFF && b[kMonth] != 0xFF && b[kDay] != 0xFF;
    if (r.hasDate) {
        r.year = b[kYear];
        r.month = b[kMonth];
        r.day = b[kDay];
    }
    r.hasTime = b[kHour] != 0xFF && b[kMinute] != 0xFF && b[kSecond] != 0xFF;
    if (r.hasTime) {
        r.hour = b[kHour];
        r.minute = b[kMinute];
        r.second = b[kSecond];
    }
    r.source = b[kSource];
    r.event = b[kEvent];
    r.phone = fields::DecodeDigits(b, kPhone, kPhoneWidth);
    int n = 0;
    while (n < kTextWidth && b[kText + n] != 0) ++n;
    r.text = fields::FromCp1251(QByteArray(reinterpret_cast<const char*>(b + kText), n));
    return r;
}

QDateTime THistoryRecord::At() const {
    // The module keeps years 2000-2099.
    if (empty || !hasDate || !hasTime || year > 99) return {};
    const QDate date(2000 + year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}

QString THistoryRecord::SourceWord() const {
    switch (event) {
    case 4: return QStringLiteral("DIN1");
    case 5: return QStringLiteral("DIN2");
    case 6: case 9: return QStringLiteral(QT_TRANSLATE_NOOP("TText", "Power supply"));
    default: return SourceText(source);
    }
}

QString THistoryRecord::EventWord() const { return EventText(event); }

void THistoryRecord::ToRow(TStringGrid& g, int row) const {
    using T = THistoryTable;
    if (empty) {
        for (int c = T::kRecordNo; c <= T::kText; ++c) g.SetCells(c, row, QString());
        return;
    }
    g.SetCells(T::kRecordNo, row, recordNo ? QString::number(*recordNo) : QString());
    g.SetCells(T::kDate, row, hasDate ? QStringLiteral("20") + Two(year) + u'-' + Two(month) + u'-' + Two(day) : QString());
    g.SetCells(T::kTime, row, hasTime ? Two(hour) + u':' + Two(minute) + u':' + Two(second) : QString());
    g.SetCells(T::kSource, row, SourceWord());
    g.SetCells(T::kEvent, row, EventWord());
    g.SetCells(T::kPhone, row, phone);
    g.SetCells(T::kText, row, text);
}

} // namespace portiqa
