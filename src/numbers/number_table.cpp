#include "numbers/number_table.h"
#include <QCryptographicHash>
#include "base/texts.h"
#include "base/errors.h"
#include <algorithm>

namespace portiqa {

namespace {

bool AllDigits(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

int Part(const QString& s, int from, int n) { return AllDigits(s.mid(from, n)) ? s.mid(from, n).toInt() : -1; }

bool IsModuleNumber(const QString& s) {
    if (s.size() > 22) return false;
    for (QChar c : s)
        if (c != u'+' && (c < u'0' || c > u'9')) return false;
    return true;
}

} // namespace

const QString& TNumberTable::Yes() { static const QString s = QStringLiteral(QT_TRANSLATE_NOOP("TText", "Да")); return s; }
const QString& TNumberTable::No() { static const QString s = QStringLiteral(QT_TRANSLATE_NOOP("TText", "Нет")); return s; }

TNumberTable::TNumberTable() : grid_(kAllCols, kRecords + 1, this) {
    const char* headers[kAllCols] = {"№", QT_TRANSLATE_NOOP("TText", "Номер абонента"), QT_TRANSLATE_NOOP("TText", "Дата начала"),
                                  QT_TRANSLATE_NOOP("TText", "Время начала"), QT_TRANSLATE_NOOP("TText", "Дата окончания"),
                                  QT_TRANSLATE_NOOP("TText", "Время окончания"), QT_TRANSLATE_NOOP("TText", "Без ограничений"),
                                  QT_TRANSLATE_NOOP("TText", "Удалить"), QT_TRANSLATE_NOOP("TText", "Имя"),
                                  QT_TRANSLATE_NOOP("TText", "Место"), QT_TRANSLATE_NOOP("TText", "Примечание")};
    for (int c = 0; c < kAllCols; ++c) grid_.SetCells(c, 0, QString::fromUtf8(headers[c]));
    for (int r = 1; r <= kRecords; ++r) {
        grid_.SetCells(kSerial, r, QString::number(r));
        grid_.SetCells(kUnrestricted, r, No());
        grid_.SetCells(kDelete, r, No());
    }
    // A table typed back to what the module holds is no edit.
    edits_.SetFingerprint([this] {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (int r = 1; r <= kRecords; ++r)
            for (int c = 1; c < kCols; ++c) {
                const QString& cell = grid_.Cells(c, r);
                h.addData(QByteArrayView(reinterpret_cast<const char*>(cell.utf16()), cell.size() * 2));
                h.addData(QByteArrayView("\0\0", 2));
            }
        return h.result();
    });
    edits_.Set(false);
    // A name typed into the table is kept at once: it is not the module's.
    connect(&grid_, &TStringGrid::CellChanged, this, [this](int col, int row) {
        if (showingPeople_) return;
        if (col >= kName) KeepPeople(row, row, true);
        else if (col == kNumber) KeepPeople(row, row);  // a name typed before its number
    });
}

void TNumberTable::ShowPeople(int firstRow, int lastRow, bool whereEmpty) {
    showingPeople_ = true;
    {
        TEditState::TLoading loading(edits_);  // outlives the batch, whose end is the change
        TGridBatch batch(grid_);
        for (int r = std::max(1, firstRow); r <= std::min(int(kRecords), lastRow); ++r) {
            if (whereEmpty && !(grid_.Cells(kName, r).isEmpty() && grid_.Cells(kPlace, r).isEmpty() && grid_.Cells(kNote, r).isEmpty()))
                continue;
            const TPerson* p = grid_.Cells(kNumber, r).isEmpty() ? nullptr : people_.Find(grid_.Cells(kNumber, r));
            grid_.SetCells(kName, r, p ? p->name : QString());
            grid_.SetCells(kPlace, r, p ? p->place : QString());
            grid_.SetCells(kNote, r, p ? p->note : QString());
        }
    }
    showingPeople_ = false;
}

void TNumberTable::KeepPeople(int firstRow, int lastRow, bool forgetEmpty) {
    for (int r = std::max(1, firstRow); r <= std::min(int(kRecords), lastRow); ++r) {
        const QString& number = grid_.Cells(kNumber, r);
        if (number.isEmpty()) continue;
        TPerson p;
        p.name = grid_.Cells(kName, r);
        p.place = grid_.Cells(kPlace, r);
        p.note = grid_.Cells(kNote, r);
        // A number without words in the table keeps what the directory knows,
        // unless the operator cleared them.
        if (p.Empty() && !forgetEmpty) continue;
        people_.Set(number, p);
    }
}

bool TNumberTable::ClickFlag(int col, int row) {
    if ((col != kUnrestricted && col != kDelete) || row < 1 || row > kRecords) return false;
    if (grid_.Cells(col, row) == Yes()) {
        grid_.SetCells(col, row, No());
        return true;
    }
    // The row's dates and times stay (drawn greyed): unticking brings them
    // back, and the save ignores them while the flag is set.
    grid_.SetCells(col, row, Yes());
    return true;
}

void TNumberTable::SetAll(int col, bool yes) {
    TGridBatch batch(grid_);
    for (int r = 1; r <= kRecords; ++r) grid_.SetCells(col, r, yes ? Yes() : No());
}

void TNumberTable::ToggleAllUnrestricted() {
    allUnrestricted_ = !allUnrestricted_;
    SetAll(kUnrestricted, allUnrestricted_);
}

void TNumberTable::ToggleAllDelete() {
    allDelete_ = !allDelete_;
    SetAll(kDelete, allDelete_);
}

QList<int> TNumberTable::RowsWithWindows() const {
    QList<int> rows;
    for (int r = 1; r <= kRecords; ++r)
        if (HasWindow(r)) rows << r;
    return rows;
}

bool TNumberTable::HasWindow(int r) const {
    return r >= 1 && r <= kRecords && !grid_.Cells(kNumber, r).isEmpty() && grid_.Cells(kUnrestricted, r) != Yes() &&
           grid_.Cells(kDelete, r) != Yes();
}

int TNumberTable::ExtendWindows(const QList<int>& rows, int days) {
    TGridBatch batch(grid_);
    int changed = 0;
    for (int r : rows) {
        const auto end = HasWindow(r) ? ParseDate(grid_.Cells(kEndDate, r)) : std::nullopt;
        if (!end) continue;
        // The module keeps years 2000-2099.
        const QDate moved = std::clamp(end->addDays(days), QDate(2000, 1, 1), QDate(2099, 12, 31));
        if (moved == *end) continue;
        grid_.SetCells(kEndDate, r, FormatDate(moved, u'-'));
        ++changed;
    }
    return changed;
}

std::optional<int> TNumberTable::MoveWindowEnds(const QList<int>& rows, const QString& answer) {
    bool isDays = false;
    const int days = answer.trimmed().toInt(&isDays);
    if (isDays && days >= -3650 && days <= 3650) return ExtendWindows(rows, days);
    const auto date = ParseDate(answer.trimmed());
    if (date && date->year() >= 2000 && date->year() <= 2099) return SetEndDate(rows, *date);
    return std::nullopt;
}

int TNumberTable::SetEndDate(const QList<int>& rows, const QDate& date) {
    TGridBatch batch(grid_);
    int changed = 0;
    const QString text = FormatDate(date, u'-');
    for (int r : rows) {
        if (!HasWindow(r) || grid_.Cells(kEndDate, r) == text) continue;
        grid_.SetCells(kEndDate, r, text);
        if (grid_.Cells(kEndTime, r).isEmpty()) grid_.SetCells(kEndTime, r, QStringLiteral("23:59"));
        ++changed;
    }
    return changed;
}

bool TNumberTable::OutOfRange(int col, int row) const {
    const QString& t = grid_.Cells(col, row);
    if (row < 1 || t.isEmpty()) return false;
    if (col == kStartDate || col == kEndDate) {
        const int month = Part(t, 5, 2), day = Part(t, int(t.size()) - 2, 2);
        return month > 12 || day > 31;
    }
    if (col == kStartTime || col == kEndTime) {
        const int hour = Part(t, 0, 2), minute = Part(t, 3, 2);
        return hour > 23 || minute > 59;
    }
    return false;
}

std::optional<QDate> TNumberTable::ParseDate(const QString& t) {
    if (t.size() != 10 || t[4].isDigit() || t[7].isDigit()) return std::nullopt;
    const int y = Part(t, 0, 4), m = Part(t, 5, 2), d = Part(t, 8, 2);
    if (y < 0 || m < 0 || d < 0) return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::optional<QTime> TNumberTable::ParseTime(const QString& t) {
    const qsizetype colon = t.indexOf(u':');
    if (colon < 1 || colon > 2 || t.size() - colon - 1 != 2) return std::nullopt;
    const int h = Part(t, 0, int(colon)), m = Part(t, int(colon) + 1, 2);
    if (h < 0 || h > 23 || m < 0 || m > 59) return std::nullopt;
    return QTime(h, m);
}

namespace {
QString Pad(int v, int width) { return QString::number(v).rightJustified(width, u'0'); }
} // namespace

QString TNumberTable::FormatDate(const QDate& d, QChar separator) {
    return Pad(d.year(), 4) + separator + Pad(d.month(), 2) + separator + Pad(d.day(), 2);
}

QString TNumberTable::FormatTime(const QTime& t) { return Pad(t.hour(), 2) + u':' + Pad(t.minute(), 2); }

QString OffendingRowsMessage(const QString& head, const QString& label, const QStringList& serials) {
    QString tail = serials.value(0);
    if (serials.size() >= 2) tail += u',' + serials[1];
    if (serials.size() >= 3) tail += u',' + serials[2];
    if (serials.size() > 3) tail += QStringLiteral(",....");
    return head + QString::number(serials.size()) + u'\r' + label + tail;
}

QString TNumberTable::ValidateNumberTable() const {
    QStringList noWindow, badNumber, badDate, inverted;
    for (int r = 1; r <= kRecords; ++r) {
        const QString& number = grid_.Cells(kNumber, r);
        const bool deleted = grid_.Cells(kDelete, r) == Yes();
        const bool unrestricted = grid_.Cells(kUnrestricted, r) == Yes();
        if (!number.isEmpty() && grid_.Cells(kDelete, r) == No() && grid_.Cells(kUnrestricted, r) == No()) {
            for (int c = kStartDate; c <= kEndTime; ++c)
                if (grid_.Cells(c, r).isEmpty()) {
                    noWindow << grid_.Cells(kSerial, r);
                    break;
                }
        }
        if (deleted) continue;
        // The module keeps up to 22 characters of "+" and digits: anything
        // else would be stored cut or ended early, a different number.
        if (!IsModuleNumber(number)) badNumber << grid_.Cells(kSerial, r);
        if (unrestricted) continue;
        // A date or time that does not exist would reach the module as
        // another value; the year is stored as its last two digits.
        for (int c = kStartDate; c <= kEndTime; ++c) {
            const QString& t = grid_.Cells(c, r);
            if (t.isEmpty()) continue;
            const bool isDate = c == kStartDate || c == kEndDate;
            const bool ok = isDate ? ParseDate(t) && ParseDate(t)->year() >= 2000 && ParseDate(t)->year() <= 2099
                                   : ParseTime(t).has_value();
            if (!ok) {
                badDate << grid_.Cells(kSerial, r);
                break;
            }
        }
        if (!WindowProblem(grid_.Cells(kStartDate, r), grid_.Cells(kStartTime, r), grid_.Cells(kEndDate, r),
                           grid_.Cells(kEndTime, r))
                 .isEmpty())
            inverted << grid_.Cells(kSerial, r);
    }
    const QString serialLabel = TText::tr("Записи: ");
    if (!noWindow.isEmpty())
        return OffendingRowsMessage(
            TText::tr("Неправильная операция: отметьте «Без ограничений» или установите дату и время начала и окончания. Всего:"),
            serialLabel, noWindow);
    if (!badNumber.isEmpty())
        return OffendingRowsMessage(
            TText::tr("Неправильный номер абонента: допускаются только «+» и цифры, не более 22 символов. Всего:"),
            serialLabel, badNumber);
    if (!badDate.isEmpty())
        return OffendingRowsMessage(
            TText::tr("Неправильная дата или время (формат ГГГГ/ММ/ДД и ЧЧ:ММ, годы 2000-2099). Всего:"),
            serialLabel, badDate);
    if (!inverted.isEmpty())
        return OffendingRowsMessage(TText::tr("Окно кончается раньше, чем начинается: исправьте дату или время. Всего:"),
                                    serialLabel, inverted);
    return {};
}

QString TNumberTable::WindowProblem(const QString& startDate, const QString& startTime, const QString& endDate,
                                   const QString& endTime) {
    const auto fromDate = ParseDate(startDate), toDate = ParseDate(endDate);
    const auto fromTime = ParseTime(startTime), toTime = ParseTime(endTime);
    if (!fromDate || !toDate || !fromTime || !toTime) return {};
    if (QDateTime(*toDate, *toTime) >= QDateTime(*fromDate, *fromTime)) return {};
    return TText::tr("окно кончается (%1 %2) раньше, чем начинается (%3 %4)").arg(endDate, endTime, startDate, startTime);
}

QString TNumberTable::NumberProblem(const QString& number) {
    if (IsModuleNumber(number)) return {};
    return TText::tr("номер «%1»: только «+» и цифры, не более 22").arg(number.left(30));
}

QString TNumberTable::RecordProblem(int r) const {
    const QString& number = grid_.Cells(kNumber, r);
    if (grid_.Cells(kDelete, r) == Yes()) return {};
    if (const QString problem = NumberProblem(number); !problem.isEmpty()) return problem;
    if (number.isEmpty() || grid_.Cells(kUnrestricted, r) == Yes()) return {};
    static const char* const kWhat[] = {QT_TRANSLATE_NOOP("TText", "дата начала"), QT_TRANSLATE_NOOP("TText", "время начала"),
                                        QT_TRANSLATE_NOOP("TText", "дата окончания"), QT_TRANSLATE_NOOP("TText", "время окончания")};
    for (int c = kStartDate; c <= kEndTime; ++c) {
        const QString& t = grid_.Cells(c, r);
        const QString what = TText::tr(kWhat[c - kStartDate]);
        if (t.isEmpty()) return TText::tr("не указана %1: заполните окно или выберите «Без ограничений»").arg(what);
        const bool isDate = c == kStartDate || c == kEndDate;
        if (isDate && ParseDate(t) && (ParseDate(t)->year() < 2000 || ParseDate(t)->year() > 2099))
            return TText::tr("%1 «%2»: GSM модуль хранит годы 2000-2099").arg(what, t);
        if (isDate ? !ParseDate(t) : !ParseTime(t)) return TText::tr("%1 «%2» не существует").arg(what, t.left(20));
    }
    return WindowProblem(grid_.Cells(kStartDate, r), grid_.Cells(kStartTime, r), grid_.Cells(kEndDate, r),
                         grid_.Cells(kEndTime, r));
}

} // namespace portiqa
