#include "session/session.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include <utility>

namespace portiqa {

TSession::TSession(ISerialPort& port, IStatusDisplay& display, IOperator& op_, ITimer& replyTimer, ITimer& statusTimer,
                   const QString& folder)
    : op(op_),
      status(display, statusTimer),
      progress(display),
      seq(port, status, replyTimer),
      pageTransfer(seq, progress),
      numberBlock(seq, pageTransfer, numberTable, op_),
      historyDelete(seq, HistoryDeletionCommand()),
      historyBlock(seq, pageTransfer, historyTable, historyDelete, op_),
      settingsBlock(seq, pageTransfer, settingsTable, progress, op_),
      password(seq, op_),
      receiver(frameAssembler, validReply, seq, progress),
      configFolder(folder),
      profile(settingsTable, {op_, status, progress, folder}),
      numberFiles(numberTable, {op_, status, progress, folder}),
      historyFiles(historyTable, {op_, status, progress, folder}),
      backup(seq, pageTransfer, op_) {
    replyTimer.SetInterval(kReplyTimeoutMs);
    replyTimer.SetEnabled(false);
    BindStatusClearTimer(statusTimer, status, progress);
    seq.OnOutstandingChanged = [this](bool busy) {
        if (OnBusyChanged) OnBusyChanged(busy);
    };
    receiver.SetPageTransfer(&pageTransfer);
    GuardWrites();
    // Who called: the history shows each number's name from the directory.
    historyTable.NameOf = [this](const QString& phone) {
        const TPerson* p = numberTable.People().Find(phone);
        return p ? p->name : QString();
    };
    WireOutcomes();
}

// Every way an operation ends becomes its one outcome.
void TSession::WireOutcomes() {
    // The link reports facts; the operator is told them in words chosen here.
    receiver.OnNotice = [this](const TLinkNotice& n) {
        ShowLinkNotice(op, n);
        // The words go with the operation's outcome as well.
        failureWords_ = LinkMessage(n);
    };

    using K = TOutcome::TKind;
    // A failed exchange ends whatever was running; a refused single command is
    // reported once, by its answer below.
    receiver.OnFailure = [this](TLinkFailure why) {
        if (why == TLinkFailure::CommandFailed) return;
        const TOperation running = Running();
        const QString words = std::exchange(failureWords_, QString());
        switch (why) {
        case TLinkFailure::ReplyTimeout: return Finish(running, K::NoAnswer, words);
        case TLinkFailure::Cancelled: return Finish(running, K::Cancelled, words);
        // The module is gone from this port: as silent as one that stopped answering.
        case TLinkFailure::LinkLost: return Finish(running, K::NoAnswer, words);
        default: return Finish(running, K::Failed, words);
        }
    };
    receiver.OnCommandReply = [this](uint8_t, bool ok) {
        Finish(TOperation::Command, ok ? K::Done : K::Failed, std::exchange(failureWords_, QString()));
    };
    password.OnChecked = [this](bool match, const QString& words) {
        if (match) {
            LoggedInTo(password.ModulePage);
            RecordLogin();
        } else {
            ForgetModule();
        }
        Finish(TOperation::Login, match ? K::Done : K::WrongPassword, words);
    };
    for (TPageBlock* block : std::initializer_list<TPageBlock*>{&settingsBlock, &numberBlock, &historyBlock, &backup}) {
        block->OnEnded = [this, block](const TPageBlock::TEnd& end) {
            // Refused while another operation runs: that one ends, not this.
            if (end.beforeSending && seq.Outstanding()) return;
            // A whole read or a verified save: the table holds what the module holds.
            if (end.kind == K::Done && (block == &settingsBlock || block == &backup)) {
                if (const QByteArray* page1 = seq.KnownPage(SettingsPageAddress(1)); page1 && module_) {
                    const QString before = module_->simNumber;
                    LoggedInTo(*page1);
                    if (module_->simNumber != before) RecordNewSimNumber();
                }
                if (block == &settingsBlock) settingsTable.SetOrigin(TTableOrigin::FromModule(Current()));
            } else if (end.kind == K::Done && block == &numberBlock) {
                numberTable.SetOrigin(TTableOrigin::FromModule(Current()));
            }
            Finish(block->Operation(), end.kind, end.words);
        };
    }
}

TOperation TSession::Running() const {
    // The request that failed is the last one sent, and it names its
    // operation (the read-back after a save names the save's).
    return seq.LastOperation();
}

void TSession::Finish(TOperation operation, TOutcome::TKind kind, const QString& message) {
    const bool refused = recordRefused_ && kind == TOutcome::TKind::Failed;
    // A read-only visit's refusal is the operator's choice, not the record's fault.
    const bool noRecord = refused && !readOnlyRefused_;
    recordRefused_ = readOnlyRefused_ = false;
    TOutcome outcome{operation, noRecord ? TOutcome::TKind::NoRecord : kind,
                     refused && message.isEmpty() ? recordRefusal_ : message};
    // Pages count only when a transfer ran for this operation (a refusal
    // before anything was sent, a single command or a login wrote none).
    if (seq.Transfers() != finishedTransfers_ && operation != TOperation::Command && operation != TOperation::Login) {
        outcome.pagesRead = seq.PagesReadInTransfer();
        outcome.pagesWritten = seq.PagesWrittenInTransfer();
        outcome.pagesVerified = seq.PagesVerifiedInTransfer();
    }
    finishedTransfers_ = seq.Transfers();
    RecordOutcome(outcome);
    if (OnFinished) OnFinished(outcome);
}

void TSession::NewConnection(const QString& port, const QString& bridgeSerial, uint32_t baud) {
    ++connection_;
    seq.NewLine(baud);
    port_ = port;
    bridgeSerial_ = bridgeSerial;
    seq.ForgetModule();
    ForgetModule();
}

void TSession::ForgetModule() {
    const bool had = module_.has_value();
    module_.reset();
    moduleId_.reset();
    known_ = {};
    recordWarned_ = false;
    if (had && OnModuleChanged) OnModuleChanged();
}

TModuleIdentity TSession::Current() const {
    return module_ ? *module_ : TModuleIdentity{QString(), bridgeSerial_, port_, connection_};
}

void TSession::LoggedInTo(const QByteArray& settingsPage1) {
    TModuleIdentity m;
    m.simNumber = SimNumberOfSettingsPage(settingsPage1);
    m.bridgeSerial = bridgeSerial_;
    m.port = port_;
    m.connection = connection_;
    const bool changed = !module_ || module_->simNumber != m.simNumber;
    module_ = m;
    if (changed && OnModuleChanged) OnModuleChanged();
}

std::optional<TOutcome::TKind> TSession::RefuseWrite(const TModuleIdentity& source, bool fromModule,
                                                     const QString& question) {
    if (!module_) {
        op.ShowMessage(TText::tr("Сначала войдите в GSM модуль: введите пароль и нажмите «Вход». Ничего не записано"));
        return TOutcome::TKind::Failed;
    }
    if (!fromModule || SameModule(source, *module_)) return std::nullopt;
    QString asked = question.arg(source.Label(), module_->Label());
    // Neither has a SIM number: "(not set)" and "(not set)" may be one module, or two.
    if (source.SimKey().isEmpty() && module_->SimKey().isEmpty())
        asked += u'\r' + TText::tr("Номер SIM не задан ни там, ни здесь, поэтому не проверить, тот ли это модуль.");
    if (op.AskWriteOtherModule(asked)) return std::nullopt;
    return TOutcome::TKind::OtherModule;
}

} // namespace portiqa
