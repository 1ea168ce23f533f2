#pragma once
#include "base/timer.h"
#include <QTimer>

namespace portiqa {

// ITimer on a QTimer of the main thread's event loop. QTimer::start restarts a
// running timer, so enabling goes through isActive() first.
class TQtTimer : public ITimer {
public:
    explicit TQtTimer(int intervalMs, bool enabled = false) {
        // The reply time is 3000 ms, not "about 3 s": a coarse timer may fire
        // up to 5 % late.
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
        if (enabled) timer_.start();
    }
    void SetInterval(int ms) override {
        if (ms != timer_.interval()) timer_.setInterval(ms);
    }
    int Interval() const override { return timer_.interval(); }
    void SetEnabled(bool on) override {
        if (on && !timer_.isActive()) timer_.start();
        else if (!on) timer_.stop();
    }
    bool Enabled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace portiqa
