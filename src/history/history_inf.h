#pragma once
#include "base/operator.h"
#include "history/history_table.h"
#include "link/request.h"

namespace portiqa {

// One 128-byte history record into columns 1..7 of a table row.
constexpr int kHistoryRecordSize = 128;
void DecodeHistoryRecord(const uint8_t* record, TStringGrid& grid, int row);
// Every word a record's source column (THistoryTable::kSource) or event column
// (kEvent) can hold, as stored.
QStringList HistoryWords(int column);

// The history block: 500 pages of two 128-byte records from 0x30000 on.
class THistoryInf : public Tsend_rec_command {
public:
    THistoryInf(TRequestSequence& seq, THistoryTable& table, Tsingalcmd& deleter, IOperator& op)
        : seq_(seq), table_(table), deleter_(deleter), op_(op) {}

    void btn19Click();  // download, no question asked
    void btn23Click();  // erase the module's log after a warning

    void ReadNextHistoryPage();
    void RequestHistoryPage(uint16_t page);
    void DecodeHistoryPage();

    void HandleReadReply() override { DecodeHistoryPage(); }
    void AbortTransfer() override { running_ = false; }
    bool TransferRunning() const override { return running_; }

private:
    TRequestSequence& seq_;
    THistoryTable& table_;
    Tsingalcmd& deleter_;
    IOperator& op_;
    bool running_ = false;
};

} // namespace portiqa
