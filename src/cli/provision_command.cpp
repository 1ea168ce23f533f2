// The provision command's options, its help, the dry run and the release of
// a unit; the run itself is TProvisioner's (provision.cpp).
#include "cli/provision.h"
#include "base/plain_text.h"
#include "base/texts.h"
#include "cli/cli_app.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"
#include "cli/cli_options.h"
#include <QCommandLineParser>
#include <QFileInfo>

namespace portiqa {

namespace {

const char* const kProvisionHelp = QT_TRANSLATE_NOOP(
    "TText",
    "Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv\n"
    "         [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]\n"
    "         [--batch NAME] [--record WHERE | --no-record] [--reflash] [--dry-run]\n"
    "         [--labels FILE.pdf|FOLDER [--label-pin]]\n"
    "       portiqa-cli provision --units UNITS.csv | --batch NAME --release UNIT\n"
    "Program every module plugged in, several at once: log in with the factory password, write the\n"
    "template's numbers, then its settings with the next unit's rows, then the unit's password, each\n"
    "read back and verified, and write a line of the report.\n"
    "\n"
    "  --template FILE    a backup (.pbk: settings and numbers) or a settings profile (.xlsx, .xls)\n"
    "  --numbers FILE     the number list for a profile template (.xlsx, .xls, .csv, .cvs)\n"
    "  --units UNITS.csv  a header row: \"unit\", then settings rows 1-%1; a row per unit; an empty\n"
    "                     cell keeps the template's value\n"
    "  --report FILE      CSV: time, port, serial, unit, result (ok/failed), reason, pages, seconds,\n"
    "                     code; units reported ok are skipped when the run starts again\n"
    "  --watch GLOB       ports to watch (default /dev/ttyUSB* and /dev/ttyACM*, COM* on Windows)\n"
    "  --count N          end after N modules are programmed\n"
    "  --force            let the template remove numbers a module holds; with --release, release a\n"
    "                     unit a running station holds\n"
    "  --json             one JSON object per event on standard output\n"
    "  --batch NAME       the units table's name in the record (default: told by the table's content,\n"
    "                     so a copy of the file is the same batch)\n"
    "  --record WHERE     the record that keeps which module holds which unit; --no-record keeps the\n"
    "                     units in a record of the batch's own and journals no write\n"
    "  --reflash          program a module that holds a unit's password again with that unit\n"
    "  --dry-run          check the template and the units and print what each unit gets\n"
    "  --release UNIT     give back a unit held for a module that was checked\n"
    "  --labels PATH      a printable label for every module programmed (unit, SIM number, date, a\n"
    "                     QR code): all in FILE.pdf, or one UNIT.pdf each in a folder; --label-pin\n"
    "                     puts the unit's password on it too\n"
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
        for (const auto& [row, value] : u.rows) rows << QStringLiteral("%1=%2").arg(row).arg(Printable(SettingValueText(value, row)));
        out << Printable(u.name) << ": " << (rows.isEmpty() ? TText::tr("шаблон без изменений") : rows.join(QStringLiteral(", ")))
            << "\n";
    }
    out << TText::tr("Проверено: устройств %1, ничего не записано").arg(plan.units.size()) << "\n";
    return kExitOk;
}

} // namespace

namespace {

// One provision command: its options, and the run, the dry run or the release they ask for.
class TProvisionCommand {
public:
    TProvisionCommand(QTextStream& out, QTextStream& err, bool errIsTerminal)
        : out_(out), err_(err), errIsTerminal_(errIsTerminal) {}

    int Run(const QStringList& args) {
        const char* const switches[] = {"force", "json", "no-record", "reflash", "dry-run", "label-pin"};
        const char* const valued[][2] = {{"template", "FILE"}, {"numbers", "FILE"},     {"units", "FILE"},
                                         {"report", "FILE"},   {"watch", "GLOB"},       {"count", "N"},
                                         {"record", "WHERE"},  {"batch", "NAME"},       {"release", "UNIT"},
                                         {"labels", "PATH"},   {"password-file", "FILE"}};
        for (const char* name : switches) p_.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(name)));
        for (const auto& [name, value] : valued)
            p_.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(name), QString::fromLatin1(value)));
        p_.addOption(QCommandLineOption({"P", "password"}, "password", "PIN"));
        p_.addOption(QCommandLineOption({"q", "quiet"}, "quiet"));
        p_.addOption(QCommandLineOption({"h", "help"}, "help"));
        if (!p_.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) return Usage(p_.errorText());
        if (p_.positionalArguments() != QStringList{QStringLiteral("provision")}) return Usage(TText::tr("provision takes no arguments"));
        if (Set("help")) {
            out_ << TText::tr(kProvisionHelp).arg(kSettingsValueRows) << Qt::flush;
            return kExitOk;
        }
        if (Set("record") && Set("no-record")) return Usage(TText::tr("--record and --no-record exclude each other"));
        if (QString wrong; !Set("no-record") &&
                           TRecord::KindOfLocation(Set("record") ? Value("record") : qEnvironmentVariable("PORTIQA_RECORD"),
                                                   wrong) == TRecord::TLocationKind::Wrong)
            return Usage(wrong);
        // The units table's name in the record: the one every station sharing
        // it gives (--batch), else one told by the table's content.
        batch_ = TUnitLedger::TBatch{Value("batch").trimmed(), true, {}};
        if (batch_.name.isEmpty() && Set("units")) {
            if (QString error; !TUnitLedger::BatchOf(Value("units"), batch_, error)) return Fail(error);
        }
        if (Set("release")) return Release();
        if (!Set("template") || (!Set("report") && !Set("dry-run")))
            return Usage(TText::tr("provision needs --template FILE and --report FILE"));
        return Program();
    }

private:
    bool Set(const char* name) const { return p_.isSet(QString::fromLatin1(name)); }
    QString Value(const char* name) const { return p_.value(QString::fromLatin1(name)); }
    int Usage(const QString& why) {
        err_ << why << "\n\n"
             << TText::tr("Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] "
                          "--report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]\n");
        err_.flush();
        return int(kExitUsage);
    }
    int Fail(const QString& why) {
        err_ << why << "\n";
        err_.flush();
        return int(kExitFile);
    }
    bool OpenRecord(QString& error) {
        QString where = Value("record");
        if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
        rec_ = TRecord::Open(where, error);
        return rec_ != nullptr;
    }

    // The operator gives back a unit whose module was checked.
    int Release() {
        if (batch_.name.isEmpty()) return Usage(TText::tr("--release needs --units FILE or --batch NAME"));
        if (Set("no-record")) return Usage(TText::tr("--release works on the record: --no-record cannot be used"));
        QString error;
        if (!OpenRecord(error) || !TUnitLedger::Adopt(*rec_, batch_, error) ||
            !TUnitLedger::Release(*rec_, batch_.name, Value("release").trimmed(), Set("force"), error))
            return Fail(error);
        out_ << TText::tr("Устройство %1 свободно и будет выдано следующему модулю").arg(Value("release").trimmed()) << "\n";
        out_.flush();
        return kExitOk;
    }

    // The run's switches and the factory password as every other command takes it.
    std::optional<int> ReadRunOptions(TProvisioner::TOptions& o) {
        o.watch = p_.values(QStringLiteral("watch"));
        o.force = Set("force");
        o.json = Set("json");
        o.reflash = Set("reflash");
        o.board = errIsTerminal_ && !o.json && !Set("quiet");
        QString problem;
        if (!ReadPassword(Set("password") ? std::optional<QString>(Value("password")) : std::nullopt,
                          Set("password-file") ? std::optional<QString>(Value("password-file")) : std::nullopt, o.pin, problem))
            return Usage(problem);
        bool digits = o.pin.size() == 4;
        for (QChar c : o.pin) digits = digits && c >= u'0' && c <= u'9';
        if (!digits) return Usage(TText::tr("the password must be exactly 4 digits"));
        if (Set("count")) {
            bool ok = false;
            o.count = Value("count").toInt(&ok);
            if (!ok || o.count < 1) return Usage(TText::tr("--count takes a number of modules, 1 or more"));
        }
        return std::nullopt;
    }

    // Programs the modules plugged in (or, with --dry-run, checks the plan).
    int Program() {
        TProvisioner::TOptions o;
        if (const auto exit = ReadRunOptions(o)) return *exit;
        TProvisionPlan plan;
        QString error;
        if (!plan.LoadTemplate(Value("template"), Value("numbers"), error) ||
            (Set("units") && !plan.LoadUnits(Value("units"), error)))
            return Fail(error);
        if (const QString weak = plan.CheckPasswords(o.pin); !weak.isEmpty()) return Fail(weak);
        if (Set("dry-run")) return DryRun(plan, out_);
        // Who holds which unit, and every module's writes: the record unless
        // --no-record (then the units file is locked against a second run).
        if (!Set("no-record") && TRecord::Available() && !OpenRecord(error)) {
            if (Set("units"))
                return Fail(TText::tr("Журнал модулей нужен, чтобы устройство не досталось двум модулям: %1. Укажите другой "
                                      "(--record) или работайте без него (--no-record: второй запуск с этой таблицей будет отклонён)")
                                .arg(error));
            err_ << TText::tr("журнал модулей: %1").arg(error) << "\n";
            err_.flush();
        }
        QStringList unitNames;
        for (const TUnit& u : plan.units) unitNames << u.name;
        const auto ledger = TUnitLedger::Open(rec_.get(), Set("units") ? Value("units") : QString(), batch_, unitNames, error);
        if (!ledger) return Fail(error);
        TLabelWriter labelWriter;
        if (Set("label-pin") && !Set("labels")) return Usage(TText::tr("--label-pin needs --labels PATH"));
        if (Set("labels")) {
            if (!labelWriter.Open(Value("labels"), Set("label-pin"), error)) return Fail(error);
            o.labels = &labelWriter;
        }
        TProvisionReport rep;
        if (!rep.Open(Value("report"), error)) return Fail(error);
        TProvisioner provisioner(plan, rep, *ledger, o, out_, err_);
        return provisioner.Run();
    }

    QCommandLineParser p_;
    QTextStream& out_;
    QTextStream& err_;
    const bool errIsTerminal_;
    TUnitLedger::TBatch batch_;
    std::unique_ptr<TRecord> rec_;
};

} // namespace

int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal) {
    return TProvisionCommand(out, err, errIsTerminal).Run(args);
}

} // namespace portiqa
