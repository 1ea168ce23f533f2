#pragma once
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace portiqa {

class TStringGrid;

// How numbers are written in the country the modules work in: the calling
// code, the trunk prefix a local number is dialled with and the length of a
// national number. With it "+79161234567", "89161234567" and "79161234567"
// are one subscriber. The module compares numbers as written, so this only
// ever informs the operator: stored numbers are not rewritten.
struct TNumberCountry {
    QString code;          // digits, "7"
    QString trunk;         // "8"; empty where none is dialled
    int nationalDigits = 0;  // 10; 0 when unknown (local forms are then not recognised)

    bool Known() const { return !code.isEmpty(); }
    // "+7", or "—" with no country.
    QString Shown() const;
    // "+7", "7", "RU", "ru" or a country name's two-letter code; nullopt
    // when it names nothing known.
    static std::optional<TNumberCountry> Parse(const QString& text);
    // The system's region, or none when it has no rule here.
    static TNumberCountry FromSystem();
    static TNumberCountry ForTerritory(QLocale::Territory territory);
    // The country a list's own numbers say: the one most of its "+" numbers
    // call (more than half of them, with a rule here), else none.
    static TNumberCountry OfNumbers(const QStringList& numbers);
};

// The keys one number may have as a subscriber: in the country given and in
// the one the list it belongs to says (when that differs), so that "8916…"
// and "+7916…" in one list are one subscriber whatever the system region.
QStringList SubscriberKeys(const QString& number, const TNumberCountry& country, const TNumberCountry& listCountry);

// One subscriber's key: "+" and the international digits when the number
// reads as one in the country, otherwise the number's own digits (with its
// "+" when it had one). Empty for an empty number.
QString SubscriberKey(const QString& number, const TNumberCountry& country);

// A number typed in a local form ("89161234567") in the module's usual
// international form ("+79161234567"); nullopt when it is already in that
// form or is not a local number of the country.
std::optional<QString> UsualForm(const QString& number, const TNumberCountry& country);

// Records of a table holding one subscriber written in different ways:
// each group lists the rows (serial numbers) of one subscriber.
struct TSameSubscriber {
    QString key;
    QList<int> rows;
};
QList<TSameSubscriber> SubscribersWrittenTwice(const TStringGrid& grid, const TNumberCountry& country);
// The head of that list: the module sees them as different numbers.
QString TwiceWrittenHead();
// "один абонент +79161234567: 89161234567 (запись 5), +79161234567 (запись 17)" lines, at most limit.
QString SameSubscriberText(const QList<TSameSubscriber>& groups, const TStringGrid& grid, int limit = 10);

} // namespace portiqa
