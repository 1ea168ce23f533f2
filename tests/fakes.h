#pragma once
#include <functional>
#include "base/operator.h"
#include "base/status_report.h"
#include "base/timer.h"
#include "link/request.h"
#include "link/serial_port.h"
#include <QByteArray>
#include <QStringList>
#include <deque>
#include <ostream>
#include <vector>

// A failed comparison shows the text, not its UTF-16 units.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace portiqa::test {

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

struct TRecordingPort : ISerialPort {
    bool open = true;
    std::vector<QByteArray> frames;
    bool Write(const uint8_t* data, uint16_t size) override {
        if (!open || size == 0) return false;
        frames.emplace_back(reinterpret_cast<const char*>(data), size);
        return true;
    }
};

struct TScriptedOperator : IOperator {
    QStringList messages, questions, warnings, errors;
    std::deque<bool> answers;    // for AskAccept and WarnOkCancel; true when empty
    QString saveFile, openFile;
    QString lastSubject;  // of the last file dialog
    void ShowMessage(const QString& t) override { messages << t; }
    QStringList told;  // what was said without a box
    void Tell(const QString& t) override { told << t; }
    std::function<void()> whileAsked;  // runs as each question is shown
    bool AskAccept(const QString& t) override {
        questions << t;
        if (whileAsked) whileAsked();
        return Next();
    }
    bool WarnOkCancel(const QString& t) override { warnings << t; return Next(); }
    QStringList options;  // the check boxes offered with a question, ticked when tickOptions
    bool tickOptions = false;
    bool AskAcceptWithOption(const QString& t, const QString& option, bool& checked) override {
        options << option;
        if (tickOptions) checked = true;
        return AskAccept(t);
    }
    std::deque<QString> texts;  // for AskText; cancelled when empty
    std::optional<QString> AskText(const QString& t, const QString&) override {
        questions << t;
        if (texts.empty()) return std::nullopt;
        const QString a = texts.front();
        texts.pop_front();
        return a;
    }
    std::deque<TUnsaved> unsavedAnswers;  // Cancel when empty
    QStringList unsavedQuestions;
    TUnsaved AskUnsaved(const QString& t) override {
        unsavedQuestions << t;
        if (unsavedAnswers.empty()) return TUnsaved::Cancel;
        const TUnsaved a = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return a;
    }
    std::deque<std::vector<bool>> choiceAnswers;  // for AskChoices; kept as given when empty
    QStringList choiceQuestions;
    bool AskChoices(const QString& t, QList<TChoice>& choices) override {
        choiceQuestions << t;
        if (choiceAnswers.empty()) return true;
        for (qsizetype i = 0; i < choices.size() && i < qsizetype(choiceAnswers.front().size()); ++i)
            choices[i].checked = choiceAnswers.front()[size_t(i)];
        choiceAnswers.pop_front();
        return true;
    }
    void ReportError(const QString& t) override { errors << t; }
    QString ChooseSaveFile(const QString& subject, const QString&, const QString&, const QString&) override {
        lastSubject = subject;
        return saveFile;
    }
    QString ChooseOpenFile(const QString& subject, const QString&, const QString&) override {
        lastSubject = subject;
        return openFile;
    }
    bool Next() {
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// The objects every request needs: a recording port, a scripted operator,
// the status display with its reporting objects, manual timers and the
// request sequence.
struct TLinkRig {
    TRecordingPort port;
    TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer{3000}, statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    TProgressControl progress{display};
    TRequestSequence seq{port, status, replyTimer};
};

} // namespace portiqa::test
