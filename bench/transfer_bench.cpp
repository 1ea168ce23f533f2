// Whole transfers against the simulated module over a pseudo-terminal.
#include "bench_support.h"
#include "open_session.h"
#include "sim/simulator.h"
#include <benchmark/benchmark.h>
#include <QTemporaryDir>
#include <sys/resource.h>

using namespace portiqa;

namespace {

struct Rig {
    sim::TModuleSimulator module;
    bench::TSilentOperator op;
    TRecordingStatusDisplay display;
    TOpenSession* open = nullptr;
    TRuntime runtime{display, op, QString(), OpenSeams(open)};
    TOpenSession& session = *open;
    int done = 0;

    explicit Rig(int baud) : module(Options(baud)) {
        module.Start();
        runtime.Open(module.Path());
        for (TPageBlock* b : std::initializer_list<TPageBlock*>{
                 &session.settingsBlock, &session.numberBlock, &session.historyBlock})
            b->OnEnded = [this](const TPageBlock::TEnd& e) { done += e.kind == TOutcome::TKind::Done; };
    }
    static sim::TSimOptions Options(int baud) {
        sim::TSimOptions o;
        o.seedNumbers = 3000;
        o.seedHistory = 1000;
        o.faults.baud = baud;
        return o;
    }
    void Run(const std::function<void()>& start) {
        const int before = done;
        start();
        bench::RunUntil([&] { return done > before; });
    }
};

// Bytes on the wire: requests of 9 bytes, replies of 265 (reads) or 10 (saves).
double WireSeconds(int pages, int replyBytes, int requestBytes) {
    return double(pages) * (replyBytes + requestBytes) * 10.0 / 115200.0;
}

void Transfer(benchmark::State& state, int kind, int baud) {
    Rig rig(baud);
    int pages = 0, reply = 265, request = 9;
    for (auto _ : state) {
        switch (kind) {
        case 0: rig.Run([&] { rig.session.settingsBlock.ReadAfterQuestion(); }); pages = 2; break;
        case 1: rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); }); pages = 375; break;
        case 2: rig.Run([&] { rig.session.historyBlock.Download(); }); pages = 500; break;
        case 3: rig.Run([&] { rig.session.numberBlock.Save(); }); pages = 375; reply = 10; request = 265; break;
        }
    }
    const double wire = WireSeconds(pages, reply, request);
    state.counters["wire_s"] = wire;
    state.counters["pages"] = pages;
    state.SetLabel(baud ? "paced at 115200 baud" : "full speed");
}

void BM_SettingsRead(benchmark::State& s) { Transfer(s, 0, int(s.range(0))); }
void BM_NumberDownload(benchmark::State& s) { Transfer(s, 1, int(s.range(0))); }
void BM_HistoryDownload(benchmark::State& s) { Transfer(s, 2, int(s.range(0))); }
void BM_NumberSave(benchmark::State& s) { Transfer(s, 3, int(s.range(0))); }
BENCHMARK(BM_SettingsRead)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(BM_NumberDownload)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_HistoryDownload)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_NumberSave)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
// Against the wire limit: the module paced as a real 115200-baud line.
BENCHMARK(BM_SettingsRead)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_NumberDownload)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_HistoryDownload)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Saves one number list edit after another, each timed from the button to
// its verified end; the edit itself is not timed. The frames of the last.
int TimedSaves(benchmark::State& state, Rig& rig, const std::function<void(TStringGrid&, int round)>& edit) {
    int frames = 0, round = 0;
    rig.session.seq.OnFrameSent = [&](const uint8_t*, int) { ++frames; };
    for (auto _ : state) {
        state.PauseTiming();
        edit(rig.session.numberTable.Grid(), round++);
        frames = 0;
        state.ResumeTiming();
        rig.Run([&] { rig.session.numberBlock.Save(); });
    }
    state.SetLabel(state.range(0) ? "paced at 115200 baud" : "full speed");
    return frames;
}

// A number without limits into a row.
void SetNumber(TStringGrid& g, int row, const QString& number) {
    g.SetCells(1, row, number);
    g.SetCells(6, row, TNumberTable::Yes());
    g.SetCells(7, row, TNumberTable::No());
}

// Download the list, change one number, save: the page read just before it
// is written, the page, and its read-back (three frames instead of 375).
void BM_ChangeOneNumberAndSave(benchmark::State& state) {
    Rig rig(int(state.range(0)));
    rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); });
    state.counters["frames_on_wire"] = TimedSaves(state, rig, [](TStringGrid& g, int round) {
        const int row = 1 + 97 * round;
        SetNumber(g, row, QStringLiteral("+7916%1").arg(row, 7, 10, QChar('0')));
    });
}
BENCHMARK(BM_ChangeOneNumberAndSave)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(BM_ChangeOneNumberAndSave)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One record changed on every page: each page read before it is written,
// written, and read back. The wire time of the save alone is the reference
// (a real line carries 265 + 10 bytes a saved page and 9 + 265 a page read;
// the simulator paces only its replies).
void BM_FullSaveWithReadBack(benchmark::State& state) {
    Rig rig(int(state.range(0)));
    state.counters["frames_on_wire"] = TimedSaves(state, rig, [](TStringGrid& g, int round) {
        for (int p = 0; p < 375; ++p) SetNumber(g, 8 * p + 1, QStringLiteral("8495%1").arg(p * 10 + round, 7, 10, QChar('0')));
    });
    state.counters["save_wire_s"] = WireSeconds(375, 10, 265);
    state.counters["with_readback_wire_s"] = WireSeconds(375, 10, 265) + WireSeconds(375, 265, 9);
}
BENCHMARK(BM_FullSaveWithReadBack)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_FullSaveWithReadBack)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A new list into a module: every record changes, so no page needs a read
// before it is written; saves and reads back only.
void BM_NewListSave(benchmark::State& state) {
    Rig rig(int(state.range(0)));
    rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); });
    state.counters["frames_on_wire"] = TimedSaves(state, rig, [](TStringGrid& g, int round) {
        for (int r = 1; r <= 3000; ++r) SetNumber(g, r, QStringLiteral("8495%1").arg(r * 10 + round, 7, 10, QChar('0')));
    });
    state.counters["save_wire_s"] = WireSeconds(375, 10, 265);
}
BENCHMARK(BM_NewListSave)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The whole memory into a backup file: every page read twice, against the
// wire time of one read of the 877 pages.
void BM_Backup(benchmark::State& state) {
    Rig rig(int(state.range(0)));
    int frames = 0;
    rig.session.seq.OnFrameSent = [&](const uint8_t*, int) { ++frames; };
    QTemporaryDir dir;
    bool finished = false;
    rig.session.OnFinished = [&](const TOutcome&) { finished = true; };
    for (auto _ : state) {
        finished = false;
        frames = 0;
        rig.session.Backup(dir.filePath("b.pbk"), "bench");
        bench::RunUntil([&] { return finished; });
    }
    state.counters["frames_on_wire"] = frames;
    state.counters["one_read_wire_s"] = WireSeconds(877, 265, 9);
    state.SetLabel(state.range(0) ? "paced at 115200 baud" : "full speed");
}
BENCHMARK(BM_Backup)->Arg(115200)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Peak memory of a session that downloads everything.
void BM_SessionPeakMemory(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig(0);
        rig.Run([&] { rig.session.settingsBlock.ReadAfterQuestion(); });
        rig.Run([&] { rig.session.numberBlock.DownloadAfterQuestion(); });
        rig.Run([&] { rig.session.historyBlock.Download(); });
    }
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    state.counters["peak_rss_MiB"] = double(u.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_SessionPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
