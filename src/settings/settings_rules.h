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
// A value of a shown row from a profile, the command line's --set, or a
// provisioning's template or unit, typed by its field once it passes the
// rules above: empty, with the value in out, or the message. A drop-down row
// takes an item's number ("3") or its text as the list and the profiles write
// it ("3:Всем"). held: the row's value as the module holds it, when known.
QString ParseSettingValue(int row, const QString& text, TSettingValue& out, const QString* held = nullptr);
// A value as the operator reads it in a list: a drop-down's item number, a
// word's number, a text as it stands.
QString SettingValueText(const TSettingValue& value, int row);
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
