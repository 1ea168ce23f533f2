#pragma once
#include "provision/provision_job.h"
#include "provision/provision_plan.h"
#include "cli/provision_board.h"
#include "cli/provision_labels.h"
#include "provision/unit_ledger.h"
#include <QStringList>
#include <QTextStream>
#include <QJsonObject>
#include <QTimer>
#include <list>
#include <map>
#include <memory>
#include <set>

namespace portiqa {

// Watches the ports, gives every module that appears a job of its own (all
// at once), hands out the units in order and writes the report.
class TProvisioner {
public:
    struct TOptions {
        QStringList watch;  // globs; /dev/ttyUSB* and /dev/ttyACM* when empty
        int count = -1;     // end after this many modules ended verified
        QString pin = QStringLiteral("5807");
        bool force = false;
        bool json = false;
        bool reflash = false;  // a module holding a unit's password is programmed again with it
        bool board = false;    // standard error is a terminal: a line per port, rewritten in place
        TLabelWriter* labels = nullptr;  // a label for every module programmed
    };
    TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options, QTextStream& out,
                 QTextStream& err);
    // Runs until --count modules are done, or a stop was asked and the
    // modules in progress have finished. The exit status.
    int Run();
    // A stop asked (SIGINT, SIGTERM): no new module is started.
    static void RequestStop();

private:
    void Scan();
    void Started(const QString& port);
    void Finished(const QString& port, const TProvisionJob::TResult& result, double seconds);
    QStringList Ports() const;
    // One event: a line for the operator on standard error and, with --json,
    // an object with fixed, untranslated fields on standard output.
    void Event(const QString& port, const QString& kind, const QString& text, QJsonObject fields = {});
    void Summary();
    void ShowTotals();
    TUnit* TakeUnit(const QString& port, QString& whyNot);
    const TUnit* Recognise(const QString& pin, const QString& sim) const;
    void MaybeEnd();

    TProvisionPlan& plan_;
    TProvisionReport& report_;
    TUnitLedger& ledger_;
    TOptions o_;
    QTextStream& out_;
    QTextStream& err_;
    QTimer scan_;
    QTimer renew_;  // this run's hold on its units, for the other stations
    std::unique_ptr<TStatusBoard> board_;
    // The modules that failed, for what to do with each at the end.
    struct TFailure {
        QString port, unit, code, reason;
        bool doubt = false;
    };
    std::vector<TFailure> failures_;
    int scans_ = 0;
    bool pruneNow_ = false;  // a module ended: ask the record which units are done
    std::set<QString> present_;  // ports seen at the last scan
    std::map<QString, std::unique_ptr<TProvisionJob>> jobs_;
    std::map<QString, qint64> startedMs_;
    std::list<TUnit> taken_;     // units in the hands of a running job
    std::deque<TUnit> allUnits_; // every unit of the table, for telling a module set up already
    int ok_ = 0, failed_ = 0;
    bool ending_ = false;
    bool stopSeen_ = false;
    bool reportFailed_ = false;
    int exit_ = -1;
};

// portiqa-cli provision: options checked, template and units loaded.
int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err, bool errIsTerminal = false);

} // namespace portiqa
