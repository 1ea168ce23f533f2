#include "record/record.h"
#include "record/record_sql.h"
#include "base/plain_text.h"
#include "numbers/people.h"
#include "link/protocol.h"
#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

// The modules, their snapshots and the journal of writes.
namespace portiqa {

using namespace record_sql;

namespace {

QString NewClientKey() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

// The id of the row a client key names, once its insert is committed.
std::optional<qint64> RowOfKey(QSqlQuery& q, const QString& table, const QString& key, QString& error) {
    if (!Run(q, QStringLiteral("SELECT id FROM %1 WHERE client_key = ?").arg(table), {key}, error)) return std::nullopt;
    if (!q.next()) {
        error = TText::tr("запись не сохранилась в журнале");
        return std::nullopt;
    }
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    return id;
}

// A record file is readable by its owner only: it holds PINs and phone
// numbers. A new one is made so, with a folder of its own made 0700; an
// existing one that others may read is narrowed (notice says so); one that
// is a link to a file of another user is refused.

} // namespace

std::optional<qint64> TRecordStore::TouchModuleOnce(const TModuleIdentity& m, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    // A module without a SIM number cannot be told again: each login of one
    // is a module of its own.
    const QString key = m.SimKey().isEmpty()
                            ? QStringLiteral("login:%1@%2:%3").arg(m.bridgeSerial.isEmpty() ? m.port : m.bridgeSerial, Host(),
                                                                   QUuid::createUuid().toString(QUuid::WithoutBraces))
                            : QStringLiteral("sim:") + m.SimKey();
    const QString now = Stamp(QDateTime::currentDateTime());
    if (!Run(q,
             QStringLiteral("INSERT INTO modules (key, sim, bridge_serial, first_seen, last_seen) VALUES (?, ?, ?, ?, ?) "
                            "ON CONFLICT (key) DO UPDATE SET last_seen = excluded.last_seen, "
                            "bridge_serial = excluded.bridge_serial, sim = excluded.sim RETURNING id"),
             {key, m.simNumber, m.bridgeSerial, now, now}, error) ||
        !q.next()) {
        if (error.isEmpty()) error = Worded(q.lastError());
        return std::nullopt;
    }
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    return id;
}

std::optional<qint64> TRecordStore::ModuleNowHoldsOnce(qint64 id, const TModuleIdentity& m, QString& error) {
    if (m.SimKey().isEmpty()) return id;  // a cleared SIM number proves no other module
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    TTransaction t(db, shared_);
    if (!t.Ok(error)) return std::nullopt;
    QSqlQuery q(db);
    const QString key = QStringLiteral("sim:") + m.SimKey();
    if (!Run(q, QStringLiteral("SELECT id FROM modules WHERE key = ?"), {key}, error)) return std::nullopt;
    const qint64 known = q.next() ? q.value(0).toLongLong() : -1;  // -1: the number is new to the record
    q.finish();
    if (!Run(q, QStringLiteral("SELECT key FROM modules WHERE id = ?"), {id}, error)) return std::nullopt;
    const QString oldKey = q.next() ? q.value(0).toString() : QString();
    q.finish();
    qint64 use = id;
    if (known < 0) {
        if (!Run(q, QStringLiteral("UPDATE modules SET key = ?, sim = ?, last_seen = ? WHERE id = ?"),
                 {key, m.simNumber, Stamp(QDateTime::currentDateTime()), id}, error))
            return std::nullopt;
    } else if (known != id) {
        use = known;
        // A module that had no SIM number was this one all along: its
        // snapshots and writes are this one's.
        if (oldKey.startsWith(QLatin1String("login:"))) {
            for (const char* table : {"snapshots", "journal"})
                if (!Run(q, QStringLiteral("UPDATE %1 SET module_id = ? WHERE module_id = ?").arg(QLatin1String(table)),
                         {use, id}, error))
                    return std::nullopt;
            if (!Run(q, QStringLiteral("SELECT COUNT(*) FROM site_modules WHERE module_id = ?"), {id}, error) || !q.next())
                return std::nullopt;
            const bool inSite = q.value(0).toLongLong() > 0;
            q.finish();
            if (!inSite && !Run(q, QStringLiteral("DELETE FROM modules WHERE id = ?"), {id}, error)) return std::nullopt;
        }
    }
    if (!t.Commit(error)) return std::nullopt;
    return use;
}

std::optional<qint64> TRecordStore::ModuleNowHolds(qint64 id, const TModuleIdentity& m, QString& error) {
    return Again([&](QString& e) { return ModuleNowHoldsOnce(id, m, e); }, error);
}

bool TRecordStore::NameModule(qint64 id, const QString& name, QString& error) {
    if (error = NameTooLong(name, TPeople::kNameWidth); !error.isEmpty()) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("UPDATE modules SET name = ? WHERE id = ?"), {CleanName(name), id}, error))
        return false;
    if (q.numRowsAffected() == 1) return true;
    error = TText::tr("модуль %1 не найден в журнале").arg(id);
    return false;
}


std::optional<qint64> TRecordStore::AddSnapshotOnce(qint64 moduleId, const QString& kind, const TModulePages& pages,
                                               const QString& key, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    QVariantList hashes;
    TTransaction t(db, shared_);
    if (!t.Ok(error)) return std::nullopt;
    for (int i = 0; i < 3; ++i) {
        const QByteArray& area = AreaOf(pages, i);
        if (area.isEmpty()) {
            hashes << QVariant();  // SQL NULL: the snapshot has no copy of this area
            continue;
        }
        const QString hash = QString::fromLatin1(QCryptographicHash::hash(area, QCryptographicHash::Sha256).toHex());
        hashes << hash;
        if (!Run(q, QStringLiteral("INSERT INTO contents (hash, size, data) VALUES (?, ?, ?) ON CONFLICT (hash) DO NOTHING"),
                 {hash, int(area.size()), qCompress(area)}, error))
            return std::nullopt;
    }
    if (!Run(q,
             QStringLiteral("INSERT INTO snapshots (module_id, taken_at, kind, settings, numbers, history, program, os_user, "
                            "host, client_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (client_key) DO NOTHING"),
             {moduleId, Stamp(QDateTime::currentDateTime()), kind, hashes[0], hashes[1], hashes[2],
              QStringLiteral("portiqa " PORTIQA_VERSION), OsUser(), Host(), key},
             error))
        return std::nullopt;
    q.finish();  // SQLite commits only when no statement is still running
    if (!t.Commit(error)) return std::nullopt;
    if (afterCommit) afterCommit();
    return RowOfKey(q, QStringLiteral("snapshots"), key, error);
}


// The intent is committed and read back before the module is written: a
// record that cannot keep it (a full disk, a lost server) stops the write.
std::optional<qint64> TRecordStore::BeginWriteOnce(const TJournalEntry& e, const QString& key, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    TTransaction t(db, shared_);
    if (!t.Ok(error)) return std::nullopt;
    if (!Run(q,
             QStringLiteral("INSERT INTO journal (module_id, started_at, operation, intent, file, file_sha256, program, os_user, "
                            "host, client_key, target, after_snapshot) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                            "(SELECT COALESCE(MAX(id), 0) FROM snapshots)) ON CONFLICT (client_key) DO NOTHING"),
             {e.moduleId, Stamp(QDateTime::currentDateTime()), e.operation, e.intent, e.file, e.fileSha256,
              QStringLiteral("portiqa " PORTIQA_VERSION), OsUser(), Host(), key, e.target},
             error))
        return std::nullopt;
    q.finish();
    if (!t.Commit(error)) return std::nullopt;
    if (afterCommit) afterCommit();
    return RowOfKey(q, QStringLiteral("journal"), key, error);
}

bool TRecordStore::EndWriteOnce(qint64 id, const QString& outcome, const QString& message, int written, int verified,
                       QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    TTransaction t(db, shared_);
    if (!t.Ok(error) ||
        !Run(q,
             QStringLiteral("UPDATE journal SET finished_at = ?, outcome = ?, message = ?, pages_written = ?, "
                            "pages_verified = ? WHERE id = ?"),
             {Stamp(QDateTime::currentDateTime()), outcome, message, written, verified, id}, error))
        return false;
    if (q.numRowsAffected() != 1) {
        error = TText::tr("записи %1 нет в журнале").arg(id);
        return false;
    }
    return t.Commit(error);
}


bool TRecordStore::Alive() const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return q.exec(QStringLiteral("SELECT 1"));
}

std::optional<qint64> TRecordStore::TouchModule(const TModuleIdentity& m, QString& error) {
    return Again([&](QString& e) { return TouchModuleOnce(m, e); }, error);
}

// One key for both tries: a repeated insert finds the row of the first.
std::optional<qint64> TRecordStore::AddSnapshot(qint64 moduleId, const QString& kind, const TModulePages& pages, QString& error) {
    const QString key = NewClientKey();
    return Again([&](QString& e) { return AddSnapshotOnce(moduleId, kind, pages, key, e); }, error);
}

std::optional<qint64> TRecordStore::BeginWrite(const TJournalEntry& intent, QString& error) {
    const QString key = NewClientKey();
    return Again([&](QString& e) { return BeginWriteOnce(intent, key, e); }, error);
}

bool TRecordStore::EndWrite(qint64 id, const QString& outcome, const QString& message, int written, int verified,
                       QString& error) {
    return Again([&](QString& e) { return EndWriteOnce(id, outcome, message, written, verified, e); }, error);
}

} // namespace portiqa
