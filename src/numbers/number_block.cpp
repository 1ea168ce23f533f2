#include "numbers/number_block.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "numbers/access_changes.h"
#include "numbers/number_diff.h"
#include "numbers/number_record.h"

namespace portiqa {

namespace {
int PageOf(int32_t address) { return (address - NumberPageAddress(1)) / kPageSize + 1; }
} // namespace

void TNumberBlock::DownloadAfterQuestion() {
    if (const QString question = TText::tr("Скачать все номера, сохраненные в GSM модуле?"); !op_.AskAccept(question))
        return Refuse(question, true);
    StartDownload(false);
}

void TNumberBlock::DownloadQuietly() { StartDownload(true); }

void TNumberBlock::ReadAll(std::function<void(int32_t, const uint8_t*)> onPage, std::function<void()> then,
                             std::function<void()> onAbort) {
    std::vector<int32_t> pages;
    for (int page = 1; page <= kNumberPages; ++page) pages.push_back(NumberPageAddress(page));
    TPageTransfer::TReading reading;
    reading.onFinished = [then = std::move(then)](const std::vector<int32_t>&) { then(); };
    reading.statusText = TText::tr("Reading telephone number information");
    reading.progressLabel = TText::tr("Reading number list:");
    reading.operation = Operation();
    reading.onPage = std::move(onPage);
    reading.onAbort = std::move(onAbort);
    transfer_.StartRead(std::move(pages), {}, std::move(reading));
}

void TNumberBlock::StartDownload(bool quiet) {
    if (RefusedWhileBusy(seq_, op_)) return;
    quiet_ = quiet;
    pagesDecoded_ = 0;
    ReadAll(
        [this](int32_t address, const uint8_t* page) {
            ++pagesDecoded_;
            DecodeNumberPage(address, page);
        },
        [this] { FinishDownload(); },
        // A download that broke off leaves a table of new and old rows: say so.
        [this] { table_.SetPagesRead(pagesDecoded_); });
}

void TNumberBlock::FinishDownload() {
    table_.Edits().Set(false);
    table_.SetPagesRead(TNumberTable::kPages);
    KeepBase();
    const QString done = TText::tr("Номера пользователей прочитаны из GSM модуля");
    if (quiet_) seq_.Status().ShowStatus(done);
    else op_.Tell(done);
    Done(done);
}

void TNumberBlock::DecodeNumberPage(int32_t address, const uint8_t* page) {
    TEditState::TLoading loading(table_.Edits());
    TGridBatch batch(table_.Grid());
    // Replies beyond record 3000 have no rows to go to.
    DecodeNumberPageInto(page, PageOf(address), table_.Grid());
    const int first = 8 * (PageOf(address) - 1) + 1;
    table_.ShowPeople(first, first + 7);
}

void TNumberBlock::Save() {
    const QString problem = table_.ValidateNumberTable();
    if (!problem.isEmpty()) {
        op_.ShowMessage(problem);
        return Refuse(problem);
    }
    if (RefusedWhileBusy(seq_, op_)) return;
    // A download that broke off left the table without the records of the
    // pages it did not read: a save would remove them from the module.
    if (table_.Incomplete()) {
        const QString text = TText::tr("Список номеров скачан не полностью (прочитано страниц: %1 из %2): сохранение "
                                       "удалило бы из GSM модуля номера, которых нет в таблице. Сохранение отменено: "
                                       "скачайте список целиком или импортируйте файл.")
                                 .arg(table_.PagesRead()).arg(TNumberTable::kPages);
        op_.ShowMessage(text);
        Fail(text);
        return;
    }
    // The operator sees what the save does to the module's list before
    // anything is written; a list not known on this connection (after a
    // login, a broken download) is read first, and kept aside: the request
    // sequence keeps the module's bytes, the table holds the operator's list.
    TStringGrid module(TNumberTable::kCols, TNumberTable::kRecords + 1);
    if (!table_.Incomplete() && KnownModuleNumbers(seq_, module)) {
        ContinueSave(false);
        return;
    }
    ReadAll([](int32_t, const uint8_t*) {}, [this] { ContinueSave(true); });
}

void TNumberBlock::ContinueSave(bool readJustNow) {
    // A list read just now for this save is the copy the edits are measured against.
    if (readJustNow) KeepBase();
    TStringGrid module(TNumberTable::kCols, TNumberTable::kRecords + 1);
    if (!KnownModuleNumbers(seq_, module)) {
        // Not every page came back as the module's: nothing is written.
        const QString words = TText::tr("Список номеров GSM модуля прочитан не полностью: сохранение отменено. "
                                        "Сохраните ещё раз.");
        op_.ShowMessage(words);
        Fail(words);
        return;
    }
    const TNumberDiff diff = DiffNumberTables(module, table_.Grid());
    // A table never filled from the module or a file does not stand for the
    // module's list: its empty rows are not removals the operator meant.
    if (table_.Origin().kind == TTableOrigin::TKind::New && diff.removed > 0) {
        const QString text = TText::tr("Список номеров GSM модуля ещё не скачан в таблицу: сохранение удалило бы из "
                                       "модуля номера, которых в таблице нет (%1). Сохранение отменено: скачайте "
                                       "список, измените его и сохраните.")
                                 .arg(diff.removed);
        op_.ShowMessage(text);
        Fail(text);
        return;
    }
    // The question says who gains and who loses access, by name where the
    // directory knows it, and which subscribers are written two ways.
    const QList<TAccessChange> access = AccessChanges(module, table_.Grid(), table_.People(), QDateTime::currentDateTime());
    if (Confirmed(diff, access)) StartWriting(diff, access, readJustNow);
}

// The question (with who gains and loses access, and the usual form offered
// for new local numbers) and, when access is lost, the warning. False when
// the operator declined (reported).
bool TNumberBlock::Confirmed(const TNumberDiff& diff, const QList<TAccessChange>& access) {
    const QString writtenTwice = SameSubscriberText(SubscribersWrittenTwice(table_.Grid(), table_.People().Country()), table_.Grid());
    QString question = TText::tr("Сохранить список номеров в GSM модуль?\r") + diff.Counts();
    if (!access.isEmpty()) question += u'\r' + AccessChangesText(access);
    if (!writtenTwice.isEmpty()) question += u'\r' + TwiceWrittenHead() + u'\r' + writtenTwice;
    // New numbers typed in a local form are offered in the module's usual
    // form; stored numbers are never rewritten (the module compares them as written).
    QList<std::pair<int, QString>> usual;
    for (const TAccessChange& c : access)
        if (c.kind == TAccessChange::TKind::Added || c.kind == TAccessChange::TKind::Expired)
            if (const auto form = UsualForm(c.number, table_.People().Country())) usual.append({c.row, *form});
    bool rewrite = false;
    const bool ask = !diff.Empty() || !writtenTwice.isEmpty();
    const bool accepted =
        !ask ? true
        : usual.isEmpty() ? op_.AskAccept(question)
                        : op_.AskAcceptWithOption(question, TText::tr("Записать новые номера в обычной форме (%1 → %2, всего %3)")
                                                                .arg(table_.Grid().Cells(TNumberTable::kNumber, usual[0].first), usual[0].second)
                                                                .arg(usual.size()),
                                                  rewrite);
    if (!accepted) {
        Decline(question);
        return false;
    }
    if (rewrite)
        for (const auto& [row, form] : usual) table_.Grid().SetCells(TNumberTable::kNumber, row, form);
    if (const int losing = LosingAccess(access); losing > 0) {
        QString warning;
        if (diff.removed > 0) {
            QStringList serials;
            for (const TNumberChange& c : diff.changes)
                if (c.after == TText::tr("(нет)") && serials.size() < 10) serials << QString::number(c.serial);
            const QString more = diff.removed > serials.size() ? QStringLiteral(" …") : QString();
            warning = TText::tr("Внимание! Сохранение удалит из GSM модуля номеров: %1 (записи %2%3)")
                          .arg(diff.removed).arg(serials.join(QStringLiteral(", ")), more);
        } else {
            warning = TText::tr("Внимание! После сохранения доступ потеряют или сократят: %1").arg(losing);
        }
        QList<TAccessChange> losers;
        for (const TAccessChange& c : access)
            if (c.LosesAccess()) losers << c;
        if (const QString warned = warning + u'\r' + AccessChangesText(losers); !op_.WarnOkCancel(warned)) {
            Decline(warned);
            return false;
        }
    }
    return true;
}

// The list's pages written, verified and recorded with what the save changes.
void TNumberBlock::StartWriting(const TNumberDiff& diff, const QList<TAccessChange>& access, bool readJustNow) {
    moduleChanged_.clear();
    conflicts_.clear();
    std::vector<std::pair<int32_t, QByteArray>> pages;
    for (int page = 1; page <= kNumberPages; ++page) {
        QByteArray bytes(kPageSize, '\0');
        EncodeNumberPage(page, reinterpret_cast<uint8_t*>(bytes.data()));
        pages.emplace_back(NumberPageAddress(page), bytes);
    }
    TPageTransfer::TWriting writing;
    // The record keeps what the save changes: the counts and the first records.
    QStringList intent{diff.Counts()};
    for (const TNumberChange& c : diff.changes.mid(0, kIntentRecords))
        intent << TText::tr("запись %1: %2 → %3").arg(c.serial).arg(c.before, c.after);
    if (diff.changes.size() > kIntentRecords) intent << QStringLiteral("…");
    // and for whom: who gains and who loses access, by name.
    if (!access.isEmpty()) intent << AccessChangesText(access, kIntentRecords).split(u'\r');
    writing.intent = intent.join(u'\n');
    writing.statusText = TText::tr("Save list");
    writing.progressLabel = TText::tr("Save number list:");
    writing.checkLabel = TText::tr("Reading number list:");
    writing.operation = Operation();
    writing.continuesTransfer = readJustNow;
    writing.holds = [this](int32_t address, const uint8_t* page) { return ModuleHolds(address, page); };
    writing.checkFirst = [this](int32_t address, const QByteArray& page) { return CheckFirst(address, page); };
    writing.checked = [this](int32_t address, const uint8_t* fresh, bool twice, QByteArray& page) {
        return Checked(address, fresh, twice, page);
    };
    writing.onFinished = [this](const std::vector<int32_t>& failed) { FinishSave(failed); };
    if (!transfer_.StartWrite(std::move(pages), std::move(writing))) Fail();
}

void TNumberBlock::KeepBase() {
    base_.clear();
    for (int page = 1; page <= kNumberPages; ++page) {
        const QByteArray* known = seq_.KnownPage(NumberPageAddress(page));
        if (!known || known->size() != kPageSize) {
            baseGeneration_ = -1;
            base_.clear();
            return;
        }
        base_[NumberPageAddress(page)] = *known;
    }
    baseGeneration_ = seq_.ModuleGeneration();
}

bool TNumberBlock::HaveBase() const { return baseGeneration_ == seq_.ModuleGeneration() && !base_.empty(); }

QByteArray TNumberBlock::TableRecord(int row) const {
    return TNumberRecord::FromRow(table_.Grid(), row).Bytes();
}

QByteArray TNumberBlock::BaseRecord(int page, int i) const {
    const QByteArray& bytes = base_.at(NumberPageAddress(page));
    return CanonicalNumberRecord(reinterpret_cast<const uint8_t*>(bytes.constData()) + kNumberRecordSize * i);
}

// A page that holds records the operator did not change is read just before
// it is written: the module may have changed them itself (an SMS adds or
// deletes a number), or the copy it was read into may have been damaged on
// the line. A page the operator changed whole needs no read.
bool TNumberBlock::CheckFirst(int32_t address, const QByteArray& page) const {
    if (!HaveBase()) return false;
    const int p = PageOf(address);
    for (int i = 0; i < 8; ++i)
        if (page.mid(kNumberRecordSize * i, kNumberRecordSize) == BaseRecord(p, i)) return true;
    return false;
}

TPageTransfer::TCheck TNumberBlock::Checked(int32_t address, const uint8_t* fresh, bool readTwice, QByteArray& area) {
    using C = TPageTransfer::TCheck;
    const int page = PageOf(address);
    bool same = true;
    for (int i = 0; i < 8; ++i)
        if (CanonicalNumberRecord(fresh + kNumberRecordSize * i) != BaseRecord(page, i)) same = false;
    if (same) return C::Write;
    // A damaged reply or a real change: two more reads that agree tell.
    if (!readTwice) return C::ReadTwice;
    // Records the module changed itself and the operator did not touch keep
    // the module's bytes; a record both changed is a conflict and the page
    // is not written.
    QStringList mine, conflicts;
    for (int i = 0; i < 8; ++i) {
        const int row = 8 * (page - 1) + 1 + i;
        const QByteArray now = CanonicalNumberRecord(fresh + kNumberRecordSize * i), was = BaseRecord(page, i);
        if (now == was) continue;
        const QByteArray table = TableRecord(row);
        if (table == was) mine << QString::number(row);
        else if (table != now) conflicts << QString::number(row);
    }
    if (!conflicts.isEmpty()) {
        conflicts_ << conflicts;
        return C::Skip;
    }
    TEditState::TLoading loading(table_.Edits());
    for (const QString& r : mine) {
        const int row = r.toInt(), i = (row - 1) % 8;
        TNumberRecord::FromBytes(fresh + kNumberRecordSize * i).ToRow(table_.Grid(), row);
        area.replace(kNumberRecordSize * i, kNumberRecordSize,
                     QByteArray(reinterpret_cast<const char*>(fresh) + kNumberRecordSize * i, kNumberRecordSize));
    }
    moduleChanged_ << mine;
    return C::Write;
}

// The module holds a page when its bytes are the ones the table encodes, or
// when they mean the same records: a free slot that the module keeps as
// 0xFF bytes is written from the table as zero bytes, and rewriting it
// changes nothing the module does.
bool TNumberBlock::ModuleHolds(int32_t address, const uint8_t* area) const {
    if (seq_.Holds(address, area)) return true;
    const QByteArray* known = seq_.KnownPage(address);
    if (!known || known->size() != kPageSize) return false;
    for (int i = 0; i < 8; ++i) {
        const uint8_t* record = reinterpret_cast<const uint8_t*>(known->constData()) + kNumberRecordSize * i;
        const uint8_t* planned = area + kNumberRecordSize * i;
        const QByteArray canonical = CanonicalNumberRecord(record);
        if (!std::equal(canonical.begin(), canonical.end(), planned)) return false;
    }
    return true;
}

void TNumberBlock::FinishSave(const std::vector<int32_t>& failed) {
    QString changedItself;
    if (!moduleChanged_.isEmpty())
        changedItself = TText::tr("\rМодуль сам изменил записи: %1 — они сохранены как в модуле")
                            .arg(moduleChanged_.join(QStringLiteral(", ")));
    if (!conflicts_.isEmpty() && failed.empty()) {
        // The rest is written and verified; these records wait for the operator.
        const QString text = TText::tr("Список номеров сохранён не полностью: GSM модуль сам изменил записи %1, "
                                            "которые изменены и в таблице; их страницы не записаны. Скачайте список и "
                                            "решите, что сохранить.\r%2")
                                 .arg(conflicts_.join(QStringLiteral(", ")), PagesWrittenText(seq_.PagesWrittenInTransfer())) +
                             changedItself;
        Fail(text);  // the outcome is kept before the operator reads it
        op_.ShowMessage(text);
        return;
    }
    if (failed.empty()) {
        // The names that came with the list (from a file) are the directory's now.
        table_.KeepPeople();
        ShowModuleList();
        table_.Edits().Set(false);
        KeepBase();
    }
    FinishVerifiedSave(op_, *this, failed, NumberPageAddress(1),
                       TText::tr("Список авторизованных номеров успешно сохранен") + changedItself,
                       seq_.PagesWrittenInTransfer());
}

// After a verified save the table shows what the module now holds: the
// records marked for deletion are gone, nothing stays struck through.
void TNumberBlock::ShowModuleList() {
    TEditState::TLoading loading(table_.Edits());
    TGridBatch batch(table_.Grid());
    for (int page = 1; page <= kNumberPages; ++page)
        if (const QByteArray* known = seq_.KnownPage(NumberPageAddress(page)); known && known->size() == kPageSize)
            DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(known->constData()), page, table_.Grid());
}

void TNumberBlock::EncodeNumberPage(int page, uint8_t* area) const { EncodeNumberPageFrom(table_.Grid(), page, area); }

} // namespace portiqa
