#include "numbers/number_diff.h"
#include "base/texts.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include <exception>

namespace portiqa {

namespace {

using T = TNumberTable;

bool Occupied(const TStringGrid& g, int row) {
    return !g.Cells(T::kNumber, row).isEmpty() && g.Cells(T::kDelete, row) != T::Yes();
}

// The record's bytes as the module would get them; the text when it cannot
// be encoded (the save's own checks report that).
QByteArray Stored(const TStringGrid& g, int row) {
    try {
        return TNumberRecord::FromRow(g, row).Bytes();
    } catch (const std::exception&) {
        QString all;
        for (int c = T::kNumber; c <= T::kDelete; ++c) all += g.Cells(c, row) + u'\x1f';
        return all.toUtf8();
    }
}

} // namespace

QString TNumberDiff::Counts() const {
    return TText::tr("Добавлено: %1, изменено: %2, удалено: %3, без изменений: %4")
        .arg(added).arg(changed).arg(removed).arg(unchanged);
}

QString RecordText(const TStringGrid& g, int row) {
    if (!Occupied(g, row)) return TText::tr("(нет)");
    const QString number = g.Cells(T::kNumber, row);
    if (g.Cells(T::kUnrestricted, row) == T::Yes()) return number + TText::tr(", без ограничений");
    return number + QStringLiteral(", %1 %2 – %3 %4")
                        .arg(g.Cells(T::kStartDate, row), g.Cells(T::kStartTime, row), g.Cells(T::kEndDate, row),
                             g.Cells(T::kEndTime, row));
}

TNumberDiff DiffNumberTables(const TStringGrid& before, const TStringGrid& after) {
    TNumberDiff d;
    for (int row = 1; row <= T::kRecords; ++row) {
        const bool was = Occupied(before, row), is = Occupied(after, row);
        if (!was && !is) continue;
        if (was && is && Stored(before, row) == Stored(after, row)) {
            ++d.unchanged;
            continue;
        }
        if (!was) ++d.added;
        else if (!is) ++d.removed;
        else ++d.changed;
        d.changes.append({row, RecordText(before, row), RecordText(after, row)});
    }
    return d;
}

bool KnownModuleNumbers(const TRequestSequence& seq, TStringGrid& out) {
    for (int page = 1; page <= kNumberPages; ++page) {
        const QByteArray* bytes = seq.KnownPage(NumberPageAddress(page));
        if (!bytes || bytes->size() != kPageSize) return false;
        DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(bytes->constData()), page, out);
    }
    return true;
}

} // namespace portiqa
