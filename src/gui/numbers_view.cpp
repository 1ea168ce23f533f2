#include "gui/numbers_view.h"
#include "base/texts.h"
#include "gui/date_typing.h"
#include "gui/numbers_delegate.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QTimer>
#include "numbers/number_expiry.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace portiqa {

namespace {

using T = TNumberTable;

QPushButton* Button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedSize(90, 40);
    return b;
}

} // namespace

TNumbersView::TNumbersView(TNumberTable& table, QWidget* parent) : QWidget(parent), table_(table) {
    const QDateTime now = QDateTime::currentDateTime();
    endDate = now.date();
    endTime = QTime(now.time().hour(), now.time().minute());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildButtons());
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    // Above the table: find a number, and how many windows ended or end soon.
    rightLayout->addLayout(BuildSearchStrip(right));
    numbersGrid = new TGridView(right);
    numbersGrid->setAccessibleName(TText::tr("Номера пользователей"));
    numbersGrid->setAccessibleDescription(TText::tr(
        "Номер, начало и конец срока действия, без ограничений, удалить; пробел или щелчок меняет отметку"));
    BuildModel();
    BuildGrid();
    rightLayout->addWidget(numbersGrid, 1);
    layout->addWidget(right, 1);

    // The counts follow the table, once per burst of changes.
    auto* recount = new QTimer(this);
    recount->setSingleShot(true);
    recount->setInterval(0);
    connect(recount, &QTimer::timeout, this, [this] { UpdateExpiry(); });
    connect(&table_.Grid(), &TStringGrid::CellChanged, recount, qOverload<>(&QTimer::start));
    connect(&table_.Grid(), &TStringGrid::RowsChanged, recount, qOverload<>(&QTimer::start));
    UpdateExpiry();

    connect(numbersGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (table_.ClickFlag(index.column(), index.row() + 1)) return;
        // A click on a date or time cell opens its picker.
        if (index.column() >= T::kStartDate && index.column() <= T::kEndTime && !numbersGrid->Editing())
            numbersGrid->edit(index);
    });
    connect(btnAllUnrestricted, &QPushButton::clicked, this, [this] { table_.ToggleAllUnrestricted(); });
    connect(btnDeleteAll, &QPushButton::clicked, this, [this] { table_.ToggleAllDelete(); });
    numbersGrid->setCurrentIndex(model_->IndexOf(1, 1));
}

// The column of buttons on the left.
QWidget* TNumbersView::BuildButtons() {
    auto* column = new QWidget(this);
    column->setFixedWidth(100);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(5, 12, 5, 6);
    buttons->setSpacing(10);
    btnDownloadNumbers = Button(TText::tr("Скачать"), column);
    btnSaveNumbers = Button(TText::tr("Сохранить"), column);
    btnImportNumbers = Button(TText::tr("Импорт  XLS"), column);
    btnExportNumbers = Button(TText::tr("Экспорт XLS"), column);
    btnAllUnrestricted = Button(TText::tr("Без ограничений\nвсем"), column);
    btnDeleteAll = Button(TText::tr("Удалить всех"), column);
    btnExportNumbersCsv = Button(TText::tr("Export .CSV"), column);
    btnNumbersSpare = Button(QString(), column);
    btnSite = Button(TText::tr("Список\nобъекта"), column);
    btnExtend = Button(TText::tr("Продлить\nсрок…"), column);
    btnDownloadNumbers->setToolTip(TText::tr("Прочитать список номеров из GSM модуля в таблицу"));
    btnSaveNumbers->setToolTip(TText::tr("Записать изменённый список номеров в GSM модуль"));
    btnImportNumbers->setToolTip(TText::tr("Загрузить список номеров из файла (xlsx, xls, csv) в таблицу"));
    btnExportNumbers->setToolTip(TText::tr("Сохранить список номеров из таблицы в файл"));
    btnAllUnrestricted->setToolTip(TText::tr("Снять ограничение срока действия со всех номеров таблицы"));
    btnDeleteAll->setToolTip(TText::tr("Отметить все номера таблицы для удаления"));
    btnSite->setToolTip(TText::tr("Загрузить в таблицу общий список объекта, в который входит модуль; "
                                  "в модуль его записывает «Сохранить»"));
    btnExtend->setToolTip(TText::tr("Продлить или сократить срок действия выбранных записей (щелчки с Ctrl), "
                                    "а если выбрана одна — всех записей со сроком"));
    for (auto* b : {btnDownloadNumbers, btnSaveNumbers, btnImportNumbers, btnExportNumbers, btnAllUnrestricted, btnDeleteAll, btnExtend, btnSite, btnExportNumbersCsv, btnNumbersSpare}) buttons->addWidget(b);
    QFont small = btnAllUnrestricted->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);  // its caption is the longest of the column
    btnAllUnrestricted->setFont(small);
    btnExportNumbersCsv->hide();
    btnNumbersSpare->hide();
    buttons->addStretch();

    return column;
}

// Find a number, the expiry counts and the incomplete list's warning.
QHBoxLayout* TNumbersView::BuildSearchStrip(QWidget* right) {
    auto* strip = new QHBoxLayout();
    strip->setContentsMargins(4, 2, 4, 0);
    search = new QLineEdit(right);
    search->setPlaceholderText(TText::tr("Поиск номера или имени (Ctrl+F)"));
    search->setClearButtonEnabled(true);
    search->setFixedWidth(220);
    search->setAccessibleName(TText::tr("Поиск номера"));
    search->setToolTip(TText::tr("Найти номер, имя, место или примечание в таблице; клавиша ввода — следующий найденный"));
    findNext = new QPushButton(TText::tr("Найти далее"), right);
    findNext->setToolTip(TText::tr("Перейти к следующему найденному номеру"));
    expiry = new QLabel(right);
    // The colours' legend; each coloured cell says the same in its tooltip.
    expiry->setToolTip(TText::tr("Цвета строк: серый — срок истёк; оранжевый — истекает в течение 7 дней; "
                                 "розовый и зачёркнутый — отмечен для удаления; зелёный — дата или время с ошибкой"));
    strip->addWidget(search);
    strip->addWidget(findNext);
    strip->addSpacing(20);
    strip->addWidget(expiry);
    strip->addSpacing(20);
    incomplete = new QLabel(right);
    incomplete->setStyleSheet(QStringLiteral("color: rgb(200,0,0); font-weight: bold"));
    incomplete->hide();
    strip->addWidget(incomplete);
    connect(&table_, &TNumberTable::PagesReadChanged, this, [this](int pages) {
        pagesRead_ = pages;
        ShowIncomplete();
    });
    strip->addStretch();
    auto* shortcut = new QShortcut(QKeySequence::Find, this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        search->setFocus(Qt::ShortcutFocusReason);
        search->selectAll();
    });
    connect(search, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(findNext, &QPushButton::clicked, this, [this] { FindNext(); });

    return strip;
}

// What each cell shows: colours, tips, greyed and struck-out texts.
void TNumbersView::BuildModel() {
    model_ = new TGridModel(table_.Grid(), T::kRecords, this);
    model_->Editable = [](int col, int) { return (col >= T::kNumber && col <= T::kEndTime) || col >= T::kName; };
    model_->Alignment = [](int col, int) -> QVariant {
        return col >= T::kName ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    };
    model_->HideText = [](int col, int) { return col == T::kUnrestricted || col == T::kDelete; };
    model_->Background = [this](int col, int row) -> QVariant {
        // A row marked for deletion cannot be mistaken for a kept one.
        if (table_.Grid().Cells(T::kDelete, row) == T::Yes() && col != T::kSerial) return QColor(255, 190, 190);
        if (table_.OutOfRange(col, row) || NotARealDateOrTime(col, row)) return QColor(192, 220, 192);
        if (col >= T::kNumber && col <= T::kEndTime) {
            // A window that has ended is grey; one that ends within a week stands out.
            const TValidity v = ValidityOf(table_.Grid(), row, now_);
            if (v == TValidity::Expired) return QColor(205, 205, 205);
            if (v == TValidity::Expiring) return QColor(255, 221, 170);
        }
        return {};
    };
    model_->Meaning = [this](int col, int row) -> QString {
        if (col == T::kSerial) return {};
        if (table_.Grid().Cells(T::kDelete, row) == T::Yes()) return TText::tr("Отмечен для удаления: сохранение удалит номер из GSM модуля");
        if (table_.OutOfRange(col, row) || NotARealDateOrTime(col, row))
            return TText::tr("Такой даты или времени нет, или год вне 2000-2099: исправьте перед сохранением");
        QString meaning;
        if (col >= T::kNumber && col <= T::kEndTime) {
            const TValidity v = ValidityOf(table_.Grid(), row, now_);
            if (v == TValidity::Expired) meaning = TText::tr("Срок действия истёк");
            if (v == TValidity::Expiring) meaning = TText::tr("Срок действия истекает в течение 7 дней");
        }
        const QString& number = table_.Grid().Cells(T::kNumber, row);
        if (col == T::kNumber && LastUse && !number.isEmpty())
            if (const QString use = LastUse(number); !use.isEmpty()) meaning = meaning.isEmpty() ? use : meaning + u'\n' + use;
        return meaning;
    };
    // Dates and times kept under a ticked flag are greyed: the save ignores
    // them, unticking brings them back.
    model_->Foreground = [this](int col, int row) -> QVariant {
        const bool flagged = table_.Grid().Cells(T::kDelete, row) == T::Yes() ||
                             table_.Grid().Cells(T::kUnrestricted, row) == T::Yes();
        if (flagged && col >= T::kStartDate && col <= T::kEndTime) return QColor(150, 150, 150);
        return {};
    };
    model_->Font = [this](int col, int row) -> QVariant {
        if (col != T::kNumber || table_.Grid().Cells(T::kDelete, row) != T::Yes()) return {};
        QFont f = numbersGrid->font();
        f.setStrikeOut(true);
        return f;
    };
}

// How the grid is driven: editors, selection, keys, column widths.
void TNumbersView::BuildGrid() {
    numbersGrid->setModel(model_);
    numbersGrid->setItemDelegate(NewNumbersDelegate(table_, this));
    numbersGrid->setFont(QApplication::font());
    // No editor opens because a cell became current, nor after a delay on a
    // click: only by the operator's explicit action (see KeyHook and clicked).
    numbersGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed);
    // Several records are chosen with Shift or Ctrl, for the bulk edits.
    numbersGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    numbersGrid->CanBeCurrent = [](const QModelIndex& index) { return index.column() != T::kSerial; };
    numbersGrid->KeyHook = [this](QKeyEvent* e) { return GridKey(e); };
    numbersGrid->verticalHeader()->hide();
    numbersGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    numbersGrid->verticalHeader()->setDefaultSectionSize(24);
    numbersGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    numbersGrid->FitColumns({45, 145, 83, 98, 99, 100, 95, 82, 160, 80, 160},
                         {QStringLiteral("3000"), QStringLiteral("+7916123456789012345"), QStringLiteral("2024/05/06"),
                          QStringLiteral("23:59"), QStringLiteral("2024/05/06"), QStringLiteral("23:59")});

}

void TNumbersView::ShowIncomplete() {
    incomplete->setVisible(table_.Incomplete());
    incomplete->setText(TText::tr("Список неполный: прочитано %1 из %2 страниц").arg(pagesRead_).arg(TNumberTable::kPages));
}

void TNumbersView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ShowIncomplete();
        UpdateExpiry();
    }
    QWidget::changeEvent(event);
}

void TNumbersView::UpdateExpiry() {
    now_ = Now ? Now() : QDateTime::currentDateTime();
    expiry->setText(ExpiryText(CountExpiry(table_.Grid(), now_)));
    numbersGrid->viewport()->update();
}

bool TNumbersView::FindNext() {
    const int from = numbersGrid->currentIndex().isValid() ? numbersGrid->currentIndex().row() + 1 : 0;
    const int row = FindNumber(table_.Grid(), search->text(), from);
    if (row == 0) {
        expiry->setText(TText::tr("«%1» не найдено").arg(search->text()));
        return false;
    }
    const QModelIndex at = model_->IndexOf(T::kNumber, row);
    numbersGrid->setCurrentIndex(at);
    numbersGrid->scrollTo(at, QAbstractItemView::PositionAtCenter);
    UpdateExpiry();
    return true;
}

QList<int> TNumbersView::ChosenRows() const {
    QList<int> rows;
    for (const QModelIndex& i : numbersGrid->selectionModel()->selectedIndexes())
        if (!rows.contains(i.row() + 1)) rows << i.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows.size() > 1 ? rows : QList<int>{};
}

bool TNumbersView::NotARealDateOrTime(int col, int row) const {
    const QString& t = table_.Grid().Cells(col, row);
    if (t.isEmpty()) return false;
    if (col == T::kStartDate || col == T::kEndDate) return !T::ParseDate(t).has_value();
    if (col == T::kStartTime || col == T::kEndTime) return !T::ParseTime(t).has_value();
    return false;
}

// Keys on the grid itself (no editor open). Moving keys go to the grid;
// Space toggles a flag cell; Enter opens the current cell's editor; on a
// date or time cell only a digit opens the picker (and goes into it).
bool TNumbersView::GridKey(QKeyEvent* e) {
    const QModelIndex cur = numbersGrid->currentIndex();
    if (!cur.isValid()) return false;
    const int col = cur.column(), row = cur.row() + 1;
    if (e->key() == Qt::Key_Space && (col == T::kUnrestricted || col == T::kDelete)) {
        table_.ClickFlag(col, row);
        return true;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && ((col >= T::kNumber && col <= T::kEndTime) || col >= T::kName)) {
        numbersGrid->edit(cur);
        return true;
    }
    const QString text = e->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    if (col == T::kNumber || col >= T::kName) return false;  // typed in place
    if (col >= T::kStartDate && col <= T::kEndTime && text.at(0).isDigit()) return false;
    return true;  // any other printable key does nothing
}

} // namespace portiqa
