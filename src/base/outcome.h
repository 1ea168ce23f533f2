#pragma once
#include <QString>

namespace portiqa {

// What an operation with the module was.
enum class TOperation {
    Login,     // the password check
    Settings,  // a settings read or save
    Numbers,   // a number-list read or save
    History,   // a history download or deletion
    Command,   // a single command: time sync, checking mode, history deletion's reply
    Memory,    // a backup or a restore of the module's whole memory
};

// How an operation ended: one report per operation, whatever ended it (its
// last reply, a refusal, a failed check, silence, the operator's stop). The
// operator has been told by the time it is raised; front ends act on the kind
// (the command line's exit status, the window's next step).
struct TOutcome {
    enum class TKind {
        Done,            // it did what was asked
        Failed,          // the module refused, a check failed, or it was stopped short
        NoAnswer,        // the module did not answer in time
        WrongPassword,   // the login was refused
        RefusedByRules,  // a file's value broke the settings rules; nothing was sent
        Cancelled,       // the operator ended it
        OtherModule,     // what was to be written came from another module and was not confirmed; nothing was sent
        NoRecord,        // the record could not take the write's journal entry; nothing was sent
    };
    TOperation operation = TOperation::Command;
    TKind kind = TKind::Done;
    QString message;  // the words the operator was shown at the end, where the operation has them
    int pagesRead = 0;      // pages read for the operation (a save's check reads too)
    int pagesWritten = 0;   // pages the module acknowledged in this operation's writes
    int pagesVerified = 0;  // written pages read back equal
    // A write the module took whose outcome the record could not keep: why
    // (empty when the record kept all it was given).
    QString unrecorded = {};

    bool Ok() const { return kind == TKind::Done; }
};

// The operation and the kind in words that stay the same in every language
// (the record's journal keeps them).
QString OperationName(TOperation operation);
QString KindName(TOutcome::TKind kind);

} // namespace portiqa
