#include "cli/provision_board.h"
#include "base/texts.h"
#include <algorithm>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#endif

namespace portiqa {

namespace {
const QString kUp = QStringLiteral("\x1b[%1A"), kClear = QStringLiteral("\x1b[2K\r");
const QString kGreen = QStringLiteral("\x1b[32m"), kRed = QStringLiteral("\x1b[31m"), kPlain = QStringLiteral("\x1b[0m");

int TerminalColumns(int fd) {
    if (fd < 0) return 80;
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info;
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(h, &info)) return info.srWindow.Right - info.srWindow.Left + 1;
#else
    winsize w{};
    if (::ioctl(fd, TIOCGWINSZ, &w) == 0 && w.ws_col > 0) return w.ws_col;
#endif
    return 80;
}

// At most width characters: a line never reaches the last column, where
// some terminals wrap at once. A pair of surrogates is never split.
QString Cut(const QString& text, int width) {
    const int room = std::max(width - 1, 1);
    if (text.size() <= room) return text;
    int n = room - 1;
    if (n > 0 && text.at(n - 1).isHighSurrogate()) --n;
    return text.left(n) + QChar(0x2026);
}
} // namespace

TStatusBoard::TStatusBoard(QTextStream& err, bool colour, int terminal) : err_(err), colour_(colour) {
    Columns = [terminal] { return TerminalColumns(terminal); };
}

void TStatusBoard::Totals(int done, int failed, int running, int unitsLeft) {
    QString t = TText::tr("готово %1 · ошибок %2 · в работе %3").arg(done).arg(failed).arg(running);
    if (unitsLeft >= 0) t += TText::tr(" · устройств осталось %1").arg(unitsLeft);
    if (t == totals_) return;
    totals_ = t;
    Draw();
}

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

QString TStatusBoard::Render(const QString& port, const TLine& line, int width) const {
    const qint64 ms = (line.endedMs >= 0 ? line.endedMs : Now()) - line.startedMs;
    // The port, the seconds and the unit first: a long step is what is cut.
    QString step = line.step;
    if (line.state == 0 && line.percent >= 0) step += QStringLiteral(" %1%").arg(line.percent);
    const QString text = Cut(QStringLiteral("%1  %2  %3 s  %4")
                                 .arg(port, -16)
                                 .arg(line.unit, -10)
                                 .arg(double(ms) / 1000.0, 5, 'f', 1)
                                 .arg(step),
                             width);
    if (!colour_ || line.state == 0) return text;
    return (line.state == 1 ? kGreen : kRed) + text + kPlain;
}

void TStatusBoard::Draw() {
    const int width = Columns ? Columns() : 80;
    if (drawn_ > 0) err_ << kUp.arg(drawn_);
    for (const auto& [port, line] : lines_) err_ << kClear << Render(port, line, width) << "\n";
    drawn_ = int(lines_.size());
    if (!totals_.isEmpty()) {
        err_ << kClear << Cut(totals_, width) << "\n";
        ++drawn_;
    }
    err_.flush();
}

} // namespace portiqa
