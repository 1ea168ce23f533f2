#include "pty_pair.h"
#include "fakes.h"
#include "link/comm.h"
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
    c.SetCommName(path);
    c.SetBaudRate(115200);
}

TEST(Comm, DefaultsAreThoseOfTheComponent) {
    TComm c;
    EXPECT_EQ(c.CommName(), "COM1");
    EXPECT_EQ(c.BaudRate(), 9600u);
    EXPECT_EQ(c.DtrControl(), TDtrControl::DtrDisable);
    EXPECT_EQ(c.RtsControl(), TRtsControl::RtsDisable);
    EXPECT_EQ(c.InputLen(), 1);
    EXPECT_EQ(c.InBufferSize(), 2048);
    EXPECT_EQ(c.ReadIntervalTimeout(), 100u);
    EXPECT_TRUE(c.SendDataEmpty());
    c.SetCommPort(3);
    EXPECT_EQ(c.CommName(), "COM3");
    c.SetInputLen(0);
    EXPECT_EQ(c.InputLen(), 2048);
    c.SetInputLen(5000);
    EXPECT_EQ(c.InputLen(), 2048);
    c.SetInBufferSize(0);
    EXPECT_EQ(c.InBufferSize(), 1);
    c.SetCommName("ttyUSB0");
    EXPECT_EQ(c.DevicePath(), "/dev/ttyUSB0");
}

TEST(Comm, OpenCloseReopenAndOpeningTwice) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    c.CloseComm();  // closed: only clears the error text
    EXPECT_EQ(c.PortOpenError(), "");
    c.OpenComm();
    EXPECT_TRUE(c.PortOpen());
    c.OpenComm();
    EXPECT_EQ(c.PortOpenError(), "This serial port already opened");
    EXPECT_TRUE(c.PortOpen());
    c.CloseComm();
    EXPECT_FALSE(c.PortOpen());
    c.OpenComm();
    EXPECT_TRUE(c.PortOpen());
}

TEST(Comm, FailuresKeepTheirTextsAndSayWhy) {
    TComm c;
    c.SetCommName("/dev/portiqa-no-such-port");
    try {
        c.OpenComm();
        FAIL() << "no exception";
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.Text, "Error opening serial port");
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("No such file"), -1) << e.what();
    }
    EXPECT_EQ(c.PortOpenError(), "Error opening serial port");

    c.SetCommName("");
    EXPECT_THROW(c.OpenComm(), ECommsError);

    QTemporaryDir dir;
    const QString file = dir.filePath("plain");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    c.SetCommName(file);
    c.OpenComm();
    EXPECT_EQ(c.PortOpenError(), "File handle is not a comm handle ");
    EXPECT_FALSE(c.PortOpen());

    uint8_t b = 1;
    EXPECT_FALSE(c.WriteCommBuffer(&b, 1));
}

TEST(Comm, PortHeldByAnotherOpeningIsRefused) {
    TPtyPair pty;
    TComm first, second;
    Configure(first, pty.path);
    Configure(second, pty.path);
    first.OpenComm();
    try {
        second.OpenComm();
        FAIL() << "second opening succeeded";
    } catch (const ECommsError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("another program"), -1) << e.what();
    }
}

TEST(Comm, LineSettingsReachTheDevice) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    c.OpenComm();
    commio::LineSettings s;
    ASSERT_TRUE(commio::ReadLineSettings(pty.slave, s));
    EXPECT_EQ(s.baudRate, 115200u);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.parity, 0);
    EXPECT_EQ(s.stopBits, 0);
    EXPECT_FALSE(s.ctsFlow);
    EXPECT_FALSE(s.xonXoffIn);
    EXPECT_FALSE(s.xonXoffOut);
    // Applied at once while open (a pseudo-terminal keeps stop bits and
    // software flow control, though it forces 8 data bits and no parity).
    c.SetStopBits(TStopBits::_2);
    c.SetInx_XonXoffFlow(true);
    ASSERT_TRUE(commio::ReadLineSettings(pty.slave, s));
    EXPECT_EQ(s.stopBits, 2);
    EXPECT_TRUE(s.xonXoffIn);
}

TEST(Comm, FramesGoOutInOrderAndBytesComeInOneByOne) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    std::vector<QByteArray> events;
    c.OnReceiveData = [&](TComm*, const char* b, uint16_t n) { events.emplace_back(b, n); };
    int empties = 0;
    c.OnSendDataEmpty = [&](TComm*) { ++empties; };
    c.OpenComm();

    const QByteArray frames[] = {Hex("23 83 00 00 00 00 00 00 83"), Hex("23 83 00 00 01 00 00 00 82"),
                                 QByteArray(265, '\x5a')};
    for (const auto& f : frames)
        EXPECT_TRUE(c.WriteCommBuffer(reinterpret_cast<const uint8_t*>(f.constData()), uint16_t(f.size())));
    QByteArray wire;
    ASSERT_TRUE(WaitFor([&] { wire += pty.ReadAvailable(); return wire.size() >= 283; }));
    EXPECT_EQ(wire, frames[0] + frames[1] + frames[2]);
    EXPECT_TRUE(WaitFor([&] { return c.SendDataEmpty() && empties > 0; }));

    pty.Write(Hex("23 83"));
    ASSERT_TRUE(WaitFor([&] { return events.size() >= 2; }));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], Hex("23"));
    EXPECT_EQ(events[1], Hex("83"));
}

TEST(Comm, BytesKeepTheirOrderWhenAHandlerRunsANestedEventLoop) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    QByteArray seen;
    c.OnReceiveData = [&](TComm*, const char* b, uint16_t n) {
        seen.append(b, n);
        if (b[0] == 'A') {
            // A modal message box runs an event loop inside the receive event.
            pty.Write("CD");
            WaitFor([&] { return seen.size() >= 4; }, 2000);
        }
    };
    c.OpenComm();
    pty.Write("AB");
    ASSERT_TRUE(WaitFor([&] { return seen.size() >= 4; }));
    EXPECT_EQ(seen, "ABCD");
}

TEST(Comm, FarEndClosingRaisesOneHangupAndCloseStillWorks) {
    TPtyPair pty;
    TComm c;
    Configure(c, pty.path);
    int hangups = 0;
    c.OnRequestHangup = [&](TComm*) { ++hangups; };
    c.OpenComm();
    pty.DropSlave();
    pty.CloseMaster();
    ASSERT_TRUE(WaitFor([&] { return hangups > 0; }));
    uint8_t b = 0x23;
    c.WriteCommBuffer(&b, 1);  // the writer finds the line gone as well
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(hangups, 1);
    c.CloseComm();
    EXPECT_FALSE(c.PortOpen());
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
    Trecognitionserial scan(root.filePath("tty"));
    EXPECT_EQ(scan.ScanPorts(), (QStringList{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0"}));
    EXPECT_TRUE(Trecognitionserial(root.filePath("missing")).ScanPorts().isEmpty());
}

} // namespace
