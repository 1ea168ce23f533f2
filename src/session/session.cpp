#include "session/session.h"
#include "link/link_messages.h"

namespace portiqa {

TSession::TSession(ISerialPort& port, IStatusDisplay& display, IOperator& op_, ITimer& tmr1, ITimer& tmr2,
                   const QString& folder)
    : op(op_),
      status(display, tmr2),
      progress(display),
      seq(port, status, tmr1),
      telephoneSend(seq, numberTable, op_),
      checkingMode(seq, kCmdCheckingMode),
      historyDelete(seq, kCmdDeleteHistory),
      timeSync(seq),
      historyInf(seq, historyTable, historyDelete, op_),
      basicInf(seq, settingsTable, progress, op_),
      password(seq, op_),
      receiver(recData, recValidCom, seq, progress),
      configFolder(folder),
      profile(settingsTable, {op_, status, progress, folder}),
      numberFiles(numberTable, {op_, status, progress, folder}),
      historyFiles(historyTable, {op_, status, progress, folder}),
      pageTransfer(seq, progress),
      backup(seq, pageTransfer, op_) {
    tmr1.SetInterval(kReplyTimeoutMs);
    tmr1.SetEnabled(false);
    BindStatusClearTimer(tmr2, status, progress);
    receiver.SetSettingsBlock(&basicInf);
    receiver.SetNumberBlock(&telephoneSend);
    receiver.SetHistoryBlock(&historyInf);
    receiver.SetPasswordCheck(&password);
    receiver.SetPageTransfer(&pageTransfer);
    // The link reports facts; the operator is told them in words chosen here.
    receiver.OnNotice = [this](const TLinkNotice& n) { ShowLinkNotice(op, n); };
}

} // namespace portiqa
