#include "link/receiver.h"
#include "base/texts.h"
#include <algorithm>

namespace portiqa {

TReceiver::TReceiver(TFrameAssembler& assembler, TValidReply& valid, TRequestSequence& seq, TProgressControl& progress)
    : assembler_(assembler), valid_(valid), seq_(seq), status_(seq.Status()), progress_(progress),
      replyTimer_(seq.ReplyTimer()) {
    replyTimer_.OnTimer = [this] { OnReplyTimeout(); };
}

void TReceiver::OnBytes(const uint8_t* buffer, int length) {
    // Every byte at hand in one event: the status says so once, and the wait
    // for the rest of a reply is armed once, after the last byte (as each
    // byte's handling leaves it).
    if (length <= 0) return;
    status_.ShowStatus(dataCommunication_);
    bool arm = false;
    // The event boundary: a failure inside a handler ends that handler's
    // work and is reported; the bytes after it are still taken.
    for (int i = 0; i < length; ++i) {
        try {
            arm = ReceiveByte(buffer[i]);
        } catch (const std::exception& e) {
            arm = false;
            TLinkNotice n;
            n.kind = TLinkNotice::TKind::HandlerFailed;
            n.detail = QString::fromUtf8(e.what());
            Notify(n);
            if (OnFailure) OnFailure(TLinkFailure::HandlerFailed);
        }
    }
    // While a reply is still owed, silence on the line is measured from the
    // last byte: a dropped or damaged reply ends in the reply timer's
    // message instead of a transfer that stops without a word.
    if (arm && seq_.Outstanding()) seq_.ArmAfterByte(damaged_ || assembler_.Receiving);
}

bool TReceiver::ReceiveByte(uint8_t b) {
    replyTimer_.SetEnabled(false);
    switch (assembler_.Feed(b)) {
    case TFrameAssembler::TStep::Invalid:
        status_.ShowStatus(TText::tr("Invalid data"));
        // A frame that failed its check where the owed reply was to end is
        // that reply, damaged: asked for again at once. Any other broken
        // frame may still have bytes coming: asked for once the line is quiet.
        if (seq_.OwesReply(assembler_.RawBytes[0], assembler_.HeaderAddress(), assembler_.PayloadLength)) {
            damaged_ = false;
            ReAsk();
            return false;
        }
        damaged_ = true;
        break;
    case TFrameAssembler::TStep::Complete:
        assembler_.CopyTo(valid_);
        Dispatch();
        break;
    default:
        break;
    }
    return true;
}

void TReceiver::ReAsk() {
    assembler_.Reset();
    if (seq_.ReAskAfterDamage()) {
        status_.ShowStatus(TText::tr("Повтор запроса %1/%2").arg(seq_.Attempt()).arg(seq_.MaxAttempts()));
        return;
    }
    // Every try of a page request came back damaged.
    if (seq_.OwesRepeatableReply()) {
        GiveUpOwedReply(TLinkNotice::TKind::ReplyTimeout, TLinkFailure::ReplyTimeout);
        return;
    }
    // A single command is never sent twice: its reply may still come whole.
    if (seq_.Outstanding()) seq_.ArmAfterByte(false);
}

bool TReceiver::FirstPayloadByteIsOne() const {
    // A status reply without payload carries no status byte: a failure.
    return valid_.Length > 0 && valid_.Payload[0] == 1;
}

void TReceiver::Fail(TLinkFailure why, TLinkNotice notice) {
    notice.command = notice.command ? notice.command : valid_.Command;
    Notify(notice);
    if (OnFailure) OnFailure(why);
}

void TReceiver::ReplyToSingle(const TReplyShape& shape) {
    status_.ShowStatus(shape.takenText);
    TLinkNotice n;
    n.kind = TLinkNotice::TKind::CommandAnswered;
    n.command = valid_.Command;
    n.ok = FirstPayloadByteIsOne();
    n.detail = n.ok ? shape.acceptedText : shape.refusedText;
    Notify(n);
    if (!n.ok && OnFailure) OnFailure(TLinkFailure::CommandFailed);
    if (OnCommandReply) OnCommandReply(valid_.Command, n.ok);
}

void TReceiver::SaveRefused(bool rawPages) {
    TLinkNotice n;
    n.kind = TLinkNotice::TKind::SaveRefused;
    n.command = valid_.Command;
    n.address = valid_.Address;
    n.rawPages = rawPages;
    n.pagesWritten = seq_.PagesWrittenInTransfer();
    EndTransfers();
    Fail(TLinkFailure::SaveRefused, n);
}

void TReceiver::Dispatch() {
    switch (seq_.Offer(valid_)) {
    case TReplyVerdict::Unasked:
        // Late, duplicated, unasked, for another address or of the wrong
        // length: never decoded, never a step of a chain.
        status_.ShowStatus(TText::tr("Unexpected reply"));
        return;
    case TReplyVerdict::Held:
        return;
    case TReplyVerdict::Disagree: {
        TLinkNotice n;
        n.kind = TLinkNotice::TKind::ReadsDisagree;
        n.address = valid_.Address;
        EndTransfers();
        Fail(TLinkFailure::ReadsDisagree, n);
        return;
    }
    case TReplyVerdict::Take:
        break;
    }
    switch (seq_.TakenShape().kind) {
    case TReplyShape::TKind::Status:
        ReplyToSingle(seq_.TakenShape());
        break;
    case TReplyShape::TKind::Save:
        DispatchSave();
        break;
    case TReplyShape::TKind::Page:
    case TReplyShape::TKind::Data:
        DispatchRead();
        break;
    }
}

// A page read or save goes to the handler its request named; the receiver
// reports a refused save, which ends every chain.
void TReceiver::DispatchSave() {
    const bool accepted = FirstPayloadByteIsOne();
    if (!seq_.Answer(valid_)) {
        status_.ShowStatus(TText::tr("Undefined address"));
        return;
    }
    if (!accepted) SaveRefused(seq_.TakenOperation() == TOperation::Memory);
}

void TReceiver::DispatchRead() {
    if (!seq_.Answer(valid_)) status_.ShowStatus(TText::tr("Undefined address"));
}

void TReceiver::EndTransfers() {
    seq_.AbortTransfer();
    if (pages_) pages_->AbortTransfer();
}

void TReceiver::OnReplyTimeout() {
    replyTimer_.SetEnabled(false);
    // A frame cut off by the silence can never complete: start afresh, so
    // that the next reply is not read as its continuation.
    const bool damaged = damaged_ || assembler_.Receiving;
    damaged_ = false;
    assembler_.Reset();
    if (damaged && seq_.Outstanding()) {
        ReAsk();
        return;
    }
    // A page request the module has not answered is sent again, a limited
    // number of times, while the module has answered in this transfer.
    if (seq_.RetryAfterSilence()) {
        status_.ShowStatus(TText::tr("Повтор запроса %1/%2").arg(seq_.Attempt()).arg(seq_.MaxAttempts()));
        return;
    }
    GiveUpOwedReply(TLinkNotice::TKind::ReplyTimeout, TLinkFailure::ReplyTimeout);
}

bool TReceiver::CancelTransfer() { return EndNow(TLinkNotice::TKind::Cancelled, TLinkFailure::Cancelled); }

bool TReceiver::LoseLinkFor(const QString& why) { return EndNow(TLinkNotice::TKind::LinkLost, TLinkFailure::LinkLost, why); }

bool TReceiver::EndNow(TLinkNotice::TKind kind, TLinkFailure why, const QString& detail) {
    if (!seq_.Outstanding()) return false;
    replyTimer_.SetEnabled(false);
    damaged_ = false;
    assembler_.Reset();
    GiveUpOwedReply(kind, why, detail);
    return true;
}

void TReceiver::GiveUpOwedReply(TLinkNotice::TKind kind, TLinkFailure why, const QString& detail) {
    TLinkNotice n;
    n.kind = kind;
    n.detail = detail;
    n.pagesWritten = seq_.PagesWrittenInTransfer();
    n.verifying = seq_.Verifying();
    seq_.GiveUp();
    EndTransfers();
    Fail(why, n);
    status_.Display().SetStatusText(QString());
    progress_.SetProgress(100);
}

} // namespace portiqa
