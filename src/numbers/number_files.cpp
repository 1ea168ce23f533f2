#include "numbers/number_files.h"
#include "base/texts.h"
#include "base/errors.h"
#include "files/csv.h"
#include "numbers/number_captions.h"
#include "numbers/number_cells.h"
#include <QDateTime>
#include <algorithm>
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
    const bool saved = ctx_.SaveTable(TText::tr("номера пользователей"), QStringLiteral("telinf_R"), [this] { return NumbersWorkbook(); },
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

// Record j of the file (spreadsheet row j + 1) into the incoming table in
// the table's forms. Returns whether it holds a number; why says what the
// save would refuse in it, added whether a "+" was put back.
bool ReadRecord(const TWorkbook& book, int j, number_cells::TSlashOrder order, TNumberTable& incoming, bool& added,
                QString& why) {
    namespace cells = number_cells;
    TStringGrid& in = incoming.Grid();
    static const char* const kColumn[] = {QT_TRANSLATE_NOOP("TText", "дата начала"), QT_TRANSLATE_NOOP("TText", "время начала"),
                                          QT_TRANSLATE_NOOP("TText", "дата окончания"), QT_TRANSLATE_NOOP("TText", "время окончания")};
    const int k = j + 1;
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
    if (!used) return false;
    if (!unrestricted)
        why = TText::tr("«Без ограничений»: «%1» — ни да, ни нет (Да/Нет, Yes/No, 1/0)").arg(book.Text(k, 7).left(20));
    if (why.isEmpty()) why = incoming.RecordProblem(j);
    return true;
}

} // namespace

bool TNumberFiles::CheckAndImport(const TWorkbook& book, QStringList problems) {
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
    int failing = int(problems.size()), plusAdded = 0, records = 0;
    QHash<QString, int> numbers;  // a number, to the record that has it
    for (int j = 1; j <= T::kRecords; ++j) {
        QString why;
        bool added = false;
        if (!ReadRecord(book, j, order, incoming, added, why)) continue;
        ++records;
        plusAdded += added;
        const QString number = in.Cells(T::kNumber, j);
        QString key = number.trimmed();
        if (key.startsWith(u'+')) key.remove(0, 1);
        if (why.isEmpty() && numbers.contains(key))
            why = TText::tr("номер %1 уже есть в записи %2").arg(number).arg(numbers.value(key));
        numbers.insert(key, j);
        if (why.isEmpty()) continue;
        ++failing;
        problems << TText::tr("запись %1: %2").arg(j).arg(why);
    }
    if (failing > 0) {
        QString text = TText::tr("Файл не импортирован: записей с ошибками %1").arg(failing);
        if (failing > 20) text += TText::tr(" (показаны первые 20)");
        ctx_.op.ShowMessage(text + u'\r' + problems.mid(0, 20).join(u'\r'));
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
    Take(incoming);
    return true;
}

// The checked list into the table, whole.
void TNumberFiles::Take(const TNumberTable& incoming) {
    const TStringGrid& in = incoming.Grid();
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
    // Names the file brought stay in the table, and go into the directory
    // only when the list is saved into the module; the other numbers show
    // what the directory knows of them.
    table_.ShowPeople(1, T::kRecords, true);
}

bool TNumberFiles::PlaceRows(const QList<TFileRow>& rows, const std::optional<QStringList>& captions) {
    // Without captions a file keeps the original form: the table's columns
    // in the table's order, the serial number first.
    TNumberHeader header;
    QStringList problems;
    if (captions) {
        const auto mapped = MapNumberCaptions(*captions, problems);
        if (!mapped) {
            ctx_.op.ShowMessage(TText::tr("Файл не импортирован: его заголовки не подходят к списку номеров") + u'\r' +
                                problems.join(u'\r'));
            return false;
        }
        header = *mapped;
    } else {
        for (int c = 0; c < T::kAllCols; ++c) header.columns << c;
        header.hasSerial = true;
    }
    // More records than the module holds: nothing is taken, rather than the
    // first 3000 with the rest dropped without a word.
    const auto filled = [](const TFileRow& row) {
        return std::any_of(row.cells.begin(), row.cells.end(), [](const TFileCell& c) { return !c.text.trimmed().isEmpty(); });
    };
    int records = 0;
    for (const TFileRow& row : rows) {
        if (filled(row) && ++records > T::kRecords) {
            ctx_.op.ShowMessage(TooManyRecordsText(row.line - (captions ? 1 : 0)));
            return false;
        }
    }
    // Each record goes to the place its serial number names ("№"), or, in a
    // file without that column, to the next one; a bad or doubled serial is
    // one more error of the file, listed with the rest.
    TWorkbook book;
    QHash<int, int> seen;  // serial, to the file line that has it
    int next = 0;
    for (const TFileRow& row : rows) {
        if (!filled(row)) continue;
        // A record whose serial cell is empty follows the one before it.
        int serial = next + 1;
        if (header.hasSerial) {
            const int at = int(header.columns.indexOf(T::kSerial));
            const QString text = at < row.cells.size() ? row.cells[at].value.trimmed() : QString();
            if (!text.isEmpty() && (!TryStrToInt(text, serial) || serial < 1 || serial > T::kRecords)) {
                problems << TText::tr("строка %1: серийный номер «%2» — нужен номер 1-3000").arg(row.line).arg(text.left(20));
                continue;
            }
        }
        next = serial;
        if (serial > T::kRecords) {
            problems << TText::tr("строка %1: записей больше 3000").arg(row.line);
            continue;
        }
        if (seen.contains(serial)) {
            problems << TText::tr("строка %1: серийный номер %2 уже есть в строке %3").arg(row.line).arg(serial).arg(seen.value(serial));
            continue;
        }
        seen.insert(serial, row.line);
        for (int i = 0; i < row.cells.size(); ++i) {
            const int col = i < header.columns.size() ? header.columns[i] : -1;
            if (col > T::kSerial) {
                book.SetCell(serial + 1, col + 1, row.cells[i].text, row.cells[i].value);
            } else if (col < 0 && captions && !row.cells[i].text.trimmed().isEmpty()) {
                // Data under no caption is never taken for a neighbour's.
                problems << TText::tr("строка %1: в столбце %2 данные без заголовка").arg(row.line).arg(SheetColumnLetter(i + 1));
                break;
            }
        }
        // A file without the column grants no unrestricted access.
        if (!header.columns.contains(T::kUnrestricted)) book.SetText(serial + 1, T::kUnrestricted + 1, T::No());
    }
    return CheckAndImport(book, problems);
}

bool TNumberFiles::ApplyWorkbook(const TWorkbook& book) {
    QStringList captions;
    for (int c = 1; c <= book.ColCount(); ++c) captions << book.Text(1, c);
    if (!IsNumberCaptionRow(captions)) {
        ctx_.op.ShowMessage(TText::tr("Неправильный формат профиля настроек") + u'\r' +
                            TText::tr("в первой строке нет заголовка «Номер абонента»"));
        return false;
    }
    // A sheet past the module's records is refused as its reader gets there.
    QList<TFileRow> rows;
    for (int r = 2; r <= book.RowCount(); ++r) {
        TFileRow row{r, {}};
        for (int c = 1; c <= book.ColCount(); ++c) row.cells << TFileCell{book.Text(r, c), book.Value(r, c)};
        rows << row;
    }
    return PlaceRows(rows, captions);
}

QString TNumberFiles::TooManyRecordsText(int records) {
    return TText::tr("В файле больше 3000 записей (строка %1): GSM модуль хранит не более 3000 номеров. "
                          "Ничего не импортировано").arg(records + 1);
}

bool TNumberFiles::ApplyCsv(const QList<TCsvRow>& fileRows) {
    // A list saved by a spreadsheet program starts with its captions
    // ("№","Номер абонента",…), which say where each column goes; the
    // original form has none.
    std::optional<QStringList> captions;
    QList<TFileRow> rows;
    for (const TCsvRow& r : fileRows) {
        if (rows.isEmpty() && !captions && IsNumberCaptionRow(r.fields)) {
            captions = r.fields;
            continue;
        }
        TFileRow row{r.line, {}};
        for (const QString& f : r.fields) row.cells << TFileCell{f, f};
        rows << row;
    }
    return PlaceRows(rows, captions);
}

void TNumberFiles::ImportNumbersXls() {
    // One dialog for every kind the list comes in; the extension decides.
    const QString path = ctx_.op.ChooseOpenFile(TText::tr("номера пользователей"), ctx_.folder, kNumbersOpenFilter);
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
    ctx_.SaveLines(TText::tr("номера пользователей"), QStringLiteral("telinf_CSV"), CsvLines());  // the original form, named ".cvs"
}

} // namespace portiqa
