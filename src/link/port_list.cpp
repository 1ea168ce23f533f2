#include "link/port_list.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#ifdef _WIN32
#include <windows.h>
#include <devguid.h>
#include <setupapi.h>
#endif

namespace portiqa {

namespace {

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

#ifdef _WIN32

// The ports Windows lists under HARDWARE\DEVICEMAP\SERIALCOMM ("COM3"), with the
// USB ids and serial number of the device behind each, from SetupAPI
// ("USB\VID_10C4&PID_EA60\0001" is the instance id of a CP210x bridge).
QList<TPortInfo> SystemPorts(const QString&) {
    QList<TPortInfo> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0; i < 256; ++i) {
        wchar_t valueName[256], data[64];
        DWORD nameLen = 256, dataLen = sizeof data, type = 0;
        if (RegEnumValueW(key, i, valueName, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLen) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ || dataLen < sizeof(wchar_t)) continue;
        TPortInfo info;
        info.name = QString::fromWCharArray(data, int(dataLen / sizeof(wchar_t))).section(QChar(0), 0, 0).trimmed();
        if (!info.name.isEmpty()) ports.append(info);
    }
    RegCloseKey(key);
    HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) return ports;
    SP_DEVINFO_DATA dev{};
    dev.cbSize = sizeof dev;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &dev); ++i) {
        HKEY devKey = SetupDiOpenDevRegKey(set, &dev, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (devKey == INVALID_HANDLE_VALUE) continue;
        wchar_t portName[64] = {};
        DWORD len = sizeof portName - sizeof(wchar_t), type = 0;
        const bool named = RegQueryValueExW(devKey, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(portName), &len) == ERROR_SUCCESS;
        RegCloseKey(devKey);
        wchar_t instance[512] = {};
        if (!named || !SetupDiGetDeviceInstanceIdW(set, &dev, instance, 511, nullptr)) continue;
        const QString id = QString::fromWCharArray(instance).toLower();
        const QString name = QString::fromWCharArray(portName);
        for (TPortInfo& p : ports) {
            if (p.name.compare(name, Qt::CaseInsensitive) != 0 || !id.startsWith(QLatin1String("usb\\"))) continue;
            const qsizetype v = id.indexOf(QLatin1String("vid_")), pid = id.indexOf(QLatin1String("pid_"));
            if (v >= 0) p.vendorId = id.mid(v + 4, 4);
            if (pid >= 0) p.productId = id.mid(pid + 4, 4);
            p.serial = QString::fromWCharArray(instance).section(u'\\', 2, 2);
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return ports;
}

#else

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

#endif

} // namespace

QList<TPortInfo> TPortList::Scan() const {
    QList<TPortInfo> ports = SystemPorts(sysfsRoot_);
    std::stable_sort(ports.begin(), ports.end(), [&](const TPortInfo& a, const TPortInfo& b) {
        if (Rank(a) != Rank(b)) return Rank(a) < Rank(b);
        return NaturalLess(a.name, b.name);
    });
    return ports;
}

QString TPortList::SerialOf(const QString& port) const {
    // A link (a udev name, a simulator's link) is followed to the terminal.
    const QString canonical = QFileInfo(port).canonicalFilePath();
    const QString name = QFileInfo(canonical.isEmpty() ? port : canonical).fileName();
    for (const TPortInfo& p : Scan())
        if (p.name == name) return p.serial;
    return {};
}

QStringList TPortList::ScanPorts() const {
    QStringList names;
    for (const auto& p : Scan()) names << p.name;
    return names;
}

} // namespace portiqa
