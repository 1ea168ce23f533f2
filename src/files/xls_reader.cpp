#include "files/workbook.h"
#include "base/texts.h"
#include <QFile>
#include <freexl.h>

namespace portiqa {

bool TWorkbookIo::ReadXls(const QString& path, TWorkbook& book, QString& error, int maxRows) {
    const void* handle = nullptr;
    auto fail = [&](const QString& why) {
        if (handle) freexl_close(handle);
        error = TText::tr("Не удалось прочитать книгу %1: %2").arg(path, why);
        return false;
    };
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        handle = nullptr;  // freexl releases what it allocated on a failed open
        return fail(TText::tr("это не книга .xls"));
    }
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK) return fail(TText::tr("в книге нет листов"));
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) return fail(TText::tr("повреждённый лист"));
    if (rows > unsigned(TWorkbook::kMaxRows)) return fail(TText::tr("слишком много строк на листе"));
    TWorkbook result;
    const unsigned short useCols = std::min<unsigned short>(cols, TWorkbook::kMaxCols);
    if (qint64(rows) * useCols > 1000000) return fail(TText::tr("слишком много ячеек на листе"));
    for (unsigned int r = 0; r < rows; ++r)
        for (unsigned short c = 0; c < useCols; ++c) {
            FreeXL_CellValue v{};
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) return fail(TText::tr("повреждённая ячейка"));
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT: text = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: text = NumberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: text = QString::fromUtf8(v.value.text_value); break;
            case FREEXL_CELL_DATE: text = QString::fromUtf8(v.value.text_value); break;
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: {
                text = QString::fromUtf8(v.value.text_value);
                if (text.endsWith(QLatin1String(":00")) && text.count(u':') == 2) text.chop(3);
                break;
            }
            default: break;
            }
            if (text.isEmpty()) continue;
            if (int(r) + 1 > maxRows) return fail(TooManyRows(maxRows));
            result.SetText(int(r) + 1, int(c) + 1, text);
        }
    freexl_close(handle);
    book = result;
    return true;
}

} // namespace portiqa
