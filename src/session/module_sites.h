#pragma once
#include "record/site_list.h"
#include "session/session.h"

namespace portiqa {

// The sites of the module logged in on a session, and their lists brought
// into its number table for the usual guarded save. The window and the
// command line share these.
struct TModuleSite {
    TSite site;
    TSiteModuleState state;
};

// Each site the logged-in module belongs to, with where it stands (by the
// module's newest list in the record). Empty without a record or a login.
QList<TModuleSite> SitesOfModule(const TSession& session, QString& error);
// "объект «Estate»: отстаёт" for each site, joined.
QString SitesText(const QList<TModuleSite>& sites);

// The site's list for this module into the number table, names shown; its
// origin is the site. Returns the list's fingerprint, empty with error set
// when the list cannot be built.
QString LoadSiteList(TSession& session, const TModuleSite& site, QString& error);
// After a save of that list ended well: the record notes the site applied,
// with the module's number area as the save left it.
bool MarkSiteApplied(TSession& session, const TModuleSite& site, const QString& fingerprint, QString& error);

} // namespace portiqa
