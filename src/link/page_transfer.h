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
// While it runs, the receiver hands it every reply. Writing leaves out pages
// the module holds, and reads back what it wrote.
class TPageTransfer : public Tsend_rec_command {
public:
    TPageTransfer(TRequestSequence& seq, Tprogressbar_ctrl& progress) : seq_(seq), progress_(progress) {}

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
    };

    // Reads the pages in order; those in twice are read twice and must agree.
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, TReading reading);
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, const QString& statusText);
    // Writes the pages the module does not hold, then reads them back; false
    // (nothing sent) when BeforeWrite refuses.
    bool StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, TWriting writing);
    bool StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, const QString& statusText,
                                  const QString& intent = QString());

    // Asked before any write's first frame with its operation and intent;
    // false stops it (the operator has been told why).
    std::function<bool(TOperation operation, const QString& intent)> BeforeWrite;
    // Confirms pages read once (see TSendOptions::confirmed); unset: a page
    // read once is taken as it comes.
    std::function<bool(int32_t address, const QByteArray& page)> Confirm;

    // The pages read, by address.
    std::map<int32_t, QByteArray> Pages;
    int PagesWritten() const { return seq_.PagesWrittenInTransfer(); }
    // The pages the last write sent (the others the module held already).
    std::set<int32_t> Sent;

    // The words shown as read and save replies come in, whether they carry
    // the count of pages done, and the operation running.
    const QString& ProgressLabel() const { return progressLabel_; }
    const QString& SaveLabel() const { return saveLabel_; }
    bool Counted() const { return counted_; }
    TOperation Operation() const { return operation_; }

    void HandleReadReply() override;
    void HandleSaveReply() override;
    void AbortTransfer() override;
    bool TransferRunning() const override { return phase_ != TPhase::Idle; }

    // The end of a read, or of a write and its read-back: the pages that
    // still differ (empty: all done).
    std::function<void(const std::vector<int32_t>& failed)> OnFinished;

private:
    enum class TPhase { Idle, Reading, Writing, Checking, Verifying };
    void Begin(size_t pages, TPhase phase, const QString& statusText, TOperation operation, bool newTransfer);
    void NextRead();
    void NextWrite();
    void Checked();
    void RequestCheck(bool twice);
    void SendCurrent();
    bool ModuleHolds(int32_t address, const QByteArray& page) const;
    void Finish(const std::vector<int32_t>& failed);
    TRequestSequence& seq_;
    Tprogressbar_ctrl& progress_;
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
    // Raised once when an operation has run to its end (after its final
    // message, which it carries).
    std::function<void(const QString& message)> OnTransferDone;
    // Raised once when it failed or was declined (after its message, if any).
    std::function<void(const QString&)> OnTransferFailed;

private:
    const TPageTransfer& chain_;
    TOperation operation_;
};

} // namespace portiqa
