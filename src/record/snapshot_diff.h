#pragma once
#include "numbers/number_diff.h"
#include "record/record.h"

namespace portiqa {

// One settings row that differs between two copies, in words.
struct TSettingsRowChange {
    int row = 0;
    QString before, after;
};

// What differs between two copies of a module's memory: each shown settings
// row and each number record, where both copies hold that area.
struct TSnapshotDiff {
    bool settings = false, numbers = false;  // compared: both copies hold the area
    QList<TSettingsRowChange> rows;
    QStringList rowLines;                    // "строка N: было → стало"
    TNumberDiff records;
    bool Empty() const { return rows.isEmpty() && records.Empty(); }
};

TSnapshotDiff DiffModulePages(const TModulePages& a, const TModulePages& b);

} // namespace portiqa
