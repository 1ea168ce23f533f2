#include "link/net_address.h"
#include "base/texts.h"
#include <QStringList>

namespace portiqa {

namespace {
constexpr QLatin1StringView kRaw("socket://"), kTelnet("rfc2217://");
}

bool TNetAddress::LooksLike(const QString& name) {
    const QString n = name.trimmed();
    return n.startsWith(kRaw, Qt::CaseInsensitive) || n.startsWith(kTelnet, Qt::CaseInsensitive) ||
           n.contains(QLatin1StringView("://"));
}

bool TNetAddress::Parse(const QString& name, TNetAddress& out, QString& why) {
    const QString n = name.trimmed();
    QString rest;
    if (n.startsWith(kRaw, Qt::CaseInsensitive)) {
        out.kind = TKind::Raw;
        rest = n.mid(kRaw.size());
    } else if (n.startsWith(kTelnet, Qt::CaseInsensitive)) {
        out.kind = TKind::Rfc2217;
        rest = n.mid(kTelnet.size());
    } else {
        why = TText::tr("'%1' is not an address: write socket://HOST:PORT or rfc2217://HOST:PORT").arg(n);
        return false;
    }
    if (rest.endsWith(u'/')) rest.chop(1);
    const qsizetype colon = rest.lastIndexOf(u':');
    QString host = colon < 0 ? QString() : rest.left(colon);
    const QString portText = colon < 0 ? QString() : rest.mid(colon + 1);
    if (host.startsWith(u'[') && host.endsWith(u']')) host = host.mid(1, host.size() - 2);
    else if (host.contains(u':')) host.clear();  // an IPv6 address goes in brackets
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    static const QString kHostChars = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789.-_:");
    bool hostOk = !host.isEmpty() && host.size() <= 253;
    for (const QChar c : host) hostOk = hostOk && kHostChars.contains(c.toLower());
    if (!hostOk || !ok || port == 0 || port > 65535 || portText.startsWith(u'+')) {
        why = TText::tr("'%1' is not an address: write socket://HOST:PORT or rfc2217://HOST:PORT").arg(n);
        return false;
    }
    out.host = host;
    out.port = uint16_t(port);
    return true;
}

bool TNetAddress::IsLoopback() const {
    QString h = host.toLower();
    if (h == QLatin1StringView("localhost") || h == QLatin1StringView("localhost.") || h == QLatin1StringView("::1"))
        return true;
    if (h.startsWith(QLatin1StringView("::ffff:"))) h = h.mid(7);
    // 127.0.0.0/8 written out in four decimal parts.
    const QStringList parts = h.split(u'.');
    if (parts.size() != 4) return false;
    for (const QString& part : parts) {
        bool ok = false;
        if (part.isEmpty() || part.size() > 3 || part.toUInt(&ok) > 255 || !ok) return false;
    }
    return parts[0].toUInt() == 127;
}

QString TNetAddress::ToString() const {
    const QString h = host.contains(u':') ? u'[' + host + u']' : host;
    return (kind == TKind::Raw ? QString(kRaw) : QString(kTelnet)) + h + u':' + QString::number(port);
}

} // namespace portiqa
