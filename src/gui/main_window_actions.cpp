// The window's actions: what its buttons start, and the guards around
// them (unsaved edits asked about, transfers continued or cancelled).
#include "gui/main_window.h"
#include "base/texts.h"
#include "gui/history_view.h"
#include "gui/module_journal.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "files/config_folder.h"
#include <QFileInfo>
#include <QCloseEvent>
#include <QSettings>
#include <QShortcut>
#ifdef PORTIQA_REPORTS
#include "report/site_report.h"
#endif

namespace portiqa {

void TMainWindow::BackupClick() {
    const QString path = operator_.ChooseSaveFile(TText::tr("резервная копия модуля"), configFolder_, QStringLiteral("Portiqa backup|*.pbk|(*.*)|*.*"),
                                                  ProposedFileName(QStringLiteral("backup_"), QStringLiteral(".pbk")));
    if (path.isEmpty()) return;
    session_->Backup(path, ChosenPortName());
}

void TMainWindow::RestoreClick() {
    const QString path = operator_.ChooseOpenFile(TText::tr("резервная копия модуля"), configFolder_, QStringLiteral("Portiqa backup|*.pbk|(*.*)|*.*"));
    if (path.isEmpty()) return;
    TBackupImage image;
    QString error;
    if (!TBackupFile::Read(path, image, error)) {
        operator_.ReportError(error);
        return;
    }
    // The settings, the numbers, or both (the other left as the module holds it).
    QList<IOperator::TChoice> areas{{TText::tr("Базовые настройки"), true}, {TText::tr("Номера пользователей"), true}};
    if (!operator_.AskChoices(TText::tr("Что восстановить из копии %1?").arg(QFileInfo(path).fileName()), areas)) return;
    if (!areas[0].checked && !areas[1].checked) {
        operator_.ShowMessage(TText::tr("Ничего не выбрано: восстановление не начато"));
        return;
    }
    TModuleBackup::TRestoreOptions options;
    options.settings = areas[0].checked;
    options.numbers = areas[1].checked;
    steps_->Restore(image, options, path);
}

void TMainWindow::ProtectEdits(bool settings, bool numbers, const QString& action,
                               const std::function<void(bool asked)>& go) {
    steps_->ProtectEdits(settings, numbers, action, go);
}

void TMainWindow::ShowTransferRunning() { btnCancel->setEnabled(session_->Busy()); }

void TMainWindow::CancelClick() { session_->Cancel(); }

void TMainWindow::ShowEdited() {
    setWindowModified(session_->Settings().Edits().Edited() || session_->Numbers().Edits().Edited());
}

void TMainWindow::changeEvent(QEvent* event) {
    // Back in the window (from a terminal, say): names and sites given meanwhile show.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && tabs) NoticeRecord();
    QMainWindow::changeEvent(event);
}

void TMainWindow::NoticeRecord() {
    if (!Record() || session_->Busy()) return;
    session_->RefreshPeople();
    session_->History().ShowNames();
    ShowModule();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!closeApproved_ && !MayStopWork(TText::tr("Закрытие программы"))) {
        event->ignore();
        return;
    }
    if (closeApproved_ || !isWindowModified()) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Asked now, closed once the edits are dropped or saved.
    event->ignore();
    ProtectEdits(true, true, TText::tr("закрыть программу"), [this](bool) {
        closeApproved_ = true;
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
    });
}

void TMainWindow::Guard(const std::function<void()>& handler) { RunGuarded(operator_, handler); }

// The module record and its journal.
QString TMainWindow::OpenRecord(const QString& location, bool none) {
    // The old record goes before the new one opens.
    runtime_->UseRecord(nullptr);
    std::unique_ptr<TRecord> record;
    QString problem;
    if (!TRecord::Available()) none = true;
    if (!none) {
        QString where = location;
        if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
        if (where.isEmpty()) where = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(kRecordKey).toString();
        record = TRecord::Open(where, problem);
        if (!record) session_->Status().ShowStatus(TText::tr("Журнал модулей недоступен: %1").arg(problem));
        else if (!record->Notice().isEmpty()) session_->Status().ShowStatus(record->Notice());
        if (record) {
            bool given = false;
            const int ms = qEnvironmentVariableIntValue("PORTIQA_RECORD_PATIENCE", &given);
            record->SetPatience(given && ms >= 0 ? std::chrono::milliseconds(ms) : kRecordPatience);
        }
    }
    runtime_->UseRecord(std::move(record), problem);
    return problem;
}

void TMainWindow::JournalClick() {
    TModuleJournal journal(Record(), *session_, this);
    journal.OnReopen = [this](const QString& location, QString& problem) {
        // Remembered for the next start; PORTIQA_RECORD still comes first.
        QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(kRecordKey, location);
        problem = OpenRecord(location.isEmpty() ? TRecord::DefaultLocation() : location, false);
        return Record();
    };
    journal.exec();
    ShowModule();  // a new name
}

void TMainWindow::ShowModule() {
    // The title and the status bar name the module logged in on this connection.
    const auto& m = session_->Module();
    QString name = m ? m->Label() : QString();
    if (m && Record() && session_->ModuleId()) {
        QString error;
        if (const auto known = Record()->FindModule(QString::number(*session_->ModuleId()), error); known && !known->name.isEmpty())
            name = known->name + QStringLiteral(", ") + name;
    }
    const QString readOnly = session_->ReadOnly() ? TText::tr(" — только чтение") : QString();
    // The unsaved mark beside what is unsaved, before the visit's kind.
    setWindowTitle(m ? QStringLiteral("Portiqa Configurator V1.7 — %1[*]%2").arg(name, readOnly)
                     : QStringLiteral("Portiqa Configurator V1.7[*]%1").arg(readOnly));
    // Whether the module is behind the list of its site.
    QString error;
    const QString sites = SitesText(SitesOfModule(*session_, error));
    moduleLabel->setText(m ? TText::tr("Модуль: %1").arg(name) + (sites.isEmpty() ? QString() : QStringLiteral(" · ") + sites)
                           : QString());
}

void TMainWindow::UseCountry() {
    QString text = qEnvironmentVariable("PORTIQA_COUNTRY");
    if (text.isEmpty()) text = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(kCountryKey).toString();
    const auto country = TNumberCountry::Parse(text);
    session_->Numbers().People().SetCountry(text.isEmpty() || !country ? TNumberCountry::FromSystem() : *country);
}

void TMainWindow::ChooseCountry() {
    TPeople& people = session_->Numbers().People();
    const auto answer = operator_.AskText(
        TText::tr("Страна, где стоят модули: код (+7) или двухбуквенное латинское обозначение; пусто — регион системы.\r"
                  "Тогда 8916…, 7916… и +7916… — один абонент. Сейчас: %1").arg(people.Country().Shown()),
        people.Country().Known() ? people.Country().Shown() : QString());
    if (!answer) return;
    const auto country = answer->trimmed().isEmpty() ? std::optional<TNumberCountry>(TNumberCountry::FromSystem())
                                                     : TNumberCountry::Parse(*answer);
    if (!country) return operator_.ShowMessage(TText::tr("«%1»: страна не понята (нужен код, например +7)").arg(answer->left(20)));
    QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(kCountryKey, answer->trimmed());
    people.SetCountry(*country);
    session_->Numbers().ShowPeople();
    session_->Status().ShowStatus(TText::tr("Страна номеров: %1").arg(country->Shown()));
}

void TMainWindow::Finished(const TOutcome& o) {
    // What the window shows of it; the next step is the core's.
    if (o.operation == TOperation::Login) {
        ShowModule();
        ShowNumberUse();
    } else if (o.operation == TOperation::History && o.Ok()) {
        ShowNumberUse();
        historyView->ResetWindow();  // a new log: no filter of the last one shown in its fields
    }
    steps_->Finished(o);
}

void TMainWindow::ExtendClick() {
    TNumberTable& table = session_->Numbers();
    QList<int> rows = numbersView->ChosenRows();
    const bool all = rows.isEmpty();
    if (all) rows = table.RowsWithWindows();
    if (rows.isEmpty()) return operator_.ShowMessage(TText::tr("В таблице нет записей со сроком действия"));
    const auto answer = operator_.AskText(
        (all ? TText::tr("Срок действия всех записей со сроком: %1.") : TText::tr("Срок действия выбранных записей: %1.")).arg(rows.size()) +
            TText::tr("\rНа сколько дней продлить (например 30; -7 сокращает) или до какой даты (ГГГГ-ММ-ДД)?"),
        QStringLiteral("30"));
    if (!answer) return;
    const std::optional<int> changed = table.MoveWindowEnds(rows, *answer);
    if (!changed)
        return operator_.ShowMessage(TText::tr("«%1»: нужно число дней (-3650…3650) или дата ГГГГ-ММ-ДД в 2000-2099 годах")
                                         .arg(answer->left(30)));
    session_->Status().ShowStatus(TText::tr("Изменён срок записей: %1; «Сохранить» запишет их в модуль").arg(*changed));
}

void TMainWindow::ShowNumberUse() {
    // Read from the record when a tooltip first asks, not at every login.
    numberUse_.reset();
    numbersView->LastUse = [this](const QString& number) {
        if (!numberUse_) {
            QString error;
            numberUse_ = Record() && session_->ModuleId()
                             ? NumberUseOf(*Record(), *session_->ModuleId(), session_->Numbers().People().Country(), error)
                             : TNumberUse{};
        }
        return numberUse_->Text(number, session_->Numbers().People().Country());
    };
}

void TMainWindow::LoadSiteListClick() {
    QString error;
    const QList<TModuleSite> sites = SitesOfModule(*session_, error);
    if (!error.isEmpty()) return operator_.ReportError(error);
    if (sites.isEmpty())
        return operator_.ShowMessage(session_->LoggedIn() && Record()
                                         ? TText::tr("Модуль не входит ни в один объект (portiqa-cli site add ОБЪЕКТ МОДУЛЬ)")
                                         : TText::tr("Войдите в модуль: список объекта берётся из журнала модулей"));
    const TModuleSite& site = sites.first();
    const QString fingerprint = LoadSiteList(*session_, site, error);
    if (fingerprint.isEmpty()) return operator_.ReportError(error);
    steps_->SiteListLoaded(site, fingerprint);
    operator_.ShowMessage(TText::tr("Список объекта «%1» (редакция %2) загружен в таблицу: %3.\rЗапишите его в модуль "
                                    "кнопкой «Сохранить»: она покажет, кто получит и кто потеряет доступ.")
                              .arg(site.site.name)
                              .arg(site.site.revision)
                              .arg(site.state.current ? TText::tr("модуль уже его держит") : TText::tr("модуль отстаёт")));
}

void TMainWindow::SiteReportClick() {
#ifdef PORTIQA_REPORTS
    if (!Record()) return operator_.ShowMessage(TText::tr("Отчёт объекта берётся из журнала модулей, а он не открыт"));
    QString error;
    const QList<TSite> sites = Record()->Sites(error);
    if (!error.isEmpty()) return operator_.ReportError(error);
    if (sites.isEmpty()) return operator_.ShowMessage(TText::tr("В журнале модулей нет объектов (portiqa-cli site import)"));
    // The logged-in module's site first, else the only one, else the operator names it.
    const QList<TModuleSite> mine = SitesOfModule(*session_, error);
    QString name = !mine.isEmpty() ? mine.first().site.name : sites.first().name;
    if (sites.size() > 1 && mine.isEmpty()) {
        QStringList names;
        for (const TSite& s : sites.mid(0, 12)) names << s.name;
        const auto answer = operator_.AskText(TText::tr("Отчёт какого объекта? Объекты: %1").arg(names.join(QStringLiteral(", "))), name);
        if (!answer) return;
        name = answer->trimmed();
    }
    const auto site = Record()->FindSite(name, error);
    if (!site) return operator_.ShowMessage(error.isEmpty() ? TText::tr("Объекта «%1» нет в журнале модулей").arg(name.left(60)) : error);
    const QString path = operator_.ChooseSaveFile(TText::tr("отчёт объекта"), configFolder_, QStringLiteral("PDF|*.pdf"),
                                                  TText::tr("отчёт %1.pdf").arg(site->name));
    if (path.isEmpty()) return;
    TSiteReport report;
    if (!report.Gather(*Record(), *site, session_->Numbers().People().Country(), {}, error) || !report.WritePdf(path, error))
        return operator_.ReportError(error);
    // The next report counts its changes from this one (without the mark, from an older one, and says which).
    if (!report.Keep(*Record(), site->id, error)) session_->Status().ShowStatus(TText::tr("Журнал модулей не сохранил отметку об отчёте: %1").arg(error));
    operator_.Tell(TText::tr("Отчёт объекта «%1» записан: %2 (пользователей: %3, окно кончается скоро: %4)")
                       .arg(site->name, QFileInfo(path).fileName()).arg(report.people.size()).arg(report.endingSoon));
#else
    operator_.ShowMessage(TText::tr("эта сборка программы не делает отчётов"));
#endif
}

} // namespace portiqa
