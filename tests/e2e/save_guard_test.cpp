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
        session->settingsBlock.ReadAfterQuestion();
        ASSERT_TRUE(Settle());
        ASSERT_TRUE(session->settingsBlock.TableFromModule());
    }
    uint8_t ModuleByte(int32_t address) { return uint8_t(module->Memory(address, 1)[0]); }
    // A fresh module and session for each case of a table.
    void Restart() {
        Stop();
        Start();
    }
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
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_EQ(op.questions[0], "Сохранить настройки в GSM модуль?\rстрока 16: 0 → 24");
    EXPECT_EQ(ModuleByte(111), 1) << "the module stays armed";
    EXPECT_EQ(module->Memory(202, 2), QByteArray::fromHex("1800"));
    EXPECT_EQ(t.ItemIndex(8), 1) << "the table shows what the module holds";
    EXPECT_TRUE(op.messages.back().contains("GSM модуль сам изменил строки: 8 — они сохранены как в модуле"))
        << op.messages.back().toStdString();
}

// A profile or another module's settings offer this module's password and
// SIM number apart: kept unless the operator ticks them in.
TEST_F(SaveGuard, AProfileKeepsTheModulesPasswordAndSimNumberUnlessTicked) {
    for (const bool tick : {false, true}) {
        Restart();
        module->WriteMemory(4, QByteArray("+79162220002") + '\0');
        ReadSettings();
        auto& t = session->settingsTable;
        t.SetOrigin(TTableOrigin::FromFile("a.xlsx"));
        t.SetValue(1, "1111");
        t.SetValue(2, "+79161110001");
        t.SetValue(16, "24");
        op.tickOptions = tick;
        session->SaveSettings();
        ASSERT_TRUE(Settle());
        ASSERT_FALSE(op.questions.isEmpty());
        EXPECT_TRUE(op.questions.back().startsWith("Сохранить настройки в GSM модуль?\rстрока 16: 0 → 24\r"))
            << op.questions.back().toStdString();
        EXPECT_TRUE(op.questions.back().contains("строка 1: 5807 → 1111\rстрока 2: +79162220002 → +79161110001"));
        EXPECT_EQ(module->Memory(0, 17), tick ? QByteArray("1111+79161110001") + '\0' : QByteArray("5807+79162220002") + '\0');
        EXPECT_EQ(module->Memory(202, 2), QByteArray::fromHex("1800"));
    }
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
    session->settingsBlock.OnEnded = [&](const TPageBlock::TEnd& e) { failed = e.kind == TOutcome::TKind::Failed; };
    session->settingsBlock.Save();
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
    ASSERT_FALSE(session->settingsBlock.TableFromModule());
    // The table shows factory values, not this module's: the question names
    // the SIM number the save would wipe, and "Отменить" sends no save.
    session->settingsTable.SetValue(16, "24");
    op.answers = {false};
    const QByteArray before = module->Memory(0, 512);
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_TRUE(op.questions[0].contains("строка 2: 79161234567 → (пусто)")) << op.questions[0].toStdString();
    EXPECT_TRUE(op.questions[0].contains("строка 16: 0 → 24"));
    // Declined: the save ends cancelled, with the question it was declined at.
    ASSERT_FALSE(outcomes.empty());
    EXPECT_EQ(outcomes.back().kind, TOutcome::TKind::Cancelled);
    EXPECT_EQ(outcomes.back().message, op.questions[0]);
    EXPECT_EQ(module->Memory(0, 512), before);
    // Accepted: written, and the bytes the operator never sees stay the module's.
    session->settingsBlock.Save();
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
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(op.messages.back().startsWith("Базовые настройки сохранены успешно")) << op.messages.back().toStdString();
    EXPECT_EQ(module->Memory(28, 8), text.left(8));  // the text and its end mark
    t.SetValue(6, "Пожар");
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(op.messages.back().startsWith("Настройки не сохранены. Строка 6: текст пишется латинскими"))
        << op.messages.back().toStdString();
}

// Between the check read and the write the module (an SMS) and the operator
// may touch the same rows: a row only the module changed keeps the module's
// value, a row both set to the same value is no conflict, rows both set
// differently stop the save with nothing written.
TEST_F(SaveGuard, SettingsTheModuleChangedMeanwhile) {
    struct Case {
        const char* name;
        int32_t moduleAt;
        QByteArray moduleBytes;
        int row;
        QString value;  // what the operator types
        const char* reported;  // rows reported as the module's own; "" none
        bool stopped;
        QByteArray expected202;  // row 16 afterwards
    };
    const Case cases[] = {
        {"module sets the SIM number, operator row 16", 4, QByteArray("79160000001") + '\0', 16, "24", "2", false,
         QByteArray::fromHex("1800")},
        {"module sets text 13, operator row 7", 118, QByteArray("Gate open") + '\0', 7, "30", "13", false,
         QByteArray::fromHex("0000")},
        {"both set row 16 to 24", 202, QByteArray::fromHex("1800"), 16, "24", "", false, QByteArray::fromHex("1800")},
        {"both set row 16, differently", 202, QByteArray::fromHex("0500"), 16, "24", "", true,
         QByteArray::fromHex("0500")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ReadSettings();
        module->WriteMemory(c.moduleAt, c.moduleBytes);
        const QByteArray held = module->Memory(0, 512);
        session->settingsTable.SetValue(c.row, c.value);
        session->settingsBlock.Save();
        ASSERT_TRUE(Settle());
        const QString last = op.messages.back();
        EXPECT_EQ(last.startsWith("Базовые настройки сохранены успешно"), !c.stopped) << last.toStdString();
        EXPECT_EQ(last.contains(QStringLiteral("сам изменил строки: %1 ").arg(c.reported)), *c.reported != 0)
            << last.toStdString();
        EXPECT_EQ(module->Memory(c.moduleAt, int(c.moduleBytes.size())), c.moduleBytes) << "the module's change is kept";
        EXPECT_EQ(module->Memory(202, 2), c.expected202);
        if (c.stopped) {
            EXPECT_EQ(module->Memory(0, 512), held) << "nothing written";
        }
    }
}

// A number record as the module keeps it: the number, zero-filled to 22
// bytes, then "no window" (0x63 in every date and time byte).
QByteArray NumberRecord(const QByteArray& number) {
    QByteArray r = number + QByteArray(22 - number.size(), '\0');
    return (r + QByteArray::fromHex("63636363636363630063")).left(32);
}

TEST_F(SaveGuard, NumbersTheModuleChangedMeanwhile) {
    struct Case {
        const char* name;
        int moduleRecord;  // the record an SMS changes
        int operatorRecord;  // the record the operator types a number into
        QByteArray operatorNumber;
        bool conflict;
    };
    const QByteArray smsNumber = "+79165550000";
    const Case cases[] = {
        {"the last record of a page the operator edits", 8, 7, "+79161110007", false},
        {"the last record of the list", 3000, 2999, "+79161112999", false},
        {"both set record 5 alike", 5, 5, smsNumber, false},
        {"both set record 5, differently", 5, 5, "+79161110005", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simOptions.seedNumbers = 10;
        Restart();
        ASSERT_TRUE(Login("5807"));
        session->numberBlock.DownloadAfterQuestion();
        ASSERT_TRUE(Settle(60000));
        const int32_t moduleAt = 0x1000 + 32 * (c.moduleRecord - 1), operatorAt = 0x1000 + 32 * (c.operatorRecord - 1);
        module->WriteMemory(moduleAt, NumberRecord(smsNumber));
        auto& g = session->numberTable.Grid();
        g.SetCells(1, c.operatorRecord, QString::fromLatin1(c.operatorNumber));
        g.SetCells(6, c.operatorRecord, TNumberTable::Yes());
        session->numberBlock.Save();
        ASSERT_TRUE(Settle(60000));
        const QString last = op.messages.back();
        const bool onlyModule = c.moduleRecord != c.operatorRecord;
        EXPECT_EQ(module->Memory(moduleAt, 32), NumberRecord(smsNumber)) << "the module's record is kept";
        EXPECT_EQ(last.contains(QStringLiteral("сам изменил записи: %1 ").arg(c.moduleRecord)), onlyModule)
            << last.toStdString();
        if (c.conflict) {
            EXPECT_TRUE(last.startsWith("Список номеров сохранён не полностью")) << last.toStdString();
        } else {
            EXPECT_TRUE(last.startsWith("Список авторизованных номеров успешно сохранен")) << last.toStdString();
            EXPECT_EQ(module->Memory(operatorAt, 13), c.operatorNumber + '\0');
            EXPECT_EQ(g.Cells(1, c.moduleRecord), QString::fromLatin1(smsNumber)) << "the table shows the module's";
        }
    }
}

} // namespace
