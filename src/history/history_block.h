#pragma once
#include "base/operator.h"
#include "history/history_table.h"
#include "link/page_transfer.h"
#include "link/request.h"

namespace portiqa {

// One 128-byte history record into columns 1..7 of a table row.
constexpr int kHistoryRecordSize = 128;
// Where each part of a history record lives.
namespace history_layout {
constexpr int kRecordNo = 0;  // 4 bytes, little-endian, signed
constexpr int kYear = 4, kMonth = 5, kDay = 6, kHour = 7, kMinute = 8, kSecond = 9;
constexpr int kSource = 10, kEvent = 11;
constexpr int kPhone = 12, kPhoneWidth = 22;
constexpr int kText = 34, kTextWidth = 41;  // ended by 0x00 when shorter
} // namespace history_layout
void DecodeHistoryRecord(const uint8_t* record, TStringGrid& grid, int row);
// Every word a record's source column (THistoryTable::kSource) or event column
// (kEvent) can hold, as stored.
QStringList HistoryWords(int column);

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
