#pragma once
#include "base/outcome.h"
#include "base/status_report.h"
#include "base/timer.h"
#include "link/protocol.h"
#include "link/reply_clock.h"
#include "link/reply_shape.h"
#include "link/serial_port.h"
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace portiqa {

constexpr int kReplyTimeoutMs = 3000;
// A page request that gets no acceptable reply is sent this many times in all.
constexpr int kPageAttempts = 3;

struct TValidReply;

// A reply taken for the request it answers, as its handler gets it.
struct TReply {
    uint8_t command = 0;
    int32_t address = 0;
    const uint8_t* payload = nullptr;  // length bytes, valid during the call
    uint16_t length = 0;
    // A status reply (a save, a single command) with status byte 1; a status
    // reply without payload carries no status byte: a failure.
    bool Accepted() const { return length > 0 && payload[0] == 1; }
};
using TReplyHandler = std::function<void(const TReply&)>;

// What the sequence makes of a complete, well-formed reply.
enum class TReplyVerdict {
    Take,       // the reply to the outstanding request: hand it to its handler
    Unasked,    // late, duplicated, unasked, wrong address or wrong length: drop it
    Held,       // the sequence used it itself (first of two reads, read-back check)
    Disagree,   // two reads of one page kept differing: the transfer fails
};

// Options of one request.
struct TSendOptions {
    bool readTwice = false;  // a page that a save writes back: two reads must agree
    // Repeated after a lost reply even when the module has not answered yet
    // (the login: reading changes nothing in the module).
    bool retryWhenSilent = false;
    // What the request is part of: a request that fails ends this operation.
    TOperation operation = TOperation::Command;
    // The reply that matches the request, handed over when it is taken
    // (never worked out again from the address).
    TReplyHandler onReply;
    // Told when the request is given up without a reply (its time ran out,
    // the transfer was cancelled, the line was lost).
    std::function<void()> onGiveUp;
    // A page read once is taken when this confirms it (it equals the copy the
    // program last read from this module and verified); otherwise it is read
    // again, as a page read twice.
    std::function<bool(int32_t address, const QByteArray& page)> confirmed;
};

// The one way every request reaches the module, and the one place that
// decides which reply belongs to it. It keeps the outstanding request
// (command, address, and the shape of its reply, which the sender gives),
// takes only the reply that matches it, sends a repeatable request again,
// reads a written page back, and knows which pages of the module it holds
// exactly, so a save can leave out what the module already has. Page reads
// and saves are its own; any other command comes with its reply's shape.
class TRequestSequence {
public:
    TRequestSequence(ISerialPort& port, TStatusControl& status, ITimer& replyTimer)
        : port_(port), status_(status), replyTimer_(replyTimer) {}

    void ReadPage(int32_t address, const QString& statusText, TSendOptions options = {});
    void SavePage(int32_t address, const QByteArray& page, const QString& statusText, TSendOptions options = {});
    void Send(uint8_t command, int32_t address, const QByteArray& payload, const TReplyShape& reply,
              const QString& statusText, TSendOptions options = {});

    // A request has been sent and its reply has not been taken yet.
    bool Outstanding() const { return pending_.active; }
    // Forget the outstanding request (its time ran out, or a test resets the line).
    void SetOutstanding(bool on) { if (!on) SetActive(false); }
    // The outstanding request will get no reply: it is forgotten and its
    // sender told.
    void GiveUp();
    ITimer& ReplyTimer() { return replyTimer_; }
    TStatusControl& Status() { return status_; }

    // Judges a complete reply against the outstanding request.
    TReplyVerdict Offer(const TValidReply& reply);
    // Hands the reply Offer last took to its request's handler; false when
    // that request named none.
    bool Answer(const TValidReply& reply);
    // The operation of the request whose reply Offer last took, and its reply's shape.
    TOperation TakenOperation() const { return takenOperation_; }
    const TReplyShape& TakenShape() const { return takenShape_; }
    // The operation of the last request sent (answered or not).
    TOperation LastOperation() const { return pending_.options.operation; }
    // The reply time ran out: sends a page request again while it has
    // attempts left and the module has answered in this transfer. True when
    // it was sent again.
    bool RetryAfterSilence();
    // A reply to the outstanding request came damaged (its checksum failed,
    // or it was cut short): the request is sent again at once while it has
    // tries left. False for a single command and when no try is left.
    bool ReAskAfterDamage();
    // The outstanding request is a page read or save (it may be repeated).
    bool OwesRepeatableReply() const;
    // The outstanding request is owed a reply with this header.
    bool OwesReply(uint8_t command, int32_t address, int length) const;
    // The receiver saw a byte while a reply is owed: the silence is measured
    // from it, the whole try's wait, or only until the line is quiet when a
    // frame was cut short.
    void ArmAfterByte(bool frameCutShort);
    // How long the current try waits for its reply.
    int TryWaitMs() const;
    static constexpr int kLastTryMs = 2000;
    // A new connection: nothing learned of the module's answer times; the
    // line's speed in bits a second.
    void NewLine(uint32_t baud);
    const TReplyClock& ReplyClock() const { return clock_; }
    int Attempt() const { return pending_.attempt; }
    int MaxAttempts() const { return kPageAttempts; }

    // A transfer starts: its saves are counted from here. Retries need a
    // module that is alive: one that answered in this transfer, or answered
    // the request before it no more than kAliveMs ago (an operator who saves
    // right after a download over a bad cable). A module silent for longer
    // is reported after one reply time.
    void BeginTransfer();
    static constexpr qint64 kAliveMs = 10000;
    // The clock for that (milliseconds, steady); tests replace it.
    std::function<qint64()> Now;
    // A transfer has failed or been given up: no read-back runs any more.
    void AbortTransfer();
    int PagesWrittenInTransfer() const { return writtenInTransfer_; }
    // Pages read for the transfer (each once, however often it was asked
    // for), and pages read back equal to what was written.
    int PagesReadInTransfer() const { return readInTransfer_; }
    int PagesVerifiedInTransfer() const { return verifiedInTransfer_; }
    // Transfers begun on this sequence.
    int Transfers() const { return transfers_; }

    // What the program knows of the module's memory. Forgotten at login and
    // when the port closes; a page is known once two reads agreed, a single
    // read was taken, or a save of it was acknowledged.
    void ForgetModule();
    // Counts ForgetModule calls: a copy of the module taken under another
    // count belongs to another acquaintance (a login, a port closed).
    int ModuleGeneration() const { return generation_; }
    void ForgetRange(int32_t first, int32_t end);
    bool Holds(int32_t address, const uint8_t* page) const;
    bool Knows(int32_t address) const { return known_.count(address) != 0; }
    // The bytes the module holds at a page (null when not known).
    const QByteArray* KnownPage(int32_t address) const {
        const auto it = known_.find(address);
        return it == known_.end() ? nullptr : &it->second;
    }

    // Reads back every page acknowledged since the last check and compares it
    // with what was written; a page that differs is saved once more and read
    // again. done() gets the addresses that still differ (empty: all
    // verified). With verification off, done() runs at once with none. The
    // reads belong to the operation that wrote.
    void VerifyWritten(TOperation operation, std::function<void(const std::vector<int32_t>& failed)> done);
    bool Verifying() const { return verify_.running; }
    bool verifyAfterSave = true;

    // Told when a reply starts or stops being owed (the window's cancel button).
    std::function<void(bool outstanding)> OnOutstandingChanged;
    // Observes every frame written, for diagnostics and tests.
    std::function<void(const uint8_t*, int)> OnFrameSent;

private:
    struct TPending {
        bool active = false;
        uint8_t command = 0;
        int32_t address = 0;
        TReplyShape reply;
        QByteArray payload;
        QString statusText;
        TSendOptions options;
        int attempt = 0;
        QByteArray firstCopy;  // first of two reads
    };
    struct TVerify {
        bool running = false;
        std::vector<int32_t> pages;
        size_t next = 0;
        bool resaving = false;
        std::map<int32_t, int> resaved;  // pages saved once more
        std::vector<int32_t> failed;
        TOperation operation = TOperation::Command;
        std::function<void(const std::vector<int32_t>&)> done;
    };
    void Transmit();
    void SetActive(bool on);
    void Arm(int ms);
    void ArmTry();  // the current try's wait, worked out once
    int WireMs() const;
    bool Repeatable() const;
    bool Alive() const;
    void Learn();
    void Took();
    qint64 Clock() const;
    TReplyVerdict OfferOwnRead(const TValidReply& reply);
    void VerifyNext();
    void SendOwn(int32_t address, const QByteArray& page, const QString& statusText);
    void FinishVerify();

    ISerialPort& port_;
    TStatusControl& status_;
    ITimer& replyTimer_;
    TPending pending_;
    bool answeredInTransfer_ = false;
    qint64 lastAnswerMs_ = -1;
    int writtenInTransfer_ = 0;
    int readInTransfer_ = 0;
    int verifiedInTransfer_ = 0;
    int transfers_ = 0;
    int generation_ = 0;
    TReplyClock clock_;
    qint64 sentMs_ = 0;   // the last transmission
    int tryWaitMs_ = kReplyTimeoutMs;
    int transmits_ = 0;   // of the outstanding exchange: more than one makes its timing ambiguous
    TOperation takenOperation_ = TOperation::Command;
    TReplyShape takenShape_;
    TReplyHandler taken_;  // the handler of the request whose reply was last taken
    std::map<int32_t, QByteArray> known_;      // pages the module holds, byte for byte
    std::map<int32_t, QByteArray> unverified_; // acknowledged saves not yet read back
    TVerify verify_;
};


// A command of one frame to the module and its reply (checking mode,
// history deletion, the clock), as its block describes it.
struct TModuleCommand {
    uint8_t command = 0;
    QString sendText;  // the status text while it is sent
    TReplyShape reply;
    // What it changes in the module, in the operator's words; empty for a
    // command that changes nothing.
    QString change;
    // Its payload, made as it is sent (none when unset).
    std::function<QByteArray()> payload;
    // One answered by a status byte, with the words for each of its ends.
    static TModuleCommand WithStatus(uint8_t command, QString sendText, QString takenText, QString acceptedText,
                                   QString refusedText) {
        TModuleCommand c;
        c.command = command;
        c.sendText = std::move(sendText);
        c.reply.takenText = std::move(takenText);
        c.reply.acceptedText = std::move(acceptedText);
        c.reply.refusedText = std::move(refusedText);
        return c;
    }
};

// Sends such a command, with the payload Payload gives (none by default).
class TSingleCommand {
public:
    TSingleCommand(TRequestSequence& seq, TModuleCommand command)
        : Command(command.command), Payload(std::move(command.payload)), sendText_(std::move(command.sendText)),
          reply_(std::move(command.reply)), change_(std::move(command.change)), seq_(seq) {}
    virtual ~TSingleCommand() = default;
    // False (and nothing sent) while another reply is owed.
    bool Send();
    uint8_t Command;
    std::function<QByteArray()> Payload;
    // Takes a reply of bytes (a reply shaped as data); a status reply is the receiver's to report.
    TReplyHandler OnReply;
    // Asked before the command is sent; false stops it (the operator has
    // been told why, and Send reports it handled).
    std::function<bool(uint8_t command)> BeforeSend;
    // What it changes in the module (empty: nothing).
    const QString& Change() const { return change_; }

private:
    QString sendText_;
    TReplyShape reply_;
    QString change_;
    TRequestSequence& seq_;
};

} // namespace portiqa
