#pragma once
#include <QString>
#include <QStringList>

namespace portiqa {

// The operator's language: "ru" or "en".
//   asked:      "ru", "en", or empty to follow the system (Russian for ru_*,
//               English otherwise).
// Installs the program's translation and, for Russian, Qt's own (dialog
// buttons, the calendar's month names through the default locale). Returns
// false for a language it does not know; nothing changes then.
bool UseLanguage(const QString& asked);

// The language in use ("ru" until UseLanguage chose another).
QString CurrentLanguage();

// The language the system asks for: "ru" or "en".
QString SystemLanguage();

// Takes "--lang X" or "--lang=X" out of a program's arguments (argv[0] kept);
// returns X, or an empty string when the option is absent. A "--lang" without
// a value returns "?" so that the caller reports it.
QString TakeLanguageOption(QStringList& args);

// Whether Qt's own Russian texts were found (package qt6-translations-l10n).
bool QtOwnTextsInstalled();

} // namespace portiqa
