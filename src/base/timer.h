#pragma once
#include <functional>

namespace portiqa {

// A message-loop timer as the protocol logic sees it. Enabling a timer that
// already runs leaves it running (its period is not restarted), and setting
// the interval it already has does not restart it either.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual bool Enabled() const = 0;

    std::function<void()> OnTimer;

protected:
    void Fire() { if (OnTimer) OnTimer(); }
};

// A timer driven by hand: tests and the command line's replay advance its
// clock explicitly, so nothing ever sleeps.
class TManualTimer : public ITimer {
public:
    explicit TManualTimer(int intervalMs = 1000, bool enabled = false)
        : interval_(intervalMs), enabled_(enabled) {}
    void SetInterval(int ms) override {
        if (ms != interval_) { interval_ = ms; elapsed_ = 0; }
    }
    int Interval() const override { return interval_; }
    void SetEnabled(bool on) override {
        if (on && !enabled_) elapsed_ = 0;
        enabled_ = on;
    }
    bool Enabled() const override { return enabled_; }

    // Moves the clock on by ms, firing every expiry that falls inside.
    void Advance(int ms) {
        while (enabled_ && interval_ > 0 && elapsed_ + ms >= interval_) {
            ms -= interval_ - elapsed_;
            elapsed_ = 0;
            Fire();
        }
        if (enabled_) elapsed_ += ms;
    }
    // Fires once now if enabled, as if the whole period had passed.
    void FireNow() {
        if (enabled_) { elapsed_ = 0; Fire(); }
    }
    int Elapsed() const { return elapsed_; }

private:
    int interval_;
    bool enabled_;
    int elapsed_ = 0;
};

} // namespace portiqa
