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
// Rows 5, 6, 13, 14: at most 40 characters of printable Latin, as their hints
// say; a text the module holds (moduleValue) goes back as it stands. Rows 7,
// 10, 15, 16: one to three digits within the range the hint states (7:
// 1-999; 10, 15, 16: 0-999).
QString CheckSettingsValue(int row, const QString& value, const QString* moduleValue = nullptr);
// What typing may make of a value cell whose text was `before` when the edit
// began: the same rules, for a value still being typed (a prefix of one they
// take). Empty when `text` may stand, otherwise why the key is refused. A
// drop-down row takes no keys; a character outside printable Latin that the
// text did not hold already is refused, one it holds may stay while the
// operator edits around it (the save's rule decides on it).
QString CheckSettingsTyping(int row, const QString& text, const QString& before);
// A drop-down row's choice: an item number ("3") or an item's text ("3:Всем").
// Sets index and returns empty, or returns the message.
QString CheckSettingsChoice(const TSettingsTable& table, int row, const QString& value, int& index);
// Puts a value into the table as every source but typing does: a drop-down
// row by its item ("3", "3:Всем"; the module's byte no longer goes back), or
// "#N" for a byte no item names, carried as it is; an empty drop-down value
// changes nothing; any other row as its text.
void PutSettingsValue(TSettingsTable& table, int row, const QString& value);
// Every shown value row of the table; the first problem, or empty. module:
// the module's values as the program knows them, when it does.
QString CheckSettingsTable(const TSettingsTable& table, const TSettingsTable* module = nullptr);
// Each shown row whose value, in words, differs between the module and the table.
struct TSettingsChange {
    int row;
    QString before, after;
};
QList<TSettingsChange> SettingsDifferences(const TSettingsTable& module, const TSettingsTable& table);
// The same as the operator reads them: "строка 16: 0 → 24".
QStringList SettingsChanges(const TSettingsTable& module, const TSettingsTable& table);

} // namespace portiqa
