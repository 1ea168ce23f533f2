// The provision command's options, its help, the dry run and the release of
// a unit; the run itself is TProvisioner's (provision.cpp).
#include "cli/provision.h"
#include "base/texts.h"
#include "cli/cli_app.h"
#include "settings/settings_layout.h"
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
        for (const auto& [row, value] : u.rows) rows << QStringLiteral("%1=%2").arg(row).arg(value);
        out << u.name << ": " << (rows.isEmpty() ? TText::tr("шаблон без изменений") : rows.join(QStringLiteral(", ")))
            << "\n";
    }
    out << TText::tr("Проверено: устройств %1, ничего не записано").arg(plan.units.size()) << "\n";
    return kExitOk;
}

} // namespace

int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal) {
    QCommandLineParser p;
    const QCommandLineOption tmpl("template", "template", "FILE"), numbers("numbers", "numbers", "FILE"),
        units("units", "units", "FILE"), report("report", "report", "FILE"), watch("watch", "watch", "GLOB"),
        count("count", "count", "N"), pin({"P", "password"}, "password", "PIN"), pinFile("password-file", "password-file", "FILE"),
        force("force", "force"), json("json", "json"), quiet({"q", "quiet"}, "quiet"), record("record", "record", "WHERE"),
        noRecord("no-record", "no-record"), batch("batch", "batch", "NAME"), release("release", "release", "UNIT"),
        reflash("reflash", "reflash"), dryRun("dry-run", "dry-run"), help({"h", "help"}, "help"),
        labels("labels", "labels", "PATH"), labelPin("label-pin", "label-pin");
    p.addOptions({tmpl, numbers, units, report, watch, count, pin, pinFile, force, json, quiet, record, noRecord, batch, release,
                  reflash, dryRun, help, labels, labelPin});
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
        out << TText::tr(kProvisionHelp).arg(kSettingsValueRows) << Qt::flush;
        return kExitOk;
    }
    if (p.isSet(record) && p.isSet(noRecord)) return usage(TText::tr("--record and --no-record exclude each other"));
    if (QString wrong; !p.isSet(noRecord) &&
                       TRecord::KindOfLocation(p.isSet(record) ? p.value(record) : qEnvironmentVariable("PORTIQA_RECORD"),
                                               wrong) == TRecord::TLocationKind::Wrong)
        return usage(wrong);
    const auto fail = [&](const QString& why) {
        err << why << "\n";
        err.flush();
        return int(kExitFile);
    };
    // The units table's name in the record: the one every station sharing
    // it gives (--batch), else one told by the table's content.
    TUnitLedger::TBatch batchName{p.value(batch).trimmed(), true, {}};
    if (batchName.name.isEmpty() && p.isSet(units)) {
        if (QString error; !TUnitLedger::BatchOf(p.value(units), batchName, error)) return fail(error);
    }
    std::unique_ptr<TRecord> rec;
    const auto openRecord = [&](QString& error) {
        QString where = p.value(record);
        if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
        rec = TRecord::Open(where, error);
        return rec != nullptr;
    };
    if (p.isSet(release)) {
        // The operator gives back a unit whose module was checked.
        if (batchName.name.isEmpty()) return usage(TText::tr("--release needs --units FILE or --batch NAME"));
        if (p.isSet(noRecord)) return usage(TText::tr("--release works on the record: --no-record cannot be used"));
        QString error;
        if (!openRecord(error) || !TUnitLedger::Adopt(*rec, batchName, error) ||
            !TUnitLedger::Release(*rec, batchName.name, p.value(release).trimmed(), p.isSet(force), error))
            return fail(error);
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
    o.board = errIsTerminal && !o.json && !p.isSet(quiet);
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
    if (const QString weak = plan.CheckPasswords(o.pin); !weak.isEmpty()) return fail(weak);
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
    QStringList unitNames;
    for (const TUnit& u : plan.units) unitNames << u.name;
    const auto ledger = TUnitLedger::Open(rec.get(), p.isSet(units) ? p.value(units) : QString(), batchName, unitNames, error);
    if (!ledger) return fail(error);
    TLabelWriter labelWriter;
    if (p.isSet(labelPin) && !p.isSet(labels)) return usage(TText::tr("--label-pin needs --labels PATH"));
    if (p.isSet(labels)) {
        if (!labelWriter.Open(p.value(labels), p.isSet(labelPin), error)) return fail(error);
        o.labels = &labelWriter;
    }
    TProvisionReport rep;
    if (!rep.Open(p.value(report), error)) return fail(error);
    TProvisioner provisioner(plan, rep, *ledger, o, out, err);
    return provisioner.Run();
}

} // namespace portiqa
