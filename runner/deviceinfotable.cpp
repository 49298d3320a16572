#include "runner/deviceinfotable.h"

#include "models/devicetext.h"
#include <QCoreApplication>
#include <QVariantMap>

namespace {

QString cell(const QString &deviceText)
{
    return DeviceText::shown(deviceText, DeviceText::NameLimit);
}

QVariant row(const char *name, const QString &value)
{
    // The texts keep the runner's translation context, where they always were.
    return QVariantMap { { QStringLiteral("name"),
                             QCoreApplication::translate("IOTRunner", name) + QLatin1Char(':') },
        { QStringLiteral("value"), value } };
}

} // namespace

QVariantList DeviceInfoTable::rows(const DeviceIdentity &identity)
{
    QString sensor;
    if (!identity.hasSensorFirmware)
        sensor = QCoreApplication::translate("IOTRunner", "build is too old");
    else if (identity.sensorFirmware.isEmpty())
        sensor = QStringLiteral("???");
    else
        sensor = cell(identity.sensorFirmware);
    return { row(QT_TRANSLATE_NOOP("IOTRunner", "Device"), cell(identity.board)),
        row(QT_TRANSLATE_NOOP("IOTRunner", "Version"), cell(identity.version)),
        row(QT_TRANSLATE_NOOP("IOTRunner", "Build"), cell(identity.build)),
        row(QT_TRANSLATE_NOOP("IOTRunner", "Sensor"), sensor) };
}
