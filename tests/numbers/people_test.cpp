// One subscriber however written, and what a save does to each person's access.
#include "numbers/access_changes.h"
#include "base/plain_text.h"
#include "numbers/number_table.h"
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

TEST(Subscriber, TheFormsOfOneNumberAreOneSubscriberInItsCountry) {
    const TNumberCountry ru = *TNumberCountry::Parse("RU"), by = *TNumberCountry::Parse("+375"), none;
    struct Case {
        const char* number;
        const TNumberCountry* country;
        const char* key;
        const char* usual;  // "" when none is offered
    } cases[] = {
        {"+79161234567", &ru, "+79161234567", ""},
        {"89161234567", &ru, "+79161234567", "+79161234567"},
        {"79161234567", &ru, "+79161234567", "+79161234567"},
        {"9161234567", &ru, "+79161234567", "+79161234567"},
        {"8 (916) 123-45-67", &ru, "+79161234567", "+79161234567"},
        {"112", &ru, "112", ""},                           // a short number stays itself
        {"80291234567", &by, "+375291234567", "+375291234567"},
        {"89161234567", &none, "89161234567", ""},         // no country: written forms only
        {"+79161234567", &none, "+79161234567", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubscriberKey(c.number, *c.country), c.key) << c.number;
        EXPECT_EQ(UsualForm(c.number, *c.country).value_or(""), c.usual) << c.number;
    }
    EXPECT_FALSE(TNumberCountry::Parse("Narnia"));
    EXPECT_EQ(TNumberCountry::ForTerritory(QLocale::Russia).Shown(), "+7");
}

void Put(TStringGrid& g, int row, const QString& number, const QString& from = {}, const QString& to = {}) {
    using T = TNumberTable;
    g.SetCells(T::kNumber, row, number);
    g.SetCells(T::kUnrestricted, row, from.isEmpty() ? T::Yes() : T::No());
    g.SetCells(T::kDelete, row, T::No());
    g.SetCells(T::kStartDate, row, from);
    g.SetCells(T::kStartTime, row, from.isEmpty() ? QString() : "00:00");
    g.SetCells(T::kEndDate, row, to);
    g.SetCells(T::kEndTime, row, to.isEmpty() ? QString() : "00:00");
}

// Names are data: nothing in one can break a line, turn the text's
// direction or hide; a terminal shows what is stored, escaped.
TEST(PlainText, NamesLoseControlAndInvisibleCharactersAndPrintEscaped) {
    const struct {
        QString typed, kept, printed;
    } cases[] = {
        {"Иван\nПетров", "Иван Петров", "Иван\\u000aПетров"},
        {"a\tb\r\n", "a b", "a\\u0009b\\u000d\\u000a"},
        {QString::fromUtf8("gate\u202Egnp.exe"), "gategnp.exe", "gate\\u202egnp.exe"},
        {QString::fromUtf8("A\u200BB\uFEFF"), "AB", "A\\u200bB\\ufeff"},
        {QString::fromUtf8("\u2066x\u2069  y"), "x y", "\\u2066x\\u2069  y"},
        {"кв. 5", "кв. 5", "кв. 5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlainText(c.typed, 60), c.kept) << c.printed.toStdString();
        EXPECT_EQ(Printable(c.typed), c.printed) << c.kept.toStdString();
    }
    EXPECT_EQ(PlainText(QString(70, u'я'), 60).size(), 60);
    EXPECT_EQ(PlainText(QString(59, u'a') + QString::fromUtf8("😀"), 60), QString(59, u'a')) << "no half of a pair";
}

TEST(Access, EachPersonsChangeIsNamedAndLossesComeFirst) {
    TNumberTable module, table;
    TStringGrid &m = module.Grid(), &t = table.Grid();
    TPeople people;
    people.SetCountry(*TNumberCountry::Parse("+7"));
    TPerson vera;
    vera.name = "Вера";
    people.Set("+79160000003", vera);
    Put(m, 1, "+79160000001", "2025-01-01", "2040-01-01");
    Put(m, 2, "+79160000002", "2025-01-01", "2030-01-01");
    Put(m, 3, "+79160000003");
    Put(m, 4, "+79160000004", "2025-01-01", "2030-01-01");
    Put(m, 5, "+79160000005");
    Put(t, 1, "+79160000001", "2025-01-01", "2035-01-01");  // shortened
    Put(t, 2, "+79160000002", "2025-01-01", "2045-01-01");  // lengthened
    Put(t, 4, "+79160000004");                              // made unrestricted
    Put(t, 6, "89160000005");                               // moved and written another way: no change
    Put(t, 7, "+79160000007", "2020-01-01", "2021-01-01");  // added, already ended
    Put(t, 8, "+79160000008");                              // added
    Put(m, 10, "+79160000010", "2025-01-01", "2030-01-01");
    Put(t, 10, "+79160000010", "2026-01-01", "2030-01-01"); // a start moved later: a loss
    Put(m, 11, "+79160000011", "2025-01-01", "2030-01-01");
    Put(t, 11, "+79160000011", "2024-01-01", "2030-01-01"); // a start moved earlier: a gain
    Put(m, 12, "+79160000012");
    Put(t, 12, "+79160000012", "2025-01-01", "2030-01-01"); // a window where there was none: a loss
    const QList<TAccessChange> changes = AccessChanges(m, t, people, QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    QStringList words;
    for (const TAccessChange& c : changes) words << c.Text();
    EXPECT_EQ(words, (QStringList{
                         "+79160000001: срок сокращён: 2025-01-01 00:00 – 2040-01-01 00:00 → 2025-01-01 00:00 – 2035-01-01 00:00",
                         "+79160000010: срок сокращён: 2025-01-01 00:00 – 2030-01-01 00:00 → 2026-01-01 00:00 – 2030-01-01 00:00",
                         "+79160000012: срок сокращён: без ограничений → 2025-01-01 00:00 – 2030-01-01 00:00",
                         "Вера (+79160000003): удалён",
                         "+79160000002: срок продлён: 2025-01-01 00:00 – 2030-01-01 00:00 → 2025-01-01 00:00 – 2045-01-01 00:00",
                         "+79160000004: без ограничений (был 2025-01-01 00:00 – 2030-01-01 00:00)",
                         "+79160000007: срок уже истёк: 2020-01-01 00:00 – 2021-01-01 00:00",
                         "+79160000008: добавлен (без ограничений)",
                         "+79160000011: срок продлён: 2025-01-01 00:00 – 2030-01-01 00:00 → 2024-01-01 00:00 – 2030-01-01 00:00"}));
    EXPECT_EQ(LosingAccess(changes), 4);
    // The directory follows the country: a name kept for 8… with no country
    // is found as +7… once the country is Russia.
    people.SetCountry(TNumberCountry{});
    TPerson ivan;
    ivan.name = "Иван";
    people.Set("89160000009", ivan);
    EXPECT_EQ(people.Find("+79160000009"), nullptr);
    people.SetCountry(*TNumberCountry::Parse("RU"));
    ASSERT_NE(people.Find("+79160000009"), nullptr);
    EXPECT_EQ(people.Find("+79160000009")->name, "Иван");
    EXPECT_EQ(SubscribersWrittenTwice(t, people.Country()).size(), 0);
    Put(t, 9, "+79160000005");
    ASSERT_EQ(SubscribersWrittenTwice(t, people.Country()).size(), 1);
    EXPECT_EQ(SubscribersWrittenTwice(t, people.Country())[0].rows, (QList<int>{6, 9}));
}

} // namespace

#include "session/number_use.h"
#include <QTemporaryDir>

namespace {

// Last use: every kept log of the module is read, newest event wins, one
// subscriber however the log writes the number.
TEST(NumberUse, TheNewestEventOfEachSubscriberAcrossTheKeptLogs) {
    QTemporaryDir dir;
    QString error;
    auto record = TRecord::Open(dir.filePath("r.sqlite"), error);
    ASSERT_TRUE(record) << error.toStdString();
    const qint64 module = *record->TouchModule({"+79165550001", "", "", 1}, error);
    // A log of 500 pages; records: year..second, event, the caller's number as written.
    const auto log = [](QList<std::tuple<int, int, const char*>> events) {
        QByteArray area(500 * 256, '\0');
        for (int i = 0; i < events.size(); ++i) {
            uint8_t* r = reinterpret_cast<uint8_t*>(area.data()) + i * 128;
            const auto [month, event, phone] = events[i];
            r[0] = uint8_t(i + 1);
            r[4] = 25, r[5] = uint8_t(month), r[6] = 1, r[7] = 12, r[8] = 0, r[9] = 0;
            r[11] = uint8_t(event);
            memcpy(r + 12, phone, strlen(phone));
        }
        return area;
    };
    record->AddSnapshot(module, "read", {{}, {}, log({{1, 2, "89160000001"}, {2, 2, "+79160000002"}})}, error);
    record->AddSnapshot(module, "read", {{}, {}, log({{3, 2, "+79160000001"}, {4, 6, ""}})}, error);
    const TNumberCountry ru = *TNumberCountry::Parse("+7");
    const TNumberUse use = NumberUseOf(*record, module, ru, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(use.since, QDateTime(QDate(2025, 1, 1), QTime(12, 0)));
    EXPECT_EQ(use.Text("+79160000001", ru), "последнее событие 2025-03-01 12:00:00 (Реле включено)");
    EXPECT_EQ(use.Text("+79160000009", ru), "нет в журнале событий с 2025-01-01");
    const QDateTime feb15(QDate(2025, 2, 15), QTime(0, 0));
    EXPECT_FALSE(use.UnusedSince("79160000001", ru, feb15));
    EXPECT_TRUE(use.UnusedSince("+79160000002", ru, feb15));
}

} // namespace
