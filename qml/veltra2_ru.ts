<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>IOTRunner</name>
    <message>
        <source>The device did not confirm the configuration: check it once the device answers</source>
        <translation>Устройство не подтвердило конфигурацию: проверьте ее, когда устройство ответит</translation>
    </message>
    <message>
        <source>A saved connection needs a name</source>
        <translation>У сохраненного подключения должно быть имя</translation>
    </message>
    <message>
        <source>Configuration applied</source>
        <translation>Конфигурация применена</translation>
    </message>
    <message>
        <source>Device reset to factory settings</source>
        <translation>Устройство сброшено к заводским настройкам</translation>
    </message>
    <message>
        <source>Configuration restored from %1</source>
        <translation>Конфигурация восстановлена из %1</translation>
    </message>
    <message>
        <source>Nothing was applied</source>
        <translation>Ничего не применено</translation>
    </message>
    <message>
        <source>%1 is not a VELTRA2 device</source>
        <translation>%1 — не устройство VELTRA2</translation>
    </message>
    <message>
        <source>Saved to %1. The file holds the Wi-Fi password: keep it safe</source>
        <translation>Сохранено в %1. В файле есть пароль Wi-Fi: храните его надёжно</translation>
    </message>
    <message>
        <source>Cannot load %1: %2</source>
        <translation>Не удалось загрузить %1: %2</translation>
    </message>
    <message>
        <source>Device type %1 is not known</source>
        <translation>Тип устройства %1 неизвестен</translation>
    </message>
    <message>
        <source>The device stopped answering</source>
        <translation>Устройство перестало отвечать</translation>
    </message>
    <message>
        <source>Cloud settings applied</source>
        <translation>Настройки облака применены</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>Влажность</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Connection closed</source>
        <translation>Соединение закрыто</translation>
    </message>
    <message>
        <source>Connection saved</source>
        <translation>Подключение сохранено</translation>
    </message>
    <message>
        <source>Connection exists</source>
        <translation>Подключение уже существует</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Сохранено в %1</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>Невозможно записать %1: %2</translation>
    </message>
    <message>
        <source>Cannot execte %1. Device error %2</source>
        <translation>Невозможно выполнить %1. Ошибка устройства %2</translation>
    </message>
    <message>
        <source>Device type %1 is not known. Please update the application or the device firmware</source>
        <translation>Тип устройства %1 неизвестен. Пожалуйста обновите приложение или прошивку устройства</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Сборка</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>build is too old</source>
        <translation>сборка слишком старая</translation>
    </message>
    <message>
        <source>File %1 uploaded</source>
        <translation>Файл %1 загружен</translation>
    </message>
    <message>
        <source>Device will reboot</source>
        <translation>Устройство будет перезагружено</translation>
    </message>
    <message>
        <source>Invalid certificate data</source>
        <translation>Файл не является сертификатом</translation>
    </message>
    <message>
        <source>Certificate will be converted from PEM to DER</source>
        <translation>Сертификат будет преобразован из PEM в DER</translation>
    </message>
    <message>
        <source>Invalid private key</source>
        <translation>Файл не является секретным ключом</translation>
    </message>
    <message>
        <source>Key will be converted from PEM to DER</source>
        <translation>Ключ будет преобразован из PEM в DER</translation>
    </message>
    <message>
        <source>Device configuration has not been read yet</source>
        <translation>Конфигурация устройства ещё не прочитана</translation>
    </message>
    <message>
        <source>Cannot save the connection</source>
        <translation>Не удалось сохранить подключение</translation>
    </message>
    <message>
        <source>Cannot connect to %1:%2: %3. Retrying…</source>
        <translation>Невозможно подключиться к %1:%2: %3. Повторная попытка…</translation>
    </message>
    <message>
        <source>The history is still being saved</source>
        <translation>История ещё сохраняется</translation>
    </message>
    <message>
        <source>Cannot delete the connection</source>
        <translation>Невозможно удалить подключение</translation>
    </message>
</context>
<context>
    <name>QDropTextHandler</name>
    <message>
        <source>%1 is larger than 1 MiB</source>
        <translation>%1 больше 1 МиБ</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 — не файл</translation>
    </message>
    <message>
        <source>Binary content: %1...</source>
        <translation>Бинарный контент: %1...</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The connection to the device is closed and opened again.</source>
        <translation>Подключение к устройству будет закрыто и открыто снова.</translation>
    </message>
    <message>
        <source>Restart now</source>
        <translation>Перезапустить</translation>
    </message>
    <message>
        <source>Developed by: %1, 2019</source>
        <translation>Разработчик: %1, 2019</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>It stops measuring and leaves the network for about a minute; the program reconnects.</source>
        <translation>Устройство прекратит измерения и примерно на минуту покинет сеть; программа подключится снова.</translation>
    </message>
    <message>
        <source>Connection lost at %1 — reconnecting</source>
        <translation>Связь потеряна в %1 — переподключение</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>unavailable</source>
        <translation>недоступно</translation>
    </message>
    <message>
        <source>History: %1 rows</source>
        <translation>История, строк: %1</translation>
    </message>
    <message>
        <source>Stop Watching the Site</source>
        <translation>Не следить за объектом</translation>
    </message>
    <message>
        <source>Alarm limits…</source>
        <translation>Пороги тревог…</translation>
    </message>
    <message>
        <source>Alarm limits</source>
        <translation>Пороги тревог</translation>
    </message>
    <message>
        <source>Alarm limits: %1</source>
        <translation>Пороги тревог: %1</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>%1 devices, %2 with a problem</source>
        <translation>Устройств: %1, с проблемой: %2</translation>
    </message>
    <message>
        <source>Downloaded at %1</source>
        <translation>Загружено %1</translation>
    </message>
    <message>
        <source>The history has not been downloaded yet</source>
        <translation>История ещё не загружена</translation>
    </message>
    <message>
        <source>The device sent no history</source>
        <translation>Устройство не прислало историю</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <source>3rd party software</source>
        <translation>Стороннее ПО</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>An update to &lt;b&gt;version %1&lt;/b&gt; is available</source>
        <translation>Доступно обновление до &lt;b&gt;версии %1&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The download opens in your web browser</source>
        <translation>Загрузка откроется в веб-браузере</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Проверить обновления</translation>
    </message>
    <message>
        <source>Cloud</source>
        <translation>Облако</translation>
    </message>
    <message>
        <source>Cloud/MQTT is not running</source>
        <translation>Облако/MQTT выключено</translation>
    </message>
    <message>
        <source>Cloud/MQTT is running</source>
        <translation>Облако/MQTT запущено</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Device Info</source>
        <translation>Сведения об устройстве</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключиться</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Tarvex client is not running</source>
        <translation>Клиент Тарвекс выключен</translation>
    </message>
    <message>
        <source>Tarvex client is running</source>
        <translation>Клиент Тарвекс запущен</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>New version %1 is available!</source>
        <translation>Доступна новая версия %1!</translation>
    </message>
    <message>
        <source>No updates available</source>
        <translation>Нет доступных обновлений</translation>
    </message>
    <message>
        <source>VELTRA2</source>
        <translation>VELTRA2</translation>
    </message>
    <message>
        <source>VELTRA2 </source>
        <translation>VELTRA2 </translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Перезагрузить</translation>
    </message>
    <message>
        <source>Restart the app to apply changes</source>
        <translation>Перезапустите приложение для применения изменений</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Save Connection</source>
        <translation>Сохранить подключение</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Time column value accuracy</source>
        <translation>Точность значений в колонке время</translation>
    </message>
    <message>
        <source>Update the data</source>
        <translation>Обновить данные</translation>
    </message>
    <message>
        <source>Update to %1?</source>
        <translation>Обновиться до %1?</translation>
    </message>
    <message>
        <source>min</source>
        <translation>мин</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>сек</translation>
    </message>
    <message>
        <source>Reboot the device?</source>
        <translation>Перезагрузить устройство?</translation>
    </message>
    <message>
        <source>Save history as CSV</source>
        <translation>Сохранить историю в CSV</translation>
    </message>
    <message>
        <source>Cannot check for updates</source>
        <translation>Не удалось проверить обновления</translation>
    </message>
</context>
<context>
    <name>ConnectionPage</name>
    <message>
        <source>Find devices</source>
        <translation>Найти устройства</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Connections List</source>
        <translation>Список подключений</translation>
    </message>
    <message>
        <source>Device IP:</source>
        <translation>IP устройства:</translation>
    </message>
    <message>
        <source>New connection</source>
        <translation>Новое подключение</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
</context>
<context>
    <name>ConnectionsList</name>
    <message>
        <source>Delete the saved connection %1 (%2:%3)?</source>
        <translation>Удалить сохраненное подключение %1 (%2:%3)?</translation>
    </message>
    <message>
        <source>No saved connections. Connect to a device, then choose Save Connection in the menu.</source>
        <translation>Нет сохранённых соединений. Подключитесь к устройству и выберите в меню «Сохранить подключение».</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Saved Connections</source>
        <translation>Сохраненные подключения</translation>
    </message>
</context>
<context>
    <name>ConfigPage</name>
    <message>
        <source>The device's mode and Wi-Fi settings go back to the factory's: it may leave its network.</source>
        <translation>Режим и настройки Wi-Fi устройства вернутся к заводским: устройство может покинуть свою сеть.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>The page holds changes not yet applied. The file will hold the device's configuration without them.</source>
        <translation>На странице есть непримененные изменения. В файл будет сохранена конфигурация устройства без них.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… и ещё %1</translation>
    </message>
    <message>
        <source>Load a configuration</source>
        <translation>Открыть конфигурацию</translation>
    </message>
    <message>
        <source>Save the configuration (the file holds the Wi-Fi password)</source>
        <translation>Сохранить конфигурацию (в файле будет пароль Wi-Fi)</translation>
    </message>
    <message>
        <source>Nothing is sent until Apply.</source>
        <translation>Ничего не отправляется до нажатия «Применить».</translation>
    </message>
    <message>
        <source>Loaded from %1</source>
        <translation>Загружено из %1</translation>
    </message>
    <message>
        <source>Apply the configuration from %1 to %2 at %3?</source>
        <translation>Применить конфигурацию из %1 к %2 по адресу %3?</translation>
    </message>
    <message>
        <source>Save to file</source>
        <translation>Сохранить в файл</translation>
    </message>
    <message>
        <source>Load from file</source>
        <translation>Открыть из файла</translation>
    </message>
    <message>
        <source>Nothing would change</source>
        <translation>Ничего не изменится</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>%1: changed</source>
        <translation>%1: изменится</translation>
    </message>
    <message>
        <source>%1 (device's value)</source>
        <translation>%1 (значение устройства)</translation>
    </message>
    <message>
        <source>Access Point</source>
        <translation>Точка доступа</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Auth Mode</source>
        <translation>Тип шифрования</translation>
    </message>
    <message>
        <source>Cloud/MQTT</source>
        <translation>Cloud/MQTT</translation>
    </message>
    <message>
        <source>Factory Defaults</source>
        <translation>Заводские настройки</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Инфраструктура</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Open Network</source>
        <translation>Открытая сеть</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>Имя сети</translation>
    </message>
    <message>
        <source>TCP Server</source>
        <translation>TCP сервер</translation>
    </message>
    <message>
        <source>WEP</source>
        <translation>WEP</translation>
    </message>
    <message>
        <source>WPA</source>
        <translation>WPA</translation>
    </message>
    <message>
        <source>WPA/WPA2</source>
        <translation>WPA/WPA2</translation>
    </message>
    <message>
        <source>WPA2</source>
        <translation>WPA2</translation>
    </message>
    <message>
        <source>Web Server</source>
        <translation>Веб-сервер</translation>
    </message>
    <message>
        <source>WiFi Mode</source>
        <translation>Режим WiFi</translation>
    </message>
    <message>
        <source>Reset the device configuration to factory settings?</source>
        <translation>Сбросить конфигурацию устройства к заводским настройкам?</translation>
    </message>
    <message>
        <source>Device configuration has not been read yet</source>
        <translation>Конфигурация устройства ещё не прочитана</translation>
    </message>
</context>
<context>
    <name>CloudConfig</name>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Сертификат</translation>
    </message>
    <message>
        <source>Client ID</source>
        <translation>ИД клиента</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Следующий</translation>
    </message>
    <message>
        <source>Registration ID</source>
        <translation>Регистрационный ИД</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>не задан</translation>
    </message>
    <message>
        <source>present</source>
        <translation>есть</translation>
    </message>
</context>
<context>
    <name>MaterialLoadItem</name>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Отправить</translation>
    </message>
</context>
<context>
    <name>VariantMapModel</name>
    <message>
        <source>%1 more not shown</source>
        <translation>ещё %1 не показано</translation>
    </message>
</context>
<context>
    <name>OpenFileDialog</name>
    <message>
        <source>Nothing to choose in this folder</source>
        <translation>В этой папке нечего выбрать</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
</context>
<context>
    <name>SensorGauge</name>
    <message>
        <source>no reading</source>
        <translation>нет показаний</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Reconnecting to %1: %2</source>
        <translation>Повторное подключение к %1: %2</translation>
    </message>
    <message>
        <source>Connected to %1</source>
        <translation>Подключено к %1</translation>
    </message>
    <message>
        <source>Connecting to %1: %2</source>
        <translation>Подключение к %1: %2</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Подключение к %1</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Не подключено</translation>
    </message>
</context>
<context>
    <name>SensorItem</name>
    <message>
        <source>s before the latest reading</source>
        <translation>с до последнего показания</translation>
    </message>
    <message>
        <source>Chart of recent readings (%1): from %2 to %3</source>
        <translation>График последних показаний (%1): от %2 до %3</translation>
    </message>
    <message>
        <source>No new reading for %1 min</source>
        <translation>Нет новых измерений %1 мин</translation>
    </message>
    <message>
        <source>No new reading for %1 s</source>
        <translation>Нет новых измерений %1 с</translation>
    </message>
    <message>
        <source>Reading of %1</source>
        <translation>Измерено в %1</translation>
    </message>
</context>
<context>
    <name>ConfigBackup</name>
    <message>
        <source>The file is for %1, not for %2</source>
        <translation>Файл для %1, а не для %2</translation>
    </message>
    <message>
        <source>The file is of format version %1; this program reads version %2</source>
        <translation>Версия формата файла %1; программа читает версию %2</translation>
    </message>
    <message>
        <source>The file is not a VELTRA2 configuration</source>
        <translation>Файл не является конфигурацией VELTRA2</translation>
    </message>
    <message>
        <source>The file is not readable JSON</source>
        <translation>Файл не является читаемым JSON</translation>
    </message>
    <message>
        <source>The file is larger than %1: it is no configuration</source>
        <translation>Файл больше %1: это не конфигурация</translation>
    </message>
    <message>
        <source>The configuration is larger than %1: it could not be restored</source>
        <translation>Конфигурация больше %1: её нельзя было бы восстановить</translation>
    </message>
    <message>
        <source>The file's %1 is %2, which a device does not take</source>
        <translation>В файле %1 — %2, такое устройство не примет</translation>
    </message>
    <message>
        <source>The file cannot be read</source>
        <translation>Файл не читается</translation>
    </message>
</context>
<context>
    <name>FindDevicesDialog</name>
    <message>
        <source>Connect</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Search to list the devices here</source>
        <translation>Найденные устройства появятся здесь</translation>
    </message>
    <message>
        <source>No device answered</source>
        <translation>Ни одно устройство не ответило</translation>
    </message>
    <message>
        <source>Devices found</source>
        <translation>Найденные устройства</translation>
    </message>
    <message>
        <source>%1 of %2 addresses tried, devices found: %3</source>
        <translation>Проверено адресов: %1 из %2, найдено устройств: %3</translation>
    </message>
    <message>
        <source>Empty: this computer&apos;s networks (%1). Or a network (192.168.1.0/24), a range (192.168.1.10-60) or an address, with :port if not 8081.</source>
        <translation>Пусто: сети этого компьютера (%1). Или сеть (192.168.1.0/24), диапазон (192.168.1.10-60) или адрес, с :портом, если не 8081.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Искать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Addresses to search</source>
        <translation>Адреса для поиска</translation>
    </message>
    <message>
        <source>Find devices</source>
        <translation>Найти устройства</translation>
    </message>
</context>
<context>
    <name>ScanRange</name>
    <message>
        <source>This computer is on no network to search: type a range</source>
        <translation>Этот компьютер не подключён ни к одной сети: введите диапазон</translation>
    </message>
    <message>
        <source>That is %1 addresses; a search covers at most %2</source>
        <translation>Это %1 адресов; поиск охватывает не более %2</translation>
    </message>
    <message>
        <source>A search covers IPv4 addresses only</source>
        <translation>Поиск охватывает только адреса IPv4</translation>
    </message>
    <message>
        <source>Enter a network (192.168.1.0/24), a range (192.168.1.10-60) or an address</source>
        <translation>Введите сеть (192.168.1.0/24), диапазон (192.168.1.10-60) или адрес</translation>
    </message>
</context>
<context>
    <name>DeviceAddress</name>
    <message>
        <source>The port must be a number from 1 to 65535</source>
        <translation>Порт должен быть числом от 1 до 65535</translation>
    </message>
    <message>
        <source>Enter the device's address</source>
        <translation>Введите адрес устройства</translation>
    </message>
    <message>
        <source>%1 is not an address</source>
        <translation>%1 — не адрес</translation>
    </message>
</context>
<context>
    <name>AlarmLimitsDialog</name>
    <message>
        <source>A lower limit must be below its upper limit</source>
        <translation>Нижний порог должен быть ниже верхнего</translation>
    </message>
    <message>
        <source>Temperature below (℃)</source>
        <translation>Температура ниже (℃)</translation>
    </message>
    <message>
        <source>Temperature above (℃)</source>
        <translation>Температура выше (℃)</translation>
    </message>
    <message>
        <source>Humidity below (%)</source>
        <translation>Влажность ниже (%)</translation>
    </message>
    <message>
        <source>Humidity above (%)</source>
        <translation>Влажность выше (%)</translation>
    </message>
    <message>
        <source>No reading for (s)</source>
        <translation>Нет показаний дольше (с)</translation>
    </message>
    <message>
        <source>MQTT must run</source>
        <translation>MQTT должен работать</translation>
    </message>
</context>
<context>
    <name>AlarmListDialog</name>
    <message>
        <source>Alarms</source>
        <translation>Тревоги</translation>
    </message>
    <message>
        <source>acknowledged</source>
        <translation>просмотрена</translation>
    </message>
    <message>
        <source>No alarm has been raised.</source>
        <translation>Тревог не было.</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Отметить просмотренной</translation>
    </message>
    <message>
        <source>Acknowledge all</source>
        <translation>Отметить все</translation>
    </message>
    <message>
        <source>Save as CSV</source>
        <translation>Сохранить в CSV</translation>
    </message>
    <message>
        <source>Save the alarms as CSV</source>
        <translation>Сохранить тревоги в CSV</translation>
    </message>
</context>
<context>
    <name>AlarmLogModel</name>
    <message>
        <source>still raised</source>
        <translation>ещё не снята</translation>
    </message>
    <message>
        <source>%1 at %2: %3 (%4), raised %5, %6</source>
        <translation>%1, %2: %3 (%4), поднята %5, %6</translation>
    </message>
    <message>
        <source>cleared %1</source>
        <translation>снята %1</translation>
    </message>
</context>
<context>
    <name>SiteModel</name>
    <message>
        <source>temperature too high</source>
        <translation>температура слишком высокая</translation>
    </message>
    <message>
        <source>temperature too low</source>
        <translation>температура слишком низкая</translation>
    </message>
    <message>
        <source>humidity too high</source>
        <translation>влажность слишком высокая</translation>
    </message>
    <message>
        <source>humidity too low</source>
        <translation>влажность слишком низкая</translation>
    </message>
    <message>
        <source>no reading</source>
        <translation>нет показаний</translation>
    </message>
    <message>
        <source>MQTT not running</source>
        <translation>MQTT не работает</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>подключено</translation>
    </message>
    <message>
        <source>not a VELTRA2 device</source>
        <translation>не устройство VELTRA2</translation>
    </message>
    <message>
        <source>no answer, reconnecting</source>
        <translation>не отвечает, переподключение</translation>
    </message>
    <message>
        <source>reconnecting</source>
        <translation>переподключение</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>подключение</translation>
    </message>
    <message>
        <source>connecting: %1</source>
        <translation>подключение: %1</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>running</source>
        <translation>работает</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлен</translation>
    </message>
    <message>
        <source>%1: model %2, address %3, temperature %4, humidity %5</source>
        <translation>%1: модель %2, адрес %3, температура %4, влажность %5</translation>
    </message>
    <message>
        <source>reading %1 old, link %2, MQTT %3, firmware %4</source>
        <translation>показание %1 назад, связь: %2, MQTT: %3, прошивка %4</translation>
    </message>
    <message>
        <source>alarms: %1</source>
        <translation>тревоги: %1</translation>
    </message>
</context>
<context>
    <name>SitePage</name>
    <message>
        <source>Filter:</source>
        <translation>Фильтр:</translation>
    </message>
    <message>
        <source>Name, address or model</source>
        <translation>Имя, адрес или модель</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Тревоги</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>Влажность</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Показание</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Связь</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Прошивка</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Alarms (%1)</source>
        <translation>Тревоги (%1)</translation>
    </message>
    <message>
        <source>Site: %1 devices, %2 with a problem</source>
        <translation>Объект: устройств %1, с проблемой %2</translation>
    </message>
    <message>
        <source>No saved connections to watch. Connect to a device, then choose Save Connection in the menu.</source>
        <translation>Нет сохранённых подключений для наблюдения. Подключитесь к устройству и выберите в меню «Сохранить подключение».</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Alarm limits…</source>
        <translation>Пороги тревог…</translation>
    </message>
</context>
<context>
    <name>SiteView</name>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>Alarm: %1 at %2, %3 %4</source>
        <translation>Тревога: %1, %2, %3 %4</translation>
    </message>
    <message>
        <source>VELTRA2: %1</source>
        <translation>VELTRA2: %1</translation>
    </message>
    <message>
        <source>%1 at %2: %3 %4</source>
        <translation>%1, %2: %3 %4</translation>
    </message>
    <message>
        <source>Save the connection first: limits are kept with it</source>
        <translation>Сначала сохраните подключение: пороги хранятся вместе с ним</translation>
    </message>
    <message>
        <source>Cannot save the limits</source>
        <translation>Не удалось сохранить пороги</translation>
    </message>
    <message>
        <source>Alarm limits saved</source>
        <translation>Пороги тревог сохранены</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Сохранено в %1</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>Невозможно записать %1: %2</translation>
    </message>
</context>
<context>
    <name>SensorsPage</name>
    <message>
        <source>Sensor %1 of %2</source>
        <translation>Датчик %1 из %2</translation>
    </message>
</context>
<context>
    <name>HistoryDataModel</name>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Время: %1</translation>
    </message>
    <message>
        <source>no reading</source>
        <translation>нет показания</translation>
    </message>
</context>
<context>
    <name>StateWords</name>
    <message>
        <source>Cloud/MQTT</source>
        <translation>Облако/MQTT</translation>
    </message>
    <message>
        <source>Tarvex client</source>
        <translation>Клиент Tarvex</translation>
    </message>
    <message>
        <source>Wi-Fi signal</source>
        <translation>Сигнал Wi-Fi</translation>
    </message>
    <message>
        <source>Running for</source>
        <translation>Время работы</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Показания</translation>
    </message>
    <message>
        <source>running</source>
        <translation>работает</translation>
    </message>
    <message>
        <source>not running</source>
        <translation>не работает</translation>
    </message>
    <message>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>%1 d %2 h</source>
        <translation>%1 д %2 ч</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 мин %2 с</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
</context>
<context>
    <name>FileUpload</name>
    <message>
        <source>Choose the MQTT key</source>
        <translation>Выберите ключ MQTT</translation>
    </message>
    <message>
        <source>Choose the MQTT certificate</source>
        <translation>Выберите сертификат MQTT</translation>
    </message>
    <message>
        <source>Keys (*.pem *.key *.der)</source>
        <translation>Ключи (*.pem *.key *.der)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Все файлы (*)</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt *.cer *.der)</source>
        <translation>Сертификаты (*.pem *.crt *.cer *.der)</translation>
    </message>
</context>
</TS>
