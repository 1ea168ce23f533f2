#include "base/language.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMutex>
#include <QTranslator>
#include <iterator>

namespace portiqa {

namespace {

// The program's translation, noting what it gave for which source.
class TNotingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
        const QString text = QTranslator::translate(context, source, disambiguation, n);
        if (!text.isEmpty() && n < 0 && source && context) {
            const QMutexLocker lock(&mutex_);
            given_.insert(text, TTextSource{QByteArray(context), QByteArray(source)});
            // A language without its own words for these shows the source
            // itself (Qt's English): that is a text of this source too.
            const QString itself = QString::fromUtf8(source);
            if (!given_.contains(itself)) given_.insert(itself, TTextSource{QByteArray(context), QByteArray(source)});
        }
        return text;
    }
    QHash<QString, TTextSource> Given() const {
        const QMutexLocker lock(&mutex_);
        return given_;
    }

private:
    mutable QMutex mutex_;
    mutable QHash<QString, TTextSource> given_;
};

struct TInstalled {
    QString language = QStringLiteral("ru");
    TNotingTranslator* program = nullptr;
    TNotingTranslator* qt = nullptr;
    bool qtFound = false;
};

TInstalled& Installed() {
    static TInstalled s;
    return s;
}

template <class T> void Remove(T*& t) {
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
    auto* program = new TNotingTranslator;
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
        auto* qt = new TNotingTranslator;
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

QHash<QString, TTextSource> ShownTexts() {
    const TInstalled& s = Installed();
    // What earlier languages gave is kept: a language that lacks a
    // translation (Qt's own texts in English) gives nothing for them.
    static QHash<QString, TTextSource> seen;
    if (s.qt) seen.insert(s.qt->Given());
    if (s.program) seen.insert(s.program->Given());
    return seen;
}

QString TTextSource::Translated() const { return QCoreApplication::translate(context.constData(), source.constData()); }

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
