#pragma once
#include "base/string_grid.h"
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace portiqa {

constexpr int kHistoryRecordSize = 128;
// Where each part of a history record lives.
namespace history_layout {
constexpr int kRecordNo = 0;  // 4 bytes, little-endian, signed
constexpr int kYear = 4, kMonth = 5, kDay = 6, kHour = 7, kMinute = 8, kSecond = 9;
constexpr int kSource = 10, kEvent = 11;
constexpr int kPhone = 12, kPhoneWidth = 22;
constexpr int kText = 34, kTextWidth = 41;  // ended by 0x00 when shorter
} // namespace history_layout

// One 128-byte history record as typed values. A year byte of 0 marks an
// empty slot; an erased part (0xFF) is absent.
struct THistoryRecord {
    bool empty = true;
    std::optional<int32_t> recordNo;
    bool hasDate = false;
    uint8_t year = 0, month = 0, day = 0;  // the year's last two digits
    bool hasTime = false;
    uint8_t hour = 0, minute = 0, second = 0;
    uint8_t source = 0, event = 0;          // the module's codes
    QString phone, text;

    static THistoryRecord FromBytes(const uint8_t* bytes);
    // When the event happened; invalid when the record holds no real date
    // and time.
    QDateTime At() const;
    // The words the table shows (untranslated): an alarm or power event
    // names its own source.
    QString SourceWord() const;
    QString EventWord() const;
    // Columns 1..7 of a table row, written whole.
    void ToRow(TStringGrid& grid, int row) const;
};

// Every word a record's source column (THistoryTable::kSource) or event column
// (kEvent) can hold, as stored.
QStringList HistoryWords(int column);

} // namespace portiqa
