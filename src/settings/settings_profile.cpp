#include "settings/settings_profile.h"
#include "app/errors.h"

namespace portiqa {

TWorkbook Tcustomstringgrid_basis::ProfileWorkbook() {
    TWorkbook book;
    book.SetColumnWidth(1, 85);
    book.SetColumnWidth(2, 45);
    book.SetColumnWidth(3, 130);
    for (int r = 0; r < TSettingsTable::kShownRows; ++r) {
        for (int j = 0; j < 3; ++j) book.SetText(r + 1, j + 1, table_.Grid().Cells(j, r));
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / 16));
        ctx_.status.ShowStatus(QStringLiteral("Save profile"));
    }
    for (int row : kSelectionRows) book.SetText(row + 1, 2, table_.EditorOfRow(row)->SelectedText());
    return book;
}

void Tcustomstringgrid_basis::ExportProfile() {
    ctx_.SaveWorkbook(QStringLiteral("basicinf_R"), [this] { return ProfileWorkbook(); });
}

bool Tcustomstringgrid_basis::ApplyProfile(const TWorkbook& book) {
    if (book.Text(1, 1) != QStringLiteral("Функции")) {
        ctx_.op.ShowMessage(QStringLiteral("Неправильный формат профиля настроек"));
        return false;
    }
    // Check every selection cell first: a profile is taken whole or not at all.
    int items[6];
    for (int i = 0; i < 6; ++i) items[i] = StrToInt(book.Text(kSelectionRows[i] + 1, 2).left(1));
    for (int r = 1; r <= 16; ++r) {
        for (int j = 1; j <= 2; ++j) table_.Grid().SetCells(j, r, book.Text(r + 1, j + 1));
        ctx_.progress.SetProgress(static_cast<uint16_t>(r * 100 / 16));
        ctx_.status.ShowStatus(QStringLiteral("Load profile"));
    }
    for (int i = 0; i < 6; ++i) table_.SetItemIndex(kSelectionRows[i], items[i]);
    return true;
}

void Tcustomstringgrid_basis::ImportProfile() {
    TWorkbook book;
    if (ctx_.OpenWorkbook(book, ctx_.folder, kExcelOpenFilter)) ApplyProfile(book);
}

} // namespace portiqa
