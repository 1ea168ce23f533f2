#include "session/connection.h"
#include "base/errors.h"
#include "base/texts.h"

namespace portiqa {

TConnection::TConnection(TComm& comm, TSession& session) : comm_(comm), session_(session) {
    comm_.SetBaudRate(kBaudRate);
    comm_.OnReceiveData = [this](TComm*, const char* bytes, uint16_t length) {
        session_.cm1ReceiveData(reinterpret_cast<const uint8_t*>(bytes), length);
    };
    comm_.OnRequestHangup = [this](TComm*) {
        Close();
        if (OnLost) OnLost(TText::tr("Связь с GSM модулем потеряна: порт закрыт"));
    };
}

QString TConnection::Open(const QString& name) {
    comm_.SetCommName(name);
    try {
        comm_.OpenComm();
    } catch (const ECommsError& e) {
        return TText::tr("COM Port ошибка\r") + QString::fromUtf8(e.what());
    }
    // Failures that opening only records leave no port open: say so rather
    // than pretending to be connected.
    if (!comm_.PortOpen())
        return TText::tr("COM Port ошибка\r") + comm_.PortOpenError().trimmed() +
               (comm_.PortOpenReason().isEmpty() ? QString() : ": " + comm_.PortOpenReason());
    return {};
}

void TConnection::Close() {
    comm_.CloseComm();
    session_.seq.ForgetModule();
}

} // namespace portiqa
