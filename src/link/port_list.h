#pragma once
#include <QString>
#include <QStringList>

namespace portiqa {

// One serial port found on the system.
struct TPortInfo {
    QString name;        // what TComm opens, e.g. ttyUSB0
    QString vendorId;    // USB vendor, lower-case hex, empty when not USB
    QString productId;
    QString serial;      // the USB device's serial number, where it has one
};

// The system's own list of its serial ports, unordered: one file a system
// (port_list_linux.cpp, port_list_win.cpp), chosen by the build. sysfsRoot is
// where Linux lists its terminals.
QList<TPortInfo> SystemPorts(const QString& sysfsRoot);

// Lists the serial ports present: CP210x bridges (10c4:ea60) first, then
// other USB serial ports, then the rest, each group in name order.
class TPortList {
public:
    explicit TPortList(QString sysfsRoot = QStringLiteral("/sys/class/tty"))
        : sysfsRoot_(std::move(sysfsRoot)) {}
    QList<TPortInfo> Scan() const;
    QStringList ScanPorts() const;
    // The USB serial number of the bridge behind a port (a path or a name),
    // empty where the system knows none.
    QString SerialOf(const QString& port) const;

private:
    QString sysfsRoot_;
};

} // namespace portiqa
