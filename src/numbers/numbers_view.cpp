#include "numbers/numbers_view.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace portiqa {

namespace {

using T = TNumberTable;

// Column 1 is typed in place; columns 2..5 get a date or time picker preset
// from the cell (or the picker's last value) and written back on leaving;
// columns 6 and 7 are drawn as check boxes.
class TNumbersDelegate : public QStyledItemDelegate {
public:
    TNumbersDelegate(TNumberTable& table, TNumbersView* view) : QStyledItemDelegate(view), table_(table), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int col = index.column(), row = index.row() + 1;
        if (col == T::kNumber) return QStyledItemDelegate::createEditor(parent, option, index);
        if (!table_.PickerAllowed(row)) return nullptr;
        if (col == T::kStartDate || col == T::kEndDate) {
            auto* e = new QDateEdit(parent);
            e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
            e->setCalendarPopup(true);
            return e;
        }
        if (col == T::kStartTime || col == T::kEndTime) {
            auto* e = new QTimeEdit(parent);
            e->setDisplayFormat(QStringLiteral("HH:mm"));
            return e;
        }
        return nullptr;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const int col = index.column(), row = index.row() + 1;
        const QString text = table_.Grid().Cells(col, row);
        if (auto* d = qobject_cast<QDateEdit*>(editor)) {
            QDate& last = col == T::kStartDate ? view_->startDate : view_->endDate;
            if (auto parsed = T::ParseDate(text)) last = *parsed;
            d->setDate(last);
        } else if (auto* t = qobject_cast<QTimeEdit*>(editor)) {
            QTime& last = col == T::kStartTime ? view_->startTime : view_->endTime;
            if (auto parsed = T::ParseTime(text)) last = *parsed;
            t->setTime(last);
        } else {
            QStyledItemDelegate::setEditorData(editor, index);
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        const int col = index.column();
        if (auto* d = qobject_cast<QDateEdit*>(editor)) {
            (col == T::kStartDate ? view_->startDate : view_->endDate) = d->date();
            model->setData(index, T::FormatDate(d->date()));
        } else if (auto* t = qobject_cast<QTimeEdit*>(editor)) {
            (col == T::kStartTime ? view_->startTime : view_->endTime) = t->time();
            model->setData(index, T::FormatTime(t->time()));
        } else {
            QStyledItemDelegate::setModelData(editor, model, index);
        }
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int col = index.column();
        if (col != T::kUnrestricted && col != T::kDelete) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        p->fillRect(option.rect, option.palette.base());
        QStyleOptionButton box;
        box.state = QStyle::State_Enabled |
                    (table_.Grid().Cells(col, index.row() + 1) == T::Yes() ? QStyle::State_On : QStyle::State_Off);
        const QSize size = QApplication::style()->sizeFromContents(QStyle::CT_CheckBox, &box, QSize());
        const int w = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
        const int h = QApplication::style()->pixelMetric(QStyle::PM_IndicatorHeight);
        Q_UNUSED(size);
        box.rect = QRect(option.rect.center().x() - w / 2, option.rect.center().y() - h / 2, w, h);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p);
    }

private:
    TNumberTable& table_;
    TNumbersView* view_;
};

QPushButton* Button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedSize(90, 40);
    return b;
}

} // namespace

TNumbersView::TNumbersView(TNumberTable& table, QWidget* parent) : QWidget(parent), table_(table) {
    const QDateTime now = QDateTime::currentDateTime();
    endDate = now.date();
    endTime = QTime(now.time().hour(), now.time().minute());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* column = new QWidget(this);
    column->setFixedWidth(100);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(5, 12, 5, 6);
    buttons->setSpacing(10);
    btn10 = Button(QStringLiteral("Скачать"), column);
    btn9 = Button(QStringLiteral("Сохранить"), column);
    btn14 = Button(QStringLiteral("Импорт  XLS"), column);
    btn15 = Button(QStringLiteral("Экспорт XLS"), column);
    btn6 = Button(QStringLiteral("Без ограничений\nвсем"), column);
    btn7 = Button(QStringLiteral("Удалить всех"), column);
    btn3 = Button(QStringLiteral("Export .CSV"), column);
    btn11 = Button(QString(), column);
    for (auto* b : {btn10, btn9, btn14, btn15, btn6, btn7, btn3, btn11}) buttons->addWidget(b);
    QFont small = btn6->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);  // its caption is the longest of the column
    btn6->setFont(small);
    btn3->hide();
    btn11->hide();
    buttons->addStretch();
    layout->addWidget(column);

    strngrd3 = new QTableView(this);
    model_ = new TGridModel(table.Grid(), T::kRecords, this);
    model_->Editable = [](int col, int) { return col >= T::kNumber && col <= T::kEndTime; };
    model_->Alignment = [](int, int) -> QVariant { return int(Qt::AlignCenter); };
    model_->HideText = [](int col, int) { return col == T::kUnrestricted || col == T::kDelete; };
    model_->Background = [this](int col, int row) -> QVariant {
        if (table_.OutOfRange(col, row)) return QColor(192, 220, 192);
        return {};
    };
    strngrd3->setModel(model_);
    strngrd3->setItemDelegate(new TNumbersDelegate(table, this));
    strngrd3->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                              QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
    strngrd3->setSelectionMode(QAbstractItemView::SingleSelection);
    strngrd3->verticalHeader()->hide();
    strngrd3->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    strngrd3->verticalHeader()->setDefaultSectionSize(24);
    strngrd3->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    const int widths[8] = {45, 145, 83, 98, 99, 100, 95, 82};
    for (int c = 0; c < 8; ++c) strngrd3->setColumnWidth(c, widths[c]);
    layout->addWidget(strngrd3, 1);

    connect(strngrd3, &QTableView::clicked, this, [this](const QModelIndex& index) {
        table_.ClickFlag(index.column(), index.row() + 1);
    });
    connect(btn6, &QPushButton::clicked, this, [this] { table_.ToggleAllUnrestricted(); });
    connect(btn7, &QPushButton::clicked, this, [this] { table_.ToggleAllDelete(); });
    strngrd3->setCurrentIndex(model_->IndexOf(1, 1));
}

} // namespace portiqa
