// Start-up of the window to its first paint.
#include "gui/main_window.h"
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

void BM_WindowStartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        TForm1 w;
        w.show();
        // Rendering the whole window once is what the first paint costs.
        QImage image(w.size(), QImage::Format_ARGB32);
        w.render(&image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_WindowStartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
