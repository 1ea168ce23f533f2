#pragma once
#include <QString>
#include <cstdint>

namespace portiqa {

// A module behind a serial device server, named where a port is taken:
// "socket://HOST:PORT" (raw TCP, bytes as they are) or "rfc2217://HOST:PORT"
// (Telnet with the COM Port Control Option, which sets the far line).
struct TNetAddress {
    enum class TKind { Raw, Rfc2217 };
    TKind kind = TKind::Raw;
    QString host;       // a name, an IPv4 address or an IPv6 one (brackets removed)
    uint16_t port = 0;

    // True when the name is written as an address (whether or not it is a good one).
    static bool LooksLike(const QString& name);
    // Reads "socket://HOST:PORT" or "rfc2217://HOST:PORT"; on failure, why in words.
    static bool Parse(const QString& name, TNetAddress& out, QString& why);
    // This computer's own addresses (localhost, 127.0.0.0/8, ::1): traffic that never leaves it.
    bool IsLoopback() const;
    QString ToString() const;
};

} // namespace portiqa
