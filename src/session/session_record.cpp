// What the session keeps in the record: the module at each login, a
// snapshot after every complete read and verified write, and a journal entry
// around every write (its intent before the first frame, its outcome after).
#include "session/session.h"
#include "base/texts.h"
#include <QCryptographicHash>
#include <QFile>

namespace portiqa {

namespace {

QString Sha256Of(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return QString::fromLatin1(h.result().toHex());
}

} // namespace

void TSession::UseRecord(TRecord* record, const QString& problem, bool confirmReads) {
    record_ = record;
    recordWanted_ = record || !problem.isEmpty();
    recordProblem_ = problem;
    // The directory of people lives in the record; each name typed or
    // imported is kept at once.
    TPeople& people = numberTable.People();
    people.OnChanged = nullptr;
    if (record_) {
        QString error;
        const QList<TPerson> all = record_->People(error);
        if (!error.isEmpty()) RecordWarning(error);
        else people.Load(all);
        numberTable.ShowPeople();
        people.OnChanged = [this](const QString& key, const TPerson& person) {
            QString why;
            if (record_ && !record_->SetPerson(key, person, why)) RecordWarning(why);
        };
    }
    GuardWrites();
    // A page read once is taken when it equals the module's last verified
    // copy; anything else (a module never seen, a changed page, a damaged
    // reply) is read again.
    if (!confirmReads) {
        pageTransfer.Confirm = nullptr;
        return;
    }
    pageTransfer.Confirm = [this](int32_t address, const QByteArray& page) {
        const char* held = known_.PageAt(address);
        return held && page.size() == kPageSize && std::equal(page.begin(), page.end(), held);
    };
}

void TSession::RefreshPeople() {
    if (!record_) return;
    QString error;
    const QList<TPerson> all = record_->People(error);
    if (!error.isEmpty()) return RecordWarning(error);
    numberTable.People().Load(all);
    numberTable.ShowPeople(1, TNumberTable::kRecords, true);
}

void TSession::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    GuardWrites();
}

// Every write passes here before its first frame: the journal's intent, and
// a read-only visit's refusal.
void TSession::GuardWrites() {
    pageTransfer.BeforeWrite = [this](TOperation operation, const QString& intent,
                                      const std::vector<std::pair<int32_t, QByteArray>>& pages) {
        return RecordIntent(operation, intent, WriteTarget(pages));
    };
    // The single commands that change the module are writes too.
    historyDelete.BeforeSend = [this](uint8_t) { return MayChangeModule(historyDelete.Change()); };
}

// A single command about to go: one that changes the module is kept in the
// journal first (or refused, and ended failed).
bool TSession::MayChangeModule(const QString& change) {
    if (change.isEmpty() || RecordIntent(TOperation::Command, change)) return true;
    Finish(TOperation::Command, TOutcome::TKind::Failed);
    return false;
}

void TSession::RecordWarning(const QString& why) {
    if (recordWarned_) return;
    recordWarned_ = true;
    op.Tell(TText::tr("Журнал модулей: %1\rЧтение продолжается; запись в GSM модуль не начнётся, пока журнал "
                             "недоступен").arg(why));
}

void TSession::RecordLogin() {
    if (!recordWanted_) return;
    if (!record_) return RecordWarning(recordProblem_);
    QString error;
    // A module without a SIM number is known on this connection only: it
    // gets its entry when something is kept of it (a snapshot, a write), and
    // logging in again on the connection is the same module.
    if (module_->simNumber.isEmpty()) {
        if (unidentified_ && unidentified_->first == connection_) {
            moduleId_ = unidentified_->second;
            known_ = record_->Known(*moduleId_, error);
        }
        return;
    }
    moduleId_ = record_->TouchModule(*module_, error);
    if (!moduleId_) return RecordWarning(error);
    known_ = record_->Known(*moduleId_, error);
}

bool TSession::EnsureModuleEntry(QString& error) {
    if (moduleId_) return true;
    if (!record_ || !module_) return false;
    moduleId_ = record_->TouchModule(*module_, error);
    if (moduleId_ && module_->simNumber.isEmpty()) unidentified_ = std::pair{connection_, *moduleId_};
    return moduleId_.has_value();
}

void TSession::RecordNewSimNumber() {
    if (!record_ || !moduleId_) return;
    QString error;
    if (const auto id = record_->ModuleNowHolds(*moduleId_, *module_, error)) {
        moduleId_ = id;
        unidentified_.reset();
    } else {
        RecordWarning(error);
    }
}

QByteArray TSession::KnownArea(int32_t first, int pages) const {
    QByteArray area;
    area.reserve(pages * kPageSize);
    for (int p = 0; p < pages; ++p) {
        const QByteArray* page = seq.KnownPage(first + p * kPageSize);
        if (!page || page->size() != kPageSize) return {};
        area += *page;
    }
    return area;
}

bool TSession::RecordIntent(TOperation operation, const QString& intent, const QString& target) {
    if (readOnly_) {
        recordRefused_ = true;
        recordRefusal_ = TText::tr("Только чтение: запись в GSM модуль не выполняется, ничего не записано");
        op.ShowMessage(recordRefusal_);
        readOnlyRefused_ = true;
        return false;
    }
    if (!recordWanted_) return true;
    QString error = recordProblem_;
    if (record_ && !EnsureModuleEntry(error) && error.isEmpty()) error = TText::tr("модуль не внесён в журнал при входе");
    if (record_ && moduleId_) {
        TJournalEntry e;
        e.moduleId = *moduleId_;
        e.operation = operation == TOperation::Memory ? QStringLiteral("restore") : OperationName(operation);
        e.intent = intent;
        e.file = writeFile_;
        e.fileSha256 = Sha256Of(writeFile_);
        e.target = target;
        if (const auto id = record_->BeginWrite(e, error)) {
            journalId_ = id;
            return true;
        }
    }
    recordRefused_ = true;
    recordRefusal_ = TText::tr("Запись в GSM модуль не начата: журнал модулей недоступен (%1). Ничего не записано").arg(error);
    op.ShowMessage(recordRefusal_);
    return false;
}

void TSession::RecordOutcome(TOutcome& o) {
    if (!record_) return;
    QString error;
    const bool wrote = journalId_.has_value();
    if (journalId_) {
        if (!record_->EndWrite(*journalId_, KindName(o.kind), QString(o.message).replace(u'\r', u'\n'), o.pagesWritten,
                               o.pagesVerified, error)) {
            // The module has what was sent; the record must not pass for whole.
            o.unrecorded = (o.Ok() ? TText::tr("GSM модуль записан, но журнал модулей не сохранил исход записи №%1 (%2): "
                                               "в журнале она значится незавершённой")
                                   : TText::tr("Журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится "
                                               "незавершённой")).arg(*journalId_).arg(error);
            op.ShowMessage(o.unrecorded);
        }
        journalId_.reset();
    }
    if (!o.Ok() || !module_) return;
    if (o.operation == TOperation::Command) known_.history.clear();  // a deletion leaves no copy to confirm by
    TModulePages pages;
    QString kind = wrote ? QStringLiteral("save") : QStringLiteral("read");
    switch (o.operation) {
    case TOperation::Settings: pages.settings = KnownArea(SettingsPageAddress(1), 2); break;
    case TOperation::Numbers: pages.numbers = KnownArea(kNumbersBase, kNumberPages); break;
    case TOperation::History: pages.history = KnownArea(kHistoryBase, kHistoryPages); break;
    case TOperation::Memory:
        kind = wrote ? QStringLiteral("restore") : QStringLiteral("backup");
        pages.settings = KnownArea(SettingsPageAddress(1), 2);
        pages.numbers = KnownArea(kNumbersBase, kNumberPages);
        if (!wrote) pages.history = KnownArea(kHistoryBase, kHistoryPages);
        break;
    default: return;
    }
    if (pages.Empty()) return;
    if (QString why; !EnsureModuleEntry(why)) return RecordWarning(why);
    if (!record_->AddSnapshot(*moduleId_, kind, pages, error)) return RecordWarning(error);
    // A write left unfinished earlier (the program or the record stopped) is
    // told by what the module holds now.
    record_->CompleteUnfinished(*moduleId_, error);
    if (!error.isEmpty()) RecordWarning(error);
    if (!pages.settings.isEmpty()) known_.settings = pages.settings;
    if (!pages.numbers.isEmpty()) known_.numbers = pages.numbers;
    if (!pages.history.isEmpty()) known_.history = pages.history;
}

} // namespace portiqa
