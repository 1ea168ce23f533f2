#include "base/language.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <iterator>

namespace portiqa {

namespace {

struct TInstalled {
    QString language = QStringLiteral("ru");
    QTranslator* program = nullptr;
    QTranslator* qt = nullptr;
    bool qtFound = false;
};

TInstalled& Installed() {
    static TInstalled s;
    return s;
}

void Remove(QTranslator*& t) {
    if (!t) return;
    QCoreApplication::removeTranslator(t);
    delete t;
    t = nullptr;
}

} // namespace

namespace {
const TLanguage* LanguageOf(const QString& code) {
    for (const TLanguage& l : kLanguages)
        if (code == QLatin1String(l.code)) return &l;
    return nullptr;
}
} // namespace

QString LanguageChoices() {
    QStringList codes;
    for (const TLanguage& l : kLanguages) codes << QString::fromLatin1(l.code);
    return codes.join(QStringLiteral(" or "));
}

QString SystemLanguage() {
    // The environment decides, as it does for every other program on the desktop.
    // A language the program speaks anywhere in the list, in the program's order.
    const QStringList asked = QLocale::system().uiLanguages();
    for (const TLanguage& l : kLanguages)
        for (const QString& ui : asked)
            if (ui.startsWith(QLatin1String(l.code))) return QString::fromLatin1(l.code);
    for (const TLanguage& l : kLanguages)
        if (QLocale::system().language() == l.language) return QString::fromLatin1(l.code);
    return QString::fromLatin1(std::end(kLanguages)[-1].code);
}

bool UseLanguage(const QString& asked) {
    const QString lang = asked.isEmpty() ? SystemLanguage() : asked;
    const TLanguage* chosen = LanguageOf(lang);
    if (!chosen) return false;
    TInstalled& s = Installed();
    Remove(s.program);
    Remove(s.qt);
    auto* program = new QTranslator;
    if (!program->load(QStringLiteral(":/i18n/portiqa_%1.qm").arg(lang))) {
        delete program;
        return false;
    }
    QCoreApplication::installTranslator(program);
    s.program = program;
    const QLocale locale(chosen->language, chosen->territory);
    QLocale::setDefault(locale);
    s.qtFound = true;
    if (chosen->qtOwnTexts) {
        auto* qt = new QTranslator;
        s.qtFound = qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
                    qt->load(QStringLiteral(":/i18n/qtbase_%1.qm").arg(lang));  // carried inside on Windows
        if (s.qtFound) {
            QCoreApplication::installTranslator(qt);
            s.qt = qt;
        } else {
            delete qt;
        }
    }
    s.language = lang;
    return true;
}

QString CurrentLanguage() { return Installed().language; }

bool QtOwnTextsInstalled() { return Installed().qtFound; }

QString TakeLanguageOption(QStringList& args) {
    QString value;
    for (int i = 1; i < args.size();) {
        const QString& a = args[i];
        if (a == QLatin1String("--")) break;
        if (a.startsWith(QLatin1String("--lang="))) {
            value = a.mid(7);
            if (value.isEmpty()) value = QStringLiteral("?");
            args.removeAt(i);
        } else if (a == QLatin1String("--lang")) {
            value = i + 1 < args.size() ? args[i + 1] : QStringLiteral("?");
            args.remove(i, i + 1 < args.size() ? 2 : 1);
        } else {
            ++i;
        }
    }
    return value;
}

} // namespace portiqa
