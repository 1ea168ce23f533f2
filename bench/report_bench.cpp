// A site's hand-over report of 3000 people and three gates (each with a
// history of 1000 events in the record): gathered from the record and written
// as a PDF. Goal: 3 s.
#include "record/record.h"
#include "report/site_report.h"
#include "sim/module_image.h"
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace portiqa;

namespace {

void SiteReportOf3000(benchmark::State& state) {
    QTemporaryDir dir;
    QString error;
    auto record = TRecord::Open(dir.filePath("record.sqlite"), error);
    const TNumberCountry russia = *TNumberCountry::Parse("+7");
    QList<TSiteEntry> entries;
    for (int i = 1; i <= 3000; ++i) {
        TSiteEntry e;
        e.number = QString("+7916%1").arg(i, 7, 10, QChar('0'));
        e.unrestricted = i % 2 == 0;
        if (!e.unrestricted) e = {e.number, false, "2025-01-01", "00:00", QDate::currentDate().addDays(i % 60).toString("yyyy-MM-dd"), "23:59"};
        entries << e;
        record->SetPerson(SubscriberKey(e.number, russia), {e.number, QString("Житель %1").arg(i), QString("кв. %1").arg(i % 120), {}, {}, {}, {}, {}},
                          error);
    }
    const auto site = record->SetSiteList("Дом", 0, entries, error);
    for (int g = 1; g <= 3; ++g) {
        const auto id = record->TouchModule({QString("+7916555000%1").arg(g), "", "", 1}, error);
        sim::TModuleImage image;
        image.SeedHistory(1000, g);
        record->AddSnapshot(*id, "read", {image.Read(0, 512), {}, image.Read(0x30000, 500 * 256)}, error);
        record->AddSiteModule(*site, *id, {}, error);
    }
    const TSite s = record->Sites(error).value(0);
    for (auto _ : state) {
        TSiteReport report;
        if (!report.Gather(*record, s, russia, {}, error) || !report.WritePdf(dir.filePath("report.pdf"), error))
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(SiteReportOf3000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
