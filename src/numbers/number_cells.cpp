#include "numbers/number_cells.h"
#include "base/texts.h"
#include "files/workbook.h"
#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace portiqa::number_cells {

namespace {

QString Pad(int v, int width) { return QString::number(v).rightJustified(width, u'0'); }
QString Iso(const QDate& d) { return Pad(d.year(), 4) + u'-' + Pad(d.month(), 2) + u'-' + Pad(d.day(), 2); }

const QRegularExpression& SlashDate() {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    return re;
}

int Year(const QString& y) { return y.size() == 2 ? 2000 + y.toInt() : y.toInt(); }

// A date cell kept with its time at midnight is its date.
QString WithoutMidnight(const QString& v) {
    static const QRegularExpression re(QStringLiteral("^(\\S+)[ T]0?0:00(:00)?( ?[AaPp][Mm])?$"));
    const auto m = re.match(v);
    return m.hasMatch() ? m.captured(1) : v;
}

} // namespace

TSlashOrder SlashOrderOf(const QStringList& dateCells) {
    bool dayFirst = false, monthFirst = false, any = false;
    for (const QString& cell : dateCells) {
        const auto m = SlashDate().match(WithoutMidnight(cell.trimmed()));
        if (!m.hasMatch()) continue;
        any = true;
        const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
        if (a > 12 && b <= 12) dayFirst = true;
        if (b > 12 && a <= 12) monthFirst = true;
    }
    if (!any) return TSlashOrder::None;
    if (dayFirst && monthFirst) return TSlashOrder::Mixed;
    if (dayFirst) return TSlashOrder::DayFirst;
    if (monthFirst) return TSlashOrder::MonthFirst;
    return TSlashOrder::Ambiguous;
}

QString Date(const QString& cell, TSlashOrder order, QString& problem) {
    const QString v = WithoutMidnight(cell.trimmed());
    static const QRegularExpression isoLike(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})$"));
    static const QRegularExpression serial(QStringLiteral("^\\d{5}(\\.0+)?$"));
    QDate d;
    bool written = true;  // it has the form of a date
    if (const auto m = isoLike.match(v); m.hasMatch()) {
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const auto dm = dotted.match(v); dm.hasMatch()) {
        d = QDate(Year(dm.captured(3)), dm.captured(2).toInt(), dm.captured(1).toInt());
    } else if (const auto sm = SlashDate().match(v); sm.hasMatch()) {
        const int a = sm.captured(1).toInt(), b = sm.captured(2).toInt();
        switch (order) {
        case TSlashOrder::DayFirst: d = QDate(Year(sm.captured(3)), b, a); break;
        case TSlashOrder::MonthFirst: d = QDate(Year(sm.captured(3)), a, b); break;
        case TSlashOrder::Mixed:
            problem = TText::tr("«%1»: в файле есть даты и день/месяц/год, и месяц/день/год; запишите даты как ГГГГ-ММ-ДД").arg(v);
            return {};
        default:
            if (a == b) {
                d = QDate(Year(sm.captured(3)), a, b);
                break;
            }
            problem = TText::tr("«%1»: неясно, день или месяц идёт первым; запишите даты как ГГГГ-ММ-ДД или ДД.ММ.ГГГГ").arg(v);
            return {};
        }
    } else if (serial.match(v).hasMatch()) {
        d = QDate(1899, 12, 30).addDays(qint64(v.toDouble()));
    } else {
        written = false;
    }
    if (!d.isValid()) {
        problem = written ? TText::tr("«%1» не существует").arg(v)
                          : TText::tr("«%1» — не дата (ГГГГ-ММ-ДД, ДД.ММ.ГГГГ, ДД/ММ/ГГГГ или ММ/ДД/ГГГГ)").arg(v.left(20));
        return {};
    }
    return Iso(d);
}

QString Time(const QString& cell, QString& problem) {
    const QString v = cell.trimmed();
    static const QRegularExpression clock(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?$"));
    static const QRegularExpression fraction(QStringLiteral("^0?\\.\\d+$|^0$"));
    int h = -1, m = -1;
    bool written = true;
    if (const auto c = clock.match(v); c.hasMatch()) {
        h = c.captured(1).toInt();
        m = c.captured(2).toInt();
        if (!c.captured(3).isEmpty() && c.captured(3).toInt() != 0) {
            problem = TText::tr("«%1»: GSM модуль хранит часы и минуты, без секунд").arg(v);
            return {};
        }
        if (const QString ampm = c.captured(4).toLower(); !ampm.isEmpty()) {
            if (h < 1 || h > 12) h = -1;
            else h = h % 12 + (ampm == QLatin1String("pm") ? 12 : 0);
        }
    } else if (fraction.match(v).hasMatch()) {
        const long minutes = std::lround(v.toDouble() * 24 * 60);
        h = int(minutes / 60);
        m = int(minutes % 60);
    } else {
        written = false;
    }
    if (h < 0 || h > 23 || m < 0 || m > 59) {
        problem = written ? TText::tr("«%1» не существует").arg(v) : TText::tr("«%1» — не время (ЧЧ:ММ)").arg(v.left(20));
        return {};
    }
    return Pad(h, 2) + u':' + Pad(m, 2);
}

std::optional<bool> Flag(const QString& cell) {
    const QString v = cell.trimmed().toCaseFolded();
    if (v.isEmpty()) return false;
    static const QStringList yes{QStringLiteral("да"), QStringLiteral("yes"), QStringLiteral("1"), QStringLiteral("true"),
                                 QStringLiteral("истина")};
    static const QStringList no{QStringLiteral("нет"), QStringLiteral("no"), QStringLiteral("0"), QStringLiteral("false"),
                                QStringLiteral("ложь")};
    if (yes.contains(v)) return true;
    if (no.contains(v)) return false;
    return std::nullopt;
}

QString Number(const QString& cell, bool& plusAdded) { return TWorkbookIo::PhoneNumberCell(cell, plusAdded); }

} // namespace portiqa::number_cells
