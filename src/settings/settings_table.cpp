#include "settings/settings_table.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"
#include "base/texts.h"

namespace portiqa {

TSettingsTable::TSettingsTable() : grid_(kCols, kShownRows, this) {
    size_t n = 0;
    for (int row = 1; row <= kValueRows; ++row) {
        const TSettingsRow& r = kSettingsRows[row - 1];
        if (!r.items[0]) continue;
        TSelectionEditor& e = editors_[n++];
        e.name = QString::fromLatin1(r.editor);
        e.row = row;
        for (const char* item : r.items)
            if (item) e.items << QString::fromUtf8(item);
        e.byte = r.startItem;
    }
    PutStartUpContents();
    for (const TSelectionEditor& e : editors_) ShowSelection(e);
    edits_.Set(false);
    connect(this, &TSettingsTable::EditorChanged, &edits_, [this] { edits_.Touch(); });
}

void TSettingsTable::PutStartUpContents() {
    grid_.SetCells(0, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Функции")));
    grid_.SetCells(1, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Значения")));
    grid_.SetCells(2, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Заводские настройки")));
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) {
        grid_.SetCells(0, r, QString::fromUtf8(kSettingsRows[r - 1].caption));
        grid_.SetCells(1, r, QString::fromUtf8(kSettingsRows[r - 1].factory));
        grid_.SetCells(2, r, QString::fromUtf8(kSettingsRows[r - 1].hint));
    }
}

TSelectionEditor* TSettingsTable::EditorOfRow(int row) {
    for (auto& e : editors_)
        if (e.row == row) return &e;
    return nullptr;
}

const TSelectionEditor* TSettingsTable::EditorOfRow(int row) const {
    for (const auto& e : editors_)
        if (e.row == row) return &e;
    return nullptr;
}

TSelectionEditor& TSettingsTable::Editor(const QString& name) {
    for (auto& e : editors_)
        if (e.name == name) return e;
    return editors_[0];
}

void TSettingsTable::SetItemIndex(int row, int index) {
    TSelectionEditor* e = EditorOfRow(row);
    if (!e) return;
    e->byte = (index >= 0 && index < e->items.size()) ? index : -1;
    ShowSelection(*e);
    emit EditorChanged(row);
}

TSettingValue TSettingsTable::Get(int row) const {
    if (const TSelectionEditor* e = EditorOfRow(row)) return {{}, e->byte};
    const TSettingsField* f = OperatorField(row);
    if (f && f->kind == TFieldKind::Number16) {
        bool ok = false;
        const int v = Value(row).toInt(&ok);
        return {{}, ok && v >= 0 && v <= 0xFFFF ? v : -1};
    }
    return {Value(row), -1};
}

void TSettingsTable::Put(int row, const TSettingValue& value) {
    if (TSelectionEditor* e = EditorOfRow(row)) {
        const int byte = value.number >= 0 && value.number <= 0xFF ? value.number : -1;
        if (e->byte == byte) return;
        e->byte = byte;
        ShowSelection(*e);
        emit EditorChanged(row);
        return;
    }
    const TSettingsField* f = OperatorField(row);
    if (!f) return;
    SetValue(row, f->kind == TFieldKind::Number16 ? (value.number >= 0 ? QString::number(value.number) : QString())
                                                   : value.text);
}

void TSettingsTable::AnnounceSelections() {
    for (int row = 1; row <= kValueRows; ++row)
        if (IsSelectionRow(row)) emit EditorChanged(row);
}

int TSettingsTable::ItemIndex(int row) const {
    const TSelectionEditor* e = EditorOfRow(row);
    return e ? e->ItemIndex() : -1;
}

void TSettingsTable::MakeVisible(int row) {
    if (TSelectionEditor* e = EditorOfRow(row); e && !e->visible) {
        e->visible = true;
        emit EditorChanged(row);
    }
}

const TSettingsField* TSettingsTable::OperatorField(int row) {
    return row >= 1 && row <= kValueRows ? SettingsFieldOf(row) : nullptr;
}

bool TSettingsTable::IsSelectionRow(int row) {
    const TSettingsField* f = OperatorField(row);
    return f && f->kind == TFieldKind::Selection;
}

int TSettingsTable::LengthLimit(int row) {
    const TSettingsField* f = OperatorField(row);
    if (!f) return 0;
    switch (f->kind) {
    case TFieldKind::Digits: case TFieldKind::Text: return f->width;
    case TFieldKind::Number16: return int(QString::number(f->high).size());
    default: return 0;
    }
}

bool TSettingsTable::IsPrintableLatin(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    return true;
}

bool TSettingsTable::SetEditText(int col, int row, const QString& text, const QString& before) {
    if (col == 1 && !CheckSettingsTyping(row, text, before).isEmpty()) return false;
    grid_.SetCells(col, row, text);
    return true;
}

QString TSettingsTable::ShownValue(int row) const {
    const TSelectionEditor* e = EditorOfRow(row);
    if (!e) return Value(row);
    if (e->ItemIndex() >= 0) return e->SelectedText().trimmed();
    if (e->byte >= 0) return TText::tr("байт %1").arg(e->byte);
    return TText::tr("(не выбрано)");
}

} // namespace portiqa
