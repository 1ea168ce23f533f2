#include "numbers/number_expiry.h"
#include "base/texts.h"
#include "numbers/number_table.h"
#include <QStringList>

namespace portiqa {

namespace {

using T = TNumberTable;

QString Digits(const QString& s) {
    QString out;
    for (QChar c : s)
        if (c >= u'0' && c <= u'9') out += c;
    return out;
}

} // namespace

TValidity ValidityOf(const TStringGrid& g, int row, const QDateTime& now, int days) {
    if (g.Cells(T::kNumber, row).isEmpty() || g.Cells(T::kDelete, row) == T::Yes()) return TValidity::Free;
    if (g.Cells(T::kUnrestricted, row) == T::Yes()) return TValidity::Unrestricted;
    const auto date = T::ParseDate(g.Cells(T::kEndDate, row));
    const auto time = T::ParseTime(g.Cells(T::kEndTime, row));
    if (!date || !time) return TValidity::Unknown;
    const QDateTime end(*date, *time);
    if (end < now) return TValidity::Expired;
    if (end <= now.addDays(days)) return TValidity::Expiring;
    return TValidity::Active;
}

TExpiryCounts CountExpiry(const TStringGrid& g, const QDateTime& now, int days) {
    TExpiryCounts c;
    for (int row = 1; row <= T::kRecords; ++row) {
        const TValidity v = ValidityOf(g, row, now, days);
        c.expired += v == TValidity::Expired;
        c.expiring += v == TValidity::Expiring;
    }
    return c;
}

QString ExpiryText(const TExpiryCounts& c, int days) {
    return TText::tr("Истекло: %1, истекает в течение %2 дней: %3").arg(c.expired).arg(days).arg(c.expiring);
}

int FindNumber(const TStringGrid& g, const QString& needle, int afterRow) {
    const QString digits = Digits(needle);
    // Words find a person: their name, place or note.
    const QString words = needle.trimmed();
    bool letters = false;
    for (QChar c : words) letters = letters || c.isLetter();
    if (letters) {
        for (int step = 1; step <= T::kRecords; ++step) {
            const int row = (afterRow + step - 1) % T::kRecords + 1;
            if (g.Cells(T::kNumber, row).isEmpty()) continue;
            for (int c = T::kName; c <= T::kNote; ++c)
                if (g.Cells(c, row).contains(words, Qt::CaseInsensitive)) return row;
        }
        return 0;
    }
    if (digits.isEmpty()) return 0;
    // The same subscriber written with +7 or with 8.
    QStringList forms{digits};
    if (digits.startsWith(u'8')) forms << u'7' + digits.mid(1);
    if (digits.startsWith(u'7')) forms << u'8' + digits.mid(1);
    for (int step = 1; step <= T::kRecords; ++step) {
        const int row = (afterRow + step - 1) % T::kRecords + 1;
        const QString number = Digits(g.Cells(T::kNumber, row));
        if (number.isEmpty()) continue;
        for (const QString& f : forms)
            if (number.contains(f)) return row;
    }
    return 0;
}

} // namespace portiqa
