#include "backup/backup_file.h"
#include "record/record.h"
#include "sim/simulator.h"
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QDateTime>
#include <QDate>
#include <QTemporaryDir>
#include "cli/cli_options.h"
#include "../device_server.h"
#include "settings/settings_layout.h"
#include <gtest/gtest.h>
#include <memory>

using namespace portiqa;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

struct CliTest : ::testing::Test {
    std::unique_ptr<sim::TModuleSimulator> module;
    QTemporaryDir dir;

    void Module(sim::TSimOptions o = {}) {
        module = std::make_unique<sim::TModuleSimulator>(o);
        ASSERT_TRUE(module->Start());
    }
    CliRun Run(QStringList args, bool withPort = true) {
        if (withPort) args = QStringList{"-p", module->Path()} + args;
        QProcess p;
        p.start(QStringLiteral(PORTIQA_CLI), args);
        CliRun r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    QString File(const char* name) { return dir.filePath(QString::fromUtf8(name)); }

    // A database of this test's own on the test PostgreSQL server, made
    // fresh and dropped after, so that the suite passes again on a server
    // kept between runs; empty without a server.
    QString FreshServerRecord() {
        const QString pg = qEnvironmentVariable("PORTIQA_TEST_PG_CLI");
        if (pg.isEmpty()) return {};
        QUrl url(pg);
        const QString name = "portiqa_cli_" + QUuid::createUuid().toString(QUuid::Id128);
        if (!Server("CREATE DATABASE " + name)) return {};
        made.push_back(name);
        url.setPath("/" + name);
        return url.toString();
    }
    bool Server(const QString& statement) {
        const QUrl url(qEnvironmentVariable("PORTIQA_TEST_PG_CLI"));
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "server");
            const QString socket = QUrlQuery(url).queryItemValue("host");
            db.setHostName(socket.isEmpty() ? url.host() : socket);
            if (url.port() > 0) db.setPort(url.port());
            db.setUserName(url.userName());
            db.setDatabaseName(url.path().mid(1));
            ok = db.open() && QSqlQuery(db).exec(statement);
            EXPECT_TRUE(ok) << statement.toStdString() << ": " << db.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase("server");
        return ok;
    }
    void TearDown() override {
        for (const QString& name : made) Server("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
    }
    std::vector<QString> made;
};

TEST_F(CliTest, UsageAndPortErrors) {
    EXPECT_EQ(Run({}, false).code, 2);
    EXPECT_EQ(Run({"frobnicate"}, false).code, 2);
    EXPECT_EQ(Run({"-p", "/dev/portiqa-no-such-port", "login"}, false).code, 5);
    const CliRun help = Run({"--help"}, false);
    EXPECT_EQ(help.code, 0);
    for (const char* documented : {"Код выхода", "6  файл"}) EXPECT_TRUE(help.out.contains(documented)) << documented;
    // Every command the table knows has its line, and every option it takes is described.
    for (const TCliCommand& c : CliCommands()) {
        EXPECT_TRUE(help.out.contains(QRegularExpression("\\n  " + QRegularExpression::escape(c.name) + "\\b")))
            << c.name.toStdString();
        for (const QString& option : c.options) EXPECT_TRUE(help.out.contains("--" + option)) << option.toStdString();
    }
    // The help's rows are the layout's: every range, and the drop-down example's row and item.
    const QString& text = help.out;
    int ranges = 0;
    for (const auto& m : QRegularExpression("\\b1-(\\d+)\\b").globalMatch(text)) {
        EXPECT_EQ(m.captured(1).toInt(), kSettingsValueRows) << m.captured(0).toStdString();
        ++ranges;
    }
    EXPECT_GE(ranges, 3);
    const auto example = QRegularExpression("\\((\\d+)=(\\d+)\\)").match(text);
    ASSERT_TRUE(example.hasMatch());
    const int row = example.captured(1).toInt(), item = example.captured(2).toInt();
    ASSERT_TRUE(row >= 1 && row <= kSettingsValueRows);
    const auto& items = kSettingsRows[row - 1].items;
    EXPECT_TRUE(item >= 0 && item < int(std::size(items)) && items[item]) << "row " << row << " has no item " << item;
    const CliRun version = Run({"--version"}, false);
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "portiqa-cli " PORTIQA_VERSION "\n");
    Module();
    const CliRun del = Run({"history", "delete"});
    EXPECT_EQ(del.code, 2);
    EXPECT_TRUE(del.err.contains("--yes"));
    // Values the window would never let through are refused before the port
    // is even opened: a PIN that locks the operator out, a cut text, a
    // number outside its range, a choice the list does not have.
    struct Case { const char* set; const char* says; };
    const Case refused[] = {
        {"1=12", "Строка 1: пароль"}, {"1=", "Строка 1: пароль"}, {"1=12345", "Строка 1: пароль"},
        {"2=+7 (916) 123-45-67", "Строка 2"}, {"5=01234567890123456789012345678901234567890", "Строка 5"},
        {"7=5000", "Строка 7"}, {"11=7", "Строка 11"}, {"3=1abc", "Строка 3"},
    };
    for (const Case& c : refused) {
        const CliRun r = Run({"settings", "save", "--set", c.set});
        EXPECT_EQ(r.code, 2) << c.set;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << c.set << ": " << r.err.toStdString();
    }
    // Nothing to act on, or a name the record would have to cut: usage errors.
    const QStringList usage[] = {
        {"settings", "save"},
        {"settings", "save", "--with-password", "--set", "16=1"},
        {"--record", File("r.sqlite"), "site", "import", QString(61, u'x'), "-i", File("none.csv")},
        {"--record", File("r.sqlite"), "name", "1", QString(61, u'x')},
    };
    for (const QStringList& args : usage) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString() << ": " << r.err.toStdString();
    }
    // An empty port name (an unset $PORT) opens nothing.
    const CliRun empty = Run({"-p", "", "login"}, false);
    EXPECT_EQ(empty.code, 2);
    EXPECT_TRUE(empty.err.contains("-p")) << empty.err.toStdString();
    EXPECT_EQ(module->Requests(), 0);  // refused before anything was sent
}

TEST_F(CliTest, LoginSettingsAndSingleCommands) {
    sim::TSimOptions o;
    o.password = "1234";
    Module(o);
    const CliRun wrong = Run({"login"});
    EXPECT_EQ(wrong.code, 4);
    EXPECT_TRUE(wrong.err.contains("Неверный пароль!"));
    EXPECT_EQ(Run({"-P", "1234", "login"}).code, 0);

    const CliRun read = Run({"-P", "1234", "settings", "read"});
    ASSERT_EQ(read.code, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.startsWith("1\t1234\n2\t\n3\t1:NO\n"));
    EXPECT_TRUE(read.out.contains("\n13\tRelay ON\n"));

    const CliRun save = Run({"-P", "1234", "settings", "save", "--set", "2=+79990001122", "--set", "11=1"});
    ASSERT_EQ(save.code, 0) << save.err.toStdString();
    EXPECT_EQ(module->Memory(4, 13), QByteArray("+79990001122") + '\0');
    EXPECT_EQ(uint8_t(module->Memory(116, 1)[0]), 1);

    EXPECT_EQ(Run({"-P", "1234", "time", "sync"}).code, 0);
    EXPECT_EQ(Run({"-P", "1234", "check-mode"}).code, 0);
}

// A module that answers a single command with status 0 did not do it: the
// command says so and exits 1, and the history stays.
TEST_F(CliTest, ASingleCommandTheModuleRefusesFails) {
    sim::TSimOptions o;
    o.faults.refuseCommands = true;
    o.seedHistory = 5;
    Module(o);
    const QByteArray history = module->Memory(0x30000, 256);
    const QPair<QStringList, QString> cases[] = {
        {{"time", "sync"}, "Ошибка возврата времени синхронизации"},
        {{"check-mode"}, "Ошибка"},
        {{"-y", "history", "delete"}, "Ошибка при удалении исторических данных"},
    };
    for (const auto& [command, says] : cases) {
        const CliRun r = Run(command);
        EXPECT_EQ(r.code, 1) << command.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(says)) << command.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_EQ(module->Memory(0x30000, 256), history);
}

TEST_F(CliTest, ProvisioningRoundTripToAFreshModule) {
    sim::TSimOptions seeded;
    seeded.seedNumbers = 60;
    seeded.seedHistory = 40;
    Module(seeded);
    ASSERT_EQ(Run({"settings", "save", "--set", "7=25", "--set", "2=+79161110001"}).code, 0);
    ASSERT_EQ(Run({"settings", "read", "-o", File("profile.xlsx")}).code, 0);
    ASSERT_EQ(Run({"numbers", "download", "-o", File("numbers.xlsx")}).code, 0);
    ASSERT_EQ(Run({"numbers", "download", "-o", File("numbers.cvs")}).code, 0);
    const QByteArray numbersBefore = module->Memory(0x1000, 60 * 32);
    const CliRun history = Run({"history", "download"});
    ASSERT_EQ(history.code, 0);
    EXPECT_EQ(history.out.count('\n'), 40);

    // A fresh module (factory image) takes the profile but keeps its own
    // password and SIM number unless asked.
    sim::TSimOptions other;
    other.password = "2222";
    Module(other);
    module->WriteMemory(4, QByteArray("+79162220002") + '\0');
    CliRun r = Run({"-P", "2222", "settings", "save", "-i", File("profile.xlsx")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(module->Memory(108, 2), QByteArray::fromHex("1900"));
    EXPECT_EQ(module->Memory(0, 17), QByteArray("2222+79162220002") + '\0');
    EXPECT_TRUE(r.err.contains("строки 1, 2")) << r.err.toStdString();
    ASSERT_EQ(Run({"-P", "2222", "settings", "save", "-i", File("profile.xlsx"), "--with-sim"}).code, 0);
    EXPECT_EQ(module->Memory(0, 17), QByteArray("2222+79161110001") + '\0');
    Module();
    r = Run({"numbers", "save", "-i", File("numbers.xlsx")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 60 * 32), numbersBefore);

    Module();
    r = Run({"numbers", "save", "-i", File("numbers.cvs")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 60 * 32), numbersBefore);
    EXPECT_EQ(Run({"numbers", "save", "-i", File("missing.xlsx")}).code, 6);
}

// A list file that would remove records the module holds (a copy cut short,
// a sheet with only its header) is shown, and saved only with --yes.
TEST_F(CliTest, NumbersSaveShowsTheDifferenceAndGuardsRemovals) {
    sim::TSimOptions seeded;
    seeded.seedNumbers = 20;
    Module(seeded);
    ASSERT_EQ(Run({"numbers", "download", "-o", File("list.cvs")}).code, 0);
    QFile f(File("list.cvs"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    QByteArray edited;
    for (const QByteArray& line : lines) {
        if (line.startsWith("3,") || line.trimmed().isEmpty()) continue;  // record 3 left out
        if (line.startsWith("5,")) edited += "5,+70000000005,,,,,\xC4\xE0,\xCD\xE5\xF2,,\r\n";  // changed
        else if (line.startsWith("25,")) edited += "25,+70000000025,,,,,\xC4\xE0,\xCD\xE5\xF2,,\r\n";  // added
        else edited += line + "\n";
    }
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(edited);
    f.close();
    const QByteArray before = module->Memory(0x1000, 375 * 256);

    const CliRun dry = Run({"numbers", "save", "-i", File("list.cvs"), "--dry-run"});
    EXPECT_EQ(dry.code, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.err.contains("Добавлено: 1, изменено: 1, удалено: 1, без изменений: 18")) << dry.err.toStdString();
    const QStringList shown = dry.out.split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^\\d+: "));
    ASSERT_EQ(shown.size(), 3) << dry.out.toStdString();
    EXPECT_TRUE(shown[0].startsWith("3: ") && shown[0].endsWith(" -> (нет)")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("5: ") && shown[1].endsWith(" -> +70000000005, без ограничений")) << shown[1].toStdString();
    EXPECT_EQ(shown[2], "25: (нет) -> +70000000025, без ограничений");
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), before);

    const CliRun guarded = Run({"numbers", "save", "-i", File("list.cvs")});
    EXPECT_EQ(guarded.code, 2);
    EXPECT_TRUE(guarded.err.contains("--yes")) << guarded.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), before);

    const CliRun saved = Run({"-y", "numbers", "save", "-i", File("list.cvs")});
    EXPECT_EQ(saved.code, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.err.contains("Записано страниц: 2")) << saved.err.toStdString();  // records 3 and 5 share a page
    EXPECT_EQ(module->Memory(0x1000 + 2 * 32, 32), QByteArray(32, '\0'));  // a free slot
    EXPECT_EQ(module->Memory(0x1000 + 24 * 32, 13), QByteArray("+70000000025") + '\0');
    EXPECT_EQ(module->Memory(0x1000 + 5 * 32, 32 * 15), before.mid(5 * 32, 32 * 15));
}

// People: names kept beside numbers, a subscriber written two ways, and a
// save that takes access away listing who loses it.
TEST_F(CliTest, ASaveSaysWhoLosesAccessByName) {
    Module();
    const auto write = [this](const char* name, const QStringList& rows) {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF\u2116,Номер абонента,Дата начала,Время начала,Дата окончания,Время окончания,Без ограничений,"
                "Удалить,Имя,Место,Примечание\r\n");
        for (const QString& r : rows) f.write((r + "\r\n").toUtf8());
    };
    const QString window = ",2025-01-01,00:00,2040-01-01,00:00,Нет,Нет,";
    write("first.csv", {"1,+79160000001" + window + "Анна,кв. 1,", "2,89160000002" + window + "Борис,кв. 2,",
                        "3,+79160000003" + window + "Вера,кв. 3,", "4,+79160000004" + window + "Глеб,кв. 4,",
                        "5,+79160000005" + window + "Дина,кв. 5,", "6,79160000002" + window + ",,"});
    const QStringList c{"--country", "+7"};
    const CliRun twice = Run(c + QStringList{"numbers", "save", "-i", File("first.csv")});
    EXPECT_EQ(twice.code, 2);
    EXPECT_TRUE(twice.err.contains("один абонент +79160000002: 89160000002 (запись 2), +79160000002 (запись 6)")) << twice.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 32), QByteArray(32, '\xFF'));
    ASSERT_EQ(Run(c + QStringList{"-y", "numbers", "save", "-i", File("first.csv")}).code, 0);

    // No names in the second file: the directory knows them. Record 1's
    // window is shortened, 3-5 removed; 6 goes but its subscriber stays in 2.
    write("second.csv", {"1,+79160000001,2025-01-01,00:00,2030-01-01,00:00,Нет,Нет,,,", "2,89160000002" + window + ",,"});
    const CliRun dry = Run(c + QStringList{"numbers", "save", "-i", File("second.csv"), "--dry-run"});
    ASSERT_EQ(dry.code, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.startsWith("Потеряют доступ: 4\n"
                                   "  Анна (+79160000001): срок сокращён: 2025-01-01 00:00 – 2040-01-01 00:00 → "
                                   "2025-01-01 00:00 – 2030-01-01 00:00\n"
                                   "  Вера (+79160000003): удалён\n  Глеб (+79160000004): удалён\n  Дина (+79160000005): удалён\n"))
        << dry.out.toStdString();
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    const CliRun refused = Run(c + QStringList{"numbers", "save", "-i", File("second.csv")});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.contains("Дина (+79160000005): удалён") && refused.err.contains("--yes")) << refused.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), before);
    ASSERT_EQ(Run(c + QStringList{"-y", "numbers", "save", "-i", File("second.csv")}).code, 0);

    ASSERT_EQ(Run({"numbers", "download", "-o", File("back.csv")}).code, 0);
    QFile back(File("back.csv"));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(back.readAll());
    EXPECT_TRUE(text.contains(",Имя,Место,Примечание\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("2,89160000002,2025-01-01,00:00,2040-01-01,00:00,Нет,Нет,Борис,кв. 2,\r\n")) << text.toStdString();

    // A dry run or a refused save keeps the file's names out of the directory.
    write("renamed.csv", {"1,+79160000001" + window + "Ася,кв. 9,"});  // Борис would lose access: refused without -y
    ASSERT_EQ(Run(c + QStringList{"numbers", "save", "-i", File("renamed.csv"), "--dry-run"}).code, 0);
    EXPECT_EQ(Run(c + QStringList{"numbers", "save", "-i", File("renamed.csv")}).code, 2);
    ASSERT_EQ(Run({"numbers", "download", "-o", File("back2.csv")}).code, 0);
    QFile back2(File("back2.csv"));
    ASSERT_TRUE(back2.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(back2.readAll()).contains(",Нет,Нет,Анна,кв. 1,\r\n"));
}

// A module without a SIM number is one record entry per connection, made
// only when something is kept of it; when a save writes its SIM number the
// entry follows (the read and the write of that connection under the number).
TEST_F(CliTest, AModuleWithoutASimNumberIsOneEntryThatFollowsItsNewNumber) {
    Module();
    const QStringList r{"--record", File("who.sqlite")};
    const auto modules = [&] {
        const CliRun m = Run(r + QStringList{"modules", "--json"}, false);
        return QJsonDocument::fromJson(m.out.toUtf8()).object()["modules"].toArray().size();
    };
    ASSERT_EQ(Run(r + QStringList{"login"}).code, 0);
    EXPECT_EQ(modules(), 0) << "a login alone keeps nothing";
    ASSERT_EQ(Run(r + QStringList{"settings", "read"}).code, 0);
    EXPECT_EQ(modules(), 1);
    ASSERT_EQ(Run(r + QStringList{"settings", "save", "--set", "2=+79031230009", "--set", "16=24"}).code, 0);
    EXPECT_EQ(modules(), 2) << "the first read's connection, and this one under its new number";
    const CliRun log = Run(r + QStringList{"log", "+79031230009", "--json"}, false);
    const QJsonObject gate = QJsonDocument::fromJson(log.out.toUtf8()).object()["modules"].toArray()[0].toObject();
    EXPECT_EQ(gate["writes"].toArray().size(), 1) << log.out.toStdString();
    EXPECT_EQ(gate["snapshots"].toArray().size(), 2) << "the read before the save, and the save";
    ASSERT_EQ(Run(r + QStringList{"settings", "read"}).code, 0);
    EXPECT_EQ(modules(), 2) << "known by its number now";
}

// A site: one list for three gates. Each module is behind until the list
// is applied to it; a change of the list puts them all behind again.
// A site's list imported over a newer one than the file was taken at is
// refused, naming who saved that one; without --revision the replaced one is named.
TEST_F(CliTest, ASiteListSavedOverANewerOneIsRefused) {
    const QStringList r{"--record", File("sites.sqlite"), "--country", "+7"};
    QFile f(File("site.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\u2116,Номер абонента,Дата начала,Время начала,Дата окончания,Время окончания,Без ограничений\n"
            "1,+79161110001,,,,,Да\n");
    f.close();
    const auto import = [&](const QStringList& extra) {
        return Run(r + QStringList{"site", "import", "Estate", "-i", File("site.csv")} + extra, false);
    };
    ASSERT_EQ(import({}).code, 0);
    const CliRun exported = Run(r + QStringList{"site", "export", "Estate", "-o", File("out.csv")}, false);
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.err.contains("--revision 1")) << exported.err.toStdString();
    const CliRun other = import({});  // another installer, meanwhile
    EXPECT_TRUE(other.err.contains("Заменён список редакции 1")) << other.err.toStdString();
    const CliRun stale = import({"--revision", "1"});
    EXPECT_EQ(stale.code, 6);
    EXPECT_TRUE(stale.err.contains("сейчас редакция 2")) << stale.err.toStdString();
    EXPECT_EQ(import({"--revision", "2"}).code, 0);
}

// What a module leaves out of its site's list obeys the number rules and is
// added to what it left out before (--replace: instead); removing a module
// that is not the site's is an error.
TEST_F(CliTest, ASiteModulesExclusionsAddUpAndObeyTheNumberRules) {
    const QString path = File("sites.sqlite");
    {
        QString error;
        auto record = TRecord::Open(path, error);
        ASSERT_TRUE(record) << error.toStdString();
        ASSERT_TRUE(record->TouchModule({"+79165550001", "", "", 1}, error));
        ASSERT_TRUE(record->TouchModule({"+79165550002", "", "", 1}, error));
        ASSERT_TRUE(record->SetSiteList("Estate", 0, {}, error));
    }
    const QStringList r{"--record", path, "--country", "+7"};
    const auto excluded = [&] {
        const CliRun st = Run(r + QStringList{"site", "status", "Estate", "--json"}, false);
        const QJsonArray modules = QJsonDocument::fromJson(st.out.toUtf8()).object()["modules"].toArray();
        return modules.isEmpty() ? QJsonValue() : modules[0].toObject()["excluded"];
    };
    EXPECT_EQ(Run(r + QStringList{"site", "add", "Estate", "+79165550001", "+7916abc"}, false).code, 2);
    ASSERT_EQ(Run(r + QStringList{"site", "add", "Estate", "+79165550001", "+79161110001"}, false).code, 0);
    ASSERT_EQ(Run(r + QStringList{"site", "add", "Estate", "+79165550001", "89161110001", "+79161110002"}, false).code, 0);
    EXPECT_EQ(excluded().toVariant().toStringList(), (QStringList{"+79161110001", "+79161110002"}))
        << "another spelling of one subscriber is not added twice";
    ASSERT_EQ(Run(r + QStringList{"site", "add", "Estate", "+79165550001", "+79161110003", "--replace"}, false).code, 0);
    EXPECT_EQ(excluded().toVariant().toStringList(), QStringList{"+79161110003"});
    const CliRun notMember = Run(r + QStringList{"site", "remove", "Estate", "+79165550002"}, false);
    EXPECT_EQ(notMember.code, 6);
    EXPECT_TRUE(notMember.err.contains("не входит")) << notMember.err.toStdString();
}

TEST_F(CliTest, ASiteListReachesEveryModuleOfTheSite) {
    QStringList records{File("sites.sqlite")};
    if (const QString pg = FreshServerRecord(); !pg.isEmpty()) records << pg;
    const QString site = "Estate " + QFileInfo(dir.path()).fileName();  // a server keeps earlier runs' sites
    for (const QString& record : records) {
        SCOPED_TRACE(record.toStdString());
        const QStringList r{"--record", record, "--country", "+7"};
        std::vector<std::unique_ptr<sim::TModuleSimulator>> gates;
        // Each gate also behind a device server of its own, raw or Telnet (RFC 2217).
        std::vector<std::unique_ptr<test::TDeviceServer>> servers;
        for (int i = 0; i < 3; ++i) {
            gates.push_back(std::make_unique<sim::TModuleSimulator>(sim::TSimOptions{}));
            ASSERT_TRUE(gates.back()->Start());
            servers.push_back(std::make_unique<test::TDeviceServer>());
            ASSERT_EQ(servers.back()->Start(gates.back()->Path(), i != 1), QString());
            gates.back()->WriteMemory(4, QByteArray("+7916555000") + char('1' + i) + '\0');
            ASSERT_EQ(Run(QStringList{"-p", gates.back()->Path(), "--record", record, "login"}, false).code, 0);
        }
        const auto list = [&](const QStringList& rows) {
            QFile f(File("site.csv"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("\u2116,Номер абонента,Дата начала,Время начала,Дата окончания,Время окончания,Без ограничений,Удалить,Имя\n");
            for (const QString& row : rows) f.write((row + "\n").toUtf8());
            f.close();
            ASSERT_EQ(Run(r + QStringList{"site", "import", site, "-i", File("site.csv")}, false).code, 0);
        };
        list({"1,+79161110001,,,,,Да,Нет,Анна", "2,+79161110002,2025-01-01,00:00,2040-01-01,00:00,Нет,Нет,Борис"});
        const auto at = [&](int gate, const QString& address) {
            ASSERT_EQ(Run(r + QStringList{"site", "add", site, QString("+7916555000%1").arg(gate + 1), "--at", address}, false).code, 0);
        };
        for (int i = 0; i < 3; ++i) at(i, servers[i]->Address());
        const auto status = [&](int behind) {
            const CliRun st = Run(r + QStringList{"site", "status", site, "--json"}, false);
            EXPECT_EQ(st.code, behind ? 7 : 0) << st.err.toStdString();
            const QJsonArray modules = QJsonDocument::fromJson(st.out.toUtf8()).object()["modules"].toArray();
            EXPECT_EQ(modules.size(), 3);
            int count = 0;
            for (const QJsonValue& m : modules) count += !m.toObject()["current"].toBool();
            EXPECT_EQ(count, behind) << st.out.toStdString();
        };
        const auto applyAll = [&] {
            for (auto& gate : gates) {
                const CliRun a = Run(QStringList{"-p", gate->Path(), "-y"} + r + QStringList{"site", "apply", site}, false);
                EXPECT_EQ(a.code, 0) << a.err.toStdString();
                EXPECT_TRUE(a.err.contains("отстаёт") || a.err.contains("не читался")) << a.err.toStdString();
            }
        };
        status(3);
        applyAll();
        status(0);
        EXPECT_EQ(gates[2]->Memory(0x1000 + 32, 13), QByteArray("+79161110002") + '\0');
        // Борис moves out, Вера moves in: every gate is behind until applied,
        // from here, through the device servers.
        list({"1,+79161110001,,,,,Да,Нет,Анна", "2,+79161110003,,,,,Да,Нет,Вера"});
        status(3);
        // An address that reaches another gate writes nothing into it.
        at(2, servers[0]->Address());
        const CliRun wrong = Run(QStringList{"-y"} + r + QStringList{"site", "apply", site, "--all"}, false);
        EXPECT_NE(wrong.code, 0);
        EXPECT_TRUE(wrong.err.contains("ответил модуль")) << wrong.err.toStdString();
        status(1);
        at(2, servers[2]->Address());
        const CliRun all = Run(QStringList{"-y"} + r + QStringList{"site", "apply", site, "--all"}, false);
        EXPECT_EQ(all.code, 0) << all.err.toStdString();
        EXPECT_EQ(all.out.count("применён"), 3) << all.out.toStdString();
        status(0);
        for (auto& gate : gates) EXPECT_EQ(gate->Memory(0x1000 + 32, 13), QByteArray("+79161110003") + '\0');
        const CliRun show = Run(r + QStringList{"site", "show", site}, false);
        EXPECT_TRUE(show.out.contains("+79161110003, без ограничений\tВера")) << show.out.toStdString();
        // One gate's list changed after the site's was applied: that gate is behind.
        QFile own(File("own.csv"));
        ASSERT_TRUE(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
        own.write("1,+79161110001,,,,,Да,Нет\n");
        own.close();
        ASSERT_EQ(Run(QStringList{"-p", gates[0]->Path(), "-y"} + r + QStringList{"numbers", "save", "-i", File("own.csv")}, false).code, 0);
        status(1);
        // A backup through the Telnet device server holds every page as the module does.
        if (record != records.front()) continue;  // once is enough
        ASSERT_EQ(Run({"-p", servers[0]->Address(), "--no-record", "backup", "-o", File("far.pbk")}, false).code, 0);
        TBackupImage far;
        QString error;
        ASSERT_TRUE(TBackupFile::Read(File("far.pbk"), far, error)) << error.toStdString();
        ASSERT_EQ(far.pages.size(), 877u);
        for (const auto& [address, page] : far.pages) ASSERT_EQ(page, gates[0]->Memory(address, 256)) << address;
    }
}

// Cloning: one module's backup restored into a fresh one.
TEST_F(CliTest, BackupAndRestoreIntoAnotherModule) {
    sim::TSimOptions source;
    source.seedNumbers = 300;
    source.seedHistory = 200;
    Module(source);
    module->WriteMemory(4, QByteArray("+79161234567") + '\0');
    module->WriteMemory(28, QByteArray("Gate open") + '\0');
    module->WriteMemory(204, QByteArray::fromHex("0102"));  // bytes no row shows
    const QByteArray settings = module->Memory(0, 512), numbers = module->Memory(0x1000, 375 * 256);
    const CliRun backup = Run({"backup", "-o", File("a.pbk")});
    ASSERT_EQ(backup.code, 0) << backup.err.toStdString();
    EXPECT_TRUE(backup.err.contains("страниц: 877"));

    sim::TSimOptions target;
    target.password = "1111";
    target.seedHistory = 5;
    Module(target);
    const QByteArray history = module->Memory(0x30000, 500 * 256);
    EXPECT_EQ(Run({"-P", "1111", "restore", "-i", File("a.pbk")}).code, 2);  // needs --yes
    EXPECT_EQ(module->Requests(), 0);

    const CliRun dry = Run({"-P", "1111", "restore", "-i", File("a.pbk"), "--dry-run"});
    ASSERT_EQ(dry.code, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains("Настройки:\nстрока 5: Unauthorized door opened → Gate open\n"
                                 "Изменятся служебные значения настроек (в окне не показываются)\n")) << dry.out.toStdString();
    EXPECT_TRUE(dry.out.contains("Пароль: остаётся пароль этого модуля\nНомер SIM: остаётся номер этого модуля"));
    EXPECT_TRUE(dry.out.contains("Номера: Добавлено: 300, изменено: 0, удалено: 0, без изменений: 0"));
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), QByteArray(375 * 256, char(0xFF)));

    // Another module (its SIM number differs): refused after the login, unless --clone.
    const int sent = module->Requests();
    const CliRun refused = Run({"-P", "1111", "-y", "restore", "-i", File("a.pbk")});
    EXPECT_EQ(refused.code, 6);
    EXPECT_TRUE(refused.err.contains("Резервная копия снята с модуля +79161234567, записать её в модуль (номер SIM не задан)?\n"
                                     "(нужен ключ --clone)")) << refused.err.toStdString();
    EXPECT_EQ(module->Requests() - sent, 1) << "only the login";
    const QByteArray own = module->Memory(0, 512);
    const CliRun restore = Run({"-P", "1111", "-y", "--record", File("clone.sqlite"), "restore", "-i", File("a.pbk"), "--clone"});
    ASSERT_EQ(restore.code, 0) << restore.err.toStdString();
    QByteArray expected = settings;
    expected.replace(0, 4 + 22, own.left(4 + 22));  // the target keeps its password and its SIM number
    EXPECT_EQ(module->Memory(0, 512).toHex(), expected.toHex());
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbers);
    EXPECT_EQ(module->Memory(0x30000, 500 * 256), history);  // history is never written
    // The journal counts the pages the restore's words count.
    const CliRun log = Run({"--record", File("clone.sqlite"), "log", "--json"}, false);
    const QJsonObject write =
        QJsonDocument::fromJson(log.out.toUtf8()).object()["modules"].toArray()[0].toObject()["writes"].toArray()[0].toObject();
    EXPECT_TRUE(restore.err.contains(QString("Записано страниц: %1").arg(write["pages_written"].toInt()))) << log.out.toStdString();
    EXPECT_EQ(write["pages_written"].toInt(), 39);  // settings page 1 and 300 records
    EXPECT_EQ(write["pages_verified"].toInt(), write["pages_written"].toInt());

    // Again: the module holds it all, nothing is written; it is still another module.
    const CliRun again = Run({"-P", "1111", "-y", "restore", "-i", File("a.pbk"), "--clone"});
    EXPECT_TRUE(again.err.contains("Записано страниц: 0")) << again.err.toStdString();
    // With the password and the SIM number: the source's PIN logs in afterwards.
    ASSERT_EQ(Run({"-P", "1111", "-y", "restore", "-i", File("a.pbk"), "--with-password", "--with-sim", "--clone"}).code, 0);
    EXPECT_EQ(module->Memory(0, 512), settings);
    EXPECT_EQ(Run({"login"}).code, 0);

    // Records by the state of their window: the seeded module has windows
    // that ended years ago.
    const CliRun ended = Run({"numbers", "download", "--expired"});  // the PIN is the source's now
    ASSERT_EQ(ended.code, 0);
    const CliRun all = Run({"numbers", "download"});
    EXPECT_GT(ended.out.count('\n'), 0);
    EXPECT_LT(ended.out.count('\n'), all.out.count('\n'));
    for (const QString& line : ended.out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(',');
        ASSERT_GE(f.size(), 6);
        EXPECT_LT(QDateTime::fromString(f[4] + " " + f[5], "yyyy-MM-dd HH:mm"), QDateTime::currentDateTime()) << line.toStdString();
    }
    EXPECT_EQ(Run({"numbers", "download", "--expiring", "soon"}, false).code, 2);

    // A damaged backup is refused before anything is sent.
    QFile f(File("a.pbk"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x55);
    f.seek(0);
    f.write(bytes);
    f.close();
    Module(target);
    const CliRun damaged = Run({"-P", "1111", "-y", "restore", "-i", File("a.pbk")});
    EXPECT_EQ(damaged.code, 6);
    EXPECT_TRUE(damaged.err.contains("не принята")) << damaged.err.toStdString();
    EXPECT_EQ(module->Requests(), 0);
}

// Every spelling of every file kind, out and back in.
TEST_F(CliTest, EveryFileKindInEverySpelling) {
    sim::TSimOptions seeded;
    seeded.seedNumbers = 12;
    seeded.seedHistory = 4;
    Module(seeded);
    struct Kind { const char* name; bool workbook; };
    const Kind kinds[] = {{"l.xlsx", true}, {"l.XLSX", true}, {"l.cvs", false}, {"l.csv", false}, {"l.CSV", false}, {"l.Cvs", false}};
    for (const Kind& k : kinds) {
        const CliRun out = Run({"numbers", "download", "-o", File(k.name)});
        ASSERT_EQ(out.code, 0) << k.name << out.err.toStdString();
        QFile f(File(k.name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << k.name;
        EXPECT_EQ(f.read(2) == "PK", k.workbook) << k.name;
        f.close();
        const CliRun in = Run({"numbers", "save", "-i", File(k.name), "--dry-run"});
        EXPECT_EQ(in.code, 0) << k.name << in.err.toStdString();
        EXPECT_TRUE(in.err.contains("без изменений: 12")) << k.name << in.err.toStdString();
        const CliRun history = Run({"history", "download", "-o", File(QByteArray("h-") + k.name)});
        EXPECT_EQ(history.code, 0) << k.name;
    }
    const CliRun profile = Run({"settings", "read", "-o", File("p.XLSX")});
    EXPECT_EQ(profile.code, 0);
    EXPECT_EQ(Run({"settings", "save", "-i", File("p.XLSX")}).code, 0);
}

TEST_F(CliTest, RefusedSaveAndSilentModule) {
    sim::TSimOptions refusing;
    refusing.faults.refuseSaves = true;
    Module(refusing);
    const CliRun r = Run({"settings", "save", "--set", "5=Door"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Ошибка базовой настройки"));

    sim::TSimOptions silent;
    silent.faults.silentAfter = 1;  // answers the login only
    Module(silent);
    const CliRun s = Run({"settings", "read"});
    EXPECT_EQ(s.code, 3);
    EXPECT_TRUE(s.err.contains("GSM модуль не отвечает"));
}

} // namespace

namespace {

// Every option only with the commands it means something to: any other
// combination is a usage error and not one frame reaches the module.
TEST_F(CliTest, OptionsACommandDoesNotUseAreRefusedBeforeAnythingIsSent) {
    Module();
    const char* const refused[][6] = {
        {"history", "delete", "--with-password", nullptr},
        {"-y", "history", "delete", "-o", "x.xlsx", nullptr},
        {"time", "sync", "--dry-run", nullptr},
        {"check-mode", "--dry-run", nullptr},
        {"numbers", "save", "-i", "a.cvs", "-o", "b.cvs"},
        {"numbers", "save", "-i", "a.cvs", "--set", "5=x"},
        {"numbers", "save", "-i", "a.cvs", "--expiring", "3"},
        {"settings", "read", "--with-sim", nullptr},
        {"backup", "-o", "b.pbk", "-i", "a.pbk", nullptr},
        {"login", "--no-verify", nullptr},
        {"numbers", "download", "--from", "2026-01-01 00:00:00", "--to", "2026-02-01 00:00:00"},
        {"settings", "read", "--yes", nullptr},
        {"history", "download", "--expired", nullptr},
    };
    for (const auto& line : refused) {
        QStringList args;
        for (const char* a : line)
            if (a) args << QString::fromUtf8(a);
        const CliRun r = Run(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("не действует с командой")) << args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_EQ(module->Requests(), 0);
}

TEST_F(CliTest, PasswordsAreFourDigitsFromAnOptionAFileOrTheEnvironment) {
    Module();
    for (const char* pin : {"12345", "", "12a4", "123", " 1234"}) {
        const CliRun r = Run({"-P", pin, "login"});
        EXPECT_EQ(r.code, 2) << pin;
        EXPECT_TRUE(r.err.contains("ровно из 4 цифр")) << pin << r.err.toStdString();
    }
    EXPECT_EQ(module->Requests(), 0);
    QFile f(File("pin"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("5807\n");
    f.close();
    EXPECT_EQ(Run({"--password-file", File("pin"), "login"}).code, 0);
    EXPECT_EQ(Run({"--password-file", File("pin"), "-P", "5807", "login"}).code, 2);
    EXPECT_EQ(Run({"--password-file", File("missing"), "login"}).code, 2);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PORTIQA_PASSWORD", "1111");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PORTIQA_CLI), {"-p", module->Path(), "login"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 4);  // the environment's password was the one sent
    EXPECT_TRUE(p.readAllStandardError().contains("Неверный пароль"));
}

// The file written is the file named, of the kind its name says, and an
// output that cannot be written is found before the module is read.
TEST_F(CliTest, OutputsAreNamedExactlyAndCheckedBeforeTheTransfer) {
    Module();
    for (const char* name : {"list.txt", "list", "/dev/full"}) {
        const CliRun r = Run({"numbers", "download", "-o", QString::fromUtf8(name).startsWith('/') ? name : File(name)});
        EXPECT_EQ(r.code, 2) << name;
        EXPECT_TRUE(r.err.contains(".xlsx, .cvs или .csv")) << name << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists("/dev/full.xlsx"));
    EXPECT_EQ(Run({"settings", "read", "-o", File("p.cvs")}).code, 2);
    EXPECT_EQ(module->Requests(), 0);
    QDir(dir.path()).mkdir("folder.xlsx");
    for (const QStringList& args : {QStringList{"backup", "-o", File("missing/b.zip")},
                                    QStringList{"numbers", "download", "-o", File("missing/n.xlsx")},
                                    QStringList{"history", "download", "-o", dir.path() + "/missing/h.cvs"},
                                    QStringList{"settings", "read", "-o", dir.path() + "/folder.xlsx"}}) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.code, 6) << args.join(' ').toStdString() << r.err.toStdString();
    }
    EXPECT_EQ(module->Requests(), 0) << "not one frame before the output was found unwritable";
    // A backup takes any name, and is private.
    ASSERT_EQ(Run({"backup", "-o", File("copy.of.module")}).code, 0);
    EXPECT_TRUE(QFile::exists(File("copy.of.module")));
    EXPECT_EQ(QFileInfo(File("copy.of.module")).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
}

TEST_F(CliTest, AHistoryWindowThatMatchesNothingPrintsNothingAndSaysSo) {
    sim::TSimOptions o;
    o.seedHistory = 5;
    Module(o);
    const CliRun r = Run({"history", "download", "--from", "2000-01-01 00:00:00", "--to", "2000-01-02 00:00:00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("Нет записей")) << r.err.toStdString();
    // An end before the start is a usage error, before anything is sent.
    const int sent = module->Requests();
    EXPECT_EQ(Run({"history", "download", "--from", "2024-01-02 00:00:00", "--to", "2024-01-01 00:00:00"}).code, 2);
    EXPECT_EQ(module->Requests(), sent);
}

// A file named like a command is a file: "-i provision" stays a numbers save.
TEST_F(CliTest, AFileNamedProvisionIsAFile) {
    Module();
    const CliRun r = Run({"numbers", "save", "-i", "provision", "--dry-run"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("-i provision")) << r.err.toStdString();
    EXPECT_EQ(module->Requests(), 0);
}

TEST_F(CliTest, DryRunsSendNoSaveAndNoErase) {
    sim::TSimOptions o;
    o.seedHistory = 40;
    Module(o);
    const QByteArray before = module->Memory(0, 512), history = module->Memory(0x30000, 500 * 256);
    const CliRun save = Run({"settings", "save", "--set", "16=24", "--set", "11=1", "--dry-run"});
    ASSERT_EQ(save.code, 0) << save.err.toStdString();
    EXPECT_EQ(save.out, "11: 3:Всем -> 1:Администратор\n16: 0 -> 24\n");
    const CliRun erase = Run({"history", "delete", "--dry-run"});
    ASSERT_EQ(erase.code, 0) << erase.err.toStdString();
    EXPECT_TRUE(erase.out.contains("Записей в истории GSM модуля: 40; ничего не удалено")) << erase.out.toStdString();
    EXPECT_EQ(module->Memory(0, 512), before);
    EXPECT_EQ(module->Memory(0x30000, 500 * 256), history);
}

// A backup edited by hand, its checksums made anew: what the rules refuse
// is named and nothing is written.
TEST_F(CliTest, ARestoreObeysTheSettingsRules) {
    Module();
    ASSERT_EQ(Run({"backup", "-o", File("good.pbk")}).code, 0);
    TBackupImage good;
    QString error;
    ASSERT_TRUE(TBackupFile::Read(File("good.pbk"), good, error));
    struct Case { const char* what; int offset; QByteArray bytes; bool withPassword; const char* says; };
    const Case cases[] = {
        {"password bytes", 0, QByteArray("12\0\xff", 4), true, "Строка 1"},
        {"relay time 65535", 112, QByteArray::fromHex("ffffffff"), false, "Строка 10"},
        {"arming time 5000", 108, QByteArray::fromHex("8813"), false, "Строка 7"},
        {"a SIM number with a shell line", 4, QByteArray("ABC;rm -rf /#") + '\0', false, "Строка 2"},
        {"the relay time's two copies disagree", 112, QByteArray::fromHex("0500"), false, "Строка 10"},
        // A field that reads as a valid shorter value, then junk before its end mark.
        {"SIM digits then junk", 4, QByteArray("7916\x01junk", 9) + '\0', false, "Строка 2"},
        {"a text then junk", 28, QByteArray("Alarm\x01junk", 10) + '\0', false, "Строка 5"},
    };
    const QByteArray before = module->Memory(0, 512);
    for (const Case& c : cases) {
        TBackupImage edited = good;
        edited.pages[0].replace(c.offset, int(c.bytes.size()), c.bytes);
        const QString path = File("edited.pbk");
        ASSERT_TRUE(TBackupFile::Write(path, edited, error));
        QStringList args{"-y", "restore", "-i", path, "--clone", "--with-sim"};  // neither names its module
        if (c.withPassword) args << "--with-password";
        const int changes = module->Changes();
        const CliRun r = Run(args);
        EXPECT_EQ(r.code, 6) << c.what << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << c.what << ": " << r.err.toStdString();
        // Only the login and the reads: no save was sent, not even of equal bytes.
        // (A count of requests would also count a read sent again after a
        // reply came late on a loaded machine, which the link does by design.)
        EXPECT_EQ(module->Changes(), changes) << c.what << ": only the login and the reads";
        EXPECT_EQ(module->Memory(0, 512), before) << c.what;
    }
    // Number records obey the save's rules too: letters in a number, month 65.
    const QByteArray numbersBefore = module->Memory(0x1000, 375 * 256);
    struct Record { const char* what; int offset; QByteArray bytes; const char* says; };
    const Record records[] = {
        {"letters", 0, QByteArray("+7916ABC4567") + '\0', "Запись 1: в копии байты"},
        {"digits then junk", 0, QByteArray("+79161234567\x01", 13) + '\0', "Запись 1: в копии байты"},
        {"month 65", 32, QByteArray("+79161234567") + QByteArray(10, '\0') + QByteArray::fromHex("4101000041020000") +
                             QByteArray::fromHex("1a1a"), "Запись 2: дата начала"},
    };
    for (const Record& c : records) {
        TBackupImage edited = good;
        edited.pages[0x1000].replace(c.offset, int(c.bytes.size()), c.bytes);
        ASSERT_TRUE(TBackupFile::Write(File("numbers.pbk"), edited, error));
        const CliRun r = Run({"-y", "restore", "-i", File("numbers.pbk"), "--clone"});
        EXPECT_EQ(r.code, 6) << c.what << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbersBefore) << c.what;
    }
}

} // namespace

namespace {

QJsonObject Json(const QString& text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }

// A download, an edit and a save: the record shows the read, the write's
// intent and outcome with its file, and the difference between the copies
// before and after is exactly the edited record. On a file and on the
// shared server alike.
TEST_F(CliTest, TheRecordKeepsTheReadTheWriteAndItsDifference) {
    QStringList records{File("record.sqlite")};
    if (const QString pg = FreshServerRecord(); !pg.isEmpty()) records << pg;
    else std::cout << "[ NOTE ] PostgreSQL part skipped: no PORTIQA_TEST_PG_CLI (bash scripts/test.sh starts a server)\n";
    for (const QString& record : records) {
        SCOPED_TRACE(record.toStdString());
        sim::TSimOptions o;
        o.seedNumbers = 20;
        Module(o);
        module->WriteMemory(4, QByteArray("+79161234567") + '\0');
        const QStringList r{"--record", record};
        ASSERT_EQ(Run(r + QStringList{"numbers", "download", "-o", File("n.csv")}).code, 0);
        QFile f(File("n.csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray csv = f.readAll();
        const qsizetype third = csv.indexOf("\n3,") + 3;
        csv.replace(third, csv.indexOf(',', third) - third, "+79990000003");
        f.resize(0);
        f.write(csv);
        f.close();
        const CliRun saved = Run(r + QStringList{"-y", "numbers", "save", "-i", File("n.csv")});
        ASSERT_EQ(saved.code, 0) << saved.err.toStdString();

        const CliRun log = Run(r + QStringList{"log", "+79161234567", "--json"}, false);
        ASSERT_EQ(log.code, 0) << log.err.toStdString();
        const QJsonObject gate = Json(log.out)["modules"].toArray()[0].toObject();
        const QJsonArray snapshots = gate["snapshots"].toArray(), writes = gate["writes"].toArray();
        ASSERT_EQ(writes.size(), 1);
        const QJsonObject write = writes[0].toObject();
        EXPECT_EQ(write["outcome"].toString(), "done");
        EXPECT_TRUE(write["intent"].toString().startsWith("Добавлено: 0, изменено: 1, удалено: 0, без изменений: 19\nзапись 3: "))
            << write["intent"].toString().toStdString();
        EXPECT_EQ(write["pages_written"].toInt(), 1);
        EXPECT_EQ(write["pages_verified"].toInt(), 1);
        EXPECT_EQ(write["file"].toString(), File("n.csv"));
        EXPECT_EQ(write["file_sha256"].toString().size(), 64);
        ASSERT_GE(snapshots.size(), 2);
        EXPECT_EQ(snapshots[0].toObject()["kind"].toString(), "save");
        EXPECT_EQ(snapshots[1].toObject()["kind"].toString(), "read");
        const QString after = "@" + QString::number(snapshots[0].toObject()["id"].toInt());
        const QString before = "@" + QString::number(snapshots[1].toObject()["id"].toInt());
        const CliRun diff = Run(r + QStringList{"diff", before, after, "--json"}, false);
        ASSERT_EQ(diff.code, 0) << diff.err.toStdString();
        const QJsonArray changes = Json(diff.out)["numbers"].toArray();
        ASSERT_EQ(changes.size(), 1) << diff.out.toStdString();
        EXPECT_EQ(changes[0].toObject()["record"].toInt(), 3);
        EXPECT_TRUE(changes[0].toObject()["after"].toString().startsWith("+79990000003"));
        // The module as it is now against the file it was saved from: the same.
        const CliRun same = Run(r + QStringList{"diff", "module", File("n.csv")});
        EXPECT_TRUE(same.out.contains("изменено: 0, удалено: 0, без изменений: 20")) << same.out.toStdString();
    }
}

// A record that cannot take a write's journal entry: reads go on with a
// warning, a write stops before its first frame.
TEST_F(CliTest, AWriteWithoutItsJournalEntryIsNeverSent) {
    sim::TSimOptions o;
    o.seedNumbers = 5;
    o.seedHistory = 10;
    Module(o);
    const QStringList broken{"--record", dir.path()};  // a folder is no record
    const CliRun read = Run(broken + QStringList{"numbers", "download", "-o", File("n.csv")});
    EXPECT_EQ(read.code, 0);
    EXPECT_TRUE(read.err.contains("Журнал модулей")) << read.err.toStdString();
    const QByteArray before = module->Memory(0, 0x1000 + 375 * 256), history = module->Memory(0x30000, 500 * 256);
    const CliRun save = Run(broken + QStringList{"settings", "save", "--set", "16=12"});
    EXPECT_EQ(save.code, 6) << save.err.toStdString();
    EXPECT_TRUE(save.err.contains("Запись в GSM модуль не начата")) << save.err.toStdString();
    EXPECT_EQ(module->Memory(0, 0x1000 + 375 * 256), before);
    const CliRun erase = Run(broken + QStringList{"-y", "history", "delete"});
    EXPECT_EQ(erase.code, 6) << "a single command that changes the module is a write too: " << erase.err.toStdString();
    EXPECT_EQ(module->Memory(0x30000, 500 * 256), history);
    EXPECT_EQ(Run({"--no-record", "settings", "save", "--set", "16=12"}).code, 0) << "without a record, as asked";
}

// A damaged record stops a write before its first frame and names the way
// back; the last good copy, put back when confirmed, takes writes again.
TEST_F(CliTest, ADamagedRecordIsRefusedBeforeAnyFrameUntilItsCopyIsBack) {
    Module();
    const QStringList r{"--record", File("rec.sqlite")};
    ASSERT_EQ(Run(r + QStringList{"login"}).code, 0);
    const int sent = module->Requests();
    {
        QFile f(File("rec.sqlite"));  // the header zeroed: no database at all to SQLite
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.write(QByteArray(100, '\0'));
    }
    const CliRun save = Run(r + QStringList{"settings", "save", "--set", "16=12"});
    EXPECT_EQ(save.code, 6);
    EXPECT_TRUE(save.err.contains("record restore-last-good")) << save.err.toStdString();
    EXPECT_EQ(module->Requests(), sent) << "not a frame";
    EXPECT_EQ(Run(r + QStringList{"record", "restore-last-good"}, false).code, 2) << "asked first";
    const CliRun back = Run(r + QStringList{"--yes", "record", "restore-last-good"}, false);
    EXPECT_EQ(back.code, 0) << back.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({"rec.sqlite.damaged-*"}).size(), 1) << "the damaged file is kept";
    const CliRun again = Run(r + QStringList{"settings", "save", "--set", "16=12"});
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
}

// A copy the record keeps restores through the same guarded restore as a
// backup file; a backup is told by what it holds, whatever its name.
TEST_F(CliTest, ARestoreTakesTheRecordsCopyAndABackupIsKnownByItsContent) {
    sim::TSimOptions o;
    o.seedNumbers = 8;
    Module(o);
    module->WriteMemory(4, QByteArray("+79161234567") + '\0');
    const QStringList r{"--record", File("r.sqlite")};
    ASSERT_EQ(Run(r + QStringList{"backup", "-o", File("b.pbk")}).code, 0);
    const QByteArray numbers = module->Memory(0x1000, 375 * 256);
    module->WriteMemory(0x1000, QByteArray(64, char(0xFF)));  // records 1 and 2 gone
    const QString today = "+79161234567@" + QDate::currentDate().toString(Qt::ISODate);
    const CliRun restored = Run(r + QStringList{"-y", "restore", "-i", today});
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbers);
    // The newest copy, a download's, holds the numbers alone: they restore.
    ASSERT_EQ(Run(r + QStringList{"numbers", "download", "-o", File("n.csv")}).code, 0);
    module->WriteMemory(0x1000, QByteArray(64, char(0xFF)));
    const CliRun log = Run(r + QStringList{"log", "+79161234567", "--json"}, false);
    const QJsonArray snapshots = Json(log.out)["modules"].toArray()[0].toObject()["snapshots"].toArray();
    ASSERT_FALSE(snapshots.isEmpty()) << log.out.toStdString();
    const QString download = "@" + QString::number(snapshots[0].toObject()["id"].toInt());
    const CliRun onlyNumbers = Run(r + QStringList{"-y", "restore", "-i", download, "--only", "numbers"});
    EXPECT_EQ(onlyNumbers.code, 0) << onlyNumbers.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbers);
    const CliRun none = Run(r + QStringList{"-y", "restore", "-i", "@999999"});
    EXPECT_EQ(none.code, 6);
    EXPECT_TRUE(none.err.contains("@999999")) << none.err.toStdString();

    ASSERT_TRUE(QFile::copy(File("b.pbk"), File("b.xlsx")));
    const CliRun same = Run(r + QStringList{"diff", File("b.xlsx"), File("b.pbk")}, false);
    EXPECT_EQ(same.code, 0) << same.err.toStdString();
}

// A read-only visit: every command that would change the module is refused
// before its first frame, whatever the record says.
TEST_F(CliTest, AReadOnlyVisitSendsNoWrite) {
    sim::TSimOptions o;
    o.seedNumbers = 4;
    o.seedHistory = 4;
    Module(o);
    ASSERT_EQ(Run({"backup", "-o", File("b.pbk")}).code, 0);
    ASSERT_EQ(Run({"numbers", "download", "-o", File("n.csv")}).code, 0);
    const QList<QStringList> writes{{"settings", "save", "--set", "16=12"}, {"-y", "numbers", "save", "-i", File("n.csv")},
                                    {"-y", "history", "delete"},          {"time", "sync"},
                                    {"check-mode"},                        {"-y", "restore", "-i", File("b.pbk"), "--clone"}};
    for (const QStringList& write : writes) {
        const CliRun r = Run(QStringList{"--read-only"} + write);
        EXPECT_EQ(r.code, 1) << write.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Только чтение")) << write.join(' ').toStdString() << r.err.toStdString();
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PORTIQA_READ_ONLY", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PORTIQA_CLI), {"-p", module->Path(), "settings", "save", "--set", "16=12"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(module->Changes(), 0) << "no write frame left the program";
    EXPECT_EQ(Run({"--read-only", "numbers", "download", "-o", File("again.csv")}).code, 0) << "reads go on";
}

// A partial restore writes one area and leaves the other byte for byte.
TEST_F(CliTest, APartialRestoreLeavesTheOtherAreaAsItWas) {
    sim::TSimOptions o;
    o.seedNumbers = 8;
    Module(o);
    module->WriteMemory(4, QByteArray("+79161234567") + '\0');  // the same module: no --clone
    ASSERT_EQ(Run({"backup", "-o", File("b.pbk")}).code, 0);
    const QByteArray settings = module->Memory(0, 512), numbers = module->Memory(0x1000, 375 * 256);
    module->WriteMemory(202, QByteArray::fromHex("0C00"));        // row 16 changed since
    module->WriteMemory(0x1000, QByteArray(64, char(0xFF)));       // records 1 and 2 gone since
    const QByteArray changedSettings = module->Memory(0, 512), changedNumbers = module->Memory(0x1000, 375 * 256);
    const CliRun numbersOnly = Run({"-y", "restore", "-i", File("b.pbk"), "--only", "numbers"});
    ASSERT_EQ(numbersOnly.code, 0) << numbersOnly.err.toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbers);
    EXPECT_EQ(module->Memory(0, 512), changedSettings);
    module->WriteMemory(0x1000, QByteArray(64, char(0xFF)));
    const CliRun settingsOnly = Run({"-y", "restore", "-i", File("b.pbk"), "--only", "settings"});
    ASSERT_EQ(settingsOnly.code, 0) << settingsOnly.err.toStdString();
    EXPECT_EQ(module->Memory(0, 512), settings);
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), changedNumbers);
    EXPECT_EQ(Run({"-y", "restore", "-i", File("b.pbk"), "--only", "history"}).code, 2);
}

// A log that shows only the newest entries says so; --all shows every one.
TEST_F(CliTest, ALogSaysWhenItShowsOnlyPart) {
    const QString path = File("long.sqlite");
    {
        QString error;
        auto record = TRecord::Open(path, error);
        ASSERT_TRUE(record) << error.toStdString();
        const qint64 gate = *record->TouchModule({"+79161234567", "", "", 1}, error);
        TModulePages pages;
        pages.settings = QByteArray(512, 'a');
        for (int i = 0; i < 201; ++i) ASSERT_TRUE(record->AddSnapshot(gate, "read", pages, error));
    }
    const CliRun part = Run({"--record", path, "log", "+79161234567"}, false);
    EXPECT_EQ(part.code, 0);
    EXPECT_EQ(part.out.count("\n  @"), 200);
    EXPECT_TRUE(part.err.contains("показаны последние 200") && part.err.contains("--all")) << part.err.toStdString();
    const CliRun all = Run({"--record", path, "log", "+79161234567", "--all"}, false);
    EXPECT_EQ(all.out.count("\n  @"), 201);
    EXPECT_TRUE(all.err.isEmpty()) << all.err.toStdString();
}

// A record that keeps the intent but not the outcome (a full disk, a lock
// taken meanwhile): the module is written, and the command says what the
// record lacks instead of passing for a success.
TEST_F(CliTest, AWriteWhoseOutcomeTheRecordCannotKeepIsNoSuccess) {
    Module();
    module->WriteMemory(4, QByteArray("+79161234567") + '\0');  // one module across the runs
    const QStringList r{"--record", File("full.sqlite")};
    ASSERT_EQ(Run(r + QStringList{"login"}).code, 0);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "full");
        db.setDatabaseName(File("full.sqlite"));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("CREATE TRIGGER full BEFORE UPDATE ON journal "
                                       "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    }
    QSqlDatabase::removeDatabase("full");
    const QByteArray before = module->Memory(0, 0x200);
    const CliRun save = Run(r + QStringList{"settings", "save", "--set", "16=12"});
    EXPECT_EQ(save.code, 6) << save.err.toStdString();
    EXPECT_TRUE(save.err.contains("GSM модуль записан, но журнал модулей не сохранил исход записи")) << save.err.toStdString();
    EXPECT_FALSE(save.err.contains("disk is full")) << "the database's own words only with --verbose";
    EXPECT_NE(module->Memory(0, 0x200), before) << "the module has what was sent";
    const CliRun log = Run(r + QStringList{"log", "--json"}, false);
    const QJsonArray writes = Json(log.out)["modules"].toArray()[0].toObject()["writes"].toArray();
    ASSERT_EQ(writes.size(), 1) << log.out.toStdString();
    EXPECT_EQ(writes[0].toObject()["outcome"].toString(), "") << "the entry stays open, as it is";
    // The record mended, the module's next read completes the entry.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "mended");
        db.setDatabaseName(File("full.sqlite"));
        ASSERT_TRUE(db.open() && QSqlQuery(db).exec("DROP TRIGGER full"));
    }
    QSqlDatabase::removeDatabase("mended");
    ASSERT_EQ(Run(r + QStringList{"settings", "read"}).code, 0);
    const QJsonArray after = Json(Run(r + QStringList{"log", "--json"}, false).out)["modules"].toArray()[0].toObject()["writes"].toArray();
    ASSERT_EQ(after.size(), 1);
    const QJsonObject entry = after[0].toObject();
    EXPECT_EQ(entry["outcome"].toString(), "done");
    EXPECT_EQ(entry["pages_written"].toInt(), 1) << "row 16 is on one page: the other was never sent";
    EXPECT_TRUE(entry["message"].toString().startsWith("Завершена по модулю")) << entry["message"].toString().toStdString();
}

// Two bits flipped in the same place of two bytes pass the frame's check:
// the record confirms what a download reads, or it is read again.
TEST_F(CliTest, ADoubleFlipInADownloadIsNeverTakenSilently) {
    sim::TSimOptions clean;
    clean.seedNumbers = 3000;
    Module(clean);
    const CliRun truth = Run({"--no-record", "numbers", "download"});
    ASSERT_EQ(truth.code, 0);
    sim::TSimOptions noisy = clean;
    noisy.faults.flipEvery = 7;
    Module(noisy);
    module->WriteMemory(4, QByteArray("+79161234567") + '\0');
    const QStringList r{"--record", File("record.sqlite")};
    for (int run = 0; run < 2; ++run) {  // never seen (every page twice), then known
        const int sent = module->Requests();
        const CliRun got = Run(r + QStringList{"numbers", "download"});
        ASSERT_EQ(got.code, 0) << got.err.toStdString();
        EXPECT_EQ(got.out, truth.out) << "run " << run;
        const int requests = module->Requests() - sent;
        if (run == 0) EXPECT_GE(requests, 2 * 375);
        else EXPECT_LE(requests, 1 + 375 + 375 / 7 * 3) << "pages the record confirms are read once";
    }
}

} // namespace
