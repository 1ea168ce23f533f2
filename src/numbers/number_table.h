#pragma once
#include "base/edit_state.h"
#include "base/module_identity.h"
#include "base/string_grid.h"
#include "numbers/people.h"
#include <QDate>
#include <QTime>
#include <optional>

namespace portiqa {

// The number table: row 0 the header, rows 1..3000 the records (row r is
// record r); columns 0..7 are the module's record, 8..10 the person the
// program keeps beside the number (name, place, note).
class TNumberTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecords = 3000;
    static constexpr int kCols = 8;  // the module's record
    static constexpr int kAllCols = 11;
    enum Col { kSerial = 0, kNumber, kStartDate, kStartTime, kEndDate, kEndTime, kUnrestricted, kDelete, kName, kPlace, kNote };

    TNumberTable();
    TStringGrid& Grid() { return grid_; }
    const TStringGrid& Grid() const { return grid_; }

    // How much of the module's list the table holds: kPages after a whole
    // download, fewer after one that was cancelled or broke off, -1 when
    // none has run on this table.
    static constexpr int kPages = 375;
    int PagesRead() const { return pagesRead_; }
    void SetPagesRead(int pages) {
        if (pages == pagesRead_) return;
        pagesRead_ = pages;
        emit PagesReadChanged(pages);
    }
    bool Incomplete() const { return pagesRead_ >= 0 && pagesRead_ < kPages; }

    // Where the content came from (a module, a file, or nothing yet) and
    // when: a table read from one module is not written into another
    // without a question.
    const TTableOrigin& Origin() const { return origin_; }
    void SetOrigin(const TTableOrigin& origin) { origin_ = origin; }

    // Edits not yet saved to the module.
    TEditState& Edits() { return edits_; }
    const TEditState& Edits() const { return edits_; }

    // The directory of people the name columns show and edit.
    TPeople& People() { return people_; }
    const TPeople& People() const { return people_; }
    // Each number's person into its name columns (empty where none is
    // known): after a download or an import. Not an edit of the list. With
    // whereEmpty, rows that already hold words (a file's) keep them.
    void ShowPeople(int firstRow = 1, int lastRow = kRecords, bool whereEmpty = false);
    // The name columns of the rows into the directory (rows given, or all):
    // after the operator typed a name, or when a list that brought names
    // from a file is saved into the module. Empty name
    // columns forget the person only with forgetEmpty.
    void KeepPeople(int firstRow = 1, int lastRow = kRecords, bool forgetEmpty = false);

    static const QString& Yes();
    static const QString& No();

    // A click on a flag cell (columns 6 and 7): "Да" becomes "Нет"; anything
    // else becomes "Да"; the row keeps its validity window (greyed). Returns true
    // when the cell was a flag cell.
    bool ClickFlag(int col, int row);
    // The two bulk buttons: the first press sets "Да" everywhere, the next "Нет".
    void ToggleAllUnrestricted();
    void ToggleAllDelete();

    // Bulk edits of validity windows, for the listed records that have a
    // window (not unrestricted, not marked for deletion): the end moved by
    // days, or set to a date (its time kept). Returns how many changed.
    int ExtendWindows(const QList<int>& rows, int days);
    int SetEndDate(const QList<int>& rows, const QDate& date);
    // The operator's answer to "how far": a number of days (-3650…3650)
    // moves the ends, a date ГГГГ-ММ-ДД in 2000-2099 sets them. How many
    // changed; nothing when the answer is neither.
    std::optional<int> MoveWindowEnds(const QList<int>& rows, const QString& answer);
    // The records a bulk edit applies to when none are chosen: every one with a window.
    QList<int> RowsWithWindows() const;

    // Whether a picker may sit over the row's date and time cells.
    bool PickerAllowed(int row) const { return grid_.Cells(kUnrestricted, row) == No(); }
    // The light-green highlight of a date or time cell whose parts lie out of range.
    bool OutOfRange(int col, int row) const;

    // Date and time cells read by character position: 2024-05-06 or 2024/05/06; 07:30.
    static std::optional<QDate> ParseDate(const QString& text);   // only real calendar dates
    static std::optional<QTime> ParseTime(const QString& text);
    static QString FormatDate(const QDate& d, QChar separator = u'/');
    static QString FormatTime(const QTime& t);

    // The check before saving: empty when the table may be saved, otherwise
    // the message for the operator.
    QString ValidateNumberTable() const;
    // The same rules for one record: empty when the save takes it, otherwise
    // why not ("номер «+7 916»: только «+» и цифры, не более 22").
    QString RecordProblem(int row) const;
    // A validity window that ends before it starts: the operator's words,
    // else empty (a part missing or impossible has words of its own). One
    // rule, whether the window is typed, imported, restored or saved.
    static QString WindowProblem(const QString& startDate, const QString& startTime, const QString& endDate,
                                 const QString& endTime);
    // Why a number being typed cannot be kept (the same rule as the save's);
    // empty when it can.
    static QString NumberProblem(const QString& number);

signals:
    void PagesReadChanged(int pages);

private:
    void SetAll(int col, bool yes);
    // A record with a validity window: occupied, not unrestricted, not marked for deletion.
    bool HasWindow(int row) const;
    TStringGrid grid_;
    TEditState edits_{grid_, kCols};
    TPeople people_;
    bool showingPeople_ = false;
    int pagesRead_ = -1;
    bool allUnrestricted_ = false;
    bool allDelete_ = false;
    TTableOrigin origin_;
};

// "Всего:" count, a carriage return, the label and up to three serial numbers.
QString OffendingRowsMessage(const QString& head, const QString& label, const QStringList& serials);

} // namespace portiqa

