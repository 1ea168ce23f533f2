#pragma once
#include "base/string_grid.h"
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace portiqa {

// One 32-byte number record: 22 bytes of number, start month/day/hour/minute,
// end month/day/hour/minute, start year, end year (plain binary). All 0xFF is
// a free slot; eight 0x63 bytes at 22..29 mark an unrestricted number.
constexpr int kNumberRecordSize = 32;
constexpr uint8_t kUnrestrictedMark = 0x63;

// Where each part of a number record lives.
namespace number_layout {
constexpr int kNumber = 0, kNumberWidth = 22;
constexpr int kStartMonth = 22, kStartDay = 23, kStartHour = 24, kStartMinute = 25;
constexpr int kEndMonth = 26, kEndDay = 27, kEndHour = 28, kEndMinute = 29;
constexpr int kStartYear = 30, kEndYear = 31;
// The validity window's month..minute bytes: all kUnrestrictedMark for an
// unrestricted number.
constexpr int kWindow = kStartMonth, kWindowEnd = kEndMinute + 1;
} // namespace number_layout

// One end of a validity window as the record holds it: a date (the year's
// last two digits, month, day) and a time. A part that is absent is held as
// zero bytes; a byte the calendar has no place for is kept as it came.
struct TWindowEnd {
    bool hasDate = false;
    uint8_t year = 0, month = 0, day = 0;
    bool hasTime = false;
    uint8_t hour = 0, minute = 0;
    bool operator==(const TWindowEnd&) const = default;
};

// A number record between the module's bytes and the table's cells: every
// record goes through it both ways, so each part is parsed in one place.
struct TNumberRecord {
    QString number;            // "+" and digits; empty in a free slot
    bool unrestricted = false;
    bool deleted = false;      // marked for deletion: saved as a free slot
    TWindowEnd start, end;     // none when unrestricted or free
    bool operator==(const TNumberRecord&) const = default;

    // Never fails: bytes that are not digits end the number.
    static TNumberRecord FromBytes(const uint8_t* bytes);
    // All 32 bytes as a save writes them.
    void ToBytes(uint8_t* bytes) const;
    QByteArray Bytes() const;

    // Columns 1..7 of a table row. A date or time part that is not an
    // integer raises EConvertError (the table's check reports it first).
    static TNumberRecord FromRow(const TStringGrid& grid, int row);
    // Writes columns 1..7 whole, so nothing of what the row held stays.
    void ToRow(TStringGrid& grid, int row) const;
};

// The eight records of number page pageNo (1-based) into rows of the grid;
// rows past record 3000 are left out.
void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid);

// The eight records of page pageNo as a save writes them.
void EncodeNumberPageFrom(const TStringGrid& grid, int pageNo, uint8_t* page);
// The whole number area (375 pages) a save of the grid writes.
QByteArray EncodeNumberArea(const TStringGrid& grid);

// A record's bytes as the program would write the record they read as (a
// free slot is free however it is stored).
QByteArray CanonicalNumberRecord(const uint8_t* record);

} // namespace portiqa
