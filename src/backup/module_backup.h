#pragma once
#include "base/operator.h"
#include "backup/backup_file.h"
#include "link/page_transfer.h"
#include <functional>
#include <set>

namespace portiqa {

// Whole-module backup and restore (and so cloning: restore into another
// module). Backup reads every page the module has; restore writes the
// settings and number pages of a backup (never the history), after showing
// what will change and asking, and reads back what it wrote.
// Each ends once (OnEnded) under the operation Memory.
class TModuleBackup : public TPageBlock {
public:
    TModuleBackup(TRequestSequence& seq, TPageTransfer& transfer, IOperator& op)
        : TPageBlock(transfer, TOperation::Memory), seq_(seq), transfer_(transfer), op_(op) {}

    // Reads the whole memory; the file is written only when every page came.
    void Backup(const QString& path, const QString& port);

    struct TRestoreOptions {
        bool withPassword = false;  // the password is part of the settings page: kept unless asked
        bool withSim = false;       // so is the SIM number, the module's name in the record
        bool dryRun = false;        // show the change only
        // Which areas are written: both, or the settings or the numbers
        // alone (the other is left as the module holds it, byte for byte).
        bool settings = true, numbers = true;
    };
    // Reads the target's settings and numbers, shows the change, asks, writes.
    void Restore(const TBackupImage& image, TRestoreOptions options);
    // What the last restore changes (or would change), as shown to the operator.
    QString Summary;

private:
    // Shows the words (when there are any) and ends the operation.
    void Finish(TOutcome::TKind kind, const QString& words = QString()) {
        if (!words.isEmpty()) op_.ShowMessage(words);
        End(kind, words);
    }
    std::vector<std::pair<int32_t, QByteArray>> Plan(bool withPassword) const;
    QString Describe(bool withPassword) const;
    QString CheckPlannedSettings(bool withPassword) const;
    QString CheckPlannedNumbers() const;
    void RestoreWrite(std::vector<std::pair<int32_t, QByteArray>> plan);
    void RestoreWritten(const std::vector<int32_t>& failed);
    void RestoreChecked();
    bool withSim_ = false, withPassword_ = false;
    bool settingsArea_ = true, numbersArea_ = true;

    TRequestSequence& seq_;
    TPageTransfer& transfer_;
    IOperator& op_;
    TBackupImage image_;
    std::map<int32_t, QByteArray> target_;
    std::vector<std::pair<int32_t, QByteArray>> plan_;
    int written_ = 0;
};

} // namespace portiqa
