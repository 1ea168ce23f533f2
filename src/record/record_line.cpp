// The record's own thread: every statement runs there, one after another,
// so that a server that stops answering holds up that thread and never the
// caller for longer than it is willing to wait.
#include "record/record_store.h"
#include "base/texts.h"
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <type_traits>

namespace portiqa {

class TRecordLine : public std::enable_shared_from_this<TRecordLine> {
public:
    using TTask = std::function<void(TRecordLine&)>;
    // Calls queued at most; one more is refused as unanswered.
    static constexpr size_t kQueued = 256;

    // The thread holds the line alive until it ends, so a thread still
    // waiting on a server when the record is closed ends on its own.
    static std::shared_ptr<TRecordLine> Start() {
        auto line = std::make_shared<TRecordLine>();
        std::thread([line] { line->Run(); }).detach();
        return line;
    }

    bool Post(TTask task) {
        const std::lock_guard lock(mutex);
        if (stopping || tasks.size() >= kQueued) return false;
        tasks.push_back(std::move(task));
        wake.notify_one();
        return true;
    }

    // Ends the thread once what is queued has run; waits for that as long
    // as it takes, or at most bound when the record is late already.
    void Stop(std::chrono::milliseconds bound) {
        std::unique_lock lock(mutex);
        stopping = true;
        wake.notify_one();
        const auto ended = [this] { return finished; };
        if (late == 0) answered.wait(lock, ended);
        else answered.wait_for(lock, bound, ended);
    }

    std::mutex mutex;
    std::condition_variable wake, answered;
    std::unique_ptr<TRecordStore> store;  // used on the line's thread only
    int late = 0;  // calls whose callers stopped waiting, not yet ended

private:
    void Run() {
        for (;;) {
            TTask task;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return stopping || !tasks.empty(); });
                if (tasks.empty()) break;
                task = std::move(tasks.front());
                tasks.pop_front();
            }
            task(*this);
        }
        store.reset();  // its connection is closed on the thread that opened it
        const std::lock_guard lock(mutex);
        finished = true;
        answered.notify_all();
    }

    std::deque<TTask> tasks;
    bool stopping = false, finished = false;
};

namespace {

QString NotAnswering(const QString& where, std::chrono::milliseconds patience) {
    return TText::tr("журнал %1 не отвечает (ответа нет дольше %2 мс); переданное ему сохранится, если он ответит, "
                     "пока программа открыта")
        .arg(where)
        .arg(patience.count());
}

QString Overrun(const QString& where) {
    return TText::tr("журнал %1 не отвечает, и очередь к нему полна: это не сохранено").arg(where);
}

} // namespace

std::unique_ptr<TRecord> TRecord::Open(const QString& location, QString& error) {
    std::unique_ptr<TRecord> r(new TRecord);
    r->line_ = TRecordLine::Start();
    struct TOpened {
        QString error, where, notice;
        bool shared = false, done = false;
    };
    auto opened = std::make_shared<TOpened>();
    r->line_->Post([location, opened](TRecordLine& line) {
        QString e;
        line.store = TRecordStore::Open(location, e);
        const std::lock_guard lock(line.mutex);
        if (line.store) {
            opened->where = line.store->Where();
            opened->notice = line.store->Notice();
            opened->shared = line.store->Shared();
        }
        opened->error = e;
        opened->done = true;
        line.answered.notify_all();
    });
    // Opening waits as long as it takes: a server's connect timeout bounds it.
    bool ok = false;
    {
        std::unique_lock lock(r->line_->mutex);
        r->line_->answered.wait(lock, [&] { return opened->done; });
        ok = opened->error.isEmpty() && !opened->where.isEmpty();
        error = opened->error;
    }
    if (!ok) return {};
    r->where_ = opened->where;
    r->notice_ = opened->notice;
    r->shared_ = opened->shared;
    return r;
}

TRecord::~TRecord() {
    // Closing waits for what is queued, unless the record stopped answering.
    if (line_) line_->Stop(std::chrono::seconds(2));
}

bool TRecord::Late() const {
    const std::lock_guard lock(line_->mutex);
    return line_->late > 0;
}

template <class F, class L>
auto TRecord::Ask(QString& error, F f, L onLate) const {
    using R = std::invoke_result_t<F, TRecordStore&, QString&>;
    struct TAnswer {
        R result{};
        QString error;
        bool done = false, abandoned = false;
    };
    auto answer = std::make_shared<TAnswer>();
    const bool posted = line_->Post([answer, f, onLate](TRecordLine& line) {
        QString e;
        R result{};
        if (line.store->Ready(e)) {
            result = f(*line.store, e);
            line.store->Heed(e);
        }
        bool abandoned = false;
        {
            const std::lock_guard lock(line.mutex);
            abandoned = answer->abandoned;
            answer->result = result;
            answer->error = e;
            answer->done = true;
            line.answered.notify_all();
        }
        if (!abandoned) return;
        if constexpr (!std::is_same_v<L, std::nullptr_t>) onLate(*line.store, result);
        const std::lock_guard lock(line.mutex);
        --line.late;
    });
    if (!posted) {
        error = Overrun(where_);
        return R{};
    }
    std::unique_lock lock(line_->mutex);
    const auto done = [&] { return answer->done; };
    if (patience_.count() <= 0) line_->answered.wait(lock, done);
    else if (!done() && (line_->late > 0 || !line_->answered.wait_for(lock, patience_, done))) {
        // It goes on without us; whatever it writes is written.
        answer->abandoned = true;
        ++line_->late;
        error = NotAnswering(where_, patience_);
        return R{};
    }
    error = answer->error;
    return std::move(answer->result);
}

std::optional<qint64> TRecord::TouchModule(const TModuleIdentity& module, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.TouchModule(module, e); });
}
bool TRecord::NameModule(qint64 id, const QString& name, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.NameModule(id, name, e); });
}
std::optional<qint64> TRecord::ModuleNowHolds(qint64 id, const TModuleIdentity& module, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.ModuleNowHolds(id, module, e); });
}
QList<TKnownModule> TRecord::Modules(QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Modules(e); });
}
std::optional<TKnownModule> TRecord::FindModule(const QString& what, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.FindModule(what, e); });
}
std::optional<qint64> TRecord::AddSnapshot(qint64 moduleId, const QString& kind, const TModulePages& pages, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.AddSnapshot(moduleId, kind, pages, e); });
}
std::optional<TSnapshot> TRecord::Snapshot(qint64 id, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Snapshot(id, e); });
}
std::optional<TSnapshot> TRecord::Latest(qint64 moduleId, const QString& area, const QDateTime& atOrBefore,
                                         QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Latest(moduleId, area, atOrBefore, e); });
}
TModulePages TRecord::Known(qint64 moduleId, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Known(moduleId, e); });
}
std::optional<qint64> TRecord::BeginWrite(const TJournalEntry& intent, QString& error) {
    // The caller has given up and will not write into the module: the
    // entry says so instead of staying unfinished.
    const auto neverStarted = [](TRecordStore& s, const std::optional<qint64>& id) {
        QString e;
        if (id)
            s.EndWrite(*id, QStringLiteral("no record"),
                       TText::tr("Журнал модулей ответил слишком поздно: запись в GSM модуль не начиналась"), 0, 0, e);
    };
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.BeginWrite(intent, e); }, neverStarted);
}
bool TRecord::EndWrite(qint64 id, const QString& outcome, const QString& message, int written, int verified,
                       QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.EndWrite(id, outcome, message, written, verified, e); });
}
int TRecord::CompleteUnfinished(qint64 moduleId, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.CompleteUnfinished(moduleId, e); });
}
QList<TSnapshot> TRecord::Snapshots(qint64 moduleId, int limit, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Snapshots(moduleId, limit, e); });
}
QList<TJournalEntry> TRecord::Journal(qint64 moduleId, int limit, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Journal(moduleId, limit, e); });
}
bool TRecord::ClaimUnit(const QString& batch, const QString& unit, const QString& port, const QString& serial,
                        const QString& fingerprint, QString& error) {
    // Taken for a caller that no longer waits for it: given back.
    const auto giveBack = [=](TRecordStore& s, bool taken) {
        QString e;
        if (taken) s.SetUnitState(batch, unit, QStringLiteral("free"), QString(), e);
    };
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.ClaimUnit(batch, unit, port, serial, fingerprint, e); },
               giveBack);
}
bool TRecord::SetUnitState(const QString& batch, const QString& unit, const QString& state, const QString& note,
                           QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SetUnitState(batch, unit, state, note, e); });
}
bool TRecord::ReleaseUnit(const QString& batch, const QString& unit, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.ReleaseUnit(batch, unit, e); });
}
bool TRecord::RenewUnits(const QString& batch, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.RenewUnits(batch, e); });
}
QList<TUnitEntry> TRecord::Units(const QString& batch, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Units(batch, e); });
}
QList<TUnitEntry> TRecord::TakenUnitsBesides(const QString& batch, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.TakenUnitsBesides(batch, e); });
}
bool TRecord::AdoptBatch(const QString& from, const QString& to, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.AdoptBatch(from, to, e); });
}
QList<TPerson> TRecord::People(QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.People(e); });
}
bool TRecord::SetPerson(const QString& key, const TPerson& person, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SetPerson(key, person, e); });
}
QList<TSite> TRecord::Sites(QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.Sites(e); });
}
std::optional<TSite> TRecord::FindSite(const QString& name, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.FindSite(name, e); });
}
std::optional<qint64> TRecord::SetSiteList(const QString& site, qint64 moduleId, const QList<TSiteEntry>& entries,
                                           QString& error, int expectedRevision) {
    return Ask(error,
               [=](TRecordStore& s, QString& e) { return s.SetSiteList(site, moduleId, entries, e, expectedRevision); });
}
QList<TSiteEntry> TRecord::SiteList(qint64 siteId, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SiteList(siteId, e); });
}
bool TRecord::AddSiteModule(qint64 siteId, qint64 moduleId, const QStringList& excluded, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.AddSiteModule(siteId, moduleId, excluded, e); });
}
bool TRecord::RemoveSiteModule(qint64 siteId, qint64 moduleId, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.RemoveSiteModule(siteId, moduleId, e); });
}
bool TRecord::SetSiteModuleAddress(qint64 siteId, qint64 moduleId, const QString& address, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SetSiteModuleAddress(siteId, moduleId, address, e); });
}

bool TRecord::SiteReported(qint64 siteId, int revision, const QString& list, QString& error) {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SiteReported(siteId, revision, list, e); });
}
std::optional<TSiteReportMark> TRecord::LastSiteReport(qint64 siteId, const QDateTime& atOrBefore, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.LastSiteReport(siteId, atOrBefore, e); });
}

QList<TSiteModule> TRecord::SiteModules(qint64 siteId, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SiteModules(siteId, e); });
}
QList<TSite> TRecord::SitesOf(qint64 moduleId, QString& error) const {
    return Ask(error, [=](TRecordStore& s, QString& e) { return s.SitesOf(moduleId, e); });
}
bool TRecord::SiteApplied(qint64 siteId, qint64 moduleId, int revision, const QString& list, const QString& numbersHash,
                          QString& error) {
    return Ask(error,
               [=](TRecordStore& s, QString& e) { return s.SiteApplied(siteId, moduleId, revision, list, numbersHash, e); });
}

} // namespace portiqa
