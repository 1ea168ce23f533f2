// portiqa-cli: every module operation and file exchange from the command line.
#include "base/language.h"
#include "cli/cli_app.h"
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList args = app.arguments();
    // The language comes first: every message and the help use it.
    const QString lang = portiqa::TakeLanguageOption(args);
    if (!portiqa::UseLanguage(lang)) {
        err << "portiqa-cli: --lang takes ru or en, not '" << lang << "'\n" << Qt::flush;
        return portiqa::kExitUsage;
    }
    return portiqa::RunCli(args.mid(1), out, err, ::isatty(STDERR_FILENO) != 0);
}
