#include "gui/grid_model.h"
#include "base/texts.h"

namespace portiqa {

TGridModel::TGridModel(TStringGrid& grid, int shownRows, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(shownRows) {
    connect(&grid_, &TStringGrid::CellChanged, this, [this](int col, int row) {
        if (row == 0) emit headerDataChanged(Qt::Horizontal, col, col);
        // The whole row: its other cells may be drawn by this one (flags grey the dates).
        else if (row <= shownRows_) emit dataChanged(index(row - 1, 0), index(row - 1, grid_.ColCount() - 1));
    });
    connect(&grid_, &TStringGrid::RowsChanged, this, [this](int, int) {
        emit dataChanged(index(0, 0), index(shownRows_ - 1, grid_.ColCount() - 1));
    });
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    const int col = index.column(), row = GridRow(index);
    switch (role) {
    case Qt::DisplayRole:
        if (HideText && HideText(col, row)) return {};
        if (Translate && Translate(col, row)) return Translated(grid_.Cells(col, row));
        return grid_.Cells(col, row);
    case Qt::EditRole:
        return grid_.Cells(col, row);
    case Qt::BackgroundRole:
        return Background ? Background(col, row) : QVariant();
    case Qt::TextAlignmentRole:
        return Alignment ? Alignment(col, row) : QVariant();
    case Qt::ForegroundRole:
        return Foreground ? Foreground(col, row) : QVariant();
    case Qt::FontRole:
        return Font ? Font(col, row) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (Meaning) {
            const QString meaning = Meaning(col, row);
            if (!meaning.isEmpty()) return meaning;
        }
        return {};
    default:
        return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return Translated(grid_.Cells(section, 0));
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Editable && Editable(index.column(), GridRow(index))) f |= Qt::ItemIsEditable;
    return f;
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole) return false;
    grid_.SetCells(index.column(), GridRow(index), value.toString());
    return true;
}

} // namespace portiqa
