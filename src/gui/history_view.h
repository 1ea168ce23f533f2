#pragma once
#include "gui/grid_model.h"
#include "gui/grid_view.h"
#include "history/history_table.h"
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimeEdit>
#include <QWidget>

namespace portiqa {

// The history table as the view shows it: only the rows that hold a record,
// in the order the operator chose by a column header (newest first until
// then). The table itself keeps the module's order (and so does the original
// comma-separated form); the spreadsheet exports follow the view's.
class THistoryRows : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// The history tab: download and filter strip, button column, history table.
class THistoryView : public QWidget {
    Q_OBJECT
public:
    explicit THistoryView(THistoryTable& table, QWidget* parent = nullptr);
    ~THistoryView() override;
    QPushButton *btnDownloadHistory, *btnFilter, *btnDeleteHistory, *btnExportHistory, *btnExportHistoryCsv, *btnClearHistory, *btnImport;
    QPushButton* btnShowAll;  // the filter's reset
    QDateEdit *startDateEdit, *endDateEdit;
    QTimeEdit *startTimeEdit, *endTimeEdit;
    TGridView* historyGrid;
    QLabel* shown;  // which records are in sight, of how many shown and kept
    // After a filter: the first shown record becomes current and visible.
    void ShowFirst();
    QDateTime WindowStart() const { return QDateTime(startDateEdit->date(), startTimeEdit->time()); }
    QDateTime WindowEnd() const { return QDateTime(endDateEdit->date(), endTimeEdit->time()); }
    // After a download the filter's fields cover the whole log again: from
    // their first default to now or the newest record, whichever is later.
    void ResetWindow();

signals:
    // A typed date the filter's box refused, and why.
    void TypingRefused(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QHBoxLayout* BuildStrip();
    QWidget* BuildButtons();
    void BuildGrid();
    void Count();
    THistoryTable& table_;
    THistoryRows* rows_;
};

} // namespace portiqa
