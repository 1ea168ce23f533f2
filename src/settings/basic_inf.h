#pragma once
#include "app/operator.h"
#include "base/status_report.h"
#include "link/request.h"
#include "settings/settings_table.h"

namespace portiqa {

// The basic-settings block: two 256-byte pages at 0x000 and 0x100, moved
// between the module and the settings table by reply-driven chains.
class TBasicInf : public Tsend_rec_command {
public:
    TBasicInf(TRequestSequence& seq, TSettingsTable& table, Tprogressbar_ctrl& progress, IOperator& op);

    void btn21Click();  // read, after the operator accepts
    void btn22Click();  // save, no question asked

    void ReadNextSettingsPage();
    void RequestSettingsPage(int page);
    void DecodeSettingsPage();
    void SaveNextSettingsPage();
    bool SendSettingsPage(int page);  // false: the module holds it already
    void EncodeSettingsPage1();
    void EncodeSettingsPage2();

    void HandleReadReply() override { DecodeSettingsPage(); }
    void HandleSaveReply() override;
    void AbortTransfer() override { chain_ = TChain::None; }
    bool TransferRunning() const override { return chain_ != TChain::None; }

    // Layout of page 1 (offsets) and the rows they belong to.
    static constexpr int kPassword = 0, kSimNumber = 4, kSensor1 = 26, kSensor2 = 27, kAlarm1 = 28,
                         kAlarm2 = 68, kAutoArm = 108, kControl = 110, kArming = 111, kRelayTime1 = 112,
                         kRelayTime2 = 114, kSmsOnClose = 116, kSmsOnOpen = 117, kRelayOnText = 118,
                         kRelayOffText = 158, kHidden17 = 198, kPowerDelay = 200, kStatusInterval = 202,
                         kHidden18 = 204, kHidden19 = 236, kHidden20 = 238, kHidden21a = 254;
    // Page 2.
    static constexpr int kHidden21b = 0, kHidden22 = 14;
    static constexpr int kTextWidth = 40;

private:
    enum class TChain { None, Read, Save, Verify };
    void FinishSave(const std::vector<int32_t>& failed);
    void SetSelection(int row, uint8_t value);
    void DecodePage1();
    void DecodePage2();
    bool StartRefused();

    TRequestSequence& seq_;
    TSettingsTable& table_;
    Tprogressbar_ctrl& progress_;
    IOperator& op_;
    TChain chain_ = TChain::None;
};

// Fill a 256-byte page from the table (0xFF wherever no field is written).
void EncodeSettingsPage1To(const TSettingsTable& table, uint8_t* page);
void EncodeSettingsPage2To(const TSettingsTable& table, uint8_t* page);

} // namespace portiqa
