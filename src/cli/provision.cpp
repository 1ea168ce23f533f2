#include "cli/provision.h"
#include "base/texts.h"
#include "cli/cli_app.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <csignal>

namespace portiqa {

namespace {

// The run a signal stops (one at a time).
std::atomic<TProvisionRun*> gRun{nullptr};

extern "C" void StopProvisioning(int) {
    if (TProvisionRun* run = gRun.load()) run->RequestStop();
}

} // namespace

TProvisioner::TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TUnitLedger& ledger, TOptions options,
                           QTextStream& out, QTextStream& err)
    : o_(std::move(options)), ledger_(ledger), out_(out), err_(err), run_(plan, report, ledger, o_) {
    run_.OnEvent = [this](const QString& port, const QString& kind, const QString& text, const QJsonObject& fields) {
        Event(port, kind, text, fields);
    };
    run_.OnPercent = [this](const QString& port, int percent) {
        if (board_) board_->Percent(port, percent);
    };
    run_.OnTotals = [this](const TProvisionRun::TTotals& t) {
        if (board_) board_->Totals(t.ok, t.failed, t.running, t.unitsLeft);
    };
    run_.OnScan = [this](int scans) {
        if (board_ && scans % 4 == 0) board_->Tick();  // the seconds, once a second
    };
    if (o_.labels)
        run_.OnProgrammed = [this](const QString& port, const QString& unit, const QString& sim, const QString& pin) {
            QString error;
            if (!o_.labels->Add({unit, sim, pin, ledger_.Batch(), QDateTime::currentDateTime()}, error)) {
                labelsFailed_ = true;
                Event(port, QStringLiteral("labels"), error);
            }
        };
    gRun.store(&run_);
}

TProvisioner::~TProvisioner() { gRun.store(nullptr); }

void TProvisioner::Event(const QString& port, const QString& kind, const QString& text, QJsonObject fields) {
    if (o_.json) {
        const QDateTime now = QDateTime::currentDateTime();
        fields.insert("time", now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs));
        fields.insert("event", kind);
        fields.insert("port", port);
        fields.insert("message", text);  // in the operator's language; every other field is fixed
        out_ << QJsonDocument(fields).toJson(QJsonDocument::Compact) << "\n";
        out_.flush();
    }
    if (kind == QLatin1String("report")) {  // said whatever else is shown
        err_ << text << "\n";
        err_.flush();
        return;
    }
    if (board_) {
        if (kind == QLatin1String("seen")) board_->Seen(port);
        else if (kind == QLatin1String("unit")) board_->Unit(port, fields.value("unit").toString());
        else if (kind == QLatin1String("progress")) board_->Step(port, text);
        else if (kind == QLatin1String("result")) board_->Finished(port, fields.value("result").toString() != QLatin1String("failed"), text);
        else board_->Note(port == QLatin1String("-") ? text : port + QStringLiteral(": ") + text);
        return;
    }
    err_ << port << ": " << text << "\n";
    err_.flush();
}

int TProvisioner::Run() {
    // A closed terminal (SIGHUP) ends the run as Ctrl-C does: the modules in
    // progress are finished and reported.
#ifdef SIGHUP
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, StopProvisioning);
#else
    for (int sig : {SIGINT, SIGTERM}) std::signal(sig, StopProvisioning);
#endif
    if (o_.board) board_ = std::make_unique<TStatusBoard>(err_, true, 2);
    int exit = -1;
    run_.OnEnded = [this, &exit] {
        // A label not written is a file that failed, as a report line not written is.
        exit = run_.ReportFailed() || labelsFailed_ ? kExitFile : run_.Failed() > 0 ? kExitFailed : kExitOk;
        QCoreApplication::exit(exit);
    };
    run_.Start();
    const int rc = QCoreApplication::exec();
    return exit >= 0 ? exit : rc;
}

} // namespace portiqa
