#include "settings/settings_view.h"
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace portiqa {

namespace {

constexpr int kRowHeights[17] = {24, 21, 31, 31, 30, 31, 32, 32, 22, 35, 33, 44, 45, 37, 39, 36, 33};

// Applies the typing checks on every keystroke, as the table does.
class TSettingsDelegate : public QStyledItemDelegate {
public:
    TSettingsDelegate(TSettingsTable& table, QTableView* view) : QStyledItemDelegate(view), table_(table), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        const int col = index.column(), row = index.row() + 1;
        connect(edit, &QLineEdit::textEdited, edit, [this, edit, col, row](const QString& text) {
            const int next = table_.SetEditText(col, row, text);
            const QString stored = table_.Grid().Cells(col, row);
            if (edit->text() != stored) edit->setText(stored);
            if (next != row) {
                // The typing ends here; the next keystroke goes to the next row.
                QMetaObject::invokeMethod(view_, [view = view_, col, next] {
                    view->setCurrentIndex(view->model()->index(next - 1, col));
                }, Qt::QueuedConnection);
                edit->clearFocus();
            }
        });
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(table_.Grid().Cells(index.column(), index.row() + 1));
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {
        // The cell already holds the checked text.
    }

private:
    TSettingsTable& table_;
    QTableView* view_;
};

QPushButton* Button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedSize(100, 48);
    return b;
}

} // namespace

TSettingsView::TSettingsView(TSettingsTable& table, QWidget* parent) : QWidget(parent), table_(table) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* column = new QWidget(this);
    column->setFixedWidth(113);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(6, 12, 6, 6);
    buttons->setSpacing(10);
    btn21 = Button(QStringLiteral("Скачать\nнастройки"), column);
    btn22 = Button(QStringLiteral("Сохранить\nнастройки"), column);
    btn16 = Button(QStringLiteral("Импортировать\nфайл"), column);
    btn17 = Button(QStringLiteral("Экспортировать\nфайл"), column);
    for (auto* b : {btn21, btn22, btn16, btn17}) buttons->addWidget(b);
    buttons->addStretch();
    layout->addWidget(column);

    strngrd_write = new QTableView(this);
    model_ = new TGridModel(table.Grid(), TSettingsTable::kShownRows - 1, this);
    model_->Editable = [](int col, int row) { return TSettingsTable::CanEdit(col) && col == 1 && !TSettingsTable::IsSelectionRow(row); };
    model_->Alignment = [](int col, int) -> QVariant {
        return col == 1 ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignTop));
    };
    strngrd_write->setModel(model_);
    strngrd_write->setItemDelegate(new TSettingsDelegate(table, strngrd_write));
    strngrd_write->setWordWrap(true);
    // The rows keep their heights; this face is wider than the original's, so
    // a slightly smaller size lets the long names and hints fit.
    QFont cellFont = strngrd_write->font();
    cellFont.setPointSizeF(cellFont.pointSizeF() * 0.9);
    strngrd_write->setFont(cellFont);
    strngrd_write->setFocusPolicy(Qt::ClickFocus);
    strngrd_write->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::SelectedClicked);
    strngrd_write->verticalHeader()->hide();
    strngrd_write->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(166,202,240); border: 1px solid #9ab; }"));
    strngrd_write->horizontalHeader()->setFixedHeight(kRowHeights[0]);
    strngrd_write->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const int widths[3] = {285, 247, 285};
    for (int c = 0; c < 3; ++c) strngrd_write->setColumnWidth(c, widths[c]);
    for (int r = 1; r <= 16; ++r) strngrd_write->setRowHeight(r - 1, kRowHeights[r]);
    strngrd_write->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    strngrd_write->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    layout->addWidget(strngrd_write, 1);

    // The drop-down editors live in their cells, so they stay on them while
    // the table scrolls.
    for (auto& e : table.Editors()) {
        auto* combo = new QComboBox(strngrd_write);
        combo->addItems(e.items);
        combo->setObjectName(e.name);
        combos_[e.row] = combo;
        strngrd_write->setIndexWidget(model_->IndexOf(1, e.row), combo);
        const int row = e.row;
        connect(combo, &QComboBox::activated, this, [this, row](int index) {
            table_.SetItemIndex(row, index);
            table_.EditorExit(row);
        });
        SyncEditor(row);
    }
    connect(&table, &TSettingsTable::EditorChanged, this, &TSettingsView::SyncEditor);
    strngrd_write->setCurrentIndex(model_->IndexOf(1, 1));
}

void TSettingsView::SyncEditor(int row) {
    auto it = combos_.find(row);
    if (it == combos_.end()) return;
    QSignalBlocker block(it->second);
    it->second->setCurrentIndex(table_.ItemIndex(row));
}

} // namespace portiqa
