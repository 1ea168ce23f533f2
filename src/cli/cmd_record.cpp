// The record's commands: the modules it knows, a module's log, a name for a
// module, and the difference between any two copies of a module's memory.
#include "cli/cli_commands.h"
#include "base/plain_text.h"
#include "backup/backup_file.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "numbers/people.h"
#include "record/snapshot_diff.h"
#include "settings/settings_block.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <limits>

namespace portiqa {

namespace {
constexpr int kLogLimit = 200;
} // namespace

QString When(const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QStringLiteral("-"); }

namespace {
QString ModuleWords(const TKnownModule& m) {
    QString words = m.sim.isEmpty() ? TText::tr("(номер SIM не задан)") : m.sim;
    if (!m.name.isEmpty()) words += QStringLiteral(" «%1»").arg(Printable(m.name));
    return words;
}

QJsonObject ModuleJson(const TKnownModule& m) {
    return {{"id", m.id}, {"sim", m.sim}, {"name", m.name}, {"bridge_serial", m.bridgeSerial},
            {"first_seen", m.firstSeen.toString(Qt::ISODate)}, {"last_seen", m.lastSeen.toString(Qt::ISODate)}};
}
} // namespace

void PrintJson(QTextStream& out, const QJsonObject& o) {
    out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)) << Qt::flush;
}

// The record or the exit status to end with.
TRecord* NeedRecord(TCliRun& r, int& rc) {
    QString problem;
    TRecord* record = r.Record(problem);
    rc = kExitOk;
    if (record) return record;
    rc = r.Refuse(kExitFile, r.o.noRecord ? TText::tr("--no-record: there is no record to read")
                                          : TText::tr("Журнал модулей недоступен: %1").arg(problem));
    return nullptr;
}

std::optional<TKnownModule> NeedModule(TCliRun& r, TRecord& record, const QString& what, int& rc) {
    QString error;
    auto m = record.FindModule(what, error);
    rc = kExitOk;
    if (!m) rc = r.Refuse(kExitFile, error.isEmpty() ? TText::tr("модуль %1 не найден в журнале").arg(what) : error);
    return m;
}

int RunModules(TCliRun& r) {
    int rc = kExitOk;
    TRecord* record = NeedRecord(r, rc);
    if (!record) return rc;
    QString error;
    const QList<TKnownModule> modules = record->Modules(error);
    if (!error.isEmpty()) return r.Refuse(kExitFile, error);
    if (r.o.json) {
        QJsonArray list;
        for (const TKnownModule& m : modules) list << ModuleJson(m);
        PrintJson(r.out, {{"record", record->Where()}, {"modules", list}});
        return kExitOk;
    }
    for (const TKnownModule& m : modules)
        r.out << m.id << "\t" << ModuleWords(m) << "\t" << When(m.firstSeen) << "\t" << When(m.lastSeen) << "\n";
    r.out.flush();
    return kExitOk;
}

int RunName(TCliRun& r) {
    int rc = kExitOk;
    TRecord* record = NeedRecord(r, rc);
    if (!record) return rc;
    QString error = NameTooLong(r.o.arguments[1], TPeople::kNameWidth);
    if (!error.isEmpty()) return r.Refuse(kExitUsage, error);
    const auto m = NeedModule(r, *record, r.o.arguments[0], rc);
    if (!m) return rc;
    if (!record->NameModule(m->id, r.o.arguments[1].trimmed(), error)) return r.Refuse(kExitFile, error);
    return kExitOk;
}

// The damaged record file's last good copy back in its place: asked first
// (--yes), since what was kept after the copy is then in the damaged file only.
int RunRestoreLastGood(TCliRun& r) {
    QString where = r.o.record;
    if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
    if (!r.o.yes)
        return r.Refuse(kExitUsage, TText::tr("record restore-last-good кладёт последнюю исправную копию журнала на место "
                                              "файла %1; записанное после копии останется только в отложенном файле. "
                                              "Подтвердите: --yes")
                                        .arg(where.isEmpty() ? TRecord::DefaultLocation() : where));
    QString error;
    const auto done = TRecord::RestoreLastGood(where, error);
    if (!done) return r.Refuse(kExitFile, error);
    r.err << *done << "\n" << Qt::flush;
    return kExitOk;
}

int RunLog(TCliRun& r) {
    int rc = kExitOk;
    TRecord* record = NeedRecord(r, rc);
    if (!record) return rc;
    QString error;
    QList<TKnownModule> modules;
    if (r.o.arguments.isEmpty()) {
        modules = record->Modules(error);
    } else if (const auto m = NeedModule(r, *record, r.o.arguments[0], rc)) {
        modules << *m;
    } else {
        return rc;
    }
    QJsonArray json;
    for (const TKnownModule& m : modules) {
        // One more than shown tells whether there are more.
        const int limit = r.o.all ? std::numeric_limits<int>::max() - 1 : kLogLimit;
        // A write left unfinished is told by the module's reads since.
        if (QString why; record->CompleteUnfinished(m.id, why) == 0 && !why.isEmpty())
            r.err << TText::tr("Журнал модулей: незавершённые записи не проверены по модулю: %1").arg(why) << "\n" << Qt::flush;
        QList<TSnapshot> snapshots = record->Snapshots(m.id, limit + 1, error);
        QList<TJournalEntry> writes = record->Journal(m.id, limit + 1, error);
        if (!error.isEmpty()) return r.Refuse(kExitFile, error);
        const bool partial = snapshots.size() > limit || writes.size() > limit;
        if (snapshots.size() > limit) snapshots.removeLast();
        if (writes.size() > limit) writes.removeLast();
        if (partial)
            r.err << TText::tr("Модуль %1: показаны последние %2 снимков и %2 записей, есть и более ранние; все: --all")
                         .arg(ModuleWords(m))
                         .arg(limit)
                  << "\n" << Qt::flush;
        if (r.o.json) {
            QJsonArray s, w;
            for (const TSnapshot& x : snapshots)
                s << QJsonObject{{"id", x.id}, {"taken_at", x.takenAt.toString(Qt::ISODate)}, {"kind", x.kind},
                                 {"areas", QJsonArray::fromStringList(x.areas)}, {"user", x.user}, {"host", x.host},
                                 {"program", x.program}};
            for (const TJournalEntry& x : writes)
                w << QJsonObject{{"id", x.id}, {"started_at", x.startedAt.toString(Qt::ISODate)},
                                 {"finished_at", x.finishedAt.toString(Qt::ISODate)}, {"operation", x.operation},
                                 {"intent", x.intent}, {"file", x.file}, {"file_sha256", x.fileSha256},
                                 {"outcome", x.outcome}, {"message", x.message}, {"pages_written", x.pagesWritten},
                                 {"pages_verified", x.pagesVerified}, {"user", x.user}, {"host", x.host}};
            QJsonObject entry = ModuleJson(m);
            entry.insert("partial", partial);
            entry.insert("snapshots", s);
            entry.insert("writes", w);
            json << entry;
            continue;
        }
        r.out << TText::tr("Модуль %1 (%2)").arg(ModuleWords(m)).arg(m.id) << "\n";
        // Snapshots and writes together, newest first.
        struct TLine { QDateTime at; QString text; };
        QList<TLine> lines;
        for (const TSnapshot& x : snapshots)
            lines << TLine{x.takenAt, QStringLiteral("  @%1\t%2\t%3\t%4\t%5@%6").arg(x.id).arg(When(x.takenAt), x.kind,
                                                                                         x.areas.join(u','), Printable(x.user), Printable(x.host))};
        for (const TJournalEntry& x : writes) {
            QString text = QStringLiteral("  #%1\t%2\t%3 %4\t%5\t%6@%7").arg(x.id).arg(When(x.startedAt), TText::tr("запись"),
                                                                                    x.operation,
                                                                                    x.outcome.isEmpty() ? TText::tr("не завершена") : x.outcome,
                                                                                    Printable(x.user), Printable(x.host));
            text += TText::tr("\tстраниц записано: %1, проверено: %2").arg(x.pagesWritten).arg(x.pagesVerified);
            if (!x.file.isEmpty()) text += TText::tr("\tиз файла %1 (SHA-256 %2)").arg(Printable(x.file), x.fileSha256.left(16));
            for (const QString& line : x.intent.split(u'\n', Qt::SkipEmptyParts)) text += QStringLiteral("\n      ") + Printable(line);
            lines << TLine{x.startedAt, text};
        }
        std::stable_sort(lines.begin(), lines.end(), [](const TLine& a, const TLine& b) { return a.at > b.at; });
        for (const TLine& l : lines) r.out << l.text << "\n";
    }
    if (r.o.json) PrintJson(r.out, {{"record", record->Where()}, {"modules", json}});
    r.out.flush();
    return kExitOk;
}

namespace {

// One side of a comparison: the settings pages and the number pages, each
// present or not, and what it is in words.
struct TSide {
    QString label;
    TModulePages pages;
    QString sim;  // the module's, when the record names it
};

bool SideFromFile(TCliRun& r, const QString& path, TSide& side, QString& error) {
    side.label = path;
    if (TBackupFile::LooksLikeBackup(path)) {
        TBackupImage image;
        if (!TBackupFile::Read(path, image, error)) return false;
        for (int p = 1; p <= 2; ++p) side.pages.settings += image.pages.at(SettingsPageAddress(p));
        for (int p = 1; p <= kNumberPages; ++p) side.pages.numbers += image.pages.at(NumberPageAddress(p));
        return true;
    }
    TSession& s = r.S();
    const TDataKind kind = DataKindOf(path);
    TWorkbook book;
    QList<TCsvRow> rows;
    if (kind == TDataKind::Csv ? !TCsv::ReadFile(path, rows, error) : !TWorkbookIo::Read(path, book, error)) return false;
    const QString caption = book.Text(1, 1);
    if (kind != TDataKind::Csv && (caption == QStringLiteral("Функции") || caption == QLatin1String("Function"))) {
        bool applied = false;
        if (!RunGuarded(r.Op(), [&] { applied = s.Profile().ApplyProfile(book); }) || !applied) {
            error = TText::tr("%1: профиль настроек не принят").arg(path);
            return false;
        }
        side.pages.settings = s.SettingsPagesOfTable();
        return true;
    }
    if (!(kind == TDataKind::Csv ? s.NumberFiles().ApplyCsv(rows) : s.NumberFiles().ApplyWorkbook(book))) {
        error = TText::tr("%1: список номеров не принят").arg(path);
        return false;
    }
    side.pages.numbers = s.NumberPagesOfTable();
    return true;
}

// "@ID", "MODULE@DATE" (the newest copy at or before it), "module" (read
// now), or a file.
int ResolveSide(TCliRun& r, const QString& what, TSide& side) {
    QString error;
    if (what == QLatin1String("module")) {
        if (int rc = r.Connect(); rc != kExitOk) return rc;
        TSession& s = r.S();
        if (int rc = r.Cli().Exchange([&] { s.ReadSettings(TSession::TAsk::Quietly); }); rc != kExitOk) return rc;
        if (int rc = r.Cli().Exchange([&] { s.DownloadNumbers(TSession::TAsk::Quietly); }); rc != kExitOk) return rc;
        side.label = TText::tr("модуль %1").arg(s.Module() ? s.Module()->Label() : QString());
        for (int p = 1; p <= 2 + kNumberPages; ++p) {
            const int32_t address = p <= 2 ? SettingsPageAddress(p) : NumberPageAddress(p - 2);
            const QByteArray* page = s.KnownPage(address);
            if (!page) return r.Refuse(kExitFailed, TText::tr("модуль прочитан не полностью"));
            (p <= 2 ? side.pages.settings : side.pages.numbers) += *page;
        }
        return kExitOk;
    }
    const qsizetype at = what.lastIndexOf(u'@');
    if (at < 0) return SideFromFile(r, what, side, error) ? kExitOk : r.Refuse(kExitFile, error);
    int rc = kExitOk;
    TRecord* record = NeedRecord(r, rc);
    if (!record) return rc;
    side.label = what;
    if (at == 0) {
        bool ok = false;
        const qint64 id = what.mid(1).toLongLong(&ok);
        const auto snapshot = ok ? record->Snapshot(id, error) : std::nullopt;
        if (!snapshot) return r.Refuse(kExitFile, error.isEmpty() ? TText::tr("снимка %1 нет в журнале").arg(what) : error);
        side.pages = snapshot->pages;
        if (const auto m = record->FindModule(QString::number(snapshot->moduleId), error)) side.sim = m->sim;
        return kExitOk;
    }
    const auto m = NeedModule(r, *record, what.left(at), rc);
    if (!m) return rc;
    side.sim = m->sim;
    const QString date = what.mid(at + 1);
    // A day alone means the module as it was at the day's end.
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    QDateTime t = day.isValid() ? day.endOfDay() : QDateTime::fromString(date, Qt::ISODate);
    if (!t.isValid()) t = QDateTime::fromString(date, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!t.isValid()) return r.Refuse(kExitUsage, TText::tr("%1: дата как 2026-03-15 или 2026-03-15T14:30").arg(what));
    for (const char* area : {"settings", "numbers"}) {
        const auto s = record->Latest(m->id, QLatin1String(area), t, error);
        if (!s) continue;
        if (QLatin1String(area) == QLatin1String("settings")) side.pages.settings = s->pages.settings;
        else side.pages.numbers = s->pages.numbers;
    }
    if (side.pages.Empty()) return r.Refuse(kExitFile, TText::tr("%1: в журнале нет снимка на эту дату").arg(what));
    return kExitOk;
}

} // namespace

bool SnapshotToRestore(TCliRun& r, const QString& what, TBackupImage& image, int& rc) {
    TSide side;
    rc = ResolveSide(r, what, side);
    if (rc != kExitOk) return false;
    // The areas the restore writes must be there.
    if ((r.o.only != QLatin1String("numbers") && side.pages.settings.size() != 2 * kPageSize) ||
        (r.o.only != QLatin1String("settings") && side.pages.numbers.size() != kNumberPages * kPageSize)) {
        rc = r.Refuse(kExitFile, TText::tr("%1: в журнале нет и настроек, и номеров модуля на этот снимок; восстановить "
                                           "можно снимок, где есть оба (например МОДУЛЬ@ДАТА)").arg(what));
        return false;
    }
    if (side.pages.settings.size() == 2 * kPageSize)
        for (int p = 1; p <= 2; ++p) image.pages[SettingsPageAddress(p)] = side.pages.settings.mid((p - 1) * kPageSize, kPageSize);
    if (side.pages.numbers.size() == kNumberPages * kPageSize)
        for (int p = 1; p <= kNumberPages; ++p)
            image.pages[NumberPageAddress(p)] = side.pages.numbers.mid((p - 1) * kPageSize, kPageSize);
    image.program = what;
    image.simNumber = side.sim;
    return true;
}

int RunDiff(TCliRun& r) {
    TSide a, b;
    if (int rc = ResolveSide(r, r.o.arguments[0], a); rc != kExitOk) return rc;
    if (int rc = ResolveSide(r, r.o.arguments[1], b); rc != kExitOk) return rc;
    const TSnapshotDiff d = DiffModulePages(a.pages, b.pages);
    if (!d.settings && !d.numbers)
        return r.Refuse(kExitFile, TText::tr("%1 и %2: нечего сравнивать (нет общих настроек или списка номеров)")
                                       .arg(a.label, b.label));
    if (r.o.json) {
        QJsonObject o{{"a", a.label}, {"b", b.label}};
        if (d.settings) {
            QJsonArray rows;
            for (const TSettingsRowChange& c : d.rows) rows << QJsonObject{{"row", c.row}, {"before", c.before}, {"after", c.after}};
            o.insert("settings", rows);
        }
        if (d.numbers) {
            QJsonArray records;
            for (const TNumberChange& c : d.records.changes)
                records << QJsonObject{{"record", c.serial}, {"before", c.before}, {"after", c.after}};
            o.insert("numbers", records);
            o.insert("counts", QJsonObject{{"added", d.records.added}, {"changed", d.records.changed},
                                           {"removed", d.records.removed}, {"unchanged", d.records.unchanged}});
        }
        PrintJson(r.out, o);
        return kExitOk;
    }
    r.out << "--- " << a.label << "\n+++ " << b.label << "\n";
    if (d.numbers) r.out << TText::tr("Номера: ") << d.records.Counts() << "\n";
    for (const QString& line : d.rowLines) r.out << line << "\n";
    for (const TNumberChange& c : d.records.changes) r.out << TText::tr("запись %1: %2 → %3").arg(c.serial).arg(c.before, c.after) << "\n";
    r.out.flush();
    return kExitOk;
}

} // namespace portiqa
