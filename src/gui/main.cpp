// portiqa: the configurator's window.
#include "gui/main_window.h"
#include "base/language.h"
#include "base/texts.h"
#include "sim/simulator.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

using portiqa::TText;

struct TOptions {
    QCommandLineOption demo{"demo", TText::tr("List a built-in simulated module (\"Simulated\") first in the port list.")};
    QCommandLineOption shot{"screenshot",
                            TText::tr("With --demo: connect (to --port's port, else the simulated module), log in, read "
                                      "settings, numbers and history, save a picture of the window to FILE and quit."),
                            "FILE"};
    QCommandLineOption tab{"tab", TText::tr("Open on tab N (0 settings, 1 numbers, 2 history; with --screenshot, 3 the module journal)."), "N", "0"};
    QCommandLineOption record{"record", TText::tr("Keep the module record at URL: a file, or postgresql://user@host/db (default: PORTIQA_RECORD, else the one set in the window, else a file in the user's data folder)."), "URL"};
    QCommandLineOption port{"port", TText::tr("Choose PORT in the port box: a serial port, or a device server's address (rfc2217://HOST:PORT, socket://HOST:PORT)."), "PORT"};
    QCommandLineOption noRecord{"no-record", TText::tr("Keep no module record.")};
    QCommandLineOption readOnly{"read-only", TText::tr("A read-only visit (also PORTIQA_READ_ONLY=1): read and compare, never write to the module.")};
    QCommandLineOption lang{"lang", TText::tr("The window's language, ru or en (default: the one chosen in the window, else the system's)."),
                            "LANG"};
};

// --lang, else the operator's choice in the window, else the system's language.
bool ChooseLanguage(QStringList& args) {
    QString lang = portiqa::TakeLanguageOption(args);
    if (lang.isEmpty())
        lang = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(portiqa::kLanguageKey).toString();
    if (portiqa::UseLanguage(lang)) return true;
    std::fprintf(stderr, "portiqa: --lang takes %s, not '%s'\n", qPrintable(portiqa::LanguageChoices()), qPrintable(lang));
    return false;
}

void Define(QCommandLineParser& p, const TOptions& o) {
    p.setApplicationDescription(TText::tr(
        "Portiqa Configurator: set up a GSM relay module over its serial port: log in with its password, "
        "read, edit and save its basic settings and its list of up to 3000 authorised numbers, download "
        "its event history, and exchange all three with spreadsheet and comma-separated files.\n"
        "The user needs access to the serial port: on Debian, membership of the dialout group."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({o.demo, o.shot, o.tab, o.port, o.lang, o.record, o.noRecord, o.readOnly});
}

// A scripted run: log in to the module, read all three tables, show the
// tab (3: the module journal over the window), save a picture of it, quit.
void ScriptPicture(QApplication& app, portiqa::TMainWindow& window, int tab, const QString& file) {
    auto quietLine = [&window] { return !window.Session().Busy(); };
    auto* poll = new QTimer(&window);
    int step = 0;
    QObject::connect(poll, &QTimer::timeout, [&, poll]() mutable {
        if (!quietLine()) return;
        switch (step++) {
        case 0: window.OpenPortClick(); window.LoginClick(); break;
        case 1: window.Session().ReadSettings(); break;
        case 2: window.Session().DownloadNumbers(); break;
        case 3: window.Session().DownloadHistory(); break;
        case 4:
            // Tab 3: the module journal of the module just read, over the window.
            if (tab == 3) {
                QTimer::singleShot(500, &window, [&] {
                    QWidget* journal = QApplication::activeModalWidget();
                    (journal ? journal : static_cast<QWidget*>(&window))->grab().save(file);
                    if (journal) journal->close();
                    app.quit();
                });
                poll->stop();
                window.JournalClick();
                return;
            }
            window.ShowTab(tab);
            break;
        default:
            poll->stop();
            window.grab().save(file);
            app.quit();
        }
    });
    poll->start(200);
}

// --help and --version need no display: printed, and the exit code; nothing for any other run.
std::optional<int> HelpWithoutDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version") {
            QCoreApplication app(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("portiqa"));
            QCoreApplication::setApplicationVersion(QStringLiteral(PORTIQA_VERSION));
            QStringList args = app.arguments();
            if (!ChooseLanguage(args)) return 2;
            QCommandLineParser p;
            TOptions o;
            Define(p, o);
            p.process(args);  // prints and exits
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const auto printed = HelpWithoutDisplay(argc, argv)) return *printed;
#ifdef _WIN32
    const bool headless = false;  // Windows always has its desktop
#else
    const bool headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM");
#endif
    if (headless) {
        std::fprintf(stderr, "portiqa: no display found (DISPLAY is not set); run it on a desktop, or under "
                             "xvfb-run, or use portiqa-cli for the command line\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("portiqa"));
    QApplication::setApplicationVersion(QStringLiteral(PORTIQA_VERSION));
    QStringList args = app.arguments();
    if (!ChooseLanguage(args)) return 2;
    if (portiqa::CurrentLanguage() == QLatin1String("ru") && !portiqa::QtOwnTextsInstalled())
        std::fprintf(stderr, "portiqa: Qt's Russian translations are missing (package qt6-translations-l10n); "
                             "its own dialogs will speak English\n");
    QCommandLineParser p;
    TOptions options;
    Define(p, options);
    p.process(args);
    const QCommandLineOption &demo = options.demo, &shot = options.shot, &tab = options.tab;

    QList<portiqa::TPortChoice> extra;
    std::unique_ptr<portiqa::sim::TModuleSimulator> module;
    if (p.isSet(demo)) {
        portiqa::sim::TSimOptions o;
        o.seedNumbers = 120;
        o.seedHistory = 300;
        o.faults.baud = 115200;  // as fast as the real line, no faster
        module = std::make_unique<portiqa::sim::TModuleSimulator>(o);
        QString error;
        if (module->Start(&error)) extra.append({TText::tr("Simulated"), module->Path()});
        else std::fprintf(stderr, "portiqa: the simulated module did not start: %s\n", qPrintable(error));
    }
    // A scripted run answers the window's questions itself.
    struct TQuietOperator : portiqa::IOperator {
        void ShowMessage(const QString& t) override { std::fprintf(stderr, "%s\n", qPrintable(t)); }
        bool AskAccept(const QString&) override { return true; }
        bool WarnOkCancel(const QString&) override { return false; }
        void ReportError(const QString& t) override { std::fprintf(stderr, "error: %s\n", qPrintable(t)); }
        QString ChooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
        QString ChooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    } quiet;
    const bool scripted = p.isSet(shot);
    portiqa::TMainWindow window(extra, scripted ? &quiet : nullptr);
    if (p.isSet(options.noRecord)) window.OpenRecord(QString(), true);
    else if (p.isSet(options.record)) window.OpenRecord(p.value(options.record), false);
    if (p.isSet(options.readOnly) || qEnvironmentVariable("PORTIQA_READ_ONLY") == QLatin1String("1")) window.SetReadOnly(true);
    else if (!scripted && QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(portiqa::kReadOnlyKey).toBool())
        window.SetReadOnly(true, true);  // chosen in the menu last time
    window.ShowTab(p.value(tab).toInt());
    if (p.isSet(options.port)) window.ChoosePort(p.value(options.port));
    // The size and place the operator left it in, else fitted to this screen.
    QSettings remembered(QStringLiteral("Portiqa"), QStringLiteral("Configurator"));
    if (scripted || !window.restoreGeometry(remembered.value(QStringLiteral("window/geometry")).toByteArray()))
        window.FitScreen();
    QObject::connect(&app, &QApplication::aboutToQuit, [&] {
        if (!scripted) remembered.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
    });
    window.show();
    if (scripted) ScriptPicture(app, window, p.value(tab).toInt(), p.value(shot));
    const int rc = app.exec();
    window.Runtime().Close();
    return rc;
}
