#pragma once
#include "app/operator.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

namespace portiqa::bench {

// An operator that answers yes and remembers nothing.
struct TSilentOperator : IOperator {
    int messages = 0;
    void ShowMessage(const QString&) override { ++messages; }
    bool AskAccept(const QString&) override { return true; }
    bool WarnOkCancel(const QString&) override { return true; }
    void ReportError(const QString&) override { ++messages; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
};

// Runs the event loop, sleeping between events, until done() holds.
inline bool RunUntil(const std::function<bool()>& done, int boundMs = 120000) {
    QDeadlineTimer deadline(boundMs);
    QTimer tick;  // wakes the loop now and then, so the bound is checked
    tick.start(20);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace portiqa::bench
