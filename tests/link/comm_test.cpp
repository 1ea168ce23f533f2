#include "pty_pair.h"
#include "fakes.h"
#include "link/comm.h"
#include "link/comm_termios.h"
#include "link/port_list.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace portiqa;
using portiqa::test::Hex;
using portiqa::test::TPtyPair;
using portiqa::test::WaitFor;

namespace {

void Configure(TComm& c, const QString& path) {
    c.SetPortName(path);
    c.SetBaudRate(115200);
}

TEST(Comm, DefaultsAreTheModulesLineOnNoPort) {
    TComm c;
    EXPECT_EQ(c.PortName(), "");
    EXPECT_EQ(c.BaudRate(), 115200u);
    const commio::LineSettings line = c.LineSettings();
    EXPECT_EQ(line.baudRate, 115200u);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.parity, 0);
    EXPECT_EQ(line.stopBits, 0);
    EXPECT_FALSE(line.ctsFlow || line.rtsFlow || line.xonXoffIn || line.xonXoffOut);
    EXPECT_FALSE(line.dtrActive || line.rtsActive);
    EXPECT_TRUE(c.AllWritten());
    c.SetPortName("ttyUSB0");
    EXPECT_EQ(c.DevicePath(), "/dev/ttyUSB0");
}

TEST(Comm, OpenCloseReopenAndOpeningTwice) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    c.Close();  // closed: only clears the error text
    EXPECT_EQ(c.OpenError(), "");
    c.Open();
    EXPECT_TRUE(c.IsOpen());
    c.Open();
    EXPECT_EQ(c.OpenError(), "Этот последовательный порт уже открыт");
    EXPECT_TRUE(c.IsOpen());
    c.Close();
    EXPECT_FALSE(c.IsOpen());
    c.Open();
    EXPECT_TRUE(c.IsOpen());
}

TEST(Comm, FailuresKeepTheirTextsAndSayWhy) {
    TComm c;
    c.SetPortName("/dev/portiqa-no-such-port");
    try {
        c.Open();
        FAIL() << "no exception";
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.Text, "Ошибка открытия последовательного порта");
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("No such file"), -1) << e.what();
    }
    EXPECT_EQ(c.OpenError(), "Ошибка открытия последовательного порта");

    c.SetPortName("");
    EXPECT_THROW(c.Open(), ECommsError);

    QTemporaryDir dir;
    const QString file = dir.filePath("plain");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    c.SetPortName(file);
    EXPECT_THROW(c.Open(), ECommsError);  // every failed opening is thrown
    EXPECT_EQ(c.OpenError(), "Это устройство не является последовательным портом ");
    EXPECT_FALSE(c.IsOpen());

    uint8_t b = 1;
    EXPECT_FALSE(c.Write(&b, 1));
}

TEST(Comm, PortHeldByAnotherOpeningIsRefused) {
    TPtyPair pty;
    TComm first, second;
    Configure(first, pty.path);
    Configure(second, pty.path);
    first.Open();
    try {
        second.Open();
        FAIL() << "second opening succeeded";
    } catch (const ECommsError& e) {
        // The back end's hint, in the interface's language.
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("порт занят другой программой"), -1) << e.what();
    }
}

TEST(Comm, LineSettingsReachTheDevice) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    c.Open();
    commio::LineSettings s;
    ASSERT_TRUE(commio::ReadLineSettings(pty.slave, s));
    EXPECT_EQ(s.baudRate, 115200u);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.parity, 0);
    EXPECT_EQ(s.stopBits, 0);
    EXPECT_FALSE(s.ctsFlow);
    EXPECT_FALSE(s.xonXoffIn);
    EXPECT_FALSE(s.xonXoffOut);
    // A new speed is applied at once while open.
    c.SetBaudRate(57600);
    ASSERT_TRUE(commio::ReadLineSettings(pty.slave, s));
    EXPECT_EQ(s.baudRate, 57600u);
}

// Each combination of the port's properties, turned into terminal
// attributes without a device and read back field by field: a wrong data
// bit count or parity would otherwise reach a real cable unseen (a
// pseudo-terminal forces 8 data bits and no parity).
TEST(Comm, LineSettingsBecomeTheseTerminalAttributes) {
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    for (int bits = 5; bits <= 8; ++bits)
        for (int parity = 0; parity <= 4; ++parity)
            for (int stop : {0, 2})
                for (int flow = 0; flow < 8; ++flow) {
                    commio::LineSettings s;
                    s.baudRate = 115200;
                    s.dataBits = bits;
                    s.parity = parity;
                    s.stopBits = stop;
                    s.ctsFlow = flow & 1;
                    s.xonXoffOut = flow & 2;
                    s.xonXoffIn = flow & 4;
                    s.parityCheck = parity != 0;
                    termios t{};
                    t.c_lflag = ICANON | ECHO;  // what a terminal starts with
                    t.c_oflag = OPOST;
                    std::string reason;
                    ASSERT_TRUE(commio::BuildTermios(s, t, reason)) << reason;
                    const std::string at = std::to_string(bits) + "/" + std::to_string(parity) + "/" +
                                           std::to_string(stop) + "/" + std::to_string(flow);
                    EXPECT_EQ(t.c_cflag & CSIZE, sizes[bits - 5]) << at;
                    EXPECT_EQ(bool(t.c_cflag & PARENB), parity != 0) << at;
                    EXPECT_EQ(bool(t.c_cflag & PARODD), parity == 1 || parity == 3) << at;
                    EXPECT_EQ(bool(t.c_cflag & CMSPAR), parity >= 3) << at;
                    EXPECT_EQ(bool(t.c_cflag & CSTOPB), stop != 0) << at;
                    EXPECT_EQ(bool(t.c_cflag & CRTSCTS), bool(flow & 1)) << at;
                    EXPECT_EQ(bool(t.c_iflag & IXON), bool(flow & 2)) << at;
                    EXPECT_EQ(bool(t.c_iflag & IXOFF), bool(flow & 4)) << at;
                    EXPECT_EQ(bool(t.c_iflag & INPCK), parity != 0) << at;
                    EXPECT_TRUE(t.c_cflag & CREAD) << at;
                    EXPECT_TRUE(t.c_cflag & CLOCAL) << at;
                    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u) << at;
                    EXPECT_EQ(t.c_oflag & OPOST, 0u) << at;
                    EXPECT_EQ(cfgetospeed(&t), speed_t(B115200)) << at;
                    EXPECT_EQ(cfgetispeed(&t), speed_t(B115200)) << at;
                    EXPECT_EQ(t.c_cc[VMIN], 1) << at;
                    EXPECT_EQ(t.c_cc[VTIME], 0) << at;
                }
    // Every speed of the list, and none other: no silent 9600.
    const std::pair<uint32_t, speed_t> speeds[] = {{1200, B1200}, {9600, B9600}, {57600, B57600},
                                                   {115200, B115200}, {921600, B921600}};
    for (const auto& [rate, code] : speeds) {
        commio::LineSettings s;
        s.baudRate = rate;
        termios t{};
        std::string reason;
        ASSERT_TRUE(commio::BuildTermios(s, t, reason));
        EXPECT_EQ(cfgetospeed(&t), code) << rate;
    }
    for (uint32_t rate : {0u, 300u, 12345u, 115201u, 1000000u}) {
        commio::LineSettings s;
        s.baudRate = rate;
        termios t{};
        std::string reason;
        EXPECT_FALSE(commio::BuildTermios(s, t, reason)) << rate;
        EXPECT_NE(reason.find(std::to_string(rate)), std::string::npos) << reason;
    }
}

TEST(Comm, ARefusedSpeedFailsTheOpeningAndClosingRestoresTheTerminal) {
    TPtyPair pty;
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    before.c_lflag |= ICANON | ECHO;
    cfsetospeed(&before, B9600);
    cfsetispeed(&before, B9600);
    ASSERT_EQ(::tcsetattr(pty.slave, TCSANOW, &before), 0);

    TComm c;
    c.SetPortName(pty.path);
    c.SetBaudRate(12345);
    try {
        c.Open();
        FAIL() << "a speed the line cannot have was accepted";
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.Text, "Не удалось установить параметры линии");
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("12345"), -1) << e.what();
    }
    EXPECT_FALSE(c.IsOpen());

    c.SetBaudRate(115200);
    c.Open();
    ASSERT_TRUE(c.IsOpen());
    termios open{};
    ASSERT_EQ(::tcgetattr(pty.slave, &open), 0);
    EXPECT_EQ(open.c_lflag & ICANON, 0u);
    EXPECT_EQ(cfgetospeed(&open), speed_t(B115200));
    // A change the line refuses while open is kept on record, not dropped.
    c.SetBaudRate(777);
    EXPECT_NE(c.LineError().indexOf("777"), -1);
    c.SetBaudRate(115200);
    EXPECT_TRUE(c.LineError().isEmpty());
    c.Close();
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.slave, &after), 0);
    EXPECT_TRUE(after.c_lflag & ICANON);
    EXPECT_TRUE(after.c_lflag & ECHO);
    EXPECT_EQ(cfgetospeed(&after), speed_t(B9600));
}

TEST(Comm, FramesGoOutInOrderAndBytesComeInAsTheyArrive) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    std::vector<QByteArray> events;
    c.OnReceived = [&](TComm*, const char* b, uint16_t n) { events.emplace_back(b, n); };
    int empties = 0;
    c.OnAllWritten = [&](TComm*) { ++empties; };
    c.Open();

    const QByteArray frames[] = {Hex("23 83 00 00 00 00 00 00 83"), Hex("23 83 00 00 01 00 00 00 82"),
                                 QByteArray(265, '\x5a')};
    for (const auto& f : frames)
        EXPECT_TRUE(c.Write(reinterpret_cast<const uint8_t*>(f.constData()), uint16_t(f.size())));
    QByteArray wire;
    ASSERT_TRUE(WaitFor([&] { wire += pty.ReadAvailable(); return wire.size() >= 283; }));
    EXPECT_EQ(wire, frames[0] + frames[1] + frames[2]);
    EXPECT_TRUE(WaitFor([&] { return c.AllWritten() && empties > 0; }));

    // A reply of 265 bytes comes in a few events, not one per byte.
    const QByteArray reply = Hex("23 83") + QByteArray(263, '\x11');
    pty.Write(reply);
    QByteArray got;
    ASSERT_TRUE(WaitFor([&] {
        got.clear();
        for (const QByteArray& e : events) got += e;
        return got.size() >= reply.size();
    }));
    EXPECT_EQ(got, reply);
    EXPECT_LT(events.size(), 20u);
}

TEST(Comm, BytesKeepTheirOrderWhenAHandlerRunsANestedEventLoop) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    QByteArray seen;
    c.OnReceived = [&](TComm*, const char* b, uint16_t n) {
        seen.append(b, n);
        if (b[0] == 'A') {
            // A modal message box runs an event loop inside the receive event.
            pty.Write("CD");
            WaitFor([&] { return seen.size() >= 4; }, 2000);
        }
    };
    c.Open();
    pty.Write("AB");
    ASSERT_TRUE(WaitFor([&] { return seen.size() >= 4; }));
    EXPECT_EQ(seen, "ABCD");
}

TEST(Comm, FarEndClosingRaisesOneHangupAndCloseStillWorks) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    int hangups = 0;
    c.OnHangUp = [&](TComm*) { ++hangups; };
    c.Open();
    pty.DropSlave();
    pty.CloseMaster();
    ASSERT_TRUE(WaitFor([&] { return hangups > 0; }));
    uint8_t b = 0x23;
    c.Write(&b, 1);  // the writer finds the line gone as well
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(hangups, 1);
    c.Close();
    EXPECT_FALSE(c.IsOpen());
}

TEST(PortList, CpBridgesFirstThenUsbThenTheRestInNameOrder) {
    QTemporaryDir root;
    auto makePort = [&](const QString& name, const QString& vendor, const QString& product, bool withType = false) {
        QDir d(root.path());
        const QString usb = "devices/" + name + "-usb";
        d.mkpath(usb + "/if/port");
        if (!vendor.isEmpty()) {
            QFile v(root.filePath(usb + "/idVendor")); v.open(QIODevice::WriteOnly); v.write(vendor.toLatin1() + "\n");
            QFile p(root.filePath(usb + "/idProduct")); p.open(QIODevice::WriteOnly); p.write(product.toLatin1() + "\n");
            QFile s(root.filePath(usb + "/serial")); s.open(QIODevice::WriteOnly); s.write("SN-" + name.toLatin1() + "\n");
        }
        d.mkpath("tty/" + name);
        QFile::link(root.filePath(usb + "/if/port"), root.filePath("tty/" + name + "/device"));
        if (withType) { QFile t(root.filePath("tty/" + name + "/type")); t.open(QIODevice::WriteOnly); t.write("4\n"); }
    };
    makePort("ttyACM0", "2341", "0043");
    makePort("ttyUSB10", "10c4", "ea60");
    makePort("ttyUSB2", "10c4", "ea60");
    makePort("ttyS0", "", "", true);
    makePort("ttyS1", "", "");  // no hardware behind the slot
    QDir(root.path()).mkpath("tty/tty1");  // virtual terminal, no device
    TPortList scan(root.filePath("tty"));
    EXPECT_EQ(scan.ScanPorts(), (QStringList{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0"}));
    EXPECT_TRUE(TPortList(root.filePath("missing")).ScanPorts().isEmpty());
    // The bridge's serial number, by name or by a path to the terminal.
    EXPECT_EQ(scan.SerialOf("ttyUSB2"), "SN-ttyUSB2");
    EXPECT_EQ(scan.SerialOf("/dev/ttyUSB10"), "SN-ttyUSB10");
    EXPECT_EQ(scan.SerialOf("ttyS0"), "");
}

} // namespace
