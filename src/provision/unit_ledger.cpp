#include "provision/unit_ledger.h"
#include "base/texts.h"
#include <QCoreApplication>
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

} // namespace

std::unique_ptr<TUnitLedger> TUnitLedger::Open(TRecord* record, const QString& unitsPath, const QString& batch,
                                               QString& error) {
    std::unique_ptr<TUnitLedger> l(new TUnitLedger);
    l->record_ = record;
    l->batch_ = batch;
    if (record || unitsPath.isEmpty()) return l;
    // Without the module record the units are still kept, in a record of
    // their own beside the units file: a run killed and started again never
    // gives a unit twice, and knows the module that holds a started one.
    if (TRecord::Available()) {
        l->own_ = TRecord::Open(unitsPath + QStringLiteral(".units.sqlite"), error);
        if (!l->own_) {
            error = TText::tr("Не удалось вести учёт устройств рядом с таблицей %1: %2").arg(unitsPath, error);
            return {};
        }
        l->record_ = l->own_.get();
    }
    // Without a record only this computer can be guarded: one run a units file.
    l->lock_ = std::make_unique<QLockFile>(unitsPath + QStringLiteral(".lock"));
    l->lock_->setStaleLockTime(0);
    if (!l->lock_->tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        l->lock_->getLockInfo(&pid, &host, &app);
        error = l->lock_->error() == QLockFile::LockFailedError
                    ? TText::tr("Устройства %1 уже выдаёт другой запуск (процесс %2 на %3). Без журнала модулей два "
                                "запуска выдали бы одни и те же устройства; с общим журналом (--record) они делят их")
                          .arg(unitsPath)
                          .arg(pid)
                          .arg(host)
                    : TText::tr("Не удалось занять таблицу устройств %1 (файл %2.lock)").arg(unitsPath, unitsPath);
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
    for (auto it = units.begin(); it != units.end();)
        it = state[it->name] == QLatin1String("done") ? units.erase(it) : std::next(it);
    for (size_t i = 0; i < units.size(); ++i) {
        const QString& s = state[units[i].name];
        if (!s.isEmpty() && s != QLatin1String("free")) continue;  // another module holds it
        if (record_->ClaimUnit(batch_, units[i].name, port, serial, fingerprint, error)) return i;
        if (!error.isEmpty()) return std::nullopt;
    }
    return std::nullopt;
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

bool TUnitLedger::Done(const QString& unit, QString& error) {
    return !record_ || record_->SetUnitState(batch_, unit, QStringLiteral("done"), QString(), error);
}

bool TUnitLedger::Free(const QString& unit, const QString& why, QString& error) {
    return !record_ || record_->SetUnitState(batch_, unit, QStringLiteral("free"), why, error);
}

bool TUnitLedger::Doubt(const QString& unit, const QString& why, QString& error) {
    return !record_ || record_->SetUnitState(batch_, unit, QStringLiteral("doubt"), why, error);
}

void TUnitLedger::Renew() {
    QString error;
    if (record_) record_->RenewUnits(batch_, error);  // a failure shows at the unit's next step
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
