// Reads one file as the program would and prints what it cost, so that the
// benchmark measures the reader's own memory in a fresh process:
//   read_probe xlsx|csv PATH MAXROWS  ->  "read|refused MILLISECONDS PEAK_KIB"
#include "files/csv.h"
#include "files/workbook.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <QFile>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]), path = QString::fromLocal8Bit(argv[2]);
    const int maxRows = QString::fromLocal8Bit(argv[3]).toInt();
    QElapsedTimer clock;
    clock.start();
    QString error;
    bool read = false;
    if (kind == QLatin1String("csv")) {
        QList<portiqa::TCsvRow> rows;
        read = portiqa::TCsv::ReadFile(path, rows, error);
    } else {
        portiqa::TWorkbook book;
        read = portiqa::TWorkbookIo::Read(path, book, error, maxRows);
    }
    const qint64 ms = clock.elapsed();
    // The peak of this process's own memory (VmHWM starts afresh at exec,
    // unlike getrusage's maximum, which keeps the forking parent's).
    long peakKib = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:")) peakKib = line.mid(6).trimmed().split(' ').value(0).toLong();
    std::printf("%s %lld %ld\n", read ? "read" : "refused", static_cast<long long>(ms), peakKib);
    return 0;
}
