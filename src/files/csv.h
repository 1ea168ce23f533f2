#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace portiqa {

// One row of a comma-separated file and the file line it starts on.
struct TCsvRow {
    int line = 0;
    QStringList fields;
};

// How a comma-separated file is written, by its name. ".csv" is for
// spreadsheets: UTF-8 with a byte-order mark (read right in any locale), a
// header row, the records only. Any other name (".cvs") keeps the form lists
// have moved in between installations: Windows-1251, no header, the table's
// rows as they stand.
enum class TCsvForm { Original, Spreadsheet };
TCsvForm CsvFormOf(const QString& path);

// Comma-separated files: written in the form their name asks for, every line ended by CR LF;
// read as installers have them (Windows-1251 or UTF-8 with or without a
// byte-order mark, "," or ";" between fields, blank rows).
class TCsv {
public:
    // Joins fields with ","; a field holding a comma, a quote or a line
    // break is quoted the standard way, every other field goes as it is.
    // A field a spreadsheet would run as a formula (=, +, -, @, tab or CR
    // first, not a number) goes with an apostrophe first, which reading
    // takes off again.
    static QString JoinLine(const QStringList& fields);
    static QString Guarded(const QString& field);
    static QString Unguarded(const QString& field);
    // Writes all lines at once through a temporary file, encoded for the
    // file's form; false with error set when the file cannot be written or
    // (the original form) a text has no Windows-1251 form.
    static bool WriteFile(const QString& path, const QStringList& lines, QString& error);
    // Reads a regular file (quoted fields allowed) into rows of fields,
    // leaving out rows that hold only separators and blanks.
    static bool ReadFile(const QString& path, QList<TCsvRow>& rows, QString& error);
    // Bytes to text: UTF-8 when they are valid UTF-8 (a byte-order mark is
    // dropped), Windows-1251 otherwise.
    static QString DecodeBytes(const QByteArray& bytes);
    // ";" when the first line has more of them than commas outside quotes.
    static QChar DetectSeparator(const QString& text);
    static QList<TCsvRow> ParseRows(const QString& text, QChar separator);
    static QList<QStringList> Parse(const QString& text);

    // Largest file read: far above a full number list (3000 lines of ~60 bytes).
    static constexpr qint64 kMaxBytes = 10 * 1024 * 1024;
};

} // namespace portiqa
