#include "fakes.h"
#include "base/errors.h"
#include "base/timer.h"
#include "link/frame_assembler.h"
#include "numbers/number_record.h"
#include "numbers/number_block.h"
#include "numbers/number_cells.h"
#include "numbers/number_expiry.h"
#include <gtest/gtest.h>

using namespace portiqa;
using T = TNumberTable;

namespace {

QByteArray Encode(const TNumberTable& t, int row) {
    return TNumberRecord::FromRow(t.Grid(), row).Bytes();
}

void Decode(TNumberTable& t, int row, const QByteArray& b) {
    TNumberRecord::FromBytes(reinterpret_cast<const uint8_t*>(b.constData())).ToRow(t.Grid(), row);
}

TEST(NumberRecord, EncodeRulesAndReadBack) {
    TNumberTable t;
    auto& g = t.Grid();
    // Empty, not deleted: 32 zero bytes; unrestricted: the 0x63 marker.
    EXPECT_EQ(Encode(t, 1), QByteArray(32, 0));
    g.SetCells(T::kUnrestricted, 1, "Да");
    EXPECT_EQ(Encode(t, 1), QByteArray(22, 0) + QByteArray(8, 0x63) + QByteArray::fromHex("0063"));
    Decode(t, 1, Encode(t, 1));
    EXPECT_EQ(g.Cells(T::kUnrestricted, 1), "Да");
    EXPECT_TRUE(g.Cells(T::kStartTime, 1).isEmpty());

    g.SetCells(T::kDelete, 2, "Да");
    g.SetCells(T::kNumber, 2, "+7999");
    EXPECT_EQ(Encode(t, 2), QByteArray(32, char(0xFF)));
    Decode(t, 2, QByteArray(32, char(0xFF)));
    EXPECT_TRUE(g.Cells(T::kNumber, 2).isEmpty());
    EXPECT_EQ(g.Cells(T::kUnrestricted, 2), "Нет");

    g.SetCells(T::kNumber, 3, QString(25, '1'));
    g.SetCells(T::kStartDate, 3, "2024-05-06");
    g.SetCells(T::kStartTime, 3, "7:05");
    g.SetCells(T::kEndDate, 3, "2025/12/31");
    g.SetCells(T::kEndTime, 3, "23:59");
    const QByteArray rec = Encode(t, 3);
    EXPECT_EQ(rec.left(22), QByteArray(22, '1'));
    EXPECT_EQ(rec.mid(22), QByteArray::fromHex("05060705" "0c1f173b" "1819"));
    Decode(t, 4, rec);
    EXPECT_EQ(g.Cells(T::kStartDate, 4), "2024-05-06");
    EXPECT_EQ(g.Cells(T::kStartTime, 4), "07:05");
    EXPECT_EQ(g.Cells(T::kEndDate, 4), "2025-12-31");
    EXPECT_EQ(g.Cells(T::kEndTime, 4), "23:59");

    g.SetCells(T::kStartTime, 5, "ab:cd");
    EXPECT_THROW(Encode(t, 5), EConvertError);
}

// Hand-written records at the edges of what the layout holds: the first
// and the last years the module keeps, the last minute of a day, a number
// of exactly 22 signs.
TEST(NumberRecord, EdgesOfTheLayoutByteForByte) {
    struct Case { const char* number; const char* start; const char* startTime; const char* end; const char* endTime; const char* tailHex; };
    const Case cases[] = {
        {"+7", "2000/01/01", "00:00", "2099/12/31", "23:59", "0101" "0000" "0c1f" "173b" "0063"},
        {"1234567890123456789012", "2024/02/29", "12:30", "2024/03/01", "00:01", "021d" "0c1e" "0301" "0001" "1818"},
        {"8", "2031/10/09", "09:09", "2032/11/10", "10:10", "0a09" "0909" "0b0a" "0a0a" "1f20"},
    };
    TNumberTable t;
    auto& g = t.Grid();
    for (const Case& c : cases) {
        g.SetCells(T::kNumber, 1, c.number);
        g.SetCells(T::kStartDate, 1, c.start);
        g.SetCells(T::kStartTime, 1, c.startTime);
        g.SetCells(T::kEndDate, 1, c.end);
        g.SetCells(T::kEndTime, 1, c.endTime);
        g.SetCells(T::kUnrestricted, 1, "Нет");
        g.SetCells(T::kDelete, 1, "Нет");
        QByteArray expected = QByteArray(c.number).left(22);
        if (expected.size() < 22) expected += QByteArray(22 - expected.size(), '\0');
        expected += QByteArray::fromHex(c.tailHex);
        EXPECT_EQ(Encode(t, 1).toHex(), expected.toHex()) << c.number;
        Decode(t, 3000, expected);  // the last record of the list
        EXPECT_EQ(g.Cells(T::kNumber, 3000), QString(c.number));
        EXPECT_EQ(g.Cells(T::kStartDate, 3000), QString(c.start).replace('/', '-'));
        EXPECT_EQ(g.Cells(T::kEndTime, 3000), QString(c.endTime));
    }
}

// A record read into a row that held another leaves nothing of it behind,
// and bytes the calendar has no place for are kept when a record is compared
// with what the program would write.
TEST(NumberRecord, ReadingReplacesTheWholeRowAndKeepsOddBytes) {
    TNumberTable t;
    auto& g = t.Grid();
    Decode(t, 1, QByteArray("+7001") + QByteArray(17, '\0') + QByteArray::fromHex("0506070500000000" "1819"));
    EXPECT_EQ(g.Cells(T::kStartDate, 1), "2024-05-06");
    // The same slot now holds a record whose start has no month: no date.
    Decode(t, 1, QByteArray("+7002") + QByteArray(17, '\0') + QByteArray::fromHex("0006070500000000" "1819"));
    EXPECT_EQ(g.Cells(T::kStartDate, 1), "");
    EXPECT_EQ(g.Cells(T::kStartTime, 1), "07:05");
    EXPECT_EQ(g.Cells(T::kEndDate, 1), "");

    // Month 123 and minute 200: the shown text cannot be written back, and
    // the record's own bytes stay what the module holds.
    const QByteArray odd = QByteArray("+7003") + QByteArray(17, '\0') + QByteArray::fromHex("7b060ac8" "0c1f173b" "1819");
    EXPECT_EQ(CanonicalNumberRecord(reinterpret_cast<const uint8_t*>(odd.constData())).toHex(), odd.toHex());
    Decode(t, 2, odd);
    EXPECT_FALSE(t.RecordProblem(2).isEmpty());
}

TEST(NumberTable, ValidationMessages) {
    TNumberTable t;
    auto& g = t.Grid();
    EXPECT_TRUE(t.ValidateNumberTable().isEmpty());
    auto offend = [&](int row) {
        g.SetCells(T::kNumber, row, "+7999000" + QString::number(row));
        g.SetCells(T::kStartDate, row, "2024/01/01");
        g.SetCells(T::kStartTime, row, "10:00");
        g.SetCells(T::kEndDate, row, "2024/02/01");
    };
    const QString head = "Неправильная операция: отметьте «Без ограничений» или установите дату и время начала и окончания. Всего:";
    offend(12);
    EXPECT_EQ(t.ValidateNumberTable(), head + "1\rЗаписи: 12");
    offend(40);
    EXPECT_EQ(t.ValidateNumberTable(), head + "2\rЗаписи: 12,40");
    offend(41);
    EXPECT_EQ(t.ValidateNumberTable(), head + "3\rЗаписи: 12,40,41");
    offend(50);
    offend(60);
    EXPECT_EQ(t.ValidateNumberTable(), head + "5\rЗаписи: 12,40,41,....");
    // "Да" in either flag column, or no number, takes a row out.
    g.SetCells(T::kUnrestricted, 12, "Да");
    g.SetCells(T::kDelete, 40, "Да");
    g.SetCells(T::kNumber, 41, "");
    for (int r : {50, 60}) g.SetCells(T::kEndTime, r, "11:00");
    EXPECT_TRUE(t.ValidateNumberTable().isEmpty()) << t.ValidateNumberTable().toStdString();

    // Numbers the module would store differently, and dates that do not exist.
    g.SetCells(T::kNumber, 50, "+7 999");
    EXPECT_TRUE(t.ValidateNumberTable().startsWith("Неправильный номер абонента"));
    EXPECT_TRUE(t.ValidateNumberTable().endsWith("Записи: 50"));
    g.SetCells(T::kNumber, 50, QString(23, '1'));
    EXPECT_TRUE(t.ValidateNumberTable().startsWith("Неправильный номер абонента"));
    g.SetCells(T::kNumber, 50, "+79990000050");
    for (const char* bad : {"2024/02/30", "2024/13/01", "1999/01/01", "20x4/01/01"}) {
        g.SetCells(T::kStartDate, 60, QString::fromUtf8(bad));
        EXPECT_TRUE(t.ValidateNumberTable().startsWith("Неправильная дата или время")) << bad;
    }
    g.SetCells(T::kStartDate, 60, "2024/02/29");
    g.SetCells(T::kEndTime, 60, "24:00");
    EXPECT_TRUE(t.ValidateNumberTable().startsWith("Неправильная дата или время"));
    g.SetCells(T::kEndTime, 60, "23:59");
    // 29 February 10:00 to 1 February: a window that ends before it starts.
    EXPECT_TRUE(t.ValidateNumberTable().startsWith("Окно кончается раньше, чем начинается"));
    EXPECT_TRUE(t.ValidateNumberTable().endsWith("Записи: 60"));
    EXPECT_TRUE(t.RecordProblem(60).startsWith("окно кончается")) << "the file import's words, by the same rule";
    g.SetCells(T::kEndDate, 60, "2024/02/29");
    g.SetCells(T::kEndTime, 60, "10:00");
    EXPECT_TRUE(t.ValidateNumberTable().isEmpty()) << "a window of one minute's start is whole";
}

TEST(NumberTable, ClicksBulkTogglesAndHighlight) {
    TNumberTable t;
    auto& g = t.Grid();
    g.SetCells(T::kStartDate, 7, "2024/01/01");
    g.SetCells(T::kDelete, 7, "Да");
    EXPECT_TRUE(t.ClickFlag(T::kDelete, 7));
    EXPECT_EQ(g.Cells(T::kDelete, 7), "Нет");
    EXPECT_EQ(g.Cells(T::kStartDate, 7), "2024/01/01");  // "Да" -> "Нет" keeps the dates
    EXPECT_TRUE(t.ClickFlag(T::kDelete, 7));
    EXPECT_EQ(g.Cells(T::kStartDate, 7), "2024/01/01");  // kept under the flag, greyed
    EXPECT_FALSE(t.ClickFlag(T::kNumber, 7));

    t.ToggleAllDelete();
    for (int r : {1, 7, 3000}) EXPECT_EQ(g.Cells(T::kDelete, r), "Да");
    t.ToggleAllDelete();
    for (int r : {1, 7, 3000}) EXPECT_EQ(g.Cells(T::kDelete, r), "Нет");

    g.SetCells(T::kStartDate, 8, "2024-13-05");
    g.SetCells(T::kEndDate, 8, "2024-12-31");
    g.SetCells(T::kStartTime, 8, "ab:cd");
    EXPECT_TRUE(t.OutOfRange(T::kStartDate, 8));
    EXPECT_FALSE(t.OutOfRange(T::kEndDate, 8));
    EXPECT_FALSE(t.OutOfRange(T::kStartTime, 8));  // not a number: no crash, no highlight
    EXPECT_FALSE(T::ParseDate("2024-02-30"));
    EXPECT_EQ(T::FormatDate(QDate(2024, 5, 6)), "2024/05/06");
    EXPECT_EQ(T::FormatTime(QTime(7, 5)), "07:05");
}

struct NumberChainTest : ::testing::Test, test::TLinkRig {
    TNumberTable table;
    TPageTransfer transfer{seq, progress};
    TNumberBlock block{seq, transfer, table, op};

    void Acknowledge() {
        const uint8_t ok = 1;
        transfer.OnReply(TReply{kCmdSavePage, 0, &ok, 1});
    }
    void Reply(int32_t address, const QByteArray& page) {
        // The sequence learns the module's page as it does from a real reply.
        TValidReply r;
        r.Command = 0x83;
        r.Address = address;
        r.Length = 256;
        std::copy(page.begin(), page.end(), r.Payload.begin());
        seq.Offer(r);
        seq.SetOutstanding(false);
        transfer.OnReply(TReply{kCmdReadPage, address, reinterpret_cast<const uint8_t*>(page.constData()), 256});
    }
};

// The operator's "how far" for the chosen windows: days within ten years,
// or a real date of 2000-2099; anything else changes nothing.
TEST(NumberTable, WindowEndsMoveByDaysOrToADate) {
    const struct { const char* answer; std::optional<int> changed; const char* end; } cases[] = {
        {"30", 1, "2030-01-31"},           {" -7 ", 1, "2029-12-25"},     {"2031-02-28", 1, "2031-02-28"},
        {"3651", std::nullopt, "2030-01-01"}, {"2100-01-01", std::nullopt, "2030-01-01"},
        {"2031-02-30", std::nullopt, "2030-01-01"}, {"скоро", std::nullopt, "2030-01-01"},
    };
    for (const auto& c : cases) {
        TNumberTable t;
        auto& g = t.Grid();
        g.SetCells(T::kNumber, 1, "79161234567");
        g.SetCells(T::kStartDate, 1, "2024-01-01");
        g.SetCells(T::kStartTime, 1, "00:00");
        g.SetCells(T::kEndDate, 1, "2030-01-01");
        g.SetCells(T::kEndTime, 1, "00:00");
        g.SetCells(T::kUnrestricted, 1, T::No());
        EXPECT_EQ(t.MoveWindowEnds({1}, c.answer), c.changed) << c.answer;
        EXPECT_EQ(g.Cells(T::kEndDate, 1), c.end) << c.answer;
    }
}

TEST_F(NumberChainTest, PagesArePlacedByAddressAndTheEndIsAnnouncedOnce) {
    block.DownloadAfterQuestion();
    EXPECT_EQ(op.questions, QStringList{"Скачать все номера, сохраненные в GSM модуле?"});
    QByteArray page(256, char(0xFF));
    page.replace(0, 4, "+123");
    page.replace(22, 10, QByteArray::fromHex("0101000001020000" "1819"));
    Reply(0x1200, page);  // page 3 while the chain waits for page 1
    EXPECT_EQ(table.Grid().Cells(T::kNumber, 17), "+123");
    Reply(0x18700, page);  // beyond record 3000: nothing written, the chain goes on
    for (int p = 3; p <= 376; ++p) Reply(NumberPageAddress(p > 375 ? 375 : p), QByteArray(256, char(0xFF)));
    EXPECT_EQ(op.told.count("Номера пользователей прочитаны из GSM модуля"), 1);
    EXPECT_EQ(port.frames.size(), 375u);
    EXPECT_EQ(port.frames.back(), test::Hex("23 83 00 01 86 00 00 00 04"));
    EXPECT_FALSE(block.TransferRunning());
}

TEST_F(NumberChainTest, SaveReadsAnUnknownListFirstThenEncodesEightRowsAPage) {
    table.SetOrigin(TTableOrigin::FromFile("list.csv"));  // a whole list, meant to replace the module's
    table.Grid().SetCells(T::kNumber, 9, "+7");
    table.Grid().SetCells(T::kUnrestricted, 9, "Да");
    block.Save();
    // The module's list is not known on this connection: it is read first,
    // and the table keeps the operator's list.
    ASSERT_EQ(port.frames.size(), 1u);
    EXPECT_EQ(port.frames[0], test::Hex("23 83 00 00 10 00 00 00 93"));
    QByteArray empty(256, char(0xFF));
    QByteArray held = empty;
    held.replace(0, 4, "+123");
    held.replace(22, 10, QByteArray::fromHex("0101000001020000" "1819"));
    for (int p = 1; p <= 375; ++p) Reply(NumberPageAddress(p), p == 1 ? held : empty);
    ASSERT_EQ(port.frames.size(), 376u);
    EXPECT_EQ(table.Grid().Cells(T::kNumber, 1), "");
    EXPECT_EQ(table.Grid().Cells(T::kNumber, 9), "+7");
    // Record 1 goes: the operator is warned, naming it, before anything is written.
    ASSERT_EQ(op.questions.size(), 1);
    EXPECT_TRUE(op.questions[0].contains("Добавлено: 1, изменено: 0, удалено: 1")) << op.questions[0].toStdString();
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings[0].contains("удалит из GSM модуля номеров: 1 (записи 1)")) << op.warnings[0].toStdString();
    // Page 1 keeps seven records the operator did not change: it is read
    // again just before it is written, and is as it was.
    EXPECT_EQ(port.frames[375], test::Hex("23 83 00 00 10 00 00 00 93"));
    Reply(NumberPageAddress(1), held);
    ASSERT_EQ(port.frames.size(), 377u);
    EXPECT_EQ(port.frames[376].left(8), test::Hex("23 82 00 00 10 00 01 00"));
    EXPECT_EQ(port.frames[376].mid(8, 32), QByteArray(32, '\0'));  // record 1 freed
    seq.SetOutstanding(false);
    Acknowledge();
    // Page 2 likewise: read, then written.
    ASSERT_EQ(port.frames.size(), 378u);
    Reply(NumberPageAddress(2), empty);
    ASSERT_EQ(port.frames.size(), 379u);
    EXPECT_EQ(port.frames[378].left(8), test::Hex("23 82 00 00 11 00 01 00"));
    EXPECT_EQ(port.frames[378].mid(8, 3), QByteArray("+7") + '\0');
    EXPECT_EQ(port.frames[378].mid(8 + 22, 10), QByteArray(8, 0x63) + QByteArray::fromHex("0063"));
}

TEST_F(NumberChainTest, ARemovalTheOperatorCancelsWritesNothing) {
    table.SetOrigin(TTableOrigin::FromFile("list.csv"));
    block.Save();
    QByteArray held(256, char(0xFF));
    held.replace(0, 4, "+123");
    held.replace(22, 10, QByteArray(8, 0x63) + QByteArray::fromHex("0063"));
    op.answers = {true, false};  // accept the counts, cancel at the warning
    for (int p = 1; p <= 375; ++p) Reply(NumberPageAddress(p), held);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings[0].contains("номеров: 375 (записи 1, 9, 17, 25, 33, 41, 49, 57, 65, 73 …)")) << op.warnings[0].toStdString();
    EXPECT_EQ(port.frames.size(), 375u);
    EXPECT_FALSE(block.TransferRunning());
}

} // namespace

namespace {

using portiqa::TValidity;

// The validity window against the clock, at the boundaries of a day and of
// the seven-day warning; and the search for a number in its two forms.
TEST(NumberExpiry, WindowsAtTheirBoundariesAndTheCounts) {
    portiqa::TNumberTable t;
    auto& g = t.Grid();
    const QDateTime now(QDate(2026, 12, 7), QTime(12, 0));
    struct Case { const char* endDate; const char* endTime; TValidity expected; };
    const Case cases[] = {
        {"2026/12/07", "11:59", TValidity::Expired},
        {"2026-12-07", "12:00", TValidity::Expiring},  // ends now: not yet ended
        {"2026/12/14", "12:00", TValidity::Expiring},  // exactly seven days
        {"2026/12/14", "12:01", TValidity::Active},
        {"2025/12/31", "23:59", TValidity::Expired},
        {"2026/02/30", "10:00", TValidity::Unknown},   // no such day
        {"", "", TValidity::Unknown},
    };
    int row = 0;
    for (const Case& c : cases) {
        ++row;
        g.SetCells(1, row, "+7916000000" + QString::number(row));
        g.SetCells(4, row, c.endDate);
        g.SetCells(5, row, c.endTime);
        g.SetCells(6, row, "Нет");
        g.SetCells(7, row, "Нет");
        EXPECT_EQ(portiqa::ValidityOf(g, row, now), c.expected) << c.endDate << " " << c.endTime;
    }
    g.SetCells(6, 1, "Да");
    EXPECT_EQ(portiqa::ValidityOf(g, 1, now), TValidity::Unrestricted);
    g.SetCells(6, 1, "Нет");
    g.SetCells(7, 5, "Да");  // marked for deletion: not counted
    EXPECT_EQ(portiqa::ValidityOf(g, 5, now), TValidity::Free);
    const auto counts = portiqa::CountExpiry(g, now);
    EXPECT_EQ(counts.expired, 1);
    EXPECT_EQ(counts.expiring, 2);
    EXPECT_EQ(portiqa::ExpiryText(counts), "Истекло: 1, истекает в течение 7 дней: 2");
}

TEST(NumberSearch, FindsAnyPartInBothFormsAndGoesRound) {
    portiqa::TNumberTable t;
    auto& g = t.Grid();
    g.SetCells(1, 10, "+79161234567");
    g.SetCells(1, 20, "89161234567");
    g.SetCells(1, 2999, "+74951112233");
    EXPECT_EQ(portiqa::FindNumber(g, "1234567", 0), 10);
    EXPECT_EQ(portiqa::FindNumber(g, "1234567", 10), 20);
    EXPECT_EQ(portiqa::FindNumber(g, "1234567", 20), 10);          // round past the end
    EXPECT_EQ(portiqa::FindNumber(g, "+79161234567", 10), 20);     // the 8 form of a +7 number
    EXPECT_EQ(portiqa::FindNumber(g, "8 (916) 123-45-67", 20), 10);  // the +7 form of an 8 number
    EXPECT_EQ(portiqa::FindNumber(g, "8495", 0), 2999);
    EXPECT_EQ(portiqa::FindNumber(g, "000", 0), 0);
    EXPECT_EQ(portiqa::FindNumber(g, "", 0), 0);
}

} // namespace

namespace {

// A file's dates and times as spreadsheets write them: which of day and
// month comes first is told by the file's own dates; 12 AM is midnight and
// 12 PM noon.
TEST(NumberCells, DatesByTheFilesOrderAndTwelveOClockEitherSide) {
    using namespace number_cells;
    using O = TSlashOrder;
    EXPECT_EQ(SlashOrderOf({"13/04/2026", "03/04/2026"}), O::DayFirst);
    EXPECT_EQ(SlashOrderOf({"04/13/2026 0:00", "03/04/2026"}), O::MonthFirst);
    EXPECT_EQ(SlashOrderOf({"03/04/2026", "2026-01-01"}), O::Ambiguous);
    EXPECT_EQ(SlashOrderOf({"13/04/2026", "04/13/2026"}), O::Mixed);
    EXPECT_EQ(SlashOrderOf({"2026-01-01", ""}), O::None);
    const struct {
        const char* cell;
        O order;
        const char* date;  // empty: refused
    } dates[] = {
        {"03/04/2026", O::DayFirst, "2026-04-03"}, {"03/04/2026", O::MonthFirst, "2026-03-04"},
        {"03/04/2026", O::Ambiguous, ""},          {"04/04/26", O::Ambiguous, "2026-04-04"},
        {"30/02/2026", O::DayFirst, ""},           {"31.12.26", O::None, "2026-12-31"},
        {"2026/2/3", O::None, "2026-02-03"},       {"46023", O::None, "2026-01-01"},
        {"2026-05-06 00:00:00", O::None, "2026-05-06"},
    };
    for (const auto& d : dates) {
        QString problem;
        EXPECT_EQ(Date(d.cell, d.order, problem), d.date) << d.cell;
        EXPECT_EQ(problem.isEmpty(), *d.date != 0) << d.cell;
    }
    const struct {
        const char* cell;
        const char* time;
    } times[] = {
        {"12:00 AM", "00:00"}, {"12:30 PM", "12:30"}, {"1:05 pm", "13:05"}, {"11:59 PM", "23:59"},
        {"0:30 AM", ""},       {"13:00 PM", ""},      {"0.5", "12:00"},     {"7:30:00", "07:30"},
        {"7:30:15", ""},       {"24:00", ""},
    };
    for (const auto& t : times) {
        QString problem;
        EXPECT_EQ(Time(t.cell, problem), t.time) << t.cell;
    }
}

} // namespace
