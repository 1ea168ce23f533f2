#include "record/snapshot_diff.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include "settings/settings_block.h"
#include "settings/settings_rules.h"

namespace portiqa {

TSnapshotDiff DiffModulePages(const TModulePages& a, const TModulePages& b) {
    TSnapshotDiff d;
    d.settings = a.settings.size() == 2 * kPageSize && b.settings.size() == 2 * kPageSize;
    d.numbers = a.numbers.size() == kNumberPages * kPageSize && b.numbers.size() == kNumberPages * kPageSize;
    if (d.settings) {
        TSettingsTable before, after;
        for (int p = 1; p <= 2; ++p) {
            DecodeSettingsPageTo(p, reinterpret_cast<const uint8_t*>(a.settings.constData()) + (p - 1) * kPageSize, before);
            DecodeSettingsPageTo(p, reinterpret_cast<const uint8_t*>(b.settings.constData()) + (p - 1) * kPageSize, after);
        }
        d.rowLines = SettingsChanges(before, after);
        for (int row = 1; row <= TSettingsTable::kValueRows; ++row)
            if (before.ShownValue(row) != after.ShownValue(row)) d.rows << TSettingsRowChange{row, before.ShownValue(row), after.ShownValue(row)};
    }
    if (d.numbers) {
        TStringGrid before(TNumberTable::kCols, TNumberTable::kRecords + 1), after(TNumberTable::kCols, TNumberTable::kRecords + 1);
        for (int p = 1; p <= kNumberPages; ++p) {
            DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(a.numbers.constData()) + (p - 1) * kPageSize, p, before);
            DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(b.numbers.constData()) + (p - 1) * kPageSize, p, after);
        }
        d.records = DiffNumberTables(before, after);
    }
    return d;
}

} // namespace portiqa
