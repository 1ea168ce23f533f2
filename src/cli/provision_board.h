#pragma once
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <functional>
#include <map>

namespace portiqa {

// The production line on a terminal: one line per port that is rewritten in
// place (unit, step, percent of the step, seconds), green when the module is
// done, red when it failed; other news is printed above the board.
class TStatusBoard {
public:
    TStatusBoard(QTextStream& err, bool colour) : err_(err), colour_(colour) {}
    void Seen(const QString& port);
    void Unit(const QString& port, const QString& unit);
    void Step(const QString& port, const QString& words);
    void Percent(const QString& port, int percent);
    void Finished(const QString& port, bool ok, const QString& words);
    // A line above the board (a warning, the summary).
    void Note(const QString& text);
    // Redraws the running ports' seconds (called once a second).
    void Tick() { Draw(); }
    // The clock, in ms; tests replace it.
    std::function<qint64()> Now = [] {
        static QElapsedTimer t;
        if (!t.isValid()) t.start();
        return t.elapsed();
    };

private:
    struct TLine {
        QString unit, step;
        int percent = -1;
        qint64 startedMs = 0, endedMs = -1;
        int state = 0;  // 0 running, 1 done, 2 failed
    };
    void Draw();
    QString Render(const QString& port, const TLine& line) const;
    QTextStream& err_;
    bool colour_;
    std::map<QString, TLine> lines_;
    int drawn_ = 0;  // lines on the screen below the cursor's last news
};

} // namespace portiqa
