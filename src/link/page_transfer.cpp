#include "link/page_transfer.h"
#include "base/texts.h"

namespace portiqa {

void TPageTransfer::StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, TReading reading) {
    addresses_ = std::move(addresses);
    twice_ = std::move(twice);
    Pages.clear();
    onPage_ = std::move(reading.onPage);
    Begin(addresses_.size(), false, reading.statusText, reading.progressLabel, reading.operation);
}

void TPageTransfer::StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, const QString& statusText) {
    StartRead(std::move(addresses), std::move(twice), {statusText, TText::tr("Reading pages:"), TOperation::Memory, {}});
}

void TPageTransfer::StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, const QString& statusText) {
    writes_ = std::move(pages);
    Sent.clear();
    onPage_ = {};
    // The saves show "Save pages:"; the label is for the read-back's replies.
    Begin(writes_.size(), true, statusText, TText::tr("Reading pages:"), TOperation::Memory);
}

void TPageTransfer::Begin(size_t pages, bool writing, const QString& statusText, const QString& progressLabel,
                          TOperation operation) {
    statusText_ = statusText;
    progressLabel_ = progressLabel;
    operation_ = operation;
    writing_ = writing;
    running_ = true;
    next_ = 0;
    PageCount = static_cast<uint16_t>(std::min<size_t>(pages, 65535));
    PageNo = 1;
    seq_.BeginTransfer();
    Next();
}

void TPageTransfer::HandleReadReply() {
    if (!running_ || writing_) return;
    if (onPage_) onPage_(Address, Buffer.data());
    else Pages[Address] = QByteArray(reinterpret_cast<const char*>(Buffer.data()), kPageSize);
    Next();
}

void TPageTransfer::Next() {
    if (!running_) return;
    if (!writing_) {
        if (next_ < addresses_.size()) {
            const int32_t a = addresses_[next_++];
            PageNo = static_cast<uint16_t>(next_ + 1);
            progress_.SetProgress(static_cast<uint16_t>(next_ * 100 / addresses_.size()));
            TSendOptions o = Mine();
            o.readTwice = twice_.count(a) != 0;
            seq_.Send(kCmdReadPage, a, 0, nullptr, statusText_, o);
            return;
        }
        Finish({});
        return;
    }
    while (next_ < writes_.size()) {
        const auto& [address, bytes] = writes_[next_++];
        PageNo = static_cast<uint16_t>(next_ + 1);
        progress_.SetProgress(static_cast<uint16_t>(next_ * 100 / writes_.size()));
        if (bytes.size() != kPageSize) continue;
        // A page the module holds byte for byte is not written again.
        if (seq_.Holds(address, reinterpret_cast<const uint8_t*>(bytes.constData()))) continue;
        Sent.insert(address);
        seq_.Send(kCmdSavePage, address, kPageSize, reinterpret_cast<const uint8_t*>(bytes.constData()), statusText_, Mine());
        return;
    }
    writing_ = false;  // the read-back belongs to the sequence
    seq_.VerifyWritten([this](const std::vector<int32_t>& failed) { Finish(failed); });
}

void TPageTransfer::Finish(const std::vector<int32_t>& failed) {
    running_ = false;
    progress_.SetProgress(100);
    if (OnFinished) OnFinished(failed);
}

} // namespace portiqa
