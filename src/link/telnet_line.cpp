#include "link/telnet_line.h"
#include "base/texts.h"

namespace portiqa {

namespace {
constexpr uint8_t kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250, kSe = 240;
constexpr uint8_t kBinary = 0, kEcho = 1, kSga = 3, kComPort = 44;
// The COM Port Control Option's client commands; the server answers each with it + 100.
constexpr uint8_t kSetBaud = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4, kSetControl = 5;
constexpr uint32_t kNoParity = 1, kOneStopBit = 1, kNoFlowControl = 1, kDtrOff = 9, kRtsOff = 12;
constexpr qsizetype kMaxSub = 64;  // longer subnegotiations are cut here (the option's own are under 10 bytes)

void AppendEscaped(QByteArray& out, uint8_t b) {
    out.append(char(b));
    if (b == kIac) out.append(char(kIac));
}

QString SettingName(uint8_t command, uint32_t value) {
    switch (command) {
    case kSetBaud: return TText::tr("%1 baud").arg(value);
    case kSetDataSize: return TText::tr("%1 data bits").arg(value);
    case kSetParity: return value == kNoParity ? TText::tr("no parity") : TText::tr("parity %1").arg(value);
    case kSetStopSize: return TText::tr("stop bits code %1").arg(value);
    default:
        switch (value) {
        case kNoFlowControl: return TText::tr("no flow control");
        case kDtrOff: return TText::tr("DTR low");
        case kRtsOff: return TText::tr("RTS low");
        default: return TText::tr("line control %1").arg(value);
        }
    }
}
} // namespace

TTelnetLine::TTelnetLine(uint32_t baud) : baud_(baud) {
    // What the opening offers and asks for.
    usAsked_[kComPort] = usAsked_[kBinary] = usAsked_[kSga] = true;
    himAsked_[kBinary] = himAsked_[kSga] = true;
}

QByteArray TTelnetLine::Opening() {
    const uint8_t bytes[] = {kIac, kWill, kComPort, kIac, kWill, kBinary, kIac, kDo, kBinary,
                             kIac, kWill, kSga,     kIac, kDo,   kSga};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

QByteArray TTelnetLine::Escape(const uint8_t* data, size_t size) {
    QByteArray out;
    out.reserve(qsizetype(size) + 8);
    for (size_t i = 0; i < size; ++i) AppendEscaped(out, data[i]);
    return out;
}

QByteArray TTelnetLine::TakeReplies() {
    QByteArray out;
    out.swap(replies_);
    return out;
}

bool TTelnetLine::LineSet() const {
    if (!settingsSent_ || !refusal_.isEmpty()) return false;
    for (const auto& s : settings_)
        if (s.required && !s.answered) return false;
    return true;
}

void TTelnetLine::Refuse(const QString& why) {
    if (refusal_.isEmpty()) refusal_ = why;
}

void TTelnetLine::Reply(uint8_t verb, uint8_t option) {
    replies_.append(char(kIac));
    replies_.append(char(verb));
    replies_.append(char(option));
}

QByteArray TTelnetLine::Feed(const uint8_t* data, size_t size) {
    QByteArray out;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        switch (state_) {
        case TState::Data:
            if (b == kIac) state_ = TState::Iac;
            else out.append(char(b));
            break;
        case TState::Iac:
            if (b == kIac) {
                out.append(char(kIac));
                state_ = TState::Data;
            } else if (b >= kWill && b <= kDont) {
                verb_ = b;
                state_ = TState::Option;
            } else if (b == kSb) {
                sub_.clear();
                state_ = TState::Sub;
            } else {
                state_ = TState::Data;  // a two-byte command (NOP, GA...): nothing to do
            }
            break;
        case TState::Option:
            OnOption(verb_, b);
            state_ = TState::Data;
            break;
        case TState::Sub:
            if (b == kIac) state_ = TState::SubIac;
            else if (sub_.size() < kMaxSub) sub_.append(char(b));
            break;
        case TState::SubIac:
            if (b == kSe) {
                OnSubnegotiation();
                state_ = TState::Data;
            } else {
                if (sub_.size() < kMaxSub) sub_.append(char(b));  // IAC IAC: one 0xFF
                state_ = TState::Sub;
            }
            break;
        }
    }
    return out;
}

void TTelnetLine::OnOption(uint8_t verb, uint8_t option) {
    // Options agreed as RFC 1143 asks, without loops: a request already
    // granted, or one this side made itself, is not answered again.
    const bool weWill = option == kBinary || option == kSga || option == kComPort;
    const bool weAccept = option == kBinary || option == kSga;  // the server's echo is refused: data stays data
    switch (verb) {
    case kDo:
        if (!weWill) {
            Reply(kWont, option);
        } else if (!us_[option]) {
            us_[option] = true;
            if (!usAsked_[option]) Reply(kWill, option);
            usAsked_[option] = false;
            if (option == kComPort) SendSettings();
        }
        break;
    case kDont:
        if (option == kComPort) Refuse(TText::tr("the device server does not let the line be set (no RFC 2217 on this port)"));
        if (option == kBinary) Refuse(TText::tr("the device server refuses binary transmission"));
        if (us_[option]) Reply(kWont, option);
        us_[option] = usAsked_[option] = false;
        break;
    case kWill:
        if (!weAccept) {
            Reply(kDont, option);
        } else if (!him_[option]) {
            him_[option] = true;
            if (!himAsked_[option]) Reply(kDo, option);
            himAsked_[option] = false;
        }
        break;
    case kWont:
        if (option == kBinary) Refuse(TText::tr("the device server refuses binary transmission"));
        if (him_[option]) Reply(kDont, option);
        him_[option] = himAsked_[option] = false;
        break;
    default: break;
    }
}

void TTelnetLine::SendSettings() {
    if (settingsSent_) return;
    // The server takes line settings: the line as the module's.
    settingsSent_ = true;
    settings_ = {{kSetBaud, baud_, true},           {kSetDataSize, 8, true},
                 {kSetParity, kNoParity, true},     {kSetStopSize, kOneStopBit, true},
                 {kSetControl, kNoFlowControl, true}, {kSetControl, kDtrOff, false},
                 {kSetControl, kRtsOff, false}};
    for (const auto& setting : settings_) {
        replies_.append(char(kIac));
        replies_.append(char(kSb));
        replies_.append(char(kComPort));
        replies_.append(char(setting.command));
        if (setting.command == kSetBaud)
            for (int shift = 24; shift >= 0; shift -= 8) AppendEscaped(replies_, uint8_t(setting.value >> shift));
        else
            AppendEscaped(replies_, uint8_t(setting.value));
        replies_.append(char(kIac));
        replies_.append(char(kSe));
    }
}

void TTelnetLine::OnSubnegotiation() {
    if (sub_.size() < 2 || uint8_t(sub_[0]) != kComPort) return;
    const uint8_t answer = uint8_t(sub_[1]);
    if (answer < 100 + kSetBaud || answer > 100 + kSetControl) return;  // notifications: nothing to check
    const uint8_t command = uint8_t(answer - 100);
    uint32_t value = 0;
    const qsizetype width = command == kSetBaud ? 4 : 1;
    if (sub_.size() < 2 + width) return;
    for (qsizetype i = 0; i < width; ++i) value = (value << 8) | uint8_t(sub_[2 + i]);
    // Answers come in the order asked; line-control answers are told apart by their group.
    for (auto& s : settings_) {
        if (s.answered || s.command != command) continue;
        if (command == kSetControl && (value - 1) / 3 != (s.value - 1) / 3) continue;  // 1-3 flow, 7-9 DTR, 10-12 RTS
        s.answered = true;
        if (value != s.value)
            Refuse(TText::tr("the device server did not take %1 (it answered %2)")
                       .arg(SettingName(command, s.value), SettingName(command, value)));
        return;
    }
}

} // namespace portiqa
