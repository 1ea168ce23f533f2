// numbers download, numbers save.
#include "cli/cli_commands.h"
#include "base/texts.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "numbers/access_changes.h"
#include "numbers/number_diff.h"
#include "numbers/number_expiry.h"
#include "session/number_use.h"

namespace portiqa {

int RunNumbersDownload(TCliRun& r) {
    if (!r.o.output.isEmpty())
        if (int rc = r.CheckOutput(r.o.output); rc != kExitOk) return rc;
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (int rc = r.Cli().Exchange([&] { s.DownloadNumbers(); }); rc != kExitOk) return rc;
    if (r.o.expired || r.o.expiringDays >= 0) {
        // Only the records whose window has ended, or ends within DAYS.
        const QDateTime now = QDateTime::currentDateTime();
        const int days = std::max(0, r.o.expiringDays);
        const QStringList lines = s.NumberFiles().CsvLines();
        for (int row = 1; row <= TNumberTable::kRecords && row <= lines.size(); ++row) {
            const TValidity v = ValidityOf(s.Numbers().Grid(), row, now, days);
            if ((r.o.expired && v == TValidity::Expired) || (r.o.expiringDays >= 0 && v == TValidity::Expiring))
                r.out << lines[row - 1] << "\n";
        }
        r.out.flush();
        return kExitOk;
    }
    if (r.o.unusedMonths > 0) {
        // Only the numbers with no event in the module's logs the record keeps for MONTHS.
        QString problem, error;
        TRecord* record = r.Record(problem);
        if (!record || !s.ModuleId()) return r.Refuse(kExitFile, TText::tr("--unused needs the module record: %1").arg(problem));
        const TNumberUse use = NumberUseOf(*record, *s.ModuleId(), r.o.country, error);
        if (!error.isEmpty()) return r.Refuse(kExitFile, error);
        const QDateTime from = QDateTime::currentDateTime().addMonths(-r.o.unusedMonths);
        if (!use.since.isValid())
            return r.Refuse(kExitFile, TText::tr("Журнал событий этого модуля не сохранён: скачайте историю событий (portiqa-cli history download)"));
        if (use.since > from)
            r.err << TText::tr("Журнал событий в записи начинается %1: неиспользование до этой даты не проверено")
                         .arg(use.since.toString(QStringLiteral("yyyy-MM-dd")))
                  << "\n" << Qt::flush;
        const QStringList lines = s.NumberFiles().CsvLines();
        const TStringGrid& g = s.Numbers().Grid();
        for (int row = 1; row <= TNumberTable::kRecords && row <= lines.size(); ++row)
            if (!g.Cells(TNumberTable::kNumber, row).isEmpty() && use.UnusedSince(g.Cells(TNumberTable::kNumber, row), r.o.country, from))
                r.out << lines[row - 1] << "\n";
        r.out.flush();
        return kExitOk;
    }
    if (r.o.output.isEmpty()) {
        for (const QString& line : s.NumberFiles().CsvLines(TCsvForm::Original, true)) r.out << line << "\n";
        r.out.flush();
        return kExitOk;
    }
    return DataKindOf(r.o.output) == TDataKind::Csv ? WriteLinesFile(r.Op(), s.NumberFiles().CsvLines(CsvFormOf(r.o.output)), r.o.output)
                                                    : WriteWorkbookFile(r.Op(), s.NumberFiles().NumbersWorkbook(), r.o.output);
}

int ReadNumbersInput(TCliRun& r, const QString& path, TNumbersInput& in) {
    QString error;
    in.csv = DataKindOf(path) == TDataKind::Csv;
    if (in.csv ? !TCsv::ReadFile(path, in.rows, error) : !TWorkbookIo::Read(path, in.book, error, TNumberTable::kRecords + 1))
        return r.Refuse(kExitFile, error);
    return kExitOk;
}

bool ApplyNumbersInput(TSession& s, const TNumbersInput& in) {
    return in.csv ? s.NumberFiles().ApplyCsv(in.rows) : s.NumberFiles().ApplyWorkbook(in.book);
}

void CopyNumberTable(const TStringGrid& from, TStringGrid& to) {
    for (int row = 1; row <= TNumberTable::kRecords; ++row)
        for (int c = 0; c < TNumberTable::kAllCols; ++c) to.SetCells(c, row, from.Cells(c, row));
}

int RunNumbersSave(TCliRun& r) {
    // The file first: a file that cannot be taken never touches the module.
    TNumbersInput input;
    if (int rc = ReadNumbersInput(r, r.o.input, input); rc != kExitOk) return rc;
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    s.Numbers().People().SetCountry(r.o.country);
    // The module's list, to show what the save would do to it.
    if (int rc = r.Cli().Exchange([&] { s.DownloadNumbers(); }); rc != kExitOk) return rc;
    TStringGrid before(TNumberTable::kAllCols, TNumberTable::kRecords + 1);
    CopyNumberTable(s.Numbers().Grid(), before);
    if (!ApplyNumbersInput(s, input)) return kExitFile;
    r.err << QString(s.NumberFiles().Imported()).replace(u'\r', u'\n') << "\n";
    s.Numbers().SetOrigin(TTableOrigin::FromFile(r.o.input));
    return SaveNumbersGuarded(r, before);
}

int SaveNumbersGuarded(TCliRun& r, const TStringGrid& before) {
    TSession& s = r.S();
    if (const QString problem = s.Numbers().ValidateNumberTable(); !problem.isEmpty()) {
        r.Op().ShowMessage(problem);
        return kExitFile;
    }
    const TNumberDiff diff = DiffNumberTables(before, s.Numbers().Grid());
    r.err << diff.Counts() << "\n" << Qt::flush;
    // Who gains and who loses access, by name where known; the same list
    // with --dry-run and before a save.
    const QList<TAccessChange> access = AccessChanges(before, s.Numbers().Grid(), s.Numbers().People(), QDateTime::currentDateTime());
    const QString writtenTwice = SameSubscriberText(SubscribersWrittenTwice(s.Numbers().Grid(), s.Numbers().People().Country()),
                                                    s.Numbers().Grid(), 1000);
    QTextStream& list = r.o.dryRun ? r.out : r.err;
    if (!access.isEmpty()) list << QString(AccessChangesText(access, 3000)).replace(u'\r', u'\n') << "\n";
    if (!writtenTwice.isEmpty())
        list << TwiceWrittenHead() << "\n" << QString(writtenTwice).replace(u'\r', u'\n') << "\n";
    list.flush();
    if (r.o.dryRun) {
        for (const TNumberChange& c : diff.changes) r.out << c.serial << ": " << c.before << " -> " << c.after << "\n";
        r.out.flush();
        return kExitOk;
    }
    if (const int losing = LosingAccess(access); losing > 0 && !r.o.yes)
        return r.Refuse(kExitUsage, TText::tr("the save takes or shortens access of %1 subscriber(s) (removed: %2): "
                                              "confirm with --yes (see them with --dry-run)")
                                        .arg(losing)
                                        .arg(diff.removed));
    if (!writtenTwice.isEmpty() && !r.o.yes)
        return r.Refuse(kExitUsage, TText::tr("one subscriber is written in two ways (the module sees two numbers): "
                                              "confirm with --yes or correct the file"));
    return r.Cli().Exchange([&] { s.SaveNumbers(); });
}

} // namespace portiqa
