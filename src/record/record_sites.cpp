// The record's directory of people and its sites.
#include "record/record_sql.h"
#include "base/plain_text.h"
#include "numbers/people.h"
#include <QSqlDatabase>

namespace portiqa {

using namespace record_sql;

QList<TPerson> TRecordStore::People(QString& error) const {
    QList<TPerson> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!Run(q, QStringLiteral("SELECT number, name, place, note, added_by, added_at, updated_by, updated_at FROM people"), {},
             error))
        return out;
    while (q.next()) {
        TPerson p;
        p.number = q.value(0).toString();
        p.name = q.value(1).toString();
        p.place = q.value(2).toString();
        p.note = q.value(3).toString();
        p.addedBy = q.value(4).toString();
        p.addedAt = FromStamp(q.value(5));
        p.updatedBy = q.value(6).toString();
        p.updatedAt = FromStamp(q.value(7));
        out << p;
    }
    return out;
}

bool TRecordStore::SetPerson(const QString& key, const TPerson& p, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            const QString name = PlainText(p.name, TPeople::kNameWidth), place = PlainText(p.place, TPeople::kPlaceWidth),
                          note = PlainText(p.note, TPeople::kNoteWidth);
            if (name.isEmpty() && place.isEmpty() && note.isEmpty())
                return Run(q, QStringLiteral("DELETE FROM people WHERE subscriber = ?"), {key}, e);
            const QString who = OsUser() + u'@' + Host(), now = Stamp(QDateTime::currentDateTime());
            return Run(q,
                       QStringLiteral("INSERT INTO people (subscriber, number, name, place, note, added_by, added_at, "
                                      "updated_by, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (subscriber) "
                                      "DO UPDATE SET number = excluded.number, name = excluded.name, place = excluded.place, "
                                      "note = excluded.note, updated_by = excluded.updated_by, updated_at = excluded.updated_at"),
                       {key, p.number, name, place, note, who, now, who, now}, e);
        },
        error);
}

namespace {

const QString kSiteColumns = QStringLiteral(
    "SELECT s.id, s.name, s.revision, s.updated_at, s.updated_by, "
    "(SELECT COUNT(*) FROM site_numbers n WHERE n.site_id = s.id AND n.module_id = 0), "
    "(SELECT COUNT(*) FROM site_modules m WHERE m.site_id = s.id) FROM sites s ");

TSite SiteRow(const QSqlQuery& q) {
    TSite s;
    s.id = q.value(0).toLongLong();
    s.name = q.value(1).toString();
    s.revision = q.value(2).toInt();
    s.updatedAt = FromStamp(q.value(3));
    s.updatedBy = q.value(4).toString();
    s.numbers = q.value(5).toInt();
    s.modules = q.value(6).toInt();
    return s;
}

bool RaiseRevision(QSqlQuery& q, qint64 siteId, QString& error) {
    return Run(q, QStringLiteral("UPDATE sites SET revision = revision + 1, updated_by = ?, updated_at = ? WHERE id = ?"),
               {TRecordStore::OsUser() + u'@' + TRecordStore::Host(), Stamp(QDateTime::currentDateTime()), siteId}, error);
}

} // namespace

QList<TSite> TRecordStore::Sites(QString& error) const {
    QList<TSite> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, kSiteColumns + QStringLiteral("ORDER BY s.name"), {}, error)) return out;
    while (q.next()) out << SiteRow(q);
    return out;
}

std::optional<TSite> TRecordStore::FindSite(const QString& name, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, kSiteColumns + QStringLiteral("WHERE s.name = ?"), {CleanName(name)}, error) || !q.next())
        return std::nullopt;
    return SiteRow(q);
}

std::optional<qint64> TRecordStore::SetSiteList(const QString& siteName, qint64 moduleId, const QList<TSiteEntry>& entries,
                                           QString& error, int expectedRevision) {
    const QString site = CleanName(siteName);
    if (site.isEmpty()) {
        error = TText::tr("у объекта нет имени");
        return std::nullopt;
    }
    if (error = NameTooLong(site, TPeople::kNameWidth); !error.isEmpty()) return std::nullopt;
    bool refused = false;
    const auto saved = Again(
        [&](QString& e) -> std::optional<qint64> {
            if (refused) return std::nullopt;
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            TTransaction t(db, shared_);
            if (!t.Ok(e)) return std::nullopt;
            QSqlQuery q(db);
            const QString who = OsUser() + u'@' + Host(), now = Stamp(QDateTime::currentDateTime());
            if (!Run(q, QStringLiteral("INSERT INTO sites (name, revision, updated_by, updated_at) VALUES (?, 0, ?, ?) "
                                       "ON CONFLICT (name) DO NOTHING"),
                     {site, who, now}, e) ||
                !Run(q, QStringLiteral("SELECT id FROM sites WHERE name = ?"), {site}, e) || !q.next())
                return std::nullopt;
            const qint64 id = q.value(0).toLongLong();
            q.finish();
            // The site's row is locked (SQLite's whole file is, from BEGIN
            // IMMEDIATE): two saves of one site's list run one after the other,
            // and the second sees the first's rows. Of two saves from one
            // revision, the second is refused.
            if (!Run(q, QStringLiteral("SELECT revision, updated_by, updated_at FROM sites WHERE id = ?%1")
                            .arg(shared_ ? QStringLiteral(" FOR UPDATE") : QString()),
                     {id}, e) ||
                !q.next())
                return std::nullopt;
            if (expectedRevision >= 0 && q.value(0).toInt() != expectedRevision) {
                e = TText::tr("список объекта «%1» изменён после редакции %2: сейчас редакция %3 (%4, %5). Возьмите "
                              "его заново (portiqa-cli site export) и внесите свои изменения в него")
                        .arg(site)
                        .arg(expectedRevision)
                        .arg(q.value(0).toInt())
                        .arg(q.value(1).toString(), FromStamp(q.value(2)).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
                refused = true;
                return std::nullopt;
            }
            q.finish();
            if (!Run(q, QStringLiteral("DELETE FROM site_numbers WHERE site_id = ? AND module_id = ?"), {id, moduleId}, e))
                return std::nullopt;
            int position = 0;
            for (const TSiteEntry& n : entries)
                if (!Run(q,
                         QStringLiteral("INSERT INTO site_numbers (site_id, module_id, position, number, unrestricted, "
                                        "start_date, start_time, end_date, end_time) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         {id, moduleId, ++position, n.number, n.unrestricted ? 1 : 0, n.startDate, n.startTime, n.endDate,
                          n.endTime},
                         e))
                    return std::nullopt;
            if (!RaiseRevision(q, id, e) || !t.Commit(e)) return std::nullopt;
            return id;
        },
        error);
    return saved;
}

QList<TSiteEntry> TRecordStore::SiteList(qint64 siteId, QString& error) const {
    QList<TSiteEntry> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!Run(q,
             QStringLiteral("SELECT number, unrestricted, start_date, start_time, end_date, end_time, module_id FROM "
                            "site_numbers WHERE site_id = ? ORDER BY module_id, position"),
             {siteId}, error))
        return out;
    while (q.next()) {
        TSiteEntry n;
        n.number = q.value(0).toString();
        n.unrestricted = q.value(1).toInt() != 0;
        n.startDate = q.value(2).toString();
        n.startTime = q.value(3).toString();
        n.endDate = q.value(4).toString();
        n.endTime = q.value(5).toString();
        n.moduleId = q.value(6).toLongLong();
        out << n;
    }
    return out;
}

bool TRecordStore::AddSiteModule(qint64 siteId, qint64 moduleId, const QStringList& excluded, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            TTransaction t(db, shared_);
            QSqlQuery q(db);
            return t.Ok(e) &&
                   Run(q, QStringLiteral("INSERT INTO site_modules (site_id, module_id, left_out, applied_revision) "
                                         "VALUES (?, ?, ?, 0) ON CONFLICT (site_id, module_id) DO UPDATE SET "
                                         "left_out = excluded.left_out"),
                       {siteId, moduleId, excluded.join(u' ')}, e) &&
                   RaiseRevision(q, siteId, e) && t.Commit(e);
        },
        error);
}

bool TRecordStore::RemoveSiteModule(qint64 siteId, qint64 moduleId, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    TTransaction t(db, shared_);
    QSqlQuery q(db);
    if (!t.Ok(error) ||
        !Run(q, QStringLiteral("DELETE FROM site_modules WHERE site_id = ? AND module_id = ?"), {siteId, moduleId}, error))
        return false;
    if (q.numRowsAffected() != 1) {
        error = TText::tr("модуль %1 не входит в этот объект").arg(moduleId);
        return false;
    }
    return Run(q, QStringLiteral("DELETE FROM site_numbers WHERE site_id = ? AND module_id = ?"), {siteId, moduleId}, error) &&
           RaiseRevision(q, siteId, error) && t.Commit(error);
}

QList<TSiteModule> TRecordStore::SiteModules(qint64 siteId, QString& error) const {
    QList<TSiteModule> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // Each module's newest number list in one statement (the snapshots'
    // index runs by module and id).
    const QString newest = QStringLiteral(
        "(SELECT s.%1 FROM snapshots s WHERE s.module_id = m.id AND s.numbers IS NOT NULL ORDER BY s.id DESC LIMIT 1)");
    if (!Run(q,
             QStringLiteral("SELECT m.id, m.name, m.sim, sm.left_out, sm.applied_at, sm.applied_revision, %1, %2, sm.applied_list, "
                            "sm.applied_numbers, sm.address FROM "
                            "site_modules sm JOIN modules m ON m.id = sm.module_id WHERE sm.site_id = ? ORDER BY m.name, m.id")
                 .arg(newest.arg(QStringLiteral("numbers")), newest.arg(QStringLiteral("taken_at"))),
             {siteId}, error))
        return out;
    while (q.next()) {
        TSiteModule m;
        m.moduleId = q.value(0).toLongLong();
        m.name = q.value(1).toString();
        m.sim = q.value(2).toString();
        m.excluded = q.value(3).toString().split(u' ', Qt::SkipEmptyParts);
        m.appliedAt = FromStamp(q.value(4));
        m.appliedRevision = q.value(5).toInt();
        m.numbersHash = q.value(6).toString();
        m.numbersAt = FromStamp(q.value(7));
        m.appliedList = q.value(8).toString();
        m.appliedNumbers = q.value(9).toString();
        m.address = q.value(10).toString();
        out << m;
    }
    return out;
}

bool TRecordStore::SetSiteModuleAddress(qint64 siteId, qint64 moduleId, const QString& address, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            if (!Run(q, QStringLiteral("UPDATE site_modules SET address = ? WHERE site_id = ? AND module_id = ?"),
                     {address, siteId, moduleId}, e))
                return false;
            if (q.numRowsAffected() != 1) e = TText::tr("модуль %1 не входит в этот объект").arg(moduleId);
            return e.isEmpty();
        },
        error);
}

QList<TSite> TRecordStore::SitesOf(qint64 moduleId, QString& error) const {
    QList<TSite> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, kSiteColumns + QStringLiteral("WHERE s.id IN (SELECT site_id FROM site_modules WHERE module_id = ?) ORDER BY s.name"),
             {moduleId}, error))
        return out;
    while (q.next()) out << SiteRow(q);
    return out;
}

bool TRecordStore::SiteApplied(qint64 siteId, qint64 moduleId, int revision, const QString& list, const QString& numbersHash,
                          QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            return Run(q, QStringLiteral("UPDATE site_modules SET applied_at = ?, applied_revision = ?, applied_list = ?, "
                                         "applied_numbers = ? WHERE site_id = ? AND module_id = ?"),
                       {Stamp(QDateTime::currentDateTime()), revision, list, numbersHash, siteId, moduleId}, e);
        },
        error);
}

bool TRecordStore::SiteReported(qint64 siteId, int revision, const QString& list, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            return Run(q, QStringLiteral("INSERT INTO site_reports (site_id, made_at, made_by, revision, list) VALUES (?, ?, ?, ?, ?)"),
                       {siteId, Stamp(QDateTime::currentDateTime()), OsUser() + u'@' + Host(), revision, list}, e);
        },
        error);
}

std::optional<TSiteReportMark> TRecordStore::LastSiteReport(qint64 siteId, const QDateTime& atOrBefore, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT made_at, made_by, revision, list FROM site_reports WHERE site_id = ? AND made_at <= ? "
                               "ORDER BY made_at DESC, id DESC LIMIT 1"),
             {siteId, Stamp(atOrBefore)}, error) ||
        !q.next())
        return std::nullopt;
    return TSiteReportMark{FromStamp(q.value(0)), q.value(1).toString(), q.value(2).toInt(), q.value(3).toString()};
}

} // namespace portiqa
