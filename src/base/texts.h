#pragma once
#include <QCoreApplication>

namespace portiqa {

// Every text the operator reads goes through TText::tr. The sources hold the
// Russian window's texts; translations/portiqa_ru.qm and portiqa_en.qm give each
// language its words (see base/language.h). Texts kept in tables are marked
// with QT_TRANSLATE_NOOP("TText", ...) and translated where they are shown.
// Texts that go into files (column captions, event names) stay as they are.
struct TText {
    Q_DECLARE_TR_FUNCTIONS(TText)
};

// A text kept untranslated in a table (a caption, an event's name, "Да"), in
// the operator's language.
inline QString Translated(const QString& stored) {
    return QCoreApplication::translate("TText", stored.toUtf8().constData());
}

} // namespace portiqa
