#include "session/connection.h"
#include "base/errors.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/net_address.h"
#include "link/port_list.h"
#include <QSettings>

namespace portiqa {

TConnection::TConnection(TComm& comm, TSession& session) : comm_(comm), session_(session) {
    comm_.SetBaudRate(kBaudRate);
    comm_.OnReceived = [this](TComm*, const char* bytes, uint16_t length) {
        session_.OnBytes(reinterpret_cast<const uint8_t*>(bytes), length);
    };
    comm_.OnHangUp = [this](TComm*) {
        // A transfer under way ends with one report that says what was written.
        const QString why = comm_.HangUpReason();
        const bool transferEnded = session_.LoseLink(why);
        Close();
        if (OnLost) OnLost(transferEnded ? QString() : LinkLostMessage(why));
    };
}

QString TConnection::Open(const QString& name) {
    comm_.SetPortName(name);
    try {
        comm_.Open();
    } catch (const ECommsError& e) {
        session_.NewConnection();
        return TText::tr("COM Port ошибка\r") + QString::fromUtf8(e.what());
    }
    // Failures that opening only records leave no port open: say so rather
    // than pretending to be connected.
    if (!comm_.IsOpen()) {
        session_.NewConnection();
        return TText::tr("COM Port ошибка\r") + comm_.OpenError().trimmed() +
               (comm_.OpenReason().isEmpty() ? QString() : ": " + comm_.OpenReason());
    }
    // Whatever module is on the port is a new one until a login.
    // A device server has no bridge serial number to tell modules apart by.
    if (comm_.IsNetwork()) RememberAddress(name.trimmed());
    session_.NewConnection(name, comm_.IsNetwork() ? QString() : TPortList().SerialOf(name), comm_.BaudRate());
    return {};
}

namespace {
const QString kAddressesKey = QStringLiteral("addresses");
constexpr int kAddressesKept = 12;
QSettings Settings() { return QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")); }
}

QStringList TConnection::RememberedAddresses() {
    QStringList kept;
    for (const QString& a : Settings().value(kAddressesKey).toStringList())
        if (TNetAddress::LooksLike(a) && !kept.contains(a) && kept.size() < kAddressesKept) kept.append(a);
    return kept;
}

void TConnection::RememberAddress(const QString& address) {
    QStringList kept = RememberedAddresses();
    kept.removeAll(address);
    kept.prepend(address);  // the latest first
    Settings().setValue(kAddressesKey, kept.mid(0, kAddressesKept));
}

void TConnection::Close() {
    comm_.Close();
    session_.NewConnection();
}

} // namespace portiqa
