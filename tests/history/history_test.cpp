#include "fakes.h"
#include "base/timer.h"
#include "history/history_block.h"
#include <gtest/gtest.h>

using namespace portiqa;
using H = THistoryTable;

namespace {

QByteArray Record(const char* headHex, const QByteArray& phone = {}, const QByteArray& text = {}) {
    QByteArray r(128, 0);
    const QByteArray head = QByteArray::fromHex(headHex);
    r.replace(0, head.size(), head);
    r.replace(12, phone.size(), phone);
    r.replace(34, text.size(), text);
    return r;
}

QStringList Row(const THistoryTable& t, int row) {
    QStringList out;
    for (int c = 1; c <= 7; ++c) out << t.Grid().Cells(c, row);
    return out;
}

void Put(THistoryTable& t, int row, const QByteArray& rec) {
    THistoryRecord::FromBytes(reinterpret_cast<const uint8_t*>(rec.constData())).ToRow(t.Grid(), row);
}

TEST(HistoryRecord, DecodesEveryField) {
    THistoryTable t;
    Put(t, 1, Record("39000000180501" "0a141e0302", "+79990000000", "Open"));
    EXPECT_EQ(Row(t, 1), (QStringList{"57", "2024-05-01", "10:20:30", "Telephone", "Relay ON", "+79990000000", "Open"}));

    Put(t, 2, Record("000000801805010a141e0009", "+79 1"));
    EXPECT_EQ(Row(t, 2)[0], "-2147483648");
    EXPECT_EQ(Row(t, 2)[3], "Power supply");  // event 9 overrides the source
    EXPECT_EQ(Row(t, 2)[4], "Power recovery");
    EXPECT_EQ(Row(t, 2)[5], "+79");

    Put(t, 3, QByteArray(128, char(0xFF)));  // erased, not empty: year byte 0xFF
    EXPECT_TRUE(Row(t, 3)[0].isEmpty());
    EXPECT_TRUE(Row(t, 3)[1].isEmpty());
    EXPECT_EQ(Row(t, 3)[6], QString(41, QChar(0x44F)));

    Put(t, 1, Record("0100000000"));  // year 0: the slot is empty and clears the row
    EXPECT_EQ(Row(t, 1), QStringList(7, QString()));

    Put(t, 4, Record("0200000055010203040507"));
    EXPECT_EQ(Row(t, 4)[1], "2085-01-02");
    // When the event happened: only a real date and time in 2000-2099.
    auto at = [](const QByteArray& rec) { return THistoryRecord::FromBytes(reinterpret_cast<const uint8_t*>(rec.constData())).At(); };
    EXPECT_EQ(at(Record("0200000055010203040507")), QDateTime(QDate(2085, 1, 2), QTime(3, 4, 5)));
    EXPECT_FALSE(at(QByteArray(128, char(0xFF))).isValid());
    EXPECT_FALSE(at(Record("020000007b010203040507")).isValid());  // year byte 123
    EXPECT_FALSE(at(Record("02000000180230030405")).isValid());    // 30 February
    // An erased time is no midnight: no moment, no time in the table.
    EXPECT_FALSE(at(Record("02000000180501ffffff0302")).isValid());
    THistoryTable erased;
    Put(erased, 1, Record("02000000180501ffffff0302"));
    EXPECT_EQ(Row(erased, 1)[1], "2024-05-01");
    EXPECT_EQ(Row(erased, 1)[2], "");
    t.CompactHistory();
    EXPECT_EQ(Row(t, 1)[0], "-2147483648");  // row 2 moved up; rows 3 and 4 dropped
    EXPECT_TRUE(Row(t, 2)[0].isEmpty());
}

// Every entry of both lookup tables, and the events that name their own
// source; the full text field and the last record of the area.
TEST(HistoryRecord, EveryCodeOfBothLookupTables) {
    const char* sources[] = {"COM Port", "SMS", "GPRS", "Telephone", ""};
    const char* events[] = {"Add number", "Delete Number", "Relay ON", "Relay OFF", "DIN1 Alarm", "DIN2 Alarm",
                            "Power failure", "Arm", "Disarm", "Power recovery", ""};
    THistoryTable t;
    for (int source = 0; source <= 4; ++source)
        for (int event = 0; event <= 10; ++event) {
            QByteArray head = QByteArray::fromHex("07000000" "180c1f" "173b3b");
            head.append(char(source)).append(char(event));
            Put(t, 1, Record(head.toHex().constData()));
            QString expectedSource = sources[source];
            if (event == 4) expectedSource = "DIN1";
            if (event == 5) expectedSource = "DIN2";
            if (event == 6 || event == 9) expectedSource = "Power supply";
            EXPECT_EQ(Row(t, 1)[3], expectedSource) << source << "/" << event;
            EXPECT_EQ(Row(t, 1)[4], QString(events[event])) << source << "/" << event;
            EXPECT_EQ(Row(t, 1)[1], "2024-12-31");
            EXPECT_EQ(Row(t, 1)[2], "23:59:59");
        }
    // A phone field of 22 digits and a text of 41 characters, both whole.
    Put(t, 1000, Record("e7030000" "010101" "000000" "0000", QByteArray(22, '9'), QByteArray(41, 'T') + "cut"));
    EXPECT_EQ(Row(t, 1000), (QStringList{"999", "2001-01-01", "00:00:00", "COM Port", "Add number", QString(22, '9'),
                                         QString(41, 'T')}));
}

struct FilterTest : ::testing::Test {
    test::TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    THistoryTable t;
    int n = 0;
    void Add(const QString& date, const QString& time, const QString& no = {}) {
        ++n;
        t.Grid().SetCells(H::kRecordNo, n, no.isEmpty() ? QString::number(n) : no);
        t.Grid().SetCells(H::kDate, n, date);
        t.Grid().SetCells(H::kTime, n, time);
    }
    bool Filter(const char* from, const char* to) {
        return FilterHistory(t, QDateTime::fromString(from, "yyyy-MM-dd HH:mm:ss"),
                             QDateTime::fromString(to, "yyyy-MM-dd HH:mm:ss"), status, op);
    }
    QStringList Numbers() {
        QStringList out;
        for (int r = 1; r <= 1000 && !t.Grid().Cells(1, r).isEmpty(); ++r) out << t.Grid().Cells(1, r);
        return out;
    }
};

// The filter narrows the view over the downloaded records: a wider window
// finds again what a narrow one hid, and "Сбросить" shows them all.
TEST_F(FilterTest, AWiderWindowShowsMoreAgainAndResetShowsAll) {
    Add("2024-05-01", "10:00:00");
    Add("2024-06-01", "10:00:00");
    Add("2024-07-01", "10:00:00");
    t.KeepAll();  // as a download or an import does
    ASSERT_TRUE(Filter("2024-05-15 00:00:00", "2024-06-15 00:00:00"));
    EXPECT_EQ(Numbers(), QStringList{"2"});
    ASSERT_TRUE(Filter("2024-04-01 00:00:00", "2024-08-01 00:00:00"));
    EXPECT_EQ(Numbers(), (QStringList{"1", "2", "3"}));
    ASSERT_TRUE(Filter("2024-06-15 00:00:00", "2024-08-01 00:00:00"));
    EXPECT_EQ(Numbers(), QStringList{"3"});
    t.ShowAll();
    EXPECT_EQ(Numbers(), (QStringList{"1", "2", "3"}));
}

TEST_F(FilterTest, ExclusiveEndsAndSortOrder) {
    Add("2024-05-02", "00:00:00");
    Add("2024-05-01", "23:59:59");
    Add("2024-05-01", "10:00:01");
    Add("2024-05-01", "10:00:00");
    Add("2024-05-01", "12:00:00", "a");
    Add("2024-05-01", "12:00:00", "b");
    ASSERT_TRUE(Filter("2024-05-01 10:00:00", "2024-05-02 00:00:00"));
    EXPECT_EQ(Numbers(), (QStringList{"3", "a", "b", "2"}));
    EXPECT_EQ(display.Text(), "Записи:4");
    EXPECT_TRUE(t.Grid().Cells(1, 5).isEmpty());
    EXPECT_EQ(t.Grid().Cells(0, 5), "5");
}

TEST_F(FilterTest, MessagesLeaveTheTableAsItWas) {
    EXPECT_FALSE(Filter("2024-05-01 10:00:00", "2024-05-01 09:00:00"));
    EXPECT_EQ(op.messages.back(), "Ошибка выбора времени");
    EXPECT_FALSE(Filter("2024-05-01 10:00:00", "2024-05-01 10:00:00"));
    EXPECT_FALSE(Filter("2024-05-01 10:00:00", "2024-05-01 11:00:00"));
    EXPECT_EQ(op.messages.back(), "Нет правильных записей");
    Add("2024-05-01", "12:00:00");
    EXPECT_FALSE(Filter("2024-05-02 10:00:00", "2024-05-03 11:00:00"));
    EXPECT_EQ(op.messages.back(), "Нет записей");
    EXPECT_EQ(Numbers(), QStringList{"1"});
}

TEST_F(FilterTest, CenturyBoundaryAndMalformedRows) {
    Add("2000-01-01", "12:00:00");
    Add("2000-01-0x", "12:00:00");
    Add("2000-01-01", "12:00");
    ASSERT_TRUE(Filter("1999-12-31 00:00:00", "2000-01-02 00:00:00"));
    EXPECT_EQ(Numbers(), QStringList{"1"});
    EXPECT_TRUE(op.messages.back().endsWith(": 2"));
}

} // namespace
