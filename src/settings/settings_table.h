#pragma once
#include "base/edit_state.h"
#include "base/module_identity.h"
#include "base/string_grid.h"
#include "settings/settings_layout.h"
#include <QStringList>
#include <array>

namespace portiqa {

// A drop-down list laid over a value cell. The byte it stores is the
// setting's value: an item's number, or a byte no item describes, which goes
// back to the module unchanged unless the operator chooses an item (-1:
// nothing, sent as 0xFF).
struct TSelectionEditor {
    QString name;
    int row = 0;
    QStringList items;
    int byte = -1;
    bool visible = false;
    int ItemIndex() const { return byte >= 0 && byte < items.size() ? byte : -1; }
    QString SelectedText() const { return ItemIndex() >= 0 ? items[ItemIndex()] : QString(); }
};

// A value of a shown row as its field types it: the text of a password, a
// SIM number or a message; the word of a number row; the byte of a drop-down.
struct TSettingValue {
    QString text;
    int number = -1;  // a word (0-65535) or a drop-down's byte (0-255); -1: none
    friend bool operator==(const TSettingValue&, const TSettingValue&) = default;
};

// The settings table: 3 columns (name, value, factory hint), a header row and
// the rows of settings_layout.h the operator sees; beside them, the bytes of
// the fields the program does not show, carried from a read to a save.
class TSettingsTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kCols = 3;
    static constexpr int kShownRows = kSettingsValueRows + 1;
    // Rows 1..kValueRows are the ones the operator sees and sets.
    static constexpr int kValueRows = kSettingsValueRows;
    using TEditors = std::array<TSelectionEditor, kSettingsSelectionCount>;
    // The carried fields' bytes, in layout order; empty before a read (the
    // field then goes out as 0xFF bytes).
    using TCarried = std::array<QByteArray, kCarriedFieldCount>;

    TSettingsTable();
    TStringGrid& Grid() { return grid_; }
    const TStringGrid& Grid() const { return grid_; }
    QString Value(int row) const { return grid_.Cells(1, row); }
    void SetValue(int row, const QString& text) { grid_.SetCells(1, row, text); }
    const TCarried& Carried() const { return carried_; }
    void SetCarried(const TCarried& bytes) { carried_ = bytes; }
    void SetCarried(int index, const QByteArray& bytes) { carried_[size_t(index)] = bytes; }

    // The drop-downs, in row order.
    TEditors& Editors() { return editors_; }
    TSelectionEditor* EditorOfRow(int row);
    const TSelectionEditor* EditorOfRow(int row) const;
    TSelectionEditor& Editor(const QString& name);
    void SetItemIndex(int row, int index);  // an index naming no item selects nothing
    int ItemIndex(int row) const;
    // A shown row's value as its field types it (a number row whose cell
    // holds no number reads as -1), and a value put into it: a drop-down by
    // its byte, any other row as its cell's text. Put takes values as the
    // module holds them or as ParseSettingValue made them.
    TSettingValue Get(int row) const;
    void Put(int row, const TSettingValue& value);
    void MakeVisible(int row);

    // Editing rules of the value column.
    static bool CanEdit(int col) { return col != 2; }
    // Stores text the operator typed into a cell when the typing rules
    // (CheckSettingsTyping) take it; false (and the cell unchanged) when they
    // refuse it.
    bool SetEditText(int col, int row, const QString& text, const QString& before = QString());

    // Where the content came from (a module, a file, or nothing yet) and
    // when: a table read from one module is not written into another
    // without a question.
    const TTableOrigin& Origin() const { return origin_; }
    void SetOrigin(const TTableOrigin& origin) { origin_ = origin; }

    // Edits not yet saved to the module.
    TEditState& Edits() { return edits_; }
    const TEditState& Edits() const { return edits_; }

    // The layout's field of a row the operator sets (null for the hidden rows).
    static const TSettingsField* OperatorField(int row);
    static bool IsSelectionRow(int row);
    static int LengthLimit(int row);  // 0 for none
    static bool IsPrintableLatin(const QString& text);
    // What a shown row holds in words: a drop-down's item, or the module's
    // byte when no item describes it; the cell otherwise.
    QString ShownValue(int row) const;
    // Values were decoded into the table in one go: every drop-down row
    // tells its views.
    void AnnounceSelections();

signals:
    void EditorChanged(int row);

private:
    void PutStartUpContents();
    // The cell under a drop-down shows its item's text (empty for a byte no
    // item names): it follows the byte, never the other way.
    void ShowSelection(const TSelectionEditor& e) { grid_.SetCells(1, e.row, e.SelectedText()); }
    TStringGrid grid_;
    TEditors editors_;
    TCarried carried_;
    TEditState edits_{grid_};
    TTableOrigin origin_;
};

} // namespace portiqa
