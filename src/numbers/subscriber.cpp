#include "numbers/subscriber.h"
#include "base/string_grid.h"
#include "base/texts.h"
#include "numbers/number_table.h"
#include <QHash>
#include <QMap>
#include <cstring>
#include <iterator>

namespace portiqa {

namespace {

struct TCountryRow {
    QLocale::Territory territory;
    const char* iso;
    const char* code;
    const char* trunk;
    int nationalDigits;
};

// The countries the modules are sold in and their neighbours; a region
// not listed has no local forms (only "+" numbers are compared).
const TCountryRow kCountries[] = {
    {QLocale::Russia, "RU", "7", "8", 10},       {QLocale::Kazakhstan, "KZ", "7", "8", 10},
    {QLocale::Belarus, "BY", "375", "80", 9},    {QLocale::Ukraine, "UA", "380", "0", 9},
    {QLocale::Uzbekistan, "UZ", "998", "", 9},   {QLocale::Kyrgyzstan, "KG", "996", "0", 9},
    {QLocale::Armenia, "AM", "374", "0", 8},     {QLocale::Azerbaijan, "AZ", "994", "0", 9},
    {QLocale::Georgia, "GE", "995", "0", 9},     {QLocale::Moldova, "MD", "373", "0", 8},
    {QLocale::Tajikistan, "TJ", "992", "", 9},   {QLocale::Turkmenistan, "TM", "993", "8", 8},
    {QLocale::Latvia, "LV", "371", "", 8},       {QLocale::Lithuania, "LT", "370", "8", 8},
    {QLocale::Estonia, "EE", "372", "", 0},      {QLocale::Germany, "DE", "49", "0", 0},
    {QLocale::UnitedKingdom, "GB", "44", "0", 10}, {QLocale::UnitedStates, "US", "1", "1", 10},
    {QLocale::Poland, "PL", "48", "", 9},        {QLocale::Finland, "FI", "358", "0", 0},
};

TNumberCountry Of(const TCountryRow& row) {
    return {QString::fromLatin1(row.code), QString::fromLatin1(row.trunk), row.nationalDigits};
}

QString Digits(const QString& number) {
    QString d;
    d.reserve(number.size());
    for (QChar c : number)
        if (c >= u'0' && c <= u'9') d += c;
    return d;
}

// The international digits of a number in the country, or empty when it
// does not read as the country's number.
QString International(const QString& number, const TNumberCountry& country) {
    const QString digits = Digits(number);
    if (digits.isEmpty() || !country.Known()) return {};
    if (number.trimmed().startsWith(u'+')) return digits;
    const int n = country.nationalDigits;
    if (n <= 0) return {};
    if (digits.size() == country.code.size() + n && digits.startsWith(country.code)) return digits;
    if (!country.trunk.isEmpty() && digits.size() == country.trunk.size() + n && digits.startsWith(country.trunk))
        return country.code + digits.mid(country.trunk.size());
    if (digits.size() == n) return country.code + digits;
    return {};
}

} // namespace

QString TNumberCountry::Shown() const { return Known() ? u'+' + code : QStringLiteral("—"); }

std::optional<TNumberCountry> TNumberCountry::Parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return TNumberCountry{};
    const QString digits = t.startsWith(u'+') ? t.mid(1) : t;
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits) allDigits = allDigits && c.isDigit();
    for (const TCountryRow& row : kCountries) {
        if (allDigits ? digits == QLatin1String(row.code) : t.compare(QLatin1String(row.iso), Qt::CaseInsensitive) == 0)
            return Of(row);
    }
    // A calling code without a rule here: only its "+" numbers and its
    // numbers written with the code compare.
    if (allDigits && digits.size() <= 3) return TNumberCountry{digits, QString(), 0};
    return std::nullopt;
}

TNumberCountry TNumberCountry::ForTerritory(QLocale::Territory territory) {
    for (const TCountryRow& row : kCountries)
        if (row.territory == territory) return Of(row);
    return {};
}

TNumberCountry TNumberCountry::OfNumbers(const QStringList& numbers) {
    QHash<int, int> votes;  // row of kCountries -> "+" numbers calling it
    int international = 0;
    for (const QString& n : numbers) {
        const QString t = n.trimmed();
        if (!t.startsWith(u'+')) continue;
        ++international;
        const QString digits = Digits(t);
        int best = -1;
        for (int i = 0; i < int(std::size(kCountries)); ++i) {
            const QLatin1String code(kCountries[i].code);
            // The first row of a shared code stands for it (+7: Russia's rule, Kazakhstan's alike).
            if (digits.startsWith(code) && (best < 0 || code.size() > qsizetype(strlen(kCountries[best].code)))) best = i;
        }
        if (best >= 0) ++votes[best];
    }
    for (auto it = votes.cbegin(); it != votes.cend(); ++it)
        if (2 * it.value() > international) return Of(kCountries[it.key()]);
    return {};
}

QStringList SubscriberKeys(const QString& number, const TNumberCountry& country, const TNumberCountry& listCountry) {
    QStringList keys{SubscriberKey(number, country)};
    if (listCountry.Known() && listCountry.code != country.code) {
        const QString other = SubscriberKey(number, listCountry);
        if (other != keys.first()) keys << other;
    }
    return keys;
}

TNumberCountry TNumberCountry::FromSystem() { return ForTerritory(QLocale::system().territory()); }

QString SubscriberKey(const QString& number, const TNumberCountry& country) {
    const QString trimmed = number.trimmed();
    if (trimmed.isEmpty()) return {};
    const QString international = International(trimmed, country);
    if (!international.isEmpty()) return u'+' + international;
    if (trimmed.startsWith(u'+')) return u'+' + Digits(trimmed);
    return Digits(trimmed).isEmpty() ? trimmed : Digits(trimmed);
}

std::optional<QString> UsualForm(const QString& number, const TNumberCountry& country) {
    const QString trimmed = number.trimmed();
    if (trimmed.startsWith(u'+')) return std::nullopt;
    const QString international = International(trimmed, country);
    if (international.isEmpty()) return std::nullopt;
    return u'+' + international;
}

QList<TSameSubscriber> SubscribersWrittenTwice(const TStringGrid& grid, const TNumberCountry& country) {
    using T = TNumberTable;
    QMap<QString, QList<int>> rows;  // ordered by key: the report reads the same each time
    for (int r = 1; r <= T::kRecords && r < grid.RowCount(); ++r) {
        const QString& number = grid.Cells(T::kNumber, r);
        if (number.isEmpty() || grid.Cells(T::kDelete, r) == T::Yes()) continue;
        rows[SubscriberKey(number, country)].append(r);
    }
    QList<TSameSubscriber> out;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.value().size() < 2) continue;
        // The same text twice is a plain duplicate (the import and the
        // module treat it as one number); written differently, the module
        // sees two numbers the operator meant as one.
        const QString first = grid.Cells(T::kNumber, it.value().first());
        bool differ = false;
        for (int r : it.value()) differ = differ || grid.Cells(T::kNumber, r) != first;
        if (differ) out.append({it.key(), it.value()});
    }
    std::sort(out.begin(), out.end(), [](const TSameSubscriber& a, const TSameSubscriber& b) { return a.rows.first() < b.rows.first(); });
    return out;
}

QString TwiceWrittenHead() {
    return TText::tr("Один абонент записан по-разному: GSM модуль сравнивает номера как записаны и считает их разными");
}

QString SameSubscriberText(const QList<TSameSubscriber>& groups, const TStringGrid& grid, int limit) {
    QStringList lines;
    for (const TSameSubscriber& g : groups) {
        if (lines.size() == limit) {
            lines << QStringLiteral("…");
            break;
        }
        QStringList parts;
        for (int r : g.rows) parts << TText::tr("%1 (запись %2)").arg(grid.Cells(TNumberTable::kNumber, r)).arg(r);
        lines << TText::tr("один абонент %1: %2").arg(g.key, parts.join(QStringLiteral(", ")));
    }
    return lines.join(u'\r');
}

} // namespace portiqa
