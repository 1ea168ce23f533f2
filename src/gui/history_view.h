#pragma once
#include "gui/grid_model.h"
#include "gui/grid_view.h"
#include "history/history_table.h"
#include <QDateEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimeEdit>
#include <QWidget>

namespace portiqa {

// The history tab: download and filter strip, button column, history table.
class THistoryView : public QWidget {
    Q_OBJECT
public:
    explicit THistoryView(THistoryTable& table, QWidget* parent = nullptr);
    QPushButton *btn19, *btn20, *btn23, *btn13, *btn18, *btn2, *btnImport;
    QPushButton* btnShowAll;  // the filter's reset
    QDateEdit *dtp1, *dtp3;
    QTimeEdit *dtp2, *dtp4;
    TGridView* strngrd4;
    QDateTime WindowStart() const { return QDateTime(dtp1->date(), dtp2->time()); }
    QDateTime WindowEnd() const { return QDateTime(dtp3->date(), dtp4->time()); }
};

} // namespace portiqa
