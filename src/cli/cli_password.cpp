#include "cli/cli_options.h"
#include "base/texts.h"
#include "files/file_replace.h"
#include <QFile>
#include <QProcessEnvironment>

namespace portiqa {

bool FourDigits(const QString& s) {
    if (s.size() != 4) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The password: -P (visible to every user of the machine in the process
// list), --password-file, or PORTIQA_PASSWORD; pin is left as it is when
// none is given.
bool ReadPassword(const std::optional<QString>& option, const std::optional<QString>& file, QString& pin, QString& usage) {
    if (option && file) {
        usage = TText::tr("give the password either with -P or with --password-file");
        return false;
    }
    if (option) {
        pin = *option;
    } else if (file) {
        QString error;
        QFile f(*file);
        if (!IsRegularFile(f.fileName(), error) || f.size() > 1024 || !f.open(QIODevice::ReadOnly)) {
            usage = TText::tr("--password-file: cannot read %1").arg(f.fileName());
            return false;
        }
        pin = QString::fromUtf8(f.readAll()).section(u'\n', 0, 0).trimmed();
    } else if (const QString env = QProcessEnvironment::systemEnvironment().value(QStringLiteral("PORTIQA_PASSWORD"));
               !env.isEmpty()) {
        pin = env;
    }
    return true;
}

} // namespace portiqa
