#include "numbers/access_changes.h"
#include "base/string_grid.h"
#include "base/texts.h"
#include "numbers/number_diff.h"
#include "numbers/number_table.h"
#include <QHash>

namespace portiqa {

namespace {

using T = TNumberTable;

struct TWindow {
    bool unrestricted = false;
    QDateTime from, to;  // invalid when the cells do not read as a window
};

struct TEntry {
    int row = 0;
    TWindow window;
};

TWindow WindowOf(const TStringGrid& g, int row) {
    TWindow w;
    w.unrestricted = g.Cells(T::kUnrestricted, row) == T::Yes();
    if (w.unrestricted) return w;
    const auto fromDate = T::ParseDate(g.Cells(T::kStartDate, row)), toDate = T::ParseDate(g.Cells(T::kEndDate, row));
    const auto fromTime = T::ParseTime(g.Cells(T::kStartTime, row)), toTime = T::ParseTime(g.Cells(T::kEndTime, row));
    if (fromDate && fromTime) w.from = QDateTime(*fromDate, *fromTime);
    if (toDate && toTime) w.to = QDateTime(*toDate, *toTime);
    return w;
}

bool Ended(const TWindow& w, const QDateTime& now) { return !w.unrestricted && w.to.isValid() && w.to < now; }

// The first record of each subscriber, in record order.
QHash<QString, TEntry> Entries(const TStringGrid& g, const TNumberCountry& country, QList<QString>& order) {
    QHash<QString, TEntry> out;
    for (int r = 1; r <= T::kRecords && r < g.RowCount(); ++r) {
        const QString& number = g.Cells(T::kNumber, r);
        if (number.isEmpty() || g.Cells(T::kDelete, r) == T::Yes()) continue;
        const QString key = SubscriberKey(number, country);
        if (out.contains(key)) continue;
        out.insert(key, {r, WindowOf(g, r)});
        order << key;
    }
    return out;
}

QString NameOf(const TStringGrid& g, int row) { return g.ColCount() > T::kName ? g.Cells(T::kName, row).trimmed() : QString(); }

QString WindowText(const TStringGrid& g, int row) {
    const QString text = RecordText(g, row);
    const qsizetype comma = text.indexOf(QLatin1String(", "));
    return comma < 0 ? QString() : text.mid(comma + 2);
}

} // namespace

QString TAccessChange::Text() const {
    QString what;
    switch (kind) {
    case TKind::Added: what = TText::tr("добавлен (%1)").arg(after); break;
    case TKind::Removed: what = TText::tr("удалён"); break;
    case TKind::Shortened: what = TText::tr("срок сокращён: %1 → %2").arg(before, after); break;
    case TKind::Lengthened: what = TText::tr("срок продлён: %1 → %2").arg(before, after); break;
    case TKind::MadeUnrestricted: what = TText::tr("без ограничений (был %1)").arg(before); break;
    case TKind::Expired: what = TText::tr("срок уже истёк: %1").arg(after); break;
    }
    const QString who = name.isEmpty() ? number : QStringLiteral("%1 (%2)").arg(name, number);
    return who + QStringLiteral(": ") + what;
}

QList<TAccessChange> AccessChanges(const TStringGrid& module, const TStringGrid& table, const TPeople& people,
                                   const QDateTime& now) {
    const TNumberCountry& country = people.Country();
    const auto known = [&people](TAccessChange& c) {
        if (!c.name.isEmpty()) return;
        if (const TPerson* p = people.Find(c.number)) c.name = p->name;
    };
    QList<QString> beforeOrder, afterOrder;
    const QHash<QString, TEntry> before = Entries(module, country, beforeOrder);
    const QHash<QString, TEntry> after = Entries(table, country, afterOrder);
    QList<TAccessChange> losses, gains;
    for (const QString& key : afterOrder) {
        const TEntry& a = after[key];
        TAccessChange c;
        c.number = table.Cells(T::kNumber, a.row);
        c.row = a.row;
        c.name = NameOf(table, a.row);
        c.after = WindowText(table, a.row);
        const auto was = before.constFind(key);
        if (was != before.cend()) {
            c.before = WindowText(module, was->row);
            if (c.name.isEmpty()) c.name = NameOf(module, was->row);
        }
        const TWindow& w = a.window;
        if (was == before.cend()) {
            c.kind = Ended(w, now) ? TAccessChange::TKind::Expired : TAccessChange::TKind::Added;
        } else {
            const TWindow& o = was->window;
            if (w.unrestricted && o.unrestricted) continue;
            else if (w.unrestricted) c.kind = TAccessChange::TKind::MadeUnrestricted;
            else if (o.unrestricted || w.from > o.from || w.to < o.to) c.kind = TAccessChange::TKind::Shortened;
            else if (w.from < o.from || w.to > o.to) c.kind = TAccessChange::TKind::Lengthened;
            else continue;
        }
        known(c);
        (c.LosesAccess() ? losses : gains).append(c);
    }
    for (const QString& key : beforeOrder) {
        if (after.contains(key)) continue;
        const TEntry& o = before[key];
        TAccessChange c;
        c.kind = TAccessChange::TKind::Removed;
        c.number = module.Cells(T::kNumber, o.row);
        c.row = o.row;
        c.name = NameOf(module, o.row);
        c.before = WindowText(module, o.row);
        known(c);
        losses.append(c);
    }
    return losses + gains;
}

int LosingAccess(const QList<TAccessChange>& changes) {
    int n = 0;
    for (const TAccessChange& c : changes) n += c.LosesAccess();
    return n;
}

QString AccessChangesText(const QList<TAccessChange>& changes, int limit) {
    QStringList lose, gain;
    for (const TAccessChange& c : changes) (c.LosesAccess() ? lose : gain) << c.Text();
    QStringList out;
    const auto group = [&](const QString& head, const QStringList& lines) {
        if (lines.isEmpty()) return;
        out << head.arg(lines.size());
        for (int i = 0; i < lines.size() && i < limit; ++i) out << QStringLiteral("  ") + lines[i];
        if (lines.size() > limit) out << TText::tr("  … и ещё %1").arg(lines.size() - limit);
    };
    group(TText::tr("Потеряют доступ: %1"), lose);
    group(TText::tr("Получат, расширят доступ или добавлены с истёкшим сроком: %1"), gain);
    return out.join(u'\r');
}

} // namespace portiqa
