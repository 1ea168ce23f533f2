#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QAbstractButton>

class QShortcut;

namespace portiqa {

// Gives every shown button under a window (push and tool buttons, check
// boxes) an Alt+letter of its caption, drawn underlined as the desktop draws
// mnemonics, the letters unique among the buttons seen together (the
// window's own and those of one tab page).
// The caption itself is left as it is (text() never gains an "&"); Assign
// again after the captions change language; a button whose caption changes
// ("Подключить", then "Выйти") gets its new letters when it is next drawn.
class TMnemonics : public QObject {
    Q_OBJECT

public:
    explicit TMnemonics(QWidget* window);
    void Assign();
    // The letter a button keeps in every state and on every tab, for one
    // action (save, download): given before the others are matched.
    static void Prefer(QAbstractButton* button, const QString& letter);
    // A button that stops work gets no letter: Escape stops it, and no Alt
    // meant for another button can.
    static void NoLetter(QAbstractButton* button);
    // The letter a button answers to with Alt, or a null character.
    QChar LetterOf(const QAbstractButton* button) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TMark {
        QChar letter;  // upper case
        QString caption;  // when the letter was given; a new one is given a new letter
        QPointer<QShortcut> key;
    };
    bool assignPending_ = false;
    QWidget* window_;
    QHash<const QAbstractButton*, TMark> marks_;
};

} // namespace portiqa
