#include "files/file_exchange.h"
#include "files/config_folder.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "base/texts.h"
#include <QDir>
#include <QFileInfo>

namespace portiqa {

TDataKind DataKindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx")) return TDataKind::Xlsx;
    if (suffix == QLatin1String("xls")) return TDataKind::Xls;
    if (suffix == QLatin1String("cvs") || suffix == QLatin1String("csv")) return TDataKind::Csv;
    return TDataKind::None;
}

namespace {
// A workbook is written as .xlsx: a name chosen with another ending (or
// none) gets it, so no spreadsheet program is misled by the name.
QString AsXlsx(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("xlsx")) return path;
    if (suffix == QLatin1String("xls")) return path + u'x';
    return path + QStringLiteral(".xlsx");
}
} // namespace

// The name the workbook gets, when it differs from the one chosen and is
// taken already, is replaced only when the operator says so.
bool TExchangeContext::MayWriteAs(const QString& chosen, const QString& path) const {
    if (chosen == path || !QFileInfo::exists(path)) return true;
    return op.AskAccept(TText::tr("Файл %1 уже существует. Заменить его?").arg(QDir::toNativeSeparators(path)));
}

void TExchangeContext::Saved(const QString& path, int records) const {
    const QString where = QDir::toNativeSeparators(path);
    status.ShowStatus(records < 0 ? TText::tr("Сохранено в файл: %1").arg(where)
                                  : TText::tr("Сохранено записей: %1 в файл %2").arg(records).arg(where));
}

void TExchangeContext::SaveWorkbook(const QString& subject, const QString& prefix, const std::function<TWorkbook()>& build) const {
    QString path = op.ChooseSaveFile(subject, folder, kExcelSaveFilter, ProposedFileName(prefix));
    if (path.isEmpty()) return;
    const QString chosen = path;
    path = AsXlsx(path);
    if (!MayWriteAs(chosen, path)) return;
    QString error;
    if (!TWorkbookIo::WriteXlsx(build(), path, error)) op.ReportError(error);
    else Saved(path);
}

bool TExchangeContext::OpenWorkbook(const QString& subject, TWorkbook& book, const QString& startFolder, const QString& filter, int maxRows,
                                    QString* chosenPath) const {
    const QString path = op.ChooseOpenFile(subject, startFolder, filter);
    if (path.isEmpty()) return false;
    if (chosenPath) *chosenPath = path;
    QString error;
    if (TWorkbookIo::Read(path, book, error, maxRows)) return true;
    op.ReportError(error);
    return false;
}

void TExchangeContext::SaveLines(const QString& subject, const QString& prefix, const QStringList& lines) const {
    const QString path = op.ChooseSaveFile(subject, folder, kCsvFilter, ProposedFileName(prefix, QStringLiteral(".cvs")));
    if (path.isEmpty()) return;
    QString error;
    if (!TCsv::WriteFile(path, lines, error)) op.ReportError(error);
    else Saved(path);
}

bool TExchangeContext::SaveTable(const QString& subject, const QString& prefix, const std::function<TWorkbook()>& workbook,
                                 const std::function<QStringList(TCsvForm)>& lines,
                                 const std::function<int()>& records) const {
    QString path = op.ChooseSaveFile(subject, folder, kTableSaveFilter, ProposedFileName(prefix));
    if (path.isEmpty()) return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool csv = suffix == QLatin1String("csv") || suffix == QLatin1String("cvs");
    const QString chosen = path;
    if (!csv) path = AsXlsx(path);
    if (!MayWriteAs(chosen, path)) return false;
    QString error;
    const bool written =
        csv ? TCsv::WriteFile(path, lines(CsvFormOf(path)), error) : TWorkbookIo::WriteXlsx(workbook(), path, error);
    if (!written) {
        op.ReportError(error);
        return false;
    }
    Saved(path, records());
    return true;
}

} // namespace portiqa
