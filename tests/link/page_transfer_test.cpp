// The page chain against a small module written here: it reads the request
// frames itself and answers from its own memory, and the replies go through
// the real receiver. Each block's rules come in through the description, so
// the chain is tested with rules made up for the test.
#include "fakes.h"
#include "link/page_transfer.h"
#include "link/receiver.h"
#include "base/texts.h"
#include <gtest/gtest.h>
#include <set>

using namespace portiqa;
using portiqa::test::Hex;

namespace {

struct TSeen {
    uint8_t command;
    int32_t address;
    QByteArray payload;
};

struct PageTransferTest : ::testing::Test, test::TLinkRig {
    TFrameAssembler assembler;
    TValidReply valid;
    TReceiver rx{assembler, valid, seq, progress};
    TPageTransfer transfer{seq, progress};
    QByteArray memory = QByteArray(0x400, char(0xFF));
    std::vector<TSeen> seen;  // every request, in order
    size_t answered = 0;
    std::set<size_t> drop;    // requests (numbered from 0) the module leaves unanswered
    std::function<void(size_t request)> before;  // the module changing its memory first
    std::vector<std::vector<int32_t>> finished;
    std::vector<TLinkFailure> failures;
    qint64 now = 1000000;

    void SetUp() override {
        seq.Now = [this] { return now; };
        rx.SetPageTransfer(&transfer);
        rx.OnFailure = [this](TLinkFailure f) { failures.push_back(f); };
    }
    // Every transfer's end is noted in finished.
    TPageTransfer::TFinished Note() {
        return [this](const std::vector<int32_t>& failed) { finished.push_back(failed); };
    }
    template <class T> T Noted(T d) {
        d.onFinished = Note();
        return d;
    }
    static QByteArray Frame(uint8_t cmd, int32_t address, const QByteArray& payload) {
        QByteArray f;
        f.append(char(0x23)).append(char(cmd));
        for (int shift : {24, 16, 8, 0}) f.append(char((uint32_t(address) >> shift) & 0xFF));
        f.append(char(payload.size() >> 8)).append(char(payload.size() & 0xFF)).append(payload);
        uint8_t x = 0;
        for (int i = 1; i < f.size(); ++i) x ^= uint8_t(f[i]);
        return f.append(char(x));
    }
    // Answers every request sent so far, and those its replies lead to.
    void Run() {
        for (int guard = 0; guard < 1000 && answered < port.frames.size(); ++guard) {
            const QByteArray f = port.frames[answered];
            const size_t n = answered++;
            const auto* d = reinterpret_cast<const uint8_t*>(f.constData());
            const int32_t address = int32_t(uint32_t(d[2]) << 24 | uint32_t(d[3]) << 16 | uint32_t(d[4]) << 8 | d[5]);
            seen.push_back({d[1], address, f.mid(8, d[6] << 8 | d[7])});
            if (before) before(n);
            if (drop.count(n)) continue;
            QByteArray payload;
            if (d[1] == 131) {
                payload = memory.mid(address, 256);
            } else {
                memory.replace(address, 256, seen.back().payload);
                payload = QByteArray(1, 1);
            }
            const QByteArray reply = Frame(d[1], address, payload);
            rx.OnBytes(reinterpret_cast<const uint8_t*>(reply.constData()), int(reply.size()));
        }
    }
    std::vector<std::pair<uint8_t, int32_t>> Requests(size_t from = 0) const {
        std::vector<std::pair<uint8_t, int32_t>> r;
        for (size_t i = from; i < seen.size(); ++i) r.emplace_back(seen[i].command, seen[i].address);
        return r;
    }
    QByteArray PageOf(char fill) const { return QByteArray(256, fill); }
    // Makes the sequence know the module's pages, as a read does.
    void ReadFirst(std::vector<int32_t> pages) {
        transfer.StartRead(std::move(pages), {}, QStringLiteral("read"), Note());
        Run();
        finished.clear();
    }
};

using R = std::vector<std::pair<uint8_t, int32_t>>;

TEST_F(PageTransferTest, ReadsInOrderTwiceWhereAskedAndEndsOnce) {
    memory.replace(0x100, 256, PageOf('b'));
    std::vector<int32_t> got;
    TPageTransfer::TReading reading;
    reading.statusText = QStringLiteral("read");
    reading.progressLabel = QStringLiteral("L:");
    reading.operation = TOperation::Numbers;
    reading.onPage = [&](int32_t address, const uint8_t* page) {
        got.push_back(address);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(page), 256), memory.mid(address, 256));
    };
    transfer.StartRead({0x100, 0x000, 0x200}, {0x000}, Noted(reading));
    EXPECT_TRUE(transfer.TransferRunning());
    Run();
    EXPECT_EQ(Requests(), (R{{131, 0x100}, {131, 0x000}, {131, 0x000}, {131, 0x200}}));
    EXPECT_EQ(got, (std::vector<int32_t>{0x100, 0x000, 0x200}));
    EXPECT_EQ(finished, (std::vector<std::vector<int32_t>>{{}}));
    EXPECT_EQ(display.Text(), "L:3/3");
    EXPECT_FALSE(transfer.TransferRunning());
    EXPECT_EQ(transfer.Operation(), TOperation::Numbers);
    EXPECT_TRUE(transfer.Pages.empty());  // the pages went to the block

    // Without a callback the pages are kept; a label without a count stays alone.
    reading.onPage = {};
    reading.counted = false;
    transfer.StartRead({0x300}, {}, Noted(reading));
    Run();
    EXPECT_EQ(transfer.Pages.at(0x300), PageOf(char(0xFF)));
    EXPECT_EQ(display.Text(), "L:");
    EXPECT_EQ(finished.size(), 2u);
}

TEST_F(PageTransferTest, WriteLeavesOutWhatTheModuleHoldsAndReadsBackWhatItWrote) {
    ReadFirst({0x000, 0x100, 0x200});
    const size_t mark = seen.size();
    transfer.StartWrite({{0x000, PageOf(char(0xFF))}, {0x100, PageOf('x')}, {0x200, PageOf('y')}, {0x300, QByteArray(5, 'z')}},
                        QStringLiteral("write"), QString(), Note());
    Run();
    // Page 0 is held; a page of the wrong size is never sent.
    EXPECT_EQ(Requests(mark), (R{{130, 0x100}, {130, 0x200}, {131, 0x100}, {131, 0x200}}));
    EXPECT_EQ(transfer.Sent, (std::set<int32_t>{0x100, 0x200}));
    EXPECT_EQ(transfer.PagesWritten(), 2);
    EXPECT_EQ(finished, (std::vector<std::vector<int32_t>>{{}}));
    EXPECT_EQ(memory.mid(0x200, 256), PageOf('y'));

    // A block's own rule for what the module holds replaces the byte comparison.
    TPageTransfer::TWriting w;
    w.statusText = QStringLiteral("write");
    w.holds = [](int32_t address, const uint8_t*) { return address == 0x100; };
    const size_t mark2 = seen.size();
    transfer.StartWrite({{0x100, PageOf('p')}, {0x200, PageOf('y')}}, Noted(w));
    Run();
    EXPECT_EQ(Requests(mark2), (R{{130, 0x200}, {131, 0x200}}));
}

// A page read just before it is written: what the block makes of the read
// decides what is written, if anything.
TEST_F(PageTransferTest, ACheckBeforeWriteDecidesWhatIsWritten) {
    using C = TPageTransfer::TCheck;
    struct Case {
        const char* what;
        std::vector<C> answers;  // the block's verdict on each read
        R requests;              // after the write starts
        char stored;             // page 0x100 in the module afterwards
    };
    const Case cases[] = {
        {"as it was: written", {C::Write}, {{131, 0x100}, {130, 0x100}, {130, 0x200}, {131, 0x100}, {131, 0x200}}, 'x'},
        {"changed: read twice, then written", {C::ReadTwice, C::Write},
         {{131, 0x100}, {131, 0x100}, {131, 0x100}, {130, 0x100}, {130, 0x200}, {131, 0x100}, {131, 0x200}}, 'x'},
        {"a conflict: left out", {C::Skip}, {{131, 0x100}, {130, 0x200}, {131, 0x200}}, 'm'},
        {"still unsure after two reads: left out", {C::ReadTwice, C::ReadTwice},
         {{131, 0x100}, {131, 0x100}, {131, 0x100}, {130, 0x200}, {131, 0x200}}, 'm'},
        {"the module's own page kept: nothing to write", {C::Write},
         {{131, 0x100}, {130, 0x200}, {131, 0x200}}, 'm'},
    };
    for (const Case& c : cases) {
        memory.fill(char(0xFF));
        ReadFirst({0x100, 0x200});
        memory.replace(0x100, 256, PageOf('m'));  // the module changed page 0x100 itself
        std::vector<bool> twice;
        size_t verdict = 0;
        TPageTransfer::TWriting w;
        w.statusText = QStringLiteral("write");
        w.checkFirst = [](int32_t address, const QByteArray&) { return address == 0x100; };
        w.checked = [&](int32_t address, const uint8_t* fresh, bool readTwice, QByteArray& page) {
            EXPECT_EQ(address, 0x100) << c.what;
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(fresh), 256), PageOf('m')) << c.what;
            twice.push_back(readTwice);
            // The last case takes the module's bytes over the table's.
            if (QByteArray(c.what).startsWith("the module's")) page = PageOf('m');
            return c.answers[std::min(verdict++, c.answers.size() - 1)];
        };
        const size_t mark = seen.size();
        transfer.StartWrite({{0x100, PageOf('x')}, {0x200, PageOf('y')}}, Noted(w));
        Run();
        EXPECT_EQ(Requests(mark), c.requests) << c.what;
        EXPECT_EQ(memory.mid(0x100, 256), PageOf(c.stored)) << c.what;
        EXPECT_EQ(twice.front(), false) << c.what;
        if (twice.size() > 1) {
            EXPECT_EQ(twice[1], true) << c.what;
        }
        EXPECT_EQ(finished, (std::vector<std::vector<int32_t>>{{}})) << c.what;
        EXPECT_TRUE(failures.empty()) << c.what;
    }
}

TEST_F(PageTransferTest, AnEndedReadSaysSoOnceAndALateReplyGoesNowhere) {
    int aborted = 0, pages = 0;
    TPageTransfer::TReading reading;
    reading.statusText = QStringLiteral("read");
    reading.progressLabel = QStringLiteral("L:");
    reading.onPage = [&](int32_t, const uint8_t*) { ++pages; };
    reading.onAbort = [&] { ++aborted; };
    drop = {1};
    transfer.StartRead({0x000, 0x100, 0x200}, {}, Noted(reading));
    Run();
    EXPECT_EQ(pages, 1);
    ASSERT_TRUE(rx.CancelTransfer());
    EXPECT_EQ(aborted, 1);
    EXPECT_FALSE(transfer.TransferRunning());
    EXPECT_EQ(failures, std::vector<TLinkFailure>{TLinkFailure::Cancelled});
    // The reply the module sends late is for nothing owed: no page, no request.
    const QByteArray late = Frame(131, 0x100, memory.mid(0x100, 256));
    rx.OnBytes(reinterpret_cast<const uint8_t*>(late.constData()), int(late.size()));
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(port.frames.size(), 2u);
    EXPECT_TRUE(finished.empty());
    // A write that ends early has no read to say it of.
    drop = {3};
    transfer.StartWrite({{0x000, PageOf('w')}}, QStringLiteral("write"), QString(), Note());
    Run();
    ASSERT_TRUE(rx.CancelTransfer());
    EXPECT_EQ(aborted, 1);
}

// A write that follows the read of one operation is one transfer: a module
// that answered the read a while ago (the operator read the question slowly)
// still counts as alive, so a lost acknowledgement is asked for again.
TEST_F(PageTransferTest, AWriteThatContinuesItsReadRetriesALostAcknowledgement) {
    for (bool continues : {true, false}) {
        seen.clear();
        failures.clear();
        ReadFirst({0x000});
        now += TRequestSequence::kAliveMs + 60000;
        TPageTransfer::TWriting w;
        w.statusText = QStringLiteral("write");
        w.continuesTransfer = continues;
        drop = {answered};  // the first save's acknowledgement is lost
        transfer.StartWrite({{0x000, PageOf(char(continues ? 'c' : 'n'))}}, Noted(w));
        Run();
        replyTimer.FireNow();  // the try's wait runs out
        Run();
        if (continues) {
            EXPECT_EQ(Requests(1), (R{{130, 0x000}, {130, 0x000}, {131, 0x000}}));
            EXPECT_TRUE(failures.empty());
            EXPECT_EQ(memory.mid(0, 256), PageOf('c'));
        } else {
            EXPECT_EQ(Requests(1), (R{{130, 0x000}}));
            EXPECT_EQ(failures, std::vector<TLinkFailure>{TLinkFailure::ReplyTimeout});
        }
        finished.clear();
    }
}

} // namespace
