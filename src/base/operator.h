#pragma once
#include <QList>
#include <QString>
#include <optional>
#include <QStringList>
#include <functional>

namespace portiqa {

// Everything that asks or tells the operator something. The core never shows
// a dialog itself; the window answers with message boxes and file dialogs,
// the command line from its options, tests from a script.
class IOperator {
public:
    virtual ~IOperator() = default;
    // A message box with an empty title and an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // Something done, or a state worth knowing, that needs no answer (a
    // login accepted, a read complete, the record not answering): the window
    // says it in its status line, never in a box; a scripted run prints it.
    virtual void Tell(const QString& text) { ShowMessage(text); }
    // A question with the buttons "Принять" and "Отменить"; true for "Принять".
    virtual bool AskAccept(const QString& text) = 0;
    // The same question with a check box (option) the operator may tick;
    // checked comes in as its start state and goes out as the answer.
    virtual bool AskAcceptWithOption(const QString& text, const QString& option, bool& checked) {
        (void)option;
        (void)checked;
        return AskAccept(text);
    }
    // A line of text the operator types (initial filled in); nullopt when
    // cancelled or when the front end cannot ask.
    virtual std::optional<QString> AskText(const QString& text, const QString& initial) {
        (void)text;
        (void)initial;
        return std::nullopt;
    }
    // A warning before something is lost, with OK and Cancel; Cancel is the
    // default button. True for OK.
    virtual bool WarnOkCancel(const QString& text) = 0;
    // What is about to be written was read from another module (a table, a
    // backup): write it into this one? Cancel is the default; true to write.
    virtual bool AskWriteOtherModule(const QString& text) { return WarnOkCancel(text); }
    // Unsaved edits would be lost: save them first, drop them, or stop.
    enum class TUnsaved { Save, Discard, Cancel };
    virtual TUnsaved AskUnsaved(const QString& text) {
        (void)text;
        return TUnsaved::Cancel;
    }
    // Which of several things to do (check boxes, as they are given ticked);
    // false when cancelled. A front end that cannot ask keeps them as given.
    struct TChoice {
        QString label;
        bool checked = true;
    };
    virtual bool AskChoices(const QString& text, QList<TChoice>& choices) {
        (void)text;
        (void)choices;
        return true;
    }
    // The report of a failure that ended an operation.
    virtual void ReportError(const QString& text) = 0;
    // File choices; an empty result means the operator cancelled. subject
    // says what the file holds ("история событий"), in the dialog's caption;
    // it is also the kind of file whose last folder the dialog starts in.
    virtual QString ChooseSaveFile(const QString& subject, const QString& folder, const QString& filter,
                                   const QString& proposedName) = 0;
    virtual QString ChooseOpenFile(const QString& subject, const QString& folder, const QString& filter) = 0;
};

// Answers yes to every question and counts what it is told: for scripted
// runs, benchmarks and fuzzing.
class TSilentOperator : public IOperator {
public:
    int messages = 0;
    void ShowMessage(const QString&) override { ++messages; }
    bool AskAccept(const QString&) override { return true; }
    bool WarnOkCancel(const QString&) override { return true; }
    void ReportError(const QString&) override { ++messages; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
};

// Runs an event handler and reports any failure it raises through the
// operator; this is the one place where such failures are caught.
bool RunGuarded(IOperator& op, const std::function<void()>& handler);

} // namespace portiqa
