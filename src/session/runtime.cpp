#include "session/runtime.h"
#include "link/net_address.h"
#include "link/port_list.h"

namespace portiqa {

namespace {

// The message loop's timer unless one is brought; what is made is kept in own.
ITimer& TimerOf(ITimer* brought, std::unique_ptr<ITimer>& own, int intervalMs, bool enabled) {
    if (brought) return *brought;
    own = std::make_unique<TQtTimer>(intervalMs, enabled);
    return *own;
}

} // namespace

TRuntime::TRuntime(IStatusDisplay& display, IOperator& op, const QString& configFolder, TRuntimeSeams seams)
    : replyTimer_(TimerOf(seams.replyTimer, ownReplyTimer_, kReplyTimeoutMs, false)),
      statusTimer_(TimerOf(seams.statusTimer, ownStatusTimer_, kStatusClearMs, true)),
      session_(seams.makeSession ? seams.makeSession(comm_, display, op, replyTimer_, statusTimer_, configFolder)
                                 : std::make_unique<TSession>(comm_, display, op, replyTimer_, statusTimer_, configFolder)),
      connection_(comm_, *session_) {}

TRuntime::~TRuntime() { comm_.Close(); }

void TRuntime::UseRecord(std::unique_ptr<TRecord> record, const QString& problem) {
    // The session stops using the old record before it goes.
    session_->UseRecord(nullptr, QString());
    ownRecord_ = std::move(record);
    record_ = ownRecord_.get();
    session_->UseRecord(record_, problem);
}

void TRuntime::BorrowRecord(TRecord* record, const QString& problem, bool confirmReads) {
    session_->UseRecord(nullptr, QString());
    ownRecord_.reset();
    record_ = record;
    session_->UseRecord(record_, problem, confirmReads);
}

QStringList TRuntime::Ports() { return TPortList().ScanPorts(); }

QString TRuntime::SerialOf(const QString& port) {
    // A device server has no bridge serial number to tell modules apart by.
    return TNetAddress::LooksLike(port) ? QString() : TPortList().SerialOf(port);
}

QString TRuntime::AddressProblem(const QString& text) {
    TNetAddress address;
    QString why;
    return TNetAddress::Parse(text, address, why) ? QString() : why;
}

QString TRuntime::RemoteHost(const QString& port) {
    TNetAddress address;
    QString why;
    return TNetAddress::Parse(port, address, why) && !address.IsLoopback() ? address.host : QString();
}

} // namespace portiqa
