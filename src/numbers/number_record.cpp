#include "numbers/number_record.h"
#include "base/errors.h"
#include "link/page_fields.h"
#include "numbers/number_table.h"
#include <algorithm>

namespace portiqa {

namespace {

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); }

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
    g.SetCells(T::kNumber, row, fields::DecodeDigits(b, 0, 22));
    if (b[22] != 0 && b[23] != 0)
        g.SetCells(T::kStartDate, row, QStringLiteral("20") + Two(b[30]) + u'-' + Two(b[22]) + u'-' + Two(b[23]));
    g.SetCells(T::kStartTime, row, Two(b[24]) + u':' + Two(b[25]));
    if (b[26] != 0 && b[27] != 0)
        g.SetCells(T::kEndDate, row, QStringLiteral("20") + Two(b[31]) + u'-' + Two(b[26]) + u'-' + Two(b[27]));
    g.SetCells(T::kEndTime, row, Two(b[28]) + u':' + Two(b[29]));
    auto clearWindow = [&] {
        for (int c = T::kStartDate; c <= T::kEndTime; ++c) g.SetCells(c, row, QString());
    };
    if (b[22] == 0xFF || g.Cells(T::kNumber, row).isEmpty()) clearWindow();
    const bool unrestricted = std::all_of(b + 22, b + 30, [](uint8_t v) { return v == kUnrestrictedMark; });
    if (unrestricted) clearWindow();
    g.SetCells(T::kUnrestricted, row, unrestricted ? T::Yes() : T::No());
    // A record as the module holds it is not marked for deletion.
    g.SetCells(T::kDelete, row, T::No());
}

void EncodeNumberRecord(const TStringGrid& g, int row, uint8_t* b) {
    using T = TNumberTable;
    if (g.Cells(T::kDelete, row) == T::Yes()) {
        std::fill(b, b + kNumberRecordSize, 0xFF);  // frees the slot
        return;
    }
    const QByteArray number = g.Cells(T::kNumber, row).toLatin1();
    std::copy(number.begin(), number.begin() + std::min<qsizetype>(22, number.size()), b);
    if (g.Cells(T::kUnrestricted, row) == T::Yes()) {
        std::fill(b + 22, b + 30, kUnrestrictedMark);
        b[30] = 0x00;
        b[31] = kUnrestrictedMark;
        return;
    }
    EncodeDate(g.Cells(T::kStartDate, row), b[22], b[23], b[30]);
    EncodeTime(g.Cells(T::kStartTime, row), b[24], b[25]);
    EncodeDate(g.Cells(T::kEndDate, row), b[26], b[27], b[31]);
    EncodeTime(g.Cells(T::kEndTime, row), b[28], b[29]);
}

void DecodeNumberPageInto(const uint8_t* page, int pageNo, TStringGrid& grid) {
    for (int i = 0; i < 8; ++i) {
        const int row = 8 * (pageNo - 1) + 1 + i;
        if (row < 1 || row > TNumberTable::kRecords) continue;
        DecodeNumberRecord(page + kNumberRecordSize * i, grid, row);
    }
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
