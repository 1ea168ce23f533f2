#pragma once
#include "session/session.h"

namespace portiqa {

// A session whose parts a test (or a benchmark) drives directly: one block,
// the request sequence, the receiver. Front ends have only the session's
// operations and accessors.
class TOpenSession : public TSession {
public:
    using TSession::TSession;
    using TSession::op;
    using TSession::status;
    using TSession::progress;
    using TSession::seq;
    using TSession::pageTransfer;
    using TSession::frameAssembler;
    using TSession::validReply;
    using TSession::settingsTable;
    using TSession::numberTable;
    using TSession::historyTable;
    using TSession::numberBlock;
    using TSession::historyDelete;
    using TSession::historyBlock;
    using TSession::settingsBlock;
    using TSession::password;
    using TSession::receiver;
    using TSession::configFolder;
    using TSession::profile;
    using TSession::numberFiles;
    using TSession::historyFiles;
    using TSession::backup;
};

} // namespace portiqa
