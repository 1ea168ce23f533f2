// The request sequence on its own: which request a reply answers, when an
// unanswered one is sent again, and what it knows of the module's pages.
#include "fakes.h"
#include "link/protocol.h"
#include "link/frame_assembler.h"
#include "link/request.h"
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

struct RequestTest : ::testing::Test, test::TLinkRig {
    qint64 now = 1000000;
    void SetUp() override { seq.Now = [this] { return now; }; }
    TReplyVerdict Answer(uint8_t cmd, int32_t address, const QByteArray& payload) {
        TValidReply r;
        r.Command = cmd;
        r.Address = address;
        r.Length = uint16_t(payload.size());
        std::copy(payload.begin(), payload.end(), r.Payload.begin());
        return seq.Offer(r);
    }
    void Read(int32_t address) { seq.ReadPage(address, "read"); }
    void Save(int32_t address, const QByteArray& page) {
        seq.SavePage(address, page, "save");
    }
};

// A module counts as alive for a retry while its last answer is at most ten
// seconds plus one reply time old: on the edge it is asked again, one
// millisecond past it the silence is reported at once.
TEST_F(RequestTest, TheAliveWindowForARetryOnBothSidesOfItsEdge) {
    for (const qint64 age : {qint64(TRequestSequence::kAliveMs + kReplyTimeoutMs), qint64(TRequestSequence::kAliveMs + kReplyTimeoutMs + 1)}) {
        seq.ForgetModule();
        Read(0x1000);
        ASSERT_EQ(Answer(kCmdReadPage, 0x1000, QByteArray(256, 1)), TReplyVerdict::Take);
        const qint64 answered = now;
        seq.BeginTransfer();  // the operator's next transfer
        Read(0x1100);
        now = answered + age;
        const bool retried = seq.RetryAfterSilence();
        EXPECT_EQ(retried, age <= TRequestSequence::kAliveMs + kReplyTimeoutMs) << age;
        seq.SetOutstanding(false);
        now += 100000;
    }
}

// A save whose acknowledgement was lost is not a page the module holds: the
// next save writes it again, and a late acknowledgement changes nothing.
TEST_F(RequestTest, AStaleHeldPageAfterLostAcknowledgements) {
    const QByteArray page(256, 7);
    Read(0x1200);
    ASSERT_EQ(Answer(kCmdReadPage, 0x1200, page), TReplyVerdict::Take);
    EXPECT_TRUE(seq.Holds(0x1200, reinterpret_cast<const uint8_t*>(page.constData())));
    const QByteArray changed(256, 9);
    Save(0x1200, changed);
    // The acknowledgement never comes: the time runs out.
    seq.SetOutstanding(false);
    EXPECT_FALSE(seq.Holds(0x1200, reinterpret_cast<const uint8_t*>(page.constData())));
    EXPECT_FALSE(seq.Holds(0x1200, reinterpret_cast<const uint8_t*>(changed.constData())));
    // Its late acknowledgement is nobody's reply.
    EXPECT_EQ(Answer(kCmdSavePage, 0x1200, QByteArray(1, 1)), TReplyVerdict::Unasked);
    EXPECT_FALSE(seq.Holds(0x1200, reinterpret_cast<const uint8_t*>(changed.constData())));
    EXPECT_EQ(seq.PagesWrittenInTransfer(), 0);
    // Saved again and acknowledged: now it is held.
    Save(0x1200, changed);
    EXPECT_EQ(Answer(kCmdSavePage, 0x1200, QByteArray(1, 1)), TReplyVerdict::Take);
    EXPECT_TRUE(seq.Holds(0x1200, reinterpret_cast<const uint8_t*>(changed.constData())));
}

// The handler a request names gets its reply, once; a request that named
// none leaves the reply to nobody.
TEST_F(RequestTest, TheTakenReplyGoesToItsRequestsHandler) {
    std::vector<std::pair<char, int32_t>> got;
    TSendOptions o;
    o.operation = TOperation::Numbers;
    o.onReply = [&](const TReply& r) { got.emplace_back('a', r.address); };
    seq.ReadPage(0, "read", o);
    o.onReply = [&](const TReply& r) { got.emplace_back(r.Accepted() ? 'b' : 'x', r.address); };
    seq.SavePage(0x100, QByteArray(256, 0), "save", o);
    // Only the outstanding request's reply is taken: the earlier read's is late.
    EXPECT_EQ(Answer(kCmdReadPage, 0, QByteArray(256, 0)), TReplyVerdict::Unasked);
    ASSERT_EQ(Answer(kCmdSavePage, 0x100, QByteArray(1, 1)), TReplyVerdict::Take);
    EXPECT_EQ(seq.TakenOperation(), TOperation::Numbers);
    TValidReply reply;
    reply.Command = kCmdSavePage;
    reply.Address = 0x100;
    reply.Length = 1;
    reply.Payload[0] = 1;
    EXPECT_TRUE(seq.Answer(reply));
    EXPECT_FALSE(seq.Answer(reply));  // handed over once
    EXPECT_EQ(got, (std::vector<std::pair<char, int32_t>>{{'b', 0x100}}));
    seq.ReadPage(0x200, "read");
    ASSERT_EQ(Answer(kCmdReadPage, 0x200, QByteArray(256, 0)), TReplyVerdict::Take);
    EXPECT_FALSE(seq.Answer(reply));
}

} // namespace
