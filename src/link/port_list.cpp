#include "link/port_list.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace portiqa {

namespace {

// A sysfs attribute's first line (bounded); ids are compared in lower case,
// a serial number is kept as the device gives it.
QString ReadLine(const QString& path, bool lower = true) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString line = QString::fromLatin1(f.readLine(128)).trimmed();
    return lower ? line.toLower() : line;
}

// The USB device sits a few levels above the tty's device link; its
// idVendor/idProduct are read from sysfs, which works without udev.
void FindUsbIds(const QString& deviceDir, TPortInfo& info) {
    QString dir = QFileInfo(deviceDir).canonicalFilePath();
    for (int level = 0; level < 4 && !dir.isEmpty() && dir != QStringLiteral("/"); ++level) {
        const QString vendor = ReadLine(dir + QStringLiteral("/idVendor"));
        if (!vendor.isEmpty()) {
            info.vendorId = vendor;
            info.productId = ReadLine(dir + QStringLiteral("/idProduct"));
            info.serial = ReadLine(dir + QStringLiteral("/serial"), false);
            return;
        }
        dir = QFileInfo(dir).path();
    }
}

// Name order with numbers compared by value: ttyUSB2 before ttyUSB10.
bool NaturalLess(const QString& a, const QString& b) {
    auto split = [](const QString& s) {
        qsizetype i = s.size();
        while (i > 0 && s[i - 1].isDigit()) --i;
        return std::pair<QString, qlonglong>(s.left(i), s.mid(i).toLongLong());
    };
    const auto [pa, na] = split(a);
    const auto [pb, nb] = split(b);
    if (pa != pb) return pa < pb;
    if (na != nb) return na < nb;
    return a < b;
}

int Rank(const TPortInfo& p) {
    if (p.vendorId == QLatin1String("10c4") && p.productId == QLatin1String("ea60")) return 0;
    if (!p.vendorId.isEmpty()) return 1;
    return 2;
}

} // namespace

QList<TPortInfo> Trecognitionserial::Scan() const {
    QList<TPortInfo> ports;
    const QDir root(sysfsRoot_);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QString base = root.filePath(name);
        if (!QFileInfo::exists(base + QStringLiteral("/device"))) continue;  // virtual terminals
        // Legacy UART slots that have no hardware behind them report type 0.
        const QString type = ReadLine(base + QStringLiteral("/type"));
        if (name.startsWith(QLatin1String("ttyS")) && (type.isEmpty() || type == QLatin1String("0"))) continue;
        TPortInfo info;
        info.name = name;
        FindUsbIds(base + QStringLiteral("/device"), info);
        ports.append(info);
    }
    std::stable_sort(ports.begin(), ports.end(), [&](const TPortInfo& a, const TPortInfo& b) {
        if (Rank(a) != Rank(b)) return Rank(a) < Rank(b);
        return NaturalLess(a.name, b.name);
    });
    return ports;
}

QString Trecognitionserial::SerialOf(const QString& port) const {
    // A link (a udev name, a simulator's link) is followed to the terminal.
    const QString canonical = QFileInfo(port).canonicalFilePath();
    const QString name = QFileInfo(canonical.isEmpty() ? port : canonical).fileName();
    for (const TPortInfo& p : Scan())
        if (p.name == name) return p.serial;
    return {};
}

QStringList Trecognitionserial::ScanPorts() const {
    QStringList names;
    for (const auto& p : Scan()) names << p.name;
    return names;
}

} // namespace portiqa
