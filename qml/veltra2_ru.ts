<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>IOTRunner</name>
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
</context>
<context>
    <name>QDropTextHandler</name>
    <message>
        <source>Binary content: %1...</source>
        <translation>Бинарный контент: %1...</translation>
    </message>
</context>
</TS>
