// The backup reader on arbitrary files: the zip container, its entries and
// their sizes, whatever bytes arrive.
#include "backup/backup_file.h"
#include <cstdio>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char path[] = "/tmp/portiqa-fuzz-backup-XXXXXX";
    static int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) return 0;
    portiqa::TBackupImage image;
    QString error;
    portiqa::TBackupFile::Read(QString::fromLatin1(path), image, error);
    return 0;
}
