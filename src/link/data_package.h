#pragma once
#include "link/protocol.h"
#include <array>
#include <cstdint>

namespace portiqa {

// Builds one frame. The address and the length are held in frame order
// (most significant byte first).
class TDataPackage {
public:
    void SetCommand(uint8_t value) { Command = value; }
    void SetLength(int32_t value);
    void SetAddress(int32_t value);
    // Copies as many bytes as the stored length says; data holds at least that many.
    void SetPayload(const uint8_t* data);
    void ComputeChecksum();
    void BuildFrame();

    int PayloadLengthField() const { return length[0] * 256 + length[1]; }

    uint8_t Command = 0;
    std::array<uint8_t, 4> address{};
    std::array<uint8_t, 2> length{};
    std::array<uint8_t, kMaxPayload> payload{};
    uint8_t checksum = 0;
    std::array<uint8_t, kMaxFrame> FrameBuffer{};
    int32_t FrameLength = 0;
};

} // namespace portiqa
