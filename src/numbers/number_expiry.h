#pragma once
#include "base/string_grid.h"
#include <QDateTime>
#include <QString>

namespace portiqa {

// Where a record stands against its validity window at a given moment.
enum class TValidity {
    Free,          // no number, or marked for deletion
    Unrestricted,  // "Без ограничений"
    Active,        // the window ends later than `days` from now
    Expiring,      // the window ends within `days` from now
    Expired,       // the window ended before now
    Unknown,       // no readable end date and time
};

TValidity ValidityOf(const TStringGrid& grid, int row, const QDateTime& now, int days = 7);

struct TExpiryCounts {
    int expired = 0, expiring = 0;
};
TExpiryCounts CountExpiry(const TStringGrid& grid, const QDateTime& now, int days = 7);
// "Истекло: N, истекает в течение 7 дней: M"
QString ExpiryText(const TExpiryCounts& counts, int days = 7);

// The next record after `afterRow` whose number holds the needle, going
// round past the last record; 0 when none does. A number is found in its
// "+7" and its "8" form alike ("8916" finds "+7916...", "+7916" finds "8916...").
// A needle with letters finds a person's name, place or note instead.
int FindNumber(const TStringGrid& grid, const QString& needle, int afterRow);

} // namespace portiqa
