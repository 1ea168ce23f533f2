#include "session/runtime.h"
#include "link/port_list.h"

namespace portiqa {

TRuntime::TRuntime(IStatusDisplay& display, IOperator& op, const QString& configFolder)
    : session_(comm_, display, op, replyTimer_, statusTimer_, configFolder) {
    // The bridge's control lines stay low: the module reads nothing into them.
    comm_.SetDtrControl(TDtrControl::DtrDisable);
    comm_.SetRtsControl(TRtsControl::RtsDisable);
}

TRuntime::~TRuntime() { comm_.Close(); }

void TRuntime::UseRecord(std::unique_ptr<TRecord> record, const QString& problem) {
    // The session stops using the old record before it goes.
    session_.UseRecord(nullptr, QString());
    ownRecord_ = std::move(record);
    record_ = ownRecord_.get();
    session_.UseRecord(record_, problem);
}

void TRuntime::BorrowRecord(TRecord* record, const QString& problem, bool confirmReads) {
    session_.UseRecord(nullptr, QString());
    ownRecord_.reset();
    record_ = record;
    session_.UseRecord(record_, problem, confirmReads);
}

QStringList TRuntime::Ports() { return TPortList().ScanPorts(); }

QString TRuntime::SerialOf(const QString& port) { return TPortList().SerialOf(port); }

} // namespace portiqa
