#include "models/statewords.h"

#include "link/protocol.h"
#include "runner/units.h"

#include <QJsonObject>
#include <QLocale>

namespace {
// The readings as the device rounds them.
constexpr int ReadingDecimals = 2;
// NARROW NO-BREAK SPACE: a value and its unit stay on one line.
const QChar UnitSpace(0x202f);

QString reading(const QJsonValue &value, const QString &unit)
{
    return QLocale().toString(value.toDouble(), 'f', ReadingDecimals) + UnitSpace + unit;
}
} // namespace

QString StateWords::label(const QString &key)
{
    if (key == QLatin1String(Protocol::Mqtt))
        return tr("Cloud/MQTT");
    if (key == QLatin1String(Protocol::Modbus))
        return tr("Tarvex client");
    if (key == QLatin1String("rssi"))
        return tr("Wi-Fi signal");
    if (key == QLatin1String("uptime"))
        return tr("Running for");
    if (key == QLatin1String(Protocol::Value))
        return tr("Reading");
    return {};
}

std::optional<QString> StateWords::value(const QString &key, const QJsonValue &value)
{
    if (key == QLatin1String(Protocol::Mqtt) || key == QLatin1String(Protocol::Modbus)) {
        if (value.isBool())
            return value.toBool() ? tr("running") : tr("not running");
    } else if (key == QLatin1String("rssi")) {
        if (value.isDouble())
            return QLocale().toString(qRound(value.toDouble())) + UnitSpace + tr("dBm");
    } else if (key == QLatin1String("uptime")) {
        if (value.isDouble() && value.toDouble() >= 0 && value.toDouble() < 1e12)
            return duration(qint64(value.toDouble()));
    } else if (key == QLatin1String(Protocol::Value)) {
        if (value.isDouble())
            return reading(value, Units::Celsius);
        const QJsonObject sensors = value.toObject();
        const QJsonValue t = sensors.value(QLatin1String(Protocol::Temperature));
        const QJsonValue h = sensors.value(QLatin1String(Protocol::Humidity));
        if (sensors.size() == 2 && t.isDouble() && h.isDouble())
            return reading(t, Units::Celsius) + QStringLiteral(", ") + reading(h, Units::Percent);
    } else if (value.isBool()) {
        return value.toBool() ? tr("yes") : tr("no");
    }
    return std::nullopt;
}

QString StateWords::duration(qint64 seconds)
{
    const qint64 days = seconds / 86400, hours = seconds / 3600 % 24;
    const qint64 minutes = seconds / 60 % 60, rest = seconds % 60;
    if (days > 0)
        return tr("%1 d %2 h").arg(days).arg(hours);
    if (hours > 0)
        return tr("%1 h %2 min").arg(hours).arg(minutes);
    if (minutes > 0)
        return tr("%1 min %2 s").arg(minutes).arg(rest);
    return tr("%1 s").arg(rest);
}
