// Device servers on Windows: a non-blocking Winsock TCP socket, waited for
// with select in short rounds so that the port's close event is seen too.
#include "link/comm_backend.h"
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#undef CreateEvent
#include <algorithm>
#include <chrono>
#include <string>

namespace portiqa::commio {

namespace {

SOCKET S(Handle h) { return static_cast<SOCKET>(h); }

std::string SocketText(int err) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, DWORD(err), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n && text ? std::string(text, n) : "error " + std::to_string(err);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

bool Started() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// select on one socket for at most ms: 1 ready, 0 not yet, -1 failed.
int Ready(Handle socket, bool forWrite, int ms) {
    fd_set set, errors;
    FD_ZERO(&set);
    FD_ZERO(&errors);
    FD_SET(S(socket), &set);
    FD_SET(S(socket), &errors);
    timeval t{ms / 1000, (ms % 1000) * 1000};
    const int r = ::select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, &errors, &t);
    if (r == SOCKET_ERROR) return -1;
    return r > 0 ? 1 : 0;
}

} // namespace

OpenResult Connect(const std::string& host, uint16_t port, int timeoutMs, Handle& handle, std::string& reason) {
    handle = kNoHandle;
    const std::string where = host + ":" + std::to_string(port);
    if (!Started()) {
        reason = where + ": the system's network is not available";
        return OpenResult::CannotOpen;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int e = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found); e != 0) {
        reason = where + ": " + SocketText(e);
        return OpenResult::CannotOpen;
    }
    reason = where + ": no address";
    for (addrinfo* a = found; a; a = a->ai_next) {
        const SOCKET s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        u_long nonBlocking = 1;
        ::ioctlsocket(s, FIONBIO, &nonBlocking);
        int err = ::connect(s, a->ai_addr, int(a->ai_addrlen)) == 0 ? 0 : ::WSAGetLastError();
        if (err == WSAEWOULDBLOCK) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            const int r = Ready(Handle(s), true, int(std::max<long long>(0, left.count())));
            int len = sizeof err;
            if (r == 0) err = WSAETIMEDOUT;
            else if (r < 0 || ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len) != 0)
                err = ::WSAGetLastError();
        }
        if (err == 0) {
            const BOOL one = TRUE;
            ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
            ::setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&one), sizeof one);
            ::freeaddrinfo(found);
            handle = Handle(s);
            return OpenResult::Ok;
        }
        reason = where + ": " + (err == WSAETIMEDOUT ? "no answer within " + std::to_string(timeoutMs / 1000) + " s"
                                                     : SocketText(err));
        ::closesocket(s);
    }
    ::freeaddrinfo(found);
    return OpenResult::CannotOpen;
}

void CloseSocket(Handle socket) {
    if (socket != kNoHandle) ::closesocket(S(socket));
}

WaitResult WaitSocket(Handle socket, Event event, bool forWrite) {
    for (;;) {
        if (EventSignalled(event)) return WaitResult::Event;
        const int r = Ready(socket, forWrite, 20);
        if (r < 0) return WaitResult::HangUp;
        if (r > 0) return WaitResult::Ready;
    }
}

bool SocketReadable(Handle socket, int timeoutMs) { return Ready(socket, false, timeoutMs) != 0; }

IoResult Receive(Handle socket, uint8_t* buffer, size_t size, size_t& count) {
    count = 0;
    const int n = ::recv(S(socket), reinterpret_cast<char*>(buffer), int(std::min<size_t>(size, 65536)), 0);
    if (n > 0) {
        count = size_t(n);
        return IoResult::Ok;
    }
    if (n == 0) return IoResult::HangUp;
    return ::WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::WouldBlock : IoResult::HangUp;
}

IoResult Send(Handle socket, const uint8_t* data, size_t size, size_t& count) {
    count = 0;
    const int n = ::send(S(socket), reinterpret_cast<const char*>(data), int(std::min<size_t>(size, 65536)), 0);
    if (n >= 0) {
        count = size_t(n);
        return IoResult::Ok;
    }
    return ::WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::WouldBlock : IoResult::HangUp;
}

} // namespace portiqa::commio
