#pragma once
#include <QDateTime>
#include <QString>

namespace portiqa {

// What tells one module from another. The module has no serial number of its
// own: the SIM number it holds (settings row 2) is its name where set. The
// USB bridge's serial number names the cable, which an installer carries
// from module to module, so it is kept for the record but proves nothing.
struct TModuleIdentity {
    QString simNumber;     // as the module holds it; empty when not set
    QString bridgeSerial;  // the USB bridge's serial number, where the port gives one
    QString port;          // the port it was on
    int connection = -1;   // the connection it was logged in on (-1: none, e.g. a file)

    // The SIM number without a leading "+" (the module takes both forms).
    QString SimKey() const;
    // The module in the operator's words: its SIM number, or that it has none.
    QString Label() const;
};

// Whether two identities are proven to be one module: the same login on the
// same connection, or the same SIM number. Two modules without a SIM number
// are never proven the same.
bool SameModule(const TModuleIdentity& a, const TModuleIdentity& b);

// Where a table's content came from, and when.
struct TTableOrigin {
    enum class TKind { New, Module, File };
    TKind kind = TKind::New;
    TModuleIdentity module;  // for Module
    QString file;            // for File
    QDateTime when;

    static TTableOrigin FromModule(const TModuleIdentity& m) { return {TKind::Module, m, {}, QDateTime::currentDateTime()}; }
    static TTableOrigin FromFile(const QString& path) { return {TKind::File, {}, path, QDateTime::currentDateTime()}; }
};

} // namespace portiqa
