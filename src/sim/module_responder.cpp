#include "sim/module_responder.h"
#include <algorithm>

namespace portiqa::sim {

namespace {
constexpr int kMaxPayload = 256, kPageSize = 256;
constexpr uint8_t kTimeSync = 3, kCheckingMode = 4, kSave = 130, kRead = 131, kDeleteHistory = 133;
}  // namespace

QByteArray BuildFrame(uint8_t command, int32_t address, const QByteArray& payload) {
    const QByteArray body = payload.left(kMaxPayload);
    QByteArray f;
    f.append(char(0x23));
    f.append(char(command));
    const auto a = uint32_t(address);
    f.append(char(a >> 24)).append(char(a >> 16)).append(char(a >> 8)).append(char(a));
    f.append(char(body.size() >> 8)).append(char(body.size() & 0xFF));
    f.append(body);
    uint8_t x = 0;
    for (qsizetype i = 1; i < f.size(); ++i) x ^= uint8_t(f[i]);
    f.append(char(x));
    return f;
}

bool TModuleResponder::Take(uint8_t b, TRequest& out) {
    if (!inFrame_) {
        if (b == 0x23) {
            inFrame_ = true;
            frame_.clear();
        }
        return false;
    }
    frame_.append(char(b));
    if (frame_.size() < 7) return false;
    const int length = uint8_t(frame_[5]) << 8 | uint8_t(frame_[6]);
    if (length > kMaxPayload) {  // no frame of ours is that long: wait for the next '#'
        inFrame_ = false;
        return false;
    }
    if (frame_.size() < 7 + length + 1) return false;
    inFrame_ = false;
    uint8_t x = 0;
    for (int i = 0; i < 7 + length; ++i) x ^= uint8_t(frame_[i]);
    if (x != uint8_t(frame_[7 + length])) return false;  // a damaged request gets no answer
    out.command = uint8_t(frame_[0]);
    out.address = int32_t(uint32_t(uint8_t(frame_[1])) << 24 | uint32_t(uint8_t(frame_[2])) << 16 |
                          uint32_t(uint8_t(frame_[3])) << 8 | uint32_t(uint8_t(frame_[4])));
    out.payload = frame_.mid(7, length);
    return true;
}

QByteArray TModuleResponder::Feed(const uint8_t* data, size_t size) {
    QByteArray out;
    delayMs_ = 0;
    for (size_t i = 0; i < size; ++i) {
        TRequest request;
        if (!Take(data[i], request)) continue;
        ++requests_;
        if (faults_.silentAfter >= 0 && requests_ > faults_.silentAfter) continue;
        if (faults_.silentAtPasswordChange && request.command == kSave && request.address == 0 &&
            request.payload.left(4) != image_.Read(0, 4))
            silent_ = true;
        if (silent_) continue;
        if (faults_.dropEvery > 0 && requests_ % faults_.dropEvery == 0) continue;
        QByteArray reply = Answer(request);
        if (reply.isEmpty()) continue;
        delayMs_ = std::max(delayMs_, request.command == kSave && faults_.saveLatencyMs > 0 ? faults_.saveLatencyMs
                                                                                         : faults_.latencyMs);
        if (faults_.corruptEvery > 0 && requests_ % faults_.corruptEvery == 0) {
            const auto at = qsizetype(1 + rng_() % uint32_t(reply.size() - 1));
            reply[at] = char(reply[at] ^ char(1 + rng_() % 255));
        }
        if (faults_.flipEvery > 0 && request.command == kRead && requests_ % faults_.flipEvery == 0 &&
            reply.size() > 8 + 8) {
            reply[8 + 6] = char(reply[8 + 6] ^ 0x01);
            reply[8 + 7] = char(reply[8 + 7] ^ 0x01);
        }
        if (faults_.noise) {
            static const char stray[] = {0x00, char(0xFF), 0x41, 0x0D, 0x0A};
            out.append(stray[rng_() % 5]);
        }
        out += reply;
    }
    return out;
}

QByteArray TModuleResponder::Answer(const TRequest& r) {
    const QByteArray ok(1, char(1));
    const bool single = r.command == kDeleteHistory || r.command == kCheckingMode || r.command == kTimeSync;
    if (single && faults_.refuseCommands) return BuildFrame(r.command, 0, QByteArray(1, 0));
    switch (r.command) {
    case kRead:
        return BuildFrame(r.command, r.address, image_.Read(r.address, kPageSize));
    case kSave: {
        ++changes_;
        if (faults_.refuseSaves) return BuildFrame(r.command, r.address, QByteArray(1, 0));
        const bool stored = image_.Write(r.address, reinterpret_cast<const uint8_t*>(r.payload.constData()),
                                         int(r.payload.size()));
        if (stored && OnSaved) OnSaved();
        return BuildFrame(r.command, r.address, QByteArray(1, stored ? 1 : 0));
    }
    case kDeleteHistory:
        ++changes_;
        image_.EraseHistory();
        if (OnSaved) OnSaved();
        return BuildFrame(r.command, 0, ok);
    case kCheckingMode:
        ++changes_;
        return BuildFrame(r.command, 0, ok);
    case kTimeSync:
        ++changes_;
        return BuildFrame(r.command, 0, QByteArray(1, r.payload.size() == 6 ? 1 : 0));
    default:
        return {};  // the module does not answer what it does not know
    }
}

} // namespace portiqa::sim
