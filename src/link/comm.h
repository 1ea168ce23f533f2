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
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace portiqa {

// Raised by Open for the failures the operator must be told about.
class ECommsError : public std::runtime_error {
public:
    ECommsError(const QString& text, const QString& reason)
        : std::runtime_error((reason.isEmpty() ? text : text + ": " + reason).toStdString()), Text(text) {}
    QString Text;
};

enum class TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
enum class TByteSize { _5, _6, _7, _8 };
enum class TParity { None, Odd, Even, Mark, Space };
enum class TStopBits { _1, _1_5, _2 };

// The serial port: opens a terminal device for exclusive access, runs a
// receive thread and a transmit thread, and raises its events on the thread
// that owns it (the main thread). Bytes reach OnReceived in arrival order,
// at most BytesPerEvent bytes an event.
class TComm : public QObject, public ISerialPort {
    Q_OBJECT
public:
    explicit TComm(QObject* parent = nullptr);
    ~TComm() override;

    void Open();
    void Close();
    bool Write(const uint8_t* data, uint16_t size) override;

    // Properties. The line settings are kept as values (LineSettingsOf
    // builds the terminal's settings from them).
    QString PortName() const { return portName_; }
    void SetPortName(const QString& name) { portName_ = name; }
    uint32_t BaudRate() const { return baudRate_; }
    void SetBaudRate(uint32_t v) { baudRate_ = v; ApplyCommState(); }
    TDtrControl DtrControl() const { return dtrControl_; }
    void SetDtrControl(TDtrControl v) { dtrControl_ = v; ApplyCommState(); }
    void SetXonXoffInput(bool v) { xonXoffInput_ = v; ApplyCommState(); }
    TRtsControl RtsControl() const { return rtsControl_; }
    void SetRtsControl(TRtsControl v) { rtsControl_ = v; ApplyCommState(); }
    void SetStopBits(TStopBits v) { stopBits_ = v; ApplyCommState(); }
    uint32_t ReadIntervalTimeout() const { return timeouts_[0]; }
    uint16_t BytesPerEvent() const { return bytesPerEvent_; }
    void SetBytesPerEvent(uint16_t v);
    uint16_t ReadBufferSize() const { return readBufferSize_; }
    void SetReadBufferSize(uint16_t v) { readBufferSize_ = v == 0 ? 1 : v; }
    bool IsOpen();
    QString OpenError() const { return openError_; }
    // Why the last opening failed, in the platform's words (empty when it did not).
    QString OpenReason() const { return openReason_; }
    // Why the line refused the last change of a line setting (empty when it took).
    QString LineError() const { return lineError_; }
    bool AllWritten() const { return allWritten_.load(); }
    QString DevicePath() const;

    // Events, raised on the owning thread.
    std::function<void(TComm* sender, const char* buffer, uint16_t length)> OnReceived;
    std::function<void(TComm* sender)> OnHangUp;
    std::function<void(TComm* sender)> OnAllWritten;

    static commio::LineSettings LineSettingsOf(const TComm& c);

private:
    bool ApplyCommState();
    void ReadThread(commio::Handle port, commio::Event closeEvent, uint16_t bufferSize, unsigned generation);
    void WriteThread(commio::Handle port, commio::Event closeEvent, commio::Event workEvent, unsigned generation);
    void PostReceived(QByteArray bytes, unsigned generation);
    void PostNotice(int notice, unsigned generation);
    void DrainInbox();
    void StopThreads();
    void ReleaseHandles();

    QString portName_;            // none: opening says so
    uint32_t baudRate_ = 115200;  // the module's
    bool parityCheck_ = false, ctsOutput_ = false;
    TDtrControl dtrControl_ = TDtrControl::DtrDisable;
    bool xonXoffOutput_ = false, xonXoffInput_ = false;
    TRtsControl rtsControl_ = TRtsControl::RtsDisable;
    TByteSize byteSize_ = TByteSize::_8;
    TParity parity_ = TParity::None;
    TStopBits stopBits_ = TStopBits::_1;
    char xonChar_ = 0x11, xoffChar_ = 0x13;
    uint32_t timeouts_[5] = {100, 0, 0, 0, 0};
    uint16_t bytesPerEvent_ = 1;
    uint16_t readBufferSize_ = 2048;
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
    unsigned generation_ = 0;
    QByteArray inbox_;          // received bytes not yet raised (main thread)
    qsizetype inboxPos_ = 0;
};

} // namespace portiqa
