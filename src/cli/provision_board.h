#pragma once
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <functional>
#include <map>

namespace portiqa {

// The production line on a terminal: one line per port that is rewritten in
// place (unit, step, percent of the step, seconds), green when the module is
// done, red when it failed, and under them one line of totals; other news is
// printed above the board. Every board line is cut to the terminal's width,
// so that none wraps and the board's height is the number of its lines; the
// width is read again at each redraw, so a resized terminal is followed.
class TStatusBoard {
public:
    // terminal: the descriptor whose window gives the width (-1: none, 80).
    TStatusBoard(QTextStream& err, bool colour, int terminal = -1);
    void Seen(const QString& port);
    void Unit(const QString& port, const QString& unit);
    void Step(const QString& port, const QString& words);
    void Percent(const QString& port, int percent);
    void Finished(const QString& port, bool ok, const QString& words);
    // The totals line: modules done, failed, in progress, units left (-1: no units).
    void Totals(int done, int failed, int running, int unitsLeft);
    // A line above the board (a warning, the summary).
    void Note(const QString& text);
    // Redraws the running ports' seconds (called once a second).
    void Tick() { Draw(); }
    // The clock, in ms, and the terminal's width; tests replace them.
    std::function<qint64()> Now = [] {
        static QElapsedTimer t;
        if (!t.isValid()) t.start();
        return t.elapsed();
    };
    std::function<int()> Columns;

private:
    struct TLine {
        QString unit, step;
        int percent = -1;
        qint64 startedMs = 0, endedMs = -1;
        int state = 0;  // 0 running, 1 done, 2 failed
    };
    void Draw();
    QString Render(const QString& port, const TLine& line, int width) const;
    QTextStream& err_;
    bool colour_;
    std::map<QString, TLine> lines_;
    QString totals_;
    int drawn_ = 0;  // lines on the screen below the cursor's last news
};

} // namespace portiqa
