#include "record/record.h"
#include "base/texts.h"
#include <QRegularExpression>

namespace portiqa {

// A record is a file (a path, or sqlite://) or a team's PostgreSQL server
// (postgresql:// or postgres://, in any letter case). Anything else that
// names a scheme is a mistyped address, never a file named after it: a word
// and a colon, a path whose first folder is a scheme's name
// ("postgresql//x@/y", the colon forgotten), or a word followed by "//". One
// letter and a colon is a Windows drive, not a scheme.
TRecord::TLocationKind TRecord::KindOfLocation(const QString& location, QString& error) {
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):(//)?"));
    static const QRegularExpression schemeLike(
        QStringLiteral("^(?:(?:postgresql|postgres|sqlite|file)(?:[/\\\\]|$)|[A-Za-z][A-Za-z0-9+.-]*//)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = scheme.match(location);
    if (!m.hasMatch() && !schemeLike.match(location).hasMatch()) return TLocationKind::File;
    const QString name = m.captured(1).toLower();
    const bool slashes = !m.captured(2).isEmpty();
    if (slashes && (name == QLatin1String("postgresql") || name == QLatin1String("postgres"))) return TLocationKind::Server;
    if (slashes && name == QLatin1String("sqlite")) return TLocationKind::File;
    error = TText::tr("адрес журнала %1 не понят: укажите путь к файлу, sqlite:///путь или "
                      "postgresql://пользователь@сервер/база").arg(location);
    return TLocationKind::Wrong;
}

} // namespace portiqa
