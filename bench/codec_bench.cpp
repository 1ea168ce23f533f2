// Page encodings and decodings, and the history filter.
#include "link/page_transfer.h"
#include "bench_support.h"
#include "base/timer.h"
#include "history/history_block.h"
#include "numbers/number_record.h"
#include "numbers/number_block.h"
#include "settings/settings_block.h"
#include "sim/module_image.h"
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

struct Env {
    TNullPort port;
    bench::TSilentOperator op;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer{3000}, statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    TProgressControl progress{display};
    TRequestSequence seq{port, status, replyTimer};
};

void BM_SettingsPagesDecodeEncode(benchmark::State& state) {
    Env env;
    TSettingsTable table;
    TPageTransfer transfer(env.seq, env.progress);
    TSettingsBlock block(env.seq, transfer, table, env.progress, env.op);
    sim::TModuleImage image;
    const QByteArray p1 = image.Read(0, 256), p2 = image.Read(0x100, 256);
    std::array<uint8_t, 256> area{};
    for (auto _ : state) {
        block.DecodeSettingsPage(0, reinterpret_cast<const uint8_t*>(p1.constData()));
        block.DecodeSettingsPage(0x100, reinterpret_cast<const uint8_t*>(p2.constData()));
        EncodeSettingsPageTo(1, table, area.data());
        EncodeSettingsPageTo(2, table, area.data());
        benchmark::DoNotOptimize(area);
    }
}
BENCHMARK(BM_SettingsPagesDecodeEncode)->Unit(benchmark::kMicrosecond);

// All 375 number pages into the grid and back out again.
void BM_NumberPagesDecodeEncodeAll(benchmark::State& state) {
    Env env;
    TNumberTable table;
    TPageTransfer transfer(env.seq, env.progress);
    TNumberBlock block(env.seq, transfer, table, env.op);
    sim::TModuleImage image;
    image.SeedNumbers(3000);
    const QByteArray all = image.Read(0x1000, 375 * 256);
    std::array<uint8_t, 256> area{};
    for (auto _ : state) {
        for (int p = 0; p < 375; ++p) {
            block.DecodeNumberPage(0x1000 + p * 256, reinterpret_cast<const uint8_t*>(all.constData()) + p * 256);
        }
        for (int p = 1; p <= 375; ++p) block.EncodeNumberPage(p, area.data());
        benchmark::DoNotOptimize(area);
    }
}
BENCHMARK(BM_NumberPagesDecodeEncodeAll)->Unit(benchmark::kMillisecond);

void BM_HistoryPagesDecodeAll(benchmark::State& state) {
    Env env;
    THistoryTable table;
    TSingleCommand deleter(env.seq, HistoryDeletionCommand());
    TPageTransfer transfer(env.seq, env.progress);
    THistoryBlock block(env.seq, transfer, table, deleter, env.op);
    sim::TModuleImage image;
    image.SeedHistory(1000);
    const QByteArray all = image.Read(0x30000, 500 * 256);
    for (auto _ : state) {
        for (int p = 0; p < 500; ++p)
            block.DecodeHistoryPage(0x30000 + p * 256, reinterpret_cast<const uint8_t*>(all.constData()) + p * 256);
        table.CompactHistory();
    }
}
BENCHMARK(BM_HistoryPagesDecodeAll)->Unit(benchmark::kMillisecond);

void BM_HistoryFilter1000(benchmark::State& state) {
    Env env;
    THistoryTable table;
    sim::TModuleImage image;
    image.SeedHistory(1000);
    const QByteArray all = image.Read(0x30000, 1000 * 128);
    for (int r = 0; r < 1000; ++r)
        THistoryRecord::FromBytes(reinterpret_cast<const uint8_t*>(all.constData()) + r * 128).ToRow(table.Grid(), r + 1);
    THistoryTable work;
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 1; r <= 1000; ++r)
            for (int c = 1; c <= 7; ++c) work.Grid().SetCells(c, r, table.Grid().Cells(c, r));
        state.ResumeTiming();
        FilterHistory(work, QDateTime(QDate(2000, 1, 1), QTime(0, 0)), QDateTime(QDate(2099, 1, 1), QTime(0, 0)),
                      env.status, env.op);
    }
}
BENCHMARK(BM_HistoryFilter1000)->Unit(benchmark::kMillisecond);

} // namespace
