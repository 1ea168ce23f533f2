#include "files/csv.h"
#include "base/texts.h"
#include "files/file_replace.h"
#include "link/page_fields.h"
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QSaveFile>

namespace portiqa {

namespace {

// A spreadsheet takes a cell that starts with one of these for a formula,
// unless the cell is a plain number (a phone number's "+", a negative count)
// or a lone dash.
bool RunsAsFormula(QStringView f) {
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?$"));
    return !f.isEmpty() && QStringView(u"=+-@\t\r").contains(f.front()) && f != u"-" && !number.match(f.toString()).hasMatch();
}

// A text that began with the guard's apostrophe is guarded too, so that
// reading takes off exactly the one that writing added.
bool NeedsGuard(QStringView f) { return RunsAsFormula(f) || (f.startsWith(u'\'') && NeedsGuard(f.mid(1))); }

} // namespace

QString TCsv::Guarded(const QString& field) { return NeedsGuard(field) ? u'\'' + field : field; }

QString TCsv::Unguarded(const QString& field) {
    return field.startsWith(u'\'') && NeedsGuard(QStringView(field).mid(1)) ? field.mid(1) : field;
}

QString TCsv::JoinLine(const QStringList& fields) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields) {
        const QString f = Guarded(field);
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

TCsvForm CsvFormOf(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? TCsvForm::Spreadsheet
                                                                                           : TCsvForm::Original;
}

bool TCsv::WriteFile(const QString& path, const QStringList& lines, QString& error) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    QByteArray bytes;
    if (CsvFormOf(path) == TCsvForm::Spreadsheet) {
        bytes = QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    } else if (!fields::ToCp1251(text, bytes)) {
        error = TText::tr("Текст содержит символы, которых нет в кодировке Windows-1251");
        return false;
    }
    return WriteFileAtomically(path, bytes, error);
}

QString TCsv::DecodeBytes(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(view);
    if (!utf8.hasError()) return text;
    return fields::FromCp1251(bytes);
}

QChar TCsv::DetectSeparator(const QString& text) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"') quoted = !quoted;
        else if (!quoted && (c == u'\r' || c == u'\n')) break;
        else if (!quoted && c == u',') ++commas;
        else if (!quoted && c == u';') ++semicolons;
    }
    return semicolons > commas ? u';' : u',';
}

QList<TCsvRow> TCsv::ParseRows(const QString& text, QChar separator) {
    QList<TCsvRow> rows;
    TCsvRow row;
    QString field;
    bool quoted = false, any = false;
    int line = 1;
    row.line = 1;
    auto endRow = [&] {
        row.fields << Unguarded(field);
        bool blank = true;
        for (const QString& f : row.fields) blank = blank && f.trimmed().isEmpty();
        if (!blank) rows << row;
        row = TCsvRow{};
        field.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') { field += u'"'; ++i; }
            else if (c == u'"') quoted = false;
            else {
                if (c == u'\n' || (c == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n'))) ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty()) { quoted = true; any = true; }
        else if (c == separator) { row.fields << Unguarded(field); field.clear(); any = true; }
        else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            if (any || !field.isEmpty()) endRow();
            else { row = TCsvRow{}; field.clear(); }
            ++line;
            row.line = line;
        } else { field += c; any = true; }
    }
    if (any || !field.isEmpty()) endRow();
    return rows;
}

QList<QStringList> TCsv::Parse(const QString& text) {
    QList<QStringList> out;
    for (const TCsvRow& r : ParseRows(text, DetectSeparator(text))) out << r.fields;
    return out;
}

bool TCsv::ReadFile(const QString& path, QList<TCsvRow>& rows, QString& error) {
    if (!IsRegularFile(path, error)) return false;
    const QFileInfo info(path);
    if (info.size() > kMaxBytes) {
        error = TText::tr("Файл %1 слишком велик (%2 байт, допускается до %3)").arg(path).arg(info.size()).arg(kMaxBytes);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = TText::tr("Не удалось открыть файл %1: %2").arg(path, f.errorString());
        return false;
    }
    const QByteArray bytes = f.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        error = TText::tr("Файл %1 слишком велик").arg(path);
        return false;
    }
    const QString text = DecodeBytes(bytes);
    rows = ParseRows(text, DetectSeparator(text));
    return true;
}

} // namespace portiqa
