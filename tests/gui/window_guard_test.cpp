// The window never writes what the operator did not mean: the module's
// values after a login, a question before anything the operator has not
// seen is removed, and unsaved edits never dropped without asking. Driven
// by real clicks against the simulated module.
#include "window_fixture.h"
#include "fakes.h"
#include "pty_pair.h"
#include "gui/gui_operator.h"
#include "gui/history_view.h"
#include "gui/main_window.h"
#include "gui/module_journal.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "sim/simulator.h"
#include <QCheckBox>
#include <QSettings>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

using namespace portiqa;
using portiqa::test::TScriptedOperator;
using portiqa::test::WaitFor;
using TUnsaved = IOperator::TUnsaved;

namespace {

struct GuardedWindow : portiqa::test::WindowFixture {
    void Open(sim::TSimOptions o = {}) {
        WindowFixture::Open(o);
        w->show();
    }
    void LogIn() {
        WindowFixture::LogIn();
        ASSERT_TRUE(Parts(w).settingsView->btnSaveSettings->isEnabled());
    }
};

TEST_F(GuardedWindow, AfterALoginTheSettingsTableHoldsTheModulesValues) {
    Open();
    module->WriteMemory(4, QByteArray("79161234567") + '\0');
    module->WriteMemory(202, QByteArray::fromHex("1800"));
    LogIn();
    const TSettingsTable& t = w->Session().Settings();
    EXPECT_EQ(t.Value(2), "79161234567");
    EXPECT_EQ(t.Value(16), "24");
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");  // the read itself shows no box
    EXPECT_FALSE(w->isWindowModified());
    // Row 16 changed and saved by the button: the module's SIM number stays.
    w->Session().Settings().SetValue(16, "12");
    EXPECT_TRUE(w->isWindowModified());
    QString statusWhileAsked;
    op.whileAsked = [&] { statusWhileAsked = Parts(w).statusText->text(); };
    QTest::mouseClick(Parts(w).settingsView->btnSaveSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    op.whileAsked = nullptr;
    EXPECT_TRUE(statusWhileAsked.contains("ждём ответа")) << "no read goes on while the question waits: "
                                                          << statusWhileAsked.toStdString();
    EXPECT_EQ(op.questions.back(), "Сохранить настройки в GSM модуль?\rстрока 16: 24 → 12");
    EXPECT_EQ(module->Memory(4, 12), QByteArray("79161234567") + '\0');
    EXPECT_EQ(module->Memory(202, 2), QByteArray::fromHex("0C00"));
    EXPECT_FALSE(w->isWindowModified());
}

TEST_F(GuardedWindow, ANumbersSaveWithoutADownloadNeverProposesRemovingTheModulesList) {
    sim::TSimOptions o;
    o.seedNumbers = 3000;
    Open(o);
    LogIn();
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    Parts(w).tabs->setCurrentIndex(1);
    // "Сохранить" on an empty table, straight after the login: the module's
    // list is read, and the save that would remove it is refused with the reason.
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.questions.isEmpty()) << op.questions.join('|').toStdString();
    EXPECT_TRUE(op.messages.back().startsWith("Список номеров GSM модуля ещё не скачан в таблицу")) << op.messages.back().toStdString();
    EXPECT_TRUE(op.messages.back().contains("(3000)"));
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), before) << "nothing removed";
    EXPECT_TRUE(w->Session().Numbers().Grid().Cells(1, 1).isEmpty()) << "the table keeps the operator's list";
}

TEST_F(GuardedWindow, ADownloadClearsEveryDeletionMark) {
    sim::TSimOptions o;
    o.seedNumbers = 10;
    Open(o);
    LogIn();
    auto& g = w->Session().Numbers().Grid();
    w->EnableControls();
    QTest::mouseClick(Parts(w).numbersView->btnDeleteAll, Qt::LeftButton);  // "Удалить всех"
    ASSERT_EQ(g.Cells(7, 1), "Да");
    op.unsavedAnswers = {TUnsaved::Discard};
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(op.unsavedQuestions.size(), 1);
    for (int r : {1, 10, 11, 3000}) EXPECT_EQ(g.Cells(7, r), "Нет") << r;
    EXPECT_FALSE(w->isWindowModified());
    // A number typed into a formerly marked row now reaches the module.
    g.SetCells(1, 11, "+79990000011");
    g.SetCells(6, 11, "Да");
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(module->Memory(0x1000 + 10 * 32, 13), QByteArray("+79990000011") + '\0');
}

// "Отклонить" before an import whose file dialog is then cancelled: nothing
// replaced the table, so its edits stay marked unsaved and closing asks.
TEST_F(GuardedWindow, EditsDroppedForAnImportNeverMadeStayUnsaved) {
    Open();
    LogIn();
    w->Session().Settings().SetValue(7, "55");
    w->Session().Numbers().Grid().SetCells(1, 5, "+7999");
    ASSERT_TRUE(w->isWindowModified());
    for (QPushButton* import : {Parts(w).settingsView->btnImportProfile, Parts(w).numbersView->btnImportNumbers}) {
        op.unsavedAnswers = {TUnsaved::Discard};
        op.openFile.clear();  // the file dialog cancelled
        QTest::mouseClick(import, Qt::LeftButton);
        ASSERT_TRUE(Quiet());
        EXPECT_TRUE(w->isWindowModified()) << import->objectName().toStdString();
    }
    EXPECT_EQ(w->Session().Settings().Value(7), "55");
    EXPECT_TRUE(w->Session().Settings().Edits().Edited());
    EXPECT_TRUE(w->Session().Numbers().Edits().Edited());
    const qsizetype asked = op.unsavedQuestions.size();
    op.unsavedAnswers = {TUnsaved::Cancel};
    EXPECT_FALSE(w->close()) << "closing still asks";
    EXPECT_EQ(op.unsavedQuestions.size(), asked + 1);
}

TEST_F(GuardedWindow, ClosingWithUnsavedEditsAsksAndCancelKeepsTheWindow) {
    Open();
    LogIn();
    w->Session().Numbers().Grid().SetCells(1, 5, "+7999");
    EXPECT_TRUE(w->isWindowModified());
    op.unsavedAnswers = {TUnsaved::Cancel};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(op.unsavedQuestions.size(), 1);
    EXPECT_TRUE(op.unsavedQuestions[0].contains("номеров")) << op.unsavedQuestions[0].toStdString();
    // Logging out asks the same; "Отклонить" closes the port, and the edits
    // left on screen stay marked: they are in no module.
    op.unsavedAnswers = {TUnsaved::Discard};
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
    EXPECT_FALSE(w->PortShownOpen());
    EXPECT_TRUE(w->isWindowModified());
    op.unsavedAnswers = {TUnsaved::Discard};
    w->close();
    EXPECT_TRUE(WaitFor([&] { return !w->isVisible(); }, 5000)) << "asked again, then closed";
    EXPECT_EQ(op.unsavedQuestions.size(), 3);
}

// A new download resets the history filter's fields to the whole log: the
// filter with them hides nothing.
TEST_F(GuardedWindow, ANewDownloadResetsTheHistoryFilterToTheWholeLog) {
    sim::TSimOptions o;
    o.seedHistory = 20;
    Open(o);
    LogIn();
    Parts(w).tabs->setCurrentIndex(2);
    THistoryView* h = Parts(w).historyView;
    h->startDateEdit->setDate(QDate(2030, 1, 1));  // what an earlier filter left
    h->endDateEdit->setDate(QDate(2016, 1, 1));
    QTest::mouseClick(h->btnDownloadHistory, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(h->WindowStart(), QDateTime(QDate(2015, 3, 3), QTime(0, 0)));
    EXPECT_GE(h->WindowEnd(), QDateTime::currentDateTime().addSecs(-5));
    EXPECT_EQ(h->WindowEnd().time(), QTime(23, 59, 59)) << "a date typed over the end takes its whole day";
    QTest::mouseClick(h->btnFilter, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(h->shown->text(), "Записи 1–20 из 20");
}

// Ctrl+R reads the shown tab and Ctrl+S saves it, through the usual questions.
TEST_F(GuardedWindow, CtrlRReadsAndCtrlSSavesTheShownTab) {
    sim::TSimOptions o;
    o.seedNumbers = 3;
    Open(o);
    LogIn();
    Parts(w).tabs->setCurrentIndex(1);
    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(Quiet());
    EXPECT_FALSE(w->Session().Numbers().Grid().Cells(1, 3).isEmpty());
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    w->Session().Numbers().Grid().SetCells(1, 2, "+79990000002");
    const int asked = int(op.questions.size());
    op.answers = {false};
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(int(op.questions.size()), asked + 1) << op.messages.back().toStdString();
    EXPECT_TRUE(op.questions.back().contains("изменено: 1")) << op.questions.back().toStdString();
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), before) << "declined: nothing written";
}

// A read-only visit: every write button disabled with the reason, reads as
// usual, and a write asked for anyway sends nothing.
TEST_F(GuardedWindow, AReadOnlyVisitDisablesEveryWriteAndSendsNone) {
    Open();
    w->SetReadOnly(true);
    WindowFixture::LogIn();
    EXPECT_TRUE(w->windowTitle().contains("только чтение")) << w->windowTitle().toStdString();
    for (QPushButton* write : {Parts(w).settingsView->btnSaveSettings, Parts(w).numbersView->btnSaveNumbers, Parts(w).btnRestore,
                               Parts(w).Get<QPushButton>("btnSyncTime"), Parts(w).Get<QPushButton>("btnCheckingMode")}) {
        EXPECT_FALSE(write->isEnabled()) << write->text().toStdString();
        EXPECT_TRUE(write->toolTip().contains("Только чтение")) << write->text().toStdString();
    }
    EXPECT_TRUE(Parts(w).settingsView->btnReadSettings->isEnabled()) << "reading goes on";
    w->Session().Settings().SetValue(16, "12");
    w->Session().SaveSettings();
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.messages.back().contains("Только чтение")) << op.messages.back().toStdString();
    EXPECT_EQ(module->Changes(), 0);
    EXPECT_FALSE(Parts(w).readOnlyChoice->isEnabled()) << "asked for at start-up: the whole visit";
    // Ctrl+S says why nothing happens; the unsaved mark stands beside the module.
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(Parts(w).statusText->text().startsWith("Визит только для чтения")) << Parts(w).statusText->text().toStdString();
    EXPECT_TRUE(w->windowTitle().endsWith("[*] — только чтение")) << w->windowTitle().toStdString();
}

// Chosen in the menu, a read-only visit is remembered for the next start
// and undone there, the buttons' own words back.
TEST_F(GuardedWindow, AReadOnlyVisitChosenInTheMenuIsRememberedAndUndone) {
    Open();
    WindowFixture::LogIn();
    // A command button sends its one frame.
    const int sent = module->Requests();
    Parts(w).Get<QPushButton>("btnSyncTime")->click();
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(module->Requests(), sent + 1);
    QPushButton* save = Parts(w).settingsView->btnSaveSettings;
    const QString own = save->toolTip();
    QAction* choice = Parts(w).readOnlyChoice;
    ASSERT_TRUE(choice->isEnabled());
    choice->trigger();
    const QSettings remembered(QStringLiteral("Portiqa"), QStringLiteral("Configurator"));
    EXPECT_TRUE(remembered.value(kReadOnlyKey).toBool());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(save->toolTip().contains("выбрано в меню")) << save->toolTip().toStdString();
    EXPECT_TRUE(w->windowTitle().contains("только чтение"));
    choice->trigger();
    EXPECT_FALSE(QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(kReadOnlyKey).toBool());
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(save->toolTip(), own);
    EXPECT_FALSE(w->windowTitle().contains("только чтение"));
}

// A login again over edited settings, or a snapshot over an edited table,
// asks first; the default keeps the edits.
TEST_F(GuardedWindow, EditsAreNeverReadOrLoadedOverWithoutAQuestion) {
    Open();
    LogIn();
    w->Session().Settings().SetValue(16, "12");
    op.unsavedAnswers = {TUnsaved::Cancel};
    QTest::mouseClick(Parts(w).btnLogin, Qt::LeftButton);  // "Вход" again
    ASSERT_TRUE(Quiet());
    ASSERT_TRUE(WaitFor([&] { return op.unsavedQuestions.size() == 1; }, 5000));
    EXPECT_TRUE(op.unsavedQuestions[0].contains("загрузить настройки модуля")) << op.unsavedQuestions[0].toStdString();
    EXPECT_EQ(w->Session().Settings().Value(16), "12");
    EXPECT_TRUE(w->isWindowModified());

    TModuleJournal journal(w->Record(), w->Session(), w.get());
    journal.show();
    const QRect first = journal.entries->visualRect(journal.entries->model()->index(0, 1));
    QTest::mouseClick(journal.entries->viewport(), Qt::LeftButton, {}, first.center());
    op.answers = {false};
    QTest::mouseClick(journal.load, Qt::LeftButton);
    ASSERT_FALSE(op.warnings.isEmpty());
    EXPECT_TRUE(op.warnings.back().contains("не сохранены в GSM модуль и пропадут")) << op.warnings.back().toStdString();
    EXPECT_EQ(w->Session().Settings().Value(16), "12") << "Cancel keeps the edits";
}

TEST_F(GuardedWindow, SaveFromTheQuestionSavesThenCloses) {
    Open();
    LogIn();
    w->Session().Settings().SetValue(15, "120");
    op.unsavedAnswers = {TUnsaved::Save};
    w->close();
    ASSERT_TRUE(Quiet());
    ASSERT_TRUE(WaitFor([&] { return !w->isVisible(); }, 5000));
    EXPECT_EQ(module->Memory(200, 2), QByteArray::fromHex("7800"));
}

TEST_F(GuardedWindow, AfterARestoreTheTablesHoldTheRestoredModule) {
    sim::TSimOptions o;
    o.seedNumbers = 20;
    Open(o);
    LogIn();
    QTemporaryDir dir;
    op.saveFile = dir.filePath("m.pbk");
    QTest::mouseClick(Parts(w).btnBackup, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    // The module changes; the operator restores the copy: the window reads
    // the module again, so the next save cannot write the old tables back.
    module->WriteMemory(202, QByteArray::fromHex("0500"));
    op.openFile = dir.filePath("m.pbk");
    op.answers = {true};
    QTest::mouseClick(Parts(w).btnRestore, Qt::LeftButton);
    ASSERT_TRUE(Quiet(60000));
    EXPECT_TRUE(WaitFor([&] { return w->Session().Numbers().Grid().Cells(1, 20).size() > 0; }, 30000));
    ASSERT_TRUE(Quiet(60000));
    EXPECT_EQ(w->Session().Settings().Value(16), "0");
    EXPECT_FALSE(w->Session().Numbers().Grid().Cells(1, 20).isEmpty());
    EXPECT_FALSE(w->isWindowModified());
}

// Module A, then module B on another port without a login: nothing of B is
// read or written until the login, and A's list is written into B only when
// the operator says so.
TEST_F(GuardedWindow, AReconnectIsANewModuleUntilALoginAndATableFromAnotherModuleIsAskedAbout) {
    sim::TSimOptions a, b;
    a.password = "4721";
    a.seedNumbers = 16;
    b.password = "1111";
    b.seedNumbers = 3;
    auto moduleA = std::make_unique<sim::TModuleSimulator>(a);
    module = std::make_unique<sim::TModuleSimulator>(b);
    ASSERT_TRUE(moduleA->Start());
    ASSERT_TRUE(module->Start());
    moduleA->WriteMemory(4, QByteArray("+79161234567") + '\0');
    w = std::make_unique<TMainWindow>(QList<TPortChoice>{{"A", moduleA->Path()}, {"B", module->Path()}}, &op);
    w->show();

    Parts(w).portBox->setCurrentIndex(0);
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
    Parts(w).passwordEdit->clear();
    QTest::keyClicks(Parts(w).passwordEdit, "4721");
    QTest::mouseClick(Parts(w).btnLogin, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(w->windowTitle().contains("+79161234567")) << w->windowTitle().toStdString();
    Parts(w).tabs->setCurrentIndex(1);
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    ASSERT_FALSE(w->Session().Numbers().Grid().Cells(1, 16).isEmpty());

    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);  // "Выйти"
    Parts(w).portBox->setCurrentIndex(1);
    QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);  // "Войти" on B, no "Вход"
    ASSERT_TRUE(w->PortShownOpen());
    EXPECT_FALSE(w->windowTitle().contains("+79161234567"));
    const QByteArray settingsB = module->Memory(0, 512), numbersB = module->Memory(0x1000, 375 * 256);
    for (QPushButton* button : {Parts(w).numbersView->btnDownloadNumbers, Parts(w).numbersView->btnSaveNumbers, Parts(w).settingsView->btnSaveSettings, Parts(w).btnRestore}) {
        EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    w->Session().SaveNumbers();  // the core refuses too
    EXPECT_TRUE(op.messages.back().startsWith("Сначала войдите в GSM модуль")) << op.messages.back().toStdString();
    EXPECT_EQ(module->Requests(), 0);

    // The password box takes four digits, as the settings' password row: a
    // letter or a fifth digit never enters, and a short password is not sent.
    Parts(w).passwordEdit->clear();
    QTest::keyClicks(Parts(w).passwordEdit, "1a1");
    QTest::mouseClick(Parts(w).btnLogin, Qt::LeftButton);
    EXPECT_EQ(op.messages.back(), "Введите пароль GSM модуля: 4 цифры");
    EXPECT_EQ(module->Requests(), 0);
    QTest::keyClicks(Parts(w).passwordEdit, "1b13");
    EXPECT_EQ(Parts(w).passwordEdit->text(), "1111");
    QTest::mouseClick(Parts(w).btnLogin, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(w->Session().Settings().Value(1), "1111") << "the settings are B's after its login";
    // The number table still holds A's list: its save asks, Cancel writes nothing.
    op.answers = {false};
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_EQ(op.warnings[0], "Список номеров прочитан из модуля +79161234567, записать его в модуль (номер SIM не задан)?");
    EXPECT_EQ(module->Memory(0, 512), settingsB);
    EXPECT_EQ(module->Memory(0x1000, 375 * 256), numbersB);
    // After a download from B the list is B's own: saved without that question.
    op.unsavedAnswers = {TUnsaved::Discard};
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    w->Session().Numbers().Grid().SetCells(1, 2, "+79990000002");
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    // Only the warning that record 2's old subscriber loses access.
    ASSERT_EQ(op.warnings.size(), 2);
    EXPECT_TRUE(op.warnings[1].startsWith("Внимание! После сохранения доступ потеряют или сократят: 1\rПотеряют доступ: 1\r"))
        << op.warnings[1].toStdString();
    EXPECT_EQ(module->Memory(0x1000 + 32, 12), QByteArray("+79990000002"));
}

// The module's journal: the download and the save are there, two snapshots
// compare to the edited record, and the older one loaded into the tables goes
// back to the module through the usual save.
TEST_F(GuardedWindow, TheJournalComparesSnapshotsAndLoadsOneForTheUsualSave) {
    sim::TSimOptions o;
    o.seedNumbers = 12;
    Open(o);
    module->WriteMemory(4, QByteArray("+79031112233") + '\0');
    LogIn();
    ASSERT_NE(w->Record(), nullptr);
    EXPECT_TRUE(w->windowTitle().contains("+79031112233"));
    Parts(w).tabs->setCurrentIndex(1);
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    const QByteArray original = module->Memory(0x1000 + 2 * 32, 32);
    w->Session().Numbers().Grid().SetCells(1, 3, "+79990000003");
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(module->Memory(0x1000 + 2 * 32, 12), QByteArray("+79990000003"));

    TModuleJournal journal(w->Record(), w->Session(), w.get());
    journal.show();
    // Newest first: the save's snapshot, the write, the download's snapshot, the login's settings.
    QStringList what;
    for (int row = 0; row < journal.entries->rowCount(); ++row) what << journal.entries->item(row, 1)->text();
    ASSERT_GE(what.size(), 4) << what.join(" | ").toStdString();
    EXPECT_TRUE(what[0].endsWith(": после записи") && what[1] == "запись: номера" && what[2].endsWith(": чтение"))
        << what.join(" | ").toStdString();
    const auto rowCenter = [&](int row) { return journal.entries->visualRect(journal.entries->model()->index(row, 1)).center(); };
    QTest::mouseClick(journal.entries->viewport(), Qt::LeftButton, {}, rowCenter(0));
    QTest::mouseClick(journal.entries->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCenter(2));
    QTest::mouseClick(journal.compare, Qt::LeftButton);
    const QString diff = journal.differences->toPlainText();
    EXPECT_TRUE(diff.contains("изменено: 1, удалено: 0")) << diff.toStdString();
    EXPECT_TRUE(diff.contains("запись 3: ")) << diff.toStdString();
    EXPECT_EQ(diff.count("запись "), 1) << diff.toStdString();

    QTest::mouseClick(journal.entries->viewport(), Qt::LeftButton, {}, rowCenter(2));
    QTest::mouseClick(journal.load, Qt::LeftButton);
    EXPECT_NE(w->Session().Numbers().Grid().Cells(1, 3), "+79990000003");
    EXPECT_TRUE(w->isWindowModified());
    journal.close();
    op.answers = {true};
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.questions.back().contains("изменено: 1")) << op.questions.back().toStdString();
    EXPECT_EQ(module->Memory(0x1000 + 2 * 32, 32), original);

    // "Открыть" tries the record again and shows it here: the journal stays open.
    TModuleJournal retried(nullptr, w->Session(), w.get());
    retried.show();
    EXPECT_FALSE(retried.modules->isEnabled());
    retried.OnReopen = [&](const QString&, QString&) { return w->Record(); };
    QTest::mouseClick(retried.reopen, Qt::LeftButton);
    EXPECT_TRUE(retried.isVisible());
    EXPECT_TRUE(retried.modules->isEnabled());
    EXPECT_GE(retried.entries->rowCount(), 4);
    retried.close();

    // A read after the writes leaves each write's entry as it ended.
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    QString error;
    const QList<TJournalEntry> writes = w->Record()->Journal(*w->Session().ModuleId(), 10, error);
    ASSERT_EQ(writes.size(), 2) << error.toStdString();
    for (const TJournalEntry& e : writes) {
        EXPECT_EQ(e.operation, "numbers");
        EXPECT_EQ(e.outcome, "done");
        EXPECT_EQ(e.pagesWritten, 1);
    }
    const QList<TSnapshot> kept = w->Record()->Snapshots(*w->Session().ModuleId(), 1, error);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].kind, "read") << "the read is filed as a read";
}

TEST_F(GuardedWindow, ACancelledDownloadMarksTheTableIncompleteAndASaveFromItIsRefused) {
    sim::TSimOptions o;
    o.seedNumbers = 3000;
    Open(o);
    LogIn();
    EXPECT_FALSE(Parts(w).btnCancel->isEnabled());
    auto& g = w->Session().Numbers().Grid();
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !g.Cells(1, 80).isEmpty(); }, 20000));
    ASSERT_TRUE(WaitFor([&] { return Parts(w).btnCancel->isEnabled(); }, 2000));
    QTest::mouseClick(Parts(w).btnCancel, Qt::LeftButton);
    EXPECT_FALSE(w->Session().Busy());
    EXPECT_EQ(op.messages.back(), "Обмен с GSM модулем прерван");
    const int read = w->Session().Numbers().PagesRead();
    EXPECT_GE(read, 10);
    EXPECT_LT(read, 375);
    EXPECT_FALSE(Parts(w).numbersView->incomplete->isHidden());
    EXPECT_EQ(Parts(w).numbersView->incomplete->text(), QStringLiteral("Список неполный: прочитано %1 из 375 страниц").arg(read));
    EXPECT_TRUE(g.Cells(1, 3000).isEmpty());
    // A save from the incomplete table would remove what it lacks: refused,
    // nothing written, nothing sent (the read in flight when Stop was
    // pressed may reach a busy module only after the mark is taken).
    const int mark = module->Requests(), changes = module->Changes();
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(module->Changes(), changes);
    EXPECT_LE(module->Requests(), mark + 1);
    EXPECT_TRUE(op.messages.back().startsWith(QStringLiteral("Список номеров скачан не полностью (прочитано страниц: %1 из 375)").arg(read)))
        << op.messages.back().toStdString();
    // A whole download makes it complete again.
    op.unsavedAnswers = {TUnsaved::Discard};
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(Parts(w).numbersView->incomplete->isHidden());
    EXPECT_FALSE(g.Cells(1, 3000).isEmpty());
}

} // namespace

namespace {

TEST(WindowKeyboard, ThePasswordIsMaskedUntilAskedAndTabLeavesATable) {
    std::unique_ptr<TMainWindow> w = std::make_unique<TMainWindow>();
    EXPECT_EQ(Parts(w).passwordEdit->echoMode(), QLineEdit::Password);
    Parts(w).showPassword->trigger();
    EXPECT_EQ(Parts(w).passwordEdit->echoMode(), QLineEdit::Normal);
    Parts(w).showPassword->trigger();
    EXPECT_EQ(Parts(w).passwordEdit->echoMode(), QLineEdit::Password);
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    Parts(w).tabs->setCurrentIndex(1);
    QTableView* t = Parts(w).numbersView->numbersGrid;
    t->setFocus(Qt::TabFocusReason);
    t->setCurrentIndex(t->model()->index(4, 2));
    ASSERT_EQ(QApplication::focusWidget(), t);
    QTest::keyClick(t, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), t) << "Tab leaves the table";
    EXPECT_EQ(t->currentIndex(), t->model()->index(4, 2)) << "and moves nothing inside it";
}

} // namespace

// Names and sites another program gives (a site imported from the command
// line) show when a table is next looked at; words the table shows stay.
TEST_F(GuardedWindow, NamesGivenElsewhereShowWhenTheNumbersAreNextShown) {
    sim::TSimOptions o;
    o.seedNumbers = 3;
    Open(o);
    LogIn();
    Parts(w).tabs->setCurrentIndex(0);
    TNumberTable& t = w->Session().Numbers();
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);  // download
    ASSERT_TRUE(Quiet());
    const QString first = t.Grid().Cells(TNumberTable::kNumber, 1), second = t.Grid().Cells(TNumberTable::kNumber, 2);
    ASSERT_FALSE(first.isEmpty() || second.isEmpty());
    t.Grid().SetCells(TNumberTable::kPlace, 2, "Склад");  // shown, not yet kept
    {
        QString error;
        auto other = TRecord::Open(w->Record()->Where(), error);  // another program on the same record
        ASSERT_TRUE(other) << error.toStdString();
        TPerson vera, ivan;
        vera.number = first;
        vera.name = "Вера";
        ivan.number = second;
        ivan.name = "Иван";
        ASSERT_TRUE(other->SetPerson(SubscriberKey(first, t.People().Country()), vera, error)) << error.toStdString();
        ASSERT_TRUE(other->SetPerson(SubscriberKey(second, t.People().Country()), ivan, error));
        const auto site = other->SetSiteList("Elsewhere", 0, {}, error);
        ASSERT_TRUE(site && other->AddSiteModule(*site, *w->Session().ModuleId(), {}, error)) << error.toStdString();
    }
    EXPECT_FALSE(Parts(w).moduleLabel->text().contains("Elsewhere"));
    EXPECT_EQ(t.Grid().Cells(TNumberTable::kName, 1), "");
    Parts(w).tabs->setCurrentIndex(1);
    EXPECT_EQ(t.Grid().Cells(TNumberTable::kName, 1), "Вера");
    EXPECT_EQ(t.Grid().Cells(TNumberTable::kPlace, 2), "Склад");
    EXPECT_EQ(t.Grid().Cells(TNumberTable::kName, 2), "") << "a row showing words keeps them";
    EXPECT_TRUE(Parts(w).moduleLabel->text().contains("объект «Elsewhere»")) << Parts(w).moduleLabel->text().toStdString();
}

// A site's list: the button loads it for this module, names shown; the
// usual save writes it and the module is then current.
TEST_F(GuardedWindow, ASitesListIsLoadedAndSavedThroughTheUsualSave) {
    Open();
    module->WriteMemory(4, QByteArray("+79165550009") + '\0');
    LogIn();
    TRecord* record = w->Record();
    ASSERT_TRUE(record && w->Session().ModuleId());
    QString error;
    TSiteEntry entry;
    entry.number = "+79161110001";
    entry.unrestricted = true;
    const auto site = record->SetSiteList("Gates", 0, {entry}, error);
    ASSERT_TRUE(site) << error.toStdString();
    ASSERT_TRUE(record->AddSiteModule(*site, *w->Session().ModuleId(), {}, error));
    TPerson anna;
    anna.name = "Анна";
    w->Session().Numbers().People().Set("89161110001", anna);  // another form of the same subscriber

    QTest::mouseClick(Parts(w).numbersView->btnSite, Qt::LeftButton);
    EXPECT_TRUE(op.messages.back().startsWith("Список объекта «Gates» (редакция 2) загружен в таблицу: модуль отстаёт."))
        << op.messages.back().toStdString();
    EXPECT_EQ(w->Session().Numbers().Grid().Cells(TNumberTable::kName, 1), "Анна");
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.questions.back().contains("Анна (+79161110001): добавлен")) << op.questions.back().toStdString();
    EXPECT_EQ(module->Memory(0x1000, 13), QByteArray("+79161110001") + '\0');
    EXPECT_TRUE(Parts(w).moduleLabel->text().endsWith("объект «Gates»: актуален")) << Parts(w).moduleLabel->text().toStdString();
}

// A new number typed in a local form: the save offers the module's usual
// form and writes it only when the operator ticks it.
TEST_F(GuardedWindow, ANewLocalNumberIsOfferedInItsUsualForm) {
    Open();
    LogIn();
    w->Session().Numbers().People().SetCountry(*TNumberCountry::Parse("RU"));
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    auto& g = w->Session().Numbers().Grid();
    g.SetCells(TNumberTable::kNumber, 1, "89161110009");
    g.SetCells(TNumberTable::kUnrestricted, 1, TNumberTable::Yes());
    op.tickOptions = true;
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(op.options.size(), 1);
    EXPECT_EQ(op.options[0], "Записать новые номера в обычной форме (89161110009 → +79161110009, всего 1)");
    EXPECT_EQ(module->Memory(0x1000, 13), QByteArray("+79161110009") + '\0');
    EXPECT_EQ(g.Cells(TNumberTable::kNumber, 1), "+79161110009");
}

// Bulk edit: two records chosen with Shift, their windows moved by ten
// days; the save then lists the lengthened windows and asks no warning.
TEST_F(GuardedWindow, ChosenWindowsAreExtendedAndTheSaveSaysSo) {
    Open();
    LogIn();
    QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    auto& g = w->Session().Numbers().Grid();
    for (int r = 1; r <= 3; ++r) {
        g.SetCells(TNumberTable::kNumber, r, QStringLiteral("+7916000000%1").arg(r));
        g.SetCells(TNumberTable::kStartDate, r, "2025-01-01");
        g.SetCells(TNumberTable::kStartTime, r, "00:00");
        g.SetCells(TNumberTable::kEndDate, r, "2030-01-01");
        g.SetCells(TNumberTable::kEndTime, r, "00:00");
        g.SetCells(TNumberTable::kUnrestricted, r, TNumberTable::No());
    }
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);  // the three into the module first
    ASSERT_TRUE(Quiet());
    auto* v = Parts(w).numbersView->numbersGrid;
    Parts(w).tabs->setCurrentIndex(1);
    const auto centre = [v](int row) { return v->visualRect(v->model()->index(row - 1, TNumberTable::kNumber)).center(); };
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, centre(1));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2));
    QApplication::processEvents();
    EXPECT_EQ(Parts(w).numbersView->ChosenRows(), (QList<int>{1, 2}));
    op.texts = {"10"};
    QTest::mouseClick(Parts(w).numbersView->btnExtend, Qt::LeftButton);
    EXPECT_EQ(g.Cells(TNumberTable::kEndDate, 1), "2030-01-11");
    EXPECT_EQ(g.Cells(TNumberTable::kEndDate, 2), "2030-01-11");
    EXPECT_EQ(g.Cells(TNumberTable::kEndDate, 3), "2030-01-01");
    const int warnings = int(op.warnings.size());
    QTest::mouseClick(Parts(w).numbersView->btnSaveNumbers, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_TRUE(op.questions.back().contains("Получат, расширят доступ или добавлены с истёкшим сроком: 2")) << op.questions.back().toStdString();
    EXPECT_EQ(op.warnings.size(), warnings);
    EXPECT_EQ(module->Memory(0x1000 + 27, 1), QByteArray(1, char(11)));  // record 1's end day
}

namespace {

// The window's own boxes: Enter on a question whose yes writes into the
// module or replaces a table is its "Отменить", never the write.
TEST(GuiOperatorBoxes, EnterNeverWrites) {
    QWidget owner;
    TGuiOperator op(&owner);
    bool option = false;
    const std::function<bool()> asks[] = {
        [&] { return op.AskAccept("Сохранить настройки в GSM модуль?"); },
        [&] { return op.AskAcceptWithOption("Сохранить настройки в GSM модуль?", "Заменить", option); },
        [&] { return op.AskUnsaved("Сохранить их, прежде чем импортировать файл?") != TUnsaved::Cancel; },
        [&] { return op.WarnOkCancel("Внимание! Сохранение удалит из GSM модуля 3 номера"); },
    };
    for (const auto& ask : asks) {
        bool pressed = false;
        // The box is modal: Enter reaches it from the event loop it runs.
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            QTest::keyClick(box, Qt::Key_Return);
            pressed = true;
        });
        EXPECT_FALSE(ask());
        EXPECT_TRUE(pressed);
    }
}

// The choice of what to restore writes nothing yet: a box unticked by a
// click, Enter takes the choice; Escape drops it.
TEST(GuiOperatorBoxes, AChoiceIsTakenAsTickedOrDropped) {
    QWidget owner;
    TGuiOperator op(&owner);
    for (const bool escape : {false, true}) {
        QList<IOperator::TChoice> areas{{"Базовые настройки", true}, {"Номера абонентов", true}};
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            const QList<QCheckBox*> ticks = box->findChildren<QCheckBox*>();
            if (ticks.size() == 2) QTest::mouseClick(ticks[0], Qt::LeftButton, {}, QPoint(5, ticks[0]->height() / 2));
            QTest::keyClick(box, escape ? Qt::Key_Escape : Qt::Key_Return);
        });
        EXPECT_EQ(op.AskChoices("Что восстановить из копии m.pbk?", areas), !escape);
        if (!escape) {
            EXPECT_FALSE(areas[0].checked);
            EXPECT_TRUE(areas[1].checked);
        }
    }
}

} // namespace
