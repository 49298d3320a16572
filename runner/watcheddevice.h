#ifndef WATCHEDDEVICE_H
#define WATCHEDDEVICE_H

#include "link/deviceaddress.h"
#include "models/alarmlimits.h"
#include "runner/alarmwatch.h"
#include "runner/devicehandle.h"

#include <QObject>
#include <QString>

// One device of a watched site: its name and address, its handle, and what
// the site shows of it, kept up to date from what the device tells.
class WatchedDevice : public QObject {
    Q_OBJECT

public:
    enum class Link { Connecting, Connected, Reconnecting, NotADevice };
    Q_ENUM(Link)

    WatchedDevice(const QString &name, const DeviceAddress &address, QObject *parent = nullptr);

    QString name() const { return label; }
    void setName(const QString &name);
    DeviceAddress address() const { return endpoint; }
    DeviceHandle &handle() { return device; }

    Link link() const { return linkState; }
    // Why the link is not up, in the session's terms.
    DeviceSession::LinkEnd lastEnd() const { return end; }
    QString endDetail() const { return detail; }
    QString failure() const { return connectFailure; }
    QString model() const;
    QString firmware() const;
    // The latest readings (NaN for none) and when they came (ms, 0 for none).
    double temperature() const { return reading(0); }
    double humidity() const { return reading(1); }
    qint64 readingTime() const { return readAt; }
    bool mqtt() const { return flags.mqtt; }
    bool modbus() const { return flags.modbus; }
    bool mqttKnown() const { return flags.known; }
    // Whether the device holds a cloud client ID (its configuration's mqtt-id).
    bool cloudClient() const;
    // Signal strength in dBm and uptime in seconds where the device tells them.
    std::optional<double> rssi() const { return strength; }
    std::optional<double> uptime() const { return up; }

    // Connects, and keeps the link up from now on.
    void open(int pollMsec, int retryMsec);
    bool isOpen() const { return opened; }
    // Whether its first attempt to connect is still under way.
    bool isStarting(qint64 now) const;

    AlarmWatch &alarms() { return watch; }
    const AlarmWatch &alarms() const { return watch; }

signals:
    void changed();

private:
    double reading(int sensor) const;
    void take();

    QString label;
    DeviceAddress endpoint;
    DeviceHandle device;
    Link linkState = Link::Connecting;
    DeviceSession::LinkEnd end = DeviceSession::LinkEnd::Closed;
    QString detail;
    QString connectFailure;
    QVector<double> readings;
    qint64 readAt = 0;
    struct {
        bool mqtt = false;
        bool modbus = false;
        bool known = false;
    } flags;
    std::optional<double> strength;
    std::optional<double> up;
    AlarmWatch watch;
    bool opened = false;
    bool tried = false;
    qint64 openedAt = 0;
};

#endif // WATCHEDDEVICE_H
