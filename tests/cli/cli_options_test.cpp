// The command line's options, parsed in process: which command takes which
// option, walked whole, and what a password file may hold.
#include "cli/cli_options.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

// Each option once, with a value where it takes one.
const QList<QPair<QString, QStringList>> kOptions{
    {"port", {"-p", "/dev/null"}},       {"password", {"-P", "1234"}},      {"password-file", {"--password-file", "pin"}},
    {"yes", {"-y"}},                     {"quiet", {"-q"}},                 {"output", {"-o", "out.xlsx"}},
    {"input", {"-i", "in.xlsx"}},        {"set", {"--set", "16=24"}},       {"from", {"--from", "2026-01-01 00:00:00"}},
    {"to", {"--to", "2026-02-01 00:00:00"}}, {"no-verify", {"--no-verify"}}, {"dry-run", {"--dry-run"}},
    {"with-password", {"--with-password"}}, {"with-sim", {"--with-sim"}}, {"expired", {"--expired"}},    {"expiring", {"--expiring", "7"}},
    {"clone", {"--clone"}},              {"record", {"--record", "r.db"}},  {"no-record", {"--no-record"}},
    {"json", {"--json"}},                {"country", {"--country", "RU"}},  {"module", {"--module", "sim:79160000000"}},
    {"unused", {"--unused", "6"}},        {"all", {"--all"}},   {"revision", {"--revision", "3"}}, {"read-only", {"--read-only"}}, {"only", {"--only", "numbers"}}, {"replace", {"--replace"}},
    {"at", {"--at", "socket://127.0.0.1:4001"}}, {"events", {"--events", "5"}},
};

// What each command means to take, as the help describes it. "conn" stands
// for the options of every command that talks to a module.
const QString kConn = QStringLiteral("port password password-file quiet record no-record");
const QList<QPair<QString, QString>> kCommands{
    {"ports", ""},
    {"login", kConn + " json"},
    {"settings read", kConn + " output"},
    {"settings save", kConn + " input set dry-run no-verify with-password with-sim"},
    {"numbers download", kConn + " output expired expiring unused country"},
    {"numbers save", kConn + " input dry-run no-verify yes country"},
    {"history download", kConn + " output from to"},
    {"history delete", kConn + " dry-run yes"},
    {"time sync", kConn},
    {"check-mode", kConn},
    {"backup", kConn + " output"},
    {"restore", kConn + " input dry-run with-password with-sim no-verify yes clone only"},
    {"modules", "record json"},
    {"log", "record json all"},
    {"name m n", "record"},
    {"record restore-last-good", "record yes"},
    {"diff a b", kConn + " json"},
    {"site list", "record json country"},
    {"site show", "record country"},
    {"site import", "record input module country revision"},
    {"site export", "record output country"},
    {"site status", "record json country"},
    {"site add", "record country replace at"},
    {"site remove", "record country"},
    {"site apply", kConn + " dry-run no-verify yes country all"},
    {"report site", "record output country events"},
};

TEST(CliOptions, EveryCommandTakesExactlyItsOptions) {
    for (const auto& [command, takes] : kCommands) {
        // -q and --read-only: every command.
        const QStringList accepted = (takes + QStringLiteral(" quiet read-only")).split(u' ', Qt::SkipEmptyParts);
        for (const auto& [option, args] : kOptions) {
            TCliOptions o;
            QString usage;
            ParseCliOptions(command.split(u' ') + args, o, usage);
            const bool refused = usage.contains(QStringLiteral("не действует с командой"));
            EXPECT_EQ(refused, !accepted.contains(option))
                << command.toStdString() << " --" << option.toStdString() << ": " << usage.toStdString();
        }
    }
}

// A record's address is a file or a PostgreSQL server; a mistyped one is a
// usage error, never a file named after it.
TEST(CliOptions, ARecordAddressIsAFileOrAServerAndNothingElse) {
    const struct {
        const char* address;
        bool accepted;
    } cases[] = {
        {"record.sqlite", true},           {"/tmp/r.sqlite", true},          {"C:/Users/me/r.sqlite", true},
        {"sqlite:///tmp/r.sqlite", true},  {"postgresql://me@host/db", true}, {"PostgreSQL://me@host/db", true},
        {"postgres://me@host/db", true},   {"postgresql:/me@host/db", false}, {"postgresql:me@host/db", false},
        {"mysql://me@host/db", false},     {"http://host/r", false},
        // The colon forgotten: never folders named after the scheme.
        {"postgresql//x@/y", false},       {"Postgres//me@host/db", false},  {"sqlite//tmp/r.sqlite", false},
        {"file/r.sqlite", false},          {"mysql//host/db", false},        {"records/postgresql.sqlite", true},
        {"C:\\Users\\me\\r.sqlite", true}, {"postgresql.sqlite", true},
    };
    for (const auto& c : cases) {
        TCliOptions o;
        QString usage;
        const bool ok = ParseCliOptions({"--record", c.address, "modules"}, o, usage);
        EXPECT_EQ(ok, c.accepted) << c.address << ": " << usage.toStdString();
        if (!c.accepted) {
            EXPECT_TRUE(usage.contains("postgresql://")) << "the accepted forms are named";
        }
    }
}

TEST(CliOptions, APasswordFileMayEndItsLineAsAnyEditorDoes) {
    QTemporaryDir dir;
    const struct {
        QByteArray content;
        QString pin;  // empty: refused as a usage error
    } cases[] = {
        {"1234", "1234"},       {"1234\n", "1234"},     {"1234\r\n", "1234"}, {"1234  \t\n", "1234"},
        {"\xEF\xBB\xBF" "1234\r\n", "1234"},  // as Notepad saves it
        {"12 34\n", ""},        {"1234\n5678\n", "1234"},
    };
    for (const auto& c : cases) {
        QFile f(dir.filePath("pin"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        TCliOptions o;
        QString usage;
        const bool ok = ParseCliOptions({"--password-file", f.fileName(), "login"}, o, usage);
        EXPECT_EQ(ok, !c.pin.isEmpty()) << c.content.toStdString() << ": " << usage.toStdString();
        if (ok) {
            EXPECT_EQ(o.pin, c.pin) << c.content.toStdString();
        }
    }
}

} // namespace
