#include "gui/history_view.h"
#include "base/texts.h"
#include "gui/date_typing.h"
#include "history/history_block.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProxyStyle>
#include <QStyleOptionHeader>
#include <QScrollBar>
#include <algorithm>
#include <QVBoxLayout>

namespace portiqa {

namespace {
// The header's arrow points the way the values run down the column: ▼ when
// the newest (the largest) is first.
class TSortArrowStyle : public QProxyStyle {
public:
    explicit TSortArrowStyle(QObject* owner) : QProxyStyle(QApplication::style()->name()) { setParent(owner); }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element == PE_IndicatorHeaderArrow && header) {
            QStyleOptionHeader flipped(*header);
            auto* view = qobject_cast<const QHeaderView*>(widget);
            const bool descending = view ? view->sortIndicatorOrder() == Qt::DescendingOrder
                                         : header->sortIndicator == QStyleOptionHeader::SortUp;
            flipped.sortIndicator = descending ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
            return QProxyStyle::drawPrimitive(element, &flipped, painter, widget);
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};
} // namespace

namespace {

// A record's date and time as one key that orders them ("2026-03-04" and
// "12:30:00" give 20260304123000); 0 for cells of another shape.
qint64 WhenKey(const QAbstractItemModel* m, int row) {
    const QString date = m->index(row, THistoryTable::kDate).data(Qt::EditRole).toString();
    const QString time = m->index(row, THistoryTable::kTime).data(Qt::EditRole).toString();
    QString digits = date + time;
    digits.remove(u'-').remove(u':');
    bool ok = false;
    const qint64 key = digits.toLongLong(&ok);
    return ok && digits.size() == 14 ? key : 0;
}

} // namespace

bool THistoryRows::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return !sourceModel()->index(sourceRow, THistoryTable::kRecordNo).data(Qt::EditRole).toString().isEmpty();
}

bool THistoryRows::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int col = left.column();
    // Dates and times order by the moment, "№" by its number; records of one
    // moment by their place in the module's log.
    if (col == THistoryTable::kDate || col == THistoryTable::kTime) {
        const qint64 a = WhenKey(sourceModel(), left.row()), b = WhenKey(sourceModel(), right.row());
        if (a != b) return a < b;
    } else if (col == THistoryTable::kRecordNo) {
        const int a = left.data(Qt::EditRole).toInt(), b = right.data(Qt::EditRole).toInt();
        if (a != b) return a < b;
    } else if (col != THistoryTable::kSerial) {
        const int order = QString::localeAwareCompare(left.data().toString(), right.data().toString());
        if (order != 0) return order < 0;
    }
    return left.row() < right.row();
}

THistoryView::THistoryView(THistoryTable& table, QWidget* parent) : QWidget(parent), table_(table) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(BuildStrip());
    auto* body = new QHBoxLayout();
    body->setSpacing(0);
    body->addWidget(BuildButtons());
    BuildGrid();
    body->addWidget(historyGrid, 1);
    outer->addLayout(body, 1);
    Count();
}

// The download button and the filter's window.
QHBoxLayout* THistoryView::BuildStrip() {
    auto* strip = new QHBoxLayout();
    strip->setContentsMargins(105, 6, 6, 6);
    btnDownloadHistory = new QPushButton(TText::tr("Скачать"), this);
    btnFilter = new QPushButton(TText::tr("Фильтр"), this);
    btnShowAll = new QPushButton(TText::tr("Сбросить"), this);
    btnShowAll->setToolTip(TText::tr("Показать все скачанные записи"));
    startDateEdit = new QDateEdit(QDate(2015, 3, 3), this);
    startDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    startDateEdit->setCalendarPopup(true);
    startTimeEdit = new QTimeEdit(QTime(0, 0, 0), this);
    startTimeEdit->setDisplayFormat(QStringLiteral("H:mm:ss"));
    const QDateTime now = QDateTime::currentDateTime();
    endDateEdit = new QDateEdit(now.date(), this);
    endDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    endDateEdit->setCalendarPopup(true);
    endTimeEdit = new QTimeEdit(now.time(), this);
    endTimeEdit->setDisplayFormat(QStringLiteral("H:mm:ss"));
    btnDownloadHistory->setToolTip(TText::tr("Прочитать журнал событий из GSM модуля"));
    btnFilter->setToolTip(TText::tr("Показать только записи между началом и концом"));
    startDateEdit->setAccessibleName(TText::tr("Начало: дата"));
    startTimeEdit->setAccessibleName(TText::tr("Начало: время"));
    endDateEdit->setAccessibleName(TText::tr("Конец: дата"));
    endTimeEdit->setAccessibleName(TText::tr("Конец: время"));
    for (QDateTimeEdit* box : {static_cast<QDateTimeEdit*>(startDateEdit), static_cast<QDateTimeEdit*>(startTimeEdit),
                               static_cast<QDateTimeEdit*>(endDateEdit), static_cast<QDateTimeEdit*>(endTimeEdit)}) {
        box->setToolTip(TText::tr("Записи строго между началом и концом остаются после «Фильтр»"));
        TypeDigitsIntoParts(box, [this](const QString& why) { emit TypingRefused(why); });
    }
    strip->addWidget(btnDownloadHistory);
    strip->addSpacing(20);
    strip->addWidget(new QLabel(TText::tr("Начало"), this));
    strip->addWidget(startDateEdit);
    strip->addWidget(startTimeEdit);
    strip->addSpacing(20);
    strip->addWidget(new QLabel(TText::tr("Конец"), this));
    strip->addWidget(endDateEdit);
    strip->addWidget(endTimeEdit);
    strip->addSpacing(20);
    strip->addWidget(btnFilter);
    strip->addWidget(btnShowAll);
    strip->addStretch();

    return strip;
}

// The column of buttons on the left, the count under them.
QWidget* THistoryView::BuildButtons() {
    auto* column = new QWidget(this);
    column->setFixedWidth(100);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(5, 6, 5, 6);
    buttons->setSpacing(10);
    btnExportHistoryCsv = new QPushButton(TText::tr("Export.CSV"), column);
    btnExportHistory = new QPushButton(TText::tr("Экспорт XLS"), column);
    btnClearHistory = new QPushButton(QString(), column);
    btnDeleteHistory = new QPushButton(TText::tr("Удалить все"), column);
    btnImport = new QPushButton(QString(), column);
    btnExportHistory->setToolTip(TText::tr("Сохранить историю событий из таблицы в файл"));
    btnDeleteHistory->setToolTip(TText::tr("Стереть журнал событий в GSM модуле"));
    for (auto* b : {btnExportHistoryCsv, btnExportHistory, btnClearHistory, btnDeleteHistory, btnImport}) {
        b->setFixedSize(90, 40);
        buttons->addWidget(b);
    }
    // Under the buttons: how many records the table shows.
    shown = new QLabel(column);
    shown->setWordWrap(true);
    buttons->addWidget(shown);
    btnExportHistoryCsv->hide();
    btnClearHistory->hide();
    btnImport->hide();
    buttons->addStretch();

    return column;
}

// The records, newest first, sortable, never edited.
void THistoryView::BuildGrid() {
    historyGrid = new TGridView(this);  // read-only, no keyboard search
    historyGrid->setAccessibleName(TText::tr("История событий"));
    historyGrid->setAccessibleDescription(
        TText::tr("Записи журнала модуля: дата, время, источник, действие, абонент, текст; щелчок по заголовку сортирует"));
    historyGrid->setFont(QApplication::font());
    auto* model = new TGridModel(table_.Grid(), THistoryTable::kRows, this);
    // Where an event came from and what it was are the program's words; the
    // rest of a record is the module's data.
    model->Translate = [](int col, int) { return col == THistoryTable::kSource || col == THistoryTable::kEvent; };
    model->Alignment = [](int, int) -> QVariant { return int(Qt::AlignCenter); };
    rows_ = new THistoryRows(this);
    rows_->setSourceModel(model);
    rows_->setDynamicSortFilter(true);
    historyGrid->setModel(rows_);
    historyGrid->setSortingEnabled(true);
    historyGrid->sortByColumn(THistoryTable::kDate, Qt::DescendingOrder);
    historyGrid->horizontalHeader()->setSortIndicatorShown(true);
    historyGrid->horizontalHeader()->setStyle(new TSortArrowStyle(historyGrid->horizontalHeader()));
    historyGrid->horizontalHeader()->setToolTip(TText::tr("Щелчок по заголовку столбца сортирует записи по нему"));
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows_, signal, this, &THistoryView::Count);
    connect(rows_, &QAbstractItemModel::modelReset, this, &THistoryView::Count);
    connect(rows_, &QAbstractItemModel::layoutChanged, this, &THistoryView::Count);
    historyGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historyGrid->setWordWrap(false);
    historyGrid->verticalHeader()->hide();
    historyGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    historyGrid->verticalHeader()->setDefaultSectionSize(24);
    historyGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The source and event columns fit the longest of their words in this language.
    const auto longest = [metrics = QFontMetrics(historyGrid->font())](int col) {
        QString wide;
        for (const QString& word : HistoryWords(col))
            if (metrics.horizontalAdvance(Translated(word)) > metrics.horizontalAdvance(wide)) wide = Translated(word);
        return wide;
    };
    // "№" is the record's own number in the module's log, whatever the
    // filter or the sort; the table's row numbers are not shown.
    historyGrid->FitColumns({0, 38, 74, 70, 95, 112, 129, 235, 160},
                         {{}, QStringLiteral("1000"), QStringLiteral("2024-05-06"), QStringLiteral("23:59:59"),
                          longest(THistoryTable::kSource), longest(THistoryTable::kEvent), QStringLiteral("+79161234567890")});
    historyGrid->setColumnHidden(THistoryTable::kSerial, true);
    connect(historyGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, &THistoryView::Count);
    historyGrid->viewport()->installEventFilter(this);
    // Exports write the records in the order shown.
    table_.ShownOrder = [this] {
        QVector<int> rows;
        for (int r = 0; r < rows_->rowCount(); ++r) rows.append(rows_->mapToSource(rows_->index(r, 0)).row() + 1);
        return rows;
    };
}

THistoryView::~THistoryView() { table_.ShownOrder = nullptr; }

void THistoryView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Count();
    QWidget::changeEvent(event);
}

bool THistoryView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == historyGrid->viewport() && event->type() == QEvent::Resize) Count();
    return QWidget::eventFilter(watched, event);
}

void THistoryView::Count() {
    // Which of the shown records are in sight, and of how many; under a
    // filter, of how many downloaded.
    const int count = rows_->rowCount();
    int kept = count;
    if (table_.HasAll()) {
        kept = 0;
        for (const QStringList& row : table_.All()) kept += row.value(0).isEmpty() ? 0 : 1;
    }
    QString text = TText::tr("Записей: %1").arg(count);
    if (count > 0) {
        const int first = std::max(0, historyGrid->rowAt(0));
        int last = historyGrid->rowAt(historyGrid->viewport()->height() - 1);
        if (last < 0) last = count - 1;
        text = TText::tr("Записи %1–%2 из %3").arg(first + 1).arg(last + 1).arg(count);
    }
    if (kept > count) text += u'\n' + TText::tr("отобраны фильтром из %1").arg(kept);
    shown->setText(text);
}

void THistoryView::ResetWindow() {
    QDateTime newest = QDateTime::currentDateTime();
    for (int r = 1; r <= THistoryTable::kRows; ++r) {
        const QDateTime at(QDate::fromString(table_.Grid().Cells(THistoryTable::kDate, r), QStringLiteral("yyyy-MM-dd")),
                           QTime::fromString(table_.Grid().Cells(THistoryTable::kTime, r), QStringLiteral("H:mm:ss")));
        if (at.isValid() && at > newest) newest = at;
    }
    startDateEdit->setDate(QDate(2015, 3, 3));
    startTimeEdit->setTime(QTime(0, 0, 0));
    // To the end of the newest record's day: a date typed over it takes
    // that whole day too.
    endDateEdit->setDate(newest.date());
    endTimeEdit->setTime(QTime(23, 59, 59));
}

void THistoryView::ShowFirst() {
    if (rows_->rowCount() == 0) return;
    const QModelIndex first = rows_->index(0, THistoryTable::kDate);
    historyGrid->setCurrentIndex(first);
    historyGrid->scrollToTop();
}

} // namespace portiqa
