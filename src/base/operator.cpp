#include "base/operator.h"
#include <exception>

namespace portiqa {

bool RunGuarded(IOperator& op, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        op.ReportError(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace portiqa
