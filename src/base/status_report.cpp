#include "base/status_report.h"

namespace portiqa {

void TStatusControl::ShowStatus(const QString& text, int clearMs) {
    display_.SetStatusText(text);
    clearTimer_.SetEnabled(true);
    clearTimer_.SetInterval(clearMs);
}

void TProgressControl::SetProgress(uint16_t value) {
    if (value != 0) display_.SetProgressVisible(true);
    display_.SetProgressPosition(value);
    if (value == 100) display_.SetProgressVisible(false);
}

void BindStatusClearTimer(ITimer& statusTimer, TStatusControl& status, TProgressControl& progress) {
    statusTimer.OnTimer = [&statusTimer, &status, &progress] {
        status.ShowStatus(QString());
        progress.SetProgress(100);
        statusTimer.SetEnabled(false);
    };
}

} // namespace portiqa
