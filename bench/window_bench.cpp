// Start-up of the window to its first paint; the numbers tab with names.
#include "gui/main_window.h"
#include "gui/numbers_view.h"
#include "numbers/number_expiry.h"
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

void BM_WindowStartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        TMainWindow w;
        w.show();
        // Rendering the whole window once is what the first paint costs.
        QImage image(w.size(), QImage::Format_ARGB32);
        w.render(&image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_WindowStartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

namespace {

// The numbers tab over 3000 numbers, without (0) and with (1) a name, place
// and note beside each: drawing the view, and a search that goes round the
// whole table (by digits, and by a name).
struct TNumbersTab {
    TNumberTable table;
    TNumbersView view{table};
    explicit TNumbersTab(bool names) {
        TGridBatch batch(table.Grid());
        for (int r = 1; r <= TNumberTable::kRecords; ++r) {
            table.Grid().SetCells(TNumberTable::kNumber, r, QStringLiteral("+7916%1").arg(r, 7, 10, QLatin1Char('0')));
            table.Grid().SetCells(TNumberTable::kUnrestricted, r, TNumberTable::Yes());
            if (!names) continue;
            table.Grid().SetCells(TNumberTable::kName, r, QStringLiteral("Жилец квартиры %1").arg(r));
            table.Grid().SetCells(TNumberTable::kPlace, r, QStringLiteral("кв. %1").arg(r));
            table.Grid().SetCells(TNumberTable::kNote, r, QStringLiteral("ключ выдан"));
        }
        view.resize(1050, 620);
        view.show();
    }
};

void BM_NumbersTabRender(benchmark::State& state) {
    TNumbersTab tab(state.range(0) != 0);
    QImage image(tab.view.size(), QImage::Format_ARGB32);
    int row = 0;
    for (auto _ : state) {
        // A page further down each time, as the operator scrolls.
        tab.view.numbersGrid->scrollTo(tab.view.Model()->IndexOf(1, 1 + (row += 25) % 3000));
        tab.view.render(&image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_NumbersTabRender)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Not found: the search goes round all 3000 records. 0 and 1: by digits
// without and with names; 2: by a name.
void BM_NumbersTabSearchRound(benchmark::State& state) {
    TNumbersTab tab(state.range(0) != 0);
    const QString needle = state.range(0) == 2 ? QStringLiteral("Нет такого") : QStringLiteral("89990000000");
    for (auto _ : state) benchmark::DoNotOptimize(FindNumber(tab.table.Grid(), needle, 0));
}
BENCHMARK(BM_NumbersTabSearchRound)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
