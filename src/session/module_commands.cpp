#include "session/module_commands.h"
#include "base/texts.h"

namespace portiqa {

TModuleCommand CheckingModeCommand() {
    TModuleCommand c = TModuleCommand::WithStatus(4, TText::tr("Password verifying"), TText::tr("Checking mode"),
                                                  TText::tr("Enter"), TText::tr("Error"));
    c.change = TText::tr("Команда режима проверки");
    return c;
}

TModuleCommand TimeSyncCommand() {
    TModuleCommand c = TModuleCommand::WithStatus(3, TText::tr("Send sync time command"),
                                                  TText::tr("Receives the data synchronization command returns"),
                                                  TText::tr("Возврат времени синхронизации в норму"),
                                                  TText::tr("Ошибка возврата времени синхронизации"));
    c.change = TText::tr("Установка часов модуля по времени компьютера");
    c.payload = [] { return TimeSyncPayload(QDateTime::currentDateTime()); };
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
