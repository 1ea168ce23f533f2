#pragma once
#include <optional>
#include "base/operator.h"
#include "base/status_report.h"
#include "link/page_transfer.h"
#include "link/request.h"
#include "settings/settings_table.h"

namespace portiqa {

// The basic-settings block: two 256-byte pages at 0x000 and 0x100, moved
// between the module and the settings table through the page chain.
class TSettingsBlock : public TPageBlock {
public:
    TSettingsBlock(TRequestSequence& seq, TPageTransfer& transfer, TSettingsTable& table, TProgressControl& progress,
              IOperator& op);

    void ReadAfterQuestion();  // read, after the operator accepts
    // Save: reads the module's two pages again first, keeps what the module
    // changed itself in rows the operator did not touch, stops at a row both
    // changed, and asks with the rows the save changes.
    void Save();
    // The table came from a file or another module: the module's password
    // and SIM number (rows 1 and 2) are its own, and the save's question
    // offers them apart, keeping the module's unless replace (the command
    // line's --with-password / --with-sim) ticks them in.
    void SetTableFromElsewhere(bool elsewhere, bool replace) {
        fromElsewhere_ = elsewhere;
        replaceIdentity_ = replace;
    }
    // Read with no question and no closing message box (after a login or a
    // restore, so that the table shows the module's values).
    void ReadQuietly();
    // Read with its closing message but no opening question (the operator
    // has just been asked about unsaved edits).
    void ReadWithoutQuestion() { StartRead(false); }
    // The table holds values read from (or saved into) the module now on the
    // line; false after a login or a port change until a read.
    bool TableFromModule() const;

    // A settings page as it arrives, into the table.
    void DecodeSettingsPage(int32_t address, const uint8_t* page);

    // Where each field lives: settings/settings_layout.h.
    static constexpr int kTextWidth = 40;

private:
    void FinishRead();
    void FinishSave(const std::vector<int32_t>& failed);
    void StartRead(bool quiet);
    void ReadBoth(std::function<void(int32_t, const uint8_t*)> onPage, std::function<void()> then);
    void StartSaveChain();
    bool TakeModuleChanges(const TSettingsTable& fresh, const TSettingsTable* base);
    std::optional<QStringList> ConfirmedChanges(const TSettingsTable& fresh);
    void WritePages(const QStringList& changes);
    void KeepBase();

    TRequestSequence& seq_;
    TPageTransfer& transfer_;
    TSettingsTable& table_;
    TProgressControl& progress_;
    IOperator& op_;
    bool quiet_ = false;
    // The module's two pages as the table was last loaded from or saved into
    // them (the copy the operator's edits are based on), and the module
    // generation they belong to; read again just before a save.
    std::array<QByteArray, 2> base_;
    int baseGeneration_ = -1;
    std::array<QByteArray, 2> fresh_;
    QStringList moduleChangedRows_;
    bool fromElsewhere_ = false, replaceIdentity_ = false;
};

// The module's values decoded from two 256-byte pages into a table.
void DecodeSettingsPageTo(int page, const uint8_t* bytes, TSettingsTable& table);
void DecodeSettingsPage1To(const uint8_t* page, TSettingsTable& table);
// Both pages into a table; false (nothing decoded) unless both are whole pages.
bool DecodeSettingsPages(const QByteArray& page1, const QByteArray& page2, TSettingsTable& table);
void DecodeSettingsPage2To(const uint8_t* page, TSettingsTable& table);
// The module's settings as the program knows them on this connection;
// false when either page is not known.
bool KnownModuleSettings(const TRequestSequence& seq, TSettingsTable& out);

// The SIM number settings page 1 holds (row 2): the module's name; empty
// when the page is not a whole page or the field holds none.
QString SimNumberOfSettingsPage(const QByteArray& page1);

// Fill a 256-byte page from the table (0xFF wherever no field is written).
void EncodeSettingsPageTo(int page, const TSettingsTable& table, uint8_t* bytes);
void EncodeSettingsPage1To(const TSettingsTable& table, uint8_t* page);
void EncodeSettingsPage2To(const TSettingsTable& table, uint8_t* page);

} // namespace portiqa
