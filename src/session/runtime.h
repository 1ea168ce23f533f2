#pragma once
#include "base/qt_timer.h"
#include "link/comm.h"
#include "record/record.h"
#include "session/connection.h"
#include "session/session.h"
#include <memory>

namespace portiqa {

// What a runtime runs on where a test or a benchmark brings its own: timers
// it drives by hand (borrowed: they outlive the runtime), and a session whose
// parts it opens. Left empty: the message loop's timers and a plain session.
struct TRuntimeSeams {
    ITimer* replyTimer = nullptr;
    ITimer* statusTimer = nullptr;
    std::function<std::unique_ptr<TSession>(ISerialPort&, IStatusDisplay&, IOperator&, ITimer&, ITimer&, const QString&)>
        makeSession;
};

// One module connection's machinery, built in one line by the window, the
// command line and each provisioning job: the serial port, the reply and
// status timers, the session over them, the connection that opens the port,
// and the record the session keeps (owned here, or borrowed from whoever
// shares it among several). The port's threads end before the rest goes.
class TRuntime {
public:
    TRuntime(IStatusDisplay& display, IOperator& op, const QString& configFolder = {}, TRuntimeSeams seams = {});
    ~TRuntime();
    TRuntime(const TRuntime&) = delete;
    TRuntime& operator=(const TRuntime&) = delete;

    TSession& Session() { return *session_; }
    TConnection& Connection() { return connection_; }
    // Opens the named port at the module's speed: empty, or why not in the
    // operator's words. Closing forgets the module.
    QString Open(const QString& port) { return connection_.Open(port); }
    // Device servers on other computers are opened only when allowed (the
    // module's password crosses the network unencrypted).
    void SetAllowPlainNetwork(bool allow) { comm_.SetAllowPlainNetwork(allow); }
    // The host of a port name that is another computer's address; empty for
    // a local port or this computer's own address.
    static QString RemoteHost(const QString& port);
    // Why a text is not a device server's address (socket://HOST:PORT,
    // rfc2217://HOST:PORT); empty when it is one.
    static QString AddressProblem(const QString& text);
    // True while the open port is a device server's connection.
    bool IsNetwork() const { return comm_.IsNetwork(); }
    void Close() { connection_.Close(); }
    // Closes the port and nothing more: what the session learned of the
    // module stays to be read (a job that has ended reports it).
    void ClosePort() { comm_.Close(); }
    bool IsOpen() const { return connection_.IsOpen(); }
    // The reply timer: a scripted run or a test may drive its expiry by hand.
    ITimer& ReplyTimer() { return replyTimer_; }
    // The port itself: for a test or a benchmark that counts its bytes.
    TComm& Port() { return comm_; }
    // Lives as long as the port: a call queued on it out of a reply's
    // handling never runs after the runtime is gone.
    QObject& Context() { return comm_; }

    // The record the session keeps, owned from now on (null: none, problem
    // says why when one was wanted); the one before goes after the session
    // has stopped using it.
    void UseRecord(std::unique_ptr<TRecord> record, const QString& problem = {});
    // A record owned by the caller (several runtimes may share it);
    // confirmReads: pages read once are taken when the record's copy agrees.
    void BorrowRecord(TRecord* record, const QString& problem = {}, bool confirmReads = true);
    TRecord* Record() const { return record_; }

    // This computer's serial ports, and the USB serial number of the bridge
    // behind one (empty where the system knows none).
    static QStringList Ports();
    // Device servers' addresses opened before, the latest first.
    static QStringList Addresses() { return TConnection::RememberedAddresses(); }
    static QString SerialOf(const QString& port);

private:
    TComm comm_;
    std::unique_ptr<ITimer> ownReplyTimer_, ownStatusTimer_;  // unless the seams bring timers
    ITimer& replyTimer_;
    ITimer& statusTimer_;
    std::unique_ptr<TRecord> ownRecord_;  // outlives the session that uses it
    TRecord* record_ = nullptr;
    std::unique_ptr<TSession> session_;
    TConnection connection_;
};

} // namespace portiqa
