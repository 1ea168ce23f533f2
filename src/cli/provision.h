#pragma once
#include "base/qt_timer.h"
#include "cli/cli_app.h"
#include "link/comm.h"
#include "session/connection.h"
#include "session/session.h"
#include <QFile>
#include <QLockFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <deque>
#include <list>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace portiqa {

// One module's own values: the unit's name and the settings rows (1-16)
// that override the template for it.
struct TUnit {
    QString name;
    QList<QPair<int, QString>> rows;
};

// What every module gets, and the units, checked whole before the first
// module is touched.
struct TProvisionPlan {
    static constexpr int kPinRow = 1, kSimRow = 2;  // the settings rows of the password and the SIM number
    // Settings rows 1-16 of the template, as the table holds them (a
    // drop-down row as its item number, or "#N" for a byte no item names).
    std::map<int, QString> settings;
    bool hasNumbers = false;
    QString numbersSource;  // the file the numbers come from
    TStringGrid numbers{TNumberTable::kCols, TNumberTable::kRecords + 1};
    std::deque<TUnit> units;  // in file order; empty: every module gets the template
    bool withUnits = false;

    // The template: a backup file (its settings and numbers), or a settings
    // profile (.xlsx/.xls) with an optional number list. False with the message.
    bool LoadTemplate(const QString& templatePath, const QString& numbersPath, QString& error);
    // The units: a CSV (UTF-8 or Windows-1251, "," or ";") with a header row;
    // the column "unit" names the unit, the others are settings row numbers.
    bool LoadUnits(const QString& path, QString& error);
    // Puts the template and a unit's rows into a session's settings table.
    void ApplySettings(TSettingsTable& table, const TUnit* unit) const;
};

// A line of the report: appended and pushed to the disk before the next.
class TProvisionReport {
public:
    bool Open(const QString& path, QString& error);
    // Units reported ok by an earlier run with this report.
    QSet<QString> DoneUnits() const { return done_; }
    // False when the line could not be written and pushed to the disk.
    bool Append(const QString& port, const QString& serial, const QString& unit, bool ok, const QString& reason,
                int pages, double seconds);
    QString LastLine() const { return lastLine_; }
    QString Error() const { return file_.errorString(); }

private:
    bool WriteSynced(const QByteArray& bytes);
    std::unique_ptr<QLockFile> lock_;
    QFile file_;
    QSet<QString> done_;
    QString lastLine_;
};

// One module on one port: open, log in, settings, numbers, verified.
class TProvisionJob {
public:
    struct TResult {
        bool ok = false;
        bool loginRefused = false;
        QString reason;
        int pages = 0;
    };
    TProvisionJob(const QString& port, const TProvisionPlan& plan, const QString& pin, bool force,
                  std::function<void(const QString& event)> progress);
    ~TProvisionJob();
    // Starts; done runs once, on the main thread, with the result.
    void Start(std::function<TUnit*()> takeUnit, std::function<void(const TResult&)> done);
    QString Port() const { return port_; }
    const TUnit* Unit() const { return unit_; }

private:
    class TOperator;
    enum class TStep { Login, ReadSettings, SaveNumbers, SaveSettings, SavePin, Done };
    static constexpr int kPinRow = 1;  // the settings row of the module's password
    void Fail(const QString& reason, bool loginRefused = false);
    void Next();
    QString port_;
    const TProvisionPlan& plan_;
    QString pin_;        // the factory password to log in with
    QString modulePin_;  // the password the module had
    QString unitPin_;    // the password it gets, written last
    std::function<void(const QString&)> progress_;
    std::unique_ptr<TOperator> op_;
    std::unique_ptr<IStatusDisplay> display_;
    TComm comm_;
    TQtTimer tmr1_{kReplyTimeoutMs, false};
    TQtTimer tmr2_{kStatusClearMs, true};
    std::unique_ptr<TSession> session_;
    std::unique_ptr<TConnection> connection_;
    std::function<TUnit*()> takeUnit_;
    std::function<void(const TResult&)> done_;
    TUnit* unit_ = nullptr;
    TStep step_ = TStep::Login;
    int pages_ = 0;
    bool finished_ = false;
};

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
    };
    TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TOptions options, QTextStream& out, QTextStream& err);
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
    void Event(const QString& port, const QString& kind, const QString& text);
    TUnit* TakeUnit();
    void MaybeEnd();

    TProvisionPlan& plan_;
    TProvisionReport& report_;
    TOptions o_;
    QTextStream& out_;
    QTextStream& err_;
    QTimer scan_;
    std::set<QString> present_;  // ports seen at the last scan
    std::map<QString, std::unique_ptr<TProvisionJob>> jobs_;
    std::map<QString, qint64> startedMs_;
    std::list<TUnit> taken_;     // units in the hands of a running job
    int ok_ = 0, failed_ = 0;
    bool ending_ = false;
    bool stopSeen_ = false;
    bool reportFailed_ = false;
    int exit_ = -1;
};

// portiqa-cli provision: options checked, template and units loaded.
int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace portiqa
