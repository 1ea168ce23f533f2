#pragma once
#include <QString>

namespace portiqa {

// Names people type or files bring (people, modules, sites) are data: a
// line break, tab or other control character becomes a space, invisible
// format characters (bidirectional overrides, zero-width spaces and joiners,
// byte-order marks) are removed, runs of spaces close up, and the text is
// cut to width.
QString PlainText(const QString& text, int width);

// A name that tells one thing from another (a site, a module): cleaned as
// PlainText cleans, but never cut, since two long names cut alike would
// become one thing.
QString CleanName(const QString& text);
// Empty when the name fits width once cleaned; otherwise the operator's
// words, naming the limit.
QString NameTooLong(const QString& text, int width);

// A text for a terminal line or a tab-separated column: every control and
// format character is shown as \uXXXX, so that no stored text can start a
// line, a column or a direction of its own.
QString Printable(const QString& text);

} // namespace portiqa
