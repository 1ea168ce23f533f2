#pragma once
#include "link/data_package.h"
#include <array>
#include <cstdint>

namespace portiqa {

// The last valid reply, overwritten by each one.
struct TValidReply {
    uint8_t Command = 0;
    int32_t Address = 0;
    uint16_t Length = 0;
    std::array<uint8_t, kMaxPayload> Payload{};
};

// Assembles incoming frames one byte at a time.
class TFrameAssembler : public TDataPackage {
public:
    enum class TStep {
        Dropped,     // a byte outside any frame that is not '#'
        Started,     // '#' opened a frame
        Stored,      // a byte of a frame that is not complete yet
        Complete,    // the frame is whole and its checksum is right
        Invalid,     // wrong checksum, or a length field above 256
    };

    TStep Feed(uint8_t b);
    void Reset() { ByteCount = 0; Receiving = 0; }
    // Fills the record of the last valid reply from the frame just completed.
    void CopyTo(TValidReply& valid) const;
    // The address field of the frame just ended (whole or not).
    int32_t HeaderAddress() const;

    uint8_t Receiving = 0;
    int32_t ReceivedChecksum = 0;
    std::array<uint8_t, 304> RawBytes{};
    int32_t ByteCount = 0;
    int32_t PayloadLength = 0;
};

} // namespace portiqa
