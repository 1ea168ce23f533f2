#pragma once
#include "base/string_grid.h"
#include <cstdint>

namespace portiqa {

// One 32-byte number record: 22 bytes of number, start month/day/hour/minute,
// end month/day/hour/minute, start year, end year (plain binary). All 0xFF is
// a free slot; eight 0x63 bytes at 22..29 mark an unrestricted number.
constexpr int kNumberRecordSize = 32;
constexpr uint8_t kUnrestrictedMark = 0x63;

// Writes record bytes into columns 1..7 of a table row: a record as the
// module holds it is not marked for deletion.
void DecodeNumberRecord(const uint8_t* record, TStringGrid& grid, int row);
// Builds the record bytes of a table row into a zeroed 32-byte area.
// Date and time parts that are not integers raise EConvertError.
void EncodeNumberRecord(const TStringGrid& grid, int row, uint8_t* record);
// The eight records of number page pageNo (1-based) into rows of the grid;
// rows past record 3000 are left out.
void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid);

// A record's bytes as the program would write the record they read as (a
// free slot is free however it is stored); the bytes themselves when they
// do not read as a record.
QByteArray CanonicalNumberRecord(const uint8_t* record);

} // namespace portiqa
