// One module's provisioning: a session of its own on its port, the steps in
// the order that never leaves a half-programmed module behind.
#include "provision/provision_job.h"
#include <QCryptographicHash>
#include "base/texts.h"
#include <QMetaObject>

namespace portiqa {

// One module's session is not watched by an operator: messages go nowhere
// (each outcome carries its words), questions are answered yes, except the
// warning before numbers are removed, which needs --force.
class TProvisionJob::TOperator : public TSilentOperator {
public:
    explicit TOperator(bool force) : force_(force) {}
    bool WarnOkCancel(const QString&) override { return force_; }

private:
    bool force_;
};

namespace {
// The session's status bar: only the progress is passed on.
class TJobDisplay : public IStatusDisplay {
public:
    explicit TJobDisplay(std::function<void(int)> percent) : percent_(std::move(percent)) {}
    void SetStatusText(const QString&) override {}
    void SetProgressPosition(int position) override { percent_(position); }
    void SetProgressVisible(bool) override {}

private:
    std::function<void(int)> percent_;
};
} // namespace

TProvisionJob::TProvisionJob(const QString& port, const TProvisionPlan& plan, const QString& pin, bool force,
                             std::function<void(const QString&, const QString&)> progress, TRecord* record)
    : port_(port), plan_(plan), pin_(pin), progress_(std::move(progress)), op_(std::make_unique<TOperator>(force)),
      display_(std::make_unique<TJobDisplay>([this](int percent) {
          if (OnPercent && percent > 0 && percent < 100) OnPercent(percent);
      })) {
    runtime_ = std::make_unique<TRuntime>(*display_, *op_);
    session_ = &runtime_->Session();
    // What was written, where, when: in the module record like every other
    // write. A factory-new module is read once a page, as without a record.
    if (record) runtime_->BorrowRecord(record, QString(), false);
    runtime_->Connection().OnLost = [this](const QString& message) {
        if (!message.isEmpty()) Fail(message, QStringLiteral("link_lost"));  // else the step's outcome ends the module
    };
    // Each step starts when the one before has ended well; anything else ends
    // this module with the last thing the operator would have been told.
    session_->OnFinished = [this](const TOutcome& o) {
        pages_ += o.pagesWritten;
        if (o.kind == TOutcome::TKind::WrongPassword) {
            // Out of the receiver's reply handling before anything else is sent.
            QMetaObject::invokeMethod(&runtime_->Context(), [this] { Refused(); }, Qt::QueuedConnection);
            return;
        }
        if (o.Ok() && o.unrecorded.isEmpty()) return Next();
        // The outcome's own words. A question the options answered "no"
        // (removing numbers) is its words and what would have said yes.
        using K = TOutcome::TKind;
        QString reason = o.Ok() ? o.unrecorded : QString(o.message).replace(u'\r', QStringLiteral(": "));
        if (o.kind == K::Cancelled) reason += QStringLiteral(" (--force)");
        const QString code = o.kind == K::NoAnswer        ? QStringLiteral("no_answer")
                             : o.kind == K::Cancelled      ? QStringLiteral("declined")
                             : o.kind == K::RefusedByRules ? QStringLiteral("rules")
                             : o.kind == K::NoRecord || o.Ok() ? QStringLiteral("record")
                                                               : QStringLiteral("refused");
        const bool nothingSent = o.kind == K::Cancelled || o.kind == K::RefusedByRules || o.kind == K::NoRecord;
        // Out of the receiver's reply handling before the port is closed.
        QMetaObject::invokeMethod(&runtime_->Context(), [this, reason, code, nothingSent] { Fail(reason, code, false, nothingSent); },
                                  Qt::QueuedConnection);
    };
}

TProvisionJob::~TProvisionJob() = default;

void TProvisionJob::Start(std::function<TUnit*(QString&)> takeUnit, std::function<void(const TResult&)> done,
                          TRecognise recognise, bool reflash) {
    takeUnit_ = std::move(takeUnit);
    done_ = std::move(done);
    recognise_ = std::move(recognise);
    reflash_ = reflash;
    // One line of the job's log: the reason after the words, not below them.
    if (QString problem = runtime_->Open(port_); !problem.isEmpty())
        return Fail(problem.replace(u'\r', QStringLiteral(": ")), QStringLiteral("port"));
    step_ = TStep::Login;
    progress_(QStringLiteral("login"), TText::tr("вход"));
    session_->Login([this] { return pin_; });
}

// Each step starts when the one before has ended well. The numbers go
// first (their save reads the module and asks before removing any, so
// nothing is written to a module --force would be needed for), then the
// settings with the module's own password, and the unit's password last: a
// module that fails on the way keeps the password it had and is simply
// plugged in again.
void TProvisionJob::Next() {
    if (finished_) return;
    switch (step_) {
    case TStep::Login:
        // A module that logged in takes the next unit; one being programmed
        // again keeps its own.
        if (!reflashing_) {
            QString whyNot;
            unit_ = takeUnit_ ? takeUnit_(whyNot) : nullptr;
            if (plan_.withUnits && !unit_)
                return Fail(whyNot.isEmpty() ? TText::tr("устройств в таблице больше нет") : whyNot,
                            whyNot.isEmpty() ? QStringLiteral("no_unit") : QStringLiteral("record"));
        }
        step_ = TStep::ReadSettings;
        progress_(QStringLiteral("read_settings"), TText::tr("чтение настроек"));
        session_->ReadSettings(TSession::TAsk::Quietly);
        return;
    case TStep::ReadSettings:
        modulePin_ = session_->Settings().Value(kPasswordRow);
        if (plan_.hasNumbers) {
            session_->Numbers().Grid().Assign(plan_.numbers);  // shared, not copied
            // The template's list is the whole list the module is to hold.
            session_->Numbers().SetOrigin(TTableOrigin::FromFile(plan_.numbersSource));
            step_ = TStep::SaveNumbers;
            progress_(QStringLiteral("write_numbers"), TText::tr("запись номеров"));
            session_->SaveNumbers();
            return;
        }
        [[fallthrough]];
    case TStep::SaveNumbers:
        plan_.ApplySettings(session_->Settings(), unit_);
        unitPin_ = session_->Settings().Value(kPasswordRow);
        session_->Settings().SetValue(kPasswordRow, modulePin_);
        step_ = TStep::SaveSettings;
        progress_(QStringLiteral("write_settings"), TText::tr("запись настроек"));
        session_->SaveSettings();
        return;
    case TStep::SaveSettings:
        session_->Settings().SetValue(kPasswordRow, unitPin_);
        step_ = TStep::SavePin;
        progress_(QStringLiteral("write_pin"), TText::tr("запись пароля"));
        session_->SaveSettings();
        return;
    case TStep::SavePin:
        step_ = TStep::Done;
        finished_ = true;
        runtime_->ClosePort();
        if (done_) done_({true, false, QString(), pages_, false, reflashing_, QStringLiteral("ok")});
        return;
    case TStep::Done:
        return;
    }
}

QString TProvisionJob::Fingerprint() const {
    const QByteArray& page = session_->LoginPage();
    if (page.isEmpty()) return {};
    return QString::fromLatin1(QCryptographicHash::hash(page, QCryptographicHash::Sha256).toHex().left(16));
}

void TProvisionJob::Refused() {
    if (finished_) return;
    // The first page the login read carries the module's password and SIM number.
    const QString pin = session_->ModulePassword();
    const QString sim = SimNumberOfSettingsPage(session_->LoginPage());
    const TUnit* known = !reflashing_ && recognise_ ? recognise_(pin, sim) : nullptr;
    if (!known) return Fail(TText::tr("неверный пароль: модуль уже настроен?"), QStringLiteral("wrong_password"), true);
    unit_ = known;
    if (!reflash_) {
        finished_ = true;
        runtime_->ClosePort();
        if (done_)
            done_({true, false, TText::tr("уже настроен: устройство %1").arg(known->name), 0, false, true,
                   QStringLiteral("set_up_already")});
        return;
    }
    // Programmed again with its own unit, logged in with the unit's password.
    reflashing_ = true;
    pin_ = pin;
    progress_(QStringLiteral("reflash"), TText::tr("повторная настройка: устройство %1").arg(known->name));
    step_ = TStep::Login;
    session_->Login([this] { return pin_; });
}

void TProvisionJob::Fail(const QString& reason, const QString& code, bool loginRefused, bool nothingSent) {
    if (finished_) return;
    finished_ = true;
    runtime_->ClosePort();
    // A module programmed again holds its unit's password; it is in doubt
    // once anything may have been written into it, not when the reflash
    // ended before its first write (the unit stays done).
    const bool writing = step_ == TStep::SaveNumbers || step_ == TStep::SaveSettings || step_ == TStep::SavePin;
    const bool reflashWrote = reflashing_ && (pages_ > 0 || (writing && !nothingSent));
    if (done_)
        done_({false, loginRefused, reason.isEmpty() ? TText::tr("ошибка обмена") : reason, pages_,
               step_ == TStep::SavePin || reflashWrote, reflashing_, code});
}

} // namespace portiqa
