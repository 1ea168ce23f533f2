// The record file's health: the check at open, the last good copy beside
// it, a damage found by any statement, and the way back to the copy.
#include "record/record.h"
#include "record/record_sql.h"
#include "base/texts.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace portiqa {

using namespace record_sql;

QString TRecordStore::GoodCopyPath(const QString& file) { return file + QStringLiteral(".last-good"); }
QString TRecordStore::GoodCopyPath() const { return GoodCopyPath(where_); }

bool TRecordStore::CheckDue() const {
    const QFileInfo copy(GoodCopyPath());
    return !copy.exists() || copy.lastModified().secsTo(QDateTime::currentDateTime()) >= 24 * 3600;
}

QString TRecordStore::DamageWords() const {
    const QString copy = GoodCopyPath();
    return QFileInfo::exists(copy)
               ? TText::tr("журнал %1 повреждён: в него ничего не пишется. Последняя исправная копия: %2 (от %3). Вернуть "
                           "её: portiqa-cli record restore-last-good%4 (повреждённый файл сохранится рядом; записанное "
                           "после копии в журнале пропадёт)")
                     .arg(where_, copy, QFileInfo(copy).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                          QStringLiteral(" --record ") + where_)
               : TText::tr("журнал %1 повреждён: в него ничего не пишется, и исправной копии для portiqa-cli record "
                           "restore-last-good у него нет. Сохраните файл и начните новый журнал (--record)")
                     .arg(where_);
}

bool TRecordStore::CheckWhole(QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    QString found;
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) found = q.lastError().text();
    else if (q.next() && q.value(0).toString() != QLatin1String("ok")) found = q.value(0).toString();
    if (found.isEmpty()) return true;
    qCInfo(RecordLog).noquote() << "record: quick_check:" << found;
    damage_ = DamageWords();
    error = damage_;
    return false;
}

bool TRecordStore::Ready(QString& error) {
    if (!damage_.isEmpty()) {
        error = damage_;
        return false;
    }
    if (!shared_) return true;
    // A server that went away while the record was idle: one new connection
    // before the statement, never a statement on a closed one.
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isOpen()) return true;
    if (db.open()) return true;
    error = TText::tr("журнал %1 не открывается: %2").arg(where_, Worded(db.lastError()));
    return false;
}

void TRecordStore::Heed(QString& error) {
    if (!error.contains(DamagePhrase())) return;
    damage_ = DamageWords();
    error = damage_;
}

// A copy of the record just found whole, beside it: the way back if the
// file is ever damaged. Made by SQLite itself, into a new file readable by
// its owner only.
void TRecordStore::KeepGoodCopy() {
    const QString copy = GoodCopyPath();
    const QString fresh = copy + QStringLiteral(".new");
    QFile::remove(fresh);
    QString error, notice;
    if (!CreatePrivateFile(fresh, error, notice)) return;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(fresh);
    if (!q.exec()) {
        QFile::remove(fresh);
        return;
    }
    QFile::remove(copy);
    if (!QFile::rename(fresh, copy)) QFile::remove(fresh);
}

// The damaged file (and what SQLite keeps beside it) is moved aside under
// a dated name, and the last good copy is copied into its place, private.
std::optional<QString> TRecord::RestoreLastGood(const QString& location, QString& error) {
    const QString loc = location.isEmpty() ? DefaultLocation() : location;
    if (KindOfLocation(loc, error) != TLocationKind::File) {
        if (error.isEmpty()) error = TText::tr("журнал на сервере PostgreSQL восстанавливается средствами сервера");
        return std::nullopt;
    }
    const QString path = loc.startsWith(QLatin1String("sqlite://"), Qt::CaseInsensitive) ? QUrl(loc).toLocalFile() : loc;
    const QString copy = TRecordStore::GoodCopyPath(path);
    if (!QFileInfo::exists(copy)) {
        error = TText::tr("у журнала %1 нет исправной копии (%2)").arg(path, copy);
        return std::nullopt;
    }
    const QString aside = path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString& tail : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path + tail) && !QFile::rename(path + tail, aside + tail)) {
            error = TText::tr("не удалось отложить %1 (закройте программы, которые его открыли)").arg(path + tail);
            return std::nullopt;
        }
    }
    QString notice;
    const QString fresh = path + QStringLiteral(".restoring");
    QFile::remove(fresh);
    QFile from(copy), to(fresh);
    if (!CreatePrivateFile(fresh, error, notice) || !from.open(QIODevice::ReadOnly) ||
        !to.open(QIODevice::WriteOnly | QIODevice::Truncate) || to.write(from.readAll()) != from.size() || !to.flush()) {
        if (error.isEmpty()) error = TText::tr("копия %1 не записана на место журнала: %2").arg(copy, to.errorString());
        to.close();
        QFile::remove(fresh);
        QFile::rename(aside, path);
        return std::nullopt;
    }
    to.close();
    if (!QFile::rename(fresh, path)) {
        error = TText::tr("копия %1 не встала на место журнала %2").arg(copy, path);
        return std::nullopt;
    }
    return TText::tr("Журнал %1 восстановлен из копии от %2; повреждённый файл сохранён как %3")
        .arg(path, QFileInfo(copy).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")), aside);
}

} // namespace portiqa
