#include "numbers/number_captions.h"
#include "base/texts.h"
#include "numbers/number_table.h"
#include <QHash>

namespace portiqa {

using T = TNumberTable;

namespace {

// The captions a number file may carry over its columns: the table's own
// (Russian, what every export writes) and their English names, in any order
// and case. A file may leave out any but the number.
struct TCaption {
    int col;
    QStringList names;
};
const QList<TCaption>& Captions() {
    static const QList<TCaption> kCaptions = {
        {T::kSerial, {QStringLiteral("№"), QStringLiteral("No"), QStringLiteral("No."), QStringLiteral("#")}},
        {T::kNumber, {QStringLiteral("Номер абонента"), QStringLiteral("Number")}},
        {T::kStartDate, {QStringLiteral("Дата начала"), QStringLiteral("Start date")}},
        {T::kStartTime, {QStringLiteral("Время начала"), QStringLiteral("Start time")}},
        {T::kEndDate, {QStringLiteral("Дата окончания"), QStringLiteral("End date")}},
        {T::kEndTime, {QStringLiteral("Время окончания"), QStringLiteral("End time")}},
        {T::kUnrestricted, {QStringLiteral("Без ограничений"), QStringLiteral("Unrestricted")}},
        {T::kDelete, {QStringLiteral("Удалить"), QStringLiteral("Delete")}},
        {T::kName, {QStringLiteral("Имя"), QStringLiteral("Name")}},
        {T::kPlace, {QStringLiteral("Место"), QStringLiteral("Place")}},
        {T::kNote, {QStringLiteral("Примечание"), QStringLiteral("Note")}},
    };
    return kCaptions;
}
int ColumnOfCaption(const QString& caption) {
    const QString c = caption.simplified();
    for (const TCaption& k : Captions())
        for (const QString& n : k.names)
            if (c.compare(n, Qt::CaseInsensitive) == 0) return k.col;
    return -1;
}
} // namespace

// A spreadsheet's column letter: 1 is A, 27 is AA.
QString SheetColumnLetter(int col) {
    QString s;
    for (; col > 0; col = (col - 1) / 26) s.prepend(QChar(u'A' + (col - 1) % 26));
    return s;
}

// The captions of a header row mapped, or the problems that stop it: a
// caption not known, one given twice, no number column.
std::optional<TNumberHeader> MapNumberCaptions(const QStringList& captions, QStringList& problems) {
    TNumberHeader h;
    QHash<int, int> seen;  // table column, to the file column that has it
    for (int i = 0; i < captions.size(); ++i) {
        const QString caption = captions[i].simplified();
        const int col = caption.isEmpty() ? -1 : ColumnOfCaption(caption);
        h.columns << col;
        if (caption.isEmpty()) continue;
        if (col < 0) {
            problems << TText::tr("столбец %1: заголовок «%2» не известен").arg(SheetColumnLetter(i + 1), caption.left(40));
        } else if (seen.contains(col)) {
            problems << TText::tr("столбец %1: заголовок «%2» уже есть в столбце %3")
                            .arg(SheetColumnLetter(i + 1), caption.left(40), SheetColumnLetter(seen.value(col) + 1));
        } else {
            seen.insert(col, i);
        }
    }
    if (!seen.contains(T::kNumber)) problems << TText::tr("нет столбца «Номер абонента»");
    h.hasSerial = seen.contains(T::kSerial);
    if (!problems.isEmpty()) return std::nullopt;
    return h;
}
// Whether a file's first row is a row of captions: it names the number column.
bool IsNumberCaptionRow(const QStringList& fields) {
    for (const QString& f : fields)
        if (ColumnOfCaption(f) == T::kNumber) return true;
    return false;
}

} // namespace portiqa
