#pragma once
#include <QStringList>
#include <QTextStream>

namespace portiqa {

// Exit statuses of portiqa-cli.
enum TExitCode {
    kExitOk = 0,
    kExitFailed = 1,       // the module refused, or an operation failed
    kExitUsage = 2,
    kExitNoAnswer = 3,     // "GSM модуль не отвечает"
    kExitWrongPassword = 4,
    kExitPort = 5,
    kExitFile = 6,
    kExitBehind = 7,       // site status: a module does not hold its site's list
};

// Runs one command line (arguments without the program name); data goes to
// out, messages and progress to err.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal);

} // namespace portiqa
