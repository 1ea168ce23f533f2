// The serial ports of a Linux system, from sysfs.
#include "link/port_list.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace

// The terminals sysfs lists that have a device behind them.
QList<TPortInfo> SystemPorts(const QString& sysfsRoot) {
    QList<TPortInfo> ports;
    const QDir root(sysfsRoot);
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
    return ports;
}

} // namespace portiqa
