#include "settings/basic_inf.h"
#include "app/link_messages.h"
#include "link/page_fields.h"
#include "settings/settings_rules.h"
#include <algorithm>

namespace portiqa {

using namespace fields;

TBasicInf::TBasicInf(TRequestSequence& seq, TSettingsTable& table, Tprogressbar_ctrl& progress, IOperator& op)
    : seq_(seq), table_(table), progress_(progress), op_(op) {}

bool TBasicInf::StartRefused() {
    // Two chains on one line would take each other's replies.
    if (!seq_.Outstanding()) return false;
    op_.ShowMessage(BusyMessage());
    return true;
}

void TBasicInf::btn21Click() {
    if (!op_.AskAccept(QStringLiteral("Прочитать базовые настройки GSM модуля? "))) return;
    if (StartRefused()) return;
    PageCount = 2;
    PageNo = 1;
    chain_ = TChain::Read;
    seq_.BeginTransfer();
    ReadNextSettingsPage();
}

void TBasicInf::btn22Click() {
    if (StartRefused()) return;
    // Nothing the rules refuse goes to the module: a short PIN locks the
    // operator out, a cut text is not what was meant.
    if (const QString problem = CheckSettingsTable(table_); !problem.isEmpty()) {
        op_.ShowMessage(QStringLiteral("Настройки не сохранены. ") + problem);
        return;
    }
    PageCount = 2;
    PageNo = 1;
    chain_ = TChain::Save;
    seq_.BeginTransfer();
    SaveNextSettingsPage();
}

void TBasicInf::ReadNextSettingsPage() {
    // Only a running read asks for more; a stray read reply is decoded and
    // goes no further.
    if (chain_ != TChain::Read) return;
    if (PageNo >= 1 && PageNo <= PageCount) {
        RequestSettingsPage(PageNo);
        ++PageNo;
    } else if (PageNo == PageCount + 1) {
        chain_ = TChain::None;
        op_.ShowMessage(QStringLiteral("Базовые настройки считаны"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TBasicInf::RequestSettingsPage(int page) {
    // What is read here goes back to the module with the next save: two
    // reads must agree.
    TSendOptions twice;
    twice.readTwice = true;
    seq_.Send(kCmdReadPage, SettingsPageAddress(page), 0, nullptr, QStringLiteral("Read settings"), twice);
}

void TBasicInf::HandleSaveReply() {
    if (chain_ == TChain::Save) SaveNextSettingsPage();
}

void TBasicInf::SaveNextSettingsPage() {
    while (PageNo >= 1 && PageNo <= PageCount) {
        progress_.SetProgress(static_cast<uint16_t>(PageNo * 50));
        // If encoding fails the chain ends here and nothing is sent.
        chain_ = TChain::None;
        const bool sent = SendSettingsPage(PageNo);
        chain_ = TChain::Save;
        ++PageNo;
        if (sent) return;
    }
    if (PageNo == PageCount + 1) {
        ++PageNo;
        chain_ = TChain::Verify;
        seq_.VerifyWritten([this](const std::vector<int32_t>& failed) { FinishSave(failed); });
    }
}

void TBasicInf::FinishSave(const std::vector<int32_t>& failed) {
    chain_ = TChain::None;
    FinishVerifiedSave(op_, *this, failed, SettingsPageAddress(1), QStringLiteral("Базовые настройки сохранены успешно"), seq_.PagesWrittenInTransfer());
}

bool TBasicInf::SendSettingsPage(int page) {
    if (page == 1) EncodeSettingsPage1();
    else EncodeSettingsPage2();
    // A page the module already holds byte for byte is not written again.
    if (seq_.Holds(SettingsPageAddress(page), Buffer.data())) return false;
    seq_.Send(kCmdSavePage, SettingsPageAddress(page), kPageSize, Buffer.data(), QStringLiteral("Save settings"));
    return true;
}

void TBasicInf::DecodeSettingsPage() {
    if (Address == 0x000) DecodePage1();
    else if (Address == 0x100) DecodePage2();
    ReadNextSettingsPage();
}

void TBasicInf::SetSelection(int row, uint8_t value) {
    table_.SetItemIndex(row, value);
    if (TSelectionEditor* e = table_.EditorOfRow(row)) e->moduleByte = table_.ItemIndex(row) < 0 ? value : -1;
}

void TBasicInf::DecodePage1() {
    const uint8_t* b = Buffer.data();
    progress_.SetProgress(25);
    seq_.Status().Display().SetStatusText(QStringLiteral("The first page"));
    table_.SetValue(1, DecodeDigits(b, kPassword, 4));
    table_.SetValue(2, DecodeDigits(b, kSimNumber, 22));
    table_.MakeVisible(3);
    table_.MakeVisible(4);
    SetSelection(3, b[kSensor1]);
    SetSelection(4, b[kSensor2]);
    table_.SetValue(5, DecodeText(b, kAlarm1, kTextWidth));
    table_.SetValue(6, DecodeText(b, kAlarm2, kTextWidth));
    table_.SetValue(7, DecodeNumber16(b, kAutoArm));
    // Byte 110 belongs to row 9 and byte 111 to row 8.
    SetSelection(9, b[kControl]);
    SetSelection(8, b[kArming]);
    table_.MakeVisible(9);
    table_.MakeVisible(8);
    // The relay time is stored twice; the second copy is the one shown.
    table_.SetValue(10, DecodeNumber16(b, kRelayTime1));
    table_.SetValue(10, DecodeNumber16(b, kRelayTime2));
    SetSelection(11, b[kSmsOnClose]);
    progress_.SetProgress(40);
    SetSelection(12, b[kSmsOnOpen]);
    table_.MakeVisible(11);
    table_.MakeVisible(12);
    table_.SetValue(13, DecodeText(b, kRelayOnText, kTextWidth));
    table_.SetValue(14, DecodeText(b, kRelayOffText, kTextWidth));
    table_.SetValue(17, DecodeNumber16(b, kHidden17));
    table_.SetValue(15, DecodeNumber16(b, kPowerDelay));
    table_.SetValue(16, DecodeNumber16(b, kStatusInterval));
    table_.SetValue(18, DecodeCarried(b, kHidden18, 32));
    table_.SetValue(19, DecodeNumber16(b, kHidden19));
    table_.SetValue(20, DecodeCarried(b, kHidden20, 16));
    // Row 21 runs on into page 2: keep its first two bytes whole until the
    // rest has arrived, so that its bytes keep their places.
    table_.SetValue(21, DecodeCarried(b, kHidden21a, 2, false));
    progress_.SetProgress(50);
}

void TBasicInf::DecodePage2() {
    const uint8_t* b = Buffer.data();
    seq_.Status().Display().SetStatusText(QStringLiteral("The second page"));
    // Row 21 continues here: its first two bytes came with page 1.
    table_.SetValue(21, TrimTrailingFF(table_.Value(21) + DecodeCarried(b, kHidden21b, 14, false)));
    progress_.SetProgress(90);
    table_.SetValue(22, DecodeCarried(b, kHidden22, 16));
    progress_.SetProgress(100);
    seq_.Status().Display().SetStatusText(QString());
}

namespace {
uint8_t SelectionByte(const TSettingsTable& t, int row) {
    const int i = t.ItemIndex(row);
    if (i >= 0) return static_cast<uint8_t>(i);
    const TSelectionEditor* e = t.EditorOfRow(row);
    return e && e->moduleByte >= 0 ? static_cast<uint8_t>(e->moduleByte) : 0xFF;
}
} // namespace

void TBasicInf::EncodeSettingsPage1() { EncodeSettingsPage1To(table_, Buffer.data()); }
void TBasicInf::EncodeSettingsPage2() { EncodeSettingsPage2To(table_, Buffer.data()); }

void EncodeSettingsPage1To(const TSettingsTable& table, uint8_t* b) {
    using K = TBasicInf;
    std::fill(b, b + kPageSize, 0xFF);
    EncodeDigits(b, K::kPassword, 4, table.Value(1));
    EncodeDigits(b, K::kSimNumber, 22, table.Value(2));
    b[K::kSensor1] = SelectionByte(table, 3);
    b[K::kSensor2] = SelectionByte(table, 4);
    EncodeText(b, K::kAlarm1, K::kTextWidth, table.Value(5));
    EncodeText(b, K::kAlarm2, K::kTextWidth, table.Value(6));
    EncodeNumber16(b, K::kAutoArm, table.Value(7));
    b[K::kControl] = SelectionByte(table, 9);
    b[K::kArming] = SelectionByte(table, 8);
    EncodeNumber16(b, K::kRelayTime1, table.Value(10));
    EncodeNumber16(b, K::kRelayTime2, table.Value(10));
    b[K::kSmsOnClose] = SelectionByte(table, 11);
    b[K::kSmsOnOpen] = SelectionByte(table, 12);
    EncodeText(b, K::kRelayOnText, K::kTextWidth, table.Value(13));
    EncodeText(b, K::kRelayOffText, K::kTextWidth, table.Value(14));
    EncodeNumber16(b, K::kHidden17, table.Value(17));
    EncodeNumber16(b, K::kPowerDelay, table.Value(15));
    EncodeNumber16(b, K::kStatusInterval, table.Value(16));
    EncodeCarried(b, K::kHidden18, 32, table.Value(18));
    EncodeNumber16(b, K::kHidden19, table.Value(19));
    EncodeCarried(b, K::kHidden20, 16, table.Value(20));
    EncodeCarried(b, K::kHidden21a, 2, table.Value(21).left(2));
}

void EncodeSettingsPage2To(const TSettingsTable& table, uint8_t* b) {
    using K = TBasicInf;
    std::fill(b, b + kPageSize, 0xFF);
    EncodeCarried(b, K::kHidden21b, 14, table.Value(21).mid(2));
    EncodeCarried(b, K::kHidden22, 16, table.Value(22));
}

} // namespace portiqa
