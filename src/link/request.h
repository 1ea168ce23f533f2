#pragma once
#include "app/status_report.h"
#include "app/timer.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include <QDateTime>
#include <array>
#include <cstdint>
#include <functional>

namespace portiqa {

constexpr int kReplyTimeoutMs = 3000;

// The one way every request reaches the module: build the frame, hand it to
// the port, show the request's status text, arm the reply timer. It returns
// at once; the reply arrives later through the receiver.
class TRequestSequence {
public:
    TRequestSequence(ISerialPort& port, Tstatusbar_ctrl& status, ITimer& tmr1)
        : port_(port), status_(status), tmr1_(tmr1) {}

    void Send(uint8_t command, int32_t address, int32_t length, const uint8_t* payload,
              const QString& statusText);

    // A request has been sent and its reply has not been handled yet.
    bool Outstanding() const { return outstanding_; }
    void SetOutstanding(bool on) { outstanding_ = on; }
    ITimer& ReplyTimer() { return tmr1_; }
    Tstatusbar_ctrl& Status() { return status_; }

    // Observes every frame written, for diagnostics and tests.
    std::function<void(const uint8_t*, int)> OnFrameSent;

private:
    ISerialPort& port_;
    Tstatusbar_ctrl& status_;
    ITimer& tmr1_;
    bool outstanding_ = false;
};

// A request object: the address of the last reply handed to it and its
// 256-byte page buffer.
class TTemplate {
public:
    virtual ~TTemplate() = default;
    int32_t Address = 0;
    std::array<uint8_t, kMaxPayload> Buffer{};
};

// A page-block transfer: the pages of the transfer and the next page to ask
// for. The receiver hands read and save replies to the block that owns the
// address.
class Tsend_rec_command : public TTemplate {
public:
    uint16_t PageCount = 0;
    uint16_t PageNo = 0;

    virtual void HandleReadReply() {}
    virtual void HandleSaveReply() {}
    // The transfer ended early (no reply, a refusal): forget the chain, so
    // that a late reply does not start it again.
    virtual void AbortTransfer() {}
    virtual bool TransferRunning() const { return false; }

    // Raised once when a transfer has run to its end (after its final message).
    std::function<void()> OnTransferDone;
};

// A single-frame command with no payload (checking mode, history deletion).
class Tsingalcmd : public TTemplate {
public:
    Tsingalcmd(TRequestSequence& seq, uint8_t command) : Command(command), seq_(seq) {}
    virtual void Send();
    uint8_t Command;

protected:
    TRequestSequence& seq_;
};

// Sets the module's clock from the computer's local time.
class Tsynchronizationtime_sc : public Tsingalcmd {
public:
    explicit Tsynchronizationtime_sc(TRequestSequence& seq) : Tsingalcmd(seq, kTimeSyncCommand) {}
    void Send() override;
    void SendAt(const QDateTime& now);
    static std::array<uint8_t, 6> TimePayload(const QDateTime& now);
    static constexpr uint8_t kTimeSyncCommand = 3;
};

} // namespace portiqa
