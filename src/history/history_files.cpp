#include "history/history_files.h"
#include "base/texts.h"
#include <QRegularExpression>
#include "files/csv.h"
#include "history/history_block.h"
#include <iterator>

namespace portiqa {

using H = THistoryTable;

namespace {

// The columns of the spreadsheet forms: the record's own number, its fields
// and the subscriber's name.
constexpr int kShownCols[] = {H::kRecordNo, H::kDate, H::kTime, H::kSource, H::kEvent, H::kPhone, H::kText, H::kName};
constexpr int kShownCount = int(std::size(kShownCols));

bool IsWordColumn(int col) { return col == H::kSource || col == H::kEvent; }

// A time cell of a spreadsheet reads back without its seconds when they are
// zero ("14:00"): the table keeps every time with them.
QString WithSeconds(const QString& time) {
    static const QRegularExpression kNoSeconds(QStringLiteral("^\\d{1,2}:\\d{2}$"));
    return kNoSeconds.match(time).hasMatch() ? time + QStringLiteral(":00") : time;
}

// A source's or an event's word as the program keeps it, from the word a file
// shows (the program's own, or this language's); other texts unchanged.
QString KeptWord(int col, const QString& shown) {
    if (!IsWordColumn(col)) return shown;
    for (const QString& word : HistoryWords(col))
        if (shown == word || shown == Translated(word)) return word;
    return shown;
}

} // namespace

QVector<QStringList> THistoryFiles::ShownRecords() const {
    QVector<QStringList> rows;
    for (int r : table_.RowsShown()) {
        QStringList cells;
        for (int col : kShownCols) {
            const QString& cell = table_.Grid().Cells(col, r);
            cells << (IsWordColumn(col) ? Translated(cell) : cell);
        }
        rows.append(cells);
    }
    return rows;
}

QStringList THistoryFiles::ShownCaptions() const {
    QStringList captions;
    for (int col : kShownCols) captions << Translated(table_.Grid().Cells(col, 0));
    return captions;
}

TWorkbook THistoryFiles::HistoryWorkbook() {
    // The records as the table shows them: in its order, one number column,
    // the words of the operator's language.
    TWorkbook book;
    const double widths[kShownCount] = {7, 13, 11, 16, 18, 22, 22, 22};
    for (int i = 0; i < kShownCount; ++i) book.SetColumnWidth(i + 1, widths[i]);
    const QStringList captions = ShownCaptions();
    for (int k = 0; k < kShownCount; ++k) book.SetText(1, k + 1, captions[k]);
    const QVector<QStringList> rows = ShownRecords();
    for (int i = 0; i < rows.size(); ++i) {
        // "№", the date and the time as the spreadsheet's own numbers, dates and times.
        static constexpr TWorkbook::TKind kinds[kShownCount] = {TWorkbook::TKind::Number, TWorkbook::TKind::Date,
                                                                TWorkbook::TKind::Time};
        for (int k = 0; k < kShownCount; ++k) book.SetTyped(i + 2, k + 1, rows[i][k], kinds[k]);
        if ((i + 1) % 10 == 0 || i + 1 == rows.size()) {
            ctx_.progress.SetProgress(static_cast<uint16_t>((i + 1) * 100 / rows.size()));
            ctx_.status.ShowStatus(TText::tr("historical information records:%1/%2").arg(i + 1).arg(rows.size()));
        }
    }
    return book;
}

void THistoryFiles::ExportHistoryXls() {
    ctx_.SaveTable(TText::tr("история событий"), QStringLiteral("hisinf_R"), [this] { return HistoryWorkbook(); },
                   [this](TCsvForm form) { return CsvLines(form); }, [this] { return Records(); });
}

int THistoryFiles::Records() const {
    int records = 0;
    for (int r = 1; r <= H::kRows; ++r) records += table_.Grid().Cells(H::kRecordNo, r).isEmpty() ? 0 : 1;
    return records;
}

QStringList THistoryFiles::CsvLines(TCsvForm form) {
    QStringList lines;
    if (form == TCsvForm::Spreadsheet) {
        // A spreadsheet's file: the workbook's rows.
        lines << TCsv::JoinLine(ShownCaptions());
        for (const QStringList& row : ShownRecords()) lines << TCsv::JoinLine(row);
        return lines;
    }
    // The original form: every row holding a record in the table's order,
    // ten fields, the last two empty.
    for (int r = 1; r <= H::kRows; ++r) {
        if (table_.Grid().Cells(H::kRecordNo, r).isEmpty()) continue;
        QStringList fields;
        for (int k = 0; k < 10; ++k) fields << (k < H::kCols ? table_.Grid().Cells(k, r) : QString());
        lines << TCsv::JoinLine(fields);
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / (H::kRows + 1)));
        ctx_.status.ShowStatus(TText::tr("Export.csv:%1/%2").arg(r - 1).arg(H::kRows));
    }
    return lines;
}

void THistoryFiles::ExportHistoryCsv() {
    // The lines are built before the dialog is shown.
    ctx_.SaveLines(TText::tr("история событий"), QStringLiteral("hisinf_CSV"), CsvLines());
}

void THistoryFiles::ApplyWorkbook(const TWorkbook& book) {
    TGridBatch batch(table_.Grid());
    const QString number = QStringLiteral("№");
    if (book.Value(1, 1) == number && book.Value(1, 2) == number) {
        // The original's form: spreadsheet row r + 1 is table row r, columns
        // B to H the record.
        for (int r = 1; r <= H::kRows; ++r)
            for (int k = 1; k <= 7; ++k) table_.Grid().SetCells(k, r, book.Value(r + 1, k + 1));
    } else {
        // The shown form: one record per row under the captions, from table
        // row 1 on; the words back as the program keeps them.
        table_.ClearHistoryTable();
        int r = 0;
        for (int row = 2; row <= book.RowCount() && r < H::kRows; ++row) {
            if (book.Value(row, 1).isEmpty()) continue;
            ++r;
            for (int k = 0; k < kShownCount - 1; ++k) {  // the name comes from the directory
                const QString value = book.Value(row, k + 1);
                table_.Grid().SetCells(kShownCols[k], r, KeptWord(kShownCols[k], kShownCols[k] == H::kTime ? WithSeconds(value) : value));
            }
        }
    }
    table_.KeepAll();
}

void THistoryFiles::ImportHistoryXls() {
    TWorkbook book;
    if (ctx_.OpenWorkbook(TText::tr("история событий"), book, QString(), QString())) ApplyWorkbook(book);  // no folder, no filter
}

} // namespace portiqa
