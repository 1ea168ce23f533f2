// backup, restore.
#include "cli/cli_commands.h"
#include "backup/backup_file.h"
#include <QFileInfo>

namespace portiqa {

int RunBackup(TCliRun& r) {
    if (int rc = r.CheckOutput(r.o.output); rc != kExitOk) return rc;
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    return r.Cli().Exchange([&] { r.S().Backup(r.o.output, r.o.port); });
}

int RunRestore(TCliRun& r) {
    // A backup that cannot be taken is refused before the port is opened.
    // Or a snapshot the record keeps: @ID, or MODULE@DATE.
    TBackupImage image;
    QString error;
    const bool snapshot = !QFileInfo::exists(r.o.input) && r.o.input.contains(u'@');
    if (snapshot) {
        if (int rc = kExitOk; !SnapshotToRestore(r, r.o.input, image, rc)) return rc;
    } else if (!TBackupFile::Read(r.o.input, image, error)) {
        return r.Refuse(kExitFile, error);
    }
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TModuleBackup::TRestoreOptions options;
    options.withPassword = r.o.withPassword;
    options.withSim = r.o.withSim;
    options.dryRun = r.o.dryRun;
    options.settings = r.o.only != QLatin1String("numbers");
    options.numbers = r.o.only != QLatin1String("settings");
    const int rc = r.Cli().Exchange([&] { r.S().Restore(image, options, r.o.input); });
    if (rc == kExitOk && options.dryRun) r.out << QString(r.S().BackupSummary()).replace(u'\r', u'\n') << "\n" << Qt::flush;
    return rc;
}

} // namespace portiqa
