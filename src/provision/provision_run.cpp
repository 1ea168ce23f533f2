// The production run: ports watched, a job per module, units handed out
// in order, the report and the units' states kept.
#include "provision/provision_run.h"
#include "base/texts.h"
#include "session/runtime.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace portiqa {

namespace {

qint64 NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

} // namespace

TProvisionRun::TProvisionRun(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options)
    : plan_(plan), report_(report), ledger_(ledger), o_(std::move(options)) {
#ifdef _WIN32
    if (o_.watch.isEmpty()) o_.watch = {QStringLiteral("COM*")};
#else
    if (o_.watch.isEmpty()) o_.watch = {QStringLiteral("/dev/ttyUSB*"), QStringLiteral("/dev/ttyACM*")};
#endif
    allUnits_ = plan_.units;
    // Units an earlier run with this report has done are not done again.
    const QSet<QString> done = report_.DoneUnits();
    std::deque<TUnit> left;
    for (const TUnit& u : plan_.units)
        if (!done.contains(u.name)) left.push_back(u);
    plan_.units = left;
}

QStringList TProvisionRun::Ports() const {
    QStringList out;
    QStringList listed;  // the port list, asked once and only when a name needs it
    for (const QString& glob : o_.watch) {
        if (!glob.contains(u'/') && !glob.contains(u'\\')) {
            // A port-list name or pattern: "COM5", "COM*", "ttyUSB*".
            if (listed.isEmpty()) listed = TRuntime::Ports();
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

void TProvisionRun::Event(const QString& port, const QString& kind, const QString& text, const QJsonObject& fields) {
    if (OnEvent) OnEvent(port, kind, text, fields);
}

TUnit* TProvisionRun::TakeUnit(const QString& port, QString& whyNot) {
    if (!plan_.withUnits) return nullptr;
    QString error;
    const auto job = jobs_.find(port);
    const QString fingerprint = job != jobs_.end() ? job->second->Fingerprint() : QString();
    // A unit released while the run goes (its module was checked) is offered again.
    QSet<QString> busy = report_.DoneUnits();
    for (const TUnit& u : taken_) busy.insert(u.name);
    ledger_.Returned(allUnits_, plan_.units, busy);
    const auto at = ledger_.Take(plan_.units, port, TRuntime::SerialOf(port), fingerprint, error);
    if (!at) {
        if (!error.isEmpty())
            whyNot = TText::tr("журнал модулей недоступен, устройство не выдано: %1").arg(error);
        else if (!plan_.units.empty())
            whyNot = TText::tr("свободных устройств нет: остальные (%1) заняты другими модулями").arg(plan_.units.size());
        return nullptr;
    }
    taken_.push_back(plan_.units[*at]);
    plan_.units.erase(plan_.units.begin() + std::ptrdiff_t(*at));
    return &taken_.back();
}

const TUnit* TProvisionRun::Recognise(const QString& pin, const QString& sim) const {
    const auto simKey = [](QString s) { return s.trimmed().remove(u'+'); };
    const QString templatePin = plan_.TemplateText(kPasswordRow);
    const QSet<QString> reported = report_.DoneUnits();
    for (const TUnit& u : allUnits_) {
        const QString unitPin = u.Text(kPasswordRow).trimmed(), unitSim = u.Text(kSimNumberRow);
        // Told by its own password, or by its own SIM number with the template's.
        if (unitPin.isEmpty() && unitSim.isEmpty()) continue;
        if ((unitPin.isEmpty() ? templatePin : unitPin) != pin) continue;
        if (!unitSim.isEmpty() && simKey(unitSim) != simKey(sim)) continue;
        if (ledger_.Given(u.name) || reported.contains(u.name)) return &u;
    }
    return nullptr;
}

void TProvisionRun::Scan() {
    if (OnScan) OnScan(++scans_);
    else ++scans_;
    const QStringList now = Ports();
    const std::set<QString> current(now.begin(), now.end());
    // A port that went away may be provisioned again when it comes back.
    for (auto it = present_.begin(); it != present_.end();)
        it = current.count(*it) ? std::next(it) : present_.erase(it);
    if (stop_.load() && !stopSeen_) {
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

void TProvisionRun::Started(const QString& port) {
    Event(port, QStringLiteral("seen"), TText::tr("модуль найден"));
    auto job = std::make_unique<TProvisionJob>(port, plan_, o_.pin, o_.force,
                                               [this, port](const QString& step, const QString& words) {
                                                   Event(port, QStringLiteral("progress"), words, {{"step", step}});
                                               },
                                               ledger_.Journal());
    TProvisionJob* raw = job.get();
    raw->OnPercent = [this, port](int percent) {
        if (OnPercent) OnPercent(port, percent);
    };
    jobs_[port] = std::move(job);
    startedMs_[port] = NowMs();
    raw->Start([this, port](QString& whyNot) {
                   TUnit* u = TakeUnit(port, whyNot);
                   if (u) Event(port, QStringLiteral("unit"), TText::tr("устройство ") + u->name, {{"unit", u->name}});
                   ShowTotals();
                   return u;
               },
               [this, port](const TProvisionJob::TResult& r) {
                   const double seconds = double(NowMs() - startedMs_[port]) / 1000.0;
                   // Ended outside the job's own call stack.
                   QMetaObject::invokeMethod(&scan_, [this, port, r, seconds] { Finished(port, r, seconds); },
                                             Qt::QueuedConnection);
               },
               [this](const QString& pin, const QString& sim) { return Recognise(pin, sim); }, o_.reflash);
    ShowTotals();
}

void TProvisionRun::Finished(const QString& port, const TProvisionJob::TResult& r, double seconds) {
    auto it = jobs_.find(port);
    if (it == jobs_.end()) return;
    const TUnit* unit = it->second->Unit();
    const QString unitName = unit ? unit->name : QString();
    const QString serial = TRuntime::SerialOf(port);
    // A unit is used up only by a module that ended verified; a failed
    // module's unit goes to the next one, unless the module may hold its PIN.
    // A module programmed again that failed before its first write keeps
    // its unit done. The record says so before the report line is there,
    // so that whoever acts on the line (releases the unit) finds it agreeing.
    const bool unitChanges = unit && !(r.recognised && !r.ok && !r.unitInDoubt);
    QString unitError;
    const bool unitKept = !unitChanges || (r.ok            ? ledger_.Done(unitName, unitError)
                                           : r.unitInDoubt ? ledger_.Doubt(unitName, r.reason, unitError)
                                                           : ledger_.Free(unitName, r.reason, unitError));
    if (!report_.Append(port, serial, unitName, r.ok, r.reason, r.pages, seconds, r.code)) {
        // A module without its line could get its unit again after a
        // restart: nothing new starts, and the line is said here instead.
        Event(QStringLiteral("-"), QStringLiteral("report"),
              TText::tr("Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:").arg(report_.Error()) +
                  u'\n' + report_.LastLine());
        reportFailed_ = true;
        stop_.store(true);
    }
    const bool onlyTold = r.recognised && !o_.reflash;  // set up before: nothing written
    Event(port, QStringLiteral("result"), onlyTold ? r.reason
                                          : r.ok   ? TText::tr("готово, записано страниц: %1").arg(r.pages)
                                                   : TText::tr("не настроен: ") + r.reason,
          {{"unit", unitName},
           {"serial", serial},
           {"result", onlyTold ? QStringLiteral("set_up_already") : r.ok ? QStringLiteral("ok") : QStringLiteral("failed")},
           {"reason_code", r.code},
           {"pages", r.pages},
           {"seconds", seconds}});
    if (!r.ok) {
        ++failed_;
        failures_.push_back({port, unitName, r.code, r.reason, r.unitInDoubt});
    } else if (!onlyTold) {
        ++ok_;
    }
    if (unitChanges) {
        if (!unitKept) Event(port, QStringLiteral("record"), TText::tr("журнал модулей: %1").arg(unitError));
        if (r.unitInDoubt)
            Event(port, QStringLiteral("doubt"),
                  TText::tr("устройство %1 не выдаётся снова: модуль мог получить его пароль. Проверьте модуль; "
                            "если у него заводской пароль, освободите устройство: provision --release %1").arg(unitName));
    }
    if (r.ok && !onlyTold && unit && OnProgrammed) {
        // The unit's own values, else the template's.
        const auto value = [&](int row) {
            const QString own = unit->Text(row);
            return own.isEmpty() ? plan_.TemplateText(row) : own;
        };
        OnProgrammed(port, unitName, value(kSimNumberRow), value(kPasswordRow));
    }
    for (auto t = taken_.begin(); t != taken_.end(); ++t) {
        if (&*t != unit) continue;
        if (!r.ok && !r.unitInDoubt) plan_.units.push_front(*t);
        taken_.erase(t);
        break;
    }
    jobs_.erase(it);
    pruneNow_ = true;
    ShowTotals();
    MaybeEnd();
}

void TProvisionRun::ShowTotals() {
    if (OnTotals) OnTotals({ok_, failed_, int(jobs_.size()), plan_.withUnits ? int(plan_.units.size()) : -1});
}

void TProvisionRun::MaybeEnd() {
    // Units other stations have done leave the queue (every few seconds, and
    // when a module of this run ends).
    if (plan_.withUnits && !plan_.units.empty() && taken_.empty() && (scans_ % 16 == 0 || pruneNow_))
        ledger_.Prune(plan_.units);
    pruneNow_ = false;
    const bool countReached = o_.count >= 0 && ok_ >= o_.count;
    const bool unitsUsedUp = plan_.withUnits && plan_.units.empty() && taken_.empty();
    if (countReached || unitsUsedUp || stop_.load()) ending_ = true;
    // Once: a scan may come before the loop ends.
    if (ending_ && jobs_.empty() && !ended_) {
        ended_ = true;
        scan_.stop();
        renew_.stop();
        ledger_.Renew();  // a unit's end the record did not take when it came: once more
        if (const int pending = ledger_.Pending(); pending > 0)
            Event(QStringLiteral("-"), QStringLiteral("record"),
                  TText::tr("журнал модулей не принял исход устройств: %1; в нём они значатся начатыми. Следующий запуск "
                            "этой партии назовёт их; проверьте модули и освободите устройства с заводским паролем "
                            "(provision --release УСТРОЙСТВО)")
                      .arg(pending));
        Summary();
        if (OnEnded) OnEnded();
    }
}

void TProvisionRun::Summary() {
    const int left = plan_.withUnits ? int(plan_.units.size()) : -1;
    QString text = TText::tr("Итог: настроено %1, не настроено %2").arg(ok_).arg(failed_);
    if (left >= 0) text += TText::tr(", устройств осталось %1").arg(left);
    if (failed_ > 0) text += TText::tr(". Модуль, который не настроен, сохранил свой пароль: подключите его снова");
    Event(QStringLiteral("-"), QStringLiteral("summary"), text,
          {{"ok", ok_}, {"failed", failed_}, {"units_left", left}});
    // What to do with each module that failed, one line each.
    for (const TFailure& f : failures_) {
        QString todo;
        if (f.doubt)
            todo = TText::tr("проверьте модуль: с заводским паролем освободите устройство (provision --release %1), "
                             "с паролем устройства он настроен")
                       .arg(f.unit);
        else if (f.code == QLatin1String("wrong_password"))
            todo = TText::tr("модуль настроен раньше другим паролем: проверьте его или сбросьте к заводским настройкам");
        else if (f.code == QLatin1String("record"))
            todo = TText::tr("журнал модулей не сохранил запись: проверьте журнал и подключите модуль снова");
        else if (f.code == QLatin1String("rules") || f.code == QLatin1String("declined"))
            todo = TText::tr("исправьте шаблон или таблицу устройств и подключите модуль снова");
        else
            todo = TText::tr("проверьте питание и кабель и подключите модуль снова: он будет настроен заново");
        Event(f.port, QStringLiteral("todo"),
              (f.unit.isEmpty() ? QString() : f.unit + QStringLiteral(": ")) + f.reason + QStringLiteral(" — ") + todo,
              {{"unit", f.unit}, {"reason_code", f.code}});
    }
}

void TProvisionRun::Start() {
    // What earlier runs left unfinished, for the operator to check first.
    QString error;
    for (const QString& line : ledger_.Unfinished(error)) Event(QStringLiteral("-"), QStringLiteral("unfinished"), line);
    if (!error.isEmpty()) Event(QStringLiteral("-"), QStringLiteral("record"), TText::tr("журнал модулей: %1").arg(error));
    QObject::connect(&scan_, &QTimer::timeout, [this] { Scan(); });
    scan_.start(250);  // ports looked at four times a second
    QObject::connect(&renew_, &QTimer::timeout, [this] { ledger_.Renew(); });
    renew_.start(TUnitLedger::kRenewMs);
    QMetaObject::invokeMethod(&scan_, [this] { Scan(); }, Qt::QueuedConnection);
}

} // namespace portiqa
