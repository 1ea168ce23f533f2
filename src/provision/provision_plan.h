#pragma once
#include "numbers/number_table.h"
#include "settings/settings_table.h"
#include <QFile>
#include <QLockFile>
#include <QSet>
#include <QString>
#include <deque>
#include <map>
#include <memory>

namespace portiqa {

// One module's own values: the unit's name and the settings rows that
// override the template for it, typed by their rows' rules.
struct TUnit {
    QString name;
    QList<QPair<int, TSettingValue>> rows;
    // The unit's own text of a text row (its password, its SIM number);
    // empty when the template's stands.
    QString Text(int row) const {
        for (const auto& [r, v] : rows)
            if (r == row) return v.text;
        return {};
    }
};

// What every module gets, and the units, checked whole before the first
// module is touched.
struct TProvisionPlan {
    TProvisionPlan() { numbers.Assign(TNumberTable().Grid()); }
    // The template's shown settings rows, typed (a drop-down row by its
    // byte, which may be one no item names, carried from a backup).
    std::map<int, TSettingValue> settings;
    // The template's text of a text row.
    QString TemplateText(int row) const { return settings.count(row) ? settings.at(row).text : QString(); }
    bool hasNumbers = false;
    QString numbersSource;  // the file the numbers come from
    // The list every module gets, shaped as a session's number table so that
    // a job takes it without copying a cell (the names stay out).
    TStringGrid numbers{TNumberTable::kAllCols, TNumberTable::kRecords + 1};
    std::deque<TUnit> units;  // in file order; empty: every module gets the template
    bool withUnits = false;

    // The template: a backup file (its settings and numbers), or a settings
    // profile (.xlsx/.xls) with an optional number list. False with the message.
    bool LoadTemplate(const QString& templatePath, const QString& numbersPath, QString& error);
    // The units: a CSV (UTF-8 or Windows-1251, "," or ";") with a header row;
    // the column "unit" names the unit, the others are settings row numbers.
    bool LoadUnits(const QString& path, QString& error);
    // Every module must leave with a password of its own that is not the
    // factory's: a module still on the factory password looks new and would
    // take the next unit. With units, each unit sets its own (no blank cell,
    // not the factory's, no two alike); without, the template must not keep
    // the factory's. Empty when so, else what is wrong, unit by unit.
    QString CheckPasswords(const QString& factoryPin) const;
    // Puts the template and a unit's rows into a session's settings table.
    void ApplySettings(TSettingsTable& table, const TUnit* unit) const;
};

// A line of the report: appended and pushed to the disk before the next.
class TProvisionReport {
public:
    bool Open(const QString& path, QString& error);
    // Units reported ok by an earlier run with this report.
    QSet<QString> DoneUnits() const { return done_; }
    // False when the line could not be written and pushed to the disk.
    // code: the result in a word machines read (see TProvisionJob::TResult).
    bool Append(const QString& port, const QString& serial, const QString& unit, bool ok, const QString& reason,
                int pages, double seconds, const QString& code);
    QString LastLine() const { return lastLine_; }
    // Why the last line could not be written, in the system's words.
    QString Error() const { return error_; }

private:
    bool WriteSynced(const QByteArray& bytes);
    std::unique_ptr<QLockFile> lock_;
    QFile file_;
    QSet<QString> done_;
    QString lastLine_;
    QString error_;
};

} // namespace portiqa
