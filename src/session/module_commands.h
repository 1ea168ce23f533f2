#pragma once
// The module's single-frame commands that are not a block's: the clock,
// and the checking mode. Each is its code, its payload and its reply.
#include "link/request.h"
#include <QDateTime>

namespace portiqa {

TModuleCommand CheckingModeCommand();
TModuleCommand TimeSyncCommand();
// The computer's local time as the clock command carries it: the year's
// low byte, month, day, hour, minute, second.
QByteArray TimeSyncPayload(const QDateTime& now);

} // namespace portiqa
