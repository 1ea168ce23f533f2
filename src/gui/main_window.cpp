#include "gui/main_window.h"
#include "base/texts.h"
#include "base/language.h"
#include "gui/mnemonics.h"
#include "gui/retranslate.h"
#include "gui/window_drawings.h"
#include "link/link_messages.h"
#include "files/config_folder.h"
#include "gui/history_view.h"
#include "link/port_list.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QSettings>
#include <QShortcut>
#include <QToolButton>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>

namespace portiqa {

namespace {

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


TMainWindow::TMainWindow(const QList<TPortChoice>& extraPorts, IOperator* op, QWidget* parent)
    : QMainWindow(parent), operator_(op ? *op : guiOperator_) {
    // "[*]" shows when a table holds edits not yet saved to the module.
    setWindowTitle(QStringLiteral("Portiqa Configurator V1.7[*]"));
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

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

    // The long-lived objects, once, in start-up order.
    configFolder_ = ConfigurationFolder(QCoreApplication::applicationDirPath());
    session_ = std::make_unique<TSession>(comm, *this, operator_, replyTimer, statusTimer, configFolder_);
    connection_ = std::make_unique<TConnection>(comm, *session_);
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

    controls_ = {btnCheckingMode,
                 btnSyncTime,
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
    DisableControls();

    comm.SetDtrControl(TDtrControl::DtrDisable);
    comm.SetRtsControl(TRtsControl::RtsDisable);
    connection_->OnLost = [this](const QString& message) { PortHungUp(message); };
    session_->OnFinished = [this](const TOutcome& o) { Finished(o); };
    session_->OnModuleChanged = [this] { ShowModule(); };
    UseCountry();
    connect(&session_->Settings().Edits(), &TEditState::Changed, this, [this] { ShowEdited(); });
    // A key the settings table refused says why, in the status bar.
    connect(settingsView, &TSettingsView::TypingRefused, this, [this](const QString& why) { session_->Status().ShowStatus(why); });
    connect(numbersView, &TNumbersView::TypingRefused, this, [this](const QString& why) { session_->Status().ShowStatus(why); });
    connect(&session_->Numbers().Edits(), &TEditState::Changed, this, [this] { ShowEdited(); });
    session_->SetLoginControls([this](bool on) { SetControlsEnabled(on); });
    extraPorts_ = extraPorts;
    ScanPorts();
    // A module plugged in after start-up appears when the list is opened.
    portBox->BeforePopup = [this] { ScanPorts(); };
    WireButtons();
    NameWidgets();
    mnemonics_ = new TMnemonics(this);
    OpenRecord(QString(), false);

    // Client area 1184 x 700 as the original's, but resizable (the tables
    // take the space) down to a size where nothing is cut; centred, 20
    // pixels above the middle. FitScreen() fits it to a smaller screen.
    setMinimumSize(900, 540);
    resize(1184, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move((s.width() - width()) / 2, (s.height() - height() - 40) / 2);
    }
}

TMainWindow::~TMainWindow() {
    // The port's threads end before the window goes, and the views (whose
    // models read the session's tables) before the session.
    comm.CloseComm();
    session_->OnBusyChanged = nullptr;
    delete takeCentralWidget();
}

void TMainWindow::NameWidgets() {
    const std::pair<QObject*, const char*> named[] = {
        {portBox, "portBox"},           {btnConnect, "btnConnect"},           {passwordEdit, "passwordEdit"},
        {showPassword, "showPassword"}, {btnLogin, "btnLogin"},     {btnSyncTime, "btnSyncTime"},
        {btnCheckingMode, "btnCheckingMode"},         {btnLanguage, "btnLanguage"}, {tabs, "tabs"},
        {statusText, "statusText"}, {connectionDot, "connectionDot"}, {moduleLabel, "moduleLabel"},
        {progressBar, "progressBar"},             {settingsView, "settingsView"}, {numbersView, "numbersView"},
        {historyView, "historyView"}, {btnBackup, "btnBackup"}, {btnRestore, "btnRestore"},
        {btnCancel, "btnCancel"}, {btnJournal, "btnJournal"}, {readOnlyChoice, "readOnlyChoice"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
}

void TMainWindow::ShowTab(int index) { tabs->setCurrentIndex(index); }

void TMainWindow::FitScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame and the desktop's panels take their share of the screen.
    const QRect free = screen->availableGeometry();
    const QSize fitted(std::min(width(), free.width() - 16), std::min(height(), free.height() - 40));
    resize(fitted.expandedTo(minimumSize()));
    move(free.x() + (free.width() - width()) / 2, free.y() + std::max(0, (free.height() - height() - 40) / 2));
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
    portBox->setGeometry(std::max(85, right + 2), 7, 100, 23);
    right = portBox->geometry().right();
    portBox->view()->setMinimumWidth(220);
    portBox->setAccessibleName(TText::tr("Порт"));
    // The typed port name is announced as the port, not by its value.
    portBox->lineEdit()->setAccessibleName(TText::tr("Порт"));
    portBox->setToolTip(TText::tr("Последовательный порт, к которому подключён GSM модуль"));
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
    btnSyncTime = new QPushButton(TText::tr("Sync time"), strip);
    btnCheckingMode = new QPushButton(TText::tr("Checking mode"), strip);
    for (auto* hidden : {btnSyncTime, btnCheckingMode}) hidden->hide();
}

void TMainWindow::ChooseLanguage(const QString& code) {
    for (QAction* a : btnLanguage->menu()->actions()) a->setChecked(a->data().toString() == code);
    QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(kLanguageKey, code);
    if (code == CurrentLanguage()) return;
    // At once: every fixed text from its source in the new language; the
    // texts made of parts rebuilt by their widgets and here.
    const QHash<QString, TTextSource> sources = ShownTexts();
    if (!UseLanguage(code)) return;
    // A status made of parts ("Records:40") is not rebuilt: it goes.
    if (!sources.contains(statusText->text())) statusText->clear();
    Retranslate(this, sources);
    ShowModule();
    mnemonics_->Assign();
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

void TMainWindow::ShowDot(bool open) {
    connectionDot->setPixmap(Dot(open ? QColor(0, 170, 0) : QColor(220, 0, 0)));
    connectionDot->setToolTip(open ? TText::tr("Порт открыт") : TText::tr("Порт закрыт"));
}

void TMainWindow::SetStatusText(const QString& text) { statusText->setText(text); }
void TMainWindow::SetProgressPosition(int position) { progressBar->setValue(position); }
// The bar keeps its place in the status bar when hidden.
void TMainWindow::SetProgressVisible(bool visible) {
    QSizePolicy sp = progressBar->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    progressBar->setSizePolicy(sp);
    progressBar->setVisible(visible);
}

void TMainWindow::SetControlsEnabled(bool on) {
    const bool readOnly = session_->ReadOnly();
    for (QWidget* w : controls_) w->setEnabled(on && !(readOnly && writeButtons_.contains(w)));
    btnBackup->setEnabled(on);
    btnRestore->setEnabled(on && !readOnly);
}

void TMainWindow::SetReadOnly(bool readOnly, bool chosen) {
    session_->SetReadOnly(readOnly);
    // Asked for at start-up, the visit stays read-only: the menu shows it and cannot undo it.
    readOnlyChoice->setChecked(readOnly);
    readOnlyChoice->setEnabled(chosen || !readOnly);
    writeButtons_ = {btnSyncTime, btnCheckingMode, settingsView->btnSaveSettings, numbersView->btnSaveNumbers, historyView->btnDeleteHistory, btnRestore};
    const QString why = chosen ? TText::tr("Только чтение: запись в GSM модуль выключена (выбрано в меню «Язык»)")
                               : TText::tr("Только чтение: запись в GSM модуль выключена (запуск с --read-only)");
    for (QWidget* w : writeButtons_) {
        // Each button's own words come back when the visit may write again.
        if (!w->property("ownToolTip").isValid()) w->setProperty("ownToolTip", w->toolTip());
        w->setToolTip(readOnly ? why : w->property("ownToolTip").toString());
    }
    SetControlsEnabled(port_ == TPortState::Open && session_->Module().has_value());
    ShowModule();
}

void TMainWindow::ScanPorts() {
    // What the operator chose or typed stays chosen when it is still there.
    const QString chosen = portBox->count() > 0 ? portBox->currentText() : QString();
    ports_ = extraPorts_;
    for (const QString& name : PortScanner ? PortScanner() : TPortList().ScanPorts()) ports_.append({name, name});
    QSignalBlocker block(portBox);
    portBox->clear();
    for (const auto& p : ports_) {
        portBox->addItem(p.caption);
        if (p.caption != p.commName) portBox->setItemData(portBox->count() - 1, p.commName, Qt::ToolTipRole);
    }
    const int keep = chosen.isEmpty() ? -1 : portBox->findText(chosen);
    if (keep >= 0) portBox->setCurrentIndex(keep);
    else if (!chosen.isEmpty()) portBox->setEditText(chosen);
    else if (portBox->count() > 0) portBox->setCurrentIndex(0);
}

QString TMainWindow::ChosenCommName() const {
    const QString text = portBox->currentText().trimmed();
    for (const auto& p : ports_)
        if (p.caption == text) return p.commName;
    return text;
}

void TMainWindow::OpenPortClick() {
    if (port_ == TPortState::Open) {
        ProtectEdits(true, true, TText::tr("закрыть порт"), [this](bool) { Disconnect(); }, false);
        return;
    }
    if (const QString problem = connection_->Open(ChosenCommName()); !problem.isEmpty()) {
        operator_.ShowMessage(problem);
        btnConnect->setText(TText::tr("Войти"));
        return;
    }
    ShowPort(TPortState::Open);
}

// The port as the window shows it: the button's word and the dot. Whatever
// module is on the port now is a new one: nothing is read from or written to
// it before a login.
void TMainWindow::ShowPort(TPortState state) {
    if (port_ != state) ++portChanges_;
    port_ = state;
    DisableControls();
    btnConnect->setText(state == TPortState::Open ? TText::tr("Выйти") : TText::tr("Войти"));
    ShowDot(state == TPortState::Open);
}

void TMainWindow::Disconnect() {
    if (port_ == TPortState::Closed) return;
    connection_->Close();
    ShowPort(TPortState::Closed);
}

void TMainWindow::PortHungUp(const QString& message) {
    // The cable was pulled or the far end went away: the port is closed;
    // show it, tell.
    ShowPort(TPortState::Closed);
    if (!message.isEmpty()) operator_.ShowMessage(message);
}

void TMainWindow::LoginClick() {
    // The module compares four characters: anything else is never its password.
    if (passwordEdit->text().size() != PasswordLength()) {
        operator_.ShowMessage(TText::tr("Введите пароль GSM модуля: %1 цифры").arg(PasswordLength()));
        passwordEdit->setFocus();
        return;
    }
    // The box is read when the module's page arrives.
    Guard([this] { session_->Login([this] { return passwordEdit->text(); }); });
}

} // namespace portiqa
