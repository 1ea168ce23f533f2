#include "files/config_folder.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace portiqa {

QString ConfigurationFolder(const QString& programDir) {
    const QString beside = QDir(programDir).filePath(QStringLiteral("configuration"));
    if (QDir().mkpath(beside) && QFileInfo(beside).isWritable()) return beside;
    const QString user = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                             .filePath(QStringLiteral("configuration"));
    QDir().mkpath(user);
    return user;
}

QString ProposedFileName(const QString& prefix, const QString& extension) {
    return prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + extension;
}

} // namespace portiqa
