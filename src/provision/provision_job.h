#pragma once
#include "provision/provision_plan.h"
#include "session/runtime.h"
#include "settings/settings_block.h"
#include <functional>
#include <memory>

namespace portiqa {

// One module on one port: open, log in, settings, numbers, verified.
class TProvisionJob {
public:
    struct TResult {
        bool ok = false;
        bool loginRefused = false;
        QString reason;
        int pages = 0;
        // It failed while the unit's PIN was being written: the module may
        // hold it, so the unit is not given to another module.
        bool unitInDoubt = false;
        // The module held a unit's password already: recognised (and, with
        // reflash, programmed again with that unit), not given a new one.
        bool recognised = false;
        // The same, for machines and the report's code column, untranslated:
        // ok, set_up_already, wrong_password, no_answer, refused, declined,
        // rules, record, no_unit, port, link_lost, failed.
        QString code;
    };
    // Which unit a module that refused the factory password holds, from the
    // password and SIM number its first page carries; null when none.
    using TRecognise = std::function<const TUnit*(const QString& pin, const QString& sim)>;
    // progress: each step as it starts, its untranslated name (login,
    // read_settings, write_numbers, write_settings, write_pin, reflash) and
    // the operator's words for it.
    // record (optional): every write is journalled there for the module, as
    // the window's and the command line's are.
    TProvisionJob(const QString& port, const TProvisionPlan& plan, const QString& pin, bool force,
                  std::function<void(const QString& step, const QString& words)> progress, TRecord* record = nullptr);
    ~TProvisionJob();
    // Starts; done runs once, on the main thread, with the result. takeUnit
    // gives the logged-in module its unit, or null with why not (empty:
    // none is left).
    // recognise (optional): a module already set up is told by it; with
    // reflash such a module is programmed again with its own unit.
    void Start(std::function<TUnit*(QString& whyNot)> takeUnit, std::function<void(const TResult&)> done,
               TRecognise recognise = {}, bool reflash = false);
    QString Port() const { return port_; }
    // How far the running step is, in percent, as the window's bar shows it.
    std::function<void(int percent)> OnPercent;
    const TUnit* Unit() const { return unit_; }
    // Of the first settings page the login read (SHA-256, 16 hex digits):
    // which module took a unit, beside its port and bridge.
    QString Fingerprint() const;

private:
    class TOperator;
    enum class TStep { Login, ReadSettings, SaveNumbers, SaveSettings, SavePin, Done };
    // nothingSent: the failing step was refused before its first frame
    // (declined, against the rules, no journal entry).
    void Fail(const QString& reason, const QString& code, bool loginRefused = false, bool nothingSent = false);
    // The login was refused: a module set up with one of the units, or not ours.
    void Refused();
    void Next();
    QString port_;
    const TProvisionPlan& plan_;
    QString pin_;        // the factory password to log in with
    QString modulePin_;  // the password the module had
    QString unitPin_;    // the password it gets, written last
    std::function<void(const QString&, const QString&)> progress_;
    std::unique_ptr<TOperator> op_;
    std::unique_ptr<IStatusDisplay> display_;
    std::unique_ptr<TRuntime> runtime_;
    TSession* session_ = nullptr;  // the runtime's
    std::function<TUnit*(QString&)> takeUnit_;
    std::function<void(const TResult&)> done_;
    const TUnit* unit_ = nullptr;
    TRecognise recognise_;
    bool reflash_ = false;
    bool reflashing_ = false;  // logged in again with the unit's own password
    TStep step_ = TStep::Login;
    int pages_ = 0;
    bool finished_ = false;
};

} // namespace portiqa
