#include "base/plain_text.h"
#include "base/texts.h"
#include <limits>

namespace portiqa {

namespace {

bool Breaks(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QString PlainText(const QString& text, int width) {
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (Breaks(c)) t += u' ';
        else if (c.category() != QChar::Other_Format) t += c;
    }
    t = t.simplified();
    // A cut never leaves half of a surrogate pair behind.
    if (t.size() > width) t.truncate(width > 0 && t.at(width - 1).isHighSurrogate() ? width - 1 : width);
    return t;
}

QString CleanName(const QString& text) { return PlainText(text, std::numeric_limits<int>::max()); }

QString NameTooLong(const QString& text, int width) {
    const QString name = CleanName(text);
    if (name.size() <= width) return {};
    return TText::tr("имя «%1…» длиннее %2 знаков (в нём %3): дайте имя короче").arg(Printable(name.left(20))).arg(width).arg(name.size());
}

QString Printable(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (Breaks(c) || c.category() == QChar::Other_Format)
            t += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            t += c;
    }
    return t;
}

} // namespace portiqa
