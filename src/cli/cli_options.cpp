#include "cli/cli_options.h"
#include "cli/cli_commands.h"
#include "session/module_commands.h"
#include "base/texts.h"
#include "base/errors.h"
#include "files/file_replace.h"
#include "record/record.h"
#include "settings/settings_rules.h"
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace portiqa {

namespace {

// The options every command that talks to a module accepts.
const QStringList kConnection{"port", "password", "password-file", "quiet", "record", "no-record", "allow-plain-network"};

} // namespace

// Each command: what runs it and the options it means something to (any
// other is a usage error).
const QList<TCliCommand>& CliCommands() {
    static const QList<TCliCommand> table{
        {"ports", nullptr, {}},  // answered before anything is opened
        {"login", RunLogin, kConnection + QStringList{"json"}},
        {"settings read", RunSettingsRead, kConnection + QStringList{"output"}},
        {"settings save", RunSettingsSave, kConnection + QStringList{"input", "set", "dry-run", "no-verify", "with-password", "with-sim"}},
        {"numbers download", RunNumbersDownload, kConnection + QStringList{"output", "expired", "expiring", "unused", "country"}},
        {"numbers save", RunNumbersSave, kConnection + QStringList{"input", "dry-run", "no-verify", "yes", "country"}},
        {"history download", RunHistoryDownload, kConnection + QStringList{"output", "from", "to"}},
        {"history delete", RunHistoryDelete, kConnection + QStringList{"dry-run", "yes"}},
        {"time sync", RunModuleCommand<TimeSyncCommand>, kConnection},
        {"check-mode", RunModuleCommand<CheckingModeCommand>, kConnection},
        {"backup", RunBackup, kConnection + QStringList{"output"}},
        {"restore", RunRestore, kConnection + QStringList{"input", "dry-run", "with-password", "with-sim", "no-verify", "yes", "clone", "only"}},
        {"modules", RunModules, {"record", "json"}},
        {"log", RunLog, {"record", "json", "all"}},
        {"name", RunName, {"record"}},
        {"record restore-last-good", RunRestoreLastGood, {"record", "yes"}},
        {"diff", RunDiff, kConnection + QStringList{"json"}},
        {"site list", RunSite, {"record", "json", "country"}},
        {"site show", RunSite, {"record", "country"}},
        {"site import", RunSite, {"record", "input", "module", "country", "revision"}},
        {"site export", RunSite, {"record", "output", "country"}},
        {"site status", RunSite, {"record", "json", "country"}},
        {"site add", RunSite, {"record", "country", "replace", "at"}},
        {"site remove", RunSite, {"record", "country"}},
        {"site apply", RunSite, kConnection + QStringList{"dry-run", "no-verify", "yes", "country", "all"}},
        {"report site", RunSite, {"record", "output", "country", "events"}},
    };
    return table;
}

const TCliCommand* FindCliCommand(const QString& name) {
    for (const TCliCommand& c : CliCommands())
        if (c.name == name) return &c;
    return nullptr;
}

namespace {

// The options, each with its names and the value it takes (none: a switch).
struct TOptionSpec {
    QStringList names;
    const char* value;
};
QList<QCommandLineOption> Options() {
    static const TOptionSpec kSpecs[] = {
        {{"p", "port"}, "PORT"},
        {{"P", "password"}, "PIN"},
        {{"password-file"}, "FILE"},
        {{"y", "yes"}, nullptr},
        {{"q", "quiet"}, nullptr},
        {{"o", "output"}, "FILE"},
        {{"i", "input"}, "FILE"},
        {{"set"}, "N=VALUE"},
        {{"from"}, "TIME"},
        {{"to"}, "TIME"},
        {{"h", "help"}, nullptr},
        {{"v", "version"}, nullptr},
        {{"no-verify"}, nullptr},
        {{"dry-run"}, nullptr},
        {{"with-password"}, nullptr}, {{"with-sim"}, nullptr},
        {{"expired"}, nullptr},
        {{"expiring"}, "DAYS"},
        {{"clone"}, nullptr},
        {{"record"}, "URL"},
        {{"no-record"}, nullptr}, {{"allow-plain-network"}, nullptr},
        {{"json"}, nullptr}, {{"all"}, nullptr},
        {{"read-only"}, nullptr},
        {{"only"}, "AREA"},
        {{"replace"}, nullptr}, {{"revision"}, "N"},
        {{"country"}, "CODE"},
        {{"module"}, "MODULE"}, {{"at"}, "ADDRESS"},
        {{"unused"}, "MONTHS"}, {{"events"}, "N"},
        {{"verbose"}, nullptr},
    };
    QList<QCommandLineOption> out;
    for (const TOptionSpec& s : kSpecs)
        out << (s.value ? QCommandLineOption(s.names, s.names.last(), QString::fromLatin1(s.value))
                        : QCommandLineOption(s.names, s.names.last()));
    return out;
}

using TParser = QCommandLineParser;

// An option's whole number within low..high (left as it was when not given); false with words.
bool NumberOption(const TParser& p, const char* name, int low, int high, int& value, const QString& words, QString& usage) {
    if (!p.isSet(QLatin1String(name))) return true;
    bool ok = false;
    value = p.value(QLatin1String(name)).toInt(&ok);
    if (ok && value >= low && value <= high) return true;
    usage = words;
    return false;
}

// The command and its words; every option given must mean something to it.
bool ReadCommand(const TParser& p, const QList<QCommandLineOption>& all, TCliOptions& o, QString& usage) {
    o.help = p.isSet(QStringLiteral("help"));
    o.version = p.isSet(QStringLiteral("version"));
    o.command = p.positionalArguments().join(u' ');
    // The record's commands take arguments: a module, two things to compare.
    if (const QStringList words = p.positionalArguments();
        !words.isEmpty() && (words[0] == QLatin1String("log") || words[0] == QLatin1String("diff") || words[0] == QLatin1String("name"))) {
        o.command = words[0];
        o.arguments = words.mid(1);
    }
    // Sites: "site apply NAME", "site add NAME MODULE [NUMBER…]"; the record's file: "record restore-last-good".
    if (const QStringList words = p.positionalArguments(); words.size() >= 2 && QStringList{"site", "record", "report"}.contains(words[0])) {
        o.command = words[0] + u' ' + words[1];
        o.arguments = words.mid(2);
    }
    if (o.help || o.version) return true;
    if (o.command.isEmpty()) {
        usage = TText::tr("no command given");
        return false;
    }
    const TCliCommand* command = FindCliCommand(o.command);
    if (!command) {
        usage = TText::tr("unknown command: ") + o.command;
        return false;
    }
    // Every option given must mean something to this command.
    const QStringList& accepted = command->options;
    for (const QCommandLineOption& opt : all) {
        const QString name = opt.names().last();
        // -q, --read-only and --verbose are taken by every command, so that scripts can pass them to all.
        if (name == QLatin1String("help") || name == QLatin1String("version") || name == QLatin1String("quiet") ||
            name == QLatin1String("read-only") || name == QLatin1String("verbose") || !p.isSet(opt))
            continue;
        if (!accepted.contains(name)) {
            usage = TText::tr("--%1 does nothing with '%2'").arg(name, o.command);
            return false;
        }
    }
    return true;
}

// Where the module is and how to log in.
bool ReadIdentity(const TParser& p, TCliOptions& o, QString& usage) {
    o.port = p.value(QStringLiteral("port"));
    if (p.isSet(QStringLiteral("port")) && o.port.trimmed().isEmpty()) {
        // An unset variable ("-p $PORT") must not send frames to whatever port comes first.
        usage = TText::tr("-p takes a port name; it is empty (leave -p out to use the first port of the list)");
        return false;
    }
    // The password: -P (visible to every user of the machine in the process
    // list), --password-file, or PORTIQA_PASSWORD; 5807 when none is given.
    if (!ReadPassword(p.isSet(QStringLiteral("password")) ? std::optional<QString>(p.value(QStringLiteral("password"))) : std::nullopt,
                      p.isSet(QStringLiteral("password-file")) ? std::optional<QString>(p.value(QStringLiteral("password-file"))) : std::nullopt, o.pin, usage))
        return false;
    const TCliCommand* command = FindCliCommand(o.command);
    const bool talksToModule = command && command->options.contains(QLatin1String("password"));
    if (talksToModule && !FourDigits(o.pin)) {
        usage = TText::tr("the password must be exactly 4 digits");
        return false;
    }
    return true;
}

// The switches, the record and the areas.
bool ReadFlags(const TParser& p, TCliOptions& o, QString& usage) {
    o.yes = p.isSet(QStringLiteral("yes"));
    o.quiet = p.isSet(QStringLiteral("quiet"));
    o.verbose = p.isSet(QStringLiteral("verbose"));
    o.noVerify = p.isSet(QStringLiteral("no-verify"));
    o.dryRun = p.isSet(QStringLiteral("dry-run"));
    o.withPassword = p.isSet(QStringLiteral("with-password"));
    o.withSim = p.isSet(QStringLiteral("with-sim"));
    o.clone = p.isSet(QStringLiteral("clone"));
    o.record = p.value(QStringLiteral("record"));
    o.noRecord = p.isSet(QStringLiteral("no-record"));
    o.allowPlainNetwork = p.isSet(QStringLiteral("allow-plain-network"));
    o.json = p.isSet(QStringLiteral("json"));
    o.all = p.isSet(QStringLiteral("all"));
    o.only = p.value(QStringLiteral("only"));
    o.replace = p.isSet(QStringLiteral("replace"));
    if (p.isSet(QStringLiteral("only")) && o.only != QLatin1String("settings") && o.only != QLatin1String("numbers")) {
        usage = TText::tr("--only takes settings or numbers");
        return false;
    }
    o.readOnly = p.isSet(QStringLiteral("read-only")) || qEnvironmentVariable("PORTIQA_READ_ONLY") == QLatin1String("1");
    if (p.isSet(QStringLiteral("revision"))) {
        bool ok = false;
        o.revision = p.value(QStringLiteral("revision")).toInt(&ok);
        if (!ok || o.revision < 0) {
            usage = TText::tr("--revision takes the revision a site's list was exported at (0 or more)");
            return false;
        }
    }
    if (o.noRecord && p.isSet(QStringLiteral("record"))) {
        usage = TText::tr("give either --record or --no-record");
        return false;
    }
    if (!o.noRecord &&
        TRecord::KindOfLocation(o.record.isEmpty() ? qEnvironmentVariable("PORTIQA_RECORD") : o.record, usage) ==
            TRecord::TLocationKind::Wrong)
        return false;
    return true;
}

// The words after the command, the country and the site commands' needs.
bool ReadArguments(const TParser& p, TCliOptions& o, QString& usage) {
    if (o.command == QLatin1String("log") && o.arguments.size() > 1) {
        usage = TText::tr("'portiqa-cli log' takes at most one module");
        return false;
    }
    if (o.command == QLatin1String("name") && o.arguments.size() != 2) {
        usage = TText::tr("'portiqa-cli name' takes a module and its new name");
        return false;
    }
    if (o.command == QLatin1String("diff") && o.arguments.size() != 2) {
        usage = TText::tr("'portiqa-cli diff' takes two things to compare");
        return false;
    }
    // The country numbers are written in: --country, PORTIQA_COUNTRY, or the system's region.
    const QString countryText = p.isSet(QStringLiteral("country")) ? p.value(QStringLiteral("country")) : qEnvironmentVariable("PORTIQA_COUNTRY");
    if (!countryText.isEmpty()) {
        const auto c = TNumberCountry::Parse(countryText);
        if (!c) {
            usage = TText::tr("--country %1: give a calling code (+7) or a two-letter country (RU)").arg(countryText);
            return false;
        }
        o.country = *c;
    }
    o.module = p.value(QStringLiteral("module"));
    o.at = p.value(QStringLiteral("at"));
    if ((o.command.startsWith(QLatin1String("site ")) && o.command != QLatin1String("site list")) || o.command == QLatin1String("report site")) {
        const int wanted = o.command == QLatin1String("site add") || o.command == QLatin1String("site remove") ? 2 : 1;
        if (o.arguments.size() < wanted || (wanted == 1 && o.arguments.size() > 1) ||
            (o.command == QLatin1String("site remove") && o.arguments.size() > 2)) {
            usage = TText::tr("'portiqa-cli %1' takes %2").arg(o.command, wanted == 1 ? TText::tr("a site's name")
                                                                                 : TText::tr("a site's name and a module"));
            return false;
        }
        if (o.command == QLatin1String("site import") && DataKindOf(p.value(QStringLiteral("input"))) == TDataKind::None) {
            usage = TText::tr("site import needs -i FILE (.xlsx, .xls, .cvs or .csv)");
            return false;
        }
        if (o.command == QLatin1String("site export") && DataKindOf(p.value(QStringLiteral("output"))) != TDataKind::Xlsx &&
            DataKindOf(p.value(QStringLiteral("output"))) != TDataKind::Csv) {
            usage = TText::tr("site export needs -o FILE (.xlsx, .cvs or .csv)");
            return false;
        }
    }
    return true;
}

// The files read and written.
bool ReadFiles(const TParser& p, TCliOptions& o, QString& usage) {
    o.expired = p.isSet(QStringLiteral("expired"));
    o.input = p.value(QStringLiteral("input"));
    o.output = p.value(QStringLiteral("output"));
    const bool downloads = o.command == QLatin1String("numbers download") || o.command == QLatin1String("history download");
    if (p.isSet(QStringLiteral("output")) && downloads && DataKindOf(o.output) != TDataKind::Xlsx && DataKindOf(o.output) != TDataKind::Csv) {
        usage = TText::tr("-o %1: the file must end in .xlsx, .cvs or .csv").arg(o.output);
        return false;
    }
    if (p.isSet(QStringLiteral("output")) && o.command == QLatin1String("settings read") && DataKindOf(o.output) != TDataKind::Xlsx) {
        usage = TText::tr("-o %1: a settings profile is a .xlsx file").arg(o.output);
        return false;
    }
    if ((p.isSet(QStringLiteral("output")) || p.isSet(QStringLiteral("input"))) && (p.isSet(QStringLiteral("output")) ? o.output : o.input).isEmpty()) {
        usage = TText::tr("-o and -i take a file name");
        return false;
    }
    if (o.command == QLatin1String("numbers save")) {
        if (!p.isSet(QStringLiteral("input"))) {
            usage = TText::tr("numbers save needs -i FILE");
            return false;
        }
        if (DataKindOf(o.input) == TDataKind::None) {
            usage = TText::tr("-i %1: the file must end in .xlsx, .xls, .cvs or .csv").arg(o.input);
            return false;
        }
    }
    if (o.command == QLatin1String("settings save") && p.isSet(QStringLiteral("input")) && DataKindOf(o.input) != TDataKind::Xlsx &&
        DataKindOf(o.input) != TDataKind::Xls) {
        usage = TText::tr("-i %1: a settings profile is a .xlsx or .xls file").arg(o.input);
        return false;
    }
    return true;
}

// Which numbers a download lists.
bool ReadSelections(const TParser& p, TCliOptions& o, QString& usage) {
    if (!NumberOption(p, "expiring", 0, 3650, o.expiringDays, TText::tr("--expiring takes a number of days (0-3650)"), usage) ||
        !NumberOption(p, "unused", 1, 120, o.unusedMonths, TText::tr("--unused takes a number of months (1-120)"), usage) ||
        !NumberOption(p, "events", 1, 1000, o.events, TText::tr("--events takes a number of events (1-1000)"), usage))
        return false;
    if (o.unusedMonths > 0 && (o.expired || o.expiringDays >= 0)) {
        usage = TText::tr("give either --unused or --expired/--expiring");
        return false;
    }
    return true;
}

// What a command needs before it may change anything.
bool ReadConfirmations(const TParser& p, TCliOptions& o, QString& usage) {
    if (o.command == QLatin1String("backup") && !p.isSet(QStringLiteral("output"))) {
        usage = TText::tr("backup needs -o FILE");
        return false;
    }
    if (o.command == QLatin1String("restore") && !p.isSet(QStringLiteral("input"))) {
        usage = TText::tr("restore needs -i FILE");
        return false;
    }
    if (o.command == QLatin1String("restore") && !o.yes && !o.dryRun) {
        usage = TText::tr("restore writes the backup's settings and numbers into the module: confirm with --yes "
                               "(or see the change with --dry-run)");
        return false;
    }
    // A save with nothing to apply would only read and rewrite the module's
    // own settings; the identity switches act on a profile.
    if (o.command == QLatin1String("settings save") && !p.isSet(QStringLiteral("input")) &&
        (!p.isSet(QStringLiteral("set")) || o.withPassword || o.withSim)) {
        usage = !p.isSet(QStringLiteral("set")) ? TText::tr("settings save needs a profile (-i FILE) or values (--set N=VALUE)")
                                                : TText::tr("--with-password and --with-sim write a profile's values: give the profile (-i FILE), "
                                                            "or the value itself (--set 1=PIN, --set 2=NUMBER)");
        return false;
    }
    if (o.command == QLatin1String("history delete") && !o.yes && !o.dryRun) {
        usage = TText::tr("history delete erases the module's log: confirm with --yes (or count it with --dry-run)");
        return false;
    }
    return true;
}

// The history's window and the settings values given with --set, each
// checked by the window's rules before anything is opened or sent.
bool ReadValues(const TParser& p, TCliOptions& o, QString& usage) {
    if (p.isSet(QStringLiteral("from")) || p.isSet(QStringLiteral("to"))) {
        o.from = QDateTime::fromString(p.value(QStringLiteral("from")), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        o.to = QDateTime::fromString(p.value(QStringLiteral("to")), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!o.from.isValid() || !o.to.isValid()) {
            usage = TText::tr("--from and --to take \"YYYY-MM-DD HH:MM:SS\", both");
            return false;
        }
    }
    for (const QString& a : p.values(QStringLiteral("set"))) {
        const qsizetype eq = a.indexOf(u'=');
        int row = 0;
        if (eq < 1 || !TryStrToInt(a.left(eq), row) || row < 1 || row > TSettingsTable::kValueRows) {
            usage = TText::tr("--set takes N=VALUE with N from 1 to %1").arg(TSettingsTable::kValueRows);
            return false;
        }
        // The window's rules, before anything is opened or sent.
        TSettingValue value;
        if (const QString problem = ParseSettingValue(row, a.mid(eq + 1), value); !problem.isEmpty()) {
            usage = QStringLiteral("--set ") + a + QStringLiteral(": ") + problem;
            return false;
        }
        o.assignments.append({row, value});
    }
    return true;
}

} // namespace

bool ParseCliOptions(const QStringList& args, TCliOptions& o, QString& usage) {
    QCommandLineParser p;
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QList<QCommandLineOption> all = Options();
    p.addOptions(all);
    if (!p.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) {
        usage = p.errorText();
        return false;
    }
    if (!ReadCommand(p, all, o, usage)) return false;
    if (o.help || o.version) return true;
    return ReadIdentity(p, o, usage) && ReadFlags(p, o, usage) && ReadArguments(p, o, usage) && ReadFiles(p, o, usage) &&
           ReadSelections(p, o, usage) && ReadConfirmations(p, o, usage) && ReadValues(p, o, usage);
}

} // namespace portiqa
