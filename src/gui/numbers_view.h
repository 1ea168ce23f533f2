#pragma once
#include "gui/grid_model.h"
#include "gui/grid_view.h"
#include "numbers/number_table.h"
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <QPushButton>
#include <QTableView>
#include <QTimeEdit>
#include <QWidget>

class QHBoxLayout;

namespace portiqa {

// The numbers tab: the button column and the 3000-row number table, with
// date and time pickers over columns 2..5 of the current row and check
// boxes in columns 6 and 7.
class TNumbersView : public QWidget {
    Q_OBJECT
public:
    explicit TNumbersView(TNumberTable& table, QWidget* parent = nullptr);
    QPushButton *btnDownloadNumbers, *btnSaveNumbers, *btnImportNumbers, *btnExportNumbers, *btnAllUnrestricted, *btnDeleteAll, *btnExportNumbersCsv, *btnNumbersSpare;
    // The list of the site the module belongs to, into the table for the usual save.
    QPushButton* btnSite;
    // Moves the end of the chosen records' windows (all windows when one
    // record or none is chosen).
    QPushButton* btnExtend;
    // The records chosen in the table (several rows selected), else empty.
    QList<int> ChosenRows() const;
    TGridView* numbersGrid;
    QLineEdit* search;
    QPushButton* findNext;
    QLabel* expiry;
    // Shown while the table holds a download that broke off.
    QLabel* incomplete;
    // Moves to the next record whose number holds the search text (round
    // past the end); false when none does.
    bool FindNext();
    void UpdateExpiry();
    // The clock for the expiry colours and counts; tests replace it.
    std::function<QDateTime()> Now;
    // When a number last appears in the module's kept event logs, in words
    // (empty when unknown): the number cell's tooltip says it.
    std::function<QString(const QString& number)> LastUse;
    TGridModel* Model() const { return model_; }

    // A key the number cell refused, with the reason.
    void RefuseTyping(const QString& why) { emit TypingRefused(why); }

    // The pickers keep their last value between cells, as the operator expects.
    QDate startDate{2015, 3, 6};
    QTime startTime{0, 0};
    QDate endDate;
    QTime endTime;

signals:
    void TypingRefused(const QString& why);

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* BuildButtons();
    QHBoxLayout* BuildSearchStrip(QWidget* right);
    void BuildModel();
    void BuildGrid();
    void ShowIncomplete();
    int pagesRead_ = 0;
    bool GridKey(QKeyEvent* e);
    bool NotARealDateOrTime(int col, int row) const;
    TNumberTable& table_;
    TGridModel* model_;
    QDateTime now_;
};

} // namespace portiqa
