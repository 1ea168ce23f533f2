// One module's provisioning driven directly, against simulated modules: the
// result carries its own reason and page count, and a module that fails on
// the way keeps the password it had.
#include "provision/provision_job.h"
#include "provision/unit_ledger.h"
#include "pty_pair.h"
#include "sim/simulator.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace portiqa;
using portiqa::test::WaitFor;

namespace {

struct TCase {
    const char* name;
    QString modulePassword;  // empty: the factory password
    int moduleNumbers;       // numbers the module holds already
    bool templateNumbers;    // the template carries a (empty) number list
    bool ok, loginRefused, unitTaken;
    QString reasonHas;
    QByteArray pinAfter;
    const char* code;
};

TEST(ProvisionJobTest, EachModuleEndsWithItsOwnReasonAndKeepsItsPasswordUnlessProgrammed) {
    const TCase cases[] = {
        {"a factory module gets its unit", "", 0, false, true, false, true, "", "4107", "ok"},
        {"a module set up already", "1111", 0, false, false, true, false, "неверный пароль", "1111", "wrong_password"},
        {"numbers to remove without --force", "", 40, true, false, false, true, "--force", "5807", "declined"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::TSimOptions o;
        o.password = c.modulePassword;
        o.seedNumbers = c.moduleNumbers;
        sim::TModuleSimulator module(o);
        ASSERT_TRUE(module.Start());
        const QByteArray numbersBefore = module.Memory(0x1000, 375 * 256);

        TProvisionPlan plan;
        plan.withUnits = true;
        plan.hasNumbers = c.templateNumbers;
        plan.numbersSource = QStringLiteral("empty.csv");
        TUnit unit{QStringLiteral("house-01"), {{1, TSettingValue{QStringLiteral("4107")}}}};
        QStringList steps;
        TProvisionJob job(module.Path(), plan, QStringLiteral("5807"), false,
                          [&](const QString& step, const QString&) { steps << step; });
        bool taken = false;
        std::optional<TProvisionJob::TResult> result;
        job.Start([&](QString&) -> TUnit* { taken = true; return &unit; },
                  [&](const TProvisionJob::TResult& r) { result = r; });
        ASSERT_TRUE(WaitFor([&] { return result.has_value(); }, 30000));

        EXPECT_EQ(result->ok, c.ok);
        EXPECT_EQ(result->loginRefused, c.loginRefused);
        EXPECT_EQ(result->code, c.code);
        EXPECT_EQ(taken, c.unitTaken);
        EXPECT_EQ(result->reason.isEmpty(), c.ok) << result->reason.toStdString();
        if (!c.reasonHas.isEmpty()) {
            EXPECT_TRUE(result->reason.contains(c.reasonHas)) << result->reason.toStdString();
        }
        EXPECT_EQ(module.Memory(0, 4), c.pinAfter);
        // Pages are counted where they were written: the settings and the PIN.
        EXPECT_EQ(result->pages > 0, c.ok);
        if (!c.ok) {
            EXPECT_EQ(module.Memory(0x1000, 375 * 256), numbersBefore);
        }
        EXPECT_FALSE(steps.isEmpty());
    }
}

// A module ended while the record did not answer (its server down): the
// unit's end is kept and given to the record at the next renewal, so the
// unit never stays started for a module that ended.
TEST(UnitLedgerTest, AUnitsEndTheRecordMissedIsGivenItWhenItAnswers) {
    QTemporaryDir dir;
    const QString path = dir.filePath("record.sqlite");
    QString error;
    auto record = TRecord::Open(path, error);
    ASSERT_TRUE(record) << error.toStdString();
    const auto ledger = TUnitLedger::Open(record.get(), QString(), {"b", true, {}}, {}, error);
    ASSERT_TRUE(ledger) << error.toStdString();
    ASSERT_TRUE(record->ClaimUnit("b", "u-01", "/dev/ttyUSB0", "", "", error)) << error.toStdString();
    const auto side = [&](const char* statement) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "down");
            db.setDatabaseName(path);
            ASSERT_TRUE(db.open() && QSqlQuery(db).exec(statement));
        }
        QSqlDatabase::removeDatabase("down");
    };
    side("CREATE TRIGGER down BEFORE UPDATE ON units BEGIN SELECT RAISE(ABORT, 'server down'); END");
    EXPECT_FALSE(ledger->Free("u-01", "no answer", error));
    EXPECT_EQ(ledger->Pending(), 1);
    ledger->Renew();
    EXPECT_EQ(ledger->Pending(), 1) << "still down";
    side("DROP TRIGGER down");
    ledger->Renew();
    EXPECT_EQ(ledger->Pending(), 0);
    EXPECT_EQ(record->Units("b", error).value(0).state, "free");
}

// A unit a running station holds is not given back unless forced: the
// station would finish it and the next module would get the same PIN.
TEST(UnitLedgerTest, AUnitARunningStationHoldsIsReleasedOnlyWhenForced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("record.sqlite");
    QString error;
    auto record = TRecord::Open(path, error);
    ASSERT_TRUE(record) << error.toStdString();
    const struct {
        const char* unit;
        const char* holder;  // "" this run itself, "dead" a process gone, else another computer
        int minutesAgo;      // the hold's last renewal
        bool force, released;
    } cases[] = {
        {"u-01", "", 0, false, false},       {"u-02", "", 0, true, true},
        {"u-03", "dead", 0, false, true},    {"u-04", "station-b", 1, false, false},
        {"u-05", "station-b", 10, false, true}, {"u-06", "station-b", 1, true, true},
    };
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "units");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    for (const auto& c : cases) {
        ASSERT_TRUE(record->ClaimUnit("b", c.unit, "/dev/ttyUSB0", "", "", error)) << error.toStdString();
        const QString at = QDateTime::currentDateTimeUtc().addSecs(-60 * c.minutesAgo).toString("yyyy-MM-ddTHH:mm:ss.zzzZ");
        QSqlQuery q(db);
        q.prepare(QString("UPDATE units SET updated_at = ?%1 WHERE unit = ?")
                      .arg(QString(c.holder) == "dead" ? ", pid = 2147483000" : *c.holder ? ", host = 'station-b'" : ""));
        q.addBindValue(at);
        q.addBindValue(c.unit);
        ASSERT_TRUE(q.exec());
    }
    // What a run starting now lists as broken off: the holds that are gone, not the live ones.
    const auto ledger = TUnitLedger::Open(record.get(), QString(), {"b", true, {}}, {}, error);
    ASSERT_TRUE(ledger) << error.toStdString();
    const QString unfinished = ledger->Unfinished(error).join('\n');
    for (const auto& c : cases) {
        const bool gone = QString(c.holder) == "dead" || c.minutesAgo >= 3;
        EXPECT_EQ(unfinished.contains(QString("устройство %1:").arg(c.unit)), gone) << c.unit;
    }
    for (const auto& c : cases) {
        error.clear();
        EXPECT_EQ(TUnitLedger::Release(*record, "b", c.unit, c.force, error), c.released) << c.unit;
        if (!c.released) {
            EXPECT_TRUE(error.contains("--force") && error.contains("/dev/ttyUSB0")) << error.toStdString();
        }
    }
    db.close();
}

} // namespace

namespace portiqa {
namespace {

// A units table is the same batch whatever its copy's spacing or line ends;
// another content is another batch.
TEST(UnitLedgerTest, ABatchIsToldByItsCellsNotByTheirSpacing) {
    QTemporaryDir dir;
    const auto batchOf = [&](const QString& name, const QByteArray& text) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        TUnitLedger::TBatch batch;
        QString error;
        EXPECT_TRUE(TUnitLedger::BatchOf(f.fileName(), batch, error)) << error.toStdString();
        return batch.name;
    };
    const QString plain = batchOf("a.csv", "unit,1,5\nA,1111,Gate A open\nB,2222,\n");
    EXPECT_TRUE(plain.startsWith("units-")) << plain.toStdString();
    EXPECT_EQ(batchOf("b.csv", "unit, 1, 5\r\nA, 1111 , Gate A open \r\nB,2222,\r\n"), plain);
    EXPECT_NE(batchOf("c.csv", "unit,1,5\nA,1111,Gate A open\nB,2223,\n"), plain);
}

} // namespace
} // namespace portiqa
