#include "settings/settings_profile.h"
#include "base/texts.h"
#include "base/errors.h"
#include "settings/settings_rules.h"
#include <map>

namespace portiqa {

TWorkbook TSettingsProfile::ProfileWorkbook() {
    TWorkbook book;
    book.SetColumnWidth(1, 85);
    book.SetColumnWidth(2, 45);
    book.SetColumnWidth(3, 130);
    for (int r = 0; r < TSettingsTable::kShownRows; ++r) {
        for (int j = 0; j < 3; ++j) book.SetText(r + 1, j + 1, table_.Grid().Cells(j, r));
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / TSettingsTable::kValueRows));
        ctx_.status.ShowStatus(TText::tr("Save profile"));
    }
    for (const TSelectionEditor& e : table_.Editors()) book.SetText(e.row + 1, 2, e.SelectedText());
    return book;
}

void TSettingsProfile::ExportProfile() {
    ctx_.SaveWorkbook(TText::tr("базовые настройки"), QStringLiteral("basicinf_R"), [this] { return ProfileWorkbook(); });
}

bool TSettingsProfile::ApplyProfile(const TWorkbook& book) {
    // Our profiles are captioned in Russian whatever the language; a profile
    // retyped from the English window's table is taken too.
    if (book.Text(1, 1) != QStringLiteral("Функции") && book.Text(1, 1) != QLatin1String("Function")) {
        ctx_.op.ShowMessage(TText::tr("Неправильный формат профиля настроек"));
        return false;
    }
    // Every value is checked first, by the rules typing and the command line
    // obey: a profile is taken whole or not at all. An empty drop-down cell
    // keeps what the table holds (the module's byte).
    // The SIM number from a spreadsheet's number cell gets its "+" back, as a number list's does.
    const auto cell = [&book](int r) {
        bool added = false;
        return r == kSimNumberRow ? TWorkbookIo::PhoneNumberCell(book.Text(r + 1, 2), added) : book.Text(r + 1, 2);
    };
    std::map<int, TSettingValue> values;
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) {
        if (TSettingsTable::IsSelectionRow(r) && cell(r).trimmed().isEmpty()) continue;
        // A text the table already holds (the module's) may stand as it is.
        const QString held = table_.Value(r);
        if (const QString problem = ParseSettingValue(r, cell(r), values[r], &held); !problem.isEmpty()) {
            ctx_.op.ShowMessage(TText::tr("Профиль не загружен. ") + problem);
            return false;
        }
    }
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) {
        if (const auto v = values.find(r); v != values.end()) {
            table_.Put(r, v->second);
        }
        table_.Grid().SetCells(2, r, book.Text(r + 1, 3));
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / TSettingsTable::kValueRows));
        ctx_.status.ShowStatus(TText::tr("Load profile"));
    }
    return true;
}

void TSettingsProfile::ImportProfile() {
    TWorkbook book;
    QString path;
    if (ctx_.OpenWorkbook(TText::tr("базовые настройки"), book, ctx_.folder, kExcelOpenFilter, 100000, &path) && ApplyProfile(book))
        table_.SetOrigin(TTableOrigin::FromFile(path));
}

} // namespace portiqa
