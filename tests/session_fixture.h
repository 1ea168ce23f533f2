#pragma once
#include "fakes.h"
#include "pty_pair.h"
#include "open_session.h"
#include "link/comm.h"
#include "session/runtime.h"
#include "sim/simulator.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace portiqa::test {

// The real chain end to end: the session's objects, TComm on a
// pseudo-terminal, and the simulated module on the other side.
struct SessionFixture : ::testing::Test {
    sim::TSimOptions simOptions;
    std::unique_ptr<sim::TModuleSimulator> module;
    TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer{3000}, statusTimer{3000, true};
    std::unique_ptr<TRuntime> runtime;
    TOpenSession* session = nullptr;  // the runtime's
    QString typed = QStringLiteral("5807");
    bool controlsEnabled = false;
    int done = 0;  // transfers that ended well
    int framesSent = 0;      // requests the program wrote
    qint64 bytesTaken = 0;   // bytes the program received
    std::vector<TOutcome> outcomes;
    // The name the program opens for the module's terminal (a device server's address).
    std::function<QString(const QString& terminal)> portFor;

    void Start() {
        runtime.reset();  // a case that starts again closes the old port first
        module = std::make_unique<sim::TModuleSimulator>(simOptions);
        QString error;
        ASSERT_TRUE(module->Start(&error)) << error.toStdString();
        runtime = std::make_unique<TRuntime>(display, op, QString(), OpenSeams(session, &replyTimer, &statusTimer));
        ASSERT_EQ(runtime->Open(portFor ? portFor(module->Path()) : module->Path()), QString());
        // Counts what the port hands over, then hands it on.
        auto toSession = runtime->Port().OnReceived;
        runtime->Port().OnReceived = [this, toSession](TComm* port, const char* b, uint16_t n) {
            bytesTaken += n;
            toSession(port, b, n);
        };
        session->seq.OnFrameSent = [this](const uint8_t*, int) { ++framesSent; };
        session->password.TypedPasswordSource = [this] { return typed; };
        session->password.SetControlsEnabled = [this](bool on) { controlsEnabled = on; };
        session->OnFinished = [this](const TOutcome& o) {
            outcomes.push_back(o);
            if (o.Ok() && o.operation != TOperation::Login && o.operation != TOperation::Command) ++done;
        };
    }
    void TearDown() override { Stop(); }
    // The port closes before the module goes, as a cable is pulled last.
    void Stop() {
        if (runtime) runtime->ClosePort();
        if (module) module->Stop();
    }
    // Runs the event loop until the line is quiet: no request outstanding.
    bool Settle(int boundMs = 20000) {
        return WaitFor([this] { return !session->seq.Outstanding(); }, boundMs);
    }
    // The module is done with every request sent and the program has taken
    // every byte it wrote, yet a reply is owed: that reply is lost, and the
    // reply timer may run out at once. Waits (bounded) for either.
    bool ReplyLost(int boundMs = 5000) {
        return WaitFor([this] { return !session->seq.Outstanding() || Quiet(); }, boundMs) &&
               session->seq.Outstanding();
    }
    bool Quiet() const {
        // Bytes first: they are counted before the requests that made them.
        const int doneRequests = module->RequestsDone();
        return doneRequests == framesSent && module->BytesReplied() == bytesTaken;
    }
    bool Login(const QString& pin) {
        typed = pin;
        op.messages.clear();
        op.told.clear();
        session->password.StartCheck();
        return Settle() && !(op.messages.isEmpty() && op.told.isEmpty());  // answered, either way
    }
};

} // namespace portiqa::test
