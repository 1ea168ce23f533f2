#include "fakes.h"
#include "app/errors.h"
#include "app/timer.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "history/history_files.h"
#include "numbers/number_files.h"
#include "settings/settings_profile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <random>

using namespace portiqa;

namespace {

const QString kFixtures = QStringLiteral(PORTIQA_FIXTURES);

struct FilesTest : ::testing::Test {
    QTemporaryDir dir;
    test::TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer tmr2{3000, true};
    Tstatusbar_ctrl status{display, tmr2};
    Tprogressbar_ctrl progress{display};
    TExchangeContext ctx{op, status, progress, QString()};
    QString Path(const char* name) { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(FilesTest, WorkbookRoundTripKeepsTextsUnderACommaLocale) {
    // A locale with a decimal comma must not leak into the file's numbers.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    TWorkbook book;
    book.SetColumnWidth(2, 20.5);
    book.SetText(1, 1, "№");
    book.SetText(2, 2, "+79990000000");
    book.SetText(2, 3, "2024/05/06");
    book.SetText(3, 1, "literal _x0041_ stays");
    book.SetText(3, 2, "Тревога, \"кавычки\"\nи строка");
    QString path = Path("book");
    QString error;
    ASSERT_TRUE(TWorkbookIo::WriteXlsx(book, path, error)) << error.toStdString();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(path.endsWith(".xlsx"));
    TWorkbook back;
    ASSERT_TRUE(TWorkbookIo::Read(path, back, error)) << error.toStdString();
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(back.Text(r, c), book.Text(r, c)) << r << "," << c;
}

TEST_F(FilesTest, ReadsWhatAnOfficeProgramWrote) {
    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(kFixtures + "/numbers_openpyxl.xlsx", book, error)) << error.toStdString();
    EXPECT_EQ(book.Text(1, 1), "№");  // the active sheet, not the first
    EXPECT_EQ(book.Value(2, 2), "79991234567");
    EXPECT_EQ(book.Value(2, 3), "2024-05-06");
    EXPECT_EQ(book.Value(2, 4), "07:30");
    EXPECT_EQ(book.Value(2, 5), "2025-01-31");
    EXPECT_EQ(book.Value(2, 6), "18:05");
    EXPECT_EQ(book.Value(3, 7), "Да");
    EXPECT_EQ(book.Value(2, 1), "1");
}

TEST_F(FilesTest, ReadsWhatLibreOfficeWroteInBothFormats) {
    for (const char* name : {"/numbers_libreoffice.xlsx", "/numbers_libreoffice.xls"}) {
        TWorkbook book;
        QString error;
        ASSERT_TRUE(TWorkbookIo::Read(kFixtures + name, book, error)) << name << error.toStdString();
        EXPECT_EQ(book.Text(1, 1), "№") << name;
        EXPECT_EQ(book.Value(2, 2), "79991234567") << name;
        EXPECT_EQ(book.Value(2, 3), "2024-05-06") << name;
        EXPECT_EQ(book.Value(2, 4), "07:30") << name;
        EXPECT_EQ(book.Value(2, 6), "18:05") << name;
        EXPECT_EQ(book.Value(3, 2), "+70001112233") << name;
        EXPECT_EQ(book.Value(3, 7), "Да") << name;
    }
}

TEST_F(FilesTest, SerialDatesInBothSystems) {
    EXPECT_EQ(TWorkbookIo::SerialToText(45000, true, false, false), "2023-03-15");
    EXPECT_EQ(TWorkbookIo::SerialToText(60, true, false, false), "1900-02-29");
    EXPECT_EQ(TWorkbookIo::SerialToText(61, true, false, false), "1900-03-01");
    EXPECT_EQ(TWorkbookIo::SerialToText(0, true, false, true), "1904-01-01");
    EXPECT_EQ(TWorkbookIo::SerialToText(0.3125, false, true, false), "07:30");
    EXPECT_EQ(TWorkbookIo::NumberText(12.0), "12");
    EXPECT_EQ(TWorkbookIo::NumberText(1.5), "1.5");
}

TEST_F(FilesTest, HostileFilesGiveAClearMessageAndNeverCrash) {
    QString error;
    TWorkbook book;
    EXPECT_FALSE(TWorkbookIo::Read(Path("missing.xlsx"), book, error));
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return Path(name);
    };
    EXPECT_FALSE(TWorkbookIo::Read(write("text.xlsx", "just some text"), book, error));
    EXPECT_TRUE(error.contains("не является книгой"));

    QFile good(kFixtures + "/numbers_openpyxl.xlsx");
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    EXPECT_FALSE(TWorkbookIo::Read(write("cut.xlsx", bytes.left(bytes.size() / 2)), book, error));
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) {
        QByteArray damaged = bytes;
        for (int k = 0; k < 8; ++k) damaged[int(rng() % damaged.size())] = char(rng());
        TWorkbookIo::Read(write("damaged.xlsx", damaged), book, error);  // must simply return
    }

    // A zip bomb: a sheet that inflates a thousandfold and more.
    const QString bomb = Path("bomb.xlsx");
    zipFile z = zipOpen64(QFile::encodeName(bomb).constData(), 0);
    ASSERT_TRUE(z);
    ASSERT_EQ(zipOpenNewFileInZip64(z, "xl/workbook.xml", nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 1), ZIP_OK);
    const QByteArray zeros(1 << 20, ' ');
    for (int i = 0; i < 64; ++i) zipWriteInFileInZip(z, zeros.constData(), unsigned(zeros.size()));
    zipCloseFileInZip(z);
    zipClose(z, nullptr);
    EXPECT_FALSE(TWorkbookIo::Read(bomb, book, error));
    EXPECT_TRUE(error.contains("слишком велика")) << error.toStdString();
}

TEST_F(FilesTest, CsvQuotesOnlyWhatNeedsItAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(TCsv::JoinLine({"1", "", "Нет", "", ""}), "1,,Нет,,");
    EXPECT_EQ(TCsv::JoinLine({"a,b", "say \"hi\"", "x\ny"}), "\"a,b\",\"say \"\"hi\"\"\",\"x\ny\"");
    QString error;
    ASSERT_TRUE(TCsv::WriteFile(Path("n.cvs"), {"1,Да", "2,Нет"}, error));
    QFile f(Path("n.cvs"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1,\xC4\xE0\r\n2,\xCD\xE5\xF2\r\n"));
    QList<QStringList> rows;
    ASSERT_TRUE(TCsv::ReadFile(Path("n.cvs"), rows, error));
    EXPECT_EQ(rows, (QList<QStringList>{{"1", "Да"}, {"2", "Нет"}}));
    EXPECT_EQ(TCsv::Parse("\"a,b\",\"q\"\"\"\r\n"), (QList<QStringList>{{"a,b", "q\""}}));
    EXPECT_FALSE(TCsv::WriteFile(Path("bad.cvs"), {"😀"}, error));
    EXPECT_FALSE(QFile::exists(Path("bad.cvs")));
    EXPECT_FALSE(TCsv::WriteFile(dir.filePath("no/such/folder/x.cvs"), {"1"}, error));
}

TEST_F(FilesTest, ProfileRoundTripAndRefusals) {
    TSettingsTable table;
    Tcustomstringgrid_basis profile(table, ctx);
    table.SetValue(2, "+79990000000");
    table.SetItemIndex(8, 1);
    table.SetItemIndex(12, 0);
    op.saveFile = Path("profile");
    profile.ExportProfile();
    ASSERT_TRUE(QFile::exists(Path("profile.xlsx")));

    TSettingsTable other;
    Tcustomstringgrid_basis loader(other, ctx);
    op.openFile = Path("profile.xlsx");
    loader.ImportProfile();
    EXPECT_EQ(other.Value(2), "+79990000000");
    EXPECT_EQ(other.ItemIndex(8), 1);
    EXPECT_EQ(other.ItemIndex(12), 0);
    EXPECT_EQ(other.Value(8), "1:Поставлено");  // the cell under an editor holds its text
    EXPECT_EQ(display.Position(), 100);

    // A profile written by another program, with placeholder values that
    // the rules refuse: nothing is taken, and the message names the row.
    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(kFixtures + "/profile_openpyxl.xlsx", book, error));
    EXPECT_EQ(book.Text(2, 2), "1234");  // a number cell
    EXPECT_FALSE(loader.ApplyProfile(book));
    EXPECT_TRUE(op.messages.back().startsWith("Профиль не загружен. Строка 2: номер сим карты")) << op.messages.back().toStdString();
    EXPECT_EQ(other.Value(2), "+79990000000");
    const char* good[][2] = {{"3", "+7916"}, {"6", "Door"}, {"7", "Alarm 2"}, {"8", "15"}, {"11", "999"},
                             {"14", "On"}, {"15", "Off"}, {"16", "0"}, {"17", "24"}};
    for (auto& g : good) book.SetText(QString(g[0]).toInt(), 2, g[1]);
    ASSERT_TRUE(loader.ApplyProfile(book)) << op.messages.back().toStdString();
    EXPECT_EQ(other.Value(1), "1234");
    EXPECT_EQ(other.ItemIndex(4), 1);
    EXPECT_EQ(other.ItemIndex(3), 0);
    EXPECT_EQ(other.Grid().Cells(0, 1), "1.Пароль");  // names are never read

    book.SetText(1, 1, "Функции ");
    EXPECT_FALSE(loader.ApplyProfile(book));
    EXPECT_EQ(op.messages.back(), "Неправильный формат профиля настроек");
    book.SetText(1, 1, "Функции");
    book.SetText(4, 2, "x");
    book.SetText(3, 2, "+70000000000");
    EXPECT_FALSE(loader.ApplyProfile(book));
    EXPECT_TRUE(op.messages.back().startsWith("Профиль не загружен. Строка 3: выберите из списка"));
    EXPECT_EQ(other.Value(2), "+7916");  // nothing half-imported
}

// Values a spreadsheet or a hand makes of a profile: each refused with the
// row named, the table unchanged; an empty drop-down keeps what it held.
TEST_F(FilesTest, ProfileValuesObeyTheRulesOfTheWindow) {
    TSettingsTable table;
    Tcustomstringgrid_basis profile(table, ctx);
    op.saveFile = Path("rules");
    profile.ExportProfile();
    TWorkbook written;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(Path("rules.xlsx"), written, error));
    struct Case { int row; const char* value; const char* start; };
    const Case bad[] = {
        {1, "123", "Строка 1: пароль"},  // "0123" as a spreadsheet number
        {1, "", "Строка 1: пароль"},
        {1, "12345", "Строка 1: пароль"},
        {2, "+7 (916) 123-45-67", "Строка 2: номер"},
        {2, "++79161234567", "Строка 2: номер"},
        {5, "x", nullptr},
        {6, "12345678901234567890123456789012345678901", "Строка 6: текст длиннее 40 символов (41)"},
        {7, "5000", "Строка 7: нужно число от 1 до 999"},
        {7, "0", "Строка 7: нужно число от 1 до 999"},
        {10, "1.5", "Строка 10: нужно число от 0 до 999"},
        {15, "", "Строка 15: нужно число от 0 до 999"},
        {3, "2:NC", "Строка 3: выберите из списка"},
        {11, "Всем", "Строка 11: выберите из списка"},
        {12, "3abc", "Строка 12: выберите из списка"},
    };
    TSettingsTable target;
    Tcustomstringgrid_basis loader(target, ctx);
    target.SetValue(5, "kept");
    for (const Case& c : bad) {
        TWorkbook book = written;
        book.SetText(c.row + 1, 2, QString::fromUtf8(c.value));
        const bool taken = loader.ApplyProfile(book);
        if (!c.start) {
            EXPECT_TRUE(taken) << c.row;
            target.SetValue(5, "kept");
            continue;
        }
        EXPECT_FALSE(taken) << c.row << " " << c.value;
        EXPECT_TRUE(op.messages.back().startsWith(QStringLiteral("Профиль не загружен. ") + QString::fromUtf8(c.start)))
            << op.messages.back().toStdString();
        EXPECT_EQ(target.Value(5), "kept");
    }
    // A drop-down left empty in the file keeps the table's choice.
    target.SetItemIndex(11, 1);
    TWorkbook book = written;
    book.SetText(12, 2, "");
    ASSERT_TRUE(loader.ApplyProfile(book)) << op.messages.back().toStdString();
    EXPECT_EQ(target.ItemIndex(11), 1);
    EXPECT_EQ(target.ItemIndex(12), 3);
}

TEST_F(FilesTest, NumberListExportImportAndRowChecks) {
    TNumberTable table;
    TNumberFiles files(table, ctx);
    auto& g = table.Grid();
    g.SetCells(1, 1, "+79990000001");
    g.SetCells(2, 1, "2024-05-06");
    g.SetCells(3, 1, "07:30");
    g.SetCells(4, 1, "2025/01/31");
    g.SetCells(5, 1, "18:05");
    g.SetCells(1, 2, "+79990000002");
    g.SetCells(6, 2, "Да");
    g.SetCells(7, 3, "Да");
    op.saveFile = Path("numbers.xlsx");
    files.ExportNumbersXls();
    ASSERT_TRUE(QFile::exists(Path("numbers.xlsx")));

    TNumberTable back;
    TNumberFiles loader(back, ctx);
    back.Grid().SetCells(1, 500, "stale");
    op.openFile = Path("numbers.xlsx");
    loader.ImportNumbersXls();
    for (int r : {1, 2, 3, 500})
        for (int c = 1; c <= 6; ++c) EXPECT_EQ(back.Grid().Cells(c, r), g.Cells(c, r)) << r << "," << c;
    EXPECT_EQ(back.Grid().Cells(7, 3), "Нет");  // column 7 is not imported

    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(kFixtures + "/numbers_openpyxl.xlsx", book, error));
    ASSERT_TRUE(loader.ApplyWorkbook(book)) << op.messages.join("|").toStdString();
    EXPECT_EQ(back.Grid().Cells(2, 1), "2024-05-06");
    EXPECT_EQ(back.Grid().Cells(3, 1), "07:30");

    for (int r : {4, 8, 15, 16, 23}) {
        book.SetText(r + 1, 2, "+7");
        book.SetText(r + 1, 3, "2024-5-06");
    }
    back.Grid().SetCells(1, 1, "kept");
    EXPECT_FALSE(loader.ApplyWorkbook(book));
    EXPECT_EQ(op.messages.back(), "Неправильная информация в профиле, исправьте ее и повторите импорт, ошибка:5\r"
                                  "Серийный номер: 4,8,15,....");
    EXPECT_EQ(back.Grid().Cells(1, 1), "kept");
    book.SetText(1, 1, "Функции");
    EXPECT_FALSE(loader.ApplyWorkbook(book));
    EXPECT_EQ(op.messages.back(), "Неправильный формат профиля настроек");
}

TEST_F(FilesTest, CommaSeparatedExports) {
    TNumberTable numbers;
    TNumberFiles files(numbers, ctx);
    const QStringList lines = files.CsvLines();
    ASSERT_EQ(lines.size(), 3000);
    EXPECT_EQ(lines[6], "7,,,,,,Нет,Нет,,");

    THistoryTable history;
    Tcustomstringgrid_his his(history, ctx);
    auto& h = history.Grid();
    const QStringList row{"57", "2024-05-01", "10:20:30", "Telephone", "Relay ON", "+79990000000", "Open"};
    for (int k = 0; k < 7; ++k) h.SetCells(k + 1, 1, row[k]);
    h.SetCells(1, 3, "58");
    h.SetCells(7, 3, "a, b");
    EXPECT_EQ(his.CsvLines(), (QStringList{"1,57,2024-05-01,10:20:30,Telephone,Relay ON,+79990000000,Open,,",
                                           "3,58,,,,,,\"a, b\",,"}));
    op.saveFile = Path("h.xlsx");
    his.ExportHistoryXls();
    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(Path("h.xlsx"), book, error));
    EXPECT_EQ(book.Text(1, 2), "№");
    EXPECT_EQ(book.Text(2, 7), "+79990000000");
    EXPECT_EQ(book.Text(1001, 1), "1000");
    THistoryTable again;
    Tcustomstringgrid_his loader(again, ctx);
    loader.ApplyWorkbook(book);
    EXPECT_EQ(again.Grid().Cells(7, 1), "Open");
    EXPECT_EQ(again.Grid().Cells(7, 3), "a, b");
}

} // namespace
