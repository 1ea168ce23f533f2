#include "cli/provision_board.h"

namespace portiqa {

namespace {
const QString kUp = QStringLiteral("\x1b[%1A"), kClear = QStringLiteral("\x1b[2K\r");
const QString kGreen = QStringLiteral("\x1b[32m"), kRed = QStringLiteral("\x1b[31m"), kPlain = QStringLiteral("\x1b[0m");
} // namespace

void TStatusBoard::Seen(const QString& port) {
    TLine line;
    line.startedMs = Now();
    lines_[port] = line;
    Draw();
}

void TStatusBoard::Unit(const QString& port, const QString& unit) {
    lines_[port].unit = unit;
    Draw();
}

void TStatusBoard::Step(const QString& port, const QString& words) {
    TLine& line = lines_[port];
    line.step = words;
    line.percent = -1;
    Draw();
}

void TStatusBoard::Percent(const QString& port, int percent) {
    TLine& line = lines_[port];
    // Only a change of the figure is drawn: a page is far more often than a percent.
    if (line.percent == percent || line.state != 0) return;
    line.percent = percent;
    Draw();
}

void TStatusBoard::Finished(const QString& port, bool ok, const QString& words) {
    TLine& line = lines_[port];
    line.state = ok ? 1 : 2;
    line.step = words;
    line.endedMs = Now();
    Draw();
}

void TStatusBoard::Note(const QString& text) {
    // The board moves down below the news.
    if (drawn_ > 0) err_ << kUp.arg(drawn_);
    err_ << kClear << text << "\n";
    drawn_ = 0;
    Draw();
}

QString TStatusBoard::Render(const QString& port, const TLine& line) const {
    const qint64 ms = (line.endedMs >= 0 ? line.endedMs : Now()) - line.startedMs;
    QString text = QStringLiteral("%1  %2  %3").arg(port, -24).arg(line.unit, -12).arg(line.step);
    if (line.state == 0 && line.percent >= 0) text += QStringLiteral(" %1%").arg(line.percent);
    text += QStringLiteral("  %1 s").arg(double(ms) / 1000.0, 0, 'f', 1);
    if (!colour_ || line.state == 0) return text;
    return (line.state == 1 ? kGreen : kRed) + text + kPlain;
}

void TStatusBoard::Draw() {
    if (drawn_ > 0) err_ << kUp.arg(drawn_);
    for (const auto& [port, line] : lines_) err_ << kClear << Render(port, line) << "\n";
    drawn_ = int(lines_.size());
    err_.flush();
}

} // namespace portiqa
