#pragma once
#include "app/operator.h"
#include "link/receiver.h"
#include <QString>
#include <vector>

namespace portiqa {

// The operator's words for what the link reports, in one place: the link
// itself reports facts (TLinkNotice) and never words a message.
QString LinkMessage(const TLinkNotice& notice);
// Shows a notice: a failed handler as an error report, the rest as messages.
void ShowLinkNotice(IOperator& op, const TLinkNotice& notice);

// The text shown when an operation is started while a reply is owed.
QString BusyMessage();
// The second line of a save's final message.
QString PagesWrittenText(int pages);
// The message of a save whose read-back found pages that differ (1-based page numbers).
QString VerificationFailedText(const std::vector<int>& pages);

} // namespace portiqa
