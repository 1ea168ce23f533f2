#include "record/record.h"
#include "record/record_sql.h"
#include "base/texts.h"
#include "files/file_replace.h"
#include "base/plain_text.h"
#include "numbers/people.h"
#include "link/protocol.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QVariant>
#include <atomic>
#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace portiqa {

Q_LOGGING_CATEGORY(RecordLog, "portiqa.record", QtWarningMsg)

using namespace record_sql;

namespace {


// The statements of each schema version, after the one before it. A
// placeholder {id} is the driver's auto-numbered key, {blob} its byte type.
const QStringList kMigrations[] = {
    {
        "CREATE TABLE modules (id {id}, key TEXT NOT NULL UNIQUE, sim TEXT NOT NULL, name TEXT NOT NULL DEFAULT '', "
        "bridge_serial TEXT NOT NULL DEFAULT '', first_seen TEXT NOT NULL, last_seen TEXT NOT NULL)",
        "CREATE TABLE contents (hash TEXT PRIMARY KEY, size INTEGER NOT NULL, data {blob} NOT NULL)",
        "CREATE TABLE snapshots (id {id}, module_id BIGINT NOT NULL REFERENCES modules(id), taken_at TEXT NOT NULL, "
        "kind TEXT NOT NULL, settings TEXT REFERENCES contents(hash), numbers TEXT REFERENCES contents(hash), "
        "history TEXT REFERENCES contents(hash), program TEXT NOT NULL, os_user TEXT NOT NULL, host TEXT NOT NULL)",
        "CREATE INDEX snapshots_by_module ON snapshots (module_id, id)",
        "CREATE TABLE journal (id {id}, module_id BIGINT NOT NULL REFERENCES modules(id), started_at TEXT NOT NULL, "
        "operation TEXT NOT NULL, intent TEXT NOT NULL, file TEXT NOT NULL, file_sha256 TEXT NOT NULL, "
        "program TEXT NOT NULL, os_user TEXT NOT NULL, host TEXT NOT NULL, finished_at TEXT, outcome TEXT, "
        "message TEXT, pages_written INTEGER, pages_verified INTEGER)",
        "CREATE INDEX journal_by_module ON journal (module_id, id)",
    },
    {
        "CREATE TABLE units (batch TEXT NOT NULL, unit TEXT NOT NULL, state TEXT NOT NULL, port TEXT NOT NULL, "
        "serial TEXT NOT NULL, fingerprint TEXT NOT NULL, host TEXT NOT NULL, pid BIGINT NOT NULL, updated_at TEXT NOT NULL, "
        "note TEXT NOT NULL DEFAULT '', PRIMARY KEY (batch, unit))",
    },
    {
        "CREATE TABLE people (subscriber TEXT PRIMARY KEY, number TEXT NOT NULL, name TEXT NOT NULL, "
        "place TEXT NOT NULL, note TEXT NOT NULL, added_by TEXT NOT NULL, added_at TEXT NOT NULL, "
        "updated_by TEXT NOT NULL, updated_at TEXT NOT NULL)",
        "CREATE TABLE sites (id {id}, name TEXT NOT NULL UNIQUE, revision INTEGER NOT NULL, updated_by TEXT NOT NULL, "
        "updated_at TEXT NOT NULL)",
        "CREATE TABLE site_numbers (site_id BIGINT NOT NULL REFERENCES sites(id), module_id BIGINT NOT NULL, "
        "position INTEGER NOT NULL, number TEXT NOT NULL, unrestricted INTEGER NOT NULL, start_date TEXT NOT NULL, "
        "start_time TEXT NOT NULL, end_date TEXT NOT NULL, end_time TEXT NOT NULL, PRIMARY KEY (site_id, module_id, position))",
        "CREATE TABLE site_modules (site_id BIGINT NOT NULL REFERENCES sites(id), module_id BIGINT NOT NULL "
        "REFERENCES modules(id), left_out TEXT NOT NULL, applied_at TEXT, applied_revision INTEGER NOT NULL, "
        "applied_list TEXT NOT NULL DEFAULT '', applied_numbers TEXT NOT NULL DEFAULT '', PRIMARY KEY (site_id, module_id))",
    },
    {
        // A row's own key, made by the program before it inserts: an insert
        // repeated after a lost connection finds its row instead of adding one.
        "ALTER TABLE journal ADD COLUMN client_key TEXT",
        "CREATE UNIQUE INDEX journal_by_client_key ON journal (client_key)",
        "ALTER TABLE snapshots ADD COLUMN client_key TEXT",
        "CREATE UNIQUE INDEX snapshots_by_client_key ON snapshots (client_key)",
    },
    {
        // The pages a write means the module to hold: an entry left
        // unfinished is completed from the module's next read.
        "ALTER TABLE journal ADD COLUMN target TEXT",
        // The newest snapshot when the write began: only later ones tell its end.
        "ALTER TABLE journal ADD COLUMN after_snapshot BIGINT",
    },
    {
        // Where a site's module is reached over the network (a device server), or empty.
        "ALTER TABLE site_modules ADD COLUMN address TEXT NOT NULL DEFAULT ''",
    },
    {
        // Each hand-over report of a site and the list it showed: the next one tells what changed since.
        "CREATE TABLE site_reports (id {id}, site_id BIGINT NOT NULL REFERENCES sites(id), made_at TEXT NOT NULL, "
        "made_by TEXT NOT NULL, revision INTEGER NOT NULL, list TEXT NOT NULL)",
        "CREATE INDEX site_reports_by_site ON site_reports (site_id, made_at)",
    },
};

} // namespace

namespace record_sql {

bool CreatePrivateFile(const QString& path, QString& error, QString& notice) {
#ifndef _WIN32
    struct stat link {};
    if (::lstat(QFile::encodeName(path).constData(), &link) == 0) {
        struct stat target {};
        if (::stat(QFile::encodeName(path).constData(), &target) != 0) {
            error = TText::tr("журнал %1 — ссылка на файл, которого нет").arg(path);
            return false;
        }
        if (target.st_uid != ::geteuid()) {
            error = S_ISLNK(link.st_mode) ? TText::tr("журнал %1 — ссылка на файл другого пользователя").arg(path)
                                          : TText::tr("журнал %1 принадлежит другому пользователю").arg(path);
            return false;
        }
        if (S_ISREG(target.st_mode) && (target.st_mode & 077) != 0) {
            if (::chmod(QFile::encodeName(path).constData(), 0600) != 0) {
                error = TText::tr("не удалось закрыть журнал %1 от других пользователей: %2")
                            .arg(path, QString::fromLocal8Bit(strerror(errno)));
                return false;
            }
            notice = TText::tr("Журнал %1 был доступен другим пользователям: теперь только вам (0600)").arg(path);
        }
        return true;
    }
    const QString folder = QFileInfo(path).absolutePath();
    const bool newFolder = !QFileInfo::exists(folder);
    if (!QDir().mkpath(folder)) {
        error = TText::tr("не удалось создать папку %1").arg(folder);
        return false;
    }
    if (newFolder) ::chmod(QFile::encodeName(folder).constData(), 0700);
#else
    (void)notice;
    if (QFileInfo::exists(path)) return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = TText::tr("не удалось создать папку %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
#endif
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) {
        error = TText::tr("не удалось создать файл %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (fd >= 0) ::close(fd);
#else
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        error = TText::tr("не удалось создать файл %1: %2").arg(path, f.errorString());
        return false;
    }
    f.close();
    // Windows has no mode: the file's own access list names this user alone
    // (SQLite's journal beside it inherits the folder's, which in the default
    // place is the user's profile, private to the user already).
    if (!MakeFilePrivate(path)) {
        error = TText::tr("не удалось закрыть доступ к файлу %1 для других пользователей").arg(path);
        QFile::remove(path);
        return false;
    }
#endif
    return true;
}

} // namespace record_sql

const char* TModulePages::PageAt(int32_t address) const {
    const QByteArray* area = nullptr;
    int32_t base = 0;
    if (address >= 0 && address < 2 * kPageSize) area = &settings;
    else if (address >= kNumbersBase && address < kNumbersBase + kNumberPages * kPageSize) area = &numbers, base = kNumbersBase;
    else if (address >= kHistoryBase && address < kHistoryBase + kHistoryPages * kPageSize) area = &history, base = kHistoryBase;
    if (!area || area->size() < address - base + kPageSize || (address - base) % kPageSize != 0) return nullptr;
    return area->constData() + (address - base);
}

bool TRecord::Available() { return true; }

QString TRecord::DefaultLocation() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/portiqa/record.sqlite");
}

QString TRecord::OsUser() {
#ifndef _WIN32
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
#endif
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("?") : user;
}

QString TRecord::Host() { return QSysInfo::machineHostName(); }

TRecordStore::~TRecordStore() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<TRecordStore> TRecordStore::Open(const QString& location, QString& error) {
    static std::atomic<int> counter{0};
    std::unique_ptr<TRecordStore> r(new TRecordStore);
    r->connection_ = QStringLiteral("portiqa-record-%1").arg(++counter);
    const QString loc = location.isEmpty() ? TRecord::DefaultLocation() : location;
    const TRecord::TLocationKind kind = TRecord::KindOfLocation(loc, error);
    if (kind == TRecord::TLocationKind::Wrong) return {};
    if (kind == TRecord::TLocationKind::Server) {
        const QUrl url(loc);
        if (!url.isValid() || url.path().size() < 2) {
            error = TText::tr("адрес журнала %1 не понят: нужен postgresql://пользователь@сервер/база").arg(loc);
            return {};
        }
        // A password on the command line is visible to every user of the computer.
        if (!url.password().isEmpty()) {
            error = TText::tr("пароль базы не указывается в адресе: возьмите ~/.pgpass или PGPASSWORD");
            return {};
        }
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            error = TText::tr("нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)");
            return {};
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), r->connection_);
        const QString socketFolder = QUrlQuery(url).queryItemValue(QStringLiteral("host"));
        db.setHostName(!socketFolder.isEmpty() ? socketFolder : url.host());
        if (url.port() > 0) db.setPort(url.port());
        db.setUserName(url.userName());
        db.setDatabaseName(url.path().mid(1));
        db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=portiqa"));
        r->shared_ = true;
        QUrl shown = url;
        shown.setQuery(QString());
        r->where_ = shown.toString() + (socketFolder.isEmpty() ? QString() : QStringLiteral(" (") + socketFolder + u')');
    } else {
        const QString path = loc.startsWith(QLatin1String("sqlite://"), Qt::CaseInsensitive) ? QUrl(loc).toLocalFile() : loc;
        if (!CreatePrivateFile(path, error, r->notice_)) return {};
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), r->connection_);
        db.setDatabaseName(path);
        // Another program writing waits its turn instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        r->where_ = path;
    }
    // A write-ahead log left with pages in it: the last program may have
    // ended mid-write (or still runs). Such a file, and one not checked for
    // a day (its last good copy is the check's date), is checked before use.
    const bool unclean = !r->shared_ && QFileInfo(r->where_ + QStringLiteral("-wal")).size() > 0;
    const bool copyDue = !r->shared_ && r->CheckDue();
    const bool due = unclean || copyDue;
    {
        QSqlDatabase db = QSqlDatabase::database(r->connection_, false);
        if (!db.open()) {
            error = TText::tr("журнал %1 не открывается: %2").arg(r->where_, Worded(db.lastError()));
            return {};
        }
    }
    if (due && !r->CheckWhole(error)) return {};
    if (!r->Prepare(error)) {
        r->Heed(error);
        if (!r->damage_.isEmpty()) return {};
        error = TText::tr("журнал %1 не готов: %2").arg(r->where_, error);
        return {};
    }
    // The copy is renewed at most once a day (another program writing has
    // its log open all the while: no copy is made under it each time).
    if (copyDue) r->KeepGoodCopy();
    return r;
}

bool TRecordStore::Prepare(QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!shared_) {
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));  // readers and a writer at once
        q.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    // A record at the current version needs nothing written (it may be read-only).
    const auto version = [&]() -> int {
        QSqlQuery v(db);
        if (!v.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) || !v.next()) return 0;
        return v.value(0).toInt();
    };
    if (version() == kSchemaVersion) return true;
    TTransaction t(db, shared_);
    if (!t.Ok(error)) return false;
    if (shared_ && !Run(q, QStringLiteral("SELECT pg_advisory_xact_lock(7311001)"), {}, error)) return false;
    if (!Run(q, QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"), {}, error))
        return false;
    const int from = version();  // again, under the lock: another program may have migrated meanwhile
    if (from > kSchemaVersion) {
        error = TText::tr("журнал создан более новой версией программы (схема %1)").arg(from);
        return false;
    }
    for (int v = from; v < kSchemaVersion; ++v) {
        for (QString sql : kMigrations[v]) {
            sql.replace(QLatin1String("{id}"), shared_ ? QLatin1String("BIGSERIAL PRIMARY KEY") : QLatin1String("INTEGER PRIMARY KEY"));
            sql.replace(QLatin1String("{blob}"), shared_ ? QLatin1String("BYTEA") : QLatin1String("BLOB"));
            if (!Run(q, sql, {}, error)) return false;
        }
    }
    if (!Run(q, QStringLiteral("DELETE FROM meta WHERE key = 'schema_version'"), {}, error) ||
        !Run(q, QStringLiteral("INSERT INTO meta (key, value) VALUES ('schema_version', ?)"), {QString::number(kSchemaVersion)},
             error))
        return false;
    return t.Commit(error);
}

} // namespace portiqa
