#include "gui/date_typing.h"
#include "base/texts.h"
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace portiqa {

namespace {

// A date typed whole, in the forms people type: 2026-12-31, 2026/12/31,
// 2026.12.31, 31.12.2026, 12/31/2026 (the month first where it can be, else
// the day), 20261231. Invalid when it names no day of the calendar.
QDate WholeDate(const QString& text) {
    static const QRegularExpression kYearFirst(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    static const QRegularExpression kDots(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression kSlashes(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    static const QRegularExpression kDigits(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    const auto n = [](const QRegularExpressionMatch& m, int i) { return m.captured(i).toInt(); };
    if (auto m = kYearFirst.match(text); m.hasMatch()) return QDate(n(m, 1), n(m, 2), n(m, 3));
    if (auto m = kDigits.match(text); m.hasMatch()) return QDate(n(m, 1), n(m, 2), n(m, 3));
    if (auto m = kDots.match(text); m.hasMatch()) return QDate(n(m, 3), n(m, 2), n(m, 1));
    if (auto m = kSlashes.match(text); m.hasMatch()) {
        const QDate monthFirst(n(m, 3), n(m, 1), n(m, 2));
        return monthFirst.isValid() ? monthFirst : QDate(n(m, 3), n(m, 2), n(m, 1));
    }
    return {};
}

class TPartTyping : public QObject {
public:
    TPartTyping(QDateTimeEdit* box, std::function<void(const QString&)> refuse)
        : QObject(box), box_(box), refuse_(std::move(refuse)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: return Key(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
            typing_ = false;
            whole_.clear();
            break;
        case QEvent::FocusOut:
            whole_.clear();
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool DateBox() const { return !(box_->displayedSections() & QDateTimeEdit::TimeSections_Mask); }
    // The whole text selected (Ctrl+A, or a picker just opened on its year):
    // what is typed now is a whole date, not a part.
    bool WholeSelected() const {
        const QLineEdit* line = box_->findChild<QLineEdit*>();
        if (line && line->hasSelectedText() && line->selectedText() == line->text()) return true;
        return !typing_ && box_->currentSection() == QDateTimeEdit::YearSection && line &&
               line->selectedText() == box_->sectionText(QDateTimeEdit::YearSection);
    }
    bool Key(QKeyEvent* e) {
        const QString text = e->text();
        const bool digit = text.size() == 1 && text[0].isDigit();
        const bool separator = text.size() == 1 && QStringLiteral("-./").contains(text[0]);
        if (DateBox() && (!whole_.isEmpty() || (digit && WholeSelected()))) {
            if (digit || separator) {
                if (whole_.isEmpty()) before_ = box_->date();
                whole_ += text;
                Apply(false);
                return true;
            }
            if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Tab) {
                if (!Apply(true)) return true;  // refused: the box keeps what it showed
                whole_.clear();
                return false;
            }
            if (e->key() == Qt::Key_Backspace) {
                whole_.chop(1);
                return true;
            }
            if (e->key() == Qt::Key_Escape) {
                whole_.clear();
                return false;
            }
            if (!text.isEmpty() && text[0].isPrint()) {
                if (refuse_) refuse_(TText::tr("в дату вводятся только цифры и «-», «.», «/»"));
                return true;
            }
            whole_.clear();
            return false;
        }
        if (digit && !typing_ && box_->currentSection() != QDateTimeEdit::NoSection)
            box_->setSelectedSection(box_->currentSection());
        typing_ = digit;
        return false;
    }
    // Shows what the typing names so far: a whole date, or (four digits) a
    // year in the date shown. Finishing, anything else is refused.
    bool Apply(bool finishing) {
        if (const QDate d = WholeDate(whole_); d.isValid() && d >= box_->minimumDate() && d <= box_->maximumDate()) {
            box_->setDate(d);
            return true;
        }
        if (whole_.size() == 4 && !whole_.contains(QRegularExpression(QStringLiteral("\\D")))) {
            const QDate shown = box_->date();
            const int year = whole_.toInt();
            const QDate d(year, shown.month(), std::min(shown.day(), QDate(year, shown.month(), 1).daysInMonth()));
            if (d.isValid() && d >= box_->minimumDate() && d <= box_->maximumDate()) {
                box_->setDate(d);
                return true;
            }
        }
        if (!finishing) return false;
        box_->setDate(before_);  // what the box showed before the typing
        if (refuse_)
            refuse_(TText::tr("«%1» — не дата: введите, например, 2026-12-31, 31.12.2026 или 20261231 (годы %2-%3)")
                        .arg(whole_)
                        .arg(box_->minimumDate().year())
                        .arg(box_->maximumDate().year()));
        whole_.clear();
        return false;
    }

    QDateTimeEdit* box_;
    std::function<void(const QString&)> refuse_;
    bool typing_ = false;
    QString whole_;  // a date being typed whole
    QDate before_;   // the box's date when it began
};

} // namespace

void TypeDigitsIntoParts(QDateTimeEdit* box, std::function<void(const QString&)> refuse) {
    // Keys and clicks reach the box's own line editor first when it has the focus.
    auto* filter = new TPartTyping(box, std::move(refuse));
    box->installEventFilter(filter);
    if (auto* line = box->findChild<QLineEdit*>()) line->installEventFilter(filter);
}

} // namespace portiqa
