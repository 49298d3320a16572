#ifndef ALARMLIMITS_H
#define ALARMLIMITS_H

#include <QJsonObject>

#include <optional>

// The limits an operator sets on one device, each optional: temperature and
// humidity bounds, how long a device may go without a reading, whether its
// MQTT client must run. Kept with the saved connection.
struct AlarmLimits {
    std::optional<double> temperatureLow;
    std::optional<double> temperatureHigh;
    std::optional<double> humidityLow;
    std::optional<double> humidityHigh;
    std::optional<int> silentSeconds;
    bool mqttRequired = false;

    bool isEmpty() const;
    QJsonObject toJson() const;
    // Members that are not numbers where numbers belong are left unset.
    static AlarmLimits fromJson(const QJsonObject &object);
    bool operator==(const AlarmLimits &other) const;
    bool operator!=(const AlarmLimits &other) const { return !(*this == other); }
};

#endif // ALARMLIMITS_H
