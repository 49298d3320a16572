#ifndef DEVICESAMPLE_H
#define DEVICESAMPLE_H

#include <QString>
#include <QtNumeric>

#include <optional>

class WatchedDevice;

// What the exporter tells of one device, copied out of the device's own
// thread so that a scrape never touches a live session.
struct DeviceSample {
    QString address;
    // From the hosts file; none where the file gives none.
    QString name;
    QString model;
    QString firmware;
    bool up = false;
    // Where the link stands: "connecting" (never answered yet), "connected",
    // "reconnecting" (lost, tried again) or "not_a_device" (something else
    // answers there; no longer tried).
    QString link;
    double temperature = qQNaN();
    // Relative humidity in percent, as the device sends it.
    double humidity = qQNaN();
    // When the latest reading came (ms since the epoch, 0 for none).
    qint64 readAt = 0;
    // The device's services, once a state reply has told them.
    bool flagsKnown = false;
    bool mqtt = false;
    bool modbus = false;
    bool cloudClient = false;
    std::optional<double> rssi;
    std::optional<double> uptime;

    static DeviceSample of(const WatchedDevice &device);
};

#endif // DEVICESAMPLE_H
