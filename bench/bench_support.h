#pragma once
#include "base/operator.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

namespace portiqa::bench {

using portiqa::TSilentOperator;

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
