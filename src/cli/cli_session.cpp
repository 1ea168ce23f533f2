#include "cli/cli_session.h"
#include "base/texts.h"
#include "base/errors.h"

namespace portiqa {

bool TCliOperator::WarnOkCancel(const QString& text) {
    if (!yes_) Line(text + TText::tr("\n(needs --yes)"));
    return yes_;
}

bool TCliOperator::AskWriteOtherModule(const QString& text) {
    if (!clone_) Line(text + TText::tr("\n(needs --clone): nothing written"));
    return clone_;
}

void TCliOperator::Line(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    err_ << text << Qt::endl;
}

TCliStatus::~TCliStatus() {
    if (shown_) err_ << "\r\033[K" << Qt::flush;
}

void TCliStatus::SetStatusText(const QString& text) {
    if (!show_ || text.isEmpty()) return;
    err_ << "\r\033[K" << text << Qt::flush;
    shown_ = true;
}

namespace {

// How an operation's end becomes the exit status: the one table.
int ExitFor(TOutcome::TKind kind) {
    switch (kind) {
    case TOutcome::TKind::Done: return kExitOk;
    case TOutcome::TKind::NoAnswer: return kExitNoAnswer;
    case TOutcome::TKind::WrongPassword: return kExitWrongPassword;
    case TOutcome::TKind::RefusedByRules:
    case TOutcome::TKind::OtherModule:
    case TOutcome::TKind::NoRecord: return kExitFile;
    case TOutcome::TKind::Failed:
    case TOutcome::TKind::Cancelled: return kExitFailed;
    }
    return kExitFailed;
}

} // namespace

TCli::TCli(QTextStream& out, QTextStream& err, bool yes, bool progress, bool clone)
    : out_(out), err_(err), op_(err, yes, clone), status_(err, progress), runtime_(status_, op_) {
    runtime_.Connection().OnLost = [this](const QString& message) {
        if (message.isEmpty()) return;  // the transfer's outcome has ended the command
        op_.ShowMessage(message);
        Finish(kExitFailed);
    };
    // A write whose outcome the record could not keep is not a success.
    runtime_.Session().OnFinished = [this](const TOutcome& o) {
        Finish(o.Ok() && !o.unrecorded.isEmpty() ? kExitFile : ExitFor(o.kind));
    };
}

TCli::~TCli() = default;

int TCli::Open(const QString& port) {
    QString name = port;
    if (name.isEmpty()) {
        const QStringList ports = TRuntime::Ports();
        if (ports.isEmpty()) {
            op_.ShowMessage(TText::tr("COM Port ошибка\rno serial port found; give one with -p"));
            return kExitPort;
        }
        name = ports.first();
    }
    if (const QString problem = runtime_.Open(name); !problem.isEmpty()) {
        op_.ShowMessage(problem);
        return kExitPort;
    }
    return kExitOk;
}

int TCli::Exchange(const std::function<void()>& start) {
    result_ = -1;
    if (!RunGuarded(op_, start)) return kExitFailed;
    if (result_ < 0 && !runtime_.Session().Busy()) return kExitFailed;  // refused before sending
    if (result_ < 0) loop_.exec();
    return result_;
}

int TCli::Login(const QString& pin) {
    return Exchange([this, pin] { runtime_.Session().Login(pin); });
}

void TCli::Finish(int code) {
    if (result_ >= 0) return;
    result_ = code;
    loop_.quit();
}

} // namespace portiqa
