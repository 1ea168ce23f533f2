#pragma once
#include "link/comm.h"
#include "session/session.h"
#include <QString>
#include <functional>

namespace portiqa {

// The serial port under a session: the one way every front end (the window,
// the command line, each provisioning job) opens it, hands its bytes to the
// session, and learns that it was lost.
class TConnection {
public:
    TConnection(TComm& comm, TSession& session);

    // Opens the named port at the module's speed: empty, or why it did not
    // open in the operator's words ("COM Port ошибка", then the reason).
    QString Open(const QString& name);
    // Closes the port and forgets the module: the next one on this port may
    // be another.
    void Close();
    bool IsOpen() const { return comm_.IsOpen(); }

    // The port closed under the program (a pulled cable, the far end gone):
    // the port is closed and the module forgotten, then this is raised with
    // the words for it; empty when a transfer was running, whose outcome
    // already told the operator (once, with what was written).
    std::function<void(const QString& message)> OnLost;

    static constexpr uint32_t kBaudRate = 115200;

    // Device servers' addresses opened before, the latest first (the user's
    // settings, shared by the window and the command line).
    static QStringList RememberedAddresses();

private:
    static void RememberAddress(const QString& address);
    TComm& comm_;
    TSession& session_;
};

} // namespace portiqa
