#pragma once
#include <QString>
#include <QStringList>

namespace portiqa {

// Comma-separated files in Windows-1251, every line ended by CR LF.
class TCsv {
public:
    // Joins fields with ","; a field holding a comma, a quote or a line
    // break is quoted the standard way, every other field goes as it is.
    static QString JoinLine(const QStringList& fields);
    // Writes all lines at once through a temporary file; false with error
    // set when the file cannot be written or a text has no Windows-1251 form.
    static bool WriteFile(const QString& path, const QStringList& lines, QString& error);
    // Reads a file written that way (quoted fields allowed) into rows of fields.
    static bool ReadFile(const QString& path, QList<QStringList>& rows, QString& error);
    static QList<QStringList> Parse(const QString& text);
};

} // namespace portiqa
