#pragma once
#include "gui/gui_operator.h"
#include "session/runtime.h"
#include "base/status_display.h"
#include <QComboBox>
#include "session/module_steps.h"
#include "session/number_use.h"
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <chrono>
#include <memory>
#include <optional>

namespace portiqa {

class TSettingsView;
class TNumbersView;
class THistoryView;
class TMnemonics;

// Where the window's language choice is remembered (QSettings "Portiqa"/"Configurator").
inline const QString kLanguageKey = QStringLiteral("language");
inline const QString kReadOnlyKey = QStringLiteral("readOnly");
// The port last opened.
inline const QString kPortKey = QStringLiteral("port");
// Where the module record is (empty: the default file).
inline const QString kRecordKey = QStringLiteral("record");
// How long the window waits for the record before it goes on without its
// answer (PORTIQA_RECORD_PATIENCE, in milliseconds, overrides it; 0 waits
// as long as it takes).
inline constexpr std::chrono::milliseconds kRecordPatience{3000};
// How numbers are written where the modules are ("+7", "RU"; empty: the system's region).
inline const QString kCountryKey = QStringLiteral("numbers/country");

// A port the list offers: what the operator sees and what TComm opens.
struct TPortChoice {
    QString caption;
    QString commName;
};

// The port box lists the ports again each time it is opened.
class TPortBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> BeforePopup;
    void showPopup() override {
        if (BeforePopup) BeforePopup();
        QComboBox::showPopup();
    }
};

// The main window: top strip (port, connect, password, login), the three
// working tabs on the left, the status bar with the connection dot, the
// status text and the progress bar.
class TMainWindow : public QMainWindow, public IStatusDisplay {
    Q_OBJECT
public:
    // extraPorts come first in the port list (the built-in simulated module).
    // op replaces the window's own message boxes (tests, scripted runs).
    explicit TMainWindow(const QList<TPortChoice>& extraPorts = {}, IOperator* op = nullptr, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // IStatusDisplay
    void SetStatusText(const QString& text) override;
    void SetProgressPosition(int position) override;
    void SetProgressVisible(bool visible) override;

    // Shrinks the window to a screen smaller than its size and centres it.
    void FitScreen();
    void OpenPortClick();
    void LoginClick();
    void EnableControls() { SetControlsEnabled(true); }
    void DisableControls() { SetControlsEnabled(false); }
    QList<QWidget*> Controls() const { return controls_; }
    // A read-only visit: every write refused by the session, its buttons
    // disabled with the reason, the title says so.
    // chosen: by the operator in the menu (remembered, and undone there);
    // otherwise asked for at start-up (--read-only), for the whole visit.
    void SetReadOnly(bool readOnly, bool chosen = false);

    TSession& Session() { return *session_; }
    TRuntime& Runtime() { return *runtime_; }
    // The reply timer: a scripted run or a test may drive its expiry by hand.
    ITimer& ReplyTimer() { return runtime_->ReplyTimer(); }
    QString ConfigFolder() const { return configFolder_; }

    // Where the port list comes from (the system's serial ports by default).
    std::function<QStringList()> PortScanner;
    void ScanPorts();
    // Puts a port's name or a device server's address in the port box, as typed.
    void ChoosePort(const QString& port);
    // Shows a working tab (0 settings, 1 numbers, 2 history).
    void ShowTab(int index);
    void CancelClick();
    // The module record: location empty for the one the window remembers
    // (PORTIQA_RECORD first), none for no record at all.
    // Returns why the record could not be opened; empty when it was (or none was wanted).
    QString OpenRecord(const QString& location, bool none);
    void PreferLetters();
    // While the module is being read or written: whether what (the
    // operator's action) may cut it short; Cancel is the default.
    bool MayStopWork(const QString& what);
    TRecord* Record() const { return runtime_->Record(); }
    // Opens the record's journal of the logged-in module (of the newest one otherwise).
    void JournalClick();
    // The hand-over report of a site (the logged-in module's, or one named) as a PDF.
    void SiteReportClick();
    void BackupClick();
    void RestoreClick();
    bool PortShownOpen() const { return port_ == TPortState::Open; }
    // Unsaved edits of the settings or number table would be lost by what
    // comes next (action: "закрыть программу"): asks Save / Discard /
    // Cancel. go runs at once when nothing is edited or the edits are
    // dropped, after the saves when the operator chose to save, never on
    // Cancel; its argument says whether the operator was asked.
    // Dropped edits stay marked until what comes next replaces the table
    // (an import cancelled at its file dialog, a disconnect, replace nothing).
    void ProtectEdits(bool settings, bool numbers, const QString& action, const std::function<void(bool asked)>& go);
    // Times the port was shown opened or closed since the window opened.
    int ConnectCounter() const { return portChanges_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // How an operation ended: what the window shows of it, then the next step.
    void Finished(const TOutcome& outcome);
    void ShowEdited();
    void ShowTransferRunning();
    void Disconnect();
    void BuildLayout();
    void BuildTabs();
    void ListControls();
    void BuildTopStrip(QWidget* strip);
    void BuildCommandButtons(QWidget* strip);
    void ChooseLanguage(const QString& code);
    // The country numbers are read in: PORTIQA_COUNTRY, else the remembered
    // choice, else the system's region; the menu asks and remembers.
    void UseCountry();
    void ChooseCountry();
    void BuildStatusBar();
    void WireButtons();
    void WireKeys();
    void WireTables();
    QString ChosenPortName() const;
    void ShowDot(bool open);
    void ShowModule();
    // The record as another program may have left it: the names in the
    // tables, the module's sites in the status bar.
    void NoticeRecord();
    // The site's list into the number table; once its save ended well the
    // record notes the site applied to the module.
    void LoadSiteListClick();
    // The chosen records' windows (all of them when none is chosen) moved
    // by a number of days or to an end date the operator types.
    void ExtendClick();
    // Each number's last event from the module's logs in the record, for its tooltip.
    void ShowNumberUse();
    void SetControlsEnabled(bool on);
    void PortHungUp(const QString& message);
    void Guard(const std::function<void()>& handler);

    // The window's widgets, private: tests and tools find them by their
    // object names, which are these names.
    void NameWidgets();
    TPortBox* portBox = nullptr;
    QPushButton* btnConnect = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QAction* showPassword = nullptr;
    QPushButton* btnLogin = nullptr;
    // The module's single commands, a button each (hidden, as on the module
    // maker's own tool); those that change the module are writes.
    QList<QWidget*> commandButtons_, commandWriteButtons_;
    QToolButton* btnLanguage = nullptr;  // the language menu; the choice is remembered
    QAction* readOnlyChoice = nullptr;  // "Только чтение" in that menu
    QTabWidget* tabs = nullptr;
    QLabel* statusText = nullptr;
    QLabel* connectionDot = nullptr;
    QLabel* moduleLabel = nullptr;  // the module logged in on this connection
    QProgressBar* progressBar = nullptr;
    TSettingsView* settingsView = nullptr;
    TNumbersView* numbersView = nullptr;
    THistoryView* historyView = nullptr;
    // Under the tab bar: the whole module to a file and back.
    QPushButton* btnBackup = nullptr;
    QPushButton* btnRestore = nullptr;
    // Ends a running transfer (also Escape while one runs).
    QPushButton* btnCancel = nullptr;
    QPushButton* btnJournal = nullptr;
    QPushButton* btnSiteReport = nullptr;
    TMnemonics* mnemonics_ = nullptr;  // Alt+letter for every button

    TGuiOperator guiOperator_{this};
    IOperator& operator_;
    std::unique_ptr<TRuntime> runtime_;
    TSession* session_ = nullptr;  // the runtime's
    std::unique_ptr<TModuleSteps> steps_;
    QList<QWidget*> controls_;
    QList<QWidget*> writeButtons_;  // what a read-only visit disables
    QList<TPortChoice> ports_;
    QList<TPortChoice> extraPorts_;
    QString configFolder_;
    enum class TPortState { Closed, Open };
    void ShowPort(TPortState state);
    TPortState port_ = TPortState::Closed;
    int portChanges_ = 0;
    bool closeApproved_ = false;
    std::optional<TNumberUse> numberUse_;  // read on first use after a login or a history download
};

} // namespace portiqa
