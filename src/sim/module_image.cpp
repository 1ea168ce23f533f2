#include "sim/module_image.h"
#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>
#include "link/page_fields.h"
#include <algorithm>
#include <random>

namespace portiqa::sim {

namespace {

// The module's side is written on its own: its memory map and its factory
// contents are stated here as the module has them, not taken from the
// program's encoders, so that a mistake in those shows against this.
constexpr int kNumbersBase = 0x1000, kNumberPages = 375, kNumberRecord = 32;
constexpr int kHistoryBase = 0x30000, kHistoryPages = 500, kHistoryRecord = 128;
constexpr int kPageSize = 256;

void PutAscii(uint8_t* dst, const QByteArray& text, int width) {
    const int n = std::min<int>(width, int(text.size()));
    std::copy(text.begin(), text.begin() + n, dst);
}

QByteArray Cp1251(const QString& s) {
    // The system's converter, independent of the program's own table; a
    // system without one (Windows without ICU) takes the program's.
    QStringEncoder cp1251("windows-1251");
    if (cp1251.isValid()) return cp1251.encode(s);
    QByteArray bytes;
    fields::ToCp1251(s, bytes);
    return bytes;
}

// Settings page 1 as shipped: password 5807, no SIM number, both sensors
// "1:NO", the alarm texts, automatic arming after 10 minutes, control by
// registered users only, disarmed, relay time 0 (twice), SMS to everybody on
// both relay changes, the relay texts, power-loss SMS off (999), no status
// SMS (0). Every byte not named stays 0xFF, and so does all of page 2.
void PutFactorySettings(QByteArray& m) {
    auto put = [&](int offset, const QByteArray& bytes) { m.replace(offset, bytes.size(), bytes); };
    put(0, "5807");
    put(26, QByteArray::fromHex("0101"));
    put(28, QByteArray("Unauthorized door opened") + '\0');
    put(68, QByteArray("DIN2 Alarm") + '\0');
    put(108, QByteArray::fromHex("0A00" "01" "00" "0000" "0000" "03" "03"));
    put(118, QByteArray("Relay ON") + '\0');
    put(158, QByteArray("Relay OFF") + '\0');
    put(200, QByteArray::fromHex("E703" "0000"));
}

} // namespace

TModuleImage::TModuleImage() { Factory(); }

void TModuleImage::Factory() {
    mem_ = QByteArray(kSize, char(0xFF));
    PutFactorySettings(mem_);
    EraseHistory();
}

void TModuleImage::SetPassword(const QString& pin) {
    // Four characters; a shorter PIN is ended by 0x00 as the module keeps text.
    QByteArray p = pin.toLatin1().left(4);
    if (p.size() < 4) p += '\0';
    mem_.replace(0, 4, QByteArray(4, char(0xFF)));
    mem_.replace(0, p.size(), p);
}

void TModuleImage::EraseHistory() {
    // An erased log reads as empty slots: year byte 0.
    std::fill(mem_.begin() + kHistoryBase, mem_.begin() + kHistoryBase + kHistoryPages * kPageSize, char(0));
}

void TModuleImage::SeedNumbers(int n, uint32_t seed) {
    std::mt19937 rng(seed);
    auto* m = reinterpret_cast<uint8_t*>(mem_.data()) + kNumbersBase;
    n = std::clamp(n, 0, kNumberPages * 8);
    for (int i = 0; i < n; ++i) {
        uint8_t* r = m + i * kNumberRecord;
        std::fill(r, r + kNumberRecord, 0x00);
        const QByteArray number = (i % 5 == 0 ? QByteArray("8") : QByteArray("+7"))
                                  + QByteArray::number(9000000000LL + (rng() % 999999999LL));
        PutAscii(r, number, 22);
        if (i % 4 == 0) {
            // Unrestricted: eight 0x63 bytes, then year bytes 0x00 and 0x63.
            std::fill(r + 22, r + 30, 0x63);
            r[30] = 0x00;
            r[31] = 0x63;
            continue;
        }
        const int startYear = 20 + int(rng() % 6);
        r[22] = uint8_t(1 + rng() % 12);
        r[23] = uint8_t(1 + rng() % 28);
        r[24] = uint8_t(rng() % 24);
        r[25] = uint8_t(rng() % 60);
        r[26] = uint8_t(1 + rng() % 12);
        r[27] = uint8_t(1 + rng() % 28);
        r[28] = uint8_t(rng() % 24);
        r[29] = uint8_t(rng() % 60);
        r[30] = uint8_t(startYear);
        r[31] = uint8_t(startYear + 1 + rng() % 4);
    }
}

void TModuleImage::SeedHistory(int n, uint32_t seed) {
    static const char* const kTexts[] = {"Open", "Door closed", "Relay ON", "Открыть ворота", "Тревога DIN1",
                                         "Power restored", "Снято с охраны", ""};
    std::mt19937 rng(seed);
    auto* m = reinterpret_cast<uint8_t*>(mem_.data()) + kHistoryBase;
    n = std::clamp(n, 0, kHistoryPages * 2);
    for (int i = 0; i < n; ++i) {
        uint8_t* r = m + i * kHistoryRecord;
        std::fill(r, r + kHistoryRecord, 0x00);
        const uint32_t no = uint32_t(i + 1);
        for (int k = 0; k < 4; ++k) r[k] = uint8_t(no >> (8 * k));
        r[4] = uint8_t(21 + rng() % 6);
        r[5] = uint8_t(1 + rng() % 12);
        r[6] = uint8_t(1 + rng() % 28);
        r[7] = uint8_t(rng() % 24);
        r[8] = uint8_t(rng() % 60);
        r[9] = uint8_t(rng() % 60);
        r[10] = uint8_t(i % 4);
        r[11] = uint8_t(i % 10);
        PutAscii(r + 12, "+7999" + QByteArray::number(1000000 + int(rng() % 8999999)), 22);
        PutAscii(r + 34, Cp1251(QString::fromUtf8(kTexts[i % 8])), 40);
    }
}

QByteArray TModuleImage::Read(int32_t address, int length) const {
    if (address < 0 || length < 0 || address + length > kSize) return QByteArray(length, char(0xFF));
    return mem_.mid(address, length);
}

bool TModuleImage::Write(int32_t address, const uint8_t* data, int length) {
    if (address < 0 || length < 0 || address + length > kSize) return false;
    std::copy(data, data + length, mem_.begin() + address);
    return true;
}

bool TModuleImage::Load(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    const QByteArray data = f.read(kSize + 1);
    if (data.size() != kSize) {
        if (error) *error = QStringLiteral("%1: not a module image of %2 bytes").arg(path).arg(kSize);
        return false;
    }
    mem_ = data;
    return true;
}

bool TModuleImage::Save(const QString& path, QString* error) const {
    QSaveFile f(path);  // writes a temporary file, flushes it to disk and renames it
    if (!f.open(QIODevice::WriteOnly) || f.write(mem_) != mem_.size() || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace portiqa::sim
