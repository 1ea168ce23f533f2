// The record's reading side: modules, snapshots and the journal as stored.
#include "base/texts.h"
#include "record/record_sql.h"
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>

namespace portiqa {

using namespace record_sql;

namespace {
TKnownModule ModuleRow(const QSqlQuery& q) {
    TKnownModule m;
    m.id = q.value(0).toLongLong();
    m.key = q.value(1).toString();
    m.sim = q.value(2).toString();
    m.name = q.value(3).toString();
    m.bridgeSerial = q.value(4).toString();
    m.firstSeen = FromStamp(q.value(5));
    m.lastSeen = FromStamp(q.value(6));
    return m;
}
const QString kModuleColumns = QStringLiteral("SELECT id, key, sim, name, bridge_serial, first_seen, last_seen FROM modules ");
} // namespace

QList<TKnownModule> TRecordStore::Modules(QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    QList<TKnownModule> out;
    if (!Run(q, kModuleColumns + QStringLiteral("ORDER BY last_seen DESC, id DESC"), {}, error)) return out;
    while (q.next()) out << ModuleRow(q);
    return out;
}

std::optional<TKnownModule> TRecordStore::FindModule(const QString& what, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    bool isId = false;
    const qint64 id = what.toLongLong(&isId);
    const QString sim = what.startsWith(u'+') ? what.mid(1) : what;
    const bool ok = isId && what.size() < 8
                        ? Run(q, kModuleColumns + QStringLiteral("WHERE id = ?"), {id}, error)
                        : Run(q, kModuleColumns + QStringLiteral("WHERE name = ? OR key = ? ORDER BY last_seen DESC"),
                              {what, QStringLiteral("sim:") + sim}, error);
    if (!ok || !q.next()) return std::nullopt;
    return ModuleRow(q);
}

namespace {
const QString kSnapshotColumns =
    QStringLiteral("SELECT id, module_id, taken_at, kind, settings, numbers, history, program, os_user, host FROM snapshots ");
TSnapshot SnapshotRow(const QSqlQuery& q, QStringList* hashes = nullptr) {
    TSnapshot s;
    s.id = q.value(0).toLongLong();
    s.moduleId = q.value(1).toLongLong();
    s.takenAt = FromStamp(q.value(2));
    s.kind = q.value(3).toString();
    for (int i = 0; i < 3; ++i) {
        if (!q.value(4 + i).isNull()) s.areas << QLatin1String(kAreas[i]);
        if (hashes) *hashes << q.value(4 + i).toString();
    }
    s.program = q.value(7).toString();
    s.user = q.value(8).toString();
    s.host = q.value(9).toString();
    return s;
}
} // namespace

std::optional<TSnapshot> TRecordStore::Snapshot(qint64 id, QString& error) const {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!Run(q, kSnapshotColumns + QStringLiteral("WHERE id = ?"), {id}, error)) return std::nullopt;
    if (!q.next()) {
        error = TText::tr("снимка @%1 нет в журнале").arg(id);
        return std::nullopt;
    }
    QStringList hashes;
    TSnapshot s = SnapshotRow(q, &hashes);
    for (int i = 0; i < 3; ++i) {
        if (hashes[i].isEmpty()) continue;
        QSqlQuery c(db);
        if (!Run(c, QStringLiteral("SELECT size, data FROM contents WHERE hash = ?"), {hashes[i]}, error) || !c.next())
            return std::nullopt;
        const QByteArray data = qUncompress(c.value(1).toByteArray());
        if (data.size() != c.value(0).toInt()) {
            error = TText::tr("снимок @%1 повреждён (%2)").arg(id).arg(QLatin1String(kAreas[i]));
            return std::nullopt;
        }
        AreaOf(s.pages, i) = data;
    }
    return s;
}

std::optional<TSnapshot> TRecordStore::Latest(qint64 moduleId, const QString& area, const QDateTime& atOrBefore,
                                         QString& error) const {
    if (area != QLatin1String("settings") && area != QLatin1String("numbers") && area != QLatin1String("history"))
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    QString sql = QStringLiteral("SELECT id FROM snapshots WHERE module_id = ? AND %1 IS NOT NULL").arg(area);
    QVariantList values{moduleId};
    if (atOrBefore.isValid()) {
        sql += QStringLiteral(" AND taken_at <= ?");
        values << Stamp(atOrBefore);
    }
    if (!Run(q, sql + QStringLiteral(" ORDER BY id DESC LIMIT 1"), values, error) || !q.next()) return std::nullopt;
    return Snapshot(q.value(0).toLongLong(), error);
}

TModulePages TRecordStore::Known(qint64 moduleId, QString& error) const {
    TModulePages out;
    for (int i = 0; i < 3; ++i)
        if (const auto s = Latest(moduleId, QLatin1String(kAreas[i]), {}, error)) AreaOf(out, i) = AreaOf(s->pages, i);
    return out;
}

QList<TSnapshot> TRecordStore::Snapshots(qint64 moduleId, int limit, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    QList<TSnapshot> out;
    if (!Run(q, kSnapshotColumns + QStringLiteral("WHERE module_id = ? ORDER BY id DESC LIMIT ?"), {moduleId, limit}, error))
        return out;
    while (q.next()) out << SnapshotRow(q);
    return out;
}

int TRecordStore::CompleteUnfinished(qint64 moduleId, QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT id, after_snapshot, target FROM journal WHERE module_id = ? AND finished_at IS NULL "
                               "AND target IS NOT NULL AND target <> '' ORDER BY id"),
             {moduleId}, error))
        return 0;
    struct TOpen {
        qint64 id, after;
        QString target;
    };
    QList<TOpen> open;
    while (q.next()) open.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()});
    q.finish();
    int completed = 0;
    for (const TOpen& o : open) {
        // The snapshots taken since the write began, oldest first (a bounded number).
        if (!Run(q, QStringLiteral("SELECT id FROM snapshots WHERE module_id = ? AND id > ? ORDER BY id LIMIT 50"),
                 {moduleId, o.after}, error))
            return completed;
        QList<qint64> ids;
        while (q.next()) ids << q.value(0).toLongLong();
        q.finish();
        for (qint64 id : ids) {
            const auto s = Snapshot(id, error);
            if (!s) return completed;
            const auto held = TargetHeld(o.target, s->pages);
            if (!held) continue;
            const auto [same, total] = *held;
            const QString when = s->takenAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
            const QString message =
                same == total ? TText::tr("Завершена по модулю: снимок @%1 (%2) показывает все %3 записываемых страниц")
                                    .arg(id)
                                    .arg(when)
                                    .arg(total)
                              : TText::tr("Завершена по модулю: в снимке @%1 (%2) совпадают %3 из %4 записываемых страниц: "
                                          "запись не закончена, повторите её")
                                    .arg(id)
                                    .arg(when)
                                    .arg(same)
                                    .arg(total);
            if (!Run(q, QStringLiteral("UPDATE journal SET finished_at = ?, outcome = ?, message = ?, pages_written = ?, "
                                       "pages_verified = ? WHERE id = ? AND finished_at IS NULL"),
                     {Stamp(s->takenAt), same == total ? QStringLiteral("done") : QStringLiteral("failed"), message, same,
                      same, o.id},
                     error))
                return completed;
            completed += q.numRowsAffected() == 1;
            break;
        }
    }
    return completed;
}

QList<TJournalEntry> TRecordStore::Journal(qint64 moduleId, int limit, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    QList<TJournalEntry> out;
    if (!Run(q,
             QStringLiteral("SELECT id, module_id, started_at, finished_at, operation, intent, file, file_sha256, program, "
                            "os_user, host, outcome, message, pages_written, pages_verified, target FROM journal WHERE module_id = ? "
                            "ORDER BY id DESC LIMIT ?"),
             {moduleId, limit}, error))
        return out;
    while (q.next()) {
        TJournalEntry e;
        e.id = q.value(0).toLongLong();
        e.moduleId = q.value(1).toLongLong();
        e.startedAt = FromStamp(q.value(2));
        e.finishedAt = FromStamp(q.value(3));
        e.operation = q.value(4).toString();
        e.intent = q.value(5).toString();
        e.file = q.value(6).toString();
        e.fileSha256 = q.value(7).toString();
        e.program = q.value(8).toString();
        e.user = q.value(9).toString();
        e.host = q.value(10).toString();
        e.outcome = q.value(11).toString();
        e.message = q.value(12).toString();
        e.pagesWritten = q.value(13).toInt();
        e.pagesVerified = q.value(14).toInt();
        e.target = q.value(15).toString();
        out << e;
    }
    return out;
}

bool TRecordStore::ClaimUnit(const QString& batch, const QString& unit, const QString& port, const QString& serial,
                        const QString& fingerprint, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            // One statement: of two stations asking at once, one inserts or
            // revives the row, the other changes nothing.
            if (!Run(q,
                     QStringLiteral("INSERT INTO units (batch, unit, state, port, serial, fingerprint, host, pid, updated_at) "
                                    "VALUES (?, ?, 'started', ?, ?, ?, ?, ?, ?) ON CONFLICT (batch, unit) DO UPDATE SET "
                                    "state = 'started', port = excluded.port, serial = excluded.serial, "
                                    "fingerprint = excluded.fingerprint, host = excluded.host, "
                                    "pid = excluded.pid, updated_at = excluded.updated_at, note = '' "
                                    "WHERE units.state = 'free'"),
                     {batch, unit, port, serial, fingerprint, Host(), QCoreApplication::applicationPid(),
                      Stamp(QDateTime::currentDateTime())},
                     e))
                return false;
            return q.numRowsAffected() == 1;
        },
        error);
}

bool TRecordStore::SetUnitState(const QString& batch, const QString& unit, const QString& state, const QString& note,
                           QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            if (!Run(q, QStringLiteral("UPDATE units SET state = ?, note = ?, updated_at = ? WHERE batch = ? AND unit = ?"),
                     {state, note, Stamp(QDateTime::currentDateTime()), batch, unit}, e))
                return false;
            if (q.numRowsAffected() == 1) return true;
            e = TText::tr("устройство «%1» не найдено в журнале").arg(unit);
            return false;
        },
        error);
}

bool TRecordStore::ReleaseUnit(const QString& batch, const QString& unit, QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("UPDATE units SET state = 'free', updated_at = ?, note = ? WHERE batch = ? AND unit = ? "
                               "AND state IN ('started', 'doubt')"),
             {Stamp(QDateTime::currentDateTime()), TText::tr("освобождено оператором %1@%2").arg(OsUser(), Host()), batch, unit},
             error))
        return false;
    if (q.numRowsAffected() == 1) return true;
    error = TText::tr("устройство «%1» не занято (не начато, уже готово или свободно)").arg(unit);
    return false;
}

bool TRecordStore::RenewUnits(const QString& batch, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            return Run(q, QStringLiteral("UPDATE units SET updated_at = ? WHERE batch = ? AND state = 'started' AND host = ? "
                                         "AND pid = ?"),
                       {Stamp(QDateTime::currentDateTime()), batch, Host(), QCoreApplication::applicationPid()}, e);
        },
        error);
}

namespace {

QList<TUnitEntry> UnitRows(QSqlQuery& q) {
    QList<TUnitEntry> out;
    while (q.next()) {
        TUnitEntry u;
        u.batch = q.value(0).toString();
        u.unit = q.value(1).toString();
        u.state = q.value(2).toString();
        u.port = q.value(3).toString();
        u.serial = q.value(4).toString();
        u.host = q.value(5).toString();
        u.pid = q.value(6).toLongLong();
        u.updatedAt = FromStamp(q.value(7));
        u.note = q.value(8).toString();
        u.fingerprint = q.value(9).toString();
        out << u;
    }
    return out;
}

} // namespace

QList<TUnitEntry> TRecordStore::Units(const QString& batch, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT batch, unit, state, port, serial, host, pid, updated_at, note, fingerprint FROM units "
                               "WHERE batch = ? ORDER BY unit"),
             {batch}, error))
        return {};
    return UnitRows(q);
}

QList<TUnitEntry> TRecordStore::TakenUnitsBesides(const QString& batch, QString& error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT batch, unit, state, port, serial, host, pid, updated_at, note, fingerprint FROM units "
                               "WHERE batch <> ? AND state <> 'free' ORDER BY batch, unit"),
             {batch}, error))
        return {};
    return UnitRows(q);
}

bool TRecordStore::AdoptBatch(const QString& from, const QString& to, QString& error) {
    return Again(
        [&](QString& e) {
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            return Run(q, QStringLiteral("UPDATE units SET batch = ? WHERE batch = ? AND NOT EXISTS "
                                         "(SELECT 1 FROM units AS taken WHERE taken.batch = ?)"),
                       {to, from, to}, e);
        },
        error);
}

} // namespace portiqa
