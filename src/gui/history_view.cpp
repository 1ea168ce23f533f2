#include "gui/history_view.h"
#include "base/texts.h"
#include "history/history_block.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace portiqa {

THistoryView::THistoryView(THistoryTable& table, QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* strip = new QHBoxLayout();
    strip->setContentsMargins(105, 6, 6, 6);
    btn19 = new QPushButton(TText::tr("Скачать"), this);
    btn20 = new QPushButton(TText::tr("Фильтр"), this);
    btnShowAll = new QPushButton(TText::tr("Сбросить"), this);
    btnShowAll->setToolTip(TText::tr("Показать все скачанные записи"));
    dtp1 = new QDateEdit(QDate(2015, 3, 3), this);
    dtp1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtp1->setCalendarPopup(true);
    dtp2 = new QTimeEdit(QTime(0, 0, 0), this);
    dtp2->setDisplayFormat(QStringLiteral("H:mm:ss"));
    const QDateTime now = QDateTime::currentDateTime();
    dtp3 = new QDateEdit(now.date(), this);
    dtp3->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtp3->setCalendarPopup(true);
    dtp4 = new QTimeEdit(now.time(), this);
    dtp4->setDisplayFormat(QStringLiteral("H:mm:ss"));
    strip->addWidget(btn19);
    strip->addSpacing(20);
    strip->addWidget(new QLabel(TText::tr("Начало"), this));
    strip->addWidget(dtp1);
    strip->addWidget(dtp2);
    strip->addSpacing(20);
    strip->addWidget(new QLabel(TText::tr("Конец"), this));
    strip->addWidget(dtp3);
    strip->addWidget(dtp4);
    strip->addSpacing(20);
    strip->addWidget(btn20);
    strip->addWidget(btnShowAll);
    strip->addStretch();
    outer->addLayout(strip);

    auto* body = new QHBoxLayout();
    body->setSpacing(0);
    auto* column = new QWidget(this);
    column->setFixedWidth(100);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(5, 6, 5, 6);
    buttons->setSpacing(10);
    btn18 = new QPushButton(TText::tr("Export.CSV"), column);
    btn13 = new QPushButton(TText::tr("Экспорт XLS"), column);
    btn2 = new QPushButton(QString(), column);
    btn23 = new QPushButton(TText::tr("Удалить все"), column);
    btnImport = new QPushButton(QString(), column);
    for (auto* b : {btn18, btn13, btn2, btn23, btnImport}) {
        b->setFixedSize(90, 40);
        buttons->addWidget(b);
    }
    btn18->hide();
    btn2->hide();
    btnImport->hide();
    buttons->addStretch();
    body->addWidget(column);

    strngrd4 = new TGridView(this);  // read-only, no keyboard search
    strngrd4->setFont(QApplication::font());
    auto* model = new TGridModel(table.Grid(), THistoryTable::kRows, this);
    // Where an event came from and what it was are the program's words; the
    // rest of a record is the module's data.
    model->Translate = [](int col, int) { return col == THistoryTable::kSource || col == THistoryTable::kEvent; };
    model->Alignment = [](int, int) -> QVariant { return int(Qt::AlignCenter); };
    strngrd4->setModel(model);
    strngrd4->setEditTriggers(QAbstractItemView::NoEditTriggers);
    strngrd4->setWordWrap(false);
    strngrd4->verticalHeader()->hide();
    strngrd4->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    strngrd4->verticalHeader()->setDefaultSectionSize(24);
    strngrd4->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The source and event columns fit the longest of their words in this language.
    const auto longest = [metrics = QFontMetrics(strngrd4->font())](int col) {
        QString wide;
        for (const QString& word : HistoryWords(col))
            if (metrics.horizontalAdvance(Translated(word)) > metrics.horizontalAdvance(wide)) wide = Translated(word);
        return wide;
    };
    strngrd4->FitColumns({38, 0, 74, 70, 95, 112, 129, 235},
                         {QStringLiteral("1000"), {}, QStringLiteral("2024-05-06"), QStringLiteral("23:59:59"),
                          longest(THistoryTable::kSource), longest(THistoryTable::kEvent), QStringLiteral("+79161234567890")});
    strngrd4->setColumnHidden(THistoryTable::kRecordNo, true);
    body->addWidget(strngrd4, 1);
    outer->addLayout(body, 1);
}

} // namespace portiqa
