#include "gui/module_journal.h"
#include "numbers/people.h"
#include "gui/mnemonics.h"
#include "base/texts.h"
#include "record/snapshot_diff.h"
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace portiqa {

namespace {
constexpr int kShown = 500;
constexpr int kSnapshotRole = Qt::UserRole + 1;

// The record keeps its words in English, the same for every program; the
// window shows them in the operator's language.
QString Shown(const QString& stored) {
    static const QHash<QString, const char*> words{
        {"read", QT_TRANSLATE_NOOP("TText", "чтение")},           {"save", QT_TRANSLATE_NOOP("TText", "после записи")},
        {"backup", QT_TRANSLATE_NOOP("TText", "резервная копия")}, {"restore", QT_TRANSLATE_NOOP("TText", "восстановление")},
        {"settings", QT_TRANSLATE_NOOP("TText", "настройки")},    {"numbers", QT_TRANSLATE_NOOP("TText", "номера")},
        {"history", QT_TRANSLATE_NOOP("TText", "история")},       {"command", QT_TRANSLATE_NOOP("TText", "команда")},
        {"done", QT_TRANSLATE_NOOP("TText", "выполнено")},         {"failed", QT_TRANSLATE_NOOP("TText", "не выполнено")},
        {"no answer", QT_TRANSLATE_NOOP("TText", "модуль не ответил")},
        {"cancelled", QT_TRANSLATE_NOOP("TText", "прервано")},
        {"another module", QT_TRANSLATE_NOOP("TText", "другой модуль")},
        {"no record", QT_TRANSLATE_NOOP("TText", "журнал недоступен")},
    };
    const auto it = words.find(stored);
    return it == words.end() ? stored : Translated(QString::fromUtf8(*it));
}

QString ShownList(const QStringList& stored) {
    QStringList out;
    for (const QString& s : stored) out << Shown(s);
    return out.join(QStringLiteral(", "));
}
} // namespace

TModuleJournal::TModuleJournal(TRecord* record, TSession& session, QWidget* parent)
    : QDialog(parent), record_(record), session_(session) {
    BuildControls();
    new TMnemonics(this);
    connect(modules, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0 && record_) ShowModule(modules->itemData(i).toLongLong());
    });
    connect(saveName, &QPushButton::clicked, this, [this] {
        QString e;
        if (!record_->NameModule(modules->currentData().toLongLong(), name->text().trimmed(), e)) differences->setPlainText(e);
    });
    connect(compare, &QPushButton::clicked, this, [this] { CompareSelected(); });
    connect(compareWithTables, &QPushButton::clicked, this, [this] { CompareWithTables(); });
    connect(load, &QPushButton::clicked, this, [this] { LoadSelected(); });
    ListModules();
}

// The record's modules in the list, the one logged in chosen; every control
// but the record's place off when there is no record.
void TModuleJournal::ListModules() {
    for (QWidget* w : std::initializer_list<QWidget*>{modules, name, saveName, entries, compare, compareWithTables, load})
        w->setEnabled(record_ != nullptr);
    const QSignalBlocker quiet(modules);
    modules->clear();
    entries->setRowCount(0);
    name->clear();
    differences->clear();
    known_.clear();
    if (!record_) return;
    QString error;
    known_ = record_->Modules(error);
    int current = 0;
    for (const TKnownModule& m : known_) {
        QString caption = m.sim.isEmpty() ? TText::tr("(номер SIM не задан)") : m.sim;
        if (!m.name.isEmpty()) caption += QStringLiteral(" — ") + m.name;
        modules->addItem(caption + QStringLiteral("  (%1)").arg(m.lastSeen.toString(QStringLiteral("yyyy-MM-dd HH:mm"))), m.id);
        if (session_.ModuleId() == m.id) current = modules->count() - 1;
    }
    if (!error.isEmpty()) differences->setPlainText(error);
    if (modules->count() > 0) {
        modules->setCurrentIndex(current);
        ShowModule(modules->itemData(current).toLongLong());
    }
}

// The place of the record, the module and its name, the entries, the
// comparison; each named for a screen reader.
void TModuleJournal::BuildControls() {
    setWindowTitle(TText::tr("Журнал модуля"));
    resize(900, 600);
    auto* layout = new QVBoxLayout(this);
    auto* place = new QHBoxLayout;
    place->addWidget(new QLabel(TText::tr("Журнал модулей:"), this));
    where = new QLineEdit(record_ ? record_->Where() : QString(), this);
    where->setPlaceholderText(TText::tr("файл журнала или postgresql://пользователь@сервер/база"));
    place->addWidget(where, 1);
    reopen = new QPushButton(TText::tr("Открыть"), this);
    reopen->setToolTip(TText::tr("Пустое поле: файл журнала в папке пользователя"));
    place->addWidget(reopen);
    layout->addLayout(place);
    // The record is opened again (the same one tried again, or another) and
    // shown here: the journal stays open.
    connect(reopen, &QPushButton::clicked, this, [this] {
        if (!OnReopen) return;
        QString problem;
        record_ = OnReopen(where->text().trimmed(), problem);
        if (record_) where->setText(record_->Where());
        ListModules();
        if (!record_) differences->setPlainText(TText::tr("Журнал модулей недоступен: %1").arg(problem));
    });
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(TText::tr("Модуль:"), this));
    modules = new QComboBox(this);
    top->addWidget(modules, 1);
    top->addWidget(new QLabel(TText::tr("Имя:"), this));
    name = new QLineEdit(this);
    name->setPlaceholderText(TText::tr("например, Ворота, Лесная 5"));
    name->setMaxLength(TPeople::kNameWidth);  // the record refuses a longer name
    top->addWidget(name, 1);
    saveName = new QPushButton(TText::tr("Сохранить имя"), this);
    top->addWidget(saveName);
    layout->addLayout(top);
    entries = new QTableWidget(0, 4, this);
    entries->setHorizontalHeaderLabels({TText::tr("Время"), TText::tr("Что"), TText::tr("Кто"), TText::tr("Подробности")});
    entries->horizontalHeader()->setStretchLastSection(true);
    entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entries->verticalHeader()->hide();
    layout->addWidget(entries, 3);
    auto* buttons = new QHBoxLayout;
    compare = new QPushButton(TText::tr("Сравнить два снимка"), this);
    compareWithTables = new QPushButton(TText::tr("Сравнить с таблицами"), this);
    load = new QPushButton(TText::tr("Загрузить в таблицы"), this);
    load->setToolTip(TText::tr("Настройки и номера снимка попадут в таблицы; в модуль их запишет обычное сохранение"));
    for (QPushButton* b : {compare, compareWithTables, load}) buttons->addWidget(b);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    differences = new QPlainTextEdit(this);
    differences->setReadOnly(true);
    layout->addWidget(differences, 2);
    // Every control named and described for a screen reader.
    const struct {
        QWidget* widget;
        QString name, description;
    } told[] = {
        {where, TText::tr("Журнал модулей"), where->placeholderText()},
        {modules, TText::tr("Модуль"), TText::tr("Модуль, чьи снимки и записи показаны")},
        {name, TText::tr("Имя модуля"), name->placeholderText()},
        {saveName, saveName->text(), TText::tr("Сохранить имя модуля в журнале")},
        {entries, TText::tr("Снимки и записи"), TText::tr("Новые первыми; выберите один снимок или два для сравнения")},
        {compare, compare->text(), TText::tr("Различия двух выбранных снимков")},
        {compareWithTables, compareWithTables->text(), TText::tr("Различия выбранного снимка и таблиц окна")},
        {differences, TText::tr("Различия"), TText::tr("Что различается, по строкам настроек и записям номеров")},
    };
    for (const auto& t : told) {
        t.widget->setAccessibleName(t.name);
        t.widget->setAccessibleDescription(t.description);
    }
}

void TModuleJournal::ShowModule(qint64 id) {
    QString error;
    for (const TKnownModule& m : known_)
        if (m.id == id) name->setText(m.name);
    struct TRow { QDateTime at; QString what, who, details; qint64 snapshot; };
    QList<TRow> rows;
    for (const TSnapshot& s : record_->Snapshots(id, kShown, error))
        rows << TRow{s.takenAt, TText::tr("снимок @%1: %2").arg(s.id).arg(Shown(s.kind)), s.user + u'@' + s.host, ShownList(s.areas), s.id};
    for (const TJournalEntry& e : record_->Journal(id, kShown, error)) {
        QString details = e.intent;
        if (!e.file.isEmpty()) details += TText::tr(" (из файла %1)").arg(e.file);
        details += TText::tr("; итог: %1, страниц записано: %2, проверено: %3")
                       .arg(e.outcome.isEmpty() ? TText::tr("не завершена") : Shown(e.outcome))
                       .arg(e.pagesWritten)
                       .arg(e.pagesVerified);
        rows << TRow{e.startedAt, TText::tr("запись: %1").arg(Shown(e.operation)), e.user + u'@' + e.host, details, 0};
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TRow& a, const TRow& b) { return a.at > b.at; });
    entries->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const TRow& r = rows[i];
        const QStringList cells{r.at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), r.what, r.who,
                                QString(r.details).replace(u'\n', QStringLiteral("; "))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(kSnapshotRole, r.snapshot);
            item->setToolTip(r.details);
            entries->setItem(i, c, item);
        }
    }
    entries->resizeColumnsToContents();
    if (!error.isEmpty()) differences->setPlainText(error);
}

QList<qint64> TModuleJournal::SelectedSnapshots() const {
    QList<qint64> ids;
    for (const QModelIndex& i : entries->selectionModel()->selectedRows())
        if (const qint64 id = entries->item(i.row(), 0)->data(kSnapshotRole).toLongLong(); id > 0) ids << id;
    std::sort(ids.begin(), ids.end());  // older first
    return ids;
}

std::optional<TSnapshot> TModuleJournal::OneSelected() {
    const QList<qint64> ids = SelectedSnapshots();
    if (ids.size() != 1) {
        differences->setPlainText(TText::tr("Выберите один снимок"));
        return std::nullopt;
    }
    QString error;
    auto s = record_->Snapshot(ids[0], error);
    if (!s) differences->setPlainText(error);
    return s;
}

void TModuleJournal::Show(const QString& a, const QString& b, const TModulePages& first, const TModulePages& second) {
    const TSnapshotDiff d = DiffModulePages(first, second);
    QStringList text{QStringLiteral("--- ") + a, QStringLiteral("+++ ") + b};
    if (!d.settings && !d.numbers) text << TText::tr("Нечего сравнивать: нет общих настроек или списка номеров");
    if (d.settings) text << (d.rowLines.isEmpty() ? TText::tr("Настройки: без изменений") : TText::tr("Настройки:")) << d.rowLines;
    if (d.numbers) {
        text << TText::tr("Номера: ") + d.records.Counts();
        for (const TNumberChange& c : d.records.changes)
            text << TText::tr("запись %1: %2 → %3").arg(c.serial).arg(c.before, c.after);
    }
    differences->setPlainText(text.join(u'\n'));
}

void TModuleJournal::CompareSelected() {
    const QList<qint64> ids = SelectedSnapshots();
    if (ids.size() != 2) {
        differences->setPlainText(TText::tr("Выберите два снимка (Ctrl+щелчок)"));
        return;
    }
    QString error;
    const auto a = record_->Snapshot(ids[0], error), b = record_->Snapshot(ids[1], error);
    if (!a || !b) return differences->setPlainText(error);
    Show(QStringLiteral("@%1").arg(a->id), QStringLiteral("@%1").arg(b->id), a->pages, b->pages);
}

TModulePages TModuleJournal::Tables() const {
    TModulePages pages;
    pages.settings = session_.SettingsPagesOfTable();
    pages.numbers = session_.NumberPagesOfTable();
    return pages;
}

void TModuleJournal::CompareWithTables() {
    const auto s = OneSelected();
    if (!s) return;
    try {
        Show(QStringLiteral("@%1").arg(s->id), TText::tr("таблицы"), s->pages, Tables());
    } catch (const std::exception& e) {
        differences->setPlainText(QString::fromUtf8(e.what()));  // a table value that cannot be encoded
    }
}

void TModuleJournal::LoadSelected() {
    const auto s = OneSelected();
    if (!s) return;
    // The snapshot's module, as far as the record knows it: a save into
    // another module asks first.
    TModuleIdentity from;
    for (const TKnownModule& m : known_)
        if (m.id == s->moduleId) from = {m.sim, m.bridgeSerial, QString(), -1};
    const QStringList loaded = session_.LoadSnapshot(*s, from);
    if (loaded.isEmpty() && s->pages.settings.isEmpty() && s->pages.numbers.isEmpty())
        differences->setPlainText(TText::tr("В снимке @%1 нет ни настроек, ни списка номеров").arg(s->id));
    if (loaded.isEmpty()) return;
    differences->setPlainText(TText::tr("Загружено в таблицы из снимка @%1: %2. В модуль их запишет кнопка «Сохранить».")
                                  .arg(s->id)
                                  .arg(loaded.join(QStringLiteral(", "))));
}

} // namespace portiqa
