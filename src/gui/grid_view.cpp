#include "gui/grid_view.h"
#include <QKeyEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

namespace portiqa {

TGridView::TGridView(QWidget* parent) : QTableView(parent) {
    // Tab and Shift+Tab leave the table for the next control, as everywhere
    // else in the window; the arrows move inside it.
    setTabKeyNavigation(false);
}

QModelIndex TGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (Allowed(next)) return next;
    // A forbidden cell is stepped over in the direction of travel; if there
    // is nothing beyond it the cursor stays where it is.
    const QModelIndex here = currentIndex();
    for (int col = next.column() + 1; col < model()->columnCount(); ++col) {
        const QModelIndex candidate = model()->index(next.row(), col);
        if (Allowed(candidate) && !isColumnHidden(col)) {
            if (action == MoveLeft || action == MovePrevious) return here;
            return candidate;
        }
    }
    return here;
}

void TGridView::mousePressEvent(QMouseEvent* event) {
    if (!Allowed(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!Allowed(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void TGridView::FitColumns(const std::vector<int>& widths, const QStringList& samples) {
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 8;
    for (int c = 0; c < int(widths.size()) && c < model()->columnCount(); ++c) {
        if (widths[c] == 0) continue;  // a column kept hidden
        int w = std::max(widths[c], horizontalHeader()->sectionSizeHint(c));
        if (c < samples.size() && !samples[c].isEmpty()) w = std::max(w, fontMetrics().horizontalAdvance(samples[c]) + margin);
        setColumnWidth(c, w);
    }
}

void TGridView::keyPressEvent(QKeyEvent* event) {
    if (KeyHook && KeyHook(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!Allowed(current)) {
        // Set from code (or by a selection model): stay on the last allowed cell.
        QMetaObject::invokeMethod(this, [this, previous] {
            if (!Allowed(currentIndex())) setCurrentIndex(Allowed(previous) ? previous : QModelIndex());
        }, Qt::QueuedConnection);
    }
    QTableView::currentChanged(current, previous);
}

} // namespace portiqa
