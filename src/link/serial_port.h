#pragma once
#include <cstdint>

namespace portiqa {

// What the request sequence needs of the serial port: a write that copies the
// bytes, queues them and returns at once.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;
    virtual bool Write(const uint8_t* data, uint16_t size) = 0;
};

// A port that takes every frame and sends it nowhere.
class TNullPort : public ISerialPort {
public:
    bool Write(const uint8_t*, uint16_t) override { return true; }
};

} // namespace portiqa
