#pragma once
#include "base/texts.h"
#include "link/page_transfer.h"
#include "base/status_report.h"
#include "base/timer.h"
#include "link/frame_assembler.h"
#include "link/request.h"
#include <functional>

namespace portiqa {

// Why a transfer ended early, for front ends that need more than a message.
enum class TLinkFailure { ReplyTimeout, SaveRefused, CommandFailed, HandlerFailed, ReadsDisagree, Cancelled, LinkLost };

// What the receiver has to tell the operator, as facts: the words for them
// are chosen above the link (link_messages.h, by the session).
struct TLinkNotice {
    enum class TKind {
        ReplyTimeout,       // no acceptable reply within the reply time
        SaveRefused,        // the module answered a save with a status other than 1
        ReadsDisagree,      // two reads of a page kept differing
        CommandAnswered,    // a single command was answered; ok tells how, detail in the command's words
        HandlerFailed,      // a reply handler failed; detail holds its text
        Cancelled,          // the operator ended the transfer
        LinkLost,           // the port closed under the transfer (cable pulled, bridge gone)
    };
    TKind kind = TKind::ReplyTimeout;
    uint8_t command = 0;        // the command the notice concerns
    int32_t address = 0;        // the page it concerns
    bool ok = false;            // CommandAnswered: status byte 1
    bool rawPages = false;      // the module's memory as it is (backup, restore), not a block
    int pagesWritten = 0;       // pages acknowledged in this transfer so far
    bool verifying = false;     // every page was written; the read-back had begun
    QString detail;
};

// Turns received bytes into replies, lets the request sequence hand each to
// the handler its request named, reports what the operator is to be told, and
// owns the reply timer's expiry.
class TReceiver {
public:
    TReceiver(TFrameAssembler& assembler, TValidReply& valid, TRequestSequence& seq, TProgressControl& progress);

    // The page chain of every block, ended when an exchange fails.
    void SetPageTransfer(TPageTransfer* transfer) { pages_ = transfer; }

    // The port's receive event: every byte goes through the per-byte steps.
    void OnBytes(const uint8_t* buffer, int length);
    // The reply timer's expiry.
    void OnReplyTimeout();
    // The operator ends the running transfer: the outstanding request is
    // forgotten (a late reply to it is dropped), every chain ends, and the
    // end is reported as Cancelled. False when nothing was running.
    bool CancelTransfer();
    // The port went away under the running transfer: it ends at once, reported
    // as LinkLost (one notice, with what was written). False when nothing was running.
    bool LoseLink() { return LoseLinkFor({}); }
    // The same, with why the port closed when it can tell (a device server's words).
    bool LoseLinkFor(const QString& why);

    // Raised first for everything the operator is to be told.
    std::function<void(const TLinkNotice&)> OnNotice;
    // Raised, after the notice, whenever a transfer or command ends in failure.
    std::function<void(TLinkFailure)> OnFailure;
    // Raised when a single-frame command has been answered.
    std::function<void(uint8_t command, bool ok)> OnCommandReply;

private:
    // One byte; false when its handling already set the reply timer as it must stay.
    bool ReceiveByte(uint8_t b);
    // The owed reply came damaged: the request again, or the end of it.
    void ReAsk();
    void Dispatch();
    void DispatchSave();
    void DispatchRead();
    void ReplyToSingle(const TReplyShape& shape);
    bool FirstPayloadByteIsOne() const;
    void Fail(TLinkFailure why, TLinkNotice notice);
    void Notify(const TLinkNotice& notice) {
        if (OnNotice) OnNotice(notice);
    }
    void EndTransfers();
    // The reply owed will not be taken (its time ran out, or the operator
    // ended the transfer): every chain ends and the end is reported.
    void GiveUpOwedReply(TLinkNotice::TKind kind, TLinkFailure why, const QString& detail = {});
    // Ends the running transfer at once, from outside (the operator, the port).
    bool EndNow(TLinkNotice::TKind kind, TLinkFailure why, const QString& detail = {});
    void SaveRefused(bool rawPages);

    TFrameAssembler& assembler_;
    TValidReply& valid_;
    TRequestSequence& seq_;
    TStatusControl& status_;
    // Shown on every byte: looked up once, in the language of the connection.
    const QString dataCommunication_ = TText::tr("Data communication");
    TProgressControl& progress_;
    ITimer& replyTimer_;
    TPageTransfer* pages_ = nullptr;
    bool damaged_ = false;  // a broken frame since the last byte of a whole one
};

} // namespace portiqa
