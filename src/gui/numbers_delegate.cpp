#include "gui/numbers_delegate.h"
#include "base/texts.h"
#include "gui/date_typing.h"
#include "gui/number_validator.h"
#include "gui/numbers_view.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

namespace portiqa {

namespace {

using T = TNumberTable;

// Column 1 is typed in place; columns 2..5 get a date or time picker, but
// only when the operator asks for it (a digit, F2, Enter, a click or a
// double click): moving through the table never opens one. A picker is
// preset from its cell, or from its last value when the cell holds no real
// date or time, and writes back only when the operator changed it or
// accepted it with Enter, so a visit changes nothing. Columns 6 and 7 are
// drawn as check boxes.
class TNumbersDelegate : public QStyledItemDelegate {
public:
    TNumbersDelegate(TNumberTable& table, TNumbersView* view) : QStyledItemDelegate(view), table_(table), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int col = index.column(), row = index.row() + 1;
        if (col == T::kNumber) {
            QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
            if (auto* line = qobject_cast<QLineEdit*>(editor)) {
                TNumbersView* view = view_;
                line->setValidator(new TNumberValidator([view](const QString& why) { view->RefuseTyping(why); }, line));
            }
            return editor;
        }
        if (col >= T::kName) {
            // The person beside the number: a line of text, as long as the directory keeps.
            QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
            if (auto* line = qobject_cast<QLineEdit*>(editor))
                line->setMaxLength(col == T::kName ? TPeople::kNameWidth : col == T::kPlace ? TPeople::kPlaceWidth : TPeople::kNoteWidth);
            return editor;
        }
        if (!table_.PickerAllowed(row)) return nullptr;
        if (col == T::kStartDate || col == T::kEndDate) {
            auto* e = new QDateEdit(parent);
            e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
            e->setCalendarPopup(true);
            // The module keeps two digits of the year.
            e->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
            TNumbersView* view = view_;
            TypeDigitsIntoParts(e, [view](const QString& why) { view->RefuseTyping(why); });
            return e;
        }
        if (col == T::kStartTime || col == T::kEndTime) {
            auto* e = new QTimeEdit(parent);
            e->setDisplayFormat(QStringLiteral("HH:mm"));
            TypeDigitsIntoParts(e);
            return e;
        }
        return nullptr;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // Preset once, when the picker opens; later changes of the cell under
        // an open picker do not move it.
        if (editor->property(kPreset).isValid()) return;
        const int col = index.column(), row = index.row() + 1;
        const QString text = table_.Grid().Cells(col, row);
        if (auto* d = qobject_cast<QDateEdit*>(editor)) {
            const QDate last = col == T::kStartDate ? view_->startDate : view_->endDate;
            d->setDate(T::ParseDate(text).value_or(last));
            editor->setProperty(kPreset, d->date());
            d->setSelectedSection(QDateTimeEdit::YearSection);
        } else if (auto* t = qobject_cast<QTimeEdit*>(editor)) {
            const QTime last = col == T::kStartTime ? view_->startTime : view_->endTime;
            t->setTime(T::ParseTime(text).value_or(last));
            editor->setProperty(kPreset, t->time());
            t->setSelectedSection(QDateTimeEdit::HourSection);
        } else {
            QStyledItemDelegate::setEditorData(editor, index);
        }
    }
    // A window that would end before it starts is refused where it is typed,
    // with the reason: the cell keeps its value.
    bool InvertsWindow(int col, int row, const QString& value) const {
        QString cells[4];
        for (int c = T::kStartDate; c <= T::kEndTime; ++c)
            cells[c - T::kStartDate] = c == col ? value : table_.Grid().Cells(c, row);
        const QString why = T::WindowProblem(cells[0], cells[1], cells[2], cells[3]);
        if (why.isEmpty() || table_.Grid().Cells(T::kUnrestricted, row) == T::Yes()) return false;
        view_->RefuseTyping(why);
        return true;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        const int col = index.column();
        const bool accepted = editor->property(kAccepted).toBool();
        if (auto* d = qobject_cast<QDateEdit*>(editor)) {
            if (!accepted && d->date() == editor->property(kPreset).toDate()) return;
            if (InvertsWindow(col, index.row() + 1, T::FormatDate(d->date(), u'-'))) return;
            (col == T::kStartDate ? view_->startDate : view_->endDate) = d->date();
            // The form a download writes, so the column reads one way.
            model->setData(index, T::FormatDate(d->date(), u'-'));
        } else if (auto* t = qobject_cast<QTimeEdit*>(editor)) {
            if (!accepted && t->time() == editor->property(kPreset).toTime()) return;
            if (InvertsWindow(col, index.row() + 1, T::FormatTime(t->time()))) return;
            (col == T::kStartTime ? view_->startTime : view_->endTime) = t->time();
            model->setData(index, T::FormatTime(t->time()));
        } else {
            QStyledItemDelegate::setModelData(editor, model, index);
        }
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        // Enter in a picker accepts what it shows, changed or not.
        if (event->type() == QEvent::KeyPress && qobject_cast<QDateTimeEdit*>(object)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) object->setProperty(kAccepted, true);
        }
        return QStyledItemDelegate::eventFilter(object, event);
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
    static constexpr const char* kPreset = "portiqaPreset";
    static constexpr const char* kAccepted = "portiqaAccepted";
    TNumberTable& table_;
    TNumbersView* view_;
};

} // namespace

QStyledItemDelegate* NewNumbersDelegate(TNumberTable& table, TNumbersView* view) { return new TNumbersDelegate(table, view); }

} // namespace portiqa
