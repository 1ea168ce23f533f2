// Commands of the module itself: login, clock, checking mode.
#include "cli/cli_commands.h"
#include "files/csv.h"
#include "files/file_replace.h"
#include "files/workbook.h"
#include "session/module_commands.h"
#include <QJsonDocument>
#include <QJsonObject>

namespace portiqa {

TCli& TCliRun::Cli() {
    if (!cli_) {
        cli_ = std::make_unique<TCli>(out, err, o.yes, errIsTerminal_ && !o.quiet, o.clone);
        cli_->S().SetVerifyAfterSave(!o.noVerify);
        cli_->S().SetReadOnly(o.readOnly);
    }
    return *cli_;
}

TRecord* TCliRun::Record(QString& problem) {
    if (!recordOpened_ && !o.noRecord && TRecord::Available()) {
        QString where = o.record;
        if (where.isEmpty()) where = qEnvironmentVariable("PORTIQA_RECORD");
        record_ = TRecord::Open(where, recordProblem_);
        if (record_ && !record_->Notice().isEmpty()) err << record_->Notice() << "\n" << Qt::flush;
    }
    recordOpened_ = true;
    problem = recordProblem_;
    if (!TRecord::Available() && problem.isEmpty()) TRecord::Open(QString(), problem);  // says why there is none
    return record_.get();
}

int TCliRun::Connect() {
    QString problem;
    TRecord* record = Record(problem);
    // A damaged record is never written on: nothing is sent to the module.
    if (!record && TRecord::IsDamage(problem)) return Refuse(kExitFile, problem);
    Cli().Runtime().BorrowRecord(record, TRecord::Available() ? problem : QString());
    Cli().Runtime().SetAllowPlainNetwork(o.allowPlainNetwork);
    if (int rc = Cli().Open(Port()); rc != kExitOk) return rc;
    return Cli().Login(o.pin);
}

int TCliRun::Refuse(int code, const QString& text) {
    QString t = text;
    err << t.replace(u'\r', u'\n') << "\n" << Qt::flush;
    return code;
}

int TCliRun::CheckOutput(const QString& path) {
    QString error;
    return ProbeWritable(path, error) ? kExitOk : Refuse(kExitFile, error);
}

int WriteWorkbookFile(IOperator& op, const TWorkbook& book, const QString& path) {
    QString error, named = path;  // the name has its extension: written exactly as given
    if (TWorkbookIo::WriteXlsx(book, named, error)) return kExitOk;
    op.ReportError(error);
    return kExitFile;
}

int WriteLinesFile(IOperator& op, const QStringList& lines, const QString& path) {
    QString error;
    if (TCsv::WriteFile(path, lines, error)) return kExitOk;
    op.ReportError(error);
    return kExitFile;
}

int RunLogin(TCliRun& r) {
    const int rc = r.Connect();
    if (rc != kExitOk || !r.o.json) return rc;
    // The module logged in, as the record knows it.
    const TModuleIdentity m = *r.S().Module();
    QJsonObject o{{"sim", m.simNumber}, {"bridge_serial", m.bridgeSerial}, {"port", m.port}};
    // Over a device server there is no USB bridge: the module is known by its SIM number alone.
    if (r.Cli().Runtime().IsNetwork()) {
        o.insert("bridge_serial", QJsonValue::Null);
        o.insert("link", QStringLiteral("network: no bridge serial number; known by its SIM number"));
    }
    QString problem, error;
    if (TRecord* record = r.Record(problem); record && r.S().ModuleId()) {
        o.insert("record_id", *r.S().ModuleId());
        if (const auto known = record->FindModule(QString::number(*r.S().ModuleId()), error)) o.insert("name", known->name);
    }
    r.out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << "\n" << Qt::flush;
    return kExitOk;
}

int SendModuleCommand(TCliRun& r, const TModuleCommand& command) {
    if (int rc = r.Connect(); rc != kExitOk) return rc;
    const auto print = [&r](const TReply& reply) {
        r.out << QByteArray(reinterpret_cast<const char*>(reply.payload), reply.length).toHex(' ') << "\n" << Qt::flush;
    };
    return r.Cli().Exchange([&] { r.S().Send(command, print); });
}

} // namespace portiqa
