#include "base/outcome.h"

namespace portiqa {

QString OperationName(TOperation operation) {
    switch (operation) {
    case TOperation::Login: return QStringLiteral("login");
    case TOperation::Settings: return QStringLiteral("settings");
    case TOperation::Numbers: return QStringLiteral("numbers");
    case TOperation::History: return QStringLiteral("history");
    case TOperation::Command: return QStringLiteral("command");
    case TOperation::Memory: return QStringLiteral("memory");
    }
    return QStringLiteral("?");
}

QString KindName(TOutcome::TKind kind) {
    using K = TOutcome::TKind;
    switch (kind) {
    case K::Done: return QStringLiteral("done");
    case K::Failed: return QStringLiteral("failed");
    case K::NoAnswer: return QStringLiteral("no answer");
    case K::WrongPassword: return QStringLiteral("wrong password");
    case K::RefusedByRules: return QStringLiteral("refused by the rules");
    case K::Cancelled: return QStringLiteral("cancelled");
    case K::OtherModule: return QStringLiteral("another module");
    case K::NoRecord: return QStringLiteral("no record");
    }
    return QStringLiteral("?");
}

} // namespace portiqa
