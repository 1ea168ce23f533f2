<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TText</name>
    <message>
        <source>в копии нет части %1</source>
        <translation>the backup has no part %1</translation>
    </message>
    <message>
        <source>часть %1 повреждена</source>
        <translation>part %1 is damaged</translation>
    </message>
    <message>
        <source>оглавление архива повреждено</source>
        <translation>the archive&apos;s table of contents is damaged</translation>
    </message>
    <message>
        <source>в копии две части с именем %1</source>
        <translation>the backup has two parts named %1</translation>
    </message>
    <message>
        <source>в копии слишком много частей</source>
        <translation>the backup has too many parts</translation>
    </message>
    <message>
        <source>Резервная копия не записана: нет страницы %1</source>
        <translation>The backup was not written: page %1 is missing</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>Could not write the file %1</translation>
    </message>
    <message>
        <source>Резервная копия %1 не принята: %2</source>
        <translation>The backup %1 was not accepted: %2</translation>
    </message>
    <message>
        <source>файла нет</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>это не архив резервной копии</source>
        <translation>it is not a backup archive</translation>
    </message>
    <message>
        <source>описание копии (manifest.json) не читается</source>
        <translation>the backup&apos;s description (manifest.json) cannot be read</translation>
    </message>
    <message>
        <source>это не резервная копия модуля</source>
        <translation>it is not a module&apos;s backup</translation>
    </message>
    <message>
        <source>версия формата %1 не поддерживается</source>
        <translation>format version %1 is not supported</translation>
    </message>
    <message>
        <source>неверный размер страницы</source>
        <translation>wrong page size</translation>
    </message>
    <message>
        <source>неверный список областей памяти</source>
        <translation>wrong list of memory areas</translation>
    </message>
    <message>
        <source>область %1 описана неверно</source>
        <translation>area %1 is described wrongly</translation>
    </message>
    <message>
        <source>часть %1 имеет размер %2 байт вместо %3</source>
        <translation>part %1 has %2 bytes instead of %3</translation>
    </message>
    <message>
        <source>нет контрольной суммы страницы %1</source>
        <translation>no checksum for page %1</translation>
    </message>
    <message>
        <source>контрольная сумма страницы %1 не совпадает</source>
        <translation>the checksum of page %1 does not match</translation>
    </message>
    <message>
        <source>в описании копии лишние страницы</source>
        <translation>the backup&apos;s description lists pages it does not hold</translation>
    </message>
    <message>
        <source>Резервная копия сохранена: %1 (страниц: %2)</source>
        <translation>Backup saved: %1 (pages: %2)</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Восстановление отменено: ничего не записано. </source>
        <translation>Restore cancelled: nothing was written. </translation>
    </message>
    <message>
        <source><byte value="xd"/>Записать в GSM модуль?</source>
        <translation><byte value="xd"/>Write it into the GSM module?</translation>
    </message>
    <message>
        <source>Записать и пароль из резервной копии</source>
        <translation>Write the backup&apos;s password too</translation>
    </message>
    <message>
        <source>Восстановление отменено: ничего не записано</source>
        <translation>Restore cancelled: nothing was written</translation>
    </message>
    <message>
        <source>Reading the module</source>
        <translation>Reading the module</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1</source>
        <translation><byte value="xd"/>Pages written: %1</translation>
    </message>
    <message>
        <source>Restore check</source>
        <translation>Restore check</translation>
    </message>
    <message>
        <source>Восстановление не завершено: GSM модуль отличается от резервной копии на страницах %1 (модуль изменил их во время восстановления). Записано страниц: %2, все записанные проверены. Повторите восстановление</source>
        <translation>Restore not finished: the GSM module differs from the backup on pages %1 (the module changed them during the restore). Pages written: %2, all of them verified. Restore again</translation>
    </message>
    <message>
        <source>Восстановление завершено. </source>
        <translation>Restore finished. </translation>
    </message>
    <message>
        <source>Строка %1: в копии байты, которые не являются допустимым значением этой строки</source>
        <translation>Row %1: the backup holds bytes that are not a valid value of this row</translation>
    </message>
    <message>
        <source>Восстановление из резервной копии от %1<byte value="xd"/></source>
        <translation>Restore from the backup of %1<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки: без изменений<byte value="xd"/></source>
        <translation>Settings: unchanged<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки: видимые строки не изменятся<byte value="xd"/></source>
        <translation>Settings: the visible rows do not change<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки:<byte value="xd"/></source>
        <translation>Settings:<byte value="xd"/></translation>
    </message>
    <message>
        <source>Изменятся резервные байты страниц настроек<byte value="xd"/></source>
        <translation>The settings pages&apos; reserved bytes change<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль: будет записан пароль из резервной копии<byte value="xd"/></source>
        <translation>Password: the backup&apos;s password will be written<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль: остаётся пароль этого модуля<byte value="xd"/></source>
        <translation>Password: this module keeps its own<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номера: </source>
        <translation>Numbers: </translation>
    </message>
    <message>
        <source>История событий не записывается</source>
        <translation>The event history is not written</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>unknown command: </source>
        <translation>unknown command: </translation>
    </message>
    <message>
        <source>--%1 does nothing with &apos;%2&apos;</source>
        <translation>--%1 does nothing with &apos;%2&apos;</translation>
    </message>
    <message>
        <source>-p takes a port name; it is empty (leave -p out to use the first port of the list)</source>
        <translation>-p takes a port name; it is empty (leave -p out to use the first port of the list)</translation>
    </message>
    <message>
        <source>give the password either with -P or with --password-file</source>
        <translation>give the password either with -P or with --password-file</translation>
    </message>
    <message>
        <source>--password-file: cannot read %1</source>
        <translation>--password-file: cannot read %1</translation>
    </message>
    <message>
        <source>the password must be exactly 4 digits</source>
        <translation>the password must be exactly 4 digits</translation>
    </message>
    <message>
        <source>-o %1: the file must end in .xlsx, .cvs or .csv</source>
        <translation>-o %1: the file must end in .xlsx, .cvs or .csv</translation>
    </message>
    <message>
        <source>-o %1: a settings profile is a .xlsx file</source>
        <translation>-o %1: a settings profile is a .xlsx file</translation>
    </message>
    <message>
        <source>-o and -i take a file name</source>
        <translation>-o and -i take a file name</translation>
    </message>
    <message>
        <source>numbers save needs -i FILE</source>
        <translation>numbers save needs -i FILE</translation>
    </message>
    <message>
        <source>-i %1: the file must end in .xlsx, .xls, .cvs or .csv</source>
        <translation>-i %1: the file must end in .xlsx, .xls, .cvs or .csv</translation>
    </message>
    <message>
        <source>-i %1: a settings profile is a .xlsx or .xls file</source>
        <translation>-i %1: a settings profile is a .xlsx or .xls file</translation>
    </message>
    <message>
        <source>--expiring takes a number of days (0-3650)</source>
        <translation>--expiring takes a number of days (0-3650)</translation>
    </message>
    <message>
        <source>backup needs -o FILE</source>
        <translation>backup needs -o FILE</translation>
    </message>
    <message>
        <source>restore needs -i FILE</source>
        <translation>restore needs -i FILE</translation>
    </message>
    <message>
        <source>restore writes the backup&apos;s settings and numbers into the module: confirm with --yes (or see the change with --dry-run)</source>
        <translation>restore writes the backup&apos;s settings and numbers into the module: confirm with --yes (or see the change with --dry-run)</translation>
    </message>
    <message>
        <source>history delete erases the module&apos;s log: confirm with --yes (or count it with --dry-run)</source>
        <translation>history delete erases the module&apos;s log: confirm with --yes (or count it with --dry-run)</translation>
    </message>
    <message>
        <source>--from and --to take &quot;YYYY-MM-DD HH:MM:SS&quot;, both</source>
        <translation>--from and --to take &quot;YYYY-MM-DD HH:MM:SS&quot;, both</translation>
    </message>
    <message>
        <source>
(needs --yes)</source>
        <translation>
(needs --yes)</translation>
    </message>
    <message>
        <source>Связь с GSM модулем потеряна: порт закрыт</source>
        <translation>Connection with the GSM module lost: the port is closed</translation>
    </message>
    <message>
        <source>COM Port ошибка<byte value="xd"/>no serial port found; give one with -p</source>
        <translation>COM port error<byte value="xd"/>no serial port found; give one with -p</translation>
    </message>
    <message>
        <source>COM Port ошибка<byte value="xd"/></source>
        <translation>COM port error<byte value="xd"/></translation>
    </message>
    <message>
        <source>Ошибка выбора времени</source>
        <translation>Wrong time range</translation>
    </message>
    <message>
        <source>Записей в истории GSM модуля: %1; ничего не удалено</source>
        <translation>Records in the GSM module&apos;s history: %1; nothing deleted</translation>
    </message>
    <message>
        <source>Настройки не сохранены. </source>
        <translation>Settings not saved. </translation>
    </message>
    <message>
        <source>неверный пароль: модуль уже настроен?</source>
        <translation>wrong password: is the module already set up?</translation>
    </message>
    <message>
        <source>вход</source>
        <translation>logging in</translation>
    </message>
    <message>
        <source>устройств в таблице больше нет</source>
        <translation>no units left in the table</translation>
    </message>
    <message>
        <source>чтение настроек</source>
        <translation>reading settings</translation>
    </message>
    <message>
        <source>запись настроек</source>
        <translation>writing settings</translation>
    </message>
    <message>
        <source>запись номеров</source>
        <translation>writing numbers</translation>
    </message>
    <message>
        <source>ошибка обмена</source>
        <translation>communication error</translation>
    </message>
    <message>
        <source>остановка: новые модули не начинаются</source>
        <translation>stopping: no new modules are started</translation>
    </message>
    <message>
        <source>модуль найден</source>
        <translation>module found</translation>
    </message>
    <message>
        <source>устройство </source>
        <translation>unit </translation>
    </message>
    <message>
        <source>готово, записано страниц: %1</source>
        <translation>done, pages written: %1</translation>
    </message>
    <message>
        <source>не настроен: </source>
        <translation>not set up: </translation>
    </message>
    <message>
        <source>provision takes no arguments</source>
        <translation>provision takes no arguments</translation>
    </message>
    <message>
        <source>provision needs --template FILE and --report FILE</source>
        <translation>provision needs --template FILE and --report FILE</translation>
    </message>
    <message>
        <source>--count takes a number of modules, 1 or more</source>
        <translation>--count takes a number of modules, 1 or more</translation>
    </message>
    <message>
        <source>Шаблон %1 не принят: %2</source>
        <translation>The template %1 was not accepted: %2</translation>
    </message>
    <message>
        <source>Список номеров %1 не принят: %2</source>
        <translation>The number list %1 was not accepted: %2</translation>
    </message>
    <message>
        <source>Номера шаблона не приняты: </source>
        <translation>The template&apos;s numbers were not accepted: </translation>
    </message>
    <message>
        <source>Шаблон %1 не принят. </source>
        <translation>The template %1 was not accepted. </translation>
    </message>
    <message>
        <source>Таблица устройств %1 не принята: %2</source>
        <translation>The unit table %1 was not accepted: %2</translation>
    </message>
    <message>
        <source>в ней нет строки заголовка</source>
        <translation>it has no header row</translation>
    </message>
    <message>
        <source>нет столбца «unit»</source>
        <translation>there is no column &quot;unit&quot;</translation>
    </message>
    <message>
        <source>строка %1: нет имени устройства</source>
        <translation>line %1: no unit name</translation>
    </message>
    <message>
        <source>строка %1 (%2): %3</source>
        <translation>line %1 (%2): %3</translation>
    </message>
    <message>
        <source>Отчёт %1 не читается</source>
        <translation>The report %1 cannot be read</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2</source>
        <translation>Could not write the file %1: %2</translation>
    </message>
    <message>
        <source>Текст содержит символы, которых нет в кодировке Windows-1251</source>
        <translation>The text holds characters that Windows-1251 does not have</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик (%2 байт, допускается до %3)</source>
        <translation>The file %1 is too large (%2 bytes, at most %3)</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: %2</source>
        <translation>Could not open the file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик</source>
        <translation>The file %1 is too large</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: файла нет</source>
        <translation>Could not open the file %1: it does not exist</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: это не обычный файл</source>
        <translation>Could not open the file %1: it is not a regular file</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>превышена квота на диске</source>
        <translation>the disk quota is exceeded</translation>
    </message>
    <message>
        <source>файл слишком велик для этого диска</source>
        <translation>the file is too large for this disk</translation>
    </message>
    <message>
        <source>нет прав на запись в эту папку или файл</source>
        <translation>no permission to write to this folder or file</translation>
    </message>
    <message>
        <source>диск открыт только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>такой папки нет</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода (диск или носитель неисправен или извлечён)</source>
        <translation>input/output error (the disk or medium is faulty or was removed)</translation>
    </message>
    <message>
        <source>на листе больше %1 строк</source>
        <translation>the sheet has more than %1 rows</translation>
    </message>
    <message>
        <source>Файл %1 не является книгой Excel (.xlsx или .xls)</source>
        <translation>The file %1 is not an Excel workbook (.xlsx or .xls)</translation>
    </message>
    <message>
        <source>Не удалось прочитать книгу %1: %2</source>
        <translation>Could not read the workbook %1: %2</translation>
    </message>
    <message>
        <source>это не книга .xls</source>
        <translation>it is not a .xls workbook</translation>
    </message>
    <message>
        <source>в книге нет листов</source>
        <translation>the workbook has no sheets</translation>
    </message>
    <message>
        <source>повреждённый лист</source>
        <translation>damaged sheet</translation>
    </message>
    <message>
        <source>слишком много строк на листе</source>
        <translation>too many rows on the sheet</translation>
    </message>
    <message>
        <source>слишком много ячеек на листе</source>
        <translation>too many cells on the sheet</translation>
    </message>
    <message>
        <source>повреждённая ячейка</source>
        <translation>damaged cell</translation>
    </message>
    <message>
        <source>в книге нет части %1</source>
        <translation>the workbook has no part %1</translation>
    </message>
    <message>
        <source>повреждённый архив</source>
        <translation>damaged archive</translation>
    </message>
    <message>
        <source>часть %1 слишком велика</source>
        <translation>part %1 is too large</translation>
    </message>
    <message>
        <source>повреждённый архив (контрольная сумма)</source>
        <translation>damaged archive (checksum)</translation>
    </message>
    <message>
        <source>недопустимое объявление DTD</source>
        <translation>a DTD declaration is not allowed</translation>
    </message>
    <message>
        <source>ошибка XML: %1</source>
        <translation>XML error: %1</translation>
    </message>
    <message>
        <source>это не архив книги .xlsx</source>
        <translation>it is not a .xlsx workbook archive</translation>
    </message>
    <message>
        <source>слишком много строк</source>
        <translation>too many strings</translation>
    </message>
    <message>
        <source>слишком много стилей</source>
        <translation>too many styles</translation>
    </message>
    <message>
        <source>неправильная ссылка на ячейку %1</source>
        <translation>wrong cell reference %1</translation>
    </message>
    <message>
        <source>неправильная ссылка на строку</source>
        <translation>wrong string reference</translation>
    </message>
    <message>
        <source>Принять</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>EXCEL file</source>
        <translation>EXCEL file</translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation>CSV file</translation>
    </message>
    <message>
        <source>CVS file</source>
        <translation>CVS file</translation>
    </message>
    <message>
        <source>All number lists</source>
        <translation>All number lists</translation>
    </message>
    <message>
        <source>(*.*)</source>
        <translation>(*.*)</translation>
    </message>
    <message>
        <source>Portiqa backup</source>
        <translation>Portiqa backup</translation>
    </message>
    <message>
        <source>Скачать</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Фильтр</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Показать все скачанные записи</source>
        <translation>Show all downloaded records</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Export.CSV</source>
        <translation>Export.CSV</translation>
    </message>
    <message>
        <source>Экспорт XLS</source>
        <translation>Export XLS</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>List a built-in simulated module (&quot;Simulated&quot;) first in the port list.</source>
        <translation>List a built-in simulated module (&quot;Simulated&quot;) first in the port list.</translation>
    </message>
    <message>
        <source>The window&apos;s language, ru or en (default: the one chosen in the window, else the system&apos;s).</source>
        <translation>The window&apos;s language, ru or en (default: the one chosen in the window, else the system&apos;s).</translation>
    </message>
    <message>
        <source>Portiqa Configurator: set up a GSM relay module over its serial port: log in with its password, read, edit and save its basic settings and its list of up to 3000 authorised numbers, download its event history, and exchange all three with spreadsheet and comma-separated files.
The user needs access to the serial port: on Debian, membership of the dialout group.</source>
        <translation>Portiqa Configurator: set up a GSM relay module over its serial port: log in with its password, read, edit and save its basic settings and its list of up to 3000 authorised numbers, download its event history, and exchange all three with spreadsheet and comma-separated files.
The user needs access to the serial port: on Debian, membership of the dialout group.</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Simulated</translation>
    </message>
    <message>
        <source>Базовые
настройки</source>
        <translation>Basic
settings</translation>
    </message>
    <message>
        <source>Номера
пользователей</source>
        <translation>User
numbers</translation>
    </message>
    <message>
        <source>История
событий</source>
        <translation>Event
history</translation>
    </message>
    <message>
        <source>Резервная
копия</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Прочитать всю память GSM модуля (настройки, номера, историю) в файл</source>
        <translation>Read the GSM module&apos;s whole memory (settings, numbers, history) into a file</translation>
    </message>
    <message>
        <source>Восстановить
из копии</source>
        <translation>Restore
from backup</translation>
    </message>
    <message>
        <source>Записать настройки и номера из резервной копии в этот GSM модуль</source>
        <translation>Write a backup&apos;s settings and numbers into this GSM module</translation>
    </message>
    <message>
        <source>COM Port:</source>
        <translation>COM Port:</translation>
    </message>
    <message>
        <source>Войти</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Показать пароль</source>
        <translation>Show the password</translation>
    </message>
    <message>
        <source>Скрыть пароль</source>
        <translation>Hide the password</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>The program&apos;s language</translation>
    </message>
    <message>
        <source>Sync time</source>
        <translation>Sync time</translation>
    </message>
    <message>
        <source>Checking mode</source>
        <translation>Checking mode</translation>
    </message>
    <message>
        <source>Прервать</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Прервать обмен с GSM модулем (Esc)</source>
        <translation>Stop the exchange with the GSM module (Esc)</translation>
    </message>
    <message>
        <source>Порт открыт</source>
        <translation>Port open</translation>
    </message>
    <message>
        <source>Порт закрыт</source>
        <translation>Port closed</translation>
    </message>
    <message>
        <source>закрыть порт</source>
        <translation>closing the port</translation>
    </message>
    <message>
        <source>Выйти</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>настроек</source>
        <translation>settings</translation>
    </message>
    <message>
        <source>номеров</source>
        <translation>numbers</translation>
    </message>
    <message>
        <source>Изменения в таблице %1 не сохранены в GSM модуль.<byte value="xd"/>Сохранить их, прежде чем %2?</source>
        <translation>The changes in the %1 table are not saved to the GSM module.<byte value="xd"/>Save them before %2?</translation>
    </message>
    <message>
        <source> и </source>
        <translation> and </translation>
    </message>
    <message>
        <source>закрыть программу</source>
        <translation>closing the program</translation>
    </message>
    <message>
        <source>восстановить модуль из копии</source>
        <translation>restoring the module from a backup</translation>
    </message>
    <message>
        <source>скачать настройки</source>
        <translation>downloading the settings</translation>
    </message>
    <message>
        <source>скачать список</source>
        <translation>downloading the list</translation>
    </message>
    <message>
        <source>импортировать файл</source>
        <translation>importing a file</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Импорт  XLS</source>
        <translation>Import XLS</translation>
    </message>
    <message>
        <source>Без ограничений
всем</source>
        <translation>Unrestricted
for all</translation>
    </message>
    <message>
        <source>Удалить всех</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Export .CSV</source>
        <translation>Export .CSV</translation>
    </message>
    <message>
        <source>Найти далее</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>Список неполный: прочитано %1 из %2 страниц</source>
        <translation>The list is incomplete: %1 of %2 pages read</translation>
    </message>
    <message>
        <source>Скачать
настройки</source>
        <translation>Download
settings</translation>
    </message>
    <message>
        <source>Сохранить
настройки</source>
        <translation>Save
settings</translation>
    </message>
    <message>
        <source>Импортировать
файл</source>
        <translation>Import
file</translation>
    </message>
    <message>
        <source>Экспортировать
файл</source>
        <translation>Export
file</translation>
    </message>
    <message>
        <source>historical information records:%1/%2</source>
        <translation>historical information records:%1/%2</translation>
    </message>
    <message>
        <source>Export.csv:%1/%2</source>
        <translation>Export.csv:%1/%2</translation>
    </message>
    <message>
        <source>COM Port</source>
        <translation>COM Port</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>Add number</source>
        <translation>Add number</translation>
    </message>
    <message>
        <source>Delete Number</source>
        <translation>Delete Number</translation>
    </message>
    <message>
        <source>Relay ON</source>
        <translation>Relay ON</translation>
    </message>
    <message>
        <source>Relay OFF</source>
        <translation>Relay OFF</translation>
    </message>
    <message>
        <source>DIN1 Alarm</source>
        <translation>DIN1 Alarm</translation>
    </message>
    <message>
        <source>DIN2 Alarm</source>
        <translation>DIN2 Alarm</translation>
    </message>
    <message>
        <source>Power failure</source>
        <translation>Power failure</translation>
    </message>
    <message>
        <source>Arm</source>
        <translation>Arm</translation>
    </message>
    <message>
        <source>Disarm</source>
        <translation>Disarm</translation>
    </message>
    <message>
        <source>Power recovery</source>
        <translation>Power recovery</translation>
    </message>
    <message>
        <source>Power supply</source>
        <translation>Power supply</translation>
    </message>
    <message>
        <source>Внимание! Эта операция удалит всю историю сохраненную в GSM модуле </source>
        <translation>Warning! This deletes the whole history kept in the GSM module </translation>
    </message>
    <message>
        <source>Reading historical data</source>
        <translation>Reading historical data</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>От</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Абонент</source>
        <translation>Subscriber</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Ready to order</source>
        <translation>Ready to order</translation>
    </message>
    <message>
        <source>Invalid</source>
        <translation>Invalid</translation>
    </message>
    <message>
        <source>Records:</source>
        <translation>Records:</translation>
    </message>
    <message>
        <source>Нет правильных записей</source>
        <translation>No valid records</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Нет записей</source>
        <translation>No records</translation>
    </message>
    <message>
        <source>Sort date</source>
        <translation>Sort date</translation>
    </message>
    <message>
        <source>Записи с неправильной датой или временем не показаны: %1</source>
        <translation>Records with a wrong date or time are not shown: %1</translation>
    </message>
    <message>
        <source>This serial port already opened</source>
        <translation>This serial port already opened</translation>
    </message>
    <message>
        <source>Error opening serial port</source>
        <translation>Error opening serial port</translation>
    </message>
    <message>
        <source>no port name</source>
        <translation>no port name</translation>
    </message>
    <message>
        <source>File handle is not a comm handle </source>
        <translation>File handle is not a comm handle </translation>
    </message>
    <message>
        <source>Cannot set the line settings</source>
        <translation>Cannot set the line settings</translation>
    </message>
    <message>
        <source>Unable to create event</source>
        <translation>Unable to create event</translation>
    </message>
    <message>
        <source>Unable to create read thread</source>
        <translation>Unable to create read thread</translation>
    </message>
    <message>
        <source>Unable to create write thread</source>
        <translation>Unable to create write thread</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1 (все). Проверка записи не завершена: прочитайте данные и сравните</source>
        <translation><byte value="xd"/>Pages written: %1 (all). The check of what was written did not finish: read the data and compare</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1. Сохраните ещё раз, чтобы записать остальные</source>
        <translation><byte value="xd"/>Pages written: %1. Save again to write the rest</translation>
    </message>
    <message>
        <source>Возврат времени синхронизации в норму</source>
        <translation>Time synchronisation done</translation>
    </message>
    <message>
        <source>Ошибка возврата времени синхронизации</source>
        <translation>Time synchronisation failed</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>История данных удалена</source>
        <translation>History deleted</translation>
    </message>
    <message>
        <source>Ошибка при удалении исторических данных</source>
        <translation>The history could not be deleted</translation>
    </message>
    <message>
        <source>GSM модуль отказался записать страницу 0x%1</source>
        <translation>The GSM module refused to write page 0x%1</translation>
    </message>
    <message>
        <source>Ошибка базовой настройки</source>
        <translation>Basic settings error</translation>
    </message>
    <message>
        <source>Ошибка данных списка номеров</source>
        <translation>Number list data error</translation>
    </message>
    <message>
        <source>Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите</source>
        <translation>The GSM module&apos;s answers differ when read twice: check the cable and try again</translation>
    </message>
    <message>
        <source>Обмен с GSM модулем прерван</source>
        <translation>The exchange with the GSM module was stopped</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущего обмена с GSM модулем</source>
        <translation>Wait until the current exchange with the GSM module ends</translation>
    </message>
    <message>
        <source>Записано страниц: %1</source>
        <translation>Pages written: %1</translation>
    </message>
    <message>
        <source>Проверка записи не пройдена: страницы </source>
        <translation>The written data did not verify: pages </translation>
    </message>
    <message>
        <source><byte value="xd"/>Модуль хранит на этих страницах не то, что было записано; сохраните ещё раз</source>
        <translation><byte value="xd"/>The module holds something other than what was written on these pages; save again</translation>
    </message>
    <message>
        <source>Текст &quot;%1&quot; содержит символы, которые GSM модуль не может сохранить</source>
        <translation>The text &quot;%1&quot; holds characters the GSM module cannot store</translation>
    </message>
    <message>
        <source>Invalid data</source>
        <translation>Invalid data</translation>
    </message>
    <message>
        <source>Unexpected reply</source>
        <translation>Unexpected reply</translation>
    </message>
    <message>
        <source>Receives the data synchronization command returns</source>
        <translation>Receives the data synchronization command returns</translation>
    </message>
    <message>
        <source>Delete command</source>
        <translation>Delete command</translation>
    </message>
    <message>
        <source>Undefined address</source>
        <translation>Undefined address</translation>
    </message>
    <message>
        <source>Save basic settings</source>
        <translation>Save basic settings</translation>
    </message>
    <message>
        <source>Save pages:</source>
        <translation>Save pages:</translation>
    </message>
    <message>
        <source>Save number list:</source>
        <translation>Save number list:</translation>
    </message>
    <message>
        <source>Reading basic setting</source>
        <translation>Reading basic setting</translation>
    </message>
    <message>
        <source>Reading number list:</source>
        <translation>Reading number list:</translation>
    </message>
    <message>
        <source>Reading historical data:</source>
        <translation>Reading historical data:</translation>
    </message>
    <message>
        <source>Reading pages:</source>
        <translation>Reading pages:</translation>
    </message>
    <message>
        <source>Повтор запроса %1/%2</source>
        <translation>Request repeated %1/%2</translation>
    </message>
    <message>
        <source>Data communication</source>
        <translation>Data communication</translation>
    </message>
    <message>
        <source>Verifying %1/%2</source>
        <translation>Verifying %1/%2</translation>
    </message>
    <message>
        <source>Verifying again</source>
        <translation>Verifying again</translation>
    </message>
    <message>
        <source>Save again</source>
        <translation>Save again</translation>
    </message>
    <message>
        <source>Password verifying</source>
        <translation>Password verifying</translation>
    </message>
    <message>
        <source>Send sync time command</source>
        <translation>Send sync time command</translation>
    </message>
    <message>
        <source>Добавлено: %1, изменено: %2, удалено: %3, без изменений: %4</source>
        <translation>Added: %1, changed: %2, removed: %3, unchanged: %4</translation>
    </message>
    <message>
        <source>(нет)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>, без ограничений</source>
        <translation>, unrestricted</translation>
    </message>
    <message>
        <source>Истекло: %1, истекает в течение %2 дней: %3</source>
        <translation>Expired: %1, expiring within %2 days: %3</translation>
    </message>
    <message>
        <source>Save:%1/%2</source>
        <translation>Save:%1/%2</translation>
    </message>
    <message>
        <source>запись %1: %2</source>
        <translation>record %1: %2</translation>
    </message>
    <message>
        <source>Файл не импортирован: записей с ошибками %1</source>
        <translation>The file was not imported: records with errors: %1</translation>
    </message>
    <message>
        <source> (показаны первые 20)</source>
        <translation> (the first 20 shown)</translation>
    </message>
    <message>
        <source>Import.xls</source>
        <translation>Import.xls</translation>
    </message>
    <message>
        <source>Неправильный формат профиля настроек</source>
        <translation>Wrong settings profile format</translation>
    </message>
    <message>
        <source>В файле больше 3000 записей (строка %1): GSM модуль хранит не более 3000 номеров. Ничего не импортировано</source>
        <translation>The file has more than 3000 records (line %1): the GSM module holds at most 3000 numbers. Nothing imported</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Номер абонента</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Дата начала</source>
        <translation>Start date</translation>
    </message>
    <message>
        <source>Время начала</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Дата окончания</source>
        <translation>End date</translation>
    </message>
    <message>
        <source>Время окончания</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>Без ограничений</source>
        <translation>Unrestricted</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Неправильный номер абонента: допускаются только «+» и цифры, не более 22 символов. Всего:</source>
        <translation>Wrong number: only &quot;+&quot; and digits, at most 22 characters. Total:</translation>
    </message>
    <message>
        <source>Неправильная дата или время (формат ГГГГ/ММ/ДД и ЧЧ:ММ, годы 2000-2099). Всего:</source>
        <translation>Wrong date or time (format YYYY/MM/DD and HH:MM, years 2000-2099). Total:</translation>
    </message>
    <message>
        <source>номер «%1»: только «+» и цифры, не более 22</source>
        <translation>number &quot;%1&quot;: only &quot;+&quot; and digits, at most 22</translation>
    </message>
    <message>
        <source>дата начала</source>
        <translation>start date</translation>
    </message>
    <message>
        <source>время начала</source>
        <translation>start time</translation>
    </message>
    <message>
        <source>дата окончания</source>
        <translation>end date</translation>
    </message>
    <message>
        <source>время окончания</source>
        <translation>end time</translation>
    </message>
    <message>
        <source>не указана %1: заполните окно или выберите «Без ограничений»</source>
        <translation>no %1: fill in the window or choose &quot;Unrestricted&quot;</translation>
    </message>
    <message>
        <source>%1 «%2»: GSM модуль хранит годы 2000-2099</source>
        <translation>%1 &quot;%2&quot;: the GSM module stores the years 2000-2099</translation>
    </message>
    <message>
        <source>%1 «%2» не существует</source>
        <translation>%1 &quot;%2&quot; does not exist</translation>
    </message>
    <message>
        <source>Скачать все номера, сохраненные в GSM модуле?</source>
        <translation>Download all numbers kept in the GSM module?</translation>
    </message>
    <message>
        <source>Список номеров GSM модуля прочитан не полностью: сохранение отменено. Сохраните ещё раз.</source>
        <translation>The GSM module&apos;s number list was not read completely: the save was cancelled. Save again.</translation>
    </message>
    <message>
        <source>Сохранить список номеров в GSM модуль?<byte value="xd"/></source>
        <translation>Save the number list to the GSM module?<byte value="xd"/></translation>
    </message>
    <message>
        <source>Reading telephone number information</source>
        <translation>Reading telephone number information</translation>
    </message>
    <message>
        <source>Save list</source>
        <translation>Save list</translation>
    </message>
    <message>
        <source><byte value="xd"/>Модуль сам изменил записи: %1 — они сохранены как в модуле</source>
        <translation><byte value="xd"/>The module changed records itself: %1 — they were kept as in the module</translation>
    </message>
    <message>
        <source>Список номеров сохранён не полностью: GSM модуль сам изменил записи %1, которые изменены и в таблице; их страницы не записаны. Скачайте список и решите, что сохранить.<byte value="xd"/>%2</source>
        <translation>The number list was not saved completely: the GSM module itself changed records %1, which are changed in the table too; their pages were not written. Download the list and decide what to save.<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>Список авторизованных номеров успешно сохранен</source>
        <translation>The list of authorised numbers was saved</translation>
    </message>
    <message>
        <source>Read settings</source>
        <translation>Read settings</translation>
    </message>
    <message>
        <source>Password verifing</source>
        <translation>Password verifing</translation>
    </message>
    <message>
        <source>Пароль подтвержден!</source>
        <translation>Password confirmed!</translation>
    </message>
    <message>
        <source>Неверный пароль!</source>
        <translation>Wrong password!</translation>
    </message>
    <message>
        <source>Прочитать базовые настройки GSM модуля? </source>
        <translation>Read the GSM module&apos;s basic settings? </translation>
    </message>
    <message>
        <source>Настройки не сохранены: GSM модуль сам изменил строки %1, которые изменены и в таблице. Скачайте настройки и решите, что сохранить.</source>
        <translation>Settings not saved: the GSM module itself changed rows %1, which are changed in the table too. Download the settings and decide what to save.</translation>
    </message>
    <message>
        <source>Сохранить настройки в GSM модуль?<byte value="xd"/></source>
        <translation>Save the settings to the GSM module?<byte value="xd"/></translation>
    </message>
    <message>
        <source>Базовые настройки считаны</source>
        <translation>Basic settings read</translation>
    </message>
    <message>
        <source>Базовые настройки сохранены успешно</source>
        <translation>Basic settings saved</translation>
    </message>
    <message>
        <source><byte value="xd"/>GSM модуль сам изменил строки: %1 — они сохранены как в модуле</source>
        <translation><byte value="xd"/>The GSM module changed rows itself: %1 — they were kept as in the module</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>The first page</source>
        <translation>The first page</translation>
    </message>
    <message>
        <source>The second page</source>
        <translation>The second page</translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation>Save profile</translation>
    </message>
    <message>
        <source>Профиль не загружен. </source>
        <translation>Profile not loaded. </translation>
    </message>
    <message>
        <source>Load profile</source>
        <translation>Load profile</translation>
    </message>
    <message>
        <source>Строка %1: </source>
        <translation>Row %1: </translation>
    </message>
    <message>
        <source>текст пишется латинскими буквами, цифрами и знаками, а не «%1»</source>
        <translation>the text takes Latin letters, digits and signs, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>текст «%1» содержит символы, которые GSM модуль не может сохранить</source>
        <translation>the text &quot;%1&quot; holds characters the GSM module cannot store</translation>
    </message>
    <message>
        <source>нужно число от %1 до %2, а не «%3»</source>
        <translation>a number from %1 to %2 is needed, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>выберите из списка (%1), а не «%2»</source>
        <translation>choose from the list (%1), not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>(пусто)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>строка %1: %2 → %3</source>
        <translation>row %1: %2 → %3</translation>
    </message>
    <message>
        <source>1.Пароль</source>
        <translation>1.Password</translation>
    </message>
    <message>
        <source>5807</source>
        <translation>5807</translation>
    </message>
    <message>
        <source>2.Номер телефона сим карты установленной в GSM модуль</source>
        <translation>2.Phone number of the GSM module&apos;s SIM card</translation>
    </message>
    <message>
        <source>Введите номер телефона сим карты установленной в GSM модуль</source>
        <translation>Enter the phone number of the GSM module&apos;s SIM card</translation>
    </message>
    <message>
        <source>3.Тип контакта датчика 1</source>
        <translation>3.Sensor 1 contact type</translation>
    </message>
    <message>
        <source>NO. Для изменения сделайте выбор из списка</source>
        <translation>NO. Choose from the list to change</translation>
    </message>
    <message>
        <source>4.Тип контакта датчика 2</source>
        <translation>4.Sensor 2 contact type</translation>
    </message>
    <message>
        <source>5.Текст оповещения при срабатывании датчика 1</source>
        <translation>5.Alert text when sensor 1 trips</translation>
    </message>
    <message>
        <source>Unauthorized door opened. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Unauthorized door opened. Up to 40 Latin characters</translation>
    </message>
    <message>
        <source>6.Текст оповещения при срабатывании датчика 2</source>
        <translation>6.Alert text when sensor 2 trips</translation>
    </message>
    <message>
        <source>DIN2 Alarm. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>DIN2 Alarm. Up to 40 Latin characters</translation>
    </message>
    <message>
        <source>7.Время автоматической активации режима охраны после звонка пользователя</source>
        <translation>7.Time until automatic arming after a user&apos;s call</translation>
    </message>
    <message>
        <source>10 минут. Можно установить от 001 до 999 минут</source>
        <translation>10 minutes. From 001 to 999 minutes</translation>
    </message>
    <message>
        <source>8.Постановка/снятие с охраны</source>
        <translation>8.Arm/disarm</translation>
    </message>
    <message>
        <source>Снято. Для изменения сделайте выбор из списка</source>
        <translation>Disarmed. Choose from the list to change</translation>
    </message>
    <message>
        <source>9.Выбор пользователей для управления GSM модулем</source>
        <translation>9.Users who control the GSM module</translation>
    </message>
    <message>
        <source>Только зарегистрированным пользователям. Для изменения сделайте выбор из списка</source>
        <translation>Registered users only. Choose from the list to change</translation>
    </message>
    <message>
        <source>10.Время нахождения реле в замкнутом состоянии</source>
        <translation>10.Time the relay stays closed</translation>
    </message>
    <message>
        <source>0-означает 0,5 секунды. Можно установить от 0,5 до 998 секунд. 999-замкнуто до следующего звонка</source>
        <translation>0 means 0.5 seconds. From 0.5 to 998 seconds. 999: closed until the next call</translation>
    </message>
    <message>
        <source>11.Выбор пользователей для получения смс сообщений когда реле находится в замкнутом состоянии</source>
        <translation>11.Users who get an SMS when the relay is closed</translation>
    </message>
    <message>
        <source>Всем. Для изменения сделайте выбор из списка</source>
        <translation>Everyone. Choose from the list to change</translation>
    </message>
    <message>
        <source>12.Выбор пользователей для получения смс сообщений когда реле находится в разомкнутом состоянии</source>
        <translation>12.Users who get an SMS when the relay is open</translation>
    </message>
    <message>
        <source>13.Текст смс сообщения когда реле находится в замкнутом состоянии</source>
        <translation>13.SMS text when the relay is closed</translation>
    </message>
    <message>
        <source>Relay ON. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Relay ON. Up to 40 Latin characters</translation>
    </message>
    <message>
        <source>14.Текст смс сообщения когда реле находится в разомкнутом состоянии</source>
        <translation>14.SMS text when the relay is open</translation>
    </message>
    <message>
        <source>Relay OFF. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Relay OFF. Up to 40 Latin characters</translation>
    </message>
    <message>
        <source>15.Время задержки смс сообщения после отключения питания</source>
        <translation>15.SMS delay after a power failure</translation>
    </message>
    <message>
        <source>999-отключено. 000-включение функции без задержки, 001-998 задержка в минутах</source>
        <translation>999: off. 000: on without delay, 001-998: delay in minutes</translation>
    </message>
    <message>
        <source>16.Временной интервал смс сообщения о состоянии GSM модуля</source>
        <translation>16.Interval of the GSM module&apos;s status SMS</translation>
    </message>
    <message>
        <source>0-отключено. 001-999 временной интервал в часах</source>
        <translation>0: off. 001-999: interval in hours</translation>
    </message>
    <message>
        <source>0:Никому</source>
        <translation>0:Nobody</translation>
    </message>
    <message>
        <source>1:Администратор</source>
        <translation>1:Administrator</translation>
    </message>
    <message>
        <source>2:Пользователь</source>
        <translation>2:User</translation>
    </message>
    <message>
        <source>3:Всем</source>
        <translation>3:Everyone</translation>
    </message>
    <message>
        <source>0:Снято</source>
        <translation>0:Disarmed</translation>
    </message>
    <message>
        <source>1:Поставлено</source>
        <translation>1:Armed</translation>
    </message>
    <message>
        <source>0:Всем</source>
        <translation>0:Everyone</translation>
    </message>
    <message>
        <source>1:Только зарегистрированным пользователям</source>
        <translation>1:Registered users only</translation>
    </message>
    <message>
        <source>Функции</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Значения</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Заводские настройки</source>
        <translation>Factory settings</translation>
    </message>
    <message>
        <source>Строка %1: выберите значение из списка</source>
        <translation>Row %1: choose a value from the list</translation>
    </message>
    <message>
        <source>Строка %1: только цифры, не более %2</source>
        <translation>Row %1: digits only, at most %2</translation>
    </message>
    <message>
        <source>Строка %1: не более %2 символов</source>
        <translation>Row %1: at most %2 characters</translation>
    </message>
    <message>
        <source>Строка %1: не более %2 знаков</source>
        <translation>Row %1: at most %2 characters</translation>
    </message>
    <message>
        <source>Строка %1: текст пишется латинскими буквами</source>
        <translation>Row %1: the text takes Latin letters</translation>
    </message>
    <message>
        <source>байт %1</source>
        <translation>byte %1</translation>
    </message>
    <message>
        <source>(не выбрано)</source>
        <translation>(not chosen)</translation>
    </message>
    <message>
        <source>A simulated GSM relay module on a pseudo-terminal. Open the printed path (or --link) like a serial port.</source>
        <translation>A simulated GSM relay module on a pseudo-terminal. Open the printed path (or --link) like a serial port.</translation>
    </message>
    <message>
        <source>Create a symbolic link PATH to the terminal.</source>
        <translation>Create a symbolic link PATH to the terminal.</translation>
    </message>
    <message>
        <source>Keep the module&apos;s memory in FILE; every save is written through.</source>
        <translation>Keep the module&apos;s memory in FILE; every save is written through.</translation>
    </message>
    <message>
        <source>Fill N authorised numbers.</source>
        <translation>Fill N authorised numbers.</translation>
    </message>
    <message>
        <source>Fill N history records.</source>
        <translation>Fill N history records.</translation>
    </message>
    <message>
        <source>The module&apos;s password.</source>
        <translation>The module&apos;s password.</translation>
    </message>
    <message>
        <source>Wait MS before every reply.</source>
        <translation>Wait MS before every reply.</translation>
    </message>
    <message>
        <source>Pace replies as a line at N baud.</source>
        <translation>Pace replies as a line at N baud.</translation>
    </message>
    <message>
        <source>Stop answering after N requests.</source>
        <translation>Stop answering after N requests.</translation>
    </message>
    <message>
        <source>Leave every N-th request unanswered.</source>
        <translation>Leave every N-th request unanswered.</translation>
    </message>
    <message>
        <source>Change one byte of every N-th reply.</source>
        <translation>Change one byte of every N-th reply.</translation>
    </message>
    <message>
        <source>Answer every save with status 0.</source>
        <translation>Answer every save with status 0.</translation>
    </message>
    <message>
        <source>Send stray bytes between replies.</source>
        <translation>Send stray bytes between replies.</translation>
    </message>
    <message>
        <source>The language of help and messages, ru or en.</source>
        <translation>The language of help and messages, ru or en.</translation>
    </message>
    <message>
        <source>openpty: %1</source>
        <translation>openpty: %1</translation>
    </message>
    <message>
        <source>cannot create the link %1</source>
        <translation>cannot create the link %1</translation>
    </message>
    <message>
        <source>(номер SIM не задан)</source>
        <translation>(no SIM number set)</translation>
    </message>
    <message>
        <source>
(needs --clone): nothing written</source>
        <translation>
(needs --clone): nothing written</translation>
    </message>
    <message>
        <source>Модуль: %1</source>
        <translation>Module: %1</translation>
    </message>
    <message>
        <source>Сначала войдите в GSM модуль: введите пароль и нажмите «Вход». Ничего не записано</source>
        <translation>Log in to the GSM module first: type the password and press “Log in”. Nothing was written</translation>
    </message>
    <message>
        <source>Настройки прочитаны из модуля %1, записать их в модуль %2?</source>
        <translation>The settings were read from module %1. Write them into module %2?</translation>
    </message>
    <message>
        <source>Список номеров прочитан из модуля %1, записать его в модуль %2?</source>
        <translation>The number list was read from module %1. Write it into module %2?</translation>
    </message>
    <message>
        <source>Резервная копия снята с модуля %1, записать её в модуль %2?</source>
        <translation>The backup was taken from module %1. Write it into module %2?</translation>
    </message>
    <message>
        <source>give either --record or --no-record</source>
        <translation>give either --record or --no-record</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli log&apos; takes at most one module</source>
        <translation>&apos;portiqa-cli log&apos; takes at most one module</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli name&apos; takes a module and its new name</source>
        <translation>&apos;portiqa-cli name&apos; takes a module and its new name</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli diff&apos; takes two things to compare</source>
        <translation>&apos;portiqa-cli diff&apos; takes two things to compare</translation>
    </message>
    <message>
        <source>--no-record: there is no record to read</source>
        <translation>--no-record: there is no record to read</translation>
    </message>
    <message>
        <source>Журнал модулей недоступен: %1</source>
        <translation>The module record is unavailable: %1</translation>
    </message>
    <message>
        <source>модуль %1 не найден в журнале</source>
        <translation>module %1 is not in the record</translation>
    </message>
    <message>
        <source>Модуль %1 (%2)</source>
        <translation>Module %1 (%2)</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>write</translation>
    </message>
    <message>
        <source>не завершена</source>
        <translation>not finished</translation>
    </message>
    <message>
        <source>	страниц записано: %1, проверено: %2</source>
        <translation>	pages written: %1, verified: %2</translation>
    </message>
    <message>
        <source>	из файла %1 (SHA-256 %2)</source>
        <translation>	from the file %1 (SHA-256 %2)</translation>
    </message>
    <message>
        <source>%1: профиль настроек не принят</source>
        <translation>%1: the settings profile was not taken</translation>
    </message>
    <message>
        <source>%1: список номеров не принят</source>
        <translation>%1: the number list was not taken</translation>
    </message>
    <message>
        <source>модуль %1</source>
        <translation>module %1</translation>
    </message>
    <message>
        <source>модуль прочитан не полностью</source>
        <translation>the module was not read whole</translation>
    </message>
    <message>
        <source>снимка %1 нет в журнале</source>
        <translation>the record has no snapshot %1</translation>
    </message>
    <message>
        <source>%1: дата как 2026-03-15 или 2026-03-15T14:30</source>
        <translation>%1: a date such as 2026-03-15 or 2026-03-15T14:30</translation>
    </message>
    <message>
        <source>%1: в журнале нет снимка на эту дату</source>
        <translation>%1: the record has no snapshot at that date</translation>
    </message>
    <message>
        <source>запись %1: %2 → %3</source>
        <translation>record %1: %2 → %3</translation>
    </message>
    <message>
        <source>%1 и %2: нечего сравнивать (нет общих настроек или списка номеров)</source>
        <translation>%1 and %2: nothing to compare (no settings or number list in both)</translation>
    </message>
    <message>
        <source>не удалось создать папку %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>не удалось создать файл %1: %2</source>
        <translation>cannot create the file %1: %2</translation>
    </message>
    <message>
        <source>адрес журнала %1 не понят: нужен postgresql://пользователь@сервер/база</source>
        <translation>the record&apos;s address %1 is not understood: give postgresql://user@host/database</translation>
    </message>
    <message>
        <source>пароль базы не указывается в адресе: возьмите ~/.pgpass или PGPASSWORD</source>
        <translation>the database password does not go into the address: use ~/.pgpass or PGPASSWORD</translation>
    </message>
    <message>
        <source>нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)</source>
        <translation>Qt&apos;s PostgreSQL driver is missing (package libqt6sql6-psql)</translation>
    </message>
    <message>
        <source>журнал %1 не открывается: %2</source>
        <translation>the record %1 does not open: %2</translation>
    </message>
    <message>
        <source>журнал %1 не готов: %2</source>
        <translation>the record %1 is not ready: %2</translation>
    </message>
    <message>
        <source>журнал создан более новой версией программы (схема %1)</source>
        <translation>the record was made by a newer version of the program (schema %1)</translation>
    </message>
    <message>
        <source>снимка @%1 нет в журнале</source>
        <translation>the record has no snapshot @%1</translation>
    </message>
    <message>
        <source>снимок @%1 повреждён (%2)</source>
        <translation>snapshot @%1 is damaged (%2)</translation>
    </message>
    <message>
        <source>Журнал модулей: %1<byte value="xd"/>Чтение продолжается; запись в GSM модуль не начнётся, пока журнал недоступен</source>
        <translation>Module record: %1<byte value="xd"/>Reading goes on; nothing will be written into the GSM module while the record is unavailable</translation>
    </message>
    <message>
        <source>модуль не внесён в журнал при входе</source>
        <translation>the module was not entered in the record at the login</translation>
    </message>
    <message>
        <source>Запись в GSM модуль не начата: журнал модулей недоступен (%1). Ничего не записано</source>
        <translation>Nothing was written into the GSM module: the module record is unavailable (%1)</translation>
    </message>
    <message>
        <source>Настройки: без изменений</source>
        <translation>Settings: no change</translation>
    </message>
    <message>
        <source>Flip the same bit of two bytes in every N-th page read (the checksum still holds).</source>
        <translation>Flip the same bit of two bytes in every N-th page read (the checksum still holds).</translation>
    </message>
    <message>
        <source>Запись %1: в копии байты, которые не являются номером телефона</source>
        <translation>Record %1: the backup holds bytes that are not a phone number</translation>
    </message>
    <message>
        <source>Запись %1: %2</source>
        <translation>Record %1: %2</translation>
    </message>
    <message>
        <source>Keep the module record at URL: a file, or postgresql://user@host/db (default: PORTIQA_RECORD, else the one set in the window, else a file in the user&apos;s data folder).</source>
        <translation>Keep the module record at URL: a file, or postgresql://user@host/db (default: PORTIQA_RECORD, else the one set in the window, else a file in the user&apos;s data folder).</translation>
    </message>
    <message>
        <source>Keep no module record.</source>
        <translation>Keep no module record.</translation>
    </message>
    <message>
        <source>Журнал
модуля</source>
        <translation>Module
journal</translation>
    </message>
    <message>
        <source>Что читалось из модуля и записывалось в него: снимки, записи, сравнение</source>
        <translation>What was read from the module and written into it: snapshots, writes, comparison</translation>
    </message>
    <message>
        <source>Журнал модуля</source>
        <translation>Module journal</translation>
    </message>
    <message>
        <source>Журнал модулей:</source>
        <translation>Module record:</translation>
    </message>
    <message>
        <source>файл журнала или postgresql://пользователь@сервер/база</source>
        <translation>a record file or postgresql://user@host/database</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Пустое поле: файл журнала в папке пользователя</source>
        <translation>Empty: the record file in the user&apos;s folder</translation>
    </message>
    <message>
        <source>Модуль:</source>
        <translation>Module:</translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>например, Ворота, Лесная 5</source>
        <translation>for example, Gate, 5 Forest Street</translation>
    </message>
    <message>
        <source>Сохранить имя</source>
        <translation>Save the name</translation>
    </message>
    <message>
        <source>Что</source>
        <translation>What</translation>
    </message>
    <message>
        <source>Кто</source>
        <translation>Who</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Сравнить два снимка</source>
        <translation>Compare two snapshots</translation>
    </message>
    <message>
        <source>Сравнить с таблицами</source>
        <translation>Compare with the tables</translation>
    </message>
    <message>
        <source>Загрузить в таблицы</source>
        <translation>Load into the tables</translation>
    </message>
    <message>
        <source>Настройки и номера снимка попадут в таблицы; в модуль их запишет обычное сохранение</source>
        <translation>The snapshot&apos;s settings and numbers go into the tables; the usual save writes them into the module</translation>
    </message>
    <message>
        <source>снимок @%1: %2</source>
        <translation>snapshot @%1: %2</translation>
    </message>
    <message>
        <source> (из файла %1)</source>
        <translation> (from the file %1)</translation>
    </message>
    <message>
        <source>; итог: %1, страниц записано: %2, проверено: %3</source>
        <translation>; outcome: %1, pages written: %2, verified: %3</translation>
    </message>
    <message>
        <source>Нечего сравнивать: нет общих настроек или списка номеров</source>
        <translation>Nothing to compare: no settings or number list in both</translation>
    </message>
    <message>
        <source>Настройки:</source>
        <translation>Settings:</translation>
    </message>
    <message>
        <source>Выберите два снимка (Ctrl+щелчок)</source>
        <translation>Choose two snapshots (Ctrl+click)</translation>
    </message>
    <message>
        <source>Выберите один снимок</source>
        <translation>Choose one snapshot</translation>
    </message>
    <message>
        <source>таблицы</source>
        <translation>the tables</translation>
    </message>
    <message>
        <source>настройки</source>
        <translation>settings</translation>
    </message>
    <message>
        <source>номера</source>
        <translation>numbers</translation>
    </message>
    <message>
        <source>Загружено в таблицы из снимка @%1: %2. В модуль их запишет кнопка «Сохранить».</source>
        <translation>Loaded into the tables from snapshot @%1: %2. The “Save” button writes them into the module.</translation>
    </message>
    <message>
        <source>эта сборка программы не ведёт журнал модулей (нет Qt SQL)</source>
        <translation>this build of the program keeps no module record (no Qt SQL)</translation>
    </message>
    <message>
        <source>Удаление всей истории событий</source>
        <translation>Erasing the whole event history</translation>
    </message>
    <message>
        <source>Установка часов модуля по времени компьютера</source>
        <translation>Setting the module&apos;s clock to the computer&apos;s time</translation>
    </message>
    <message>
        <source>Команда режима проверки</source>
        <translation>The checking-mode command</translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>read</translation>
    </message>
    <message>
        <source>после записи</source>
        <translation>after a write</translation>
    </message>
    <message>
        <source>резервная копия</source>
        <translation>backup</translation>
    </message>
    <message>
        <source>восстановление</source>
        <translation>restore</translation>
    </message>
    <message>
        <source>история</source>
        <translation>history</translation>
    </message>
    <message>
        <source>команда</source>
        <translation>command</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>done</translation>
    </message>
    <message>
        <source>не выполнено</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>модуль не ответил</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>другой модуль</source>
        <translation>another module</translation>
    </message>
    <message>
        <source>журнал недоступен</source>
        <translation>no record</translation>
    </message>
    <message>
        <source>запись: %1</source>
        <translation>write: %1</translation>
    </message>
    <message>
        <source>Wait MS before the reply to every page save (instead of --latency).</source>
        <translation>Wait MS before the reply to every page save (instead of --latency).</translation>
    </message>
    <message>
        <source>запись пароля</source>
        <translation>writing the password</translation>
    </message>
    <message>
        <source>Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:</source>
        <translation>The report was not written (%1): the run is stopped. The line missing from the report:</translation>
    </message>
    <message>
        <source>Шаблон %1 — резервная копия со своим списком номеров: --numbers с ней не используется</source>
        <translation>The template %1 is a backup with its own number list: --numbers cannot be used with it</translation>
    </message>
    <message>
        <source>строка настроек %1 указана в двух столбцах</source>
        <translation>settings row %1 is given in two columns</translation>
    </message>
    <message>
        <source>строка %1: устройство «%2» уже указано как «%3»</source>
        <translation>line %1: unit “%2” is already given as “%3”</translation>
    </message>
    <message>
        <source>строка %1 (%2): пароль %3 уже у устройства «%4»</source>
        <translation>line %1 (%2): password %3 already belongs to unit “%4”</translation>
    </message>
    <message>
        <source>строка %1 (%2): номер SIM %3 уже у устройства «%4»</source>
        <translation>line %1 (%2): SIM number %3 already belongs to unit “%4”</translation>
    </message>
    <message>
        <source>в ней нет ни одного устройства</source>
        <translation>it has no units</translation>
    </message>
    <message>
        <source>Отчёт %1 не является обычным файлом</source>
        <translation>The report %1 is not a regular file</translation>
    </message>
    <message>
        <source>Отчёт %1 уже ведёт другой запуск (процесс %2 на %3): два запуска с одним отчётом выдали бы одни и те же устройства</source>
        <translation>The report %1 is kept by another run (process %2 on %3): two runs on one report would give the same units twice</translation>
    </message>
    <message>
        <source>Отчёт %1 больше 64 МБ: начните новый</source>
        <translation>The report %1 is larger than 64 MB: start a new one</translation>
    </message>
    <message>
        <source>«%1»: в файле есть даты и день/месяц/год, и месяц/день/год; запишите даты как ГГГГ-ММ-ДД</source>
        <translation>“%1”: the file has dates both day/month/year and month/day/year; write the dates as YYYY-MM-DD</translation>
    </message>
    <message>
        <source>«%1»: неясно, день или месяц идёт первым; запишите даты как ГГГГ-ММ-ДД или ДД.ММ.ГГГГ</source>
        <translation>“%1”: it is unclear whether the day or the month comes first; write the dates as YYYY-MM-DD or DD.MM.YYYY</translation>
    </message>
    <message>
        <source>«%1» не существует</source>
        <translation>“%1” does not exist</translation>
    </message>
    <message>
        <source>«%1» — не дата (ГГГГ-ММ-ДД, ДД.ММ.ГГГГ, ДД/ММ/ГГГГ или ММ/ДД/ГГГГ)</source>
        <translation>“%1” is not a date (YYYY-MM-DD, DD.MM.YYYY, DD/MM/YYYY or MM/DD/YYYY)</translation>
    </message>
    <message>
        <source>«%1»: GSM модуль хранит часы и минуты, без секунд</source>
        <translation>“%1”: the GSM module keeps hours and minutes, without seconds</translation>
    </message>
    <message>
        <source>«%1» — не время (ЧЧ:ММ)</source>
        <translation>“%1” is not a time (HH:MM)</translation>
    </message>
    <message>
        <source>«Без ограничений»: «%1» — ни да, ни нет (Да/Нет, Yes/No, 1/0)</source>
        <translation>“Unrestricted”: “%1” is neither yes nor no (Yes/No, 1/0)</translation>
    </message>
    <message>
        <source>окно кончается (%1 %2) раньше, чем начинается (%3 %4)</source>
        <translation>the window ends (%1 %2) before it starts (%3 %4)</translation>
    </message>
    <message>
        <source>номер %1 уже есть в записи %2</source>
        <translation>number %1 is already in record %2</translation>
    </message>
    <message>
        <source>Импортировано записей: %1</source>
        <translation>Records imported: %1</translation>
    </message>
    <message>
        <source>«+» добавлен к номерам из 7 и десяти цифр (таблица хранила их как числа): %1</source>
        <translation>“+” added to numbers of 7 and ten digits (the spreadsheet kept them as numbers): %1</translation>
    </message>
    <message>
        <source>даты с «/» прочитаны как ДД/ММ/ГГГГ</source>
        <translation>dates with “/” read as DD/MM/YYYY</translation>
    </message>
    <message>
        <source>даты с «/» прочитаны как ММ/ДД/ГГГГ</source>
        <translation>dates with “/” read as MM/DD/YYYY</translation>
    </message>
    <message>
        <source>В таблице записей: %1. Заменить их записями из файла (%2)?</source>
        <translation>The table holds %1 records. Replace them with the file&apos;s records (%2)?</translation>
    </message>
    <message>
        <source>Список номеров скачан не полностью (прочитано страниц: %1 из %2): сохранение удалило бы из GSM модуля номера, которых нет в таблице. Сохранение отменено: скачайте список целиком или импортируйте файл.</source>
        <translation>The number list was downloaded in part (pages read: %1 of %2): a save would remove from the GSM module the numbers the table lacks. The save is cancelled: download the whole list or import a file.</translation>
    </message>
    <message>
        <source>Список номеров GSM модуля ещё не скачан в таблицу: сохранение удалило бы из модуля номера, которых в таблице нет (%1). Сохранение отменено: скачайте список, измените его и сохраните.</source>
        <translation>The GSM module&apos;s number list has not been downloaded into the table: a save would remove from the module the numbers the table lacks (%1). The save is cancelled: download the list, change it and save.</translation>
    </message>
    <message>
        <source>Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]
</source>
        <translation>Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]
</translation>
    </message>
    <message>
        <source>не начат: запуск завершается</source>
        <translation>not started: the run is ending</translation>
    </message>
    <message>
        <source>пароль должен состоять ровно из %1 цифр, а не «%2»</source>
        <translation>the password must be exactly %1 digits, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>номер сим карты: только цифры и один «+» в начале, не более %1 знаков, а не «%2»</source>
        <translation>SIM card number: only digits and one &quot;+&quot; first, at most %1 characters, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>текст длиннее %1 символов (%2)</source>
        <translation>the text is longer than %1 characters (%2)</translation>
    </message>
    <message>
        <source>Строка %1: только цифры и «+» в начале, не более %2 знаков</source>
        <translation>Row %1: only digits and &quot;+&quot; first, at most %2 characters</translation>
    </message>
    <message>
        <source>--set takes N=VALUE with N from 1 to %1</source>
        <translation>--set takes N=VALUE with N from 1 to %1</translation>
    </message>
    <message>
        <source>столбец «%1»: нужен «unit» или номер строки настроек 1-%2</source>
        <translation>column &quot;%1&quot;: &quot;unit&quot; or a settings row number 1-%2 is needed</translation>
    </message>
    <message>
        <source>Шаблон %1: в резервной копии нет страниц настроек</source>
        <translation>Template %1: the backup has no settings pages</translation>
    </message>
    <message>
        <source>Файл %1 уже существует. Заменить его?</source>
        <translation>The file %1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>Сохранено в файл: %1</source>
        <translation>Saved to the file %1</translation>
    </message>
    <message>
        <source>Прочитать журнал событий из GSM модуля</source>
        <translation>Read the event log from the GSM module</translation>
    </message>
    <message>
        <source>Показать только записи между началом и концом</source>
        <translation>Show only the records between the start and the end</translation>
    </message>
    <message>
        <source>Начало: дата</source>
        <translation>Start: date</translation>
    </message>
    <message>
        <source>Начало: время</source>
        <translation>Start: time</translation>
    </message>
    <message>
        <source>Конец: дата</source>
        <translation>End: date</translation>
    </message>
    <message>
        <source>Конец: время</source>
        <translation>End: time</translation>
    </message>
    <message>
        <source>Записи строго между началом и концом остаются после «Фильтр»</source>
        <translation>Records strictly between the start and the end stay after &quot;Filter&quot;</translation>
    </message>
    <message>
        <source>Сохранить историю событий из таблицы в файл</source>
        <translation>Save the event history from the table to a file</translation>
    </message>
    <message>
        <source>Стереть журнал событий в GSM модуле</source>
        <translation>Erase the event log in the GSM module</translation>
    </message>
    <message>
        <source>История событий</source>
        <translation>Event history</translation>
    </message>
    <message>
        <source>Записи журнала модуля: дата, время, источник, действие, абонент, текст; щелчок по заголовку сортирует</source>
        <translation>The module&apos;s log records: date, time, source, action, subscriber, text; click a header to sort</translation>
    </message>
    <message>
        <source>Щелчок по заголовку столбца сортирует записи по нему</source>
        <translation>Click a column header to sort the records by it</translation>
    </message>
    <message>
        <source>Записей: %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>Разделы</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>Базовые настройки, номера пользователей, история событий</source>
        <translation>Basic settings, user numbers, event history</translation>
    </message>
    <message>
        <source>Базовые настройки GSM модуля: чтение, запись, файлы</source>
        <translation>The GSM module&apos;s basic settings: read, write, files</translation>
    </message>
    <message>
        <source>Номера, которым разрешено управлять реле, и сроки их действия</source>
        <translation>The numbers allowed to switch the relay, and their validity</translation>
    </message>
    <message>
        <source>Журнал событий GSM модуля: чтение, отбор по времени, файл</source>
        <translation>The GSM module&apos;s event log: read, filter by time, file</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Открыть или закрыть выбранный порт</source>
        <translation>Open or close the chosen port</translation>
    </message>
    <message>
        <source>Пароль GSM модуля: 4 цифры</source>
        <translation>The GSM module&apos;s password: 4 digits</translation>
    </message>
    <message>
        <source>Проверить пароль и войти в GSM модуль</source>
        <translation>Check the password and log in to the GSM module</translation>
    </message>
    <message>
        <source>Прочитать список номеров из GSM модуля в таблицу</source>
        <translation>Read the number list from the GSM module into the table</translation>
    </message>
    <message>
        <source>Записать изменённый список номеров в GSM модуль</source>
        <translation>Write the changed number list to the GSM module</translation>
    </message>
    <message>
        <source>Загрузить список номеров из файла (xlsx, xls, csv) в таблицу</source>
        <translation>Load a number list from a file (xlsx, xls, csv) into the table</translation>
    </message>
    <message>
        <source>Сохранить список номеров из таблицы в файл</source>
        <translation>Save the number list from the table to a file</translation>
    </message>
    <message>
        <source>Снять ограничение срока действия со всех номеров таблицы</source>
        <translation>Make every number in the table valid without a time limit</translation>
    </message>
    <message>
        <source>Отметить все номера таблицы для удаления</source>
        <translation>Mark every number in the table for deletion</translation>
    </message>
    <message>
        <source>Поиск номера</source>
        <translation>Find a number</translation>
    </message>
    <message>
        <source>Перейти к следующему найденному номеру</source>
        <translation>Go to the next matching number</translation>
    </message>
    <message>
        <source>Номера пользователей</source>
        <translation>User numbers</translation>
    </message>
    <message>
        <source>Номер, начало и конец срока действия, без ограничений, удалить; пробел или щелчок меняет отметку</source>
        <translation>Number, start and end of validity, unrestricted, delete; Space or a click toggles a mark</translation>
    </message>
    <message>
        <source>Прочитать базовые настройки из GSM модуля в таблицу</source>
        <translation>Read the basic settings from the GSM module into the table</translation>
    </message>
    <message>
        <source>Записать изменённые настройки в GSM модуль</source>
        <translation>Write the changed settings to the GSM module</translation>
    </message>
    <message>
        <source>Загрузить настройки из файла в таблицу</source>
        <translation>Load settings from a file into the table</translation>
    </message>
    <message>
        <source>Сохранить настройки из таблицы в файл</source>
        <translation>Save the settings from the table to a file</translation>
    </message>
    <message>
        <source>Базовые настройки</source>
        <translation>Basic settings</translation>
    </message>
    <message>
        <source>Параметр, его значение и подсказка; значение вводится с клавиатуры или выбирается из списка</source>
        <translation>Setting, its value and a hint; the value is typed or chosen from a list</translation>
    </message>
    <message>
        <source>Пароль GSM модуля: только цифры, не более %1</source>
        <translation>The GSM module&apos;s password: digits only, at most %1</translation>
    </message>
    <message>
        <source>Введите пароль GSM модуля: %1 цифры</source>
        <translation>Enter the GSM module&apos;s password: %1 digits</translation>
    </message>
    <message>
        <source><byte value="xd"/>Проверьте кабель, питание модуля и выбранный порт</source>
        <translation><byte value="xd"/>Check the cable, the module&apos;s power and the chosen port</translation>
    </message>
    <message>
        <source>GSM модуль не отвечает</source>
        <translation>The GSM module does not answer</translation>
    </message>
    <message>
        <source><byte value="xd"/>Подключите GSM модуль, откройте порт, войдите и повторите</source>
        <translation><byte value="xd"/>Connect the GSM module, open the port, log in and try again</translation>
    </message>
    <message>
        <source>Сохранено записей: %1 в файл %2</source>
        <translation>Saved %1 record(s) to the file %2</translation>
    </message>
    <message>
        <source>Цвета строк: серый — срок истёк; оранжевый — истекает в течение 7 дней; розовый и зачёркнутый — отмечен для удаления; зелёный — дата или время с ошибкой</source>
        <translation>Row colours: grey, the validity has ended; orange, it ends within 7 days; pink and struck through, marked for deletion; green, a wrong date or time</translation>
    </message>
    <message>
        <source>Отмечен для удаления: сохранение удалит номер из GSM модуля</source>
        <translation>Marked for deletion: the save removes the number from the GSM module</translation>
    </message>
    <message>
        <source>Такой даты или времени нет, или год вне 2000-2099: исправьте перед сохранением</source>
        <translation>No such date or time, or a year outside 2000-2099: correct it before saving</translation>
    </message>
    <message>
        <source>Срок действия истёк</source>
        <translation>The validity has ended</translation>
    </message>
    <message>
        <source>Срок действия истекает в течение 7 дней</source>
        <translation>The validity ends within 7 days</translation>
    </message>
    <message>
        <source>журнал модулей недоступен, устройство не выдано: %1</source>
        <translation>the module record cannot be used, no unit was given: %1</translation>
    </message>
    <message>
        <source>свободных устройств нет: остальные (%1) заняты другими модулями</source>
        <translation>no unit is free: the rest (%1) are held for other modules</translation>
    </message>
    <message>
        <source>журнал модулей: %1</source>
        <translation>module record: %1</translation>
    </message>
    <message>
        <source>устройство %1 не выдаётся снова: модуль мог получить его пароль. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>unit %1 is not given again: the module may have its password. Check the module; if it has the factory password, release the unit: provision --release %1</translation>
    </message>
    <message>
        <source>--record and --no-record exclude each other</source>
        <translation>--record and --no-record exclude each other</translation>
    </message>
    <message>
        <source>--release needs --units FILE or --batch NAME</source>
        <translation>--release needs --units FILE or --batch NAME</translation>
    </message>
    <message>
        <source>--release works on the record: --no-record cannot be used</source>
        <translation>--release works on the record: --no-record cannot be used</translation>
    </message>
    <message>
        <source>Устройство %1 свободно и будет выдано следующему модулю</source>
        <translation>Unit %1 is free and goes to the next module</translation>
    </message>
    <message>
        <source>Журнал модулей нужен, чтобы устройство не досталось двум модулям: %1. Укажите другой (--record) или работайте без него (--no-record: второй запуск с этой таблицей будет отклонён)</source>
        <translation>The module record keeps one unit from going to two modules: %1. Give another one (--record) or work without it (--no-record: a second run with this units table is refused)</translation>
    </message>
    <message>
        <source>устройство %1: пароль мог быть записан в модуль на порту %2 (%3, %4): %5. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>unit %1: its password may have been written to the module on port %2 (%3, %4): %5. Check the module; if it has the factory password, release the unit: provision --release %1</translation>
    </message>
    <message>
        <source>устройство %1: начато на порту %2 (%3) запуском, который прервался. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>unit %1: started on port %2 (%3) by a run that broke off. Check the module; if it has the factory password, release the unit: provision --release %1</translation>
    </message>
    <message>
        <source>устройство «%1» не найдено в журнале</source>
        <translation>unit &quot;%1&quot; is not in the record</translation>
    </message>
    <message>
        <source>освобождено оператором %1@%2</source>
        <translation>released by the operator %1@%2</translation>
    </message>
    <message>
        <source>устройство «%1» не занято (не начато, уже готово или свободно)</source>
        <translation>unit &quot;%1&quot; is not held (not started, done already, or free)</translation>
    </message>
    <message>
        <source>уже настроен: устройство %1</source>
        <translation>set up already: unit %1</translation>
    </message>
    <message>
        <source>повторная настройка: устройство %1</source>
        <translation>programming again: unit %1</translation>
    </message>
    <message>
        <source>Итог: настроено %1, не настроено %2</source>
        <translation>In all: %1 programmed, %2 failed</translation>
    </message>
    <message>
        <source>, устройств осталось %1</source>
        <translation>, %1 unit(s) left</translation>
    </message>
    <message>
        <source>. Модуль, который не настроен, сохранил свой пароль: подключите его снова</source>
        <translation>. A module that failed kept its password: plug it in again</translation>
    </message>
    <message>
        <source>Шаблон: строк настроек %1, список номеров: %2</source>
        <translation>Template: %1 settings rows, number list: %2</translation>
    </message>
    <message>
        <source>нет (номера модулей не меняются)</source>
        <translation>none (the modules&apos; numbers are not changed)</translation>
    </message>
    <message>
        <source>Без таблицы устройств: каждый модуль получает шаблон</source>
        <translation>No units table: every module gets the template</translation>
    </message>
    <message>
        <source>шаблон без изменений</source>
        <translation>the template unchanged</translation>
    </message>
    <message>
        <source>Проверено: устройств %1, ничего не записано</source>
        <translation>Checked: %1 unit(s), nothing written</translation>
    </message>
    <message>
        <source>--label-pin needs --labels PATH</source>
        <translation>--label-pin needs --labels PATH</translation>
    </message>
    <message>
        <source>Этикетки: папка %1 недоступна для записи</source>
        <translation>Labels: the folder %1 cannot be written</translation>
    </message>
    <message>
        <source>SIM: %1</source>
        <translation>SIM: %1</translation>
    </message>
    <message>
        <source>Пароль: %1</source>
        <translation>Password: %1</translation>
    </message>
    <message>
        <source>Этикетки: не удалось записать %1: %2</source>
        <translation>Labels: could not write %1: %2</translation>
    </message>
    <message>
        <source>Этикетки: не удалось записать %1</source>
        <translation>Labels: could not write %1</translation>
    </message>
    <message>
        <source>Эта сборка программы не печатает этикетки</source>
        <translation>This build of the program prints no labels (no libqrencode)</translation>
    </message>
    <message>
        <source>--country %1: give a calling code (+7) or a two-letter country (RU)</source>
        <translation>--country %1: give a calling code (+7) or a two-letter country (RU)</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli %1&apos; takes %2</source>
        <translation>&apos;portiqa-cli %1&apos; takes %2</translation>
    </message>
    <message>
        <source>a site&apos;s name</source>
        <translation>a site&apos;s name</translation>
    </message>
    <message>
        <source>a site&apos;s name and a module</source>
        <translation>a site&apos;s name and a module</translation>
    </message>
    <message>
        <source>site import needs -i FILE (.xlsx, .xls, .cvs or .csv)</source>
        <translation>site import needs -i FILE (.xlsx, .xls, .cvs or .csv)</translation>
    </message>
    <message>
        <source>site export needs -o FILE (.xlsx, .cvs or .csv)</source>
        <translation>site export needs -o FILE (.xlsx, .cvs or .csv)</translation>
    </message>
    <message>
        <source>the save takes or shortens access of %1 subscriber(s) (removed: %2): confirm with --yes (see them with --dry-run)</source>
        <translation>the save takes or shortens access of %1 subscriber(s) (removed: %2): confirm with --yes (see them with --dry-run)</translation>
    </message>
    <message>
        <source>one subscriber is written in two ways (the module sees two numbers): confirm with --yes or correct the file</source>
        <translation>one subscriber is written in two ways (the module sees two numbers): confirm with --yes or correct the file</translation>
    </message>
    <message>
        <source>актуален</source>
        <translation>current</translation>
    </message>
    <message>
        <source>список модуля не читался</source>
        <translation>the module&apos;s list was never read</translation>
    </message>
    <message>
        <source>отстаёт</source>
        <translation>behind</translation>
    </message>
    <message>
        <source>Объект «%1»: номеров в списке %2</source>
        <translation>Site &quot;%1&quot;: %2 numbers in its list</translation>
    </message>
    <message>
        <source>Объект «%1», редакция %2, изменён %3 (%4)</source>
        <translation>Site &quot;%1&quot;, revision %2, changed %3 (%4)</translation>
    </message>
    <message>
        <source>только для модуля %1: %2</source>
        <translation>for module %1 only: %2</translation>
    </message>
    <message>
        <source>Модуль %1: %2</source>
        <translation>Module %1: %2</translation>
    </message>
    <message>
        <source>; без номеров: %1</source>
        <translation>; leaving out: %1</translation>
    </message>
    <message>
        <source>объект «%1», редакция %2</source>
        <translation>site &quot;%1&quot;, revision %2</translation>
    </message>
    <message>
        <source>Модуль %1, объект «%2» (редакция %3): %4</source>
        <translation>Module %1, site &quot;%2&quot; (revision %3): %4</translation>
    </message>
    <message>
        <source>номеров: %1, модулей: %2, редакция %3, %4</source>
        <translation>numbers: %1, modules: %2, revision %3, %4</translation>
    </message>
    <message>
        <source>добавлен (%1)</source>
        <translation>added (%1)</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>срок сокращён: %1 → %2</source>
        <translation>window shortened: %1 → %2</translation>
    </message>
    <message>
        <source>срок продлён: %1 → %2</source>
        <translation>window lengthened: %1 → %2</translation>
    </message>
    <message>
        <source>без ограничений (был %1)</source>
        <translation>unrestricted (was %1)</translation>
    </message>
    <message>
        <source>срок уже истёк: %1</source>
        <translation>window already ended: %1</translation>
    </message>
    <message>
        <source>  … и ещё %1</source>
        <translation>  … and %1 more</translation>
    </message>
    <message>
        <source>Потеряют доступ: %1</source>
        <translation>Lose access: %1</translation>
    </message>
    <message>
        <source>Получат, расширят доступ или добавлены с истёкшим сроком: %1</source>
        <translation>Gain or extend access, or added with an ended window: %1</translation>
    </message>
    <message>
        <source>Внимание! После сохранения доступ потеряют или сократят: %1</source>
        <translation>Warning! After the save, access is lost or shortened for: %1</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Место</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Один абонент записан по-разному: GSM модуль сравнивает номера как записаны и считает их разными</source>
        <translation>One subscriber is written in different ways: the GSM module compares numbers as written and sees them as different</translation>
    </message>
    <message>
        <source>%1 (запись %2)</source>
        <translation>%1 (record %2)</translation>
    </message>
    <message>
        <source>один абонент %1: %2</source>
        <translation>one subscriber %1: %2</translation>
    </message>
    <message>
        <source>список объекта для модуля %1: %2 номеров, GSM модуль хранит не более %3</source>
        <translation>the site&apos;s list for module %1: %2 numbers, the GSM module holds at most %3</translation>
    </message>
    <message>
        <source>модуль %1 не входит в объект «%2» (добавьте его: portiqa-cli site add %2 МОДУЛЬ)</source>
        <translation>module %1 is not one of site &quot;%2&quot; (add it: portiqa-cli site add %2 MODULE)</translation>
    </message>
    <message>
        <source>объект «%1» не найден в журнале (создайте его: portiqa-cli site import %1 -i ФАЙЛ)</source>
        <translation>site &quot;%1&quot; is not in the record (create it: portiqa-cli site import %1 -i FILE)</translation>
    </message>
    <message>
        <source>Поиск номера или имени (Ctrl+F)</source>
        <translation>Find a number or a name (Ctrl+F)</translation>
    </message>
    <message>
        <source>Найти номер, имя, место или примечание в таблице; клавиша ввода — следующий найденный</source>
        <translation>Find a number, name, place or note in the table; Enter goes to the next match</translation>
    </message>
    <message>
        <source>«%1» не найдено</source>
        <translation>&quot;%1&quot; not found</translation>
    </message>
    <message>
        <source>загрузить список объекта</source>
        <translation>load the site&apos;s list</translation>
    </message>
    <message>
        <source>Модуль не входит ни в один объект (portiqa-cli site add ОБЪЕКТ МОДУЛЬ)</source>
        <translation>The module belongs to no site (portiqa-cli site add SITE MODULE)</translation>
    </message>
    <message>
        <source>Войдите в модуль: список объекта берётся из журнала модулей</source>
        <translation>Log in to the module: the site&apos;s list comes from the module record</translation>
    </message>
    <message>
        <source>Список объекта «%1» (редакция %2) загружен в таблицу: %3.<byte value="xd"/>Запишите его в модуль кнопкой «Сохранить»: она покажет, кто получит и кто потеряет доступ.</source>
        <translation>The list of site &quot;%1&quot; (revision %2) is in the table: %3.<byte value="xd"/>Write it into the module with &quot;Save&quot;: it shows who gains and who loses access.</translation>
    </message>
    <message>
        <source>модуль уже его держит</source>
        <translation>the module already holds it</translation>
    </message>
    <message>
        <source>модуль отстаёт</source>
        <translation>the module is behind</translation>
    </message>
    <message>
        <source>Список
объекта</source>
        <translation>Site
list</translation>
    </message>
    <message>
        <source>Загрузить в таблицу общий список объекта, в который входит модуль; в модуль его записывает «Сохранить»</source>
        <translation>Load the shared list of the module&apos;s site into the table; &quot;Save&quot; writes it into the module</translation>
    </message>
    <message>
        <source>объект «%1»: %2</source>
        <translation>site &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>журнал модулей не открыт</source>
        <translation>the module record is not open</translation>
    </message>
    <message>
        <source>модуль сменился: отметка о применении списка объекта не сделана</source>
        <translation>the module changed: the site&apos;s list is not marked as applied</translation>
    </message>
    <message>
        <source>--unused takes a number of months (1-120)</source>
        <translation>--unused takes a number of months (1-120)</translation>
    </message>
    <message>
        <source>give either --unused or --expired/--expiring</source>
        <translation>give either --unused or --expired/--expiring</translation>
    </message>
    <message>
        <source>--unused needs the module record: %1</source>
        <translation>--unused needs the module record: %1</translation>
    </message>
    <message>
        <source>Журнал событий в записи начинается %1: неиспользование до этой даты не проверено</source>
        <translation>The kept event log starts %1: use before that date is not checked</translation>
    </message>
    <message>
        <source>нет в журнале событий с %1</source>
        <translation>not in the event log since %1</translation>
    </message>
    <message>
        <source>последнее событие %1 (%2)</source>
        <translation>last event %1 (%2)</translation>
    </message>
    <message>
        <source>Журнал событий этого модуля не сохранён: скачайте историю событий (portiqa-cli history download)</source>
        <translation>No event log of this module is kept: download its history (portiqa-cli history download)</translation>
    </message>
    <message>
        <source>Записать новые номера в обычной форме (%1 → %2, всего %3)</source>
        <translation>Write the new numbers in their usual form (%1 → %2, %3 in all)</translation>
    </message>
    <message>
        <source>В таблице нет записей со сроком действия</source>
        <translation>The table holds no record with a validity window</translation>
    </message>
    <message>
        <source>Срок действия всех записей со сроком: %1.</source>
        <translation>The windows of all records that have one: %1.</translation>
    </message>
    <message>
        <source>Срок действия выбранных записей: %1.</source>
        <translation>The windows of the chosen records: %1.</translation>
    </message>
    <message>
        <source><byte value="xd"/>На сколько дней продлить (например 30; -7 сокращает) или до какой даты (ГГГГ-ММ-ДД)?</source>
        <translation><byte value="xd"/>Extend by how many days (30, say; -7 shortens), or to which date (YYYY-MM-DD)?</translation>
    </message>
    <message>
        <source>«%1»: нужно число дней (-3650…3650) или дата ГГГГ-ММ-ДД в 2000-2099 годах</source>
        <translation>&quot;%1&quot;: a number of days (-3650…3650) or a date YYYY-MM-DD in 2000-2099 is needed</translation>
    </message>
    <message>
        <source>Изменён срок записей: %1; «Сохранить» запишет их в модуль</source>
        <translation>Windows changed: %1; &quot;Save&quot; writes them into the module</translation>
    </message>
    <message>
        <source>Продлить
срок…</source>
        <translation>Extend
windows…</translation>
    </message>
    <message>
        <source>Продлить или сократить срок действия выбранных записей (щелчки с Ctrl), а если выбрана одна — всех записей со сроком</source>
        <translation>Extend or shorten the windows of the chosen records (clicks with Ctrl or Shift), or of every record with a window when one is chosen</translation>
    </message>
    <message>
        <source>Страна номеров…</source>
        <translation>Numbers&apos; country…</translation>
    </message>
    <message>
        <source>Страна номеров: %1</source>
        <translation>Numbers&apos; country: %1</translation>
    </message>
    <message>
        <source>Страна, где стоят модули: код (+7) или двухбуквенное латинское обозначение; пусто — регион системы.<byte value="xd"/>Тогда 8916…, 7916… и +7916… — один абонент. Сейчас: %1</source>
        <translation>The country the modules are in: its code (+7) or its two letters (RU); empty: the system&apos;s region.<byte value="xd"/>Then 8916…, 7916… and +7916… are one subscriber. Now: %1</translation>
    </message>
    <message>
        <source>«%1»: страна не понята (нужен код, например +7)</source>
        <translation>&quot;%1&quot;: no such country (give a code such as +7)</translation>
    </message>
    <message>
        <source>pipe: %1</source>
        <translation>pipe: %1</translation>
    </message>
    <message>
        <source>столбец %1: заголовок «%2» не известен</source>
        <translation>column %1: caption “%2” is not known</translation>
    </message>
    <message>
        <source>столбец %1: заголовок «%2» уже есть в столбце %3</source>
        <translation>column %1: caption “%2” is already in column %3</translation>
    </message>
    <message>
        <source>нет столбца «Номер абонента»</source>
        <translation>no “Number” column</translation>
    </message>
    <message>
        <source>Файл не импортирован: его заголовки не подходят к списку номеров</source>
        <translation>File not imported: its captions do not fit a number list</translation>
    </message>
    <message>
        <source>строка %1: серийный номер «%2» — нужен номер 1-3000</source>
        <translation>line %1: serial number “%2”: a number 1-3000 is needed</translation>
    </message>
    <message>
        <source>строка %1: записей больше 3000</source>
        <translation>line %1: more than 3000 records</translation>
    </message>
    <message>
        <source>строка %1: серийный номер %2 уже есть в строке %3</source>
        <translation>line %1: serial number %2 is already on line %3</translation>
    </message>
    <message>
        <source>строка %1: в столбце %2 данные без заголовка</source>
        <translation>line %1: data in column %2 has no caption</translation>
    </message>
    <message>
        <source>в первой строке нет заголовка «Номер абонента»</source>
        <translation>the first row has no “Number” caption</translation>
    </message>
    <message>
        <source>не удалось закрыть доступ к файлу %1 для других пользователей</source>
        <translation>could not shut other users out of the file %1</translation>
    </message>
    <message>
        <source>Номер SIM: будет записан номер из резервной копии<byte value="xd"/></source>
        <translation>SIM number: the backup&apos;s will be written<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номер SIM: остаётся номер этого модуля<byte value="xd"/></source>
        <translation>SIM number: this module keeps its own<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль и номер SIM модуля оставлены его собственными (строки %1; --with-password, --with-sim записывают значения профиля)</source>
        <translation>The module keeps its own password and SIM number (rows %1; --with-password, --with-sim write the profile&apos;s)</translation>
    </message>
    <message>
        <source>Пароль и номер SIM модуля остаются его собственными; таблица предлагает:<byte value="xd"/></source>
        <translation>The module&apos;s password and SIM number stay its own; the table offers:<byte value="xd"/></translation>
    </message>
    <message>
        <source>Заменить пароль и номер SIM модуля значениями из таблицы</source>
        <translation>Replace the module&apos;s password and SIM number with the table&apos;s</translation>
    </message>
    <message>
        <source>Open on tab N (0 settings, 1 numbers, 2 history; with --screenshot, 3 the module journal).</source>
        <translation>Open on tab N (0 settings, 1 numbers, 2 history; with --screenshot, 3 the module journal).</translation>
    </message>
    <message>
        <source>в дату вводятся только цифры и «-», «.», «/»</source>
        <translation>a date takes only digits and “-”, “.”, “/”</translation>
    </message>
    <message>
        <source>«%1» — не дата: введите, например, 2026-12-31, 31.12.2026 или 20261231 (годы %2-%3)</source>
        <translation>“%1” is no date: type, for example, 2026-12-31, 31.12.2026 or 20261231 (years %2-%3)</translation>
    </message>
    <message>
        <source>запись не сохранилась в журнале</source>
        <translation>the entry was not kept in the record</translation>
    </message>
    <message>
        <source>записи %1 нет в журнале</source>
        <translation>the record has no entry %1</translation>
    </message>
    <message>
        <source>GSM модуль записан, но журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</source>
        <translation>The GSM module was written, but the module record did not keep the outcome of entry %1 (%2): the record shows it as unfinished</translation>
    </message>
    <message>
        <source>Журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</source>
        <translation>The module record did not keep the outcome of entry %1 (%2): the record shows it as unfinished</translation>
    </message>
    <message>
        <source>адрес журнала %1 не понят: укажите путь к файлу, sqlite:///путь или postgresql://пользователь@сервер/база</source>
        <translation>record address %1 not understood: give a file&apos;s path, sqlite:///path or postgresql://user@server/database</translation>
    </message>
    <message>
        <source>у объекта нет имени</source>
        <translation>the site has no name</translation>
    </message>
    <message>
        <source>устройство %1 сейчас программирует работающий запуск (порт %2, %3, процесс %4, с %5): освобождённое, оно досталось бы второму модулю. Дождитесь конца или, если тот запуск точно остановлен, добавьте --force</source>
        <translation>unit %1 is being programmed by a running station (port %2, %3, process %4, since %5): released, it would go to a second module. Wait for it to end or, if that run has surely stopped, add --force</translation>
    </message>
    <message>
        <source>шаблон оставляет модулям заводской пароль %1: такой модуль нельзя отличить от нового. Задайте пароль в шаблоне или каждому устройству (столбец 1)</source>
        <translation>the template leaves the modules the factory password %1: such a module cannot be told from a new one. Set a password in the template or for each unit (column 1)</translation>
    </message>
    <message>
        <source>устройство «%1»: нет своего пароля (столбец 1 пуст или его нет)</source>
        <translation>unit “%1”: no password of its own (column 1 is empty or missing)</translation>
    </message>
    <message>
        <source>устройство «%1»: пароль %2 — заводской</source>
        <translation>unit “%1”: password %2 is the factory&apos;s</translation>
    </message>
    <message>
        <source> и ещё %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>У каждого устройства должен быть свой пароль, не заводской: </source>
        <translation>Every unit needs a password of its own, not the factory&apos;s: </translation>
    </message>
    <message>
        <source>проверьте модуль: с заводским паролем освободите устройство (provision --release %1), с паролем устройства он настроен</source>
        <translation>check the module: on the factory password, release the unit (provision --release %1); on the unit&apos;s password it is set up</translation>
    </message>
    <message>
        <source>модуль настроен раньше другим паролем: проверьте его или сбросьте к заводским настройкам</source>
        <translation>the module was set up before with another password: check it or reset it to the factory settings</translation>
    </message>
    <message>
        <source>журнал модулей не сохранил запись: проверьте журнал и подключите модуль снова</source>
        <translation>the module record did not keep the write: check the record and plug the module in again</translation>
    </message>
    <message>
        <source>исправьте шаблон или таблицу устройств и подключите модуль снова</source>
        <translation>correct the template or the units table and plug the module in again</translation>
    </message>
    <message>
        <source>проверьте питание и кабель и подключите модуль снова: он будет настроен заново</source>
        <translation>check the power and the cable and plug the module in again: it will be set up anew</translation>
    </message>
    <message>
        <source>готово %1 · ошибок %2 · в работе %3</source>
        <translation>done %1 · failed %2 · in progress %3</translation>
    </message>
    <message>
        <source> · устройств осталось %1</source>
        <translation> · units left %1</translation>
    </message>
    <message>
        <source>загрузить настройки модуля в таблицу</source>
        <translation>loading the module&apos;s settings into the table</translation>
    </message>
    <message>
        <source>Изменения в таблице %1 не сохранены в GSM модуль и пропадут. Загрузить снимок @%2 вместо них?</source>
        <translation>The changes in the %1 table are not saved to the GSM module and will be lost. Load snapshot @%2 instead of them?</translation>
    </message>
    <message>
        <source>Модуль %1: показаны последние %2 снимков и %2 записей, есть и более ранние; все: --all</source>
        <translation>Module %1: the newest %2 snapshots and %2 writes are shown, there are older ones; all of them: --all</translation>
    </message>
    <message>
        <source>%1: в журнале нет и настроек, и номеров модуля на этот снимок; восстановить можно снимок, где есть оба (например МОДУЛЬ@ДАТА)</source>
        <translation>%1: the record has not both the module&apos;s settings and its numbers for this copy; a copy with both can be restored (MODULE@DATE, say)</translation>
    </message>
    <message>
        <source>журнал %1 — ссылка на файл, которого нет</source>
        <translation>record %1 is a link to a file that does not exist</translation>
    </message>
    <message>
        <source>журнал %1 — ссылка на файл другого пользователя</source>
        <translation>record %1 is a link to another user&apos;s file</translation>
    </message>
    <message>
        <source>журнал %1 принадлежит другому пользователю</source>
        <translation>record %1 belongs to another user</translation>
    </message>
    <message>
        <source>не удалось закрыть журнал %1 от других пользователей: %2</source>
        <translation>could not close record %1 to other users: %2</translation>
    </message>
    <message>
        <source>Журнал %1 был доступен другим пользователям: теперь только вам (0600)</source>
        <translation>Record %1 was open to other users: now to you alone (0600)</translation>
    </message>
    <message>
        <source>--revision takes the revision a site&apos;s list was exported at (0 or more)</source>
        <translation>--revision takes the revision a site&apos;s list was exported at (0 or more)</translation>
    </message>
    <message>
        <source>Заменён список редакции %1 (%2, %3)</source>
        <translation>Replaced the list of revision %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Объект «%1», редакция %2: импорт обратно с --revision %2 откажет, если список изменят раньше</source>
        <translation>Site “%1”, revision %2: an import back with --revision %2 is refused if the list is changed before</translation>
    </message>
    <message>
        <source>список объекта «%1» изменён после редакции %2: сейчас редакция %3 (%4, %5). Возьмите его заново (portiqa-cli site export) и внесите свои изменения в него</source>
        <translation>the list of site “%1” changed after revision %2: it is now revision %3 (%4, %5). Take it again (portiqa-cli site export) and make your changes in it</translation>
    </message>
    <message>
        <source>A read-only visit (also PORTIQA_READ_ONLY=1): read and compare, never write to the module.</source>
        <translation>A read-only visit (also PORTIQA_READ_ONLY=1): read and compare, never write to the module.</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль выключена (запуск с --read-only)</source>
        <translation>Read only: writing to the GSM module is off (started with --read-only)</translation>
    </message>
    <message>
        <source> — только чтение</source>
        <translation> — read only</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль не выполняется, ничего не записано</source>
        <translation>Read only: nothing is written to the GSM module, nothing was written</translation>
    </message>
    <message>
        <source>--only takes settings or numbers</source>
        <translation>--only takes settings or numbers</translation>
    </message>
    <message>
        <source>модуль %1 не входит в этот объект</source>
        <translation>module %1 is not one of this site&apos;s</translation>
    </message>
    <message>
        <source>Журнал модулей</source>
        <translation>Module record</translation>
    </message>
    <message>
        <source>Модуль</source>
        <translation>Module</translation>
    </message>
    <message>
        <source>Модуль, чьи снимки и записи показаны</source>
        <translation>The module whose snapshots and writes are shown</translation>
    </message>
    <message>
        <source>Имя модуля</source>
        <translation>Module name</translation>
    </message>
    <message>
        <source>Сохранить имя модуля в журнале</source>
        <translation>Keep the module&apos;s name in the record</translation>
    </message>
    <message>
        <source>Снимки и записи</source>
        <translation>Snapshots and writes</translation>
    </message>
    <message>
        <source>Новые первыми; выберите один снимок или два для сравнения</source>
        <translation>Newest first; select one snapshot, or two to compare</translation>
    </message>
    <message>
        <source>Различия двух выбранных снимков</source>
        <translation>What differs between the two selected snapshots</translation>
    </message>
    <message>
        <source>Различия выбранного снимка и таблиц окна</source>
        <translation>What differs between the selected snapshot and the window&apos;s tables</translation>
    </message>
    <message>
        <source>Различия</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>Что различается, по строкам настроек и записям номеров</source>
        <translation>What differs, by settings row and number record</translation>
    </message>
    <message>
        <source>Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv
         [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]
         [--batch NAME] [--record WHERE | --no-record] [--reflash] [--dry-run]
         [--labels FILE.pdf|FOLDER [--label-pin]]
       portiqa-cli provision --units UNITS.csv | --batch NAME --release UNIT
Program every module plugged in, several at once: log in with the factory password, write the
template&apos;s numbers, then its settings with the next unit&apos;s rows, then the unit&apos;s password, each
read back and verified, and write a line of the report.

  --template FILE    a backup (.pbk: settings and numbers) or a settings profile (.xlsx, .xls)
  --numbers FILE     the number list for a profile template (.xlsx, .xls, .csv, .cvs)
  --units UNITS.csv  a header row: &quot;unit&quot;, then settings rows 1-%1; a row per unit; an empty
                     cell keeps the template&apos;s value
  --report FILE      CSV: time, port, serial, unit, result (ok/failed), reason, pages, seconds,
                     code; units reported ok are skipped when the run starts again
  --watch GLOB       ports to watch (default /dev/ttyUSB* and /dev/ttyACM*, COM* on Windows)
  --count N          end after N modules are programmed
  --force            let the template remove numbers a module holds; with --release, release a
                     unit a running station holds
  --json             one JSON object per event on standard output
  --batch NAME       the units table&apos;s name in the record (default: told by the table&apos;s content,
                     so a copy of the file is the same batch)
  --record WHERE     the record that keeps which module holds which unit; --no-record keeps the
                     units in a record of the batch&apos;s own and journals no write
  --reflash          program a module that holds a unit&apos;s password again with that unit
  --dry-run          check the template and the units and print what each unit gets
  --release UNIT     give back a unit held for a module that was checked
  --labels PATH      a printable label for every module programmed (unit, SIM number, date, a
                     QR code): all in FILE.pdf, or one UNIT.pdf each in a folder; --label-pin
                     puts the unit&apos;s password on it too

A module that failed kept the password it had: plug it in again and it is programmed
completely. A unit &quot;in doubt&quot; (the module failed while its password was written) is given to
no other module: if the module answers to the factory password, release the unit.
Exit: 0 every module ok, 1 one failed, 2 usage, 6 a file failed its checks.
</source>
        <translation>Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv
         [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]
         [--batch NAME] [--record WHERE | --no-record] [--reflash] [--dry-run]
         [--labels FILE.pdf|FOLDER [--label-pin]]
       portiqa-cli provision --units UNITS.csv | --batch NAME --release UNIT
Program every module plugged in, several at once: log in with the factory password, write the
template&apos;s numbers, then its settings with the next unit&apos;s rows, then the unit&apos;s password, each
read back and verified, and write a line of the report.

  --template FILE    a backup (.pbk: settings and numbers) or a settings profile (.xlsx, .xls)
  --numbers FILE     the number list for a profile template (.xlsx, .xls, .csv, .cvs)
  --units UNITS.csv  a header row: &quot;unit&quot;, then settings rows 1-%1; a row per unit; an empty
                     cell keeps the template&apos;s value
  --report FILE      CSV: time, port, serial, unit, result (ok/failed), reason, pages, seconds,
                     code; units reported ok are skipped when the run starts again
  --watch GLOB       ports to watch (default /dev/ttyUSB* and /dev/ttyACM*, COM* on Windows)
  --count N          end after N modules are programmed
  --force            let the template remove numbers a module holds; with --release, release a
                     unit a running station holds
  --json             one JSON object per event on standard output
  --batch NAME       the units table&apos;s name in the record (default: told by the table&apos;s content,
                     so a copy of the file is the same batch)
  --record WHERE     the record that keeps which module holds which unit; --no-record keeps the
                     units in a record of the batch&apos;s own and journals no write
  --reflash          program a module that holds a unit&apos;s password again with that unit
  --dry-run          check the template and the units and print what each unit gets
  --release UNIT     give back a unit held for a module that was checked
  --labels PATH      a printable label for every module programmed (unit, SIM number, date, a
                     QR code): all in FILE.pdf, or one UNIT.pdf each in a folder; --label-pin
                     puts the unit&apos;s password on it too

A module that failed kept the password it had: plug it in again and it is programmed
completely. A unit &quot;in doubt&quot; (the module failed while its password was written) is given to
no other module: if the module answers to the factory password, release the unit.
Exit: 0 every module ok, 1 one failed, 2 usage, 6 a file failed its checks.
</translation>
    </message>
    <message>
        <source>папки %1 нет</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>файл блокировки не создаётся</source>
        <translation>the lock file cannot be created</translation>
    </message>
    <message>
        <source>the port is held by another program, for example ModemManager or brltty</source>
        <translation>the port is held by another program, for example ModemManager or brltty</translation>
    </message>
    <message>
        <source>the port is held by another program</source>
        <translation>the port is held by another program</translation>
    </message>
    <message>
        <source>the user may need to be in the dialout group</source>
        <translation>the user may need to be in the dialout group</translation>
    </message>
    <message>
        <source>no such port: is the module plugged in?</source>
        <translation>no such port: is the module plugged in?</translation>
    </message>
    <message>
        <source>Не удалось занять отчёт %1 (файл %2.lock): %3</source>
        <translation>Could not take the report %1 (file %2.lock): %3</translation>
    </message>
    <message>
        <source>Не удалось вести учёт устройств таблицы %1 (в %2): %3</source>
        <translation>Could not keep the units of the table %1 (in %2): %3</translation>
    </message>
    <message>
        <source>Устройства %1 (эту таблицу или её копию) уже выдаёт другой запуск (процесс %2 на %3). Без журнала модулей два запуска выдали бы одни и те же устройства; с общим журналом (--record) они делят их</source>
        <translation>The units of %1 (this table or a copy of it) are being given out by another run already (process %2 on %3). Without the module record two runs would give out the same units; with a shared record (--record) they share them</translation>
    </message>
    <message>
        <source>Не удалось занять таблицу устройств %1 (файл %2): %3</source>
        <translation>Could not take the units table %1 (file %2): %3</translation>
    </message>
    <message>
        <source>В журнале модулей устройства %1 уже выданы из другой таблицы (партия %2, устройств с теми же именами: %3). Две таблицы с одними именами дали бы одну наклейку двум модулям. Если это исправленная таблица той же партии, продолжите её: --batch %2; иначе дайте устройствам свои имена</source>
        <translation>In the module record the units %1 were given out from another table already (batch %2, units of the same names: %3). Two tables with the same names would put one label on two modules. If this is the corrected table of that batch, continue it: --batch %2; otherwise give the units names of their own</translation>
    </message>
    <message>
        <source>Журнал модулей: незавершённые записи не проверены по модулю: %1</source>
        <translation>Module record: unfinished writes were not checked against the module: %1</translation>
    </message>
    <message>
        <source>Завершена по модулю: снимок @%1 (%2) показывает все %3 записываемых страниц</source>
        <translation>Completed from the module: snapshot @%1 (%2) shows all %3 pages being written</translation>
    </message>
    <message>
        <source>Завершена по модулю: в снимке @%1 (%2) совпадают %3 из %4 записываемых страниц: запись не закончена, повторите её</source>
        <translation>Completed from the module: in snapshot @%1 (%2) %3 of the %4 pages being written match: the write did not end, repeat it</translation>
    </message>
    <message>
        <source>Справка: portiqa-cli --help</source>
        <translation>Help: portiqa-cli --help</translation>
    </message>
    <message>
        <source>Внимание! Сохранение удалит из GSM модуля номеров: %1 (записи %2%3)</source>
        <translation>Warning! The save removes numbers from the GSM module: %1 (records %2%3)</translation>
    </message>
    <message>
        <source>Записи: </source>
        <translation>Records: </translation>
    </message>
    <message>
        <source>Неправильная операция: отметьте «Без ограничений» или установите дату и время начала и окончания. Всего:</source>
        <translation>Wrong entry: tick &quot;Unrestricted&quot; or set the start and end dates and times. Total:</translation>
    </message>
    <message>
        <source>Только чтение: ничего не записывать в модуль</source>
        <translation>Read only: write nothing to the module</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль выключена (выбрано в меню «Язык»)</source>
        <translation>Read only: writing to the GSM module is off (chosen in the &quot;Language&quot; menu)</translation>
    </message>
    <message>
        <source>Что восстановить из копии %1?</source>
        <translation>What to restore from the backup %1?</translation>
    </message>
    <message>
        <source>Ничего не выбрано: восстановление не начато</source>
        <translation>Nothing chosen: the restore was not started</translation>
    </message>
    <message>
        <source>Записи %1–%2 из %3</source>
        <translation>Records %1–%2 of %3</translation>
    </message>
    <message>
        <source>отобраны фильтром из %1</source>
        <translation>filtered from %1</translation>
    </message>
    <message>
        <source>CSV file (UTF-8)</source>
        <translation>CSV file (UTF-8)</translation>
    </message>
    <message>
        <source>CVS file (Windows-1251)</source>
        <translation>CVS file (Windows-1251)</translation>
    </message>
    <message>
        <source>Закрыть сообщение</source>
        <translation>Close the message</translation>
    </message>
    <message>
        <source>Согласиться: сделать то, о чём спрашивает окно</source>
        <translation>Agree: do what the window asks</translation>
    </message>
    <message>
        <source>Отказаться: ничего не меняется</source>
        <translation>Decline: nothing changes</translation>
    </message>
    <message>
        <source>Отбросить изменения, не сохраняя их</source>
        <translation>Drop the changes without saving them</translation>
    </message>
    <message>
        <source>Текст сообщения</source>
        <translation>The message&apos;s text</translation>
    </message>
    <message>
        <source>Введите ответ и нажмите Enter</source>
        <translation>Type the answer and press Enter</translation>
    </message>
    <message>
        <source>Номер SIM не задан ни там, ни здесь, поэтому не проверить, тот ли это модуль.</source>
        <translation>Neither has a SIM number set, so whether it is the same module cannot be checked.</translation>
    </message>
    <message>
        <source>Журнал модулей ответил слишком поздно: запись в GSM модуль не начиналась</source>
        <translation>The module record answered too late: nothing was written into the GSM module</translation>
    </message>
    <message>
        <source>журнал %1 не отвечает (ответа нет дольше %2 мс); переданное ему сохранится, если он ответит, пока программа открыта</source>
        <translation>the record %1 does not answer (no answer for more than %2 ms); what was passed to it is kept if it answers while the program is open</translation>
    </message>
    <message>
        <source>журнал %1 не отвечает, и очередь к нему полна: это не сохранено</source>
        <translation>the record %1 does not answer and its queue is full: this was not kept</translation>
    </message>
    <message>
        <source>В снимке @%1 нет ни настроек, ни списка номеров</source>
        <translation>Snapshot @%1 holds neither settings nor a number list</translation>
    </message>
    <message>
        <source>Изменятся служебные значения настроек (в окне не показываются)<byte value="xd"/></source>
        <translation>The settings&apos; internal values change (not shown in the window)<byte value="xd"/></translation>
    </message>
    <message>
        <source>такой строки нет</source>
        <translation>no such row</translation>
    </message>
    <message>
        <source>имя «%1…» длиннее %2 знаков (в нём %3): дайте имя короче</source>
        <translation>the name “%1…” is longer than %2 characters (it has %3): give a shorter name</translation>
    </message>
    <message>
        <source>settings save needs a profile (-i FILE) or values (--set N=VALUE)</source>
        <translation>settings save needs a profile (-i FILE) or values (--set N=VALUE)</translation>
    </message>
    <message>
        <source>--with-password and --with-sim write a profile&apos;s values: give the profile (-i FILE), or the value itself (--set 1=PIN, --set 2=NUMBER)</source>
        <translation>--with-password and --with-sim write a profile&apos;s values: give the profile (-i FILE), or the value itself (--set 1=PIN, --set 2=NUMBER)</translation>
    </message>
    <message>
        <source>record restore-last-good кладёт последнюю исправную копию журнала на место файла %1; записанное после копии останется только в отложенном файле. Подтвердите: --yes</source>
        <translation>record restore-last-good puts the record’s last good copy in place of the file %1; what was kept after the copy stays only in the file set aside. Confirm with --yes</translation>
    </message>
    <message>
        <source>журнал %1 повреждён: в него ничего не пишется. Последняя исправная копия: %2 (от %3). Вернуть её: portiqa-cli record restore-last-good%4 (повреждённый файл сохранится рядом; записанное после копии в журнале пропадёт)</source>
        <translation>the record %1 is damaged: nothing is written into it. Its last good copy: %2 (of %3). To put it back: portiqa-cli record restore-last-good%4 (the damaged file is kept beside it; what was kept after the copy is lost from the record)</translation>
    </message>
    <message>
        <source>журнал %1 повреждён: в него ничего не пишется, и исправной копии для portiqa-cli record restore-last-good у него нет. Сохраните файл и начните новый журнал (--record)</source>
        <translation>the record %1 is damaged: nothing is written into it, and it has no good copy for portiqa-cli record restore-last-good. Keep the file and start a new record (--record)</translation>
    </message>
    <message>
        <source>журнал на сервере PostgreSQL восстанавливается средствами сервера</source>
        <translation>a record on a PostgreSQL server is restored with the server’s own tools</translation>
    </message>
    <message>
        <source>у журнала %1 нет исправной копии (%2)</source>
        <translation>the record %1 has no good copy (%2)</translation>
    </message>
    <message>
        <source>не удалось отложить %1 (закройте программы, которые его открыли)</source>
        <translation>%1 could not be set aside (close the programs that have it open)</translation>
    </message>
    <message>
        <source>копия %1 не записана на место журнала: %2</source>
        <translation>the copy %1 was not written in place of the record: %2</translation>
    </message>
    <message>
        <source>копия %1 не встала на место журнала %2</source>
        <translation>the copy %1 did not take the place of the record %2</translation>
    </message>
    <message>
        <source>Журнал %1 восстановлен из копии от %2; повреждённый файл сохранён как %3</source>
        <translation>The record %1 is restored from its copy of %2; the damaged file is kept as %3</translation>
    </message>
    <message>
        <source>файл журнала повреждён</source>
        <translation>the record file is damaged</translation>
    </message>
    <message>
        <source>другая программа в это же время записала то же самое; повторите</source>
        <translation>another program wrote the same thing at the same moment; try again</translation>
    </message>
    <message>
        <source>другая программа в это же время меняла те же записи; повторите</source>
        <translation>another program changed the same entries at the same moment; try again</translation>
    </message>
    <message>
        <source>на диске сервера журнала нет места</source>
        <translation>the record server’s disk is full</translation>
    </message>
    <message>
        <source>у пользователя базы нет прав на эту запись</source>
        <translation>the database user has no right to write this</translation>
    </message>
    <message>
        <source>связь с сервером журнала потеряна</source>
        <translation>the connection to the record server was lost</translation>
    </message>
    <message>
        <source>файл журнала открыт только для чтения</source>
        <translation>the record file is open for reading only</translation>
    </message>
    <message>
        <source>файл журнала занят другой программой дольше 10 с</source>
        <translation>another program has held the record file for more than 10 s</translation>
    </message>
    <message>
        <source>файл журнала не читается или не пишется (ошибка ввода-вывода)</source>
        <translation>the record file cannot be read or written (input/output error)</translation>
    </message>
    <message>
        <source>связь с журналом потеряна</source>
        <translation>the connection to the record was lost</translation>
    </message>
    <message>
        <source>журнал не выполнил запрос</source>
        <translation>the record did not carry out the request</translation>
    </message>
    <message>
        <source>Настройки прочитаны заново; ждём ответа на вопрос о сохранении</source>
        <translation>Settings read again; waiting for the answer to the save question</translation>
    </message>
    <message>
        <source>журнал модулей не принял исход устройств: %1; в нём они значатся начатыми. Следующий запуск этой партии назовёт их; проверьте модули и освободите устройства с заводским паролем (provision --release УСТРОЙСТВО)</source>
        <translation>the module record did not take the end of %1 unit(s): it shows them as started. The next run of this batch names them; check the modules and release the units of those with the factory password (provision --release UNIT)</translation>
    </message>
    <message>
        <source>Окно кончается раньше, чем начинается: исправьте дату или время. Всего:</source>
        <translation>The window ends before it starts: correct the date or time. In all:</translation>
    </message>
    <message>
        <source>Сохранить в файл: %1</source>
        <translation>Save to file: %1</translation>
    </message>
    <message>
        <source>Открыть файл: %1</source>
        <translation>Open file: %1</translation>
    </message>
    <message>
        <source>резервная копия модуля</source>
        <translation>module backup</translation>
    </message>
    <message>
        <source>история событий</source>
        <translation>event history</translation>
    </message>
    <message>
        <source>номера пользователей</source>
        <translation>user numbers</translation>
    </message>
    <message>
        <source>базовые настройки</source>
        <translation>basic settings</translation>
    </message>
    <message>
        <source>Номера пользователей прочитаны из GSM модуля</source>
        <translation>User numbers read from the GSM module</translation>
    </message>
    <message>
        <source>К</source>
        <comment>Alt letter: download from the module</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>С</source>
        <comment>Alt letter: save to the module</comment>
        <translation>S</translation>
    </message>
    <message>
        <source>В</source>
        <comment>Alt letter: connect and disconnect</comment>
        <translation>C</translation>
    </message>
    <message>
        <source>Х</source>
        <comment>Alt letter: log in</comment>
        <translation>L</translation>
    </message>
    <message>
        <source>Отключение</source>
        <translation>Disconnecting</translation>
    </message>
    <message>
        <source>Идёт обмен данными с GSM модулем. %1 прервёт его: что не дочитано или не записано, так и останется. Прервать?</source>
        <translation>The GSM module is being read or written. %1 will cut it short: what is not read or written yet stays so. Stop it?</translation>
    </message>
    <message>
        <source>Закрытие программы</source>
        <translation>Closing the program</translation>
    </message>
    <message>
        <source>Визит только для чтения: запись в GSM модуль выключена (меню «Язык»)</source>
        <translation>A read-only visit: writing to the GSM module is off (the Language menu)</translation>
    </message>
    <message>
        <source>пароль</source>
        <translation>password</translation>
    </message>
    <message>
        <source>номер SIM</source>
        <translation>SIM number</translation>
    </message>
    <message>
        <source>; модуль совпадает с резервной копией</source>
        <translation>; the module matches the backup</translation>
    </message>
    <message>
        <source>; записанное совпадает с резервной копией, оставлены как в модуле: %1</source>
        <translation>; what was written matches the backup, kept as the module held them: %1</translation>
    </message>
    <message>
        <source>, все записанные проверены</source>
        <translation>, all written pages verified</translation>
    </message>
    <message>
        <source><byte value="xd"/>История событий не записывается</source>
        <translation><byte value="xd"/>The event history is not written</translation>
    </message>
    <message>
        <source>Настройки: не восстанавливаются, остаются как в модуле<byte value="xd"/></source>
        <translation>Settings: not restored, kept as the module holds them<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номера: не восстанавливаются, остаются как в модуле<byte value="xd"/></source>
        <translation>Numbers: not restored, kept as the module holds them<byte value="xd"/></translation>
    </message>
    <message>
        <source>%1 — другой компьютер. Протокол GSM модуля не шифруется: пароль модуля и номера пройдут по сети открыто. Надёжнее подключаться через VPN или SSH-туннель (тогда адрес — этого компьютера). Подключиться открыто?</source>
        <translation>%1 is another computer. The GSM module&apos;s protocol is not encrypted: the module&apos;s password and numbers will cross the network in the open. A VPN or an SSH tunnel is safer (the address is then this computer&apos;s). Connect in the open?</translation>
    </message>
    <message>
        <source>the device server at %1 closed the connection</source>
        <translation>the device server at %1 closed the connection</translation>
    </message>
    <message>
        <source> (it said &quot;%1&quot;)</source>
        <translation> (it said &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>Cannot open the device server&apos;s port</source>
        <translation>Cannot open the device server&apos;s port</translation>
    </message>
    <message>
        <source>the device server could not be reached: %1</source>
        <translation>the device server could not be reached: %1</translation>
    </message>
    <message>
        <source>the device server at %1 did not set the line within %2 s (is its port in Telnet mode with RFC 2217?)</source>
        <translation>the device server at %1 did not set the line within %2 s (is its port in Telnet mode with RFC 2217?)</translation>
    </message>
    <message>
        <source>Связь с GSM модулем потеряна: %1</source>
        <translation>The link to the GSM module is lost: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an address: write socket://HOST:PORT or rfc2217://HOST:PORT</source>
        <translation>&apos;%1&apos; is not an address: write socket://HOST:PORT or rfc2217://HOST:PORT</translation>
    </message>
    <message>
        <source>%1 baud</source>
        <translation>%1 baud</translation>
    </message>
    <message>
        <source>%1 data bits</source>
        <translation>%1 data bits</translation>
    </message>
    <message>
        <source>no parity</source>
        <translation>no parity</translation>
    </message>
    <message>
        <source>parity %1</source>
        <translation>parity %1</translation>
    </message>
    <message>
        <source>stop bits code %1</source>
        <translation>stop bits code %1</translation>
    </message>
    <message>
        <source>no flow control</source>
        <translation>no flow control</translation>
    </message>
    <message>
        <source>DTR low</source>
        <translation>DTR low</translation>
    </message>
    <message>
        <source>RTS low</source>
        <translation>RTS low</translation>
    </message>
    <message>
        <source>line control %1</source>
        <translation>line control %1</translation>
    </message>
    <message>
        <source>the device server does not let the line be set (no RFC 2217 on this port)</source>
        <translation>the device server does not let the line be set (no RFC 2217 on this port)</translation>
    </message>
    <message>
        <source>the device server refuses binary transmission</source>
        <translation>the device server refuses binary transmission</translation>
    </message>
    <message>
        <source>the device server did not take %1 (it answered %2)</source>
        <translation>the device server did not take %1 (it answered %2)</translation>
    </message>
    <message>
        <source>%1 is another computer, and the module&apos;s password would cross the network unencrypted: reach the device server through a VPN or an SSH tunnel (then its address here is this computer&apos;s), or allow plain network connections (--allow-plain-network; the window asks first)</source>
        <translation>%1 is another computer, and the module&apos;s password would cross the network unencrypted: reach the device server through a VPN or an SSH tunnel (then its address here is this computer&apos;s), or allow plain network connections (--allow-plain-network; the window asks first)</translation>
    </message>
    <message>
        <source>; адрес: %1</source>
        <translation>; address: %1</translation>
    </message>
    <message>
        <source>по адресу %1 ответил модуль %2 (%3), а не модуль %4: список не записан</source>
        <translation>the module at %1 is module %2 (%3), not module %4: the list was not written</translation>
    </message>
    <message>
        <source>без адреса: пропущен</source>
        <translation>no address: skipped</translation>
    </message>
    <message>
        <source>проверен</source>
        <translation>checked</translation>
    </message>
    <message>
        <source>применён</source>
        <translation>applied</translation>
    </message>
    <message>
        <source>ошибка (код %1)</source>
        <translation>failed (code %1)</translation>
    </message>
    <message>
        <source>Объект «%1»: применён к %2, ошибок %3, без адреса %4</source>
        <translation>Site &quot;%1&quot;: applied to %2, failed %3, without an address %4</translation>
    </message>
    <message>
        <source>With --demo: connect (to --port&apos;s port, else the simulated module), log in, read settings, numbers and history, save a picture of the window to FILE and quit.</source>
        <translation>With --demo: connect (to --port&apos;s port, else the simulated module), log in, read settings, numbers and history, save a picture of the window to FILE and quit.</translation>
    </message>
    <message>
        <source>Choose PORT in the port box: a serial port, or a device server&apos;s address (rfc2217://HOST:PORT, socket://HOST:PORT).</source>
        <translation>Choose PORT in the port box: a serial port, or a device server&apos;s address (rfc2217://HOST:PORT, socket://HOST:PORT).</translation>
    </message>
    <message>
        <source>Последовательный порт, к которому подключён GSM модуль, или адрес сервера портов (rfc2217://ХОСТ:ПОРТ, socket://ХОСТ:ПОРТ)</source>
        <translation>The serial port the GSM module is connected to, or a device server&apos;s address (rfc2217://HOST:PORT, socket://HOST:PORT)</translation>
    </message>
    <message>
        <source>report site needs -o FILE.pdf</source>
        <translation>report site needs -o FILE.pdf</translation>
    </message>
    <message>
        <source>эта сборка программы не делает отчётов</source>
        <translation>this build of the program makes no reports</translation>
    </message>
    <message>
        <source>отстаёт: список объекта ещё не применялся</source>
        <translation>behind: the site&apos;s list was never applied</translation>
    </message>
    <message>
        <source>отстаёт: применена редакция %1 (%2)</source>
        <translation>behind: revision %1 applied (%2)</translation>
    </message>
    <message>
        <source>без ограничений</source>
        <translation>unrestricted</translation>
    </message>
    <message>
        <source>страница %1 из %2</source>
        <translation>page %1 of %2</translation>
    </message>
    <message>
        <source>Модули</source>
        <translation>Modules</translation>
    </message>
    <message>
        <source>Пользователи</source>
        <translation>People</translation>
    </message>
    <message>
        <source>Последние события</source>
        <translation>Latest events</translation>
    </message>
    <message>
        <source>Объект «%1»: кто открывает ворота</source>
        <translation>Site &quot;%1&quot;: who opens the gates</translation>
    </message>
    <message>
        <source>Отчёт от %1. Редакция списка %2, изменён %3. Модулей: %4, номеров: %5, окно кончается в ближайшие %6 дней: %7.</source>
        <translation>Report of %1. List revision %2, changed %3. Modules: %4, numbers: %5, windows ending within %6 days: %7.</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Номер SIM</source>
        <translation>SIM number</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Список</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Последнее обращение</source>
        <translation>Last visit</translation>
    </message>
    <message>
        <source>Без номеров</source>
        <translation>Leaves out</translation>
    </message>
    <message>
        <source>Всего: %1; окно кончается в ближайшие %2 дней (отмечены «!»): %3.</source>
        <translation>In all: %1; windows ending within %2 days (marked &quot;!&quot;): %3.</translation>
    </message>
    <message>
        <source> (только %1)</source>
        <translation> (only %1)</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Окно доступа</source>
        <translation>Access window</translation>
    </message>
    <message>
        <source>Последнее использование</source>
        <translation>Last use</translation>
    </message>
    <message>
        <source>журнал событий модуля не читался</source>
        <translation>the module&apos;s event log was never read</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Объект «%1» — %2</source>
        <translation>Site &quot;%1&quot; — %2</translation>
    </message>
    <message>
        <source>PDF не создаётся: %1</source>
        <translation>the PDF cannot be made: %1</translation>
    </message>
    <message>
        <source>PDF не записан: %1</source>
        <translation>the PDF was not written: %1</translation>
    </message>
    <message>
        <source>Отчёт объекта берётся из журнала модулей, а он не открыт</source>
        <translation>A site&apos;s report comes from the module record, which is not open</translation>
    </message>
    <message>
        <source>В журнале модулей нет объектов (portiqa-cli site import)</source>
        <translation>The module record holds no sites (portiqa-cli site import)</translation>
    </message>
    <message>
        <source>Отчёт какого объекта? Объекты: %1</source>
        <translation>The report of which site? Sites: %1</translation>
    </message>
    <message>
        <source>Объекта «%1» нет в журнале модулей</source>
        <translation>The module record has no site &quot;%1&quot;</translation>
    </message>
    <message>
        <source>отчёт объекта</source>
        <translation>site report</translation>
    </message>
    <message>
        <source>отчёт %1.pdf</source>
        <translation>report %1.pdf</translation>
    </message>
    <message>
        <source>Отчёт объекта «%1» записан: %2 (пользователей: %3, окно кончается скоро: %4)</source>
        <translation>The report of site &quot;%1&quot; is written: %2 (people: %3, windows ending soon: %4)</translation>
    </message>
    <message>
        <source>Отчёт
объекта</source>
        <translation>Site
report</translation>
    </message>
    <message>
        <source>Отчёт для управляющего объектом (PDF): модули, кто открывает ворота и до какого срока</source>
        <translation>The report for the site&apos;s manager (PDF): modules, who opens the gates and until when</translation>
    </message>
    <message>
        <source>--events takes a number of events (1-1000)</source>
        <translation>--events takes a number of events (1-1000)</translation>
    </message>
    <message>
        <source>Отчёт по объекту «%1» записан: %2 (модулей: %3, пользователей: %4, окно кончается скоро: %5, изменений с прошлого отчёта: %6)</source>
        <translation>The report of site &quot;%1&quot; is written: %2 (modules: %3, people: %4, windows ending soon: %5, changes since the last report: %6)</translation>
    </message>
    <message>
        <source>Журнал модулей не сохранил отметку об отчёте: %1</source>
        <translation>The module record did not keep the mark of this report: %1</translation>
    </message>
    <message>
        <source>убран</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>добавлен</source>
        <translation>added</translation>
    </message>
    <message>
        <source>окно изменено</source>
        <translation>window changed</translation>
    </message>
    <message>
        <source>Прошлого отчёта нет: изменения с этого отчёта покажет следующий.</source>
        <translation>There is no earlier report: the next one shows the changes since this one.</translation>
    </message>
    <message>
        <source>С отчёта от %1 (%2, редакция %3). Список последним менял %4 (редакция %5).</source>
        <translation>Since the report of %1 (%2, revision %3). The list was last changed %4 (revision %5).</translation>
    </message>
    <message>
        <source>Изменения с прошлого отчёта</source>
        <translation>Changes since the last report</translation>
    </message>
    <message>
        <source>Изменение</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Было</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>Стало</source>
        <translation>After</translation>
    </message>
    <message>
        <source>Список не менялся.</source>
        <translation>The list has not changed.</translation>
    </message>
    <message>
        <source>Usage: portiqa-cli [OPTION]... COMMAND [ARGUMENT]...
Configure a GSM relay module over its serial port: log in, read and save its settings and its
authorised numbers, download or erase its event history, set its clock.

Commands:
  ports                         list the serial ports, the default first
  login [--json]                check the password only; --json: print the module&apos;s SIM number,
                                bridge serial number and name in the record
  settings read [-o PROFILE.xlsx]
                                print rows 1-%1 as &quot;N&lt;TAB&gt;value&quot;, or write a settings profile
  settings save [-i PROFILE.xlsx] [--set N=VALUE]... [--dry-run] [--with-password] [--with-sim]
                                read the settings, apply the profile and the values, save;
                                --dry-run: print each row that would change as
                                &quot;row: before -&gt; after&quot; and send no save
  numbers download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--expired] [--expiring DAYS]
                                print the occupied records, or write them to a file;
                                --expired: only those whose window has ended, --expiring DAYS:
                                only those whose window ends within DAYS days; --unused MONTHS:
                                only those with no event in the history the record keeps of
                                the module for MONTHS months
  numbers save -i FILE.xlsx|FILE.xls|FILE.cvs|FILE.csv [--dry-run]
                                read the module&apos;s list, import the file with the window&apos;s
                                checks, show what changes and who gains or loses access (by
                                name where the record knows it), save; removing or shortening
                                access, or one subscriber written two ways, needs --yes
  history download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--from TIME --to TIME]
                                print or write the event history, optionally only a window
  history delete [--dry-run]    erase the module&apos;s history (needs --yes); --dry-run: print how
                                many records it holds and erase nothing
  time sync                     set the module&apos;s clock to this computer&apos;s time
  check-mode                    send the checking-mode command
  backup -o FILE                read the module&apos;s whole memory (settings, numbers, history) into
                                a backup file
  restore -i FILE [--dry-run] [--with-password] [--with-sim] [--clone]
                                write a backup&apos;s settings and numbers into the module (needs
                                --yes); the module keeps its own password and SIM number unless
                                --with-password, --with-sim;
                                a backup of another module (another SIM number) needs --clone;
                                -i @ID or MODULE@DATE restores the record&apos;s copy of the module;
                                --only settings|numbers writes that area alone
  modules [--json]              list the modules the record knows
  log [MODULE] [--json] [--all] a module&apos;s snapshots and writes, newest first (MODULE: its name,
                                SIM number or number in the record; every module without it); the
                                newest 200 of each unless --all, and it says when there are more
  name MODULE NAME              give a module a name in the record (60 characters at most)
  record restore-last-good      put the record file&apos;s last good copy in its place, the damaged
                                file kept beside it (needs --yes)
  diff A B [--json]             what differs between two copies, per settings row and number
                                record; A and B: module (read now), @ID (a snapshot),
                                MODULE@DATE (its newest snapshot then), or a backup, profile or
                                number list file
  site list [--json]            list the sites: named groups of modules sharing one list
  site import SITE -i FILE [--module MODULE] [--revision N]
                                set a site&apos;s list from a number file (creating the site), or
                                one module&apos;s additions; names in the file go to the record
  site export SITE -o FILE      write the site&apos;s list to a number file
  site add SITE MODULE [NUMBER]... [--replace] [--at ADDRESS]
                                make a module one of the site&apos;s, leaving out the NUMBERs too
                                (--replace: only them); --at: the device server it is reached
                                at (rfc2217://HOST:PORT or socket://HOST:PORT; - for none)
  site remove SITE MODULE       take a module out of the site
  site show SITE                the site&apos;s list with names, and each module&apos;s state
  site status SITE [--json]     each module, when the list was applied and whether it is
                                current (exit 7 when one is behind)
  site apply SITE [--dry-run]   save the site&apos;s list into the module on the port through the
                                numbers save&apos;s checks (losing access needs --yes); --all:
                                into every module of the site that has an address, one after
                                the other, a line for each
  report site SITE -o FILE.pdf [--events N]
                                the site&apos;s hand-over report for its manager (A4 PDF): its
                                modules and their state, who can open the gates and until when
                                (windows ending within 30 days marked), each gate&apos;s N newest
                                events (10)
  provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv
            [--watch GLOB]... [--count N] [-P FACTORY_PIN] [--force] [--json]
            [--batch NAME] [--record WHERE | --no-record] [--reflash]
                                program every module plugged in (several at once) from a
                                template (a backup, or a .xlsx profile with --numbers) and the
                                next unit of UNITS.csv (column &quot;unit&quot;, then settings rows
                                1-%1); each verified and reported in REPORT.csv; --watch
                                defaults to /dev/ttyUSB* and /dev/ttyACM* (COM* on Windows), a
                                name alone is matched against the port list; --force lets the
                                template remove numbers a module holds; exit 0 when every
                                module ended ok, 1 if one failed; the record keeps which module
                                holds which unit (shared by stations with one --batch NAME)
  provision --units UNITS.csv | --batch NAME --release UNIT
                                give back a unit held for a module that was checked

Options:
  -p, --port PORT               serial port: a name from &apos;ports&apos; (ttyUSB0) or a device path;
                                without it the first port of the list. A module behind a
                                serial device server: socket://HOST:PORT (raw TCP) or
                                rfc2217://HOST:PORT (Telnet, the line set by the program)
      --allow-plain-network     take a device server on another computer (the password
                                crosses the network unencrypted: prefer a VPN or SSH tunnel)
  -P, --password PIN            the module&apos;s 4-digit password (default 5807); other users of
                                this computer can see it in the process list: prefer
      --password-file FILE      the password on the first line of FILE, or the environment
                                variable PORTIQA_PASSWORD
  -y, --yes                     answer yes to the questions the window would ask
  -q, --quiet                   no progress line on standard error
      --verbose                 with a message about the record, the database&apos;s own words too
  -o, --output FILE             write to FILE instead of printing: its kind by its extension
                                (.xlsx, .cvs or .csv; a backup may have any name)
  -i, --input FILE              read from FILE
      --set N=VALUE             with &apos;settings save&apos;: value of row N (1-%1); a drop-down row
                                takes its item number (11=3)
      --from TIME, --to TIME    with &apos;history download&apos;: &quot;YYYY-MM-DD HH:MM:SS&quot;
      --no-verify               saves: do not read the written pages back
      --dry-run                 with &apos;settings save&apos;, &apos;numbers save&apos;, &apos;history delete&apos; and
                                &apos;restore&apos;: show what would change; nothing is written
      --with-password           with &apos;restore&apos; and &apos;settings save -i&apos;: write the file&apos;s password too
      --with-sim                with &apos;restore&apos; and &apos;settings save -i&apos;: write the file&apos;s SIM number too
      --clone                   with &apos;restore&apos;: write a backup taken from another module
      --record URL              the module record: a file, or postgresql://user@host/db (default:
                                PORTIQA_RECORD, else ~/.local/share/portiqa/record.sqlite)
      --no-record               keep no record (downloads then read every page twice)
      --json                    with &apos;login&apos;, &apos;modules&apos;, &apos;log&apos;, &apos;diff&apos;, &apos;site list&apos; and
                                &apos;site status&apos;: print JSON
      --country CODE            how numbers are written where the modules are (+7 or RU; default
                                PORTIQA_COUNTRY, else the system&apos;s region): 8916..., 7916... and
                                +7916... are then one subscriber
      --module MODULE           with &apos;site import&apos;: the file holds that module&apos;s additions
      --revision N              with &apos;site import&apos;: the revision &apos;site export&apos; took the file at;
                                a list changed since is not replaced
      --at ADDRESS              with &apos;site add&apos;: the device server the module is reached at
      --events N                with &apos;report site&apos;: each gate&apos;s newest events shown, up to 1000
      --read-only               a read-only visit (also PORTIQA_READ_ONLY=1): every write is
                                refused before anything is sent (exit 1)
  -h, --help                    show this help and exit
  -v, --version                 show the version and exit
      --lang ru|en              the language of messages and help (default: the system&apos;s)

Exit status:
  0  done
  1  the module refused, or an operation failed
  2  usage error
  3  the module did not answer
  4  wrong password
  5  the port cannot be opened
  6  a file cannot be read, written or fails its checks
  7  &apos;site status&apos;: a module does not hold its site&apos;s list

Each option is accepted only by the commands listed with it; any other combination is a
usage error and nothing is sent. Output files are checked before the module is read.

Messages go to standard error in the window&apos;s words; data to standard output in UTF-8,
as the module holds it (never translated).
The user needs access to the serial port: on Debian, membership of the dialout group.
</source>
        <translation>Usage: portiqa-cli [OPTION]... COMMAND [ARGUMENT]...
Configure a GSM relay module over its serial port: log in, read and save its settings and its
authorised numbers, download or erase its event history, set its clock.

Commands:
  ports                         list the serial ports, the default first
  login [--json]                check the password only; --json: print the module&apos;s SIM number,
                                bridge serial number and name in the record
  settings read [-o PROFILE.xlsx]
                                print rows 1-%1 as &quot;N&lt;TAB&gt;value&quot;, or write a settings profile
  settings save [-i PROFILE.xlsx] [--set N=VALUE]... [--dry-run] [--with-password] [--with-sim]
                                read the settings, apply the profile and the values, save;
                                --dry-run: print each row that would change as
                                &quot;row: before -&gt; after&quot; and send no save
  numbers download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--expired] [--expiring DAYS]
                                print the occupied records, or write them to a file;
                                --expired: only those whose window has ended, --expiring DAYS:
                                only those whose window ends within DAYS days; --unused MONTHS:
                                only those with no event in the history the record keeps of
                                the module for MONTHS months
  numbers save -i FILE.xlsx|FILE.xls|FILE.cvs|FILE.csv [--dry-run]
                                read the module&apos;s list, import the file with the window&apos;s
                                checks, show what changes and who gains or loses access (by
                                name where the record knows it), save; removing or shortening
                                access, or one subscriber written two ways, needs --yes
  history download [-o FILE.xlsx|FILE.cvs|FILE.csv] [--from TIME --to TIME]
                                print or write the event history, optionally only a window
  history delete [--dry-run]    erase the module&apos;s history (needs --yes); --dry-run: print how
                                many records it holds and erase nothing
  time sync                     set the module&apos;s clock to this computer&apos;s time
  check-mode                    send the checking-mode command
  backup -o FILE                read the module&apos;s whole memory (settings, numbers, history) into
                                a backup file
  restore -i FILE [--dry-run] [--with-password] [--with-sim] [--clone]
                                write a backup&apos;s settings and numbers into the module (needs
                                --yes); the module keeps its own password and SIM number unless
                                --with-password, --with-sim;
                                a backup of another module (another SIM number) needs --clone;
                                -i @ID or MODULE@DATE restores the record&apos;s copy of the module;
                                --only settings|numbers writes that area alone
  modules [--json]              list the modules the record knows
  log [MODULE] [--json] [--all] a module&apos;s snapshots and writes, newest first (MODULE: its name,
                                SIM number or number in the record; every module without it); the
                                newest 200 of each unless --all, and it says when there are more
  name MODULE NAME              give a module a name in the record (60 characters at most)
  record restore-last-good      put the record file&apos;s last good copy in its place, the damaged
                                file kept beside it (needs --yes)
  diff A B [--json]             what differs between two copies, per settings row and number
                                record; A and B: module (read now), @ID (a snapshot),
                                MODULE@DATE (its newest snapshot then), or a backup, profile or
                                number list file
  site list [--json]            list the sites: named groups of modules sharing one list
  site import SITE -i FILE [--module MODULE] [--revision N]
                                set a site&apos;s list from a number file (creating the site), or
                                one module&apos;s additions; names in the file go to the record
  site export SITE -o FILE      write the site&apos;s list to a number file
  site add SITE MODULE [NUMBER]... [--replace] [--at ADDRESS]
                                make a module one of the site&apos;s, leaving out the NUMBERs too
                                (--replace: only them); --at: the device server it is reached
                                at (rfc2217://HOST:PORT or socket://HOST:PORT; - for none)
  site remove SITE MODULE       take a module out of the site
  site show SITE                the site&apos;s list with names, and each module&apos;s state
  site status SITE [--json]     each module, when the list was applied and whether it is
                                current (exit 7 when one is behind)
  site apply SITE [--dry-run]   save the site&apos;s list into the module on the port through the
                                numbers save&apos;s checks (losing access needs --yes); --all:
                                into every module of the site that has an address, one after
                                the other, a line for each
  report site SITE -o FILE.pdf [--events N]
                                the site&apos;s hand-over report for its manager (A4 PDF): its
                                modules and their state, who can open the gates and until when
                                (windows ending within 30 days marked), each gate&apos;s N newest
                                events (10)
  provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv
            [--watch GLOB]... [--count N] [-P FACTORY_PIN] [--force] [--json]
            [--batch NAME] [--record WHERE | --no-record] [--reflash]
                                program every module plugged in (several at once) from a
                                template (a backup, or a .xlsx profile with --numbers) and the
                                next unit of UNITS.csv (column &quot;unit&quot;, then settings rows
                                1-%1); each verified and reported in REPORT.csv; --watch
                                defaults to /dev/ttyUSB* and /dev/ttyACM* (COM* on Windows), a
                                name alone is matched against the port list; --force lets the
                                template remove numbers a module holds; exit 0 when every
                                module ended ok, 1 if one failed; the record keeps which module
                                holds which unit (shared by stations with one --batch NAME)
  provision --units UNITS.csv | --batch NAME --release UNIT
                                give back a unit held for a module that was checked

Options:
  -p, --port PORT               serial port: a name from &apos;ports&apos; (ttyUSB0) or a device path;
                                without it the first port of the list. A module behind a
                                serial device server: socket://HOST:PORT (raw TCP) or
                                rfc2217://HOST:PORT (Telnet, the line set by the program)
      --allow-plain-network     take a device server on another computer (the password
                                crosses the network unencrypted: prefer a VPN or SSH tunnel)
  -P, --password PIN            the module&apos;s 4-digit password (default 5807); other users of
                                this computer can see it in the process list: prefer
      --password-file FILE      the password on the first line of FILE, or the environment
                                variable PORTIQA_PASSWORD
  -y, --yes                     answer yes to the questions the window would ask
  -q, --quiet                   no progress line on standard error
      --verbose                 with a message about the record, the database&apos;s own words too
  -o, --output FILE             write to FILE instead of printing: its kind by its extension
                                (.xlsx, .cvs or .csv; a backup may have any name)
  -i, --input FILE              read from FILE
      --set N=VALUE             with &apos;settings save&apos;: value of row N (1-%1); a drop-down row
                                takes its item number (11=3)
      --from TIME, --to TIME    with &apos;history download&apos;: &quot;YYYY-MM-DD HH:MM:SS&quot;
      --no-verify               saves: do not read the written pages back
      --dry-run                 with &apos;settings save&apos;, &apos;numbers save&apos;, &apos;history delete&apos; and
                                &apos;restore&apos;: show what would change; nothing is written
      --with-password           with &apos;restore&apos; and &apos;settings save -i&apos;: write the file&apos;s password too
      --with-sim                with &apos;restore&apos; and &apos;settings save -i&apos;: write the file&apos;s SIM number too
      --clone                   with &apos;restore&apos;: write a backup taken from another module
      --record URL              the module record: a file, or postgresql://user@host/db (default:
                                PORTIQA_RECORD, else ~/.local/share/portiqa/record.sqlite)
      --no-record               keep no record (downloads then read every page twice)
      --json                    with &apos;login&apos;, &apos;modules&apos;, &apos;log&apos;, &apos;diff&apos;, &apos;site list&apos; and
                                &apos;site status&apos;: print JSON
      --country CODE            how numbers are written where the modules are (+7 or RU; default
                                PORTIQA_COUNTRY, else the system&apos;s region): 8916..., 7916... and
                                +7916... are then one subscriber
      --module MODULE           with &apos;site import&apos;: the file holds that module&apos;s additions
      --revision N              with &apos;site import&apos;: the revision &apos;site export&apos; took the file at;
                                a list changed since is not replaced
      --at ADDRESS              with &apos;site add&apos;: the device server the module is reached at
      --events N                with &apos;report site&apos;: each gate&apos;s newest events shown, up to 1000
      --read-only               a read-only visit (also PORTIQA_READ_ONLY=1): every write is
                                refused before anything is sent (exit 1)
  -h, --help                    show this help and exit
  -v, --version                 show the version and exit
      --lang ru|en              the language of messages and help (default: the system&apos;s)

Exit status:
  0  done
  1  the module refused, or an operation failed
  2  usage error
  3  the module did not answer
  4  wrong password
  5  the port cannot be opened
  6  a file cannot be read, written or fails its checks
  7  &apos;site status&apos;: a module does not hold its site&apos;s list

Each option is accepted only by the commands listed with it; any other combination is a
usage error and nothing is sent. Output files are checked before the module is read.

Messages go to standard error in the window&apos;s words; data to standard output in UTF-8,
as the module holds it (never translated).
The user needs access to the serial port: on Debian, membership of the dialout group.
</translation>
    </message>
</context>
</TS>
