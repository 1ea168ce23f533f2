#pragma once
#include "base/string_grid.h"
#include "numbers/subscriber.h"
#include "record/record.h"

namespace portiqa {

// The list one module of a site is to hold: the site's numbers, then the
// module's own additions, without the numbers it leaves out, in records
// 1..N of a number table's grid (the rest free). False with error when
// they do not fit the module.
bool SiteListInto(const QList<TSiteEntry>& entries, const TSiteModule& module, const TNumberCountry& country,
                  TStringGrid& grid, QString& error);
// The records of a number table's grid as a site's entries (occupied and
// not marked for deletion).
QList<TSiteEntry> SiteEntriesOf(const TStringGrid& grid, qint64 moduleId = 0);

// Each module of a site, and whether its newest number list in the record
// is the one the site gives it (byte for byte, as a save of that list
// leaves the module).
struct TSiteModuleState {
    TSiteModule module;
    bool current = false;
    QString problem;  // the module's list cannot be built (too many numbers)
};
QList<TSiteModuleState> SiteStatus(const TRecord& record, const TSite& site, const TNumberCountry& country,
                                   QString& error);

} // namespace portiqa
