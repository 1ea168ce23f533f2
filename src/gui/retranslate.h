#pragma once
#include "base/language.h"
#include <QHash>
#include <QString>

class QWidget;

namespace portiqa {

// Every fixed text of a window (captions, labels, tips, names a screen reader
// reads, tabs, menus, list items) in the language now installed. sources is
// what the previous translation gave (ShownTexts(), taken before the
// switch); a text found there is translated anew from its source, any other
// is left as it is (the module's data, a port's name). Texts made of parts
// (counts, the status line) are for their widgets to rebuild on
// QEvent::LanguageChange.
void Retranslate(QWidget* root, const QHash<QString, TTextSource>& sources);

} // namespace portiqa
