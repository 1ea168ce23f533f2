#pragma once
#include <cstdint>

namespace portiqa {

// What the request sequence needs of the serial port: a write that copies the
// bytes, queues them and returns at once.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;
    virtual bool WriteCommBuffer(const uint8_t* data, uint16_t size) = 0;
};

} // namespace portiqa
