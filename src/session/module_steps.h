#pragma once
#include "session/module_sites.h"
#include "session/session.h"
#include <QList>
#include <QObject>
#include <functional>
#include <optional>

namespace portiqa {

// What follows what, whatever front end drives the session: a login reads
// the module's settings into the table (asking first when the table holds
// edits), a restore reads the tables back, a site's list saved is noted as
// applied, a step waits for the operation before it to end well, and edits
// that would be lost are saved or dropped only as the operator says.
class TModuleSteps {
public:
    explicit TModuleSteps(TSession& session) : session_(session) {}

    // The session's operation ended: the next step, if any. Call it from
    // the session's OnFinished.
    void Finished(const TOutcome& outcome);
    // Runs start (an operation) and then, once that operation has ended
    // well, then; nothing more if it fails or is refused.
    void Then(TOperation operation, const std::function<void()>& start, std::function<void()> then);
    // Unsaved edits of the settings or number table would be lost by what
    // comes next (action: "закрыть программу"): asks Save / Discard /
    // Cancel. go runs at once when nothing is edited or the edits are
    // dropped, after the saves when the operator chose to save, never on
    // Cancel; its argument says whether the operator was asked. Dropped
    // edits stay marked until what comes next replaces the table (an import
    // cancelled at its file dialog, a disconnect, replace nothing).
    void ProtectEdits(bool settings, bool numbers, const QString& action, const std::function<void(bool asked)>& go);
    // The module's settings (and its numbers too) into the tables, quietly.
    void ReadModuleIntoTables(bool numbersToo);
    // A restore starts: once it has ended well the tables are read again,
    // so that they never write the old values back.
    void Restore(const TBackupImage& image, const TModuleBackup::TRestoreOptions& options, const QString& path);
    // A site's list is in the number table: once a save leaves the module
    // holding exactly it, the record notes the site applied.
    void SiteListLoaded(const TModuleSite& site, const QString& fingerprint);
    // The record noted a site applied (or could not: error).
    std::function<void(const QString& error)> OnSiteApplied;

private:
    void SaveEach(QList<TOperation> saves, std::function<void()> done);
    TSession& session_;
    QObject context_;  // calls queued out of a reply's handling die with it
    struct TContinuation {
        std::optional<TOperation> operation;
        std::function<void()> then;
    };
    TContinuation continuation_;
    bool restoring_ = false;
    struct TPendingSite {
        TModuleSite site;
        QString fingerprint;
    };
    std::optional<TPendingSite> pendingSite_;
};

} // namespace portiqa
