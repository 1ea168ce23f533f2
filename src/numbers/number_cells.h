#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace portiqa {

// Values of a number list's cells as spreadsheet programs write them, read
// into the table's own forms: dates as YYYY-MM-DD, times as HH:MM, the two
// flags as the table's yes and no. One rule set for every file kind.
namespace number_cells {

// Which part of a date written with "/" (03/04/2026) is the day: decided for
// a whole file from its values.
enum class TSlashOrder { None, DayFirst, MonthFirst, Ambiguous, Mixed };
TSlashOrder SlashOrderOf(const QStringList& dateCells);

// A date: YYYY-MM-DD (or with "/" or "."), DD.MM.YYYY, DD/MM/YYYY or
// MM/DD/YYYY (by order), two-digit years as 20YY, a spreadsheet's date
// serial (days since 1899-12-30) or a date and time at midnight. Empty with
// problem set when it is none of these.
QString Date(const QString& cell, TSlashOrder order, QString& problem);
// A time: H:MM, HH:MM, with ":00" seconds, with AM/PM, or a spreadsheet's
// fraction of a day.
QString Time(const QString& cell, QString& problem);
// Да/Нет, Yes/No, 1/0, TRUE/FALSE, ИСТИНА/ЛОЖЬ in any letter case; an empty
// cell is no. Nothing when the cell is none of these.
std::optional<bool> Flag(const QString& cell);
// A number a spreadsheet kept as a number cell gets its "+" back
// (TWorkbookIo::PhoneNumberCell).
QString Number(const QString& cell, bool& plusAdded);

} // namespace number_cells
} // namespace portiqa
