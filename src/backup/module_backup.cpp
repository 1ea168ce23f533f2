#include "backup/module_backup.h"
#include "app/link_messages.h"
#include "numbers/number_diff.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include <QDateTime>

namespace portiqa {

namespace {

// Where each settings row lives: page (1 or 2), offset, length.
struct TField { int row, page, offset, length; };
const TField kFields[] = {
    {1, 1, 0, 4},     {2, 1, 4, 22},    {3, 1, 26, 1},    {4, 1, 27, 1},    {5, 1, 28, 40},
    {6, 1, 68, 40},   {7, 1, 108, 2},   {9, 1, 110, 1},   {8, 1, 111, 1},   {10, 1, 112, 4},
    {11, 1, 116, 1},  {12, 1, 117, 1},  {13, 1, 118, 40}, {14, 1, 158, 40}, {17, 1, 198, 2},
    {15, 1, 200, 2},  {16, 1, 202, 2},  {18, 1, 204, 32}, {19, 1, 236, 2},  {20, 1, 238, 16},
    {21, 1, 254, 2},  {21, 2, 0, 14},   {22, 2, 14, 16},
};

void DecodeNumbers(const std::map<int32_t, QByteArray>& pages, TStringGrid& grid) {
    for (int page = 1; page <= kNumberPages; ++page) {
        const auto it = pages.find(NumberPageAddress(page));
        if (it == pages.end() || it->second.size() != kPageSize) continue;
        for (int i = 0; i < 8; ++i)
            DecodeNumberRecord(reinterpret_cast<const uint8_t*>(it->second.constData()) + kNumberRecordSize * i, grid,
                               8 * (page - 1) + 1 + i);
    }
}

} // namespace

void TModuleBackup::Backup(const QString& path, const QString& port) {
    if (seq_.Outstanding()) {
        op_.ShowMessage(BusyMessage());
        return Done(false);
    }
    transfer_.OnFinished = [this, path, port](const std::vector<int32_t>&) {
        TBackupImage image;
        image.pages = transfer_.Pages;
        image.created = QDateTime::currentDateTime().toOffsetFromUtc(QDateTime::currentDateTime().offsetFromUtc())
                            .toString(Qt::ISODate);
        image.port = port;
        image.program = QStringLiteral("portiqa " PORTIQA_VERSION);
        QString error;
        if (!TBackupFile::Write(path, image, error)) {
            op_.ReportError(error);
            return Done(false);
        }
        op_.ShowMessage(QStringLiteral("Резервная копия сохранена: %1 (страниц: %2)").arg(path).arg(image.pages.size()));
        Done(true);
    };
    // The settings pages go back to a module by a restore: two reads must agree.
    transfer_.StartRead(TBackupFile::AllAddresses(), {SettingsPageAddress(1), SettingsPageAddress(2)},
                        QStringLiteral("Backup"));
}

void TModuleBackup::Restore(const TBackupImage& image, TRestoreOptions options) {
    if (seq_.Outstanding()) {
        op_.ShowMessage(BusyMessage());
        return Done(false);
    }
    image_ = image;
    std::vector<int32_t> read{SettingsPageAddress(1), SettingsPageAddress(2)};
    for (int p = 1; p <= kNumberPages; ++p) read.push_back(NumberPageAddress(p));
    transfer_.OnFinished = [this, options](const std::vector<int32_t>&) {
        target_ = transfer_.Pages;
        bool withPassword = options.withPassword;
        Summary = Describe(withPassword);
        if (options.dryRun) {
            op_.ShowMessage(Summary);
            return Done(true);
        }
        if (!op_.AskAcceptWithOption(Summary + QStringLiteral("\rЗаписать в GSM модуль?"),
                                     QStringLiteral("Записать и пароль из резервной копии"), withPassword)) {
            op_.ShowMessage(QStringLiteral("Восстановление отменено: ничего не записано"));
            return Done(false);
        }
        Summary = Describe(withPassword);
        transfer_.OnFinished = [this](const std::vector<int32_t>& failed) {
            if (!failed.empty()) {
                std::vector<int> pages;
                for (int32_t a : failed) pages.push_back(a < kNumbersBase ? a / kPageSize + 1 : (a - kNumbersBase) / kPageSize + 1);
                op_.ShowMessage(VerificationFailedText(pages));
                return Done(false);
            }
            op_.ShowMessage(QStringLiteral("Восстановление завершено. ") + PagesWrittenText(transfer_.PagesWritten()) +
                            QStringLiteral("\rИстория событий не записывается. Прочитайте настройки и номера заново, "
                                           "чтобы увидеть их в окне"));
            Done(true);
        };
        transfer_.StartWrite(Plan(withPassword), QStringLiteral("Restore"));
    };
    transfer_.StartRead(read, {SettingsPageAddress(1), SettingsPageAddress(2)}, QStringLiteral("Reading the module"));
}

std::vector<std::pair<int32_t, QByteArray>> TModuleBackup::Plan(bool withPassword) const {
    std::vector<std::pair<int32_t, QByteArray>> plan;
    std::vector<int32_t> addresses{SettingsPageAddress(1), SettingsPageAddress(2)};
    for (int p = 1; p <= kNumberPages; ++p) addresses.push_back(NumberPageAddress(p));
    for (int32_t a : addresses) {
        QByteArray page = image_.pages.at(a);
        // The target keeps its own password (bytes 0-3 of settings page 1)
        // unless the operator asks for the backup's.
        if (a == SettingsPageAddress(1) && !withPassword) {
            const auto t = target_.find(a);
            if (t != target_.end() && t->second.size() == kPageSize) page.replace(0, 4, t->second.left(4));
        }
        plan.emplace_back(a, page);
    }
    return plan;
}

QString TModuleBackup::Describe(bool withPassword) const {
    const auto plan = Plan(withPassword);
    std::map<int32_t, QByteArray> planned(plan.begin(), plan.end());
    QStringList rows;
    for (const TField& f : kFields) {
        const int32_t a = SettingsPageAddress(f.page);
        const auto t = target_.find(a);
        const QByteArray now = t == target_.end() ? QByteArray() : t->second.mid(f.offset, f.length);
        if (now != planned[a].mid(f.offset, f.length) && !rows.contains(QString::number(f.row)))
            rows << QString::number(f.row);
    }
    TStringGrid before(TNumberTable::kCols, TNumberTable::kRecords + 1), after(TNumberTable::kCols, TNumberTable::kRecords + 1);
    DecodeNumbers(target_, before);
    DecodeNumbers(planned, after);
    const TNumberDiff diff = DiffNumberTables(before, after);
    QString text = QStringLiteral("Восстановление из резервной копии от %1\r").arg(image_.created);
    text += rows.isEmpty() ? QStringLiteral("Настройки: без изменений\r")
                           : QStringLiteral("Настройки: изменятся строки %1\r").arg(rows.join(QStringLiteral(", ")));
    text += withPassword ? QStringLiteral("Пароль: будет записан пароль из резервной копии\r")
                         : QStringLiteral("Пароль: остаётся пароль этого модуля\r");
    text += QStringLiteral("Номера: ") + diff.Counts() + u'\r';
    text += QStringLiteral("История событий не записывается");
    return text;
}

} // namespace portiqa
