// portiqa-cli: every module operation and file exchange from the command line.
#include "cli/cli_app.h"
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    return portiqa::RunCli(app.arguments().mid(1), out, err, ::isatty(STDERR_FILENO) != 0);
}
