#include "cli/provision.h"
#include "base/texts.h"
#include "cli/cli_app.h"
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

TProvisioner::TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options,
                           QTextStream& out, QTextStream& err)
    : plan_(plan), report_(report), ledger_(ledger), o_(std::move(options)), out_(out), err_(err) {
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

void TProvisioner::Event(const QString& port, const QString& kind, const QString& text, QJsonObject fields) {
    if (o_.json) {
        const QDateTime now = QDateTime::currentDateTime();
        fields.insert("time", now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs));
        fields.insert("event", kind);
        fields.insert("port", port);
        fields.insert("message", text);  // in the operator's language; every other field is fixed
        out_ << QJsonDocument(fields).toJson(QJsonDocument::Compact) << "\n";
        out_.flush();
    }
    err_ << port << ": " << text << "\n";
    err_.flush();
}

TUnit* TProvisioner::TakeUnit(const QString& port, QString& whyNot) {
    if (!plan_.withUnits) return nullptr;
    QString error;
    const auto at = ledger_.Take(plan_.units, port, TPortList().SerialOf(port), error);
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

const TUnit* TProvisioner::Recognise(const QString& pin, const QString& sim) const {
    const auto simKey = [](QString s) { return s.trimmed().remove(u'+'); };
    const QString templatePin = plan_.settings.count(kPasswordRow) ? plan_.settings.at(kPasswordRow) : QString();
    const QSet<QString> reported = report_.DoneUnits();
    for (const TUnit& u : allUnits_) {
        QString unitPin, unitSim;
        for (const auto& [row, value] : u.rows) {
            if (row == kPasswordRow) unitPin = value.trimmed();
            if (row == kSimNumberRow) unitSim = value;
        }
        // Told by its own password, or by its own SIM number with the template's.
        if (unitPin.isEmpty() && unitSim.isEmpty()) continue;
        if ((unitPin.isEmpty() ? templatePin : unitPin) != pin) continue;
        if (!unitSim.isEmpty() && simKey(unitSim) != simKey(sim)) continue;
        if (ledger_.Given(u.name) || reported.contains(u.name)) return &u;
    }
    return nullptr;
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
                                               [this, port](const QString& step, const QString& words) {
                                                   Event(port, QStringLiteral("progress"), words, {{"step", step}});
                                               },
                                               ledger_.Record());
    TProvisionJob* raw = job.get();
    jobs_[port] = std::move(job);
    startedMs_[port] = NowMs();
    raw->Start([this, port](QString& whyNot) {
                   TUnit* u = TakeUnit(port, whyNot);
                   if (u) Event(port, QStringLiteral("unit"), TText::tr("устройство ") + u->name, {{"unit", u->name}});
                   return u;
               },
               [this, port](const TProvisionJob::TResult& r) {
                   const double seconds = double(NowMs() - startedMs_[port]) / 1000.0;
                   // Ended outside the job's own call stack.
                   QMetaObject::invokeMethod(&scan_, [this, port, r, seconds] { Finished(port, r, seconds); },
                                             Qt::QueuedConnection);
               },
               [this](const QString& pin, const QString& sim) { return Recognise(pin, sim); }, o_.reflash);
}

void TProvisioner::Finished(const QString& port, const TProvisionJob::TResult& r, double seconds) {
    auto it = jobs_.find(port);
    if (it == jobs_.end()) return;
    const TUnit* unit = it->second->Unit();
    const QString unitName = unit ? unit->name : QString();
    const QString serial = TPortList().SerialOf(port);
    if (!report_.Append(port, serial, unitName, r.ok, r.reason, r.pages, seconds, r.code)) {
        // A module without its line could get its unit again after a
        // restart: nothing new starts, and the line is said here instead.
        err_ << TText::tr("Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:").arg(report_.Error())
             << "\n" << report_.LastLine() << "\n";
        err_.flush();
        reportFailed_ = true;
        gStop.store(true);
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
    if (!r.ok) ++failed_;
    else if (!onlyTold) ++ok_;
    // A unit is used up only by a module that ended verified; a failed
    // module's unit goes to the next one, unless the module may hold its PIN.
    if (unit) {
        QString error;
        const bool kept = r.ok ? ledger_.Done(unitName, error)
                               : r.unitInDoubt ? ledger_.Doubt(unitName, r.reason, error) : ledger_.Free(unitName, r.reason, error);
        if (!kept) Event(port, QStringLiteral("record"), TText::tr("журнал модулей: %1").arg(error));
        if (r.unitInDoubt)
            Event(port, QStringLiteral("doubt"),
                  TText::tr("устройство %1 не выдаётся снова: модуль мог получить его пароль. Проверьте модуль; "
                            "если у него заводской пароль, освободите устройство: provision --release %1").arg(unitName));
    }
    for (auto t = taken_.begin(); t != taken_.end(); ++t) {
        if (&*t != unit) continue;
        if (!r.ok && !r.unitInDoubt) plan_.units.push_front(*t);
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
        Summary();
        QCoreApplication::exit(exit_);
    }
}

void TProvisioner::Summary() {
    const int left = plan_.withUnits ? int(plan_.units.size()) : -1;
    QString text = TText::tr("Итог: настроено %1, не настроено %2").arg(ok_).arg(failed_);
    if (left >= 0) text += TText::tr(", устройств осталось %1").arg(left);
    if (failed_ > 0) text += TText::tr(". Модуль, который не настроен, сохранил свой пароль: подключите его снова");
    Event(QStringLiteral("-"), QStringLiteral("summary"), text,
          {{"ok", ok_}, {"failed", failed_}, {"units_left", left}});
}

int TProvisioner::Run() {
    // A closed terminal (SIGHUP) ends the run as Ctrl-C does: the modules in
    // progress are finished and reported.
#ifdef SIGHUP
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, StopProvisioning);
#else
    for (int sig : {SIGINT, SIGTERM}) std::signal(sig, StopProvisioning);
#endif
    // What earlier runs left unfinished, for the operator to check first.
    QString error;
    for (const QString& line : ledger_.Unfinished(error)) Event(QStringLiteral("-"), QStringLiteral("unfinished"), line);
    if (!error.isEmpty()) Event(QStringLiteral("-"), QStringLiteral("record"), TText::tr("журнал модулей: %1").arg(error));
    QObject::connect(&scan_, &QTimer::timeout, [this] { Scan(); });
    scan_.start(250);  // ports looked at four times a second
    QMetaObject::invokeMethod(&scan_, [this] { Scan(); }, Qt::QueuedConnection);
    const int rc = QCoreApplication::exec();
    scan_.stop();
    return exit_ >= 0 ? exit_ : rc;
}

namespace {

const char* const kProvisionHelp = QT_TRANSLATE_NOOP(
    "TText",
    "Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv\n"
    "         [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]\n"
    "         [--batch NAME] [--record WHERE | --no-record] [--reflash] [--dry-run]\n"
    "       portiqa-cli provision --units UNITS.csv | --batch NAME --release UNIT\n"
    "Program every module plugged in, several at once: log in with the factory password, write the\n"
    "template's numbers, then its settings with the next unit's rows, then the unit's password, each\n"
    "read back and verified, and write a line of the report.\n"
    "\n"
    "  --template FILE    a backup (.pbk: settings and numbers) or a settings profile (.xlsx, .xls)\n"
    "  --numbers FILE     the number list for a profile template (.xlsx, .xls, .csv, .cvs)\n"
    "  --units UNITS.csv  a header row: \"unit\", then settings rows 1-16; a row per unit; an empty\n"
    "                     cell keeps the template's value\n"
    "  --report FILE      CSV: time, port, serial, unit, result (ok/failed), reason, pages, seconds,\n"
    "                     code; units reported ok are skipped when the run starts again\n"
    "  --watch GLOB       ports to watch (default /dev/ttyUSB* and /dev/ttyACM*, COM* on Windows)\n"
    "  --count N          end after N modules are programmed\n"
    "  --force            let the template remove numbers a module holds\n"
    "  --json             one JSON object per event on standard output\n"
    "  --batch NAME       the units table's name in the record (the same on every station)\n"
    "  --record WHERE     the record that keeps which module holds which unit; --no-record locks the\n"
    "                     units file instead\n"
    "  --reflash          program a module that holds a unit's password again with that unit\n"
    "  --dry-run          check the template and the units and print what each unit gets\n"
    "  --release UNIT     give back a unit held for a module that was checked\n"
    "\n"
    "A module that failed kept the password it had: plug it in again and it is programmed\n"
    "completely. A unit \"in doubt\" (the module failed while its password was written) is given to\n"
    "no other module: if the module answers to the factory password, release the unit.\n"
    "Exit: 0 every module ok, 1 one failed, 2 usage, 6 a file failed its checks.\n");

// What each unit will get: the template's rows overridden by the unit's.
int DryRun(const TProvisionPlan& plan, QTextStream& out) {
    out << TText::tr("Шаблон: строк настроек %1, список номеров: %2")
               .arg(plan.settings.size())
               .arg(plan.hasNumbers ? plan.numbersSource : TText::tr("нет (номера модулей не меняются)"))
        << "\n";
    if (!plan.withUnits) {
        out << TText::tr("Без таблицы устройств: каждый модуль получает шаблон") << "\n";
        return kExitOk;
    }
    for (const TUnit& u : plan.units) {
        QStringList rows;
        for (const auto& [row, value] : u.rows) rows << QStringLiteral("%1=%2").arg(row).arg(value);
        out << u.name << ": " << (rows.isEmpty() ? TText::tr("шаблон без изменений") : rows.join(QStringLiteral(", ")))
            << "\n";
    }
    out << TText::tr("Проверено: устройств %1, ничего не записано").arg(plan.units.size()) << "\n";
    return kExitOk;
}

} // namespace

int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QCommandLineParser p;
    const QCommandLineOption tmpl("template", "template", "FILE"), numbers("numbers", "numbers", "FILE"),
        units("units", "units", "FILE"), report("report", "report", "FILE"), watch("watch", "watch", "GLOB"),
        count("count", "count", "N"), pin({"P", "password"}, "password", "PIN"), pinFile("password-file", "password-file", "FILE"),
        force("force", "force"), json("json", "json"), quiet({"q", "quiet"}, "quiet"), record("record", "record", "WHERE"),
        noRecord("no-record", "no-record"), batch("batch", "batch", "NAME"), release("release", "release", "UNIT"),
        reflash("reflash", "reflash"), dryRun("dry-run", "dry-run"), help({"h", "help"}, "help");
    p.addOptions({tmpl, numbers, units, report, watch, count, pin, pinFile, force, json, quiet, record, noRecord, batch, release,
                  reflash, dryRun, help});
    auto usage = [&](const QString& why) {
        err << why << "\n\n"
            << TText::tr("Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] "
                         "--report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]\n");
        err.flush();
        return int(kExitUsage);
    };
    if (!p.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) return usage(p.errorText());
    if (p.positionalArguments() != QStringList{QStringLiteral("provision")}) return usage(TText::tr("provision takes no arguments"));
    if (p.isSet(help)) {
        out << TText::tr(kProvisionHelp) << Qt::flush;
        return kExitOk;
    }
    if (p.isSet(record) && p.isSet(noRecord)) return usage(TText::tr("--record and --no-record exclude each other"));
    // The units table's name in the record: the same on every station that
    // shares it (--batch), else the units file's full path.
    QString batchName = p.value(batch).trimmed();
    if (batchName.isEmpty() && p.isSet(units)) {
        const QFileInfo info(p.value(units));
        batchName = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    }
    const auto fail = [&](const QString& why) {
        err << why << "\n";
        err.flush();
        return int(kExitFile);
    };
    std::unique_ptr<TRecord> rec;
    const auto openRecord = [&](QString& error) {
        QString where = p.value(record);
        if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
        rec = TRecord::Open(where, error);
        return rec != nullptr;
    };
    if (p.isSet(release)) {
        // The operator gives back a unit whose module was checked.
        if (batchName.isEmpty()) return usage(TText::tr("--release needs --units FILE or --batch NAME"));
        if (p.isSet(noRecord)) return usage(TText::tr("--release works on the record: --no-record cannot be used"));
        QString error;
        if (!openRecord(error) || !rec->ReleaseUnit(batchName, p.value(release).trimmed(), error)) return fail(error);
        out << TText::tr("Устройство %1 свободно и будет выдано следующему модулю").arg(p.value(release).trimmed()) << "\n";
        out.flush();
        return kExitOk;
    }
    if (!p.isSet(tmpl) || (!p.isSet(report) && !p.isSet(dryRun)))
        return usage(TText::tr("provision needs --template FILE and --report FILE"));
    TProvisioner::TOptions o;
    o.watch = p.values(watch);
    o.force = p.isSet(force);
    o.json = p.isSet(json);
    o.reflash = p.isSet(reflash);
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
    if (p.isSet(dryRun)) return DryRun(plan, out);
    // Who holds which unit, and every module's writes: the record unless
    // --no-record (then the units file is locked against a second run).
    if (!p.isSet(noRecord) && TRecord::Available() && !openRecord(error)) {
        if (p.isSet(units))
            return fail(TText::tr("Журнал модулей нужен, чтобы устройство не досталось двум модулям: %1. Укажите другой "
                                  "(--record) или работайте без него (--no-record: второй запуск с этой таблицей будет отклонён)")
                            .arg(error));
        err << TText::tr("журнал модулей: %1").arg(error) << "\n";
        err.flush();
    }
    const auto ledger = TUnitLedger::Open(rec.get(), p.isSet(units) ? p.value(units) : QString(), batchName, error);
    if (!ledger) return fail(error);
    TProvisionReport rep;
    if (!rep.Open(p.value(report), error)) return fail(error);
    TProvisioner provisioner(plan, rep, *ledger, o, out, err);
    return provisioner.Run();
}

} // namespace portiqa
