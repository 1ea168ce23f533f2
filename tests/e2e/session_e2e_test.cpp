#include "session_fixture.h"
#include "link/link_messages.h"
#include "numbers/number_record.h"
#include "session/module_commands.h"

using namespace portiqa;
using portiqa::test::SessionFixture;
using portiqa::test::WaitFor;

namespace {

TEST_F(SessionFixture, LoginRightWrongOtherCaseOtherLength) {
    simOptions.password = "5807";
    Start();
    ASSERT_TRUE(Login("5807"));
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");
    EXPECT_TRUE(controlsEnabled);
    ASSERT_TRUE(Login("58070"));
    EXPECT_EQ(op.messages.back(), "Неверный пароль!");
    EXPECT_FALSE(controlsEnabled);
    ASSERT_TRUE(Login("580"));
    EXPECT_EQ(op.messages.back(), "Неверный пароль!");
}

TEST_F(SessionFixture, SettingsReadEditSaveReadBack) {
    Start();
    // Hidden fields that a read must carry to the next save, byte for byte.
    QByteArray hidden(32, 0);
    for (int i = 0; i < 32; ++i) hidden[i] = char(0x80 + i);
    module->WriteMemory(204, hidden);
    module->WriteMemory(0x100, QByteArray::fromHex("0102030405060708090A0B0C0D0E"));

    ASSERT_TRUE(Login("5807"));
    session->settingsBlock.ReadAfterQuestion();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(op.told.back(), "Базовые настройки считаны");
    auto& t = session->settingsTable;
    EXPECT_EQ(t.Value(1), "5807");
    EXPECT_EQ(t.Value(5), "Unauthorized door opened");
    EXPECT_EQ(t.Value(15), "999");
    EXPECT_EQ(t.ItemIndex(11), 3);

    t.SetValue(2, "+79991234567");
    t.SetValue(13, "Relay is on");
    t.SetValue(10, "999");
    t.SetItemIndex(8, 1);
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    // Page 2 holds nothing the operator changed: only page 1 is written.
    EXPECT_EQ(op.messages.back(), "Базовые настройки сохранены успешно\rЗаписано страниц: 1");
    const QByteArray page1 = module->Memory(0, 256);
    EXPECT_EQ(page1.mid(4, 13), QByteArray("+79991234567") + '\0');
    EXPECT_EQ(page1.mid(112, 4), QByteArray::fromHex("E703E703"));
    EXPECT_EQ(uint8_t(page1[111]), 1);
    EXPECT_EQ(page1.mid(204, 32), hidden);
    EXPECT_EQ(module->Memory(0x100, 14), QByteArray::fromHex("0102030405060708090A0B0C0D0E"));

    t.SetValue(13, "");
    session->settingsBlock.ReadAfterQuestion();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(t.Value(13), "Relay is on");
    EXPECT_EQ(t.Value(2), "+79991234567");
    EXPECT_EQ(done, 3);
}

TEST_F(SessionFixture, NumbersDownloadEditSaveAndTheModuleBytesAgree) {
    simOptions.seedNumbers = 100;
    Start();
    ASSERT_TRUE(Login("5807"));
    const QByteArray before = module->Memory(0x1000, 375 * 256);
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle(60000));
    EXPECT_EQ(op.told.back(), "Номера пользователей прочитаны из GSM модуля");
    EXPECT_EQ(op.told.count("Номера пользователей прочитаны из GSM модуля"), 1);
    auto& g = session->numberTable.Grid();
    EXPECT_FALSE(g.Cells(1, 100).isEmpty());
    EXPECT_TRUE(g.Cells(1, 101).isEmpty());
    EXPECT_EQ(g.Cells(6, 1), "Да");

    // Saving an unedited download writes nothing: the module holds every
    // page already (its free slots as 0xFF, which mean what the table's
    // zero bytes mean).
    session->numberBlock.Save();
    ASSERT_TRUE(Settle(60000));
    EXPECT_EQ(op.messages.back(), "Список авторизованных номеров успешно сохранен\rЗаписано страниц: 0");
    const QByteArray after = module->Memory(0x1000, 375 * 256);
    EXPECT_EQ(after, before);

    g.SetCells(7, 3, "Да");                 // delete record 3
    g.SetCells(1, 200, "+70001112233");     // a new unrestricted number
    g.SetCells(6, 200, "Да");
    outcomes.clear();
    session->numberBlock.Save();
    ASSERT_TRUE(Settle(60000));
    // The outcome counts what happened: two pages changed (records 3 and
    // 200), each checked by a read just before its write and read back.
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].pagesWritten, 2);
    EXPECT_EQ(outcomes[0].pagesVerified, 2);
    EXPECT_GE(outcomes[0].pagesRead, 2);
    EXPECT_EQ(module->Memory(0x1000 + 2 * 32, 32), QByteArray(32, char(0xFF)));
    EXPECT_EQ(module->Memory(0x1000 + 199 * 32, 13), QByteArray("+70001112233") + '\0');
    // The table shows what the module now holds: record 3 gone, not struck through.
    EXPECT_TRUE(g.Cells(1, 3).isEmpty());
    EXPECT_EQ(g.Cells(7, 3), "Нет");
    EXPECT_FALSE(session->numberTable.Edits().Edited());

    g.SetCells(1, 200, "");
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle(60000));
    EXPECT_EQ(g.Cells(1, 200), "+70001112233");
    EXPECT_TRUE(g.Cells(1, 3).isEmpty());
}

TEST_F(SessionFixture, HistoryDownloadFilterDeleteDownloadAgain) {
    simOptions.seedHistory = 300;
    Start();
    ASSERT_TRUE(Login("5807"));
    session->historyBlock.Download();
    ASSERT_TRUE(Settle(60000));
    auto& g = session->historyTable.Grid();
    int rows = 0;
    while (rows < 1000 && !g.Cells(1, rows + 1).isEmpty()) ++rows;
    EXPECT_EQ(rows, 300);
    EXPECT_EQ(done, 1);

    EXPECT_TRUE(FilterHistory(session->historyTable, QDateTime(QDate(2023, 1, 1), QTime(0, 0)),
                              QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), session->status, op));
    int kept = 0;
    while (kept < 1000 && !g.Cells(1, kept + 1).isEmpty()) ++kept;
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 300);
    for (int r = 2; r <= kept; ++r)
        EXPECT_LE(g.Cells(2, r - 1) + g.Cells(3, r - 1), g.Cells(2, r) + g.Cells(3, r));

    session->historyBlock.DeleteAfterQuestion();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(op.messages.back(), "История данных удалена");
    session->historyBlock.Download();
    ASSERT_TRUE(Settle(60000));
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
}

TEST_F(SessionFixture, SilentModuleEndsInTheTimerMessageAndRefusedSaveIsReported) {
    // The login, the save's four reads (two pages, twice each) and its first
    // page are answered.
    simOptions.faults.silentAfter = 6;
    simOptions.faults.refuseSaves = true;
    Start();
    ASSERT_TRUE(Login("5807"));
    session->settingsTable.SetValue(16, "5");
    session->settingsBlock.Save();  // a save: refused by the module
    ASSERT_TRUE(WaitFor([&] { return op.messages.value(op.messages.size() - 1) == "Ошибка базовой настройки"; }));
    EXPECT_FALSE(session->settingsBlock.TransferRunning());
    session->settingsBlock.ReadAfterQuestion();  // the module has gone quiet
    EXPECT_TRUE(session->seq.Outstanding());
    // It answered a moment ago: the request goes out twice more first, each
    // try waiting what this line's replies have taken, all of them together
    // less than one reply time and a bit.
    int waited = replyTimer.Interval();
    replyTimer.FireNow();
    EXPECT_EQ(display.Text(), "Повтор запроса 2/3");
    waited += replyTimer.Interval();
    replyTimer.FireNow();
    EXPECT_EQ(op.messages.back(), "Ошибка базовой настройки");
    waited += replyTimer.Interval();
    replyTimer.FireNow();
    EXPECT_EQ(op.messages.back(), "GSM модуль не отвечает" + NoAnswerHint());
    EXPECT_LE(waited, 3500);
    EXPECT_FALSE(session->settingsBlock.TransferRunning());
}

// Every operation ends in exactly one outcome that names it and says how it
// ended, whatever ended it: a refusal, a wrong password, silence, the operator.
TEST_F(SessionFixture, EveryOperationEndsInOneOutcomeThatNamesIt) {
    simOptions.faults.refuseSaves = true;
    simOptions.seedNumbers = 50;
    Start();
    using K = TOutcome::TKind;
    // Each outcome carries its words (what the operator is shown).
    const auto only = [this](TOperation operation, K kind) {
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_EQ(int(outcomes[0].operation), int(operation));
        EXPECT_EQ(int(outcomes[0].kind), int(kind));
        EXPECT_FALSE(outcomes[0].message.isEmpty());
        outcomes.clear();
    };
    ASSERT_TRUE(Login("1111"));
    only(TOperation::Login, K::WrongPassword);
    ASSERT_TRUE(Login("5807"));
    only(TOperation::Login, K::Done);
    session->settingsBlock.ReadQuietly();
    ASSERT_TRUE(Settle());
    only(TOperation::Settings, K::Done);
    session->settingsTable.SetValue(16, "5");
    session->settingsBlock.Save();  // the module refuses the save
    ASSERT_TRUE(Settle());
    only(TOperation::Settings, K::Failed);
    ASSERT_TRUE(session->Send(CheckingModeCommand()));
    ASSERT_TRUE(Settle());
    only(TOperation::Command, K::Done);
    // Refused before a frame: a read declined at its question, a save the rules stop.
    const int frames = framesSent;
    op.answers = {false};
    session->ReadSettings();
    only(TOperation::Settings, K::Cancelled);
    session->settingsTable.SetValue(1, "12");
    session->SaveSettings();
    only(TOperation::Settings, K::Failed);
    session->settingsTable.SetValue(1, "5807");
    EXPECT_EQ(framesSent, frames);
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(WaitFor([&] { return !session->numberTable.Grid().Cells(1, 1).isEmpty(); }));
    ASSERT_TRUE(session->receiver.CancelTransfer());  // the operator stops the download
    only(TOperation::Numbers, K::Cancelled);
    module->Stop();  // silence
    session->historyBlock.Download();
    for (int i = 0; i < 3 && session->seq.Outstanding(); ++i) replyTimer.Advance(3000);
    only(TOperation::History, K::NoAnswer);
}

// A single command the module answers with status 0 ends failed, in the
// words the operator is shown.
TEST_F(SessionFixture, ASingleCommandTheModuleRefusesEndsFailedWithItsWords) {
    simOptions.faults.refuseCommands = true;
    Start();
    ASSERT_TRUE(Login("5807"));
    const struct {
        std::function<bool()> send;
        const char* says;
    } cases[] = {
        {[this] { return session->Send(TimeSyncCommand()); }, "Ошибка возврата времени синхронизации"},
        {[this] { return session->historyDelete.Send(); }, "Ошибка при удалении исторических данных"},
        {[this] { return session->Send(CheckingModeCommand()); }, "Ошибка"},
    };
    for (const auto& c : cases) {
        outcomes.clear();
        ASSERT_TRUE(c.send());
        ASSERT_TRUE(Settle());
        ASSERT_EQ(outcomes.size(), 1u) << c.says;
        EXPECT_EQ(int(outcomes[0].kind), int(TOutcome::TKind::Failed)) << c.says;
        EXPECT_EQ(outcomes[0].message, QString::fromUtf8(c.says));
    }
}

// A snapshot from the record goes into the tables as the module it was
// taken of holds it; unsaved edits are replaced only after a yes.
TEST_F(SessionFixture, ASnapshotLoadsIntoTheTablesAsItsModulesAndAsksBeforeReplacingEdits) {
    Start();
    TSnapshot s;
    s.id = 7;
    s.pages.settings = QByteArray(2 * 256, '\0');
    s.pages.settings.replace(0, 16, QByteArray("4321") + QByteArray("79161234567") + QByteArray(1, '\0'));
    s.pages.numbers = QByteArray(375 * 256, '\xff');
    const TModuleIdentity from{"79161234567", "A1", QString(), -1};
    EXPECT_EQ(session->LoadSnapshot(s, from), (QStringList{"настройки", "номера"}));
    EXPECT_EQ(session->Settings().Value(1), "4321");
    EXPECT_EQ(session->Settings().Value(2), "79161234567");
    EXPECT_TRUE(session->Settings().Edits().Edited());
    EXPECT_EQ(session->Numbers().Origin().module.simNumber, "79161234567");

    s.pages.settings.replace(0, 4, "9999");
    op.answers = {false};
    EXPECT_TRUE(session->LoadSnapshot(s, from).isEmpty());
    EXPECT_EQ(op.warnings.size(), 1);
    EXPECT_EQ(session->Settings().Value(1), "4321");
}

TEST_F(SessionFixture, SecondTransferWhileOneRunsIsRefused) {
    simOptions.faults.latencyMs = 50;
    Start();
    ASSERT_TRUE(Login("5807"));
    session->numberBlock.DownloadAfterQuestion();
    session->historyBlock.Download();
    EXPECT_EQ(op.messages.back(), BusyMessage());
    EXPECT_FALSE(session->historyBlock.TransferRunning());
    session->pageTransfer.AbortTransfer();
    Settle();
}

} // namespace
