#include "gui/mnemonics.h"
#include <QCheckBox>
#include <QEvent>
#include <QToolButton>
#include <QKeySequence>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <functional>
#include <map>

namespace portiqa {

namespace {

// The buttons' own style options, as their paint would make them.
struct TOpenPush : QPushButton {
    using QPushButton::initStyleOption;
};
struct TOpenCheck : QCheckBox {
    using QCheckBox::initStyleOption;
};
struct TOpenTool : QToolButton {
    using QToolButton::initStyleOption;
};

// The page of a tab (or of any stacked widget) a button sits on; the window
// itself for the buttons always in sight.
const QWidget* PageOf(const QWidget* w, const QWidget* window) {
    for (; w && w != window; w = w->parentWidget())
        if (qobject_cast<const QStackedWidget*>(w->parentWidget())) return w;
    return window;
}

bool WordStart(const QString& caption, int i) { return i == 0 || !caption[i - 1].isLetterOrNumber(); }

// A caption's letters a mnemonic may take, a word's first letters first.
QList<QChar> Candidates(const QString& caption) {
    QList<QChar> starts, others;
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toUpper();
        if (!caption[i].isLetter() || starts.contains(c) || others.contains(c)) continue;
        (WordStart(caption, i) ? starts : others).append(c);
    }
    for (QChar c : others)
        if (!starts.contains(c)) starts.append(c);
    return starts;
}

// Letters for captions seen together, none taken twice nor from taken, as
// many captions served as can be (a matching, each caption trying its
// preferred letters first); a caption left without one gets a null.
QList<QChar> Match(const QStringList& captions, const QSet<QChar>& taken) {
    QList<QList<QChar>> options;
    for (const QString& c : captions) options.append(Candidates(c));
    QHash<QChar, int> owner;
    QList<QChar> letter(captions.size());
    std::function<bool(int, QSet<QChar>&)> place = [&](int i, QSet<QChar>& tried) {
        for (QChar c : options[i]) {
            if (taken.contains(c) || tried.contains(c)) continue;
            tried.insert(c);
            const auto held = owner.constFind(c);
            if (held == owner.cend() || place(*held, tried)) {
                owner[c] = i;
                letter[i] = c;
                return true;
            }
        }
        return false;
    };
    for (int i = 0; i < captions.size(); ++i) {
        QSet<QChar> tried;
        place(i, tried);
    }
    // A caption moved off a letter by a later one holds its new letter only.
    for (int i = 0; i < captions.size(); ++i)
        if (!letter[i].isNull() && owner.value(letter[i], -1) != i) letter[i] = QChar();
    return letter;
}

// Where the letter shows in the caption: at a word's start if it starts one.
int PlaceOf(const QString& caption, QChar letter) {
    int any = -1;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i].toUpper() != letter) continue;
        if (WordStart(caption, i)) return i;
        if (any < 0) any = i;
    }
    return any;
}

QString Marked(const QString& caption, int at) {
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (i == at) out += u'&';
        out += caption[i];
        if (caption[i] == u'&') out += u'&';
    }
    return out;
}

} // namespace

TMnemonics::TMnemonics(QWidget* window) : QObject(window), window_(window) { Assign(); }

namespace {
constexpr const char* kPreferred = "portiqaMnemonic";
constexpr const char* kNone = "portiqaNoMnemonic";

// Matches letters for buttons seen together: the preferred ones first (when
// the caption holds the letter and nothing took it), the rest matched.
QList<QChar> Letters(const QList<QAbstractButton*>& buttons, const QSet<QChar>& taken, const QSet<QChar>& reserved = {}) {
    QList<QChar> out(buttons.size());
    QSet<QChar> used = taken;
    QStringList rest;
    QList<int> restAt;
    for (int i = 0; i < buttons.size(); ++i) {
        const QString preferred = buttons[i]->property(kPreferred).toString().toUpper();
        const QChar wanted = preferred.isEmpty() ? QChar() : preferred[0];
        if (!wanted.isNull() && !used.contains(wanted) && buttons[i]->text().toUpper().contains(wanted)) {
            out[i] = wanted;
            used.insert(wanted);
        } else {
            rest << buttons[i]->text();
            restAt << i;
        }
    }
    const QList<QChar> matched = Match(rest, used + reserved);
    for (int k = 0; k < restAt.size(); ++k) out[restAt[k]] = matched[k];
    return out;
}
} // namespace

void TMnemonics::Prefer(QAbstractButton* button, const QString& letter) { button->setProperty(kPreferred, letter); }
void TMnemonics::NoLetter(QAbstractButton* button) { button->setProperty(kNone, true); }

QChar TMnemonics::LetterOf(const QAbstractButton* button) const {
    const auto found = marks_.constFind(button);
    return found == marks_.cend() ? QChar() : found->letter;
}

void TMnemonics::Assign() {
    assignPending_ = false;
    for (auto it = marks_.begin(); it != marks_.end(); ++it) delete it->key;
    marks_.clear();
    // The window's own buttons first: their letters are taken on every page.
    std::map<const QWidget*, QList<QAbstractButton*>> pages;
    for (QAbstractButton* b : window_->findChildren<QAbstractButton*>()) {
        const bool drawn = qobject_cast<QPushButton*>(b) || qobject_cast<QCheckBox*>(b) || qobject_cast<QToolButton*>(b);
        // Not a popup's (a calendar's month), not one hidden for good.
        if (!drawn || b->window() != window_ || b->isHidden() || b->text().isEmpty() || b->text().contains(u'&') ||
            b->property(kNone).toBool())
            continue;
        pages[PageOf(b, window_)].append(b);
    }
    const auto give = [this](QAbstractButton* b, QChar letter) {
        TMark mark;
        mark.letter = letter;
        mark.caption = b->text();
        if (!letter.isNull()) {
            mark.key = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(letter.unicode()))), b);
            mark.key->setContext(Qt::WindowShortcut);
            connect(mark.key, &QShortcut::activated, b, [b] {
                if (b->isVisible() && b->isEnabled()) b->animateClick();
            });
        }
        marks_.insert(b, mark);
        b->removeEventFilter(this);
        b->installEventFilter(this);
        b->update();
    };
    // The window's buttons leave the letters the tabs' buttons prefer.
    QSet<QChar> preferred;
    for (const auto& [page, buttons] : pages)
        for (const QAbstractButton* b : buttons)
            if (page != window_ && !b->property(kPreferred).toString().isEmpty())
                preferred.insert(b->property(kPreferred).toString().toUpper().at(0));
    const QList<QAbstractButton*> own = pages[window_];
    const QList<QChar> ownLetters = Letters(own, {}, preferred);
    QSet<QChar> windowLetters;
    for (int i = 0; i < own.size(); ++i) {
        give(own[i], ownLetters[i]);
        windowLetters.insert(ownLetters[i]);
    }
    for (auto& [page, buttons] : pages) {
        if (page == window_) continue;
        const QList<QChar> letters = Letters(buttons, windowLetters);
        for (int i = 0; i < buttons.size(); ++i) give(buttons[i], letters[i]);
    }
}

bool TMnemonics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    const auto found = button ? marks_.constFind(button) : marks_.cend();
    if (found == marks_.cend()) return false;
    if (found->caption != button->text() && !assignPending_) {
        assignPending_ = true;
        QMetaObject::invokeMethod(this, &TMnemonics::Assign, Qt::QueuedConnection);
    }
    const int at = PlaceOf(button->text(), found->letter);
    if (at < 0) return false;
    // The button's own paint, with the letter marked.
    QStylePainter painter(button);
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        QStyleOptionButton option;
        (push->*&TOpenPush::initStyleOption)(&option);
        option.text = Marked(button->text(), at);
        painter.drawControl(QStyle::CE_PushButton, option);
    } else if (auto* check = qobject_cast<QCheckBox*>(button)) {
        QStyleOptionButton option;
        (check->*&TOpenCheck::initStyleOption)(&option);
        option.text = Marked(button->text(), at);
        painter.drawControl(QStyle::CE_CheckBox, option);
    } else if (auto* tool = qobject_cast<QToolButton*>(button)) {
        QStyleOptionToolButton option;
        (tool->*&TOpenTool::initStyleOption)(&option);
        option.text = Marked(button->text(), at);
        painter.drawComplexControl(QStyle::CC_ToolButton, option);
    }
    return true;
}

} // namespace portiqa
