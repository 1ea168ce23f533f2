#include "settings/basic_inf.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/page_fields.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"
#include <algorithm>

namespace portiqa {

using namespace fields;

TBasicInf::TBasicInf(TRequestSequence& seq, TSettingsTable& table, Tprogressbar_ctrl& progress, IOperator& op)
    : seq_(seq), table_(table), progress_(progress), op_(op) {}

bool TBasicInf::StartRefused() {
    return RefusedWhileBusy(seq_, op_);
}

void TBasicInf::btn21Click() {
    if (!op_.AskAccept(TText::tr("Прочитать базовые настройки GSM модуля? "))) return;
    StartRead(false);
}

void TBasicInf::ReadQuietly() { StartRead(true); }

void TBasicInf::StartRead(bool quiet) {
    if (StartRefused()) return;
    quiet_ = quiet;
    PageCount = 2;
    PageNo = 1;
    chain_ = TChain::Read;
    seq_.BeginTransfer();
    ReadNextSettingsPage();
}

bool TBasicInf::TableFromModule() const {
    return baseGeneration_ == seq_.ModuleGeneration() && !base_[0].isEmpty() && !base_[1].isEmpty();
}

void TBasicInf::KeepBase() {
    const QByteArray* p1 = seq_.KnownPage(SettingsPageAddress(1));
    const QByteArray* p2 = seq_.KnownPage(SettingsPageAddress(2));
    if (!p1 || !p2) {
        baseGeneration_ = -1;
        return;
    }
    base_ = {*p1, *p2};
    baseGeneration_ = seq_.ModuleGeneration();
}

void TBasicInf::btn22Click() {
    if (StartRefused()) return;
    // Nothing the rules refuse goes to the module: a short PIN locks the
    // operator out, a cut text is not what was meant. A text the table was
    // loaded with goes back as it stands.
    TSettingsTable base;
    const bool haveBase = TableFromModule();
    if (haveBase) {
        DecodeSettingsPage1To(reinterpret_cast<const uint8_t*>(base_[0].constData()), base);
        DecodeSettingsPage2To(reinterpret_cast<const uint8_t*>(base_[1].constData()), base);
    }
    if (const QString problem = CheckSettingsTable(table_, haveBase ? &base : nullptr); !problem.isEmpty()) {
        op_.ShowMessage(TText::tr("Настройки не сохранены. ") + problem);
        return;
    }
    // The module may have changed its own settings since they were read (an
    // SMS arms it): read both pages again, twice each, before writing.
    PageCount = 2;
    PageNo = 1;
    chain_ = TChain::ReadBeforeSave;
    quiet_ = true;
    fresh_ = {};
    seq_.BeginTransfer();
    ReadNextSettingsPage();
}

void TBasicInf::StartSaveChain() {
    chain_ = TChain::None;
    TSettingsTable fresh, base;
    DecodeSettingsPage1To(reinterpret_cast<const uint8_t*>(fresh_[0].constData()), fresh);
    DecodeSettingsPage2To(reinterpret_cast<const uint8_t*>(fresh_[1].constData()), fresh);
    const bool haveBase = TableFromModule();
    if (haveBase) {
        DecodeSettingsPage1To(reinterpret_cast<const uint8_t*>(base_[0].constData()), base);
        DecodeSettingsPage2To(reinterpret_cast<const uint8_t*>(base_[1].constData()), base);
    }
    // The operator's edits are the rows that differ from the copy they were
    // made on. A row the module changed itself and the operator did not
    // touch keeps the module's value; a row both changed is a conflict.
    QStringList conflicts;
    moduleChangedRows_.clear();
    if (haveBase) {
        for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
            const QString b = base.ShownValue(row), f = fresh.ShownValue(row), t = table_.ShownValue(row);
            if (f == b) continue;
            if (t == b) moduleChangedRows_ << QString::number(row);
            else if (t != f) conflicts << QString::number(row);
        }
    }
    if (!conflicts.isEmpty()) {
        op_.ShowMessage(TText::tr("Настройки не сохранены: GSM модуль сам изменил строки %1, которые изменены и "
                                       "в таблице. Скачайте настройки и решите, что сохранить.")
                            .arg(conflicts.join(QStringLiteral(", "))));
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    // What the module changed itself arrives in the table as the module's.
    TEditState::TLoading loading(table_.Edits());
    {
        QSignalBlocker quiet(&table_);
        for (const QString& r : moduleChangedRows_) {
            const int row = r.toInt();
            if (TSettingsTable::IsSelectionRow(row)) {
                const TSelectionEditor* e = fresh.EditorOfRow(row);
                table_.SetItemIndex(row, e->itemIndex);
                table_.EditorOfRow(row)->moduleByte = e->moduleByte;
            } else {
                table_.SetValue(row, fresh.Value(row));
            }
        }
    }
    for (const QString& r : moduleChangedRows_) emit table_.EditorChanged(r.toInt());
    // The hidden rows are the module's: the operator never sees them.
    for (int row = 17; row < TSettingsTable::kStoredRows; ++row) table_.SetValue(row, fresh.Value(row));
    const QStringList changes = SettingsChanges(fresh, table_);
    if (!changes.isEmpty() &&
        !op_.AskAccept(TText::tr("Сохранить настройки в GSM модуль?\r") + changes.join(u'\r'))) {
        if (OnTransferFailed) OnTransferFailed(QString());
        return;
    }
    PageCount = 2;
    PageNo = 1;
    chain_ = TChain::Save;
    SaveNextSettingsPage();
}

void TBasicInf::ReadNextSettingsPage() {
    // Only a running read asks for more; a stray read reply is decoded and
    // goes no further.
    if (chain_ != TChain::Read && chain_ != TChain::ReadBeforeSave) return;
    if (PageNo >= 1 && PageNo <= PageCount) {
        RequestSettingsPage(PageNo);
        ++PageNo;
    } else if (PageNo == PageCount + 1) {
        if (chain_ == TChain::ReadBeforeSave) {
            StartSaveChain();
            return;
        }
        chain_ = TChain::None;
        KeepBase();
        table_.Edits().Set(false);
        if (quiet_) seq_.Status().ShowStatus(TText::tr("Базовые настройки считаны"));
        else op_.ShowMessage(TText::tr("Базовые настройки считаны"));
        if (OnTransferDone) OnTransferDone();
    }
}

void TBasicInf::RequestSettingsPage(int page) {
    // What is read here goes back to the module with the next save: two
    // reads must agree.
    TSendOptions twice = Mine();
    twice.readTwice = true;
    seq_.Send(kCmdReadPage, SettingsPageAddress(page), 0, nullptr, TText::tr("Read settings"), twice);
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
    if (failed.empty()) {
        KeepBase();
        table_.Edits().Set(false);
    }
    QString done = TText::tr("Базовые настройки сохранены успешно");
    if (!moduleChangedRows_.isEmpty())
        done += TText::tr("\rGSM модуль сам изменил строки: %1 — они сохранены как в модуле")
                    .arg(moduleChangedRows_.join(QStringLiteral(", ")));
    FinishVerifiedSave(op_, *this, failed, SettingsPageAddress(1), done, seq_.PagesWrittenInTransfer());
}

bool TBasicInf::SendSettingsPage(int page) {
    if (page == 1) EncodeSettingsPage1();
    else EncodeSettingsPage2();
    // A page the module already holds byte for byte is not written again.
    if (seq_.Holds(SettingsPageAddress(page), Buffer.data())) return false;
    seq_.Send(kCmdSavePage, SettingsPageAddress(page), kPageSize, Buffer.data(), TText::tr("Save settings"), Mine());
    return true;
}

void TBasicInf::DecodeSettingsPage() {
    if (chain_ == TChain::ReadBeforeSave) {
        // Kept aside: the table holds the operator's edits.
        if (Address == 0x000 || Address == 0x100)
            fresh_[Address / kPageSize] = QByteArray(reinterpret_cast<const char*>(Buffer.data()), kPageSize);
        ReadNextSettingsPage();
        return;
    }
    if (Address == 0x000) DecodePage1();
    else if (Address == 0x100) DecodePage2();
    ReadNextSettingsPage();
}

namespace {
void SetSelection(TSettingsTable& table, int row, uint8_t value) {
    table.SetItemIndex(row, value);
    if (TSelectionEditor* e = table.EditorOfRow(row)) e->moduleByte = table.ItemIndex(row) < 0 ? value : -1;
}
} // namespace

// One page of fields into the table, in the order of the layout (so the
// second copy of the relay time is the one shown). Row 21's bytes on page 1
// are kept whole until page 2 brings the rest, so that they keep their places.
void DecodeSettingsPageTo(int page, const uint8_t* b, TSettingsTable& table) {
    for (const TSettingsField& f : kSettingsLayout) {
        if (f.page != page) continue;
        switch (f.kind) {
        case TFieldKind::Digits: table.SetValue(f.row, DecodeDigits(b, f.offset, f.width)); break;
        case TFieldKind::Text: table.SetValue(f.row, DecodeText(b, f.offset, f.width)); break;
        case TFieldKind::Number16: table.SetValue(f.row, DecodeNumber16(b, f.offset)); break;
        case TFieldKind::Selection:
            table.MakeVisible(f.row);
            SetSelection(table, f.row, b[f.offset]);
            break;
        case TFieldKind::Carried:
            if (f.row == 21 && page == 1) table.SetValue(21, DecodeCarried(b, f.offset, f.width, false));
            else if (f.row == 21) table.SetValue(21, TrimTrailingFF(table.Value(21) + DecodeCarried(b, f.offset, f.width, false)));
            else table.SetValue(f.row, DecodeCarried(b, f.offset, f.width));
            break;
        }
    }
}

void DecodeSettingsPage1To(const uint8_t* b, TSettingsTable& table) { DecodeSettingsPageTo(1, b, table); }
void DecodeSettingsPage2To(const uint8_t* b, TSettingsTable& table) { DecodeSettingsPageTo(2, b, table); }

bool KnownModuleSettings(const TRequestSequence& seq, TSettingsTable& out) {
    const QByteArray* p1 = seq.KnownPage(SettingsPageAddress(1));
    const QByteArray* p2 = seq.KnownPage(SettingsPageAddress(2));
    if (!p1 || !p2 || p1->size() != kPageSize || p2->size() != kPageSize) return false;
    DecodeSettingsPage1To(reinterpret_cast<const uint8_t*>(p1->constData()), out);
    DecodeSettingsPage2To(reinterpret_cast<const uint8_t*>(p2->constData()), out);
    return true;
}

void TBasicInf::DecodePage1() {
    TEditState::TLoading loading(table_.Edits());
    progress_.SetProgress(25);
    seq_.Status().Display().SetStatusText(TText::tr("The first page"));
    DecodeSettingsPage1To(Buffer.data(), table_);
    progress_.SetProgress(50);
}

void TBasicInf::DecodePage2() {
    TEditState::TLoading loading(table_.Edits());
    seq_.Status().Display().SetStatusText(TText::tr("The second page"));
    DecodeSettingsPage2To(Buffer.data(), table_);
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

// The table into one page: 0xFF wherever no field is written. Both copies
// of the relay time get the row's value; row 21 is split where the page ends.
void EncodeSettingsPageTo(int page, const TSettingsTable& table, uint8_t* b) {
    std::fill(b, b + kPageSize, 0xFF);
    for (const TSettingsField& f : kSettingsLayout) {
        if (f.page != page) continue;
        switch (f.kind) {
        case TFieldKind::Digits: EncodeDigits(b, f.offset, f.width, table.Value(f.row)); break;
        case TFieldKind::Text: EncodeText(b, f.offset, f.width, table.Value(f.row)); break;
        case TFieldKind::Number16: EncodeNumber16(b, f.offset, table.Value(f.row)); break;
        case TFieldKind::Selection: b[f.offset] = SelectionByte(table, f.row); break;
        case TFieldKind::Carried: {
            const QString v = table.Value(f.row);
            EncodeCarried(b, f.offset, f.width, f.row != 21 ? v : page == 1 ? v.left(2) : v.mid(2));
            break;
        }
        }
    }
}

void EncodeSettingsPage1To(const TSettingsTable& table, uint8_t* b) { EncodeSettingsPageTo(1, table, b); }
void EncodeSettingsPage2To(const TSettingsTable& table, uint8_t* b) { EncodeSettingsPageTo(2, table, b); }

} // namespace portiqa
