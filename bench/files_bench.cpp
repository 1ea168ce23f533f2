// Workbook and comma-separated exports and imports of whole tables.
#include "bench_support.h"
#include "base/timer.h"
#include "files/csv.h"
#include "history/history_files.h"
#include "history/history_block.h"
#include "numbers/number_files.h"
#include "numbers/number_record.h"
#include "settings/settings_profile.h"
#include "sim/module_image.h"
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <minizip/zip.h>
#include <sys/resource.h>

using namespace portiqa;

namespace {

struct Env {
    bench::TSilentOperator op;
    TRecordingStatusDisplay display;
    TManualTimer statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    TProgressControl progress{display};
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
            TNumberRecord::FromBytes(reinterpret_cast<const uint8_t*>(n.constData()) + r * 32).ToRow(numbers.Grid(), r + 1);
        for (int r = 0; r < 1000; ++r)
            THistoryRecord::FromBytes(reinterpret_cast<const uint8_t*>(h.constData()) + r * 128).ToRow(history.Grid(), r + 1);
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
    THistoryFiles files(env.history, env.ctx);
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
    TSettingsProfile profile(table, env.ctx);
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
    THistoryFiles history(env.history, env.ctx);
    QString error;
    for (auto _ : state) {
        TCsv::WriteFile(env.dir.filePath("n.cvs"), numbers.CsvLines(), error);
        TCsv::WriteFile(env.dir.filePath("h.cvs"), history.CsvLines(), error);
    }
}
BENCHMARK(BM_CsvExports)->Unit(benchmark::kMillisecond);

// Hostile inputs of up to 10 MB: each is read or refused within 2 s and
// 256 MB. The files are made here, never kept in the repository.
namespace hostile {

void AddPart(zipFile z, const char* name, const QByteArray& data) {
    zipOpenNewFileInZip64(z, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 1);
    zipWriteInFileInZip(z, data.constData(), unsigned(data.size()));
    zipCloseFileInZip(z);
}

const QByteArray kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const QByteArray kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";

// 100 000 rows of 256 empty cells: a few hundred kilobytes packed.
QString EmptyCells(const QString& dir) {
    const QString path = dir + "/empty-cells.xlsx";
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), 0);
    AddPart(z, "xl/workbook.xml", kWorkbook);
    AddPart(z, "xl/_rels/workbook.xml.rels", kRels);
    QByteArray sheet = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    QByteArray row;
    for (int c = 0; c < 256; ++c) row += "<c/>";
    for (int r = 1; r <= 100000; ++r) sheet += "<row r=\"" + QByteArray::number(r) + "\">" + row + "</row>";
    sheet += "</sheetData></worksheet>";
    AddPart(z, "xl/worksheets/sheet1.xml", sheet);
    zipClose(z, nullptr);
    return path;
}

// Shared strings and styles parts just under the size limit: repetitive XML.
QString FullParts(const QString& dir) {
    const QString path = dir + "/full-parts.xlsx";
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), 0);
    AddPart(z, "xl/workbook.xml", kWorkbook);
    AddPart(z, "xl/_rels/workbook.xml.rels", kRels);
    QByteArray strings = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    while (strings.size() < 30 * 1024 * 1024) strings += "<si><t>xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx</t></si>";
    strings += "</sst>";
    AddPart(z, "xl/sharedStrings.xml", strings);
    AddPart(z, "xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>");
    zipClose(z, nullptr);
    return path;
}

// A sheet of the number list's shape but 100 000 records long.
QString LongList(const QString& dir) {
    const QString path = dir + "/long-list.xlsx";
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), 0);
    AddPart(z, "xl/workbook.xml", kWorkbook);
    AddPart(z, "xl/_rels/workbook.xml.rels", kRels);
    QByteArray sheet = "<worksheet><sheetData>";
    for (int r = 1; r <= 100000; ++r)
        sheet += "<row r=\"" + QByteArray::number(r) + "\"><c t=\"inlineStr\"><is><t>" + QByteArray::number(r) +
                 "</t></is></c><c t=\"inlineStr\"><is><t>+79161234567</t></is></c></row>";
    sheet += "</sheetData></worksheet>";
    AddPart(z, "xl/worksheets/sheet1.xml", sheet);
    zipClose(z, nullptr);
    return path;
}

QString BigCsv(const QString& dir) {
    const QString path = dir + "/big.csv";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray line = "1,+79161234567,2024/01/02,10:30,2030/12/31,23:59,Нет,Нет,,\r\n";
    QByteArray all;
    while (all.size() + line.size() < 10 * 1024 * 1024) all += line;
    f.write(all);
    return path;
}

} // namespace hostile

// Each input is read in a fresh process (read_probe), so that its peak
// memory is the reader's own, not the generator's.
void Hostile(benchmark::State& state, QString (*make)(const QString&), int maxRows, bool csv) {
    QTemporaryDir dir;
    const QString path = make(dir.path());
    QStringList result;
    for (auto _ : state) {
        QProcess probe;
        probe.start(QStringLiteral(READ_PROBE), {csv ? "csv" : "xlsx", path, QString::number(maxRows)});
        probe.waitForFinished(60000);
        result = QString::fromLatin1(probe.readAllStandardOutput()).split(u' ');
    }
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["reader_ms"] = result.value(1).toDouble();
    state.counters["reader_peak_MiB"] = result.value(2).toDouble() / 1024.0;
    state.SetLabel(result.value(0).toStdString());
}
void BM_HostileEmptyCells(benchmark::State& s) { Hostile(s, hostile::EmptyCells, TWorkbook::kMaxRows, false); }
void BM_HostileFullParts(benchmark::State& s) { Hostile(s, hostile::FullParts, TWorkbook::kMaxRows, false); }
void BM_HostileLongNumberList(benchmark::State& s) { Hostile(s, hostile::LongList, 3001, false); }
void BM_HostileBigCsv(benchmark::State& s) { Hostile(s, hostile::BigCsv, 0, true); }
BENCHMARK(BM_HostileEmptyCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HostileFullParts)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HostileLongNumberList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HostileBigCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
