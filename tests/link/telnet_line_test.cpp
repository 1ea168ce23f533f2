#include "fakes.h"
#include "link/net_address.h"
#include "link/telnet_line.h"
#include <gtest/gtest.h>

using namespace portiqa;
using portiqa::test::Hex;

namespace {

QByteArray Feed(TTelnetLine& t, const QByteArray& bytes) {
    return t.Feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

// What a device server (ser2net 4) sends on a new Telnet connection.
const QByteArray kGreeting = Hex("FFFB03 FFFD03 FFFB01 FFFE01 FFFD00 FFFB00 FFFD2C");
// The line the module needs, asked after the server's DO COM-PORT-OPTION:
// 115200 baud, 8 data bits, no parity, one stop bit, no flow control, DTR low, RTS low.
const QByteArray kSettings = Hex("FFFA2C0100 01C200FFF0 FFFA2C0208FFF0 FFFA2C0301FFF0 FFFA2C0401FFF0"
                                 "FFFA2C0501FFF0 FFFA2C0509FFF0 FFFA2C050CFFF0");
// Its answers, as ser2net gives them on a pseudo-terminal (no modem lines:
// DTR and RTS go unanswered), with a modem-state notice first.
const QByteArray kAnswers = Hex("FFFA2C6B00FFF0 FFFA2C650001C200FFF0 FFFA2C6608FFF0 FFFA2C6701FFF0 FFFA2C6801FFF0 FFFA2C6901FFF0");

TEST(TelnetLineTest, TheOpeningAgreesOptionsAndSetsTheLine) {
    EXPECT_EQ(TTelnetLine::Opening(), Hex("FFFB2C FFFB00 FFFD00 FFFB03 FFFD03"));
    TTelnetLine t;
    EXPECT_TRUE(Feed(t, kGreeting).isEmpty());
    // Echo refused (data stays data); what was asked already is not asked again.
    EXPECT_EQ(t.TakeReplies(), Hex("FFFE01") + kSettings);
    EXPECT_FALSE(t.LineSet());
    // Answers split anywhere, even inside a subnegotiation.
    Feed(t, kAnswers.left(9));
    EXPECT_FALSE(t.LineSet());
    Feed(t, kAnswers.mid(9));
    EXPECT_TRUE(t.LineSet());
    EXPECT_TRUE(t.Refusal().isEmpty());
    EXPECT_TRUE(t.TakeReplies().isEmpty());
}

TEST(TelnetLineTest, DataKeepsEveryByteAndTravelsWithFFDoubled) {
    const uint8_t frame[] = {0x23, 0xFF, 0x00, 0xFF, 0xFF, 0x0D};
    EXPECT_EQ(TTelnetLine::Escape(frame, sizeof frame), Hex("23 FFFF 00 FFFF FFFF 0D"));
    TTelnetLine t;
    // IAC IAC is one 0xFF, even when the two arrive apart; commands among data are taken out.
    EXPECT_EQ(Feed(t, Hex("23 FF")), Hex("23"));
    EXPECT_EQ(Feed(t, Hex("FF 00 FFF1 0D FFFA2C6B00FFF0 FF")), Hex("FF 00 0D"));
    EXPECT_EQ(Feed(t, Hex("FF0A")), Hex("FF0A"));
}

TEST(TelnetLineTest, ASettingTheServerRefusesOrChangesIsNamed) {
    struct Case {
        const char* server;     // after the greeting
        const char* named;      // in the refusal (the tests read Russian); empty: none
    } cases[] = {
        {"FFFA2C65000025 80FFF0", "115200 бод"},         // it set 9600
        {"FFFA2C6607FFF0", "8 бит данных"},
        {"FFFA2C6903FFF0", "без управления потоком"},           // hardware flow control kept
        {"FFFA2C6901FFF0 FFFA2C6908FFF0", "DTR выключен"},      // DTR high
        {"FFFC00", "двоичные"},                            // WONT BINARY
        {"FFFE2C", "RFC 2217"},                          // DONT COM-PORT-OPTION
        {"FFFA2C6901FFF0 FFFA2C690CFFF0", ""},           // RTS low, as asked
    };
    for (const auto& c : cases) {
        TTelnetLine t;
        Feed(t, kGreeting);
        Feed(t, Hex(c.server));
        if (*c.named) EXPECT_TRUE(t.Refusal().contains(QString::fromUtf8(c.named))) << c.server << ": " << t.Refusal().toStdString();
        else EXPECT_TRUE(t.Refusal().isEmpty()) << c.server;
        if (*c.named) EXPECT_FALSE(t.LineSet());
    }
}

TEST(NetAddressTest, AddressesAreReadStrictlyAndLoopbackIsTold) {
    struct Case {
        const char* text;
        bool ok;
        TNetAddress::TKind kind;
        const char* host;
        int port;
        bool loopback;
    } cases[] = {
        {"rfc2217://127.0.0.1:3001", true, TNetAddress::TKind::Rfc2217, "127.0.0.1", 3001, true},
        {" SOCKET://localhost:7000/ ", true, TNetAddress::TKind::Raw, "localhost", 7000, true},
        {"socket://[::1]:2000", true, TNetAddress::TKind::Raw, "::1", 2000, true},
        {"rfc2217://127.8.9.10:1", true, TNetAddress::TKind::Rfc2217, "127.8.9.10", 1, true},
        {"rfc2217://gate3.example.net:4001", true, TNetAddress::TKind::Rfc2217, "gate3.example.net", 4001, false},
        {"socket://10.0.0.5:4001", true, TNetAddress::TKind::Raw, "10.0.0.5", 4001, false},
        {"socket://127.0.0.1.evil.net:1", true, TNetAddress::TKind::Raw, "127.0.0.1.evil.net", 1, false},
        {"socket://1270.0.0.1:1", true, TNetAddress::TKind::Raw, "1270.0.0.1", 1, false},
        {"socket://127.0.0.1", false, {}, "", 0, false},
        {"socket://127.0.0.1:0", false, {}, "", 0, false},
        {"socket://127.0.0.1:65536", false, {}, "", 0, false},
        {"socket://127.0.0.1:+80", false, {}, "", 0, false},
        {"socket://::1:80", false, {}, "", 0, false},
        {"socket://user@host:80", false, {}, "", 0, false},
        {"tcp://127.0.0.1:80", false, {}, "", 0, false},
    };
    for (const auto& c : cases) {
        TNetAddress a;
        QString why;
        ASSERT_EQ(TNetAddress::Parse(QString::fromLatin1(c.text), a, why), c.ok) << c.text;
        EXPECT_TRUE(TNetAddress::LooksLike(QString::fromLatin1(c.text))) << c.text;
        if (!c.ok) {
            EXPECT_TRUE(why.contains(QLatin1String("rfc2217://"))) << c.text;
            continue;
        }
        EXPECT_EQ(a.kind, c.kind) << c.text;
        EXPECT_EQ(a.host, QLatin1String(c.host)) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
        EXPECT_EQ(a.IsLoopback(), c.loopback) << c.text;
    }
    for (const char* local : {"ttyUSB0", "/dev/ttyS0", "COM12", "\\\\.\\COM3"})
        EXPECT_FALSE(TNetAddress::LooksLike(QString::fromLatin1(local))) << local;
}

} // namespace
