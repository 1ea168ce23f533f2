// TComm's opening of a device server's connection (socket://, rfc2217://).
#include "base/texts.h"
#include "link/comm.h"
#include "link/net_address.h"
#include "link/telnet_line.h"
#include <chrono>

namespace portiqa {

void TComm::OpenNetwork() {
    TNetAddress address;
    QString why;
    const auto fail = [this](const QString& reason) {
        openError_ = TText::tr("Cannot open the device server's port");
        openReason_ = reason;
        throw ECommsError(openError_, openReason_);
    };
    if (!TNetAddress::Parse(portName_, address, why)) fail(why);
    if (!address.IsLoopback() && !allowPlainNetwork_)
        fail(TText::tr("%1 is another computer, and the module's password would cross the network unencrypted: "
                       "reach the device server through a VPN or an SSH tunnel (then its address here is this "
                       "computer's), or allow plain network connections (--allow-plain-network; the window asks first)")
                 .arg(address.host));
    std::string reason;
    commio::Handle h = commio::kNoHandle;
    const auto started = std::chrono::steady_clock::now();
    if (commio::Connect(address.host.toStdString(), address.port, kConnectMs, h, reason) != commio::OpenResult::Ok)
        fail(TText::tr("the device server could not be reached: %1").arg(QString::fromStdString(reason)));
    handle_ = h;
    network_ = true;
    netHost_ = address.host;
    allWritten_ = true;
    QByteArray early;  // the module's bytes that came with the server's answers
    if (address.kind == TNetAddress::TKind::Rfc2217) {
        // The line is set before anything reaches the module, within the
        // opening's time: each answer is checked as it comes.
        auto telnet = std::make_unique<TTelnetLine>(baudRate_);
        QByteArray out = TTelnetLine::Opening(), said;
        QString failure;
        for (;;) {
            const auto elapsed = [&] {
                return int(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count());
            };
            for (qsizetype at = 0; at < out.size() && failure.isEmpty();) {
                size_t n = 0;
                const auto r = commio::Send(h, reinterpret_cast<const uint8_t*>(out.constData()) + at, size_t(out.size() - at), n);
                if (r == commio::IoResult::Ok) at += qsizetype(n);
                else if (r != commio::IoResult::WouldBlock || elapsed() > kConnectMs) failure = ServerClosed(address.host, said);
            }
            if (!failure.isEmpty() || !telnet->Refusal().isEmpty() || telnet->LineSet()) break;
            const int left = kConnectMs - elapsed();
            if (left <= 0 || !commio::SocketReadable(h, left)) {
                failure = TText::tr("the device server at %1 did not set the line within %2 s (is its port in Telnet mode with RFC 2217?)")
                              .arg(address.host).arg(kConnectMs / 1000);
                break;
            }
            uint8_t buffer[512];
            size_t n = 0;
            const auto r = commio::Receive(h, buffer, sizeof buffer, n);
            if (r == commio::IoResult::WouldBlock) continue;
            if (r != commio::IoResult::Ok) {
                failure = ServerClosed(address.host, said);
                break;
            }
            const QByteArray data = telnet->Feed(buffer, n);
            said = (said + data).right(kLastWords);
            early += data;
            out = telnet->TakeReplies();
        }
        if (failure.isEmpty()) failure = telnet->Refusal();
        if (!failure.isEmpty()) {
            ReleaseHandles();
            fail(failure);
        }
        telnet_ = std::move(telnet);
    }
    if (StartThreads() && !early.isEmpty()) PostReceived(early, generation_);
}

} // namespace portiqa
