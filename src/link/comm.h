#pragma once
#include "link/comm_backend.h"
#include "link/serial_port.h"
#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace portiqa {

class TTelnetLine;

// Raised by Open for the failures the operator must be told about.
class ECommsError : public std::runtime_error {
public:
    ECommsError(const QString& text, const QString& reason)
        : std::runtime_error((reason.isEmpty() ? text : text + ": " + reason).toStdString()), Text(text) {}
    QString Text;
};

// The serial port on the module's line: 8 data bits, no parity, one stop
// bit, no flow control, the data-terminal-ready and request-to-send lines
// low; only the port and the speed are chosen. Opens the device for
// exclusive access, runs a receive thread and a transmit thread, and raises
// its events on the thread that owns it (the main thread). Bytes reach
// OnReceived in arrival order, every byte at hand in one event (at most
// kReadBufferSize).
//
// A port name written as an address (socket://HOST:PORT, rfc2217://HOST:PORT)
// opens a TCP connection to a serial device server instead, with the same
// events: the bytes as they are, or through Telnet with the far line set
// as above (see TTelnetLine). Only this computer's own addresses are taken
// unless plain network connections are allowed: the module's password
// travels unencrypted.
class TComm : public QObject, public ISerialPort {
    Q_OBJECT
public:
    explicit TComm(QObject* parent = nullptr);
    ~TComm() override;

    void Open();
    void Close();
    bool Write(const uint8_t* data, uint16_t size) override;

    static constexpr uint16_t kReadBufferSize = 2048;

    QString PortName() const { return portName_; }
    void SetPortName(const QString& name) { portName_ = name; }
    uint32_t BaudRate() const { return baudRate_; }
    // Applied at once to an open port (LineError says when the line refuses it).
    void SetBaudRate(uint32_t v) { baudRate_ = v; ApplyLine(); }
    bool IsOpen();
    QString OpenError() const { return openError_; }
    // Why the last opening failed, in the platform's words (empty when it did not).
    QString OpenReason() const { return openReason_; }
    // Why the line refused the last change of a line setting (empty when it took).
    QString LineError() const { return lineError_; }
    bool AllWritten() const { return allWritten_.load(); }
    // Addresses of other computers are opened only when this is set.
    void SetAllowPlainNetwork(bool allow) { allowPlainNetwork_ = allow; }
    // True while a device server's connection is open.
    bool IsNetwork() const { return network_; }
    // Why the line went away, when the port can tell (a device server's
    // connection); empty for a local port.
    QString HangUpReason() const;
    // How long an opening waits for a device server.
    static constexpr int kConnectMs = 5000;
    QString DevicePath() const;

    // Events, raised on the owning thread.
    std::function<void(TComm* sender, const char* buffer, uint16_t length)> OnReceived;
    std::function<void(TComm* sender)> OnHangUp;
    std::function<void(TComm* sender)> OnAllWritten;

    // The line as the terminal is set for it.
    commio::LineSettings LineSettings() const;

private:
    bool ApplyLine();
    void OpenNetwork();
    bool StartThreads();
    void Hang(int notice, unsigned generation, const QString& why);
    static QString ServerClosed(const QString& host, const QByteArray& said);
    static constexpr qsizetype kLastWords = 80;
    void ReadThread(commio::Handle port, commio::Event closeEvent, uint16_t bufferSize, unsigned generation);
    void WriteThread(commio::Handle port, commio::Event closeEvent, commio::Event workEvent, unsigned generation);
    void PostReceived(QByteArray bytes, unsigned generation);
    void PostNotice(int notice, unsigned generation);
    void DrainInbox();
    void StopThreads();
    void ReleaseHandles();

    QString portName_;            // none: opening says so
    uint32_t baudRate_ = 115200;  // the module's
    QString openError_, openReason_, lineError_;
    std::string savedLine_;  // the terminal's settings before this opening
    bool cachedOpen_ = false;

    commio::Handle handle_ = commio::kNoHandle;
    commio::Event closeEvent_ = commio::kNoEvent;
    commio::Event workEvent_ = commio::kNoEvent;
    std::thread readThread_, writeThread_;
    std::mutex queueMutex_;
    std::deque<QByteArray> writeQueue_;
    std::atomic<bool> allWritten_{true};
    std::atomic<bool> hangupPosted_{false};
    bool network_ = false, allowPlainNetwork_ = false;
    QString netHost_;
    std::unique_ptr<TTelnetLine> telnet_;  // the reader thread's while the port is open
    mutable std::mutex whyMutex_;
    QString hangUpWhy_;
    unsigned generation_ = 0;
    QByteArray inbox_;          // received bytes not yet raised (main thread)
    qsizetype inboxPos_ = 0;
};

} // namespace portiqa
