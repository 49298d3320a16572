#include "app/identity.h"
#include "app/translationloader.h"
#include "common/testmain.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTranslator>

namespace {
// Every Russian text the program shows, under the context that shows it.
struct CatalogueEntry {
    const char *context;
    const char *source;
    const char *russian;
};
const CatalogueEntry Catalogue[] = {
    { "IOTRunner", "Connection closed", "Соединение закрыто" },
    { "IOTRunner", "Connection saved", "Подключение сохранено" },
    { "IOTRunner", "Connection exists", "Подключение уже существует" },
    { "IOTRunner", "Cannot save the connection", "Не удалось сохранить подключение" },
    { "IOTRunner", "Device configuration has not been read yet",
        "Конфигурация устройства ещё не прочитана" },
    { "IOTRunner", "Saved to %1", "Сохранено в %1" },
    { "IOTRunner", "Cannot write to %1: %2", "Невозможно записать %1: %2" },
    { "IOTRunner", "Cannot execte %1. Device error %2",
        "Невозможно выполнить %1. Ошибка устройства %2" },
    { "IOTRunner",
        "Device type %1 is not known. Please update the application or the device firmware",
        "Тип устройства %1 неизвестен. Пожалуйста обновите приложение или прошивку устройства" },
    { "IOTRunner", "Device", "Устройство" },
    { "IOTRunner", "Version", "Версия" },
    { "IOTRunner", "Build", "Сборка" },
    { "IOTRunner", "Sensor", "Датчик" },
    { "IOTRunner", "build is too old", "сборка слишком старая" },
    { "IOTRunner", "File %1 uploaded", "Файл %1 загружен" },
    { "IOTRunner", "Device will reboot", "Устройство будет перезагружено" },
    { "IOTRunner", "Invalid certificate data", "Файл не является сертификатом" },
    { "IOTRunner", "Certificate will be converted from PEM to DER",
        "Сертификат будет преобразован из PEM в DER" },
    { "IOTRunner", "Invalid private key", "Файл не является секретным ключом" },
    { "IOTRunner", "Key will be converted from PEM to DER",
        "Ключ будет преобразован из PEM в DER" },
    { "QDropTextHandler", "Binary content: %1...", "Бинарный контент: %1..." },
    { "main", "3rd party software", "Стороннее ПО" },
    { "main", "About", "О программе" },
    { "main", "An update to <b>version %1</b> is available",
        "Доступно обновление до <b>версии %1</b>" },
    { "main", "Application will restart itself once updated",
        "Приложение будет перезапущено после обновления" },
    { "main", "Check for updates", "Проверить обновления" },
    { "main", "Cloud", "Облако" },
    { "main", "Cloud/MQTT is not running", "Облако/MQTT выключено" },
    { "main", "Cloud/MQTT is running", "Облако/MQTT запущено" },
    { "main", "Config", "Настройки" },
    { "main", "Connected", "Подключено" },
    { "main", "Connecting", "Подключаемся" },
    { "main", "Device Info", "Сведения об устройстве" },
    { "main", "Disconnect", "Отключиться" },
    { "main", "English", "Английский" },
    { "main", "History", "История" },
    { "main", "Info", "Информация" },
    { "main", "Tarvex client is not running", "Клиент Тарвекс выключен" },
    { "main", "Tarvex client is running", "Клиент Тарвекс запущен" },
    { "main", "Language", "Язык" },
    { "main", "Name", "Имя" },
    { "main", "New version %1 is available!", "Доступна новая версия %1!" },
    { "main", "No updates available", "Нет доступных обновлений" },
    { "main", "Not connected", "Не подключено" },
    { "main", "VELTRA2", "VELTRA2" },
    { "main", "VELTRA2 ", "VELTRA2 " },
    { "main", "Quit", "Выход" },
    { "main", "Reboot", "Перезагрузить" },
    { "main", "Reboot the device?", "Перезагрузить устройство?" },
    { "main", "Restart the app to apply changes",
        "Перезапустите приложение для применения изменений" },
    { "main", "Russian", "Русский" },
    { "main", "Save Connection", "Сохранить подключение" },
    { "main", "Status", "Состояние" },
    { "main", "Time column value accuracy", "Точность значений в колонке время" },
    { "main", "Update the data", "Обновить данные" },
    { "main", "Update to %1?", "Обновиться до %1?" },
    { "main", "min", "мин" },
    { "main", "sec", "сек" },
    { "ConnectionPage", "Back", "Назад" },
    { "ConnectionPage", "Connect", "Подключиться" },
    { "ConnectionPage", "Connections List", "Список подключений" },
    { "ConnectionPage", "Device IP:", "IP устройства:" },
    { "ConnectionPage", "New connection", "Новое подключение" },
    { "ConnectionPage", "Port:", "Порт:" },
    { "ConnectionsList", "Delete", "Удалить" },
    { "ConnectionsList", "Saved Connections", "Сохраненные подключения" },
    { "ConfigPage", "Access Point", "Точка доступа" },
    { "ConfigPage", "Apply", "Применить" },
    { "ConfigPage", "Auth Mode", "Тип шифрования" },
    { "ConfigPage", "Cloud/MQTT", "Cloud/MQTT" },
    { "ConfigPage", "Factory Defaults", "Заводские настройки" },
    { "ConfigPage", "Reset the device configuration to factory settings?",
        "Сбросить конфигурацию устройства к заводским настройкам?" },
    { "ConfigPage", "Infrastructure", "Инфраструктура" },
    { "ConfigPage", "Mode", "Режим" },
    { "ConfigPage", "Open Network", "Открытая сеть" },
    { "ConfigPage", "Password", "Пароль" },
    { "ConfigPage", "SSID", "Имя сети" },
    { "ConfigPage", "TCP Server", "TCP сервер" },
    { "ConfigPage", "WEP", "WEP" },
    { "ConfigPage", "WPA", "WPA" },
    { "ConfigPage", "WPA/WPA2", "WPA/WPA2" },
    { "ConfigPage", "WPA2", "WPA2" },
    { "ConfigPage", "Web Server", "Веб сервер" },
    { "ConfigPage", "WiFi Mode", "Режим WiFi" },
    { "CloudConfig", "Apply", "Применить" },
    { "CloudConfig", "Certificate", "Сертификат" },
    { "CloudConfig", "Client ID", "ИД клиента" },
    { "CloudConfig", "Key", "Ключ" },
    { "CloudConfig", "Next", "Следующий" },
    { "CloudConfig", "Registration ID", "Регистрационный ИД" },
    { "CloudConfig", "missing", "отсутствует" },
    { "CloudConfig", "not set", "не задан" },
    { "CloudConfig", "present", "есть" },
    { "MaterialLoadItem", "Clear", "Очистить" },
    { "MaterialLoadItem", "Open", "Открыть" },
    { "MaterialLoadItem", "Upload", "Загрузить" },
};
} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");

        QTest::newRow("version") << QStringList { "--version" } << 0
                                 << QString(VELTRA2_APPLICATION " " VELTRA2_VERSION "\n");
        QTest::newRow("short version")
            << QStringList { "-v" } << 0 << QString(VELTRA2_APPLICATION " " VELTRA2_VERSION "\n");
        QTest::newRow("help") << QStringList { "--help" } << 0 << "--version";
        QTest::newRow("toolkit options before the version")
            << QStringList { "-platform", "offscreen", "-reverse", "--version" } << 0
            << QString(VELTRA2_APPLICATION " " VELTRA2_VERSION "\n");
        QTest::newRow("unknown option beside the toolkit's")
            << QStringList { "-platform", "offscreen", "-style", "Fusion", "--frobnicate" } << 1
            << "Unknown option 'frobnicate'";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess program;
        // No display at all: these answers must not need one.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VELTRA2_BINARY), args);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QString text = QString::fromLocal8Bit(
            program.readAllStandardOutput() + program.readAllStandardError());
        if (output.endsWith('\n'))
            QCOMPARE(text, output);
        else
            QVERIFY2(text.contains(output), qPrintable(text));
    }

    void toolkitOptionsReachTheToolkit()
    {
        // Refused options end the program at once; accepted, it keeps running.
        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(VELTRA2_BINARY),
            { "-platform", "offscreen", "-reverse", "-style", "Fusion" });
        QVERIFY(program.waitForStarted(5000));
        QVERIFY2(!program.waitForFinished(3000), program.readAll().constData());
        program.kill();
        program.waitForFinished(5000);
    }

    void languageChoosesCatalogue_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("closed");
        QTest::addColumn<QString>("yes");

        QTest::newRow("Russian") << "ru" << QStringLiteral("Соединение закрыто")
                                 << QStringLiteral("&Да");
        QTest::newRow("English") << "en"
                                 << "Connection closed"
                                 << "&Yes";
        QTest::newRow("no catalogue") << "de"
                                      << "Connection closed"
                                      << "&Yes";
        QTest::newRow("not set") << ""
                                 << "Connection closed"
                                 << "&Yes";
    }

    void languageChoosesCatalogue()
    {
        QFETCH(QString, language);
        QFETCH(QString, closed);
        QFETCH(QString, yes);
        const QList<QTranslator *> translators = TranslationLoader::loadWithToolkit(language);
        for (QTranslator *translator : translators)
            QCoreApplication::installTranslator(translator);
        // Ours, and the toolkit's own standard buttons in the same language.
        const QString closedSeen = QCoreApplication::translate("IOTRunner", "Connection closed");
        const QString yesSeen = QCoreApplication::translate("QPlatformTheme", "&Yes");
        qDeleteAll(translators);
        QCOMPARE(closedSeen, closed);
        QCOMPARE(yesSeen, yes);
    }

    void russianCatalogueIsComplete_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("russian");

        for (const CatalogueEntry &e : Catalogue)
            QTest::newRow(qPrintable(QString("%1: %2").arg(e.context, e.source))) << QString(
                e.context) << QString::fromUtf8(e.source) << QString::fromUtf8(e.russian);
    }

    void russianCatalogueIsComplete()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, russian);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/lang/veltra2_ru.qm")));
        QCOMPARE(translator.translate(qPrintable(context), qPrintable(source)), russian);
    }

    void resourcesAreCarried()
    {
        QImage needle(QStringLiteral(":/needle.png"));
        QCOMPARE(needle.size(), QSize(17, 201));
        QVERIFY(needle.hasAlphaChannel());
        // Pointing up: the tip is narrow, the base broad, the corners clear.
        QCOMPARE(qAlpha(needle.pixel(0, 0)), 0);
        QVERIFY(qAlpha(needle.pixel(8, 5)) > 0);
        QVERIFY(qRed(needle.pixel(8, 150)) > 150 && qGreen(needle.pixel(8, 150)) < 100);

        QImageReader icon(QStringLiteral("://veltra2.ico"));
        QList<int> sizes;
        for (int i = 0; i < icon.imageCount(); ++i) {
            QVERIFY(icon.jumpToImage(i));
            const QImage image = icon.read();
            QCOMPARE(image.width(), image.height());
            QVERIFY(image.hasAlphaChannel());
            sizes << image.width();
        }
        QCOMPARE(sizes, (QList<int> { 128, 96, 48, 32, 24, 22, 16 }));

        QFile font(QStringLiteral(":/fonts/MaterialIcons-Regular.ttf"));
        QCOMPARE(font.size(), 128180);
        QFile qmldir(QStringLiteral(":/qmldir"));
        QVERIFY(qmldir.open(QIODevice::ReadOnly));
        QCOMPARE(
            qmldir.readAll().trimmed(), QByteArray("singleton MaterialFont 1.0 MaterialFont.qml"));

        QSettings style(QStringLiteral(":/qtquickcontrols2.conf"), QSettings::IniFormat);
        QCOMPARE(style.value("Controls/Style").toString(), QStringLiteral("Material"));
        QCOMPARE(style.value("Material/Theme").toString(), QStringLiteral("Light"));
        QCOMPARE(style.value("Material/Primary").toString(), QStringLiteral("Indigo"));
        QVERIFY(!style.contains("Material/Accent"));
    }
};

VELTRA2_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
