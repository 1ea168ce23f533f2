#include "base/language.h"
#include "link/link_messages.h"
#include "window_fixture.h"
#include "device_server.h"
#include "gui/mnemonics.h"
#include "fakes.h"
#include "pty_pair.h"
#include "gui/main_window.h"
#include "files/file_exchange.h"
#include <QRegularExpression>
#include "gui/history_view.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "sim/simulator.h"
#include <QStatusBar>
#include <QTemporaryDir>
#include <QSettings>
#include <QTemporaryFile>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>
#include <QTimer>
#include <QLabel>
#include <gtest/gtest.h>

using namespace portiqa;
using portiqa::test::TScriptedOperator;
using portiqa::test::WaitFor;

namespace {

using WindowTest = portiqa::test::WindowFixture;

TEST_F(WindowTest, StartUpState) {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QStringList besideTheProgram = programFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Open();
    EXPECT_EQ(w->windowTitle(), "Portiqa Configurator V1.7[*]");
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(w->size(), QSize(1184, 700));
    EXPECT_EQ(Parts(w).btnConnect->text(), "Войти");
    EXPECT_EQ(Parts(w).btnLogin->text(), "Вход");
    EXPECT_EQ(Parts(w).passwordEdit->text(), "5807");
    EXPECT_EQ(Parts(w).portBox->currentText(), "Simulated");
    EXPECT_EQ(Parts(w).tabs->currentIndex(), 0);
    EXPECT_EQ(Parts(w).tabs->tabText(0), "Базовые\nнастройки");
    EXPECT_EQ(Parts(w).tabs->tabText(1), "Номера\nпользователей");
    EXPECT_EQ(Parts(w).tabs->tabText(2), "История\nсобытий");
    ASSERT_EQ(w->Controls().size(), 22);
    for (QWidget* c : w->Controls()) EXPECT_FALSE(c->isEnabled());
    EXPECT_FALSE(w->PortShownOpen());
    EXPECT_EQ(Parts(w).settingsView->btnReadSettings->text(), "Скачать\nнастройки");
    EXPECT_EQ(Parts(w).numbersView->btnImportNumbers->text(), "Импорт  XLS");
    EXPECT_TRUE(QDir(w->ConfigFolder()).exists());
    EXPECT_EQ(programFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), besideTheProgram) << "nothing beside the program";
    w->show();  // closing a shown window must not touch the session after it is gone
    w.reset();
}

TEST_F(WindowTest, ConnectLoginReadAndDisconnect) {
    Open();
    w->OpenPortClick();
    EXPECT_EQ(Parts(w).btnConnect->text(), "Выйти");
    EXPECT_TRUE(w->PortShownOpen());
    EXPECT_EQ(w->ConnectCounter(), 1);

    Parts(w).passwordEdit->setText("5808");
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(op.messages.back(), "Неверный пароль!");
    for (QWidget* c : w->Controls()) EXPECT_FALSE(c->isEnabled());

    Parts(w).passwordEdit->setText("5807");
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");
    for (QWidget* c : w->Controls()) EXPECT_TRUE(c->isEnabled());

    QTest::mouseClick(Parts(w).settingsView->btnReadSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(op.told.back(), "Базовые настройки считаны");
    EXPECT_EQ(Parts(w).settingsView->Combo(11)->currentText(), "3:Всем");

    w->OpenPortClick();
    EXPECT_EQ(Parts(w).btnConnect->text(), "Войти");
    EXPECT_EQ(w->ConnectCounter(), 2);
    // The next module on the port is another until a login.
    for (QWidget* c : w->Controls()) EXPECT_FALSE(c->isEnabled());
}

TEST_F(WindowTest, FailedOpeningsLeaveTheCounterAndSayWhy) {
    Open();
    Parts(w).portBox->setEditText("/dev/portiqa-no-such-port");
    w->OpenPortClick();
    EXPECT_EQ(w->ConnectCounter(), 0);
    EXPECT_EQ(Parts(w).btnConnect->text(), "Войти");
    ASSERT_FALSE(op.messages.isEmpty());
    EXPECT_TRUE(op.messages.back().startsWith("Ошибка COM-порта"));

    // A file that is not a terminal: opening only records the failure.
    QTemporaryFile f;
    ASSERT_TRUE(f.open());
    Parts(w).portBox->setEditText(f.fileName());
    w->OpenPortClick();
    EXPECT_EQ(w->ConnectCounter(), 0);
    EXPECT_EQ(Parts(w).btnConnect->text(), "Войти");
    EXPECT_TRUE(op.messages.back().contains("Это устройство не является последовательным портом"));
}

TEST_F(WindowTest, PulledCableClosesThePortAndTellsTheOperator) {
    Open();
    w->OpenPortClick();
    ASSERT_TRUE(w->PortShownOpen());
    module->Stop();  // the far end of the line goes away
    ASSERT_TRUE(WaitFor([&] { return !w->PortShownOpen(); }));
    EXPECT_EQ(Parts(w).btnConnect->text(), "Войти");
    EXPECT_EQ(w->ConnectCounter(), 2);
    EXPECT_EQ(op.messages.back(), "Связь с GSM модулем потеряна: порт закрыт");
    EXPECT_FALSE(w->Runtime().IsOpen());
}

// Pulled out in the middle of a download: one message that says what
// happened and what to do, at once, not a second one when the time runs out.
TEST_F(WindowTest, ACablePulledMidTransferIsOneMessage) {
    Open();
    w->OpenPortClick();
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    const qsizetype before = op.messages.size();
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return module->Requests() > 20; }));
    module->Stop();
    ASSERT_TRUE(WaitFor([&] { return !w->PortShownOpen(); }));
    EXPECT_FALSE(w->Session().Busy());
    ASSERT_EQ(op.messages.size(), before + 1) << op.messages.join('|').toStdString();
    EXPECT_EQ(op.messages.back(),
              "Связь с GSM модулем потеряна: порт закрыт\rПодключите GSM модуль, откройте порт, войдите и повторите");
}

TEST_F(WindowTest, UnansweredLoginDoesNotSwallowALaterRead) {
    sim::TSimOptions o;
    // The first login and the settings read after it (two pages, twice each)
    // are answered, the second login is not.
    o.faults.silentAfter = 5;
    Open(o);
    w->OpenPortClick();
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    w->LoginClick();
    EXPECT_TRUE(w->Session().Busy());
    // The reply timer's expiry, driven by hand: this is a QTimer in the window.
    // The login is asked twice more before the time runs out for good.
    w->ReplyTimer().OnTimer();
    w->ReplyTimer().OnTimer();
    EXPECT_TRUE(w->Session().Busy());
    w->ReplyTimer().OnTimer();
    EXPECT_FALSE(w->Session().Busy());
    EXPECT_EQ(op.messages.back(), "GSM модуль не отвечает" + NoAnswerHint());
}

TEST_F(WindowTest, NumberTableFlagsAndBulkToggles) {
    Open();
    auto& g = w->Session().Numbers().Grid();
    g.SetCells(2, 5, "2024/01/01");
    const QModelIndex flag = Parts(w).numbersView->Model()->IndexOf(6, 5);
    Parts(w).numbersView->numbersGrid->clicked(flag);
    EXPECT_EQ(g.Cells(6, 5), "Да");
    EXPECT_EQ(g.Cells(2, 5), "2024/01/01");
    Parts(w).numbersView->numbersGrid->clicked(flag);
    EXPECT_EQ(g.Cells(6, 5), "Нет");
    QTest::mouseClick(Parts(w).numbersView->btnDeleteAll, Qt::LeftButton);  // disabled before login
    EXPECT_EQ(g.Cells(7, 3000), "Нет");
    w->EnableControls();
    QTest::mouseClick(Parts(w).numbersView->btnDeleteAll, Qt::LeftButton);
    EXPECT_EQ(g.Cells(7, 3000), "Да");
    QTest::mouseClick(Parts(w).numbersView->btnDeleteAll, Qt::LeftButton);
    EXPECT_EQ(g.Cells(7, 1), "Нет");
}

// The operator's real input, then a save: the module holds exactly what was
// typed, and a wheel over a drop-down on the way changed nothing.
TEST_F(WindowTest, TypedValuesReachTheModuleAndNothingElse) {
    Open();
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->OpenPortClick();
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    QTest::mouseClick(Parts(w).settingsView->btnReadSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    const QByteArray before = module->Memory(0, 256);

    auto* v = Parts(w).settingsView->settingsGrid;
    const QPoint cell = v->visualRect(v->model()->index(0, 1)).center();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, cell);
    for (char c : QByteArray("9876")) {
        QTest::keyClick(QApplication::focusWidget(), c);
        QCoreApplication::processEvents();
    }
    QComboBox* relayClosedSmsBox = Parts(w).settingsView->Combo(11);
    QWheelEvent notch(QPointF(relayClosedSmsBox->rect().center()), QPointF(relayClosedSmsBox->mapToGlobal(relayClosedSmsBox->rect().center())), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(relayClosedSmsBox, &notch);
    QTest::mouseClick(Parts(w).settingsView->btnSaveSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());

    QByteArray expected = before;
    expected.replace(0, 4, "9876");
    EXPECT_EQ(module->Memory(0, 256).toHex(), expected.toHex());
}

// Log in, read, edit and save with the keyboard alone: Alt and a button's
// letter, Tab, typing, Enter, Ctrl+R and Ctrl+S; no mouse event.
TEST_F(WindowTest, TheKeyboardAloneLogsInReadsEditsAndSaves) {
    Open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const auto key = [](int k, Qt::KeyboardModifiers m = {}) {
        // A key with its text, as the keyboard sends it (Cyrillic letters too).
        const QString text = k < Qt::Key_Escape && !(m & (Qt::ControlModifier | Qt::AltModifier)) ? QString(QChar(k)) : QString();
        for (QTest::KeyAction a : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(a, QApplication::focusWidget(), Qt::Key(k), text, m);
        QCoreApplication::processEvents();
    };
    const auto tabTo = [&](QWidget* target) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i) key(Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    };
    auto* letters = w->findChild<TMnemonics*>();
    ASSERT_NE(letters, nullptr);
    ASSERT_TRUE(tabTo(Parts(w).portBox));
    key(letters->LetterOf(Parts(w).btnConnect).unicode(), Qt::AltModifier);  // connect
    ASSERT_TRUE(WaitFor([&] { return Parts(w).btnConnect->text() == "Выйти"; }));
    ASSERT_TRUE(tabTo(Parts(w).passwordEdit));
    key(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Parts(w).passwordEdit, "5807");
    key(Qt::Key_Return);  // log in
    ASSERT_TRUE(Quiet());
    ASSERT_TRUE(w->Session().LoggedIn());
    key(Qt::Key_R, Qt::ControlModifier);  // read the shown tab: the settings
    ASSERT_TRUE(Quiet());
    const QByteArray before = module->Memory(0, 256);

    auto* v = Parts(w).settingsView->settingsGrid;
    ASSERT_TRUE(tabTo(v));
    for (int i = 0; i < 20; ++i) key(Qt::Key_Up);  // to the first value, the password
    for (char c : QByteArray("9876")) key(c);
    key(Qt::Key_Return);
    key(Qt::Key_S, Qt::ControlModifier);  // saved through the usual question
    ASSERT_TRUE(Quiet());
    QByteArray expected = before;
    expected.replace(0, 4, "9876");
    EXPECT_EQ(module->Memory(0, 256).toHex(), expected.toHex());

    // The tab keys change the tab from a drop-down and never its choice; the
    // upright tab bar moves with Up and Down.
    QComboBox* box = Parts(w).settingsView->Combo(11);
    const int choice = box->currentIndex();
    QTabWidget* tabs = Parts(w).tabs;
    const std::pair<QKeyCombination, int> steps[] = {{Qt::CTRL | Qt::Key_PageDown, 1}, {Qt::CTRL | Qt::Key_PageUp, 2},
                                                     {Qt::CTRL | Qt::Key_Tab, 1}, {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 2}};
    for (const auto& [combination, tab] : steps) {
        tabs->setCurrentIndex(0);
        box->setFocus();
        key(combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(tabs->currentIndex(), tab) << QKeySequence(combination).toString().toStdString();
    }
    EXPECT_EQ(box->currentIndex(), choice);
    tabs->setCurrentIndex(0);
    tabs->tabBar()->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(tabs->currentIndex(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(tabs->currentIndex(), 1);
}

// Disconnecting while the module is read asks first, and Cancel lets the
// read finish; the port opened last is offered first at the next start.
TEST_F(WindowTest, ADisconnectDuringAReadAsksAndThePortIsRemembered) {
    sim::TSimOptions o;
    o.seedNumbers = 20;
    Open(o);
    LogIn();
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(w->Session().Busy());
    op.answers = {false};
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings[0].startsWith("Идёт обмен данными с GSM модулем. Отключение прервёт его")) << op.warnings[0].toStdString();
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(w->PortShownOpen());
    EXPECT_EQ(w->Session().Numbers().Grid().Cells(1, 20).isEmpty(), false) << "the read went to its end";

    w.reset();
    w = std::make_unique<TMainWindow>(QList<TPortChoice>{{"First", "/dev/null/none"}, {"Simulated", module->Path()}}, &op);
    EXPECT_EQ(Parts(w).portBox->currentText(), "Simulated");
}

TEST_F(WindowTest, BackupAndRestoreFromTheWindow) {
    sim::TSimOptions o;
    o.seedNumbers = 30;
    Open(o);
    EXPECT_FALSE(Parts(w).btnBackup->isEnabled());  // only after login
    w->OpenPortClick();
    w->LoginClick();
    ASSERT_TRUE(Quiet());
    ASSERT_TRUE(Parts(w).btnBackup->isEnabled());
    QTemporaryDir dir;
    op.saveFile = dir.filePath("m.pbk");
    QTest::mouseClick(Parts(w).btnBackup, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.messages.back().startsWith("Резервная копия сохранена")) << op.messages.back().toStdString();
    ASSERT_TRUE(QFile::exists(dir.filePath("m.pbk")));

    // Change the module, then restore: the question lists what changes.
    module->WriteMemory(0x1000, QByteArray(32, char(0xFF)));
    op.openFile = dir.filePath("m.pbk");
    op.answers = {true};
    QTest::mouseClick(Parts(w).btnRestore, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    ASSERT_FALSE(op.questions.isEmpty());
    EXPECT_TRUE(op.questions.back().contains("Номера: Добавлено: 1, изменено: 0, удалено: 0, без изменений: 29"))
        << op.questions.back().toStdString();
    EXPECT_TRUE(op.questions.back().contains("Получат, расширят доступ или добавлены с истёкшим сроком: 1"))
        << "who gains access, as a save says it";
    // The password and the SIM number are kept by default: the module does
    // not match the backup there, and the words say so.
    EXPECT_TRUE(op.messages.back().startsWith("Восстановление завершено. Записано страниц: 1")) << op.messages.back().toStdString();
    EXPECT_TRUE(op.messages.back().contains("оставлены как в модуле: пароль, номер SIM")) << op.messages.back().toStdString();
    EXPECT_FALSE(op.messages.back().contains("модуль совпадает"));
    EXPECT_NE(module->Memory(0x1000, 32), QByteArray(32, char(0xFF)));

    // The numbers alone: the settings stay as the module holds them.
    module->WriteMemory(0x1000, QByteArray(32, char(0xFF)));
    module->WriteMemory(202, QByteArray::fromHex("0c00"));  // row 16 changed too
    op.answers = {true};
    op.choiceAnswers = {{false, true}};
    QTest::mouseClick(Parts(w).btnRestore, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.choiceQuestions.back().contains("m.pbk")) << op.choiceQuestions.back().toStdString();
    EXPECT_TRUE(op.questions.back().contains("Настройки: не восстанавливаются")) << op.questions.back().toStdString();
    EXPECT_TRUE(op.messages.back().contains("оставлены как в модуле: настройки")) << op.messages.back().toStdString();
    EXPECT_NE(module->Memory(0x1000, 32), QByteArray(32, char(0xFF)));
    EXPECT_EQ(module->Memory(202, 2).toHex(), "0c00");
}

TEST_F(WindowTest, PortBoxListsThePortsAgainWhenOpened) {
    Open();
    QStringList system{"ttyUSB0"};
    w->PortScanner = [&] { return system; };
    Parts(w).portBox->showPopup();
    Parts(w).portBox->hidePopup();
    EXPECT_EQ(Parts(w).portBox->count(), 2);
    EXPECT_EQ(Parts(w).portBox->currentText(), "Simulated");  // the choice stays
    system = {"ttyACM0", "ttyUSB0", "ttyUSB1"};  // a module plugged in meanwhile
    Parts(w).portBox->setCurrentIndex(1);
    Parts(w).portBox->showPopup();
    Parts(w).portBox->hidePopup();
    EXPECT_EQ(Parts(w).portBox->count(), 4);
    EXPECT_EQ(Parts(w).portBox->itemText(3), "ttyUSB1");
    EXPECT_EQ(Parts(w).portBox->currentText(), "ttyUSB0");  // still the operator's choice
}

// A module behind a device server: its address typed into the port box,
// as an operator types it; another computer's address only after a question.
TEST_F(WindowTest, ADeviceServersAddressTypedInThePortBoxConnects) {
    Open();
    test::TDeviceServer server;
    ASSERT_EQ(server.Start(module->Path(), true), QString());
    QLineEdit* typed = Parts(w).portBox->lineEdit();
    const auto type = [&](const QString& text) {
        typed->selectAll();
        QTest::keyClick(typed, Qt::Key_Delete);
        QTest::keyClicks(typed, text);
    };
    type("rfc2217://192.0.2.1:4001");
    op.answers = {false};
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings.back().contains("192.0.2.1") && op.warnings.back().contains("VPN")) << op.warnings.back().toStdString();
    EXPECT_FALSE(w->PortShownOpen());

    type(server.Address());
    LogIn();
    EXPECT_EQ(op.warnings.size(), 1);  // this computer's own address needs no question
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");
    QTest::mouseClick(Parts(w).settingsView->btnReadSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(op.told.back(), "Базовые настройки считаны");
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
    EXPECT_FALSE(w->PortShownOpen());
    // Listed from now on, after this computer's own ports.
    Parts(w).portBox->showPopup();
    Parts(w).portBox->hidePopup();
    EXPECT_GE(Parts(w).portBox->findText(server.Address()), 1);
}

// The site's report from the window: the logged-in module's site, a file chosen, a word in the status line.
TEST_F(WindowTest, TheSiteReportIsWrittenForTheLoggedInModulesSite) {
    Open();
    QTemporaryDir dir;
    ASSERT_EQ(w->OpenRecord(dir.filePath("record.sqlite"), false), QString());
    LogIn();
    QString error;
    TRecord& record = *w->Record();
    const auto site = record.SetSiteList("Дом 7", 0, {{"+79161112233", true, {}, {}, {}, {}}}, error);
    ASSERT_TRUE(site) << error.toStdString();
    ASSERT_TRUE(record.AddSiteModule(*site, *w->Session().ModuleId(), {}, error)) << error.toStdString();
    op.saveFile = dir.filePath("report.pdf");
    QTest::mouseClick(Parts(w).btnSiteReport, Qt::LeftButton);
    EXPECT_EQ(op.lastSubject, "отчёт объекта");
    ASSERT_FALSE(op.told.isEmpty());
    EXPECT_TRUE(op.told.back().contains("Отчёт объекта «Дом 7» записан: report.pdf (пользователей: 1")) << op.told.back().toStdString();
    QFile pdf(op.saveFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(Program, WithoutADisplaySaysSoInOneLine) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(var);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PORTIQA_GUI), {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(err.count('\n'), 1);
    EXPECT_TRUE(err.contains("xvfb-run")) << err.toStdString();

    // Help and version need no display.
    p.start(QStringLiteral(PORTIQA_GUI), {"--help"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().contains("--demo"));
    p.start(QStringLiteral(PORTIQA_GUI), {"--version"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.readAllStandardOutput().trimmed(), "portiqa " PORTIQA_VERSION);
}

// A login that goes well, and the read after it, are said in the status
// line: no box to close.
TEST(GuiOperator, ALoginThatGoesWellShowsNoBox) {
    sim::TModuleSimulator module;
    ASSERT_TRUE(module.Start());
    TMainWindow w(QList<TPortChoice>{{"Simulated", module.Path()}});  // the window's own dialogs
    w.OpenRecord(QString(), true);
    QStringList boxes;
    QTimer closer;  // a box shown is noted and closed, so the test never hangs on one
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxes << box->windowTitle() + box->findChild<QLabel*>()->text();
            box->close();
        }
    });
    closer.start(20);
    w.OpenPortClick();
    w.LoginClick();
    ASSERT_TRUE(WaitFor([&] { return w.Session().LoggedIn() && !w.Session().Busy(); }));
    EXPECT_EQ(boxes, QStringList());
    // Then the settings are read on their own, and the line says so.
    EXPECT_EQ(TWindowParts(w).statusText->text(), "Базовые настройки считаны");
}

TEST(GuiOperator, QtsOwnButtonsSpeakRussian) {
    ASSERT_TRUE(UseLanguage("ru"));
    ASSERT_TRUE(QtOwnTextsInstalled());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), "Сохранить");
}

TEST(GuiOperator, DialogsOpenWhereTheOperatorLastChoseAFileOfThatKind) {
    QTemporaryDir config, a, b;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    const QString numbers = "EXCEL file|*.xlsx", backups = "Portiqa backup|*.pbk";
    EXPECT_NE(TGuiOperator::StartFolder(numbers, "/hidden/config"), a.path());
    TGuiOperator::Remember(numbers, a.filePath("list.xlsx"));
    TGuiOperator::Remember(backups, b.filePath("m.pbk"));
    EXPECT_EQ(TGuiOperator::StartFolder(numbers, "/hidden/config"), a.path());
    EXPECT_EQ(TGuiOperator::StartFolder(backups, "/hidden/config"), b.path());
    TGuiOperator::Remember(numbers, QString());  // a cancelled dialog forgets nothing
    EXPECT_EQ(TGuiOperator::StartFolder(numbers, "/hidden/config"), a.path());
}

TEST(GuiOperator, FiltersAndLineBreaks) {
    // The kinds are named in the operator's language; the patterns stay.
    EXPECT_EQ(TGuiOperator::QtFilter("EXCEL file|*.xlsx;*.xls|(*.*)|*.*"), "Книга Excel (*.xlsx *.xls);;Все файлы (*)");
    EXPECT_EQ(TGuiOperator::QtFilter("CVS file|*.cvs;*.cvs|(*.*)|*.*"), "Файл CSV (*.cvs *.cvs);;Все файлы (*)");
    EXPECT_FALSE(TGuiOperator::QtFilter(kTableSaveFilter).contains(QRegularExpression("file|CSV file"))) << "every kind in Russian";
    EXPECT_EQ(TGuiOperator::Lines("Всего:4\rНеверный"), "Всего:4\nНеверный");
}

} // namespace
