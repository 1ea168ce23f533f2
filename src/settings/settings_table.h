#pragma once
#include "app/string_grid.h"
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

// The settings table: 3 columns (name, value, factory hint), 17 rows shown
// and 6 hidden rows (17..22) that carry block fields from a read to a save.
class TSettingsTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kCols = 3;
    static constexpr int kShownRows = 17;
    static constexpr int kStoredRows = 23;

    TSettingsTable();
    TStringGrid& Grid() { return grid_; }
    const TStringGrid& Grid() const { return grid_; }
    QString Value(int row) const { return grid_.Cells(1, row); }
    void SetValue(int row, const QString& text) { grid_.SetCells(1, row, text); }

    // The six editors, in the order cbb1, cbb2, cbb4, cbb3, cbb10, cbb12.
    std::array<TSelectionEditor, 6>& Editors() { return editors_; }
    TSelectionEditor* EditorOfRow(int row);
    const TSelectionEditor* EditorOfRow(int row) const;
    TSelectionEditor& Editor(const QString& name);
    void SetItemIndex(int row, int index);  // an index naming no item selects nothing
    int ItemIndex(int row) const;
    void MakeVisible(int row);

    // Editing rules of the value column.
    static bool CanEdit(int col) { return col != 2; }
    // Applies the typing checks to the text the operator has typed into a
    // cell; returns the row that becomes current.
    int SetEditText(int col, int row, const QString& text);
    // An editor lost the focus: its item text goes into its cell.
    void EditorExit(int row);

    static bool IsSelectionRow(int row);
    static bool IsDigitRow(int row);
    static int LengthLimit(int row);  // 0 for none

signals:
    void EditorChanged(int row);

private:
    void PutStartUpContents();
    TStringGrid grid_;
    std::array<TSelectionEditor, 6> editors_;
};

} // namespace portiqa
