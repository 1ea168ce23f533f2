#pragma once
// What the record's source files share: time stamps, the three areas,
// one SQL statement run with its values, and a transaction. Internal to record/.
#include "record/record_store.h"
#include "base/texts.h"
#include <QSqlDatabase>
#include <QSqlError>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QVariant>

namespace portiqa {
// The database's own words for a failure (the operator reads the program's):
// shown with --verbose, or QT_LOGGING_RULES="portiqa.record.info=true".
Q_DECLARE_LOGGING_CATEGORY(RecordLog)
} // namespace portiqa

namespace portiqa::record_sql {

// What the operator reads when SQLite finds the file damaged; any failure
// worded so stops the record for the run.
inline QString DamagePhrase() { return TText::tr("файл журнала повреждён"); }

// The operator's words for what the database answered. SQLite's codes are
// its (extended) result codes, PostgreSQL's its five-character states.
inline QString Worded(const QSqlError& e) {
    qCInfo(RecordLog).noquote() << "record:" << e.nativeErrorCode() << e.text();
    const QString code = e.nativeErrorCode();
    const QString text = e.text();
    if (code.size() == 5) {  // PostgreSQL
        if (code == QLatin1String("23505"))
            return TText::tr("другая программа в это же время записала то же самое; повторите");
        if (code == QLatin1String("40001") || code == QLatin1String("40P01"))
            return TText::tr("другая программа в это же время меняла те же записи; повторите");
        if (code == QLatin1String("53100")) return TText::tr("на диске сервера журнала нет места");
        if (code == QLatin1String("42501")) return TText::tr("у пользователя базы нет прав на эту запись");
        if (code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")))
            return TText::tr("связь с сервером журнала потеряна");
    } else if (!code.isEmpty()) {  // SQLite
        if (code == QLatin1String("2067") || code == QLatin1String("1555"))  // a unique key, a primary key
            return TText::tr("другая программа в это же время записала то же самое; повторите");
        switch (code.toInt() & 0xff) {
        case 11: case 26: return DamagePhrase();
        case 13: return TText::tr("на диске нет места");
        case 8: return TText::tr("файл журнала открыт только для чтения");
        case 5: case 6: return TText::tr("файл журнала занят другой программой дольше 10 с");
        case 10: case 14: return TText::tr("файл журнала не читается или не пишется (ошибка ввода-вывода)");
        default: break;
        }
    }
    if (text.contains(QLatin1String("malformed"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("not a database"), Qt::CaseInsensitive))
        return DamagePhrase();
    if (e.type() == QSqlError::ConnectionError) return TText::tr("связь с журналом потеряна");
    return TText::tr("журнал не выполнил запрос");
}

inline QString Stamp(const QDateTime& t) { return t.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")); }
inline QDateTime FromStamp(const QVariant& v) {
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
    return t.isValid() ? t.toLocalTime() : QDateTime();
}

inline const char* const kAreas[] = {"settings", "numbers", "history"};

inline QByteArray& AreaOf(TModulePages& p, int i) { return i == 0 ? p.settings : i == 1 ? p.numbers : p.history; }
inline const QByteArray& AreaOf(const TModulePages& p, int i) { return i == 0 ? p.settings : i == 1 ? p.numbers : p.history; }

// A new file (and its folder) readable by its owner only, or an existing
// one of this user's narrowed to that (notice says so); false with error.
bool CreatePrivateFile(const QString& path, QString& error, QString& notice);

// One statement; false with the operator's words on failure.
inline bool Run(QSqlQuery& q, const QString& sql, const QVariantList& values, QString& error) {
    // PostgreSQL prepares only queries with values; a table's definition runs as it is.
    if (values.isEmpty()) {
        if (q.exec(sql)) return true;
        error = Worded(q.lastError());
        return false;
    }
    if (!q.prepare(sql)) {
        error = Worded(q.lastError());
        return false;
    }
    // Qt binds a null string as SQL NULL: an empty text is a text.
    for (const QVariant& v : values)
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
    if (!q.exec()) {
        error = Worded(q.lastError());
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
        if (!ok_) error_ = Worded(q.lastError());
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
        error = Worded(q.lastError());
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
        error = TText::tr("журнал %1 не открывается: %2").arg(where_, record_sql::Worded(db.lastError()));
        return result;
    }
    error.clear();
    return f(error);
}

} // namespace portiqa
