// portiqa-sim: a simulated GSM module on a pseudo-terminal.
#include "sim/simulator.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>

using namespace portiqa::sim;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("portiqa-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PORTIQA_VERSION));
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "A simulated GSM relay module on a pseudo-terminal. Open the printed path (or --link) like a serial port."));
    p.addHelpOption();
    p.addVersionOption();
    const QCommandLineOption link("link", "Create a symbolic link PATH to the terminal.", "PATH");
    const QCommandLineOption memory("memory", "Keep the module's memory in FILE; every save is written through.", "FILE");
    const QCommandLineOption numbers("seed-numbers", "Fill N authorised numbers.", "N", "0");
    const QCommandLineOption history("seed-history", "Fill N history records.", "N", "0");
    const QCommandLineOption password("password", "The module's password.", "PIN");
    const QCommandLineOption latency("latency", "Wait MS before every reply.", "MS", "0");
    const QCommandLineOption baud("baud", "Pace replies as a line at N baud.", "N", "0");
    const QCommandLineOption silent("silent-after", "Stop answering after N requests.", "N", "-1");
    const QCommandLineOption drop("drop-every", "Leave every N-th request unanswered.", "N", "0");
    const QCommandLineOption corrupt("corrupt-every", "Change one byte of every N-th reply.", "N", "0");
    const QCommandLineOption refuse("refuse-saves", "Answer every save with status 0.");
    const QCommandLineOption noise("noise", "Send stray bytes between replies.");
    p.addOptions({link, memory, numbers, history, password, latency, baud, silent, drop, corrupt, refuse, noise});
    p.process(app);

    TSimOptions o;
    o.linkPath = p.value(link);
    o.memoryFile = p.value(memory);
    o.seedNumbers = p.value(numbers).toInt();
    o.seedHistory = p.value(history).toInt();
    o.password = p.value(password);
    o.faults.latencyMs = p.value(latency).toInt();
    o.faults.baud = p.value(baud).toInt();
    o.faults.silentAfter = p.value(silent).toInt();
    o.faults.dropEvery = p.value(drop).toInt();
    o.faults.corruptEvery = p.value(corrupt).toInt();
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
