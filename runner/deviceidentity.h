#ifndef DEVICEIDENTITY_H
#define DEVICEIDENTITY_H

#include "link/protocol.h"

#include <QString>

// What a device told of itself on this connection, in answer to "info".
struct DeviceIdentity {
    // "veltra-2u" or "veltra-2w".
    QString model;
    // As the device sent them: not yet safe to show.
    QString board;
    QString version;
    QString build;
    // The sensor's firmware; old builds do not say (`hasSensorFirmware`).
    QString sensorFirmware;
    bool hasSensorFirmware = false;

    bool isWired() const { return model == QLatin1String(Protocol::BoardWired); }
    // How many sensors the model has: temperature, and humidity too on Wi-Fi.
    int sensors() const { return isWired() ? 1 : 2; }
};

#endif // DEVICEIDENTITY_H
