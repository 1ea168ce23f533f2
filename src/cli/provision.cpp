#include "cli/provision.h"
#include "base/texts.h"
#include "cli/cli_options.h"
#include "link/port_list.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <atomic>
#include <csignal>

namespace portiqa {

namespace {

std::atomic<bool> gStop{false};

extern "C" void StopProvisioning(int) { gStop.store(true); }

qint64 NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

} // namespace

// Messages of one module's session: the last one is the report's reason;
// questions are answered from the options (removing numbers needs --force).
class TProvisionJob::TOperator : public IOperator {
public:
    explicit TOperator(bool force) : force_(force) {}
    void ShowMessage(const QString& text) override { last = text; }
    bool AskAccept(const QString&) override { return true; }
    bool WarnOkCancel(const QString& text) override {
        last = text + QStringLiteral(" (--force)");
        return force_;
    }
    void ReportError(const QString& text) override { last = text; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    QString last;

private:
    bool force_;
};

namespace {
class TNoDisplay : public IStatusDisplay {
public:
    void SetStatusText(const QString&) override {}
    void SetProgressPosition(int) override {}
    void SetProgressVisible(bool) override {}
};
} // namespace

TProvisionJob::TProvisionJob(const QString& port, const TProvisionPlan& plan, const QString& pin, bool force,
                             std::function<void(const QString&)> progress)
    : port_(port), plan_(plan), pin_(pin), progress_(std::move(progress)), op_(std::make_unique<TOperator>(force)),
      display_(std::make_unique<TNoDisplay>()) {
    session_ = std::make_unique<TSession>(comm_, *display_, *op_, tmr1_, tmr2_);
    connection_ = std::make_unique<TConnection>(comm_, *session_);
    connection_->OnLost = [this](const QString& message) { Fail(message); };
    session_->password.TypedPasswordSource = [this] { return pin_; };
    // Each step starts when the one before has ended well; anything else ends
    // this module with the last thing the operator would have been told.
    session_->OnFinished = [this](const TOutcome& o) {
        pages_ += o.pagesWritten;
        if (o.kind == TOutcome::TKind::WrongPassword) return Fail(TText::tr("неверный пароль: модуль уже настроен?"), true);
        if (o.Ok()) return Next();
        // The outcome's own words; a question the options answered "no"
        // (removing numbers without --force) was said to the operator only.
        const QString reason = o.message.isEmpty() ? op_->last : QString(o.message).replace(u'\r', QStringLiteral(": "));
        // Out of the receiver's reply handling before the port is closed.
        QMetaObject::invokeMethod(&comm_, [this, reason] { Fail(reason); }, Qt::QueuedConnection);
    };
}

TProvisionJob::~TProvisionJob() { comm_.CloseComm(); }

void TProvisionJob::Start(std::function<TUnit*()> takeUnit, std::function<void(const TResult&)> done) {
    takeUnit_ = std::move(takeUnit);
    done_ = std::move(done);
    // One line of the job's log: the reason after the words, not below them.
    if (QString problem = connection_->Open(port_); !problem.isEmpty())
        return Fail(problem.replace(u'\r', QStringLiteral(": ")));
    step_ = TStep::Login;
    progress_(TText::tr("вход"));
    session_->password.StartCheck();
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
        // A module that logged in takes the next unit.
        unit_ = takeUnit_ ? takeUnit_() : nullptr;
        if (plan_.withUnits && !unit_) return Fail(TText::tr("устройств в таблице больше нет"));
        step_ = TStep::ReadSettings;
        progress_(TText::tr("чтение настроек"));
        session_->basicInf.ReadQuietly();
        return;
    case TStep::ReadSettings:
        modulePin_ = session_->settingsTable.Value(kPinRow);
        if (plan_.hasNumbers) {
            {
                TGridBatch batch(session_->numberTable.Grid());
                for (int r = 1; r <= TNumberTable::kRecords; ++r)
                    for (int c = 1; c < TNumberTable::kCols; ++c)
                        session_->numberTable.Grid().SetCells(c, r, plan_.numbers.Cells(c, r));
            }
            // The template's list is the whole list the module is to hold.
            session_->numberTable.SetOrigin(TTableOrigin::FromFile(plan_.numbersSource));
            step_ = TStep::SaveNumbers;
            progress_(TText::tr("запись номеров"));
            session_->telephoneSend.Save();
            return;
        }
        [[fallthrough]];
    case TStep::SaveNumbers:
        plan_.ApplySettings(session_->settingsTable, unit_);
        unitPin_ = session_->settingsTable.Value(kPinRow);
        session_->settingsTable.SetValue(kPinRow, modulePin_);
        step_ = TStep::SaveSettings;
        progress_(TText::tr("запись настроек"));
        session_->basicInf.Save();
        return;
    case TStep::SaveSettings:
        session_->settingsTable.SetValue(kPinRow, unitPin_);
        step_ = TStep::SavePin;
        progress_(TText::tr("запись пароля"));
        session_->basicInf.Save();
        return;
    case TStep::SavePin:
        step_ = TStep::Done;
        finished_ = true;
        comm_.CloseComm();
        if (done_) done_({true, false, QString(), pages_});
        return;
    case TStep::Done:
        return;
    }
}

void TProvisionJob::Fail(const QString& reason, bool loginRefused) {
    if (finished_) return;
    finished_ = true;
    comm_.CloseComm();
    if (done_) done_({false, loginRefused, reason.isEmpty() ? TText::tr("ошибка обмена") : reason, pages_});
}

TProvisioner::TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TOptions options, QTextStream& out,
                           QTextStream& err)
    : plan_(plan), report_(report), o_(std::move(options)), out_(out), err_(err) {
#ifdef _WIN32
    if (o_.watch.isEmpty()) o_.watch = {QStringLiteral("COM*")};
#else
    if (o_.watch.isEmpty()) o_.watch = {QStringLiteral("/dev/ttyUSB*"), QStringLiteral("/dev/ttyACM*")};
#endif
    // Units an earlier run with this report has done are not done again.
    const QSet<QString> done = report_.DoneUnits();
    std::deque<TUnit> left;
    for (const TUnit& u : plan_.units)
        if (!done.contains(u.name)) left.push_back(u);
    plan_.units = left;
}

void TProvisioner::RequestStop() { gStop.store(true); }

QStringList TProvisioner::Ports() const {
    QStringList out;
    QStringList listed;  // the port list, asked once and only when a name needs it
    for (const QString& glob : o_.watch) {
        if (!glob.contains(u'/') && !glob.contains(u'\\')) {
            // A port-list name or pattern: "COM5", "COM*", "ttyUSB*".
            if (listed.isEmpty()) listed = TPortList().ScanPorts();
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(glob),
                                        QRegularExpression::CaseInsensitiveOption);
            for (const QString& name : listed)
                if (re.match(name).hasMatch()) out << name;
            continue;
        }
        const QFileInfo g(glob);
        const QDir dir = g.absoluteDir();
        for (const QString& name : dir.entryList({g.fileName()}, QDir::System | QDir::Files | QDir::Hidden))
            out << dir.filePath(name);
    }
    out.removeDuplicates();
    return out;
}

void TProvisioner::Event(const QString& port, const QString& kind, const QString& text) {
    if (o_.json) {
        out_ << QJsonDocument(QJsonObject{{"time", QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                                          {"port", port},
                                          {"event", kind},
                                          {"text", text}})
                    .toJson(QJsonDocument::Compact)
             << "\n";
        out_.flush();
    }
    err_ << port << ": " << text << "\n";
    err_.flush();
}

TUnit* TProvisioner::TakeUnit() {
    if (!plan_.withUnits) return nullptr;
    if (plan_.units.empty()) return nullptr;
    taken_.push_back(plan_.units.front());
    plan_.units.pop_front();
    return &taken_.back();
}

void TProvisioner::Scan() {
    const QStringList now = Ports();
    const std::set<QString> current(now.begin(), now.end());
    // A port that went away may be provisioned again when it comes back.
    for (auto it = present_.begin(); it != present_.end();)
        it = current.count(*it) ? std::next(it) : present_.erase(it);
    if (gStop.load() && !stopSeen_) {
        stopSeen_ = true;
        Event(QStringLiteral("-"), QStringLiteral("stop"), TText::tr("остановка: новые модули не начинаются"));
    }
    MaybeEnd();
    for (const QString& port : now) {
        if (present_.count(port) || jobs_.count(port)) continue;
        // A module that comes when the run is ending is told so, once.
        if (ending_) {
            present_.insert(port);
            Event(port, QStringLiteral("skipped"), TText::tr("не начат: запуск завершается"));
            continue;
        }
        // While --count modules are done or in progress, a new one waits: it
        // starts if one of them fails.
        if (o_.count >= 0 && ok_ + int(jobs_.size()) >= o_.count) break;
        present_.insert(port);
        Started(port);
    }
}

void TProvisioner::Started(const QString& port) {
    Event(port, QStringLiteral("seen"), TText::tr("модуль найден"));
    auto job = std::make_unique<TProvisionJob>(port, plan_, o_.pin, o_.force,
                                               [this, port](const QString& step) { Event(port, QStringLiteral("progress"), step); });
    TProvisionJob* raw = job.get();
    jobs_[port] = std::move(job);
    startedMs_[port] = NowMs();
    raw->Start([this, port] {
                   TUnit* u = TakeUnit();
                   if (u) Event(port, QStringLiteral("unit"), TText::tr("устройство ") + u->name);
                   return u;
               },
               [this, port](const TProvisionJob::TResult& r) {
                   const double seconds = double(NowMs() - startedMs_[port]) / 1000.0;
                   // Ended outside the job's own call stack.
                   QMetaObject::invokeMethod(&scan_, [this, port, r, seconds] { Finished(port, r, seconds); },
                                             Qt::QueuedConnection);
               });
}

void TProvisioner::Finished(const QString& port, const TProvisionJob::TResult& r, double seconds) {
    auto it = jobs_.find(port);
    if (it == jobs_.end()) return;
    const TUnit* unit = it->second->Unit();
    const QString unitName = unit ? unit->name : QString();
    if (!report_.Append(port, TPortList().SerialOf(port), unitName, r.ok, r.reason, r.pages, seconds)) {
        // A module without its line could get its unit again after a
        // restart: nothing new starts, and the line is said here instead.
        err_ << TText::tr("Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:").arg(report_.Error())
             << "\n" << report_.LastLine() << "\n";
        err_.flush();
        reportFailed_ = true;
        gStop.store(true);
    }
    Event(port, QStringLiteral("result"), r.ok ? TText::tr("готово, записано страниц: %1").arg(r.pages)
                                                : TText::tr("не настроен: ") + r.reason);
    if (r.ok) ++ok_;
    else ++failed_;
    // A unit is used up only by a module that ended verified; a failed
    // module's unit goes to the next one.
    for (auto t = taken_.begin(); t != taken_.end(); ++t) {
        if (&*t != unit) continue;
        if (!r.ok) plan_.units.push_front(*t);
        taken_.erase(t);
        break;
    }
    jobs_.erase(it);
    MaybeEnd();
}

void TProvisioner::MaybeEnd() {
    const bool countReached = o_.count >= 0 && ok_ >= o_.count;
    const bool unitsUsedUp = plan_.withUnits && plan_.units.empty() && taken_.empty();
    if (countReached || unitsUsedUp || gStop.load()) ending_ = true;
    if (ending_ && jobs_.empty()) {
        exit_ = reportFailed_ ? kExitFile : failed_ > 0 ? kExitFailed : kExitOk;
        QCoreApplication::exit(exit_);
    }
}

int TProvisioner::Run() {
    // A closed terminal (SIGHUP) ends the run as Ctrl-C does: the modules in
    // progress are finished and reported.
#ifdef SIGHUP
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, StopProvisioning);
#else
    for (int sig : {SIGINT, SIGTERM}) std::signal(sig, StopProvisioning);
#endif
    QObject::connect(&scan_, &QTimer::timeout, [this] { Scan(); });
    scan_.start(250);  // ports looked at four times a second
    QMetaObject::invokeMethod(&scan_, [this] { Scan(); }, Qt::QueuedConnection);
    const int rc = QCoreApplication::exec();
    scan_.stop();
    return exit_ >= 0 ? exit_ : rc;
}

int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QCommandLineParser p;
    const QCommandLineOption tmpl("template", "template", "FILE"), numbers("numbers", "numbers", "FILE"),
        units("units", "units", "FILE"), report("report", "report", "FILE"), watch("watch", "watch", "GLOB"),
        count("count", "count", "N"), pin({"P", "password"}, "password", "PIN"), pinFile("password-file", "password-file", "FILE"),
        force("force", "force"), json("json", "json"), quiet({"q", "quiet"}, "quiet");
    p.addOptions({tmpl, numbers, units, report, watch, count, pin, pinFile, force, json, quiet});
    auto usage = [&](const QString& why) {
        err << why << "\n\n"
            << TText::tr("Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] "
                         "--report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]\n");
        err.flush();
        return int(kExitUsage);
    };
    if (!p.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) return usage(p.errorText());
    if (p.positionalArguments() != QStringList{QStringLiteral("provision")}) return usage(TText::tr("provision takes no arguments"));
    if (!p.isSet(tmpl) || !p.isSet(report)) return usage(TText::tr("provision needs --template FILE and --report FILE"));
    TProvisioner::TOptions o;
    o.watch = p.values(watch);
    o.force = p.isSet(force);
    o.json = p.isSet(json);
    // The factory password as every other command takes it.
    QString problem;
    if (!ReadPassword(p.isSet(pin) ? std::optional<QString>(p.value(pin)) : std::nullopt,
                      p.isSet(pinFile) ? std::optional<QString>(p.value(pinFile)) : std::nullopt, o.pin, problem))
        return usage(problem);
    bool digits = o.pin.size() == 4;
    for (QChar c : o.pin) digits = digits && c >= u'0' && c <= u'9';
    if (!digits) return usage(TText::tr("the password must be exactly 4 digits"));
    if (p.isSet(count)) {
        bool ok = false;
        o.count = p.value(count).toInt(&ok);
        if (!ok || o.count < 1) return usage(TText::tr("--count takes a number of modules, 1 or more"));
    }
    TProvisionPlan plan;
    QString error;
    if (!plan.LoadTemplate(p.value(tmpl), p.value(numbers), error) ||
        (p.isSet(units) && !plan.LoadUnits(p.value(units), error))) {
        err << error << "\n";
        err.flush();
        return kExitFile;
    }
    TProvisionReport rep;
    if (!rep.Open(p.value(report), error)) {
        err << error << "\n";
        err.flush();
        return kExitFile;
    }
    TProvisioner provisioner(plan, rep, o, out, err);
    return provisioner.Run();
}

} // namespace portiqa
