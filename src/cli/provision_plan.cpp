// The provisioning's template, units and report: what every module gets,
// checked whole before the first module is touched, and what it got.
#include "cli/provision.h"
#include "base/texts.h"
#include "backup/backup_file.h"
#include "base/errors.h"
#include "cli/cli_options.h"
#include "files/csv.h"
#include "files/workbook.h"
#include "numbers/number_record.h"
#include "settings/settings_block.h"
#include "settings/settings_rules.h"
#include <QDateTime>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace portiqa {

namespace {

// The value of a settings row as a table holds it, in the form the
// provisioning applies it again.
QString RowValue(const TSettingsTable& t, int row) {
    if (!TSettingsTable::IsSelectionRow(row)) return t.Value(row);
    const TSelectionEditor* e = t.EditorOfRow(row);
    if (e->itemIndex >= 0) return QString::number(e->itemIndex);
    return e->moduleByte >= 0 ? QStringLiteral("#%1").arg(e->moduleByte) : QString();
}

// Whether the template and a unit's rows obey the rules every other source obeys.
QString CheckRows(const std::map<int, QString>& settings, const TUnit* unit) {
    std::map<int, QString> rows = settings;
    if (unit)
        for (const auto& [row, value] : unit->rows) rows[row] = value;
    TSettingsTable scratch;
    for (const auto& [row, value] : rows) {
        if (TSettingsTable::IsSelectionRow(row)) {
            if (value.startsWith(u'#') || value.isEmpty()) continue;  // the template's own byte, carried
            int index = -1;
            if (QString problem = CheckSettingsChoice(scratch, row, value, index); !problem.isEmpty()) return problem;
        } else if (QString problem = CheckSettingsValue(row, value); !problem.isEmpty()) {
            return problem;
        }
    }
    return {};
}

} // namespace

bool TProvisionPlan::LoadTemplate(const QString& templatePath, const QString& numbersPath, QString& error) {
    TSilentOperator quietOp;
    TRecordingStatusDisplay display;
    TManualTimer timer(kStatusClearMs, true);
    Tstatusbar_ctrl status(display, timer);
    Tprogressbar_ctrl progress(display);
    TSettingsTable table;
    const TDataKind kind = DataKindOf(templatePath);
    if (kind == TDataKind::Xlsx || kind == TDataKind::Xls) {
        TWorkbook book;
        if (!TWorkbookIo::Read(templatePath, book, error)) return false;
        // The profile's rows; a drop-down left empty keeps the factory choice.
        struct TTellOperator : TSilentOperator {
            QString last;
            void ShowMessage(const QString& t) override { last = t; }
        } tell;
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
        TBackupImage image;
        if (!TBackupFile::Read(templatePath, image, error)) return false;
        DecodeSettingsPage1To(reinterpret_cast<const uint8_t*>(image.pages.at(SettingsPageAddress(1)).constData()), table);
        DecodeSettingsPage2To(reinterpret_cast<const uint8_t*>(image.pages.at(SettingsPageAddress(2)).constData()), table);
        hasNumbers = true;
        for (int page = 1; page <= kNumberPages; ++page)
            DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(image.pages.at(NumberPageAddress(page)).constData()),
                                 page, numbers);
    }
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) settings[row] = RowValue(table, row);
    if (!numbersPath.isEmpty()) {
        struct TTellOperator : TSilentOperator {
            QString last;
            void ShowMessage(const QString& t) override { last = t; }
            void ReportError(const QString& t) override { last = t; }
        } tell;
        TNumberTable list;
        TNumberFiles files(list, {tell, status, progress, QString()});
        bool applied = false;
        if (DataKindOf(numbersPath) == TDataKind::Csv) {
            QList<TCsvRow> rows;
            applied = TCsv::ReadFile(numbersPath, rows, error) && files.ApplyCsv(rows);
        } else {
            TWorkbook book;
            applied = TWorkbookIo::Read(numbersPath, book, error, TNumberTable::kRecords + 1) && files.ApplyWorkbook(book);
        }
        if (!applied) {
            if (error.isEmpty()) error = TText::tr("Список номеров %1 не принят: %2").arg(numbersPath, tell.last);
            return false;
        }
        hasNumbers = true;
        for (int r = 1; r <= TNumberTable::kRecords; ++r)
            for (int c = 0; c < TNumberTable::kCols; ++c) numbers.SetCells(c, r, list.Grid().Cells(c, r));
    }
    if (hasNumbers) {
        TNumberTable check;
        for (int r = 1; r <= TNumberTable::kRecords; ++r)
            for (int c = 0; c < TNumberTable::kCols; ++c) check.Grid().SetCells(c, r, numbers.Cells(c, r));
        if (const QString problem = check.ValidateNumberTable(); !problem.isEmpty()) {
            error = TText::tr("Номера шаблона не приняты: ") + QString(problem).replace(u'\r', u' ');
            return false;
        }
    }
    if (const QString problem = CheckRows(settings, nullptr); !problem.isEmpty()) {
        error = TText::tr("Шаблон %1 не принят. ").arg(templatePath) + problem;
        return false;
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
            return fail(TText::tr("столбец «%1»: нужен «unit» или номер строки настроек 1-16").arg(h));
        }
    }
    if (unitColumn < 0) return fail(TText::tr("нет столбца «unit»"));
    QSet<QString> names;
    for (const TCsvRow& r : rows) {
        TUnit unit;
        unit.name = r.fields.value(unitColumn).trimmed();
        if (unit.name.isEmpty()) return fail(TText::tr("строка %1: нет имени устройства").arg(r.line));
        if (names.contains(unit.name)) return fail(TText::tr("строка %1: устройство «%2» указано дважды").arg(r.line).arg(unit.name));
        names.insert(unit.name);
        for (int c = 0; c < header.size(); ++c)
            if (columnRows[c] > 0) unit.rows.append({columnRows[c], r.fields.value(c)});
        // Every unit with the rules before the first module is touched.
        if (const QString problem = CheckRows(settings, &unit); !problem.isEmpty())
            return fail(TText::tr("строка %1 (%2): %3").arg(r.line).arg(unit.name, problem));
        units.push_back(unit);
    }
    withUnits = true;
    return true;
}

void TProvisionPlan::ApplySettings(TSettingsTable& table, const TUnit* unit) const {
    std::map<int, QString> rows = settings;
    if (unit)
        for (const auto& [row, value] : unit->rows) rows[row] = value;
    for (const auto& [row, value] : rows) {
        if (!TSettingsTable::IsSelectionRow(row)) {
            table.SetValue(row, value);
            continue;
        }
        TSelectionEditor* e = table.EditorOfRow(row);
        if (value.startsWith(u'#')) {  // a byte no item names: carried as the template holds it
            table.SetItemIndex(row, -1);
            e->moduleByte = value.mid(1).toInt();
        } else if (!value.isEmpty()) {
            int index = -1;
            CheckSettingsChoice(table, row, value, index);
            table.SetItemIndex(row, index);
            e->moduleByte = -1;
        }
    }
}

bool TProvisionReport::Open(const QString& path, QString& error) {
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            error = TText::tr("Отчёт %1 не читается").arg(path);
            return false;
        }
        // Units reported ok by an earlier run are done.
        for (const TCsvRow& r : TCsv::ParseRows(QString::fromUtf8(existing.readAll()), u','))
            if (r.fields.size() >= 5 && r.fields[4] == QLatin1String("ok")) done_.insert(r.fields[3]);
        existing.close();
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::Append | QIODevice::WriteOnly)) {
        error = TText::tr("Не удалось записать файл %1: %2").arg(path, file_.errorString());
        return false;
    }
    if (file_.size() == 0) {
        file_.write("time,port,serial,unit,result,reason,pages,seconds\n");
        file_.flush();
    }
    return true;
}

void TProvisionReport::Append(const QString& port, const QString& serial, const QString& unit, bool ok,
                              const QString& reason, int pages, double seconds) {
    const QStringList fields{QDateTime::currentDateTime().toOffsetFromUtc(QDateTime::currentDateTime().offsetFromUtc()).toString(Qt::ISODate),
                             port, serial, unit, ok ? QStringLiteral("ok") : QStringLiteral("failed"),
                             QString(reason).replace(u'\r', u' ').replace(u'\n', u' '), QString::number(pages),
                             QString::number(seconds, 'f', 1)};
    file_.write((TCsv::JoinLine(fields) + u'\n').toUtf8());
    file_.flush();
    // On the disk before the next module is reported.
#ifdef _WIN32
    ::_commit(file_.handle());
#else
    ::fsync(file_.handle());
#endif
    if (ok) done_.insert(unit);
}

} // namespace portiqa
