#pragma once
#include "base/status_display.h"
#include "base/timer.h"
#include <cstdint>

namespace portiqa {

// Writes the short English status text; the clear timer statusTimer empties it three
// seconds after the first text since the timer last stopped.
constexpr int kStatusClearMs = 3000;
// What the operator is told without a box stays longer: it may be read late.
constexpr int kToldClearMs = 10000;

class TStatusControl {
public:
    TStatusControl(IStatusDisplay& display, ITimer& statusTimer) : display_(display), clearTimer_(statusTimer) {}
    // The text stays for clearMs, then the line is cleared.
    void ShowStatus(const QString& text, int clearMs = kStatusClearMs);
    IStatusDisplay& Display() { return display_; }

private:
    IStatusDisplay& display_;
    ITimer& clearTimer_;
};

// Moves the progress bar; 100 means done and hides the bar.
class TProgressControl {
public:
    explicit TProgressControl(IStatusDisplay& display) : display_(display) {}
    void SetProgress(uint16_t value);

private:
    IStatusDisplay& display_;
};

// Hooks the clear timer's expiry: empty text, hidden bar, timer stopped.
void BindStatusClearTimer(ITimer& statusTimer, TStatusControl& status, TProgressControl& progress);


} // namespace portiqa
