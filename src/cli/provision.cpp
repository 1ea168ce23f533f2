#include "cli/provision.h"
#include "backup/backup_file.h"
#include "base/errors.h"
#include "cli/cli_options.h"
#include "files/csv.h"
#include "files/file_replace.h"
#include "files/workbook.h"
#include "link/port_list.h"
#include "numbers/number_record.h"
#include "settings/basic_inf.h"
#include "settings/settings_rules.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <csignal>
#include <unistd.h>

namespace portiqa {

namespace {

std::atomic<bool> gStop{false};

extern "C" void StopProvisioning(int) { gStop.store(true); }

qint64 NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

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
        Tcustomstringgrid_basis profile(table, {tell, status, progress, QString()});
        bool applied = false;
        try {
            applied = profile.ApplyProfile(book);
        } catch (const std::exception& e) {
            tell.last = QString::fromUtf8(e.what());
        }
        if (!applied) {
            error = QStringLiteral("Шаблон %1 не принят: %2").arg(templatePath, tell.last);
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
            if (error.isEmpty()) error = QStringLiteral("Список номеров %1 не принят: %2").arg(numbersPath, tell.last);
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
            error = QStringLiteral("Номера шаблона не приняты: ") + QString(problem).replace(u'\r', u' ');
            return false;
        }
    }
    if (const QString problem = CheckRows(settings, nullptr); !problem.isEmpty()) {
        error = QStringLiteral("Шаблон %1 не принят. ").arg(templatePath) + problem;
        return false;
    }
    return true;
}

bool TProvisionPlan::LoadUnits(const QString& path, QString& error) {
    QList<TCsvRow> rows;
    if (!TCsv::ReadFile(path, rows, error)) return false;
    auto fail = [&](const QString& why) {
        error = QStringLiteral("Таблица устройств %1 не принята: %2").arg(path, why);
        return false;
    };
    if (rows.isEmpty()) return fail(QStringLiteral("в ней нет строки заголовка"));
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
            return fail(QStringLiteral("столбец «%1»: нужен «unit» или номер строки настроек 1-16").arg(h));
        }
    }
    if (unitColumn < 0) return fail(QStringLiteral("нет столбца «unit»"));
    QSet<QString> names;
    for (const TCsvRow& r : rows) {
        TUnit unit;
        unit.name = r.fields.value(unitColumn).trimmed();
        if (unit.name.isEmpty()) return fail(QStringLiteral("строка %1: нет имени устройства").arg(r.line));
        if (names.contains(unit.name)) return fail(QStringLiteral("строка %1: устройство «%2» указано дважды").arg(r.line).arg(unit.name));
        names.insert(unit.name);
        for (int c = 0; c < header.size(); ++c)
            if (columnRows[c] > 0) unit.rows.append({columnRows[c], r.fields.value(c)});
        // Every unit with the rules before the first module is touched.
        if (const QString problem = CheckRows(settings, &unit); !problem.isEmpty())
            return fail(QStringLiteral("строка %1 (%2): %3").arg(r.line).arg(unit.name, problem));
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
            error = QStringLiteral("Отчёт %1 не читается").arg(path);
            return false;
        }
        // Units reported ok by an earlier run are done.
        for (const TCsvRow& r : TCsv::ParseRows(QString::fromUtf8(existing.readAll()), u','))
            if (r.fields.size() >= 5 && r.fields[4] == QLatin1String("ok")) done_.insert(r.fields[3]);
        existing.close();
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::Append | QIODevice::WriteOnly)) {
        error = QStringLiteral("Не удалось записать файл %1: %2").arg(path, file_.errorString());
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
    ::fsync(file_.handle());  // on the disk before the next module is reported
    if (ok) done_.insert(unit);
}

// Messages of one module's session: the last one is the report's reason;
// questions are answered from the options (removing numbers needs --force).
class TProvisionJob::TOperator : public IOperator {
public:
    explicit TOperator(bool force) : force_(force) {}
    void ShowMessage(const QString& text) override { last = text; }
    bool AskAccept(const QString&) override { return true; }
    bool WarnOkCancel(const QString& text) override {
        last = text + QStringLiteral(" (--force)");
        return force_;
    }
    void ReportError(const QString& text) override { last = text; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    QString last;

private:
    bool force_;
};

namespace {
class TNoDisplay : public IStatusDisplay {
public:
    void SetStatusText(const QString&) override {}
    void SetProgressPosition(int) override {}
    void SetProgressVisible(bool) override {}
};
} // namespace

TProvisionJob::TProvisionJob(const QString& port, const TProvisionPlan& plan, const QString& pin, bool force,
                             std::function<void(const QString&)> progress)
    : port_(port), plan_(plan), pin_(pin), progress_(std::move(progress)), op_(std::make_unique<TOperator>(force)),
      display_(std::make_unique<TNoDisplay>()) {
    session_ = std::make_unique<TSession>(comm_, *display_, *op_, tmr1_, tmr2_);
    comm_.SetBaudRate(115200);
    comm_.OnReceiveData = [this](TComm*, const char* b, uint16_t n) {
        session_->cm1ReceiveData(reinterpret_cast<const uint8_t*>(b), n);
    };
    comm_.OnRequestHangup = [this](TComm*) { Fail(QStringLiteral("Связь с GSM модулем потеряна: порт закрыт")); };
    session_->receiver.OnFailure = [this](TLinkFailure) {
        QMetaObject::invokeMethod(&comm_, [this] { Fail(op_->last); }, Qt::QueuedConnection);
    };
    session_->password.TypedPasswordSource = [this] { return pin_; };
    session_->password.OnChecked = [this](bool match) {
        if (!match) return Fail(QStringLiteral("неверный пароль: модуль уже настроен?"), true);
        Next();
    };
    for (Tsend_rec_command* b : std::initializer_list<Tsend_rec_command*>{&session_->basicInf, &session_->telephoneSend}) {
        b->OnTransferDone = [this] { Next(); };
        b->OnTransferFailed = [this](const QString&) { Fail(op_->last); };
    }
}

TProvisionJob::~TProvisionJob() { comm_.CloseComm(); }

void TProvisionJob::Start(std::function<TUnit*()> takeUnit, std::function<void(const TResult&)> done) {
    takeUnit_ = std::move(takeUnit);
    done_ = std::move(done);
    comm_.SetCommName(port_);
    try {
        comm_.OpenComm();
    } catch (const ECommsError& e) {
        return Fail(QStringLiteral("COM Port ошибка: ") + QString::fromUtf8(e.what()));
    }
    if (!comm_.PortOpen()) return Fail(QStringLiteral("COM Port ошибка: ") + comm_.PortOpenError().trimmed());
    step_ = TStep::Login;
    progress_(QStringLiteral("вход"));
    session_->password.StartCheck();
}

// Each step starts when the one before has ended well.
void TProvisionJob::Next() {
    if (finished_) return;
    switch (step_) {
    case TStep::Login:
        // A module that logged in takes the next unit.
        unit_ = takeUnit_ ? takeUnit_() : nullptr;
        if (plan_.withUnits && !unit_) return Fail(QStringLiteral("устройств в таблице больше нет"));
        step_ = TStep::ReadSettings;
        progress_(QStringLiteral("чтение настроек"));
        session_->basicInf.ReadQuietly();
        return;
    case TStep::ReadSettings:
        plan_.ApplySettings(session_->settingsTable, unit_);
        step_ = TStep::SaveSettings;
        progress_(QStringLiteral("запись настроек"));
        session_->basicInf.btn22Click();
        return;
    case TStep::SaveSettings:
        pages_ += session_->seq.PagesWrittenInTransfer();
        if (plan_.hasNumbers) {
            TGridBatch batch(session_->numberTable.Grid());
            for (int r = 1; r <= TNumberTable::kRecords; ++r)
                for (int c = 1; c < TNumberTable::kCols; ++c)
                    session_->numberTable.Grid().SetCells(c, r, plan_.numbers.Cells(c, r));
            step_ = TStep::SaveNumbers;
            progress_(QStringLiteral("запись номеров"));
            session_->telephoneSend.btn9Click();
            return;
        }
        [[fallthrough]];
    case TStep::SaveNumbers:
        if (step_ == TStep::SaveNumbers) pages_ += session_->seq.PagesWrittenInTransfer();
        step_ = TStep::Done;
        finished_ = true;
        comm_.CloseComm();
        if (done_) done_({true, false, QString(), pages_});
        return;
    case TStep::Done:
        return;
    }
}

void TProvisionJob::Fail(const QString& reason, bool loginRefused) {
    if (finished_) return;
    finished_ = true;
    comm_.CloseComm();
    if (done_) done_({false, loginRefused, reason.isEmpty() ? QStringLiteral("ошибка обмена") : reason, pages_});
}

TProvisioner::TProvisioner(TProvisionPlan& plan, TProvisionReport& report, TOptions options, QTextStream& out,
                           QTextStream& err)
    : plan_(plan), report_(report), o_(std::move(options)), out_(out), err_(err) {
    if (o_.watch.isEmpty()) o_.watch = {QStringLiteral("/dev/ttyUSB*"), QStringLiteral("/dev/ttyACM*")};
    // Units an earlier run with this report has done are not done again.
    const QSet<QString> done = report_.DoneUnits();
    std::deque<TUnit> left;
    for (const TUnit& u : plan_.units)
        if (!done.contains(u.name)) left.push_back(u);
    plan_.units = left;
}

void TProvisioner::RequestStop() { gStop.store(true); }

QStringList TProvisioner::Ports() const {
    QStringList out;
    for (const QString& glob : o_.watch) {
        const QFileInfo g(glob);
        const QDir dir = g.absoluteDir();
        for (const QString& name : dir.entryList({g.fileName()}, QDir::System | QDir::Files | QDir::Hidden))
            out << dir.filePath(name);
    }
    out.removeDuplicates();
    return out;
}

void TProvisioner::Event(const QString& port, const QString& kind, const QString& text) {
    if (o_.json) {
        out_ << QJsonDocument(QJsonObject{{"time", QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                                          {"port", port},
                                          {"event", kind},
                                          {"text", text}})
                    .toJson(QJsonDocument::Compact)
             << "\n";
        out_.flush();
    }
    err_ << port << ": " << text << "\n";
    err_.flush();
}

TUnit* TProvisioner::TakeUnit() {
    if (!plan_.withUnits) return nullptr;
    if (plan_.units.empty()) return nullptr;
    taken_.push_back(plan_.units.front());
    plan_.units.pop_front();
    return &taken_.back();
}

void TProvisioner::Scan() {
    const QStringList now = Ports();
    const std::set<QString> current(now.begin(), now.end());
    // A port that went away may be provisioned again when it comes back.
    for (auto it = present_.begin(); it != present_.end();)
        it = current.count(*it) ? std::next(it) : present_.erase(it);
    if (gStop.load() && !stopSeen_) {
        stopSeen_ = true;
        Event(QStringLiteral("-"), QStringLiteral("stop"), QStringLiteral("остановка: новые модули не начинаются"));
    }
    MaybeEnd();
    if (ending_) return;
    for (const QString& port : now) {
        if (present_.count(port) || jobs_.count(port)) continue;
        if (o_.count >= 0 && ok_ + int(jobs_.size()) >= o_.count) break;
        present_.insert(port);
        Started(port);
    }
}

void TProvisioner::Started(const QString& port) {
    Event(port, QStringLiteral("seen"), QStringLiteral("модуль найден"));
    auto job = std::make_unique<TProvisionJob>(port, plan_, o_.pin, o_.force,
                                               [this, port](const QString& step) { Event(port, QStringLiteral("progress"), step); });
    TProvisionJob* raw = job.get();
    jobs_[port] = std::move(job);
    startedMs_[port] = NowMs();
    raw->Start([this, port] {
                   TUnit* u = TakeUnit();
                   if (u) Event(port, QStringLiteral("unit"), QStringLiteral("устройство ") + u->name);
                   return u;
               },
               [this, port](const TProvisionJob::TResult& r) {
                   const double seconds = double(NowMs() - startedMs_[port]) / 1000.0;
                   // Ended outside the job's own call stack.
                   QMetaObject::invokeMethod(&scan_, [this, port, r, seconds] { Finished(port, r, seconds); },
                                             Qt::QueuedConnection);
               });
}

void TProvisioner::Finished(const QString& port, const TProvisionJob::TResult& r, double seconds) {
    auto it = jobs_.find(port);
    if (it == jobs_.end()) return;
    const TUnit* unit = it->second->Unit();
    const QString unitName = unit ? unit->name : QString();
    report_.Append(port, Trecognitionserial().SerialOf(port), unitName, r.ok, r.reason, r.pages, seconds);
    Event(port, QStringLiteral("result"), r.ok ? QStringLiteral("готово, записано страниц: %1").arg(r.pages)
                                                : QStringLiteral("не настроен: ") + r.reason);
    if (r.ok) ++ok_;
    else ++failed_;
    // A unit is used up only by a module that ended verified; a failed
    // module's unit goes to the next one.
    for (auto t = taken_.begin(); t != taken_.end(); ++t) {
        if (&*t != unit) continue;
        if (!r.ok) plan_.units.push_front(*t);
        taken_.erase(t);
        break;
    }
    jobs_.erase(it);
    MaybeEnd();
}

void TProvisioner::MaybeEnd() {
    const bool countReached = o_.count >= 0 && ok_ >= o_.count;
    const bool unitsUsedUp = plan_.withUnits && plan_.units.empty() && taken_.empty();
    if (countReached || unitsUsedUp || gStop.load()) ending_ = true;
    if (ending_ && jobs_.empty()) {
        exit_ = failed_ > 0 ? kExitFailed : kExitOk;
        QCoreApplication::exit(exit_);
    }
}

int TProvisioner::Run() {
    for (int sig : {SIGINT, SIGTERM}) std::signal(sig, StopProvisioning);
    QObject::connect(&scan_, &QTimer::timeout, [this] { Scan(); });
    scan_.start(250);  // ports looked at four times a second
    QMetaObject::invokeMethod(&scan_, [this] { Scan(); }, Qt::QueuedConnection);
    const int rc = QCoreApplication::exec();
    scan_.stop();
    return exit_ >= 0 ? exit_ : rc;
}

int RunProvisionCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QCommandLineParser p;
    const QCommandLineOption tmpl("template", "template", "FILE"), numbers("numbers", "numbers", "FILE"),
        units("units", "units", "FILE"), report("report", "report", "FILE"), watch("watch", "watch", "GLOB"),
        count("count", "count", "N"), pin({"P", "password"}, "password", "PIN"), force("force", "force"),
        json("json", "json"), quiet({"q", "quiet"}, "quiet");
    p.addOptions({tmpl, numbers, units, report, watch, count, pin, force, json, quiet});
    auto usage = [&](const QString& why) {
        err << why << "\n\nUsage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] "
                      "--report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN] [--force] [--json]\n";
        err.flush();
        return int(kExitUsage);
    };
    if (!p.parse(QStringList{QStringLiteral("portiqa-cli")} + args)) return usage(p.errorText());
    if (p.positionalArguments() != QStringList{QStringLiteral("provision")}) return usage(QStringLiteral("provision takes no arguments"));
    if (!p.isSet(tmpl) || !p.isSet(report)) return usage(QStringLiteral("provision needs --template FILE and --report FILE"));
    TProvisioner::TOptions o;
    o.watch = p.values(watch);
    o.force = p.isSet(force);
    o.json = p.isSet(json);
    if (p.isSet(pin)) {
        o.pin = p.value(pin);
        bool digits = o.pin.size() == 4;
        for (QChar c : o.pin) digits = digits && c >= u'0' && c <= u'9';
        if (!digits) return usage(QStringLiteral("the password must be exactly 4 digits"));
    }
    if (p.isSet(count)) {
        bool ok = false;
        o.count = p.value(count).toInt(&ok);
        if (!ok || o.count < 1) return usage(QStringLiteral("--count takes a number of modules, 1 or more"));
    }
    TProvisionPlan plan;
    QString error;
    if (!plan.LoadTemplate(p.value(tmpl), p.value(numbers), error) ||
        (p.isSet(units) && !plan.LoadUnits(p.value(units), error))) {
        err << error << "\n";
        err.flush();
        return kExitFile;
    }
    TProvisionReport rep;
    if (!rep.Open(p.value(report), error)) {
        err << error << "\n";
        err.flush();
        return kExitFile;
    }
    TProvisioner provisioner(plan, rep, o, out, err);
    return provisioner.Run();
}

} // namespace portiqa
