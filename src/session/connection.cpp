#include "session/connection.h"
#include "base/errors.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/port_list.h"

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
    session_.NewConnection(name, TPortList().SerialOf(name), comm_.BaudRate());
    return {};
}

void TConnection::Close() {
    comm_.Close();
    session_.NewConnection();
}

} // namespace portiqa
