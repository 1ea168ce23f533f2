#include "numbers/number_record.h"
#include "base/errors.h"
#include "link/page_fields.h"
#include "link/protocol.h"
#include "numbers/number_table.h"
#include <algorithm>

namespace portiqa {

namespace {

using fields::Two;
using namespace number_layout;

uint8_t Low8(int v) { return static_cast<uint8_t>(v & 0xFF); }

// Where one end of the window keeps its parts.
struct TEndPlaces {
    int month, day, year, hour, minute;
};
constexpr TEndPlaces kStart{kStartMonth, kStartDay, kStartYear, kStartHour, kStartMinute};
constexpr TEndPlaces kEnd{kEndMonth, kEndDay, kEndYear, kEndHour, kEndMinute};

// A month or day of 0 means the end has no date; the time is always shown.
TWindowEnd EndFromBytes(const uint8_t* b, const TEndPlaces& at) {
    TWindowEnd e;
    e.hasDate = b[at.month] != 0 && b[at.day] != 0;
    if (e.hasDate) {
        e.year = b[at.year];
        e.month = b[at.month];
        e.day = b[at.day];
    }
    e.hasTime = true;
    e.hour = b[at.hour];
    e.minute = b[at.minute];
    return e;
}

void EndToBytes(const TWindowEnd& e, uint8_t* b, const TEndPlaces& at) {
    b[at.year] = e.year;
    b[at.month] = e.month;
    b[at.day] = e.day;
    b[at.hour] = e.hour;
    b[at.minute] = e.minute;
}

// A date cell is read by character position (YYYY-MM-DD, the year's last
// two digits kept); a time cell as hours before the colon and the minutes
// after it.
TWindowEnd EndFromCells(const QString& date, const QString& time) {
    TWindowEnd e;
    if (!date.isEmpty()) {
        e.hasDate = true;
        e.month = Low8(StrToInt(date.mid(5, 2)));
        e.day = Low8(StrToInt(date.right(2)));
        e.year = Low8(StrToInt(date.mid(2, 2)));
    }
    if (!time.isEmpty()) {
        e.hasTime = true;
        const qsizetype colon = time.indexOf(u':');
        e.hour = Low8(StrToInt(colon < 0 ? time : time.left(colon)));
        const bool twoAfter = colon >= 0 && time.size() - colon - 1 == 2;
        e.minute = Low8(StrToInt(twoAfter ? time.right(2) : time.right(1)));
    }
    return e;
}

QString DateCell(const TWindowEnd& e) {
    if (!e.hasDate) return {};
    return QStringLiteral("20") + Two(e.year) + u'-' + Two(e.month) + u'-' + Two(e.day);
}

QString TimeCell(const TWindowEnd& e) { return e.hasTime ? Two(e.hour) + u':' + Two(e.minute) : QString(); }

} // namespace

TNumberRecord TNumberRecord::FromBytes(const uint8_t* b) {
    TNumberRecord r;
    r.number = fields::DecodeDigits(b, kNumber, kNumberWidth);
    r.unrestricted = std::all_of(b + kWindow, b + kWindowEnd, [](uint8_t v) { return v == kUnrestrictedMark; });
    // A free slot, an erased window or an unrestricted number shows no window.
    if (b[kWindow] == 0xFF || r.number.isEmpty() || r.unrestricted) return r;
    r.start = EndFromBytes(b, kStart);
    r.end = EndFromBytes(b, kEnd);
    return r;
}

void TNumberRecord::ToBytes(uint8_t* b) const {
    if (deleted) {
        std::fill(b, b + kNumberRecordSize, 0xFF);  // frees the slot
        return;
    }
    std::fill(b, b + kNumberRecordSize, 0x00);
    const QByteArray digits = number.toLatin1();
    std::copy(digits.begin(), digits.begin() + std::min<qsizetype>(kNumberWidth, digits.size()), b + kNumber);
    if (unrestricted) {
        std::fill(b + kWindow, b + kWindowEnd, kUnrestrictedMark);
        b[kStartYear] = 0x00;
        b[kEndYear] = kUnrestrictedMark;
        return;
    }
    EndToBytes(start, b, kStart);
    EndToBytes(end, b, kEnd);
}

QByteArray TNumberRecord::Bytes() const {
    QByteArray out(kNumberRecordSize, '\0');
    ToBytes(reinterpret_cast<uint8_t*>(out.data()));
    return out;
}

TNumberRecord TNumberRecord::FromRow(const TStringGrid& g, int row) {
    using T = TNumberTable;
    TNumberRecord r;
    if (g.Cells(T::kDelete, row) == T::Yes()) {
        r.deleted = true;
        return r;
    }
    r.number = g.Cells(T::kNumber, row);
    // An unrestricted row may keep a greyed window: the module gets none.
    if (g.Cells(T::kUnrestricted, row) == T::Yes()) {
        r.unrestricted = true;
        return r;
    }
    r.start = EndFromCells(g.Cells(T::kStartDate, row), g.Cells(T::kStartTime, row));
    r.end = EndFromCells(g.Cells(T::kEndDate, row), g.Cells(T::kEndTime, row));
    return r;
}

void TNumberRecord::ToRow(TStringGrid& g, int row) const {
    using T = TNumberTable;
    g.SetCells(T::kNumber, row, number);
    g.SetCells(T::kStartDate, row, DateCell(start));
    g.SetCells(T::kStartTime, row, TimeCell(start));
    g.SetCells(T::kEndDate, row, DateCell(end));
    g.SetCells(T::kEndTime, row, TimeCell(end));
    g.SetCells(T::kUnrestricted, row, unrestricted ? T::Yes() : T::No());
    g.SetCells(T::kDelete, row, deleted ? T::Yes() : T::No());
}

void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid) {
    for (int i = 0; i < 8; ++i) {
        const int row = 8 * (pageNo - 1) + 1 + i;
        if (row < 1 || row > TNumberTable::kRecords) continue;
        TNumberRecord::FromBytes(page + kNumberRecordSize * i).ToRow(grid, row);
    }
}

void EncodeNumberPageFrom(const TStringGrid& grid, int pageNo, uint8_t* page) {
    std::fill(page, page + kPageSize, 0x00);
    for (int i = 0; i < 8; ++i)
        TNumberRecord::FromRow(grid, 8 * (pageNo - 1) + 1 + i).ToBytes(page + kNumberRecordSize * i);
}

QByteArray EncodeNumberArea(const TStringGrid& grid) {
    QByteArray area(kNumberPages * kPageSize, '\0');
    for (int page = 1; page <= kNumberPages; ++page)
        EncodeNumberPageFrom(grid, page, reinterpret_cast<uint8_t*>(area.data()) + (page - 1) * kPageSize);
    return area;
}

QByteArray CanonicalNumberRecord(const uint8_t* record) { return TNumberRecord::FromBytes(record).Bytes(); }

} // namespace portiqa
