// The serial ports of a Windows system.
#include "link/port_list.h"
#include <windows.h>
#include <devguid.h>
#include <setupapi.h>

namespace portiqa {

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

} // namespace portiqa
