#include "session/module_sites.h"
#include "base/texts.h"

namespace portiqa {

QList<TModuleSite> SitesOfModule(const TSession& s, QString& error) {
    QList<TModuleSite> out;
    TRecord* record = s.Record();
    if (!record || !s.ModuleId()) return out;
    for (const TSite& site : record->SitesOf(*s.ModuleId(), error))
        for (const TSiteModuleState& st : SiteStatus(*record, site, s.Numbers().People().Country(), error))
            if (st.module.moduleId == *s.ModuleId()) out.append({site, st});
    return out;
}

QString SitesText(const QList<TModuleSite>& sites) {
    QStringList parts;
    for (const TModuleSite& m : sites)
        parts << TText::tr("объект «%1»: %2")
                     .arg(m.site.name, !m.state.problem.isEmpty() ? m.state.problem
                                       : m.state.current         ? TText::tr("актуален")
                                                                 : TText::tr("отстаёт"));
    return parts.join(QStringLiteral("; "));
}

QString LoadSiteList(TSession& s, const TModuleSite& m, QString& error) {
    TRecord* record = s.Record();
    if (!record) {
        error = TText::tr("журнал модулей не открыт");
        return {};
    }
    const QList<TSiteEntry> entries = record->SiteList(m.site.id, error);
    if (!error.isEmpty()) return {};
    TNumberTable& table = s.Numbers();
    if (!SiteListInto(entries, m.state.module, table.People().Country(), table.Grid(), error)) return {};
    table.ShowPeople();
    table.SetPagesRead(-1);
    table.SetOrigin(TTableOrigin::FromFile(TText::tr("объект «%1», редакция %2").arg(m.site.name).arg(m.site.revision)));
    return SiteListFingerprint(table.Grid());
}

bool MarkSiteApplied(TSession& s, const TModuleSite& m, const QString& fingerprint, QString& error) {
    TRecord* record = s.Record();
    if (!record || !s.ModuleId() || *s.ModuleId() != m.state.module.moduleId) {
        error = TText::tr("модуль сменился: отметка о применении списка объекта не сделана");
        return false;
    }
    QString numbers;
    for (const TSiteModule& sm : record->SiteModules(m.site.id, error))
        if (sm.moduleId == m.state.module.moduleId) numbers = sm.numbersHash;
    return error.isEmpty() && record->SiteApplied(m.site.id, m.state.module.moduleId, m.site.revision, fingerprint, numbers, error);
}

} // namespace portiqa
