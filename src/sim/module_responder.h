#pragma once
#include "sim/module_image.h"
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <random>

namespace portiqa::sim {

// Faults a field module and a cheap cable produce, each switched on alone.
struct TFaults {
    int latencyMs = 0;       // before every reply
    int saveLatencyMs = 0;   // before the reply to a page save (a slow flash), instead
    int baud = 0;            // pace replies as a line at this speed (0: full speed)
    int silentAfter = -1;    // stop answering after this many requests
    // Stop answering at the first save that would change the password (the
    // save not taken): a cut in a password write however many tries came before.
    bool silentAtPasswordChange = false;
    int dropEvery = 0;       // leave every n-th request unanswered
    int corruptEvery = 0;    // change one byte of every n-th reply
    // Flip the lowest bit of two bytes (the 7th and 8th of the page, a
    // number's digits) in every n-th page read's reply: the frame's XOR
    // check still holds, as when the line flips the same bit twice.
    int flipEvery = 0;
    bool refuseSaves = false;
    bool refuseCommands = false;  // history deletion, checking mode, the clock: status 0, nothing done
    bool noise = false;      // stray bytes between replies
};

// The module's side of the protocol: reads request frames, answers each
// valid one with a frame carrying the same command code. A request with a
// bad checksum is ignored.
class TModuleResponder {
public:
    TModuleResponder(TModuleImage& image, TFaults faults = {}, uint32_t seed = 7)
        : image_(image), faults_(faults), rng_(seed) {}

    // Takes request bytes; returns what the module sends back (maybe nothing).
    QByteArray Feed(const uint8_t* data, size_t size);

    // Raised after a page has been saved (for writing the image through).
    std::function<void()> OnSaved;
    int Requests() const { return requests_; }
    // Requests that change the module (a page saved, the history erased, the
    // clock set, the checking mode),
    // whatever their answer: what a test asks when it means "nothing written".
    int Changes() const { return changes_; }
    // How long the module waits before sending what the last Feed returned.
    int ReplyDelayMs() const { return delayMs_; }
    const TFaults& Faults() const { return faults_; }

private:
    // A request as the module reads it.
    struct TRequest {
        uint8_t command = 0;
        int32_t address = 0;
        QByteArray payload;
    };
    // The module's own frame reader: '#', then command, address and length
    // (most significant byte first), payload, XOR checksum. True when the
    // byte completed a frame with a right checksum.
    bool Take(uint8_t b, TRequest& out);
    QByteArray Answer(const TRequest& r);

    TModuleImage& image_;
    TFaults faults_;
    std::mt19937 rng_;
    QByteArray frame_;     // bytes after the '#' of the frame being read
    bool inFrame_ = false;
    int requests_ = 0;
    bool silent_ = false;  // went silent at a password change
    int changes_ = 0;
    int delayMs_ = 0;
};

// Builds one frame (used for replies and by tests).
QByteArray BuildFrame(uint8_t command, int32_t address, const QByteArray& payload);

} // namespace portiqa::sim
