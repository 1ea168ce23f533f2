// portiqa-sim: a simulated GSM module on a pseudo-terminal.
#include "base/language.h"
#include "base/texts.h"
#include "sim/simulator.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>

using namespace portiqa::sim;
using portiqa::TText;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("portiqa-sim"));
    QStringList args = app.arguments();
    const QString lang = portiqa::TakeLanguageOption(args);
    if (!portiqa::UseLanguage(lang)) {
        std::fprintf(stderr, "portiqa-sim: --lang takes %s, not '%s'\n", qPrintable(portiqa::LanguageChoices()), qPrintable(lang));
        return 2;
    }
    QCoreApplication::setApplicationVersion(QStringLiteral(PORTIQA_VERSION));
    QCommandLineParser p;
    p.setApplicationDescription(TText::tr(
        "A simulated GSM relay module on a pseudo-terminal. Open the printed path (or --link) like a serial port."));
    p.addHelpOption();
    p.addVersionOption();
    const QCommandLineOption link("link", TText::tr("Create a symbolic link PATH to the terminal."), "PATH");
    const QCommandLineOption memory("memory", TText::tr("Keep the module's memory in FILE; every save is written through."), "FILE");
    const QCommandLineOption numbers("seed-numbers", TText::tr("Fill N authorised numbers."), "N", "0");
    const QCommandLineOption history("seed-history", TText::tr("Fill N history records."), "N", "0");
    const QCommandLineOption password("password", TText::tr("The module's password."), "PIN");
    const QCommandLineOption latency("latency", TText::tr("Wait MS before every reply."), "MS", "0");
    const QCommandLineOption saveLatency("save-latency", TText::tr("Wait MS before the reply to every page save (instead of --latency)."), "MS", "0");
    const QCommandLineOption baud("baud", TText::tr("Pace replies as a line at N baud."), "N", "0");
    const QCommandLineOption silent("silent-after", TText::tr("Stop answering after N requests."), "N", "-1");
    const QCommandLineOption drop("drop-every", TText::tr("Leave every N-th request unanswered."), "N", "0");
    const QCommandLineOption corrupt("corrupt-every", TText::tr("Change one byte of every N-th reply."), "N", "0");
    const QCommandLineOption flip("flip-every", TText::tr("Flip the same bit of two bytes in every N-th page read (the checksum still holds)."), "N", "0");
    const QCommandLineOption refuse("refuse-saves", TText::tr("Answer every save with status 0."));
    const QCommandLineOption noise("noise", TText::tr("Send stray bytes between replies."));
    p.addOptions({link, memory, numbers, history, password, latency, saveLatency, baud, silent, drop, corrupt, flip, refuse, noise});
    const QCommandLineOption language("lang", TText::tr("The language of help and messages, ru or en."), "LANG");
    p.addOption(language);
    p.process(args);

    TSimOptions o;
    o.linkPath = p.value(link);
    o.memoryFile = p.value(memory);
    o.seedNumbers = p.value(numbers).toInt();
    o.seedHistory = p.value(history).toInt();
    o.password = p.value(password);
    o.faults.latencyMs = p.value(latency).toInt();
    o.faults.saveLatencyMs = p.value(saveLatency).toInt();
    o.faults.baud = p.value(baud).toInt();
    o.faults.silentAfter = p.value(silent).toInt();
    o.faults.dropEvery = p.value(drop).toInt();
    o.faults.corruptEvery = p.value(corrupt).toInt();
    o.faults.flipEvery = p.value(flip).toInt();
    o.faults.refuseSaves = p.isSet(refuse);
    o.faults.noise = p.isSet(noise);

    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);  // the serving thread inherits the mask

    TModuleSimulator sim(o);
    QString error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "portiqa-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(o.linkPath.isEmpty() ? sim.Path() : o.linkPath + " -> " + sim.Path()));
    std::fflush(stdout);
    int sig = 0;
    sigwait(&set, &sig);
    sim.Stop();
    return 0;
}
