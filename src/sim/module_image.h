#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace portiqa::sim {

// The module's memory as the program sees it: 0x00000..0x4FFFF, 256-byte pages.
class TModuleImage {
public:
    static constexpr int kSize = 0x50000;
    TModuleImage();

    // Settings as shipped, an empty number list (all 0xFF) and an empty log.
    void Factory();
    void SetPassword(const QString& pin);
    // Realistic content: n numbers (restricted and not) and n history records.
    void SeedNumbers(int n, uint32_t seed = 1);
    void SeedHistory(int n, uint32_t seed = 2);
    void EraseHistory();

    QByteArray Read(int32_t address, int length) const;
    // Writes within the image only; false when the range lies outside it.
    bool Write(int32_t address, const uint8_t* data, int length);

    // Load from and save to a file. Saving writes a temporary file, syncs it
    // and renames it over the old one, so a crash leaves either image whole.
    bool Load(const QString& path, QString* error = nullptr);
    bool Save(const QString& path, QString* error = nullptr) const;

    const QByteArray& Bytes() const { return mem_; }

private:
    QByteArray mem_;
};

} // namespace portiqa::sim
