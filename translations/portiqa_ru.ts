<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>TText</name>
    <message>
        <source>в копии нет части %1</source>
        <translation>в копии нет части %1</translation>
    </message>
    <message>
        <source>часть %1 повреждена</source>
        <translation>часть %1 повреждена</translation>
    </message>
    <message>
        <source>оглавление архива повреждено</source>
        <translation>оглавление архива повреждено</translation>
    </message>
    <message>
        <source>в копии две части с именем %1</source>
        <translation>в копии две части с именем %1</translation>
    </message>
    <message>
        <source>в копии слишком много частей</source>
        <translation>в копии слишком много частей</translation>
    </message>
    <message>
        <source>Резервная копия не записана: нет страницы %1</source>
        <translation>Резервная копия не записана: нет страницы %1</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>Не удалось записать файл %1</translation>
    </message>
    <message>
        <source>Резервная копия %1 не принята: %2</source>
        <translation>Резервная копия %1 не принята: %2</translation>
    </message>
    <message>
        <source>файла нет</source>
        <translation>файла нет</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>файл слишком велик</translation>
    </message>
    <message>
        <source>это не архив резервной копии</source>
        <translation>это не архив резервной копии</translation>
    </message>
    <message>
        <source>описание копии (manifest.json) не читается</source>
        <translation>описание копии (manifest.json) не читается</translation>
    </message>
    <message>
        <source>это не резервная копия модуля</source>
        <translation>это не резервная копия модуля</translation>
    </message>
    <message>
        <source>версия формата %1 не поддерживается</source>
        <translation>версия формата %1 не поддерживается</translation>
    </message>
    <message>
        <source>неверный размер страницы</source>
        <translation>неверный размер страницы</translation>
    </message>
    <message>
        <source>неверный список областей памяти</source>
        <translation>неверный список областей памяти</translation>
    </message>
    <message>
        <source>область %1 описана неверно</source>
        <translation>область %1 описана неверно</translation>
    </message>
    <message>
        <source>часть %1 имеет размер %2 байт вместо %3</source>
        <translation>часть %1 имеет размер %2 байт вместо %3</translation>
    </message>
    <message>
        <source>нет контрольной суммы страницы %1</source>
        <translation>нет контрольной суммы страницы %1</translation>
    </message>
    <message>
        <source>контрольная сумма страницы %1 не совпадает</source>
        <translation>контрольная сумма страницы %1 не совпадает</translation>
    </message>
    <message>
        <source>в описании копии лишние страницы</source>
        <translation>в описании копии лишние страницы</translation>
    </message>
    <message>
        <source>Резервная копия сохранена: %1 (страниц: %2)</source>
        <translation>Резервная копия сохранена: %1 (страниц: %2)</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резервная копия</translation>
    </message>
    <message>
        <source>Восстановление отменено: ничего не записано. </source>
        <translation>Восстановление отменено: ничего не записано. </translation>
    </message>
    <message>
        <source><byte value="xd"/>Записать в GSM модуль?</source>
        <translation><byte value="xd"/>Записать в GSM модуль?</translation>
    </message>
    <message>
        <source>Записать и пароль из резервной копии</source>
        <translation>Записать и пароль из резервной копии</translation>
    </message>
    <message>
        <source>Восстановление отменено: ничего не записано</source>
        <translation>Восстановление отменено: ничего не записано</translation>
    </message>
    <message>
        <source>Reading the module</source>
        <translation>Чтение памяти модуля</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановление</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1</source>
        <translation><byte value="xd"/>Записано страниц: %1</translation>
    </message>
    <message>
        <source>Restore check</source>
        <translation>Проверка перед восстановлением</translation>
    </message>
    <message>
        <source>Восстановление не завершено: GSM модуль отличается от резервной копии на страницах %1 (модуль изменил их во время восстановления). Записано страниц: %2, все записанные проверены. Повторите восстановление</source>
        <translation>Восстановление не завершено: GSM модуль отличается от резервной копии на страницах %1 (модуль изменил их во время восстановления). Записано страниц: %2, все записанные проверены. Повторите восстановление</translation>
    </message>
    <message>
        <source>Восстановление завершено. </source>
        <translation>Восстановление завершено. </translation>
    </message>
    <message>
        <source>Строка %1: в копии байты, которые не являются допустимым значением этой строки</source>
        <translation>Строка %1: в копии байты, которые не являются допустимым значением этой строки</translation>
    </message>
    <message>
        <source>Восстановление из резервной копии от %1<byte value="xd"/></source>
        <translation>Восстановление из резервной копии от %1<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки: без изменений<byte value="xd"/></source>
        <translation>Настройки: без изменений<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки: видимые строки не изменятся<byte value="xd"/></source>
        <translation>Настройки: видимые строки не изменятся<byte value="xd"/></translation>
    </message>
    <message>
        <source>Настройки:<byte value="xd"/></source>
        <translation>Настройки:<byte value="xd"/></translation>
    </message>
    <message>
        <source>Изменятся резервные байты страниц настроек<byte value="xd"/></source>
        <translation>Изменятся резервные байты страниц настроек<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль: будет записан пароль из резервной копии<byte value="xd"/></source>
        <translation>Пароль: будет записан пароль из резервной копии<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль: остаётся пароль этого модуля<byte value="xd"/></source>
        <translation>Пароль: остаётся пароль этого модуля<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номера: </source>
        <translation>Номера: </translation>
    </message>
    <message>
        <source>История событий не записывается</source>
        <translation>История событий не записывается</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» не является целым числом</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>не указана команда</translation>
    </message>
    <message>
        <source>unknown command: </source>
        <translation>неизвестная команда: </translation>
    </message>
    <message>
        <source>--%1 does nothing with &apos;%2&apos;</source>
        <translation>ключ --%1 не действует с командой «%2»</translation>
    </message>
    <message>
        <source>-p takes a port name; it is empty (leave -p out to use the first port of the list)</source>
        <translation>ключ -p принимает имя порта, а оно пустое (без -p берётся первый порт из списка)</translation>
    </message>
    <message>
        <source>give the password either with -P or with --password-file</source>
        <translation>укажите пароль либо ключом -P, либо ключом --password-file</translation>
    </message>
    <message>
        <source>--password-file: cannot read %1</source>
        <translation>--password-file: не удалось прочитать %1</translation>
    </message>
    <message>
        <source>the password must be exactly 4 digits</source>
        <translation>пароль должен состоять ровно из 4 цифр</translation>
    </message>
    <message>
        <source>-o %1: the file must end in .xlsx, .cvs or .csv</source>
        <translation>-o %1: имя файла должно оканчиваться на .xlsx, .cvs или .csv</translation>
    </message>
    <message>
        <source>-o %1: a settings profile is a .xlsx file</source>
        <translation>-o %1: профиль настроек — это файл .xlsx</translation>
    </message>
    <message>
        <source>-o and -i take a file name</source>
        <translation>ключи -o и -i принимают имя файла</translation>
    </message>
    <message>
        <source>numbers save needs -i FILE</source>
        <translation>для numbers save нужен ключ -i ФАЙЛ</translation>
    </message>
    <message>
        <source>-i %1: the file must end in .xlsx, .xls, .cvs or .csv</source>
        <translation>-i %1: имя файла должно оканчиваться на .xlsx, .xls, .cvs или .csv</translation>
    </message>
    <message>
        <source>-i %1: a settings profile is a .xlsx or .xls file</source>
        <translation>-i %1: профиль настроек — это файл .xlsx или .xls</translation>
    </message>
    <message>
        <source>--expiring takes a number of days (0-3650)</source>
        <translation>ключ --expiring принимает число дней (0-3650)</translation>
    </message>
    <message>
        <source>backup needs -o FILE</source>
        <translation>для backup нужен ключ -o ФАЙЛ</translation>
    </message>
    <message>
        <source>restore needs -i FILE</source>
        <translation>для restore нужен ключ -i ФАЙЛ</translation>
    </message>
    <message>
        <source>restore writes the backup&apos;s settings and numbers into the module: confirm with --yes (or see the change with --dry-run)</source>
        <translation>restore записывает в модуль настройки и номера из резервной копии: подтвердите ключом --yes (или посмотрите изменения с --dry-run)</translation>
    </message>
    <message>
        <source>history delete erases the module&apos;s log: confirm with --yes (or count it with --dry-run)</source>
        <translation>history delete стирает журнал модуля: подтвердите ключом --yes (или посчитайте записи с --dry-run)</translation>
    </message>
    <message>
        <source>--from and --to take &quot;YYYY-MM-DD HH:MM:SS&quot;, both</source>
        <translation>ключи --from и --to принимают «ГГГГ-ММ-ДД ЧЧ:ММ:СС», оба сразу</translation>
    </message>
    <message>
        <source>
(needs --yes)</source>
        <translation>
(нужен ключ --yes)</translation>
    </message>
    <message>
        <source>Связь с GSM модулем потеряна: порт закрыт</source>
        <translation>Связь с GSM модулем потеряна: порт закрыт</translation>
    </message>
    <message>
        <source>COM Port ошибка<byte value="xd"/>no serial port found; give one with -p</source>
        <translation>Ошибка COM-порта<byte value="xd"/>последовательные порты не найдены; укажите порт ключом -p</translation>
    </message>
    <message>
        <source>COM Port ошибка<byte value="xd"/></source>
        <translation>Ошибка COM-порта<byte value="xd"/></translation>
    </message>
    <message>
        <source>Ошибка выбора времени</source>
        <translation>Ошибка выбора времени</translation>
    </message>
    <message>
        <source>Записей в истории GSM модуля: %1; ничего не удалено</source>
        <translation>Записей в истории GSM модуля: %1; ничего не удалено</translation>
    </message>
    <message>
        <source>Настройки не сохранены. </source>
        <translation>Настройки не сохранены. </translation>
    </message>
    <message>
        <source>неверный пароль: модуль уже настроен?</source>
        <translation>неверный пароль: модуль уже настроен?</translation>
    </message>
    <message>
        <source>вход</source>
        <translation>вход</translation>
    </message>
    <message>
        <source>устройств в таблице больше нет</source>
        <translation>устройств в таблице больше нет</translation>
    </message>
    <message>
        <source>чтение настроек</source>
        <translation>чтение настроек</translation>
    </message>
    <message>
        <source>запись настроек</source>
        <translation>запись настроек</translation>
    </message>
    <message>
        <source>запись номеров</source>
        <translation>запись номеров</translation>
    </message>
    <message>
        <source>ошибка обмена</source>
        <translation>ошибка обмена</translation>
    </message>
    <message>
        <source>остановка: новые модули не начинаются</source>
        <translation>остановка: новые модули не начинаются</translation>
    </message>
    <message>
        <source>модуль найден</source>
        <translation>модуль найден</translation>
    </message>
    <message>
        <source>устройство </source>
        <translation>устройство </translation>
    </message>
    <message>
        <source>готово, записано страниц: %1</source>
        <translation>готово, записано страниц: %1</translation>
    </message>
    <message>
        <source>не настроен: </source>
        <translation>не настроен: </translation>
    </message>
    <message>
        <source>provision takes no arguments</source>
        <translation>provision не принимает аргументов</translation>
    </message>
    <message>
        <source>provision needs --template FILE and --report FILE</source>
        <translation>для provision нужны ключи --template ФАЙЛ и --report ФАЙЛ</translation>
    </message>
    <message>
        <source>--count takes a number of modules, 1 or more</source>
        <translation>ключ --count принимает число модулей, 1 или больше</translation>
    </message>
    <message>
        <source>Шаблон %1 не принят: %2</source>
        <translation>Шаблон %1 не принят: %2</translation>
    </message>
    <message>
        <source>Список номеров %1 не принят: %2</source>
        <translation>Список номеров %1 не принят: %2</translation>
    </message>
    <message>
        <source>Номера шаблона не приняты: </source>
        <translation>Номера шаблона не приняты: </translation>
    </message>
    <message>
        <source>Шаблон %1 не принят. </source>
        <translation>Шаблон %1 не принят. </translation>
    </message>
    <message>
        <source>Таблица устройств %1 не принята: %2</source>
        <translation>Таблица устройств %1 не принята: %2</translation>
    </message>
    <message>
        <source>в ней нет строки заголовка</source>
        <translation>в ней нет строки заголовка</translation>
    </message>
    <message>
        <source>нет столбца «unit»</source>
        <translation>нет столбца «unit»</translation>
    </message>
    <message>
        <source>строка %1: нет имени устройства</source>
        <translation>строка %1: нет имени устройства</translation>
    </message>
    <message>
        <source>строка %1 (%2): %3</source>
        <translation>строка %1 (%2): %3</translation>
    </message>
    <message>
        <source>Отчёт %1 не читается</source>
        <translation>Отчёт %1 не читается</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2</source>
        <translation>Не удалось записать файл %1: %2</translation>
    </message>
    <message>
        <source>Текст содержит символы, которых нет в кодировке Windows-1251</source>
        <translation>Текст содержит символы, которых нет в кодировке Windows-1251</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик (%2 байт, допускается до %3)</source>
        <translation>Файл %1 слишком велик (%2 байт, допускается до %3)</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: %2</source>
        <translation>Не удалось открыть файл %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик</source>
        <translation>Файл %1 слишком велик</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: файла нет</source>
        <translation>Не удалось открыть файл %1: файла нет</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1: это не обычный файл</source>
        <translation>Не удалось открыть файл %1: это не обычный файл</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>на диске нет места</translation>
    </message>
    <message>
        <source>превышена квота на диске</source>
        <translation>превышена квота на диске</translation>
    </message>
    <message>
        <source>файл слишком велик для этого диска</source>
        <translation>файл слишком велик для этого диска</translation>
    </message>
    <message>
        <source>нет прав на запись в эту папку или файл</source>
        <translation>нет прав на запись в эту папку или файл</translation>
    </message>
    <message>
        <source>диск открыт только для чтения</source>
        <translation>диск открыт только для чтения</translation>
    </message>
    <message>
        <source>такой папки нет</source>
        <translation>такой папки нет</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>это папка, а не файл</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода (диск или носитель неисправен или извлечён)</source>
        <translation>ошибка ввода-вывода (диск или носитель неисправен или извлечён)</translation>
    </message>
    <message>
        <source>на листе больше %1 строк</source>
        <translation>на листе больше %1 строк</translation>
    </message>
    <message>
        <source>Файл %1 не является книгой Excel (.xlsx или .xls)</source>
        <translation>Файл %1 не является книгой Excel (.xlsx или .xls)</translation>
    </message>
    <message>
        <source>Не удалось прочитать книгу %1: %2</source>
        <translation>Не удалось прочитать книгу %1: %2</translation>
    </message>
    <message>
        <source>это не книга .xls</source>
        <translation>это не книга .xls</translation>
    </message>
    <message>
        <source>в книге нет листов</source>
        <translation>в книге нет листов</translation>
    </message>
    <message>
        <source>повреждённый лист</source>
        <translation>повреждённый лист</translation>
    </message>
    <message>
        <source>слишком много строк на листе</source>
        <translation>слишком много строк на листе</translation>
    </message>
    <message>
        <source>слишком много ячеек на листе</source>
        <translation>слишком много ячеек на листе</translation>
    </message>
    <message>
        <source>повреждённая ячейка</source>
        <translation>повреждённая ячейка</translation>
    </message>
    <message>
        <source>в книге нет части %1</source>
        <translation>в книге нет части %1</translation>
    </message>
    <message>
        <source>повреждённый архив</source>
        <translation>повреждённый архив</translation>
    </message>
    <message>
        <source>часть %1 слишком велика</source>
        <translation>часть %1 слишком велика</translation>
    </message>
    <message>
        <source>повреждённый архив (контрольная сумма)</source>
        <translation>повреждённый архив (контрольная сумма)</translation>
    </message>
    <message>
        <source>недопустимое объявление DTD</source>
        <translation>недопустимое объявление DTD</translation>
    </message>
    <message>
        <source>ошибка XML: %1</source>
        <translation>ошибка XML: %1</translation>
    </message>
    <message>
        <source>это не архив книги .xlsx</source>
        <translation>это не архив книги .xlsx</translation>
    </message>
    <message>
        <source>слишком много строк</source>
        <translation>слишком много строк</translation>
    </message>
    <message>
        <source>слишком много стилей</source>
        <translation>слишком много стилей</translation>
    </message>
    <message>
        <source>неправильная ссылка на ячейку %1</source>
        <translation>неправильная ссылка на ячейку %1</translation>
    </message>
    <message>
        <source>неправильная ссылка на строку</source>
        <translation>неправильная ссылка на строку</translation>
    </message>
    <message>
        <source>Принять</source>
        <translation>Принять</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>EXCEL file</source>
        <translation>Книга Excel</translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation>Файл CSV</translation>
    </message>
    <message>
        <source>CVS file</source>
        <translation>Файл CSV</translation>
    </message>
    <message>
        <source>All number lists</source>
        <translation>Все списки номеров</translation>
    </message>
    <message>
        <source>(*.*)</source>
        <translation>Все файлы</translation>
    </message>
    <message>
        <source>Portiqa backup</source>
        <translation>Резервная копия Portiqa</translation>
    </message>
    <message>
        <source>Скачать</source>
        <translation>Скачать</translation>
    </message>
    <message>
        <source>Фильтр</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Показать все скачанные записи</source>
        <translation>Показать все скачанные записи</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Export.CSV</source>
        <translation>Экспорт CSV</translation>
    </message>
    <message>
        <source>Экспорт XLS</source>
        <translation>Экспорт XLS</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Удалить все</translation>
    </message>
    <message>
        <source>List a built-in simulated module (&quot;Simulated&quot;) first in the port list.</source>
        <translation>Показать встроенный симулятор модуля («Симулятор») первым в списке портов.</translation>
    </message>
    <message>
        <source>The window&apos;s language, ru or en (default: the one chosen in the window, else the system&apos;s).</source>
        <translation>Язык окна, ru или en (по умолчанию выбранный в окне, иначе язык системы).</translation>
    </message>
    <message>
        <source>Portiqa Configurator: set up a GSM relay module over its serial port: log in with its password, read, edit and save its basic settings and its list of up to 3000 authorised numbers, download its event history, and exchange all three with spreadsheet and comma-separated files.
The user needs access to the serial port: on Debian, membership of the dialout group.</source>
        <translation>Portiqa Configurator: настройка GSM-модуля с реле через последовательный порт: вход по паролю модуля, чтение, изменение и сохранение базовых настроек и списка до 3000 разрешённых номеров, скачивание истории событий, обмен всем этим с книгами Excel и файлами CSV.
Пользователю нужен доступ к последовательному порту: в Debian — членство в группе dialout.</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Симулятор</translation>
    </message>
    <message>
        <source>Базовые
настройки</source>
        <translation>Базовые
настройки</translation>
    </message>
    <message>
        <source>Номера
пользователей</source>
        <translation>Номера
пользователей</translation>
    </message>
    <message>
        <source>История
событий</source>
        <translation>История
событий</translation>
    </message>
    <message>
        <source>Резервная
копия</source>
        <translation>Резервная
копия</translation>
    </message>
    <message>
        <source>Прочитать всю память GSM модуля (настройки, номера, историю) в файл</source>
        <translation>Прочитать всю память GSM модуля (настройки, номера, историю) в файл</translation>
    </message>
    <message>
        <source>Восстановить
из копии</source>
        <translation>Восстановить
из копии</translation>
    </message>
    <message>
        <source>Записать настройки и номера из резервной копии в этот GSM модуль</source>
        <translation>Записать настройки и номера из резервной копии в этот GSM модуль</translation>
    </message>
    <message>
        <source>COM Port:</source>
        <translation>COM-порт:</translation>
    </message>
    <message>
        <source>Войти</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Показать пароль</source>
        <translation>Показать пароль</translation>
    </message>
    <message>
        <source>Скрыть пароль</source>
        <translation>Скрыть пароль</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Вход</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>Язык программы</translation>
    </message>
    <message>
        <source>Sync time</source>
        <translation>Синхронизация времени</translation>
    </message>
    <message>
        <source>Checking mode</source>
        <translation>Режим проверки</translation>
    </message>
    <message>
        <source>Прервать</source>
        <translation>Прервать</translation>
    </message>
    <message>
        <source>Прервать обмен с GSM модулем (Esc)</source>
        <translation>Прервать обмен с GSM модулем (Esc)</translation>
    </message>
    <message>
        <source>Порт открыт</source>
        <translation>Порт открыт</translation>
    </message>
    <message>
        <source>Порт закрыт</source>
        <translation>Порт закрыт</translation>
    </message>
    <message>
        <source>закрыть порт</source>
        <translation>закрыть порт</translation>
    </message>
    <message>
        <source>Выйти</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>настроек</source>
        <translation>настроек</translation>
    </message>
    <message>
        <source>номеров</source>
        <translation>номеров</translation>
    </message>
    <message>
        <source>Изменения в таблице %1 не сохранены в GSM модуль.<byte value="xd"/>Сохранить их, прежде чем %2?</source>
        <translation>Изменения в таблице %1 не сохранены в GSM модуль.<byte value="xd"/>Сохранить их, прежде чем %2?</translation>
    </message>
    <message>
        <source> и </source>
        <translation> и </translation>
    </message>
    <message>
        <source>закрыть программу</source>
        <translation>закрыть программу</translation>
    </message>
    <message>
        <source>восстановить модуль из копии</source>
        <translation>восстановить модуль из копии</translation>
    </message>
    <message>
        <source>скачать настройки</source>
        <translation>скачать настройки</translation>
    </message>
    <message>
        <source>скачать список</source>
        <translation>скачать список</translation>
    </message>
    <message>
        <source>импортировать файл</source>
        <translation>импортировать файл</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Импорт  XLS</source>
        <translation>Импорт  XLS</translation>
    </message>
    <message>
        <source>Без ограничений
всем</source>
        <translation>Без ограничений
всем</translation>
    </message>
    <message>
        <source>Удалить всех</source>
        <translation>Удалить всех</translation>
    </message>
    <message>
        <source>Export .CSV</source>
        <translation>Экспорт CSV</translation>
    </message>
    <message>
        <source>Найти далее</source>
        <translation>Найти далее</translation>
    </message>
    <message>
        <source>Список неполный: прочитано %1 из %2 страниц</source>
        <translation>Список неполный: прочитано %1 из %2 страниц</translation>
    </message>
    <message>
        <source>Скачать
настройки</source>
        <translation>Скачать
настройки</translation>
    </message>
    <message>
        <source>Сохранить
настройки</source>
        <translation>Сохранить
настройки</translation>
    </message>
    <message>
        <source>Импортировать
файл</source>
        <translation>Импортировать
файл</translation>
    </message>
    <message>
        <source>Экспортировать
файл</source>
        <translation>Экспортировать
файл</translation>
    </message>
    <message>
        <source>historical information records:%1/%2</source>
        <translation>записи истории: %1/%2</translation>
    </message>
    <message>
        <source>Export.csv:%1/%2</source>
        <translation>Экспорт CSV: %1/%2</translation>
    </message>
    <message>
        <source>COM Port</source>
        <translation>COM-порт</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>Телефон</translation>
    </message>
    <message>
        <source>Add number</source>
        <translation>Добавлен номер</translation>
    </message>
    <message>
        <source>Delete Number</source>
        <translation>Удалён номер</translation>
    </message>
    <message>
        <source>Relay ON</source>
        <translation>Реле включено</translation>
    </message>
    <message>
        <source>Relay OFF</source>
        <translation>Реле выключено</translation>
    </message>
    <message>
        <source>DIN1 Alarm</source>
        <translation>Тревога DIN1</translation>
    </message>
    <message>
        <source>DIN2 Alarm</source>
        <translation>Тревога DIN2</translation>
    </message>
    <message>
        <source>Power failure</source>
        <translation>Отключение питания</translation>
    </message>
    <message>
        <source>Arm</source>
        <translation>Постановка на охрану</translation>
    </message>
    <message>
        <source>Disarm</source>
        <translation>Снятие с охраны</translation>
    </message>
    <message>
        <source>Power recovery</source>
        <translation>Питание восстановлено</translation>
    </message>
    <message>
        <source>Power supply</source>
        <translation>Питание</translation>
    </message>
    <message>
        <source>Внимание! Эта операция удалит всю историю сохраненную в GSM модуле </source>
        <translation>Внимание! Эта операция удалит всю историю сохраненную в GSM модуле </translation>
    </message>
    <message>
        <source>Reading historical data</source>
        <translation>Чтение истории</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>От</source>
        <translation>От</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Абонент</source>
        <translation>Абонент</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Ready to order</source>
        <translation>Подготовка к сортировке</translation>
    </message>
    <message>
        <source>Invalid</source>
        <translation>Неверные данные</translation>
    </message>
    <message>
        <source>Records:</source>
        <translation>Записи:</translation>
    </message>
    <message>
        <source>Нет правильных записей</source>
        <translation>Нет правильных записей</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Нет записей</source>
        <translation>Нет записей</translation>
    </message>
    <message>
        <source>Sort date</source>
        <translation>Сортировка по дате</translation>
    </message>
    <message>
        <source>Записи с неправильной датой или временем не показаны: %1</source>
        <translation>Записи с неправильной датой или временем не показаны: %1</translation>
    </message>
    <message>
        <source>This serial port already opened</source>
        <translation>Этот последовательный порт уже открыт</translation>
    </message>
    <message>
        <source>Error opening serial port</source>
        <translation>Ошибка открытия последовательного порта</translation>
    </message>
    <message>
        <source>no port name</source>
        <translation>не указано имя порта</translation>
    </message>
    <message>
        <source>File handle is not a comm handle </source>
        <translation>Это устройство не является последовательным портом </translation>
    </message>
    <message>
        <source>Cannot set the line settings</source>
        <translation>Не удалось установить параметры линии</translation>
    </message>
    <message>
        <source>Unable to create event</source>
        <translation>Не удалось создать событие</translation>
    </message>
    <message>
        <source>Unable to create read thread</source>
        <translation>Не удалось запустить поток чтения</translation>
    </message>
    <message>
        <source>Unable to create write thread</source>
        <translation>Не удалось запустить поток записи</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1 (все). Проверка записи не завершена: прочитайте данные и сравните</source>
        <translation><byte value="xd"/>Записано страниц: %1 (все). Проверка записи не завершена: прочитайте данные и сравните</translation>
    </message>
    <message>
        <source><byte value="xd"/>Записано страниц: %1. Сохраните ещё раз, чтобы записать остальные</source>
        <translation><byte value="xd"/>Записано страниц: %1. Сохраните ещё раз, чтобы записать остальные</translation>
    </message>
    <message>
        <source>Возврат времени синхронизации в норму</source>
        <translation>Возврат времени синхронизации в норму</translation>
    </message>
    <message>
        <source>Ошибка возврата времени синхронизации</source>
        <translation>Ошибка возврата времени синхронизации</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Выполнено</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>История данных удалена</source>
        <translation>История данных удалена</translation>
    </message>
    <message>
        <source>Ошибка при удалении исторических данных</source>
        <translation>Ошибка при удалении исторических данных</translation>
    </message>
    <message>
        <source>GSM модуль отказался записать страницу 0x%1</source>
        <translation>GSM модуль отказался записать страницу 0x%1</translation>
    </message>
    <message>
        <source>Ошибка базовой настройки</source>
        <translation>Ошибка базовой настройки</translation>
    </message>
    <message>
        <source>Ошибка данных списка номеров</source>
        <translation>Ошибка данных списка номеров</translation>
    </message>
    <message>
        <source>Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите</source>
        <translation>Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите</translation>
    </message>
    <message>
        <source>Обмен с GSM модулем прерван</source>
        <translation>Обмен с GSM модулем прерван</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущего обмена с GSM модулем</source>
        <translation>Дождитесь окончания текущего обмена с GSM модулем</translation>
    </message>
    <message>
        <source>Записано страниц: %1</source>
        <translation>Записано страниц: %1</translation>
    </message>
    <message>
        <source>Проверка записи не пройдена: страницы </source>
        <translation>Проверка записи не пройдена: страницы </translation>
    </message>
    <message>
        <source><byte value="xd"/>Модуль хранит на этих страницах не то, что было записано; сохраните ещё раз</source>
        <translation><byte value="xd"/>Модуль хранит на этих страницах не то, что было записано; сохраните ещё раз</translation>
    </message>
    <message>
        <source>Текст &quot;%1&quot; содержит символы, которые GSM модуль не может сохранить</source>
        <translation>Текст &quot;%1&quot; содержит символы, которые GSM модуль не может сохранить</translation>
    </message>
    <message>
        <source>Invalid data</source>
        <translation>Неверные данные</translation>
    </message>
    <message>
        <source>Unexpected reply</source>
        <translation>Неожиданный ответ</translation>
    </message>
    <message>
        <source>Receives the data synchronization command returns</source>
        <translation>Получен ответ на команду синхронизации</translation>
    </message>
    <message>
        <source>Delete command</source>
        <translation>Команда удаления</translation>
    </message>
    <message>
        <source>Undefined address</source>
        <translation>Неизвестный адрес</translation>
    </message>
    <message>
        <source>Save basic settings</source>
        <translation>Сохранение базовых настроек</translation>
    </message>
    <message>
        <source>Save pages:</source>
        <translation>Запись страниц:</translation>
    </message>
    <message>
        <source>Save number list:</source>
        <translation>Запись списка номеров:</translation>
    </message>
    <message>
        <source>Reading basic setting</source>
        <translation>Чтение базовых настроек</translation>
    </message>
    <message>
        <source>Reading number list:</source>
        <translation>Чтение списка номеров:</translation>
    </message>
    <message>
        <source>Reading historical data:</source>
        <translation>Чтение истории:</translation>
    </message>
    <message>
        <source>Reading pages:</source>
        <translation>Чтение страниц:</translation>
    </message>
    <message>
        <source>Повтор запроса %1/%2</source>
        <translation>Повтор запроса %1/%2</translation>
    </message>
    <message>
        <source>Data communication</source>
        <translation>Обмен данными</translation>
    </message>
    <message>
        <source>Verifying %1/%2</source>
        <translation>Проверка %1/%2</translation>
    </message>
    <message>
        <source>Verifying again</source>
        <translation>Повторная проверка</translation>
    </message>
    <message>
        <source>Save again</source>
        <translation>Повторная запись</translation>
    </message>
    <message>
        <source>Password verifying</source>
        <translation>Проверка пароля</translation>
    </message>
    <message>
        <source>Send sync time command</source>
        <translation>Отправка команды синхронизации времени</translation>
    </message>
    <message>
        <source>Добавлено: %1, изменено: %2, удалено: %3, без изменений: %4</source>
        <translation>Добавлено: %1, изменено: %2, удалено: %3, без изменений: %4</translation>
    </message>
    <message>
        <source>(нет)</source>
        <translation>(нет)</translation>
    </message>
    <message>
        <source>, без ограничений</source>
        <translation>, без ограничений</translation>
    </message>
    <message>
        <source>Истекло: %1, истекает в течение %2 дней: %3</source>
        <translation>Истекло: %1, истекает в течение %2 дней: %3</translation>
    </message>
    <message>
        <source>Save:%1/%2</source>
        <translation>Сохранение: %1/%2</translation>
    </message>
    <message>
        <source>запись %1: %2</source>
        <translation>запись %1: %2</translation>
    </message>
    <message>
        <source>Файл не импортирован: записей с ошибками %1</source>
        <translation>Файл не импортирован: записей с ошибками %1</translation>
    </message>
    <message>
        <source> (показаны первые 20)</source>
        <translation> (показаны первые 20)</translation>
    </message>
    <message>
        <source>Import.xls</source>
        <translation>Импорт XLS</translation>
    </message>
    <message>
        <source>Неправильный формат профиля настроек</source>
        <translation>Неправильный формат профиля настроек</translation>
    </message>
    <message>
        <source>В файле больше 3000 записей (строка %1): GSM модуль хранит не более 3000 номеров. Ничего не импортировано</source>
        <translation>В файле больше 3000 записей (строка %1): GSM модуль хранит не более 3000 номеров. Ничего не импортировано</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Номер абонента</source>
        <translation>Номер абонента</translation>
    </message>
    <message>
        <source>Дата начала</source>
        <translation>Дата начала</translation>
    </message>
    <message>
        <source>Время начала</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <source>Дата окончания</source>
        <translation>Дата окончания</translation>
    </message>
    <message>
        <source>Время окончания</source>
        <translation>Время окончания</translation>
    </message>
    <message>
        <source>Без ограничений</source>
        <translation>Без ограничений</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Неправильный номер абонента: допускаются только «+» и цифры, не более 22 символов. Всего:</source>
        <translation>Неправильный номер абонента: допускаются только «+» и цифры, не более 22 символов. Всего:</translation>
    </message>
    <message>
        <source>Неправильная дата или время (формат ГГГГ/ММ/ДД и ЧЧ:ММ, годы 2000-2099). Всего:</source>
        <translation>Неправильная дата или время (формат ГГГГ/ММ/ДД и ЧЧ:ММ, годы 2000-2099). Всего:</translation>
    </message>
    <message>
        <source>номер «%1»: только «+» и цифры, не более 22</source>
        <translation>номер «%1»: только «+» и цифры, не более 22</translation>
    </message>
    <message>
        <source>дата начала</source>
        <translation>дата начала</translation>
    </message>
    <message>
        <source>время начала</source>
        <translation>время начала</translation>
    </message>
    <message>
        <source>дата окончания</source>
        <translation>дата окончания</translation>
    </message>
    <message>
        <source>время окончания</source>
        <translation>время окончания</translation>
    </message>
    <message>
        <source>не указана %1: заполните окно или выберите «Без ограничений»</source>
        <translation>не указана %1: заполните окно или выберите «Без ограничений»</translation>
    </message>
    <message>
        <source>%1 «%2»: GSM модуль хранит годы 2000-2099</source>
        <translation>%1 «%2»: GSM модуль хранит годы 2000-2099</translation>
    </message>
    <message>
        <source>%1 «%2» не существует</source>
        <translation>%1 «%2» не существует</translation>
    </message>
    <message>
        <source>Скачать все номера, сохраненные в GSM модуле?</source>
        <translation>Скачать все номера, сохраненные в GSM модуле?</translation>
    </message>
    <message>
        <source>Список номеров GSM модуля прочитан не полностью: сохранение отменено. Сохраните ещё раз.</source>
        <translation>Список номеров GSM модуля прочитан не полностью: сохранение отменено. Сохраните ещё раз.</translation>
    </message>
    <message>
        <source>Сохранить список номеров в GSM модуль?<byte value="xd"/></source>
        <translation>Сохранить список номеров в GSM модуль?<byte value="xd"/></translation>
    </message>
    <message>
        <source>Reading telephone number information</source>
        <translation>Чтение списка номеров</translation>
    </message>
    <message>
        <source>Save list</source>
        <translation>Сохранение списка</translation>
    </message>
    <message>
        <source><byte value="xd"/>Модуль сам изменил записи: %1 — они сохранены как в модуле</source>
        <translation><byte value="xd"/>Модуль сам изменил записи: %1 — они сохранены как в модуле</translation>
    </message>
    <message>
        <source>Список номеров сохранён не полностью: GSM модуль сам изменил записи %1, которые изменены и в таблице; их страницы не записаны. Скачайте список и решите, что сохранить.<byte value="xd"/>%2</source>
        <translation>Список номеров сохранён не полностью: GSM модуль сам изменил записи %1, которые изменены и в таблице; их страницы не записаны. Скачайте список и решите, что сохранить.<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>Список авторизованных номеров успешно сохранен</source>
        <translation>Список авторизованных номеров успешно сохранен</translation>
    </message>
    <message>
        <source>Read settings</source>
        <translation>Чтение настроек</translation>
    </message>
    <message>
        <source>Password verifing</source>
        <translation>Проверка пароля</translation>
    </message>
    <message>
        <source>Пароль подтвержден!</source>
        <translation>Пароль подтвержден!</translation>
    </message>
    <message>
        <source>Неверный пароль!</source>
        <translation>Неверный пароль!</translation>
    </message>
    <message>
        <source>Прочитать базовые настройки GSM модуля? </source>
        <translation>Прочитать базовые настройки GSM модуля? </translation>
    </message>
    <message>
        <source>Настройки не сохранены: GSM модуль сам изменил строки %1, которые изменены и в таблице. Скачайте настройки и решите, что сохранить.</source>
        <translation>Настройки не сохранены: GSM модуль сам изменил строки %1, которые изменены и в таблице. Скачайте настройки и решите, что сохранить.</translation>
    </message>
    <message>
        <source>Сохранить настройки в GSM модуль?<byte value="xd"/></source>
        <translation>Сохранить настройки в GSM модуль?<byte value="xd"/></translation>
    </message>
    <message>
        <source>Базовые настройки считаны</source>
        <translation>Базовые настройки считаны</translation>
    </message>
    <message>
        <source>Базовые настройки сохранены успешно</source>
        <translation>Базовые настройки сохранены успешно</translation>
    </message>
    <message>
        <source><byte value="xd"/>GSM модуль сам изменил строки: %1 — они сохранены как в модуле</source>
        <translation><byte value="xd"/>GSM модуль сам изменил строки: %1 — они сохранены как в модуле</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Сохранение настроек</translation>
    </message>
    <message>
        <source>The first page</source>
        <translation>Первая страница</translation>
    </message>
    <message>
        <source>The second page</source>
        <translation>Вторая страница</translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation>Сохранение профиля</translation>
    </message>
    <message>
        <source>Профиль не загружен. </source>
        <translation>Профиль не загружен. </translation>
    </message>
    <message>
        <source>Load profile</source>
        <translation>Загрузка профиля</translation>
    </message>
    <message>
        <source>Строка %1: </source>
        <translation>Строка %1: </translation>
    </message>
    <message>
        <source>текст пишется латинскими буквами, цифрами и знаками, а не «%1»</source>
        <translation>текст пишется латинскими буквами, цифрами и знаками, а не «%1»</translation>
    </message>
    <message>
        <source>текст «%1» содержит символы, которые GSM модуль не может сохранить</source>
        <translation>текст «%1» содержит символы, которые GSM модуль не может сохранить</translation>
    </message>
    <message>
        <source>нужно число от %1 до %2, а не «%3»</source>
        <translation>нужно число от %1 до %2, а не «%3»</translation>
    </message>
    <message>
        <source>выберите из списка (%1), а не «%2»</source>
        <translation>выберите из списка (%1), а не «%2»</translation>
    </message>
    <message>
        <source>(пусто)</source>
        <translation>(пусто)</translation>
    </message>
    <message>
        <source>строка %1: %2 → %3</source>
        <translation>строка %1: %2 → %3</translation>
    </message>
    <message>
        <source>1.Пароль</source>
        <translation>1.Пароль</translation>
    </message>
    <message>
        <source>5807</source>
        <translation>5807</translation>
    </message>
    <message>
        <source>2.Номер телефона сим карты установленной в GSM модуль</source>
        <translation>2.Номер телефона сим карты установленной в GSM модуль</translation>
    </message>
    <message>
        <source>Введите номер телефона сим карты установленной в GSM модуль</source>
        <translation>Введите номер телефона сим карты установленной в GSM модуль</translation>
    </message>
    <message>
        <source>3.Тип контакта датчика 1</source>
        <translation>3.Тип контакта датчика 1</translation>
    </message>
    <message>
        <source>NO. Для изменения сделайте выбор из списка</source>
        <translation>NO. Для изменения сделайте выбор из списка</translation>
    </message>
    <message>
        <source>4.Тип контакта датчика 2</source>
        <translation>4.Тип контакта датчика 2</translation>
    </message>
    <message>
        <source>5.Текст оповещения при срабатывании датчика 1</source>
        <translation>5.Текст оповещения при срабатывании датчика 1</translation>
    </message>
    <message>
        <source>Unauthorized door opened. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Unauthorized door opened. Можно изменить текст не более 40 символов латинскими буквами</translation>
    </message>
    <message>
        <source>6.Текст оповещения при срабатывании датчика 2</source>
        <translation>6.Текст оповещения при срабатывании датчика 2</translation>
    </message>
    <message>
        <source>DIN2 Alarm. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>DIN2 Alarm. Можно изменить текст не более 40 символов латинскими буквами</translation>
    </message>
    <message>
        <source>7.Время автоматической активации режима охраны после звонка пользователя</source>
        <translation>7.Время автоматической активации режима охраны после звонка пользователя</translation>
    </message>
    <message>
        <source>10 минут. Можно установить от 001 до 999 минут</source>
        <translation>10 минут. Можно установить от 001 до 999 минут</translation>
    </message>
    <message>
        <source>8.Постановка/снятие с охраны</source>
        <translation>8.Постановка/снятие с охраны</translation>
    </message>
    <message>
        <source>Снято. Для изменения сделайте выбор из списка</source>
        <translation>Снято. Для изменения сделайте выбор из списка</translation>
    </message>
    <message>
        <source>9.Выбор пользователей для управления GSM модулем</source>
        <translation>9.Выбор пользователей для управления GSM модулем</translation>
    </message>
    <message>
        <source>Только зарегистрированным пользователям. Для изменения сделайте выбор из списка</source>
        <translation>Только зарегистрированным пользователям. Для изменения сделайте выбор из списка</translation>
    </message>
    <message>
        <source>10.Время нахождения реле в замкнутом состоянии</source>
        <translation>10.Время нахождения реле в замкнутом состоянии</translation>
    </message>
    <message>
        <source>0-означает 0,5 секунды. Можно установить от 0,5 до 998 секунд. 999-замкнуто до следующего звонка</source>
        <translation>0-означает 0,5 секунды. Можно установить от 0,5 до 998 секунд. 999-замкнуто до следующего звонка</translation>
    </message>
    <message>
        <source>11.Выбор пользователей для получения смс сообщений когда реле находится в замкнутом состоянии</source>
        <translation>11.Выбор пользователей для получения смс сообщений когда реле находится в замкнутом состоянии</translation>
    </message>
    <message>
        <source>Всем. Для изменения сделайте выбор из списка</source>
        <translation>Всем. Для изменения сделайте выбор из списка</translation>
    </message>
    <message>
        <source>12.Выбор пользователей для получения смс сообщений когда реле находится в разомкнутом состоянии</source>
        <translation>12.Выбор пользователей для получения смс сообщений когда реле находится в разомкнутом состоянии</translation>
    </message>
    <message>
        <source>13.Текст смс сообщения когда реле находится в замкнутом состоянии</source>
        <translation>13.Текст смс сообщения когда реле находится в замкнутом состоянии</translation>
    </message>
    <message>
        <source>Relay ON. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Relay ON. Можно изменить текст не более 40 символов латинскими буквами</translation>
    </message>
    <message>
        <source>14.Текст смс сообщения когда реле находится в разомкнутом состоянии</source>
        <translation>14.Текст смс сообщения когда реле находится в разомкнутом состоянии</translation>
    </message>
    <message>
        <source>Relay OFF. Можно изменить текст не более 40 символов латинскими буквами</source>
        <translation>Relay OFF. Можно изменить текст не более 40 символов латинскими буквами</translation>
    </message>
    <message>
        <source>15.Время задержки смс сообщения после отключения питания</source>
        <translation>15.Время задержки смс сообщения после отключения питания</translation>
    </message>
    <message>
        <source>999-отключено. 000-включение функции без задержки, 001-998 задержка в минутах</source>
        <translation>999-отключено. 000-включение функции без задержки, 001-998 задержка в минутах</translation>
    </message>
    <message>
        <source>16.Временной интервал смс сообщения о состоянии GSM модуля</source>
        <translation>16.Временной интервал смс сообщения о состоянии GSM модуля</translation>
    </message>
    <message>
        <source>0-отключено. 001-999 временной интервал в часах</source>
        <translation>0-отключено. 001-999 временной интервал в часах</translation>
    </message>
    <message>
        <source>0:Никому</source>
        <translation>0:Никому</translation>
    </message>
    <message>
        <source>1:Администратор</source>
        <translation>1:Администратор</translation>
    </message>
    <message>
        <source>2:Пользователь</source>
        <translation>2:Пользователь</translation>
    </message>
    <message>
        <source>3:Всем</source>
        <translation>3:Всем</translation>
    </message>
    <message>
        <source>0:Снято</source>
        <translation>0:Снято</translation>
    </message>
    <message>
        <source>1:Поставлено</source>
        <translation>1:Поставлено</translation>
    </message>
    <message>
        <source>0:Всем</source>
        <translation>0:Всем</translation>
    </message>
    <message>
        <source>1:Только зарегистрированным пользователям</source>
        <translation>1:Только зарегистрированным пользователям</translation>
    </message>
    <message>
        <source>Функции</source>
        <translation>Функции</translation>
    </message>
    <message>
        <source>Значения</source>
        <translation>Значения</translation>
    </message>
    <message>
        <source>Заводские настройки</source>
        <translation>Заводские настройки</translation>
    </message>
    <message>
        <source>Строка %1: выберите значение из списка</source>
        <translation>Строка %1: выберите значение из списка</translation>
    </message>
    <message>
        <source>Строка %1: только цифры, не более %2</source>
        <translation>Строка %1: только цифры, не более %2</translation>
    </message>
    <message>
        <source>Строка %1: не более %2 символов</source>
        <translation>Строка %1: не более %2 символов</translation>
    </message>
    <message>
        <source>Строка %1: не более %2 знаков</source>
        <translation>Строка %1: не более %2 знаков</translation>
    </message>
    <message>
        <source>Строка %1: текст пишется латинскими буквами</source>
        <translation>Строка %1: текст пишется латинскими буквами</translation>
    </message>
    <message>
        <source>байт %1</source>
        <translation>байт %1</translation>
    </message>
    <message>
        <source>(не выбрано)</source>
        <translation>(не выбрано)</translation>
    </message>
    <message>
        <source>A simulated GSM relay module on a pseudo-terminal. Open the printed path (or --link) like a serial port.</source>
        <translation>Симулятор GSM-модуля с реле на псевдотерминале. Откройте напечатанный путь (или --link) как последовательный порт.</translation>
    </message>
    <message>
        <source>Create a symbolic link PATH to the terminal.</source>
        <translation>Создать символическую ссылку PATH на терминал.</translation>
    </message>
    <message>
        <source>Keep the module&apos;s memory in FILE; every save is written through.</source>
        <translation>Хранить память модуля в FILE; каждое сохранение записывается сразу.</translation>
    </message>
    <message>
        <source>Fill N authorised numbers.</source>
        <translation>Заполнить N разрешённых номеров.</translation>
    </message>
    <message>
        <source>Fill N history records.</source>
        <translation>Заполнить N записей истории.</translation>
    </message>
    <message>
        <source>The module&apos;s password.</source>
        <translation>Пароль модуля.</translation>
    </message>
    <message>
        <source>Wait MS before every reply.</source>
        <translation>Ждать MS миллисекунд перед каждым ответом.</translation>
    </message>
    <message>
        <source>Pace replies as a line at N baud.</source>
        <translation>Отвечать со скоростью линии N бод.</translation>
    </message>
    <message>
        <source>Stop answering after N requests.</source>
        <translation>Перестать отвечать после N запросов.</translation>
    </message>
    <message>
        <source>Leave every N-th request unanswered.</source>
        <translation>Не отвечать на каждый N-й запрос.</translation>
    </message>
    <message>
        <source>Change one byte of every N-th reply.</source>
        <translation>Изменять один байт в каждом N-м ответе.</translation>
    </message>
    <message>
        <source>Answer every save with status 0.</source>
        <translation>Отвечать на каждую запись статусом 0.</translation>
    </message>
    <message>
        <source>Send stray bytes between replies.</source>
        <translation>Посылать лишние байты между ответами.</translation>
    </message>
    <message>
        <source>The language of help and messages, ru or en.</source>
        <translation>Язык справки и сообщений, ru или en.</translation>
    </message>
    <message>
        <source>openpty: %1</source>
        <translation>openpty: %1</translation>
    </message>
    <message>
        <source>cannot create the link %1</source>
        <translation>не удалось создать ссылку %1</translation>
    </message>
    <message>
        <source>(номер SIM не задан)</source>
        <translation>(номер SIM не задан)</translation>
    </message>
    <message>
        <source>
(needs --clone): nothing written</source>
        <translation>
(нужен ключ --clone): ничего не записано</translation>
    </message>
    <message>
        <source>Модуль: %1</source>
        <translation>Модуль: %1</translation>
    </message>
    <message>
        <source>Сначала войдите в GSM модуль: введите пароль и нажмите «Вход». Ничего не записано</source>
        <translation>Сначала войдите в GSM модуль: введите пароль и нажмите «Вход». Ничего не записано</translation>
    </message>
    <message>
        <source>Настройки прочитаны из модуля %1, записать их в модуль %2?</source>
        <translation>Настройки прочитаны из модуля %1, записать их в модуль %2?</translation>
    </message>
    <message>
        <source>Список номеров прочитан из модуля %1, записать его в модуль %2?</source>
        <translation>Список номеров прочитан из модуля %1, записать его в модуль %2?</translation>
    </message>
    <message>
        <source>Резервная копия снята с модуля %1, записать её в модуль %2?</source>
        <translation>Резервная копия снята с модуля %1, записать её в модуль %2?</translation>
    </message>
    <message>
        <source>give either --record or --no-record</source>
        <translation>укажите либо --record, либо --no-record</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli log&apos; takes at most one module</source>
        <translation>«portiqa-cli log» принимает не больше одного модуля</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli name&apos; takes a module and its new name</source>
        <translation>«portiqa-cli name» принимает модуль и его новое имя</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli diff&apos; takes two things to compare</source>
        <translation>«portiqa-cli diff» принимает два предмета сравнения</translation>
    </message>
    <message>
        <source>--no-record: there is no record to read</source>
        <translation>--no-record: журнала для чтения нет</translation>
    </message>
    <message>
        <source>Журнал модулей недоступен: %1</source>
        <translation>Журнал модулей недоступен: %1</translation>
    </message>
    <message>
        <source>модуль %1 не найден в журнале</source>
        <translation>модуль %1 не найден в журнале</translation>
    </message>
    <message>
        <source>Модуль %1 (%2)</source>
        <translation>Модуль %1 (%2)</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>запись</translation>
    </message>
    <message>
        <source>не завершена</source>
        <translation>не завершена</translation>
    </message>
    <message>
        <source>	страниц записано: %1, проверено: %2</source>
        <translation>	страниц записано: %1, проверено: %2</translation>
    </message>
    <message>
        <source>	из файла %1 (SHA-256 %2)</source>
        <translation>	из файла %1 (SHA-256 %2)</translation>
    </message>
    <message>
        <source>%1: профиль настроек не принят</source>
        <translation>%1: профиль настроек не принят</translation>
    </message>
    <message>
        <source>%1: список номеров не принят</source>
        <translation>%1: список номеров не принят</translation>
    </message>
    <message>
        <source>модуль %1</source>
        <translation>модуль %1</translation>
    </message>
    <message>
        <source>модуль прочитан не полностью</source>
        <translation>модуль прочитан не полностью</translation>
    </message>
    <message>
        <source>снимка %1 нет в журнале</source>
        <translation>снимка %1 нет в журнале</translation>
    </message>
    <message>
        <source>%1: дата как 2026-03-15 или 2026-03-15T14:30</source>
        <translation>%1: дата как 2026-03-15 или 2026-03-15T14:30</translation>
    </message>
    <message>
        <source>%1: в журнале нет снимка на эту дату</source>
        <translation>%1: в журнале нет снимка на эту дату</translation>
    </message>
    <message>
        <source>запись %1: %2 → %3</source>
        <translation>запись %1: %2 → %3</translation>
    </message>
    <message>
        <source>%1 и %2: нечего сравнивать (нет общих настроек или списка номеров)</source>
        <translation>%1 и %2: нечего сравнивать (нет общих настроек или списка номеров)</translation>
    </message>
    <message>
        <source>не удалось создать папку %1</source>
        <translation>не удалось создать папку %1</translation>
    </message>
    <message>
        <source>не удалось создать файл %1: %2</source>
        <translation>не удалось создать файл %1: %2</translation>
    </message>
    <message>
        <source>адрес журнала %1 не понят: нужен postgresql://пользователь@сервер/база</source>
        <translation>адрес журнала %1 не понят: нужен postgresql://пользователь@сервер/база</translation>
    </message>
    <message>
        <source>пароль базы не указывается в адресе: возьмите ~/.pgpass или PGPASSWORD</source>
        <translation>пароль базы не указывается в адресе: возьмите ~/.pgpass или PGPASSWORD</translation>
    </message>
    <message>
        <source>нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)</source>
        <translation>нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)</translation>
    </message>
    <message>
        <source>журнал %1 не открывается: %2</source>
        <translation>журнал %1 не открывается: %2</translation>
    </message>
    <message>
        <source>журнал %1 не готов: %2</source>
        <translation>журнал %1 не готов: %2</translation>
    </message>
    <message>
        <source>журнал создан более новой версией программы (схема %1)</source>
        <translation>журнал создан более новой версией программы (схема %1)</translation>
    </message>
    <message>
        <source>снимка @%1 нет в журнале</source>
        <translation>снимка @%1 нет в журнале</translation>
    </message>
    <message>
        <source>снимок @%1 повреждён (%2)</source>
        <translation>снимок @%1 повреждён (%2)</translation>
    </message>
    <message>
        <source>Журнал модулей: %1<byte value="xd"/>Чтение продолжается; запись в GSM модуль не начнётся, пока журнал недоступен</source>
        <translation>Журнал модулей: %1<byte value="xd"/>Чтение продолжается; запись в GSM модуль не начнётся, пока журнал недоступен</translation>
    </message>
    <message>
        <source>модуль не внесён в журнал при входе</source>
        <translation>модуль не внесён в журнал при входе</translation>
    </message>
    <message>
        <source>Запись в GSM модуль не начата: журнал модулей недоступен (%1). Ничего не записано</source>
        <translation>Запись в GSM модуль не начата: журнал модулей недоступен (%1). Ничего не записано</translation>
    </message>
    <message>
        <source>Настройки: без изменений</source>
        <translation>Настройки: без изменений</translation>
    </message>
    <message>
        <source>Flip the same bit of two bytes in every N-th page read (the checksum still holds).</source>
        <translation>Менять один и тот же бит в двух байтах каждого N-го чтения страницы (контрольная сумма сходится).</translation>
    </message>
    <message>
        <source>Запись %1: в копии байты, которые не являются номером телефона</source>
        <translation>Запись %1: в копии байты, которые не являются номером телефона</translation>
    </message>
    <message>
        <source>Запись %1: %2</source>
        <translation>Запись %1: %2</translation>
    </message>
    <message>
        <source>Keep the module record at URL: a file, or postgresql://user@host/db (default: PORTIQA_RECORD, else the one set in the window, else a file in the user&apos;s data folder).</source>
        <translation>Вести журнал модулей по этому адресу: файл или postgresql://пользователь@сервер/база (по умолчанию из переменной окружения, иначе заданный в окне, иначе файл в папке данных пользователя).</translation>
    </message>
    <message>
        <source>Keep no module record.</source>
        <translation>Не вести журнал модулей.</translation>
    </message>
    <message>
        <source>Журнал
модуля</source>
        <translation>Журнал
модуля</translation>
    </message>
    <message>
        <source>Что читалось из модуля и записывалось в него: снимки, записи, сравнение</source>
        <translation>Что читалось из модуля и записывалось в него: снимки, записи, сравнение</translation>
    </message>
    <message>
        <source>Журнал модуля</source>
        <translation>Журнал модуля</translation>
    </message>
    <message>
        <source>Журнал модулей:</source>
        <translation>Журнал модулей:</translation>
    </message>
    <message>
        <source>файл журнала или postgresql://пользователь@сервер/база</source>
        <translation>файл журнала или postgresql://пользователь@сервер/база</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Пустое поле: файл журнала в папке пользователя</source>
        <translation>Пустое поле: файл журнала в папке пользователя</translation>
    </message>
    <message>
        <source>Модуль:</source>
        <translation>Модуль:</translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>например, Ворота, Лесная 5</source>
        <translation>например, Ворота, Лесная 5</translation>
    </message>
    <message>
        <source>Сохранить имя</source>
        <translation>Сохранить имя</translation>
    </message>
    <message>
        <source>Что</source>
        <translation>Что</translation>
    </message>
    <message>
        <source>Кто</source>
        <translation>Кто</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Подробности</translation>
    </message>
    <message>
        <source>Сравнить два снимка</source>
        <translation>Сравнить два снимка</translation>
    </message>
    <message>
        <source>Сравнить с таблицами</source>
        <translation>Сравнить с таблицами</translation>
    </message>
    <message>
        <source>Загрузить в таблицы</source>
        <translation>Загрузить в таблицы</translation>
    </message>
    <message>
        <source>Настройки и номера снимка попадут в таблицы; в модуль их запишет обычное сохранение</source>
        <translation>Настройки и номера снимка попадут в таблицы; в модуль их запишет обычное сохранение</translation>
    </message>
    <message>
        <source>снимок @%1: %2</source>
        <translation>снимок @%1: %2</translation>
    </message>
    <message>
        <source> (из файла %1)</source>
        <translation> (из файла %1)</translation>
    </message>
    <message>
        <source>; итог: %1, страниц записано: %2, проверено: %3</source>
        <translation>; итог: %1, страниц записано: %2, проверено: %3</translation>
    </message>
    <message>
        <source>Нечего сравнивать: нет общих настроек или списка номеров</source>
        <translation>Нечего сравнивать: нет общих настроек или списка номеров</translation>
    </message>
    <message>
        <source>Настройки:</source>
        <translation>Настройки:</translation>
    </message>
    <message>
        <source>Выберите два снимка (Ctrl+щелчок)</source>
        <translation>Выберите два снимка (Ctrl+щелчок)</translation>
    </message>
    <message>
        <source>Выберите один снимок</source>
        <translation>Выберите один снимок</translation>
    </message>
    <message>
        <source>таблицы</source>
        <translation>таблицы</translation>
    </message>
    <message>
        <source>настройки</source>
        <translation>настройки</translation>
    </message>
    <message>
        <source>номера</source>
        <translation>номера</translation>
    </message>
    <message>
        <source>Загружено в таблицы из снимка @%1: %2. В модуль их запишет кнопка «Сохранить».</source>
        <translation>Загружено в таблицы из снимка @%1: %2. В модуль их запишет кнопка «Сохранить».</translation>
    </message>
    <message>
        <source>эта сборка программы не ведёт журнал модулей (нет Qt SQL)</source>
        <translation>эта сборка программы не ведёт журнал модулей (нет Qt SQL)</translation>
    </message>
    <message>
        <source>Удаление всей истории событий</source>
        <translation>Удаление всей истории событий</translation>
    </message>
    <message>
        <source>Установка часов модуля по времени компьютера</source>
        <translation>Установка часов модуля по времени компьютера</translation>
    </message>
    <message>
        <source>Команда режима проверки</source>
        <translation>Команда режима проверки</translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>чтение</translation>
    </message>
    <message>
        <source>после записи</source>
        <translation>после записи</translation>
    </message>
    <message>
        <source>резервная копия</source>
        <translation>резервная копия</translation>
    </message>
    <message>
        <source>восстановление</source>
        <translation>восстановление</translation>
    </message>
    <message>
        <source>история</source>
        <translation>история</translation>
    </message>
    <message>
        <source>команда</source>
        <translation>команда</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>выполнено</translation>
    </message>
    <message>
        <source>не выполнено</source>
        <translation>не выполнено</translation>
    </message>
    <message>
        <source>модуль не ответил</source>
        <translation>модуль не ответил</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>прервано</translation>
    </message>
    <message>
        <source>другой модуль</source>
        <translation>другой модуль</translation>
    </message>
    <message>
        <source>журнал недоступен</source>
        <translation>журнал недоступен</translation>
    </message>
    <message>
        <source>запись: %1</source>
        <translation>запись: %1</translation>
    </message>
    <message>
        <source>Wait MS before the reply to every page save (instead of --latency).</source>
        <translation>Ждать MS миллисекунд перед ответом на каждую запись страницы (вместо --latency).</translation>
    </message>
    <message>
        <source>запись пароля</source>
        <translation>запись пароля</translation>
    </message>
    <message>
        <source>Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:</source>
        <translation>Отчёт не записан (%1): запуск остановлен. Строка, которой нет в отчёте:</translation>
    </message>
    <message>
        <source>Шаблон %1 — резервная копия со своим списком номеров: --numbers с ней не используется</source>
        <translation>Шаблон %1 — резервная копия со своим списком номеров: --numbers с ней не используется</translation>
    </message>
    <message>
        <source>строка настроек %1 указана в двух столбцах</source>
        <translation>строка настроек %1 указана в двух столбцах</translation>
    </message>
    <message>
        <source>строка %1: устройство «%2» уже указано как «%3»</source>
        <translation>строка %1: устройство «%2» уже указано как «%3»</translation>
    </message>
    <message>
        <source>строка %1 (%2): пароль %3 уже у устройства «%4»</source>
        <translation>строка %1 (%2): пароль %3 уже у устройства «%4»</translation>
    </message>
    <message>
        <source>строка %1 (%2): номер SIM %3 уже у устройства «%4»</source>
        <translation>строка %1 (%2): номер SIM %3 уже у устройства «%4»</translation>
    </message>
    <message>
        <source>в ней нет ни одного устройства</source>
        <translation>в ней нет ни одного устройства</translation>
    </message>
    <message>
        <source>Отчёт %1 не является обычным файлом</source>
        <translation>Отчёт %1 не является обычным файлом</translation>
    </message>
    <message>
        <source>Отчёт %1 уже ведёт другой запуск (процесс %2 на %3): два запуска с одним отчётом выдали бы одни и те же устройства</source>
        <translation>Отчёт %1 уже ведёт другой запуск (процесс %2 на %3): два запуска с одним отчётом выдали бы одни и те же устройства</translation>
    </message>
    <message>
        <source>Отчёт %1 больше 64 МБ: начните новый</source>
        <translation>Отчёт %1 больше 64 МБ: начните новый</translation>
    </message>
    <message>
        <source>«%1»: в файле есть даты и день/месяц/год, и месяц/день/год; запишите даты как ГГГГ-ММ-ДД</source>
        <translation>«%1»: в файле есть даты и день/месяц/год, и месяц/день/год; запишите даты как ГГГГ-ММ-ДД</translation>
    </message>
    <message>
        <source>«%1»: неясно, день или месяц идёт первым; запишите даты как ГГГГ-ММ-ДД или ДД.ММ.ГГГГ</source>
        <translation>«%1»: неясно, день или месяц идёт первым; запишите даты как ГГГГ-ММ-ДД или ДД.ММ.ГГГГ</translation>
    </message>
    <message>
        <source>«%1» не существует</source>
        <translation>«%1» не существует</translation>
    </message>
    <message>
        <source>«%1» — не дата (ГГГГ-ММ-ДД, ДД.ММ.ГГГГ, ДД/ММ/ГГГГ или ММ/ДД/ГГГГ)</source>
        <translation>«%1» — не дата (ГГГГ-ММ-ДД, ДД.ММ.ГГГГ, ДД/ММ/ГГГГ или ММ/ДД/ГГГГ)</translation>
    </message>
    <message>
        <source>«%1»: GSM модуль хранит часы и минуты, без секунд</source>
        <translation>«%1»: GSM модуль хранит часы и минуты, без секунд</translation>
    </message>
    <message>
        <source>«%1» — не время (ЧЧ:ММ)</source>
        <translation>«%1» — не время (ЧЧ:ММ)</translation>
    </message>
    <message>
        <source>«Без ограничений»: «%1» — ни да, ни нет (Да/Нет, Yes/No, 1/0)</source>
        <translation>«Без ограничений»: «%1» — ни да, ни нет (Да/Нет, 1/0)</translation>
    </message>
    <message>
        <source>окно кончается (%1 %2) раньше, чем начинается (%3 %4)</source>
        <translation>окно кончается (%1 %2) раньше, чем начинается (%3 %4)</translation>
    </message>
    <message>
        <source>номер %1 уже есть в записи %2</source>
        <translation>номер %1 уже есть в записи %2</translation>
    </message>
    <message>
        <source>Импортировано записей: %1</source>
        <translation>Импортировано записей: %1</translation>
    </message>
    <message>
        <source>«+» добавлен к номерам из 7 и десяти цифр (таблица хранила их как числа): %1</source>
        <translation>«+» добавлен к номерам из 7 и десяти цифр (таблица хранила их как числа): %1</translation>
    </message>
    <message>
        <source>даты с «/» прочитаны как ДД/ММ/ГГГГ</source>
        <translation>даты с «/» прочитаны как ДД/ММ/ГГГГ</translation>
    </message>
    <message>
        <source>даты с «/» прочитаны как ММ/ДД/ГГГГ</source>
        <translation>даты с «/» прочитаны как ММ/ДД/ГГГГ</translation>
    </message>
    <message>
        <source>В таблице записей: %1. Заменить их записями из файла (%2)?</source>
        <translation>В таблице записей: %1. Заменить их записями из файла (%2)?</translation>
    </message>
    <message>
        <source>Список номеров скачан не полностью (прочитано страниц: %1 из %2): сохранение удалило бы из GSM модуля номера, которых нет в таблице. Сохранение отменено: скачайте список целиком или импортируйте файл.</source>
        <translation>Список номеров скачан не полностью (прочитано страниц: %1 из %2): сохранение удалило бы из GSM модуля номера, которых нет в таблице. Сохранение отменено: скачайте список целиком или импортируйте файл.</translation>
    </message>
    <message>
        <source>Список номеров GSM модуля ещё не скачан в таблицу: сохранение удалило бы из модуля номера, которых в таблице нет (%1). Сохранение отменено: скачайте список, измените его и сохраните.</source>
        <translation>Список номеров GSM модуля ещё не скачан в таблицу: сохранение удалило бы из модуля номера, которых в таблице нет (%1). Сохранение отменено: скачайте список, измените его и сохраните.</translation>
    </message>
    <message>
        <source>Usage: portiqa-cli provision --template FILE [--numbers FILE] [--units UNITS.csv] --report REPORT.csv [--watch GLOB]... [--count N] [-P FACTORY_PIN | --password-file FILE] [--force] [--json]
</source>
        <translation>Вызов: portiqa-cli provision --template ФАЙЛ [--numbers ФАЙЛ] [--units УСТРОЙСТВА.csv] --report ОТЧЁТ.csv [--watch ШАБЛОН]... [--count N] [-P ЗАВОДСКОЙ_ПАРОЛЬ | --password-file ФАЙЛ] [--force] [--json]
</translation>
    </message>
    <message>
        <source>не начат: запуск завершается</source>
        <translation>не начат: запуск завершается</translation>
    </message>
    <message>
        <source>пароль должен состоять ровно из %1 цифр, а не «%2»</source>
        <translation>пароль должен состоять ровно из %1 цифр, а не «%2»</translation>
    </message>
    <message>
        <source>номер сим карты: только цифры и один «+» в начале, не более %1 знаков, а не «%2»</source>
        <translation>номер сим карты: только цифры и один «+» в начале, не более %1 знаков, а не «%2»</translation>
    </message>
    <message>
        <source>текст длиннее %1 символов (%2)</source>
        <translation>текст длиннее %1 символов (%2)</translation>
    </message>
    <message>
        <source>Строка %1: только цифры и «+» в начале, не более %2 знаков</source>
        <translation>Строка %1: только цифры и «+» в начале, не более %2 знаков</translation>
    </message>
    <message>
        <source>--set takes N=VALUE with N from 1 to %1</source>
        <translation>ключ --set принимает N=ЗНАЧЕНИЕ, где N от 1 до %1</translation>
    </message>
    <message>
        <source>столбец «%1»: нужен «unit» или номер строки настроек 1-%2</source>
        <translation>столбец «%1»: нужен «unit» или номер строки настроек 1-%2</translation>
    </message>
    <message>
        <source>Шаблон %1: в резервной копии нет страниц настроек</source>
        <translation>Шаблон %1: в резервной копии нет страниц настроек</translation>
    </message>
    <message>
        <source>Файл %1 уже существует. Заменить его?</source>
        <translation>Файл %1 уже существует. Заменить его?</translation>
    </message>
    <message>
        <source>Сохранено в файл: %1</source>
        <translation>Сохранено в файл: %1</translation>
    </message>
    <message>
        <source>Прочитать журнал событий из GSM модуля</source>
        <translation>Прочитать журнал событий из GSM модуля</translation>
    </message>
    <message>
        <source>Показать только записи между началом и концом</source>
        <translation>Показать только записи между началом и концом</translation>
    </message>
    <message>
        <source>Начало: дата</source>
        <translation>Начало: дата</translation>
    </message>
    <message>
        <source>Начало: время</source>
        <translation>Начало: время</translation>
    </message>
    <message>
        <source>Конец: дата</source>
        <translation>Конец: дата</translation>
    </message>
    <message>
        <source>Конец: время</source>
        <translation>Конец: время</translation>
    </message>
    <message>
        <source>Записи строго между началом и концом остаются после «Фильтр»</source>
        <translation>Записи строго между началом и концом остаются после «Фильтр»</translation>
    </message>
    <message>
        <source>Сохранить историю событий из таблицы в файл</source>
        <translation>Сохранить историю событий из таблицы в файл</translation>
    </message>
    <message>
        <source>Стереть журнал событий в GSM модуле</source>
        <translation>Стереть журнал событий в GSM модуле</translation>
    </message>
    <message>
        <source>История событий</source>
        <translation>История событий</translation>
    </message>
    <message>
        <source>Записи журнала модуля: дата, время, источник, действие, абонент, текст; щелчок по заголовку сортирует</source>
        <translation>Записи журнала модуля: дата, время, источник, действие, абонент, текст; щелчок по заголовку сортирует</translation>
    </message>
    <message>
        <source>Щелчок по заголовку столбца сортирует записи по нему</source>
        <translation>Щелчок по заголовку столбца сортирует записи по нему</translation>
    </message>
    <message>
        <source>Записей: %1</source>
        <translation>Записей: %1</translation>
    </message>
    <message>
        <source>Разделы</source>
        <translation>Разделы</translation>
    </message>
    <message>
        <source>Базовые настройки, номера пользователей, история событий</source>
        <translation>Базовые настройки, номера пользователей, история событий</translation>
    </message>
    <message>
        <source>Базовые настройки GSM модуля: чтение, запись, файлы</source>
        <translation>Базовые настройки GSM модуля: чтение, запись, файлы</translation>
    </message>
    <message>
        <source>Номера, которым разрешено управлять реле, и сроки их действия</source>
        <translation>Номера, которым разрешено управлять реле, и сроки их действия</translation>
    </message>
    <message>
        <source>Журнал событий GSM модуля: чтение, отбор по времени, файл</source>
        <translation>Журнал событий GSM модуля: чтение, отбор по времени, файл</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Открыть или закрыть выбранный порт</source>
        <translation>Открыть или закрыть выбранный порт</translation>
    </message>
    <message>
        <source>Пароль GSM модуля: 4 цифры</source>
        <translation>Пароль GSM модуля: 4 цифры</translation>
    </message>
    <message>
        <source>Проверить пароль и войти в GSM модуль</source>
        <translation>Проверить пароль и войти в GSM модуль</translation>
    </message>
    <message>
        <source>Прочитать список номеров из GSM модуля в таблицу</source>
        <translation>Прочитать список номеров из GSM модуля в таблицу</translation>
    </message>
    <message>
        <source>Записать изменённый список номеров в GSM модуль</source>
        <translation>Записать изменённый список номеров в GSM модуль</translation>
    </message>
    <message>
        <source>Загрузить список номеров из файла (xlsx, xls, csv) в таблицу</source>
        <translation>Загрузить список номеров из файла (xlsx, xls, csv) в таблицу</translation>
    </message>
    <message>
        <source>Сохранить список номеров из таблицы в файл</source>
        <translation>Сохранить список номеров из таблицы в файл</translation>
    </message>
    <message>
        <source>Снять ограничение срока действия со всех номеров таблицы</source>
        <translation>Снять ограничение срока действия со всех номеров таблицы</translation>
    </message>
    <message>
        <source>Отметить все номера таблицы для удаления</source>
        <translation>Отметить все номера таблицы для удаления</translation>
    </message>
    <message>
        <source>Поиск номера</source>
        <translation>Поиск номера</translation>
    </message>
    <message>
        <source>Перейти к следующему найденному номеру</source>
        <translation>Перейти к следующему найденному номеру</translation>
    </message>
    <message>
        <source>Номера пользователей</source>
        <translation>Номера пользователей</translation>
    </message>
    <message>
        <source>Номер, начало и конец срока действия, без ограничений, удалить; пробел или щелчок меняет отметку</source>
        <translation>Номер, начало и конец срока действия, без ограничений, удалить; пробел или щелчок меняет отметку</translation>
    </message>
    <message>
        <source>Прочитать базовые настройки из GSM модуля в таблицу</source>
        <translation>Прочитать базовые настройки из GSM модуля в таблицу</translation>
    </message>
    <message>
        <source>Записать изменённые настройки в GSM модуль</source>
        <translation>Записать изменённые настройки в GSM модуль</translation>
    </message>
    <message>
        <source>Загрузить настройки из файла в таблицу</source>
        <translation>Загрузить настройки из файла в таблицу</translation>
    </message>
    <message>
        <source>Сохранить настройки из таблицы в файл</source>
        <translation>Сохранить настройки из таблицы в файл</translation>
    </message>
    <message>
        <source>Базовые настройки</source>
        <translation>Базовые настройки</translation>
    </message>
    <message>
        <source>Параметр, его значение и подсказка; значение вводится с клавиатуры или выбирается из списка</source>
        <translation>Параметр, его значение и подсказка; значение вводится с клавиатуры или выбирается из списка</translation>
    </message>
    <message>
        <source>Пароль GSM модуля: только цифры, не более %1</source>
        <translation>Пароль GSM модуля: только цифры, не более %1</translation>
    </message>
    <message>
        <source>Введите пароль GSM модуля: %1 цифры</source>
        <translation>Введите пароль GSM модуля: %1 цифры</translation>
    </message>
    <message>
        <source><byte value="xd"/>Проверьте кабель, питание модуля и выбранный порт</source>
        <translation><byte value="xd"/>Проверьте кабель, питание модуля и выбранный порт</translation>
    </message>
    <message>
        <source>GSM модуль не отвечает</source>
        <translation>GSM модуль не отвечает</translation>
    </message>
    <message>
        <source><byte value="xd"/>Подключите GSM модуль, откройте порт, войдите и повторите</source>
        <translation><byte value="xd"/>Подключите GSM модуль, откройте порт, войдите и повторите</translation>
    </message>
    <message>
        <source>Сохранено записей: %1 в файл %2</source>
        <translation>Сохранено записей: %1 в файл %2</translation>
    </message>
    <message>
        <source>Цвета строк: серый — срок истёк; оранжевый — истекает в течение 7 дней; розовый и зачёркнутый — отмечен для удаления; зелёный — дата или время с ошибкой</source>
        <translation>Цвета строк: серый — срок истёк; оранжевый — истекает в течение 7 дней; розовый и зачёркнутый — отмечен для удаления; зелёный — дата или время с ошибкой</translation>
    </message>
    <message>
        <source>Отмечен для удаления: сохранение удалит номер из GSM модуля</source>
        <translation>Отмечен для удаления: сохранение удалит номер из GSM модуля</translation>
    </message>
    <message>
        <source>Такой даты или времени нет, или год вне 2000-2099: исправьте перед сохранением</source>
        <translation>Такой даты или времени нет, или год вне 2000-2099: исправьте перед сохранением</translation>
    </message>
    <message>
        <source>Срок действия истёк</source>
        <translation>Срок действия истёк</translation>
    </message>
    <message>
        <source>Срок действия истекает в течение 7 дней</source>
        <translation>Срок действия истекает в течение 7 дней</translation>
    </message>
    <message>
        <source>журнал модулей недоступен, устройство не выдано: %1</source>
        <translation>журнал модулей недоступен, устройство не выдано: %1</translation>
    </message>
    <message>
        <source>свободных устройств нет: остальные (%1) заняты другими модулями</source>
        <translation>свободных устройств нет: остальные (%1) заняты другими модулями</translation>
    </message>
    <message>
        <source>журнал модулей: %1</source>
        <translation>журнал модулей: %1</translation>
    </message>
    <message>
        <source>устройство %1 не выдаётся снова: модуль мог получить его пароль. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>устройство %1 не выдаётся снова: модуль мог получить его пароль. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</translation>
    </message>
    <message>
        <source>--record and --no-record exclude each other</source>
        <translation>--record и --no-record исключают друг друга</translation>
    </message>
    <message>
        <source>--release needs --units FILE or --batch NAME</source>
        <translation>--release нужен --units ФАЙЛ или --batch ИМЯ</translation>
    </message>
    <message>
        <source>--release works on the record: --no-record cannot be used</source>
        <translation>--release работает с журналом модулей: --no-record здесь нельзя</translation>
    </message>
    <message>
        <source>Устройство %1 свободно и будет выдано следующему модулю</source>
        <translation>Устройство %1 свободно и будет выдано следующему модулю</translation>
    </message>
    <message>
        <source>Журнал модулей нужен, чтобы устройство не досталось двум модулям: %1. Укажите другой (--record) или работайте без него (--no-record: второй запуск с этой таблицей будет отклонён)</source>
        <translation>Журнал модулей нужен, чтобы устройство не досталось двум модулям: %1. Укажите другой (--record) или работайте без него (--no-record: второй запуск с этой таблицей будет отклонён)</translation>
    </message>
    <message>
        <source>устройство %1: пароль мог быть записан в модуль на порту %2 (%3, %4): %5. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>устройство %1: пароль мог быть записан в модуль на порту %2 (%3, %4): %5. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</translation>
    </message>
    <message>
        <source>устройство %1: начато на порту %2 (%3) запуском, который прервался. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</source>
        <translation>устройство %1: начато на порту %2 (%3) запуском, который прервался. Проверьте модуль; если у него заводской пароль, освободите устройство: provision --release %1</translation>
    </message>
    <message>
        <source>устройство «%1» не найдено в журнале</source>
        <translation>устройство «%1» не найдено в журнале</translation>
    </message>
    <message>
        <source>освобождено оператором %1@%2</source>
        <translation>освобождено оператором %1@%2</translation>
    </message>
    <message>
        <source>устройство «%1» не занято (не начато, уже готово или свободно)</source>
        <translation>устройство «%1» не занято (не начато, уже готово или свободно)</translation>
    </message>
    <message>
        <source>уже настроен: устройство %1</source>
        <translation>уже настроен: устройство %1</translation>
    </message>
    <message>
        <source>повторная настройка: устройство %1</source>
        <translation>повторная настройка: устройство %1</translation>
    </message>
    <message>
        <source>Итог: настроено %1, не настроено %2</source>
        <translation>Итог: настроено %1, не настроено %2</translation>
    </message>
    <message>
        <source>, устройств осталось %1</source>
        <translation>, устройств осталось %1</translation>
    </message>
    <message>
        <source>. Модуль, который не настроен, сохранил свой пароль: подключите его снова</source>
        <translation>. Модуль, который не настроен, сохранил свой пароль: подключите его снова</translation>
    </message>
    <message>
        <source>Шаблон: строк настроек %1, список номеров: %2</source>
        <translation>Шаблон: строк настроек %1, список номеров: %2</translation>
    </message>
    <message>
        <source>нет (номера модулей не меняются)</source>
        <translation>нет (номера модулей не меняются)</translation>
    </message>
    <message>
        <source>Без таблицы устройств: каждый модуль получает шаблон</source>
        <translation>Без таблицы устройств: каждый модуль получает шаблон</translation>
    </message>
    <message>
        <source>шаблон без изменений</source>
        <translation>шаблон без изменений</translation>
    </message>
    <message>
        <source>Проверено: устройств %1, ничего не записано</source>
        <translation>Проверено: устройств %1, ничего не записано</translation>
    </message>
    <message>
        <source>--label-pin needs --labels PATH</source>
        <translation>--label-pin нужен --labels ПУТЬ</translation>
    </message>
    <message>
        <source>Этикетки: папка %1 недоступна для записи</source>
        <translation>Этикетки: папка %1 недоступна для записи</translation>
    </message>
    <message>
        <source>SIM: %1</source>
        <translation>SIM: %1</translation>
    </message>
    <message>
        <source>Пароль: %1</source>
        <translation>Пароль: %1</translation>
    </message>
    <message>
        <source>Этикетки: не удалось записать %1: %2</source>
        <translation>Этикетки: не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>Этикетки: не удалось записать %1</source>
        <translation>Этикетки: не удалось записать %1</translation>
    </message>
    <message>
        <source>Эта сборка программы не печатает этикетки</source>
        <translation>Эта сборка программы не печатает этикетки</translation>
    </message>
    <message>
        <source>--country %1: give a calling code (+7) or a two-letter country (RU)</source>
        <translation>--country %1: укажите код страны (+7) или двухбуквенное обозначение страны (RU)</translation>
    </message>
    <message>
        <source>&apos;portiqa-cli %1&apos; takes %2</source>
        <translation>&apos;portiqa-cli %1&apos; принимает %2</translation>
    </message>
    <message>
        <source>a site&apos;s name</source>
        <translation>имя объекта</translation>
    </message>
    <message>
        <source>a site&apos;s name and a module</source>
        <translation>имя объекта и модуль</translation>
    </message>
    <message>
        <source>site import needs -i FILE (.xlsx, .xls, .cvs or .csv)</source>
        <translation>для portiqa-cli site import нужен -i ФАЙЛ (.xlsx, .xls, .cvs или .csv)</translation>
    </message>
    <message>
        <source>site export needs -o FILE (.xlsx, .cvs or .csv)</source>
        <translation>для portiqa-cli site export нужен -o ФАЙЛ (.xlsx, .cvs или .csv)</translation>
    </message>
    <message>
        <source>the save takes or shortens access of %1 subscriber(s) (removed: %2): confirm with --yes (see them with --dry-run)</source>
        <translation>сохранение лишит или сократит доступ абонентов: %1 (удалено: %2): подтвердите с --yes (список: --dry-run)</translation>
    </message>
    <message>
        <source>one subscriber is written in two ways (the module sees two numbers): confirm with --yes or correct the file</source>
        <translation>один абонент записан двумя способами (модуль видит два номера): подтвердите с --yes или исправьте файл</translation>
    </message>
    <message>
        <source>актуален</source>
        <translation>актуален</translation>
    </message>
    <message>
        <source>список модуля не читался</source>
        <translation>список модуля не читался</translation>
    </message>
    <message>
        <source>отстаёт</source>
        <translation>отстаёт</translation>
    </message>
    <message>
        <source>Объект «%1»: номеров в списке %2</source>
        <translation>Объект «%1»: номеров в списке %2</translation>
    </message>
    <message>
        <source>Объект «%1», редакция %2, изменён %3 (%4)</source>
        <translation>Объект «%1», редакция %2, изменён %3 (%4)</translation>
    </message>
    <message>
        <source>только для модуля %1: %2</source>
        <translation>только для модуля %1: %2</translation>
    </message>
    <message>
        <source>Модуль %1: %2</source>
        <translation>Модуль %1: %2</translation>
    </message>
    <message>
        <source>; без номеров: %1</source>
        <translation>; без номеров: %1</translation>
    </message>
    <message>
        <source>объект «%1», редакция %2</source>
        <translation>объект «%1», редакция %2</translation>
    </message>
    <message>
        <source>Модуль %1, объект «%2» (редакция %3): %4</source>
        <translation>Модуль %1, объект «%2» (редакция %3): %4</translation>
    </message>
    <message>
        <source>номеров: %1, модулей: %2, редакция %3, %4</source>
        <translation>номеров: %1, модулей: %2, редакция %3, %4</translation>
    </message>
    <message>
        <source>добавлен (%1)</source>
        <translation>добавлен (%1)</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>удалён</translation>
    </message>
    <message>
        <source>срок сокращён: %1 → %2</source>
        <translation>срок сокращён: %1 → %2</translation>
    </message>
    <message>
        <source>срок продлён: %1 → %2</source>
        <translation>срок продлён: %1 → %2</translation>
    </message>
    <message>
        <source>без ограничений (был %1)</source>
        <translation>без ограничений (был %1)</translation>
    </message>
    <message>
        <source>срок уже истёк: %1</source>
        <translation>срок уже истёк: %1</translation>
    </message>
    <message>
        <source>  … и ещё %1</source>
        <translation>  … и ещё %1</translation>
    </message>
    <message>
        <source>Потеряют доступ: %1</source>
        <translation>Потеряют доступ: %1</translation>
    </message>
    <message>
        <source>Получат, расширят доступ или добавлены с истёкшим сроком: %1</source>
        <translation>Получат, расширят доступ или добавлены с истёкшим сроком: %1</translation>
    </message>
    <message>
        <source>Внимание! После сохранения доступ потеряют или сократят: %1</source>
        <translation>Внимание! После сохранения доступ потеряют или сократят: %1</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Место</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <source>Один абонент записан по-разному: GSM модуль сравнивает номера как записаны и считает их разными</source>
        <translation>Один абонент записан по-разному: GSM модуль сравнивает номера как записаны и считает их разными</translation>
    </message>
    <message>
        <source>%1 (запись %2)</source>
        <translation>%1 (запись %2)</translation>
    </message>
    <message>
        <source>один абонент %1: %2</source>
        <translation>один абонент %1: %2</translation>
    </message>
    <message>
        <source>список объекта для модуля %1: %2 номеров, GSM модуль хранит не более %3</source>
        <translation>список объекта для модуля %1: %2 номеров, GSM модуль хранит не более %3</translation>
    </message>
    <message>
        <source>модуль %1 не входит в объект «%2» (добавьте его: portiqa-cli site add %2 МОДУЛЬ)</source>
        <translation>модуль %1 не входит в объект «%2» (добавьте его: portiqa-cli site add %2 МОДУЛЬ)</translation>
    </message>
    <message>
        <source>объект «%1» не найден в журнале (создайте его: portiqa-cli site import %1 -i ФАЙЛ)</source>
        <translation>объект «%1» не найден в журнале (создайте его: portiqa-cli site import %1 -i ФАЙЛ)</translation>
    </message>
    <message>
        <source>Поиск номера или имени (Ctrl+F)</source>
        <translation>Поиск номера или имени (Ctrl+F)</translation>
    </message>
    <message>
        <source>Найти номер, имя, место или примечание в таблице; клавиша ввода — следующий найденный</source>
        <translation>Найти номер, имя, место или примечание в таблице; клавиша ввода — следующий найденный</translation>
    </message>
    <message>
        <source>«%1» не найдено</source>
        <translation>«%1» не найдено</translation>
    </message>
    <message>
        <source>загрузить список объекта</source>
        <translation>загрузить список объекта</translation>
    </message>
    <message>
        <source>Модуль не входит ни в один объект (portiqa-cli site add ОБЪЕКТ МОДУЛЬ)</source>
        <translation>Модуль не входит ни в один объект (portiqa-cli site add ОБЪЕКТ МОДУЛЬ)</translation>
    </message>
    <message>
        <source>Войдите в модуль: список объекта берётся из журнала модулей</source>
        <translation>Войдите в модуль: список объекта берётся из журнала модулей</translation>
    </message>
    <message>
        <source>Список объекта «%1» (редакция %2) загружен в таблицу: %3.<byte value="xd"/>Запишите его в модуль кнопкой «Сохранить»: она покажет, кто получит и кто потеряет доступ.</source>
        <translation>Список объекта «%1» (редакция %2) загружен в таблицу: %3.<byte value="xd"/>Запишите его в модуль кнопкой «Сохранить»: она покажет, кто получит и кто потеряет доступ.</translation>
    </message>
    <message>
        <source>модуль уже его держит</source>
        <translation>модуль уже его держит</translation>
    </message>
    <message>
        <source>модуль отстаёт</source>
        <translation>модуль отстаёт</translation>
    </message>
    <message>
        <source>Список
объекта</source>
        <translation>Список
объекта</translation>
    </message>
    <message>
        <source>Загрузить в таблицу общий список объекта, в который входит модуль; в модуль его записывает «Сохранить»</source>
        <translation>Загрузить в таблицу общий список объекта, в который входит модуль; в модуль его записывает «Сохранить»</translation>
    </message>
    <message>
        <source>объект «%1»: %2</source>
        <translation>объект «%1»: %2</translation>
    </message>
    <message>
        <source>журнал модулей не открыт</source>
        <translation>журнал модулей не открыт</translation>
    </message>
    <message>
        <source>модуль сменился: отметка о применении списка объекта не сделана</source>
        <translation>модуль сменился: отметка о применении списка объекта не сделана</translation>
    </message>
    <message>
        <source>--unused takes a number of months (1-120)</source>
        <translation>--unused принимает число месяцев (1-120)</translation>
    </message>
    <message>
        <source>give either --unused or --expired/--expiring</source>
        <translation>укажите либо --unused, либо --expired/--expiring</translation>
    </message>
    <message>
        <source>--unused needs the module record: %1</source>
        <translation>для --unused нужен журнал модулей: %1</translation>
    </message>
    <message>
        <source>Журнал событий в записи начинается %1: неиспользование до этой даты не проверено</source>
        <translation>Журнал событий в записи начинается %1: неиспользование до этой даты не проверено</translation>
    </message>
    <message>
        <source>нет в журнале событий с %1</source>
        <translation>нет в журнале событий с %1</translation>
    </message>
    <message>
        <source>последнее событие %1 (%2)</source>
        <translation>последнее событие %1 (%2)</translation>
    </message>
    <message>
        <source>Журнал событий этого модуля не сохранён: скачайте историю событий (portiqa-cli history download)</source>
        <translation>Журнал событий этого модуля не сохранён: скачайте историю событий (portiqa-cli history download)</translation>
    </message>
    <message>
        <source>Записать новые номера в обычной форме (%1 → %2, всего %3)</source>
        <translation>Записать новые номера в обычной форме (%1 → %2, всего %3)</translation>
    </message>
    <message>
        <source>В таблице нет записей со сроком действия</source>
        <translation>В таблице нет записей со сроком действия</translation>
    </message>
    <message>
        <source>Срок действия всех записей со сроком: %1.</source>
        <translation>Срок действия всех записей со сроком: %1.</translation>
    </message>
    <message>
        <source>Срок действия выбранных записей: %1.</source>
        <translation>Срок действия выбранных записей: %1.</translation>
    </message>
    <message>
        <source><byte value="xd"/>На сколько дней продлить (например 30; -7 сокращает) или до какой даты (ГГГГ-ММ-ДД)?</source>
        <translation><byte value="xd"/>На сколько дней продлить (например 30; -7 сокращает) или до какой даты (ГГГГ-ММ-ДД)?</translation>
    </message>
    <message>
        <source>«%1»: нужно число дней (-3650…3650) или дата ГГГГ-ММ-ДД в 2000-2099 годах</source>
        <translation>«%1»: нужно число дней (-3650…3650) или дата ГГГГ-ММ-ДД в 2000-2099 годах</translation>
    </message>
    <message>
        <source>Изменён срок записей: %1; «Сохранить» запишет их в модуль</source>
        <translation>Изменён срок записей: %1; «Сохранить» запишет их в модуль</translation>
    </message>
    <message>
        <source>Продлить
срок…</source>
        <translation>Продлить
срок…</translation>
    </message>
    <message>
        <source>Продлить или сократить срок действия выбранных записей (щелчки с Ctrl), а если выбрана одна — всех записей со сроком</source>
        <translation>Продлить или сократить срок действия выбранных записей (щелчки с Ctrl), а если выбрана одна — всех записей со сроком</translation>
    </message>
    <message>
        <source>Страна номеров…</source>
        <translation>Страна номеров…</translation>
    </message>
    <message>
        <source>Страна номеров: %1</source>
        <translation>Страна номеров: %1</translation>
    </message>
    <message>
        <source>Страна, где стоят модули: код (+7) или двухбуквенное латинское обозначение; пусто — регион системы.<byte value="xd"/>Тогда 8916…, 7916… и +7916… — один абонент. Сейчас: %1</source>
        <translation>Страна, где стоят модули: код (+7) или двухбуквенное латинское обозначение; пусто — регион системы.<byte value="xd"/>Тогда 8916…, 7916… и +7916… — один абонент. Сейчас: %1</translation>
    </message>
    <message>
        <source>«%1»: страна не понята (нужен код, например +7)</source>
        <translation>«%1»: страна не понята (нужен код, например +7)</translation>
    </message>
    <message>
        <source>pipe: %1</source>
        <translation>канал: %1</translation>
    </message>
    <message>
        <source>столбец %1: заголовок «%2» не известен</source>
        <translation>столбец %1: заголовок «%2» не известен</translation>
    </message>
    <message>
        <source>столбец %1: заголовок «%2» уже есть в столбце %3</source>
        <translation>столбец %1: заголовок «%2» уже есть в столбце %3</translation>
    </message>
    <message>
        <source>нет столбца «Номер абонента»</source>
        <translation>нет столбца «Номер абонента»</translation>
    </message>
    <message>
        <source>Файл не импортирован: его заголовки не подходят к списку номеров</source>
        <translation>Файл не импортирован: его заголовки не подходят к списку номеров</translation>
    </message>
    <message>
        <source>строка %1: серийный номер «%2» — нужен номер 1-3000</source>
        <translation>строка %1: серийный номер «%2» — нужен номер 1-3000</translation>
    </message>
    <message>
        <source>строка %1: записей больше 3000</source>
        <translation>строка %1: записей больше 3000</translation>
    </message>
    <message>
        <source>строка %1: серийный номер %2 уже есть в строке %3</source>
        <translation>строка %1: серийный номер %2 уже есть в строке %3</translation>
    </message>
    <message>
        <source>строка %1: в столбце %2 данные без заголовка</source>
        <translation>строка %1: в столбце %2 данные без заголовка</translation>
    </message>
    <message>
        <source>в первой строке нет заголовка «Номер абонента»</source>
        <translation>в первой строке нет заголовка «Номер абонента»</translation>
    </message>
    <message>
        <source>не удалось закрыть доступ к файлу %1 для других пользователей</source>
        <translation>не удалось закрыть доступ к файлу %1 для других пользователей</translation>
    </message>
    <message>
        <source>Номер SIM: будет записан номер из резервной копии<byte value="xd"/></source>
        <translation>Номер SIM: будет записан номер из резервной копии<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номер SIM: остаётся номер этого модуля<byte value="xd"/></source>
        <translation>Номер SIM: остаётся номер этого модуля<byte value="xd"/></translation>
    </message>
    <message>
        <source>Пароль и номер SIM модуля оставлены его собственными (строки %1; --with-password, --with-sim записывают значения профиля)</source>
        <translation>Пароль и номер SIM модуля оставлены его собственными (строки %1; --with-password, --with-sim записывают значения профиля)</translation>
    </message>
    <message>
        <source>Пароль и номер SIM модуля остаются его собственными; таблица предлагает:<byte value="xd"/></source>
        <translation>Пароль и номер SIM модуля остаются его собственными; таблица предлагает:<byte value="xd"/></translation>
    </message>
    <message>
        <source>Заменить пароль и номер SIM модуля значениями из таблицы</source>
        <translation>Заменить пароль и номер SIM модуля значениями из таблицы</translation>
    </message>
    <message>
        <source>Open on tab N (0 settings, 1 numbers, 2 history; with --screenshot, 3 the module journal).</source>
        <translation>Открыть вкладку N (0 настройки, 1 номера, 2 история; с --screenshot 3 — журнал модуля).</translation>
    </message>
    <message>
        <source>в дату вводятся только цифры и «-», «.», «/»</source>
        <translation>в дату вводятся только цифры и «-», «.», «/»</translation>
    </message>
    <message>
        <source>«%1» — не дата: введите, например, 2026-12-31, 31.12.2026 или 20261231 (годы %2-%3)</source>
        <translation>«%1» — не дата: введите, например, 2026-12-31, 31.12.2026 или 20261231 (годы %2-%3)</translation>
    </message>
    <message>
        <source>запись не сохранилась в журнале</source>
        <translation>запись не сохранилась в журнале</translation>
    </message>
    <message>
        <source>записи %1 нет в журнале</source>
        <translation>записи %1 нет в журнале</translation>
    </message>
    <message>
        <source>GSM модуль записан, но журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</source>
        <translation>GSM модуль записан, но журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</translation>
    </message>
    <message>
        <source>Журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</source>
        <translation>Журнал модулей не сохранил исход записи №%1 (%2): в журнале она значится незавершённой</translation>
    </message>
    <message>
        <source>адрес журнала %1 не понят: укажите путь к файлу, sqlite:///путь или postgresql://пользователь@сервер/база</source>
        <translation>адрес журнала %1 не понят: укажите путь к файлу, sqlite:///путь или postgresql://пользователь@сервер/база</translation>
    </message>
    <message>
        <source>у объекта нет имени</source>
        <translation>у объекта нет имени</translation>
    </message>
    <message>
        <source>устройство %1 сейчас программирует работающий запуск (порт %2, %3, процесс %4, с %5): освобождённое, оно досталось бы второму модулю. Дождитесь конца или, если тот запуск точно остановлен, добавьте --force</source>
        <translation>устройство %1 сейчас программирует работающий запуск (порт %2, %3, процесс %4, с %5): освобождённое, оно досталось бы второму модулю. Дождитесь конца или, если тот запуск точно остановлен, добавьте --force</translation>
    </message>
    <message>
        <source>шаблон оставляет модулям заводской пароль %1: такой модуль нельзя отличить от нового. Задайте пароль в шаблоне или каждому устройству (столбец 1)</source>
        <translation>шаблон оставляет модулям заводской пароль %1: такой модуль нельзя отличить от нового. Задайте пароль в шаблоне или каждому устройству (столбец 1)</translation>
    </message>
    <message>
        <source>устройство «%1»: нет своего пароля (столбец 1 пуст или его нет)</source>
        <translation>устройство «%1»: нет своего пароля (столбец 1 пуст или его нет)</translation>
    </message>
    <message>
        <source>устройство «%1»: пароль %2 — заводской</source>
        <translation>устройство «%1»: пароль %2 — заводской</translation>
    </message>
    <message>
        <source> и ещё %1</source>
        <translation> и ещё %1</translation>
    </message>
    <message>
        <source>У каждого устройства должен быть свой пароль, не заводской: </source>
        <translation>У каждого устройства должен быть свой пароль, не заводской: </translation>
    </message>
    <message>
        <source>проверьте модуль: с заводским паролем освободите устройство (provision --release %1), с паролем устройства он настроен</source>
        <translation>проверьте модуль: с заводским паролем освободите устройство (provision --release %1), с паролем устройства он настроен</translation>
    </message>
    <message>
        <source>модуль настроен раньше другим паролем: проверьте его или сбросьте к заводским настройкам</source>
        <translation>модуль настроен раньше другим паролем: проверьте его или сбросьте к заводским настройкам</translation>
    </message>
    <message>
        <source>журнал модулей не сохранил запись: проверьте журнал и подключите модуль снова</source>
        <translation>журнал модулей не сохранил запись: проверьте журнал и подключите модуль снова</translation>
    </message>
    <message>
        <source>исправьте шаблон или таблицу устройств и подключите модуль снова</source>
        <translation>исправьте шаблон или таблицу устройств и подключите модуль снова</translation>
    </message>
    <message>
        <source>проверьте питание и кабель и подключите модуль снова: он будет настроен заново</source>
        <translation>проверьте питание и кабель и подключите модуль снова: он будет настроен заново</translation>
    </message>
    <message>
        <source>готово %1 · ошибок %2 · в работе %3</source>
        <translation>готово %1 · ошибок %2 · в работе %3</translation>
    </message>
    <message>
        <source> · устройств осталось %1</source>
        <translation> · устройств осталось %1</translation>
    </message>
    <message>
        <source>загрузить настройки модуля в таблицу</source>
        <translation>загрузить настройки модуля в таблицу</translation>
    </message>
    <message>
        <source>Изменения в таблице %1 не сохранены в GSM модуль и пропадут. Загрузить снимок @%2 вместо них?</source>
        <translation>Изменения в таблице %1 не сохранены в GSM модуль и пропадут. Загрузить снимок @%2 вместо них?</translation>
    </message>
    <message>
        <source>Модуль %1: показаны последние %2 снимков и %2 записей, есть и более ранние; все: --all</source>
        <translation>Модуль %1: показаны последние %2 снимков и %2 записей, есть и более ранние; все: --all</translation>
    </message>
    <message>
        <source>%1: в журнале нет и настроек, и номеров модуля на этот снимок; восстановить можно снимок, где есть оба (например МОДУЛЬ@ДАТА)</source>
        <translation>%1: в журнале нет и настроек, и номеров модуля на этот снимок; восстановить можно снимок, где есть оба (например МОДУЛЬ@ДАТА)</translation>
    </message>
    <message>
        <source>журнал %1 — ссылка на файл, которого нет</source>
        <translation>журнал %1 — ссылка на файл, которого нет</translation>
    </message>
    <message>
        <source>журнал %1 — ссылка на файл другого пользователя</source>
        <translation>журнал %1 — ссылка на файл другого пользователя</translation>
    </message>
    <message>
        <source>журнал %1 принадлежит другому пользователю</source>
        <translation>журнал %1 принадлежит другому пользователю</translation>
    </message>
    <message>
        <source>не удалось закрыть журнал %1 от других пользователей: %2</source>
        <translation>не удалось закрыть журнал %1 от других пользователей: %2</translation>
    </message>
    <message>
        <source>Журнал %1 был доступен другим пользователям: теперь только вам (0600)</source>
        <translation>Журнал %1 был доступен другим пользователям: теперь только вам (0600)</translation>
    </message>
    <message>
        <source>--revision takes the revision a site&apos;s list was exported at (0 or more)</source>
        <translation>--revision: редакция, в которой список объекта выгружен (0 или больше)</translation>
    </message>
    <message>
        <source>Заменён список редакции %1 (%2, %3)</source>
        <translation>Заменён список редакции %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Объект «%1», редакция %2: импорт обратно с --revision %2 откажет, если список изменят раньше</source>
        <translation>Объект «%1», редакция %2: импорт обратно с --revision %2 откажет, если список изменят раньше</translation>
    </message>
    <message>
        <source>список объекта «%1» изменён после редакции %2: сейчас редакция %3 (%4, %5). Возьмите его заново (portiqa-cli site export) и внесите свои изменения в него</source>
        <translation>список объекта «%1» изменён после редакции %2: сейчас редакция %3 (%4, %5). Возьмите его заново (portiqa-cli site export) и внесите свои изменения в него</translation>
    </message>
    <message>
        <source>A read-only visit (also PORTIQA_READ_ONLY=1): read and compare, never write to the module.</source>
        <translation>Только чтение (также PORTIQA_READ_ONLY=1): читать и сравнивать, никогда не записывать в модуль.</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль выключена (запуск с --read-only)</source>
        <translation>Только чтение: запись в GSM модуль выключена (запуск с --read-only)</translation>
    </message>
    <message>
        <source> — только чтение</source>
        <translation> — только чтение</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль не выполняется, ничего не записано</source>
        <translation>Только чтение: запись в GSM модуль не выполняется, ничего не записано</translation>
    </message>
    <message>
        <source>--only takes settings or numbers</source>
        <translation>--only: settings или numbers</translation>
    </message>
    <message>
        <source>модуль %1 не входит в этот объект</source>
        <translation>модуль %1 не входит в этот объект</translation>
    </message>
    <message>
        <source>Журнал модулей</source>
        <translation>Журнал модулей</translation>
    </message>
    <message>
        <source>Модуль</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Модуль, чьи снимки и записи показаны</source>
        <translation>Модуль, чьи снимки и записи показаны</translation>
    </message>
    <message>
        <source>Имя модуля</source>
        <translation>Имя модуля</translation>
    </message>
    <message>
        <source>Сохранить имя модуля в журнале</source>
        <translation>Сохранить имя модуля в журнале</translation>
    </message>
    <message>
        <source>Снимки и записи</source>
        <translation>Снимки и записи</translation>
    </message>
    <message>
        <source>Новые первыми; выберите один снимок или два для сравнения</source>
        <translation>Новые первыми; выберите один снимок или два для сравнения</translation>
    </message>
    <message>
        <source>Различия двух выбранных снимков</source>
        <translation>Различия двух выбранных снимков</translation>
    </message>
    <message>
        <source>Различия выбранного снимка и таблиц окна</source>
        <translation>Различия выбранного снимка и таблиц окна</translation>
    </message>
    <message>
        <source>Различия</source>
        <translation>Различия</translation>
    </message>
    <message>
        <source>Что различается, по строкам настроек и записям номеров</source>
        <translation>Что различается, по строкам настроек и записям номеров</translation>
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
        <translation>Вызов: portiqa-cli provision --template ФАЙЛ [--numbers ФАЙЛ] [--units УСТРОЙСТВА.csv] --report ОТЧЁТ.csv
         [--watch ШАБЛОН]... [--count N] [-P ЗАВОДСКОЙ_ПАРОЛЬ | --password-file ФАЙЛ] [--force] [--json]
         [--batch ИМЯ] [--record ГДЕ | --no-record] [--reflash] [--dry-run]
         [--labels ФАЙЛ.pdf|ПАПКА [--label-pin]]
       portiqa-cli provision --units УСТРОЙСТВА.csv | --batch ИМЯ --release УСТРОЙСТВО
Настроить каждый подключённый модуль, несколько сразу: войти с заводским паролем, записать номера
шаблона, затем его настройки со строками следующего устройства, затем пароль устройства; каждый шаг
читается обратно и проверяется; в отчёт пишется строка.

  --template ФАЙЛ    резервная копия (.pbk: настройки и номера) или профиль настроек (.xlsx, .xls)
  --numbers ФАЙЛ     список номеров к шаблону-профилю (.xlsx, .xls, .csv, .cvs)
  --units УСТРОЙСТВА.csv  строка заголовка: «unit», затем строки настроек 1-%1; по строке на
                     устройство; пустая ячейка оставляет значение шаблона
  --report ФАЙЛ      CSV: time, port, serial, unit, result (ok/failed), reason, pages, seconds,
                     code; устройства с результатом ok при повторном запуске пропускаются
  --watch ШАБЛОН     какие порты ждать (по умолчанию /dev/ttyUSB* и /dev/ttyACM*, COM* в Windows)
  --count N          закончить, когда настроено N модулей
  --force            разрешить шаблону удалять номера из модуля; с --release освободить
                     устройство, которое держит работающий запуск
  --json             по объекту JSON на событие в стандартный вывод
  --batch ИМЯ        имя таблицы устройств в журнале модулей (по умолчанию по её содержимому:
                     копия файла — та же партия)
  --record ГДЕ       журнал модулей, который хранит, у какого модуля какое устройство;
                     --no-record хранит устройства в отдельном журнале партии и не ведёт
                     журнал записей
  --reflash          настроить заново модуль с паролем устройства, этим же устройством
  --dry-run          проверить шаблон и устройства и показать, что получит каждое
  --release УСТРОЙСТВО  вернуть устройство, занятое модулем, который проверен
  --labels ПУТЬ      этикетка для каждого настроенного модуля (устройство, номер SIM, дата,
                     QR-код): все в ФАЙЛ.pdf или по УСТРОЙСТВО.pdf в папке; --label-pin
                     добавляет на неё пароль устройства

Модуль, который не настроен, сохранил свой пароль: подключите его снова, и он будет настроен
полностью. Устройство «под вопросом» (модуль отказал при записи пароля) не выдаётся другому
модулю: если модуль отвечает на заводской пароль, освободите устройство (--release).
Код выхода: 0 все модули настроены, 1 хоть один нет, 2 ошибка вызова, 6 файл не прошёл проверку.
</translation>
    </message>
    <message>
        <source>папки %1 нет</source>
        <translation>папки %1 нет</translation>
    </message>
    <message>
        <source>файл блокировки не создаётся</source>
        <translation>файл блокировки не создаётся</translation>
    </message>
    <message>
        <source>the port is held by another program, for example ModemManager or brltty</source>
        <translation>порт занят другой программой, например ModemManager или brltty</translation>
    </message>
    <message>
        <source>the port is held by another program</source>
        <translation>порт занят другой программой</translation>
    </message>
    <message>
        <source>the user may need to be in the dialout group</source>
        <translation>пользователю, возможно, нужно состоять в группе dialout</translation>
    </message>
    <message>
        <source>no such port: is the module plugged in?</source>
        <translation>такого порта нет: подключён ли модуль?</translation>
    </message>
    <message>
        <source>Не удалось занять отчёт %1 (файл %2.lock): %3</source>
        <translation>Не удалось занять отчёт %1 (файл %2.lock): %3</translation>
    </message>
    <message>
        <source>Не удалось вести учёт устройств таблицы %1 (в %2): %3</source>
        <translation>Не удалось вести учёт устройств таблицы %1 (в %2): %3</translation>
    </message>
    <message>
        <source>Устройства %1 (эту таблицу или её копию) уже выдаёт другой запуск (процесс %2 на %3). Без журнала модулей два запуска выдали бы одни и те же устройства; с общим журналом (--record) они делят их</source>
        <translation>Устройства %1 (эту таблицу или её копию) уже выдаёт другой запуск (процесс %2 на %3). Без журнала модулей два запуска выдали бы одни и те же устройства; с общим журналом (--record) они делят их</translation>
    </message>
    <message>
        <source>Не удалось занять таблицу устройств %1 (файл %2): %3</source>
        <translation>Не удалось занять таблицу устройств %1 (файл %2): %3</translation>
    </message>
    <message>
        <source>В журнале модулей устройства %1 уже выданы из другой таблицы (партия %2, устройств с теми же именами: %3). Две таблицы с одними именами дали бы одну наклейку двум модулям. Если это исправленная таблица той же партии, продолжите её: --batch %2; иначе дайте устройствам свои имена</source>
        <translation>В журнале модулей устройства %1 уже выданы из другой таблицы (партия %2, устройств с теми же именами: %3). Две таблицы с одними именами дали бы одну наклейку двум модулям. Если это исправленная таблица той же партии, продолжите её: --batch %2; иначе дайте устройствам свои имена</translation>
    </message>
    <message>
        <source>Журнал модулей: незавершённые записи не проверены по модулю: %1</source>
        <translation>Журнал модулей: незавершённые записи не проверены по модулю: %1</translation>
    </message>
    <message>
        <source>Завершена по модулю: снимок @%1 (%2) показывает все %3 записываемых страниц</source>
        <translation>Завершена по модулю: снимок @%1 (%2) показывает все %3 записываемых страниц</translation>
    </message>
    <message>
        <source>Завершена по модулю: в снимке @%1 (%2) совпадают %3 из %4 записываемых страниц: запись не закончена, повторите её</source>
        <translation>Завершена по модулю: в снимке @%1 (%2) совпадают %3 из %4 записываемых страниц: запись не закончена, повторите её</translation>
    </message>
    <message>
        <source>Справка: portiqa-cli --help</source>
        <translation>Справка: portiqa-cli --help</translation>
    </message>
    <message>
        <source>Внимание! Сохранение удалит из GSM модуля номеров: %1 (записи %2%3)</source>
        <translation>Внимание! Сохранение удалит из GSM модуля номеров: %1 (записи %2%3)</translation>
    </message>
    <message>
        <source>Записи: </source>
        <translation>Записи: </translation>
    </message>
    <message>
        <source>Неправильная операция: отметьте «Без ограничений» или установите дату и время начала и окончания. Всего:</source>
        <translation>Неправильная операция: отметьте «Без ограничений» или установите дату и время начала и окончания. Всего:</translation>
    </message>
    <message>
        <source>Только чтение: ничего не записывать в модуль</source>
        <translation>Только чтение: ничего не записывать в модуль</translation>
    </message>
    <message>
        <source>Только чтение: запись в GSM модуль выключена (выбрано в меню «Язык»)</source>
        <translation>Только чтение: запись в GSM модуль выключена (выбрано в меню «Язык»)</translation>
    </message>
    <message>
        <source>Что восстановить из копии %1?</source>
        <translation>Что восстановить из копии %1?</translation>
    </message>
    <message>
        <source>Ничего не выбрано: восстановление не начато</source>
        <translation>Ничего не выбрано: восстановление не начато</translation>
    </message>
    <message>
        <source>Записи %1–%2 из %3</source>
        <translation>Записи %1–%2 из %3</translation>
    </message>
    <message>
        <source>отобраны фильтром из %1</source>
        <translation>отобраны фильтром из %1</translation>
    </message>
    <message>
        <source>CSV file (UTF-8)</source>
        <translation>Файл CSV (UTF-8)</translation>
    </message>
    <message>
        <source>CVS file (Windows-1251)</source>
        <translation>Файл CSV (Windows-1251)</translation>
    </message>
    <message>
        <source>Закрыть сообщение</source>
        <translation>Закрыть сообщение</translation>
    </message>
    <message>
        <source>Согласиться: сделать то, о чём спрашивает окно</source>
        <translation>Согласиться: сделать то, о чём спрашивает окно</translation>
    </message>
    <message>
        <source>Отказаться: ничего не меняется</source>
        <translation>Отказаться: ничего не меняется</translation>
    </message>
    <message>
        <source>Отбросить изменения, не сохраняя их</source>
        <translation>Отбросить изменения, не сохраняя их</translation>
    </message>
    <message>
        <source>Текст сообщения</source>
        <translation>Текст сообщения</translation>
    </message>
    <message>
        <source>Введите ответ и нажмите Enter</source>
        <translation>Введите ответ и нажмите Enter</translation>
    </message>
    <message>
        <source>Номер SIM не задан ни там, ни здесь, поэтому не проверить, тот ли это модуль.</source>
        <translation>Номер SIM не задан ни там, ни здесь, поэтому не проверить, тот ли это модуль.</translation>
    </message>
    <message>
        <source>Журнал модулей ответил слишком поздно: запись в GSM модуль не начиналась</source>
        <translation>Журнал модулей ответил слишком поздно: запись в GSM модуль не начиналась</translation>
    </message>
    <message>
        <source>журнал %1 не отвечает (ответа нет дольше %2 мс); переданное ему сохранится, если он ответит, пока программа открыта</source>
        <translation>журнал %1 не отвечает (ответа нет дольше %2 мс); переданное ему сохранится, если он ответит, пока программа открыта</translation>
    </message>
    <message>
        <source>журнал %1 не отвечает, и очередь к нему полна: это не сохранено</source>
        <translation>журнал %1 не отвечает, и очередь к нему полна: это не сохранено</translation>
    </message>
    <message>
        <source>В снимке @%1 нет ни настроек, ни списка номеров</source>
        <translation>В снимке @%1 нет ни настроек, ни списка номеров</translation>
    </message>
    <message>
        <source>Изменятся служебные значения настроек (в окне не показываются)<byte value="xd"/></source>
        <translation>Изменятся служебные значения настроек (в окне не показываются)<byte value="xd"/></translation>
    </message>
    <message>
        <source>такой строки нет</source>
        <translation>такой строки нет</translation>
    </message>
    <message>
        <source>имя «%1…» длиннее %2 знаков (в нём %3): дайте имя короче</source>
        <translation>имя «%1…» длиннее %2 знаков (в нём %3): дайте имя короче</translation>
    </message>
    <message>
        <source>settings save needs a profile (-i FILE) or values (--set N=VALUE)</source>
        <translation>settings save требует профиль (-i ФАЙЛ) или значения (--set N=ЗНАЧЕНИЕ)</translation>
    </message>
    <message>
        <source>--with-password and --with-sim write a profile&apos;s values: give the profile (-i FILE), or the value itself (--set 1=PIN, --set 2=NUMBER)</source>
        <translation>--with-password и --with-sim записывают значения профиля: укажите профиль (-i ФАЙЛ) или само значение (--set 1=ПАРОЛЬ, --set 2=НОМЕР)</translation>
    </message>
    <message>
        <source>record restore-last-good кладёт последнюю исправную копию журнала на место файла %1; записанное после копии останется только в отложенном файле. Подтвердите: --yes</source>
        <translation>record restore-last-good кладёт последнюю исправную копию журнала на место файла %1; записанное после копии останется только в отложенном файле. Подтвердите: --yes</translation>
    </message>
    <message>
        <source>журнал %1 повреждён: в него ничего не пишется. Последняя исправная копия: %2 (от %3). Вернуть её: portiqa-cli record restore-last-good%4 (повреждённый файл сохранится рядом; записанное после копии в журнале пропадёт)</source>
        <translation>журнал %1 повреждён: в него ничего не пишется. Последняя исправная копия: %2 (от %3). Вернуть её: portiqa-cli record restore-last-good%4 (повреждённый файл сохранится рядом; записанное после копии в журнале пропадёт)</translation>
    </message>
    <message>
        <source>журнал %1 повреждён: в него ничего не пишется, и исправной копии для portiqa-cli record restore-last-good у него нет. Сохраните файл и начните новый журнал (--record)</source>
        <translation>журнал %1 повреждён: в него ничего не пишется, и исправной копии для portiqa-cli record restore-last-good у него нет. Сохраните файл и начните новый журнал (--record)</translation>
    </message>
    <message>
        <source>журнал на сервере PostgreSQL восстанавливается средствами сервера</source>
        <translation>журнал на сервере PostgreSQL восстанавливается средствами сервера</translation>
    </message>
    <message>
        <source>у журнала %1 нет исправной копии (%2)</source>
        <translation>у журнала %1 нет исправной копии (%2)</translation>
    </message>
    <message>
        <source>не удалось отложить %1 (закройте программы, которые его открыли)</source>
        <translation>не удалось отложить %1 (закройте программы, которые его открыли)</translation>
    </message>
    <message>
        <source>копия %1 не записана на место журнала: %2</source>
        <translation>копия %1 не записана на место журнала: %2</translation>
    </message>
    <message>
        <source>копия %1 не встала на место журнала %2</source>
        <translation>копия %1 не встала на место журнала %2</translation>
    </message>
    <message>
        <source>Журнал %1 восстановлен из копии от %2; повреждённый файл сохранён как %3</source>
        <translation>Журнал %1 восстановлен из копии от %2; повреждённый файл сохранён как %3</translation>
    </message>
    <message>
        <source>файл журнала повреждён</source>
        <translation>файл журнала повреждён</translation>
    </message>
    <message>
        <source>другая программа в это же время записала то же самое; повторите</source>
        <translation>другая программа в это же время записала то же самое; повторите</translation>
    </message>
    <message>
        <source>другая программа в это же время меняла те же записи; повторите</source>
        <translation>другая программа в это же время меняла те же записи; повторите</translation>
    </message>
    <message>
        <source>на диске сервера журнала нет места</source>
        <translation>на диске сервера журнала нет места</translation>
    </message>
    <message>
        <source>у пользователя базы нет прав на эту запись</source>
        <translation>у пользователя базы нет прав на эту запись</translation>
    </message>
    <message>
        <source>связь с сервером журнала потеряна</source>
        <translation>связь с сервером журнала потеряна</translation>
    </message>
    <message>
        <source>файл журнала открыт только для чтения</source>
        <translation>файл журнала открыт только для чтения</translation>
    </message>
    <message>
        <source>файл журнала занят другой программой дольше 10 с</source>
        <translation>файл журнала занят другой программой дольше 10 с</translation>
    </message>
    <message>
        <source>файл журнала не читается или не пишется (ошибка ввода-вывода)</source>
        <translation>файл журнала не читается или не пишется (ошибка ввода-вывода)</translation>
    </message>
    <message>
        <source>связь с журналом потеряна</source>
        <translation>связь с журналом потеряна</translation>
    </message>
    <message>
        <source>журнал не выполнил запрос</source>
        <translation>журнал не выполнил запрос</translation>
    </message>
    <message>
        <source>Настройки прочитаны заново; ждём ответа на вопрос о сохранении</source>
        <translation>Настройки прочитаны заново; ждём ответа на вопрос о сохранении</translation>
    </message>
    <message>
        <source>журнал модулей не принял исход устройств: %1; в нём они значатся начатыми. Следующий запуск этой партии назовёт их; проверьте модули и освободите устройства с заводским паролем (provision --release УСТРОЙСТВО)</source>
        <translation>журнал модулей не принял исход устройств: %1; в нём они значатся начатыми. Следующий запуск этой партии назовёт их; проверьте модули и освободите устройства с заводским паролем (provision --release УСТРОЙСТВО)</translation>
    </message>
    <message>
        <source>Окно кончается раньше, чем начинается: исправьте дату или время. Всего:</source>
        <translation>Окно кончается раньше, чем начинается: исправьте дату или время. Всего:</translation>
    </message>
    <message>
        <source>Сохранить в файл: %1</source>
        <translation>Сохранить в файл: %1</translation>
    </message>
    <message>
        <source>Открыть файл: %1</source>
        <translation>Открыть файл: %1</translation>
    </message>
    <message>
        <source>резервная копия модуля</source>
        <translation>резервная копия модуля</translation>
    </message>
    <message>
        <source>история событий</source>
        <translation>история событий</translation>
    </message>
    <message>
        <source>номера пользователей</source>
        <translation>номера пользователей</translation>
    </message>
    <message>
        <source>базовые настройки</source>
        <translation>базовые настройки</translation>
    </message>
    <message>
        <source>Номера пользователей прочитаны из GSM модуля</source>
        <translation>Номера пользователей прочитаны из GSM модуля</translation>
    </message>
    <message>
        <source>К</source>
        <comment>Alt letter: download from the module</comment>
        <translation>К</translation>
    </message>
    <message>
        <source>С</source>
        <comment>Alt letter: save to the module</comment>
        <translation>С</translation>
    </message>
    <message>
        <source>В</source>
        <comment>Alt letter: connect and disconnect</comment>
        <translation>В</translation>
    </message>
    <message>
        <source>Х</source>
        <comment>Alt letter: log in</comment>
        <translation>Х</translation>
    </message>
    <message>
        <source>Отключение</source>
        <translation>Отключение</translation>
    </message>
    <message>
        <source>Идёт обмен данными с GSM модулем. %1 прервёт его: что не дочитано или не записано, так и останется. Прервать?</source>
        <translation>Идёт обмен данными с GSM модулем. %1 прервёт его: что не дочитано или не записано, так и останется. Прервать?</translation>
    </message>
    <message>
        <source>Закрытие программы</source>
        <translation>Закрытие программы</translation>
    </message>
    <message>
        <source>Визит только для чтения: запись в GSM модуль выключена (меню «Язык»)</source>
        <translation>Визит только для чтения: запись в GSM модуль выключена (меню «Язык»)</translation>
    </message>
    <message>
        <source>пароль</source>
        <translation>пароль</translation>
    </message>
    <message>
        <source>номер SIM</source>
        <translation>номер SIM</translation>
    </message>
    <message>
        <source>; модуль совпадает с резервной копией</source>
        <translation>; модуль совпадает с резервной копией</translation>
    </message>
    <message>
        <source>; записанное совпадает с резервной копией, оставлены как в модуле: %1</source>
        <translation>; записанное совпадает с резервной копией, оставлены как в модуле: %1</translation>
    </message>
    <message>
        <source>, все записанные проверены</source>
        <translation>, все записанные проверены</translation>
    </message>
    <message>
        <source><byte value="xd"/>История событий не записывается</source>
        <translation><byte value="xd"/>История событий не записывается</translation>
    </message>
    <message>
        <source>Настройки: не восстанавливаются, остаются как в модуле<byte value="xd"/></source>
        <translation>Настройки: не восстанавливаются, остаются как в модуле<byte value="xd"/></translation>
    </message>
    <message>
        <source>Номера: не восстанавливаются, остаются как в модуле<byte value="xd"/></source>
        <translation>Номера: не восстанавливаются, остаются как в модуле<byte value="xd"/></translation>
    </message>
    <message>
        <source>%1 — другой компьютер. Протокол GSM модуля не шифруется: пароль модуля и номера пройдут по сети открыто. Надёжнее подключаться через VPN или SSH-туннель (тогда адрес — этого компьютера). Подключиться открыто?</source>
        <translation>%1 — другой компьютер. Протокол GSM модуля не шифруется: пароль модуля и номера пройдут по сети открыто. Надёжнее подключаться через VPN или SSH-туннель (тогда адрес — этого компьютера). Подключиться открыто?</translation>
    </message>
    <message>
        <source>the device server at %1 closed the connection</source>
        <translation>сервер портов %1 закрыл соединение</translation>
    </message>
    <message>
        <source> (it said &quot;%1&quot;)</source>
        <translation> (он ответил «%1»)</translation>
    </message>
    <message>
        <source>Cannot open the device server&apos;s port</source>
        <translation>Не удалось открыть порт сервера портов</translation>
    </message>
    <message>
        <source>the device server could not be reached: %1</source>
        <translation>сервер портов недоступен: %1</translation>
    </message>
    <message>
        <source>the device server at %1 did not set the line within %2 s (is its port in Telnet mode with RFC 2217?)</source>
        <translation>сервер портов %1 не настроил линию за %2 с (его порт в режиме Telnet с RFC 2217?)</translation>
    </message>
    <message>
        <source>Связь с GSM модулем потеряна: %1</source>
        <translation>Связь с GSM модулем потеряна: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an address: write socket://HOST:PORT or rfc2217://HOST:PORT</source>
        <translation>«%1» — не адрес: пишите socket://ХОСТ:ПОРТ или rfc2217://ХОСТ:ПОРТ</translation>
    </message>
    <message>
        <source>%1 baud</source>
        <translation>%1 бод</translation>
    </message>
    <message>
        <source>%1 data bits</source>
        <translation>%1 бит данных</translation>
    </message>
    <message>
        <source>no parity</source>
        <translation>без чётности</translation>
    </message>
    <message>
        <source>parity %1</source>
        <translation>чётность %1</translation>
    </message>
    <message>
        <source>stop bits code %1</source>
        <translation>стоп-биты (код %1)</translation>
    </message>
    <message>
        <source>no flow control</source>
        <translation>без управления потоком</translation>
    </message>
    <message>
        <source>DTR low</source>
        <translation>DTR выключен</translation>
    </message>
    <message>
        <source>RTS low</source>
        <translation>RTS выключен</translation>
    </message>
    <message>
        <source>line control %1</source>
        <translation>управление линией %1</translation>
    </message>
    <message>
        <source>the device server does not let the line be set (no RFC 2217 on this port)</source>
        <translation>сервер портов не даёт настроить линию (на этом порту нет RFC 2217)</translation>
    </message>
    <message>
        <source>the device server refuses binary transmission</source>
        <translation>сервер портов отказывается передавать двоичные данные</translation>
    </message>
    <message>
        <source>the device server did not take %1 (it answered %2)</source>
        <translation>сервер портов не принял «%1» (ответил «%2»)</translation>
    </message>
    <message>
        <source>%1 is another computer, and the module&apos;s password would cross the network unencrypted: reach the device server through a VPN or an SSH tunnel (then its address here is this computer&apos;s), or allow plain network connections (--allow-plain-network; the window asks first)</source>
        <translation>%1 — другой компьютер, и пароль модуля прошёл бы по сети открыто: подключайтесь к серверу портов через VPN или SSH-туннель (тогда адрес здесь — этого компьютера) или разрешите открытые сетевые подключения (--allow-plain-network; окно спрашивает при подключении)</translation>
    </message>
    <message>
        <source>; адрес: %1</source>
        <translation>; адрес: %1</translation>
    </message>
    <message>
        <source>по адресу %1 ответил модуль %2 (%3), а не модуль %4: список не записан</source>
        <translation>по адресу %1 ответил модуль %2 (%3), а не модуль %4: список не записан</translation>
    </message>
    <message>
        <source>без адреса: пропущен</source>
        <translation>без адреса: пропущен</translation>
    </message>
    <message>
        <source>проверен</source>
        <translation>проверен</translation>
    </message>
    <message>
        <source>применён</source>
        <translation>применён</translation>
    </message>
    <message>
        <source>ошибка (код %1)</source>
        <translation>ошибка (код %1)</translation>
    </message>
    <message>
        <source>Объект «%1»: применён к %2, ошибок %3, без адреса %4</source>
        <translation>Объект «%1»: применён к %2, ошибок %3, без адреса %4</translation>
    </message>
    <message>
        <source>With --demo: connect (to --port&apos;s port, else the simulated module), log in, read settings, numbers and history, save a picture of the window to FILE and quit.</source>
        <translation>Вместе с --demo: подключиться (к порту из --port, иначе к имитации модуля), войти, прочитать настройки, номера и историю, сохранить снимок окна в FILE и выйти.</translation>
    </message>
    <message>
        <source>Choose PORT in the port box: a serial port, or a device server&apos;s address (rfc2217://HOST:PORT, socket://HOST:PORT).</source>
        <translation>Выбрать этот порт в списке портов: последовательный порт или адрес сервера портов (rfc2217://ХОСТ:ПОРТ, socket://ХОСТ:ПОРТ).</translation>
    </message>
    <message>
        <source>Последовательный порт, к которому подключён GSM модуль, или адрес сервера портов (rfc2217://ХОСТ:ПОРТ, socket://ХОСТ:ПОРТ)</source>
        <translation>Последовательный порт, к которому подключён GSM модуль, или адрес сервера портов (rfc2217://ХОСТ:ПОРТ, socket://ХОСТ:ПОРТ)</translation>
    </message>
    <message>
        <source>report site needs -o FILE.pdf</source>
        <translation>для report site нужен -o ФАЙЛ.pdf</translation>
    </message>
    <message>
        <source>эта сборка программы не делает отчётов</source>
        <translation>эта сборка программы не делает отчётов</translation>
    </message>
    <message>
        <source>отстаёт: список объекта ещё не применялся</source>
        <translation>отстаёт: список объекта ещё не применялся</translation>
    </message>
    <message>
        <source>отстаёт: применена редакция %1 (%2)</source>
        <translation>отстаёт: применена редакция %1 (%2)</translation>
    </message>
    <message>
        <source>без ограничений</source>
        <translation>без ограничений</translation>
    </message>
    <message>
        <source>страница %1 из %2</source>
        <translation>страница %1 из %2</translation>
    </message>
    <message>
        <source>Модули</source>
        <translation>Модули</translation>
    </message>
    <message>
        <source>Пользователи</source>
        <translation>Пользователи</translation>
    </message>
    <message>
        <source>Последние события</source>
        <translation>Последние события</translation>
    </message>
    <message>
        <source>Объект «%1»: кто открывает ворота</source>
        <translation>Объект «%1»: кто открывает ворота</translation>
    </message>
    <message>
        <source>Отчёт от %1. Редакция списка %2, изменён %3. Модулей: %4, номеров: %5, окно кончается в ближайшие %6 дней: %7.</source>
        <translation>Отчёт от %1. Редакция списка %2, изменён %3. Модулей: %4, номеров: %5, окно кончается в ближайшие %6 дней: %7.</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Содержание</translation>
    </message>
    <message>
        <source>Номер SIM</source>
        <translation>Номер SIM</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Список</source>
        <translation>Список</translation>
    </message>
    <message>
        <source>Последнее обращение</source>
        <translation>Последнее обращение</translation>
    </message>
    <message>
        <source>Без номеров</source>
        <translation>Без номеров</translation>
    </message>
    <message>
        <source>Всего: %1; окно кончается в ближайшие %2 дней (отмечены «!»): %3.</source>
        <translation>Всего: %1; окно кончается в ближайшие %2 дней (отмечены «!»): %3.</translation>
    </message>
    <message>
        <source> (только %1)</source>
        <translation> (только %1)</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Окно доступа</source>
        <translation>Окно доступа</translation>
    </message>
    <message>
        <source>Последнее использование</source>
        <translation>Последнее использование</translation>
    </message>
    <message>
        <source>журнал событий модуля не читался</source>
        <translation>журнал событий модуля не читался</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Объект «%1» — %2</source>
        <translation>Объект «%1» — %2</translation>
    </message>
    <message>
        <source>PDF не создаётся: %1</source>
        <translation>PDF не создаётся: %1</translation>
    </message>
    <message>
        <source>PDF не записан: %1</source>
        <translation>PDF не записан: %1</translation>
    </message>
    <message>
        <source>Отчёт объекта берётся из журнала модулей, а он не открыт</source>
        <translation>Отчёт объекта берётся из журнала модулей, а он не открыт</translation>
    </message>
    <message>
        <source>В журнале модулей нет объектов (portiqa-cli site import)</source>
        <translation>В журнале модулей нет объектов (portiqa-cli site import)</translation>
    </message>
    <message>
        <source>Отчёт какого объекта? Объекты: %1</source>
        <translation>Отчёт какого объекта? Объекты: %1</translation>
    </message>
    <message>
        <source>Объекта «%1» нет в журнале модулей</source>
        <translation>Объекта «%1» нет в журнале модулей</translation>
    </message>
    <message>
        <source>отчёт объекта</source>
        <translation>отчёт объекта</translation>
    </message>
    <message>
        <source>отчёт %1.pdf</source>
        <translation>отчёт %1.pdf</translation>
    </message>
    <message>
        <source>Отчёт объекта «%1» записан: %2 (пользователей: %3, окно кончается скоро: %4)</source>
        <translation>Отчёт объекта «%1» записан: %2 (пользователей: %3, окно кончается скоро: %4)</translation>
    </message>
    <message>
        <source>Отчёт
объекта</source>
        <translation>Отчёт
объекта</translation>
    </message>
    <message>
        <source>Отчёт для управляющего объектом (PDF): модули, кто открывает ворота и до какого срока</source>
        <translation>Отчёт для управляющего объектом (PDF): модули, кто открывает ворота и до какого срока</translation>
    </message>
    <message>
        <source>--events takes a number of events (1-1000)</source>
        <translation>--events — число событий (1-1000)</translation>
    </message>
    <message>
        <source>Отчёт по объекту «%1» записан: %2 (модулей: %3, пользователей: %4, окно кончается скоро: %5, изменений с прошлого отчёта: %6)</source>
        <translation>Отчёт по объекту «%1» записан: %2 (модулей: %3, пользователей: %4, окно кончается скоро: %5, изменений с прошлого отчёта: %6)</translation>
    </message>
    <message>
        <source>Журнал модулей не сохранил отметку об отчёте: %1</source>
        <translation>Журнал модулей не сохранил отметку об отчёте: %1</translation>
    </message>
    <message>
        <source>убран</source>
        <translation>убран</translation>
    </message>
    <message>
        <source>добавлен</source>
        <translation>добавлен</translation>
    </message>
    <message>
        <source>окно изменено</source>
        <translation>окно изменено</translation>
    </message>
    <message>
        <source>Прошлого отчёта нет: изменения с этого отчёта покажет следующий.</source>
        <translation>Прошлого отчёта нет: изменения с этого отчёта покажет следующий.</translation>
    </message>
    <message>
        <source>С отчёта от %1 (%2, редакция %3). Список последним менял %4 (редакция %5).</source>
        <translation>С отчёта от %1 (%2, редакция %3). Список последним менял %4 (редакция %5).</translation>
    </message>
    <message>
        <source>Изменения с прошлого отчёта</source>
        <translation>Изменения с прошлого отчёта</translation>
    </message>
    <message>
        <source>Изменение</source>
        <translation>Изменение</translation>
    </message>
    <message>
        <source>Было</source>
        <translation>Было</translation>
    </message>
    <message>
        <source>Стало</source>
        <translation>Стало</translation>
    </message>
    <message>
        <source>Список не менялся.</source>
        <translation>Список не менялся.</translation>
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
        <translation>Вызов: portiqa-cli [КЛЮЧ]... КОМАНДА [АРГУМЕНТ]...
Настройка GSM-модуля с реле через последовательный порт: вход, чтение и сохранение настроек
и разрешённых номеров, скачивание и удаление истории событий, установка часов.

Команды:
  ports                         список последовательных портов, порт по умолчанию первым
  login [--json]                только проверить пароль; --json: вывести номер SIM модуля,
                                серийный номер адаптера и имя модуля в журнале
  settings read [-o ПРОФИЛЬ.xlsx]
                                напечатать строки 1-%1 как «N&lt;TAB&gt;значение» или записать
                                профиль настроек
  settings save [-i ПРОФИЛЬ.xlsx] [--set N=ЗНАЧЕНИЕ]... [--dry-run] [--with-password] [--with-sim]
                                прочитать настройки, применить профиль и значения, сохранить;
                                --dry-run: напечатать каждую строку, которая изменится, как
                                «строка: было -&gt; станет», и ничего не записывать
  numbers download [-o ФАЙЛ.xlsx|ФАЙЛ.cvs|ФАЙЛ.csv] [--expired] [--expiring ДНИ]
                                напечатать занятые записи или записать их в файл;
                                --expired: только те, чей срок кончился, --expiring ДНИ:
                                только те, чей срок кончается в ближайшие ДНИ дней; --unused
                                МЕСЯЦЕВ: только те, о ком история событий модуля в записи
                                молчит МЕСЯЦЕВ месяцев
  numbers save -i ФАЙЛ.xlsx|ФАЙЛ.xls|ФАЙЛ.cvs|ФАЙЛ.csv [--dry-run]
                                прочитать список модуля, импортировать файл с проверками
                                окна, показать изменения и кто получит или потеряет доступ
                                (по имени, если оно есть в журнале), сохранить; удаление
                                или сокращение доступа и абонент, записанный двумя
                                способами, требуют --yes
  history download [-o ФАЙЛ.xlsx|ФАЙЛ.cvs|ФАЙЛ.csv] [--from ВРЕМЯ --to ВРЕМЯ]
                                напечатать или записать историю событий, можно только за
                                промежуток времени
  history delete [--dry-run]    стереть историю модуля (требует --yes); --dry-run: напечатать,
                                сколько в ней записей, и ничего не стирать
  time sync                     установить часы модуля по часам этого компьютера
  check-mode                    отправить команду режима проверки
  backup -o ФАЙЛ                прочитать всю память модуля (настройки, номера, историю) в
                                файл резервной копии
  restore -i ФАЙЛ [--dry-run] [--with-password] [--with-sim] [--clone]
                                записать в модуль настройки и номера из резервной копии
                                (требует --yes); модуль сохраняет свой пароль и номер SIM, если не
                                указаны --with-password, --with-sim; копию другого модуля
                                (другой номер SIM) записывает только с --clone; -i @ID или
                                МОДУЛЬ@ДАТА восстанавливает копию модуля из журнала;
                                --only settings|numbers записывает только эту часть
  modules [--json]              модули, известные журналу
  log [МОДУЛЬ] [--json] [--all] снимки и записи модуля, новые первыми (МОДУЛЬ: его имя, номер
                                SIM или номер в журнале; без него все модули); последние 200
                                каждого вида, если нет --all, и сказано, когда есть ещё
  name МОДУЛЬ ИМЯ               дать модулю имя в журнале (не длиннее 60 знаков)
  record restore-last-good      положить последнюю исправную копию файла журнала на его место,
                                повреждённый файл сохранить рядом (нужен --yes)
  diff A Б [--json]             чем отличаются две копии, по строкам настроек и записям номеров;
                                A и Б: module (прочитать сейчас), @ID (снимок), МОДУЛЬ@ДАТА
                                (его последний снимок на ту дату), файл резервной копии,
                                профиля или списка номеров
  site list [--json]            список объектов: именованных групп модулей с одним списком
  site import ОБЪЕКТ -i ФАЙЛ [--module МОДУЛЬ] [--revision N]
                                задать список объекта из файла номеров (объект создаётся)
                                или добавления одного модуля; имена из файла идут в журнал
  site export ОБЪЕКТ -o ФАЙЛ    записать список объекта в файл номеров
  site add ОБЪЕКТ МОДУЛЬ [НОМЕР]... [--replace] [--at АДРЕС]
                                включить модуль в объект, без указанных НОМЕРов в дополнение
                                к прежним (--replace: только без них); --at: сервер портов,
                                через который он доступен (rfc2217://ХОСТ:ПОРТ или
                                socket://ХОСТ:ПОРТ; - — никакой)
  site remove ОБЪЕКТ МОДУЛЬ     исключить модуль из объекта
  site show ОБЪЕКТ              список объекта с именами и состояние каждого модуля
  site status ОБЪЕКТ [--json]   каждый модуль: когда применён список и актуален ли он
                                (код 7, если какой-то отстаёт)
  site apply ОБЪЕКТ [--dry-run] сохранить список объекта в модуль на порту с проверками
                                сохранения номеров (потеря доступа требует --yes); --all: во
                                все модули объекта, у которых есть адрес, по очереди, строка
                                на каждый
  report site ОБЪЕКТ -o ФАЙЛ.pdf [--events N]
                                отчёт для управляющего объектом (PDF, A4): модули и их
                                состояние, кто открывает ворота и до какого срока (окна,
                                кончающиеся в ближайшие 30 дней, отмечены), N последних
                                событий каждых ворот (10)
  provision --template ФАЙЛ [--numbers ФАЙЛ] [--units УСТРОЙСТВА.csv] --report ОТЧЁТ.csv
            [--watch ШАБЛОН]... [--count N] [-P ЗАВОДСКОЙ_ПАРОЛЬ] [--force] [--json]
            [--batch ИМЯ] [--record ГДЕ | --no-record] [--reflash]
                                настроить каждый подключённый модуль (несколько сразу) по
                                шаблону (резервная копия или профиль .xlsx с --numbers) и
                                следующему устройству из УСТРОЙСТВА.csv (столбец «unit», затем
                                строки настроек 1-%1); каждый проверяется и заносится в
                                ОТЧЁТ.csv; --watch по умолчанию /dev/ttyUSB* и /dev/ttyACM*
                                (COM* в Windows), имя без пути сверяется со списком портов;
                                --force разрешает шаблону удалять номера из модуля; код
                                выхода 0, если все модули настроены, 1, если хоть один нет;
                                журнал модулей хранит, у какого модуля какое устройство (общий
                                для станций с одним --batch ИМЯ)
  provision --units УСТРОЙСТВА.csv | --batch ИМЯ --release УСТРОЙСТВО
                                вернуть устройство, занятое модулем, который проверен

Ключи:
  -p, --port ПОРТ               последовательный порт: имя из списка &apos;ports&apos; (ttyUSB0) или
                                путь к устройству; без ключа — первый порт списка
                                Модуль за сервером последовательных портов:
                                socket://ХОСТ:ПОРТ (TCP как есть) или rfc2217://ХОСТ:ПОРТ
                                (Telnet, линию настраивает программа)
      --allow-plain-network     принять сервер портов на другом компьютере (пароль пройдёт
                                по сети открыто: надёжнее VPN или SSH-туннель)
  -P, --password ПАРОЛЬ         4-значный пароль модуля (по умолчанию 5807); другие
                                пользователи компьютера видят его в списке процессов, лучше
      --password-file ФАЙЛ      пароль в первой строке ФАЙЛА или переменная окружения
                                PORTIQA_PASSWORD
  -y, --yes                     отвечать «да» на вопросы, которые задало бы окно
  -q, --quiet                   не печатать ход работы в стандартный поток ошибок
      --verbose                 в сообщениях о журнале и собственные слова базы данных
  -o, --output ФАЙЛ             записать в ФАЙЛ вместо печати; вид файла по расширению
                                (.xlsx, .cvs или .csv; резервная копия — с любым именем)
  -i, --input ФАЙЛ              прочитать из ФАЙЛА
      --set N=ЗНАЧЕНИЕ          для &apos;settings save&apos;: значение строки N (1-%1); строка выбора
                                из списка принимает номер пункта (11=3)
      --from ВРЕМЯ, --to ВРЕМЯ  для &apos;history download&apos;: «ГГГГ-ММ-ДД ЧЧ:ММ:СС»
      --no-verify               при сохранении не читать записанные страницы обратно
      --dry-run                 для &apos;settings save&apos;, &apos;numbers save&apos;, &apos;history delete&apos; и
                                &apos;restore&apos;: показать, что изменится; ничего не записывается
      --with-password           для &apos;restore&apos; и &apos;settings save -i&apos;: записать и пароль из файла
      --with-sim                для &apos;restore&apos; и &apos;settings save -i&apos;: записать и номер SIM из файла
      --clone                   для &apos;restore&apos;: записать копию, снятую с другого модуля
      --record URL              журнал модулей: файл или postgresql://пользователь@сервер/база (по
                                умолчанию PORTIQA_RECORD, иначе ~/.local/share/portiqa/record.sqlite)
      --no-record               не вести журнал (загрузки тогда читают каждую страницу дважды)
      --json                    для &apos;login&apos;, &apos;modules&apos;, &apos;log&apos;, &apos;diff&apos;, &apos;site list&apos; и
                                &apos;site status&apos;: вывод в JSON
      --country КОД             как пишут номера там, где стоят модули (+7 или RU; по
                                умолчанию PORTIQA_COUNTRY, иначе регион системы): 8916...,
                                7916... и +7916... тогда один абонент
      --module МОДУЛЬ           для &apos;site import&apos;: в файле добавления этого модуля
      --revision N              для &apos;site import&apos;: редакция, в которой файл взят
                                &apos;site export&apos;; список, изменённый после, не заменяется
      --at АДРЕС                для &apos;site add&apos;: сервер портов, через который доступен модуль
      --events N                для &apos;report site&apos;: сколько последних событий каждых ворот
                                показать, не больше 1000
      --read-only               только чтение (также PORTIQA_READ_ONLY=1): любая запись
                                отклоняется, прежде чем что-либо отправлено (код 1)
  -h, --help                    показать эту справку и выйти
  -v, --version                 показать версию и выйти
      --lang ru|en              язык сообщений и справки (по умолчанию язык системы)

Код выхода:
  0  выполнено
  1  модуль отказал или операция не удалась
  2  ошибка в вызове
  3  модуль не ответил
  4  неверный пароль
  5  порт не открывается
  6  файл не читается, не записывается или не прошёл проверку
  7  &apos;site status&apos;: модуль не держит список своего объекта

Каждый ключ принимают только команды, при которых он указан; любое другое сочетание —
ошибка вызова, и ничего не отправляется. Файлы для записи проверяются до чтения модуля.

Сообщения идут в стандартный поток ошибок словами окна; данные — в стандартный вывод в
UTF-8, как их хранит модуль (без перевода).
Пользователю нужен доступ к последовательному порту: в Debian — членство в группе dialout.
</translation>
    </message>
</context>
</TS>
