#pragma once
#include "base/string_grid.h"
#include <QObject>

namespace portiqa {

// Whether a table holds edits not yet saved to the module: any change of its
// grid (typing, a flag, an import) after it was last loaded from the module
// or saved into it. Changes made while a TLoading scope lives are the
// module's own values arriving, not edits.
class TEditState : public QObject {
    Q_OBJECT
public:
    // Only columns before editedCols are the module's (-1: all): the others
    // hold what the program keeps beside it, and changing them is no edit.
    explicit TEditState(TStringGrid& grid, int editedCols = -1, QObject* parent = nullptr) : QObject(parent) {
        connect(&grid, &TStringGrid::CellChanged, this, [this, editedCols](int col, int) {
            if (editedCols < 0 || col < editedCols) Touch();
        });
        connect(&grid, &TStringGrid::RowsChanged, this, [this] { Touch(); });
    }
    bool Edited() const { return edited_; }
    void Set(bool edited) {
        if (edited_ == edited) return;
        edited_ = edited;
        emit Changed(edited);
    }
    // A change outside the grid (a drop-down's choice) that is an edit unless loading.
    void Touch() {
        if (loading_ == 0) Set(true);
    }

    class TLoading {
    public:
        explicit TLoading(TEditState& s) : s_(s) { ++s_.loading_; }
        ~TLoading() { --s_.loading_; }
        TLoading(const TLoading&) = delete;
        TLoading& operator=(const TLoading&) = delete;

    private:
        TEditState& s_;
    };

signals:
    void Changed(bool edited);

private:
    bool edited_ = false;
    int loading_ = 0;
};

} // namespace portiqa
