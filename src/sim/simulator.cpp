#include "sim/simulator.h"
#include "base/texts.h"
#include <QFile>
#include <cerrno>
#include <chrono>
#include <cstring>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace portiqa::sim {

TModuleSimulator::TModuleSimulator(TSimOptions options)
    : options_(std::move(options)), responder_(image_, options_.faults) {
    if (!options_.memoryFile.isEmpty() && QFile::exists(options_.memoryFile)) image_.Load(options_.memoryFile);
    else {
        image_.SeedNumbers(options_.seedNumbers);
        image_.SeedHistory(options_.seedHistory);
    }
    if (!options_.password.isEmpty()) image_.SetPassword(options_.password);
    if (!options_.memoryFile.isEmpty()) {
        image_.Save(options_.memoryFile);
        // Every acknowledged save is on disk before its reply leaves.
        responder_.OnSaved = [this] { image_.Save(options_.memoryFile); };
    }
}

TModuleSimulator::~TModuleSimulator() { Stop(); }

QByteArray TModuleSimulator::Memory(int32_t address, int length) const {
    std::lock_guard lock(imageMutex_);
    return image_.Read(address, length);
}

void TModuleSimulator::WriteMemory(int32_t address, const QByteArray& bytes) {
    std::lock_guard lock(imageMutex_);
    image_.Write(address, reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
}

void TModuleSimulator::SendPaced(const QByteArray& reply) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    qsizetype done = 0;
    const qsizetype chunk = options_.faults.baud > 0 ? 16 : reply.size();
    while (done < reply.size()) {
        if (options_.faults.baud > 0) {
            // 10 bits a byte on the line: start, 8 data, stop.
            const auto due = start + std::chrono::microseconds(done * 10'000'000LL / options_.faults.baud);
            std::this_thread::sleep_until(due);
        }
        const qsizetype n = WriteSome(reply.constData() + done, std::min(chunk, reply.size() - done));
        if (n < 0) return;
        done += n;
    }
}

#ifndef _WIN32  // the pseudo-terminal; simulator_win.cpp serves a named pipe

bool TModuleSimulator::Start(QString* error) {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error) *error = TText::tr("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    termios t{};
    ::tcgetattr(master_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(master_, TCSANOW, &t);
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    path_ = QString::fromLocal8Bit(name);
    if (!options_.linkPath.isEmpty()) {
        QFile::remove(options_.linkPath);
        if (!QFile::link(path_, options_.linkPath)) {
            if (error) *error = TText::tr("cannot create the link %1").arg(options_.linkPath);
            Stop();
            return false;
        }
    }
    int stop[2];
    if (::pipe(stop) != 0) {
        if (error) *error = TText::tr("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        Stop();
        return false;
    }
    stopEvent_ = stop[0];
    stopSignal_ = stop[1];
    ::fcntl(stopEvent_, F_SETFD, FD_CLOEXEC);
    ::fcntl(stopSignal_, F_SETFD, FD_CLOEXEC);
    thread_ = std::thread(&TModuleSimulator::Serve, this);
    return true;
}

void TModuleSimulator::Stop() {
    if (thread_.joinable()) {
        const char one = 1;
        [[maybe_unused]] auto n = ::write(stopSignal_, &one, 1);
        thread_.join();
    }
    if (stopEvent_ >= 0) ::close(stopEvent_);
    if (stopSignal_ >= 0) ::close(stopSignal_);
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    stopEvent_ = stopSignal_ = master_ = slave_ = -1;
    if (!options_.linkPath.isEmpty()) QFile::remove(options_.linkPath);
}

qsizetype TModuleSimulator::WriteSome(const char* data, qsizetype size) {
    const auto n = ::write(master_, data, size_t(size));
    if (n > 0) return n;
    if (n < 0 && errno != EAGAIN && errno != EINTR) return -1;
    pollfd p[2] = {{master_, POLLOUT, 0}, {stopEvent_, POLLIN, 0}};
    if (::poll(p, 2, 1000) > 0 && (p[1].revents & POLLIN)) return -1;
    return 0;
}

void TModuleSimulator::Serve() {
    uint8_t buf[4096];
    for (;;) {
        pollfd p[2] = {{master_, POLLIN, 0}, {stopEvent_, POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (p[1].revents & POLLIN)) return;
        if (!(p[0].revents & POLLIN)) {
            // The program's side is closed; wait for it to come back.
            pollfd s{stopEvent_, POLLIN, 0};
            if (::poll(&s, 1, 50) > 0) return;
            continue;
        }
        const auto n = ::read(master_, buf, sizeof buf);
        if (n <= 0) continue;
        QByteArray reply;
        int delayMs = 0;
        {
            std::lock_guard lock(imageMutex_);
            reply = responder_.Feed(buf, size_t(n));
            requests_ = responder_.Requests();
            changes_ = responder_.Changes();
            delayMs = responder_.ReplyDelayMs();
        }
        if (!reply.isEmpty()) {
            if (delayMs > 0) {
                pollfd s{stopEvent_, POLLIN, 0};
                if (::poll(&s, 1, delayMs) > 0) return;
            }
            SendPaced(reply);
            replied_.fetch_add(reply.size(), std::memory_order_relaxed);
        }
        done_.store(requests_.load(), std::memory_order_release);
    }
}

#endif

} // namespace portiqa::sim
