#include "files/workbook.h"
#include "base/texts.h"
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QVector>
#include <QXmlStreamReader>
#include <memory>
#include <minizip/unzip.h>

namespace portiqa {

namespace {

// Budgets far above any workbook of ours (the full number list is a sheet
// of about 1.5 MB with 24 000 cells), and low enough that a hostile file is
// refused in well under two seconds and 256 MB.
constexpr qint64 kMaxEntry = 32LL * 1024 * 1024;    // uncompressed bytes of one part
constexpr qint64 kMaxTotal = 48LL * 1024 * 1024;    // uncompressed bytes of all parts read
constexpr qint64 kMaxRatio = 1000;                  // inflate ratio beyond which a part is a bomb
constexpr int kMaxStrings = 200000;
constexpr qint64 kMaxCells = 1000000;               // cells looked at, empty ones included

struct TZip {
    unzFile zf = nullptr;
    qint64 budget = kMaxTotal;
    ~TZip() { if (zf) unzClose(zf); }
};

// One part of the archive, bounded in size and inflate ratio.
bool ReadEntry(TZip& zip, const QString& name, QByteArray& out, QString& error, bool required = true) {
    out.clear();
    if (unzLocateFile(zip.zf, name.toUtf8().constData(), 2) != UNZ_OK) {
        if (required) error = TText::tr("в книге нет части %1").arg(name);
        return !required;
    }
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip.zf, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        error = TText::tr("повреждённый архив");
        return false;
    }
    const qint64 size = qint64(info.uncompressed_size), packed = qint64(info.compressed_size);
    if (size > kMaxEntry || size > zip.budget || (packed > 0 && size / packed > kMaxRatio) || (packed == 0 && size > 0)) {
        error = TText::tr("часть %1 слишком велика").arg(name);
        return false;
    }
    zip.budget -= size;
    if (unzOpenCurrentFile(zip.zf) != UNZ_OK) {
        error = TText::tr("повреждённый архив");
        return false;
    }
    out.reserve(qsizetype(size));
    char buf[65536];
    for (;;) {
        const int n = unzReadCurrentFile(zip.zf, buf, sizeof buf);
        if (n < 0) {
            unzCloseCurrentFile(zip.zf);
            error = TText::tr("повреждённый архив");
            return false;
        }
        if (n == 0) break;
        out.append(buf, n);
        if (out.size() > size) {  // the header lied about the size
            unzCloseCurrentFile(zip.zf);
            error = TText::tr("повреждённый архив");
            return false;
        }
    }
    if (unzCloseCurrentFile(zip.zf) != UNZ_OK) {
        error = TText::tr("повреждённый архив (контрольная сумма)");
        return false;
    }
    return true;
}

// _xHHHH_ escapes of characters XML cannot carry.
QString Unescape(QString s) {
    if (!s.contains(QLatin1String("_x"))) return s;
    static const QRegularExpression kEscape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    auto it = kEscape.globalMatch(s);
    while (it.hasNext()) {
        const auto m = it.next();
        out += s.mid(last, m.capturedStart() - last);
        out += QChar(m.captured(1).toUShort(nullptr, 16));
        last = m.capturedEnd();
    }
    out += s.mid(last);
    return out;
}

// The XML of a part; a document type declaration is refused outright.
struct TXml {
    explicit TXml(const QByteArray& data) : r(data), empty(data.isEmpty()) {}
    bool Next(QString& error) {
        if (empty) return false;  // an optional part that is not there
        r.readNext();
        if (r.tokenType() == QXmlStreamReader::DTD) {
            error = TText::tr("недопустимое объявление DTD");
            return false;
        }
        if (r.hasError()) {
            error = TText::tr("ошибка XML: %1").arg(r.errorString());
            return false;
        }
        return !r.atEnd();
    }
    bool Start(const char* name) const { return r.isStartElement() && r.name() == QLatin1String(name); }
    bool End(const char* name) const { return r.isEndElement() && r.name() == QLatin1String(name); }
    QString Attr(const char* name) const { return r.attributes().value(QLatin1String(name)).toString(); }
    QXmlStreamReader r;
    bool empty;
};

QString PartPath(const QString& target) {
    if (target.startsWith(u'/')) return target.mid(1);
    QString t = target;
    while (t.startsWith(QLatin1String("../"))) t = t.mid(3);
    return t.startsWith(QLatin1String("xl/")) ? t : QStringLiteral("xl/") + t;
}

enum class TKind { Plain, Date, Time, DateTime, Text };

TKind KindOfFormat(int id, const QString& code) {
    if (id == 49) return TKind::Text;
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) || (id >= 50 && id <= 58))
        return TKind::Date;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 33) || (id >= 45 && id <= 47)) return TKind::Time;
    if (id == 22) return TKind::DateTime;
    if (code.isEmpty()) return TKind::Plain;
    if (code == QLatin1String("@")) return TKind::Text;
    QString c = code;
    // Elapsed time ("[h]:mm", "[mm]:ss") is a time; other brackets are
    // colours and locales.
    static const QRegularExpression kElapsed(QStringLiteral("\\[(h+|m+|s+)\\]"), QRegularExpression::CaseInsensitiveOption);
    const bool elapsed = kElapsed.match(c).hasMatch();
    static const QRegularExpression kQuoted(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\."));
    c.remove(kQuoted);
    c = c.toLower();
    const bool date = c.contains(u'y') || c.contains(u'd');
    const bool time = elapsed || c.contains(u'h') || c.contains(u's');
    if (date && time) return TKind::DateTime;
    if (date) return TKind::Date;
    if (time) return TKind::Time;
    return TKind::Plain;
}

bool CellRef(const QString& ref, int& row, int& col) {
    int c = 0, i = 0;
    while (i < ref.size() && ref[i].isLetter()) {
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (c > 20000) return false;
        ++i;
    }
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || c == 0) return false;
    row = r;
    col = c;
    return true;
}

} // namespace

// What the cells of a sheet are read with.
struct TSheetContext {
    QVector<QString> shared;
    QVector<TKind> styleKinds;
    bool date1904 = false;
};

namespace {

bool Fail(QString& why, const QString& text) {
    why = text;
    return false;
}

// The workbook part: its sheets' ids, which one is active, the date system.
bool ReadWorkbookPart(TZip& zip, QStringList& sheetIds, int& activeTab, bool& date1904, QString& why) {
    QByteArray data;
    if (!ReadEntry(zip, QStringLiteral("xl/workbook.xml"), data, why)) return false;
    {
        TXml x(data);
        while (x.Next(why)) {
            if (x.Start("sheet")) sheetIds << x.r.attributes().value(QLatin1String("r:id")).toString();
            else if (x.Start("workbookView")) activeTab = x.Attr("activeTab").toInt();
            else if (x.Start("workbookPr")) date1904 = x.Attr("date1904") == QLatin1String("1") || x.Attr("date1904") == QLatin1String("true");
        }
        if (!why.isEmpty()) return false;
    }
    if (sheetIds.isEmpty()) return Fail(why, TText::tr("в книге нет листов"));
    if (activeTab < 0 || activeTab >= sheetIds.size()) activeTab = 0;

    return true;
}

// Where the sheets, the shared strings and the styles are.
bool ReadRelationships(TZip& zip, QHash<QString, QString>& targets, QString& sharedPath, QString& stylesPath, QString& why) {
    QByteArray data;
    if (!ReadEntry(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), data, why, false)) return false;
    {
        TXml x(data);
        while (x.Next(why))
            if (x.Start("Relationship")) {
                const QString target = PartPath(x.Attr("Target")), type = x.Attr("Type");
                targets[x.Attr("Id")] = target;
                if (type.endsWith(QLatin1String("/sharedStrings"))) sharedPath = target;
                if (type.endsWith(QLatin1String("/styles"))) stylesPath = target;
            }
        if (!why.isEmpty()) return false;
    }
    return true;
}

// Shared strings: rich-text runs joined, phonetic runs left out.
bool ReadSharedStrings(TZip& zip, const QString& sharedPath, QVector<QString>& shared, QString& why) {
    QByteArray data;
    if (!ReadEntry(zip, sharedPath, data, why, false)) return false;
    {
        TXml x(data);
        QString current;
        int phonetic = 0;
        while (x.Next(why)) {
            if (x.Start("si")) current.clear();
            else if (x.Start("rPh")) ++phonetic;
            else if (x.End("rPh")) --phonetic;
            else if (x.Start("t") && phonetic == 0) current += x.r.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (x.End("si")) {
                if (shared.size() >= kMaxStrings) return Fail(why, TText::tr("слишком много строк"));
                shared.append(Unescape(current));
            }
        }
        if (!why.isEmpty()) return false;
    }

    return true;
}

// Number formats of the cell styles, to show dates and times as dates and times.
bool ReadStyles(TZip& zip, const QString& stylesPath, QVector<TKind>& styleKinds, QString& why) {
    QByteArray data;
    if (!ReadEntry(zip, stylesPath, data, why, false)) return false;
    {
        TXml x(data);
        QHash<int, QString> codes;
        bool inXfs = false;
        while (x.Next(why)) {
            if (x.Start("numFmt")) codes[x.Attr("numFmtId").toInt()] = x.Attr("formatCode");
            else if (x.Start("cellXfs")) inXfs = true;
            else if (x.End("cellXfs")) inXfs = false;
            else if (inXfs && x.Start("xf")) {
                const int id = x.Attr("numFmtId").toInt();
                styleKinds.append(KindOfFormat(id, codes.value(id)));
                if (styleKinds.size() > 100000) return Fail(why, TText::tr("слишком много стилей"));
            }
        }
        if (!why.isEmpty()) return false;
    }

    return true;
}

// A cell's text from its type, its value or inline text, and its style.
bool CellText(const TSheetContext& ctx, const QString& type, int style, const QString& v, const QString& inlineText,
              QString& text, QString& why) {
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int i = v.toInt(&ok);
        if (!ok || i < 0 || i >= ctx.shared.size()) return Fail(why, TText::tr("неправильная ссылка на строку"));
        text = ctx.shared[i];
    } else if (type == QLatin1String("inlineStr")) {
        text = Unescape(inlineText);
    } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
        text = Unescape(v);
    } else if (type == QLatin1String("b")) {
        text = v == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    } else if (!v.isEmpty()) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        const TKind kind = style >= 0 && style < ctx.styleKinds.size() ? ctx.styleKinds[style] : TKind::Plain;
        if (!ok) text = v;
        else if (kind == TKind::Date) text = TWorkbookIo::SerialToText(d, true, false, ctx.date1904);
        else if (kind == TKind::Time) text = TWorkbookIo::SerialToText(d, false, true, ctx.date1904);
        else if (kind == TKind::DateTime) text = TWorkbookIo::SerialToText(d, true, true, ctx.date1904);
        else text = TWorkbookIo::NumberText(d);
    }
    return true;
}

// The active sheet's cells, as texts, up to maxRows rows.
bool ReadSheet(TZip& zip, const QString& sheetPath, const TSheetContext& ctx, int maxRows, TWorkbook& result, QString& why) {
    QByteArray data;
    if (!ReadEntry(zip, sheetPath, data, why)) return false;
    {
        TXml x(data);
        int row = 0, col = 0;
        qint64 cells = 0;
        while (x.Next(why)) {
            if (x.Start("row")) {
                const QString r = x.Attr("r");
                row = r.isEmpty() ? row + 1 : r.toInt();
                col = 0;
                if (row < 1 || row > TWorkbook::kMaxRows) return Fail(why, TText::tr("слишком много строк на листе"));
            } else if (x.Start("c")) {
                if (++cells > kMaxCells) return Fail(why, TText::tr("слишком много ячеек на листе"));
                int r = row, c = col + 1;
                const QString ref = x.Attr("r");
                if (!ref.isEmpty() && !CellRef(ref, r, c)) return Fail(why, TText::tr("неправильная ссылка на ячейку %1").arg(ref));
                col = c;
                if (r < 1 || r > TWorkbook::kMaxRows) return Fail(why, TText::tr("слишком много строк на листе"));
                const QString type = x.Attr("t");
                const int style = x.Attr("s").toInt();
                QString v, inlineText;
                while (x.Next(why) && !x.End("c")) {
                    if (x.Start("v")) v = x.r.readElementText();
                    else if (x.Start("t")) inlineText += x.r.readElementText(QXmlStreamReader::IncludeChildElements);
                }
                if (!why.isEmpty()) return false;
                if (c > TWorkbook::kMaxCols) continue;  // far columns are not ours
                QString text;
                if (!CellText(ctx, type, style, v, inlineText, text, why)) return false;
                if (text.isEmpty()) continue;  // an empty cell is no cell
                if (r > maxRows) return Fail(why, TWorkbookIo::TooManyRows(maxRows));
                result.SetText(r, c, text);
            }
        }
        if (!why.isEmpty()) return false;
    }
    return true;
}

} // namespace

bool TWorkbookIo::ReadXlsx(const QString& path, TWorkbook& book, QString& error, int maxRows) {
    auto fail = [&](const QString& why) {
        error = TText::tr("Не удалось прочитать книгу %1: %2").arg(path, why);
        return false;
    };
    TZip zip;
    zip.zf = unzOpen64(QFile::encodeName(path).constData());
    if (!zip.zf) return fail(TText::tr("это не архив книги .xlsx"));
    QString why;
    QStringList sheetIds;
    int activeTab = 0;
    TSheetContext ctx;
    if (!ReadWorkbookPart(zip, sheetIds, activeTab, ctx.date1904, why)) return fail(why);
    if (sheetIds.isEmpty()) return fail(TText::tr("в книге нет листов"));
    if (activeTab < 0 || activeTab >= sheetIds.size()) activeTab = 0;
    QHash<QString, QString> targets;
    QString sharedPath = QStringLiteral("xl/sharedStrings.xml"), stylesPath = QStringLiteral("xl/styles.xml");
    if (!ReadRelationships(zip, targets, sharedPath, stylesPath, why)) return fail(why);
    const QString sheetPath = targets.value(sheetIds[activeTab], QStringLiteral("xl/worksheets/sheet%1.xml").arg(activeTab + 1));
    if (!ReadSharedStrings(zip, sharedPath, ctx.shared, why) || !ReadStyles(zip, stylesPath, ctx.styleKinds, why)) return fail(why);
    TWorkbook result;
    if (!ReadSheet(zip, sheetPath, ctx, maxRows, result, why)) return fail(why);
    book = result;
    return true;
}

} // namespace portiqa
