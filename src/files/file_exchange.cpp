#include "files/file_exchange.h"
#include "files/config_folder.h"
#include "files/csv.h"
#include "files/workbook.h"
#include <QFileInfo>

namespace portiqa {

TDataKind DataKindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx")) return TDataKind::Xlsx;
    if (suffix == QLatin1String("xls")) return TDataKind::Xls;
    if (suffix == QLatin1String("cvs") || suffix == QLatin1String("csv")) return TDataKind::Csv;
    return TDataKind::None;
}

void TExchangeContext::SaveWorkbook(const QString& prefix, const std::function<TWorkbook()>& build) const {
    QString path = op.ChooseSaveFile(folder, kExcelSaveFilter, ProposedFileName(prefix));
    if (path.isEmpty()) return;
    QString error;
    if (!TWorkbookIo::WriteXlsx(build(), path, error)) op.ReportError(error);
}

bool TExchangeContext::OpenWorkbook(TWorkbook& book, const QString& startFolder, const QString& filter, int maxRows,
                                    QString* chosenPath) const {
    const QString path = op.ChooseOpenFile(startFolder, filter);
    if (path.isEmpty()) return false;
    if (chosenPath) *chosenPath = path;
    QString error;
    if (TWorkbookIo::Read(path, book, error, maxRows)) return true;
    op.ReportError(error);
    return false;
}

void TExchangeContext::SaveLines(const QString& prefix, const QStringList& lines) const {
    const QString path = op.ChooseSaveFile(folder, kCsvFilter, ProposedFileName(prefix, QStringLiteral(".cvs")));
    if (path.isEmpty()) return;
    QString error;
    if (!TCsv::WriteFile(path, lines, error)) op.ReportError(error);
}

void TExchangeContext::SaveTable(const QString& prefix, const std::function<TWorkbook()>& workbook,
                                 const std::function<QStringList()>& lines) const {
    QString path = op.ChooseSaveFile(folder, kTableSaveFilter, ProposedFileName(prefix));
    if (path.isEmpty()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    QString error;
    const bool written = suffix == QLatin1String("csv") || suffix == QLatin1String("cvs")
                             ? TCsv::WriteFile(path, lines(), error)
                             : TWorkbookIo::WriteXlsx(workbook(), path, error);
    if (!written) op.ReportError(error);
}

} // namespace portiqa
