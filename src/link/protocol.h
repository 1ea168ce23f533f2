#pragma once
#include <cstdint>

namespace portiqa {

// Frame: '#', command, 4-byte big-endian address, 2-byte big-endian length,
// up to 256 payload bytes, XOR checksum of everything after the '#'.
constexpr uint8_t kFrameStart = 0x23;
constexpr int kFrameHeader = 8;      // start byte, command, address, length
constexpr int kMaxPayload = 256;
constexpr int kMaxFrame = kMaxPayload + 9;
constexpr int kPageSize = 0x100;

// The link's own requests; every other command comes with its reply's shape.
enum TCommandCode : uint8_t {
    kCmdSavePage = 130,
    kCmdReadPage = 131,
};

// Device address space.
constexpr int32_t kSettingsBase = 0x0;
constexpr int kSettingsPages = 2;
constexpr int32_t kNumbersBase = 0x1000;
constexpr int kNumberPages = 375;
constexpr int32_t kHistoryBase = 0x30000;
constexpr int kHistoryPages = 500;
constexpr int32_t kModuleMemorySize = 0x50000;

// Replies are routed by address class: settings below 0x1000 (an address with
// its top bit set counts as negative, so as settings), numbers up to 0x2FFFF,
// history from 0x30000 on.
enum class TAddressClass { Settings, Numbers, History };
inline TAddressClass ClassifyAddress(int32_t address) {
    if (address < kNumbersBase) return TAddressClass::Settings;
    if (address < kHistoryBase) return TAddressClass::Numbers;
    return TAddressClass::History;
}

inline int32_t SettingsPageAddress(int page) { return (page - 1) * kPageSize; }
inline int32_t NumberPageAddress(int page) { return page * 256 + 0xF00; }
inline int32_t HistoryPageAddress(int page) { return page * 256 + 0x2FF00; }

} // namespace portiqa
