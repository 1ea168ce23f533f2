// Workbook and comma-separated exports and imports of whole tables.
#include "bench_support.h"
#include "app/timer.h"
#include "files/csv.h"
#include "history/history_files.h"
#include "history/history_inf.h"
#include "numbers/number_files.h"
#include "numbers/number_record.h"
#include "settings/settings_profile.h"
#include "sim/module_image.h"
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

struct Env {
    bench::TSilentOperator op;
    TRecordingStatusDisplay display;
    TManualTimer tmr2{3000, true};
    Tstatusbar_ctrl status{display, tmr2};
    Tprogressbar_ctrl progress{display};
    TExchangeContext ctx{op, status, progress, QString()};
    QTemporaryDir dir;
    TNumberTable numbers;
    THistoryTable history;
    Env() {
        sim::TModuleImage image;
        image.SeedNumbers(3000);
        image.SeedHistory(1000);
        const QByteArray n = image.Read(0x1000, 3000 * 32), h = image.Read(0x30000, 1000 * 128);
        for (int r = 0; r < 3000; ++r)
            DecodeNumberRecord(reinterpret_cast<const uint8_t*>(n.constData()) + r * 32, numbers.Grid(), r + 1);
        for (int r = 0; r < 1000; ++r)
            DecodeHistoryRecord(reinterpret_cast<const uint8_t*>(h.constData()) + r * 128, history.Grid(), r + 1);
    }
};

void BM_NumbersXlsxExport(benchmark::State& state) {
    Env env;
    TNumberFiles files(env.numbers, env.ctx);
    QString path = env.dir.filePath("n.xlsx"), error;
    for (auto _ : state) {
        TWorkbookIo::WriteXlsx(files.NumbersWorkbook(), path, error);
    }
}
BENCHMARK(BM_NumbersXlsxExport)->Unit(benchmark::kMillisecond);

void BM_NumbersXlsxImport(benchmark::State& state) {
    Env env;
    TNumberFiles files(env.numbers, env.ctx);
    QString path = env.dir.filePath("n.xlsx"), error;
    TWorkbookIo::WriteXlsx(files.NumbersWorkbook(), path, error);
    for (auto _ : state) {
        TWorkbook book;
        TWorkbookIo::Read(path, book, error);
        files.ApplyWorkbook(book);
    }
}
BENCHMARK(BM_NumbersXlsxImport)->Unit(benchmark::kMillisecond);

void BM_HistoryXlsxExportImport(benchmark::State& state) {
    Env env;
    Tcustomstringgrid_his files(env.history, env.ctx);
    QString path = env.dir.filePath("h.xlsx"), error;
    for (auto _ : state) {
        TWorkbookIo::WriteXlsx(files.HistoryWorkbook(), path, error);
        TWorkbook book;
        TWorkbookIo::Read(path, book, error);
        files.ApplyWorkbook(book);
    }
}
BENCHMARK(BM_HistoryXlsxExportImport)->Unit(benchmark::kMillisecond);

void BM_ProfileExportImport(benchmark::State& state) {
    Env env;
    TSettingsTable table;
    Tcustomstringgrid_basis profile(table, env.ctx);
    QString path = env.dir.filePath("p.xlsx"), error;
    for (auto _ : state) {
        TWorkbookIo::WriteXlsx(profile.ProfileWorkbook(), path, error);
        TWorkbook book;
        TWorkbookIo::Read(path, book, error);
        profile.ApplyProfile(book);
    }
}
BENCHMARK(BM_ProfileExportImport)->Unit(benchmark::kMillisecond);

void BM_CsvExports(benchmark::State& state) {
    Env env;
    TNumberFiles numbers(env.numbers, env.ctx);
    Tcustomstringgrid_his history(env.history, env.ctx);
    QString error;
    for (auto _ : state) {
        TCsv::WriteFile(env.dir.filePath("n.cvs"), numbers.CsvLines(), error);
        TCsv::WriteFile(env.dir.filePath("h.cvs"), history.CsvLines(), error);
    }
}
BENCHMARK(BM_CsvExports)->Unit(benchmark::kMillisecond);

} // namespace
