#include "numbers/number_files.h"
#include "base/texts.h"
#include "base/errors.h"
#include "files/csv.h"
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

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
            ctx_.status.ShowStatus(TText::tr("Save:%1/%2").arg(r).arg(T::kRecords));
        }
    }
    return book;
}

void TNumberFiles::ExportNumbersXls() {
    ctx_.SaveTable(QStringLiteral("telinf_R"), [this] { return NumbersWorkbook(); }, [this] { return CsvLines(); });
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

// A date cell that a spreadsheet keeps as a date and time at midnight is
// its date; a time kept with its seconds at zero is its hours and minutes.
QString DateValue(const QString& v) {
    static const QRegularExpression kMidnight(QStringLiteral("^(\\d{4}[-/.]\\d{2}[-/.]\\d{2})[ T]00:00(:00)?$"));
    const auto m = kMidnight.match(v);
    return m.hasMatch() ? m.captured(1) : v;
}
QString TimeValue(const QString& v) {
    static const QRegularExpression kZeroSeconds(QStringLiteral("^(\\d{2}:\\d{2}):00$"));
    const auto m = kZeroSeconds.match(v);
    return m.hasMatch() ? m.captured(1) : v;
}
QString CellValue(const TWorkbook& book, int row, int col) {
    const QString v = book.Value(row, col);
    if (col == 3 || col == 5) return DateValue(v);
    if (col == 4 || col == 6) return TimeValue(v);
    return v;
}

// "5, 17, 40" with at most ten serials named.
QString SerialList(const QList<int>& serials) {
    QStringList out;
    for (int i = 0; i < serials.size() && i < 10; ++i) out << QString::number(serials[i]);
    if (serials.size() > 10) out << QStringLiteral("…");
    return out.join(QStringLiteral(", "));
}

} // namespace

bool TNumberFiles::CheckAndImport(const TWorkbook& book) {
    QStringList offending;
    for (int j = 1; j <= T::kRecords; ++j) {
        const int k = j + 1;
        if (book.Text(k, 2).isEmpty()) continue;
        if (book.Text(k, 7) == T::Yes() || book.Text(k, 8) == T::Yes()) continue;
        if (!DateOk(CellValue(book, k, 3)) || !TimeOk(CellValue(book, k, 4)) || !DateOk(CellValue(book, k, 5)) ||
            !TimeOk(CellValue(book, k, 6)))
            offending << QString::number(j);
    }
    if (!offending.isEmpty()) {
        ctx_.op.ShowMessage(OffendingRowsMessage(
            TText::tr("Неправильная информация в профиле, исправьте ее и повторите импорт, ошибка:"),
            TText::tr("Серийный номер: "), offending));
        return false;
    }
    // The file's list is checked whole with the save's rules before the table
    // takes any of it: every record the save would refuse is named with its
    // reason, and the table stays as it was.
    TNumberTable incoming;
    TStringGrid& in = incoming.Grid();
    for (int j = 1; j <= T::kRecords; ++j) {
        for (int c = 1; c <= 5; ++c) in.SetCells(c, j, CellValue(book, j + 1, c + 1));
        in.SetCells(T::kUnrestricted, j, book.Text(j + 1, 7) == T::Yes() ? T::Yes() : T::No());
        // A new list carries no deletion marks from the one it replaces.
        in.SetCells(T::kDelete, j, T::No());
    }
    QStringList problems;
    int failing = 0;
    for (int j = 1; j <= T::kRecords; ++j) {
        const QString why = incoming.RecordProblem(j);
        if (why.isEmpty()) continue;
        if (++failing <= 20) problems << TText::tr("запись %1: %2").arg(j).arg(why);
    }
    if (failing > 0) {
        QString text = TText::tr("Файл не импортирован: записей с ошибками %1").arg(failing);
        if (failing > 20) text += TText::tr(" (показаны первые 20)");
        ctx_.op.ShowMessage(text + u'\r' + problems.join(u'\r'));
        return false;
    }
    TGridBatch batch(table_.Grid());
    for (int j = 1; j <= T::kRecords; ++j) {
        for (int c = 1; c < T::kCols; ++c) table_.Grid().SetCells(c, j, in.Cells(c, j));
        if (j % 30 == 0 || j == T::kRecords) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(j * 100 / T::kRecords));
            ctx_.status.ShowStatus(TText::tr("Import.xls"));
        }
    }
    return true;
}

bool TNumberFiles::ApplyWorkbook(const TWorkbook& book) {
    if (book.Text(1, 1) != QStringLiteral("№")) {
        ctx_.op.ShowMessage(TText::tr("Неправильный формат профиля настроек"));
        return false;
    }
    // More records than the module holds: nothing is taken, rather than the
    // first 3000 with the rest dropped without a word.
    for (int r = T::kRecords + 2; r <= book.RowCount(); ++r)
        for (int c = 1; c <= T::kCols; ++c)
            if (!book.Text(r, c).trimmed().isEmpty()) {
                ctx_.op.ShowMessage(TooManyRecordsText(r - 1));
                return false;
            }
    // A serial number given twice names two records for one slot.
    QHash<int, int> seen;
    QList<int> twice;
    for (int r = 2; r <= T::kRecords + 1; ++r) {
        int serial = 0;
        if (!TryStrToInt(book.Value(r, 1), serial)) continue;
        if (seen.contains(serial) && !twice.contains(serial)) twice << serial;
        seen.insert(serial, r);
    }
    if (!twice.isEmpty()) {
        ctx_.op.ShowMessage(TText::tr("Повторяющиеся серийные номера в файле: %1. Ничего не импортировано").arg(SerialList(twice)));
        return false;
    }
    return CheckAndImport(book);
}

QString TNumberFiles::TooManyRecordsText(int records) {
    return TText::tr("В файле больше 3000 записей (строка %1): GSM модуль хранит не более 3000 номеров. "
                          "Ничего не импортировано").arg(records + 1);
}

bool TNumberFiles::ApplyCsv(const QList<TCsvRow>& fileRows) {
    // A list saved as comma-separated text by a spreadsheet program from our
    // workbook starts with its header row ("№","Номер абонента",…): skip it.
    QList<TCsvRow> rows = fileRows;
    if (!rows.isEmpty() && !rows.first().fields.isEmpty()) {
        const QStringList& f = rows.first().fields;
        const QString first = f[0].trimmed();
        const QString second = f.size() > 1 ? f[1].trimmed() : QString();
        if (first == QStringLiteral("№") || first == QLatin1String("No") ||
            second == QStringLiteral("Номер абонента") || second == QLatin1String("Number"))
            rows.removeFirst();
    }
    TWorkbook book;
    QHash<int, int> seen;
    QList<int> twice;
    for (const TCsvRow& row : rows) {
        const QStringList& f = row.fields;
        int serial = 0;
        if (f.isEmpty() || !TryStrToInt(f[0].trimmed(), serial) || serial < 1 || serial > T::kRecords) {
            ctx_.op.ShowMessage(TText::tr("Неправильная строка %1: первым полем должен быть серийный номер 1-3000").arg(row.line));
            return false;
        }
        if (seen.contains(serial) && !twice.contains(serial)) twice << serial;
        seen.insert(serial, row.line);
        for (int c = 0; c < 8 && c < f.size(); ++c) book.SetText(serial + 1, c + 1, f[c]);
    }
    if (rows.size() > T::kRecords) {
        ctx_.op.ShowMessage(TooManyRecordsText(int(rows.size())));
        return false;
    }
    if (!twice.isEmpty()) {
        ctx_.op.ShowMessage(TText::tr("Повторяющиеся серийные номера в файле: %1. Ничего не импортировано").arg(SerialList(twice)));
        return false;
    }
    return CheckAndImport(book);
}

void TNumberFiles::ImportNumbersXls() {
    // One dialog for every kind the list comes in; the extension decides.
    const QString path = ctx_.op.ChooseOpenFile(ctx_.folder, kNumbersOpenFilter);
    if (path.isEmpty()) return;
    QString error;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("cvs")) {
        QList<TCsvRow> rows;
        if (!TCsv::ReadFile(path, rows, error)) return ctx_.op.ReportError(error);
        if (ApplyCsv(rows)) table_.SetOrigin(TTableOrigin::FromFile(path));
        return;
    }
    TWorkbook book;
    if (!TWorkbookIo::Read(path, book, error, T::kRecords + 1)) return ctx_.op.ReportError(error);
    if (ApplyWorkbook(book)) table_.SetOrigin(TTableOrigin::FromFile(path));
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
            ctx_.status.ShowStatus(TText::tr("Export.csv:%1/%2").arg(r - 1).arg(T::kRecords));
        }
    }
    return lines;
}

void TNumberFiles::ExportNumbersCsv() {
    // The lines are built before the dialog is shown.
    ctx_.SaveLines(QStringLiteral("telinf_CSV"), CsvLines());
}

} // namespace portiqa
