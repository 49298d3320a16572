#include "models/alarmlimits.h"

#include <QtNumeric>

namespace {
constexpr char TemperatureLow[] = "temperatureLow";
constexpr char TemperatureHigh[] = "temperatureHigh";
constexpr char HumidityLow[] = "humidityLow";
constexpr char HumidityHigh[] = "humidityHigh";
constexpr char SilentSeconds[] = "silentSeconds";
constexpr char MqttRequired[] = "mqttRequired";

std::optional<double> number(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble() || !qIsFinite(value.toDouble()))
        return std::nullopt;
    return value.toDouble();
}

void put(QJsonObject &object, const char *key, const std::optional<double> &value)
{
    if (value)
        object.insert(QLatin1String(key), *value);
}
} // namespace

bool AlarmLimits::isEmpty() const
{
    return !temperatureLow && !temperatureHigh && !humidityLow && !humidityHigh && !silentSeconds
        && !mqttRequired;
}

QJsonObject AlarmLimits::toJson() const
{
    QJsonObject object;
    put(object, TemperatureLow, temperatureLow);
    put(object, TemperatureHigh, temperatureHigh);
    put(object, HumidityLow, humidityLow);
    put(object, HumidityHigh, humidityHigh);
    if (silentSeconds)
        object.insert(QLatin1String(SilentSeconds), *silentSeconds);
    if (mqttRequired)
        object.insert(QLatin1String(MqttRequired), true);
    return object;
}

AlarmLimits AlarmLimits::fromJson(const QJsonObject &object)
{
    AlarmLimits limits;
    limits.temperatureLow = number(object, TemperatureLow);
    limits.temperatureHigh = number(object, TemperatureHigh);
    limits.humidityLow = number(object, HumidityLow);
    limits.humidityHigh = number(object, HumidityHigh);
    if (const auto seconds = number(object, SilentSeconds); seconds && *seconds >= 1)
        limits.silentSeconds = int(qMin(*seconds, 86400.0));
    limits.mqttRequired = object.value(QLatin1String(MqttRequired)).toBool();
    return limits;
}

bool AlarmLimits::operator==(const AlarmLimits &other) const
{
    return temperatureLow == other.temperatureLow && temperatureHigh == other.temperatureHigh
        && humidityLow == other.humidityLow && humidityHigh == other.humidityHigh
        && silentSeconds == other.silentSeconds && mqttRequired == other.mqttRequired;
}
