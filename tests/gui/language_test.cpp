// Both languages are complete, and each window speaks only its own: no
// Cyrillic in the English window, no English word in the Russian one, apart
// from the module's own data and the names every installer uses (GSM, SMS...).
#include "window_fixture.h"
#include "base/language.h"
#include "gui/history_view.h"
#include "gui/gui_operator.h"
#include "gui/mnemonics.h"
#include "gui/module_journal.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "history/history_table.h"
#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractSpinBox>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace portiqa::test {
namespace {

struct TEntry {
    QString source, translation;
    bool finished = true;
};

QList<TEntry> ReadTs(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<TEntry> out;
    QXmlStreamReader x(&f);
    TEntry e;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        if (x.name() == u"message") e = {};
        else if (x.name() == u"source") e.source = x.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (x.name() == u"translation") {
            e.finished = x.attributes().value(QStringLiteral("type")).isEmpty();
            e.translation = x.readElementText(QXmlStreamReader::IncludeChildElements);
            out << e;
        }
    }
    return x.hasError() ? QList<TEntry>{} : out;
}

const QRegularExpression kCyrillic(QStringLiteral("[\u0400-\u04FF]"));

// English words in a Russian text, apart from the abbreviations and names an
// installer reads in Russian too.
QStringList EnglishWords(const QString& text, const QSet<QString>& moduleWords = {}) {
    static const QSet<QString> kKept{"GSM", "SMS", "SIM", "GPRS", "COM", "CSV", "XLS", "DIN1", "DIN2", "NO", "NC", "Excel",
                                     "Esc", "Ctrl", "Enter", "F", "Portiqa", "Configurator", "V1", "DTD", "XML", "Windows",
                                     "manifest", "json", "openpty", "xlsx", "xls", "csv", "cvs", "Debian", "dialout",
                                     "UTF", "PATH", "FILE", "MS", "N", "ru", "en", "unit", "SHA", "PostgreSQL",
                                     "postgresql", "sqlite", "PGPASSWORD", "PORTIQA", "Qt", "libqt6sql6", "SQL",
                                     "ModemManager", "brltty", "dialout", "VPN", "SSH", "PDF", "Telnet", "RFC", "TCP", "DTR", "socket", "rfc2217",
                                     "RTS"};
    QStringList out;
    const QRegularExpression word(QStringLiteral("(?<![-.\\w])[A-Za-z][A-Za-z0-9]*"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!kKept.contains(w) && !moduleWords.contains(w)) out << w;
    }
    return out;
}

QString TsPath(const char* lang) { return QStringLiteral(PORTIQA_TRANSLATIONS "/portiqa_%1.ts").arg(QLatin1String(lang)); }

TEST(Translations, BothLanguagesAreCompleteAndWrittenInTheirOwnAlphabet) {
    const QList<TEntry> ru = ReadTs(TsPath("ru")), en = ReadTs(TsPath("en"));
    ASSERT_GT(ru.size(), 300);
    ASSERT_EQ(ru.size(), en.size());
    for (const TEntry& e : en) {
        EXPECT_TRUE(e.finished && !e.translation.isEmpty()) << e.source.toStdString();
        EXPECT_FALSE(e.translation.contains(kCyrillic)) << e.translation.toStdString();
    }
    for (const TEntry& e : ru) {
        EXPECT_TRUE(e.finished && !e.translation.isEmpty()) << e.source.toStdString();
        // The command line's help and usage messages name its commands and
        // options, which stay as they are typed.
        if (e.source.contains(QLatin1String("portiqa-cli")) || e.source.contains(QLatin1String("--")) ||
            e.source.contains(QLatin1String(" -")) || e.source.startsWith(u'-') || e.source.startsWith(QLatin1String("provision")))
            continue;
        // A factory hint starts with the module's own SMS text, quoted as it is.
        QString text = e.translation;
        if (const qsizetype dot = text.indexOf(QLatin1String(". ")); dot > 0 && e.source.startsWith(text.left(dot + 2)))
            text = text.mid(dot + 2);
        EXPECT_EQ(EnglishWords(text), QStringList()) << e.translation.toStdString();
    }
}

// A text added to the sources without an entry in both languages fails here.
TEST(Translations, EveryTextOfTheSourcesHasItsEntry) {
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(PORTIQA_LUPDATE),
                  {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(PORTIQA_SOURCES), QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QSet<QString> inSources, inRu, inEn;
    for (const TEntry& e : ReadTs(fresh)) inSources << e.source;
    for (const TEntry& e : ReadTs(TsPath("ru"))) inRu << e.source;
    for (const TEntry& e : ReadTs(TsPath("en"))) inEn << e.source;
    ASSERT_GT(inSources.size(), 300);
    for (const QString& s : inSources) {
        EXPECT_TRUE(inRu.contains(s)) << "no Russian entry: " << s.toStdString();
        EXPECT_TRUE(inEn.contains(s)) << "no English entry: " << s.toStdString();
    }
    for (const QString& s : inRu) EXPECT_TRUE(inSources.contains(s)) << "stale entry: " << s.toStdString();
}

TEST(Translations, TheLanguageOptionIsTakenOutOfTheArguments) {
    QStringList a{"portiqa-cli", "--lang", "en", "login", "--lang=ru", "-p", "x"};
    EXPECT_EQ(TakeLanguageOption(a), "ru");
    EXPECT_EQ(a, (QStringList{"portiqa-cli", "login", "-p", "x"}));
    QStringList dangling{"portiqa", "--lang"};
    EXPECT_EQ(TakeLanguageOption(dangling), "?");
    EXPECT_FALSE(UseLanguage("?"));
    EXPECT_FALSE(UseLanguage("de"));
    EXPECT_EQ(CurrentLanguage(), "ru");  // a refused language changes nothing
}

// Everything the operator reads in a window that has logged in, read all three
// tables and filtered the history: captions, buttons, tips, headers, the
// program's words in the tables, the status line and every message.
struct LanguageWindow : WindowFixture {
    QSet<QString> moduleWords;
    void TearDown() override { UseLanguage(QStringLiteral("ru")); }

    QStringList Run() {
        Act();
        return Collect();
    }
    void Act() {
        sim::TSimOptions o;
        o.seedHistory = 40;
        Open(o);
        LogIn();
        QTest::mouseClick(Parts(w).settingsView->btnReadSettings, Qt::LeftButton);
        EXPECT_TRUE(Quiet());
        QTest::mouseClick(Parts(w).numbersView->btnDownloadNumbers, Qt::LeftButton);
        EXPECT_TRUE(Quiet());
        QTest::mouseClick(Parts(w).historyView->btnDownloadHistory, Qt::LeftButton);
        EXPECT_TRUE(Quiet());
        QTest::mouseClick(Parts(w).historyView->btnFilter, Qt::LeftButton);
    }
    // Every button in sight has a letter, unique among those in sight, on each tab.
    void LettersOnEveryTab() {
        for (int tab = 0; tab < 3; ++tab) {
            Parts(w).tabs->setCurrentIndex(tab);
            QMap<QChar, QString> seen;
            int shown = 0;
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (!b->isVisible() || b->text().isEmpty() || b->window() != w.get() || b == Parts(w).btnCancel) continue;
                const QChar letter = w->findChild<TMnemonics*>()->LetterOf(b);
                EXPECT_FALSE(letter.isNull()) << b->text().toStdString();
                EXPECT_FALSE(seen.contains(letter)) << b->text().toStdString() << " and " << seen[letter].toStdString();
                seen[letter] = b->text();
                ++shown;
            }
            EXPECT_GE(shown, 8) << tab;
        }
    }
    QStringList Collect() {
        QStringList texts = op.messages + op.told + op.questions + op.warnings + op.errors;
        texts << Parts(w).statusText->text();
        for (QWidget* widget : w->findChildren<QWidget*>()) {
            if (!widget->toolTip().isEmpty()) texts << widget->toolTip();
            if (auto* b = qobject_cast<QAbstractButton*>(widget)) texts << b->text();
            texts << widget->accessibleName() << widget->accessibleDescription();
            for (QAction* a : widget->actions())  // each language under its own name
                if (!QStringList{"ru", "en"}.contains(a->data().toString())) texts << a->text() << a->toolTip();
            if (auto* l = qobject_cast<QLabel*>(widget)) texts << l->text();
            if (auto* e = qobject_cast<QLineEdit*>(widget)) texts << e->placeholderText();
            if (auto* t = qobject_cast<QTabBar*>(widget))
                for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
            if (auto* c = qobject_cast<QComboBox*>(widget); c && c != Parts(w).portBox)
                for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
            if (auto* v = qobject_cast<QTableView*>(widget); v && v->model())
                for (int c = 0; c < v->model()->columnCount(); ++c)
                    texts << v->model()->headerData(c, Qt::Horizontal).toString();
        }
        // The program's words in the tables; the other cells are the module's.
        auto* settings = Parts(w).settingsView->settingsGrid->model();
        for (int r = 0; r < settings->rowCount(); ++r)
            for (int c : {0, 2}) texts << settings->index(r, c).data().toString();
        auto* history = Parts(w).historyView->historyGrid->model();
        for (int r = 0; r < history->rowCount(); ++r)
            for (int c : {THistoryTable::kSource, THistoryTable::kEvent}) texts << history->index(r, c).data().toString();
        texts.removeAll(QString());
        // The factory hints quote the module's own SMS texts, which are Latin.
        for (int r = 0; r < settings->rowCount(); ++r)
            for (const QString& word : settings->index(r, 1).data().toString().split(u' ')) moduleWords << word;
        return texts;
    }
};

// Save, download and connect keep one letter on every tab and in every
// state, in either language; the button that stops work has none.
TEST_F(LanguageWindow, AnActionKeepsItsLetterAndStopHasNone) {
    const struct {
        const char* language;
        QChar save, download, connect;
    } cases[] = {{"ru", u'С', u'К', u'В'}, {"en", u'S', u'D', u'C'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        ASSERT_TRUE(UseLanguage(QString::fromLatin1(c.language)));
        Open();
        auto* letters = w->findChild<TMnemonics*>();
        const auto check = [&] {
            letters->Assign();  // as the next paint of a changed caption does
            EXPECT_EQ(letters->LetterOf(Parts(w).settingsView->btnSaveSettings), c.save);
            EXPECT_EQ(letters->LetterOf(Parts(w).numbersView->btnSaveNumbers), c.save);
            for (QAbstractButton* b : {static_cast<QAbstractButton*>(Parts(w).settingsView->btnReadSettings),
                                       static_cast<QAbstractButton*>(Parts(w).numbersView->btnDownloadNumbers),
                                       static_cast<QAbstractButton*>(Parts(w).historyView->btnDownloadHistory)})
                EXPECT_EQ(letters->LetterOf(b), c.download) << b->text().toStdString();
            EXPECT_EQ(letters->LetterOf(Parts(w).btnConnect), c.connect) << Parts(w).btnConnect->text().toStdString();
            EXPECT_TRUE(letters->LetterOf(Parts(w).btnCancel).isNull());
        };
        check();
        LogIn();
        check();
    }
}

TEST_F(LanguageWindow, TheEnglishWindowHasNoRussianWord) {
    ASSERT_TRUE(UseLanguage(QStringLiteral("en")));
    const QStringList texts = Run();
    ASSERT_GT(texts.size(), 100);
    for (const QString& t : texts) EXPECT_FALSE(t.contains(kCyrillic)) << t.toStdString();
    EXPECT_TRUE(texts.contains("Download")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Basic settings read"));
}

// The language chosen in the menu applies at once, to a window that has
// worked in the other one; Alt and a caption's letter still press its button.
TEST_F(LanguageWindow, TheLanguageChangesAtOnceAndTheButtonsKeepTheirLetters) {
    ASSERT_TRUE(UseLanguage(QStringLiteral("ru")));
    Act();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    LettersOnEveryTab();
    op.messages.clear();
    op.told.clear();
    op.questions.clear();
    const auto fixedTexts = [&] {
        QStringList all = Collect();
        all.removeAll(Parts(w).statusText->text());
        all.sort();
        return all;
    };
    const QStringList russian = fixedTexts();
    QAction *english = nullptr, *back = nullptr;
    for (QAction* a : w->findChildren<QAction*>()) {
        if (a->data().toString() == "en") english = a;
        if (a->data().toString() == "ru") back = a;
    }
    ASSERT_NE(english, nullptr);
    ASSERT_NE(back, nullptr);
    english->trigger();
    QCoreApplication::sendPostedEvents();
    const QStringList texts = Collect();
    for (const QString& t : texts) EXPECT_FALSE(t.contains(kCyrillic)) << t.toStdString();
    EXPECT_TRUE(texts.contains("Download"));
    EXPECT_EQ(CurrentLanguage(), "en");

    LettersOnEveryTab();
    THistoryView* h = Parts(w).historyView;
    const QChar filter = w->findChild<TMnemonics*>()->LetterOf(h->btnFilter);
    h->endDateEdit->setDate(QDate(2015, 1, 1));  // a window that ends before it starts
    QTest::keyClick(w.get(), Qt::Key(filter.unicode()), Qt::AltModifier);
    EXPECT_TRUE(WaitFor([&] { return !op.messages.isEmpty(); }));  // pressed as a click shows it
    EXPECT_EQ(op.messages.value(0), "Wrong time range");

    // And back: every text as it was, none taken for another of the same English.
    op.messages.clear();
    back->trigger();
    QCoreApplication::sendPostedEvents();
    const QStringList again = fixedTexts();
    for (const QString& t : again)
        EXPECT_TRUE(russian.contains(t)) << "after RU→EN→RU: " << t.toStdString();
}

TEST_F(LanguageWindow, TheRussianWindowHasNoEnglishWord) {
    ASSERT_TRUE(UseLanguage(QStringLiteral("ru")));
    const QStringList texts = Run();
    ASSERT_GT(texts.size(), 100);
    for (const QString& t : texts) EXPECT_EQ(EnglishWords(t, moduleWords), QStringList()) << t.toStdString();
    EXPECT_TRUE(texts.contains("Скачать"));
    EXPECT_TRUE(texts.contains("Базовые настройки считаны"));
}

} // namespace
} // namespace portiqa::test

namespace portiqa::test {
namespace {

// Every caption fits its widget: each line of a label's or a button's text
// against the room the widget gives it.
QStringList CutTexts(QWidget* root) {
    QStringList cut;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root)) continue;
        QString text;
        int room = 0;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->wordWrap()) continue;
            text = l->text();
            room = l->contentsRect().width();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            text = b->text();
            room = b->width() - 4;  // the frame
        } else {
            continue;
        }
        const QFontMetrics metrics(w->font());
        for (const QString& line : text.split(u'\n'))
            if (!line.isEmpty() && metrics.horizontalAdvance(line) > room)
                cut << QStringLiteral("%1 (%2 > %3)").arg(line).arg(metrics.horizontalAdvance(line)).arg(room);
    }
    return cut;
}

TEST_F(LanguageWindow, NoCaptionIsCutAt1280x720Or1024x768NorAtTheMinimumSizeInEitherLanguage) {
    for (const char* lang : {"ru", "en"}) {
        ASSERT_TRUE(UseLanguage(QLatin1String(lang)));
        Open();
        w->show();
        for (const QSize size : {QSize(1280 - 16, 720 - 40), QSize(1024 - 16, 768 - 68), w->minimumSize()}) {
            w->resize(size);
            for (int tab = 0; tab < Parts(w).tabs->count(); ++tab) {
                Parts(w).tabs->setCurrentIndex(tab);
                QCoreApplication::processEvents();
                if (tab == 0 && size.width() >= 1000) {
                    // The settings' hints are read whole without scrolling sideways.
                    const QTableView* grid = Parts(w).settingsView->settingsGrid;
                    EXPECT_LE(grid->columnViewportPosition(2) + grid->columnWidth(2), grid->viewport()->width())
                        << lang << " " << size.width();
                }
                EXPECT_LE(w->width(), 1280 - 16);
                EXPECT_EQ(CutTexts(w.get()), QStringList()) << lang << " " << size.width() << "x" << size.height() << " tab " << tab;
            }
        }
        w.reset();
    }
}

// A screen reader finds a name and a description on every control the
// operator can reach, on every tab, in both languages; the tables announce
// their column headers.
QStringList Unnamed(QWidget* root) {
    QStringList unnamed;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus) continue;
        // The parts Qt builds inside a control (a box's editor, a table's
        // viewport) are announced through the control.
        if (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget()) ||
            qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a && a->role() == QAccessible::PageTabList) {
            // A tab bar is announced by its tabs.
            for (int i = 0; i < a->childCount(); ++i)
                if (QAccessibleInterface* tab = a->child(i); tab->role() == QAccessible::PageTab &&
                    (tab->text(QAccessible::Name).isEmpty() || tab->text(QAccessible::Description).isEmpty()))
                    unnamed << QStringLiteral("tab %1 «%2»").arg(i).arg(tab->text(QAccessible::Name));
            continue;
        }
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty() || a->text(QAccessible::Description).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 %2 «%3»").arg(w->metaObject()->className(), w->objectName(),
                                                       a ? a->text(QAccessible::Name) : QString());
        if (auto* table = qobject_cast<QTableView*>(w); table && a && a->tableInterface()) {
            for (int c = 0; c < table->model()->columnCount(); ++c) {
                if (table->isColumnHidden(c)) continue;
                if (table->model()->headerData(c, Qt::Horizontal).toString().isEmpty())
                    unnamed << QStringLiteral("%1 column %2").arg(a->text(QAccessible::Name)).arg(c);
            }
        }
    }
    return unnamed;
}

TEST_F(LanguageWindow, EveryControlHasANameAndADescriptionInEitherLanguage) {
    for (const char* lang : {"ru", "en"}) {
        ASSERT_TRUE(UseLanguage(QLatin1String(lang)));
        Open();
        w->show();
        QAccessible::setActive(true);
        for (int tab = 0; tab < Parts(w).tabs->count(); ++tab) {
            Parts(w).tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            EXPECT_EQ(Unnamed(w.get()), QStringList()) << lang << " tab " << tab;
        }
        {
            TModuleJournal journal(w->Record(), w->Session(), w.get());
            journal.show();
            QCoreApplication::processEvents();
            EXPECT_EQ(Unnamed(&journal), QStringList()) << lang << " journal";
        }
        w.reset();
    }
}

// The questions the window asks: every answer and box named and described,
// in both languages.
TEST(QuestionDialogs, EveryControlHasANameAndADescriptionInEitherLanguage) {
    QAccessible::setActive(true);
    QWidget owner;
    TGuiOperator ask(&owner);
    bool tick = false;
    QList<IOperator::TChoice> choices{{"Настройки", true}, {"Номера", true}};
    const std::vector<std::function<void()>> dialogs{
        [&] { ask.ShowMessage("Сообщение"); },
        [&] { ask.AskAccept("Записать?"); },
        [&] { ask.AskAcceptWithOption("Записать?", "В обычной форме", tick); },
        [&] { ask.AskChoices("Что восстановить?", choices); },
        [&] { ask.WarnOkCancel("Потеря"); },
        [&] { ask.AskText("Страна", "+7"); },
        [&] { ask.AskUnsaved("Изменения не сохранены"); },
        [&] { ask.ReportError("Ошибка"); },
    };
    for (const char* lang : {"ru", "en"}) {
        ASSERT_TRUE(UseLanguage(QLatin1String(lang)));
        for (size_t i = 0; i < dialogs.size(); ++i) {
            QStringList unnamed{"not shown"};
            QTimer look;  // in the dialog's own loop; any dialog left shut after a bound
            int ticks = 0;
            QObject::connect(&look, &QTimer::timeout, [&] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (box) unnamed = Unnamed(box);
                if (box || ++ticks > 1000)
                    for (QDialog* d : owner.findChildren<QDialog*>()) d->reject();
            });
            look.start(0);
            dialogs[i]();
            look.stop();
            EXPECT_EQ(unnamed, QStringList()) << lang << " dialog " << i;
        }
    }
    UseLanguage(QStringLiteral("ru"));
}

} // namespace
} // namespace portiqa::test
