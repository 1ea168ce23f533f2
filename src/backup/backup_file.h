#pragma once
#include <QByteArray>
#include <QString>
#include <map>

namespace portiqa {

// Everything the module's memory holds as read, page by page: both settings
// pages, the 375 number pages and the 500 history pages.
struct TBackupImage {
    std::map<int32_t, QByteArray> pages;  // by address, 256 bytes each
    QString created;                      // ISO 8601, local time with offset
    QString port;
    QString program;
    // The module the pages came from, when they hold no settings page to
    // name it by (a copy the record keeps of the numbers alone).
    QString simNumber;
};

// The backup file: a zip archive holding manifest.json and one file per
// area (settings.bin, numbers.bin, history.bin: the area's pages one after
// the other). The manifest names the format and its version, the program,
// the date and time, the port, each area's first address and page count,
// and the SHA-256 of every page (docs/protocol.md).
class TBackupFile {
public:
    static constexpr int kFormatVersion = 1;
    // Every page of every area, in address order.
    static std::vector<int32_t> AllAddresses();
    // Written atomically; false with a Russian error when it cannot be.
    static bool Write(const QString& path, const TBackupImage& image, QString& error);
    // Read and checked whole (sizes, manifest, every page's checksum);
    // false with a Russian error naming what is wrong.
    // Whether a file is a backup by what it holds (a zip archive with the
    // backup's manifest), whatever its name: a workbook is a zip archive too.
    static bool LooksLikeBackup(const QString& path);
    static bool Read(const QString& path, TBackupImage& image, QString& error);
};

// A text from a file, fit to show: control characters and bidirectional
// marks written as their codes (escape as backslash, u, 001b), at most
// maxLength characters.
QString EscapeForDisplay(const QString& text, int maxLength = 100);

} // namespace portiqa
