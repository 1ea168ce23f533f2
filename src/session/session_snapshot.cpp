// A snapshot from the record, loaded into the tables to be looked at or
// written into a module.
#include "session/session.h"
#include "base/texts.h"
#include "numbers/number_record.h"
#include "settings/settings_block.h"

namespace portiqa {

QStringList TSession::LoadSnapshot(const TSnapshot& s, const TModuleIdentity& from) {
    const bool settings = s.pages.settings.size() == kSettingsPages * kPageSize;
    const bool numbers = s.pages.numbers.size() == kNumberPages * kPageSize;
    // Edits not yet in a module are not replaced without a question (Cancel by default).
    QStringList edited;
    if (settings && settingsTable.Edits().Edited()) edited << TText::tr("настроек");
    if (numbers && numberTable.Edits().Edited()) edited << TText::tr("номеров");
    if (!edited.isEmpty() &&
        !op.WarnOkCancel(TText::tr("Изменения в таблице %1 не сохранены в GSM модуль и пропадут. Загрузить "
                                   "снимок @%2 вместо них?")
                             .arg(edited.join(TText::tr(" и ")))
                             .arg(s.id)))
        return {};
    QStringList loaded;
    if (settings) {
        for (int p = 1; p <= kSettingsPages; ++p)
            DecodeSettingsPageTo(p, reinterpret_cast<const uint8_t*>(s.pages.settings.constData()) + (p - 1) * kPageSize,
                                 settingsTable);
        settingsTable.AnnounceSelections();
        settingsTable.Edits().Set(true);
        settingsTable.SetOrigin(TTableOrigin::FromModule(from));
        loaded << TText::tr("настройки");
    }
    if (numbers) {
        {
            TGridBatch batch(numberTable.Grid());
            for (int p = 1; p <= kNumberPages; ++p)
                DecodeNumberPageInto(reinterpret_cast<const uint8_t*>(s.pages.numbers.constData()) + (p - 1) * kPageSize, p,
                                     numberTable.Grid());
        }
        numberTable.SetPagesRead(TNumberTable::kPages);
        numberTable.Edits().Set(true);
        numberTable.SetOrigin(TTableOrigin::FromModule(from));
        loaded << TText::tr("номера");
    }
    return loaded;
}

} // namespace portiqa
