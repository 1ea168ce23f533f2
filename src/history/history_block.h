#pragma once
#include "base/operator.h"
#include "history/history_record.h"
#include "history/history_table.h"
#include "link/page_transfer.h"
#include "link/request.h"

namespace portiqa {

// The module's deletion of its whole history: command 133, status reply;
// every history page changes.
TModuleCommand HistoryDeletionCommand();

// The history block: 500 pages of two 128-byte records from 0x30000 on, read
// through the page chain; ends Done when all are in the table.
class THistoryBlock : public TPageBlock {
public:
    THistoryBlock(TRequestSequence& seq, TPageTransfer& transfer, THistoryTable& table, TSingleCommand& deleter, IOperator& op)
        : TPageBlock(transfer, TOperation::History), seq_(seq), transfer_(transfer), table_(table), deleter_(deleter), op_(op) {}

    void Download();  // download, no question asked
    void DeleteAfterQuestion();  // erase the module's log after a warning

    // A history page's two records into their rows (a page outside the
    // history area has none).
    void DecodeHistoryPage(int32_t address, const uint8_t* page);

private:
    TRequestSequence& seq_;
    TPageTransfer& transfer_;
    THistoryTable& table_;
    TSingleCommand& deleter_;
    IOperator& op_;
};

} // namespace portiqa
