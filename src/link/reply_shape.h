#pragma once
#include "link/protocol.h"
#include <QString>
#include <cstdint>

namespace portiqa {

// What the reply to a request looks like, said by whoever sends it: the
// link takes the reply that has the request's command, address and this
// length, and never works out from a command code what it means.
struct TReplyShape {
    enum class TKind : uint8_t {
        Page,    // a page of the module's memory (a page read)
        Save,    // a page save's status byte: 1 accepted
        Status,  // a single command's status byte: 1 done
        Data,    // bytes the request's handler takes as they are (its length fixed)
    };
    TKind kind = TKind::Status;
    uint16_t length = 1;      // payload bytes the reply carries; its last byte ends it
    bool repeatable = false;  // sent again after a lost or damaged reply
    // A status reply: the status text once it is taken, and the operator's
    // words for status 1 and for anything else.
    QString takenText, acceptedText, refusedText;
    // The module's pages the command changes (from, to): no copy of them is
    // trusted after its reply.
    int32_t changesFrom = 0, changesTo = 0;

    static TReplyShape PageRead() { return {TKind::Page, kPageSize, true, {}, {}, {}, 0, 0}; }
    static TReplyShape PageSave() { return {TKind::Save, 1, true, {}, {}, {}, 0, 0}; }
};

} // namespace portiqa
