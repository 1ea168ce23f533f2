#include "sim/module_responder.h"
#include "link/data_package.h"

namespace portiqa::sim {

QByteArray BuildFrame(uint8_t command, int32_t address, const QByteArray& payload) {
    TDataPackage p;
    p.SetCommand(command);
    p.SetLength(int32_t(std::min<qsizetype>(payload.size(), kMaxPayload)));
    p.SetAddress(address);
    QByteArray padded = payload;
    padded.resize(kMaxPayload);
    p.SetPayload(reinterpret_cast<const uint8_t*>(padded.constData()));
    p.BuildFrame();
    return QByteArray(reinterpret_cast<const char*>(p.FrameBuffer.data()), p.FrameLength);
}

QByteArray TModuleResponder::Feed(const uint8_t* data, size_t size) {
    QByteArray out;
    for (size_t i = 0; i < size; ++i) {
        if (assembler_.Feed(data[i]) != TRecData::TStep::Complete) continue;
        ++requests_;
        if (faults_.silentAfter >= 0 && requests_ > faults_.silentAfter) continue;
        if (faults_.dropEvery > 0 && requests_ % faults_.dropEvery == 0) continue;
        QByteArray reply = Answer();
        if (reply.isEmpty()) continue;
        if (faults_.corruptEvery > 0 && requests_ % faults_.corruptEvery == 0) {
            const auto at = qsizetype(1 + rng_() % uint32_t(reply.size() - 1));
            reply[at] = char(reply[at] ^ char(1 + rng_() % 255));
        }
        if (faults_.noise) {
            static const char stray[] = {0x00, char(0xFF), 0x41, 0x0D, 0x0A};
            out.append(stray[rng_() % 5]);
        }
        out += reply;
    }
    return out;
}

QByteArray TModuleResponder::Answer() {
    TRecValidCom req;
    assembler_.CopyTo(req);
    const QByteArray ok(1, char(1));
    switch (req.Command) {
    case kCmdReadPage:
        return BuildFrame(req.Command, req.Address, image_.Read(req.Address, kPageSize));
    case kCmdSavePage: {
        if (faults_.refuseSaves) return BuildFrame(req.Command, req.Address, QByteArray(1, 0));
        const bool stored = image_.Write(req.Address, req.Payload.data(), req.Length);
        if (stored && OnSaved) OnSaved();
        return BuildFrame(req.Command, req.Address, QByteArray(1, stored ? 1 : 0));
    }
    case kCmdDeleteHistory:
        image_.EraseHistory();
        if (OnSaved) OnSaved();
        return BuildFrame(req.Command, 0, ok);
    case kCmdCheckingMode:
        return BuildFrame(req.Command, 0, ok);
    case kCmdTimeSync:
        return BuildFrame(req.Command, 0, QByteArray(1, req.Length == 6 ? 1 : 0));
    default:
        return {};  // the module does not answer what it does not know
    }
}

} // namespace portiqa::sim
