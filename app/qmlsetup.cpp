#include "app/qmlsetup.h"

#include "app/inputmode.h"
#include "app/updater.h"

#include "link/protocol.h"
#include "models/chartdataprovider.h"
#include "models/connectionslistmodel.h"
#include "models/historydatamodel.h"
#include "models/qdroptexthandler.h"
#include "models/variantmapmodel.h"
#include "runner/iotrunner.h"

#include <QKeySequence>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml>

void QmlSetup::registerTypes()
{
    qmlRegisterUncreatableType<IOTRunner>("IOTRunner", 1, 0, "IOTRunner",
        QStringLiteral("Cannot create IOTRunner - use the static instance"));
    qmlRegisterUncreatableType<ConnectionState>("IOTRunner", 1, 0, "ConnectionState",
        QStringLiteral("Cannot create a ConnectionState - use runner.connection"));
    qmlRegisterUncreatableType<DeviceFinder>("IOTRunner", 1, 0, "DeviceFinder",
        QStringLiteral("Cannot create a DeviceFinder - use runner.finder"));
    qmlRegisterUncreatableType<FoundDevicesModel>("IOTRunner", 1, 0, "FoundDevicesModel",
        QStringLiteral("Cannot create a FoundDevicesModel - use runner.finder.devices"));
    qmlRegisterUncreatableType<ConnectionsListModel>("ConnectionsListModel", 1, 0,
        "ConnectionsListModel", QStringLiteral("Cannot create ConnectionsListModel"));
    qmlRegisterUncreatableType<VariantMapModel>("VariantMapModel", 1, 0, "VariantMapModel",
        QStringLiteral("Cannot create a VariantMapModel"));
    qmlRegisterUncreatableType<HistoryDataModel>("HistoryDataModel", 1, 0, "HistoryDataModel",
        QStringLiteral("Cannot create a HistoryDataModel"));
    qmlRegisterType<ChartDataProvider>("ChartDataProvider", 1, 0, "ChartDataProvider");
    qmlRegisterType<Updater>("Kestrel.Updater", 1, 0, "Updater");
}

void QmlSetup::publish(QQmlEngine *engine, IOTRunner *runner)
{
    QDropTextHandler::registerQml(engine);
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("runner"), runner);
    context->setContextProperty(QStringLiteral("inputMode"), new InputMode(engine));
    context->setContextProperty(
        QStringLiteral("MQTT_CERT_NAME"), QString::fromLatin1(Protocol::MqttCertFile));
    context->setContextProperty(
        QStringLiteral("MQTT_KEY_NAME"), QString::fromLatin1(Protocol::MqttKeyFile));
    context->setContextProperty(QStringLiteral("QT_VERSION_STR"), QStringLiteral(QT_VERSION_STR));
    context->setContextProperty(QStringLiteral("RESTART_CODE"), RestartCode);
    // The platform's first key for "back", in its own words: a QML shortcut
    // bound to all of them cannot say which that is.
    context->setContextProperty(QStringLiteral("BACK_KEYS"),
        QKeySequence(QKeySequence::Back).toString(QKeySequence::NativeText));
}
