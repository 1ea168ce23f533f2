#include "provision/unit_ledger.h"
#include <algorithm>
#include "base/texts.h"
#include "files/csv.h"
#include "files/file_replace.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <map>
#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace portiqa {

namespace {

// Whether a program of this computer with that process number still runs.
bool Running(qint64 pid) {
#ifdef _WIN32
    if (pid <= 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // another user's: it exists
    DWORD code = 0;
    const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
#else
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#endif
}

// Whether the station that started a unit still works on it: its process
// on this computer, its renewed hold from another.
bool HolderAlive(const TUnitEntry& e) {
    if (e.host == TRecord::Host()) return Running(e.pid);
    return e.updatedAt.isValid() && e.updatedAt.msecsTo(QDateTime::currentDateTime()) < TUnitLedger::kHoldMs;
}

void PruneBy(std::deque<TUnit>& units, std::map<QString, QString>& state) {
    for (auto it = units.begin(); it != units.end();)
        it = state[it->name] == QLatin1String("done") ? units.erase(it) : std::next(it);
}

} // namespace

bool TUnitLedger::BatchOf(const QString& unitsPath, TBatch& batch, QString& error) {
    QList<TCsvRow> rows;
    if (!TCsv::ReadFile(unitsPath, rows, error)) return false;
    // The cells, not the bytes: a copy saved with ";" or in Windows-1251, or
    // with other line ends, is the same table.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const TCsvRow& r : rows) {
        if (r.fields.size() == 1 && r.fields[0].trimmed().isEmpty()) continue;
        for (const QString& f : r.fields) hash.addData(f.trimmed().toUtf8() + '\x1f');
        hash.addData(QByteArrayView("\x1e"));
    }
    const QFileInfo info(unitsPath);
    batch.name = QStringLiteral("units-") + QString::fromLatin1(hash.result().left(12).toHex());
    batch.named = false;
    batch.legacy = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return true;
}

bool TUnitLedger::Adopt(TRecord& record, const TBatch& batch, QString& error) {
    return batch.legacy.isEmpty() || record.AdoptBatch(batch.legacy, batch.name, error);
}

std::unique_ptr<TUnitLedger> TUnitLedger::Open(TRecord* record, const QString& unitsPath, const TBatch& batch,
                                               const QStringList& unitNames, QString& error) {
    std::unique_ptr<TUnitLedger> l(new TUnitLedger);
    l->record_ = record;
    l->batch_ = batch.name;
    if (unitsPath.isEmpty()) return l;
    QString lockPath = unitsPath + QStringLiteral(".lock");
    if (!record) {
        // Without the module record the units are still kept, in a record of
        // their own: a run killed and started again never gives a unit twice,
        // and knows the module that holds a started one. It is the batch's
        // (a copy of the table finds it), unless the table has one beside it
        // from an earlier version.
        QString own = unitsPath + QStringLiteral(".units.sqlite");
        if (!QFileInfo::exists(own)) {
            const QString folder = QFileInfo(TRecord::DefaultLocation()).absolutePath() + QStringLiteral("/units");
            const bool plain = !batch.named;  // "units-" and hex digits
            const QString file = plain ? batch.name
                                       : QString::fromLatin1(QCryptographicHash::hash(batch.name.toUtf8(),
                                                                                      QCryptographicHash::Sha256)
                                                                 .left(12)
                                                                 .toHex());
            QDir().mkpath(folder);
            own = folder + u'/' + file + QStringLiteral(".sqlite");
            lockPath = folder + u'/' + file + QStringLiteral(".lock");
        }
        if (TRecord::Available()) {
            l->own_ = TRecord::Open(own, error);
            if (!l->own_) {
                error = TText::tr("Не удалось вести учёт устройств таблицы %1 (в %2): %3").arg(unitsPath, own, error);
                return {};
            }
            l->record_ = l->own_.get();
        }
        // Without a record only this computer can be guarded: one run a batch.
        l->lock_ = std::make_unique<QLockFile>(lockPath);
        l->lock_->setStaleLockTime(0);
        if (!l->lock_->tryLock(0)) {
            qint64 pid = 0;
            QString host, app;
            l->lock_->getLockInfo(&pid, &host, &app);
            error = l->lock_->error() == QLockFile::LockFailedError
                        ? TText::tr("Устройства %1 (эту таблицу или её копию) уже выдаёт другой запуск (процесс %2 на %3). "
                                    "Без журнала модулей два запуска выдали бы одни и те же устройства; с общим журналом "
                                    "(--record) они делят их")
                              .arg(unitsPath)
                              .arg(pid)
                              .arg(host)
                        : TText::tr("Не удалось занять таблицу устройств %1 (файл %2): %3")
                              .arg(unitsPath, lockPath, LockProblem(lockPath));
            return {};
        }
    }
    if (!l->record_) return l;
    if (!Adopt(*l->record_, batch, error)) return {};
    if (batch.named) return l;
    // Another table's units of the same names, given already.
    const QSet<QString> names(unitNames.cbegin(), unitNames.cend());
    QMap<QString, QStringList> clash;  // other batch -> its units of our names
    const QList<TUnitEntry> taken = l->record_->TakenUnitsBesides(batch.name, error);
    if (!error.isEmpty()) return {};
    for (const TUnitEntry& e : taken) {
        // A batch the operator named is his to tell apart; one named by a
        // table's content or path is another table.
        const bool byTable = e.batch.startsWith(QLatin1String("units-")) || e.batch.contains(u'/') || e.batch.contains(u'\\');
        if (byTable && names.contains(e.unit)) clash[e.batch] << e.unit;
    }
    if (!clash.isEmpty()) {
        const QString other = clash.firstKey();
        const QStringList& units = clash.first();
        error = TText::tr("В журнале модулей устройства %1 уже выданы из другой таблицы (партия %2, устройств с теми же "
                          "именами: %3). Две таблицы с одними именами дали бы одну наклейку двум модулям. Если это "
                          "исправленная таблица той же партии, продолжите её: --batch %2; иначе дайте устройствам свои имена")
                    .arg(units.mid(0, 5).join(QStringLiteral(", ")) + (units.size() > 5 ? QStringLiteral(", …") : QString()),
                         other)
                    .arg(units.size());
        return {};
    }
    return l;
}

std::optional<size_t> TUnitLedger::Take(std::deque<TUnit>& units, const QString& port, const QString& serial,
                                        const QString& fingerprint, QString& error) {
    error.clear();
    if (!record_) {
        if (units.empty()) return std::nullopt;
        return 0;
    }
    std::map<QString, QString> state;  // unit -> its state in the record
    for (const TUnitEntry& e : record_->Units(batch_, error)) state[e.unit] = e.state;
    if (!error.isEmpty()) return std::nullopt;
    // Done by this station or another: gone from the queue for good.
    PruneBy(units, state);
    for (size_t i = 0; i < units.size(); ++i) {
        const QString& s = state[units[i].name];
        if (!s.isEmpty() && s != QLatin1String("free")) continue;  // another module holds it
        if (record_->ClaimUnit(batch_, units[i].name, port, serial, fingerprint, error)) return i;
        if (!error.isEmpty()) return std::nullopt;
    }
    return std::nullopt;
}

void TUnitLedger::Prune(std::deque<TUnit>& units) const {
    if (!record_ || units.empty()) return;
    QString error;
    std::map<QString, QString> state;
    for (const TUnitEntry& e : record_->Units(batch_, error)) state[e.unit] = e.state;
    if (error.isEmpty()) PruneBy(units, state);
}

void TUnitLedger::Returned(const std::deque<TUnit>& all, std::deque<TUnit>& units, const QSet<QString>& busy) const {
    if (!record_) return;
    QString error;
    QSet<QString> released;
    for (const TUnitEntry& e : record_->Units(batch_, error))
        if (e.state == QLatin1String("free")) released.insert(e.unit);
    QSet<QString> queued;
    for (const TUnit& u : units) queued.insert(u.name);
    bool any = false;
    for (const TUnit& u : all) any = any || (released.contains(u.name) && !queued.contains(u.name) && !busy.contains(u.name));
    if (!any) return;
    // In the table's order, as if it had never been taken.
    std::deque<TUnit> ordered;
    for (const TUnit& u : all)
        if (queued.contains(u.name) || (released.contains(u.name) && !busy.contains(u.name))) ordered.push_back(u);
    units = std::move(ordered);
}

bool TUnitLedger::Given(const QString& unit) const {
    if (!record_) return false;
    QString error;
    for (const TUnitEntry& e : record_->Units(batch_, error))
        if (e.unit == unit)
            // A unit started by a run that is gone (killed in the PIN write,
            // say) may be in its module as much as one in doubt.
            return e.state == QLatin1String("done") || e.state == QLatin1String("doubt") ||
                   (e.state == QLatin1String("started") && !HolderAlive(e));
    return false;
}

bool TUnitLedger::Set(const QString& unit, const QString& state, const QString& why, QString& error) {
    if (!record_) return true;
    if (record_->SetUnitState(batch_, unit, state, why, error)) {
        pending_.erase(unit);
        return true;
    }
    // Kept for later only when the record did not answer, or holds the unit
    // still as it was: a unit it does not know is nothing to give it later.
    QString unanswered;
    const QList<TUnitEntry> units = record_->Units(batch_, unanswered);
    if (!unanswered.isEmpty() || std::any_of(units.begin(), units.end(), [&](const TUnitEntry& e) { return e.unit == unit; }))
        pending_[unit] = {state, why};
    return false;
}

bool TUnitLedger::Done(const QString& unit, QString& error) { return Set(unit, QStringLiteral("done"), QString(), error); }

bool TUnitLedger::Free(const QString& unit, const QString& why, QString& error) {
    return Set(unit, QStringLiteral("free"), why, error);
}

bool TUnitLedger::Doubt(const QString& unit, const QString& why, QString& error) {
    return Set(unit, QStringLiteral("doubt"), why, error);
}

void TUnitLedger::Renew() {
    if (!record_) return;
    QString error;
    for (auto it = pending_.begin(); it != pending_.end();)
        it = record_->SetUnitState(batch_, it->first, it->second.first, it->second.second, error) ? pending_.erase(it)
                                                                                                  : std::next(it);
    record_->RenewUnits(batch_, error);  // a failure shows at the unit's next step
}

bool TUnitLedger::Release(TRecord& record, const QString& batch, const QString& unit, bool force, QString& error) {
    const QList<TUnitEntry> units = record.Units(batch, error);
    if (!error.isEmpty()) return false;
    for (const TUnitEntry& e : units) {
        if (e.unit != unit || e.state != QLatin1String("started") || force) continue;
        if (!HolderAlive(e)) continue;
        error = TText::tr("устройство %1 сейчас программирует работающий запуск (порт %2, %3, процесс %4, с %5): "
                          "освобождённое, оно досталось бы второму модулю. Дождитесь конца или, если тот запуск точно "
                          "остановлен, добавьте --force")
                    .arg(e.unit, e.port, e.host)
                    .arg(e.pid)
                    .arg(e.updatedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        return false;
    }
    return record.ReleaseUnit(batch, unit, error);
}

QStringList TUnitLedger::Unfinished(QString& error) const {
    QStringList lines;
    if (!record_) return lines;
    const QString host = TRecord::Host();
    for (const TUnitEntry& e : record_->Units(batch_, error)) {
        const QString since = e.updatedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        if (e.state == QLatin1String("doubt"))
            lines << TText::tr("устройство %1: пароль мог быть записан в модуль на порту %2 (%3, %4): %5. Проверьте модуль; "
                               "если у него заводской пароль, освободите устройство: provision --release %1")
                         .arg(e.unit, e.port, e.host, since, e.note);
        else if (e.state == QLatin1String("started") && !HolderAlive(e))
            lines << TText::tr("устройство %1: начато на порту %2 (%3) запуском, который прервался. Проверьте модуль; "
                               "если у него заводской пароль, освободите устройство: provision --release %1")
                         .arg(e.unit, e.port, since);
    }
    return lines;
}

} // namespace portiqa
