#pragma once
// Debian's ser2net in front of a simulated module's terminal, on a loopback
// port of this test's own: the device server a module beyond the cable sits behind.
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace portiqa::test {

class TDeviceServer {
public:
    ~TDeviceServer() { Kill(); }

    // Starts ser2net for terminal as "telnet(rfc2217)" or raw "tcp"; empty, or why not.
    QString Start(const QString& terminal, bool rfc2217) {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
        if (program.isEmpty()) return QStringLiteral("ser2net is not installed (scripts/deps.sh installs it)");
        port_ = FreePort();
        QFile config(dir_.filePath(QStringLiteral("ser2net.yaml")));
        if (!config.open(QIODevice::WriteOnly)) return config.errorString();
        config.write(QStringLiteral("connection: &module\n"
                                    "  accepter: %1tcp,127.0.0.1,%2\n"
                                    "  connector: serialdev,%3,115200n81,local\n"
                                    "  options:\n    mdns: false\n    kickolduser: false\n")
                         .arg(rfc2217 ? QStringLiteral("telnet(rfc2217),") : QString())
                         .arg(port_)
                         .arg(terminal)
                         .toUtf8());
        config.close();
        address_ = QStringLiteral("%1://127.0.0.1:%2").arg(rfc2217 ? "rfc2217" : "socket").arg(port_);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, {"-n", "-d", "-c", config.fileName(), "-P", dir_.filePath(QStringLiteral("pid"))});
        if (!process_.waitForStarted(5000)) return QStringLiteral("ser2net did not start: ") + process_.errorString();
        // Ready when it takes connections: a probe connects (and leaves) within a bound.
        QDeadlineTimer deadline(10000);
        while (!Accepts()) {
            if (deadline.hasExpired() || process_.state() != QProcess::Running)
                return QStringLiteral("ser2net did not listen on %1: %2").arg(port_).arg(QString::fromLocal8Bit(process_.readAll()));
            process_.waitForReadyRead(20);
        }
        return {};
    }
    QString Address() const { return address_; }
    int Port() const { return port_; }
    // The device server dies as a power cut takes it: no goodbye.
    void Kill() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    static int FreePort() {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = 0;
        if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(s);
        return port;
    }
    bool Accepts() const {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(uint16_t(port_));
        const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(s);
        return ok;
    }

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    QString address_;
};

#ifdef PORTIQA_NET_RELAY
// The test's own net_relay between the program and the device server: half
// the round trip each way; stopped, a half-open connection.
class TNetRelay {
public:
    ~TNetRelay() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // The relay's address with scheme's (socket or rfc2217), or empty.
    QString Start(const QString& scheme, int to, int rttMs) {
        process_.start(QStringLiteral(PORTIQA_NET_RELAY), {"--to", QString::number(to), "--rtt", QString::number(rttMs)});
        QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(50);
        const int port = process_.readLine().trimmed().toInt();
        return port > 0 ? QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(port) : QString();
    }

    // Stops (or lets go on) the relay itself, never anything else.
    void Hold(bool on) {
        if (const qint64 pid = process_.processId(); pid > 0 && process_.state() == QProcess::Running)
            ::kill(pid_t(pid), on ? SIGSTOP : SIGCONT);
    }

private:
    QProcess process_;
};
#endif

} // namespace portiqa::test
