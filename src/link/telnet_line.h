#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace portiqa {

// The Telnet side of a device server reached by rfc2217://: the options are
// agreed (binary both ways, suppress-go-ahead, the COM Port Control Option),
// the far line is set exactly as a local one (the speed asked, 8 data bits,
// no parity, one stop bit, no flow control, DTR and RTS low), and every 0xFF
// of the module's data travels doubled. The server's answer to each setting
// is checked; a setting it refuses or changes is named.
class TTelnetLine {
public:
    explicit TTelnetLine(uint32_t baud = 115200);

    // What the client sends first: the options it offers and asks for.
    static QByteArray Opening();
    // The module's bytes as they travel: 0xFF doubled.
    static QByteArray Escape(const uint8_t* data, size_t size);

    // Takes bytes from the server; returns the module's data among them.
    // Answers owed to the server collect for TakeReplies.
    QByteArray Feed(const uint8_t* data, size_t size);
    QByteArray TakeReplies();

    // Every setting asked has been answered as asked (DTR and RTS excepted:
    // a line without modem lines, such as a pseudo-terminal, answers neither).
    bool LineSet() const;
    // Why the line cannot be used as the module needs it; empty while nothing is wrong.
    QString Refusal() const { return refusal_; }

private:
    enum class TState { Data, Iac, Option, Sub, SubIac };
    void OnOption(uint8_t verb, uint8_t option);
    void OnSubnegotiation();
    void SendSettings();
    void Refuse(const QString& why);
    void Reply(uint8_t verb, uint8_t option);

    struct TSetting {
        uint8_t command;   // the client's command; the server answers with it + 100
        uint32_t value;
        bool required;
        bool answered = false;
    };

    uint32_t baud_;
    TState state_ = TState::Data;
    uint8_t verb_ = 0;
    QByteArray sub_;                       // one subnegotiation, bounded
    std::array<bool, 256> us_{}, him_{};   // options enabled on each side
    std::array<bool, 256> usAsked_{}, himAsked_{};
    bool settingsSent_ = false;
    std::vector<TSetting> settings_;
    QByteArray replies_;
    QString refusal_;
};

} // namespace portiqa
