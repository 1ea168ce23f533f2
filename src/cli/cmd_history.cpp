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
    if (r.o.from.isValid() && !FilterHistory(s.History(), r.o.from, r.o.to, s.Status(), r.Op()))
        s.History().ClearHistoryTable();
    if (r.o.output.isEmpty()) {
        for (const QString& line : s.HistoryFiles().CsvLines()) r.out << line << "\n";
        r.out.flush();
        return kExitOk;
    }
    return DataKindOf(r.o.output) == TDataKind::Csv ? WriteLinesFile(r.Op(), s.HistoryFiles().CsvLines(CsvFormOf(r.o.output)), r.o.output)
                                                    : WriteWorkbookFile(r.Op(), s.HistoryFiles().HistoryWorkbook(), r.o.output);
}

int RunHistoryDelete(TCliRun& r) {
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (r.o.dryRun) {
        // How many records the erase would take; nothing is erased.
        if (int rc = r.Cli().Exchange([&] { s.DownloadHistory(); }); rc != kExitOk) return rc;
        int records = 0;
        for (int row = 1; row < s.History().Grid().RowCount(); ++row)
            if (!s.History().Grid().Cells(THistoryTable::kDate, row).isEmpty()) ++records;
        r.out << TText::tr("Записей в истории GSM модуля: %1; ничего не удалено").arg(records) << "\n" << Qt::flush;
        return kExitOk;
    }
    return r.Cli().Exchange([&] { s.DeleteHistory(); });
}

} // namespace portiqa
