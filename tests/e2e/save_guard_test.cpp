// What a save writes is what the operator saw: the module's pages are read
// again just before writing, a change the module made itself is kept and
// reported, a change both made stops the save, and the operator is asked
// with what the save changes.
#include "session_fixture.h"
#include "settings/settings_rules.h"

using namespace portiqa;
using namespace portiqa::test;

namespace {

struct SaveGuard : SessionFixture {
    void ReadSettings() {
        ASSERT_TRUE(Login("5807"));
        session->basicInf.ReadAfterQuestion();
        ASSERT_TRUE(Settle());
        ASSERT_TRUE(session->basicInf.TableFromModule());
    }
    uint8_t ModuleByte(int32_t address) { return uint8_t(module->Memory(address, 1)[0]); }
};

TEST_F(SaveGuard, ARowTheModuleChangedItselfIsKeptAndReported) {
    Start();
    ReadSettings();
    auto& t = session->settingsTable;
    ASSERT_EQ(t.ItemIndex(8), 0);  // disarmed
    // An SMS arms the module while the operator edits row 16.
    module->WriteMemory(111, QByteArray(1, 1));
    t.SetValue(16, "24");
    op.questions.clear();
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], "Сохранить настройки в GSM модуль?\rстрока 16: 0 → 24");
    EXPECT_EQ(ModuleByte(111), 1) << "the module stays armed";
    EXPECT_EQ(module->Memory(202, 2), QByteArray::fromHex("1800"));
    EXPECT_EQ(t.ItemIndex(8), 1) << "the table shows what the module holds";
    EXPECT_TRUE(op.messages.back().contains("GSM модуль сам изменил строки: 8 — они сохранены как в модуле"))
        << op.messages.back().toStdString();
}

TEST_F(SaveGuard, ARowBothChangedStopsTheSaveAndNothingIsWritten) {
    Start();
    ReadSettings();
    const QByteArray before = module->Memory(0, 512);
    module->WriteMemory(202, QByteArray::fromHex("0500"));  // the module now says 5 hours
    QByteArray expected = before;
    expected.replace(202, 2, QByteArray::fromHex("0500"));
    session->settingsTable.SetValue(16, "24");
    session->settingsTable.SetValue(7, "30");
    bool failed = false;
    session->basicInf.OnTransferFailed = [&](const QString&) { failed = true; };
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(failed);
    EXPECT_TRUE(op.messages.back().contains("строки 16")) << op.messages.back().toStdString();
    EXPECT_EQ(module->Memory(0, 512), expected) << "nothing written";
}

TEST_F(SaveGuard, ASaveWithoutARead_AsksWithEveryRowItChangesAndKeepsTheHiddenRows) {
    Start();
    const QByteArray hidden = QByteArray::fromHex("0102030405060708");
    module->WriteMemory(204, hidden);
    module->WriteMemory(4, QByteArray("79161234567") + '\0');
    ASSERT_TRUE(Login("5807"));
    ASSERT_FALSE(session->basicInf.TableFromModule());
    // The table shows factory values, not this module's: the question names
    // the SIM number the save would wipe, and "Отменить" sends no save.
    session->settingsTable.SetValue(16, "24");
    op.answers = {false};
    bool failed = false;
    session->basicInf.OnTransferFailed = [&](const QString&) { failed = true; };
    const QByteArray before = module->Memory(0, 512);
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_TRUE(op.questions[0].contains("строка 2: 79161234567 → (пусто)")) << op.questions[0].toStdString();
    EXPECT_TRUE(op.questions[0].contains("строка 16: 0 → 24"));
    EXPECT_TRUE(failed);
    EXPECT_EQ(module->Memory(0, 512), before);
    // Accepted: written, and the bytes the operator never sees stay the module's.
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(module->Memory(204, 8), hidden);
    EXPECT_EQ(module->Memory(202, 2), QByteArray::fromHex("1800"));
}

TEST_F(SaveGuard, TheModulesOwnCyrillicTextGoesBackUnchangedANewOneMustBeLatin) {
    Start();
    QByteArray text = QByteArray::fromHex("d2f0e5e2eee3e0");  // "Тревога" in Windows-1251
    text.append(QByteArray(40 - text.size(), '\0'));
    module->WriteMemory(28, text);
    ReadSettings();
    auto& t = session->settingsTable;
    ASSERT_EQ(t.Value(5), "Тревога");
    t.SetValue(16, "12");
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(op.messages.back().startsWith("Базовые настройки сохранены успешно")) << op.messages.back().toStdString();
    EXPECT_EQ(module->Memory(28, 8), text.left(8));  // the text and its end mark
    t.SetValue(6, "Пожар");
    session->basicInf.Save();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(op.messages.back().startsWith("Настройки не сохранены. Строка 6: текст пишется латинскими"))
        << op.messages.back().toStdString();
}

} // namespace
