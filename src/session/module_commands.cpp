#include "session/module_commands.h"
#include "base/texts.h"

namespace portiqa {

TCommandSpec CheckingModeCommand() {
    TCommandSpec c;
    c.command = 4;
    c.sendText = TText::tr("Password verifying");
    c.reply.takenText = TText::tr("Checking mode");
    c.reply.acceptedText = TText::tr("Enter");
    c.reply.refusedText = TText::tr("Error");
    return c;
}

TCommandSpec TimeSyncCommand() {
    TCommandSpec c;
    c.command = 3;
    c.sendText = TText::tr("Send sync time command");
    c.reply.takenText = TText::tr("Receives the data synchronization command returns");
    c.reply.acceptedText = TText::tr("Возврат времени синхронизации в норму");
    c.reply.refusedText = TText::tr("Ошибка возврата времени синхронизации");
    return c;
}

QByteArray TimeSyncPayload(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    const char bytes[] = {char(d.year() & 0xFF), char(d.month()), char(d.day()), char(t.hour()), char(t.minute()),
                          char(t.second())};
    return QByteArray(bytes, sizeof bytes);
}

} // namespace portiqa
