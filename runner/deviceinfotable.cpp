#include "runner/deviceinfotable.h"

#include "models/devicetext.h"

#include <QCoreApplication>

namespace {
QString cell(const QString &deviceText)
{
    return DeviceText::rich(deviceText, DeviceText::NameLimit);
}
} // namespace

QString DeviceInfoTable::html(const DeviceIdentity &identity)
{
    // The texts keep the runner's translation context, where they always were.
    QString sensor;
    if (!identity.hasSensorFirmware)
        sensor = QCoreApplication::translate("IOTRunner", "build is too old");
    else if (identity.sensorFirmware.isEmpty())
        sensor = QStringLiteral("???");
    else
        sensor = cell(identity.sensorFirmware);
    const QString row = QStringLiteral("<tr><td>%1:</td><td>%2</td></tr>");
    return QStringLiteral("<table width=\"100%\" border=1>")
        + row.arg(QCoreApplication::translate("IOTRunner", "Device"), cell(identity.board))
        + row.arg(QCoreApplication::translate("IOTRunner", "Version"), cell(identity.version))
        + row.arg(QCoreApplication::translate("IOTRunner", "Build"), cell(identity.build))
        + row.arg(QCoreApplication::translate("IOTRunner", "Sensor"), sensor)
        + QStringLiteral("</table>");
}
