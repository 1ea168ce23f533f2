#include "record/record.h"
#include "link/protocol.h"
#include <QCryptographicHash>

namespace portiqa {

namespace {

QString PageHash(const QByteArray& page) {
    return QString::fromLatin1(QCryptographicHash::hash(page, QCryptographicHash::Sha256).toHex().left(16));
}

// Where each area of a snapshot starts in the module's memory.
const QByteArray* AreaHolding(const TModulePages& pages, int32_t address, int32_t& offset) {
    const struct {
        const QByteArray* area;
        int32_t base;
    } areas[] = {{&pages.settings, SettingsPageAddress(1)}, {&pages.numbers, kNumbersBase}, {&pages.history, kHistoryBase}};
    for (const auto& a : areas) {
        if (a.area->isEmpty() || address < a.base || address + kPageSize > a.base + a.area->size()) continue;
        offset = address - a.base;
        return a.area;
    }
    return nullptr;
}

} // namespace

QString WriteTarget(const std::vector<std::pair<int32_t, QByteArray>>& pages) {
    QStringList parts;
    parts.reserve(qsizetype(pages.size()));
    for (const auto& [address, bytes] : pages) parts << QString::number(address, 16) + u':' + PageHash(bytes);
    return parts.join(u',');
}

std::optional<std::pair<int, int>> TargetHeld(const QString& target, const TModulePages& pages) {
    int held = 0, total = 0;
    for (const QString& part : target.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype colon = part.indexOf(u':');
        bool ok = false;
        const int32_t address = colon > 0 ? int32_t(part.left(colon).toLong(&ok, 16)) : 0;
        if (!ok) return std::nullopt;  // not a target this program wrote
        int32_t offset = 0;
        const QByteArray* area = AreaHolding(pages, address, offset);
        if (!area) return std::nullopt;  // the snapshot does not show this page
        ++total;
        held += PageHash(area->mid(offset, kPageSize)) == part.mid(colon + 1);
    }
    if (total == 0) return std::nullopt;
    return std::pair{held, total};
}

} // namespace portiqa
