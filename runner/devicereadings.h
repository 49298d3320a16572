#ifndef DEVICEREADINGS_H
#define DEVICEREADINGS_H

#include "models/variantmapmodel.h"
#include "runner/devicesession.h"

#include <QObject>
#include <QVector>

#include <optional>

// The device's state on one session: the latest reading of each sensor, its
// services (cloud/MQTT, the SCADA client) and the whole reply as a table.
class DeviceReadings : public QObject {
    Q_OBJECT

public:
    explicit DeviceReadings(DeviceSession *session, QObject *parent = nullptr);

    // Asks for the state once.
    quint64 request(QObject *context = nullptr, DeviceSession::Handler done = {});
    VariantMapModel *table() { return &stateTable; }
    // The latest reply's reading of each sensor of the identified model, in
    // sensor order: NaN where it held no number; none before identification.
    QVector<double> latest() const { return readings; }
    bool cloud() const { return mqtt; }
    bool modbus() const { return scada; }
    // The Wi-Fi signal (dBm) and the device's uptime (s), where it tells them.
    std::optional<double> rssi() const { return wifiSignal; }
    std::optional<double> uptime() const { return up; }

signals:
    // A state reply has been read: the readings, flags and table are new.
    void updated();

private:
    void take(const Outcome &outcome);

    DeviceSession *session;
    VariantMapModel stateTable;
    QVector<double> readings;
    bool mqtt = false;
    bool scada = false;
    std::optional<double> wifiSignal;
    std::optional<double> up;
};

#endif // DEVICEREADINGS_H
