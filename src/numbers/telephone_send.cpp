#include "numbers/telephone_send.h"
#include "numbers/number_record.h"
#include "settings/basic_inf.h"

namespace portiqa {

bool TtelephoneSend::StartRefused() {
    if (!seq_.Outstanding()) return false;
    op_.ShowMessage(BusyMessage());
    return true;
}

void TtelephoneSend::btn10Click() {
    if (!op_.AskAccept(QStringLiteral("Скачать все номера, сохраненные в GSM модуле?"))) return;
    if (StartRefused()) return;
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::Read;
    ReadNextNumberPage();
}

void TtelephoneSend::btn9Click() {
    const QString problem = table_.ValidateNumberTable();
    if (!problem.isEmpty()) {
        op_.ShowMessage(problem);
        return;
    }
    if (StartRefused()) return;
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::Save;
    SaveNextNumberPage();
}

void TtelephoneSend::ReadNextNumberPage() {
    if (chain_ != TChain::Read) return;
    if (PageNo >= 1 && PageNo <= PageCount) {
        RequestNumberPage(PageNo);
        ++PageNo;
    } else if (PageNo == PageCount + 1) {
        chain_ = TChain::None;
        op_.ShowMessage(QStringLiteral("Номера абонентов установлены"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TtelephoneSend::RequestNumberPage(int page) {
    seq_.Send(kCmdReadPage, NumberPageAddress(page), 0, nullptr,
              QStringLiteral("Reading telephone number information"));
}

void TtelephoneSend::DecodeNumberPage() {
    const int p = (Address - kNumbersBase) / kPageSize;
    TGridBatch batch(table_.Grid());
    for (int i = 0; i < 8; ++i) {
        const int row = 8 * p + 1 + i;
        // Replies beyond record 3000 have no rows to go to.
        if (row < 1 || row > TNumberTable::kRecords) continue;
        DecodeNumberRecord(Buffer.data() + kNumberRecordSize * i, table_.Grid(), row);
    }
    ReadNextNumberPage();
}

void TtelephoneSend::HandleSaveReply() {
    if (chain_ == TChain::Save) SaveNextNumberPage();
}

void TtelephoneSend::SaveNextNumberPage() {
    if (PageNo >= 1 && PageNo <= PageCount) {
        chain_ = TChain::None;  // stays ended if the page cannot be encoded
        SendNumberPage(PageNo);
        chain_ = TChain::Save;
        ++PageNo;
    } else if (PageNo == PageCount + 1) {
        chain_ = TChain::None;
        op_.ShowMessage(QStringLiteral("Список авторизованных номеров успешно сохранен"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TtelephoneSend::EncodeNumberPage(int page, uint8_t* area) const {
    std::fill(area, area + kPageSize, 0x00);
    for (int i = 0; i < 8; ++i)
        EncodeNumberRecord(table_.Grid(), 8 * (page - 1) + 1 + i, area + kNumberRecordSize * i);
}

void TtelephoneSend::SendNumberPage(int page) {
    std::array<uint8_t, kPageSize> area{};
    EncodeNumberPage(page, area.data());
    seq_.Send(kCmdSavePage, NumberPageAddress(page), kPageSize, area.data(), QStringLiteral("Save list"));
}

} // namespace portiqa
