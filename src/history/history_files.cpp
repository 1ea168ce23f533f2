#include "history/history_files.h"
#include "base/texts.h"
#include "files/csv.h"

namespace portiqa {

using H = THistoryTable;

TWorkbook THistoryFiles::HistoryWorkbook() {
    TWorkbook book;
    const double widths[8] = {5, 16, 13, 13, 16, 16, 22, 22};
    for (int i = 0; i < 8; ++i) book.SetColumnWidth(i + 1, widths[i]);
    // Every table row in its own spreadsheet row (a re-import places the
    // records by row), the empty ones numbered too.
    for (int r = 0; r <= H::kRows; ++r) {
        for (int k = 0; k < H::kAllCols; ++k) book.SetText(r + 1, k + 1, table_.Grid().Cells(k, r));
        if (r > 0 && (r % 10 == 0 || r == H::kRows)) {
            ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / H::kRows));
            ctx_.status.ShowStatus(TText::tr("historical information records:%1/%2").arg(r).arg(H::kRows));
        }
    }
    return book;
}

void THistoryFiles::ExportHistoryXls() {
    ctx_.SaveTable(QStringLiteral("hisinf_R"), [this] { return HistoryWorkbook(); },
                   [this](TCsvForm form) { return CsvLines(form); }, [this] { return Records(); });
}

int THistoryFiles::Records() const {
    int records = 0;
    for (int r = 1; r <= H::kRows; ++r) records += table_.Grid().Cells(H::kRecordNo, r).isEmpty() ? 0 : 1;
    return records;
}

QStringList THistoryFiles::CsvLines(TCsvForm form) {
    // The original form has ten fields, the last two empty; a spreadsheet's
    // file has the table's columns under their captions, the name last.
    const int fieldCount = form == TCsvForm::Spreadsheet ? H::kAllCols : 10;
    QStringList lines;
    if (form == TCsvForm::Spreadsheet) {
        QStringList captions;
        for (int k = 0; k < H::kAllCols; ++k) captions << table_.Grid().Cells(k, 0);
        lines << TCsv::JoinLine(captions);
    }
    for (int r = 1; r <= H::kRows; ++r) {
        if (table_.Grid().Cells(H::kRecordNo, r).isEmpty()) continue;
        QStringList fields;
        for (int k = 0; k < fieldCount; ++k)
            fields << (k < H::kCols || form == TCsvForm::Spreadsheet ? table_.Grid().Cells(k, r) : QString());
        lines << TCsv::JoinLine(fields);
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / (H::kRows + 1)));
        ctx_.status.ShowStatus(TText::tr("Export.csv:%1/%2").arg(r - 1).arg(H::kRows));
    }
    return lines;
}

void THistoryFiles::ExportHistoryCsv() {
    // The lines are built before the dialog is shown.
    ctx_.SaveLines(QStringLiteral("hisinf_CSV"), CsvLines());
}

void THistoryFiles::ApplyWorkbook(const TWorkbook& book) {
    TGridBatch batch(table_.Grid());
    for (int r = 1; r <= H::kRows; ++r)
        for (int k = 1; k <= 7; ++k) table_.Grid().SetCells(k, r, book.Value(r + 1, k + 1));
    table_.KeepAll();
}

void THistoryFiles::ImportHistoryXls() {
    TWorkbook book;
    if (ctx_.OpenWorkbook(book, QString(), QString())) ApplyWorkbook(book);  // no folder, no filter
}

} // namespace portiqa
