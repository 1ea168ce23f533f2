// site list | show | import | export | status | add | remove | apply: one
// resident list for all the gates of an estate, kept in the record.
#include "cli/cli_commands.h"
#ifdef PORTIQA_REPORTS
#include "report/site_report.h"
#endif
#include "base/plain_text.h"
#include "base/texts.h"
#include "files/csv.h"
#include "files/file_replace.h"
#include "files/workbook.h"
#include "numbers/number_diff.h"
#include "numbers/people.h"
#include "session/module_sites.h"
#include <QJsonArray>
#include <QJsonObject>

namespace portiqa {

namespace {

using T = TNumberTable;

std::optional<TSite> NeedSite(TCliRun& r, TRecord& record, int& rc) {
    QString error;
    auto site = record.FindSite(r.o.arguments[0], error);
    rc = kExitOk;
    if (!site)
        rc = r.Refuse(kExitFile, error.isEmpty() ? TText::tr("объект «%1» не найден в журнале (создайте его: "
                                                             "portiqa-cli site import %1 -i ФАЙЛ)").arg(r.o.arguments[0])
                                                 : error);
    return site;
}

QString ModuleText(const TSiteModule& m) {
    QString words = m.sim.isEmpty() ? TText::tr("(номер SIM не задан)") : m.sim;
    if (!m.name.isEmpty()) words += QStringLiteral(" «%1»").arg(Printable(m.name));
    return words;
}

QString StateText(const TSiteModuleState& s) {
    if (!s.problem.isEmpty()) return s.problem;
    if (s.current) return TText::tr("актуален");
    return s.module.numbersHash.isEmpty() ? TText::tr("список модуля не читался") : TText::tr("отстаёт");
}

// The site's own list (no module's additions) in the session's number table.
void SiteTable(TCliRun& r, const QList<TSiteEntry>& entries) {
    TSiteModule none;
    QString ignored;
    QList<TSiteEntry> own;
    for (const TSiteEntry& e : entries)
        if (e.moduleId == 0) own << e;
    SiteListInto(own, none, r.o.country, r.S().Numbers().Grid(), ignored);
    r.S().Numbers().ShowPeople();
}

int Import(TCliRun& r, TRecord& record) {
    TSession& s = r.S();
    QString error = NameTooLong(r.o.arguments[0], TPeople::kNameWidth);
    if (!error.isEmpty()) return r.Refuse(kExitUsage, error);
    qint64 moduleId = 0;
    if (!r.o.module.isEmpty()) {
        int rc = kExitOk;
        const auto m = NeedModule(r, record, r.o.module, rc);
        if (!m) return rc;
        moduleId = m->id;
    }
    // The file is read with the number list's own rules; its names go to the
    // directory once the site's list is kept.
    TNumbersInput input;
    if (int rc = ReadNumbersInput(r, r.o.input, input); rc != kExitOk) return rc;
    if (!ApplyNumbersInput(s, input)) return kExitFile;
    const QList<TSiteEntry> entries = SiteEntriesOf(s.Numbers().Grid(), moduleId);
    // Without --revision a list that is there is replaced, and the operator told whose it was.
    const auto before = record.FindSite(r.o.arguments[0], error);
    const auto id = record.SetSiteList(r.o.arguments[0], moduleId, entries, error, r.o.revision);
    if (!id) return r.Refuse(kExitFile, error);
    if (before && r.o.revision < 0)
        r.err << TText::tr("Заменён список редакции %1 (%2, %3)")
                     .arg(before->revision)
                     .arg(Printable(before->updatedBy), before->updatedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
              << "\n";
    s.Numbers().KeepPeople();
    if (moduleId != 0) {
        // A module given additions is one of the site's; what it leaves out stays.
        QStringList excluded;
        for (const TSiteModule& m : record.SiteModules(*id, error))
            if (m.moduleId == moduleId) excluded = m.excluded;
        if (!record.AddSiteModule(*id, moduleId, excluded, error)) return r.Refuse(kExitFile, error);
    }
    r.err << TText::tr("Объект «%1»: номеров в списке %2").arg(r.o.arguments[0]).arg(entries.size()) << "\n" << Qt::flush;
    return kExitOk;
}

int Show(TCliRun& r, TRecord& record, const TSite& site) {
    QString error;
    const QList<TSiteEntry> entries = record.SiteList(site.id, error);
    const QList<TSiteModuleState> states = SiteStatus(record, site, r.o.country, error);
    if (!error.isEmpty()) return r.Refuse(kExitFile, error);
    SiteTable(r, entries);
    const TStringGrid& g = r.S().Numbers().Grid();
    r.out << TText::tr("Объект «%1», редакция %2, изменён %3 (%4)").arg(Printable(site.name)).arg(site.revision).arg(When(site.updatedAt), Printable(site.updatedBy))
          << "\n";
    for (int row = 1; row <= T::kRecords && !g.Cells(T::kNumber, row).isEmpty(); ++row) {
        r.out << RecordText(g, row);
        const QString who = QStringList{g.Cells(T::kName, row), g.Cells(T::kPlace, row)}.join(u' ').trimmed();
        if (!who.isEmpty()) r.out << "\t" << Printable(who);
        r.out << "\n";
    }
    for (const TSiteEntry& e : entries)
        if (e.moduleId != 0) r.out << TText::tr("только для модуля %1: %2").arg(e.moduleId).arg(e.number) << "\n";
    for (const TSiteModuleState& st : states) {
        r.out << TText::tr("Модуль %1: %2").arg(ModuleText(st.module), StateText(st));
        if (!st.module.excluded.isEmpty()) r.out << TText::tr("; без номеров: %1").arg(st.module.excluded.join(QStringLiteral(", ")));
        if (!st.module.address.isEmpty()) r.out << TText::tr("; адрес: %1").arg(Printable(st.module.address));
        r.out << "\n";
    }
    r.out.flush();
    return kExitOk;
}

int Status(TCliRun& r, TRecord& record, const TSite& site) {
    QString error;
    const QList<TSiteModuleState> states = SiteStatus(record, site, r.o.country, error);
    if (!error.isEmpty()) return r.Refuse(kExitFile, error);
    int behind = 0;
    QJsonArray json;
    for (const TSiteModuleState& st : states) {
        behind += !st.current;
        if (r.o.json) {
            json << QJsonObject{{"module_id", st.module.moduleId}, {"sim", st.module.sim}, {"name", st.module.name},
                                {"current", st.current}, {"applied_at", st.module.appliedAt.toString(Qt::ISODate)},
                                {"applied_revision", st.module.appliedRevision}, {"problem", st.problem},
                                {"excluded", QJsonArray::fromStringList(st.module.excluded)},
                                {"address", st.module.address}};
            continue;
        }
        r.out << st.module.moduleId << "\t" << ModuleText(st.module) << "\t" << When(st.module.appliedAt) << "\t"
              << StateText(st) << "\n";
    }
    if (r.o.json) PrintJson(r.out, {{"site", site.name}, {"revision", site.revision}, {"modules", json}});
    r.out.flush();
    // A site with a module behind ends with a status a script can test.
    return behind == 0 ? kExitOk : kExitBehind;
}

// expected: the module the record says is at the port (0: whichever is there).
int Apply(TCliRun& r, const TSite& site, qint64 expected = 0) {
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    s.Numbers().People().SetCountry(r.o.country);
    if (!s.ModuleId()) return r.Refuse(kExitFile, TText::tr("модуль не внесён в журнал при входе"));
    if (expected != 0 && *s.ModuleId() != expected)
        return r.Refuse(kExitFile, TText::tr("по адресу %1 ответил модуль %2 (%3), а не модуль %4: список не записан")
                                       .arg(r.Port()).arg(*s.ModuleId()).arg(s.Module()->simNumber).arg(expected));
    // The module's list first: the save reads before it writes and says who gains and loses.
    if (int rc = r.Cli().Exchange([&] { s.DownloadNumbers(); }); rc != kExitOk) return rc;
    QString error;
    std::optional<TModuleSite> mine;
    for (const TModuleSite& m : SitesOfModule(s, error))
        if (m.site.id == site.id) mine = m;
    if (!error.isEmpty()) return r.Refuse(kExitFile, error);
    if (!mine)
        return r.Refuse(kExitUsage, TText::tr("модуль %1 не входит в объект «%2» (добавьте его: portiqa-cli site add %2 МОДУЛЬ)")
                                        .arg(s.Module()->simNumber, Printable(site.name)));
    // Where the module stands, by the list just read from it.
    r.err << TText::tr("Модуль %1, объект «%2» (редакция %3): %4").arg(ModuleText(mine->state.module), Printable(site.name))
                 .arg(site.revision).arg(StateText(mine->state))
          << "\n" << Qt::flush;
    TStringGrid before(T::kAllCols, T::kRecords + 1);
    CopyNumberTable(s.Numbers().Grid(), before);
    const QString fingerprint = LoadSiteList(s, *mine, error);
    if (fingerprint.isEmpty()) return r.Refuse(kExitFile, error);
    const int rc = SaveNumbersGuarded(r, before);
    if (rc != kExitOk || r.o.dryRun) return rc;
    return MarkSiteApplied(s, *mine, fingerprint, error) ? kExitOk : r.Refuse(kExitFile, error);
}

// Every module of the site that has an address, one after the other, each
// through the numbers save's checks; one line per module, as provisioning reports.
int ApplyAll(TCliRun& r, TRecord& record, const TSite& site) {
    QString error;
    const QList<TSiteModule> modules = record.SiteModules(site.id, error);
    if (!error.isEmpty()) return r.Refuse(kExitFile, error);
    int worst = kExitOk, done = 0, failed = 0, skipped = 0;
    for (const TSiteModule& m : modules) {
        if (m.address.isEmpty()) {
            ++skipped;
            r.out << m.moduleId << "\t" << ModuleText(m) << "\t-\t" << TText::tr("без адреса: пропущен") << "\n" << Qt::flush;
            continue;
        }
        r.port = m.address;
        const int rc = Apply(r, site, m.moduleId);
        r.Cli().Runtime().ClosePort();
        rc == kExitOk ? ++done : ++failed;
        if (rc != kExitOk && worst == kExitOk) worst = rc;
        r.out << m.moduleId << "\t" << ModuleText(m) << "\t" << m.address << "\t"
              << (rc == kExitOk ? (r.o.dryRun ? TText::tr("проверен") : TText::tr("применён")) : TText::tr("ошибка (код %1)").arg(rc))
              << "\n" << Qt::flush;
    }
    r.err << TText::tr("Объект «%1»: применён к %2, ошибок %3, без адреса %4").arg(Printable(site.name)).arg(done).arg(failed).arg(skipped)
          << "\n" << Qt::flush;
    return worst;
}

// The site's hand-over report for its manager: a PDF.
int Report(TCliRun& r, TRecord& record, const TSite& site) {
    if (!r.o.output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return r.Refuse(kExitUsage, TText::tr("report site needs -o FILE.pdf"));
#ifdef PORTIQA_REPORTS
    QString error;
    if (!ProbeWritable(r.o.output, error)) return r.Refuse(kExitFile, error);
    TSiteReport report;
    TSiteReportOptions options;
    options.events = r.o.events;
    if (!report.Gather(record, site, r.o.country, options, error) || !report.WritePdf(r.o.output, error))
        return r.Refuse(kExitFile, error);
    r.err << TText::tr("Отчёт по объекту «%1» записан: %2 (модулей: %3, пользователей: %4, окно кончается скоро: %5, "
                       "изменений с прошлого отчёта: %6)")
                 .arg(Printable(site.name), r.o.output).arg(report.modules.size()).arg(report.people.size()).arg(report.endingSoon)
                 .arg(report.changes.size())
          << "\n" << Qt::flush;
    // The next report counts its changes from this one; without the mark, from an older one (it says which).
    if (!report.Keep(record, site.id, error))
        r.err << TText::tr("Журнал модулей не сохранил отметку об отчёте: %1").arg(error) << "\n" << Qt::flush;
    return kExitOk;
#else
    Q_UNUSED(record);
    Q_UNUSED(site);
    return r.Refuse(kExitFile, TText::tr("эта сборка программы не делает отчётов"));
#endif
}

} // namespace

int RunSite(TCliRun& r) {
    int rc = kExitOk;
    TRecord* record = NeedRecord(r, rc);
    if (!record) return rc;
    QString error;
    const QString& command = r.o.command;
    if (command == QLatin1String("site list")) {
        const QList<TSite> sites = record->Sites(error);
        if (!error.isEmpty()) return r.Refuse(kExitFile, error);
        QJsonArray json;
        for (const TSite& s : sites) {
            if (r.o.json)
                json << QJsonObject{{"name", s.name}, {"numbers", s.numbers}, {"modules", s.modules}, {"revision", s.revision},
                                    {"updated_at", s.updatedAt.toString(Qt::ISODate)}, {"updated_by", s.updatedBy}};
            else
                r.out << Printable(s.name) << "\t" << TText::tr("номеров: %1, модулей: %2, редакция %3, %4").arg(s.numbers).arg(s.modules)
                                               .arg(s.revision).arg(When(s.updatedAt)) << "\n";
        }
        if (r.o.json) PrintJson(r.out, {{"record", record->Where()}, {"sites", json}});
        r.out.flush();
        return kExitOk;
    }
    // Names the file brings go into the record's directory.
    r.Cli().Runtime().BorrowRecord(record);
    if (command == QLatin1String("site import")) return Import(r, *record);
    const auto site = NeedSite(r, *record, rc);
    if (!site) return rc;
    if (command == QLatin1String("site show")) return Show(r, *record, *site);
    if (command == QLatin1String("site status")) return Status(r, *record, *site);
    if (command == QLatin1String("report site")) return Report(r, *record, *site);
    if (command == QLatin1String("site apply")) return r.o.all ? ApplyAll(r, *record, *site) : Apply(r, *site);
    if (command == QLatin1String("site export")) {
        SiteTable(r, record->SiteList(site->id, error));
        if (!error.isEmpty()) return r.Refuse(kExitFile, error);
        if (int check = r.CheckOutput(r.o.output); check != kExitOk) return check;
        TSession& s = r.S();
        const int written = DataKindOf(r.o.output) == TDataKind::Csv
                                ? WriteLinesFile(r.Op(), s.NumberFiles().CsvLines(CsvFormOf(r.o.output)), r.o.output)
                                : WriteWorkbookFile(r.Op(), s.NumberFiles().NumbersWorkbook(), r.o.output);
        // The revision the file was taken at, for its import back.
        if (written == kExitOk)
            r.err << TText::tr("Объект «%1», редакция %2: импорт обратно с --revision %2 откажет, если список изменят раньше")
                         .arg(Printable(site->name))
                         .arg(site->revision)
                  << "\n" << Qt::flush;
        return written;
    }
    const auto module = NeedModule(r, *record, r.o.arguments[1], rc);
    if (!module) return rc;
    if (command == QLatin1String("site add")) {
        // The numbers the module leaves out obey the number rules, and are
        // added to those it leaves out already (--replace: instead of them).
        const QStringList numbers = r.o.arguments.mid(2);
        for (const QString& n : numbers)
            if (const QString problem = TNumberTable::NumberProblem(n.trimmed()); !problem.isEmpty())
                return r.Refuse(kExitUsage, QStringLiteral("%1: %2").arg(Printable(n), problem));
        QStringList excluded;
        if (!r.o.replace)
            for (const TSiteModule& m : record->SiteModules(site->id, error))
                if (m.moduleId == module->id) excluded = m.excluded;
        QSet<QString> keys;
        for (const QString& n : excluded) keys.insert(SubscriberKey(n, r.o.country));
        for (const QString& n : numbers)
            if (!keys.contains(SubscriberKey(n.trimmed(), r.o.country))) {
                keys.insert(SubscriberKey(n.trimmed(), r.o.country));
                excluded << n.trimmed();
            }
        if (!r.o.at.isEmpty() && r.o.at != QLatin1String("-"))
            if (const QString problem = TRuntime::AddressProblem(r.o.at); !problem.isEmpty()) return r.Refuse(kExitUsage, problem);
        if (!record->AddSiteModule(site->id, module->id, excluded, error)) return r.Refuse(kExitFile, error);
        // --at ADDRESS: where it is reached from here on (--at -: by cable only).
        if (!r.o.at.isEmpty() &&
            !record->SetSiteModuleAddress(site->id, module->id, r.o.at == QLatin1String("-") ? QString() : r.o.at.trimmed(), error))
            return r.Refuse(kExitFile, error);
        return kExitOk;
    }
    if (!record->RemoveSiteModule(site->id, module->id, error)) return r.Refuse(kExitFile, error);
    return kExitOk;
}

} // namespace portiqa
