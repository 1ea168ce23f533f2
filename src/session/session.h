#pragma once
#include "base/operator.h"
#include "base/outcome.h"
#include "base/status_report.h"
#include "base/timer.h"
#include "backup/module_backup.h"
#include "history/history_files.h"
#include "history/history_inf.h"
#include "history/history_table.h"
#include "session/password_verify.h"
#include "link/rec_data.h"
#include "link/receiver.h"
#include "link/request.h"
#include "numbers/number_files.h"
#include "numbers/number_table.h"
#include "numbers/telephone_send.h"
#include "settings/basic_inf.h"
#include "settings/settings_profile.h"
#include "settings/settings_table.h"

namespace portiqa {

// Owns every long-lived object of a run, created once in start-up order and
// handed out by reference: the window and the command line are front ends
// over one of these.
class TSession {
public:
    TSession(ISerialPort& port, IStatusDisplay& display, IOperator& op, ITimer& tmr1, ITimer& tmr2,
             const QString& configFolder = QString());

    // The port's receive event.
    void cm1ReceiveData(const uint8_t* buffer, int length) { receiver.cm1ReceiveData(buffer, length); }

    // The end of every operation, one report each: the one place a front end
    // learns how what it started ended. The blocks' own end hooks feed it.
    std::function<void(const TOutcome&)> OnFinished;

    IOperator& op;
    Tstatusbar_ctrl status;
    Tprogressbar_ctrl progress;
    TRequestSequence seq;
    TPageTransfer pageTransfer;  // the one page chain: settings, numbers, history, backup, restore
    TRecData recData;
    TRecValidCom recValidCom;
    TSettingsTable settingsTable;
    TNumberTable numberTable;
    THistoryTable historyTable;
    TtelephoneSend telephoneSend;
    Tsingalcmd checkingMode;
    Tsingalcmd historyDelete;
    Tsynchronizationtime_sc timeSync;
    THistoryInf historyInf;
    TBasicInf basicInf;
    Tpasswordverify password;
    TReceiver receiver;
    QString configFolder;
    Tcustomstringgrid_basis profile;
    TNumberFiles numberFiles;
    Tcustomstringgrid_his historyFiles;
    TModuleBackup backup;

private:
    TOperation Running() const;
    void Finish(TOperation operation, TOutcome::TKind kind);
};

} // namespace portiqa
