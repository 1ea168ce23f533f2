#pragma once
#include "base/string_grid.h"
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

// Writes record bytes into columns 1..7 of a table row: a record as the
// module holds it is not marked for deletion.
void DecodeNumberRecord(const uint8_t* record, TStringGrid& grid, int row);
// Builds the record bytes of a table row into a zeroed 32-byte area.
// Date and time parts that are not integers raise EConvertError.
void EncodeNumberRecord(const TStringGrid& grid, int row, uint8_t* record);
// The eight records of number page pageNo (1-based) into rows of the grid;
// rows past record 3000 are left out.
void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid);

// The eight records of page pageNo as a save writes them.
void EncodeNumberPageFrom(const TStringGrid& grid, int pageNo, uint8_t* page);
// The whole number area (375 pages) a save of the grid writes.
QByteArray EncodeNumberArea(const TStringGrid& grid);

// A record's bytes as the program would write the record they read as (a
// free slot is free however it is stored); the bytes themselves when they
// do not read as a record.
QByteArray CanonicalNumberRecord(const uint8_t* record);

} // namespace portiqa
