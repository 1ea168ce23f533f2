#include "device_server.h"
#include "session_fixture.h"

using namespace portiqa;
using portiqa::test::SessionFixture;
using portiqa::test::TDeviceServer;
using portiqa::test::TNetRelay;
using portiqa::test::TScriptedOperator;
using portiqa::test::WaitFor;

namespace {

// The module behind ser2net, raw and Telnet (RFC 2217), as one on the desk.
struct DeviceServerTest : SessionFixture, ::testing::WithParamInterface<bool> {
    TDeviceServer server;
    void SetUp() override {
        simOptions.seedNumbers = 100;
        portFor = [this](const QString& terminal) {
            const QString problem = server.Start(terminal, GetParam());
            EXPECT_EQ(problem, QString());
            return server.Address();
        };
    }
    void TearDown() override {
        SessionFixture::TearDown();
        server.Kill();
    }
};

TEST_P(DeviceServerTest, ADownloadAndASaveAreTheModulesOwnByteForByte) {
    Start();
    ASSERT_TRUE(Login("5807"));
    // Every free slot is 0xFF bytes: through Telnet each one travels doubled, both ways.
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle(60000));
    auto& g = session->numberTable.Grid();
    EXPECT_FALSE(g.Cells(1, 100).isEmpty());
    EXPECT_TRUE(g.Cells(1, 101).isEmpty());
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    g.SetCells(7, 3, "Да");
    g.SetCells(1, 200, "+70001112233");
    g.SetCells(6, 200, "Да");
    outcomes.clear();
    session->numberBlock.Save();
    ASSERT_TRUE(Settle(60000));
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].Ok());
    EXPECT_EQ(outcomes[0].pagesWritten, 2);
    EXPECT_EQ(outcomes[0].pagesVerified, 2);
    const QByteArray after = module->Memory(0x1000, 375 * 256);
    EXPECT_EQ(after.mid(2 * 32, 32), QByteArray(32, char(0xFF)));
    EXPECT_EQ(after.mid(199 * 32, 13), QByteArray("+70001112233") + '\0');
    for (int page = 1; page < 375; ++page)  // records 3 and 200: pages 0 and 24 alone
        if (page != 24) {
            EXPECT_EQ(after.mid(page * 256, 256), before.mid(page * 256, 256)) << "page " << page;
        }
    // Read back through the server: what the module holds.
    g.SetCells(1, 200, "");
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle(60000));
    EXPECT_EQ(g.Cells(1, 200), "+70001112233");
    EXPECT_TRUE(g.Cells(1, 3).isEmpty());
}

TEST_P(DeviceServerTest, AServerKilledMidSaveEndsItInWordsWithEveryPageOldOrNew) {
    Start();
    ASSERT_TRUE(Login("5807"));
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle(60000));
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    auto& g = session->numberTable.Grid();
    for (int r = 1; r <= 100; ++r) g.SetCells(1, r, QStringLiteral("+7000%1").arg(r, 7, 10, QChar('0')));
    int sent = 0;
    session->seq.OnFrameSent = [this, &sent](const uint8_t*, int) {
        if (++sent == 6) server.Kill();  // a few pages in
    };
    outcomes.clear();
    op.messages.clear();
    session->numberBlock.Save();
    ASSERT_TRUE(WaitFor([this] { return !outcomes.empty(); }, 20000)) << "the save hung";
    EXPECT_FALSE(outcomes[0].Ok());
    EXPECT_TRUE(outcomes[0].message.contains("закрыл соединение")) << outcomes[0].message.toStdString();
    EXPECT_FALSE(runtime->IsOpen());
    // Each page of the module is what it was or what was meant: never a mixture.
    const QByteArray after = module->Memory(0x1000, 375 * 256);
    for (int page = 0; page < 375; ++page) {
        const QByteArray was = before.mid(page * 256, 256), now = after.mid(page * 256, 256);
        if (now == was) continue;
        for (int k = 0; k < 8 && page * 8 + k < 100; ++k)
            EXPECT_EQ(now.mid(k * 32, 13), QStringLiteral("+7000%1").arg(page * 8 + k + 1, 7, 10, QChar('0')).toLatin1() + '\0')
                << "page " << page;
    }
}

TEST_P(DeviceServerTest, ASecondProgramOnTheAddressIsToldInWords) {
    Start();
    TScriptedOperator otherOp;
    TRecordingStatusDisplay otherDisplay;
    TRuntime other(otherDisplay, otherOp);
    const QString address = server.Address();
    ASSERT_FALSE(address.isEmpty());
    QString lost;
    other.Connection().OnLost = [&lost](const QString& message) { lost = message; };
    QString problem = other.Open(address);
    if (problem.isEmpty()) {
        // A raw port is refused once connected: the refusal comes as the connection's end.
        ASSERT_TRUE(WaitFor([&] { return !other.IsOpen(); }, 5000));
        problem = lost;
    }
    EXPECT_TRUE(problem.contains("already in use")) << problem.toStdString();
    ASSERT_TRUE(Login("5807"));  // the first program keeps its module
}

// A far device server: the reply clock learns the round trip, so the line
// works at 20 and 100 ms; a connection that goes half-open (the relay stops,
// both ends stay open) ends the next operation in words, never a hang.
TEST_P(DeviceServerTest, AFarLineIsLearnedAndAHalfOpenOneEndsInWords) {
    for (const int rtt : {20, 100}) {
        SCOPED_TRACE(rtt);
        TNetRelay relay;
        portFor = [&](const QString& terminal) {
            EXPECT_EQ(server.Start(terminal, GetParam()), QString());
            return relay.Start(GetParam() ? "rfc2217" : "socket", server.Port(), rtt);
        };
        Start();
        ASSERT_TRUE(Login("5807"));
        session->settingsBlock.ReadAfterQuestion();
        ASSERT_TRUE(Settle());
        EXPECT_GE(replyTimer.Interval(), rtt);
        session->settingsTable.SetValue(13, "Far away");
        outcomes.clear();
        session->settingsBlock.Save();
        ASSERT_TRUE(Settle());
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].Ok()) << outcomes[0].message.toStdString();
        EXPECT_EQ(module->Memory(118, 9), QByteArray("Far away") + '\0');

        relay.Hold(true);
        const int sent = framesSent;
        outcomes.clear();
        session->settingsBlock.ReadAfterQuestion();
        ASSERT_TRUE(WaitFor([&] { return framesSent > sent; }, 5000));
        for (int tries = 0; tries < 5 && outcomes.empty(); ++tries) replyTimer.FireNow();
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].message.contains("не отвечает")) << outcomes[0].message.toStdString();
        relay.Hold(false);
        Stop();
        server.Kill();
    }
}

INSTANTIATE_TEST_SUITE_P(RawAndTelnet, DeviceServerTest, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? "Rfc2217" : "Raw"; });

TEST(DeviceServerRefusal, AnotherComputersAddressNeedsPlainNetworkAllowed) {
    TScriptedOperator op;
    TRecordingStatusDisplay display;
    TRuntime runtime(display, op);
    // TEST-NET: refused before any packet is sent.
    const QString problem = runtime.Open(QStringLiteral("rfc2217://192.0.2.1:4001"));
    EXPECT_TRUE(problem.contains("VPN")) << problem.toStdString();
    EXPECT_FALSE(runtime.IsOpen());
    EXPECT_EQ(TRuntime::RemoteHost(QStringLiteral("rfc2217://192.0.2.1:4001")), "192.0.2.1");
    EXPECT_EQ(TRuntime::RemoteHost(QStringLiteral("socket://localhost:4001")), "");
}

} // namespace
