// The provisioning's template, units and report: what every module gets,
// checked whole before the first module is touched, and what it got.
#include "provision/provision_plan.h"
#include "base/texts.h"
#include "backup/backup_file.h"
#include "base/errors.h"
#include "files/csv.h"
#include "files/file_replace.h"
#include "files/file_exchange.h"
#include "numbers/number_files.h"
#include "settings/settings_profile.h"
#include "files/workbook.h"
#include "numbers/number_record.h"
#include "numbers/subscriber.h"
#include "settings/settings_block.h"
#include "settings/settings_rules.h"
#include <QDateTime>
#include <cerrno>
#include <QFileInfo>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace portiqa {

namespace {

// Keeps the last thing a file reader told, for the refusal's words.
struct TTellOperator : TSilentOperator {
    QString last;
    void ShowMessage(const QString& t) override { last = t; }
    void ReportError(const QString& t) override { last = t; }
};

// A number list file, taken with the window's checks, into the records of
// grid; names stay out of provisioning. False with the message.
bool ReadNumberList(const QString& path, TStringGrid& grid, QString& error) {
    TRecordingStatusDisplay display;
    TManualTimer timer(kStatusClearMs, true);
    TStatusControl status(display, timer);
    TProgressControl progress(display);
    TTellOperator tell;
    TNumberTable list;
    TNumberFiles files(list, {tell, status, progress, QString()});
    bool applied = false;
    if (DataKindOf(path) == TDataKind::Csv) {
        QList<TCsvRow> rows;
        applied = TCsv::ReadFile(path, rows, error) && files.ApplyCsv(rows);
    } else {
        TWorkbook book;
        applied = TWorkbookIo::Read(path, book, error, TNumberTable::kRecords + 1) && files.ApplyWorkbook(book);
    }
    if (!applied) {
        if (error.isEmpty()) error = TText::tr("Список номеров %1 не принят: %2").arg(path, tell.last);
        return false;
    }
    for (int r = 1; r <= TNumberTable::kRecords; ++r)
        for (int c = 1; c < TNumberTable::kCols; ++c) grid.SetCells(c, r, list.Grid().Cells(c, r));
    return true;
}

} // namespace

bool TProvisionPlan::LoadTemplate(const QString& templatePath, const QString& numbersPath, QString& error) {
    TRecordingStatusDisplay display;
    TManualTimer timer(kStatusClearMs, true);
    TStatusControl status(display, timer);
    TProgressControl progress(display);
    TSettingsTable table;
    // A backup is told by what it holds, whatever its name.
    const TDataKind kind = DataKindOf(templatePath);
    if ((kind == TDataKind::Xlsx || kind == TDataKind::Xls) && !TBackupFile::LooksLikeBackup(templatePath)) {
        TWorkbook book;
        if (!TWorkbookIo::Read(templatePath, book, error)) return false;
        // The profile's rows; a drop-down left empty keeps the factory choice.
        TTellOperator tell;
        TSettingsProfile profile(table, {tell, status, progress, QString()});
        bool applied = false;
        try {
            applied = profile.ApplyProfile(book);
        } catch (const std::exception& e) {
            tell.last = QString::fromUtf8(e.what());
        }
        if (!applied) {
            error = TText::tr("Шаблон %1 не принят: %2").arg(templatePath, tell.last);
            return false;
        }
    } else {
        // A backup is a whole module: its numbers are the template's.
        if (!numbersPath.isEmpty()) {
            error = TText::tr("Шаблон %1 — резервная копия со своим списком номеров: --numbers с ней не используется").arg(templatePath);
            return false;
        }
        TBackupImage image;
        if (!TBackupFile::Read(templatePath, image, error)) return false;
        if (!DecodeSettingsPages(image.pages[SettingsPageAddress(1)], image.pages[SettingsPageAddress(2)], table)) {
            error = TText::tr("Шаблон %1: в резервной копии нет страниц настроек").arg(templatePath);
            return false;
        }
        // A module's values obey the rules every other source obeys (a
        // profile's were checked as it was applied).
        if (const QString problem = CheckSettingsTable(table); !problem.isEmpty()) {
            error = TText::tr("Шаблон %1 не принят. ").arg(templatePath) + problem;
            return false;
        }
        hasNumbers = true;
        numbersSource = templatePath;
        for (int page = 1; page <= kNumberPages; ++page)
            DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(image.pages.at(NumberPageAddress(page)).constData()),
                                 page, numbers);
    }
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) settings[row] = table.Get(row);
    if (!numbersPath.isEmpty()) {
        if (!ReadNumberList(numbersPath, numbers, error)) return false;
        hasNumbers = true;
        numbersSource = numbersPath;
    }
    if (hasNumbers) {
        TNumberTable check;
        check.Grid().Assign(numbers);
        if (const QString problem = check.ValidateNumberTable(); !problem.isEmpty()) {
            error = TText::tr("Номера шаблона не приняты: ") + QString(problem).replace(u'\r', u' ');
            return false;
        }
    }
    return true;
}

bool TProvisionPlan::LoadUnits(const QString& path, QString& error) {
    QList<TCsvRow> rows;
    if (!TCsv::ReadFile(path, rows, error)) return false;
    auto fail = [&](const QString& why) {
        error = TText::tr("Таблица устройств %1 не принята: %2").arg(path, why);
        return false;
    };
    if (rows.isEmpty()) return fail(TText::tr("в ней нет строки заголовка"));
    const QStringList header = rows.takeFirst().fields;
    int unitColumn = -1;
    QList<int> columnRows;
    for (int c = 0; c < header.size(); ++c) {
        const QString h = header[c].trimmed();
        int row = 0;
        if (h.compare(QLatin1String("unit"), Qt::CaseInsensitive) == 0) {
            unitColumn = c;
            columnRows << 0;
        } else if (TryStrToInt(h, row) && row >= 1 && row <= TSettingsTable::kValueRows) {
            columnRows << row;
        } else {
            return fail(TText::tr("столбец «%1»: нужен «unit» или номер строки настроек 1-%2").arg(h).arg(TSettingsTable::kValueRows));
        }
    }
    if (unitColumn < 0) return fail(TText::tr("нет столбца «unit»"));
    for (int c = 0; c < header.size(); ++c)
        if (columnRows[c] > 0 && columnRows.count(columnRows[c]) > 1)
            return fail(TText::tr("строка настроек %1 указана в двух столбцах").arg(columnRows[c]));
    // A unit's password and SIM number are its own: no two units share one.
    std::map<QString, QString> names, pins, sims;  // the key, to the unit that has it
    std::vector<int> lines;                         // each unit's line in the file
    for (const TCsvRow& r : rows) {
        if (r.fields.size() == 1 && r.fields[0].trimmed().isEmpty()) continue;  // a blank line
        TUnit unit;
        unit.name = r.fields.value(unitColumn).trimmed();
        if (unit.name.isEmpty()) return fail(TText::tr("строка %1: нет имени устройства").arg(r.line));
        const auto sameName = names.find(unit.name.toCaseFolded());
        if (sameName != names.end())
            return fail(TText::tr("строка %1: устройство «%2» уже указано как «%3»").arg(r.line).arg(unit.name, sameName->second));
        names[unit.name.toCaseFolded()] = unit.name;
        // An empty cell keeps the template's value; every other is taken by
        // its row's rules before the first module is touched.
        for (int c = 0; c < header.size(); ++c) {
            if (columnRows[c] == 0 || r.fields.value(c).trimmed().isEmpty()) continue;
            TSettingValue value;
            if (const QString problem = ParseSettingValue(columnRows[c], r.fields.value(c), value); !problem.isEmpty())
                return fail(TText::tr("строка %1 (%2): %3").arg(r.line).arg(unit.name, problem));
            unit.rows.append({columnRows[c], value});
        }
        if (const QString pin = unit.Text(kPasswordRow).trimmed(); !pin.isEmpty()) {
            if (const auto other = pins.find(pin); other != pins.end())
                return fail(TText::tr("строка %1 (%2): пароль %3 уже у устройства «%4»").arg(r.line).arg(unit.name, pin, other->second));
            pins[pin] = unit.name;
        }
        units.push_back(unit);
        lines.push_back(r.line);
    }
    if (units.empty()) return fail(TText::tr("в ней нет ни одного устройства"));
    // One SIM card, one unit, however its number is written ("+7903…",
    // "8903…"): in the system's country or the one the file's numbers say.
    QStringList simNumbers;
    for (const TUnit& u : units) simNumbers << u.Text(kSimNumberRow);
    const TNumberCountry system = TNumberCountry::FromSystem(), listed = TNumberCountry::OfNumbers(simNumbers);
    for (size_t i = 0; i < units.size(); ++i) {
        const QString sim = units[i].Text(kSimNumberRow).trimmed();
        if (sim.isEmpty()) continue;
        const QStringList keys = SubscriberKeys(sim, system, listed);
        for (const QString& key : keys)
            if (const auto other = sims.find(key); other != sims.end())
                return fail(TText::tr("строка %1 (%2): номер SIM %3 уже у устройства «%4»").arg(lines[i]).arg(units[i].name, sim, other->second));
        for (const QString& key : keys) sims[key] = units[i].name;
    }
    withUnits = true;
    return true;
}

QString TProvisionPlan::CheckPasswords(const QString& factoryPin) const {
    const QString templatePin = TemplateText(kPasswordRow).trimmed();
    const auto factory = [&](const QString& pin) {
        return pin == factoryPin || pin == QLatin1String(kSettingsRows[kPasswordRow - 1].factory);
    };
    if (!withUnits)
        return factory(templatePin) ? TText::tr("шаблон оставляет модулям заводской пароль %1: такой модуль нельзя отличить от "
                                                "нового. Задайте пароль в шаблоне или каждому устройству (столбец 1)")
                                          .arg(templatePin)
                                    : QString();
    QStringList problems;
    for (const TUnit& u : units) {
        const QString pin = u.Text(kPasswordRow).trimmed();
        if (pin.isEmpty())
            problems << TText::tr("устройство «%1»: нет своего пароля (столбец 1 пуст или его нет)").arg(u.name);
        else if (factory(pin))
            problems << TText::tr("устройство «%1»: пароль %2 — заводской").arg(u.name, pin);
    }
    if (problems.isEmpty()) return {};
    const qsizetype shown = std::min<qsizetype>(problems.size(), 20);
    QString text = problems.mid(0, shown).join(QStringLiteral("; "));
    if (problems.size() > shown) text += TText::tr(" и ещё %1").arg(problems.size() - shown);
    return TText::tr("У каждого устройства должен быть свой пароль, не заводской: ") + text;
}

void TProvisionPlan::ApplySettings(TSettingsTable& table, const TUnit* unit) const {
    std::map<int, TSettingValue> rows = settings;
    if (unit)
        for (const auto& [row, value] : unit->rows) rows[row] = value;
    for (const auto& [row, value] : rows) table.Put(row, value);
}

bool TProvisionReport::Open(const QString& path, QString& error) {
    const QFileInfo info(path);
    // A device or a pipe is no report: it would be read without end, or hang.
    if (info.exists() && !info.isFile()) {
        error = TText::tr("Отчёт %1 не является обычным файлом").arg(path);
        return false;
    }
    // One run a report: a second one would hand out the same units again.
    lock_ = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        lock_->getLockInfo(&pid, &host, &app);
        error = lock_->error() == QLockFile::LockFailedError
                    ? TText::tr("Отчёт %1 уже ведёт другой запуск (процесс %2 на %3): два запуска с одним отчётом выдали бы одни и те же устройства")
                          .arg(path).arg(pid).arg(host)
                    : TText::tr("Не удалось занять отчёт %1 (файл %2.lock): %3").arg(path, path, LockProblem(path + QStringLiteral(".lock")));
        lock_.reset();
        return false;
    }
    QFile existing(path);
    bool cutLine = false;
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            error = TText::tr("Отчёт %1 не читается").arg(path);
            return false;
        }
        constexpr qint64 kMaxReport = 64LL * 1024 * 1024;
        if (existing.size() > kMaxReport) {
            error = TText::tr("Отчёт %1 больше 64 МБ: начните новый").arg(path);
            return false;
        }
        const QByteArray bytes = existing.readAll();
        // A line cut by a full disk or a lost power ends here, so that the
        // next one starts on a line of its own.
        cutLine = !bytes.isEmpty() && !bytes.endsWith('\n');
        // Units reported ok by an earlier run are done.
        for (const TCsvRow& r : TCsv::ParseRows(QString::fromUtf8(bytes), u','))
            if (r.fields.size() >= 5 && r.fields[4] == QLatin1String("ok")) done_.insert(r.fields[3]);
        existing.close();
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::Append | QIODevice::WriteOnly)) {
        error = TText::tr("Не удалось записать файл %1: %2").arg(path, file_.errorString());
        return false;
    }
    const QByteArray start = cutLine ? QByteArray("\n") : file_.size() == 0 ? QByteArray("time,port,serial,unit,result,reason,pages,seconds,code\n") : QByteArray();
    if (!start.isEmpty() && !WriteSynced(start)) {
        error = TText::tr("Не удалось записать файл %1: %2").arg(path, error_);
        return false;
    }
    return true;
}

bool TProvisionReport::WriteSynced(const QByteArray& bytes) {
    // The system's own reason: a full disk says so (QFile may have none to
    // give after a failed flush or sync).
    errno = 0;
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        const int code = errno;
        error_ = code != 0 ? qt_error_string(code) : file_.errorString();
        return false;
    }
#ifdef _WIN32
    const bool synced = ::_commit(file_.handle()) == 0;
#else
    const bool synced = ::fsync(file_.handle()) == 0;
#endif
    if (!synced) error_ = qt_error_string(errno);
    return synced;
}

bool TProvisionReport::Append(const QString& port, const QString& serial, const QString& unit, bool ok,
                              const QString& reason, int pages, double seconds, const QString& code) {
    const QStringList fields{QDateTime::currentDateTime().toOffsetFromUtc(QDateTime::currentDateTime().offsetFromUtc()).toString(Qt::ISODate),
                             port, serial, unit, ok ? QStringLiteral("ok") : QStringLiteral("failed"),
                             QString(reason).replace(u'\r', u' ').replace(u'\n', u' '), QString::number(pages),
                             QString::number(seconds, 'f', 1), code};
    lastLine_ = TCsv::JoinLine(fields);
    // On the disk before the next module is reported.
    if (!WriteSynced((lastLine_ + u'\n').toUtf8())) return false;
    if (ok) done_.insert(unit);
    return true;
}

} // namespace portiqa
