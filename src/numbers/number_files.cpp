#include "numbers/number_files.h"
#include "base/texts.h"
#include "base/errors.h"
#include "files/csv.h"
#include "numbers/number_cells.h"
#include <QDateTime>
#include <QScopeGuard>
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
    book.SetColumnWidth(T::kName + 1, 24);
    book.SetColumnWidth(T::kPlace + 1, 12);
    book.SetColumnWidth(T::kNote + 1, 30);
    for (int r = 0; r <= T::kRecords; ++r) {
        for (int c = 0; c < T::kAllCols; ++c) book.SetText(r + 1, c + 1, table_.Grid().Cells(c, r));
        if (r > 0 && r % 30 == 0) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / T::kRecords));
            ctx_.status.ShowStatus(TText::tr("Save:%1/%2").arg(r).arg(T::kRecords));
        }
    }
    return book;
}

void TNumberFiles::ExportNumbersXls() {
    const bool saved = ctx_.SaveTable(QStringLiteral("telinf_R"), [this] { return NumbersWorkbook(); },
                                      [this](TCsvForm form) { return CsvLines(form); }, [this] { return Records(); });
    ctx_.progress.SetProgress(100);
    // The count of the export stays on show until it is written over; the
    // building's "Save:" count goes when nothing was written.
    if (!saved) ctx_.status.Display().SetStatusText(QString());
}

namespace {

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
    namespace cells = number_cells;
    // Whether "03/04/2026" puts the day or the month first is one question
    // for the whole file, answered by its other dates.
    QStringList dateCells;
    for (int k = 2; k <= T::kRecords + 1; ++k) dateCells << CellValue(book, k, 3) << CellValue(book, k, 5);
    const cells::TSlashOrder order = cells::SlashOrderOf(dateCells);
    // The file's list is read into the table's forms and checked whole with
    // the save's rules before the table takes any of it: every record the
    // save would refuse is named with its column and reason, and the table
    // stays as it was.
    TNumberTable incoming;
    TStringGrid& in = incoming.Grid();
    QStringList problems;
    int failing = 0, plusAdded = 0, records = 0;
    QHash<QString, int> numbers;  // a number, to the record that has it
    static const char* const kColumn[] = {QT_TRANSLATE_NOOP("TText", "дата начала"), QT_TRANSLATE_NOOP("TText", "время начала"),
                                          QT_TRANSLATE_NOOP("TText", "дата окончания"), QT_TRANSLATE_NOOP("TText", "время окончания")};
    for (int j = 1; j <= T::kRecords; ++j) {
        const int k = j + 1;
        QString why;
        bool added = false;
        const QString number = cells::Number(CellValue(book, k, 2), added);
        in.SetCells(T::kNumber, j, number);
        const std::optional<bool> unrestricted = cells::Flag(book.Text(k, 7));
        in.SetCells(T::kUnrestricted, j, unrestricted.value_or(false) ? T::Yes() : T::No());
        // A new list carries no deletion marks from the one it replaces.
        in.SetCells(T::kDelete, j, T::No());
        const bool used = !number.trimmed().isEmpty();
        for (int c = T::kStartDate; c <= T::kEndTime; ++c) {
            const QString raw = CellValue(book, k, c + 1);
            QString cellProblem;
            const bool isDate = c == T::kStartDate || c == T::kEndDate;
            const QString value = raw.trimmed().isEmpty() ? QString()
                                  : isDate               ? cells::Date(raw, order, cellProblem)
                                                         : cells::Time(raw, cellProblem);
            in.SetCells(c, j, cellProblem.isEmpty() ? value : raw);
            if (used && unrestricted == false && why.isEmpty() && !cellProblem.isEmpty())
                why = TText::tr(kColumn[c - T::kStartDate]) + u' ' + cellProblem;
        }
        // The person beside the number, in the columns after the record's.
        for (int c = T::kName; c <= T::kNote; ++c)
            in.SetCells(c, j, used ? TPeople::Clean(book.Text(k, c + 1), c == T::kName ? TPeople::kNameWidth
                                                                    : c == T::kPlace ? TPeople::kPlaceWidth
                                                                                     : TPeople::kNoteWidth)
                                   : QString());
        if (!used) continue;
        ++records;
        plusAdded += added;
        if (!unrestricted)
            why = TText::tr("«Без ограничений»: «%1» — ни да, ни нет (Да/Нет, Yes/No, 1/0)").arg(book.Text(k, 7).left(20));
        if (why.isEmpty()) why = incoming.RecordProblem(j);
        if (why.isEmpty() && !*unrestricted) {
            const QDateTime from(*T::ParseDate(in.Cells(T::kStartDate, j)), *T::ParseTime(in.Cells(T::kStartTime, j)));
            const QDateTime to(*T::ParseDate(in.Cells(T::kEndDate, j)), *T::ParseTime(in.Cells(T::kEndTime, j)));
            if (to < from)
                why = TText::tr("окно кончается (%1 %2) раньше, чем начинается (%3 %4)")
                          .arg(in.Cells(T::kEndDate, j), in.Cells(T::kEndTime, j), in.Cells(T::kStartDate, j), in.Cells(T::kStartTime, j));
        }
        QString key = number.trimmed();
        if (key.startsWith(u'+')) key.remove(0, 1);
        if (why.isEmpty() && numbers.contains(key))
            why = TText::tr("номер %1 уже есть в записи %2").arg(number).arg(numbers.value(key));
        numbers.insert(key, j);
        if (why.isEmpty()) continue;
        if (++failing <= 20) problems << TText::tr("запись %1: %2").arg(j).arg(why);
    }
    if (failing > 0) {
        QString text = TText::tr("Файл не импортирован: записей с ошибками %1").arg(failing);
        if (failing > 20) text += TText::tr(" (показаны первые 20)");
        ctx_.op.ShowMessage(text + u'\r' + problems.join(u'\r'));
        return false;
    }
    QString done = TText::tr("Импортировано записей: %1").arg(records);
    if (plusAdded > 0) done += u'\r' + TText::tr("«+» добавлен к номерам из 7 и десяти цифр (таблица хранила их как числа): %1").arg(plusAdded);
    if (order == cells::TSlashOrder::DayFirst) done += u'\r' + TText::tr("даты с «/» прочитаны как ДД/ММ/ГГГГ");
    if (order == cells::TSlashOrder::MonthFirst) done += u'\r' + TText::tr("даты с «/» прочитаны как ММ/ДД/ГГГГ");
    imported_ = done;
    // Over a list in the table, the button's import asks before replacing it.
    if (askBeforeReplacing_) {
        int held = 0;
        for (int j = 1; j <= T::kRecords; ++j) held += !table_.Grid().Cells(T::kNumber, j).isEmpty();
        if (held > 0 && !ctx_.op.AskAccept(TText::tr("В таблице записей: %1. Заменить их записями из файла (%2)?").arg(held).arg(records)))
            return false;
    }
    TGridBatch batch(table_.Grid());
    // A whole list now: a download that broke off no longer stands for it.
    table_.SetPagesRead(-1);
    for (int j = 1; j <= T::kRecords; ++j) {
        for (int c = 1; c < T::kAllCols; ++c) table_.Grid().SetCells(c, j, in.Cells(c, j));
        if (j % 30 == 0 || j == T::kRecords) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(j * 100 / T::kRecords));
            ctx_.status.ShowStatus(TText::tr("Import.xls"));
        }
    }
    // Names the file brought are kept; the other numbers show what the
    // directory knows of them.
    table_.KeepPeople();
    table_.ShowPeople();
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
        for (int c = 0; c < T::kAllCols && c < f.size(); ++c) book.SetText(serial + 1, c + 1, f[c]);
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
    askBeforeReplacing_ = true;
    const auto reset = qScopeGuard([this] { askBeforeReplacing_ = false; });
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("cvs")) {
        QList<TCsvRow> rows;
        if (!TCsv::ReadFile(path, rows, error)) return ctx_.op.ReportError(error);
        if (!ApplyCsv(rows)) return;
    } else {
        TWorkbook book;
        if (!TWorkbookIo::Read(path, book, error, T::kRecords + 1)) return ctx_.op.ReportError(error);
        if (!ApplyWorkbook(book)) return;
    }
    table_.SetOrigin(TTableOrigin::FromFile(path));
    ctx_.op.ShowMessage(imported_);
}

int TNumberFiles::Records() const {
    int records = 0;
    for (int r = 1; r <= T::kRecords; ++r) records += table_.Grid().Cells(T::kNumber, r).isEmpty() ? 0 : 1;
    return records;
}

QStringList TNumberFiles::CsvLines(TCsvForm form, bool occupiedOnly) {
    const bool sheet = form == TCsvForm::Spreadsheet;
    QStringList lines;
    // The spreadsheet form carries the person beside each number; the
    // original form keeps the record's columns and two empty fields.
    const int cols = sheet ? T::kAllCols : T::kCols;
    const auto row = [this, cols](int r) {
        QStringList fields;
        for (int c = 0; c < cols; ++c) fields << table_.Grid().Cells(c, r);
        return fields;
    };
    if (sheet) lines << TCsv::JoinLine(row(0));  // the captions the import knows
    for (int r = 1; r <= T::kRecords; ++r) {
        if ((occupiedOnly || sheet) && table_.Grid().Cells(T::kNumber, r).isEmpty()) continue;
        QStringList fields = row(r);
        if (!sheet) fields << QString() << QString();
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
    ctx_.SaveLines(QStringLiteral("telinf_CSV"), CsvLines());  // the original form, named ".cvs"
}

} // namespace portiqa
