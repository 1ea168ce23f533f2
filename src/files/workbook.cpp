#include "files/workbook.h"
#include "base/texts.h"
#include "files/file_replace.h"
#include <cerrno>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTime>
#include <QRegularExpression>
#include <clocale>
#include <string>
#include <cmath>
#include <locale.h>
#include <xlsxwriter.h>

namespace portiqa {

void TWorkbook::SetText(int row, int col, const QString& text) { SetCell(row, col, text, text); }

void TWorkbook::SetTyped(int row, int col, const QString& text, TKind kind) {
    SetCell(row, col, text, text);
    if (auto it = cells_.find(Key(row, col)); it != cells_.end()) it->kind = kind;
}

void TWorkbook::SetCell(int row, int col, const QString& text, const QString& value) {
    if (row < 1 || col < 1 || row > kMaxRows || col > kMaxCols) return;
    cells_[Key(row, col)] = {text, value};
    rows_ = std::max(rows_, row);
    cols_ = std::max(cols_, col);
}

QString TWorkbookIo::PhoneNumberCell(const QString& cell, bool& plusAdded) {
    const QString v = cell.trimmed();
    // A number cell written with a decimal part ("79161234567.0").
    static const QRegularExpression digits(QStringLiteral("^(7\\d{10})(\\.0+)?$"));
    plusAdded = false;
    if (const auto m = digits.match(v); m.hasMatch()) {
        plusAdded = true;
        return u'+' + m.captured(1);
    }
    return cell;
}

QString TWorkbookIo::NumberText(double v) {
    if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::floor(v)) return QString::number(qint64(v));
    return QString::number(v, 'g', 15);
}

QString TWorkbookIo::SerialToText(double serial, bool isDate, bool isTime, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466) return NumberText(serial);
    double days = std::floor(serial);
    const double fraction = serial - days;
    QDate date;
    if (date1904) date = QDate(1904, 1, 1).addDays(qint64(days));
    else if (days == 60) date = QDate();  // the fictitious 29 February 1900
    else date = QDate(1899, 12, 31).addDays(qint64(days < 60 ? days : days - 1));
    const int secs = int(std::lround(fraction * 86400.0)) % 86400;
    const QTime time = QTime(0, 0).addSecs(secs);
    const QString timeText = time.second() == 0 ? time.toString(QStringLiteral("HH:mm")) : time.toString(QStringLiteral("HH:mm:ss"));
    QString dateText = date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("1900-02-29");
    if (isDate && isTime) return dateText + u' ' + timeText;
    if (isTime) return timeText;
    return dateText;
}

namespace {

// libxlsxwriter formats numbers with the C library's locale: a locale with a
// decimal comma would write widths that no reader accepts.
#ifdef _WIN32
class TCNumericLocale {
public:
    TCNumericLocale() : perThread_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
        if (const char* now = setlocale(LC_NUMERIC, nullptr)) old_ = now;
        setlocale(LC_NUMERIC, "C");
    }
    ~TCNumericLocale() {
        setlocale(LC_NUMERIC, old_.c_str());
        _configthreadlocale(perThread_);
    }

private:
    int perThread_;
    std::string old_ = "C";
};
#else
class TCNumericLocale {
public:
    TCNumericLocale() : c_(newlocale(LC_NUMERIC_MASK, "C", nullptr)) { old_ = c_ ? uselocale(c_) : nullptr; }
    ~TCNumericLocale() {
        if (old_) uselocale(old_);
        if (c_) freelocale(c_);
    }

private:
    locale_t c_;
    locale_t old_ = nullptr;
};
#endif

// A literal "_xHHHH_" in a cell would be read back as an escaped character.
QByteArray EscapeForXlsx(const QString& text) {
    QString t = text;
    static const QRegularExpression kEscape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    t.replace(kEscape, QStringLiteral("_x005F_x\\1_"));
    return t.toUtf8();
}

} // namespace

bool TWorkbookIo::WriteXlsx(const TWorkbook& book, QString& path, QString& error) {
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".xlsx");
    const QString target = path;
    return ReplaceFileAtomically(target, [&](const QString& tmp, QString& why) {
        TCNumericLocale cLocale;
        const QByteArray tmpName = QFile::encodeName(tmp);
        errno = 0;
        lxw_workbook* wb = workbook_new(tmpName.constData());
        if (!wb) {
            why = TText::tr("Не удалось записать файл %1: %2").arg(target, WriteErrorText(errno ? errno : EIO));
            return false;
        }
        lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
        lxw_format* text = workbook_add_format(wb);
        format_set_num_format(text, "@");
        lxw_format* dateFormat = workbook_add_format(wb);
        format_set_num_format(dateFormat, "yyyy-mm-dd");
        lxw_format* timeFormat = workbook_add_format(wb);
        format_set_num_format(timeFormat, "hh:mm:ss");
        // A typed cell as its value, when its text is one.
        const auto typed = [&](lxw_row_t r, lxw_col_t c, const TWorkbook::Cell& cell) {
            bool ok = false;
            switch (cell.kind) {
            case TWorkbook::TKind::Number: {
                const qlonglong n = cell.text.toLongLong(&ok);
                if (ok) worksheet_write_number(ws, r, c, double(n), nullptr);
                return ok;
            }
            case TWorkbook::TKind::Date: {
                const QDate d = QDate::fromString(cell.text, QStringLiteral("yyyy-MM-dd"));
                lxw_datetime at{d.year(), d.month(), d.day(), 0, 0, 0};
                if (d.isValid() && d.year() >= 1900) worksheet_write_datetime(ws, r, c, &at, dateFormat);
                return d.isValid() && d.year() >= 1900;
            }
            case TWorkbook::TKind::Time: {
                const QTime t = QTime::fromString(cell.text, QStringLiteral("H:mm:ss"));
                lxw_datetime at{0, 0, 0, t.hour(), t.minute(), double(t.second())};
                if (t.isValid()) worksheet_write_datetime(ws, r, c, &at, timeFormat);
                return t.isValid();
            }
            case TWorkbook::TKind::Text: return false;
            }
            return false;
        };
        for (auto it = book.ColumnWidths().begin(); it != book.ColumnWidths().end(); ++it)
            worksheet_set_column(ws, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1), it.value(), nullptr);
        for (int r = 1; r <= book.RowCount(); ++r)
            for (int c = 1; c <= book.ColCount(); ++c) {
                const QString t = book.Text(r, c);
                if (t.isEmpty()) worksheet_write_blank(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), text);
                else if (typed(lxw_row_t(r - 1), lxw_col_t(c - 1), book.cells_.value(TWorkbook::Key(r, c)))) continue;
                else worksheet_write_string(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), EscapeForXlsx(t).constData(), text);
            }
        errno = 0;
        const lxw_error rc = workbook_close(wb);
        if (rc != LXW_NO_ERROR) {
            // The library says which step failed; the system says why.
            const int err = errno;
            why = TText::tr("Не удалось записать файл %1: %2").arg(
                target, err ? WriteErrorText(err) : QString::fromUtf8(lxw_strerror(rc)));
            return false;
        }
        return true;
    }, error);
}

QString TWorkbookIo::TooManyRows(int maxRows) {
    return TText::tr("на листе больше %1 строк").arg(maxRows);
}

bool TWorkbookIo::Read(const QString& path, TWorkbook& book, QString& error, int maxRows) {
    if (!IsRegularFile(path, error)) return false;
    const QFileInfo info(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = TText::tr("Не удалось открыть файл %1: %2").arg(path, f.errorString());
        return false;
    }
    const QByteArray magic = f.read(8);
    f.close();
    if (magic.startsWith("PK\x03\x04")) return ReadXlsx(path, book, error, maxRows);
    if (magic.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1"))) return ReadXls(path, book, error, maxRows);
    error = TText::tr("Файл %1 не является книгой Excel (.xlsx или .xls)").arg(path);
    return false;
}

} // namespace portiqa
