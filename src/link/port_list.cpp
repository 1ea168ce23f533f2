#include "link/port_list.h"
#include <QFileInfo>
#include <algorithm>

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
