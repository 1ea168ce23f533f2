#pragma once
#include <QDateTimeEdit>
#include <functional>

namespace portiqa {

// Digits typed into a date or time box go into the part under the cursor,
// as in any date field: Qt's box takes them only when the part is selected,
// so after a click (which leaves the cursor inside "2015") typing did
// nothing. The first digit of a run selects the part; a full part moves on
// to the next, as Qt does.
// A date typed whole over a whole selection (Ctrl+A, or a picker just opened
// on its year) is that date: 2026-12-31, 31.12.2026, 12/31/2026, 20261231;
// four digits alone are the year. What is no date is refused through refuse,
// with the reason, and the box keeps what it showed.
void TypeDigitsIntoParts(QDateTimeEdit* box, std::function<void(const QString&)> refuse = {});

} // namespace portiqa
