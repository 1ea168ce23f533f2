#include "link/frame_assembler.h"
#include <algorithm>

namespace portiqa {

namespace {
constexpr int kLengthLowIndex = 6;  // RawBytes index of the length's low byte
}

TFrameAssembler::TStep TFrameAssembler::Feed(uint8_t b) {
    if (!Receiving) {
        if (b != kFrameStart) return TStep::Dropped;
        Receiving = 1;
        ByteCount = 0;
        return TStep::Started;
    }
    RawBytes[ByteCount] = b;
    if (ByteCount == kLengthLowIndex) {
        PayloadLength = RawBytes[5] * 256 + RawBytes[6];
        // No frame carries more than a page: drop it now rather than
        // waiting for bytes that would run past every buffer.
        if (PayloadLength > kMaxPayload) {
            PayloadLength = 0;
            Reset();
            return TStep::Invalid;
        }
    }
    ++ByteCount;
    if (ByteCount <= kLengthLowIndex + 1 || ByteCount != PayloadLength + 8) return TStep::Stored;

    const int n = PayloadLength;
    ReceivedChecksum = RawBytes[7 + n];
    Command = RawBytes[0];
    std::copy(RawBytes.begin() + 1, RawBytes.begin() + 5, address.begin());
    std::copy(RawBytes.begin() + 5, RawBytes.begin() + 7, length.begin());
    std::copy(RawBytes.begin() + 7, RawBytes.begin() + 7 + n, payload.begin());
    ComputeChecksum();
    Reset();
    return checksum == ReceivedChecksum ? TStep::Complete : TStep::Invalid;
}

int32_t TFrameAssembler::HeaderAddress() const {
    return static_cast<int32_t>(static_cast<uint32_t>(RawBytes[1]) << 24 | static_cast<uint32_t>(RawBytes[2]) << 16 |
                                static_cast<uint32_t>(RawBytes[3]) << 8 | RawBytes[4]);
}

void TFrameAssembler::CopyTo(TValidReply& valid) const {
    valid.Command = RawBytes[0];
    valid.Address = HeaderAddress();
    valid.Length = static_cast<uint16_t>(PayloadLength);
    std::copy(payload.begin(), payload.begin() + PayloadLength, valid.Payload.begin());
    // Nothing of an earlier reply stays behind a shorter one.
    std::fill(valid.Payload.begin() + PayloadLength, valid.Payload.end(), uint8_t(0));
}

} // namespace portiqa
