// Production-line provisioning against modules paced as real 115200-baud
// lines: one module alone, and four at once. Each run is the whole command.
#include "bench_support.h"
#include "sim/simulator.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace portiqa;

namespace {

// Bytes on the wire a frame: a read is 9 + 265, a save 265 + 10.
constexpr double kSecondsPerFrame = 274.0 * 10.0 / 115200.0;

void Provision(benchmark::State& state) {
    const int modules = int(state.range(0));
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("line");
    // The template: a module with 30 numbers, as a backup.
    {
        sim::TSimOptions o;
        o.seedNumbers = 30;
        o.password = "2468";  // a module never leaves on the factory password
        sim::TModuleSimulator golden(o);
        golden.Start();
        QProcess p;
        p.start(QStringLiteral(PORTIQA_CLI), {"-p", golden.Path(), "-P", "2468", "backup", "-o", dir.filePath("t.pbk")});
        p.waitForFinished(60000);
    }
    int frames = 0, exitCode = -1;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<sim::TModuleSimulator>> line;
        for (int i = 0; i < modules; ++i) {
            sim::TSimOptions o;
            o.faults.baud = 115200;
            if (state.range(1)) {  // a noisy line: every 7th request lost, every 11th reply damaged
                o.faults.dropEvery = 7;
                o.faults.corruptEvery = 11;
            }
            o.linkPath = dir.filePath(QStringLiteral("line/m%1").arg(i));
            line.push_back(std::make_unique<sim::TModuleSimulator>(o));
            line.back()->Start();
        }
        QFile::remove(dir.filePath("r.csv"));
        state.ResumeTiming();
        QProcess p;
        p.start(QStringLiteral(PORTIQA_CLI), {"provision", "--template", dir.filePath("t.pbk"), "--report",
                                              dir.filePath("r.csv"), "--watch", dir.filePath("line/*"), "--count",
                                              QString::number(modules), "--record", dir.filePath("record.sqlite")});
        bench::RunUntil([&] { return p.state() == QProcess::NotRunning; }, 300000);
        state.PauseTiming();
        exitCode = p.exitCode();
        frames = 0;
        for (const auto& m : line) frames += m->Requests();
        line.clear();
        state.ResumeTiming();
    }
    // The lines run side by side: one module's share is the wire time to beat.
    state.counters["frames_per_module"] = double(frames) / modules;
    state.counters["wire_s_per_module"] = double(frames) / modules * kSecondsPerFrame;
    state.counters["exit_code"] = exitCode;
    state.SetLabel(QStringLiteral("%1 module(s) at once, paced at 115200 baud%2")
                       .arg(modules)
                       .arg(state.range(1) ? ", noisy line" : "")
                       .toStdString());
}
BENCHMARK(Provision)->Args({1, 0})->Args({4, 0})->Args({1, 1})->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
