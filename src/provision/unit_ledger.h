#pragma once
#include "provision/provision_plan.h"
#include "record/record.h"
#include <QLockFile>
#include <QSet>
#include <deque>
#include <map>
#include <memory>
#include <optional>

namespace portiqa {

// Who holds which unit, so that one unit goes to one module whatever
// happens. With the module record (SQLite, or PostgreSQL shared by several
// stations) every unit a module takes is a row bound to its port before the
// first frame is written, marked done, doubt (its PIN may be in a module) or
// free again (the module kept its old PIN); a unit done or in doubt is
// never given again unless the operator releases it. Without the module
// record the units are kept the same way in a record of their own beside the
// units file, which is also locked, so that a second run on it is refused.
class TUnitLedger {
public:
    // Which units table a run gives out: the name the operator gave
    // (--batch), else one told by the table's content ("units-…"), so that a
    // copy of the file anywhere is the same batch. legacy: the name such a
    // table had before (its file's path), whose rows it takes over.
    struct TBatch {
        QString name;
        bool named = false;
        QString legacy;
    };
    // A units file's batch when the operator names none.
    static bool BatchOf(const QString& unitsPath, TBatch& batch, QString& error);
    // unitNames: the table's units. A table not named by the operator whose
    // unit names another table's units already carry in the record (given
    // to modules) is refused: two files with one name and different PINs
    // would put one label on two modules.
    static std::unique_ptr<TUnitLedger> Open(TRecord* record, const QString& unitsPath, const TBatch& batch,
                                             const QStringList& unitNames, QString& error);
    // The rows a batch had under its legacy name become its own.
    static bool Adopt(TRecord& record, const TBatch& batch, QString& error);
    QString Batch() const { return batch_; }
    bool Shared() const { return record_ != nullptr; }
    TRecord* Record() const { return record_; }
    // Where the modules' writes are journalled: the module record, not the
    // units' own record kept beside a units file without it.
    TRecord* Journal() const { return own_ ? nullptr : record_; }

    // Takes the first unit of units (in file order) that no one holds, bound
    // to the port: its index, or nullopt (error set when the record failed;
    // empty when none is free). Units done by any station leave the queue.
    // fingerprint: of what was read from the module, kept with the binding.
    std::optional<size_t> Take(std::deque<TUnit>& units, const QString& port, const QString& serial,
                               const QString& fingerprint, QString& error);
    // Takes out of units those any station has done: the run ends when its
    // units are used up, without waiting for one more module to find none.
    void Prune(std::deque<TUnit>& units) const;
    // Units the operator released (free in the record) that are not in
    // units: offered again to the run that is going.
    void Returned(const std::deque<TUnit>& all, std::deque<TUnit>& units, const QSet<QString>& busy) const;
    // Given to a module for good: done, or in doubt (the record), or
    // reported ok (without a record the caller asks its report).
    bool Given(const QString& unit) const;
    bool Done(const QString& unit, QString& error);
    // The module failed before its PIN was written: the unit is free again.
    bool Free(const QString& unit, const QString& why, QString& error);
    // The module failed while its PIN was being written: held until released.
    bool Doubt(const QString& unit, const QString& why, QString& error);
    // Units left started by a run that is gone, or in doubt: what the
    // operator is to check, one line each.
    QStringList Unfinished(QString& error) const;
    // Renews this run's hold on its started units (every kRenewMs), and
    // first gives the record each unit's end it did not take when it came
    // (a server down then): a unit never stays started for a module that ended.
    void Renew();
    // Units whose end the record has not taken yet.
    int Pending() const { return int(pending_.size()); }
    // The operator gives a unit back. A unit a running station holds (its
    // process on this computer, its renewed hold from another) stays held
    // unless forced: the station would finish it, and the next module would
    // get the same PIN and SIM number.
    static bool Release(TRecord& record, const QString& batch, const QString& unit, bool force, QString& error);
    static constexpr int kRenewMs = 60 * 1000;
    static constexpr int kHoldMs = 3 * kRenewMs;  // a hold not renewed for this long is a station gone

private:
    bool Set(const QString& unit, const QString& state, const QString& why, QString& error);
    std::map<QString, std::pair<QString, QString>> pending_;  // unit: the state and note the record did not take
    TRecord* record_ = nullptr;
    QString batch_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<TRecord> own_;
};

} // namespace portiqa
