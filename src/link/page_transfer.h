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

// Reads or writes any list of pages through the request sequence: the page
// chain of the history download and of the operations that work on the
// module's memory as it is (backup, restore). While it runs, the receiver
// hands it every reply. Writing leaves out pages the module holds, and reads
// back what it wrote.
class TPageTransfer : public Tsend_rec_command {
public:
    TPageTransfer(TRequestSequence& seq, Tprogressbar_ctrl& progress) : seq_(seq), progress_(progress) {}

    // What a read is for: its words, and what becomes of each page.
    struct TReading {
        QString statusText;     // the requests' words
        QString progressLabel;  // shown before "n/N" as the replies come in
        TOperation operation = TOperation::Memory;
        // Each page as it arrives, so that what came before a failure stays;
        // without it the pages are kept in Pages.
        std::function<void(int32_t address, const uint8_t* page)> onPage;
    };

    // Reads the pages in order; those in twice are read twice and must agree.
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, TReading reading);
    void StartRead(std::vector<int32_t> addresses, std::set<int32_t> twice, const QString& statusText);
    // Writes the pages the module does not hold, then reads them back.
    void StartWrite(std::vector<std::pair<int32_t, QByteArray>> pages, const QString& statusText);

    // The pages read, by address.
    std::map<int32_t, QByteArray> Pages;
    int PagesWritten() const { return seq_.PagesWrittenInTransfer(); }
    // The pages the last write sent (the others the module held already).
    std::set<int32_t> Sent;

    // The words shown with the count of pages done, and the operation running.
    const QString& ProgressLabel() const { return progressLabel_; }
    TOperation Operation() const { return operation_; }

    void HandleReadReply() override;
    void HandleSaveReply() override { Next(); }
    void AbortTransfer() override { running_ = false; }
    bool TransferRunning() const override { return running_; }

    // The end of a read, or of a write and its read-back: the pages that
    // still differ (empty: all done).
    std::function<void(const std::vector<int32_t>& failed)> OnFinished;

private:
    void Begin(size_t pages, bool writing, const QString& statusText, const QString& progressLabel, TOperation operation);
    void Next();
    void Finish(const std::vector<int32_t>& failed);
    TRequestSequence& seq_;
    Tprogressbar_ctrl& progress_;
    bool running_ = false, writing_ = false;
    std::vector<int32_t> addresses_;
    std::vector<std::pair<int32_t, QByteArray>> writes_;
    std::set<int32_t> twice_;
    size_t next_ = 0;
    QString statusText_, progressLabel_;
    TOperation operation_ = TOperation::Memory;
    std::function<void(int32_t, const uint8_t*)> onPage_;
};

} // namespace portiqa
