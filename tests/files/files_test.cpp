#include "fakes.h"
#include "base/errors.h"
#include "base/timer.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "history/history_files.h"
#include "numbers/number_files.h"
#include "settings/settings_profile.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <minizip/unzip.h>
#include <clocale>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <csignal>
#include <functional>
#include "files/file_replace.h"
#include <minizip/zip.h>
#include <random>

using namespace portiqa;

namespace {

const QString kFixtures = QStringLiteral(PORTIQA_FIXTURES);

struct FilesTest : ::testing::Test {
    QTemporaryDir dir;
    test::TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer statusTimer{3000, true};
    TStatusControl status{display, statusTimer};
    TProgressControl progress{display};
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

// Number formats as spreadsheets write them: elapsed hours, a date with a
// time, a colour that is no date.
TEST_F(FilesTest, ElapsedTimeAndDateTimeFormatsReadAsTimesAndDates) {
    const QString path = Path("formats.xlsx");
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), 0);
    ASSERT_TRUE(z);
    auto part = [&](const char* name, const QByteArray& xml) {
        zipOpenNewFileInZip64(z, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 0);
        zipWriteInFileInZip(z, xml.constData(), unsigned(xml.size()));
        zipCloseFileInZip(z);
    };
    part("xl/workbook.xml", "<workbook xmlns:r=\"r\"><sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    part("xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"x/styles\" Target=\"styles.xml\"/></Relationships>");
    part("xl/styles.xml",
         "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"[h]:mm\"/><numFmt numFmtId=\"165\" formatCode=\"[h]:mm:ss\"/>"
         "<numFmt numFmtId=\"166\" formatCode=\"dd.mm.yyyy hh:mm\"/><numFmt numFmtId=\"167\" formatCode=\"[Red]0.00\"/>"
         "<numFmt numFmtId=\"168\" formatCode=\"[$-419]dd/mm/yyyy\"/></numFmts>"
         "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/><xf numFmtId=\"166\"/>"
         "<xf numFmtId=\"167\"/><xf numFmtId=\"168\"/></cellXfs></styleSheet>");
    part("xl/worksheets/sheet1.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>0.3125</v></c><c r=\"B1\" s=\"2\"><v>0.3125</v></c>"
         "<c r=\"C1\" s=\"3\"><v>45000</v></c><c r=\"D1\" s=\"4\"><v>12</v></c><c r=\"E1\" s=\"5\"><v>45000</v></c>"
         "</row></sheetData></worksheet>");
    zipClose(z, nullptr);
    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(path, book, error)) << error.toStdString();
    EXPECT_EQ(book.Value(1, 1), "07:30");
    EXPECT_EQ(book.Value(1, 2), "07:30");
    EXPECT_EQ(book.Value(1, 3), "2023-03-15 00:00");
    EXPECT_EQ(book.Value(1, 4), "12");
    EXPECT_EQ(book.Value(1, 5), "2023-03-15");
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
    QList<TCsvRow> rows;
    ASSERT_TRUE(TCsv::ReadFile(Path("n.cvs"), rows, error));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].fields, (QStringList{"1", "Да"}));
    EXPECT_EQ(rows[1].fields, (QStringList{"2", "Нет"}));
    EXPECT_EQ(rows[1].line, 2);
    EXPECT_EQ(TCsv::Parse("\"a,b\",\"q\"\"\"\r\n"), (QList<QStringList>{{"a,b", "q\""}}));
    EXPECT_FALSE(TCsv::WriteFile(Path("bad.cvs"), {"😀"}, error));
    EXPECT_FALSE(QFile::exists(Path("bad.cvs")));
    EXPECT_FALSE(TCsv::WriteFile(dir.filePath("no/such/folder/x.cvs"), {"1"}, error));
}

// What a spreadsheet would run as a formula goes with an apostrophe first;
// numbers stay numbers; every text reads back as it was.
TEST_F(FilesTest, CsvCellsNeverRunAsFormulasAndReadBackAsTheyWere) {
    const struct {
        QString field, written;
    } cases[] = {
        {"=1+2", "'=1+2"},           {"@SUM(A1)", "'@SUM(A1)"},   {"-1+cmd", "'-1+cmd"},   {"+7 (916)", "'+7 (916)"},
        {"\tx", "'\tx"},             {"'=x", "''=x"},              {"+79161234567", "+79161234567"},
        {"-5", "-5"},                {"-", "-"},                  {"'quoted", "'quoted"},  {"Иван", "Иван"},
        {"=A1,B1", "\"'=A1,B1\""},
    };
    for (const auto& c : cases) {
        const QString line = TCsv::JoinLine({c.field, "x"});
        EXPECT_EQ(line, c.written + ",x") << c.field.toStdString();
        EXPECT_EQ(TCsv::Parse(line + "\r\n").value(0).value(0), c.field) << c.field.toStdString();
    }
}

// Comma-separated files as installers have them.
TEST_F(FilesTest, CsvFilesInEveryEncodingSeparatorAndShapeInstallersHave) {
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(name);
    };
    const QString expected[] = {"1", "+79161234567", "", "", "", "", "Да", "Нет"};
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"cp1251.cvs", QByteArray("1,+79161234567,,,,,\xC4\xE0,\xCD\xE5\xF2\r\n")},
        {"utf8.csv", QByteArray("1,+79161234567,,,,,Да,Нет\n")},
        {"bom.csv", QByteArray("\xEF\xBB\xBF" "1,+79161234567,,,,,Да,Нет\r\n")},
        {"semicolon.csv", QByteArray("1;+79161234567;;;;;Да;Нет\r\n")},
        {"blank-rows.csv", QByteArray(",,,,,,,,,\r\n\r\n1,+79161234567,,,,,Да,Нет\r\n , \r\n,,,\r\n")},
    };
    for (const Case& c : cases) {
        QList<TCsvRow> rows;
        QString error;
        ASSERT_TRUE(TCsv::ReadFile(write(c.name, c.bytes), rows, error)) << c.name;
        ASSERT_EQ(rows.size(), 1) << c.name;
        for (int i = 0; i < 8; ++i) EXPECT_EQ(rows[0].fields.value(i), expected[i]) << c.name << " field " << i;
    }
    // Quoted fields keep their commas, quotes and line breaks; line numbers
    // are the file's own, blank lines and quoted line breaks counted.
    QList<TCsvRow> rows;
    QString error;
    ASSERT_TRUE(TCsv::ReadFile(write("quoted.csv", "\r\n1,\"a,b\",\"say \"\"hi\"\"\"\r\n\r\n2,\"x\r\ny\",\"cr\rz\"\r\n3,q\r\n"), rows, error));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[0].fields, (QStringList{"1", "a,b", "say \"hi\""}));
    EXPECT_EQ(rows[1].line, 4);
    EXPECT_EQ(rows[1].fields, (QStringList{"2", "x\r\ny", "cr\rz"}));
    EXPECT_EQ(rows[2].line, 7);  // the quoted CR LF and CR are lines 5 and 6

#ifndef _WIN32
    // Only regular files are read: a FIFO would hang, a device never ends.
    const QByteArray fifo = QFile::encodeName(Path("fifo.csv"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    for (const QString& path : {Path("fifo.csv"), QStringLiteral("/dev/zero"), dir.path(), Path("missing.csv")}) {
        EXPECT_FALSE(TCsv::ReadFile(path, rows, error)) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        TWorkbook book;
        EXPECT_FALSE(TWorkbookIo::Read(path, book, error)) << path.toStdString();
    }
#endif
    EXPECT_FALSE(TCsv::ReadFile(write("huge.csv", QByteArray(TCsv::kMaxBytes + 1, '1')), rows, error));
    EXPECT_TRUE(error.contains("слишком велик"));
}

TEST_F(FilesTest, NumberFilesThatCannotBeTakenWholeAreNotTakenAtAll) {
    TNumberTable table;
    TNumberFiles files(table, ctx);
    table.Grid().SetCells(1, 5, "+70000000005");
    auto rowsOf = [](const QByteArray& text) {
        const QString t = TCsv::DecodeBytes(text);
        return TCsv::ParseRows(t, TCsv::DetectSeparator(t));
    };
    QByteArray many;
    for (int i = 1; i <= 3001; ++i) many += QByteArray::number(i % 3000 + 1) + ",+7916" + QByteArray::number(i) + ",,,,,Да,Нет\r\n";
    EXPECT_FALSE(files.ApplyCsv(rowsOf(many)));
    EXPECT_TRUE(op.messages.back().startsWith("В файле больше 3000 записей")) << op.messages.back().toStdString();
    EXPECT_FALSE(files.ApplyCsv(rowsOf("1,+7916,,,,,Да,Нет\r\n2,+7917,,,,,Да,Нет\r\n1,+7918,,,,,Да,Нет\r\n")));
    EXPECT_EQ(op.messages.back(), "Файл не импортирован: записей с ошибками 1\rстрока 3: серийный номер 1 уже есть в строке 1");
    EXPECT_FALSE(files.ApplyCsv(rowsOf("\r\n\r\n1,+7916,,,,,Да,Нет\r\nx,+7917\r\n")));
    EXPECT_EQ(op.messages.back(), "Файл не импортирован: записей с ошибками 1\rстрока 4: серийный номер «x» — нужен номер 1-3000");
    EXPECT_EQ(table.Grid().Cells(1, 5), "+70000000005");

    TWorkbook book = files.NumbersWorkbook();
    book.SetText(3003, 2, "+79990000000");
    EXPECT_FALSE(files.ApplyWorkbook(book));
    EXPECT_TRUE(op.messages.back().startsWith("В файле больше 3000 записей (строка 3003)"));
    book = files.NumbersWorkbook();
    book.SetText(11, 1, "4");
    EXPECT_FALSE(files.ApplyWorkbook(book));
    EXPECT_TRUE(op.messages.back().contains("строка 11: серийный номер 4 уже есть в строке 5")) << op.messages.back().toStdString();
    EXPECT_EQ(table.Grid().Cells(1, 5), "+70000000005");

    // Date and time cells as spreadsheets keep them: a date at midnight, a
    // time with zero seconds.
    book = files.NumbersWorkbook();
    book.SetText(6, 2, "");  // record 5 has no validity window
    book.SetCell(2, 2, "+79161234567", "+79161234567");
    book.SetCell(2, 3, "06.05.2024 0:00", "2024-05-06 00:00");
    book.SetCell(2, 4, "7:30:00", "07:30:00");
    book.SetCell(2, 5, "31.01.2025", "2025-01-31 00:00:00");
    book.SetCell(2, 6, "18:05", "18:05");
    ASSERT_TRUE(files.ApplyWorkbook(book)) << op.messages.back().toStdString();
    EXPECT_EQ(table.Grid().Cells(2, 1), "2024-05-06");
    EXPECT_EQ(table.Grid().Cells(3, 1), "07:30");
    EXPECT_EQ(table.Grid().Cells(4, 1), "2025-01-31");
    book.SetCell(2, 3, "06.05.2024 7:00", "2024-05-06 07:00");  // a date with a time of day is no date
    EXPECT_FALSE(files.ApplyWorkbook(book));
}

// Exports as any program's save: permissions kept or the usual ones, links
// followed, the old file whole until the new one is complete, failures in
// the operator's words.
#ifndef _WIN32  // modes, links and size limits of POSIX files
TEST_F(FilesTest, ExportsReplaceFilesTheWayTheOperatorExpects) {
    TWorkbook book;
    book.SetText(1, 1, "№");
    struct Kind {
        const char* name;
        std::function<bool(QString, QString&)> write;
    };
    const Kind kinds[] = {
        {"book.xlsx", [&](QString path, QString& e) { return TWorkbookIo::WriteXlsx(book, path, e); }},
        {"list.cvs", [&](QString path, QString& e) { return TCsv::WriteFile(path, {"1,Да"}, e); }},
    };
    const mode_t oldMask = ::umask(022);
    for (const Kind& k : kinds) {
        const QString path = Path(k.name);
        QString error;
        ASSERT_TRUE(k.write(path, error)) << error.toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u) << k.name << ": a new file gets 0666 less the umask";

        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0664), 0);
        const ino_t before = st.st_ino;
        ASSERT_TRUE(k.write(path, error));
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0664u) << k.name << ": a replaced file keeps its mode";
        EXPECT_NE(st.st_ino, before) << "replaced by a rename, not rewritten in place";

        // Through a symbolic link: the link stays, its target gets the content.
        const QString link = Path(QByteArray("link-") + k.name);
        ASSERT_TRUE(QFile::link(path, link));
        const qint64 size = QFileInfo(path).size();
        ASSERT_TRUE(QFile::resize(path, 1));
        ASSERT_TRUE(k.write(link, error)) << error.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(path).size(), size);

        // A write that fails half-way leaves the old file whole and says why
        // in Russian (a file size limit stands in for a full disk here).
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray whole = f.readAll();
        f.close();
        auto* previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{}, small{64, 64};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        small.rlim_max = limit.rlim_max;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = k.write(path, error);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
        if (QByteArray(k.name).endsWith(".xlsx")) {
            EXPECT_FALSE(written) << k.name;
            EXPECT_TRUE(error.startsWith("Не удалось записать файл")) << error.toStdString();
        }
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), whole) << k.name;  // the old content, or the same content written again
        f.close();
        EXPECT_EQ(QDir(dir.path()).entryList({".*portiqa-*"}, QDir::Hidden | QDir::Files), QStringList()) << "no temporary left";
    }
    ::umask(oldMask);
    EXPECT_EQ(WriteErrorText(ENOSPC), "на диске нет места");
    EXPECT_EQ(WriteErrorText(EROFS), "диск открыт только для чтения");
    QString error;
    EXPECT_FALSE(TCsv::WriteFile(dir.path(), {"1"}, error));
    EXPECT_TRUE(error.contains("это папка")) << error.toStdString();
}
#endif

TEST_F(FilesTest, ProfileRoundTripAndRefusals) {
    TSettingsTable table;
    TSettingsProfile profile(table, ctx);
    table.SetValue(2, "+79990000000");
    table.SetItemIndex(8, 1);
    table.SetItemIndex(12, 0);
    op.saveFile = Path("profile");
    profile.ExportProfile();
    ASSERT_TRUE(QFile::exists(Path("profile.xlsx")));
    EXPECT_EQ(op.lastSubject, "базовые настройки");  // the dialog says what the file is

    TSettingsTable other;
    TSettingsProfile loader(other, ctx);
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

    // The SIM number a spreadsheet kept as a number cell gets its "+" back, as in a number list.
    for (const auto& [cell, held] : {std::pair{"79161234567", "+79161234567"}, std::pair{"79161234567.0", "+79161234567"},
                                     std::pair{"89161234567", "89161234567"}}) {
        book.SetText(3, 2, cell);
        ASSERT_TRUE(loader.ApplyProfile(book)) << cell;
        EXPECT_EQ(other.Value(2), held) << cell;
    }
    book.SetText(3, 2, "+7916");

    book.SetText(1, 1, "Function");  // the English window's caption
    EXPECT_TRUE(loader.ApplyProfile(book));
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
    TSettingsProfile profile(table, ctx);
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
    TSettingsProfile loader(target, ctx);
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
    EXPECT_EQ(op.lastSubject, "номера пользователей");

    TNumberTable back;
    TNumberFiles loader(back, ctx);
    back.Grid().SetCells(1, 500, "stale");
    op.openFile = Path("numbers.xlsx");
    // Over a list the button asks first; "Отменить" keeps the table.
    op.answers = {false};
    loader.ImportNumbersXls();
    EXPECT_EQ(op.questions.back(), "В таблице записей: 1. Заменить их записями из файла (2)?");
    EXPECT_EQ(back.Grid().Cells(1, 500), "stale");
    loader.ImportNumbersXls();
    // Dates come back in the table's one form, YYYY-MM-DD, as a download writes them.
    for (int r : {1, 2, 3, 500})
        for (int c = 1; c <= 6; ++c)
            EXPECT_EQ(back.Grid().Cells(c, r), c == 2 || c == 4 ? QString(g.Cells(c, r)).replace(u'/', u'-') : g.Cells(c, r)) << r << "," << c;
    EXPECT_EQ(back.Grid().Cells(7, 3), "Нет");  // column 7 is not imported

    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(kFixtures + "/numbers_openpyxl.xlsx", book, error));
    // Its record 3 is a rich-text run "+7 rich": the save would refuse it, so
    // the import does, naming it, and takes nothing.
    EXPECT_FALSE(loader.ApplyWorkbook(book));
    EXPECT_EQ(op.messages.back(), "Файл не импортирован: записей с ошибками 1\r"
                                  "запись 3: номер «+7 rich»: только «+» и цифры, не более 22");
    EXPECT_EQ(back.Grid().Cells(1, 1), g.Cells(1, 1));
    book.SetText(4, 2, "+7");
    ASSERT_TRUE(loader.ApplyWorkbook(book)) << op.messages.join("|").toStdString();
    EXPECT_EQ(back.Grid().Cells(2, 1), "2024-05-06");
    EXPECT_EQ(back.Grid().Cells(3, 1), "07:30");

    for (int r : {4, 8, 15, 16, 23}) {
        book.SetText(r + 1, 2, "+7");
        book.SetText(r + 1, 3, "2024-5-06");
    }
    back.Grid().SetCells(1, 1, "kept");
    EXPECT_FALSE(loader.ApplyWorkbook(book));
    const QStringList listed = op.messages.back().split(u'\r');
    ASSERT_EQ(listed.size(), 6);
    EXPECT_EQ(listed[0], "Файл не импортирован: записей с ошибками 5");
    EXPECT_EQ(listed[1], "запись 4: не указана время начала: заполните окно или выберите «Без ограничений»");
    EXPECT_EQ(back.Grid().Cells(1, 1), "kept");
    book.SetText(1, 2, "Функции");
    EXPECT_FALSE(loader.ApplyWorkbook(book));
    EXPECT_TRUE(op.messages.back().startsWith("Неправильный формат профиля настроек")) << op.messages.back().toStdString();
}

TEST_F(FilesTest, CommaSeparatedExports) {
    TNumberTable numbers;
    TNumberFiles files(numbers, ctx);
    const QStringList lines = files.CsvLines();
    ASSERT_EQ(lines.size(), 3000);
    EXPECT_EQ(lines[6], "7,,,,,,Нет,Нет,,");

    THistoryTable history;
    THistoryFiles his(history, ctx);
    auto& h = history.Grid();
    const QStringList row{"57", "2024-05-01", "10:20:30", "Telephone", "Relay ON", "+79990000000", "Open"};
    for (int k = 0; k < 7; ++k) h.SetCells(k + 1, 1, row[k]);
    h.SetCells(1, 3, "58");
    h.SetCells(7, 3, "a, b");
    EXPECT_EQ(his.CsvLines(), (QStringList{"1,57,2024-05-01,10:20:30,Telephone,Relay ON,+79990000000,Open,,",
                                           "3,58,,,,,,\"a, b\",,"}));
    // The spreadsheet forms: the records in the order shown, one "№", the
    // operator's words; a re-import gives the program's words back.
    history.ShownOrder = [] { return QVector<int>{3, 1}; };
    op.saveFile = Path("h.xlsx");
    his.ExportHistoryXls();
    EXPECT_EQ(op.lastSubject, "история событий");
    TWorkbook book;
    QString error;
    ASSERT_TRUE(TWorkbookIo::Read(Path("h.xlsx"), book, error));
    const auto line = [&book](int r) {
        QStringList cells;
        for (int c = 1; c <= 8; ++c) cells << book.Text(r, c);
        return cells.join('|');
    };
    EXPECT_EQ(book.RowCount(), 3);
    EXPECT_EQ(line(1), "№|Дата|Время|От|Действие|Абонент|Текст|Имя");
    EXPECT_EQ(line(2), "58||||||a, b|");
    EXPECT_EQ(line(3), "57|2024-05-01|10:20:30|Телефон|Реле включено|+79990000000|Open|");
    {
        // "№", the date and the time are the spreadsheet's numbers, dates and
        // times (styled, no shared string), so they sort as such.
        unzFile z = unzOpen64(QFile::encodeName(Path("h.xlsx")).constData());
        ASSERT_NE(z, nullptr);
        ASSERT_EQ(unzLocateFile(z, "xl/worksheets/sheet1.xml", 0), UNZ_OK);
        QByteArray sheet(1 << 16, '\0');
        unzOpenCurrentFile(z);
        sheet.resize(std::max(0, unzReadCurrentFile(z, sheet.data(), unsigned(sheet.size()))));
        unzCloseCurrentFile(z);
        unzClose(z);
        EXPECT_TRUE(sheet.contains("<c r=\"A3\"><v>57</v></c>")) << sheet.toStdString();
        EXPECT_TRUE(QRegularExpression("<c r=\"B3\" s=\"\\d+\"><v>45413</v>").match(QString::fromUtf8(sheet)).hasMatch());
        EXPECT_TRUE(QRegularExpression("<c r=\"C3\" s=\"\\d+\"><v>0\\.4309").match(QString::fromUtf8(sheet)).hasMatch());
        EXPECT_TRUE(QRegularExpression("<c r=\"D3\" s=\"\\d+\" t=\"s\">").match(QString::fromUtf8(sheet)).hasMatch());
    }
    EXPECT_EQ(his.CsvLines(TCsvForm::Spreadsheet),
              (QStringList{"№,Дата,Время,От,Действие,Абонент,Текст,Имя", "58,,,,,,\"a, b\",",
                           "57,2024-05-01,10:20:30,Телефон,Реле включено,+79990000000,Open,"}));
    THistoryTable again;
    THistoryFiles loader(again, ctx);
    book.SetCell(3, 3, "10:20", "10:20");  // a time cell whose seconds are zero reads back without them
    loader.ApplyWorkbook(book);
    EXPECT_EQ(again.Grid().Cells(THistoryTable::kTime, 2), "10:20:00");
    EXPECT_EQ(again.Grid().Cells(1, 1), "58");
    EXPECT_EQ(again.Grid().Cells(5, 2), "Relay ON");
    EXPECT_EQ(again.Grid().Cells(4, 2), "Telephone");
    EXPECT_EQ(again.Grid().Cells(7, 1), "a, b");
    // A workbook of the original's form: row r + 1 is table row r.
    TWorkbook original;
    original.SetText(1, 1, "№");
    original.SetText(1, 2, "№");
    original.SetText(3, 1, "2");
    original.SetText(3, 2, "59");
    original.SetText(3, 6, "Arm");
    loader.ApplyWorkbook(original);
    EXPECT_EQ(again.Grid().Cells(1, 1), "");
    EXPECT_EQ(again.Grid().Cells(1, 2), "59");
    EXPECT_EQ(again.Grid().Cells(5, 2), "Arm");
}

} // namespace

namespace {

// An import is checked whole with the save's rules: every failing record is
// named with its reason (the first 20, and the count), and the table keeps
// what it held.
TEST_F(FilesTest, AnImportListsEveryRecordTheSaveWouldRefuseAndTakesNothing) {
    TNumberTable table;
    TNumberFiles files(table, ctx);
    table.Grid().SetCells(1, 1, "+70000000001");
    table.Grid().SetCells(6, 1, "Да");
    QString text;
    text += "1,+7 916 123-45-67,,,,,Да,Нет\n";
    text += "2,+79161234567,2026-02-30,07:30,2026-12-31,18:00,Нет,Нет\n";
    text += "3,+79161234568,2026-01-01,24:00,2026-12-31,18:00,Нет,Нет\n";
    text += "4,+79161234569,1999-01-01,07:00,2026-12-31,18:00,Нет,Нет\n";
    text += "5,12345678901234567890123,,,,,Да,Нет\n";
    text += "6,+79161234570,,,,,Да,Нет\n";  // a good record among them
    for (int s = 7; s <= 30; ++s) text += QStringLiteral("%1,+7abc,,,,,Да,Нет\n").arg(s);
    EXPECT_FALSE(files.ApplyCsv(TCsv::ParseRows(text, u',')));
    const QStringList lines = op.messages.back().split(u'\r');
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], "Файл не импортирован: записей с ошибками 29 (показаны первые 20)");
    EXPECT_EQ(lines[1], "запись 1: номер «+7 916 123-45-67»: только «+» и цифры, не более 22");
    EXPECT_EQ(lines[2], "запись 2: дата начала «2026-02-30» не существует");
    EXPECT_EQ(lines[3], "запись 3: время начала «24:00» не существует");
    EXPECT_EQ(lines[4], "запись 4: дата начала «1999-01-01»: GSM модуль хранит годы 2000-2099");
    EXPECT_EQ(lines[5], "запись 5: номер «12345678901234567890123»: только «+» и цифры, не более 22");
    EXPECT_EQ(lines[6], "запись 7: номер «+7abc»: только «+» и цифры, не более 22");
    EXPECT_EQ(table.Grid().Cells(1, 1), "+70000000001");
    EXPECT_TRUE(table.Grid().Cells(1, 6).isEmpty());
    // 22 signs exactly is a number the module keeps.
    EXPECT_TRUE(files.ApplyCsv(TCsv::ParseRows("1,+123456789012345678901,,,,,Да,Нет\n", u',')));
    EXPECT_EQ(table.Grid().Cells(1, 1), "+123456789012345678901");
}

} // namespace

namespace {

#ifndef _WIN32  // a child process killed by a signal
QStringList Temporaries(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*.portiqa-*")}, QDir::Files | QDir::Hidden);
}

// Interrupted while writing: the temporary file goes with the program, and
// one an earlier run left behind goes at the next write.
TEST(FileReplace, NoTemporaryFileOutlivesAnInterruptionOrTheNextWrite) {
    QTemporaryDir dir;
    const QString target = dir.filePath("b.pbk");
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemoveTemporaryFilesOnSignals();
            QString error;
            ReplaceFileAtomically(target, [sig](const QString&, QString&) {
                std::raise(sig);  // the operator presses Ctrl+C half way through
                return true;
            }, error);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << sig;
        EXPECT_EQ(WTERMSIG(status), sig);
        EXPECT_TRUE(Temporaries(dir.path()).isEmpty()) << Temporaries(dir.path()).join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(target));
    }
    // A stale one of ours (a kill -9) is removed by the next write of that target.
    QFile stale(dir.filePath(".b.pbk.portiqa-AbC123"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("the whole backup");
    stale.close();
    QFile other(dir.filePath(".other.pbk.portiqa-AbC123"));  // another target's is left alone
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    QString error;
    ASSERT_TRUE(WriteFileAtomically(target, "new", error, TFileAccess::Private));
    EXPECT_EQ(Temporaries(dir.path()), QStringList{".other.pbk.portiqa-AbC123"});
}
#endif

#ifndef _WIN32  // a folder made read-only by its mode
TEST(FileReplace, ProbeFindsAnUnwritableTargetBeforeAnyWork) {
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(ProbeWritable(dir.filePath("fine.xlsx"), error));
    EXPECT_FALSE(QFile::exists(dir.filePath("fine.xlsx")));
    EXPECT_TRUE(Temporaries(dir.path()).isEmpty());
    EXPECT_FALSE(ProbeWritable(dir.filePath("missing/b.pbk"), error));
    EXPECT_TRUE(error.contains("такой папки нет")) << error.toStdString();
    EXPECT_FALSE(ProbeWritable(dir.path(), error));
    EXPECT_TRUE(error.contains("это папка")) << error.toStdString();
    EXPECT_FALSE(ProbeWritable("/dev/full", error));  // a device is not a file
    if (::geteuid() != 0) {  // root writes into a read-only folder anyway
        QDir(dir.path()).mkdir("ro");
        ::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0555);
        EXPECT_FALSE(ProbeWritable(dir.filePath("ro/b.pbk"), error));
    }
}
#endif

} // namespace

// Lists as spreadsheet programs save them in a Russian and an English
// locale: dates, times, yes/no and numbers kept as number cells all come
// into the table's own forms; a date that could be either day or month
// first is refused with the reason.
TEST_F(FilesTest, SpreadsheetDatesFlagsAndNumberCellsImportOnTheFirstTry) {
    struct Case {
        const char* what;
        QString text;
        QChar separator;
    };
    const QString header = "№,Номер абонента,Дата начала,Время начала,Дата окончания,Время окончания,Без ограничений,Удалить\n";
    const Case cases[] = {
        {"Russian locale", header + "1,79163992383,01.08.2026,07:30:00,31.12.2026,18:00:00,Нет,Нет\n2,+79160000002,,,,,ИСТИНА,ЛОЖЬ\n", u','},
        {"Russian, semicolons", QString(header).replace(u',', u';') + "1;79163992383;01.08.26;7:30;31.12.26;18:00;нет;\n2;+79160000002;;;;;да;\n", u';'},
        {"English locale", header + "1,79163992383,08/01/2026,07:30:00 AM,12/31/2026,06:00:00 PM,FALSE,FALSE\n2,+79160000002,,,,,TRUE,FALSE\n", u','},
        {"English words and serials", header + "1,+79163992383,46235,0.3125,46387,0.75,No,No\n2,+79160000002,,,,,Yes,No\n", u','},
        {"ones and noughts", header + "1,+79163992383,2026-08-01,07:30,2026-12-31,18:00,0,0\n2,+79160000002,,,,,1,0\n", u','},
    };
    for (const Case& c : cases) {
        TNumberTable table;
        TNumberFiles files(table, ctx);
        ASSERT_TRUE(files.ApplyCsv(TCsv::ParseRows(c.text, c.separator))) << c.what << ": " << op.messages.join('|').toStdString();
        const auto& g = table.Grid();
        EXPECT_EQ(QStringList({g.Cells(1, 1), g.Cells(2, 1), g.Cells(3, 1), g.Cells(4, 1), g.Cells(5, 1), g.Cells(6, 1)}),
                  QStringList({"+79163992383", "2026-08-01", "07:30", "2026-12-31", "18:00", "Нет"})) << c.what;
        EXPECT_EQ(g.Cells(6, 2), "Да") << c.what;
    }
    TNumberTable table;
    TNumberFiles files(table, ctx);
    ASSERT_TRUE(files.ApplyCsv(TCsv::ParseRows(cases[0].text, u',')));
    EXPECT_EQ(files.Imported(), "Импортировано записей: 2\r«+» добавлен к номерам из 7 и десяти цифр (таблица хранила их как числа): 1");
    // 03/04 alone could be either; a start after its end, the same number
    // twice and a flag that is neither: all listed, nothing taken.
    EXPECT_FALSE(files.ApplyCsv(TCsv::ParseRows(header + "1,+79160000001,03/04/2026,07:00,05/06/2026,18:00,No,No\n"
                                                         "2,+79160000002,2026-08-01,07:00,2018-12-13,18:00,Нет,Нет\n"
                                                         "3,79160000001,,,,,Да,Нет\n4,+79160000004,,,,,может быть,Нет\n", u',')));
    const QStringList lines = op.messages.back().split(u'\r');
    ASSERT_EQ(lines.size(), 5) << op.messages.back().toStdString();
    EXPECT_TRUE(lines[1].startsWith("запись 1: дата начала «03/04/2026»: неясно")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("запись 2: окно кончается")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "запись 3: номер +79160000001 уже есть в записи 1");
    EXPECT_TRUE(lines[4].startsWith("запись 4: «Без ограничений»: «может быть»")) << lines[4].toStdString();
    EXPECT_TRUE(table.Grid().Cells(1, 3).isEmpty());
}

namespace {

// Our workbook saved as comma-separated text by a spreadsheet program: a
// header row of quoted captions, UTF-8, empty fields; through the import
// button's path, which takes the kind from the extension.
TEST_F(FilesTest, AListSavedAsCsvByASpreadsheetProgramImports) {
    const QByteArray text =
        "\"№\",\"Номер абонента\",\"Дата начала\",\"Время начала\",\"Дата окончания\",\"Время окончания\","
        "\"Без ограничений\",\"Удалить\"\n"
        "1,+79161234567,2026-01-01,07:30,2026-12-31,18:00,Нет,Нет\n"
        "2,+79161234568,,,,,Да,Нет\n"
        "3,,,,,,Нет,Нет\n";
    QFile f(Path("from-libreoffice.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    TNumberTable table;
    TNumberFiles files(table, ctx);
    op.openFile = f.fileName();
    files.ImportNumbersXls();
    EXPECT_TRUE(op.errors.isEmpty()) << op.errors.join('|').toStdString();
    EXPECT_EQ(op.messages, QStringList{"Импортировано записей: 2"});
    EXPECT_EQ(table.Grid().Cells(1, 1), "+79161234567");
    EXPECT_EQ(table.Grid().Cells(2, 1), "2026-01-01");
    EXPECT_EQ(table.Grid().Cells(6, 2), "Да");
    EXPECT_TRUE(table.Grid().Cells(1, 3).isEmpty());
    // A header in English is recognised too; a first line that is neither
    // header nor record is still refused with its line number.
    EXPECT_TRUE(files.ApplyCsv(TCsv::ParseRows("No,Number,Start date,Start time,End date,End time,Unrestricted,Delete\n1,+7,,,,,Да,Нет\n", u',')));
    EXPECT_FALSE(files.ApplyCsv(TCsv::ParseRows("list of numbers\n1,+7,,,,,Да,Нет\n", u',')));
    EXPECT_TRUE(op.messages.back().contains("строка 1")) << op.messages.back().toStdString();
}

// A file is read by its captions, in any order, with or without "Удалить"
// and the name columns; a caption not known or given twice, or data under
// no caption, is named and nothing is taken.
TEST_F(FilesTest, NumberFilesMapTheirColumnsByCaption) {
    struct Case {
        const char* what;
        QByteArray csv;
        const char* problem;  // empty: imported
    };
    const Case cases[] = {
        {"no Удалить, semicolons, BOM", "\xEF\xBB\xBF№;Номер абонента;Дата начала;Время начала;Дата окончания;Время окончания;"
                                         "Без ограничений;Имя;Место;Примечание\r\n2;+79161239901;;;;;Да;Анна;кв. 5;ключ\r\n", ""},
        {"English, another order, no №", "Name,Unrestricted,Number,Place\nАнна,Yes,+79161239901,кв. 5\n", ""},
        {"unknown caption", "№,Номер абонента,Имя,Телефон\n2,+79161239901,Анна,x\n", "столбец D: заголовок «Телефон» не известен"},
        {"doubled caption", "№,Номер абонента,Имя,name\n2,+79161239901,Анна,Б\n", "столбец D: заголовок «name» уже есть в столбце C"},
        {"data under no caption", "№,Номер абонента,,Имя\n2,+79161239901,x,Анна\n", "строка 2: в столбце C данные без заголовка"},
    };
    for (const Case& c : cases) {
        TNumberTable table;
        TNumberFiles files(table, ctx);
        const QString text = TCsv::DecodeBytes(c.csv);
        const bool taken = files.ApplyCsv(TCsv::ParseRows(text, TCsv::DetectSeparator(text)));
        EXPECT_EQ(taken, *c.problem == 0) << c.what << ": " << op.messages.back().toStdString();
        if (!taken) {
            EXPECT_TRUE(op.messages.back().contains(QString::fromUtf8(c.problem))) << c.what << ": " << op.messages.back().toStdString();
            EXPECT_TRUE(table.Grid().Cells(TNumberTable::kNumber, 2).isEmpty()) << c.what;
            continue;
        }
        const int row = c.csv.contains("Name,") ? 1 : 2;
        EXPECT_EQ(table.Grid().Cells(TNumberTable::kNumber, row), "+79161239901") << c.what;
        EXPECT_EQ(table.Grid().Cells(TNumberTable::kName, row), "Анна") << c.what;
        EXPECT_EQ(table.Grid().Cells(TNumberTable::kPlace, row), "кв. 5") << c.what;
        EXPECT_EQ(table.Grid().Cells(TNumberTable::kUnrestricted, row), "Да") << c.what;
    }
    // A workbook places its records by "№" as a comma-separated file does
    // (a spreadsheet program may pack the rows), and one bad serial hides no
    // other error of the file.
    TNumberTable table;
    TNumberFiles files(table, ctx);
    TWorkbook book;
    const QStringList head{"№", "Номер абонента", "Без ограничений"};
    for (int c = 0; c < head.size(); ++c) book.SetText(1, c + 1, head[c]);
    const QStringList rows[] = {{"7", "+79161230007", "Да"}, {"3001", "+79161233001", "Да"}, {"8", "+7 916", "Да"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) book.SetText(r + 2, c + 1, rows[r][c]);
    EXPECT_FALSE(files.ApplyWorkbook(book));
    EXPECT_TRUE(op.messages.back().contains("строка 3: серийный номер «3001»")) << op.messages.back().toStdString();
    EXPECT_TRUE(op.messages.back().contains("запись 8: номер «+7 916»")) << op.messages.back().toStdString();
    book.SetText(3, 1, "12");
    book.SetText(4, 2, "+79161230008");
    ASSERT_TRUE(files.ApplyWorkbook(book)) << op.messages.back().toStdString();
    EXPECT_EQ(table.Grid().Cells(TNumberTable::kNumber, 7), "+79161230007");
    EXPECT_EQ(table.Grid().Cells(TNumberTable::kNumber, 12), "+79161233001");
    EXPECT_EQ(table.Grid().Cells(TNumberTable::kNumber, 8), "+79161230008");
    EXPECT_TRUE(table.Grid().Cells(TNumberTable::kNumber, 1).isEmpty());
}

} // namespace

namespace {

// The caller's name beside each history record: it follows the rows through
// the filter, goes into the spreadsheet form, and the original form keeps
// its ten fields with the last two empty.
TEST_F(FilesTest, HistoryRecordsCarryTheCallersName) {
    THistoryTable t;
    t.NameOf = [](const QString& phone) { return phone == "+79161234567" ? QStringLiteral("Анна") : QString(); };
    const char* rows[][3] = {{"2024-05-01", "+79161234567", "1"}, {"2024-06-01", "+79990000000", "2"}};
    for (int r = 1; r <= 2; ++r) {
        t.Grid().SetCells(THistoryTable::kRecordNo, r, rows[r - 1][2]);
        t.Grid().SetCells(THistoryTable::kDate, r, rows[r - 1][0]);
        t.Grid().SetCells(THistoryTable::kTime, r, "10:00:00");
        t.Grid().SetCells(THistoryTable::kPhone, r, rows[r - 1][1]);
    }
    t.KeepAll();
    ASSERT_TRUE(FilterHistory(t, QDateTime(QDate(2024, 4, 1), QTime(0, 0)), QDateTime(QDate(2024, 5, 15), QTime(0, 0)), status, op));
    EXPECT_EQ(t.Grid().Cells(THistoryTable::kName, 1), "Анна");
    t.ShowAll();
    THistoryFiles files(t, ctx);
    const QStringList sheet = files.CsvLines(TCsvForm::Spreadsheet);
    ASSERT_EQ(sheet.size(), 3);
    EXPECT_TRUE(sheet[0].endsWith(",Текст,Имя")) << sheet[0].toStdString();
    EXPECT_TRUE(sheet[1].endsWith(",+79161234567,,Анна")) << sheet[1].toStdString();
    EXPECT_TRUE(files.CsvLines(TCsvForm::Original)[0].endsWith(",+79161234567,,,")) << "ten fields, the last two empty";
}

// The export dialog offers both kinds; the chosen name's extension decides.
// ".csv" is for spreadsheets (UTF-8 with its mark, a header, the records
// only) and imports back exactly; ".cvs" keeps the original Windows-1251 form.
TEST_F(FilesTest, OneExportDialogWritesTheKindTheNameSays) {
    TNumberTable table;
    TNumberFiles files(table, ctx);
    table.Grid().SetCells(1, 7, "+79161234567");
    table.Grid().SetCells(6, 7, "Да");
    table.Grid().SetCells(TNumberTable::kName, 7, "Анна");
    table.Grid().SetCells(TNumberTable::kPlace, 7, "кв. 7");
    op.saveFile = Path("list.csv");
    files.ExportNumbersXls();
    QFile csv(op.saveFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\xE2\x84\x96,")) << "UTF-8 with its mark, the captions first";
    EXPECT_EQ(bytes.count("\r\n"), 2) << "the header and the one record";
    EXPECT_TRUE(bytes.contains("7,+79161234567,,,,,\xD0\x94\xD0\xB0,")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(",\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0,")) << "the name after the record's columns";
    EXPECT_EQ(display.Text(), "Сохранено записей: 1 в файл " + QDir::toNativeSeparators(op.saveFile));
    TNumberTable back;
    TNumberFiles backFiles(back, ctx);
    op.openFile = op.saveFile;
    backFiles.ImportNumbersXls();
    for (int c = 0; c < TNumberTable::kAllCols; ++c) EXPECT_EQ(back.Grid().Cells(c, 7), table.Grid().Cells(c, 7)) << c;

    op.saveFile = Path("list.cvs");
    files.ExportNumbersXls();
    QFile cvs(op.saveFile);
    ASSERT_TRUE(cvs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(cvs.readLine().startsWith("1,,")) << "every row, no header";
    EXPECT_TRUE(cvs.readAll().contains("7,+79161234567,,,,,\xC4\xE0,")) << "Windows-1251";
    op.saveFile = Path("list.xlsx");
    files.ExportNumbersXls();
    QFile book(op.saveFile);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_TRUE(book.read(2) == "PK") << "a workbook is a zip";
    TNumberTable fromBook;
    TNumberFiles bookFiles(fromBook, ctx);
    op.openFile = op.saveFile;
    bookFiles.ImportNumbersXls();
    for (int c = 0; c < TNumberTable::kAllCols; ++c) EXPECT_EQ(fromBook.Grid().Cells(c, 7), table.Grid().Cells(c, 7)) << c;
    EXPECT_TRUE(op.errors.isEmpty()) << op.errors.join('|').toStdString();
}

} // namespace

namespace {
// A workbook goes out as .xlsx whatever ending was typed; the status bar
// names the file written, and a renamed file that exists is replaced only
// when the operator says so.
TEST_F(FilesTest, WorkbookExportsEndInXlsxAndSayWhereTheyWent) {
    struct Case { const char* chosen; const char* written; bool existsAlready, replace, writes; };
    const Case cases[] = {
        {"p1.xlsx", "p1.xlsx", false, true, true},
        {"p2.xls", "p2.xlsx", false, true, true},
        {"p3", "p3.xlsx", false, true, true},
        {"p4.xls", "p4.xlsx", true, false, false},
        {"p5.xls", "p5.xlsx", true, true, true},
    };
    TSettingsTable table;
    TSettingsProfile profile(table, ctx);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        if (c.existsAlready) {
            QFile f(Path(c.written));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("keep");
        }
        op.questions.clear();
        op.answers = {c.replace};
        op.saveFile = Path(c.chosen);
        profile.ExportProfile();
        EXPECT_EQ(op.questions.size(), c.existsAlready ? 1 : 0);
        QFile f(Path(c.written));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll() != "keep", c.writes);
        EXPECT_EQ(display.Text() == "Сохранено в файл: " + QDir::toNativeSeparators(Path(c.written)), c.writes);
        if (QString(c.chosen) != c.written) {
            EXPECT_FALSE(QFile::exists(Path(c.chosen)));  // nothing under the misleading name
        }
    }
}
} // namespace
