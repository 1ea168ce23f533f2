// What the module record costs: a number download and a save with and
// without it (paced at 115200 baud and at full speed), `log` and `diff` on a
// record of 10 000 snapshots, and the record's growth per full snapshot.
#include "bench_support.h"
#include "numbers/number_record.h"
#include "record/site_list.h"
#include <QCryptographicHash>
#include "record/snapshot_diff.h"
#include "open_session.h"
#include "sim/simulator.h"
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
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
    QTemporaryDir dir;
    std::unique_ptr<TRecord> record;
    int finished = 0;
    TOutcome last;

    Rig(int baud, bool withRecord) : module(Options(baud)) {
        module.Start();
        runtime.Open(module.Path());
        session.OnFinished = [this](const TOutcome& o) {
            last = o;
            ++finished;
        };
        if (withRecord) {
            QString error;
            record = TRecord::Open(dir.filePath("record.sqlite"), error);
            session.UseRecord(record.get());
        }
    }
    static sim::TSimOptions Options(int baud) {
        sim::TSimOptions o;
        o.seedNumbers = 3000;
        o.faults.baud = baud;
        return o;
    }
    void Run(const std::function<void()>& start) {
        const int before = finished;
        start();
        bench::RunUntil([&] { return finished > before; });
    }
    // A new connection and a login: the module is new to the record unless
    // it has a SIM number the record knows.
    void Login() {
        session.NewConnection(module.Path());
        session.password.TypedPasswordSource = [] { return QStringLiteral("5807"); };
        Run([&] { session.password.StartCheck(); });
    }
};

double WireSeconds(int pages) { return pages * (9.0 + 265.0) * 10.0 / 115200.0; }

// mode 0: no record (pages read once, as before); 1: a module the record
// knows and that has not changed (pages confirmed by its snapshot); 2: a
// module the record has never seen (every page twice).
void Download(benchmark::State& state, int mode, int baud) {
    Rig rig(baud, mode != 0);
    if (mode == 1) rig.module.WriteMemory(4, QByteArray("+79161234567") + '\0');
    rig.Login();
    if (mode == 1) rig.Run([&] { rig.session.numberBlock.DownloadQuietly(); });  // now known
    for (auto _ : state) {
        if (mode == 2) {
            state.PauseTiming();
            rig.Login();  // no SIM number: a module of its own at every login
            state.ResumeTiming();
        }
        rig.Run([&] { rig.session.numberBlock.DownloadQuietly(); });
        if (!rig.last.Ok()) state.SkipWithError("the download failed");
    }
    if (baud) state.counters["wire_s"] = WireSeconds(375);
}

// Every record changes (a new list), with the read-back.
void Save(benchmark::State& state, bool withRecord) {
    Rig rig(0, withRecord);
    rig.module.WriteMemory(4, QByteArray("+79161234567") + '\0');
    rig.Login();
    rig.Run([&] { rig.session.numberBlock.DownloadQuietly(); });
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto& g = rig.session.numberTable.Grid();
        for (int row = 1; row <= TNumberTable::kRecords; ++row)
            g.SetCells(TNumberTable::kNumber, row, QStringLiteral("+7916%1%2").arg(round % 10).arg(row, 6, 10, QChar('0')));
        ++round;
        state.ResumeTiming();
        rig.Run([&] { rig.session.SaveNumbers(); });
        if (!rig.last.Ok()) state.SkipWithError("the save failed");
    }
}

BENCHMARK_CAPTURE(Download, no_record_115200, 0, 115200)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(Download, known_module_115200, 1, 115200)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(Download, new_module_115200, 2, 115200)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(Download, no_record_full_speed, 0, 0)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Download, known_module_full_speed, 1, 0)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Save, no_record, false)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Save, with_record, true)->Unit(benchmark::kMillisecond)->Iterations(5);

// A record of 10 000 snapshots and 10 000 writes of one module, their
// content cycling through 50 different lists.
struct BigRecord {
    QTemporaryDir dir;
    std::unique_ptr<TRecord> record;
    qint64 module = 0;
    qint64 first = 0, last = 0;
    BigRecord() {
        QString error;
        const QString path = dir.filePath("big.sqlite");
        record = TRecord::Open(path, error);
        module = *record->TouchModule({"+79161234567", "", "", 1}, error);
        QList<qint64> ids;
        for (int i = 0; i < 50; ++i) {
            TModulePages p{QByteArray(512, char(i)), QByteArray(375 * 256, char(i)), {}};
            p.numbers[i * 32] = '+';
            ids << *record->AddSnapshot(module, "read", p, error);
        }
        first = ids.first();
        // The rest in one transaction on a connection of the benchmark's own.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec("BEGIN");
            q.prepare("INSERT INTO snapshots (module_id, taken_at, kind, settings, numbers, history, program, os_user, host) "
                      "SELECT module_id, taken_at, kind, settings, numbers, history, program, os_user, host FROM snapshots "
                      "WHERE id = ?");
            for (int i = 50; i < 10000; ++i) {
                q.addBindValue(ids[i % 50]);
                q.exec();
            }
            q.prepare("INSERT INTO journal (module_id, started_at, operation, intent, file, file_sha256, program, os_user, "
                      "host, finished_at, outcome, message, pages_written, pages_verified) VALUES (?, ?, 'numbers', "
                      "'Добавлено: 0, изменено: 1', '', '', 'portiqa', 'bench', 'host', ?, 'done', 'ok', 1, 1)");
            for (int i = 0; i < 10000; ++i) {
                const QString t = QDateTime::currentDateTimeUtc().addSecs(-i).toString(Qt::ISODateWithMs);
                q.addBindValue(module);
                q.addBindValue(t);
                q.addBindValue(t);
                q.exec();
            }
            q.exec("COMMIT");
            q.exec("SELECT MAX(id) FROM snapshots");
            q.next();
            last = q.value(0).toLongLong();
        }
        QSqlDatabase::removeDatabase("fill");
    }
};

BigRecord& Big() {
    static BigRecord big;
    return big;
}

void Log(benchmark::State& state) {
    BigRecord& b = Big();
    QString error;
    for (auto _ : state) {
        const auto m = b.record->FindModule("+79161234567", error);
        benchmark::DoNotOptimize(b.record->Snapshots(m->id, 200, error));
        benchmark::DoNotOptimize(b.record->Journal(m->id, 200, error));
    }
}
BENCHMARK(Log)->Unit(benchmark::kMillisecond);

void Diff(benchmark::State& state) {
    BigRecord& b = Big();
    QString error;
    for (auto _ : state) {
        const auto x = b.record->Snapshot(b.first, error), y = b.record->Snapshot(b.last, error);
        benchmark::DoNotOptimize(DiffModulePages(x->pages, y->pages));
    }
}
BENCHMARK(Diff)->Unit(benchmark::kMillisecond);

// Full snapshots (settings, 3000 numbers, 1000 history records) each
// different from the last: the file's growth per snapshot.
void Growth(benchmark::State& state) {
    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath("growth.sqlite");
    auto record = TRecord::Open(path, error);
    const qint64 module = *record->TouchModule({"+79161234567", "", "", 1}, error);
    sim::TModuleImage image;
    image.SeedNumbers(3000, 11);
    image.SeedHistory(1000, 12);
    TModulePages pages{image.Read(0, 512), image.Read(0x1000, 375 * 256), image.Read(0x30000, 500 * 256)};
    record->AddSnapshot(module, "backup", pages, error);
    const qint64 before = QFileInfo(path).size() + QFileInfo(path + "-wal").size();
    int n = 0;
    for (auto _ : state) {
        pages.numbers[32 * (n % 3000)] = char('0' + n % 10);  // one record changed each time
        pages.history[32 * (n % 2000) + 12] = char('0' + n % 10);
        record->AddSnapshot(module, "backup", pages, error);
        ++n;
    }
    record.reset();  // the write-ahead log goes into the file
    const qint64 after = QFileInfo(path).size();
    state.counters["KB_per_snapshot"] = double(after - before) / 1024.0 / n;
}
BENCHMARK(Growth)->Iterations(50)->Unit(benchmark::kMillisecond);

// A site of 100 modules sharing a list of 3000 numbers; each module has
// snapshots of its own, half of them hold the list applied, ten leave a
// number out. What `site status` costs.
void SiteStatusOf100Modules(benchmark::State& state) {
    QTemporaryDir dir;
    QString error;
    auto record = TRecord::Open(dir.filePath("sites.sqlite"), error);
    TNumberTable list;
    QList<TSiteEntry> entries;
    for (int r = 1; r <= 3000; ++r) {
        TSiteEntry e;
        e.number = QStringLiteral("+7916%1").arg(r, 7, 10, QLatin1Char('0'));
        e.unrestricted = true;
        entries << e;
    }
    const qint64 site = *record->SetSiteList("Estate", 0, entries, error);
    const TNumberCountry ru = *TNumberCountry::Parse("+7");
    TStringGrid grid(TNumberTable::kCols, TNumberTable::kRecords + 1);
    TSiteModule plain;
    SiteListInto(entries, plain, ru, grid, error);
    const QByteArray applied = EncodeNumberArea(grid);
    const QString fingerprint = SiteListFingerprint(grid);
    for (int m = 0; m < 100; ++m) {
        const qint64 id = *record->TouchModule({QStringLiteral("+7900000%1").arg(m, 4, 10, QLatin1Char('0')), "", "", 1}, error);
        record->AddSiteModule(site, id, m < 10 ? QStringList{entries[m].number} : QStringList{}, error);
        for (int k = 0; k < 3; ++k) {
            QByteArray numbers = m % 2 == 0 && k == 2 ? applied : QByteArray(375 * 256, char(m + k));
            record->AddSnapshot(id, "read", {QByteArray(512, char(m)), numbers, {}}, error);
        }
        if (m % 2 == 0)
            record->SiteApplied(site, id, 1, fingerprint,
                                QString::fromLatin1(QCryptographicHash::hash(applied, QCryptographicHash::Sha256).toHex()), error);
    }
    const auto s = record->FindSite("Estate", error);
    for (auto _ : state) benchmark::DoNotOptimize(SiteStatus(*record, *s, ru, error));
    if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
}
BENCHMARK(SiteStatusOf100Modules)->Unit(benchmark::kMillisecond);

} // namespace
