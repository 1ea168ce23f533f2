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

// What a list is, for telling whether it changed: the number area a save
// of it writes, hashed.
QString SiteListFingerprint(const TStringGrid& grid);

// Each module of a site, and whether it is current: the list the site now
// gives it is the one last applied, and the module's newest number list in
// the record is still what that save left (a save writes only the pages
// that differ, so the module's bytes are compared with themselves).
struct TSiteModuleState {
    TSiteModule module;
    bool current = false;
    QString fingerprint;  // of the list the site now gives the module
    QString problem;      // the module's list cannot be built (too many numbers)
};
QList<TSiteModuleState> SiteStatus(const TRecord& record, const TSite& site, const TNumberCountry& country,
                                   QString& error);

} // namespace portiqa
