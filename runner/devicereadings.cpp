#include "runner/devicereadings.h"

#include "link/protocol.h"
#include "link/requests.h"

#include <QtNumeric>

namespace {
// Only a number is a measurement; anything else must not be drawn as 0.
double reading(const QJsonValue &value)
{
    return value.isDouble() ? value.toDouble() : qQNaN();
}
} // namespace

DeviceReadings::DeviceReadings(DeviceSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
    , stateTable(this)
{
    // What was known belongs to the device that was there.
    connect(session, &DeviceSession::connected, this, [this] {
        readings.clear();
        mqtt = false;
        scada = false;
        wifiSignal.reset();
        up.reset();
    });
}

quint64 DeviceReadings::request(QObject *context, DeviceSession::Handler done)
{
    return session->send(Requests::state(), context, [this, done](const Outcome &outcome) {
        if (outcome.ok())
            take(outcome);
        if (done)
            done(outcome);
    });
}

void DeviceReadings::take(const Outcome &outcome)
{
    const QJsonObject &reply = outcome.reply;
    readings.clear();
    if (const auto &identity = session->identity()) {
        if (identity->isWired()) {
            readings << reading(reply.value(Protocol::Value));
        } else {
            const QJsonObject value = reply.value(Protocol::Value).toObject();
            readings << reading(value.value(Protocol::Temperature))
                     << reading(value.value(Protocol::Humidity));
        }
    }
    // A reply that does not say leaves the services as they were.
    if (reply.contains(Protocol::Mqtt))
        mqtt = reply.value(Protocol::Mqtt).toBool();
    if (reply.contains(Protocol::Modbus))
        scada = reply.value(Protocol::Modbus).toBool();
    const auto number = [&reply](const char *name) -> std::optional<double> {
        const QJsonValue value = reply.value(QLatin1String(name));
        return value.isDouble() ? std::optional<double>(value.toDouble()) : std::nullopt;
    };
    wifiSignal = number(Protocol::Rssi);
    up = number(Protocol::Uptime);
    stateTable.set(reply);
    emit updated();
}
