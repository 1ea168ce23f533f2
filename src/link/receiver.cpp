#include "link/receiver.h"
#include <algorithm>

namespace portiqa {

TReceiver::TReceiver(TRecData& assembler, TRecValidCom& valid, TRequestSequence& seq,
                     Tprogressbar_ctrl& progress, IOperator& op)
    : assembler_(assembler), valid_(valid), seq_(seq), status_(seq.Status()),
      progress_(progress), op_(op), tmr1_(seq.ReplyTimer()) {
    tmr1_.OnTimer = [this] { tmr1Timer(); };
}

void TReceiver::cm1ReceiveData(const uint8_t* buffer, int length) {
    // The event boundary: a failure inside a handler ends that handler's
    // work and is reported; the bytes after it are still taken.
    for (int i = 0; i < length; ++i) {
        try {
            ReceiveByte(buffer[i]);
        } catch (const std::exception& e) {
            op_.ReportError(QString::fromUtf8(e.what()));
            if (OnFailure) OnFailure(TLinkFailure::HandlerFailed, QString());
        }
    }
}

void TReceiver::ReceiveByte(uint8_t b) {
    static const QString kDataCommunication = QStringLiteral("Data communication");
    tmr1_.SetEnabled(false);
    status_.ShowStatus(kDataCommunication);
    switch (assembler_.Feed(b)) {
    case TRecData::TStep::Invalid:
        status_.ShowStatus(QStringLiteral("Invalid data"));
        break;
    case TRecData::TStep::Complete:
        assembler_.CopyTo(valid_);
        Dispatch();
        break;
    default:
        break;
    }
    // While a reply is still owed, silence on the line is measured from the
    // last byte: a dropped or damaged reply ends in the reply timer's
    // message instead of a transfer that stops without a word.
    if (seq_.Outstanding()) {
        tmr1_.SetEnabled(true);
        tmr1_.SetInterval(kReplyTimeoutMs);
    }
}

bool TReceiver::FirstPayloadByteIsOne() const {
    // A status reply without payload carries no status byte: a failure.
    return valid_.Length > 0 && valid_.Payload[0] == 1;
}

void TReceiver::Fail(TLinkFailure why, const QString& text) {
    op_.ShowMessage(text);
    if (OnFailure) OnFailure(why, text);
}

void TReceiver::ReplyToSingle(const QString& statusText, const QString& okText,
                              const QString& failText) {
    status_.ShowStatus(statusText);
    const bool ok = FirstPayloadByteIsOne();
    if (ok) op_.ShowMessage(okText);
    else Fail(TLinkFailure::CommandFailed, failText);
    if (OnCommandReply) OnCommandReply(valid_.Command, ok);
}

void TReceiver::Dispatch() {
    switch (seq_.Offer(valid_)) {
    case TReplyVerdict::Unasked:
        // Late, duplicated, unasked, for another address or of the wrong
        // length: never decoded, never a step of a chain.
        status_.ShowStatus(QStringLiteral("Unexpected reply"));
        return;
    case TReplyVerdict::Held:
        return;
    case TReplyVerdict::Disagree:
        EndTransfers();
        Fail(TLinkFailure::ReadsDisagree,
             QStringLiteral("Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите"));
        return;
    case TReplyVerdict::Take:
        break;
    }
    switch (valid_.Command) {
    case kCmdTimeSync:
        ReplyToSingle(QStringLiteral("Receives the data synchronization command returns"),
                      QStringLiteral("Возврат времени синхронизации в норму"),
                      QStringLiteral("Ошибка возврата времени синхронизации"));
        break;
    case kCmdCheckingMode:
        ReplyToSingle(QStringLiteral("Checking mode"), QStringLiteral("Enter"), QStringLiteral("Error"));
        break;
    case kCmdDeleteHistory:
        ReplyToSingle(QStringLiteral("Delete command"), QStringLiteral("История данных удалена"),
                      QStringLiteral("Ошибка при удалении исторических данных"));
        break;
    case kCmdSavePage:
        DispatchSave();
        break;
    case kCmdReadPage:
        DispatchRead();
        break;
    default:
        status_.ShowStatus(QStringLiteral("Undefined data"));
        break;
    }
}

void TReceiver::ShowPages(const QString& prefix, Tsend_rec_command& block) {
    const int done = std::max(0, int(block.PageNo) - 1);
    status_.ShowStatus(prefix + QString::number(done) + u'/' + QString::number(block.PageCount));
    if (block.PageNo != 0 && block.PageCount != 0)
        progress_.SetProgress(static_cast<uint16_t>(block.PageNo * 100 / block.PageCount));
}

void TReceiver::HandOver(Tsend_rec_command& block) {
    block.Address = valid_.Address;
    std::copy(valid_.Payload.begin(), valid_.Payload.begin() + valid_.Length, block.Buffer.begin());
}

void TReceiver::DispatchSave() {
    if (pages_ && pages_->TransferRunning()) {
        ShowPages(QStringLiteral("Save pages:"), *pages_);
        HandOver(*pages_);
        if (FirstPayloadByteIsOne()) pages_->HandleSaveReply();
        else {
            const QString written = WrittenSoFar();
            EndTransfers();
            Fail(TLinkFailure::SaveRefused, QStringLiteral("GSM модуль отказался записать страницу 0x%1").arg(valid_.Address, 5, 16, QChar('0')) + written);
        }
        return;
    }
    switch (ClassifyAddress(valid_.Address)) {
    case TAddressClass::Settings:
        status_.ShowStatus(QStringLiteral("Save basic settings"));
        if (!settings_) return;
        HandOver(*settings_);
        if (FirstPayloadByteIsOne()) settings_->HandleSaveReply();
        else {
            const QString written = WrittenSoFar();
            EndTransfers();
            Fail(TLinkFailure::SaveRefused, QStringLiteral("Ошибка базовой настройки") + written);
        }
        break;
    case TAddressClass::Numbers:
        if (!numbers_) return;
        ShowPages(QStringLiteral("Save number list:"), *numbers_);
        HandOver(*numbers_);
        if (FirstPayloadByteIsOne()) numbers_->HandleSaveReply();
        else {
            const QString written = WrittenSoFar();
            EndTransfers();
            Fail(TLinkFailure::SaveRefused, QStringLiteral("Ошибка данных списка номеров") + written);
        }
        break;
    case TAddressClass::History:
        status_.ShowStatus(QStringLiteral("Undefined address"));
        break;
    }
}

void TReceiver::DispatchRead() {
    if (pages_ && pages_->TransferRunning()) {
        ShowPages(QStringLiteral("Reading pages:"), *pages_);
        HandOver(*pages_);
        pages_->HandleReadReply();
        return;
    }
    switch (ClassifyAddress(valid_.Address)) {
    case TAddressClass::Settings:
        status_.ShowStatus(QStringLiteral("Reading basic setting"));
        if (password_ && password_->Pending()) {
            password_->CheckPassword(valid_.Payload.data());
        } else if (settings_) {
            HandOver(*settings_);
            settings_->HandleReadReply();
        }
        break;
    case TAddressClass::Numbers:
        if (!numbers_) return;
        ShowPages(QStringLiteral("Reading number list:"), *numbers_);
        HandOver(*numbers_);
        numbers_->HandleReadReply();
        break;
    case TAddressClass::History:
        if (!history_) return;
        ShowPages(QStringLiteral("Reading historical data:"), *history_);
        HandOver(*history_);
        history_->HandleReadReply();
        break;
    }
}

void TReceiver::EndTransfers() {
    seq_.AbortTransfer();
    for (Tsend_rec_command* block : {settings_, numbers_, history_, pages_})
        if (block) block->AbortTransfer();
}

QString TReceiver::WrittenSoFar() const {
    const int n = seq_.PagesWrittenInTransfer();
    if (n == 0) return QString();
    return QStringLiteral("\rЗаписано страниц: %1. Сохраните ещё раз, чтобы записать остальные").arg(n);
}

void TReceiver::tmr1Timer() {
    tmr1_.SetEnabled(false);
    // A frame cut off by the silence can never complete: start afresh, so
    // that the next reply is not read as its continuation.
    assembler_.Reset();
    // A page request the module has not answered is sent again, a limited
    // number of times, while the module has answered in this transfer.
    if (seq_.RetryAfterSilence()) {
        status_.ShowStatus(QStringLiteral("Повтор запроса %1/%2").arg(seq_.Attempt()).arg(seq_.MaxAttempts()));
        return;
    }
    const QString written = WrittenSoFar();
    seq_.SetOutstanding(false);
    // A login whose reply never came must not swallow a later settings read.
    if (password_) password_->CancelPending();
    EndTransfers();
    Fail(TLinkFailure::ReplyTimeout, QStringLiteral("Необходимо ожидание") + written);
    status_.Display().SetStatusText(QString());
    progress_.SetProgress(100);
}

} // namespace portiqa
