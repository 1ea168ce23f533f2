#pragma once
#include "provision/provision_run.h"
#include "cli/provision_board.h"
#include "cli/provision_labels.h"
#include "provision/unit_ledger.h"
#include <QStringList>
#include <QTextStream>
#include <QJsonObject>
#include <memory>

namespace portiqa {

// The production run on the command line: its events as lines on standard
// error (or a board of one line per port, rewritten in place) and, with
// --json, objects on standard output; labels; Ctrl-C and a closed terminal
// stop it; the exit status.
class TProvisioner {
public:
    struct TOptions : TProvisionRun::TOptions {
        bool json = false;
        bool board = false;    // standard error is a terminal: a line per port, rewritten in place
        TLabelWriter* labels = nullptr;  // a label for every module programmed
    };
    TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options, QTextStream& out,
                 QTextStream& err);
    ~TProvisioner();
    // Runs until the run ends. The exit status.
    int Run();

private:
    // One event: a line for the operator on standard error and, with --json,
    // an object with fixed, untranslated fields on standard output.
    void Event(const QString& port, const QString& kind, const QString& text, QJsonObject fields = {});
    TOptions o_;
    TUnitLedger& ledger_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<TStatusBoard> board_;
    TProvisionRun run_;
    bool labelsFailed_ = false;  // a module programmed whose label was not written
};

// portiqa-cli provision: options checked, template and units loaded.
int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal = false);

} // namespace portiqa
