#pragma once
#include "files/file_exchange.h"
#include "files/workbook.h"
#include "settings/settings_table.h"

namespace portiqa {

// Settings profiles: the settings table's shown rows in a workbook (row N of
// the table in the sheet's row N+1), a drop-down row with its item's text.
// Hidden rows stay out.
class TSettingsProfile {
public:
    TSettingsProfile(TSettingsTable& table, TExchangeContext ctx) : table_(table), ctx_(std::move(ctx)) {}

    void ExportProfile();  // btnExportProfile
    void ImportProfile();  // btnImportProfile

    TWorkbook ProfileWorkbook();
    // Applies a profile to the table; false (table unchanged, the operator
    // told) when the workbook is not a profile or a value breaks its row's rule.
    bool ApplyProfile(const TWorkbook& book);

private:
    TSettingsTable& table_;
    TExchangeContext ctx_;
};

} // namespace portiqa
