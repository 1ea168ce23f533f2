#include "numbers/number_files.h"
#include "app/errors.h"
#include "files/csv.h"

namespace portiqa {

using T = TNumberTable;

TWorkbook TNumberFiles::NumbersWorkbook() {
    TWorkbook book;
    book.SetColumnWidth(1, 4);
    book.SetColumnWidth(2, 20);
    for (int c = 3; c <= 6; ++c) book.SetColumnWidth(c, 16);
    for (int r = 0; r <= T::kRecords; ++r) {
        for (int c = 0; c < T::kCols; ++c) book.SetText(r + 1, c + 1, table_.Grid().Cells(c, r));
        if (r > 0 && r % 30 == 0) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / T::kRecords));
            ctx_.status.ShowStatus(QStringLiteral("Save:%1/%2").arg(r).arg(T::kRecords));
        }
    }
    return book;
}

void TNumberFiles::ExportNumbersXls() {
    ctx_.SaveWorkbook(QStringLiteral("telinf_R"), [this] { return NumbersWorkbook(); });
    ctx_.progress.SetProgress(100);
    ctx_.status.Display().SetStatusText(QString());
}

namespace {

bool IsInt(const QString& s) {
    int v = 0;
    return TryStrToInt(s, v);
}

bool DateOk(const QString& s) { return s.size() == 10 && IsInt(s.mid(5, 2)) && IsInt(s.right(2)) && IsInt(s.mid(2, 2)); }
bool TimeOk(const QString& s) { return s.size() == 5 && IsInt(s.left(2)) && IsInt(s.right(2)); }

} // namespace

bool TNumberFiles::CheckAndImport(const TWorkbook& book) {
    QStringList offending;
    for (int j = 1; j <= T::kRecords; ++j) {
        const int k = j + 1;
        if (book.Text(k, 2).isEmpty()) continue;
        if (book.Text(k, 7) == T::Yes() || book.Text(k, 8) == T::Yes()) continue;
        if (!DateOk(book.Value(k, 3)) || !TimeOk(book.Value(k, 4)) || !DateOk(book.Value(k, 5)) ||
            !TimeOk(book.Value(k, 6)))
            offending << QString::number(j);
    }
    if (!offending.isEmpty()) {
        ctx_.op.ShowMessage(OffendingRowsMessage(
            QStringLiteral("Неправильная информация в профиле, исправьте ее и повторите импорт, ошибка:"),
            QStringLiteral("Серийный номер: "), offending));
        return false;
    }
    TGridBatch batch(table_.Grid());
    for (int j = 1; j <= T::kRecords; ++j) {
        for (int c = 1; c <= 5; ++c) table_.Grid().SetCells(c, j, book.Value(j + 1, c + 1));
        table_.Grid().SetCells(T::kUnrestricted, j, book.Text(j + 1, 7) == T::Yes() ? T::Yes() : T::No());
        if (j % 30 == 0 || j == T::kRecords) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(j * 100 / T::kRecords));
            ctx_.status.ShowStatus(QStringLiteral("Import.xls"));
        }
    }
    return true;
}

bool TNumberFiles::ApplyWorkbook(const TWorkbook& book) {
    if (book.Text(1, 1) != QStringLiteral("№")) {
        ctx_.op.ShowMessage(QStringLiteral("Неправильный формат профиля настроек"));
        return false;
    }
    return CheckAndImport(book);
}

bool TNumberFiles::ApplyCsv(const QList<QStringList>& rows) {
    TWorkbook book;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList& f = rows[i];
        int serial = 0;
        if (f.isEmpty() || !TryStrToInt(f[0], serial) || serial < 1 || serial > T::kRecords) {
            ctx_.op.ShowMessage(QStringLiteral("Неправильная строка %1: первым полем должен быть серийный номер 1-3000").arg(i + 1));
            return false;
        }
        for (int c = 0; c < 8 && c < f.size(); ++c) book.SetText(serial + 1, c + 1, f[c]);
    }
    return CheckAndImport(book);
}

void TNumberFiles::ImportNumbersXls() {
    TWorkbook book;
    if (ctx_.OpenWorkbook(book, ctx_.folder, kExcelOpenFilter)) ApplyWorkbook(book);
}

QStringList TNumberFiles::CsvLines(bool occupiedOnly) {
    QStringList lines;
    for (int r = 1; r <= T::kRecords; ++r) {
        if (occupiedOnly && table_.Grid().Cells(T::kNumber, r).isEmpty()) continue;
        QStringList fields;
        for (int c = 0; c < T::kCols; ++c) fields << table_.Grid().Cells(c, r);
        fields << QString() << QString();
        lines << TCsv::JoinLine(fields);
        if (r % 30 == 0 || r == T::kRecords) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / (T::kRecords + 1)));
            ctx_.status.ShowStatus(QStringLiteral("Export.csv:%1/%2").arg(r - 1).arg(T::kRecords));
        }
    }
    return lines;
}

void TNumberFiles::ExportNumbersCsv() {
    // The lines are built before the dialog is shown.
    ctx_.SaveLines(QStringLiteral("telinf_CSV"), CsvLines());
}

} // namespace portiqa
