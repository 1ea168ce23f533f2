#pragma once
#include "base/operator.h"
#include "link/page_transfer.h"
#include "link/request.h"
#include "numbers/access_changes.h"
#include "numbers/number_diff.h"
#include "numbers/number_table.h"
#include <QStringList>
#include <map>

namespace portiqa {

// The number list block: 375 pages of eight 32-byte records from 0x1000 on,
// moved between the module and the number table through the page chain.
class TNumberBlock : public TPageBlock {
public:
    TNumberBlock(TRequestSequence& seq, TPageTransfer& transfer, TNumberTable& table, IOperator& op)
        : TPageBlock(transfer, TOperation::Numbers), seq_(seq), transfer_(transfer), table_(table), op_(op) {}

    void DownloadAfterQuestion();   // download, after the operator accepts
    // Check the table; read the module's list first when it is not known on
    // this connection; ask with what the save changes (a warning when it
    // removes records); then save.
    void Save();
    // Download with no question and no closing message box (after a restore).
    void DownloadQuietly();
    void DownloadWithoutQuestion() { StartDownload(false); }

    // A number page as it arrives, into its eight rows (a page beyond record
    // 3000 has none).
    void DecodeNumberPage(int32_t address, const uint8_t* page);
    // The eight records of a page, encoded from the table.
    void EncodeNumberPage(int page, uint8_t* area) const;
    void ShowModuleList();

private:
    static constexpr int kIntentRecords = 100;
    void StartDownload(bool quiet);
    void FinishDownload();
    void ReadAll(std::function<void(int32_t, const uint8_t*)> onPage, std::function<void()> then,
                 std::function<void()> onAbort = {});
    void ContinueSave(bool readJustNow);
    bool Confirmed(const TNumberDiff& diff, const QList<TAccessChange>& access);
    void StartWriting(const TNumberDiff& diff, const QList<TAccessChange>& access, bool readJustNow);
    void KeepBase();
    bool HaveBase() const;
    QByteArray TableRecord(int row) const;
    QByteArray BaseRecord(int page, int i) const;
    // Whether a page is read just before it is written, and what that read means.
    bool CheckFirst(int32_t address, const QByteArray& page) const;
    TPageTransfer::TCheck Checked(int32_t address, const uint8_t* fresh, bool readTwice, QByteArray& page);
    void FinishSave(const std::vector<int32_t>& failed);
    bool ModuleHolds(int32_t address, const uint8_t* area) const;
    TRequestSequence& seq_;
    TPageTransfer& transfer_;
    TNumberTable& table_;
    IOperator& op_;
    bool quiet_ = false;
    int pagesDecoded_ = 0;
    // The module's pages as the table was last loaded from or saved into
    // them: the copy the operator's edits are based on.
    std::map<int32_t, QByteArray> base_;
    int baseGeneration_ = -1;
    QStringList moduleChanged_, conflicts_;
};

} // namespace portiqa
