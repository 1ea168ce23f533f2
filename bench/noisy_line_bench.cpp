// A noisy line against a clean one, both paced at 115200 baud: a number
// download over a line that loses every 7th request and damages every 11th
// reply, a module whose page saves take 400 ms each, and how long a module
// that never answers takes to be reported.
#include "bench_support.h"
#include "open_session.h"
#include "sim/simulator.h"
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

struct Rig {
    sim::TModuleSimulator module;
    bench::TSilentOperator op;
    TRecordingStatusDisplay display;
    TOpenSession* open = nullptr;
    TRuntime runtime{display, op, QString(), OpenSeams(open)};
    TOpenSession& session = *open;
    std::vector<TOutcome> outcomes;
    int frames = 0;

    explicit Rig(const sim::TFaults& faults) : module(Options(faults)) {
        module.Start();
        runtime.Open(module.Path());
        session.OnFinished = [this](const TOutcome& o) { outcomes.push_back(o); };
        session.seq.OnFrameSent = [this](const uint8_t*, int) { ++frames; };
        session.password.TypedPasswordSource = [] { return QStringLiteral("5807"); };
    }
    static sim::TSimOptions Options(const sim::TFaults& faults) {
        sim::TSimOptions o;
        o.seedNumbers = 3000;
        o.faults = faults;
        o.faults.baud = 115200;
        return o;
    }
    // Runs one operation to its outcome.
    TOutcome Run(const std::function<void()>& start) {
        const size_t before = outcomes.size();
        start();
        bench::RunUntil([&] { return outcomes.size() > before; }, 600000);
        return outcomes.size() > before ? outcomes.back() : TOutcome{};
    }
    bool LogIn() { return Run([&] { session.password.StartCheck(); }).kind == TOutcome::TKind::Done; }
};

sim::TFaults Noisy(bool noisy) {
    sim::TFaults f;
    if (noisy) {
        f.dropEvery = 7;
        f.corruptEvery = 11;
    }
    return f;
}

// Wire time of a number download: 375 requests of 9 bytes and replies of 265.
constexpr double kDownloadWireS = 375 * 274 * 10.0 / 115200.0;

void BM_NumberDownloadOverALine(benchmark::State& state) {
    Rig rig(Noisy(state.range(0)));
    if (!rig.LogIn()) state.SkipWithError("login failed");
    int exact = 0, runs = 0, frames = 0;
    for (auto _ : state) {
        rig.frames = 0;
        exact += rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); }).kind == TOutcome::TKind::Done;
        frames = rig.frames;
        ++runs;
    }
    state.counters["wire_s"] = kDownloadWireS;
    state.counters["frames"] = frames;
    state.counters["completed"] = double(exact) / runs;
    state.SetLabel(state.range(0) ? "every 7th request lost, every 11th reply damaged" : "clean line");
}
BENCHMARK(BM_NumberDownloadOverALine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Every page save answered after 400 ms: a number save of 12 changed pages
// (read before written, written, read back) is never declared silent.
void BM_SlowSavesAreWaitedFor(benchmark::State& state) {
    sim::TFaults f;
    f.saveLatencyMs = 400;
    Rig rig(f);
    if (!rig.LogIn()) state.SkipWithError("login failed");
    rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); });
    int saved = 0, round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int page = 0; page < 12; ++page)
            rig.session.numberTable.Grid().SetCells(1, 1 + page * 8, QStringLiteral("+7916%1").arg(round * 100 + page, 7, 10, QChar('0')));
        ++round;
        state.ResumeTiming();
        saved += rig.Run([&] { rig.session.numberBlock.Save(); }).kind == TOutcome::TKind::Done;
    }
    state.counters["saves_completed"] = saved;
    state.counters["no_answer_reported"] = double(std::count_if(rig.outcomes.begin(), rig.outcomes.end(), [](const TOutcome& o) {
        return o.kind == TOutcome::TKind::NoAnswer;
    }));
}
BENCHMARK(BM_SlowSavesAreWaitedFor)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// From the request to the report that nothing answers: a module that never
// answered on this connection (its login; target at most 3.5 s), and one
// that answered a login and a download and goes quiet five pages into a
// history download.
void BM_ASilentModuleIsReported(benchmark::State& state) {
    const bool wentQuiet = state.range(0);
    int before = 0;  // requests of a login and a number download
    if (wentQuiet) {
        Rig probe{sim::TFaults{}};
        probe.LogIn();
        probe.Run([&] { probe.session.numberBlock.DownloadAfterQuestion(); });
        before = probe.module.Requests();
    }
    sim::TFaults f;
    f.silentAfter = wentQuiet ? before + 5 : 0;
    Rig rig(f);
    if (wentQuiet) {
        rig.LogIn();
        rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); });
    }
    bool reported = true;
    for (auto _ : state) {
        const TOutcome o = wentQuiet ? rig.Run([&] { rig.session.historyBlock.Download(); })
                                     : rig.Run([&] { rig.session.password.StartCheck(); });
        reported = reported && o.kind == TOutcome::TKind::NoAnswer;
    }
    state.counters["reported_no_answer"] = reported;
    state.SetLabel(wentQuiet ? "went quiet five pages into a history download" : "never answered");
}
BENCHMARK(BM_ASilentModuleIsReported)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_ASilentModuleIsReported)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
