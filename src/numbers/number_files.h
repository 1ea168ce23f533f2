#pragma once
#include "files/file_exchange.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "numbers/number_table.h"
#include <optional>

namespace portiqa {

// The number list in workbooks and comma-separated files.
class TNumberFiles {
public:
    TNumberFiles(TNumberTable& table, TExchangeContext ctx) : table_(table), ctx_(std::move(ctx)) {}

    void ExportNumbersXls();  // btnExportNumbers
    void ImportNumbersXls();  // btnImportNumbers
    void ExportNumbersCsv();  // btnExportNumbersCsv

    TWorkbook NumbersWorkbook();
    // The table as comma-separated lines in the given form (the original form:
    // every row, or only those holding a number).
    QStringList CsvLines(TCsvForm form = TCsvForm::Original, bool occupiedOnly = false);
    // Rows holding a number.
    int Records() const;
    // Checks and imports a workbook (sheet row k + 1 holds record k); false,
    // with the operator told why, when the table is left unchanged.
    bool ApplyWorkbook(const TWorkbook& book);
    // The same from comma-separated rows placed by their serial number.
    bool ApplyCsv(const QList<TCsvRow>& rows);
    static QString TooManyRecordsText(int records);
    // What the last import took, in words ("Импортировано записей: N", and
    // what it changed on the way, such as a "+" given back).
    QString Imported() const { return imported_; }

private:
    struct TFileCell {
        QString text, value;
    };
    struct TFileRow {
        int line = 0;  // the file's line or sheet row
        QList<TFileCell> cells;
    };
    // Places a file's rows by its captions (or, without any, by the original
    // form's positions) and hands them on; every problem of the file is
    // listed at once.
    bool PlaceRows(const QList<TFileRow>& rows, const std::optional<QStringList>& captions);
    bool CheckAndImport(const TWorkbook& book, QStringList problems);
    void Take(const TNumberTable& incoming);
    TNumberTable& table_;
    TExchangeContext ctx_;
    QString imported_;
    bool askBeforeReplacing_ = false;  // the import button's: over a list, ask first
};

} // namespace portiqa
