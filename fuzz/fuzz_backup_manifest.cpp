// The backup reader with arbitrary text as its manifest, in an otherwise
// whole backup: every area of the right size, so that the manifest's
// checks, not the container's, are what the input meets.
#include "backup/backup_file.h"
#include "link/protocol.h"
#include <QByteArray>
#include <QFile>
#include <minizip/zip.h>
#include <unistd.h>

namespace {

void Add(zipFile z, const char* name, const QByteArray& bytes, int level) {
    zipOpenNewFileInZip64(z, name, nullptr, nullptr, 0, nullptr, 0, nullptr, level ? Z_DEFLATED : 0, level, 0);
    zipWriteInFileInZip(z, bytes.constData(), unsigned(bytes.size()));
    zipCloseFileInZip(z);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char path[] = "/tmp/portiqa-fuzz-manifest-XXXXXX";
    static int fd = mkstemp(path);
    if (fd < 0 || size > 200000) return 0;
    static const QByteArray settings(2 * portiqa::kPageSize, '\0');
    static const QByteArray numbers(portiqa::kNumberPages * portiqa::kPageSize, char(0xFF));
    static const QByteArray history(portiqa::kHistoryPages * portiqa::kPageSize, char(0xFF));
    zipFile z = zipOpen64(path, APPEND_STATUS_CREATE);
    if (!z) return 0;
    Add(z, "manifest.json", QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), 1);
    Add(z, "settings.bin", settings, 1);
    Add(z, "numbers.bin", numbers, 1);
    Add(z, "history.bin", history, 1);
    zipClose(z, nullptr);
    portiqa::TBackupImage image;
    QString error;
    portiqa::TBackupFile::Read(QString::fromLatin1(path), image, error);
    return 0;
}
