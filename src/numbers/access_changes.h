#pragma once
#include "numbers/people.h"
#include <QDateTime>
#include <QList>
#include <QString>

namespace portiqa {

class TStringGrid;

// What a save does to one subscriber's access, comparing the module's list
// with the table by subscriber (a number moved to another record keeps its
// access; one written another way is the same person).
struct TAccessChange {
    enum class TKind { Added, Removed, Shortened, Lengthened, MadeUnrestricted, Expired };
    TKind kind = TKind::Added;
    QString number;        // as the table (or, when removed, the module) writes it
    QString name;          // from the table's name column, when known
    QString before, after; // the windows in words
    int row = 0;           // the table's record (the module's, when removed)
    // Removed, or a window made shorter; a number added with a window that
    // has already ended is listed but had no access to lose.
    bool LosesAccess() const { return kind == TKind::Removed || kind == TKind::Shortened; }
    // "Иванов И. (+79161234567): удалён"
    QString Text() const;
};

// Added, removed, shortened, lengthened, made unrestricted, and numbers
// added with a window already ended at now; unchanged subscribers are not
// listed. Losses first, then gains, each in record order. Subscribers are
// told apart by the directory's country; names come from the table's name
// column, else from the directory.
QList<TAccessChange> AccessChanges(const TStringGrid& module, const TStringGrid& table, const TPeople& people,
                                   const QDateTime& now);
// The list for a question: "Потеряют доступ: N" and up to limit lines, then
// "Получат или расширят доступ: M" and its lines.
QString AccessChangesText(const QList<TAccessChange>& changes, int limit = 15);
int LosingAccess(const QList<TAccessChange>& changes);

} // namespace portiqa
