#pragma once
#include "link/reply_shape.h"
#include <array>
#include <cstdint>

namespace portiqa {

// How long one try of a request waits for its reply, learned from the
// replies of this connection. The wire time of the request and its reply is
// known from their lengths and the line's speed; the module's own answer time
// is learned per kind of request as a smoothed mean and variance (the way TCP
// times its retransmissions), never below the slowest answer seen, with a
// backoff after a reply that did not come. Nothing here is ever longer than
// the 3000 ms reply time.
class TReplyClock {
public:
    enum class TKind { Read, Save, Single };
    static TKind KindOf(TReplyShape::TKind reply);

    // A new line: nothing learned, and its speed (bits a second).
    void Forget(uint32_t baud);
    uint32_t Baud() const { return baud_; }
    // Milliseconds the bytes of a frame pair take on the wire (rounded up),
    // 10 bits a byte.
    int WireMs(int requestBytes, int replyBytes) const;
    // How long the line may stay quiet before a frame cut short is given up:
    // the bridge hands bytes over in bursts, so never less than kQuietFloorMs.
    int QuietMs() const;
    static constexpr int kQuietFloorMs = 100;
    static constexpr int kLimitMs = 3000;
    // Added to every learned wait: the operating system's and the bridge's jitter.
    static constexpr int kMarginMs = 25;

    // The wait of one try from what was learned, or -1 when nothing of this
    // kind has answered on this connection yet.
    int LearnedWaitMs(TKind kind, int wireMs) const;
    // A reply to a request sent once came roundTripMs after it was sent.
    void Sample(TKind kind, int roundTripMs, int wireMs);
    // A reply came to a request sent more than once: which try it answers is
    // unknown, so the mean is left alone; it took at least sinceLastMs.
    void SampleAmbiguous(TKind kind, int sinceLastMs, int wireMs);
    // A try went unanswered: the next waits of this kind are doubled until a
    // reply to a request sent once is timed.
    void BackOff(TKind kind);

private:
    struct TEstimate {
        bool sampled = false;
        double mean = 0, variance = 0;  // the answer time, without the wire
        int slowest = 0;
        int backoff = 0;                // doublings
    };
    static void Seen(TEstimate& e, int answer);
    std::array<TEstimate, 3> kinds_{};
    uint32_t baud_ = 115200;
};

} // namespace portiqa
