#pragma once
#include "base/string_grid.h"
#include <QByteArray>
#include <QObject>
#include <functional>

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
    // Not edited marks what the table holds now as the module's: with a
    // fingerprint, a table changed back to it is not edited again.
    void Set(bool edited) {
        if (!edited && fingerprint_) baseline_ = fingerprint_();
        Mark(edited);
    }
    // What the module's columns hold, by content (unset: every change is an edit).
    void SetFingerprint(std::function<QByteArray()> fingerprint) {
        fingerprint_ = std::move(fingerprint);
        if (fingerprint_ && !edited_) baseline_ = fingerprint_();
    }
    // A change outside the grid (a drop-down's choice) that is an edit unless loading.
    // With a fingerprint, whether the table is back to the module's is
    // asked once the changes of this turn are done (a bulk change is many).
    void Touch() {
        if (loading_ != 0) return;
        Mark(true);
        if (!fingerprint_ || comparing_) return;
        comparing_ = true;
        QMetaObject::invokeMethod(this, [this] {
            comparing_ = false;
            if (loading_ == 0 && edited_ && fingerprint_ && fingerprint_() == baseline_) Mark(false);
        }, Qt::QueuedConnection);
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
    void Mark(bool edited) {
        if (edited_ == edited) return;
        edited_ = edited;
        emit Changed(edited);
    }
    bool edited_ = false;
    int loading_ = 0;
    std::function<QByteArray()> fingerprint_;
    bool comparing_ = false;
    QByteArray baseline_;
};

} // namespace portiqa
