#include "link/comm_termios.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace portiqa::commio {

namespace {

struct BaudPair { uint32_t rate; speed_t code; };
constexpr BaudPair kBauds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

std::string Explain(const std::string& path, int err) {
    std::string text = path + ": " + std::strerror(err);
    if (err == EACCES || err == EPERM)
        text += " (the user may need to be in the dialout group)";
    else if (err == EBUSY || err == EWOULDBLOCK)
        text += " (the port is held by another program, for example ModemManager or brltty)";
    return text;
}

} // namespace

std::string DevicePath(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    return "/dev/" + name;
}

OpenResult Open(const std::string& path, Handle& handle, std::string& reason) {
    handle = kNoHandle;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = Explain(path, errno);
        return OpenResult::CannotOpen;
    }
    if (!::isatty(fd)) {
        reason = path + ": not a terminal device";
        ::close(fd);
        return OpenResult::NotACommDevice;
    }
    // Exclusive access: TIOCEXCL stops later opens by other users, the lock
    // stops programs that take it too (root ignores TIOCEXCL).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = Explain(path, EBUSY);
        ::close(fd);
        return OpenResult::CannotOpen;
    }
    ::ioctl(fd, TIOCEXCL);
    handle = fd;
    return OpenResult::Ok;
}

void Close(Handle handle) {
    if (handle < 0) return;
    ::ioctl(handle, TIOCNXCL);
    ::close(handle);
}

bool BuildTermios(const LineSettings& s, termios& t, std::string& reason) {
    speed_t code = 0;
    for (const auto& b : kBauds)
        if (b.rate == s.baudRate) code = b.code;
    if (code == 0) {
        reason = "the line cannot run at " + std::to_string(s.baudRate) + " baud";
        return false;
    }
    if (s.dataBits < 5 || s.dataBits > 8) {
        reason = std::to_string(s.dataBits) + " data bits is not a line setting";
        return false;
    }
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, code);
    ::cfsetospeed(&t, code);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    t.c_cflag |= CLOCAL | CREAD;
    switch (s.dataBits) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
    }
    switch (s.parity) {
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (s.stopBits != 0) t.c_cflag |= CSTOPB;
    if (s.ctsFlow || s.rtsFlow) t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (s.xonXoffOut) t.c_iflag |= IXON;
    if (s.xonXoffIn) t.c_iflag |= IXOFF;
    if (s.parityCheck) t.c_iflag |= INPCK;
    t.c_cc[VSTART] = s.xonChar;
    t.c_cc[VSTOP] = s.xoffChar;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return true;
}

bool ApplyLineSettings(Handle handle, const LineSettings& s, std::string& reason) {
    termios t{};
    if (::tcgetattr(handle, &t) != 0) {
        reason = std::string("reading the line settings: ") + std::strerror(errno);
        return false;
    }
    if (!BuildTermios(s, t, reason)) return false;
    if (::tcsetattr(handle, TCSANOW, &t) != 0) {
        reason = std::string("setting the line: ") + std::strerror(errno);
        return false;
    }
    // tcsetattr succeeds when any one change took: read back the speed.
    termios now{};
    if (::tcgetattr(handle, &now) == 0 && ::cfgetospeed(&now) != ::cfgetospeed(&t)) {
        reason = "the device did not take " + std::to_string(s.baudRate) + " baud";
        return false;
    }
    // Modem lines: a pseudo-terminal has none, so failures here are ignored.
    int dtr = TIOCM_DTR, rts = TIOCM_RTS;
    ::ioctl(handle, s.dtrActive ? TIOCMBIS : TIOCMBIC, &dtr);
    if (!s.rtsFlow) ::ioctl(handle, s.rtsActive ? TIOCMBIS : TIOCMBIC, &rts);
    return true;
}

std::string SaveLineState(Handle handle) {
    termios t{};
    if (::tcgetattr(handle, &t) != 0) return {};
    return std::string(reinterpret_cast<const char*>(&t), sizeof t);
}

void RestoreLineState(Handle handle, const std::string& saved) {
    if (handle < 0 || saved.size() != sizeof(termios)) return;
    termios t{};
    std::memcpy(&t, saved.data(), sizeof t);
    ::tcsetattr(handle, TCSANOW, &t);
}

bool ReadLineSettings(Handle handle, LineSettings& s) {
    termios t{};
    if (::tcgetattr(handle, &t) != 0) return false;
    const speed_t code = ::cfgetospeed(&t);
    for (const auto& b : kBauds)
        if (b.code == code) s.baudRate = b.rate;
    switch (t.c_cflag & CSIZE) {
    case CS5: s.dataBits = 5; break;
    case CS6: s.dataBits = 6; break;
    case CS7: s.dataBits = 7; break;
    default: s.dataBits = 8; break;
    }
    if (!(t.c_cflag & PARENB)) s.parity = 0;
    else if (t.c_cflag & CMSPAR) s.parity = (t.c_cflag & PARODD) ? 3 : 4;
    else s.parity = (t.c_cflag & PARODD) ? 1 : 2;
    s.stopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    s.ctsFlow = (t.c_cflag & CRTSCTS) != 0;
    s.xonXoffOut = (t.c_iflag & IXON) != 0;
    s.xonXoffIn = (t.c_iflag & IXOFF) != 0;
    s.parityCheck = (t.c_iflag & INPCK) != 0;
    return true;
}

void PurgeInput(Handle handle) { ::tcflush(handle, TCIFLUSH); }
void PurgeOutput(Handle handle) { ::tcflush(handle, TCOFLUSH); }

Event CreateEvent() {
    int fds[2];
    if (::pipe(fds) != 0) return kNoEvent;
    for (int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return Event{fds[0], fds[1]};
}
void SignalEvent(Event event) {
    // A full pipe is a signalled one already.
    const char one = 1;
    [[maybe_unused]] ssize_t n = ::write(event.write, &one, 1);
}
void ResetEvent(Event event) {
    char drain[64];
    while (::read(event.read, drain, sizeof drain) > 0) {
    }
}
bool EventSignalled(Event event) {
    pollfd fd{event.read, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN);
}
void CloseEvent(Event event) {
    if (event.read >= 0) ::close(event.read);
    if (event.write >= 0) ::close(event.write);
}

WaitResult WaitPort(Handle port, Event event, bool forWrite) {
    pollfd fds[2] = {{event.read, POLLIN, 0}, {port, short(forWrite ? POLLOUT : POLLIN), 0}};
    for (;;) {
        const int r = ::poll(fds, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return WaitResult::Failed;
        if (fds[0].revents & POLLIN) return WaitResult::Event;
        if (fds[1].revents & (POLLIN | POLLOUT)) return WaitResult::Ready;
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitResult::HangUp;
    }
}

int WaitEvents(Event first, Event second) {
    pollfd fds[2] = {{first.read, POLLIN, 0}, {second.read, POLLIN, 0}};
    for (;;) {
        const int r = ::poll(fds, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (fds[0].revents & POLLIN) return 0;
        if (fds[1].revents & POLLIN) return 1;
        if ((fds[0].revents | fds[1].revents) & (POLLERR | POLLNVAL)) return -1;
    }
}

IoResult Read(Handle port, uint8_t* buffer, size_t size, size_t& count) {
    count = 0;
    const ssize_t n = ::read(port, buffer, size);
    if (n > 0) {
        count = size_t(n);
        return IoResult::Ok;
    }
    if (n == 0) return IoResult::HangUp;
    if (errno == EAGAIN || errno == EINTR) return IoResult::WouldBlock;
    if (errno == EIO) return IoResult::HangUp;
    return IoResult::Failed;
}

IoResult Write(Handle port, const uint8_t* data, size_t size, size_t& count) {
    count = 0;
    const ssize_t n = ::write(port, data, size);
    if (n >= 0) {
        count = size_t(n);
        return IoResult::Ok;
    }
    if (errno == EAGAIN || errno == EINTR) return IoResult::WouldBlock;
    if (errno == EIO) return IoResult::HangUp;
    return IoResult::Failed;
}

} // namespace portiqa::commio
