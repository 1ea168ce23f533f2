// A TCP relay on the loopback that puts a network between the program and a
// device server: each byte waits half the round trip each way. Stopped
// (SIGSTOP) it is a half-open connection: both ends open, nothing passes;
// killed, a dropped one.
//
//   net_relay --to PORT [--rtt MS]
//
// Prints the port it listens on (127.0.0.1), then serves one connection at a
// time until killed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct TChunk {
    Clock::time_point due;
    std::vector<char> bytes;
};

sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(port));
    return a;
}

bool SendAll(int fd, const std::vector<char>& b) {
    for (size_t done = 0; done < b.size();) {
        const ssize_t n = ::send(fd, b.data() + done, b.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Relays one connection; returns when either end closes.
void Serve(int client, int to, int rttMs) {
    const int upstream = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = Loopback(to);
    if (::connect(upstream, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        ::close(upstream);
        return;
    }
    const int one = 1;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ::setsockopt(upstream, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    const auto half = std::chrono::microseconds(rttMs * 500);
    const int fds[2] = {client, upstream};
    std::deque<TChunk> toward[2];  // [0]: to the client, [1]: to the server
    for (;;) {
        int wait = -1;
        const auto now = Clock::now();
        for (auto& q : toward)
            if (!q.empty()) {
                const int ms = int(std::chrono::duration_cast<std::chrono::milliseconds>(q.front().due - now).count()) + 1;
                wait = wait < 0 ? std::max(ms, 0) : std::min(wait, std::max(ms, 0));
            }
        pollfd p[2] = {{client, POLLIN, 0}, {upstream, POLLIN, 0}};
        if (::poll(p, 2, wait) < 0) break;
        bool closed = false;
        for (int side = 0; side < 2; ++side) {
            if (!(p[side].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            std::vector<char> b(4096);
            const ssize_t n = ::recv(fds[side], b.data(), b.size(), 0);
            if (n <= 0) {
                closed = true;
                break;
            }
            b.resize(size_t(n));
            toward[side == 0 ? 1 : 0].push_back({Clock::now() + half, std::move(b)});
        }
        if (closed) break;
        for (int side = 0; side < 2; ++side)
            while (!toward[side].empty() && toward[side].front().due <= Clock::now()) {
                if (!SendAll(fds[side], toward[side].front().bytes)) closed = true;
                toward[side].pop_front();
            }
        if (closed) break;
    }
    ::close(upstream);
}

} // namespace

int main(int argc, char** argv) {
    int to = 0, rtt = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--to") to = std::atoi(value.c_str());
        else if (key == "--rtt") rtt = std::atoi(value.c_str());
    }
    if (to <= 0 || rtt < 0) {
        std::fprintf(stderr, "usage: net_relay --to PORT [--rtt MS]\n");
        return 2;
    }
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        std::perror("net_relay");
        return 1;
    }
    std::printf("%d\n", ntohs(a.sin_port));
    std::fflush(stdout);
    for (;;) {
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) continue;
        Serve(client, to, rtt);
        ::close(client);
    }
}
