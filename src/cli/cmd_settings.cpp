// settings read, settings save.
#include "cli/cli_commands.h"
#include "base/texts.h"
#include "files/workbook.h"
#include "settings/settings_layout.h"
#include "settings/settings_rules.h"

namespace portiqa {

int RunSettingsRead(TCliRun& r) {
    if (!r.o.output.isEmpty())
        if (int rc = r.CheckOutput(r.o.output); rc != kExitOk) return rc;
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (int rc = r.Cli().Exchange([&] { s.ReadSettings(); }); rc != kExitOk) return rc;
    if (!r.o.output.isEmpty()) return WriteWorkbookFile(r.Op(), s.Profile().ProfileWorkbook(), r.o.output);
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
        const TSelectionEditor* e = s.Settings().EditorOfRow(row);
        r.out << row << "\t" << (e ? e->SelectedText() : s.Settings().Value(row)) << "\n";
    }
    r.out.flush();
    return kExitOk;
}

int RunSettingsSave(TCliRun& r) {
    // The profile first: a file that cannot be taken never touches the module.
    TWorkbook book;
    if (!r.o.input.isEmpty()) {
        QString error;
        if (!TWorkbookIo::Read(r.o.input, book, error)) return r.Refuse(kExitFile, error);
    }
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    TSession& s = r.S();
    if (int rc = r.Cli().Exchange([&] { s.ReadSettings(); }); rc != kExitOk) return rc;
    TSettingsTable module;
    s.KnownSettings(module);
    if (!r.o.input.isEmpty()) {
        bool applied = false;
        if (!RunGuarded(r.Op(), [&] { applied = s.Profile().ApplyProfile(book); }) || !applied) return kExitFile;
        s.Settings().SetOrigin(TTableOrigin::FromFile(r.o.input));
        // The module keeps its own password and SIM number unless asked: a
        // profile is often another module's.
        QStringList kept;
        for (const auto& [row, asked] : {std::pair{kPasswordRow, r.o.withPassword}, std::pair{kSimNumberRow, r.o.withSim}}) {
            if (asked || s.Settings().Get(row) == module.Get(row)) continue;
            s.Settings().Put(row, module.Get(row));
            kept << QString::number(row);
        }
        if (!kept.isEmpty())
            r.err << TText::tr("Пароль и номер SIM модуля оставлены его собственными (строки %1; --with-password, "
                               "--with-sim записывают значения профиля)")
                         .arg(kept.join(QStringLiteral(", ")))
                  << "\n" << Qt::flush;
    }
    for (const auto& [row, value] : r.o.assignments) s.Settings().Put(row, value);
    if (r.o.dryRun) {
        // Each row the save would change, "row: before -> after"; nothing is sent.
        if (const QString problem = CheckSettingsTable(s.Settings(), &module); !problem.isEmpty())
            return r.Refuse(kExitFile, TText::tr("Настройки не сохранены. ") + problem);
        for (const TSettingsChange& c : SettingsDifferences(module, s.Settings()))
            r.out << c.row << ": " << c.before << " -> " << c.after << "\n";
        r.out.flush();
        return kExitOk;
    }
    return r.Cli().Exchange([&] { s.SaveSettings(r.o.withPassword || r.o.withSim); });
}

} // namespace portiqa
