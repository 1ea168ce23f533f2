#include "numbers/number_record.h"
#include "base/errors.h"
#include "link/page_fields.h"
#include "link/protocol.h"
#include "numbers/number_table.h"
#include <algorithm>

namespace portiqa {

namespace {

using fields::Two;

uint8_t Low8(int v) { return static_cast<uint8_t>(v & 0xFF); }

void EncodeDate(const QString& t, uint8_t& month, uint8_t& day, uint8_t& year) {
    if (t.isEmpty()) return;
    month = Low8(StrToInt(t.mid(5, 2)));
    day = Low8(StrToInt(t.right(2)));
    year = Low8(StrToInt(t.mid(2, 2)));
}

void EncodeTime(const QString& t, uint8_t& hour, uint8_t& minute) {
    if (t.isEmpty()) return;
    const qsizetype colon = t.indexOf(u':');
    hour = Low8(StrToInt(colon < 0 ? t : t.left(colon)));
    const bool twoAfter = colon >= 0 && t.size() - colon - 1 == 2;
    minute = Low8(StrToInt(twoAfter ? t.right(2) : t.right(1)));
}

} // namespace

void DecodeNumberRecord(const uint8_t* b, TStringGrid& g, int row) {
    using T = TNumberTable;
    using namespace number_layout;
    g.SetCells(T::kNumber, row, fields::DecodeDigits(b, kNumber, kNumberWidth));
    if (b[kStartMonth] != 0 && b[kStartDay] != 0)
        g.SetCells(T::kStartDate, row,
                   QStringLiteral("20") + Two(b[kStartYear]) + u'-' + Two(b[kStartMonth]) + u'-' + Two(b[kStartDay]));
    g.SetCells(T::kStartTime, row, Two(b[kStartHour]) + u':' + Two(b[kStartMinute]));
    if (b[kEndMonth] != 0 && b[kEndDay] != 0)
        g.SetCells(T::kEndDate, row, QStringLiteral("20") + Two(b[kEndYear]) + u'-' + Two(b[kEndMonth]) + u'-' + Two(b[kEndDay]));
    g.SetCells(T::kEndTime, row, Two(b[kEndHour]) + u':' + Two(b[kEndMinute]));
    auto clearWindow = [&] {
        for (int c = T::kStartDate; c <= T::kEndTime; ++c) g.SetCells(c, row, QString());
    };
    if (b[kWindow] == 0xFF || g.Cells(T::kNumber, row).isEmpty()) clearWindow();
    const bool unrestricted = std::all_of(b + kWindow, b + kWindowEnd, [](uint8_t v) { return v == kUnrestrictedMark; });
    if (unrestricted) clearWindow();
    g.SetCells(T::kUnrestricted, row, unrestricted ? T::Yes() : T::No());
    // A record as the module holds it is not marked for deletion.
    g.SetCells(T::kDelete, row, T::No());
}

void EncodeNumberRecord(const TStringGrid& g, int row, uint8_t* b) {
    using T = TNumberTable;
    using namespace number_layout;
    if (g.Cells(T::kDelete, row) == T::Yes()) {
        std::fill(b, b + kNumberRecordSize, 0xFF);  // frees the slot
        return;
    }
    const QByteArray number = g.Cells(T::kNumber, row).toLatin1();
    std::copy(number.begin(), number.begin() + std::min<qsizetype>(kNumberWidth, number.size()), b + kNumber);
    if (g.Cells(T::kUnrestricted, row) == T::Yes()) {
        std::fill(b + kWindow, b + kWindowEnd, kUnrestrictedMark);
        b[kStartYear] = 0x00;
        b[kEndYear] = kUnrestrictedMark;
        return;
    }
    EncodeDate(g.Cells(T::kStartDate, row), b[kStartMonth], b[kStartDay], b[kStartYear]);
    EncodeTime(g.Cells(T::kStartTime, row), b[kStartHour], b[kStartMinute]);
    EncodeDate(g.Cells(T::kEndDate, row), b[kEndMonth], b[kEndDay], b[kEndYear]);
    EncodeTime(g.Cells(T::kEndTime, row), b[kEndHour], b[kEndMinute]);
}

void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid) {
    for (int i = 0; i < 8; ++i) {
        const int row = 8 * (pageNo - 1) + 1 + i;
        if (row < 1 || row > TNumberTable::kRecords) continue;
        DecodeNumberRecord(page + kNumberRecordSize * i, grid, row);
    }
}

void EncodeNumberPageFrom(const TStringGrid& grid, int pageNo, uint8_t* page) {
    std::fill(page, page + kPageSize, 0x00);
    for (int i = 0; i < 8; ++i) EncodeNumberRecord(grid, 8 * (pageNo - 1) + 1 + i, page + kNumberRecordSize * i);
}

QByteArray EncodeNumberArea(const TStringGrid& grid) {
    QByteArray area(kNumberPages * kPageSize, '\0');
    for (int page = 1; page <= kNumberPages; ++page)
        EncodeNumberPageFrom(grid, page, reinterpret_cast<uint8_t*>(area.data()) + (page - 1) * kPageSize);
    return area;
}

QByteArray CanonicalNumberRecord(const uint8_t* record) {
    TStringGrid scratch(TNumberTable::kCols, 2);
    uint8_t out[kNumberRecordSize] = {};
    try {
        DecodeNumberRecord(record, scratch, 1);
        EncodeNumberRecord(scratch, 1, out);
    } catch (const std::exception&) {
        return QByteArray(reinterpret_cast<const char*>(record), kNumberRecordSize);
    }
    return QByteArray(reinterpret_cast<const char*>(out), kNumberRecordSize);
}

} // namespace portiqa
