#pragma once
#include <QHash>
#include <QMap>
#include <QString>

namespace portiqa {

// One sheet of a workbook as the exchanges see it: cells addressed from
// (1, 1) like a spreadsheet, each with its displayed text and its value as
// text. What we write is text ("@" number format), unless a cell is marked
// a number, a date or a time: a spreadsheet then sorts and counts it as one.
class TWorkbook {
public:
    enum class TKind { Text, Number, Date, Time };
    void SetColumnWidth(int col, double width) { widths_[col] = width; }
    void SetText(int row, int col, const QString& text);
    // text as the kind says: a whole number, yyyy-MM-dd, or H:mm:ss; a text
    // that is no such value is written as text.
    void SetTyped(int row, int col, const QString& text, TKind kind);
    // The cell's displayed text, and its value turned into text (a date as
    // yyyy-mm-dd, a time as hh:mm, a whole number without ".0").
    QString Text(int row, int col) const { return cells_.value(Key(row, col)).text; }
    QString Value(int row, int col) const { return cells_.value(Key(row, col)).value; }
    void SetCell(int row, int col, const QString& text, const QString& value);
    int RowCount() const { return rows_; }
    int ColCount() const { return cols_; }
    const QMap<int, double>& ColumnWidths() const { return widths_; }

    // Largest sheet read: the number list needs 3001 x 8.
    static constexpr int kMaxRows = 100000;
    static constexpr int kMaxCols = 256;

private:
    struct Cell { QString text, value; TKind kind = TKind::Text; };
    static quint64 Key(int row, int col) { return quint64(quint32(row)) << 32 | quint32(col); }
    QHash<quint64, Cell> cells_;
    QMap<int, double> widths_;
    int rows_ = 0, cols_ = 0;
    friend class TWorkbookIo;
};

// Reading and writing workbook files. Every failure comes back as a text
// for the operator; nothing is half-written (a temporary file is renamed
// over the target only when complete).
class TWorkbookIo {
public:
    // .xlsx through libxlsxwriter; a name without extension gets ".xlsx".
    static bool WriteXlsx(const TWorkbook& book, QString& path, QString& error);
    // .xlsx through minizip and QXmlStreamReader (the active sheet), .xls
    // through freexl (the first sheet); chosen by the file's first bytes.
    // Only a regular file is opened. A sheet with content past maxRows is
    // refused as soon as the reader gets there.
    static bool Read(const QString& path, TWorkbook& book, QString& error, int maxRows = TWorkbook::kMaxRows);
    static bool ReadXlsx(const QString& path, TWorkbook& book, QString& error, int maxRows = TWorkbook::kMaxRows);
    static bool ReadXls(const QString& path, TWorkbook& book, QString& error, int maxRows = TWorkbook::kMaxRows);
    static QString TooManyRows(int maxRows);

    // Spreadsheet serial day number to text (1900 or 1904 date system).
    static QString SerialToText(double serial, bool isDate, bool isTime, bool date1904);
    // A number as the table expects it: whole numbers without ".0".
    static QString NumberText(double v);
    // A phone number a spreadsheet kept as a number cell loses its "+": 7
    // and ten digits (a Russian or Kazakh number in its international form;
    // with 8 in front it is the national form and stays) gets it back, in a
    // number list and in a profile's SIM number alike. Other countries'
    // digits are left alone: eleven digits are a national number in some.
    static QString PhoneNumberCell(const QString& cell, bool& plusAdded);
};

} // namespace portiqa
