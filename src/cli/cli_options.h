#pragma once
#include "files/file_exchange.h"
#include "numbers/subscriber.h"
#include "settings/settings_table.h"
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace portiqa {

class TCliRun;

// A command of the command line, in the one list of commands: its words,
// what runs it, and the options it accepts.
struct TCliCommand {
    QString name;
    int (*run)(TCliRun&) = nullptr;
    QStringList options;
};
const QList<TCliCommand>& CliCommands();
// The command of these words; null for none.
const TCliCommand* FindCliCommand(const QString& name);

// The command line, parsed and checked before anything is opened or sent.
struct TCliOptions {
    QString command;  // "settings save"
    QString port, pin = QStringLiteral("5807");
    QString input, output;
    bool verbose = false;  // the record's own words for its failures too
    bool yes = false, quiet = false, noVerify = false, dryRun = false, withPassword = false, withSim = false;
    bool expired = false;
    bool clone = false;  // write what was taken from another module
    QString record;         // --record: where the record is (empty: PORTIQA_RECORD or the default file)
    bool noRecord = false;  // --no-record
    bool allowPlainNetwork = false;  // --allow-plain-network: device servers on other computers
    bool json = false;
    bool all = false;  // log: every snapshot and write, not the newest only
    bool readOnly = false;  // --read-only or PORTIQA_READ_ONLY=1: every write refused before a frame
    int revision = -1;
    QString only;
    bool replace = false;  // site add: the numbers given replace those the module leaves out  // restore: "settings" or "numbers" alone (empty: both)  // site import: the revision the file was exported at (-1: none given)
    QStringList arguments;  // what follows "log", "diff", "name" and "site …"
    // How numbers are written where the modules are (--country, PORTIQA_COUNTRY, the system's region).
    TNumberCountry country = TNumberCountry::FromSystem();
    QString module;  // --module: a site's additions for one module
    QString at;      // --at: where a site's module is reached (a device server's address)
    int expiringDays = -1;  // -1: not asked
    int unusedMonths = -1;  // --unused: -1 not asked
    int events = 10;        // --events: a report's newest events per module
    QDateTime from, to;
    QList<QPair<int, TSettingValue>> assignments;  // --set N=VALUE, checked and typed
    bool help = false, version = false;
};

// Parses and checks the arguments (without the program name): every option
// only with the commands it means something to, the password exactly four
// digits (from -P, --password-file or PORTIQA_PASSWORD), data files of a
// known kind. False with the usage message.
bool ParseCliOptions(const QStringList& args, TCliOptions& options, QString& usageError);

extern const char* const kCliUsage;

// A module's password: exactly four digits.
bool FourDigits(const QString& s);
// The password from -P, --password-file or PORTIQA_PASSWORD, in that order;
// pin is left as it is when none is given. False with usage set.
bool ReadPassword(const std::optional<QString>& option, const std::optional<QString>& file, QString& pin, QString& usage);

} // namespace portiqa
