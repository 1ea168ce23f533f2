#include "numbers/telephone_send.h"
#include "app/link_messages.h"
#include "numbers/number_diff.h"
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
    StartDownload(false);
}

void TtelephoneSend::DownloadQuietly() { StartDownload(true); }

void TtelephoneSend::AbortTransfer() {
    // A download that broke off leaves a table of new and old rows: say so.
    if (chain_ == TChain::Read) table_.SetPagesRead(pagesDecoded_);
    chain_ = TChain::None;
}

void TtelephoneSend::StartDownload(bool quiet) {
    if (StartRefused()) return;
    quiet_ = quiet;
    pagesDecoded_ = 0;
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::Read;
    seq_.BeginTransfer();
    ReadNextNumberPage();
}

void TtelephoneSend::btn9Click() {
    const QString problem = table_.ValidateNumberTable();
    if (!problem.isEmpty()) {
        op_.ShowMessage(problem);
        return;
    }
    if (StartRefused()) return;
    // The operator sees what the save does to the module's list before
    // anything is written; a list not known on this connection (after a
    // login, a broken download) is read first, and kept aside.
    TStringGrid module(TNumberTable::kCols, TNumberTable::kRecords + 1);
    seq_.BeginTransfer();
    if (!table_.Incomplete() && KnownModuleNumbers(seq_, module)) {
        ContinueSave();
        return;
    }
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::ReadBeforeSave;
    ReadNextNumberPage();
}

void TtelephoneSend::ContinueSave() {
    chain_ = TChain::None;
    TStringGrid module(TNumberTable::kCols, TNumberTable::kRecords + 1);
    if (!KnownModuleNumbers(seq_, module)) {
        // Not every page came back as the module's: nothing is written.
        op_.ShowMessage(QStringLiteral("Список номеров GSM модуля прочитан не полностью: сохранение отменено. "
                                       "Сохраните ещё раз."));
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    const TNumberDiff diff = DiffNumberTables(module, table_.Grid());
    if (!diff.Empty() && !op_.AskAccept(QStringLiteral("Сохранить список номеров в GSM модуль?\r") + diff.Counts())) {
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    if (diff.removed > 0) {
        QStringList serials;
        for (const TNumberChange& c : diff.changes)
            if (c.after == QStringLiteral("(нет)") && serials.size() < 10) serials << QString::number(c.serial);
        const QString more = diff.removed > serials.size() ? QStringLiteral(" …") : QString();
        if (!op_.WarnOkCancel(QStringLiteral("Внимание! Сохранение удалит из GSM модуля %1 номер(а/ов): записи %2%3")
                                  .arg(diff.removed).arg(serials.join(QStringLiteral(", ")), more))) {
            if (OnTransferFailed) OnTransferFailed(QString());
            return;
        }
    }
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::Save;
    SaveNextNumberPage();
}

void TtelephoneSend::ReadNextNumberPage() {
    if (chain_ != TChain::Read && chain_ != TChain::ReadBeforeSave) return;
    if (PageNo >= 1 && PageNo <= PageCount) {
        RequestNumberPage(PageNo);
        ++PageNo;
    } else if (PageNo == PageCount + 1) {
        if (chain_ == TChain::ReadBeforeSave) {
            ContinueSave();
            return;
        }
        chain_ = TChain::None;
        table_.Edits().Set(false);
        table_.SetPagesRead(TNumberTable::kPages);
        if (quiet_) seq_.Status().ShowStatus(QStringLiteral("Номера абонентов установлены"));
        else op_.ShowMessage(QStringLiteral("Номера абонентов установлены"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TtelephoneSend::RequestNumberPage(int page) {
    seq_.Send(kCmdReadPage, NumberPageAddress(page), 0, nullptr,
              QStringLiteral("Reading telephone number information"));
}

void TtelephoneSend::DecodeNumberPage() {
    if (chain_ == TChain::ReadBeforeSave) {
        // The request sequence keeps the module's bytes; the table holds the
        // operator's list.
        ReadNextNumberPage();
        return;
    }
    const int p = (Address - kNumbersBase) / kPageSize;
    if (chain_ == TChain::Read) ++pagesDecoded_;
    TEditState::TLoading loading(table_.Edits());
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
    while (PageNo >= 1 && PageNo <= PageCount) {
        chain_ = TChain::None;  // stays ended if the page cannot be encoded
        const bool sent = SendNumberPage(PageNo);
        chain_ = TChain::Save;
        ++PageNo;
        if (sent) return;
    }
    if (PageNo == PageCount + 1) {
        ++PageNo;
        chain_ = TChain::Verify;
        seq_.VerifyWritten([this](const std::vector<int32_t>& failed) { FinishSave(failed); });
    }
}

// The module holds a page when its bytes are the ones the table encodes, or
// when they mean the same records: a free slot that the module keeps as
// 0xFF bytes is written from the table as zero bytes, and rewriting it
// changes nothing the module does.
bool TtelephoneSend::ModuleHolds(int32_t address, const uint8_t* area) const {
    if (seq_.Holds(address, area)) return true;
    const QByteArray* known = seq_.KnownPage(address);
    if (!known || known->size() != kPageSize) return false;
    TStringGrid scratch(TNumberTable::kCols, 9);
    std::array<uint8_t, kPageSize> canonical{};
    try {
        for (int i = 0; i < 8; ++i) {
            DecodeNumberRecord(reinterpret_cast<const uint8_t*>(known->constData()) + kNumberRecordSize * i, scratch, i + 1);
            EncodeNumberRecord(scratch, i + 1, canonical.data() + kNumberRecordSize * i);
        }
    } catch (const std::exception&) {
        return false;  // bytes that do not read back as records: write the page
    }
    return std::equal(canonical.begin(), canonical.end(), area);
}

void TtelephoneSend::FinishSave(const std::vector<int32_t>& failed) {
    chain_ = TChain::None;
    if (failed.empty()) table_.Edits().Set(false);
    FinishVerifiedSave(op_, *this, failed, NumberPageAddress(1), QStringLiteral("Список авторизованных номеров успешно сохранен"), seq_.PagesWrittenInTransfer());
}

void TtelephoneSend::EncodeNumberPage(int page, uint8_t* area) const {
    std::fill(area, area + kPageSize, 0x00);
    for (int i = 0; i < 8; ++i)
        EncodeNumberRecord(table_.Grid(), 8 * (page - 1) + 1 + i, area + kNumberRecordSize * i);
}

bool TtelephoneSend::SendNumberPage(int page) {
    std::array<uint8_t, kPageSize> area{};
    EncodeNumberPage(page, area.data());
    // A page the module already holds is not written again.
    if (ModuleHolds(NumberPageAddress(page), area.data())) return false;
    seq_.Send(kCmdSavePage, NumberPageAddress(page), kPageSize, area.data(), QStringLiteral("Save list"));
    return true;
}

} // namespace portiqa
