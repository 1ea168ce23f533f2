#include "base/module_identity.h"
#include "base/texts.h"

namespace portiqa {

QString TModuleIdentity::SimKey() const { return simNumber.startsWith(u'+') ? simNumber.mid(1) : simNumber; }

QString TModuleIdentity::Label() const {
    return simNumber.isEmpty() ? TText::tr("(номер SIM не задан)") : simNumber;
}

bool SameModule(const TModuleIdentity& a, const TModuleIdentity& b) {
    if (a.connection >= 0 && a.connection == b.connection) return true;
    return !a.SimKey().isEmpty() && a.SimKey() == b.SimKey();
}

} // namespace portiqa
