#include "files/config_folder.h"
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace portiqa {

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

QString ProposedFileName(const QString& prefix, const QString& extension) {
    return prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + extension;
}

} // namespace portiqa
