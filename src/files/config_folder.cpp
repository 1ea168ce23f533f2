#include "files/config_folder.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace portiqa {

QString ConfigurationFolder(const QString& programDir) {
#ifdef _WIN32
    // Windows keeps a user's files under AppData, never beside the program.
    Q_UNUSED(programDir);
#else
    const QString beside = QDir(programDir).filePath(QStringLiteral("configuration"));
    if (QDir().mkpath(beside) && QFileInfo(beside).isWritable()) return beside;
#endif
    const QString user = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                             .filePath(QStringLiteral("configuration"));
    QDir().mkpath(user);
    return user;
}

QString ProposedFileName(const QString& prefix, const QString& extension) {
    return prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + extension;
}

} // namespace portiqa
