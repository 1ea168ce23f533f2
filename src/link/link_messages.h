#pragma once
#include "base/operator.h"
#include "link/receiver.h"
#include <QString>
#include <vector>

namespace portiqa {

// The operator's words for what the link reports, in one place: the link
// itself reports facts (TLinkNotice) and never words a message.
QString LinkMessage(const TLinkNotice& notice);
// Shows a notice: a failed handler as an error report, the rest as messages.
void ShowLinkNotice(IOperator& op, const TLinkNotice& notice);

// The second line of a reply-timeout message: what to check.
QString NoAnswerHint();
// The port closed under the program (cable pulled, bridge gone).
// The port closed under the module; why, when the port can tell (a device server's words).
QString LinkLostMessage(const QString& why = {});
// The text shown when an operation is started while a reply is owed.
QString BusyMessage();
// The one check before an operation starts: while a reply is owed, two
// operations on one line would take each other's replies. True (and the
// operator told) when the operation must not start.
bool RefusedWhileBusy(const TRequestSequence& seq, IOperator& op);
// The second line of a save's final message.
QString PagesWrittenText(int pages);
// The message of a save whose read-back found pages that differ (1-based page numbers).
QString VerificationFailedText(const std::vector<int>& pages);

// The end of a block's save and its read-back: the message (success with the
// pages written, or the pages that differ, numbered from firstAddress), then
// the block's end, Done or Failed.
void FinishVerifiedSave(IOperator& op, TPageBlock& block, const std::vector<int32_t>& failed,
                        int32_t firstAddress, const QString& doneText, int pagesWritten);

} // namespace portiqa
