#pragma once
#include <QObject>
#include <QString>
#include <QVector>

namespace portiqa {

// A table of text cells, the program's only store of settings, numbers and
// history. Cells outside the grid read as empty and ignore writes.
class TStringGrid : public QObject {
    Q_OBJECT
public:
    TStringGrid(int colCount, int rowCount, QObject* parent = nullptr)
        : QObject(parent), cols_(colCount), rows_(rowCount), cells_(colCount * rowCount) {}

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    bool Contains(int col, int row) const { return col >= 0 && col < cols_ && row >= 0 && row < rows_; }

    const QString& Cells(int col, int row) const {
        static const QString empty;
        return Contains(col, row) ? cells_[row * cols_ + col] : empty;
    }
    void SetCells(int col, int row, const QString& text) {
        if (!Contains(col, row)) return;
        QString& cell = cells_[row * cols_ + col];
        if (cell == text) return;
        cell = text;
        if (batch_ == 0) emit CellChanged(col, row);
        else dirty_ = true;
    }
    // Takes another grid's cells whole, when it has the same shape: the cells
    // are shared until either grid is written, and one RowsChanged tells it.
    bool Assign(const TStringGrid& other) {
        if (other.cols_ != cols_ || other.rows_ != rows_) return false;
        cells_ = other.cells_;
        if (batch_ == 0) emit RowsChanged(0, rows_ - 1);
        else dirty_ = true;
        return true;
    }
    // Many writes at once: one RowsChanged signal at the end instead of one
    // signal a cell.
    void BeginUpdate() { ++batch_; }
    void EndUpdate() {
        if (batch_ > 0 && --batch_ == 0 && dirty_) {
            dirty_ = false;
            emit RowsChanged(0, rows_ - 1);
        }
    }

signals:
    void CellChanged(int col, int row);
    void RowsChanged(int firstRow, int lastRow);

private:
    int cols_, rows_;
    QVector<QString> cells_;
    int batch_ = 0;
    bool dirty_ = false;
};

// Keeps a grid in one batch for the lifetime of a scope.
class TGridBatch {
public:
    explicit TGridBatch(TStringGrid& g) : g_(g) { g_.BeginUpdate(); }
    ~TGridBatch() { g_.EndUpdate(); }
    TGridBatch(const TGridBatch&) = delete;
    TGridBatch& operator=(const TGridBatch&) = delete;

private:
    TStringGrid& g_;
};

} // namespace portiqa
