// One module's provisioning driven directly, against simulated modules: the
// result carries its own reason and page count, and a module that fails on
// the way keeps the password it had.
#include "provision/provision_job.h"
#include "pty_pair.h"
#include "sim/simulator.h"
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
        TUnit unit{QStringLiteral("house-01"), {{1, QStringLiteral("4107")}}};
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

} // namespace
