#include "link/request.h"
#include "link/data_package.h"
#include <memory>

namespace portiqa {

void TRequestSequence::Send(uint8_t command, int32_t address, int32_t length,
                            const uint8_t* payload, const QString& statusText) {
    auto package = std::make_unique<TDataPackage>();
    package->SetCommand(command);
    package->SetLength(length);
    package->SetAddress(address);
    if (payload) package->SetPayload(payload);
    package->BuildFrame();
    // A refused write (port closed) is not reported here: the reply timer
    // tells the operator that nothing came back.
    port_.WriteCommBuffer(package->FrameBuffer.data(), static_cast<uint16_t>(package->FrameLength));
    if (OnFrameSent) OnFrameSent(package->FrameBuffer.data(), package->FrameLength);
    package.reset();
    status_.ShowStatus(statusText);
    outstanding_ = true;
    tmr1_.SetEnabled(true);
    tmr1_.SetInterval(kReplyTimeoutMs);
}

void Tsingalcmd::Send() {
    seq_.Send(Command, 0, 0, nullptr, QStringLiteral("Password verifying"));
}

std::array<uint8_t, 6> Tsynchronizationtime_sc::TimePayload(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    return {static_cast<uint8_t>(d.year() & 0xFF), static_cast<uint8_t>(d.month()),
            static_cast<uint8_t>(d.day()),         static_cast<uint8_t>(t.hour()),
            static_cast<uint8_t>(t.minute()),      static_cast<uint8_t>(t.second())};
}

void Tsynchronizationtime_sc::SendAt(const QDateTime& now) {
    const auto payload = TimePayload(now);
    seq_.Send(Command, 0, 6, payload.data(), QStringLiteral("Send sync time command"));
}

void Tsynchronizationtime_sc::Send() { SendAt(QDateTime::currentDateTime()); }

} // namespace portiqa
