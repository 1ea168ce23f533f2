#include "settings/settings_block.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/page_fields.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"
#include <algorithm>

namespace portiqa {

using namespace fields;

TSettingsBlock::TSettingsBlock(TRequestSequence& seq, TPageTransfer& transfer, TSettingsTable& table,
                     TProgressControl& progress, IOperator& op)
    : TPageBlock(transfer, TOperation::Settings), seq_(seq), transfer_(transfer), table_(table), progress_(progress), op_(op) {}

void TSettingsBlock::ReadAfterQuestion() {
    if (const QString question = TText::tr("Прочитать базовые настройки GSM модуля? "); !op_.AskAccept(question))
        return Refuse(question, true);
    StartRead(false);
}

void TSettingsBlock::ReadQuietly() { StartRead(true); }

// Both pages, each read twice: what is read here goes back to the module
// with the next save, so two reads must agree.
void TSettingsBlock::ReadBoth(std::function<void(int32_t, const uint8_t*)> onPage, std::function<void()> then) {
    const std::vector<int32_t> pages{SettingsPageAddress(1), SettingsPageAddress(2)};
    TPageTransfer::TReading reading;
    reading.onFinished = [then = std::move(then)](const std::vector<int32_t>&) { then(); };
    reading.statusText = TText::tr("Read settings");
    reading.progressLabel = TText::tr("Reading basic setting");
    reading.operation = Operation();
    reading.onPage = std::move(onPage);
    reading.counted = false;
    transfer_.StartRead(pages, {pages.begin(), pages.end()}, std::move(reading));
}

void TSettingsBlock::StartRead(bool quiet) {
    if (RefusedWhileBusy(seq_, op_)) return;
    quiet_ = quiet;
    ReadBoth([this](int32_t address, const uint8_t* page) { DecodeSettingsPage(address, page); },
             [this] { FinishRead(); });
}

void TSettingsBlock::FinishRead() {
    KeepBase();
    table_.Edits().Set(false);
    const QString done = TText::tr("Базовые настройки считаны");
    if (quiet_) seq_.Status().ShowStatus(done);
    else op_.Tell(done);
    Done(done);
}

bool TSettingsBlock::TableFromModule() const {
    return baseGeneration_ == seq_.ModuleGeneration() && !base_[0].isEmpty() && !base_[1].isEmpty();
}

void TSettingsBlock::KeepBase() {
    const QByteArray* p1 = seq_.KnownPage(SettingsPageAddress(1));
    const QByteArray* p2 = seq_.KnownPage(SettingsPageAddress(2));
    if (!p1 || !p2) {
        baseGeneration_ = -1;
        return;
    }
    base_ = {*p1, *p2};
    baseGeneration_ = seq_.ModuleGeneration();
}

void TSettingsBlock::Save() {
    if (RefusedWhileBusy(seq_, op_)) return;
    // Nothing the rules refuse goes to the module: a short PIN locks the
    // operator out, a cut text is not what was meant. A text the table was
    // loaded with goes back as it stands.
    TSettingsTable base;
    const bool haveBase = TableFromModule() && DecodeSettingsPages(base_[0], base_[1], base);
    if (const QString problem = CheckSettingsTable(table_, haveBase ? &base : nullptr); !problem.isEmpty()) {
        const QString words = TText::tr("Настройки не сохранены. ") + problem;
        op_.ShowMessage(words);
        return Refuse(words);
    }
    // The module may have changed its own settings since they were read (an
    // SMS arms it): read both pages again, twice each, before writing. They
    // are kept aside: the table holds the operator's edits.
    quiet_ = true;
    fresh_ = {};
    ReadBoth(
        [this](int32_t address, const uint8_t* page) {
            if (address == SettingsPageAddress(1) || address == SettingsPageAddress(2))
                fresh_[address / kPageSize] = QByteArray(reinterpret_cast<const char*>(page), kPageSize);
        },
        [this] { StartSaveChain(); });
}

void TSettingsBlock::StartSaveChain() {
    TSettingsTable fresh, base;
    if (!DecodeSettingsPages(fresh_[0], fresh_[1], fresh)) {
        return Fail();  // not both pages: nothing is written
    }
    const bool haveBase = TableFromModule() && DecodeSettingsPages(base_[0], base_[1], base);
    if (!TakeModuleChanges(fresh, haveBase ? &base : nullptr)) return;
    if (const auto changes = ConfirmedChanges(fresh)) WritePages(*changes);
}

// Merges what the module holds now (fresh) with the table. False, with the
// operator told, when a row both changed.
bool TSettingsBlock::TakeModuleChanges(const TSettingsTable& fresh, const TSettingsTable* base) {
    // The operator's edits are the rows that differ from the copy they were
    // made on. A row the module changed itself and the operator did not
    // touch keeps the module's value; a row both changed is a conflict.
    QStringList conflicts;
    moduleChangedRows_.clear();
    if (base) {
        for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
            const QString b = base->ShownValue(row), f = fresh.ShownValue(row), t = table_.ShownValue(row);
            if (f == b) continue;
            if (t == b) moduleChangedRows_ << QString::number(row);
            else if (t != f) conflicts << QString::number(row);
        }
    }
    if (!conflicts.isEmpty()) {
        const QString words = TText::tr("Настройки не сохранены: GSM модуль сам изменил строки %1, которые изменены и "
                                        "в таблице. Скачайте настройки и решите, что сохранить.")
                                  .arg(conflicts.join(QStringLiteral(", ")));
        op_.ShowMessage(words);
        Fail(words);
        return false;
    }
    // What the module changed itself arrives in the table as the module's.
    TEditState::TLoading loading(table_.Edits());
    {
        QSignalBlocker quiet(&table_);
        for (const QString& r : moduleChangedRows_) table_.Put(r.toInt(), fresh.Get(r.toInt()));
    }
    for (const QString& r : moduleChangedRows_) emit table_.EditorChanged(r.toInt());
    // The carried bytes are the module's: the operator never sees them.
    table_.SetCarried(fresh.Carried());
    return true;
}

// The question, with the module's own password and SIM number offered apart.
// The changes to write, or nothing when the operator declined (reported).
std::optional<QStringList> TSettingsBlock::ConfirmedChanges(const TSettingsTable& fresh) {
    // The module's password and SIM number from a file or another module are
    // shown apart and written only when the operator ticks them in.
    std::map<int, QString> identity;  // row, the table's value
    if (fromElsewhere_)
        for (int row : {kPasswordRow, kSimNumberRow})
            if (table_.Value(row) != fresh.Value(row)) identity[row] = table_.Value(row);
    QStringList identityLines;
    for (const auto& [row, value] : identity) {
        identityLines << TText::tr("строка %1: %2 → %3").arg(row).arg(fresh.ShownValue(row), table_.ShownValue(row));
        table_.SetValue(row, fresh.Value(row));
    }
    QStringList changes = SettingsChanges(fresh, table_);
    QString question = TText::tr("Сохранить настройки в GSM модуль?\r") + changes.join(u'\r');
    // The read before the save has ended: while the question waits, the
    // status line says so, not that a read goes on.
    seq_.Status().Display().SetStatusText(TText::tr("Настройки прочитаны заново; ждём ответа на вопрос о сохранении"));
    if (!identity.empty()) {
        question += u'\r' + TText::tr("Пароль и номер SIM модуля остаются его собственными; таблица предлагает:\r") +
                    identityLines.join(u'\r');
        bool replace = replaceIdentity_;
        if (!op_.AskAcceptWithOption(question, TText::tr("Заменить пароль и номер SIM модуля значениями из таблицы"), replace)) {
            for (const auto& [row, value] : identity) table_.SetValue(row, value);  // the table keeps what it showed
            Decline(question);
            return std::nullopt;
        }
        if (replace) {
            for (const auto& [row, value] : identity) table_.SetValue(row, value);
            changes = SettingsChanges(fresh, table_);
        }
    } else if (!changes.isEmpty() && !op_.AskAccept(question)) {
        Decline(question);
        return std::nullopt;
    }
    return changes;
}

// Both pages, written and verified; the record keeps the changes.
void TSettingsBlock::WritePages(const QStringList& changes) {
    // Both pages are made before anything is sent: a value that cannot be
    // encoded stops the save with nothing written.
    std::vector<std::pair<int32_t, QByteArray>> pages;
    for (int page = 1; page <= 2; ++page) {
        QByteArray bytes(kPageSize, char(0xFF));
        EncodeSettingsPageTo(page, table_, reinterpret_cast<uint8_t*>(bytes.data()));
        pages.emplace_back(SettingsPageAddress(page), bytes);
    }
    TPageTransfer::TWriting writing;
    writing.intent = changes.isEmpty() ? TText::tr("Настройки: без изменений") : changes.join(u'\n');
    writing.statusText = TText::tr("Save settings");
    writing.progressLabel = TText::tr("Save basic settings");
    writing.checkLabel = TText::tr("Reading basic setting");
    writing.operation = Operation();
    writing.counted = false;
    writing.continuesTransfer = true;
    writing.onFinished = [this](const std::vector<int32_t>& failed) { FinishSave(failed); };
    if (!transfer_.StartWrite(std::move(pages), std::move(writing))) Fail();
}

void TSettingsBlock::FinishSave(const std::vector<int32_t>& failed) {
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

// One page of fields into the table, in the order of the layout (so the
// second copy of the relay time is the one shown).
void DecodeSettingsPageTo(int page, const uint8_t* b, TSettingsTable& table) {
    for (const TSettingsField& f : kSettingsLayout) {
        if (f.page != page) continue;
        switch (f.kind) {
        case TFieldKind::Digits: table.SetValue(f.row, DecodeDigits(b, f.offset, f.width)); break;
        case TFieldKind::Text: table.SetValue(f.row, DecodeText(b, f.offset, f.width)); break;
        case TFieldKind::Number16: table.SetValue(f.row, DecodeNumber16(b, f.offset)); break;
        case TFieldKind::Selection:
            table.MakeVisible(f.row);
            table.Put(f.row, {{}, b[f.offset]});
            break;
        case TFieldKind::Carried:
            table.SetCarried(CarriedIndex(f), QByteArray(reinterpret_cast<const char*>(b) + f.offset, f.width));
            break;
        }
    }
}

void DecodeSettingsPage1To(const uint8_t* b, TSettingsTable& table) { DecodeSettingsPageTo(1, b, table); }
void DecodeSettingsPage2To(const uint8_t* b, TSettingsTable& table) { DecodeSettingsPageTo(2, b, table); }

bool DecodeSettingsPages(const QByteArray& page1, const QByteArray& page2, TSettingsTable& table) {
    if (page1.size() != kPageSize || page2.size() != kPageSize) return false;
    DecodeSettingsPageTo(1, reinterpret_cast<const uint8_t*>(page1.constData()), table);
    DecodeSettingsPageTo(2, reinterpret_cast<const uint8_t*>(page2.constData()), table);
    return true;
}

bool KnownModuleSettings(const TRequestSequence& seq, TSettingsTable& out) {
    const QByteArray* p1 = seq.KnownPage(SettingsPageAddress(1));
    const QByteArray* p2 = seq.KnownPage(SettingsPageAddress(2));
    return p1 && p2 && DecodeSettingsPages(*p1, *p2, out);
}

QString SimNumberOfSettingsPage(const QByteArray& page1) {
    const TSettingsField* f = SettingsFieldOf(kSimNumberRow);
    if (page1.size() != kPageSize) return {};
    return DecodeDigits(reinterpret_cast<const uint8_t*>(page1.constData()), f->offset, f->width);
}

void TSettingsBlock::DecodeSettingsPage(int32_t address, const uint8_t* page) {
    const int n = address == SettingsPageAddress(1) ? 1 : address == SettingsPageAddress(2) ? 2 : 0;
    if (n == 0) return;
    TEditState::TLoading loading(table_.Edits());
    if (n == 1) progress_.SetProgress(25);
    seq_.Status().Display().SetStatusText(n == 1 ? TText::tr("The first page") : TText::tr("The second page"));
    DecodeSettingsPageTo(n, page, table_);
    progress_.SetProgress(n == 1 ? 50 : 100);
    if (n == 2) seq_.Status().Display().SetStatusText(QString());
}

// The table into one page: 0xFF wherever no field is written. Both copies
// of the relay time get the row's value; a carried field gets its bytes.
void EncodeSettingsPageTo(int page, const TSettingsTable& table, uint8_t* b) {
    std::fill(b, b + kPageSize, 0xFF);
    for (const TSettingsField& f : kSettingsLayout) {
        if (f.page != page) continue;
        switch (f.kind) {
        case TFieldKind::Digits: EncodeDigits(b, f.offset, f.width, table.Value(f.row)); break;
        case TFieldKind::Text: EncodeText(b, f.offset, f.width, table.Value(f.row)); break;
        case TFieldKind::Number16: EncodeNumber16(b, f.offset, table.Value(f.row)); break;
        case TFieldKind::Selection: {
            const int byte = table.Get(f.row).number;
            b[f.offset] = byte >= 0 ? static_cast<uint8_t>(byte) : 0xFF;
            break;
        }
        case TFieldKind::Carried:
            if (const QByteArray& bytes = table.Carried()[size_t(CarriedIndex(f))]; bytes.size() == f.width)
                std::copy(bytes.begin(), bytes.end(), b + f.offset);
            break;
        }
    }
}

void EncodeSettingsPage1To(const TSettingsTable& table, uint8_t* b) { EncodeSettingsPageTo(1, table, b); }
void EncodeSettingsPage2To(const TSettingsTable& table, uint8_t* b) { EncodeSettingsPageTo(2, table, b); }

} // namespace portiqa
