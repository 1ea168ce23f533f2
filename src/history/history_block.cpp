#include "history/history_block.h"
#include "base/texts.h"
#include "link/link_messages.h"

namespace portiqa {

TModuleCommand HistoryDeletionCommand() {
    TModuleCommand c = TModuleCommand::WithStatus(133, TText::tr("Password verifying"), TText::tr("Delete command"),
                                              TText::tr("История данных удалена"),
                                              TText::tr("Ошибка при удалении исторических данных"));
    c.reply.changesFrom = kHistoryBase;
    c.reply.changesTo = kModuleMemorySize;
    c.change = TText::tr("Удаление всей истории событий");
    return c;
}

void THistoryBlock::Download() {
    if (RefusedWhileBusy(seq_, op_)) return;
    std::vector<int32_t> pages;
    for (uint16_t page = 1; page <= kHistoryPages; ++page) pages.push_back(HistoryPageAddress(page));
    TPageTransfer::TReading reading;
    reading.statusText = TText::tr("Reading historical data");
    reading.progressLabel = TText::tr("Reading historical data:");
    reading.operation = Operation();
    reading.onPage = [this](int32_t address, const uint8_t* page) { DecodeHistoryPage(address, page); };
    reading.onFinished = [this](const std::vector<int32_t>&) {
        table_.CompactHistory();
        table_.KeepAll();
        Done(QString());
    };
    transfer_.StartRead(std::move(pages), {}, std::move(reading));
}

void THistoryBlock::DeleteAfterQuestion() {
    if (RefusedWhileBusy(seq_, op_)) return;
    if (!op_.WarnOkCancel(TText::tr("Внимание! Эта операция удалит всю историю сохраненную в GSM модуле ")))
        return;
    if (!deleter_.Send()) op_.ShowMessage(BusyMessage());
}

void THistoryBlock::DecodeHistoryPage(int32_t address, const uint8_t* page) {
    const int base = ((address - kHistoryBase) / kPageSize) * 2;
    TGridBatch batch(table_.Grid());
    for (int k = 0; k < 2; ++k) {
        const int row = base + k + 1;
        // Replies beyond the history area have no rows to go to.
        if (row < 1 || row > THistoryTable::kRows) continue;
        THistoryRecord::FromBytes(page + kHistoryRecordSize * k).ToRow(table_.Grid(), row);
    }
}

} // namespace portiqa
