#include "history/history_table.h"
#include "base/texts.h"
#include <QVector>
#include <algorithm>

namespace portiqa {

THistoryTable::THistoryTable() : grid_(kAllCols, kRows + 1, this) {
    const char* headers[kAllCols] = {"№", "№", QT_TRANSLATE_NOOP("TText", "Дата"), QT_TRANSLATE_NOOP("TText", "Время"),
                                     QT_TRANSLATE_NOOP("TText", "От"), QT_TRANSLATE_NOOP("TText", "Действие"),
                                     QT_TRANSLATE_NOOP("TText", "Абонент"), QT_TRANSLATE_NOOP("TText", "Текст"),
                                     QT_TRANSLATE_NOOP("TText", "Имя")};
    for (int c = 0; c < kAllCols; ++c) grid_.SetCells(c, 0, QString::fromUtf8(headers[c]));
    for (int r = 1; r <= kRows; ++r) grid_.SetCells(kSerial, r, QString::number(r));
}

void THistoryTable::ClearHistoryTable() {
    TGridBatch batch(grid_);
    for (int r = 1; r <= kRows; ++r)
        for (int c = kRecordNo; c <= kName; ++c) grid_.SetCells(c, r, QString());
}

void THistoryTable::ShowNames() {
    TGridBatch batch(grid_);
    for (int r = 1; r <= kRows; ++r) {
        const QString& phone = grid_.Cells(kPhone, r);
        grid_.SetCells(kName, r, NameOf && !phone.isEmpty() && !grid_.Cells(kRecordNo, r).isEmpty() ? NameOf(phone) : QString());
    }
}

QVector<int> THistoryTable::RowsShown() const {
    if (ShownOrder) return ShownOrder();
    QVector<int> rows;
    for (int r = 1; r <= kRows; ++r)
        if (!grid_.Cells(kRecordNo, r).isEmpty()) rows.append(r);
    return rows;
}

void THistoryTable::CompactHistory() {
    QVector<std::array<QString, 7>> kept;
    for (int r = 1; r <= kRows; ++r) {
        if (grid_.Cells(kRecordNo, r).isEmpty()) continue;
        // A row without a date has no year to compare: dropped, like the
        // records dated 2080-2099.
        bool ok = false;
        const int year = grid_.Cells(kDate, r).left(4).toInt(&ok);
        if (!ok || year >= 2080) continue;
        std::array<QString, 7> row;
        for (int c = kRecordNo; c <= kText; ++c) row[c - 1] = grid_.Cells(c, r);
        kept.append(row);
    }
    TGridBatch batch(grid_);
    ClearHistoryTable();
    for (int i = 0; i < kept.size(); ++i)
        for (int c = kRecordNo; c <= kText; ++c) grid_.SetCells(c, i + 1, kept[i][c - 1]);
}

namespace {

bool Number(const QString& s, int from, int n, int& out) {
    const QString part = s.mid(from, n);
    if (part.size() != n) return false;
    for (QChar c : part)
        if (!c.isDigit() || c.unicode() > 127) return false;
    out = part.toInt();
    return true;
}

// Date "20YY-MM-DD" as YYYYMMDD and time "HH:MM:SS" as HHMMSS; "null" stays 0.
bool Keys(const QString& date, const QString& time, THistoryEntry& e) {
    int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0;
    if (date != QLatin1String("null")) {
        if (date.size() != 10 || !Number(date, 0, 4, y) || !Number(date, 5, 2, m) || !Number(date, 8, 2, d))
            return false;
        e.DateKey = y * 10000 + m * 100 + d;
    }
    if (time != QLatin1String("null")) {
        if (time.size() != 8 || !Number(time, 0, 2, h) || !Number(time, 3, 2, mi) || !Number(time, 6, 2, s))
            return false;
        e.TimeKey = h * 10000 + mi * 100 + s;
    }
    return true;
}

} // namespace

void THistoryTable::KeepAll() {
    all_.clear();
    for (int r = 1; r <= kRows; ++r) {
        QStringList row;
        for (int c = kRecordNo; c <= kText; ++c) row << grid_.Cells(c, r);
        all_.append(row);
    }
    ShowNames();
}

void THistoryTable::ShowAll() {
    if (all_.isEmpty()) return;
    TGridBatch batch(grid_);
    for (int r = 1; r <= kRows && r <= all_.size(); ++r)
        for (int c = kRecordNo; c <= kText; ++c) grid_.SetCells(c, r, all_[r - 1][c - kRecordNo]);
    ShowNames();
}

bool FilterHistory(THistoryTable& table, const QDateTime& start, const QDateTime& end, TStatusControl& status,
                   IOperator& op) {
    using T = THistoryTable;
    TStringGrid& g = table.Grid();
    const QDate d1 = start.date(), d2 = end.date();
    const QTime t1 = start.time(), t2 = end.time();
    const int startTime = t1.hour() * 10000 + t1.minute() * 100 + t1.second();
    const int endTime = t2.hour() * 10000 + t2.minute() * 100 + t2.second();
    // Full years on both sides, so a window across a century boundary works.
    const int startDay = d1.year() * 10000 + d1.month() * 100 + d1.day();
    const int endDay = d2.year() * 10000 + d2.month() * 100 + d2.day();
    if (!(endDay > startDay || (endDay == startDay && startTime < endTime))) {
        op.ShowMessage(TText::tr("Ошибка выбора времени"));
        return false;
    }
    status.ShowStatus(TText::tr("Ready to order"));

    QVector<THistoryEntry> entries;
    entries.reserve(T::kRows);
    int malformed = 0;
    const QString invalid = TText::tr("Invalid");
    // The kept records, so that a second, wider window finds what the first hid.
    auto cell = [&](int c, int r) -> QString {
        return table.HasAll() ? table.All()[r - 1][c - T::kRecordNo] : g.Cells(c, r);
    };
    for (int r = 1; r <= T::kRows; ++r) {
        const QString no = cell(T::kRecordNo, r), date = cell(T::kDate, r), time = cell(T::kTime, r);
        const bool valid = !no.isEmpty() && !date.isEmpty() && !time.isEmpty() && no != invalid &&
                           date != invalid && time != invalid;
        if (valid) {
            THistoryEntry e;
            for (int c = T::kRecordNo; c <= T::kText; ++c) e.texts[c - 1] = cell(c, r);
            // A date or time not written by the download is left out, and counted.
            if (Keys(date, time, e)) entries.append(e);
            else ++malformed;
        }
        status.ShowStatus(TText::tr("Records:") + QString::number(entries.size()));
    }
    if (entries.isEmpty()) {
        op.ShowMessage(TText::tr("Нет правильных записей"));
        return false;
    }

    QVector<THistoryEntry> matches;
    for (const auto& e : entries) {
        const int d = e.DateKey, t = e.TimeKey;
        const bool afterStart = startDay < d || (d == startDay && t > startTime);
        const bool beforeEnd = d < endDay || (d == endDay && t < endTime);
        if (afterStart && beforeEnd) matches.append(e);
    }
    status.ShowStatus(TText::tr("Search"));
    if (matches.isEmpty()) {
        op.ShowMessage(TText::tr("Нет записей"));
        return false;
    }
    status.ShowStatus(TText::tr("Sort date"));
    std::stable_sort(matches.begin(), matches.end(), [](const THistoryEntry& a, const THistoryEntry& b) {
        return a.DateKey != b.DateKey ? a.DateKey < b.DateKey : a.TimeKey < b.TimeKey;
    });

    {
        TGridBatch batch(g);
        table.ClearHistoryTable();
        for (int i = 0; i < matches.size(); ++i)
            for (int c = T::kRecordNo; c <= T::kText; ++c) g.SetCells(c, i + 1, matches[i].texts[c - 1]);
        table.ShowNames();
    }
    status.ShowStatus(TText::tr("Records:") + QString::number(matches.size()));
    if (malformed > 0)
        op.ShowMessage(TText::tr("Записи с неправильной датой или временем не показаны: %1").arg(malformed));
    return true;
}

} // namespace portiqa
