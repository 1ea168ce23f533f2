#include "gui/main_window.h"
#include "base/language.h"
#include "base/texts.h"
#include "gui/history_view.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "gui/window_drawings.h"
#include "session/module_commands.h"
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

// The main window's widgets: where each sits, what it says, what it is called.
namespace portiqa {

namespace {

// The module's single commands and their buttons: a command added to the
// module is one line here.
struct TCommandButton {
    const char* caption;  // looked up in the context "TText"
    const char* name;
    TModuleCommand (*make)();
};
const TCommandButton kCommandButtons[] = {
    {QT_TRANSLATE_NOOP("TText", "Sync time"), "btnSyncTime", TimeSyncCommand},
    {QT_TRANSLATE_NOOP("TText", "Checking mode"), "btnCheckingMode", CheckingModeCommand},
};

// The settings' password row says how long a password is.
int PasswordLength() { return TSettingsTable::LengthLimit(kPasswordRow); }

// The password box takes what the settings' password row takes: digits, at
// most four; a refused key says why in the status bar.
class TPasswordValidator : public QValidator {
public:
    TPasswordValidator(std::function<void(const QString&)> refused, QObject* parent)
        : QValidator(parent), refused_(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        const bool digits = std::all_of(input.begin(), input.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (digits && input.size() <= PasswordLength()) return input.size() == PasswordLength() ? Acceptable : Intermediate;
        refused_(TText::tr("Пароль GSM модуля: только цифры, не более %1").arg(PasswordLength()));
        return Invalid;
    }

private:
    std::function<void(const QString&)> refused_;
};

} // namespace

void TMainWindow::BuildLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* strip = new QWidget(central);
    strip->setFixedHeight(36);
    BuildTopStrip(strip);
    layout->addWidget(strip);
    tabs = new TSideTabWidget(central);
    layout->addWidget(tabs, 1);
    setCentralWidget(central);
    BuildStatusBar();

}

void TMainWindow::BuildTabs() {
    settingsView = new TSettingsView(session_->Settings(), tabs);
    numbersView = new TNumbersView(session_->Numbers(), tabs);
    historyView = new THistoryView(session_->History(), tabs);
    tabs->addTab(settingsView, TText::tr("Базовые\nнастройки"));
    tabs->addTab(numbersView, TText::tr("Номера\nпользователей"));
    tabs->addTab(historyView, TText::tr("История\nсобытий"));
    tabs->setCurrentIndex(0);
    // What another program changed in the record (names, sites) shows when
    // a table is next looked at.
    connect(tabs, &QTabWidget::currentChanged, this, [this] { NoticeRecord(); });
    tabs->setAccessibleName(TText::tr("Разделы"));
    tabs->setAccessibleDescription(TText::tr("Базовые настройки, номера пользователей, история событий"));
    tabs->setTabToolTip(0, TText::tr("Базовые настройки GSM модуля: чтение, запись, файлы"));
    tabs->setTabToolTip(1, TText::tr("Номера, которым разрешено управлять реле, и сроки их действия"));
    tabs->setTabToolTip(2, TText::tr("Журнал событий GSM модуля: чтение, отбор по времени, файл"));
    // Below the three tabs, where the original window had nothing.
    btnBackup = new QPushButton(TText::tr("Резервная\nкопия"), tabs);
    btnBackup->setGeometry(10, 262, 110, 44);
    btnBackup->setToolTip(TText::tr("Прочитать всю память GSM модуля (настройки, номера, историю) в файл"));
    btnRestore = new QPushButton(TText::tr("Восстановить\nиз копии"), tabs);
    btnRestore->setGeometry(10, 314, 110, 44);
    btnRestore->setToolTip(TText::tr("Записать настройки и номера из резервной копии в этот GSM модуль"));
    for (QPushButton* b : {btnBackup, btnRestore}) {
        b->raise();
        b->setEnabled(false);
    }
    btnJournal = new QPushButton(TText::tr("Журнал\nмодуля"), tabs);
    btnJournal->setGeometry(10, 366, 110, 44);
    btnJournal->setToolTip(TText::tr("Что читалось из модуля и записывалось в него: снимки, записи, сравнение"));
    btnJournal->raise();
    btnSiteReport = new QPushButton(TText::tr("Отчёт\nобъекта"), tabs);
    btnSiteReport->setGeometry(10, 418, 110, 44);
    btnSiteReport->setToolTip(TText::tr("Отчёт для управляющего объектом (PDF): модули, кто открывает ворота и до какого срока"));
    btnSiteReport->raise();

}

// What a login enables and a lost line disables.
void TMainWindow::ListControls() {
    controls_ = commandButtons_ + QList<QWidget*>{
                 settingsView->btnReadSettings,
                 settingsView->btnSaveSettings,
                 settingsView->btnImportProfile,
                 settingsView->btnExportProfile,
                 numbersView->btnDownloadNumbers,
                 numbersView->btnSaveNumbers,
                 numbersView->btnImportNumbers,
                 numbersView->btnExportNumbers,
                 historyView->btnDownloadHistory,
                 historyView->btnFilter,
                 historyView->btnDeleteHistory,
                 historyView->btnExportHistory,
                 historyView->btnExportHistoryCsv,
                 historyView->btnClearHistory,
                 numbersView->btnExportNumbersCsv,
                 numbersView->btnAllUnrestricted,
                 numbersView->btnDeleteAll,
                 numbersView->btnSite,
                 numbersView->btnExtend,
                 numbersView->btnNumbersSpare};
}

void TMainWindow::NameWidgets() {
    const std::pair<QObject*, const char*> named[] = {
        {portBox, "portBox"},           {btnConnect, "btnConnect"},           {passwordEdit, "passwordEdit"},
        {showPassword, "showPassword"}, {btnLogin, "btnLogin"},
        {btnLanguage, "btnLanguage"}, {tabs, "tabs"},
        {statusText, "statusText"}, {connectionDot, "connectionDot"}, {moduleLabel, "moduleLabel"},
        {progressBar, "progressBar"},             {settingsView, "settingsView"}, {numbersView, "numbersView"},
        {historyView, "historyView"}, {btnBackup, "btnBackup"}, {btnRestore, "btnRestore"},
        {btnCancel, "btnCancel"}, {btnJournal, "btnJournal"}, {btnSiteReport, "btnSiteReport"}, {readOnlyChoice, "readOnlyChoice"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
}

void TMainWindow::BuildTopStrip(QWidget* strip) {
    // Left to right at the usual places; a longer word in another language
    // moves what follows instead of being cut.
    int right = 0;
    const auto place = [&right](QWidget* w, int x, int y, int width, int height) {
        width = std::max(width, w->sizeHint().width());
        x = std::max(x, right + 4);
        w->setGeometry(x, y, width, height);
        right = x + width;
    };
    auto* lbl3 = new QLabel(TText::tr("COM Port:"), strip);
    place(lbl3, 28, 13, 55, 13);
    portBox = new TPortBox(strip);
    portBox->setEditable(true);
    // Wide enough for a device server's address (rfc2217://127.0.0.1:4001) as well as a port's name.
    portBox->setGeometry(std::max(85, right + 2), 7, 190, 23);
    right = portBox->geometry().right();
    portBox->view()->setMinimumWidth(260);
    portBox->setAccessibleName(TText::tr("Порт"));
    // The typed port name is announced as the port, not by its value.
    portBox->lineEdit()->setAccessibleName(TText::tr("Порт"));
    portBox->setToolTip(TText::tr("Последовательный порт, к которому подключён GSM модуль, или адрес сервера портов "
                                  "(rfc2217://ХОСТ:ПОРТ, socket://ХОСТ:ПОРТ)"));
    lbl3->setBuddy(portBox);
    btnConnect = new QPushButton(TText::tr("Войти"), strip);
    place(btnConnect, 197 + right - 184, 3, 90, 30);
    btnConnect->setToolTip(TText::tr("Открыть или закрыть выбранный порт"));
    auto* lbl4 = new QLabel(TText::tr("Пароль"), strip);
    place(lbl4, 319 + right - 287, 12, 50, 13);
    passwordEdit = new QLineEdit(QStringLiteral("5807"), strip);
    passwordEdit->setGeometry(right + 4, 7, 93, 23);
    right = passwordEdit->geometry().right();
    // Masked, as a password is; the eye shows it while the operator wants.
    passwordEdit->setEchoMode(QLineEdit::Password);
    passwordEdit->setAccessibleName(lbl4->text());
    passwordEdit->setValidator(new TPasswordValidator([this](const QString& why) { session_->Status().ShowStatus(why); }, passwordEdit));
    passwordEdit->setToolTip(TText::tr("Пароль GSM модуля: 4 цифры"));
    lbl4->setBuddy(passwordEdit);
    showPassword = passwordEdit->addAction(EyeIcon(), QLineEdit::TrailingPosition);
    showPassword->setCheckable(true);
    showPassword->setToolTip(TText::tr("Показать пароль"));
    // Its button, named for a screen reader (the icon alone says nothing).
    for (QToolButton* eye : passwordEdit->findChildren<QToolButton*>()) eye->setAccessibleName(TText::tr("Показать пароль"));
    connect(showPassword, &QAction::toggled, this, [this](bool on) {
        passwordEdit->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password);
        showPassword->setToolTip(on ? TText::tr("Скрыть пароль") : TText::tr("Показать пароль"));
    });
    btnLogin = new QPushButton(TText::tr("Вход"), strip);
    place(btnLogin, 485 + right - 465, 3, 90, 30);
    btnLogin->setToolTip(TText::tr("Проверить пароль и войти в GSM модуль"));
    btnLanguage = new QToolButton(strip);
    btnLanguage->setText(TText::tr("Язык"));
    btnLanguage->setToolTip(TText::tr("Язык программы"));
    btnLanguage->setPopupMode(QToolButton::InstantPopup);
    auto* languages = new QMenu(btnLanguage);
    // Each language under its own name, as every program lists them.
    for (const TLanguage& l : kLanguages) {
        QAction* a = languages->addAction(QString::fromUtf8(l.name));
        a->setCheckable(true);
        a->setChecked(CurrentLanguage() == QLatin1String(l.code));
        a->setData(QString::fromLatin1(l.code));
    }
    languages->addSeparator();
    QAction* country = languages->addAction(TText::tr("Страна номеров…"));
    country->setData(QStringLiteral("country"));
    // A visit that only reads, chosen here and remembered for the next start.
    readOnlyChoice = languages->addAction(TText::tr("Только чтение: ничего не записывать в модуль"));
    readOnlyChoice->setCheckable(true);
    readOnlyChoice->setData(QStringLiteral("read-only"));
    connect(languages, &QMenu::triggered, this, [this](QAction* a) {
        if (a->data().toString() == QLatin1String("country")) return ChooseCountry();
        if (a == readOnlyChoice) {
            QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(kReadOnlyKey, a->isChecked());
            return SetReadOnly(a->isChecked(), true);
        }
        ChooseLanguage(a->data().toString());
    });
    btnLanguage->setMenu(languages);
    place(btnLanguage, right + 24, 6, 60, 25);
    BuildCommandButtons(strip);
}

void TMainWindow::BuildCommandButtons(QWidget* strip) {
    for (const TCommandButton& c : kCommandButtons) {
        auto* button = new QPushButton(TText::tr(c.caption), strip);
        button->setObjectName(QLatin1String(c.name));
        button->hide();
        commandButtons_ << button;
        if (!c.make().change.isEmpty()) commandWriteButtons_ << button;
    }
}

void TMainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(24);
    bar->setSizeGripEnabled(false);
    auto* panel0 = new QLabel(TText::tr("COM Port:"), bar);
    panel0->setFixedWidth(100);
    panel0->setAlignment(Qt::AlignCenter);
    connectionDot = new QLabel(bar);
    connectionDot->setFixedWidth(50);
    connectionDot->setContentsMargins(15, 0, 0, 0);
    statusText = new QLabel(bar);
    statusText->setMinimumWidth(200);  // wider for a longer text: none is cut
    progressBar = new QProgressBar(bar);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    btnCancel = new QPushButton(TText::tr("Прервать"), bar);
    btnCancel->setToolTip(TText::tr("Прервать обмен с GSM модулем (Esc)"));
    btnCancel->setEnabled(false);
    bar->addWidget(panel0);
    bar->addWidget(connectionDot);
    moduleLabel = new QLabel(bar);
    bar->addWidget(moduleLabel);
    bar->addWidget(statusText);
    bar->addWidget(progressBar, 1);
    bar->addPermanentWidget(btnCancel);
    ShowDot(false);
}

void TMainWindow::WireButtons() {
    TSession& s = *session_;
    connect(btnConnect, &QPushButton::clicked, this, [this] { OpenPortClick(); });
    connect(btnLogin, &QPushButton::clicked, this, [this] { LoginClick(); });
    connect(passwordEdit, &QLineEdit::returnPressed, this, [this] { LoginClick(); });
    for (qsizetype i = 0; i < commandButtons_.size(); ++i)
        connect(static_cast<QPushButton*>(commandButtons_[i]), &QPushButton::clicked, this,
                [this, &s, make = kCommandButtons[i].make] { Guard([&] { s.Send(make()); }); });
    connect(btnBackup, &QPushButton::clicked, this, [this] { Guard([this] { BackupClick(); }); });
    connect(btnJournal, &QPushButton::clicked, this, [this] { Guard([this] { JournalClick(); }); });
    connect(btnSiteReport, &QPushButton::clicked, this, [this] { Guard([this] { SiteReportClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    WireKeys();
    WireTables();
}

// Ctrl+R, Ctrl+S, the tab keys and Escape.
void TMainWindow::WireKeys() {
    // Ctrl+R reads the shown tab from the module, Ctrl+S saves it: the tab's
    // own buttons, so the same questions come, and nothing while they are off.
    const auto tabButton = [this](bool save) -> QPushButton* {
        switch (tabs->currentIndex()) {
        case 0: return save ? settingsView->btnSaveSettings : settingsView->btnReadSettings;
        case 1: return save ? numbersView->btnSaveNumbers : numbersView->btnDownloadNumbers;
        case 2: return save ? nullptr : historyView->btnDownloadHistory;
        default: return nullptr;
        }
    };
    for (const bool save : {false, true}) {
        auto* key = new QShortcut(QKeySequence(save ? QKeySequence::Save : QKeySequence(Qt::CTRL | Qt::Key_R)), this);
        connect(key, &QShortcut::activated, this, [this, tabButton, save] {
            if (QPushButton* b = tabButton(save); b && b->isEnabled()) b->click();
            else if (save && session_->ReadOnly())
                session_->Status().ShowStatus(TText::tr("Визит только для чтения: запись в GSM модуль выключена (меню «Язык»)"));
        });
    }
    // Ctrl+Tab and Ctrl+PgDown go to the next tab from anywhere in the
    // window: a drop-down that has the keyboard never takes them as a choice.
    const std::pair<QKeyCombination, int> tabKeys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                                       {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
                                                       {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
                                                       {Qt::CTRL | Qt::Key_PageDown, 1},
                                                       {Qt::CTRL | Qt::Key_PageUp, -1}};
    for (const auto& [combination, step] : tabKeys) {
        auto* key = new QShortcut(QKeySequence(combination), this);
        connect(key, &QShortcut::activated, this, [this, step] {
            tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
        });
    }
    // Alt+1, Alt+2, Alt+3: the tabs themselves.
    for (int tab = 0; tab < tabs->count(); ++tab) {
        auto* key = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_1 + tab))), this);
        connect(key, &QShortcut::activated, this, [this, tab] { tabs->setCurrentIndex(tab); });
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, this, [this] { CancelClick(); });
    // The button (and Escape) only while a reply is owed; Escape belongs to
    // the table editors otherwise.
    session_->OnBusyChanged = [this, escape](bool) {
        ShowTransferRunning();
        escape->setEnabled(btnCancel->isEnabled());
    };
}

// The tabs' buttons and the restore.
void TMainWindow::WireTables() {
    TSession& s = *session_;
    connect(btnRestore, &QPushButton::clicked, this, [this] {
        ProtectEdits(true, true, TText::tr("восстановить модуль из копии"), [this](bool) { Guard([this] { RestoreClick(); }); });
    });
    connect(settingsView->btnReadSettings, &QPushButton::clicked, this, [this, &s] {
        ProtectEdits(true, false, TText::tr("скачать настройки"), [this, &s](bool asked) {
            Guard([&] { s.ReadSettings(asked ? TSession::TAsk::Asked : TSession::TAsk::First); });
        });
    });
    connect(settingsView->btnSaveSettings, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.SaveSettings(); }); });
    connect(numbersView->btnDownloadNumbers, &QPushButton::clicked, this, [this, &s] {
        ProtectEdits(false, true, TText::tr("скачать список"), [this, &s](bool asked) {
            Guard([&] { s.DownloadNumbers(asked ? TSession::TAsk::Asked : TSession::TAsk::First); });
        });
    });
    connect(numbersView->btnSaveNumbers, &QPushButton::clicked, this, [this, &s] {
        numbersView->numbersGrid->setCurrentIndex({});  // an open picker writes its value first
        Guard([&] { s.SaveNumbers(); });
    });
    connect(historyView->btnDownloadHistory, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.DownloadHistory(); }); });
    connect(historyView->btnDeleteHistory, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.DeleteHistory(); }); });
    connect(historyView->btnFilter, &QPushButton::clicked, this, [this, &s] {
        Guard([&] {
            if (FilterHistory(s.History(), historyView->WindowStart(), historyView->WindowEnd(), s.Status(), operator_))
                historyView->ShowFirst();
        });
    });
    connect(historyView->btnShowAll, &QPushButton::clicked, this, [this, &s] {
        s.History().ShowAll();
        historyView->ShowFirst();
    });
    connect(historyView->btnClearHistory, &QPushButton::clicked, this, [&s] { s.HistoryFiles().ClearHistoryTable(); });
    connect(settingsView->btnExportProfile, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.Profile().ExportProfile(); }); });
    connect(settingsView->btnImportProfile, &QPushButton::clicked, this, [this, &s] {
        ProtectEdits(true, false, TText::tr("импортировать файл"), [this, &s](bool) { Guard([&] { s.Profile().ImportProfile(); }); });
    });
    connect(numbersView->btnExportNumbers, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.NumberFiles().ExportNumbersXls(); }); });
    connect(numbersView->btnImportNumbers, &QPushButton::clicked, this, [this, &s] {
        ProtectEdits(false, true, TText::tr("импортировать файл"), [this, &s](bool) { Guard([&] { s.NumberFiles().ImportNumbersXls(); }); });
    });
    connect(numbersView->btnExportNumbersCsv, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.NumberFiles().ExportNumbersCsv(); }); });
    connect(numbersView->btnExtend, &QPushButton::clicked, this, [this] { ExtendClick(); });
    connect(numbersView->btnSite, &QPushButton::clicked, this, [this] {
        ProtectEdits(false, true, TText::tr("загрузить список объекта"), [this](bool) { Guard([this] { LoadSiteListClick(); }); });
    });
    connect(historyView->btnExportHistory, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.HistoryFiles().ExportHistoryXls(); }); });
    connect(historyView->btnExportHistoryCsv, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.HistoryFiles().ExportHistoryCsv(); }); });
    connect(historyView->btnImport, &QPushButton::clicked, this, [this, &s] { Guard([&] { s.HistoryFiles().ImportHistoryXls(); }); });
}

} // namespace portiqa
