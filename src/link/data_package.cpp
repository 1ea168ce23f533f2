#include "link/data_package.h"
#include <algorithm>

namespace portiqa {

void TDataPackage::SetLength(int32_t value) {
    length[0] = static_cast<uint8_t>((value >> 8) & 0xFF);
    length[1] = static_cast<uint8_t>(value & 0xFF);
}

void TDataPackage::SetAddress(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k) address[k] = static_cast<uint8_t>((v >> (24 - 8 * k)) & 0xFF);
}

void TDataPackage::SetPayload(const uint8_t* data) {
    const int n = std::min(PayloadLengthField(), kMaxPayload);
    std::copy(data, data + n, payload.begin());
}

void TDataPackage::ComputeChecksum() {
    uint8_t x = Command;
    for (uint8_t b : address) x ^= b;
    for (uint8_t b : length) x ^= b;
    const int n = std::min(PayloadLengthField(), kMaxPayload);
    for (int i = 0; i < n; ++i) x ^= payload[i];
    checksum = x;
}

void TDataPackage::BuildFrame() {
    const int n = std::min(PayloadLengthField(), kMaxPayload);
    FrameLength = n + 9;
    FrameBuffer[0] = kFrameStart;
    FrameBuffer[1] = Command;
    std::copy(address.begin(), address.end(), FrameBuffer.begin() + 2);
    std::copy(length.begin(), length.end(), FrameBuffer.begin() + 6);
    std::copy(payload.begin(), payload.begin() + n, FrameBuffer.begin() + 8);
    ComputeChecksum();
    FrameBuffer[8 + n] = checksum;
}

} // namespace portiqa
