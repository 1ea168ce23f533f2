#include "history/history_block.h"
#include "session/module_commands.h"
#include "fakes.h"
#include "base/timer.h"
#include "link/data_package.h"
#include "link/page_fields.h"
#include "link/request.h"
#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace portiqa;
using portiqa::test::Hex;

namespace {

QByteArray Frame(uint8_t cmd, int32_t address, int32_t len, const uint8_t* payload = nullptr) {
    TDataPackage p;
    p.SetCommand(cmd);
    p.SetLength(len);
    p.SetAddress(address);
    if (payload) p.SetPayload(payload);
    p.BuildFrame();
    return QByteArray(reinterpret_cast<const char*>(p.FrameBuffer.data()), p.FrameLength);
}

struct Vector { const char* name; uint8_t cmd; int32_t address; const char* hex; };

TEST(DataPackage, ReadAndCommandFramesMatchTheWireVectors) {
    const Vector vectors[] = {
        {"settings page 1", 131, SettingsPageAddress(1), "23 83 00 00 00 00 00 00 83"},
        {"settings page 2", 131, SettingsPageAddress(2), "23 83 00 00 01 00 00 00 82"},
        {"numbers page 1", 131, NumberPageAddress(1), "23 83 00 00 10 00 00 00 93"},
        {"numbers page 375", 131, NumberPageAddress(375), "23 83 00 01 86 00 00 00 04"},
        {"history page 1", 131, HistoryPageAddress(1), "23 83 00 03 00 00 00 00 80"},
        {"history page 2", 131, HistoryPageAddress(2), "23 83 00 03 01 00 00 00 81"},
        {"history page 500", 131, HistoryPageAddress(500), "23 83 00 04 F3 00 00 00 74"},
        {"checking mode", 4, 0, "23 04 00 00 00 00 00 00 04"},
        {"delete history", 133, 0, "23 85 00 00 00 00 00 00 85"},
    };
    for (const auto& v : vectors) EXPECT_EQ(Frame(v.cmd, v.address, 0), Hex(v.hex)) << v.name;
}

TEST(DataPackage, FullPageSaveCarriesEveryByteAndTheChecksum) {
    std::array<uint8_t, 256> page;
    page.fill(0xFF);
    const QByteArray f = Frame(130, SettingsPageAddress(2), 256, page.data());
    ASSERT_EQ(f.size(), 265);
    EXPECT_EQ(f.left(10), Hex("23 82 00 00 01 00 01 00 FF FF"));
    EXPECT_EQ(uint8_t(f.back()), 0x82);

    page.fill(0);
    page[0] = 0x23;  // no escaping: '#' inside a payload goes out as it is
    const QByteArray g = Frame(130, 0, 256, page.data());
    EXPECT_EQ(uint8_t(g[8]), 0x23);
    EXPECT_EQ(uint8_t(g.back()), 0x82 ^ 0x01 ^ 0x23);
}

TEST(RequestSequence, TimeSyncFrameAndSequenceSteps) {
    test::TRecordingPort port;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer(3000), statusTimer(3000, true);
    TStatusControl status(display, statusTimer);
    TRequestSequence seq(port, status, replyTimer);
    TSingleCommand sync(seq, TimeSyncCommand());
    sync.Payload = [] { return TimeSyncPayload(QDateTime(QDate(2026, 12, 7), QTime(0, 29, 15))); };
    ASSERT_TRUE(sync.Send());
    ASSERT_EQ(port.frames.size(), 1u);
    EXPECT_EQ(port.frames[0], Hex("23 03 00 00 00 00 00 06 EA 0C 07 00 1D 0F F6"));
    EXPECT_EQ(display.Text(), "Отправка команды синхронизации времени");
    EXPECT_TRUE(replyTimer.Enabled());
    EXPECT_TRUE(seq.Outstanding());

    TSingleCommand deleter(seq, HistoryDeletionCommand());
    EXPECT_FALSE(deleter.Send());  // a reply is still owed: nothing is sent
    EXPECT_EQ(port.frames.size(), 1u);
    seq.SetOutstanding(false);
    EXPECT_TRUE(deleter.Send());
    EXPECT_EQ(port.frames[1], Hex("23 85 00 00 00 00 00 00 85"));
    EXPECT_EQ(display.Text(), "Проверка пароля");
}

TEST(RequestSequence, ClosedPortStillArmsTheReplyTimerWithoutRestartingIt) {
    test::TRecordingPort port;
    port.open = false;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer(3000), statusTimer(3000, true);
    TStatusControl status(display, statusTimer);
    TRequestSequence seq(port, status, replyTimer);
    int expiries = 0;
    replyTimer.OnTimer = [&] { ++expiries; replyTimer.SetEnabled(false); };
    TSingleCommand check(seq, CheckingModeCommand());
    EXPECT_TRUE(check.Send());
    replyTimer.Advance(2000);
    EXPECT_FALSE(check.Send());  // refused while the first reply is owed
    replyTimer.Advance(1000);
    EXPECT_TRUE(port.frames.empty());
    EXPECT_EQ(expiries, 1);
}

} // namespace

// Windows-1251 is written out in the program: every byte must read as the
// system's converter reads it (where the system has one), go back to the same
// byte, and a character outside the code page must be refused.
TEST(PageFields, Windows1251AgreesWithTheSystemAndRoundTrips) {
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = char(b);
    const QString text = fields::FromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0xC0], QChar(0x0410));  // А
    EXPECT_EQ(text[0xFF], QChar(0x044F));  // я
    EXPECT_EQ(text[0xA8], QChar(0x0401));  // Ё
    EXPECT_EQ(text[0xB9], QChar(0x2116));  // №
    EXPECT_EQ(text[0x88], QChar(0x20AC));  // €
    QStringDecoder system("windows-1251");
    if (system.isValid()) {
        EXPECT_EQ(text, system.decode(all));
    }
    QByteArray back;
    ASSERT_TRUE(fields::ToCp1251(text, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(fields::ToCp1251(QStringLiteral("Ω snow ☃"), back));
    EXPECT_TRUE(fields::ToCp1251(QStringLiteral("Тревога DIN1"), back));
    EXPECT_EQ(back, QByteArray("\xD2\xF0\xE5\xE2\xEE\xE3\xE0 DIN1"));
}
