// The operations a front end starts: each through the block or command that
// carries it, and each ends in the session's one outcome.
#include "session/session.h"
#include "base/texts.h"
#include "link/link_messages.h"

namespace portiqa {

void TSession::Login(std::function<QString()> typedPassword) {
    password.TypedPasswordSource = std::move(typedPassword);
    password.StartCheck();
}

void TSession::ReadSettings(TAsk ask) {
    switch (ask) {
    case TAsk::First: return settingsBlock.ReadAfterQuestion();
    case TAsk::Asked: return settingsBlock.ReadWithoutQuestion();
    case TAsk::Quietly: return settingsBlock.ReadQuietly();
    }
}

void TSession::DownloadNumbers(TAsk ask) {
    switch (ask) {
    case TAsk::First: return numberBlock.DownloadAfterQuestion();
    case TAsk::Asked: return numberBlock.DownloadWithoutQuestion();
    case TAsk::Quietly: return numberBlock.DownloadQuietly();
    }
}

void TSession::DownloadHistory() { historyBlock.Download(); }

void TSession::DeleteHistory() { historyBlock.DeleteAfterQuestion(); }

// A command refused while another reply is owed says so.
bool TSession::Send(const TModuleCommand& command, TReplyHandler onBytes) {
    TSingleCommand single(seq, command);
    // A reply of bytes is the caller's, and ends the command; a status reply
    // is the receiver's to report.
    single.OnReply = [this, onBytes = std::move(onBytes)](const TReply& reply) {
        if (onBytes) onBytes(reply);
        Finish(TOperation::Command, TOutcome::TKind::Done);
    };
    single.BeforeSend = [this, &single](uint8_t) { return MayChangeModule(single.Change()); };
    if (single.Send()) return true;
    op.ShowMessage(BusyMessage());
    return false;
}

void TSession::Backup(const QString& path, const QString& port) { backup.Backup(path, port); }

void TSession::Cancel() { receiver.CancelTransfer(); }

bool TSession::Busy() const { return seq.Outstanding(); }

void TSession::SetVerifyAfterSave(bool on) { seq.verifyAfterSave = on; }

const QByteArray* TSession::KnownPage(int32_t address) const { return seq.KnownPage(address); }

bool TSession::KnownSettings(TSettingsTable& out) const { return KnownModuleSettings(seq, out); }

QByteArray TSession::SettingsPagesOfTable() const {
    QByteArray pages(2 * kPageSize, char(0xFF));
    for (int p = 1; p <= 2; ++p)
        EncodeSettingsPageTo(p, settingsTable, reinterpret_cast<uint8_t*>(pages.data() + (p - 1) * kPageSize));
    return pages;
}

QByteArray TSession::NumberPagesOfTable() const {
    QByteArray pages(kNumberPages * kPageSize, '\0');
    for (int p = 1; p <= kNumberPages; ++p)
        numberBlock.EncodeNumberPage(p, reinterpret_cast<uint8_t*>(pages.data() + (p - 1) * kPageSize));
    return pages;
}

bool TSession::MaySaveTable(const TTableOrigin& o, TOperation operation, const QString& question) {
    if (RefusedWhileBusy(seq, op)) return false;
    writeFile_ = o.kind == TTableOrigin::TKind::File ? o.file : QString();
    if (const auto refused = RefuseWrite(o.module, o.kind == TTableOrigin::TKind::Module, question)) {
        Finish(operation, *refused);
        return false;
    }
    return true;
}

void TSession::SaveSettings(bool replaceIdentity) {
    const TTableOrigin& o = settingsTable.Origin();
    if (!MaySaveTable(o, TOperation::Settings, TText::tr("Настройки прочитаны из модуля %1, записать их в модуль %2?")))
        return;
    // A profile or another module's settings: this module's password and SIM
    // number are offered apart, kept by default.
    settingsBlock.SetTableFromElsewhere(o.kind == TTableOrigin::TKind::File ||
                                        (o.kind == TTableOrigin::TKind::Module && !SameModule(o.module, *module_)),
                                        replaceIdentity);
    settingsBlock.Save();
}

void TSession::SaveNumbers() {
    if (MaySaveTable(numberTable.Origin(), TOperation::Numbers,
                     TText::tr("Список номеров прочитан из модуля %1, записать его в модуль %2?")))
        numberBlock.Save();
}

void TSession::Restore(const TBackupImage& image, TModuleBackup::TRestoreOptions options, const QString& file) {
    if (RefusedWhileBusy(seq, op)) return;
    writeFile_ = file;
    // The backup names its module by the SIM number in its settings page; a
    // dry run writes nothing and asks nothing.
    TModuleIdentity source;
    if (const auto it = image.pages.find(SettingsPageAddress(1)); it != image.pages.end())
        source.simNumber = SimNumberOfSettingsPage(it->second);
    else
        source.simNumber = image.simNumber;
    if (const auto refused =
            RefuseWrite(source, !options.dryRun, TText::tr("Резервная копия снята с модуля %1, записать её в модуль %2?")))
        return Finish(TOperation::Memory, *refused);
    backup.Restore(image, options);
}

} // namespace portiqa
