#pragma once
#include "base/string_grid.h"
#include "link/request.h"
#include <QList>
#include <QString>

namespace portiqa {

// One record that a save would change.
struct TNumberChange {
    int serial = 0;
    QString before, after;  // as RecordText shows them
};

// What saving one number list over another would do, record by record,
// compared as the module stores them (so "2024/05/06" and "2024-05-06" are
// the same date, and a free slot is free however it is written).
struct TNumberDiff {
    int added = 0, changed = 0, removed = 0, unchanged = 0;
    QList<TNumberChange> changes;
    bool Empty() const { return added + changed + removed == 0; }
    // "Добавлено: A, изменено: C, удалено: R, без изменений: U"
    QString Counts() const;
};

TNumberDiff DiffNumberTables(const TStringGrid& before, const TStringGrid& after);
// A record in words: the number and its validity window, "(нет)" when free.
QString RecordText(const TStringGrid& grid, int row);
// The module's list as the program knows it from the pages it read or
// wrote on this connection; false when any page is not known.
bool KnownModuleNumbers(const TRequestSequence& seq, TStringGrid& out);

} // namespace portiqa
