#pragma once
#include "files/file_exchange.h"
#include "files/workbook.h"
#include "history/history_table.h"

namespace portiqa {

// The history table in workbooks and comma-separated files.
class Tcustomstringgrid_his {
public:
    Tcustomstringgrid_his(THistoryTable& table, TExchangeContext ctx) : table_(table), ctx_(std::move(ctx)) {}

    void ExportHistoryXls();   // btn13
    void ExportHistoryCsv();   // btn18 (hidden)
    void ImportHistoryXls();   // hidden button
    void ClearHistoryTable() {
        table_.ClearHistoryTable();
        table_.ForgetAll();
    }

    TWorkbook HistoryWorkbook();
    QStringList CsvLines();
    void ApplyWorkbook(const TWorkbook& book);

private:
    THistoryTable& table_;
    TExchangeContext ctx_;
};

} // namespace portiqa
