#include "backup/backup_file.h"
#include "base/texts.h"
#include "files/file_replace.h"
#include "link/protocol.h"
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <vector>

namespace portiqa {

namespace {

struct TArea {
    const char* name;
    const char* file;
    int32_t first;
    int pages;
};
const TArea kAreas[] = {
    {"settings", "settings.bin", kSettingsBase, kSettingsPages},
    {"numbers", "numbers.bin", kNumbersBase, kNumberPages},
    {"history", "history.bin", kHistoryBase, kHistoryPages},
};
constexpr qint64 kMaxEntry = 1024 * 1024;  // the largest area is 128 000 bytes

QString Sha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
QString Hex(int32_t address) { return QStringLiteral("0x%1").arg(address, 5, 16, QChar('0')); }

bool AddEntry(zipFile z, const char* name, const QByteArray& data) {
    if (zipOpenNewFileInZip64(z, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 0) != ZIP_OK) return false;
    const bool ok = zipWriteInFileInZip(z, data.constData(), unsigned(data.size())) == ZIP_OK;
    return zipCloseFileInZip(z) == ZIP_OK && ok;
}

bool ReadEntry(unzFile z, const char* name, QByteArray& out, QString& why) {
    out.clear();
    if (unzLocateFile(z, name, 1) != UNZ_OK) {
        why = TText::tr("в копии нет части %1").arg(QString::fromLatin1(name));
        return false;
    }
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(z, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        qint64(info.uncompressed_size) > kMaxEntry || unzOpenCurrentFile(z) != UNZ_OK) {
        why = TText::tr("часть %1 повреждена").arg(QString::fromLatin1(name));
        return false;
    }
    char buf[65536];
    for (;;) {
        const int n = unzReadCurrentFile(z, buf, sizeof buf);
        if (n < 0 || out.size() + n > kMaxEntry) {
            unzCloseCurrentFile(z);
            why = TText::tr("часть %1 повреждена").arg(QString::fromLatin1(name));
            return false;
        }
        if (n == 0) break;
        out.append(buf, n);
    }
    // A damaged deflate stream or a wrong CRC shows here.
    if (unzCloseCurrentFile(z) != UNZ_OK) {
        why = TText::tr("часть %1 повреждена").arg(QString::fromLatin1(name));
        return false;
    }
    return true;
}

// Every entry's name, once: two entries of one name (whatever the letter
// case) would let one program read one and another program the other.
bool CheckEntryNames(unzFile z, QString& why) {
    QStringList seen;
    int err = unzGoToFirstFile(z);
    while (err == UNZ_OK) {
        char name[512] = {};
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(z, &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) != UNZ_OK) {
            why = TText::tr("оглавление архива повреждено");
            return false;
        }
        const QString n = QString::fromUtf8(name).toLower();
        if (seen.contains(n)) {
            why = TText::tr("в копии две части с именем %1").arg(EscapeForDisplay(QString::fromUtf8(name)));
            return false;
        }
        if (seen.size() >= 16) {
            why = TText::tr("в копии слишком много частей");
            return false;
        }
        seen << n;
        err = unzGoToNextFile(z);
    }
    if (err != UNZ_END_OF_LIST_OF_FILE) {
        why = TText::tr("оглавление архива повреждено");
        return false;
    }
    return true;
}

} // namespace

QString EscapeForDisplay(const QString& text, int maxLength) {
    QString out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        // Control characters and the marks that turn text around on a
        // terminal are shown as their codes, never sent to it.
        const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
        const bool bidi = u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
                          (u >= 0x2066 && u <= 0x2069);
        if (control || bidi) out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QChar('0'));
        else out += c;
        if (out.size() >= maxLength) {
            out += QStringLiteral("…");
            break;
        }
    }
    return out;
}

std::vector<int32_t> TBackupFile::AllAddresses() {
    std::vector<int32_t> out;
    for (const TArea& a : kAreas)
        for (int p = 0; p < a.pages; ++p) out.push_back(a.first + p * kPageSize);
    return out;
}

bool TBackupFile::Write(const QString& path, const TBackupImage& image, QString& error) {
    QJsonArray areas, pages;
    std::vector<std::pair<const char*, QByteArray>> files;
    for (const TArea& a : kAreas) {
        QByteArray bytes;
        for (int p = 0; p < a.pages; ++p) {
            const int32_t address = a.first + p * kPageSize;
            const auto it = image.pages.find(address);
            if (it == image.pages.end() || it->second.size() != kPageSize) {
                error = TText::tr("Резервная копия не записана: нет страницы %1").arg(Hex(address));
                return false;
            }
            bytes += it->second;
            pages.append(QJsonObject{{"address", address}, {"sha256", Sha256(it->second)}});
        }
        areas.append(QJsonObject{{"name", a.name}, {"file", a.file}, {"firstAddress", a.first}, {"pages", a.pages}});
        files.emplace_back(a.file, bytes);
    }
    const QJsonObject manifest{{"format", "portiqa-backup"},
                               {"formatVersion", kFormatVersion},
                               {"program", image.program},
                               {"created", image.created},
                               {"port", image.port},
                               {"pageSize", kPageSize},
                               {"areas", areas},
                               {"pages", pages}};
    const QByteArray json = QJsonDocument(manifest).toJson(QJsonDocument::Indented);
    return ReplaceFileAtomically(path, [&](const QString& tmp, QString& why) {
        zipFile z = zipOpen64(QFile::encodeName(tmp).constData(), APPEND_STATUS_CREATE);
        bool ok = z != nullptr && AddEntry(z, "manifest.json", json);
        for (const auto& [name, bytes] : files) ok = ok && AddEntry(z, name, bytes);
        if (z && zipClose(z, nullptr) != ZIP_OK) ok = false;
        if (!ok) why = TText::tr("Не удалось записать файл %1").arg(path);
        return ok;
    }, error, TFileAccess::Private);  // the module's password and every number
}

bool TBackupFile::LooksLikeBackup(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > 4 * kMaxEntry) return false;
    unzFile z = unzOpen64(QFile::encodeName(path).constData());
    if (!z) return false;
    const bool found = unzLocateFile(z, "manifest.json", 1) == UNZ_OK;
    unzClose(z);
    return found;
}

bool TBackupFile::Read(const QString& path, TBackupImage& image, QString& error) {
    auto fail = [&](const QString& why) {
        error = TText::tr("Резервная копия %1 не принята: %2").arg(path, why);
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists()) return fail(TText::tr("файла нет"));
    if (!info.isFile()) return fail(TText::tr("это не обычный файл"));
    if (info.size() > 4 * kMaxEntry) return fail(TText::tr("файл слишком велик"));
    unzFile z = unzOpen64(QFile::encodeName(path).constData());
    if (!z) return fail(TText::tr("это не архив резервной копии"));
    struct TClose { unzFile z; ~TClose() { unzClose(z); } } closer{z};

    QByteArray json;
    QString why;
    if (!CheckEntryNames(z, why)) return fail(why);
    if (!ReadEntry(z, "manifest.json", json, why)) return fail(why);
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) return fail(TText::tr("описание копии (manifest.json) не читается"));
    const QJsonObject m = doc.object();
    if (m.value("format").toString() != QLatin1String("portiqa-backup")) return fail(TText::tr("это не резервная копия модуля"));
    if (m.value("formatVersion").toInt() != kFormatVersion)
        return fail(TText::tr("версия формата %1 не поддерживается").arg(m.value("formatVersion").toInt()));
    if (m.value("pageSize").toInt() != kPageSize) return fail(TText::tr("неверный размер страницы"));
    const QJsonArray areas = m.value("areas").toArray();
    if (areas.size() != int(std::size(kAreas))) return fail(TText::tr("неверный список областей памяти"));
    std::map<int32_t, QString> sums;
    for (const QJsonValue& v : m.value("pages").toArray()) {
        const QJsonObject p = v.toObject();
        sums[p.value("address").toInt(-1)] = p.value("sha256").toString();
    }
    TBackupImage result;
    for (size_t i = 0; i < std::size(kAreas); ++i) {
        const TArea& a = kAreas[i];
        const QJsonObject area = areas[int(i)].toObject();
        if (area.value("name").toString() != QLatin1String(a.name) || area.value("file").toString() != QLatin1String(a.file) ||
            area.value("firstAddress").toInt(-1) != a.first || area.value("pages").toInt(-1) != a.pages)
            return fail(TText::tr("область %1 описана неверно").arg(QString::fromLatin1(a.name)));
        QByteArray bytes;
        if (!ReadEntry(z, a.file, bytes, why)) return fail(why);
        if (bytes.size() != a.pages * kPageSize)
            return fail(TText::tr("часть %1 имеет размер %2 байт вместо %3").arg(QString::fromLatin1(a.file)).arg(bytes.size()).arg(a.pages * kPageSize));
        for (int p = 0; p < a.pages; ++p) {
            const int32_t address = a.first + p * kPageSize;
            const QByteArray page = bytes.mid(p * kPageSize, kPageSize);
            const auto sum = sums.find(address);
            if (sum == sums.end()) return fail(TText::tr("нет контрольной суммы страницы %1").arg(Hex(address)));
            if (sum->second != Sha256(page)) return fail(TText::tr("контрольная сумма страницы %1 не совпадает").arg(Hex(address)));
            result.pages[address] = page;
        }
    }
    if (sums.size() != result.pages.size()) return fail(TText::tr("в описании копии лишние страницы"));
    // Texts from the file, shown to the operator: escaped and bounded.
    result.created = EscapeForDisplay(m.value("created").toString());
    result.port = EscapeForDisplay(m.value("port").toString());
    result.program = EscapeForDisplay(m.value("program").toString());
    image = std::move(result);
    return true;
}

} // namespace portiqa
