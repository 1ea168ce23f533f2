#pragma once
#include "session/runtime.h"
#include "session/session.h"
#include <memory>

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

// The seams that build a runtime's session open (session points at it), on
// timers the caller drives or, without them, the message loop's.
inline TRuntimeSeams OpenSeams(TOpenSession*& session, ITimer* replyTimer = nullptr, ITimer* statusTimer = nullptr) {
    TRuntimeSeams seams;
    seams.replyTimer = replyTimer;
    seams.statusTimer = statusTimer;
    seams.makeSession = [&session](auto&... parts) {
        auto made = std::make_unique<TOpenSession>(parts...);
        session = made.get();
        return std::unique_ptr<TSession>(std::move(made));
    };
    return seams;
}

} // namespace portiqa
