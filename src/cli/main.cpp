// portiqa-cli: every module operation and file exchange from the command line.
#include "base/language.h"
#include "cli/cli_app.h"
#include <QCoreApplication>
#if defined(PORTIQA_LABELS) || defined(PORTIQA_REPORTS)
#include <QGuiApplication>
#endif
#include <memory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    // Labels and reports are drawn with fonts, which need Qt's GUI side (without a screen).
    bool drawn = false;
    for (int i = 1; i < argc; ++i) drawn = drawn || QByteArray(argv[i]).startsWith("--labels") || QByteArray(argv[i]) == "report";
    std::unique_ptr<QCoreApplication> app;
#if defined(PORTIQA_LABELS) || defined(PORTIQA_REPORTS)
    if (drawn) {
#ifndef _WIN32
        // No screen needed; Windows always has its desktop (and its Qt carries that platform alone).
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app) app = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList args = app->arguments();
    // The language comes first: every message and the help use it.
    const QString lang = portiqa::TakeLanguageOption(args);
    if (!portiqa::UseLanguage(lang)) {
        err << "portiqa-cli: --lang takes " << portiqa::LanguageChoices() << ", not '" << lang << "'\n" << Qt::flush;
        return portiqa::kExitUsage;
    }
    return portiqa::RunCli(args.mid(1), out, err, ::isatty(STDERR_FILENO) != 0);
}
