#pragma once
#include <QTableView>
#include <functional>
#include <vector>

namespace portiqa {

// The table view under all three tables. It never jumps to a row because a
// key was typed (the operator's keys belong to the cell being edited, not to
// a search), and it lets the owner decide which cells may become current and
// which keys it handles itself.
class TGridView : public QTableView {
    Q_OBJECT
public:
    explicit TGridView(QWidget* parent = nullptr);

    // Cells that may never become current (a fixed name column).
    std::function<bool(const QModelIndex&)> CanBeCurrent;
    // Called before the view's own key handling; true when the key was used.
    std::function<bool(QKeyEvent*)> KeyHook;

    void keyboardSearch(const QString&) override {}
    int RowHint(int row) const { return sizeHintForRow(row); }
    // Column widths: at least the given ones, and wide enough for the
    // header's caption and for the sample text of each column (the longest
    // value it shows), in the view's own font.
    void FitColumns(const std::vector<int>& widths, const QStringList& samples = {});
    bool Editing() const { return state() == EditingState; }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool Allowed(const QModelIndex& index) const { return !index.isValid() || !CanBeCurrent || CanBeCurrent(index); }
};

} // namespace portiqa
