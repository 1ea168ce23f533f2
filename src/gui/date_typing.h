#pragma once
#include <QDateTimeEdit>

namespace portiqa {

// Digits typed into a date or time box go into the part under the cursor,
// as in any date field: Qt's box takes them only when the part is selected,
// so after a click (which leaves the cursor inside "2015") typing did
// nothing. The first digit of a run selects the part; a full part moves on
// to the next, as Qt does.
void TypeDigitsIntoParts(QDateTimeEdit* box);

} // namespace portiqa
