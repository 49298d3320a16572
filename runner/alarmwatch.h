#ifndef ALARMWATCH_H
#define ALARMWATCH_H

#include "models/alarmlimits.h"

#include <QVector>

// One device's alarms against its limits. A value raises an alarm past its
// limit and clears it only once back by the hysteresis, so a reading that
// hovers at the limit does not flap.
class AlarmWatch {
public:
    enum Kind { TemperatureHigh, TemperatureLow, HumidityHigh, HumidityLow, Silent, MqttStopped };
    static constexpr int Kinds = 6;
    static constexpr double TemperatureHysteresis = 0.5; // degrees Celsius
    static constexpr double HumidityHysteresis = 2.0; // percent relative humidity

    // What the device last told: readings NaN where there is none.
    struct Sample {
        double temperature;
        double humidity;
        // Milliseconds since the epoch of the last reading; 0 for none yet.
        qint64 readingTime = 0;
        bool mqtt = false;
        bool mqttKnown = false;
    };
    struct Change {
        Kind kind;
        bool raised;
        // The value that did it (the age in seconds for Silent).
        double value;
    };

    void setLimits(const AlarmLimits &limits);
    const AlarmLimits &limits() const { return current; }
    // Since `watchingSince` (ms) a device has been watched: a device not yet
    // heard from is silent from then on.
    void setWatchingSince(qint64 msec) { since = msec; }
    // The alarms raised and cleared by `sample` at `now` (ms).
    QVector<Change> update(const Sample &sample, qint64 now);
    bool isRaised(Kind kind) const { return raised[kind]; }
    bool anyRaised() const;

private:
    void judge(Kind kind, bool past, bool back, double value, QVector<Change> *changes);

    AlarmLimits current;
    bool raised[Kinds] = {};
    qint64 since = 0;
};

#endif // ALARMWATCH_H
