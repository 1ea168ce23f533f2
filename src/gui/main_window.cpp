#include "gui/main_window.h"
#include "base/texts.h"
#include "base/language.h"
#include "gui/mnemonics.h"
#include "gui/retranslate.h"
#include "gui/window_drawings.h"
#include "files/config_folder.h"
#include "gui/history_view.h"
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



TMainWindow::TMainWindow(const QList<TPortChoice>& extraPorts, IOperator* op, QWidget* parent)
    : QMainWindow(parent), operator_(op ? *op : guiOperator_) {
    // "[*]" shows when a table holds edits not yet saved to the module.
    setWindowTitle(QStringLiteral("Portiqa Configurator V1.7[*]"));
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    BuildLayout();

    // The long-lived objects, once, in start-up order.
    configFolder_ = DocumentsFolder();
    runtime_ = std::make_unique<TRuntime>(*this, operator_, configFolder_);
    session_ = &runtime_->Session();
    guiOperator_.OnTell = [this](const QString& text) { session_->Status().ShowStatus(text, kToldClearMs); };
    steps_ = std::make_unique<TModuleSteps>(*session_);
    steps_->OnSiteApplied = [this](const QString& error) {
        if (!error.isEmpty()) session_->Status().ShowStatus(error);
        ShowModule();
    };
    BuildTabs();
    ListControls();
    DisableControls();

    runtime_->Connection().OnLost = [this](const QString& message) { PortHungUp(message); };
    session_->OnFinished = [this](const TOutcome& o) { Finished(o); };
    session_->OnModuleChanged = [this] { ShowModule(); };
    UseCountry();
    connect(&session_->Settings().Edits(), &TEditState::Changed, this, [this] { ShowEdited(); });
    // A key the settings table refused says why, in the status bar.
    connect(settingsView, &TSettingsView::TypingRefused, this, [this](const QString& why) { session_->Status().ShowStatus(why); });
    connect(numbersView, &TNumbersView::TypingRefused, this, [this](const QString& why) { session_->Status().ShowStatus(why); });
    connect(historyView, &THistoryView::TypingRefused, this, [this](const QString& why) { session_->Status().ShowStatus(why); });
    connect(&session_->Numbers().Edits(), &TEditState::Changed, this, [this] { ShowEdited(); });
    session_->SetLoginControls([this](bool on) { SetControlsEnabled(on); });
    extraPorts_ = extraPorts;
    ScanPorts();
    // A module plugged in after start-up appears when the list is opened.
    portBox->BeforePopup = [this] { ScanPorts(); };
    WireButtons();
    NameWidgets();
    PreferLetters();
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
    // The views (whose models read the session's tables) go before the
    // session, and the port's threads end before the window goes.
    session_->OnBusyChanged = nullptr;
    delete takeCentralWidget();
    runtime_.reset();
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
    PreferLetters();
    mnemonics_->Assign();
}

// One action keeps its Alt letter on every tab and in every state; the
// button that stops work has none (Escape stops it).
void TMainWindow::PreferLetters() {
    for (QAbstractButton* b : {settingsView->btnReadSettings, numbersView->btnDownloadNumbers, historyView->btnDownloadHistory})
        TMnemonics::Prefer(b, TText::tr("К", "Alt letter: download from the module"));
    for (QAbstractButton* b : {settingsView->btnSaveSettings, numbersView->btnSaveNumbers})
        TMnemonics::Prefer(b, TText::tr("С", "Alt letter: save to the module"));
    TMnemonics::Prefer(btnConnect, TText::tr("В", "Alt letter: connect and disconnect"));
    TMnemonics::Prefer(btnLogin, TText::tr("Х", "Alt letter: log in"));
    TMnemonics::NoLetter(btnCancel);
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
    writeButtons_ = commandWriteButtons_ + QList<QWidget*>{settingsView->btnSaveSettings, numbersView->btnSaveNumbers, historyView->btnDeleteHistory, btnRestore};
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
    for (const QString& name : PortScanner ? PortScanner() : TRuntime::Ports()) ports_.append({name, name});
    // Device servers opened before, after this computer's own ports.
    for (const QString& address : TRuntime::Addresses()) ports_.append({address, address});
    QSignalBlocker block(portBox);
    portBox->clear();
    for (const auto& p : ports_) {
        portBox->addItem(p.caption);
        if (p.caption != p.commName) portBox->setItemData(portBox->count() - 1, p.commName, Qt::ToolTipRole);
    }
    // At start-up: the port last opened, when it is listed, or when nothing is.
    const QString last = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(kPortKey).toString();
    const int keep = chosen.isEmpty() ? -1 : portBox->findText(chosen);
    const int lastAt = last.isEmpty() ? -1 : portBox->findText(last);
    if (keep >= 0) portBox->setCurrentIndex(keep);
    else if (!chosen.isEmpty()) portBox->setEditText(chosen);
    else if (lastAt >= 0) portBox->setCurrentIndex(lastAt);
    else if (portBox->count() > 0) portBox->setCurrentIndex(0);
    else portBox->setEditText(last);
}

void TMainWindow::ChoosePort(const QString& port) {
    if (const int at = portBox->findText(port); at >= 0) portBox->setCurrentIndex(at);
    else portBox->setEditText(port);
}

QString TMainWindow::ChosenPortName() const {
    const QString text = portBox->currentText().trimmed();
    for (const auto& p : ports_)
        if (p.caption == text) return p.commName;
    return text;
}

void TMainWindow::OpenPortClick() {
    if (port_ == TPortState::Open) {
        if (!MayStopWork(TText::tr("Отключение"))) return;
        ProtectEdits(true, true, TText::tr("закрыть порт"), [this](bool) { Disconnect(); });
        return;
    }
    // A device server on another computer: the password would cross the
    // network as it is. Opened only when the operator says so, each time.
    const QString port = ChosenPortName(), remote = TRuntime::RemoteHost(port);
    if (!remote.isEmpty() &&
        !operator_.WarnOkCancel(TText::tr("%1 — другой компьютер. Протокол GSM модуля не шифруется: пароль модуля и "
                                          "номера пройдут по сети открыто. Надёжнее подключаться через VPN или "
                                          "SSH-туннель (тогда адрес — этого компьютера). Подключиться открыто?")
                                    .arg(remote)))
        return;
    runtime_->SetAllowPlainNetwork(!remote.isEmpty());
    if (const QString problem = runtime_->Open(port); !problem.isEmpty()) {
        operator_.ShowMessage(problem);
        btnConnect->setText(TText::tr("Войти"));
        return;
    }
    // The next start offers this port first.
    QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(kPortKey, portBox->currentText().trimmed());
    ShowPort(TPortState::Open);
}

bool TMainWindow::MayStopWork(const QString& what) {
    if (!session_->Busy()) return true;
    return operator_.WarnOkCancel(TText::tr("Идёт обмен данными с GSM модулем. %1 прервёт его: что не дочитано или не "
                                            "записано, так и останется. Прервать?")
                                      .arg(what));
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
    runtime_->Close();
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
    if (passwordEdit->text().size() != TSettingsTable::LengthLimit(kPasswordRow)) {
        operator_.ShowMessage(TText::tr("Введите пароль GSM модуля: %1 цифры").arg(TSettingsTable::LengthLimit(kPasswordRow)));
        passwordEdit->setFocus();
        return;
    }
    // The box is read when the module's page arrives.
    Guard([this] { session_->Login([this] { return passwordEdit->text(); }); });
}

} // namespace portiqa
