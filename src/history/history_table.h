#pragma once
#include "base/operator.h"
#include "base/status_report.h"
#include "base/string_grid.h"
#include <QDateTime>
#include <functional>

namespace portiqa {

// The history table: 1001 rows (row 0 the header) by 8 columns of the
// module's record and a ninth, the name of the subscriber as the program's
// directory knows it; column 1 (the record number) is hidden but used. A
// row whose column 1 is empty holds no record.
class THistoryTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kRows = 1000;
    static constexpr int kCols = 8;  // the module's record
    static constexpr int kAllCols = 9;
    enum Col { kSerial = 0, kRecordNo, kDate, kTime, kSource, kEvent, kPhone, kText, kName };

    THistoryTable();
    TStringGrid& Grid() { return grid_; }
    const TStringGrid& Grid() const { return grid_; }

    // Closes up the table after a download: keeps the rows that have a
    // record number and a year below 2080, in order, from row 1 on.
    void CompactHistory();
    // Empties columns 1..7 of every record row.
    void ClearHistoryTable();

    // The records as downloaded or imported, kept aside: the filter narrows
    // the view over them, so a wider window shows more again and ShowAll
    // brings every one back without a new download.
    void KeepAll();
    void ForgetAll() { all_.clear(); }
    bool HasAll() const { return !all_.empty(); }
    const QVector<QStringList>& All() const { return all_; }
    void ShowAll();

    // The name of a subscriber's number, empty when unknown: the directory of
    // people, set by whoever has one.
    std::function<QString(const QString& phone)> NameOf;
    // The rows (1..kRows) holding a record, in the order the operator sees
    // them: the view's sort when there is one, else the table's order.
    std::function<QVector<int>()> ShownOrder;
    QVector<int> RowsShown() const;
    // Every record's name column from NameOf: after the rows changed.
    void ShowNames();

private:
    TStringGrid grid_;
    QVector<QStringList> all_;  // columns 1..7 of every row
};

// One working copy of a row, used only by the filter.
struct THistoryEntry {
    QString texts[7];
    int32_t TimeKey = 0;
    int32_t DateKey = 0;
};

// Shows only the records strictly inside the window (taken from the kept
// records when there are any, else from the table), sorted by date and
// time (records equal in both keep their table order). Dates are compared
// with full years. Returns false, with the operator told why, when the
// table is left as it was.
bool FilterHistory(THistoryTable& table, const QDateTime& start, const QDateTime& end, TStatusControl& status,
                   IOperator& op);

} // namespace portiqa
