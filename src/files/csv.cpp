#include "files/csv.h"
#include "link/page_fields.h"
#include <QFile>
#include <QSaveFile>

namespace portiqa {

QString TCsv::JoinLine(const QStringList& fields) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields) {
        if (f.contains(u',') || f.contains(u'"') || f.contains(u'\r') || f.contains(u'\n')) {
            QString q = f;
            q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            out << u'"' + q + u'"';
        } else {
            out << f;
        }
    }
    return out.join(u',');
}

bool TCsv::WriteFile(const QString& path, const QStringList& lines, QString& error) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    QByteArray bytes;
    if (!fields::ToCp1251(text, bytes)) {
        error = QStringLiteral("Текст содержит символы, которых нет в кодировке Windows-1251");
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        error = QStringLiteral("Не удалось записать файл %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

QList<QStringList> TCsv::Parse(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') { field += u'"'; ++i; }
            else if (c == u'"') quoted = false;
            else field += c;
            continue;
        }
        if (c == u'"' && field.isEmpty()) { quoted = true; any = true; }
        else if (c == u',') { row << field; field.clear(); any = true; }
        else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            if (any || !field.isEmpty()) { row << field; rows << row; }
            row.clear(); field.clear(); any = false;
        } else { field += c; any = true; }
    }
    if (any || !field.isEmpty()) { row << field; rows << row; }
    return rows;
}

bool TCsv::ReadFile(const QString& path, QList<QStringList>& rows, QString& error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Не удалось открыть файл %1: %2").arg(path, f.errorString());
        return false;
    }
    constexpr qint64 kMaxCsv = 16 * 1024 * 1024;
    if (f.size() > kMaxCsv) {
        error = QStringLiteral("Файл %1 слишком велик").arg(path);
        return false;
    }
    rows = Parse(fields::FromCp1251(f.readAll()));
    return true;
}

} // namespace portiqa
