#include "runner/alarmwatch.h"

#include <QtNumeric>

void AlarmWatch::setLimits(const AlarmLimits &limits)
{
    current = limits;
}

bool AlarmWatch::anyRaised() const
{
    for (bool one : raised)
        if (one)
            return true;
    return false;
}

void AlarmWatch::judge(Kind kind, bool past, bool back, double value, QVector<Change> *changes)
{
    if (!raised[kind] && past) {
        raised[kind] = true;
        changes->append({ kind, true, value });
    } else if (raised[kind] && back) {
        raised[kind] = false;
        changes->append({ kind, false, value });
    }
}

QVector<AlarmWatch::Change> AlarmWatch::update(const Sample &sample, qint64 now)
{
    QVector<Change> changes;
    // A limit taken away clears its alarm.
    const auto bound = [&](Kind kind, const std::optional<double> &limit, double value,
                           double hysteresis, bool upper) {
        if (!limit) {
            judge(kind, false, true, value, &changes);
            return;
        }
        if (qIsNaN(value))
            return; // no reading says nothing of the limit
        const bool past = upper ? value > *limit : value < *limit;
        const bool back = upper ? value <= *limit - hysteresis : value >= *limit + hysteresis;
        judge(kind, past, back, value, &changes);
    };
    bound(
        TemperatureHigh, current.temperatureHigh, sample.temperature, TemperatureHysteresis, true);
    bound(TemperatureLow, current.temperatureLow, sample.temperature, TemperatureHysteresis, false);
    bound(HumidityHigh, current.humidityHigh, sample.humidity, HumidityHysteresis, true);
    bound(HumidityLow, current.humidityLow, sample.humidity, HumidityHysteresis, false);

    const qint64 last = sample.readingTime > 0 ? sample.readingTime : since;
    const double age = (now - last) / 1000.0;
    if (current.silentSeconds && last > 0)
        judge(Silent, age > *current.silentSeconds, age <= *current.silentSeconds, age, &changes);
    else
        judge(Silent, false, true, age, &changes);
    if (current.mqttRequired && sample.mqttKnown)
        judge(MqttStopped, !sample.mqtt, sample.mqtt, sample.mqtt, &changes);
    else if (!current.mqttRequired)
        judge(MqttStopped, false, true, 0, &changes);
    return changes;
}
