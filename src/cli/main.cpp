// portiqa-cli: every module operation and file exchange from the command line.
#include "base/language.h"
#include "cli/cli_app.h"
#include <QCoreApplication>
#ifdef PORTIQA_LABELS
#include <QGuiApplication>
#endif
#include <memory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    // Labels are drawn with fonts, which need Qt's GUI side (without a screen).
    bool labels = false;
    for (int i = 1; i < argc; ++i) labels = labels || QByteArray(argv[i]).startsWith("--labels");
    std::unique_ptr<QCoreApplication> app;
#ifdef PORTIQA_LABELS
    if (labels) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
