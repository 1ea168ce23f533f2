// The backup file: what it holds, and every way a damaged one is refused.
#include "backup/backup_file.h"
#include "link/protocol.h"
#include <QFile>
#include <QFileInfo>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <minizip/zip.h>

using namespace portiqa;

namespace {

TBackupImage Image() {
    TBackupImage image;
    for (int32_t a : TBackupFile::AllAddresses()) {
        QByteArray page(256, '\0');
        for (int i = 0; i < 256; ++i) page[i] = char((a / 256 + i) & 0xFF);
        image.pages[a] = page;
    }
    image.created = "2026-12-07T10:00:00+03:00";
    image.port = "/dev/ttyUSB0";
    image.program = "portiqa 1.7";
    return image;
}

// The entries of a backup, to damage one and pack them again.
std::map<QByteArray, QByteArray> Unpack(const QString& path) {
    std::map<QByteArray, QByteArray> out;
    unzFile z = unzOpen64(QFile::encodeName(path).constData());
    for (int rc = unzGoToFirstFile(z); rc == UNZ_OK; rc = unzGoToNextFile(z)) {
        char name[256];
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(z, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        QByteArray data(qsizetype(info.uncompressed_size), '\0');
        unzOpenCurrentFile(z);
        unzReadCurrentFile(z, data.data(), unsigned(data.size()));
        unzCloseCurrentFile(z);
        out[name] = data;
    }
    unzClose(z);
    return out;
}
// Entries packed in the given order, names repeated as given.
void PackList(const QString& path, const std::vector<std::pair<QByteArray, QByteArray>>& entries) {
    zipFile z = zipOpen64(QFile::encodeName(path).constData(), 0);
    for (const auto& [name, data] : entries) {
        zipOpenNewFileInZip64(z, name.constData(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 0);
        zipWriteInFileInZip(z, data.constData(), unsigned(data.size()));
        zipCloseFileInZip(z);
    }
    zipClose(z, nullptr);
}
void Pack(const QString& path, const std::map<QByteArray, QByteArray>& entries) {
    PackList(path, {entries.begin(), entries.end()});
}

TEST(BackupFile, HoldsEveryPageByteForByteWithAReadableManifest) {
    QTemporaryDir dir;
    const QString path = dir.filePath("module.pbk");
    const TBackupImage image = Image();
    QString error;
    ASSERT_TRUE(TBackupFile::Write(path, image, error)) << error.toStdString();
    EXPECT_EQ(TBackupFile::AllAddresses().size(), 877u);

    const auto entries = Unpack(path);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries.at("settings.bin"), image.pages.at(0) + image.pages.at(0x100));
    EXPECT_EQ(entries.at("numbers.bin").size(), 96000);
    EXPECT_EQ(entries.at("numbers.bin").mid(0, 256), image.pages.at(0x1000));
    EXPECT_EQ(entries.at("history.bin").right(256), image.pages.at(0x4F300));
    const QJsonObject m = QJsonDocument::fromJson(entries.at("manifest.json")).object();
    EXPECT_EQ(m["format"].toString(), "portiqa-backup");
    EXPECT_EQ(m["formatVersion"].toInt(), 1);
    EXPECT_EQ(m["port"].toString(), "/dev/ttyUSB0");
    EXPECT_EQ(m["pages"].toArray().size(), 877);
    EXPECT_EQ(m["areas"].toArray()[1].toObject()["firstAddress"].toInt(), 0x1000);

    TBackupImage back;
    ASSERT_TRUE(TBackupFile::Read(path, back, error)) << error.toStdString();
    EXPECT_EQ(back.pages, image.pages);
    EXPECT_EQ(back.created, image.created);

    // Without a page, nothing is written.
    TBackupImage partial = image;
    partial.pages.erase(0x2FF00 + 256 * 10);
    EXPECT_FALSE(TBackupFile::Write(dir.filePath("partial.pbk"), partial, error));
    EXPECT_FALSE(QFile::exists(dir.filePath("partial.pbk")));
}

TEST(BackupFile, ADamagedBackupIsRefusedWhole) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.pbk");
    QString error;
    ASSERT_TRUE(TBackupFile::Write(good, Image(), error));
    const auto entries = Unpack(good);
    auto manifest = [&](const std::function<void(QJsonObject&)>& change) {
        QJsonObject m = QJsonDocument::fromJson(entries.at("manifest.json")).object();
        change(m);
        auto e = entries;
        e["manifest.json"] = QJsonDocument(m).toJson();
        return e;
    };
    auto entry = [&](const QByteArray& name, const std::function<void(QByteArray&)>& change) {
        auto e = entries;
        change(e[name]);
        return e;
    };
    struct Case { const char* what; std::map<QByteArray, QByteArray> entries; const char* says; };
    const Case cases[] = {
        {"a page byte", entry("numbers.bin", [](QByteArray& b) { b[5000] = char(b[5000] ^ 1); }), "контрольная сумма страницы 0x02300"},
        {"a checksum", manifest([](QJsonObject& m) {
             QJsonArray p = m["pages"].toArray();
             QJsonObject first = p[0].toObject();
             first["sha256"] = QString(64, '0');
             p[0] = first;
             m["pages"] = p;
         }), "контрольная сумма страницы 0x00000"},
        {"a short area", entry("history.bin", [](QByteArray& b) { b.chop(256); }), "имеет размер 127744"},
        {"a long area", entry("settings.bin", [](QByteArray& b) { b += '\0'; }), "имеет размер 513"},
        {"no area file", [&] { auto e = entries; e.erase("numbers.bin"); return e; }(), "нет части numbers.bin"},
        {"no manifest", [&] { auto e = entries; e.erase("manifest.json"); return e; }(), "нет части manifest.json"},
        {"a manifest that is no JSON", entry("manifest.json", [](QByteArray& b) { b.chop(10); }), "не читается"},
        {"another format", manifest([](QJsonObject& m) { m["format"] = "zip"; }), "это не резервная копия"},
        {"a later version", manifest([](QJsonObject& m) { m["formatVersion"] = 2; }), "версия формата 2"},
        {"another page size", manifest([](QJsonObject& m) { m["pageSize"] = 128; }), "размер страницы"},
        {"a moved area", manifest([](QJsonObject& m) {
             QJsonArray a = m["areas"].toArray();
             QJsonObject n = a[1].toObject();
             n["firstAddress"] = 0x2000;
             a[1] = n;
             m["areas"] = a;
         }), "область numbers описана неверно"},
        {"a page without checksum", manifest([](QJsonObject& m) {
             QJsonArray p = m["pages"].toArray();
             p.removeAt(400);
             m["pages"] = p;
         }), "нет контрольной суммы страницы"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.what) + ".pbk");
        Pack(path, c.entries);
        TBackupImage image;
        image.port = "unchanged";
        EXPECT_FALSE(TBackupFile::Read(path, image, error)) << c.what;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << c.what << ": " << error.toStdString();
        EXPECT_EQ(image.port, "unchanged") << c.what;
    }
    TBackupImage image;
    EXPECT_FALSE(TBackupFile::Read(dir.filePath("missing.pbk"), image, error));
    EXPECT_FALSE(TBackupFile::Read(dir.path(), image, error));
    QFile text(dir.filePath("text.pbk"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a zip");
    text.close();
    EXPECT_FALSE(TBackupFile::Read(text.fileName(), image, error));
    EXPECT_TRUE(error.contains("это не архив")) << error.toStdString();
}

TEST(BackupFile, TwoEntriesOfOneNameAreRefusedAndTextsAreEscaped) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.pbk");
    QString error;
    TBackupImage image = Image();
    ASSERT_TRUE(TBackupFile::Write(good, image, error));
    const auto entries = Unpack(good);
    // Another tool takes the last of two entries of one name, we the first:
    // the backup is refused rather than read two ways. Letter case counts not.
    for (const QByteArray& second : {QByteArray("manifest.json"), QByteArray("MANIFEST.json"), QByteArray("numbers.bin")}) {
        std::vector<std::pair<QByteArray, QByteArray>> list(entries.begin(), entries.end());
        list.emplace_back(second, entries.at(second.toLower()));
        const QString path = dir.filePath("twice-" + QString::fromLatin1(second) + ".pbk");
        PackList(path, list);
        TBackupImage back;
        EXPECT_FALSE(TBackupFile::Read(path, back, error)) << second.constData();
        EXPECT_TRUE(error.contains("две части с именем")) << error.toStdString();
    }
    // Control characters and direction marks in the manifest's texts never
    // reach a terminal as they are.
    image.port = QStringLiteral("/dev/tty\x1b[2J\u202Eevil");
    image.program = QString(500, 'p');
    ASSERT_TRUE(TBackupFile::Write(good, image, error));
    TBackupImage back;
    ASSERT_TRUE(TBackupFile::Read(good, back, error)) << error.toStdString();
    EXPECT_EQ(back.port, "/dev/tty\\u001b[2J\\u202eevil");
    EXPECT_LE(back.program.size(), 101);
}

#ifndef _WIN32  // file modes and the umask
TEST(BackupFile, WrittenPrivateEvenUnderAnOpenUmask) {
    QTemporaryDir dir;
    const QString path = dir.filePath("private.pbk");
    QString error;
    auto mode = [&] {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mode & 07777;
    };
    const mode_t old = ::umask(0002);
    ASSERT_TRUE(TBackupFile::Write(path, Image(), error));
    EXPECT_EQ(mode(), 0600u);
    // A replaced backup keeps a stricter mode, never a looser one.
    ::chmod(QFile::encodeName(path).constData(), 0400);
    ASSERT_TRUE(TBackupFile::Write(path, Image(), error));
    EXPECT_EQ(mode(), 0400u);
    ::chmod(QFile::encodeName(path).constData(), 0644);
    ASSERT_TRUE(TBackupFile::Write(path, Image(), error));
    EXPECT_EQ(mode(), 0600u);
    ::umask(old);
}
#else
// On Windows the backup's security descriptor lets no other user in: no
// entry for everyone, the machine's users or any signed-in user.
TEST(BackupFile, WrittenPrivateToItsUser) {
    QTemporaryDir dir;
    const QString path = dir.filePath("private.pbk");
    QString error;
    ASSERT_TRUE(TBackupFile::Write(path, Image(), error)) << error.toStdString();
    DWORD size = 0;
    const auto* wide = reinterpret_cast<const wchar_t*>(path.utf16());
    GetFileSecurityW(wide, DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    QByteArray sd(int(size), '\0');
    ASSERT_TRUE(GetFileSecurityW(wide, DACL_SECURITY_INFORMATION, sd.data(), size, &size));
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(sd.data(), &present, &acl, &defaulted));
    ASSERT_TRUE(present && acl);
    ACL_SIZE_INFORMATION info{};
    ASSERT_TRUE(GetAclInformation(acl, &info, sizeof info, AclSizeInformation));
    ASSERT_GE(info.AceCount, 1u);
    for (const WELL_KNOWN_SID_TYPE others : {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid}) {
        BYTE sid[SECURITY_MAX_SID_SIZE];
        DWORD sidSize = sizeof sid;
        ASSERT_TRUE(CreateWellKnownSid(others, nullptr, sid, &sidSize));
        for (DWORD i = 0; i < info.AceCount; ++i) {
            void* ace = nullptr;
            ASSERT_TRUE(GetAce(acl, i, &ace));
            const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
            EXPECT_FALSE(EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid)) << "entry " << i << " lets others in";
        }
    }
}
#endif

} // namespace
