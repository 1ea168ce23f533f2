#pragma once
#include "files/file_exchange.h"
#include "files/workbook.h"
#include "history/history_table.h"

namespace portiqa {

// The history table in workbooks and comma-separated files.
class THistoryFiles {
public:
    THistoryFiles(THistoryTable& table, TExchangeContext ctx) : table_(table), ctx_(std::move(ctx)) {}

    void ExportHistoryXls();
    void ExportHistoryCsv();
    void ImportHistoryXls();
    void ClearHistoryTable() {
        table_.ClearHistoryTable();
        table_.ForgetAll();
    }

    TWorkbook HistoryWorkbook();
    // The records as comma-separated lines in the given form.
    QStringList CsvLines(TCsvForm form = TCsvForm::Original);
    // Rows holding a record.
    int Records() const;
    void ApplyWorkbook(const TWorkbook& book);

private:
    // The records as the table shows them (see THistoryTable::ShownOrder),
    // the words in the operator's language, and their captions.
    QVector<QStringList> ShownRecords() const;
    QStringList ShownCaptions() const;

    THistoryTable& table_;
    TExchangeContext ctx_;
};

} // namespace portiqa
