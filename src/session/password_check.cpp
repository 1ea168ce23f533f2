#include "session/password_check.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/page_fields.h"

namespace portiqa {

void TPasswordCheck::StartCheck() {
    if (RefusedWhileBusy(seq_, op_)) return;
    // A login starts a new acquaintance with whatever module is on the line.
    seq_.ForgetModule();
    seq_.BeginTransfer();
    pending_ = 1;
    // A lost reply is asked for again: reading changes nothing in the module.
    TSendOptions again;
    again.retryWhenSilent = true;
    again.operation = TOperation::Login;
    again.onReply = [this](const TReply& reply) {
        seq_.Status().ShowStatus(TText::tr("Reading basic setting"));
        CheckPassword(reply.payload);
    };
    // A login whose reply never came must not swallow a later settings read.
    again.onGiveUp = [this] { CancelPending(); };
    seq_.ReadPage(SettingsPageAddress(1), TText::tr("Read settings"), again);
    seq_.Status().ShowStatus(TText::tr("Password verifing"));
}

void TPasswordCheck::CheckPassword(const uint8_t* payload) {
    // Four 8-bit characters, whatever their values (0x00 included).
    ModulePassword = fields::FromCp1251(QByteArray(reinterpret_cast<const char*>(payload), 4));
    ModulePage = QByteArray(reinterpret_cast<const char*>(payload), kPageSize);
    TypedPassword = TypedPasswordSource ? TypedPasswordSource() : QString();
    const bool match = ModulePassword.size() == TypedPassword.size() &&
                       ModulePassword.compare(TypedPassword, Qt::CaseInsensitive) == 0;
    pending_ = 0;
    const QString words = match ? TText::tr("Пароль подтвержден!") : TText::tr("Неверный пароль!");
    if (match) op_.Tell(words);
    else op_.ShowMessage(words);
    if (SetControlsEnabled) SetControlsEnabled(match);
    if (OnChecked) OnChecked(match, words);
}

} // namespace portiqa
