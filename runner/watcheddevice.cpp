#include "runner/watcheddevice.h"

#include "link/protocol.h"

#include <QDateTime>
#include <QtNumeric>

WatchedDevice::WatchedDevice(const QString &name, const DeviceAddress &address, QObject *parent)
    : QObject(parent)
    , label(name)
    , endpoint(address)
    , device(this)
{
    DeviceSession &session = device.session();
    connect(&session, &DeviceSession::connected, this, [this] {
        tried = true;
        linkState = Link::Connected;
        connectFailure.clear();
        emit changed();
    });
    connect(&session, &DeviceSession::identified, this, &WatchedDevice::changed);
    connect(&session, &DeviceSession::linkEnded, this,
        [this](DeviceSession::LinkEnd why, const QString &text, bool retrying) {
            end = why;
            detail = text;
            linkState = why == DeviceSession::LinkEnd::NotADevice ? Link::NotADevice
                : retrying                                        ? Link::Reconnecting
                                                                  : Link::Connecting;
            // Asking again would only ask the same web server again.
            if (why == DeviceSession::LinkEnd::NotADevice)
                device.session().stop();
            emit changed();
        });
    connect(&session, &DeviceSession::connectFailed, this, [this](const QString &reason) {
        tried = true;
        if (reason == connectFailure)
            return;
        connectFailure = reason;
        emit changed();
    });
    connect(&device.readings(), &DeviceReadings::updated, this, &WatchedDevice::take);
    connect(&device.configuration(), &DeviceConfiguration::received, this, &WatchedDevice::changed);
}

void WatchedDevice::open(int pollMsec, int retryMsec)
{
    opened = true;
    openedAt = QDateTime::currentMSecsSinceEpoch();
    watch.setWatchingSince(openedAt);
    device.session().setPollInterval(pollMsec);
    if (retryMsec > 0)
        device.session().setRetryInterval(retryMsec);
    // Devices are opened a few at a time: each waiting its tick would make
    // a site of hundreds take seconds to fill.
    device.session().open(endpoint, DeviceSession::FirstAttempt::AtOnce);
}

bool WatchedDevice::isStarting(qint64 now) const
{
    // A host that swallows the attempt is given a few seconds, then counts
    // as tried: it goes on being tried, but no longer holds others back.
    constexpr qint64 FirstAttemptMsec = 3000;
    return opened && !tried && now - openedAt < FirstAttemptMsec;
}

void WatchedDevice::setName(const QString &name)
{
    if (name == label)
        return;
    label = name;
    emit changed();
}

QString WatchedDevice::model() const
{
    const auto &identity = device.session().identity();
    return identity ? identity->model : QString();
}

QString WatchedDevice::firmware() const
{
    const auto &identity = device.session().identity();
    return identity ? identity->version : QString();
}

bool WatchedDevice::cloudClient() const
{
    const auto &file = device.configuration().file();
    return file && !file->value(Protocol::MqttId).toString().isEmpty();
}

double WatchedDevice::reading(int sensor) const
{
    return sensor < readings.size() ? readings.at(sensor) : qQNaN();
}

void WatchedDevice::take()
{
    DeviceReadings &state = device.readings();
    const QVector<double> latest = state.latest();
    // A reply without a reading keeps the last one, and its time: it is
    // the reading that ages.
    bool any = false;
    for (double value : latest)
        any = any || !qIsNaN(value);
    if (any) {
        readings = latest;
        readAt = QDateTime::currentMSecsSinceEpoch();
    }
    flags = { state.cloud(), state.modbus(), true };
    strength = state.rssi();
    up = state.uptime();
    emit changed();
}
