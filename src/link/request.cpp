#include "link/request.h"
#include "base/texts.h"
#include "link/data_package.h"
#include "link/frame_assembler.h"
#include <chrono>
#include <memory>
#include <utility>

namespace portiqa {

void TRequestSequence::ReadPage(int32_t address, const QString& statusText, TSendOptions options) {
    Send(kCmdReadPage, address, QByteArray(), TReplyShape::PageRead(), statusText, std::move(options));
}

void TRequestSequence::SavePage(int32_t address, const QByteArray& page, const QString& statusText, TSendOptions options) {
    Send(kCmdSavePage, address, page, TReplyShape::PageSave(), statusText, std::move(options));
}

void TRequestSequence::Send(uint8_t command, int32_t address, const QByteArray& payload, const TReplyShape& reply,
                            const QString& statusText, TSendOptions options) {
    pending_ = {};
    pending_.command = command;
    pending_.address = address;
    pending_.reply = reply;
    pending_.payload = payload.left(kMaxPayload);
    pending_.statusText = statusText;
    pending_.options = std::move(options);
    pending_.attempt = 1;
    SetActive(true);
    // Until the module acknowledges a save, nobody knows what the page holds.
    if (reply.kind == TReplyShape::TKind::Save) known_.erase(address);
    transmits_ = 0;
    Transmit();
    status_.ShowStatus(statusText);
    ArmTry();
}

void TRequestSequence::ArmTry() {
    tryWaitMs_ = TryWaitMs();
    Arm(tryWaitMs_);
}

void TRequestSequence::Arm(int ms) {
    replyTimer_.SetEnabled(false);
    replyTimer_.SetInterval(ms);
    replyTimer_.SetEnabled(true);
}

int TRequestSequence::WireMs() const {
    return clock_.WireMs(kMaxFrame - kMaxPayload + int(pending_.payload.size()), kMaxFrame - kMaxPayload + pending_.reply.length);
}

bool TRequestSequence::Repeatable() const { return pending_.reply.repeatable; }

bool TRequestSequence::Alive() const {
    return answeredInTransfer_ || (lastAnswerMs_ >= 0 && Clock() - lastAnswerMs_ <= kAliveMs + kReplyTimeoutMs) ||
           pending_.options.retryWhenSilent;
}

int TRequestSequence::TryWaitMs() const {
    // A single command is never sent twice, and a module not heard from
    // lately gets one try: either waits the whole reply time.
    if (!pending_.active || !Repeatable() || !Alive()) return kReplyTimeoutMs;
    const int learned = clock_.LearnedWaitMs(TReplyClock::KindOf(pending_.reply.kind), WireMs());
    // Nothing of this kind has answered on this line yet: the tries share
    // the reply time, and a reply to any of them is taken.
    if (learned < 0) return kReplyTimeoutMs / kPageAttempts;
    // The last try leaves room for a module that is slow for a moment.
    if (pending_.attempt >= kPageAttempts) return std::max(learned, kLastTryMs);
    return learned;
}

void TRequestSequence::ArmAfterByte(bool frameCutShort) {
    Arm(frameCutShort ? clock_.QuietMs() : tryWaitMs_);
}

void TRequestSequence::NewLine(uint32_t baud) {
    clock_.Forget(baud);
    lastAnswerMs_ = -1;
}

void TRequestSequence::Learn() {
    const TReplyClock::TKind kind = TReplyClock::KindOf(pending_.reply.kind);
    const int sinceLast = int(Clock() - sentMs_);
    if (transmits_ == 1) clock_.Sample(kind, sinceLast, WireMs());
    else clock_.SampleAmbiguous(kind, sinceLast, WireMs());
    transmits_ = 0;
}

bool TRequestSequence::OwesReply(uint8_t command, int32_t address, int length) const {
    return pending_.active && command == pending_.command && address == pending_.address && length == pending_.reply.length;
}

bool TRequestSequence::ReAskAfterDamage() {
    if (!pending_.active || !Repeatable() || pending_.attempt >= kPageAttempts) return false;
    ++pending_.attempt;
    Transmit();
    ArmTry();
    return true;
}

bool TRequestSequence::OwesRepeatableReply() const { return pending_.active && Repeatable(); }

void TRequestSequence::Transmit() {
    auto package = std::make_unique<TDataPackage>();
    package->SetCommand(pending_.command);
    package->SetLength(int32_t(pending_.payload.size()));
    package->SetAddress(pending_.address);
    if (!pending_.payload.isEmpty()) {
        std::array<uint8_t, kMaxPayload> padded{};
        std::copy(pending_.payload.begin(), pending_.payload.begin() + std::min<qsizetype>(pending_.payload.size(), kMaxPayload),
                  padded.begin());
        package->SetPayload(padded.data());
    }
    package->BuildFrame();
    sentMs_ = Clock();
    ++transmits_;
    // A refused write (port closed) is not reported here: the reply timer
    // tells the operator that nothing came back.
    port_.Write(package->FrameBuffer.data(), static_cast<uint16_t>(package->FrameLength));
    if (OnFrameSent) OnFrameSent(package->FrameBuffer.data(), package->FrameLength);
}

TReplyVerdict TRequestSequence::Offer(const TValidReply& reply) {
    if (!pending_.active || reply.Command != pending_.command || reply.Address != pending_.address ||
        reply.Length != pending_.reply.length)
        return TReplyVerdict::Unasked;
    answeredInTransfer_ = true;
    lastAnswerMs_ = Clock();
    Learn();
    const QByteArray payload(reinterpret_cast<const char*>(reply.Payload.data()), reply.Length);
    if (verify_.running) return OfferOwnRead(reply);

    if (pending_.reply.kind == TReplyShape::TKind::Page) {
        // Two bits flipped in the same place of two bytes pass the frame's
        // check: a page nothing confirms is read again.
        if (!pending_.options.readTwice && pending_.options.confirmed &&
            !pending_.options.confirmed(pending_.address, payload))
            pending_.options.readTwice = true;
        if (pending_.options.readTwice) {
            // What is read here is written back by the next save: a damaged
            // reply that the checksum cannot see must show as a difference.
            const bool first = pending_.firstCopy.isEmpty();
            if (!first && payload != pending_.firstCopy && ++pending_.attempt > kPageAttempts) {
                SetActive(false);
                return TReplyVerdict::Disagree;
            }
            if (first || payload != pending_.firstCopy) {
                pending_.firstCopy = payload;
                Transmit();
                ArmTry();
                return TReplyVerdict::Held;
            }
        }
        known_[pending_.address] = payload;
        SetActive(false);
        ++readInTransfer_;
        Took();
        return TReplyVerdict::Take;
    }
    if (pending_.reply.kind == TReplyShape::TKind::Save) {
        SetActive(false);
        Took();
        if (reply.Payload[0] == 1) {
            known_[pending_.address] = pending_.payload;
            unverified_[pending_.address] = pending_.payload;
            ++writtenInTransfer_;
        }
        return TReplyVerdict::Take;
    }
    SetActive(false);
    Took();
    if (pending_.reply.changesTo > pending_.reply.changesFrom) ForgetRange(pending_.reply.changesFrom, pending_.reply.changesTo);
    return TReplyVerdict::Take;
}

void TRequestSequence::Took() {
    takenOperation_ = pending_.options.operation;
    takenShape_ = pending_.reply;
    taken_ = pending_.options.onReply;
}

bool TRequestSequence::Answer(const TValidReply& reply) {
    // The handler may send the next request: it runs from its own copy.
    const TReplyHandler handler = std::exchange(taken_, TReplyHandler());
    if (!handler) return false;
    handler(TReply{reply.Command, reply.Address, reply.Payload.data(), reply.Length});
    return true;
}

void TRequestSequence::GiveUp() {
    const std::function<void()> told = pending_.active ? pending_.options.onGiveUp : nullptr;
    SetActive(false);
    if (told) told();
}

void TRequestSequence::SetActive(bool on) {
    if (pending_.active == on) return;
    pending_.active = on;
    if (OnOutstandingChanged) OnOutstandingChanged(on);
}

qint64 TRequestSequence::Clock() const {
    if (Now) return Now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool TRequestSequence::RetryAfterSilence() {
    if (!pending_.active || !Alive()) return false;
    // Page reads and saves can be repeated; single commands never are.
    if (!Repeatable() || pending_.attempt >= kPageAttempts) return false;
    clock_.BackOff(TReplyClock::KindOf(pending_.reply.kind));
    ++pending_.attempt;
    Transmit();
    ArmTry();
    return true;
}

void TRequestSequence::BeginTransfer() {
    ++transfers_;
    answeredInTransfer_ = false;
    writtenInTransfer_ = 0;
    readInTransfer_ = 0;
    verifiedInTransfer_ = 0;
    verify_ = {};
}

void TRequestSequence::AbortTransfer() {
    SetActive(false);
    verify_ = {};
}

void TRequestSequence::ForgetModule() {
    ++generation_;
    lastAnswerMs_ = -1;
    known_.clear();
    unverified_.clear();
}

void TRequestSequence::ForgetRange(int32_t first, int32_t end) {
    known_.erase(known_.lower_bound(first), known_.lower_bound(end));
    unverified_.erase(unverified_.lower_bound(first), unverified_.lower_bound(end));
}

bool TRequestSequence::Holds(int32_t address, const uint8_t* page) const {
    const auto it = known_.find(address);
    return it != known_.end() && it->second.size() == kPageSize &&
           std::equal(it->second.begin(), it->second.end(), reinterpret_cast<const char*>(page));
}

void TRequestSequence::VerifyWritten(TOperation operation, std::function<void(const std::vector<int32_t>&)> done) {
    if (!verifyAfterSave || unverified_.empty()) {
        if (!verifyAfterSave) unverified_.clear();
        done({});
        return;
    }
    verify_ = {};
    verify_.running = true;
    verify_.operation = operation;
    for (const auto& [address, bytes] : unverified_) verify_.pages.push_back(address);
    verify_.done = std::move(done);
    VerifyNext();
}

void TRequestSequence::VerifyNext() {
    if (verify_.next >= verify_.pages.size()) {
        FinishVerify();
        return;
    }
    const int32_t address = verify_.pages[verify_.next];
    SendOwn(address, QByteArray(), TText::tr("Verifying %1/%2").arg(verify_.next + 1).arg(verify_.pages.size()));
}

// The read-back's own requests: their replies are the sequence's, the
// operation is the one that wrote.
// A page read, or a save when page is given.
void TRequestSequence::SendOwn(int32_t address, const QByteArray& page, const QString& statusText) {
    TSendOptions o;
    o.operation = verify_.operation;
    if (page.isEmpty()) ReadPage(address, statusText, o);
    else SavePage(address, page, statusText, o);
}

TReplyVerdict TRequestSequence::OfferOwnRead(const TValidReply& reply) {
    const int32_t address = pending_.address;
    SetActive(false);
    const QByteArray written = unverified_[address];
    auto pageFailed = [&] {
        verify_.failed.push_back(address);
        known_.erase(address);
        unverified_.erase(address);
        ++verify_.next;
        VerifyNext();
    };
    if (pending_.reply.kind == TReplyShape::TKind::Save) {
        // The page saved once more: read it back again, or give it up.
        if (reply.Payload[0] == 1) SendOwn(address, QByteArray(), TText::tr("Verifying again"));
        else pageFailed();
        return TReplyVerdict::Held;
    }
    const QByteArray read(reinterpret_cast<const char*>(reply.Payload.data()), reply.Length);
    if (read == written) {
        ++verifiedInTransfer_;
        known_[address] = read;
        unverified_.erase(address);
        ++verify_.next;
        VerifyNext();
    } else if (verify_.resaved[address]++ == 0) {
        SendOwn(address, written, TText::tr("Save again"));
        unverified_[address] = written;  // Send forgot the page until it is acknowledged
    } else {
        pageFailed();
    }
    return TReplyVerdict::Held;
}

void TRequestSequence::FinishVerify() {
    auto done = std::move(verify_.done);
    const std::vector<int32_t> failed = verify_.failed;
    verify_ = {};
    if (done) done(failed);
}

bool TSingleCommand::Send() {
    if (seq_.Outstanding()) return false;
    if (BeforeSend && !BeforeSend(Command)) return true;
    TSendOptions o;
    o.onReply = OnReply;
    seq_.Send(Command, 0, Payload ? Payload() : QByteArray(), reply_, sendText_, o);
    return true;
}

} // namespace portiqa
