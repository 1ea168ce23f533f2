#pragma once
#include "provision/provision_job.h"
#include "provision/provision_plan.h"
#include "provision/unit_ledger.h"
#include <QJsonObject>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <set>

namespace portiqa {

// A production run: watches the ports, gives every module that appears a
// job of its own (all at once), hands out the units in order, keeps the
// report and the units' states, and ends when enough modules are done, the
// units are used up, or a stop was asked and the modules in progress have
// finished. What happens is told as events; the front end words and shows them.
class TProvisionRun {
public:
    struct TOptions {
        QStringList watch;  // globs; /dev/ttyUSB* and /dev/ttyACM* (COM* on Windows) when empty
        int count = -1;     // end after this many modules ended verified
        QString pin = QStringLiteral("5807");
        bool force = false;
        bool reflash = false;  // a module holding a unit's password is programmed again with it
    };
    struct TTotals {
        int ok = 0, failed = 0, running = 0;
        int unitsLeft = -1;  // -1: a run without units
    };
    TProvisionRun(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options);

    // One event: the port ("-" for the run), its kind (fixed words: seen,
    // unit, progress, result, stop, skipped, record, doubt, summary, todo,
    // unfinished, report), the operator's words and fixed, untranslated fields.
    std::function<void(const QString& port, const QString& kind, const QString& text, const QJsonObject& fields)> OnEvent;
    std::function<void(const QString& port, int percent)> OnPercent;
    std::function<void(const TTotals&)> OnTotals;
    // Every look at the ports (four a second), counted.
    std::function<void(int scans)> OnScan;
    // A module ended verified with a unit: the SIM number and password it got.
    std::function<void(const QString& port, const QString& unit, const QString& sim, const QString& pin)> OnProgrammed;
    // Once, when the run has ended.
    std::function<void()> OnEnded;

    // Reports what earlier runs left unfinished and starts watching.
    void Start();
    // No new module is started; safe from a signal handler.
    void RequestStop() { stop_.store(true); }
    int Ok() const { return ok_; }
    int Failed() const { return failed_; }
    // The report could not be written: the run stopped.
    bool ReportFailed() const { return reportFailed_; }

private:
    void Scan();
    void Started(const QString& port);
    void Finished(const QString& port, const TProvisionJob::TResult& result, double seconds);
    QStringList Ports() const;
    void Event(const QString& port, const QString& kind, const QString& text, const QJsonObject& fields = {});
    void Summary();
    void ShowTotals();
    TUnit* TakeUnit(const QString& port, QString& whyNot);
    const TUnit* Recognise(const QString& pin, const QString& sim) const;
    void MaybeEnd();

    TProvisionPlan& plan_;
    TProvisionReport& report_;
    TUnitLedger& ledger_;
    TOptions o_;
    QTimer scan_;
    QTimer renew_;  // this run's hold on its units, for the other stations
    std::atomic<bool> stop_{false};
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
    bool ended_ = false;
};

} // namespace portiqa
