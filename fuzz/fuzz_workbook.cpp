// The .xlsx and .xls readers on arbitrary files (both read a path).
#include "files/workbook.h"
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char path[] = "/tmp/portiqa-fuzz-workbook-XXXXXX";
    static int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) return 0;
    portiqa::TWorkbook book;
    QString error;
    portiqa::TWorkbookIo::ReadXlsx(QString::fromLatin1(path), book, error);
    portiqa::TWorkbookIo::ReadXls(QString::fromLatin1(path), book, error);
    return 0;
}
