// Production-line provisioning end to end: simulated modules whose links
// appear in a watched folder while `portiqa-cli provision` runs.
#include "cli/provision_board.h"
#include "record/record.h"
#include "pty_pair.h"
#include "sim/simulator.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <sys/ioctl.h>
#include <gtest/gtest.h>
#include <memory>

using namespace portiqa;
using portiqa::test::WaitFor;

namespace {

struct ProvisionTest : ::testing::Test {
    QTemporaryDir dir;
    // Each test's runs keep their record (and units kept without one) in a
    // data folder of its own: a batch is told by its table's content, and
    // tests share tables.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    ProvisionTest() { qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()); }
    ~ProvisionTest() override { qputenv("XDG_DATA_HOME", dataHome); }
    std::map<QString, std::unique_ptr<sim::TModuleSimulator>> modules;  // by link name
    QProcess cli;

    QString File(const QString& name) const { return dir.filePath(name); }
    // The records of a number area; a free slot is free whether it is kept
    // as 0xFF or 0x00 bytes.
    static QList<QByteArray> Records(const QByteArray& area) {
        QList<QByteArray> out;
        for (int i = 0; i + 32 <= area.size(); i += 32) {
            const QByteArray r = area.mid(i, 32);
            const bool free = r == QByteArray(32, char(0xFF)) || r == QByteArray(32, '\0');
            out << (free ? QByteArray("free") : r);
        }
        return out;
    }
    sim::TModuleSimulator& Plug(const QString& name, sim::TSimOptions o = {}) {
        QDir(dir.path()).mkpath("line");
        o.linkPath = dir.filePath("line/" + name);
        auto m = std::make_unique<sim::TModuleSimulator>(o);
        EXPECT_TRUE(m->Start());
        return *(modules[name] = std::move(m));
    }
    int RunCli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(PORTIQA_CLI), args);
        if (!p.waitForFinished(60000)) {
            ADD_FAILURE() << "no end in 60 s: " << args.join(u' ').toStdString() << "\n" << p.readAllStandardError().constData();
            p.kill();
            p.waitForFinished();
            return -1;
        }
        return p.exitCode();
    }
    // A template module: a password of its own (a module never leaves on the
    // factory's), row 16, a byte no item of row 12 names, and 30 numbers,
    // taken as a backup.
    void MakeTemplate() {
        sim::TSimOptions o;
        o.seedNumbers = 30;
        o.password = "2468";
        sim::TModuleSimulator golden(o);
        ASSERT_TRUE(golden.Start());
        golden.WriteMemory(202, QByteArray::fromHex("0500"));
        golden.WriteMemory(117, QByteArray::fromHex("09"));
        ASSERT_EQ(RunCli({"-p", golden.Path(), "-P", "2468", "backup", "-o", File("template.pbk")}), 0);
        templateNumbers = golden.Memory(0x1000, 375 * 256);
    }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList Report() {
        QFile f(File("report.csv"));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    void Start(QStringList extra) {
        cli.start(QStringLiteral(PORTIQA_CLI), QStringList{"provision", "--template", File("template.pbk"), "--report",
                                                          File("report.csv"), "--watch", File("line/*")} + extra);
        ASSERT_TRUE(cli.waitForStarted());
    }
    // A signal to the run under test, only while it runs: an ended
    // QProcess's id is 0, and kill(0, …) would signal this whole process group.
    void Signal(int sig) {
        const qint64 pid = cli.processId();
        ASSERT_GT(pid, 0) << "the run under test has ended already";
        ASSERT_EQ(::kill(pid_t(pid), sig), 0);
    }
    int Finish(int boundMs = 60000) {
        if (!WaitFor([&] { return cli.state() == QProcess::NotRunning; }, boundMs)) {
            cli.kill();
            cli.waitForFinished();
            return -1;
        }
        return cli.exitCode();
    }
    QByteArray templateNumbers;
};

TEST_F(ProvisionTest, ModulesPluggedInGetTheTemplateAndTheNextUnitEachVerifiedAndReported) {
    MakeTemplate();
    // An empty cell keeps the template's value (row 16 for A and B).
    WriteFile("units.csv", "unit,1,2,16\nA,1111,+79990000001,\nB,2222,+79990000002,\nC,3333,+79990000003,7\n");
    Plug("m1");
    sim::TSimOptions configured;
    configured.password = "4321";  // set up already: refused, gets no unit
    Plug("m2", configured);
    sim::TSimOptions refusing;
    refusing.faults.refuseSaves = true;  // takes a unit, fails, gives it back
    Plug("m3", refusing);
    Start({"--units", File("units.csv"), "--count", "2"});
    // Three results, then a fourth module comes along.
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 4; }, 30000)) << cli.readAllStandardError().toStdString();
    Plug("m4");
    EXPECT_EQ(Finish(), 1) << "one module failed";
    const QStringList lines = Report();
    ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "time,port,serial,unit,result,reason,pages,seconds,code");
    std::map<QString, QStringList> byPort;
    for (const QString& line : lines.mid(1)) {
        const QStringList f = line.split(u',');
        ASSERT_GE(f.size(), 8) << line.toStdString();
        byPort[QFileInfo(f[1]).fileName()] = f;
    }
    EXPECT_EQ(byPort["m2"][4], "failed");
    EXPECT_TRUE(byPort["m2"][5].contains("неверный пароль")) << byPort["m2"][5].toStdString();
    EXPECT_TRUE(byPort["m2"][3].isEmpty());
    EXPECT_EQ(byPort["m3"][4], "failed");
    // The two units the good modules took are the first two, whatever the
    // refused module held for a moment.
    QStringList used{byPort["m1"][3], byPort["m4"][3]};
    used.sort();
    EXPECT_EQ(used, (QStringList{"A", "B"}));
    for (const QString& name : {QString("m1"), QString("m4")}) {
        const QString unit = byPort[name][3];
        sim::TModuleSimulator& m = *modules[name];
        EXPECT_EQ(byPort[name][4], "ok") << name.toStdString();
        const QByteArray pin = unit == "A" ? "1111" : "2222";
        EXPECT_EQ(m.Memory(0, 4), pin) << name.toStdString();
        EXPECT_EQ(m.Memory(4, 13), QByteArray("+7999000000") + (unit == "A" ? '1' : '2') + '\0');
        EXPECT_EQ(m.Memory(202, 2), QByteArray::fromHex("0500")) << "the template's row 16";
        EXPECT_EQ(m.Memory(117, 1), QByteArray::fromHex("09")) << "the template's own byte of row 12";
        EXPECT_EQ(Records(m.Memory(0x1000, 375 * 256)), Records(templateNumbers)) << name.toStdString();
    }
    EXPECT_EQ(modules["m2"]->Memory(0, 4), "4321");
    EXPECT_EQ(modules["m3"]->Memory(0, 4), "5807") << "a module that failed keeps its password";

    // Run again with the same report: the units reported ok are skipped.
    modules.clear();
    Plug("m5");
    Start({"--units", File("units.csv"), "--count", "1"});
    EXPECT_EQ(Finish(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(modules["m5"]->Memory(0, 4), "3333");
    EXPECT_EQ(modules["m5"]->Memory(202, 2), QByteArray::fromHex("0700"));

    // Two plugged at once with --count 1: one is programmed, the other waits
    // and is left as it was.
    modules.clear();
    WriteFile("more.csv", "unit,1\nD,4444\nE,5555\n");
    Plug("m6");
    Plug("m7");
    Start({"--units", File("more.csv"), "--count", "1"});
    EXPECT_EQ(Finish(), 0) << cli.readAllStandardError().toStdString();
    QStringList pins{QString::fromLatin1(modules["m6"]->Memory(0, 4)), QString::fromLatin1(modules["m7"]->Memory(0, 4))};
    pins.sort();
    EXPECT_TRUE(pins == (QStringList{"4444", "5807"}) || pins == (QStringList{"5555", "5807"})) << pins.join(' ').toStdString();
}

TEST_F(ProvisionTest, ABrokenUnitsFileIsRefusedBeforeAnyModuleIsTouched) {
    MakeTemplate();
    sim::TModuleSimulator& m = Plug("m1");
    for (const QByteArray& units :
         {QByteArray("unit,1\nA,12a4\n"), QByteArray("name,1\nA,1234\n"), QByteArray("unit,5\nA,Тревога\n"),
          QByteArray("unit,1\nA,1234\nA,4321\n"), QByteArray("unit,1\nhouse-A,1234\nHOUSE-a,4321\n"),
          QByteArray("unit,1\nA,1234\nB,1234\n"), QByteArray("unit,2\nA,+79161234567\nB,79161234567\n"),
          QByteArray("unit,2\nA,+79031230003\nB,89031230003\n"),
          QByteArray("unit,1,1\nA,1234,4321\n"), QByteArray("unit,1\n")}) {
        WriteFile("units.csv", units);
        Start({"--units", File("units.csv"), "--count", "1"});
        EXPECT_EQ(Finish(), 6) << units.constData();
        EXPECT_TRUE(cli.readAllStandardError().contains("не принята")) << units.constData();
    }
    // On a computer set to another country the SIM numbers' own country
    // (from those written with +) still makes "8903…" the "+7903…" it is.
    // (Qt takes the country from LANGUAGE before LC_ALL: the test's "ru" goes.)
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    german.remove("LANGUAGE");
    german.insert("LC_ALL", "de_DE.UTF-8");
    cli.setProcessEnvironment(german);
    WriteFile("units.csv", "unit,1,2\nA,1111,+79031230003\nB,2222,89031230003\nC,3333,+79031230004\n");
    Start({"--units", File("units.csv"), "--count", "1", "--lang", "ru"});
    EXPECT_EQ(Finish(), 6);
    EXPECT_TRUE(cli.readAllStandardError().contains("номер SIM 89031230003 уже у устройства «A»"));
    cli.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    // Every module leaves with a password of its own, never the factory's
    // (one that looks new would take the next unit): the dry run says so too.
    for (const QByteArray& units : {QByteArray("unit,2\nA,+79160000001\n"), QByteArray("unit,1\nA,\nB,4321\n"),
                                    QByteArray("unit,1\nA,5807\n"), QByteArray("unit,1\nA,1357\n")}) {
        WriteFile("units.csv", units);
        for (const QStringList& mode : {QStringList{"--count", "1"}, QStringList{"--dry-run"}}) {
            Start(QStringList{"--units", File("units.csv"), "-P", "1357"} + mode);
            EXPECT_EQ(Finish(), 6) << units.constData() << mode.join(' ').toStdString();
            EXPECT_TRUE(cli.readAllStandardError().contains("свой пароль, не заводской")) << units.constData();
        }
    }
    // A backup brings its own numbers; a report that is no regular file.
    WriteFile("list.csv", "1,+79160000001,,,,,Да,Нет\n");
    Start({"--numbers", File("list.csv")});
    EXPECT_EQ(Finish(), 6);
    EXPECT_TRUE(cli.readAllStandardError().contains("--numbers"));
    cli.start(QStringLiteral(PORTIQA_CLI), {"provision", "--template", File("template.pbk"), "--report", "/dev/null"});
    EXPECT_EQ(Finish(), 6);
    EXPECT_TRUE(cli.readAllStandardError().contains("не является обычным файлом"));
    EXPECT_EQ(m.Requests(), 0);
    EXPECT_TRUE(Report().isEmpty());
}

TEST_F(ProvisionTest, AStopEndsTheRunOnceTheModulesInProgressHaveFinished) {
    MakeTemplate();
    sim::TSimOptions slow;
    slow.faults.latencyMs = 3;  // long enough to be stopped in the middle
    sim::TModuleSimulator& m = Plug("m1", slow);
    Start({});
    // A closed terminal (SIGHUP) while the module is being written: it is
    // finished, verified and reported, nothing new is started, and the run ends.
    QByteArray seen;
    ASSERT_TRUE(WaitFor([&] {
        seen += cli.readAllStandardError();
        return seen.contains("запись номеров");
    }, 20000)) << seen.constData();
    // A second run on the same report is refused while this one holds it.
    EXPECT_EQ(RunCli({"provision", "--template", File("template.pbk"), "--report", File("report.csv"), "--watch", File("none/*")}), 6);
    Signal(SIGHUP);
    ASSERT_TRUE(WaitFor([&] {
        seen += cli.readAllStandardError();
        return seen.contains("остановка");
    }, 5000)) << seen.constData();
    Plug("m2");  // comes too late: the run is ending, and says so
    EXPECT_EQ(Finish(30000), 0);
    seen += cli.readAllStandardError();
    EXPECT_TRUE(seen.contains("m2: не начат")) << seen.constData();
    const QStringList lines = Report();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[1].contains(",ok,")) << lines[1].toStdString();
    EXPECT_EQ(Records(m.Memory(0x1000, 375 * 256)), Records(templateNumbers));
    EXPECT_EQ(modules["m2"]->Requests(), 0);
}

// Numbers first, the settings next, the unit's password last: a module
// that falls silent on the way keeps the factory password, its unit goes to
// the next module, and plugged in again it is programmed completely.
TEST_F(ProvisionTest, AModuleThatFailsOnTheWayKeepsItsPasswordAndIsFinishedWhenPluggedInAgain) {
    MakeTemplate();
    for (const int silentAfter : {10, 200, 385}) {
        // A unit of its own each time: the record keeps what the last one gave.
        const QString units = QStringLiteral("units%1.csv").arg(silentAfter);
        WriteFile(units, QStringLiteral("unit,1,2\nA%1,1111,+79990000001\n").arg(silentAfter).toUtf8());
        QFile::remove(File("report.csv"));
        sim::TSimOptions o;
        o.memoryFile = File(QStringLiteral("module%1.bin").arg(silentAfter));
        o.faults.silentAfter = silentAfter;
        Plug("s1", o);
        Start({"--units", File(units), "--count", "1"});
        ASSERT_TRUE(WaitFor([&] { return Report().size() >= 2; }, 30000)) << silentAfter;
        EXPECT_TRUE(Report()[1].contains(",failed,")) << Report()[1].toStdString();
        EXPECT_EQ(modules["s1"]->Memory(0, 4), "5807") << silentAfter;
        // Numbers first, the settings next: cut in the list's reading nothing
        // is written; cut after the list, the settings are not yet.
        // (A reply late under load is asked again, so a cut by count may come earlier, never later.)
        if (silentAfter < 385) {
            EXPECT_EQ(modules["s1"]->Changes(), 0) << silentAfter;
        }
        EXPECT_EQ(modules["s1"]->Memory(202, 2).toHex(), "0000") << silentAfter;
        modules.erase("s1");  // pulled out
        o.faults.silentAfter = -1;
        Plug("s2", o);
        EXPECT_EQ(Finish(), 1) << silentAfter;
        // At the end, what to do with the module that failed.
        EXPECT_TRUE(cli.readAllStandardError().contains("подключите модуль снова: он будет настроен заново")) << silentAfter;
        ASSERT_EQ(Report().size(), 3);
        EXPECT_TRUE(Report()[2].contains(QStringLiteral(",A%1,ok,").arg(silentAfter))) << Report()[2].toStdString();
        EXPECT_EQ(modules["s2"]->Memory(0, 4), "1111");
        EXPECT_EQ(Records(modules["s2"]->Memory(0x1000, 375 * 256)), Records(templateNumbers));
        modules.clear();
    }
    // A module holding numbers the template would remove: nothing is written without --force.
    sim::TSimOptions full;
    full.seedNumbers = 300;
    sim::TModuleSimulator& m = Plug("f1", full);
    const QByteArray before = m.Memory(0, 0x1000 + 375 * 256);
    QFile::remove(File("report.csv"));
    WriteFile("units.csv", "unit,1,2\nA,1111,+79990000001\n");
    Start({"--units", File("units.csv"), "--count", "1"});
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 2; }, 30000));
    cli.kill();
    Finish();
    EXPECT_TRUE(Report()[1].contains("--force")) << Report()[1].toStdString();
    EXPECT_TRUE(m.Memory(0, 0x1000 + 375 * 256) == before);
}

// Two runs on one units table, each with its own report and its own line of
// ports: through the record every unit goes to one module; without a record
// the second run is refused.
TEST_F(ProvisionTest, TwoRunsOnOneUnitsTableNeverGiveAUnitTwice) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1\nA,1111\nB,2222\nC,3333\n");
    QDir(dir.path()).mkpath("line2");
    for (const char* name : {"a1", "a2"}) Plug(name);
    for (const char* name : {"b1", "b2"}) {
        sim::TSimOptions o;
        o.linkPath = File(QStringLiteral("line2/%1").arg(name));
        modules[name] = std::make_unique<sim::TModuleSimulator>(o);
        ASSERT_TRUE(modules[name]->Start());
    }
    // The second station has a copy of the table, saved with ";": the same batch.
    QDir(dir.path()).mkpath("elsewhere");
    WriteFile("elsewhere/units.csv", "unit;1\r\nA;1111\r\nB;2222\r\nC;3333\r\n");
    QProcess second;
    const QStringList common{"provision", "--template", File("template.pbk"), "--units", File("elsewhere/units.csv"),
                             "--count", "2"};
    second.start(QStringLiteral(PORTIQA_CLI), common + QStringList{"--report", File("report2.csv"), "--watch", File("line2/*")});
    Start({"--units", File("units.csv"), "--count", "2"});
    ASSERT_TRUE(second.waitForStarted());
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 3; }, 30000));
    ASSERT_TRUE(WaitFor([&] {
        QFile f(File("report2.csv"));
        return f.open(QIODevice::ReadOnly) && f.readAll().count('\n') >= 3;
    }, 30000));
    cli.kill();
    second.kill();
    Finish();
    second.waitForFinished();
    std::map<QString, int> given;  // unit -> modules that hold its PIN
    int factory = 0;
    for (auto& [name, m] : modules) {
        const QByteArray pin = m->Memory(0, 4);
        if (pin == "5807") ++factory;
        else ++given[QString::fromLatin1(pin)];
    }
    EXPECT_EQ(given, (std::map<QString, int>{{"1111", 1}, {"2222", 1}, {"3333", 1}}));
    EXPECT_EQ(factory, 1) << "three units, four modules";

    // Another table whose unit names were given already is refused before
    // any module is touched, and told how to continue the batch if it is one.
    WriteFile("other.csv", "unit,1\nA,4444\nD,5555\n");
    Plug("a3");
    Start({"--units", File("other.csv"), "--count", "1"});
    EXPECT_EQ(Finish(), 6);
    const QString why = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(why.contains("уже выданы из другой таблицы") && why.contains("--batch units-")) << why.toStdString();
    EXPECT_EQ(modules["a3"]->Requests(), 0);

    // Without a record the batch is locked by the run that gives it out: a
    // copy of the table is refused too.
    // The run holding it watches no port, so it cannot end by using its units up.
    cli.start(QStringLiteral(PORTIQA_CLI), QStringList{"provision", "--template", File("template.pbk"), "--report",
                                                      File("report.csv"), "--watch", File("none/*"), "--units",
                                                      File("units.csv"), "--no-record"});
    ASSERT_TRUE(cli.waitForStarted());
    ASSERT_TRUE(WaitFor([&] { return !QDir(File("data/portiqa/units")).entryList({"*.lock"}).isEmpty(); }, 10000));
    const int refused = RunCli(common + QStringList{"--no-record", "--report", File("report3.csv"), "--watch", File("none/*")});
    const bool running = cli.state() == QProcess::Running;
    cli.kill();
    Finish();
    EXPECT_EQ(refused, 6) << "the run holding the batch " << (running ? "ran" : "had ended") << ": "
                          << cli.readAllStandardError().constData();
}

// A module set up already (its unit's password and SIM number) is told as
// such, not failed and given no new unit; with --reflash it is programmed
// again with its own unit, logged in with that unit's password.
TEST_F(ProvisionTest, AModuleSetUpAlreadyIsRecognisedAndReflashedOnRequest) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1,2\nA,1111,+79990000001\nB,2222,+79990000002\n");
    sim::TSimOptions o;
    o.memoryFile = File("module.bin");
    const QStringList runs[] = {{"--count", "1", "--labels", File("labels")}, {"--count", "1"}, {"--count", "1", "--reflash"}};
    const char* reasons[] = {",A,ok,,", ",A,ok,уже настроен: устройство A,", ",A,ok,,"};
    for (int run = 0; run < 3; ++run) {
        Plug(QStringLiteral("r%1").arg(run), o);
        Start(QStringList{"--units", File("units.csv")} + runs[run]);
        ASSERT_TRUE(WaitFor([&] { return Report().size() >= run + 2; }, 30000)) << run;
        if (run == 1) cli.kill();  // a module told as set up does not count: the run would wait on
        const int rc = Finish();
        if (run != 1) {
            EXPECT_EQ(rc, 0) << run;
        }
        EXPECT_TRUE(Report().back().contains(QString::fromUtf8(reasons[run]))) << Report().back().toStdString();
        EXPECT_EQ(modules[QStringLiteral("r%1").arg(run)]->Memory(0, 4), "1111") << run;
        modules.clear();
    }
    EXPECT_FALSE(Report().join('\n').contains(",B,")) << "no new unit for a module set up already";
    // A reflash declined before its first write (the module holds a number
    // the template would remove) leaves the unit done: nothing to release.
    sim::TModuleSimulator& extra = Plug("r3", o);
    // "+79991112233", unrestricted: eight 0x63 bytes, then 0x00 and 0x63.
    extra.WriteMemory(0x1000 + 200 * 32, QByteArray("+79991112233").leftJustified(22, '\0') + QByteArray(8, 0x63) +
                                             QByteArray::fromHex("0063"));
    Start({"--units", File("units.csv"), "--count", "1", "--reflash"});
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 5; }, 30000));
    Signal(SIGTERM);  // a stop: the unit's state is kept with its line
    EXPECT_EQ(Finish(), 1);
    EXPECT_TRUE(Report().back().contains(",A,failed,") && Report().back().contains("declined")) << Report().back().toStdString();
    EXPECT_EQ(extra.Changes(), 0);
    EXPECT_EQ(RunCli({"provision", "--units", File("units.csv"), "--release", "A"}), 6) << "A is done, not in doubt";
    modules.clear();
    // The first run printed the programmed module's label.
    QFile label(File("labels/A.pdf"));
    ASSERT_TRUE(label.open(QIODevice::ReadOnly));
    EXPECT_TRUE(label.read(5) == "%PDF-");
    EXPECT_EQ(QDir(File("labels")).entryList(QDir::Files), QStringList{"A.pdf"});
    EXPECT_EQ(RunCli({"provision", "--template", File("template.pbk"), "--report", File("r2.csv"), "--label-pin"}), 2);
}

// Without the module record the units are kept beside their file: a run
// killed while writing a unit's password, started again, finds the module
// holding that password, reports it with its unit and gives that unit to no
// other module.
TEST_F(ProvisionTest, WithoutTheRecordARestartGivesNoUnitTwice) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1\nA,1111\nB,2222\n");
    {  // what the killed run left: A started by a process that is gone
        QString error;
        auto r = TRecord::Open(File("units.csv") + ".units.sqlite", error);
        ASSERT_TRUE(r) << error.toStdString();
        ASSERT_TRUE(r->ClaimUnit(QFileInfo(File("units.csv")).canonicalFilePath(), "A", "m0", "", "", error));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "killed");
        db.setDatabaseName(File("units.csv") + ".units.sqlite");
        ASSERT_TRUE(db.open() && QSqlQuery(db).exec("UPDATE units SET pid = 2147483000"));
    }
    QSqlDatabase::removeDatabase("killed");
    sim::TSimOptions held;
    held.password = "1111";
    Plug("m1", held);
    Plug("m2");
    Start({"--units", File("units.csv"), "--no-record", "--count", "1"});
    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()).count("Итог:"), 1) << "the summary once";
    const QString report = Report().join('\n');
    EXPECT_TRUE(report.contains(",A,ok,уже настроен: устройство A,")) << report.toStdString();
    EXPECT_TRUE(report.contains(",B,ok,,")) << report.toStdString();
    EXPECT_EQ(modules["m2"]->Memory(0, 4), "2222") << "the next module gets the next unit";
}

// A unit put in doubt by a module that fell silent in the password write,
// released once the module was checked, goes to the run's next module.
TEST_F(ProvisionTest, AUnitReleasedDuringTheRunGoesToItsNextModule) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1\nA,1111\nB,2222\n");
    sim::TSimOptions cut;
    cut.faults.silentAtPasswordChange = true;  // the unit's password is never taken
    Plug("m1", cut);
    Start({"--units", File("units.csv"), "--count", "1"});
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 2; }, 30000));
    EXPECT_TRUE(Report()[1].contains(",A,failed,")) << Report()[1].toStdString();
    // Everything but the password is written (with the module's own), the password last.
    EXPECT_EQ(modules["m1"]->Memory(0, 4), "5807");
    EXPECT_EQ(modules["m1"]->Memory(202, 2).toHex(), "0500");
    EXPECT_EQ(Records(modules["m1"]->Memory(0x1000, 375 * 256)), Records(templateNumbers));
    modules.clear();
    EXPECT_EQ(RunCli({"provision", "--units", File("units.csv"), "--release", "A"}), 0) << "A was in doubt";
    Plug("m2");
    EXPECT_EQ(Finish(), 1);
    EXPECT_EQ(modules["m2"]->Memory(0, 4), "1111");
}

// A module that holds the password of a unit in doubt is that unit's: told
// as set up, the unit done, and the unit never given to another module.
TEST_F(ProvisionTest, AModuleHoldingAUnitInDoubtIsThatUnits) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1\nA,1111\nB,2222\n");
    {
        QString error;
        auto r = TRecord::Open(TRecord::DefaultLocation(), error);
        ASSERT_TRUE(r) << error.toStdString();
        ASSERT_TRUE(r->ClaimUnit("L2", "A", "m0", "", "", error) && r->SetUnitState("L2", "A", "doubt", "cut", error));
    }
    sim::TSimOptions held;
    held.password = "1111";
    Plug("m1", held);
    Plug("m2");
    Start({"--units", File("units.csv"), "--batch", "L2", "--count", "1"});
    EXPECT_EQ(Finish(), 0);
    const QString report = Report().join('\n');
    EXPECT_TRUE(report.contains(",A,ok,уже настроен: устройство A,")) << report.toStdString();
    EXPECT_EQ(modules["m2"]->Memory(0, 4), "2222");
    QString error;
    auto r = TRecord::Open(TRecord::DefaultLocation(), error);
    ASSERT_TRUE(r);
    for (const TUnitEntry& e : r->Units("L2", error)) EXPECT_EQ(e.state, "done") << e.unit.toStdString();
}

// A reflash cut once its writing began leaves its unit in doubt (to be
// checked and released), never free for the next module.
TEST_F(ProvisionTest, AReflashCutMidwayPutsItsUnitInDoubt) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1\nA,1111\nB,2222\n");
    sim::TSimOptions o;
    o.memoryFile = File("module.bin");
    Plug("r0", o);
    Start({"--units", File("units.csv"), "--count", "1"});
    EXPECT_EQ(Finish(), 0);
    modules.clear();
    o.faults.silentAfter = 200;  // in the numbers step of the reflash
    Plug("r1", o);
    Start({"--units", File("units.csv"), "--count", "1", "--reflash"});
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 3; }, 30000));
    EXPECT_TRUE(Report().back().contains(",A,failed,")) << Report().back().toStdString();
    modules.clear();
    Plug("fresh");
    ASSERT_TRUE(WaitFor([&] { return Report().size() >= 4; }, 30000));
    Signal(SIGTERM);
    Finish();
    EXPECT_EQ(modules["fresh"]->Memory(0, 4), "2222") << "A is not given again";
    EXPECT_EQ(RunCli({"provision", "--units", File("units.csv"), "--release", "A"}), 0) << "A was in doubt";
}

// Every settings row a unit may set reaches its bytes (offsets as the
// module's memory map gives them), under a header in capitals; a factory
// password that is not four digits is a usage error before any port is watched.
TEST_F(ProvisionTest, EveryRowAUnitMaySetReachesTheModule) {
    MakeTemplate();
    WriteFile("all.csv", "UNIT,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\n"
                         "A,4107,+79160000001,0,0,Gate open,Gate shut,30,1,0,5,2,1,Relay on,Relay off,10,12\n");
    sim::TModuleSimulator& m = Plug("m1");
    Start({"--units", File("all.csv"), "--count", "1"});
    EXPECT_EQ(Finish(), 0) << cli.readAllStandardError().toStdString();
    const struct {
        int offset;
        QByteArray bytes;
    } expected[] = {
        {0, "4107"}, {4, QByteArray("+79160000001") + '\0'}, {26, QByteArray::fromHex("0000")},
        {28, QByteArray("Gate open") + '\0'}, {68, QByteArray("Gate shut") + '\0'}, {108, QByteArray::fromHex("1e00")},
        {110, QByteArray::fromHex("0001")}, {112, QByteArray::fromHex("05000500")}, {116, QByteArray::fromHex("0201")},
        {118, QByteArray("Relay on") + '\0'}, {158, QByteArray("Relay off") + '\0'}, {200, QByteArray::fromHex("0a000c00")},
    };
    for (const auto& e : expected) EXPECT_EQ(m.Memory(e.offset, int(e.bytes.size())).toHex(), e.bytes.toHex()) << e.offset;
    EXPECT_EQ(RunCli({"provision", "--template", File("template.pbk"), "--report", File("r2.csv"), "-P", "12a4"}), 2);
}

// Its own help, and a dry run that checks everything and touches nothing.
TEST_F(ProvisionTest, HelpAndDryRunTouchNoModule) {
    MakeTemplate();
    WriteFile("units.csv", "unit,1,5\nA,1111,Gate A open\nB,2222,\n");
    sim::TModuleSimulator& m = Plug("m1");
    QProcess p;
    p.start(QStringLiteral(PORTIQA_CLI), {"provision", "--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QByteArray help = p.readAllStandardOutput();
    EXPECT_TRUE(help.contains("--release") && help.contains("code")) << help.constData();
    // The record may come before the command: a unit nobody holds is refused as such.
    for (const QStringList& args : {QStringList{"--record", File("r.sqlite"), "provision", "--batch", "B", "--release", "X"},
                                    QStringList{"provision", "--record", File("r.sqlite"), "--batch", "B", "--release", "X"}})
        EXPECT_EQ(RunCli(args), 6) << args.join(' ').toStdString();
    // A backup named like a workbook is still a backup: told by its content.
    ASSERT_TRUE(QFile::copy(File("template.pbk"), File("template.xlsx")));
    for (const char* name : {"template.pbk", "template.xlsx"}) {
        p.start(QStringLiteral(PORTIQA_CLI), {"provision", "--template", File(name), "--units", File("units.csv"),
                                              "--watch", File("line/*"), "--dry-run"});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << name << p.readAllStandardError().toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.contains("A: 1=1111, 5=Gate A open\nB: 1=2222\n")) << name << out.toStdString();
    }
    EXPECT_EQ(m.Requests(), 0);
    EXPECT_FALSE(QFile::exists(File("report.csv")));
}

TEST_F(ProvisionTest, AProfileAndANumberListAsTheTemplateWithEventsAsJson) {
    // A profile and a list made by the command line from a module set up by hand.
    sim::TModuleSimulator golden;
    ASSERT_TRUE(golden.Start());
    golden.WriteMemory(200, QByteArray::fromHex("7800"));  // row 15: 120
    ASSERT_EQ(RunCli({"-p", golden.Path(), "settings", "read", "-o", File("site.xlsx")}), 0);
    WriteFile("list.csv", "1,+79160000001,,,,,Да,Нет\n2,+79160000002,2026-01-01,07:00,2027-01-01,19:00,Нет,Нет\n");
    WriteFile("units.csv", "unit;1\nonly;2468\n");
    // A factory password other than 5807, from the environment as for every command.
    sim::TSimOptions factory;
    factory.password = "4321";
    sim::TModuleSimulator& m = Plug("m1", factory);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PORTIQA_PASSWORD", "4321");
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(PORTIQA_CLI), {"provision", "--template", File("site.xlsx"), "--numbers", File("list.csv"),
                                            "--units", File("units.csv"), "--report", File("report.csv"), "--watch",
                                            File("line/*"), "--json", "--record", File("record.sqlite")});
    // The units are used up: the run ends by itself.
    EXPECT_EQ(Finish(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(m.Memory(0, 4), "2468");
    EXPECT_EQ(m.Memory(200, 2), QByteArray::fromHex("7800"));
    EXPECT_EQ(m.Memory(0x1000, 13), QByteArray("+79160000001") + '\0');
    EXPECT_EQ(m.Memory(0x1020 + 22, 10), QByteArray::fromHex("0101070001011300" "1A1B"));
    const QList<QByteArray> events = cli.readAllStandardOutput().split('\n');
    QStringList kinds;
    QJsonObject result, summary;
    for (const QByteArray& e : events) {
        if (e.isEmpty()) continue;
        const QJsonObject o = QJsonDocument::fromJson(e).object();
        ASSERT_FALSE(o.isEmpty()) << e.constData();
        kinds << o["event"].toString();
        // Times carry their offset, so lines from two stations sort.
        EXPECT_TRUE(QDateTime::fromString(o["time"].toString(), Qt::ISODateWithMs).timeSpec() != Qt::LocalTime)
            << o["time"].toString().toStdString();
        if (kinds.last() == "result") result = o;
        if (kinds.last() == "summary") summary = o;
    }
    EXPECT_EQ(kinds.first(), "seen");
    EXPECT_TRUE(kinds.contains("unit"));
    EXPECT_TRUE(kinds.contains("progress"));
    EXPECT_EQ(kinds.last(), "summary");
    // Fixed, untranslated fields beside the operator's words.
    EXPECT_EQ(result["unit"].toString(), "only");
    EXPECT_EQ(result["result"].toString(), "ok");
    EXPECT_EQ(result["reason_code"].toString(), "ok");
    EXPECT_GT(result["pages"].toInt(), 0);
    EXPECT_EQ(summary["ok"].toInt(), 1);
    EXPECT_EQ(summary["units_left"].toInt(), 0);
    // What was written into the module, and how it ended, is in the record.
    QProcess log;
    log.start(QStringLiteral(PORTIQA_CLI), {"--record", File("record.sqlite"), "log", "--json"});
    ASSERT_TRUE(log.waitForFinished(30000));
    const QJsonArray modulesLogged = QJsonDocument::fromJson(log.readAllStandardOutput()).object()["modules"].toArray();
    ASSERT_EQ(modulesLogged.size(), 1);
    QStringList writes;
    for (const QJsonValue w : modulesLogged[0].toObject()["writes"].toArray())
        writes << w.toObject()["operation"].toString() + ":" + w.toObject()["outcome"].toString();
    EXPECT_EQ(writes, (QStringList{"settings:done", "settings:done", "numbers:done"})) << "newest first";
}

// The board on a terminal: one line per port rewritten in place, the news
// above it, a finished module in its colour with its time.
// What a terminal of a width shows after the bytes: enough of one for the
// board (CR, LF as the terminal's output turns it into CR LF, cursor up,
// erase line, colours), wrapping a line that reaches the right margin.
QStringList Screen(const QString& bytes, int width) {
    QStringList rows{QString()};
    int row = 0, col = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const QChar c = bytes[i];
        if (c == u'\x1b' && i + 1 < bytes.size() && bytes[i + 1] == u'[') {
            qsizetype j = i + 2;
            while (j < bytes.size() && (bytes[j].isDigit() || bytes[j] == u';')) ++j;
            const int n = std::max(1, bytes.mid(i + 2, j - i - 2).toInt());
            if (bytes[j] == u'A') row = std::max(0, row - n);
            else if (bytes[j] == u'K') rows[row].clear();
            i = j;
        } else if (c == u'\r') {
            col = 0;
        } else if (c == u'\n' || col == width) {
            if (++row == rows.size()) rows << QString();
            col = 0;
            if (c != u'\n') --i;  // the character goes on the next row
        } else {
            QString& r = rows[row];
            if (r.size() <= col) r = r.leftJustified(col + 1);
            r[col++] = c;
        }
    }
    while (!rows.isEmpty() && rows.last().trimmed().isEmpty()) rows.removeLast();
    return rows;
}

// The board at 60, 80 and 100 columns (the width read from a pseudo-terminal
// of that size) with the longest reason: a line per port, cut, never
// wrapped; the news above it once; the totals last.
TEST(StatusBoard, EveryLineFitsTheTerminalAndTheTotalsStayLast) {
    test::TPtyPair pty;
    ASSERT_GE(pty.slave, 0);
    for (const int width : {60, 80, 100}) {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = static_cast<unsigned short>(width);
        ASSERT_EQ(::ioctl(pty.slave, TIOCSWINSZ, &size), 0);
        QString bytes;
        QTextStream err(&bytes);
        TStatusBoard board(err, true, pty.slave);
        qint64 now = 0;
        board.Now = [&] { return now; };
        const QString lost = "Связь с GSM модулем потеряна: проверьте кабель и питание, затем подключите его снова";
        for (const char* port : {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2"}) board.Seen(port);
        board.Unit("/dev/ttyUSB0", "house-01");
        board.Step("/dev/ttyUSB0", "запись номеров");
        board.Percent("/dev/ttyUSB0", 40);
        board.Totals(0, 0, 3, 17);
        now = 2500;
        board.Finished("/dev/ttyUSB1", false, "не настроен: " + lost);
        board.Totals(0, 1, 2, 17);
        board.Note("/dev/ttyUSB1: " + lost);
        for (int tick = 0; tick < 5; ++tick) board.Tick();
        const QStringList screen = Screen(bytes, width);
        SCOPED_TRACE(screen.join('\n').toStdString());
        const QString note = "/dev/ttyUSB1: " + lost;
        const int news = int(note.size() + width - 1) / width;  // a note above the board may wrap
        ASSERT_EQ(screen.size(), news + 4) << "the news, then the board: three ports and the totals";
        for (const QString& row : screen.mid(news)) EXPECT_LT(row.size(), width);
        EXPECT_TRUE(screen[news].startsWith("/dev/ttyUSB0") && screen[news].contains("40%"));
        EXPECT_TRUE(screen[news + 1].startsWith("/dev/ttyUSB1") && screen[news + 1].contains("не настроен"));
        EXPECT_TRUE(screen[news + 2].startsWith("/dev/ttyUSB2"));
        EXPECT_EQ(screen[news + 3], "готово 0 · ошибок 1 · в работе 2 · устройств осталось 17");
        EXPECT_EQ(bytes.count("готово 0 · ошибок 1"), 7) << "redrawn in place, once a draw";
        bytes.clear();
        board.Percent("/dev/ttyUSB0", 40);
        EXPECT_TRUE(bytes.isEmpty()) << "the same figure is not drawn again";
    }
}

} // namespace
