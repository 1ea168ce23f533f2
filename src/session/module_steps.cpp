#include "session/module_steps.h"
#include "base/texts.h"
#include "record/site_list.h"

namespace portiqa {

void TModuleSteps::Finished(const TOutcome& o) {
    switch (o.operation) {
    case TOperation::Login:
        // The table shows this module's values, never factory values posing
        // as them. Edited settings (a profile imported, say) are not read
        // over without a question, asked outside the reply's handling;
        // otherwise the read follows at once.
        if (!o.Ok()) return;
        if (!session_.Settings().Edits().Edited()) return ReadModuleIntoTables(false);
        QMetaObject::invokeMethod(&context_, [this] {
            ProtectEdits(true, false, TText::tr("загрузить настройки модуля в таблицу"),
                         [this](bool) { ReadModuleIntoTables(false); });
        }, Qt::QueuedConnection);
        return;
    case TOperation::Numbers:
        // A site's list saved (or found in the module) is the site applied.
        if (pendingSite_ && o.Ok() && !session_.Numbers().Edits().Edited() &&
            SiteListFingerprint(session_.Numbers().Grid()) == pendingSite_->fingerprint) {
            QString error;
            MarkSiteApplied(session_, pendingSite_->site, pendingSite_->fingerprint, error);
            pendingSite_.reset();
            if (OnSiteApplied) OnSiteApplied(error);
        }
        break;
    case TOperation::Memory:
        // The module now holds the backup: the tables must not write the old values back.
        if (o.Ok() && restoring_) ReadModuleIntoTables(true);
        restoring_ = false;
        return;
    default:
        break;
    }
    // A step that waited for this transfer runs once it ended well, never after a failure.
    if (continuation_.operation != o.operation) return;
    auto then = std::move(continuation_.then);
    continuation_ = {};
    if (o.Ok() && then) then();
}

void TModuleSteps::Then(TOperation operation, const std::function<void()>& start, std::function<void()> then) {
    continuation_ = {operation, std::move(then)};
    RunGuarded(session_.Operator(), start);
    // Refused, cancelled, or already over: the continuation has run or never will.
    if (!session_.Busy()) continuation_ = {};
}

void TModuleSteps::SaveEach(QList<TOperation> saves, std::function<void()> done) {
    if (saves.isEmpty()) {
        done();
        return;
    }
    const TOperation first = saves.takeFirst();
    TSession& s = session_;
    auto save = [first, &s] {
        if (first == TOperation::Settings) s.SaveSettings();
        else s.SaveNumbers();
    };
    Then(first, save, [this, saves, done] { SaveEach(saves, done); });
}

void TModuleSteps::ProtectEdits(bool settings, bool numbers, const QString& action,
                                const std::function<void(bool asked)>& go) {
    TSession& s = session_;
    QStringList names;
    QList<TOperation> saves;
    if (settings && s.Settings().Edits().Edited()) {
        names << TText::tr("настроек");
        saves << TOperation::Settings;
    }
    if (numbers && s.Numbers().Edits().Edited()) {
        names << TText::tr("номеров");
        saves << TOperation::Numbers;
    }
    if (saves.isEmpty()) {
        go(false);
        return;
    }
    const QString text = TText::tr("Изменения в таблице %1 не сохранены в GSM модуль.\rСохранить их, прежде чем %2?")
                             .arg(names.join(TText::tr(" и ")), action);
    switch (s.Operator().AskUnsaved(text)) {
    case IOperator::TUnsaved::Cancel:
        return;
    case IOperator::TUnsaved::Discard:
        // The edits go when the table is replaced (a read loads the module's
        // values, an import its file's), not before: an import cancelled at
        // its file dialog leaves them in the table, still marked unsaved.
        go(true);
        return;
    case IOperator::TUnsaved::Save:
        SaveEach(saves, [go] { go(true); });
        return;
    }
}

void TModuleSteps::ReadModuleIntoTables(bool numbersToo) {
    TSession& s = session_;
    if (!numbersToo) {
        RunGuarded(s.Operator(), [&s] { s.ReadSettings(TSession::TAsk::Quietly); });
        return;
    }
    Then(TOperation::Settings, [&s] { s.ReadSettings(TSession::TAsk::Quietly); },
         [this, &s] { RunGuarded(s.Operator(), [&s] { s.DownloadNumbers(TSession::TAsk::Quietly); }); });
}

void TModuleSteps::Restore(const TBackupImage& image, const TModuleBackup::TRestoreOptions& options, const QString& path) {
    // The tables are read again once the restore has ended well; refused
    // while another operation runs, there is nothing to follow.
    restoring_ = !session_.Busy();
    session_.Restore(image, options, path);
    if (!session_.Busy()) restoring_ = false;  // cancelled or refused at once
}

void TModuleSteps::SiteListLoaded(const TModuleSite& site, const QString& fingerprint) {
    pendingSite_ = TPendingSite{site, fingerprint};
}

} // namespace portiqa
