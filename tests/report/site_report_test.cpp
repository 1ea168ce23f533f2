// A site's hand-over report, read back from the PDF as a manager's reader
// (and a search) reads it: poppler's pdftotext.
#include "record/record.h"
#include "report/site_report.h"
#include "sim/module_image.h"
#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace portiqa;

namespace {

TEST(SiteReport, ThePdfNamesEveryoneOnceMarksTheEndingWindowsAndNeverAPassword) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext is not installed (scripts/deps.sh installs poppler-utils)";
    QTemporaryDir dir;
    QString error;
    auto record = TRecord::Open(dir.filePath("record.sqlite"), error);
    ASSERT_TRUE(record) << error.toStdString();
    const TNumberCountry russia = *TNumberCountry::Parse("+7");
    const QDate today = QDate::currentDate();
    QList<TSiteEntry> entries;
    int ending = 0;
    for (int i = 1; i <= 300; ++i) {
        TSiteEntry e;
        e.number = QString("+7916200%1").arg(i, 4, 10, QChar('0'));
        e.unrestricted = i % 3 == 0;
        if (!e.unrestricted) {
            const bool soon = i % 10 == 0;  // ends in 10 days
            ending += soon;
            e.startDate = "2025-01-01";
            e.startTime = "00:00";
            e.endDate = today.addDays(soon ? 10 : 400).toString("yyyy-MM-dd");
            e.endTime = "23:59";
        }
        entries << e;
        TPerson p;
        p.number = e.number;
        p.name = i == 7 ? "<script>alert(7)</script>" : QString("Житель %1").arg(i);
        p.place = QString("кв. %1").arg(i % 50);
        ASSERT_TRUE(record->SetPerson(SubscriberKey(e.number, russia), p, error)) << error.toStdString();
    }
    const auto site = record->SetSiteList("Дом 5", 0, entries, error);
    ASSERT_TRUE(site) << error.toStdString();
    for (int g = 1; g <= 3; ++g) {
        const auto id = record->TouchModule({QString("+7916555000%1").arg(g), "", "", 1}, error);
        ASSERT_TRUE(id) << error.toStdString();
        ASSERT_TRUE(record->NameModule(*id, QString("Ворота %1").arg(g), error));
        sim::TModuleImage image;
        image.SetPassword("4931");
        image.SeedHistory(40, g);
        ASSERT_TRUE(record->AddSnapshot(*id, "read", {image.Read(0, 512), {}, image.Read(0x30000, 500 * 256)}, error));
        ASSERT_TRUE(record->AddSiteModule(*site, *id, {}, error)) << error.toStdString();
    }
    TSiteReport report;
    const auto sites = record->Sites(error);
    ASSERT_EQ(sites.size(), 1);
    ASSERT_TRUE(report.Gather(*record, sites[0], russia, {}, error)) << error.toStdString();
    const QString pdf = dir.filePath("report.pdf");
    ASSERT_TRUE(report.WritePdf(pdf, error)) << error.toStdString();

    QProcess read;
    read.start(pdftotext, {"-layout", pdf, "-"});
    ASSERT_TRUE(read.waitForFinished(30000));
    const QString text = QString::fromUtf8(read.readAllStandardOutput());
    std::map<int, int> seen;
    for (const auto& m : QRegularExpression("Житель (\\d+)\\b").globalMatch(text)) ++seen[m.captured(1).toInt()];
    EXPECT_EQ(seen.size(), 299u);
    for (const auto& [i, times] : seen) EXPECT_EQ(times, 1) << "Житель " << i;
    EXPECT_TRUE(QString(text).remove(QRegularExpression("\\s")).contains("<script>alert(7)</script>")) << "a name is text, never markup";
    EXPECT_EQ(text.count(QRegularExpression("! \\d{4}-\\d\\d-\\d\\d")), ending);
    EXPECT_TRUE(text.contains(QString("(отмечены «!»): %1").arg(ending)));
    EXPECT_FALSE(text.contains("4931")) << "the modules' password is never shown";
    // Every page under its header, and the contents pointing at the right pages.
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GT(pages.size(), 2);
    for (int p = 0; p < pages.size(); ++p)
        EXPECT_TRUE(pages[p].contains(QString("страница %1 из %2").arg(p + 1).arg(pages.size()))) << p + 1;
    for (const QString section : {"Модули", "Пользователи", "Изменения с прошлого отчёта", "Последние события"}) {
        const auto listed = QRegularExpression(QString("\\d\\. %1\\s+(\\d+)").arg(section)).match(pages[0]);
        ASSERT_TRUE(listed.hasMatch()) << section.toStdString();
        const int page = listed.captured(1).toInt();
        ASSERT_LE(page, pages.size());
        EXPECT_TRUE(pages[page - 1].contains(QRegularExpression(QString("^\\s*\\d\\. %1\\s*$").arg(section),
                                                                QRegularExpression::MultilineOption)))
            << section.toStdString() << " on page " << page;
    }
    EXPECT_TRUE(report.changes.isEmpty());
    EXPECT_FALSE(report.sinceReport);

    // Handed over; then Житель 1 moves out, Житель 2's window is cut, Вера moves in: the next report says so.
    ASSERT_TRUE(report.Keep(*record, *site, error)) << error.toStdString();
    entries.removeFirst();
    entries[0].endDate = today.addDays(5).toString("yyyy-MM-dd");
    entries << TSiteEntry{"+79163330001", true, {}, {}, {}, {}};
    ASSERT_TRUE(record->SetSiteList("Дом 5", 0, entries, error)) << error.toStdString();
    TSiteReport next;
    ASSERT_TRUE(next.Gather(*record, record->Sites(error).value(0), russia, {}, error)) << error.toStdString();
    EXPECT_TRUE(next.sinceReport);
    QStringList changes;
    for (const auto& c : next.changes) changes << c.what + " " + c.number + " " + c.before + " → " + c.after;
    EXPECT_EQ(changes, (QStringList{"убран +79162000001 2025-01-01 00:00 – " + today.addDays(400).toString("yyyy-MM-dd") + " 23:59 → ",
                                   "окно изменено +79162000002 2025-01-01 00:00 – " + today.addDays(400).toString("yyyy-MM-dd") +
                                       " 23:59 → 2025-01-01 00:00 – " + today.addDays(5).toString("yyyy-MM-dd") + " 23:59",
                                   "добавлен +79163330001  → без ограничений"}));
}

} // namespace
