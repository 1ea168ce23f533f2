// history download, history delete.
#include "cli/cli_commands.h"
#include "base/texts.h"

namespace portiqa {

int RunHistoryDownload(TCliRun& r) {
    if (r.o.from.isValid() && r.o.to <= r.o.from) return r.Refuse(kExitUsage, TText::tr("Ошибка выбора времени"));
    if (!r.o.output.isEmpty())
        if (int rc = r.CheckOutput(r.o.output); rc != kExitOk) return rc;
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (int rc = r.Cli().Exchange([&] { s.DownloadHistory(); }); rc != kExitOk) return rc;
    if (r.o.from.isValid() && !FilterHistory(s.historyTable, r.o.from, r.o.to, s.status, r.Op()))
        s.historyTable.ClearHistoryTable();
    if (r.o.output.isEmpty()) {
        for (const QString& line : s.historyFiles.CsvLines()) r.out << line << "\n";
        r.out.flush();
        return kExitOk;
    }
    return DataKindOf(r.o.output) == TDataKind::Csv ? WriteLinesFile(r.Op(), s.historyFiles.CsvLines(CsvFormOf(r.o.output)), r.o.output)
                                                    : WriteWorkbookFile(r.Op(), s.historyFiles.HistoryWorkbook(), r.o.output);
}

int RunHistoryDelete(TCliRun& r) {
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (r.o.dryRun) {
        // How many records the erase would take; nothing is erased.
        if (int rc = r.Cli().Exchange([&] { s.DownloadHistory(); }); rc != kExitOk) return rc;
        int records = 0;
        for (int row = 1; row < s.historyTable.Grid().RowCount(); ++row)
            if (!s.historyTable.Grid().Cells(THistoryTable::kDate, row).isEmpty()) ++records;
        r.out << TText::tr("Записей в истории GSM модуля: %1; ничего не удалено").arg(records) << "\n" << Qt::flush;
        return kExitOk;
    }
    return r.Cli().Exchange([&] { s.DeleteHistory(); });
}

} // namespace portiqa
