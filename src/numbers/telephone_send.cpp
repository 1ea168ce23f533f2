#include "numbers/telephone_send.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "numbers/number_diff.h"
#include "numbers/number_record.h"

namespace portiqa {

bool TtelephoneSend::StartRefused() {
    return RefusedWhileBusy(seq_, op_);
}

void TtelephoneSend::btn10Click() {
    if (!op_.AskAccept(TText::tr("Скачать все номера, сохраненные в GSM модуле?"))) return;
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
    // A list read just now for this save is the copy the edits are measured against.
    if (chain_ == TChain::ReadBeforeSave) KeepBase();
    chain_ = TChain::None;
    TStringGrid module(TNumberTable::kCols, TNumberTable::kRecords + 1);
    if (!KnownModuleNumbers(seq_, module)) {
        // Not every page came back as the module's: nothing is written.
        op_.ShowMessage(TText::tr("Список номеров GSM модуля прочитан не полностью: сохранение отменено. "
                                       "Сохраните ещё раз."));
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    const TNumberDiff diff = DiffNumberTables(module, table_.Grid());
    if (!diff.Empty() && !op_.AskAccept(TText::tr("Сохранить список номеров в GSM модуль?\r") + diff.Counts())) {
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    if (diff.removed > 0) {
        QStringList serials;
        for (const TNumberChange& c : diff.changes)
            if (c.after == TText::tr("(нет)") && serials.size() < 10) serials << QString::number(c.serial);
        const QString more = diff.removed > serials.size() ? QStringLiteral(" …") : QString();
        if (!op_.WarnOkCancel(TText::tr("Внимание! Сохранение удалит из GSM модуля %1 номер(а/ов): записи %2%3")
                                  .arg(diff.removed).arg(serials.join(QStringLiteral(", ")), more))) {
            if (OnTransferFailed) OnTransferFailed(QString());
            return;
        }
    }
    PageCount = kNumberPages;
    PageNo = 1;
    chain_ = TChain::Save;
    moduleChanged_.clear();
    conflicts_.clear();
    SaveNextNumberPage();
}

void TtelephoneSend::KeepBase() {
    base_.clear();
    for (int page = 1; page <= kNumberPages; ++page) {
        const QByteArray* known = seq_.KnownPage(NumberPageAddress(page));
        if (!known || known->size() != kPageSize) {
            baseGeneration_ = -1;
            base_.clear();
            return;
        }
        base_[NumberPageAddress(page)] = *known;
    }
    baseGeneration_ = seq_.ModuleGeneration();
}

bool TtelephoneSend::HaveBase() const { return baseGeneration_ == seq_.ModuleGeneration() && !base_.empty(); }

QByteArray TtelephoneSend::TableRecord(int row) const {
    uint8_t b[kNumberRecordSize] = {};
    EncodeNumberRecord(table_.Grid(), row, b);
    return QByteArray(reinterpret_cast<const char*>(b), kNumberRecordSize);
}

QByteArray TtelephoneSend::BaseRecord(int page, int i) const {
    const QByteArray& bytes = base_.at(NumberPageAddress(page));
    return CanonicalNumberRecord(reinterpret_cast<const uint8_t*>(bytes.constData()) + kNumberRecordSize * i);
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
        KeepBase();
        if (quiet_) seq_.Status().ShowStatus(TText::tr("Номера абонентов установлены"));
        else op_.ShowMessage(TText::tr("Номера абонентов установлены"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TtelephoneSend::RequestNumberPage(int page) {
    seq_.Send(kCmdReadPage, NumberPageAddress(page), 0, nullptr,
              TText::tr("Reading telephone number information"), Mine());
}

void TtelephoneSend::DecodeNumberPage() {
    if (chain_ == TChain::CheckBeforeWrite) {
        CheckedPage();
        return;
    }
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
    // Replies beyond record 3000 have no rows to go to.
    DecodeNumberPageInto(Buffer.data(), p + 1, table_.Grid());
    ReadNextNumberPage();
}

void TtelephoneSend::HandleSaveReply() {
    if (chain_ == TChain::Save) SaveNextNumberPage();
}

void TtelephoneSend::SaveNextNumberPage() {
    while (PageNo >= 1 && PageNo <= PageCount) {
        const int page = PageNo;
        std::array<uint8_t, kPageSize> area{};
        chain_ = TChain::None;  // stays ended if the page cannot be encoded
        EncodeNumberPage(page, area.data());
        chain_ = TChain::Save;
        // A page the module already holds is not written again.
        if (ModuleHolds(NumberPageAddress(page), area.data())) {
            ++PageNo;
            continue;
        }
        // A page that holds records the operator did not change is read
        // just before it is written: the module may have changed them itself
        // (an SMS adds or deletes a number), or the copy it was read into may
        // have been damaged on the line. A page the operator changed whole
        // needs no read.
        bool untouched = !HaveBase();
        for (int i = 0; i < 8 && HaveBase(); ++i)
            if (TableRecord(8 * (page - 1) + 1 + i) == BaseRecord(page, i)) untouched = true;
        if (untouched && HaveBase()) {
            RequestCheck(page, false);
            return;
        }
        SendEncoded(page, area.data());
        return;
    }
    if (PageNo == PageCount + 1) {
        ++PageNo;
        chain_ = TChain::Verify;
        seq_.VerifyWritten([this](const std::vector<int32_t>& failed) { FinishSave(failed); });
    }
}

void TtelephoneSend::SendEncoded(int page, const uint8_t* area) {
    chain_ = TChain::Save;
    ++PageNo;
    seq_.Send(kCmdSavePage, NumberPageAddress(page), kPageSize, area, TText::tr("Save list"), Mine());
}

void TtelephoneSend::RequestCheck(int page, bool twice) {
    chain_ = TChain::CheckBeforeWrite;
    checkedTwice_ = twice;
    TSendOptions o = Mine();
    o.readTwice = twice;
    seq_.Send(kCmdReadPage, NumberPageAddress(page), 0, nullptr, TText::tr("Save list"), o);
}

void TtelephoneSend::CheckedPage() {
    const int page = PageNo;
    if (Address != NumberPageAddress(page)) return;
    const uint8_t* fresh = Buffer.data();
    bool same = true;
    for (int i = 0; i < 8; ++i)
        if (CanonicalNumberRecord(fresh + kNumberRecordSize * i) != BaseRecord(page, i)) same = false;
    if (!same && !checkedTwice_) {
        // A damaged reply or a real change: two more reads that agree tell.
        RequestCheck(page, true);
        return;
    }
    std::array<uint8_t, kPageSize> area{};
    EncodeNumberPage(page, area.data());
    if (!same) {
        // Records the module changed itself and the operator did not touch
        // keep the module's bytes; a record both changed is a conflict and
        // the page is not written.
        QStringList mine, conflicts;
        for (int i = 0; i < 8; ++i) {
            const int row = 8 * (page - 1) + 1 + i;
            const QByteArray now = CanonicalNumberRecord(fresh + kNumberRecordSize * i), was = BaseRecord(page, i);
            if (now == was) continue;
            const QByteArray table = TableRecord(row);
            if (table == was) mine << QString::number(row);
            else if (table != now) conflicts << QString::number(row);
        }
        if (!conflicts.isEmpty()) {
            conflicts_ << conflicts;
            chain_ = TChain::Save;
            ++PageNo;
            SaveNextNumberPage();
            return;
        }
        TEditState::TLoading loading(table_.Edits());
        for (const QString& r : mine) {
            const int row = r.toInt(), i = (row - 1) % 8;
            DecodeNumberRecord(fresh + kNumberRecordSize * i, table_.Grid(), row);
            std::copy(fresh + kNumberRecordSize * i, fresh + kNumberRecordSize * (i + 1), area.data() + kNumberRecordSize * i);
        }
        moduleChanged_ << mine;
    }
    if (ModuleHolds(NumberPageAddress(page), area.data())) {
        chain_ = TChain::Save;
        ++PageNo;
        SaveNextNumberPage();
        return;
    }
    SendEncoded(page, area.data());
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
    QString changedItself;
    if (!moduleChanged_.isEmpty())
        changedItself = TText::tr("\rМодуль сам изменил записи: %1 — они сохранены как в модуле")
                            .arg(moduleChanged_.join(QStringLiteral(", ")));
    if (!conflicts_.isEmpty() && failed.empty()) {
        // The rest is written and verified; these records wait for the operator.
        const QString text = TText::tr("Список номеров сохранён не полностью: GSM модуль сам изменил записи %1, "
                                            "которые изменены и в таблице; их страницы не записаны. Скачайте список и "
                                            "решите, что сохранить.\r%2")
                                 .arg(conflicts_.join(QStringLiteral(", ")), PagesWrittenText(seq_.PagesWrittenInTransfer())) +
                             changedItself;
        op_.ShowMessage(text);
        if (OnTransferFailed) OnTransferFailed(text);
        return;
    }
    if (failed.empty()) {
        table_.Edits().Set(false);
        KeepBase();
    }
    FinishVerifiedSave(op_, *this, failed, NumberPageAddress(1),
                       TText::tr("Список авторизованных номеров успешно сохранен") + changedItself,
                       seq_.PagesWrittenInTransfer());
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
    seq_.Send(kCmdSavePage, NumberPageAddress(page), kPageSize, area.data(), TText::tr("Save list"), Mine());
    return true;
}

} // namespace portiqa
