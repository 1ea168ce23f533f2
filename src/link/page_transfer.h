#pragma once
#include "base/outcome.h"
#include "base/status_report.h"
#include "link/request.h"
#include <QByteArray>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace portiqa {

// Reads or writes any list of pages through the request sequence: the one
// page chain, for the settings, the number list, the history and the
// operations that work on the module's memory as it is (backup, restore).
// Every request it sends names OnReply as its handler. Writing leaves out
// pages the module holds, and reads back what it wrote.
class TPageTransfer {
public:
    TPageTransfer(TRequestSequence& seq, TProgressControl& progress) : seq_(seq), progress_(progress) {}
    virtual ~TPageTransfer() = default;

    // The end of a read, or of a write and its read-back: the pages that
    // still differ (empty: all done).
    using TFinished = std::function<void(const std::vector<int32_t>& failed)>;

    // What a read is for: its words, and what becomes of each page.
    struct TReading {
        QString statusText;     // the requests' words
        QString progressLabel;  // shown as the replies come in
        TOperation operation = TOperation::Memory;
        // Each page as it arrives, so that what came before a failure stays;
        // without it the pages are kept in Pages.
        std::function<void(int32_t address, const uint8_t* page)> onPage;
        bool counted = true;  // the label is followed by "done/all"
        std::function<void()> onAbort;  // the read ended before its last page
        TFinished onFinished;           // the read has every page
        // The read checks a write of the same operation: one transfer, so
        // the operation's outcome counts the pages written and verified.
        bool continuesTransfer = false;
    };

    // What a page's check just before it is written decides.
    enum class TCheck { Write, Skip, ReadTwice };

    // What a write is for: its words and the block's rules for its pages.
    struct TWriting {
        QString statusText;     // the requests' words
        QString progressLabel;  // shown as the acknowledgements come in
        QString checkLabel;     // shown as the replies to checks come in
        TOperation operation = TOperation::Memory;
        bool counted = true;
        // The write follows a read of the same operation: one transfer, so a
        // module that answered the read counts as alive for retries.
        bool continuesTransfer = false;
        // The module holds a page already (default: byte for byte).
        std::function<bool(int32_t address, const uint8_t* page)> holds;
        // The page is read just before it is written (the module may have
        // changed it itself since the copy the page was made from).
        std::function<bool(int32_t address, const QByteArray& page)> checkFirst;
        // What that read means: the page may be changed (records the module
        // changed itself), left out, or read twice more to tell a damaged
        // reply from a change.
        std::function<TCheck(int32_t address, const uint8_t* fresh, bool readTwice, QByteArray& page)> checked;
        // What the write changes, in the operator's words (for the record).
        QString intent;
        TFinished onFinished;  // written and read back
    };

    // Reads the pages in order; those in twice are read twice and must agree.
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, TReading reading);
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, const QString& statusText,
                   TFinished onFinished);
    // Writes the pages the module does not hold, then reads them back; false
    // (nothing sent) when BeforeWrite refuses.
    bool StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, TWriting writing);
    bool StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, const QString& statusText,
                    const QString& intent, TFinished onFinished);

    // Asked before any write's first frame with its operation, intent and
    // the pages it means the module to hold; false stops it (the operator
    // has been told why).
    std::function<bool(TOperation operation, const QString& intent,
                       const std::vector<std::pair<int32_t, QByteArray>>& pages)>
        BeforeWrite;
    // Confirms pages read once (see TSendOptions::confirmed); unset: a page
    // read once is taken as it comes.
    std::function<bool(int32_t address, const QByteArray& page)> Confirm;

    // The pages read, by address.
    std::map<int32_t, QByteArray> Pages;
    int PagesWritten() const { return seq_.PagesWrittenInTransfer(); }
    // The pages the last write sent (the others the module held already).
    std::set<int32_t> Sent;

    // The operation running.
    TOperation Operation() const { return operation_; }

    // The handler of every request the chain sends: shows the progress and
    // reads on, writes on or checks the page.
    void OnReply(const TReply& reply);
    // The transfer ended early (no reply, a refusal): the chain is forgotten,
    // so that a late reply does not start it again.
    void AbortTransfer();
    bool TransferRunning() const { return phase_ != TPhase::Idle; }

    // The pages of the transfer and the next one asked for (the "n/N" shown).
    uint16_t PageCount = 0;
    uint16_t PageNo = 0;

protected:
    // A page read for the transfer, and a save the module acknowledged.
    virtual void PageRead(int32_t address, const uint8_t* page);
    virtual void SaveAcknowledged();

private:
    enum class TPhase { Idle, Reading, Writing, Checking, Verifying };
    void Begin(size_t pages, TPhase phase, const QString& statusText, TOperation operation, bool newTransfer);
    void NextRead();
    void NextWrite();
    void Checked(int32_t address, const uint8_t* fresh);
    TSendOptions Asking();
    void ShowPages(const QString& label);
    void RequestCheck(bool twice);
    void SendCurrent();
    bool ModuleHolds(int32_t address, const QByteArray& page) const;
    void Finish(const std::vector<int32_t>& failed);
    TRequestSequence& seq_;
    TProgressControl& progress_;
    TPhase phase_ = TPhase::Idle;
    std::vector<int32_t> addresses_;
    std::vector<std::pair<int32_t, QByteArray>> writes_;
    std::set<int32_t> twice_;
    size_t next_ = 0;
    bool checkedTwice_ = false;
    QString statusText_, progressLabel_, saveLabel_;
    bool counted_ = true;
    TOperation operation_ = TOperation::Memory;
    std::function<void(int32_t, const uint8_t*)> onPage_;
    std::function<void()> onAbort_;
    TFinished onFinished_;
    TWriting writing_;
};

// A block whose operations run on the page chain under its own operation's
// name, and how they end.
class TPageBlock {
public:
    TPageBlock(const TPageTransfer& chain, TOperation operation) : chain_(chain), operation_(operation) {}
    virtual ~TPageBlock() = default;
    TOperation Operation() const { return operation_; }
    // The chain is running one of this block's operations.
    bool TransferRunning() const { return chain_.TransferRunning() && chain_.Operation() == operation_; }
    // How one of its operations ended: raised once an operation, after the
    // operator was told. words: what the operator was shown at the end (the
    // closing message, the reason), or the question declined.
    struct TEnd {
        TOutcome::TKind kind = TOutcome::TKind::Done;
        QString words;
        // Refused before anything was sent (a rule broken, a question
        // declined at the start): when another operation is running, that
        // one's end is still to come and this one ends nothing.
        bool beforeSending = false;
    };
    std::function<void(const TEnd&)> OnEnded;

    void End(TOutcome::TKind kind, const QString& words = QString(), bool beforeSending = false) {
        if (OnEnded) OnEnded({kind, words, beforeSending});
    }
    void Done(const QString& words) { End(TOutcome::TKind::Done, words); }
    void Fail(const QString& words = QString()) { End(TOutcome::TKind::Failed, words); }
    // The operator declined a question on the way: the operation is cancelled.
    void Decline(const QString& question) { End(TOutcome::TKind::Cancelled, question); }
    void Refuse(const QString& words, bool declined = false) {
        End(declined ? TOutcome::TKind::Cancelled : TOutcome::TKind::Failed, words, true);
    }

private:
    const TPageTransfer& chain_;
    TOperation operation_;
};

} // namespace portiqa
