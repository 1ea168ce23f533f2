#pragma once
#include "files/file_exchange.h"
#include "files/workbook.h"
#include "settings/settings_table.h"

namespace portiqa {

// Settings profiles: the settings table's rows 0..16 in a workbook, the six
// editors' item texts in B4, B5, B9, B10, B12, B13. Hidden rows stay out.
class TSettingsProfile {
public:
    TSettingsProfile(TSettingsTable& table, TExchangeContext ctx) : table_(table), ctx_(std::move(ctx)) {}

    void ExportProfile();  // btn17
    void ImportProfile();  // btn16

    TWorkbook ProfileWorkbook();
    // Applies a profile to the table; false (table unchanged) when the
    // workbook is not a profile. A selection cell that does not start with a
    // digit raises EConvertError before anything is changed.
    bool ApplyProfile(const TWorkbook& book);

    static constexpr int kSelectionRows[6] = {3, 4, 8, 9, 11, 12};

private:
    TSettingsTable& table_;
    TExchangeContext ctx_;
};

} // namespace portiqa
