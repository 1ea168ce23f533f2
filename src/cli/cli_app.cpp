#include "cli/cli_app.h"
#include "base/texts.h"
#include "cli/cli_commands.h"
#include "cli/provision.h"
#include "files/file_replace.h"
#include "settings/settings_layout.h"
#include "session/runtime.h"
#include <QLoggingCategory>

namespace portiqa {

const char* const kCliUsage =
    QT_TRANSLATE_NOOP("TText",
    "Usage: portiqa-cli [OPTION]... COMMAND [ARGUMENT]...\n"
    "Configure a GSM relay module over its serial port: log in, read and save its settings and its\n"
    "authorised numbers, download or erase its event history, set its clock.\n"
    "\n"
    "Commands:\n"
    "  ports                         list the serial ports, the default first\n"
    "  login [--json]                check the password only; --json: print the module's SIM number,\n"
    "                                bridge serial number and name in the record\n"
    "  settings read [-o PROFILE.xlsx]\n"
    "                                print rows 1-%1 as \"N<TAB>value\", or write a settings profile\n"
    "  settings save [-i PROFILE.xlsx] [--set N=VALUE]... [--dry-run] [--with-password] [--with-sim]\n"
    "                                read the settings, apply the profile and the values, save;\n"
    "                                --dry-run: print each row that would change as\n"
    "                                \"row: before -> after\" and send no save\n"
    "  numbers download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--expired] [--expiring DAYS]\n"
    "                                print the occupied records, or write them to a file;\n"
    "                                --expired: only those whose window has ended, --expiring DAYS:\n"
    "                                only those whose window ends within DAYS days; --unused MONTHS:\n"
    "                                only those with no event in the history the record keeps of\n"
    "                                the module for MONTHS months\n"
    "  numbers save -i FILE.xlsx|FILE.xls|FILE.cvs|FILE.csv [--dry-run]\n"
    "                                read the module's list, import the file with the window's\n"
    "                                checks, show what changes and who gains or loses access (by\n"
    "                                name where the record knows it), save; removing or shortening\n"
    "                                access, or one subscriber written two ways, needs --yes\n"
    "  history download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--from TIME --to TIME]\n"
    "                                print or write the event history, optionally only a window\n"
    "  history delete [--dry-run]    erase the module's history (needs --yes); --dry-run: print how\n"
    "                                many records it holds and erase nothing\n"
    "  time sync                     set the module's clock to this computer's time\n"
    "  check-mode                    send the checking-mode command\n"
    "  backup -o FILE                read the module's whole memory (settings, numbers, history) into\n"
    "                                a backup file\n"
    "  restore -i FILE [--dry-run] [--with-password] [--with-sim] [--clone]\n"
    "                                write a backup's settings and numbers into the module (needs\n"
    "                                --yes); the module keeps its own password and SIM number unless\n"
    "                                --with-password, --with-sim;\n"
    "                                a backup of another module (another SIM number) needs --clone;\n"
    "                                -i @ID or MODULE@DATE restores the record's copy of the module;\n"
    "                                --only settings|numbers writes that area alone\n"
    "  modules [--json]              list the modules the record knows\n"
    "  log [MODULE] [--json] [--all] a module's snapshots and writes, newest first (MODULE: its name,\n"
    "                                SIM number or number in the record; every module without it); the\n"
    "                                newest 200 of each unless --all, and it says when there are more\n"
    "  name MODULE NAME              give a module a name in the record (60 characters at most)\n"
    "  record restore-last-good      put the record file's last good copy in its place, the damaged\n"
    "                                file kept beside it (needs --yes)\n"
    "  diff A B [--json]             what differs between two copies, per settings row and number\n"
    "                                record; A and B: module (read now), @ID (a snapshot),\n"
    "                                MODULE@DATE (its newest snapshot then), or a backup, profile or\n"
    "                                number list file\n"
    "  site list [--json]            list the sites: named groups of modules sharing one list\n"
    "  site import SITE -i FILE [--module MODULE] [--revision N]\n"
    "                                set a site's list from a number file (creating the site), or\n"
    "                                one module's additions; names in the file go to the record\n"
    "  site export SITE -o FILE      write the site's list to a number file\n"
    "  site add SITE MODULE [NUMBER]... [--replace] [--at ADDRESS]\n"
    "                                make a module one of the site's, leaving out the NUMBERs too\n"
    "                                (--replace: only them); --at: the device server it is reached\n"
    "                                at (rfc2217://HOST:PORT or socket://HOST:PORT; - for none)\n"
    "  site remove SITE MODULE       take a module out of the site\n"
    "  site show SITE                the site's list with names, and each module's state\n"
    "  site status SITE [--json]     each module, when the list was applied and whether it is\n"
    "                                current (exit 7 when one is behind)\n"
    "  site apply SITE [--dry-run]   save the site's list into the module on the port through the\n"
    "                                numbers save's checks (losing access needs --yes); --all:\n"
    "                                into every module of the site that has an address, one after\n"
    "                                the other, a line for each\n"
    "  report site SITE -o FILE.pdf [--events N]\n"
    "                                the site's hand-over report for its manager (A4 PDF): its\n"
    "                                modules and their state, who can open the gates and until when\n"
    "                                (windows ending within 30 days marked), each gate's N newest\n"
    "                                events (10)\n"
    "  provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv\n"
    "            [--watch GLOB]... [--count N] [-P FACTORY_PIN] [--force] [--json]\n"
    "            [--batch NAME] [--record WHERE | --no-record] [--reflash]\n"
    "                                program every module plugged in (several at once) from a\n"
    "                                template (a backup, or a .xlsx profile with --numbers) and the\n"
    "                                next unit of UNITS.csv (column \"unit\", then settings rows\n"
    "                                1-%1); each verified and reported in REPORT.csv; --watch\n"
    "                                defaults to /dev/ttyUSB* and /dev/ttyACM* (COM* on Windows), a\n"
    "                                name alone is matched against the port list; --force lets the\n"
    "                                template remove numbers a module holds; exit 0 when every\n"
    "                                module ended ok, 1 if one failed; the record keeps which module\n"
    "                                holds which unit (shared by stations with one --batch NAME)\n"
    "  provision --units UNITS.csv | --batch NAME --release UNIT\n"
    "                                give back a unit held for a module that was checked\n"
    "\n"
    "Options:\n"
    "  -p, --port PORT               serial port: a name from 'ports' (ttyUSB0) or a device path;\n"
    "                                without it the first port of the list. A module behind a\n"
    "                                serial device server: socket://HOST:PORT (raw TCP) or\n"
    "                                rfc2217://HOST:PORT (Telnet, the line set by the program)\n"
    "      --allow-plain-network     take a device server on another computer (the password\n"
    "                                crosses the network unencrypted: prefer a VPN or SSH tunnel)\n"
    "  -P, --password PIN            the module's 4-digit password (default 5807); other users of\n"
    "                                this computer can see it in the process list: prefer\n"
    "      --password-file FILE      the password on the first line of FILE, or the environment\n"
    "                                variable PORTIQA_PASSWORD\n"
    "  -y, --yes                     answer yes to the questions the window would ask\n"
    "  -q, --quiet                   no progress line on standard error\n"
    "      --verbose                 with a message about the record, the database's own words too\n"
    "  -o, --output FILE             write to FILE instead of printing: its kind by its extension\n"
    "                                (.xlsx, .cvs or .csv; a backup may have any name)\n"
    "  -i, --input FILE              read from FILE\n"
    "      --set N=VALUE             with 'settings save': value of row N (1-%1); a drop-down row\n"
    "                                takes its item number (11=3)\n"
    "      --from TIME, --to TIME    with 'history download': \"YYYY-MM-DD HH:MM:SS\"\n"
    "      --no-verify               saves: do not read the written pages back\n"
    "      --dry-run                 with 'settings save', 'numbers save', 'history delete' and\n"
    "                                'restore': show what would change; nothing is written\n"
    "      --with-password           with 'restore' and 'settings save -i': write the file's password too\n"
    "      --with-sim                with 'restore' and 'settings save -i': write the file's SIM number too\n"
    "      --clone                   with 'restore': write a backup taken from another module\n"
    "      --record URL              the module record: a file, or postgresql://user@host/db (default:\n"
    "                                PORTIQA_RECORD, else ~/.local/share/portiqa/record.sqlite)\n"
    "      --no-record               keep no record (downloads then read every page twice)\n"
    "      --json                    with 'login', 'modules', 'log', 'diff', 'site list' and\n"
    "                                'site status': print JSON\n"
    "      --country CODE            how numbers are written where the modules are (+7 or RU; default\n"
    "                                PORTIQA_COUNTRY, else the system's region): 8916..., 7916... and\n"
    "                                +7916... are then one subscriber\n"
    "      --module MODULE           with 'site import': the file holds that module's additions\n"
    "      --revision N              with 'site import': the revision 'site export' took the file at;\n"
    "                                a list changed since is not replaced\n"
    "      --at ADDRESS              with 'site add': the device server the module is reached at\n"
    "      --events N                with 'report site': each gate's newest events shown, up to 1000\n"
    "      --read-only               a read-only visit (also PORTIQA_READ_ONLY=1): every write is\n"
    "                                refused before anything is sent (exit 1)\n"
    "  -h, --help                    show this help and exit\n"
    "  -v, --version                 show the version and exit\n"
    "      --lang ru|en              the language of messages and help (default: the system's)\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the module refused, or an operation failed\n"
    "  2  usage error\n"
    "  3  the module did not answer\n"
    "  4  wrong password\n"
    "  5  the port cannot be opened\n"
    "  6  a file cannot be read, written or fails its checks\n"
    "  7  'site status': a module does not hold its site's list\n"
    "\n"
    "Each option is accepted only by the commands listed with it; any other combination is a\n"
    "usage error and nothing is sent. Output files are checked before the module is read.\n"
    "\n"
    "Messages go to standard error in the window's words; data to standard output in UTF-8,\n"
    "as the module holds it (never translated).\n"
    "The user needs access to the serial port: on Debian, membership of the dialout group.\n");

namespace {

// The command's first word: the first argument that is neither an option
// nor the value of one ("-i provision" names a file, not the command).
QString FirstWord(const QStringList& args) {
    // Every option of either parser that takes a value ("--record X provision").
    static const QStringList takesValue{"-p", "--port", "-P", "--password", "--password-file", "-o", "--output",
                                        "-i", "--input", "--set", "--from", "--to", "--expiring", "--template",
                                        "--numbers", "--units", "--report", "--watch", "--count", "--record",
                                        "--only", "--revision", "--country", "--module", "--unused", "--lang",
                                        "--batch", "--release", "--labels"};
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (takesValue.contains(args[i])) {
            ++i;
            continue;
        }
        if (!args[i].startsWith(u'-')) return args[i];
    }
    return {};
}

} // namespace

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal) {
    // Provisioning has options of its own (and its own help) and serves many ports at once.
    if (FirstWord(args) == QLatin1String("provision")) return RunProvisionCommand(args, out, err, errIsTerminal);
    TCliOptions o;
    QString usage;
    if (!ParseCliOptions(args, o, usage)) {
        // The mistake and where the help is: three screens of help would push it out of sight.
        err << usage << "\n" << TText::tr("Справка: portiqa-cli --help") << "\n" << Qt::flush;
        return kExitUsage;
    }
    if (o.version) {
        out << "portiqa-cli " << PORTIQA_VERSION << "\n" << Qt::flush;
        return kExitOk;
    }
    if (o.help) {
        out << TText::tr(kCliUsage).arg(kSettingsValueRows) << Qt::flush;  // the rows the layout shows
        return kExitOk;
    }
    if (o.command == QLatin1String("ports")) {
        // This computer's ports, then the device servers opened before.
        for (const QString& name : TRuntime::Ports() + TRuntime::Addresses()) out << name << "\n";
        out.flush();
        return kExitOk;
    }
    // A file being written is removed if the command is interrupted.
    RemoveTemporaryFilesOnSignals();
    if (o.verbose) QLoggingCategory::setFilterRules(QStringLiteral("portiqa.record.info=true"));
    TCliRun run(o, out, err, errIsTerminal);
    return FindCliCommand(o.command)->run(run);
}

} // namespace portiqa
