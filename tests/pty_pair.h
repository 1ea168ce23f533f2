#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace portiqa::test {

// A pseudo-terminal pair: the test holds the master, the code under test
// opens the slave by its path.
struct TPtyPair {
    int master = -1, slave = -1;
    QString path;
    TPtyPair() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLatin1(name);
            termios t{};
            ::tcgetattr(master, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(master, TCSANOW, &t);
            ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~TPtyPair() { CloseMaster(); if (slave >= 0) ::close(slave); }
    // Keeping our own slave descriptor open would hide a hang-up; drop it.
    void DropSlave() { if (slave >= 0) { ::close(slave); slave = -1; } }
    void CloseMaster() { if (master >= 0) { ::close(master); master = -1; } }
    void Write(const QByteArray& b) { [[maybe_unused]] auto n = ::write(master, b.constData(), size_t(b.size())); }
    QByteArray ReadAvailable() {
        QByteArray out;
        char buf[4096];
        for (;;) {
            const auto n = ::read(master, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, n);
        }
        return out;
    }
};

// Runs the event loop until pred holds or the bound passes.
inline bool WaitFor(const std::function<bool()>& pred, int boundMs = 5000) {
    QDeadlineTimer deadline(boundMs);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace portiqa::test
