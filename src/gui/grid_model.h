#pragma once
#include "base/string_grid.h"
#include <QAbstractTableModel>
#include <functional>

namespace portiqa {

// Shows a TStringGrid in a QTableView: grid row 0 becomes the horizontal
// header, grid rows 1..shownRows the model's rows.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TGridModel(TStringGrid& grid, int shownRows, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : shownRows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : grid_.ColCount(); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    static int GridRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex IndexOf(int col, int gridRow) const { return index(gridRow - 1, col); }

    // Per-role customisation by the views.
    std::function<bool(int col, int row)> Editable;
    std::function<QVariant(int col, int row)> Background;
    std::function<QVariant(int col, int row)> Alignment;
    std::function<bool(int col, int row)> HideText;
    std::function<QVariant(int col, int row)> Foreground;
    std::function<QVariant(int col, int row)> Font;
    // What a cell's colour means, in words: its tooltip, and what a screen
    // reader announces with it.
    std::function<QString(int col, int row)> Meaning;
    // Cells that hold the program's own words (captions, event names, "Да"),
    // shown in the operator's language; the grid, and so every file, keeps them
    // as they are. The header row is always such a caption.
    std::function<bool(int col, int row)> Translate;

private:
    TStringGrid& grid_;
    int shownRows_;
};

} // namespace portiqa
