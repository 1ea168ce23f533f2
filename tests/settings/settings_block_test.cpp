#include "fakes.h"
#include "base/errors.h"
#include "base/timer.h"
#include "settings/settings_block.h"
#include "settings/settings_rules.h"
#include "settings/settings_layout.h"
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

struct BasicInfTest : ::testing::Test, test::TLinkRig {
    TSettingsTable table;
    TPageTransfer transfer{seq, progress};
    TSettingsBlock block{seq, transfer, table, progress, op};

    QByteArray Page(int n) {
        QByteArray bytes(256, '\0');
        EncodeSettingsPageTo(n, table, reinterpret_cast<uint8_t*>(bytes.data()));
        return bytes;
    }
    QByteArray Page1() { return Page(1); }
    // A reply as the receiver hands it over: to the running chain, else
    // straight into the table.
    void Decode(int32_t address, const QByteArray& page) {
        if (!transfer.TransferRunning()) return block.DecodeSettingsPage(address, reinterpret_cast<const uint8_t*>(page.constData()));
        transfer.OnReply(TReply{kCmdReadPage, address, reinterpret_cast<const uint8_t*>(page.constData()), 256});
    }
};

TEST_F(BasicInfTest, NumbersTextsAndSelectionsEncodeAtTheirOffsets) {
    table.SetValue(7, "10");
    table.SetValue(10, "999");
    table.SetValue(15, "999");
    table.SetValue(13, "Relay ON");
    const QByteArray p = Page1();
    EXPECT_EQ(p.mid(108, 2), QByteArray::fromHex("0A00"));
    EXPECT_EQ(p.mid(112, 4), QByteArray::fromHex("E703E703"));  // stored twice
    EXPECT_EQ(p.mid(200, 2), QByteArray::fromHex("E703"));
    EXPECT_EQ(p.mid(118, 40), QByteArray("Relay ON") + '\0' + QByteArray(31, char(0xFF)));
    EXPECT_EQ(p.mid(0, 4), QByteArray("5807"));
    EXPECT_EQ(uint8_t(p[26]), 1);
    EXPECT_EQ(uint8_t(p[110]), 1);  // row 9, callersBox
    EXPECT_EQ(uint8_t(p[111]), 0);  // row 8, armingBox
    EXPECT_EQ(p.mid(4, 22), QByteArray(22, char(0xFF)));  // empty SIM number
    EXPECT_EQ(p.mid(198, 2), QByteArray(2, char(0xFF)));  // empty hidden number

    table.SetValue(13, "");
    EXPECT_EQ(uint8_t(Page1()[118]), 0);  // an empty text is a lone 0x00
    table.SetValue(13, QString(45, 'x'));
    EXPECT_EQ(Page1().mid(118, 41), QByteArray(40, 'x') + 'R');  // no terminator; row 14 follows
    table.SetValue(13, QString(39, 'y'));
    EXPECT_EQ(Page1().mid(118, 40), QByteArray(39, 'y') + '\0');  // one short: its zero fills the last byte
}

TEST_F(BasicInfTest, ErasedModuleReadsAsTheOperatorExpects) {
    Decode(0, QByteArray(256, char(0xFF)));
    EXPECT_EQ(table.Value(1), "");
    EXPECT_EQ(table.Value(2), "");
    for (int row : {3, 4, 8, 9, 11, 12}) EXPECT_EQ(table.ItemIndex(row), -1) << row;
    EXPECT_EQ(table.Value(5), QString(40, QChar(0x44F)));  // 40 times я
    EXPECT_EQ(table.Value(7), "65535");
    Decode(0x100, QByteArray(256, char(0xFF)));
    // Saving that table writes 0xFF for the selections and the digit strings.
    table.SetValue(7, "");
    const QByteArray p = Page1();
    EXPECT_EQ(uint8_t(p[26]), 0xFF);
    EXPECT_EQ(uint8_t(p[117]), 0xFF);
    EXPECT_EQ(p.left(26), QByteArray(26, char(0xFF)));
}

TEST_F(BasicInfTest, ReadBackKeepsTextsBlanksOrderAndTheSecondRelayWord) {
    QByteArray page(256, char(0xFF));
    page.replace(28, 9, QByteArray("Door open") );
    page[37] = ' ';
    page[38] = 0;
    page.replace(68, 40, QByteArray(40, 'A'));
    page[110] = 1;
    page[111] = 0;
    page.replace(112, 4, QByteArray::fromHex("05000700"));
    Decode(0, page);
    EXPECT_EQ(table.Value(5), "Door open ");
    EXPECT_EQ(table.Value(6), QString(40, 'A'));
    EXPECT_EQ(table.Editor("callersBox").SelectedText(), "1:Только зарегистрированным пользователям");
    EXPECT_EQ(table.Editor("armingBox").SelectedText(), "0:Снято");
    EXPECT_EQ(table.Value(10), "7");
    EXPECT_EQ(Page1().mid(112, 4), QByteArray::fromHex("07000700"));
}

TEST_F(BasicInfTest, UnshownFieldsCarryTheirBytesAcrossBothPages) {
    QByteArray p1(256, char(0xFF)), p2(256, char(0xFF));
    for (int i = 0; i < 32; ++i) p1[204 + i] = char(i == 5 ? 0xFF : 0x80 + i);  // an inner 0xFF too
    p1.replace(236, 2, QByteArray::fromHex("3412"));
    p1.replace(254, 2, QByteArray("AB"));
    p2.replace(0, 14, QByteArray("CDEFGHIJKLMNOP"));
    p2.replace(14, 3, QByteArray::fromHex("000102"));
    Decode(0, p1);
    Decode(0x100, p2);
    EXPECT_EQ(Page(1).mid(198, 58), p1.mid(198, 58));
    EXPECT_EQ(Page(2), p2.left(17) + QByteArray(239, char(0xFF)));

    // Bytes FF FF on page 1 with data on page 2 keep their places.
    p1.replace(254, 2, QByteArray(2, char(0xFF)));
    Decode(0, p1);
    Decode(0x100, p2);
    EXPECT_EQ(uint8_t(Page(1)[254]), 0xFF);
    EXPECT_EQ(Page(2)[0], 'C');
}

// Every value row against its rule, at the edges: what passes goes out,
// what fails stops the save before anything is sent, naming row and rule.
TEST_F(BasicInfTest, EveryRowsRuleAtItsEdgesStopsTheSaveBeforeAnythingIsSent) {
    struct Case { int row; const char* value; bool ok; };
    const Case cases[] = {
        {1, "0000", true}, {1, "9999", true}, {1, "123", false}, {1, "12345", false}, {1, "12a4", false}, {1, "", false},
        {2, "", true}, {2, "+7", true}, {2, "1234567890123456789012", true}, {2, "+123456789012345678901", true},
        {2, "12345678901234567890123", false}, {2, "+", false}, {2, "7+916", false}, {2, "+7 916", false},
        {5, "", true}, {5, "Door opened", true}, {5, "Тревога", false}, {5, "Door\topened", false}, {6, "0123456789012345678901234567890123456789", true},
        {6, "01234567890123456789012345678901234567890", false}, {13, "Тревога 😀", false}, {14, "ok", true},
        {7, "1", true}, {7, "001", true}, {7, "999", true}, {7, "0", false}, {7, "1000", false}, {7, "", false},
        {7, "12a", false}, {7, "-1", false},
        {10, "0", true}, {10, "999", true}, {10, "0,5", false}, {15, "000", true}, {15, "65535", false},
        {16, "0", true}, {16, "999", true}, {16, " 1", false},
    };
    for (const Case& c : cases) {
        TSettingsTable fresh;
        fresh.SetValue(c.row, QString::fromUtf8(c.value));
        EXPECT_EQ(CheckSettingsValue(c.row, fresh.Value(c.row)).isEmpty(), c.ok) << c.row << " '" << c.value << "'";
        table.SetValue(c.row, QString::fromUtf8(c.value));
        port.frames.clear();
        op.messages.clear();
        block.Save();
        if (c.ok) {
            EXPECT_EQ(port.frames.size(), 1u) << c.row << " '" << c.value << "'";
        } else {
            EXPECT_TRUE(port.frames.empty()) << c.row << " '" << c.value << "'";
            ASSERT_FALSE(op.messages.isEmpty());
            EXPECT_TRUE(op.messages.back().startsWith(QStringLiteral("Настройки не сохранены. Строка %1: ").arg(c.row)))
                << op.messages.back().toStdString();
        }
        EXPECT_FALSE(block.TransferRunning() && !c.ok);
        seq.SetOutstanding(false);
        transfer.AbortTransfer();
        TSettingsTable start;
        table.SetValue(c.row, start.Value(c.row));
    }
}

// A selection byte that no item describes goes back as it came, unless the
// operator chooses an item.
TEST_F(BasicInfTest, AnUnknownSelectionByteIsCarriedBackUnchanged) {
    QByteArray page(256, char(0xFF));
    page.replace(0, 4, "5807");
    page[26] = 5;    // sensor 1 type: no item for 5
    page[117] = 9;   // SMS when open: no item for 9
    page.replace(108, 2, QByteArray::fromHex("0A00"));
    page.replace(112, 4, QByteArray::fromHex("00000000"));
    page.replace(200, 4, QByteArray::fromHex("E7030000"));
    block.ReadAfterQuestion();
    seq.SetOutstanding(false);
    Decode(0, page);
    EXPECT_EQ(table.ItemIndex(3), -1);
    table.SetItemIndex(12, 1);  // the operator chose row 12's item
    std::array<uint8_t, 256> out{};
    EncodeSettingsPage1To(table, out.data());
    EXPECT_EQ(out[26], 5);
    EXPECT_EQ(out[117], 1);
}

TEST_F(BasicInfTest, ChainsAskForPagesOneAndTwoOnlyAndEndWithTheirMessage) {
    block.ReadAfterQuestion();
    ASSERT_EQ(port.frames.size(), 1u);
    EXPECT_EQ(op.questions, QStringList{"Прочитать базовые настройки GSM модуля? "});
    EXPECT_EQ(port.frames[0], test::Hex("23 83 00 00 00 00 00 00 83"));
    seq.SetOutstanding(false);
    Decode(0, QByteArray(256, char(0xFF)));
    EXPECT_EQ(port.frames[1], test::Hex("23 83 00 00 01 00 00 00 82"));
    Decode(0x100, QByteArray(256, char(0xFF)));
    EXPECT_EQ(op.told, QStringList{"Базовые настройки считаны"});
    EXPECT_TRUE(op.messages.isEmpty()) << "a read that went well shows no box";
    // A stray reply after the end asks for nothing.
    Decode(0x100, QByteArray(256, char(0xFF)));
    EXPECT_EQ(port.frames.size(), 2u);
    EXPECT_EQ(op.told.size(), 1);

    op.answers = {false};
    block.ReadAfterQuestion();
    EXPECT_EQ(port.frames.size(), 2u);  // "Отменить" sends nothing
}

TEST(SettingsTable, TypingStaysInItsRowAndRefusesWhatTheRowsRuleRefuses) {
    TSettingsTable t;
    EXPECT_TRUE(t.SetEditText(1, 1, "1"));
    EXPECT_TRUE(t.SetEditText(1, 1, "12"));
    EXPECT_FALSE(t.SetEditText(1, 1, "12a"));
    EXPECT_EQ(t.Value(1), "12");
    EXPECT_TRUE(t.SetEditText(1, 1, "1234"));
    EXPECT_FALSE(t.SetEditText(1, 1, "12345"));  // a fifth digit is refused, nothing moves on
    EXPECT_EQ(t.Value(1), "1234");
    EXPECT_EQ(t.Value(2), "");
    // The SIM number takes one leading "+", and 22 signs with it.
    EXPECT_TRUE(t.SetEditText(1, 2, "+"));
    EXPECT_TRUE(t.SetEditText(1, 2, "+" + QString(21, '7')));
    EXPECT_FALSE(t.SetEditText(1, 2, "+" + QString(22, '7')));
    EXPECT_FALSE(t.SetEditText(1, 2, "7+"));
    EXPECT_FALSE(t.SetEditText(1, 2, "++"));
    EXPECT_EQ(t.Value(2), "+" + QString(21, '7'));
    // Forty characters fill a text row; the 41st is refused.
    EXPECT_TRUE(t.SetEditText(1, 13, QString(40, 'z')));
    EXPECT_FALSE(t.SetEditText(1, 13, QString(41, 'z')));
    EXPECT_EQ(t.Value(13).size(), 40);
    EXPECT_EQ(t.Value(14), "Relay OFF");
    // New letters in an SMS text are Latin; a Cyrillic letter the text held
    // already may stay while the operator edits around it.
    EXPECT_FALSE(t.SetEditText(1, 5, "Дверь"));
    EXPECT_TRUE(t.SetEditText(1, 5, "Дверь!", "Дверь"));
    EXPECT_FALSE(t.SetEditText(1, 5, "Дверьь", "Дверь"));
    EXPECT_TRUE(t.SetEditText(1, 16, "123"));
    EXPECT_FALSE(t.SetEditText(1, 16, "1234"));
    // A drop-down's cell takes no keys and keeps its choice.
    EXPECT_FALSE(t.SetEditText(1, 8, "x"));
    EXPECT_EQ(t.ItemIndex(8), 0);
    EXPECT_FALSE(CheckSettingsTyping(8, "x", "").isEmpty());
    EXPECT_FALSE(TSettingsTable::CanEdit(2));

    // The cell under a drop-down follows its choice, however it was made.
    t.SetItemIndex(3, 0);
    EXPECT_EQ(t.Value(3), "0:NC ");
    t.SetItemIndex(3, 7);
    EXPECT_EQ(t.Value(3), "");
    t.Put(3, {{}, 1});
    EXPECT_EQ(t.Value(3), "1:NO");
}

TEST(SettingsTable, StartUpContents) {
    TSettingsTable t;
    EXPECT_EQ(t.Grid().Cells(0, 0), "Функции");
    EXPECT_EQ(t.Grid().Cells(2, 0), "Заводские настройки");
    EXPECT_EQ(t.Grid().Cells(0, 1), "1.Пароль");
    EXPECT_EQ(t.Value(1), "5807");
    EXPECT_EQ(t.Value(6), "DIN2 Alarm");
    EXPECT_EQ(t.Value(15), "999");
    EXPECT_EQ(t.Editor("sensor1ContactBox").SelectedText(), "1:NO");
    EXPECT_EQ(t.Editor("relayClosedSmsBox").SelectedText(), "3:Всем");
    for (const QByteArray& bytes : t.Carried()) EXPECT_TRUE(bytes.isEmpty());
    EXPECT_TRUE(t.Grid().Cells(1, 40).isEmpty());  // outside the table: empty
}

// The layout table: every field inside its page, no two overlapping, every
// shown row placed, and the layout's quirks where the module has them.
TEST(SettingsLayout, FieldsFitTheirPagesOverlapNothingAndPlaceEveryRow) {
    bool used[2][256] = {};
    for (const TSettingsField& f : kSettingsLayout) {
        ASSERT_TRUE(f.page == 1 || f.page == 2) << f.row;
        ASSERT_GE(f.offset, 0);
        ASSERT_LE(f.offset + f.width, 256) << f.row;
        for (int i = f.offset; i < f.offset + f.width; ++i) {
            EXPECT_FALSE(used[f.page - 1][i]) << "row " << f.row << " overlaps at page " << f.page << " byte " << i;
            used[f.page - 1][i] = true;
        }
        if (f.kind == TFieldKind::Selection) {
            EXPECT_TRUE(TSettingsTable::IsSelectionRow(f.row)) << f.row;
        }
    }
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) EXPECT_NE(SettingsFieldOf(row), nullptr) << row;
    // Bytes 110/111 cross over; the relay time is stored twice; every field
    // no row shows is carried.
    EXPECT_EQ(SettingsFieldOf(9)->offset, 110);
    EXPECT_EQ(SettingsFieldOf(8)->offset, 111);
    int relayCopies = 0;
    for (const TSettingsField& f : kSettingsLayout) {
        relayCopies += f.row == 10;
        EXPECT_EQ(f.row == 0, f.kind == TFieldKind::Carried) << f.offset;
    }
    EXPECT_EQ(relayCopies, 2);
    // The rows the operator types numbers into carry the hint's range.
    EXPECT_EQ(SettingsFieldOf(7)->low, 1);
    for (int row : {7, 10, 15, 16}) EXPECT_EQ(SettingsFieldOf(row)->high, 999) << row;
}

} // namespace
