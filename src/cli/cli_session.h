#pragma once
#include "base/operator.h"
#include "base/status_display.h"
#include "cli/cli_app.h"
#include "session/runtime.h"
#include <QEventLoop>
#include <QTextStream>

namespace portiqa {

// Messages the window would show in a box, in the same words, on stderr;
// confirmations answered from the options.
class TCliOperator : public IOperator {
public:
    TCliOperator(QTextStream& err, bool yes, bool clone = false) : err_(err), yes_(yes), clone_(clone) {}
    void ShowMessage(const QString& text) override { Line(text); }
    bool AskAccept(const QString&) override { return true; }  // the command itself is the request
    bool WarnOkCancel(const QString& text) override;
    bool AskWriteOtherModule(const QString& text) override;
    void ReportError(const QString& text) override { Line(text); }
    QString ChooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    void Line(QString text);
    QTextStream& err_;
    bool yes_;
    bool clone_;
};

// Progress on stderr, only when it is a terminal.
class TCliStatus : public IStatusDisplay {
public:
    TCliStatus(QTextStream& err, bool show) : err_(err), show_(show) {}
    ~TCliStatus() override;
    void SetStatusText(const QString& text) override;
    void SetProgressPosition(int) override {}
    void SetProgressVisible(bool) override {}

private:
    QTextStream& err_;
    bool show_;
    bool shown_ = false;
};

// One connection to a module for one command: the session's objects over
// the serial port, an event loop that runs each exchange to its end, and
// the one table that turns how an exchange ended into an exit status.
class TCli {
public:
    TCli(QTextStream& out, QTextStream& err, bool yes, bool progress, bool clone = false);
    ~TCli();

    // Opens the port (the first of the list when port is empty).
    int Open(const QString& port);
    int Login(const QString& pin);
    // Starts an exchange and runs the event loop until it ends one way or another.
    int Exchange(const std::function<void()>& start);

    TSession& S() { return runtime_.Session(); }
    TRuntime& Runtime() { return runtime_; }
    IOperator& Op() { return op_; }
    QTextStream& Out() { return out_; }
    QTextStream& Err() { return err_; }

private:
    void Finish(int code);
    QTextStream& out_;
    QTextStream& err_;
    TCliOperator op_;
    TCliStatus status_;
    TRuntime runtime_;
    QEventLoop loop_;
    int result_ = -1;
};

} // namespace portiqa
