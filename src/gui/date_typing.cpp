#include "gui/date_typing.h"
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace portiqa {

namespace {

class TPartTyping : public QObject {
public:
    explicit TPartTyping(QDateTimeEdit* box) : QObject(box), box_(box) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            const bool digit = text.size() == 1 && text[0].isDigit();
            if (digit && !typing_ && box_->currentSection() != QDateTimeEdit::NoSection)
                box_->setSelectedSection(box_->currentSection());
            typing_ = digit;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
            typing_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QDateTimeEdit* box_;
    bool typing_ = false;
};

} // namespace

void TypeDigitsIntoParts(QDateTimeEdit* box) {
    // Keys and clicks reach the box's own line editor first when it has the focus.
    auto* filter = new TPartTyping(box);
    box->installEventFilter(filter);
    if (auto* line = box->findChild<QLineEdit*>()) line->installEventFilter(filter);
}

} // namespace portiqa
