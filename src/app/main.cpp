// portiqa: the configurator's window.
#include "app/main_window.h"
#include "sim/simulator.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    const bool headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM");
    if (headless) {
        std::fprintf(stderr, "portiqa: no display found (DISPLAY is not set); run it on a desktop, or under "
                             "xvfb-run, or use portiqa-cli for the command line\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("portiqa"));
    if (!portiqa::InstallQtRussian())
        std::fprintf(stderr, "portiqa: Qt's Russian translations are missing (package qt6-translations-l10n); "
                             "its own dialogs will speak English\n");
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Portiqa Configurator: set up a GSM relay module."));
    p.addHelpOption();
    const QCommandLineOption demo("demo", "List a built-in simulated module first in the port list.");
    p.addOption(demo);
    const QCommandLineOption shot("screenshot",
        "With --demo: connect, log in and read the settings, save a picture of the window to FILE and quit.", "FILE");
    p.addOption(shot);
    const QCommandLineOption tab("tab", "Open on tab N (0 settings, 1 numbers, 2 history).", "N", "0");
    p.addOption(tab);
    p.process(app);

    QList<portiqa::TPortChoice> extra;
    std::unique_ptr<portiqa::sim::TModuleSimulator> module;
    if (p.isSet(demo)) {
        portiqa::sim::TSimOptions o;
        o.seedNumbers = 120;
        o.seedHistory = 300;
        o.faults.baud = 115200;  // as fast as the real line, no faster
        module = std::make_unique<portiqa::sim::TModuleSimulator>(o);
        QString error;
        if (module->Start(&error)) extra.append({QStringLiteral("Simulated"), module->Path()});
        else std::fprintf(stderr, "portiqa: the simulated module did not start: %s\n", qPrintable(error));
    }
    // A scripted run answers the window's questions itself.
    struct TQuietOperator : portiqa::IOperator {
        void ShowMessage(const QString& t) override { std::fprintf(stderr, "%s\n", qPrintable(t)); }
        bool AskAccept(const QString&) override { return true; }
        bool WarnOkCancel(const QString&) override { return false; }
        void ReportError(const QString& t) override { std::fprintf(stderr, "error: %s\n", qPrintable(t)); }
        QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
        QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    } quiet;
    const bool scripted = p.isSet(shot);
    portiqa::TForm1 window(extra, scripted ? &quiet : nullptr);
    window.pgc->setCurrentIndex(p.value(tab).toInt());
    window.show();
    if (scripted) {
        const QString file = p.value(shot);
        auto quietLine = [&window] { return !window.Session().seq.Outstanding(); };
        auto* poll = new QTimer(&window);
        int step = 0;
        QObject::connect(poll, &QTimer::timeout, [&, poll]() mutable {
            if (!quietLine()) return;
            switch (step++) {
            case 0: window.btn8Click(); window.btn1Click(); break;
            case 1: window.Session().basicInf.btn21Click(); break;
            case 2: window.Session().telephoneSend.btn10Click(); break;
            case 3: window.Session().historyInf.btn19Click(); break;
            case 4: window.pgc->setCurrentIndex(p.value(tab).toInt()); break;
            default:
                poll->stop();
                window.grab().save(file);
                app.quit();
            }
        });
        poll->start(200);
    }
    const int rc = app.exec();
    window.Comm().CloseComm();
    return rc;
}
