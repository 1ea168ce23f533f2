#include "base/status_report.h"
#include "base/errors.h"
#include "files/config_folder.h"
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

struct Reporting {
    TRecordingStatusDisplay display;
    TManualTimer statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    TProgressControl progress{display};
    Reporting() { BindStatusClearTimer(statusTimer, status, progress); }
};

TEST(StatusReport, ClearComesThreeSecondsAfterTheFirstTextNotTheLatest) {
    Reporting r;
    r.statusTimer.SetEnabled(false);
    r.status.ShowStatus("first");
    r.statusTimer.Advance(1000);
    r.status.ShowStatus("second");
    r.statusTimer.Advance(1999);
    EXPECT_EQ(r.display.Text(), "second");
    r.statusTimer.Advance(1);
    EXPECT_EQ(r.display.Text(), "");
    EXPECT_FALSE(r.statusTimer.Enabled());
    // The next text starts a new period.
    r.status.ShowStatus("third");
    r.statusTimer.Advance(2999);
    EXPECT_EQ(r.display.Text(), "third");
    r.statusTimer.Advance(1);
    EXPECT_EQ(r.display.Text(), "");
}

TEST(StatusReport, ProgressShowsHidesAndZeroKeepsVisibility) {
    Reporting r;
    r.progress.SetProgress(50);
    EXPECT_TRUE(r.display.Visible());
    EXPECT_EQ(r.display.Position(), 50);
    r.progress.SetProgress(100);
    EXPECT_FALSE(r.display.Visible());
    r.progress.SetProgress(0);
    EXPECT_FALSE(r.display.Visible());
    EXPECT_EQ(r.display.Position(), 0);
}

TEST(StatusReport, BarVisibleAtStartDisappearsAfterThreeSeconds) {
    Reporting r;
    EXPECT_TRUE(r.display.Visible());
    r.statusTimer.Advance(3000);
    EXPECT_FALSE(r.display.Visible());
    EXPECT_FALSE(r.statusTimer.Enabled());
}

TEST(StrToInt, AcceptsOnlyWholeDecimalIntegers) {
    EXPECT_EQ(StrToInt("10"), 10);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("007"), 7);
    for (const char* bad : {"", "1a", " 1", "1.0", "+", "99999999999"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("«%1» не является целым числом").arg(bad));
        }
    }
}

} // namespace


namespace {

TEST(ConfigFolder, ProposedNamesCarryTheTimeStamp) {
    EXPECT_TRUE(QRegularExpression("^telinf_R\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}$")
                    .match(portiqa::ProposedFileName("telinf_R")).hasMatch());
    EXPECT_TRUE(portiqa::ProposedFileName("hisinf_CSV", ".cvs").endsWith(".cvs"));
}

} // namespace
