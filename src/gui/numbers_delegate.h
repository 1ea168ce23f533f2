#pragma once
#include "numbers/number_table.h"
#include <QStyledItemDelegate>

namespace portiqa {

class TNumbersView;

// How the number table's cells are edited and drawn: the number typed in
// place, dates and times in pickers opened only when asked for, the flags
// as check boxes.
QStyledItemDelegate* NewNumbersDelegate(TNumberTable& table, TNumbersView* view);

} // namespace portiqa
