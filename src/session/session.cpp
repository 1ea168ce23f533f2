#include "session/session.h"
#include "link/link_messages.h"

namespace portiqa {

TSession::TSession(ISerialPort& port, IStatusDisplay& display, IOperator& op_, ITimer& tmr1, ITimer& tmr2,
                   const QString& folder)
    : op(op_),
      status(display, tmr2),
      progress(display),
      seq(port, status, tmr1),
      pageTransfer(seq, progress),
      telephoneSend(seq, pageTransfer, numberTable, op_),
      checkingMode(seq, kCmdCheckingMode),
      historyDelete(seq, kCmdDeleteHistory),
      timeSync(seq),
      historyInf(seq, pageTransfer, historyTable, historyDelete, op_),
      basicInf(seq, pageTransfer, settingsTable, progress, op_),
      password(seq, op_),
      receiver(recData, recValidCom, seq, progress),
      configFolder(folder),
      profile(settingsTable, {op_, status, progress, folder}),
      numberFiles(numberTable, {op_, status, progress, folder}),
      historyFiles(historyTable, {op_, status, progress, folder}),
      backup(seq, pageTransfer, op_) {
    tmr1.SetInterval(kReplyTimeoutMs);
    tmr1.SetEnabled(false);
    BindStatusClearTimer(tmr2, status, progress);
    receiver.SetPasswordCheck(&password);
    receiver.SetPageTransfer(&pageTransfer);
    // The link reports facts; the operator is told them in words chosen here.
    receiver.OnNotice = [this](const TLinkNotice& n) { ShowLinkNotice(op, n); };

    using K = TOutcome::TKind;
    // A failed exchange ends whatever was running; a refused single command is
    // reported once, by its answer below.
    receiver.OnFailure = [this](TLinkFailure why) {
        const TOperation running = Running();
        switch (why) {
        case TLinkFailure::CommandFailed: return;
        case TLinkFailure::ReplyTimeout: return Finish(running, K::NoAnswer);
        case TLinkFailure::Cancelled: return Finish(running, K::Cancelled);
        default: return Finish(running, K::Failed);
        }
    };
    receiver.OnCommandReply = [this](uint8_t, bool ok) { Finish(TOperation::Command, ok ? K::Done : K::Failed); };
    password.OnChecked = [this](bool match) { Finish(TOperation::Login, match ? K::Done : K::WrongPassword); };
    backup.OnDone = [this](bool ok) {
        Finish(TOperation::Memory, ok ? K::Done : backup.RefusedByRules ? K::RefusedByRules : K::Failed);
    };
    for (TPageBlock* block : std::initializer_list<TPageBlock*>{&basicInf, &telephoneSend, &historyInf}) {
        block->OnTransferDone = [this, block] { Finish(block->Operation(), K::Done); };
        block->OnTransferFailed = [this, block](const QString&) { Finish(block->Operation(), K::Failed); };
    }
}

TOperation TSession::Running() const {
    // The request that failed is the last one sent; its owner names the
    // operation. The read-back after a save is the sequence's own (no owner)
    // and belongs to the page chain's operation.
    const void* owner = seq.LastOwner();
    if (owner == &password) return TOperation::Login;
    if (owner == &pageTransfer || owner == nullptr) return pageTransfer.Operation();
    return TOperation::Command;
}

void TSession::Finish(TOperation operation, TOutcome::TKind kind) {
    if (OnFinished) OnFinished({operation, kind});
}

} // namespace portiqa
