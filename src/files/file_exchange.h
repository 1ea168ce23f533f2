#pragma once
#include "base/operator.h"
#include "base/status_report.h"
#include "files/csv.h"
#include <QString>
#include <functional>

namespace portiqa {

// The kinds of data file read or written, by the file's extension.
enum class TDataKind { None, Xlsx, Xls, Csv };
TDataKind DataKindOf(const QString& path);

// What every file exchange needs: the operator (dialogs, messages), the
// status text and progress bar, and the folder the dialogs start in.
class TWorkbook;

struct TExchangeContext {
    IOperator& op;
    TStatusControl& status;
    TProgressControl& progress;
    QString folder;

    // subject: what the file holds, for the dialog (see IOperator).
    // Offers the save dialog with "prefix" + time stamp; when the operator
    // chooses a name, builds the workbook and writes it. Failures are reported.
    void SaveWorkbook(const QString& subject, const QString& prefix, const std::function<TWorkbook()>& build) const;
    // Offers the open dialog and reads the chosen workbook; false when the
    // operator cancelled or the file could not be read (reported).
    // maxRows: a sheet with content past it is refused while it is read.
    bool OpenWorkbook(const QString& subject, TWorkbook& book, const QString& startFolder, const QString& filter, int maxRows = 100000,
                      QString* chosenPath = nullptr) const;
    // The same for comma-separated lines built before the dialog is shown.
    void SaveLines(const QString& subject, const QString& prefix, const QStringList& lines) const;
    // One dialog for a table in either kind: a name ending in .csv or .cvs
    // gets the comma-separated lines in that name's form, any other the
    // workbook. records: how many records the table holds, for the report.
    // True when the file was written.
    bool SaveTable(const QString& subject, const QString& prefix, const std::function<TWorkbook()>& workbook,
                   const std::function<QStringList(TCsvForm)>& lines, const std::function<int()>& records) const;

    // A file was written: the status bar says where, and how many records
    // went into it when the file holds records.
    void Saved(const QString& path, int records = -1) const;
    bool MayWriteAs(const QString& chosen, const QString& path) const;
};

inline const QString kExcelSaveFilter = QStringLiteral("EXCEL file|*.xlsx;*.xls|(*.*)|*.*");
inline const QString kExcelOpenFilter = QStringLiteral("EXCEL file|*.xls;*.xlsx|(*.*)|*.*");
// A number list in any kind the import reads.
inline const QString kNumbersOpenFilter =
    QStringLiteral("EXCEL file|*.xls;*.xlsx|CSV file|*.csv;*.cvs|All number lists|*.xls;*.xlsx;*.csv;*.cvs|(*.*)|*.*");
inline const QString kTableSaveFilter =
    QStringLiteral("EXCEL file|*.xlsx|CSV file (UTF-8)|*.csv|CVS file (Windows-1251)|*.cvs|(*.*)|*.*");
inline const QString kCsvFilter = QStringLiteral("CVS file|*.cvs;*.cvs|(*.*)|*.*");

} // namespace portiqa
