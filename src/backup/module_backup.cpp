#include "backup/module_backup.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "numbers/access_changes.h"
#include "numbers/number_diff.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include "settings/settings_block.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"
#include <QDateTime>
#include <array>

namespace portiqa {

namespace {

void DecodeNumbers(const std::map<int32_t, QByteArray>& pages, TStringGrid& grid) {
    for (int page = 1; page <= kNumberPages; ++page) {
        const auto it = pages.find(NumberPageAddress(page));
        if (it == pages.end() || it->second.size() != kPageSize) continue;
        DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(it->second.constData()), page, grid);
    }
}

} // namespace

void TModuleBackup::Backup(const QString& path, const QString& port) {
    // Refused while another operation runs: that one's end is still to come.
    if (RefusedWhileBusy(seq_, op_)) return;
    auto backedUp = [this, path, port](const std::vector<int32_t>&) {
        TBackupImage image;
        image.pages = transfer_.Pages;
        image.created = QDateTime::currentDateTime().toOffsetFromUtc(QDateTime::currentDateTime().offsetFromUtc())
                            .toString(Qt::ISODate);
        image.port = port;
        image.program = QStringLiteral("portiqa " PORTIQA_VERSION);
        QString error;
        if (!TBackupFile::Write(path, image, error)) {
            op_.ReportError(error);
            return Fail(error);
        }
        Finish(TOutcome::TKind::Done, TText::tr("Резервная копия сохранена: %1 (страниц: %2)").arg(path).arg(image.pages.size()));
    };
    // Every page may go back to a module by a restore, and two bits flipped
    // in the same place of two bytes pass the frame's check: every page is
    // read twice, and copies that differ are read again.
    const std::vector<int32_t> all = TBackupFile::AllAddresses();
    transfer_.StartRead(all, std::set<int32_t>(all.begin(), all.end()), TText::tr("Backup"), std::move(backedUp));
}

void TModuleBackup::Restore(const TBackupImage& image, TRestoreOptions options) {
    // Refused while another operation runs: that one's end is still to come.
    if (RefusedWhileBusy(seq_, op_)) return;
    image_ = image;
    withSim_ = options.withSim;
    settingsArea_ = options.settings;
    numbersArea_ = options.numbers;
    std::vector<int32_t> read{SettingsPageAddress(1), SettingsPageAddress(2)};
    for (int p = 1; p <= kNumberPages; ++p) read.push_back(NumberPageAddress(p));
    auto targetRead = [this, options](const std::vector<int32_t>&) {
        target_ = transfer_.Pages;
        // An area not restored is planned as the module holds it: nothing of it changes.
        for (const auto& [address, page] : target_) {
            const bool settingsPage = address == SettingsPageAddress(1) || address == SettingsPageAddress(2);
            if (settingsPage ? !settingsArea_ : !numbersArea_) image_.pages[address] = page;
        }
        bool withPassword = options.withPassword;
        // The backup's settings obey the rules every other source obeys;
        // what equals the target's value is carried as it is.
        QString refused = CheckPlannedSettings(withPassword);
        if (refused.isEmpty()) refused = CheckPlannedNumbers();
        if (!refused.isEmpty()) {
            return Finish(TOutcome::TKind::RefusedByRules, TText::tr("Восстановление отменено: ничего не записано. ") + refused);
        }
        Summary = Describe(withPassword);
        if (options.dryRun) {
            return Finish(TOutcome::TKind::Done, Summary);
        }
        if (!op_.AskAcceptWithOption(Summary + TText::tr("\rЗаписать в GSM модуль?"),
                                     TText::tr("Записать и пароль из резервной копии"), withPassword)) {
            return Finish(TOutcome::TKind::Cancelled, TText::tr("Восстановление отменено: ничего не записано"));
        }
        if (const QString problem = CheckPlannedSettings(withPassword); !problem.isEmpty()) {
            return Finish(TOutcome::TKind::RefusedByRules, TText::tr("Восстановление отменено: ничего не записано. ") + problem);
        }
        Summary = Describe(withPassword);
        withPassword_ = withPassword;
        RestoreWrite(Plan(withPassword));
    };
    transfer_.StartRead(read, {SettingsPageAddress(1), SettingsPageAddress(2)}, TText::tr("Reading the module"),
                        std::move(targetRead));
}

// Each step below starts the next transfer with its own completion; nothing
// runs after that in the completion that called it.
void TModuleBackup::RestoreWrite(std::vector<std::pair<int32_t, QByteArray>> plan) {
    plan_ = std::move(plan);
    if (!transfer_.StartWrite(plan_, TText::tr("Restore"), Summary,
                              [this](const std::vector<int32_t>& failed) { RestoreWritten(failed); }))
        Finish(TOutcome::TKind::Failed);
}

void TModuleBackup::RestoreWritten(const std::vector<int32_t>& failed) {
    written_ = transfer_.PagesWritten();
    if (!failed.empty()) {
        std::vector<int> pages;
        for (int32_t a : failed) pages.push_back(a < kNumbersBase ? a / kPageSize + 1 : (a - kNumbersBase) / kPageSize + 1);
        return Finish(TOutcome::TKind::Failed, VerificationFailedText(pages) + TText::tr("\rЗаписано страниц: %1").arg(written_));
    }
    // The pages left out were the target's as read before the writing:
    // read them again, the module may have changed them meanwhile.
    std::vector<int32_t> rest;
    for (const auto& [a, bytes] : plan_)
        if (!transfer_.Sent.count(a)) rest.push_back(a);
    TPageTransfer::TReading check{TText::tr("Restore check"), TText::tr("Reading pages:"), TOperation::Memory, {}, true, {},
                                  [this](const std::vector<int32_t>&) { RestoreChecked(); }};
    check.continuesTransfer = true;  // the outcome counts the pages this restore wrote
    transfer_.StartRead(rest, {}, std::move(check));
}

void TModuleBackup::RestoreChecked() {
    QStringList differ;
    for (const auto& [a, bytes] : plan_) {
        const auto it = transfer_.Pages.find(a);
        if (it != transfer_.Pages.end() && it->second != bytes) differ << QStringLiteral("0x%1").arg(a, 5, 16, QChar('0'));
    }
    if (!differ.isEmpty()) {
        return Finish(TOutcome::TKind::Failed, TText::tr("Восстановление не завершено: GSM модуль отличается от резервной копии на "
                                       "страницах %1 (модуль изменил их во время восстановления). Записано "
                                       "страниц: %2, все записанные проверены. Повторите восстановление")
                            .arg(differ.mid(0, 10).join(QStringLiteral(", ")))
                            .arg(written_));
    }
    // What was kept as the module held it, by choice: the module then
    // matches the backup only where it was written.
    QStringList kept;
    if (!settingsArea_) kept << TText::tr("настройки");
    if (settingsArea_ && !withPassword_) kept << TText::tr("пароль");
    if (settingsArea_ && !withSim_) kept << TText::tr("номер SIM");
    if (!numbersArea_) kept << TText::tr("номера пользователей");
    const QString match = kept.isEmpty()
                              ? TText::tr("; модуль совпадает с резервной копией")
                              : TText::tr("; записанное совпадает с резервной копией, оставлены как в модуле: %1")
                                    .arg(kept.join(QStringLiteral(", ")));
    Finish(TOutcome::TKind::Done, TText::tr("Восстановление завершено. ") + PagesWrittenText(written_) +
                                      TText::tr(", все записанные проверены") + match +
                                      TText::tr("\rИстория событий не записывается"));
}

// The backup's number records obey the rules a save obeys; a record equal to
// the target's is carried as it is.
QString TModuleBackup::CheckPlannedNumbers() const {
    if (!numbersArea_) return {};  // the module's own numbers stay
    TNumberTable planned;
    for (int page = 1; page <= kNumberPages; ++page) {
        const QByteArray& bytes = image_.pages.at(NumberPageAddress(page));
        const auto held = target_.find(NumberPageAddress(page));
        for (int i = 0; i < 8; ++i) {
            const int row = 8 * (page - 1) + 1 + i;
            if (row > TNumberTable::kRecords) break;
            const QByteArray record = bytes.mid(kNumberRecordSize * i, kNumberRecordSize);
            if (held != target_.end() && held->second.mid(kNumberRecordSize * i, kNumberRecordSize) == record) continue;
            const auto* b = reinterpret_cast<const uint8_t*>(record.constData());
            TNumberRecord::FromBytes(b).ToRow(planned.Grid(), row);
            // The number's bytes are "+" and digits ended by 0x00, or a free slot.
            const qsizetype digits = planned.Grid().Cells(TNumberTable::kNumber, row).size();
            const bool free = digits == 0 && (b[0] == 0xFF || b[0] == 0x00);
            if (!free && digits < number_layout::kNumberWidth && b[number_layout::kNumber + digits] != 0x00)
                return TText::tr("Запись %1: в копии байты, которые не являются номером телефона").arg(row);
            if (const QString why = planned.RecordProblem(row); !why.isEmpty())
                return TText::tr("Запись %1: %2").arg(row).arg(why);
        }
    }
    return {};
}

QString TModuleBackup::CheckPlannedSettings(bool withPassword) const {
    if (!settingsArea_) return {};  // the module's own settings stay
    const auto plan = Plan(withPassword);
    const std::map<int32_t, QByteArray> planned(plan.begin(), plan.end());
    const QByteArray p1 = planned.at(SettingsPageAddress(1)), p2 = planned.at(SettingsPageAddress(2));
    TSettingsTable after, before;
    DecodeSettingsPages(p1, p2, after);
    const auto t1 = target_.find(SettingsPageAddress(1)), t2 = target_.find(SettingsPageAddress(2));
    const bool haveTarget =
        t1 != target_.end() && t2 != target_.end() && DecodeSettingsPages(t1->second, t2->second, before);
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
        if (TSettingsTable::IsSelectionRow(row)) continue;  // a byte no item names is carried as it is
        // The row's fields (the relay time has two copies).
        std::vector<const TSettingsField*> fields;
        for (const TSettingsField& f : kSettingsLayout)
            if (f.row == row) fields.push_back(&f);
        auto bytesOf = [](const QByteArray& page, const TSettingsField* f) { return page.mid(f->offset, f->width); };
        // Bytes equal to the target's change nothing and pass as they are.
        if (haveTarget) {
            bool same = true;
            for (const TSettingsField* f : fields)
                same = same && bytesOf(f->page == 1 ? t1->second : t2->second, f) == bytesOf(f->page == 1 ? p1 : p2, f);
            if (same) continue;
        }
        const QString held = before.Value(row);
        if (QString problem = CheckSettingsValue(row, after.Value(row), haveTarget ? &held : nullptr); !problem.isEmpty())
            return problem;
        // The rules judged the value as it reads; the bytes written must be
        // that value as the program writes it (a SIM number "ABC;…" reads as
        // an empty one, a relay time's two copies may disagree).
        std::array<uint8_t, kPageSize> encoded1{}, encoded2{};
        EncodeSettingsPage1To(after, encoded1.data());
        EncodeSettingsPage2To(after, encoded2.data());
        for (const TSettingsField* f : fields) {
            const uint8_t* encoded = f->page == 1 ? encoded1.data() : encoded2.data();
            const QByteArray mine(reinterpret_cast<const char*>(encoded) + f->offset, f->width);
            const QByteArray theirs = bytesOf(f->page == 1 ? p1 : p2, f);
            const bool textual = f->kind == TFieldKind::Digits || f->kind == TFieldKind::Text;
            const qsizetype end = textual && mine.indexOf('\0') >= 0 ? mine.indexOf('\0') + 1 : mine.size();
            if (mine.left(end) != theirs.left(end))
                return TText::tr("Строка %1: в копии байты, которые не являются допустимым значением этой строки").arg(row);
        }
    }
    return {};
}

std::vector<std::pair<int32_t, QByteArray>> TModuleBackup::Plan(bool withPassword) const {
    std::vector<std::pair<int32_t, QByteArray>> plan;
    std::vector<int32_t> addresses{SettingsPageAddress(1), SettingsPageAddress(2)};
    for (int p = 1; p <= kNumberPages; ++p) addresses.push_back(NumberPageAddress(p));
    for (int32_t a : addresses) {
        const bool settingsPage = a == SettingsPageAddress(1) || a == SettingsPageAddress(2);
        if (settingsPage ? !settingsArea_ : !numbersArea_) continue;
        QByteArray page = image_.pages.at(a);
        // The target keeps its own password (bytes 0-3 of settings page 1)
        // unless the operator asks for the backup's.
        if (a == SettingsPageAddress(1) && !withPassword) {
            const auto t = target_.find(a);
            if (t != target_.end() && t->second.size() == kPageSize) page.replace(0, 4, t->second.left(4));
        }
        // And its own SIM number: a clone is another module with the same
        // list, not a second module of the same name.
        if (const TSettingsField* sim = SettingsFieldOf(kSimNumberRow); sim && !withSim_ && a == SettingsPageAddress(sim->page)) {
            const auto t = target_.find(a);
            if (t != target_.end() && t->second.size() == kPageSize)
                page.replace(sim->offset, sim->width, t->second.mid(sim->offset, sim->width));
        }
        plan.emplace_back(a, page);
    }
    return plan;
}

QString TModuleBackup::Describe(bool withPassword) const {
    const auto plan = Plan(withPassword);
    std::map<int32_t, QByteArray> planned(plan.begin(), plan.end());
    planned.insert(target_.begin(), target_.end());  // an area not restored stays as the module holds it
    // Settings: each shown row that changes, "строка N: было → станет";
    // then the bytes no shown row owns, when they differ.
    QStringList rows;
    bool hiddenDiffer = false, reservedDiffer = false;
    const auto t1 = target_.find(SettingsPageAddress(1)), t2 = target_.find(SettingsPageAddress(2));
    const QByteArray& p1 = planned[SettingsPageAddress(1)];
    const QByteArray& p2 = planned[SettingsPageAddress(2)];
    TSettingsTable was, becomes;
    if (t1 != target_.end() && t2 != target_.end() && DecodeSettingsPages(t1->second, t2->second, was) &&
        DecodeSettingsPages(p1, p2, becomes)) {
        rows = SettingsChanges(was, becomes);
        for (int page = 1; page <= 2; ++page) {
            const QByteArray& now = page == 1 ? t1->second : t2->second;
            const QByteArray& then = page == 1 ? p1 : p2;
            for (int i = 0; i < kPageSize; ++i) {
                if (now[i] == then[i]) continue;
                const TSettingsField* owner = nullptr;
                for (const TSettingsField& f : kSettingsLayout)
                    if (f.page == page && i >= f.offset && i < f.offset + f.width) owner = &f;
                if (!owner) reservedDiffer = true;
                else if (owner->kind == TFieldKind::Carried) hiddenDiffer = true;
                else if (rows.isEmpty()) hiddenDiffer = true;  // a shown row's bytes that read the same
            }
        }
    }
    TStringGrid before(TNumberTable::kCols, TNumberTable::kRecords + 1), after(TNumberTable::kCols, TNumberTable::kRecords + 1);
    DecodeNumbers(target_, before);
    DecodeNumbers(planned, after);
    const TNumberDiff diff = DiffNumberTables(before, after);
    QString text = TText::tr("Восстановление из резервной копии от %1\r").arg(image_.created);
    if (!settingsArea_) text += TText::tr("Настройки: не восстанавливаются, остаются как в модуле\r");
    else if (rows.isEmpty() && !hiddenDiffer && !reservedDiffer) text += TText::tr("Настройки: без изменений\r");
    else if (rows.isEmpty()) text += TText::tr("Настройки: видимые строки не изменятся\r");
    else text += TText::tr("Настройки:\r") + rows.join(u'\r') + u'\r';
    if (hiddenDiffer)
        text += TText::tr("Изменятся служебные значения настроек (в окне не показываются)\r");
    if (reservedDiffer) text += TText::tr("Изменятся резервные байты страниц настроек\r");
    if (settingsArea_) {
        text += withPassword ? TText::tr("Пароль: будет записан пароль из резервной копии\r")
                             : TText::tr("Пароль: остаётся пароль этого модуля\r");
        text += withSim_ ? TText::tr("Номер SIM: будет записан номер из резервной копии\r")
                         : TText::tr("Номер SIM: остаётся номер этого модуля\r");
    }
    if (!numbersArea_) {
        text += TText::tr("Номера: не восстанавливаются, остаются как в модуле\r");
    } else {
        text += TText::tr("Номера: ") + diff.Counts() + u'\r';
        // Who gains and who loses access, as a save of the numbers shows it.
        const TPeople nobody;
        if (const QList<TAccessChange> access = AccessChanges(before, after, nobody, QDateTime::currentDateTime()); !access.isEmpty())
            text += AccessChangesText(access) + u'\r';
    }
    text += TText::tr("История событий не записывается");
    return text;
}

} // namespace portiqa
