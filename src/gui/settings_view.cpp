#include "gui/settings_view.h"
#include "base/texts.h"
#include "settings/settings_rules.h"
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QValidator>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace portiqa {

namespace {

constexpr int kRowHeights[17] = {24, 21, 31, 31, 30, 31, 32, 32, 22, 35, 33, 44, 45, 37, 39, 36, 33};

// Refuses a keystroke the row's typing rules refuse: the editor keeps its
// text and cursor, and the view says why.
class TRowValidator : public QValidator {
public:
    TRowValidator(int row, QString before, std::function<void(const QString&)> refused, QObject* parent)
        : QValidator(parent), row_(row), before_(std::move(before)), refused_(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        const QString problem = CheckSettingsTyping(row_, input, before_);
        if (problem.isEmpty()) return Acceptable;
        refused_(problem);
        return Invalid;
    }

private:
    int row_;
    QString before_;
    std::function<void(const QString&)> refused_;
};

// The editor opens with the operator's first key (its old text selected, so
// the key replaces it) and stays on its cell: at a row's limit further keys
// are refused and the view says why; no key ever reaches another row.
// Escape puts back what the cell held before this edit began.
class TSettingsDelegate : public QStyledItemDelegate {
public:
    TSettingsDelegate(TSettingsTable& table, TSettingsView* view) : QStyledItemDelegate(view), table_(table), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        const int col = index.column(), row = index.row() + 1;
        const QString before = table_.Grid().Cells(col, row);
        edit->setProperty(kOriginal, before);
        TSettingsView* view = view_;
        edit->setValidator(new TRowValidator(row, before, [view](const QString& why) { view->RefuseTyping(why); }, edit));
        connect(edit, &QLineEdit::textEdited, edit, [this, edit, col, row, before](const QString& text) {
            if (!table_.SetEditText(col, row, text, before)) edit->setText(table_.Grid().Cells(col, row));
        });
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // Called again whenever the cell changes under the editor: only set
        // what differs, so the cursor stays where the operator put it.
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString& stored = table_.Grid().Cells(index.column(), index.row() + 1);
        if (edit->text() != stored) edit->setText(stored);
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {
        // The cell already holds the checked text.
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        // Tab in an open editor keeps what was typed and goes on to the next value.
        auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        if (key && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            auto* edit = qobject_cast<QLineEdit*>(object);
            const int row = view_->settingsGrid->currentIndex().row() + 1;
            if (edit) {
                emit closeEditor(edit, NoHint);
                QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
                if (!view_->MoveKey(&copy, row)) view_->settingsGrid->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            auto* edit = qobject_cast<QLineEdit*>(object);
            const QModelIndex index = view_->settingsGrid->currentIndex();
            if (edit && index.isValid() && edit->property(kOriginal).isValid())
                table_.Grid().SetCells(index.column(), index.row() + 1, edit->property(kOriginal).toString());
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    static constexpr const char* kOriginal = "portiqaOriginalText";
    TSettingsTable& table_;
    TSettingsView* view_;
};

// A drop-down over a value cell changes only by the operator's choice: a
// wheel over it while it has no focus scrolls the table instead.
class TWheelToTable : public QObject {
public:
    TWheelToTable(QAbstractScrollArea* table, QObject* parent) : QObject(parent), table_(table) {}
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            auto* w = qobject_cast<QWidget*>(object);
            if (w && !w->hasFocus()) {
                QCoreApplication::sendEvent(table_->verticalScrollBar(), event);
                return true;
            }
        }
        return QObject::eventFilter(object, event);
    }

private:
    QAbstractScrollArea* table_;
};

// A closed drop-down never changes with the keys that move between values:
// the arrows and Tab go to the table's next value (Alt+Down, F4 or Space
// open the list, where the arrows choose).
class TComboKeys : public QObject {
public:
    TComboKeys(std::function<bool(QKeyEvent*)> move, QObject* parent) : QObject(parent), move_(std::move(move)) {}
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* combo = qobject_cast<QComboBox*>(object);
            if (combo && !combo->view()->isVisible() && move_(static_cast<QKeyEvent*>(event))) return true;
        }
        return QObject::eventFilter(object, event);
    }

private:
    std::function<bool(QKeyEvent*)> move_;
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
    layout->addWidget(BuildButtons());
    BuildGrid();
    layout->addWidget(settingsGrid, 1);
    const int widest = BuildEditors();
    // The value column is wide enough for the longest item of a drop-down.
    valueWidth_ = std::max(247, widest + 4);
    FitColumns();
    settingsGrid->viewport()->installEventFilter(this);  // the columns follow the table's width
    connect(model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& a, const QModelIndex& b) {
        if (b.column() >= 0 && (a.column() != 1 || b.column() != 1)) FitRows();
    });
    connect(settingsGrid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { FitRows(); });
    connect(&table_, &TSettingsTable::EditorChanged, this, &TSettingsView::SyncEditor);
    settingsGrid->setCurrentIndex(model_->IndexOf(1, 1));
}

// The column of buttons on the left.
QWidget* TSettingsView::BuildButtons() {
    auto* column = new QWidget(this);
    column->setFixedWidth(113);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(6, 12, 6, 6);
    buttons->setSpacing(10);
    btnReadSettings = Button(TText::tr("Скачать\nнастройки"), column);
    btnSaveSettings = Button(TText::tr("Сохранить\nнастройки"), column);
    btnImportProfile = Button(TText::tr("Импортировать\nфайл"), column);
    btnExportProfile = Button(TText::tr("Экспортировать\nфайл"), column);
    btnReadSettings->setToolTip(TText::tr("Прочитать базовые настройки из GSM модуля в таблицу"));
    btnSaveSettings->setToolTip(TText::tr("Записать изменённые настройки в GSM модуль"));
    btnImportProfile->setToolTip(TText::tr("Загрузить настройки из файла в таблицу"));
    btnExportProfile->setToolTip(TText::tr("Сохранить настройки из таблицы в файл"));
    for (auto* b : {btnReadSettings, btnSaveSettings, btnImportProfile, btnExportProfile}) buttons->addWidget(b);
    buttons->addStretch();

    return column;
}

// The table of names, values and hints, and how keys move in it.
void TSettingsView::BuildGrid() {
    settingsGrid = new TGridView(this);
    settingsGrid->setAccessibleName(TText::tr("Базовые настройки"));
    settingsGrid->setAccessibleDescription(
        TText::tr("Параметр, его значение и подсказка; значение вводится с клавиатуры или выбирается из списка"));
    model_ = new TGridModel(table_.Grid(), TSettingsTable::kShownRows - 1, this);
    model_->Editable = [](int col, int row) { return TSettingsTable::CanEdit(col) && col == 1 && !TSettingsTable::IsSelectionRow(row); };
    model_->Translate = [](int col, int) { return col != 1; };  // the names and the factory hints
    model_->Alignment = [](int col, int) -> QVariant {
        return col == 1 ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignTop));
    };
    settingsGrid->setModel(model_);
    settingsGrid->setItemDelegate(new TSettingsDelegate(table_, this));
    settingsGrid->setWordWrap(true);
    // The desktop's own size: the names and hints are long, and the rows
    // grow to fit them (see FitRows).
    settingsGrid->setFont(QApplication::font());
    // Reached by Tab like every control; inside, Tab and the arrows go from value to value.
    settingsGrid->setFocusPolicy(Qt::StrongFocus);
    // Only a key or a double click opens the editor: a click on the current
    // cell starts no delayed edit, during which keys would go elsewhere.
    settingsGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed);
    // The names are fixed: column 0 is never current.
    settingsGrid->CanBeCurrent = [](const QModelIndex& index) { return index.column() != 0; };
    // A key typed on a drop-down's cell changes nothing: the drop-down is the
    // only way to choose, and the view says so.
    settingsGrid->KeyHook = [this](QKeyEvent* e) {
        const QModelIndex cur = settingsGrid->currentIndex();
        const int row = cur.row() + 1;
        if (MoveKey(e, cur.isValid() ? row : 0)) return true;
        if (!cur.isValid() || cur.column() != 1 || !TSettingsTable::IsSelectionRow(row)) return false;
        if (e->text().isEmpty() || !e->text().at(0).isPrint()) return false;
        RefuseTyping(CheckSettingsTyping(row, e->text(), QString()));
        return true;
    };
    settingsGrid->installEventFilter(this);  // Tab, which never reaches a view's own key handling
    settingsGrid->verticalHeader()->hide();
    settingsGrid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(166,202,240); border: 1px solid #9ab; }"));
    settingsGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignTop);
    settingsGrid->horizontalHeader()->setStretchLastSection(true);
    settingsGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    settingsGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

}

// The drop-downs, each in its row's value cell; returns the widest one's width.
int TSettingsView::BuildEditors() {
    // The drop-down editors live in their cells, so they stay on them while
    // the table scrolls.
    auto* wheel = new TWheelToTable(settingsGrid, this);
    int widest = 0;
    for (auto& e : table_.Editors()) {
        auto* combo = new QComboBox(settingsGrid);
        for (const QString& item : e.items) combo->addItem(Translated(item));
        combo->setObjectName(e.name);
        // Announced as the row it stands in: its caption and its hint.
        combo->setAccessibleName(Translated(table_.Grid().Cells(0, e.row)));
        combo->setAccessibleDescription(Translated(table_.Grid().Cells(2, e.row)));
        combo->setFont(QApplication::font());
        combo->setFocusPolicy(Qt::StrongFocus);  // a wheel gives it no focus
        combo->installEventFilter(wheel);
        combo->installEventFilter(new TComboKeys([this, row = e.row](QKeyEvent* k) { return MoveKey(k, row); }, combo));
        widest = std::max(widest, combo->sizeHint().width());
        combos_[e.row] = combo;
        settingsGrid->setIndexWidget(model_->IndexOf(1, e.row), combo);
        const int row = e.row;
        connect(combo, &QComboBox::activated, this, [this, row](int index) {
            table_.SetItemIndex(row, index);
        });
        SyncEditor(row);
    }
    return widest;
}

// Each row is at least as high as the original's and high enough for its
// wrapped name and hint and for its drop-down.
void TSettingsView::FitRows() {
    settingsGrid->horizontalHeader()->setFixedHeight(
        std::max(kRowHeights[0], settingsGrid->horizontalHeader()->sizeHint().height()));
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) {
        // A row the original did not have is as high as its text needs.
        const int least = r < int(std::size(kRowHeights)) ? kRowHeights[r] : 0;
        int h = std::max(least, settingsGrid->RowHint(r - 1));
        if (auto it = combos_.find(r); it != combos_.end()) h = std::max(h, it->second->sizeHint().height() + 4);
        if (settingsGrid->rowHeight(r - 1) != h) settingsGrid->setRowHeight(r - 1, h);
    }
}

bool TSettingsView::MoveKey(QKeyEvent* e, int row) {
    if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    int to = 0;
    switch (e->key()) {
    case Qt::Key_Up: to = std::max(1, row - 1); break;
    case Qt::Key_Down: to = std::min(int(TSettingsTable::kValueRows), row + 1); break;
    case Qt::Key_Tab:
        if (row >= TSettingsTable::kValueRows) return LeaveTable(true);
        to = row + 1;
        break;
    case Qt::Key_Backtab:
        if (row <= 1) return LeaveTable(false);
        to = row - 1;
        break;
    default: return false;
    }
    MoveTo(std::max(1, to));
    return true;
}

// Tab past the last value (Shift+Tab before the first) goes to the control
// beyond the table, never to another of its drop-downs.
bool TSettingsView::LeaveTable(bool forward) {
    QWidget* w = settingsGrid;
    for (int hops = 0; hops < 200; ++hops) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == settingsGrid) return false;
        if (settingsGrid->isAncestorOf(w)) continue;
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void TSettingsView::MoveTo(int row) {
    settingsGrid->setCurrentIndex(model_->IndexOf(1, row));
    settingsGrid->scrollTo(model_->IndexOf(1, row));
    if (auto it = combos_.find(row); it != combos_.end()) it->second->setFocus(Qt::TabFocusReason);
    else settingsGrid->setFocus(Qt::TabFocusReason);
}

// The names and hints share what the values leave, 285 pixels each at most
// (the original's), wrapped in taller rows when the window is narrow
// (1024 x 768), so the hints are read without scrolling sideways.
void TSettingsView::FitColumns() {
    const int left = settingsGrid->viewport()->width() - valueWidth_;
    const int side = std::clamp(left / 2, 170, 285);
    settingsGrid->setColumnWidth(0, side);
    settingsGrid->setColumnWidth(1, valueWidth_);
    settingsGrid->setColumnWidth(2, std::max(side, left - side));
    FitRows();
}

bool TSettingsView::eventFilter(QObject* object, QEvent* event) {
    if (object == settingsGrid->viewport() && event->type() == QEvent::Resize) {
        FitColumns();
        return false;
    }
    if (object == settingsGrid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            MoveKey(key, settingsGrid->currentIndex().row() + 1))
            return true;
    }
    return QWidget::eventFilter(object, event);
}

int TSettingsView::KeyboardRow() const {
    for (const auto& [row, combo] : combos_)
        if (combo->hasFocus()) return row;
    return settingsGrid->currentIndex().row() + 1;
}

void TSettingsView::RefuseTyping(const QString& why) {
    lastRefusal = why;
    emit TypingRefused(why);
}

void TSettingsView::SyncEditor(int row) {
    auto it = combos_.find(row);
    if (it == combos_.end()) return;
    QSignalBlocker block(it->second);
    it->second->setCurrentIndex(table_.ItemIndex(row));
}

} // namespace portiqa
