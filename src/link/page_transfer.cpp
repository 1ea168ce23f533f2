#include "link/page_transfer.h"
#include "base/texts.h"
#include <algorithm>
#include <utility>

namespace portiqa {

void TPageTransfer::StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, TReading reading) {
    addresses_ = std::move(addresses);
    twice_ = std::move(twice);
    Pages.clear();
    onPage_ = std::move(reading.onPage);
    onAbort_ = std::move(reading.onAbort);
    onFinished_ = std::move(reading.onFinished);
    progressLabel_ = reading.progressLabel;
    saveLabel_ = reading.progressLabel;
    counted_ = reading.counted;
    Begin(addresses_.size(), TPhase::Reading, reading.statusText, reading.operation, !reading.continuesTransfer);
    NextRead();
}

void TPageTransfer::StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, const QString& statusText,
                              TFinished onFinished) {
    StartRead(std::move(addresses), std::move(twice),
              {statusText, TText::tr("Reading pages:"), TOperation::Memory, {}, true, {}, std::move(onFinished)});
}

bool TPageTransfer::StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, TWriting writing) {
    // What the write means to send: a page the module holds byte for byte
    // is not written, so it is not part of the write's target either.
    std::vector<std::pair<int32_t, QByteArray>> sending;
    for (const auto& page : pages)
        if (page.second.size() == kPageSize && !ModuleHolds(page.first, page.second)) sending.push_back(page);
    if (BeforeWrite && !BeforeWrite(writing.operation, writing.intent, sending)) return false;
    writes_ = std::move(pages);
    Sent.clear();
    onPage_ = {};
    onAbort_ = {};
    writing_ = std::move(writing);
    onFinished_ = std::move(writing_.onFinished);
    progressLabel_ = writing_.checkLabel;
    saveLabel_ = writing_.progressLabel;
    counted_ = writing_.counted;
    Begin(writes_.size(), TPhase::Writing, writing_.statusText, writing_.operation, !writing_.continuesTransfer);
    NextWrite();
    return true;
}

bool TPageTransfer::StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, const QString& statusText,
                               const QString& intent, TFinished onFinished) {
    TWriting w;
    w.statusText = statusText;
    w.intent = intent;
    w.onFinished = std::move(onFinished);
    w.progressLabel = TText::tr("Save pages:");
    w.checkLabel = TText::tr("Reading pages:");
    return StartWrite(std::move(pages), std::move(w));
}

void TPageTransfer::Begin(size_t pages, TPhase phase, const QString& statusText, TOperation operation,
                          bool newTransfer) {
    statusText_ = statusText;
    operation_ = operation;
    phase_ = phase;
    next_ = 0;
    PageCount = static_cast<uint16_t>(std::min<size_t>(pages, 65535));
    PageNo = 1;
    if (newTransfer) seq_.BeginTransfer();
}

void TPageTransfer::AbortTransfer() {
    const bool reading = phase_ == TPhase::Reading;
    phase_ = TPhase::Idle;
    if (reading && onAbort_) onAbort_();
}

TSendOptions TPageTransfer::Asking() {
    TSendOptions o;
    o.operation = operation_;
    o.onReply = [this](const TReply& reply) { OnReply(reply); };
    return o;
}

void TPageTransfer::ShowPages(const QString& label) {
    TStatusControl& status = seq_.Status();
    if (!counted_) {
        status.ShowStatus(label);
        return;
    }
    const int done = std::max(0, int(PageNo) - 1);
    status.ShowStatus(label + QString::number(done) + u'/' + QString::number(PageCount));
    if (PageNo != 0 && PageCount != 0) progress_.SetProgress(static_cast<uint16_t>(PageNo * 100 / PageCount));
}

void TPageTransfer::OnReply(const TReply& reply) {
    if (reply.command == kCmdSavePage) {
        ShowPages(saveLabel_);
        // A refused save is the receiver's to report: the transfer ends there.
        if (reply.Accepted()) SaveAcknowledged();
        return;
    }
    ShowPages(progressLabel_);
    if (reply.length < kPageSize) return;
    PageRead(reply.address, reply.payload);
}

void TPageTransfer::PageRead(int32_t address, const uint8_t* page) {
    if (phase_ == TPhase::Checking) {
        Checked(address, page);
        return;
    }
    if (phase_ != TPhase::Reading) return;
    if (onPage_) onPage_(address, page);
    else Pages[address] = QByteArray(reinterpret_cast<const char*>(page), kPageSize);
    NextRead();
}

void TPageTransfer::SaveAcknowledged() {
    if (phase_ != TPhase::Writing) return;
    ++next_;
    NextWrite();
}

void TPageTransfer::NextRead() {
    if (phase_ != TPhase::Reading) return;
    if (next_ >= addresses_.size()) {
        Finish({});
        return;
    }
    const int32_t a = addresses_[next_++];
    PageNo = static_cast<uint16_t>(next_ + 1);
    progress_.SetProgress(static_cast<uint16_t>(next_ * 100 / addresses_.size()));
    TSendOptions o = Asking();
    o.readTwice = twice_.count(a) != 0;
    o.confirmed = Confirm;
    seq_.ReadPage(a, statusText_, o);
}

bool TPageTransfer::ModuleHolds(int32_t address, const QByteArray& page) const {
    const auto* bytes = reinterpret_cast<const uint8_t*>(page.constData());
    return writing_.holds ? writing_.holds(address, bytes) : seq_.Holds(address, bytes);
}

// The page at next_ is written unless the module holds it; a page whose
// block asks for it is read first. next_ moves on when the page is done with.
void TPageTransfer::NextWrite() {
    while (phase_ == TPhase::Writing && next_ < writes_.size()) {
        const auto& [address, bytes] = writes_[next_];
        PageNo = static_cast<uint16_t>(next_ + 2);
        progress_.SetProgress(static_cast<uint16_t>((next_ + 1) * 100 / writes_.size()));
        // A page the module holds byte for byte is not written again.
        if (bytes.size() != kPageSize || ModuleHolds(address, bytes)) {
            ++next_;
            continue;
        }
        if (writing_.checkFirst && writing_.checked && writing_.checkFirst(address, bytes)) {
            RequestCheck(false);
            return;
        }
        SendCurrent();
        return;
    }
    if (phase_ != TPhase::Writing) return;
    phase_ = TPhase::Verifying;  // the read-back belongs to the sequence
    seq_.VerifyWritten(operation_, [this](const std::vector<int32_t>& failed) { Finish(failed); });
}

void TPageTransfer::SendCurrent() {
    phase_ = TPhase::Writing;
    const auto& [address, bytes] = writes_[next_];
    Sent.insert(address);
    seq_.SavePage(address, bytes, statusText_, Asking());
}

void TPageTransfer::RequestCheck(bool twice) {
    phase_ = TPhase::Checking;
    checkedTwice_ = twice;
    TSendOptions o = Asking();
    o.readTwice = twice;
    seq_.ReadPage(writes_[next_].first, statusText_, o);
}

void TPageTransfer::Checked(int32_t replyAddress, const uint8_t* fresh) {
    auto& [address, bytes] = writes_[next_];
    if (replyAddress != address) return;
    phase_ = TPhase::Writing;
    switch (writing_.checked(address, fresh, checkedTwice_, bytes)) {
    case TCheck::ReadTwice:
        if (!checkedTwice_) {
            RequestCheck(true);
            return;
        }
        [[fallthrough]];  // read twice already: the page is left out
    case TCheck::Skip:
        ++next_;
        break;
    case TCheck::Write:
        if (bytes.size() == kPageSize && !ModuleHolds(address, bytes)) {
            SendCurrent();
            return;
        }
        ++next_;
        break;
    }
    NextWrite();
}

void TPageTransfer::Finish(const std::vector<int32_t>& failed) {
    phase_ = TPhase::Idle;
    progress_.SetProgress(100);
    // The callback may start the next transfer, which sets its own.
    if (const TFinished done = std::exchange(onFinished_, TFinished())) done(failed);
}

} // namespace portiqa
