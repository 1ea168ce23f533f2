#pragma once
#include "base/edit_state.h"
#include "base/module_identity.h"
#include "base/string_grid.h"
#include "settings/settings_layout.h"
#include <QStringList>
#include <array>

namespace portiqa {

// A drop-down list laid over a value cell; its 0-based item index is the
// setting's value (-1: nothing selected).
struct TSelectionEditor {
    QString name;
    int row = 0;
    QStringList items;
    int itemIndex = -1;
    bool visible = false;
    // The byte the module held when no item describes it (-1: none). It goes
    // back unchanged unless the operator chooses an item.
    int moduleByte = -1;
    QString SelectedText() const { return itemIndex >= 0 && itemIndex < items.size() ? items[itemIndex] : QString(); }
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
    void MakeVisible(int row);

    // Editing rules of the value column.
    static bool CanEdit(int col) { return col != 2; }
    // Stores text the operator typed into a cell when the typing rules
    // (CheckSettingsTyping) take it; false (and the cell unchanged) when they
    // refuse it.
    bool SetEditText(int col, int row, const QString& text, const QString& before = QString());
    // An editor lost the focus: its item text goes into its cell.
    void EditorExit(int row);

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
    TStringGrid grid_;
    TEditors editors_;
    TCarried carried_;
    TEditState edits_{grid_};
    TTableOrigin origin_;
};

} // namespace portiqa
