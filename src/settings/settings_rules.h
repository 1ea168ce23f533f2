#pragma once
#include "settings/settings_table.h"
#include <QString>

namespace portiqa {

// The one rule set for a value of the settings table, whatever its source:
// typing, a profile, the command line's --set. Each returns the empty text
// when the value may go to the module, otherwise a message for the operator
// that names the row and the rule.
//
// Row 1: exactly four digits (the module's PIN; anything else locks the
// operator out). Row 2: digits, at most one leading "+", at most 22 signs.
// Rows 5, 6, 13, 14: at most 40 characters the module can store
// (Windows-1251). Rows 7, 10, 15, 16: one to three digits within the range
// the hint states (7: 1-999; 10, 15, 16: 0-999).
QString CheckSettingsValue(int row, const QString& value);
// A drop-down row's choice: an item number ("3") or an item's text ("3:Всем").
// Sets index and returns empty, or returns the message.
QString CheckSettingsChoice(const TSettingsTable& table, int row, const QString& value, int& index);
// Every shown value row of the table; the first problem, or empty.
QString CheckSettingsTable(const TSettingsTable& table);

} // namespace portiqa
