#pragma once
// What the record's source files share: time stamps, the three areas,
// one SQL statement run with its values, and a transaction. Internal to record/.
#include "record/record_store.h"
#include "base/texts.h"
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace portiqa::record_sql {

inline QString Stamp(const QDateTime& t) { return t.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")); }
inline QDateTime FromStamp(const QVariant& v) {
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
    return t.isValid() ? t.toLocalTime() : QDateTime();
}

inline const char* const kAreas[] = {"settings", "numbers", "history"};

inline QByteArray& AreaOf(TModulePages& p, int i) { return i == 0 ? p.settings : i == 1 ? p.numbers : p.history; }
inline const QByteArray& AreaOf(const TModulePages& p, int i) { return i == 0 ? p.settings : i == 1 ? p.numbers : p.history; }

// One statement; false with the driver's words on failure.
inline bool Run(QSqlQuery& q, const QString& sql, const QVariantList& values, QString& error) {
    // PostgreSQL prepares only queries with values; a table's definition runs as it is.
    if (values.isEmpty()) {
        if (q.exec(sql)) return true;
        error = q.lastError().text();
        return false;
    }
    if (!q.prepare(sql)) {
        error = q.lastError().text();
        return false;
    }
    // Qt binds a null string as SQL NULL: an empty text is a text.
    for (const QVariant& v : values)
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
    if (!q.exec()) {
        error = q.lastError().text();
        return false;
    }
    return true;
}

// A transaction that rolls back unless committed. SQLite takes its write
// lock at the start, so that two writers wait for each other instead of one
// failing halfway.
class TTransaction {
public:
    TTransaction(QSqlDatabase db, bool shared) : db_(db) {
        QSqlQuery q(db_);
        ok_ = q.exec(shared ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
        if (!ok_) error_ = q.lastError().text();
    }
    ~TTransaction() {
        if (ok_ && !done_) QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    bool Ok(QString& error) const {
        if (!ok_) error = error_;
        return ok_;
    }
    bool Commit(QString& error) {
        QSqlQuery q(db_);
        done_ = true;
        if (q.exec(QStringLiteral("COMMIT"))) return true;
        error = q.lastError().text();
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        return false;
    }

private:
    QSqlDatabase db_;
    bool ok_ = false, done_ = false;
    QString error_;
};

} // namespace portiqa::record_sql

namespace portiqa {

template <class F>
auto TRecordStore::Again(F f, QString& error) -> decltype(f(error)) {
    auto result = f(error);
    if (result || !shared_ || Alive()) return result;
    // The server closed the connection (restarted, or the network broke):
    // one new connection, one more try.
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
    if (!db.open()) {
        error = TText::tr("журнал %1 не открывается: %2").arg(where_, db.lastError().text());
        return result;
    }
    error.clear();
    return f(error);
}

} // namespace portiqa
