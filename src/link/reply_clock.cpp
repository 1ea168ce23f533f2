#include "link/reply_clock.h"
#include "link/protocol.h"
#include <algorithm>
#include <cmath>

namespace portiqa {

TReplyClock::TKind TReplyClock::KindOf(TReplyShape::TKind reply) {
    if (reply == TReplyShape::TKind::Page) return TKind::Read;
    if (reply == TReplyShape::TKind::Save) return TKind::Save;
    return TKind::Single;
}

void TReplyClock::Forget(uint32_t baud) {
    kinds_ = {};
    baud_ = baud ? baud : 115200;
}

int TReplyClock::WireMs(int requestBytes, int replyBytes) const {
    const int64_t bits = int64_t(requestBytes + replyBytes) * 10;
    return int((bits * 1000 + baud_ - 1) / baud_);
}

int TReplyClock::QuietMs() const { return std::max(kQuietFloorMs, int((20LL * 10 * 1000 + baud_ - 1) / baud_)); }

int TReplyClock::LearnedWaitMs(TKind kind, int wireMs) const {
    const TEstimate& e = kinds_[size_t(kind)];
    if (!e.sampled) return -1;
    // RFC 6298: the mean plus four deviations, here never under the slowest
    // answer this kind has given on this line.
    const double answer = std::max(e.mean + 4 * e.variance, double(e.slowest));
    const double wait = (wireMs + answer + kMarginMs) * double(1 << e.backoff);
    return int(std::min<double>(std::ceil(wait), kLimitMs));
}

void TReplyClock::Sample(TKind kind, int roundTripMs, int wireMs) {
    TEstimate& e = kinds_[size_t(kind)];
    const int answer = std::max(0, roundTripMs - wireMs);
    if (e.sampled) {
        e.variance = 0.75 * e.variance + 0.25 * std::abs(e.mean - answer);
        e.mean = 0.875 * e.mean + 0.125 * answer;
    }
    Seen(e, answer);
    e.backoff = 0;
}

void TReplyClock::SampleAmbiguous(TKind kind, int sinceLastMs, int wireMs) {
    // The mean stays; the backoff stays until a reply to a request sent once.
    Seen(kinds_[size_t(kind)], std::max(0, sinceLastMs - wireMs));
}

void TReplyClock::Seen(TEstimate& e, int answer) {
    if (!e.sampled) {  // the first reply of its kind: a starting point
        e.mean = answer;
        e.variance = answer / 2.0;
        e.sampled = true;
    }
    e.slowest = std::max(e.slowest, answer);
}

void TReplyClock::BackOff(TKind kind) {
    TEstimate& e = kinds_[size_t(kind)];
    e.backoff = std::min(e.backoff + 1, 4);
}

} // namespace portiqa
