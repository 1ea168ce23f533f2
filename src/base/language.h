#pragma once
#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace portiqa {

// The languages the program speaks: a translation translations/portiqa_CODE.ts
// each (listed in src/CMakeLists.txt), shown in the window's menu under its
// own name. The first is the sources' own; the last is the one for a system
// that asks for none of them.
struct TLanguage {
    const char* code;
    const char* name;  // in the language itself
    QLocale::Language language;
    QLocale::Territory territory;
    bool qtOwnTexts;  // Qt's own texts (dialog buttons) are translated too
};
inline constexpr TLanguage kLanguages[] = {
    {"ru", "Русский", QLocale::Russian, QLocale::Russia, true},
    {"en", "English", QLocale::English, QLocale::UnitedStates, false},
};
// "ru or en": for the messages that refuse another.
QString LanguageChoices();

// The operator's language: one of kLanguages.
//   asked:      a code, or empty to follow the system (its first language
//               the program speaks, else the last of kLanguages).
// Installs the program's translation and, for Russian, Qt's own (dialog
// buttons, the calendar's month names through the default locale). Returns
// false for a language it does not know; nothing changes then.
bool UseLanguage(const QString& asked);

// The language in use ("ru" until UseLanguage chose another).
QString CurrentLanguage();

// The language the system asks for, as a code of kLanguages.
QString SystemLanguage();

// Takes "--lang X" or "--lang=X" out of a program's arguments (argv[0] kept);
// returns X, or an empty string when the option is absent. A "--lang" without
// a value returns "?" so that the caller reports it.
QString TakeLanguageOption(QStringList& args);

// The texts the program's translation has given so far, each with the source
// it came from (shown text -> source). A window switching language while it
// runs finds each text's source here, then asks the new translation for it;
// a text not here was shown as its source.
// Qt's own texts (a tab bar's arrows) are there too, under their context.
struct TTextSource {
    QByteArray context, source;
    QString Translated() const;  // in the language now in use
};
QHash<QString, TTextSource> ShownTexts();

// Whether Qt's own Russian texts were found (package qt6-translations-l10n).
bool QtOwnTextsInstalled();

} // namespace portiqa
