#pragma once
#include "base/operator.h"
#include "link/request.h"
#include "numbers/number_table.h"
#include <QStringList>
#include <map>

namespace portiqa {

// The number list block: 375 pages of eight 32-byte records from 0x1000 on.
class TtelephoneSend : public Tsend_rec_command {
public:
    TtelephoneSend(TRequestSequence& seq, TNumberTable& table, IOperator& op)
        : seq_(seq), table_(table), op_(op) {}

    void btn10Click();   // download, after the operator accepts
    // Check the table; read the module's list first when it is not known on
    // this connection; ask with what the save changes (a warning when it
    // removes records); then save.
    void btn9Click();
    // Download with no question and no closing message box (after a restore).
    void DownloadQuietly();
    void DownloadWithoutQuestion() { StartDownload(false); }

    void ReadNextNumberPage();
    void RequestNumberPage(int page);
    void DecodeNumberPage();
    void SaveNextNumberPage();
    bool SendNumberPage(int page);  // false: the module holds it already
    // The eight records of a page, encoded from the table.
    void EncodeNumberPage(int page, uint8_t* area) const;

    void HandleReadReply() override { DecodeNumberPage(); }
    void HandleSaveReply() override;
    void AbortTransfer() override;
    bool TransferRunning() const override { return chain_ != TChain::None; }

private:
    enum class TChain { None, Read, ReadBeforeSave, Save, CheckBeforeWrite, Verify };
    void StartDownload(bool quiet);
    void ContinueSave();
    void KeepBase();
    bool HaveBase() const;
    QByteArray TableRecord(int row) const;
    QByteArray BaseRecord(int page, int i) const;
    // The read of a page just before it is written, and what follows it.
    void RequestCheck(int page, bool twice);
    void CheckedPage();
    void SendEncoded(int page, const uint8_t* area);
    void FinishSave(const std::vector<int32_t>& failed);
    bool StartRefused();
    bool ModuleHolds(int32_t address, const uint8_t* area) const;
    TRequestSequence& seq_;
    TNumberTable& table_;
    IOperator& op_;
    TChain chain_ = TChain::None;
    bool quiet_ = false;
    int pagesDecoded_ = 0;
    // The module's pages as the table was last loaded from or saved into
    // them: the copy the operator's edits are based on.
    std::map<int32_t, QByteArray> base_;
    int baseGeneration_ = -1;
    bool checkedTwice_ = false;
    QStringList moduleChanged_, conflicts_;
};

} // namespace portiqa
