// Device servers on POSIX systems: a non-blocking TCP socket waited for with
// poll, like the terminal device it stands in for.
#include "link/comm_backend.h"
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace portiqa::commio {

OpenResult Connect(const std::string& host, uint16_t port, int timeoutMs, Handle& handle, std::string& reason) {
    handle = kNoHandle;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string where = host + ":" + std::to_string(port);
    if (const int e = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found); e != 0) {
        reason = where + ": " + ::gai_strerror(e);
        return OpenResult::CannotOpen;
    }
    reason = where + ": no address";
    for (addrinfo* a = found; a; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        int err = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (err == EINPROGRESS) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fd, POLLOUT, 0};
            int r;
            do r = ::poll(&p, 1, int(std::max<long long>(0, left.count())));
            while (r < 0 && errno == EINTR);
            socklen_t len = sizeof err;
            if (r == 0) err = ETIMEDOUT;
            else if (r < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
        }
        if (err == 0) {
            const int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &one, sizeof one);
            ::setsockopt(fd, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
            ::freeaddrinfo(found);
            handle = fd;
            return OpenResult::Ok;
        }
        reason = where + ": " + (err == ETIMEDOUT ? "no answer within " + std::to_string(timeoutMs / 1000) + " s"
                                                  : std::string(std::strerror(err)));
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return OpenResult::CannotOpen;
}

void CloseSocket(Handle socket) {
    if (socket >= 0) ::close(socket);
}

WaitResult WaitSocket(Handle socket, Event event, bool forWrite) { return WaitPort(socket, event, forWrite); }

bool SocketReadable(Handle socket, int timeoutMs) {
    pollfd p{socket, POLLIN, 0};
    int r;
    do r = ::poll(&p, 1, timeoutMs);
    while (r < 0 && errno == EINTR);
    return r > 0;
}

IoResult Receive(Handle socket, uint8_t* buffer, size_t size, size_t& count) {
    count = 0;
    const ssize_t n = ::recv(socket, buffer, size, 0);
    if (n > 0) {
        // Acknowledged at once: a device server that waits for the
        // acknowledgement before sending the rest of a reply (Nagle's rule
        // against a delayed acknowledgement) would add tens of milliseconds
        // to every page. Linux turns this off again by itself.
        const int one = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
        count = size_t(n);
        return IoResult::Ok;
    }
    if (n == 0) return IoResult::HangUp;
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return IoResult::WouldBlock;
    return IoResult::HangUp;  // reset, unreachable: the connection is gone
}

IoResult Send(Handle socket, const uint8_t* data, size_t size, size_t& count) {
    count = 0;
    // A connection the far side closed fails the send; it never raises SIGPIPE.
    const ssize_t n = ::send(socket, data, size, MSG_NOSIGNAL);
    if (n >= 0) {
        count = size_t(n);
        return IoResult::Ok;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return IoResult::WouldBlock;
    return IoResult::HangUp;
}

} // namespace portiqa::commio
