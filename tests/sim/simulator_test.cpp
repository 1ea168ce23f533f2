#include "fakes.h"
#include "pty_pair.h"
#include "sim/module_responder.h"
#include "sim/simulator.h"
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>

using namespace portiqa;
using namespace portiqa::sim;
using portiqa::test::Hex;

namespace {

QByteArray Ask(TModuleResponder& r, const QByteArray& request) {
    return r.Feed(reinterpret_cast<const uint8_t*>(request.constData()), size_t(request.size()));
}

TEST(ModuleResponder, FactoryImageAnswersGoldenRequests) {
    TModuleImage image;
    TModuleResponder r(image);
    const QByteArray page1 = Ask(r, Hex("23 83 00 00 00 00 00 00 83"));
    ASSERT_EQ(page1.size(), 265);
    EXPECT_EQ(page1.left(8), Hex("23 83 00 00 00 00 01 00"));
    EXPECT_EQ(page1.mid(8, 5), QByteArray("5807") + Hex("FF"));  // factory password, empty SIM number
    EXPECT_EQ(uint8_t(page1[8 + 26]), 1);                      // sensor 1: NO
    EXPECT_EQ(page1.mid(8 + 108, 2), Hex("0A 00"));             // 10 minutes
    EXPECT_EQ(page1.mid(8 + 200, 2), Hex("E7 03"));             // 999

    EXPECT_EQ(Ask(r, Hex("23 85 00 00 00 00 00 00 85")), Hex("23 85 00 00 00 00 00 01 01 85"));
    EXPECT_EQ(Ask(r, Hex("23 04 00 00 00 00 00 00 04")), Hex("23 04 00 00 00 00 00 01 01 04"));
    EXPECT_EQ(Ask(r, Hex("23 03 00 00 00 00 00 06 EA 0C 07 00 1D 0F F6")), Hex("23 03 00 00 00 00 00 01 01 03"));
    const QByteArray numbers = Ask(r, Hex("23 83 00 00 10 00 00 00 93"));
    EXPECT_EQ(numbers.mid(8, 256), QByteArray(256, char(0xFF)));  // free slots
    const QByteArray history = Ask(r, Hex("23 83 00 04 F3 00 00 00 74"));
    EXPECT_EQ(history.mid(2, 4), Hex("00 04 F3 00"));
    EXPECT_EQ(history.mid(8, 256), QByteArray(256, 0));  // empty log
    // A request with a bad checksum is ignored.
    EXPECT_TRUE(Ask(r, Hex("23 83 00 00 00 00 00 00 84")).isEmpty());
}

TEST(ModuleResponder, SaveThenReadReturnsTheSavedPage) {
    TModuleImage image;
    TModuleResponder r(image);
    QByteArray page(256, 0);
    for (int i = 0; i < 256; ++i) page[i] = char(i);
    EXPECT_EQ(Ask(r, BuildFrame(130, 0x1100, page)), BuildFrame(130, 0x1100, Hex("01")));
    EXPECT_EQ(Ask(r, BuildFrame(131, 0x1100, {})), BuildFrame(131, 0x1100, page));
    // Outside the module's memory: nothing stored, status 0.
    EXPECT_EQ(Ask(r, BuildFrame(130, 0x4FFFF, page)), BuildFrame(130, 0x4FFFF, Hex("00")));
}

TEST(ModuleResponder, FaultFlagsDoWhatTheySay) {
    TModuleImage image;
    const QByteArray read = Hex("23 83 00 00 00 00 00 00 83");
    {
        TFaults f;
        f.silentAfter = 2;
        TModuleResponder r(image, f);
        EXPECT_FALSE(Ask(r, read).isEmpty());
        EXPECT_FALSE(Ask(r, read).isEmpty());
        EXPECT_TRUE(Ask(r, read).isEmpty());
    }
    {
        TFaults f;
        f.dropEvery = 2;
        TModuleResponder r(image, f);
        EXPECT_FALSE(Ask(r, read).isEmpty());
        EXPECT_TRUE(Ask(r, read).isEmpty());
        EXPECT_FALSE(Ask(r, read).isEmpty());
    }
    {
        TFaults f;
        f.corruptEvery = 1;
        TModuleResponder r(image, f);
        const QByteArray good = TModuleResponder(image).Feed(reinterpret_cast<const uint8_t*>(read.constData()), 9);
        const QByteArray bad = Ask(r, read);
        ASSERT_EQ(bad.size(), good.size());
        int diffs = 0;
        for (int i = 0; i < bad.size(); ++i) diffs += bad[i] != good[i];
        EXPECT_EQ(diffs, 1);
        EXPECT_EQ(bad[0], '#');
    }
    {
        TFaults f;
        f.refuseSaves = true;
        TModuleResponder r(image, f);
        EXPECT_EQ(Ask(r, BuildFrame(130, 0, QByteArray(256, 1))), BuildFrame(130, 0, Hex("00")));
        EXPECT_EQ(image.Read(0, 4), QByteArray("5807"));
    }
    {
        TFaults f;
        f.noise = true;
        TModuleResponder r(image, f);
        const QByteArray reply = Ask(r, read);
        EXPECT_EQ(reply.size(), 266);
        EXPECT_NE(reply[0], '#');
    }
}

TEST(ModuleResponder, RandomBytesNeverBreakIt) {
    TModuleImage image;
    TModuleResponder r(image);
    std::mt19937 rng(99);
    std::vector<uint8_t> junk(1 << 20);
    for (auto& b : junk) b = uint8_t(rng() % 4 == 0 ? 0x23 : rng());
    r.Feed(junk.data(), junk.size());
    // Still answers a clean request afterwards (once any half frame is flushed).
    QByteArray reply;
    for (int i = 0; i < 40 && reply.isEmpty(); ++i) reply = Ask(r, Hex("23 04 00 00 00 00 00 00 04"));
    EXPECT_TRUE(reply.endsWith(Hex("23 04 00 00 00 00 00 01 01 04")));
}

TEST(ModuleImage, SeedsAreVariedAndMemoryFileSurvivesARestart) {
    TModuleImage image;
    image.SeedNumbers(40);
    image.SeedHistory(30);
    const QByteArray rec0 = image.Read(0x1000, 32), rec1 = image.Read(0x1020, 32);
    EXPECT_EQ(rec0.mid(22, 8), QByteArray(8, 0x63));  // unrestricted
    EXPECT_NE(rec1.mid(22, 8), QByteArray(8, 0x63));  // restricted
    EXPECT_EQ(image.Read(0x1000 + 40 * 32, 32), QByteArray(32, char(0xFF)));
    EXPECT_NE(image.Read(0x30000 + 29 * 128 + 4, 1), QByteArray(1, 0));
    EXPECT_EQ(image.Read(0x30000 + 30 * 128 + 4, 1), QByteArray(1, 0));

    QTemporaryDir dir;
    const QString file = dir.filePath("module.bin");
    TSimOptions o;
    o.memoryFile = file;
    {
        TModuleSimulator sim(o);
        ASSERT_TRUE(sim.Start());
        const int fd = ::open(sim.Path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        const QByteArray save = BuildFrame(130, 0x100, QByteArray(256, 'Z'));
        ASSERT_EQ(::write(fd, save.constData(), size_t(save.size())), save.size());
        QByteArray got;
        char buf[64];
        ASSERT_TRUE(test::WaitFor([&] {
            const auto n = ::read(fd, buf, sizeof buf);
            if (n > 0) got.append(buf, n);
            return got.size() >= 10;
        }));
        EXPECT_EQ(got, BuildFrame(130, 0x100, Hex("01")));
        ::close(fd);
    }  // the simulator is gone; only the file remains
    TModuleSimulator again(o);
    EXPECT_EQ(again.Memory(0x100, 256), QByteArray(256, 'Z'));
}

} // namespace
