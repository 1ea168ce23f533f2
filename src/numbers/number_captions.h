#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace portiqa {

// How a number file's columns map onto the table's: for each file column
// (from 0), the table column or -1 (an empty caption over nothing).
struct TNumberHeader {
    QList<int> columns;
    bool hasSerial = false;
};
// The captions of a header row mapped (the table's Russian captions or their
// English names, any order, any case), or the problems that stop it: a
// caption not known, one given twice, no number column.
std::optional<TNumberHeader> MapNumberCaptions(const QStringList& captions, QStringList& problems);
// Whether a file's first row is a row of captions: it names the number column.
bool IsNumberCaptionRow(const QStringList& fields);
// A spreadsheet's column letter: 1 is A, 27 is AA.
QString SheetColumnLetter(int col);

} // namespace portiqa
