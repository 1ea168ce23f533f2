#include "cli/cli_app.h"
#include "settings/settings_rules.h"
#include "numbers/number_diff.h"
#include "backup/backup_file.h"
#include "numbers/number_expiry.h"
#include "base/errors.h"
#include "app/qt_timer.h"
#include "app/session.h"
#include "files/csv.h"
#include "link/comm.h"
#include "link/port_list.h"
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>

namespace portiqa {

namespace {

// Messages the window would show in a box, in the same words, on stderr;
// confirmations answered from the options.
class TCliOperator : public IOperator {
public:
    TCliOperator(QTextStream& err, bool yes) : err_(err), yes_(yes) {}
    void ShowMessage(const QString& text) override { Line(text); }
    bool AskAccept(const QString&) override { return true; }  // the command itself is the request
    bool WarnOkCancel(const QString& text) override {
        if (!yes_) Line(text + QStringLiteral("\n(needs --yes)"));
        return yes_;
    }
    void ReportError(const QString& text) override { Line(text); }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }

private:
    void Line(QString text) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        err_ << text << Qt::endl;
    }
    QTextStream& err_;
    bool yes_;
};

// Progress on stderr, only when it is a terminal.
class TCliStatus : public IStatusDisplay {
public:
    TCliStatus(QTextStream& err, bool show) : err_(err), show_(show) {}
    ~TCliStatus() override {
        if (shown_) err_ << "\r\033[K" << Qt::flush;
    }
    void SetStatusText(const QString& text) override {
        text_ = text;
        Draw();
    }
    void SetProgressPosition(int p) override { position_ = p; }
    void SetProgressVisible(bool) override {}

private:
    void Draw() {
        if (!show_ || text_.isEmpty()) return;
        err_ << "\r\033[K" << text_ << Qt::flush;
        shown_ = true;
    }
    QTextStream& err_;
    bool show_;
    bool shown_ = false;
    QString text_;
    int position_ = 0;
};

class TCli {
public:
    TCli(QTextStream& out, QTextStream& err, bool yes, bool progress)
        : out_(out), err_(err), op_(err, yes), status_(err, progress),
          session_(comm_, status_, op_, tmr1_, tmr2_) {
        comm_.SetBaudRate(115200);
        comm_.OnReceiveData = [this](TComm*, const char* b, uint16_t n) {
            session_.cm1ReceiveData(reinterpret_cast<const uint8_t*>(b), n);
        };
        comm_.OnRequestHangup = [this](TComm*) {
            op_.ShowMessage(QStringLiteral("Связь с GSM модулем потеряна: порт закрыт"));
            Finish(kExitFailed);
        };
        session_.receiver.OnFailure = [this](TLinkFailure why) {
            Finish(why == TLinkFailure::ReplyTimeout ? kExitNoAnswer : kExitFailed);
        };
        session_.receiver.OnCommandReply = [this](uint8_t, bool ok) { Finish(ok ? kExitOk : kExitFailed); };
        session_.password.OnChecked = [this](bool match) { Finish(match ? kExitOk : kExitWrongPassword); };
        session_.backup.OnDone = [this](bool ok) { Finish(ok ? kExitOk : kExitFailed); };
        for (Tsend_rec_command* b : std::initializer_list<Tsend_rec_command*>{
                 &session_.basicInf, &session_.telephoneSend, &session_.historyInf})
        {
            b->OnTransferDone = [this] { Finish(kExitOk); };
            b->OnTransferFailed = [this](const QString&) { Finish(kExitFailed); };
        }
    }
    ~TCli() { comm_.CloseComm(); }

    int Open(const QString& port) {
        QString name = port;
        if (name.isEmpty()) {
            const QStringList ports = Trecognitionserial().ScanPorts();
            if (ports.isEmpty()) {
                op_.ShowMessage(QStringLiteral("COM Port ошибка\rno serial port found; give one with -p"));
                return kExitPort;
            }
            name = ports.first();
        }
        comm_.SetCommName(name);
        try {
            comm_.OpenComm();
        } catch (const ECommsError& e) {
            op_.ShowMessage(QStringLiteral("COM Port ошибка\r") + QString::fromUtf8(e.what()));
            return kExitPort;
        }
        if (!comm_.PortOpen()) {
            op_.ShowMessage(QStringLiteral("COM Port ошибка\r") + comm_.PortOpenError().trimmed() + ": " +
                            comm_.PortOpenReason());
            return kExitPort;
        }
        return kExitOk;
    }

    // Starts an exchange and runs the event loop until it ends one way or another.
    int Exchange(const std::function<void()>& start) {
        result_ = -1;
        if (!RunGuarded(op_, start)) return kExitFailed;
        if (result_ < 0 && !session_.seq.Outstanding()) return kExitFailed;  // refused before sending
        if (result_ < 0) loop_.exec();
        return result_;
    }

    int Login(const QString& pin) {
        session_.password.TypedPasswordSource = [pin] { return pin; };
        return Exchange([this] { session_.password.StartCheck(); });
    }

    TSession& S() { return session_; }
    IOperator& Op() { return op_; }
    QTextStream& Out() { return out_; }

private:
    void Finish(int code) {
        if (result_ >= 0) return;
        result_ = code;
        loop_.quit();
    }
    QTextStream& out_;
    QTextStream& err_;
    TCliOperator op_;
    TCliStatus status_;
    TComm comm_;
    TQtTimer tmr1_{kReplyTimeoutMs, false};
    TQtTimer tmr2_{kStatusClearMs, true};
    TSession session_;
    QEventLoop loop_;
    int result_ = -1;
};

bool IsCsv(const QString& path) { return QFileInfo(path).suffix().compare(QLatin1String("cvs"), Qt::CaseInsensitive) == 0 ||
                                         QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0; }

int WriteWorkbook(IOperator& op, const TWorkbook& book, QString path) {
    QString error;
    if (TWorkbookIo::WriteXlsx(book, path, error)) return kExitOk;
    op.ReportError(error);
    return kExitFile;
}

int WriteLines(IOperator& op, const QStringList& lines, const QString& path) {
    QString error;
    if (TCsv::WriteFile(path, lines, error)) return kExitOk;
    op.ReportError(error);
    return kExitFile;
}

const char* kUsage =
    "Usage: portiqa-cli [OPTION]... COMMAND [ARGUMENT]...\n"
    "Configure a GSM relay module over its serial port: log in, read and save its settings and its\n"
    "authorised numbers, download or erase its event history, set its clock.\n"
    "\n"
    "Commands:\n"
    "  ports                         list the serial ports, the default first\n"
    "  login                         check the password only\n"
    "  settings read [-o PROFILE.xlsx]\n"
    "                                print rows 1-16 as \"N<TAB>value\", or write a settings profile\n"
    "  settings save [-i PROFILE.xlsx] [--set N=VALUE]...\n"
    "                                read the settings, apply the profile and the values, save\n"
    "  numbers download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--expired] [--expiring DAYS]\n"
    "                                print the occupied records, or write them to a file;\n"
    "                                --expired: only those whose window has ended, --expiring DAYS:\n"
    "                                only those whose window ends within DAYS days\n"
    "  numbers save -i FILE.xlsx|FILE.xls|FILE.cvs|FILE.csv [--dry-run]\n"
    "                                read the module's list, import the file with the window's\n"
    "                                checks, show what changes, save (removing records needs --yes)\n"
    "  history download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--from TIME --to TIME]\n"
    "                                print or write the event history, optionally only a window\n"
    "  history delete                erase the module's history (needs --yes)\n"
    "  time sync                     set the module's clock to this computer's time\n"
    "  check-mode                    send the checking-mode command\n"
    "  backup -o FILE                read the module's whole memory (settings, numbers, history) into\n"
    "                                a backup file\n"
    "  restore -i FILE [--dry-run] [--with-password]\n"
    "                                write a backup's settings and numbers into the module (needs\n"
    "                                --yes); the module keeps its own password unless --with-password\n"
    "\n"
    "Options:\n"
    "  -p, --port PORT               serial port: a name from 'ports' (ttyUSB0) or a device path;\n"
    "                                without it the first port of the list\n"
    "  -P, --password PIN            the module's 4-digit password (default 5807)\n"
    "  -y, --yes                     answer yes to the questions the window would ask\n"
    "  -q, --quiet                   no progress line on standard error\n"
    "  -o, --output FILE             write to FILE instead of printing\n"
    "  -i, --input FILE              read from FILE\n"
    "      --set N=VALUE             with 'settings save': value of row N (1-16); a drop-down row\n"
    "                                takes its item number (11=3)\n"
    "      --from TIME, --to TIME    with 'history download': \"YYYY-MM-DD HH:MM:SS\"\n"
    "      --no-verify               saves: do not read the written pages back\n"
    "      --dry-run                 with 'numbers save': print each record that would change as\n"
    "                                \"serial: before -> after\"; with 'restore': print what would\n"
    "                                change; nothing is sent\n"
    "      --with-password           with 'restore': write the backup's password too\n"
    "  -h, --help                    show this help and exit\n"
    "  -v, --version                 show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the module refused, or an operation failed\n"
    "  2  usage error\n"
    "  3  the module did not answer\n"
    "  4  wrong password\n"
    "  5  the port cannot be opened\n"
    "  6  a file cannot be read, written or fails its checks\n"
    "\n"
    "Messages go to standard error in the window's words; data to standard output in UTF-8.\n"
    "The user needs access to the serial port: on Debian, membership of the dialout group.\n";

} // namespace

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal) {
    QCommandLineParser p;
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption port({"p", "port"}, "port", "PORT");
    const QCommandLineOption pin({"P", "password"}, "password", "PIN", "5807");
    const QCommandLineOption yes({"y", "yes"}, "yes");
    const QCommandLineOption quiet({"q", "quiet"}, "quiet");
    const QCommandLineOption output({"o", "output"}, "output", "FILE");
    const QCommandLineOption input({"i", "input"}, "input", "FILE");
    const QCommandLineOption set("set", "set", "N=VALUE");
    const QCommandLineOption from("from", "from", "TIME");
    const QCommandLineOption to("to", "to", "TIME");
    const QCommandLineOption help({"h", "help"}, "help");
    const QCommandLineOption version({"v", "version"}, "version");
    const QCommandLineOption noVerify("no-verify", "no-verify");
    const QCommandLineOption dryRun("dry-run", "dry-run");
    const QCommandLineOption withPassword("with-password", "with-password");
    const QCommandLineOption expired("expired", "expired");
    const QCommandLineOption expiring("expiring", "expiring", "DAYS");
    p.addOptions({port, pin, yes, quiet, output, input, set, from, to, help, version, noVerify, dryRun, withPassword, expired, expiring});
    if (!p.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) {
        err << p.errorText() << "\n" << kUsage << Qt::flush;
        return kExitUsage;
    }
    if (p.isSet(version)) {
        out << "portiqa-cli " << PORTIQA_VERSION << "\n" << Qt::flush;
        return kExitOk;
    }
    const QStringList words = p.positionalArguments();
    const QString command = words.join(u' ');
    if (p.isSet(help) || words.isEmpty()) {
        (p.isSet(help) ? out : err) << kUsage << Qt::flush;
        return p.isSet(help) ? kExitOk : kExitUsage;
    }
    if (command == QLatin1String("ports")) {
        for (const QString& name : Trecognitionserial().ScanPorts()) out << name << "\n";
        out.flush();
        return kExitOk;
    }
    static const QStringList known{"login", "settings read", "settings save", "numbers download", "numbers save",
                                   "history download", "history delete", "time sync", "check-mode", "backup", "restore"};
    if (!known.contains(command)) {
        err << "unknown command: " << command << "\n" << kUsage << Qt::flush;
        return kExitUsage;
    }
    if (command == QLatin1String("numbers save") && !p.isSet(input)) {
        err << "numbers save needs -i FILE\n" << Qt::flush;
        return kExitUsage;
    }
    if (p.isSet(expiring)) {
        bool ok = false;
        const int days = p.value(expiring).toInt(&ok);
        if (!ok || days < 0 || days > 3650) {
            err << "--expiring takes a number of days (0-3650)\n" << Qt::flush;
            return kExitUsage;
        }
    }
    if (command == QLatin1String("backup") && !p.isSet(output)) {
        err << "backup needs -o FILE\n" << Qt::flush;
        return kExitUsage;
    }
    if (command == QLatin1String("restore") && !p.isSet(input)) {
        err << "restore needs -i FILE\n" << Qt::flush;
        return kExitUsage;
    }
    if (command == QLatin1String("restore") && !p.isSet(yes) && !p.isSet(dryRun)) {
        err << "restore writes the backup's settings and numbers into the module: confirm with --yes "
               "(or see the change with --dry-run)\n" << Qt::flush;
        return kExitUsage;
    }
    // A backup that cannot be taken is refused before the port is opened.
    TBackupImage restoreImage;
    if (command == QLatin1String("restore")) {
        QString error;
        if (!TBackupFile::Read(p.value(input), restoreImage, error)) {
            err << error << "\n" << Qt::flush;
            return kExitFile;
        }
    }
    if (command == QLatin1String("history delete") && !p.isSet(yes)) {
        err << "history delete erases the module's log: confirm with --yes\n" << Qt::flush;
        return kExitUsage;
    }
    if (p.isSet(port) && p.value(port).trimmed().isEmpty()) {
        // An unset variable ("-p $PORT") must not send frames to whatever port comes first.
        err << "-p takes a port name; it is empty (leave -p out to use the first port of the list)\n" << Qt::flush;
        return kExitUsage;
    }
    QDateTime windowStart, windowEnd;
    if (p.isSet(from) || p.isSet(to)) {
        windowStart = QDateTime::fromString(p.value(from), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        windowEnd = QDateTime::fromString(p.value(to), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!windowStart.isValid() || !windowEnd.isValid()) {
            err << "--from and --to take \"YYYY-MM-DD HH:MM:SS\"\n" << Qt::flush;
            return kExitUsage;
        }
    }
    QList<QPair<int, QString>> assignments;
    for (const QString& a : p.values(set)) {
        const qsizetype eq = a.indexOf(u'=');
        int row = 0;
        if (eq < 1 || !TryStrToInt(a.left(eq), row) || row < 1 || row > 16) {
            err << "--set takes N=VALUE with N from 1 to 16\n" << Qt::flush;
            return kExitUsage;
        }
        const QString value = a.mid(eq + 1);
        // The window's rules, before anything is opened or sent.
        TSettingsTable rules;
        int index = -1;
        const QString problem = TSettingsTable::IsSelectionRow(row) ? CheckSettingsChoice(rules, row, value, index)
                                                                    : CheckSettingsValue(row, value);
        if (!problem.isEmpty()) {
            err << "--set " << a << ": " << problem << "\n" << Qt::flush;
            return kExitUsage;
        }
        assignments.append({row, value});
    }

    TCli cli(out, err, p.isSet(yes), errIsTerminal && !p.isSet(quiet));
    TSession& s = cli.S();
    s.seq.verifyAfterSave = !p.isSet(noVerify);
    if (int rc = cli.Open(p.value(port)); rc != kExitOk) return rc;
    if (int rc = cli.Login(p.value(pin)); rc != kExitOk) return rc;
    if (command == QLatin1String("login")) return kExitOk;

    if (command == QLatin1String("settings read") || command == QLatin1String("settings save")) {
        if (int rc = cli.Exchange([&] { s.basicInf.btn21Click(); }); rc != kExitOk) return rc;
        if (command == QLatin1String("settings read")) {
            if (p.isSet(output)) return WriteWorkbook(cli.Op(), s.profile.ProfileWorkbook(), p.value(output));
            for (int r = 1; r <= 16; ++r) {
                const TSelectionEditor* e = s.settingsTable.EditorOfRow(r);
                out << r << "\t" << (e ? e->SelectedText() : s.settingsTable.Value(r)) << "\n";
            }
            out.flush();
            return kExitOk;
        }
        if (p.isSet(input)) {
            TWorkbook book;
            QString error;
            if (!TWorkbookIo::Read(p.value(input), book, error)) {
                cli.Op().ReportError(error);
                return kExitFile;
            }
            bool applied = false;
            if (!RunGuarded(cli.Op(), [&] { applied = s.profile.ApplyProfile(book); }) || !applied) return kExitFile;
        }
        for (const auto& [row, value] : assignments) {
            if (TSettingsTable::IsSelectionRow(row)) {
                int index = -1;
                CheckSettingsChoice(s.settingsTable, row, value, index);
                s.settingsTable.SetItemIndex(row, index);
                if (TSelectionEditor* e = s.settingsTable.EditorOfRow(row)) e->moduleByte = -1;
            } else {
                s.settingsTable.SetValue(row, value);
            }
        }
        return cli.Exchange([&] { s.basicInf.btn22Click(); });
    }

    if (command == QLatin1String("numbers download")) {
        if (int rc = cli.Exchange([&] { s.telephoneSend.btn10Click(); }); rc != kExitOk) return rc;
        if (p.isSet(expired) || p.isSet(expiring)) {
            // Only the records whose window has ended, or ends within DAYS.
            const QDateTime now = QDateTime::currentDateTime();
            const int days = p.isSet(expiring) ? p.value(expiring).toInt() : 0;
            const QStringList lines = s.numberFiles.CsvLines();
            for (int row = 1; row <= TNumberTable::kRecords && row <= lines.size(); ++row) {
                const TValidity v = ValidityOf(s.numberTable.Grid(), row, now, days);
                if ((p.isSet(expired) && v == TValidity::Expired) || (p.isSet(expiring) && v == TValidity::Expiring))
                    out << lines[row - 1] << "\n";
            }
            out.flush();
            return kExitOk;
        }
        if (!p.isSet(output)) {
            for (const QString& line : s.numberFiles.CsvLines(true)) out << line << "\n";
            out.flush();
            return kExitOk;
        }
        const QString path = p.value(output);
        return IsCsv(path) ? WriteLines(cli.Op(), s.numberFiles.CsvLines(), path)
                           : WriteWorkbook(cli.Op(), s.numberFiles.NumbersWorkbook(), path);
    }
    if (command == QLatin1String("numbers save")) {
        // The file first: a file that cannot be taken never touches the module.
        const QString path = p.value(input);
        QString error;
        QList<TCsvRow> rows;
        TWorkbook book;
        const bool csv = IsCsv(path);
        if (csv ? !TCsv::ReadFile(path, rows, error) : !TWorkbookIo::Read(path, book, error, TNumberTable::kRecords + 1)) {
            cli.Op().ReportError(error);
            return kExitFile;
        }
        // The module's list, to show what the save would do to it.
        if (int rc = cli.Exchange([&] { s.telephoneSend.btn10Click(); }); rc != kExitOk) return rc;
        TStringGrid before(TNumberTable::kCols, TNumberTable::kRecords + 1);
        for (int r = 1; r <= TNumberTable::kRecords; ++r)
            for (int c = 0; c < TNumberTable::kCols; ++c) before.SetCells(c, r, s.numberTable.Grid().Cells(c, r));
        const bool applied = csv ? s.numberFiles.ApplyCsv(rows) : s.numberFiles.ApplyWorkbook(book);
        if (!applied) return kExitFile;
        const QString problem = s.numberTable.ValidateNumberTable();
        if (!problem.isEmpty()) {
            cli.Op().ShowMessage(problem);
            return kExitFile;
        }
        const TNumberDiff diff = DiffNumberTables(before, s.numberTable.Grid());
        err << diff.Counts() << "\n" << Qt::flush;
        if (p.isSet(dryRun)) {
            for (const TNumberChange& c : diff.changes) out << c.serial << ": " << c.before << " -> " << c.after << "\n";
            out.flush();
            return kExitOk;
        }
        if (diff.removed > 0 && !p.isSet(yes)) {
            err << "the save removes " << diff.removed << " record(s) the module holds: confirm with --yes "
                << "(see them with --dry-run)\n" << Qt::flush;
            return kExitUsage;
        }
        return cli.Exchange([&] { s.telephoneSend.btn9Click(); });
    }
    if (command == QLatin1String("history download")) {
        if (int rc = cli.Exchange([&] { s.historyInf.btn19Click(); }); rc != kExitOk) return rc;
        if (windowStart.isValid()) {
            if (windowEnd <= windowStart) {
                cli.Op().ShowMessage(QStringLiteral("Ошибка выбора времени"));
                return kExitUsage;
            }
            if (!FilterHistory(s.historyTable, windowStart, windowEnd, s.status, cli.Op())) s.historyTable.ClearHistoryTable();
        }
        if (!p.isSet(output)) {
            for (const QString& line : s.historyFiles.CsvLines()) out << line << "\n";
            out.flush();
            return kExitOk;
        }
        const QString path = p.value(output);
        return IsCsv(path) ? WriteLines(cli.Op(), s.historyFiles.CsvLines(), path)
                           : WriteWorkbook(cli.Op(), s.historyFiles.HistoryWorkbook(), path);
    }
    if (command == QLatin1String("history delete")) return cli.Exchange([&] { s.historyInf.btn23Click(); });
    if (command == QLatin1String("backup"))
        return cli.Exchange([&] { s.backup.Backup(p.value(output), p.value(port)); });
    if (command == QLatin1String("restore")) {
        TModuleBackup::TRestoreOptions o;
        o.withPassword = p.isSet(withPassword);
        o.dryRun = p.isSet(dryRun);
        const int rc = cli.Exchange([&] { s.backup.Restore(restoreImage, o); });
        if (rc == kExitOk && o.dryRun) out << QString(s.backup.Summary).replace(u'\r', u'\n') << "\n" << Qt::flush;
        return rc;
    }
    if (command == QLatin1String("time sync")) return cli.Exchange([&] { s.timeSync.Send(); });
    if (command == QLatin1String("check-mode")) return cli.Exchange([&] { s.checkingMode.Send(); });
    return kExitUsage;
}

} // namespace portiqa
