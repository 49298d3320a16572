#ifndef SIMULATEDDEVICE_H
#define SIMULATEDDEVICE_H

#include "models/jsonmembers.h"
#include "simulatoroptions.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QMap>
#include <QString>

// The device behind the simulator's port: its configuration, its files and its
// slowly drifting readings. Shared by every connection, as on a real device.
class SimulatedDevice {
public:
    explicit SimulatedDevice(const SimulatorOptions &options);

    // The one reply line (without CR LF) to a request; `payload` holds the raw
    // bytes that followed a "put" header.
    QJsonObject answer(const QJsonObject &request, const QByteArray &payload = {});

    QByteArray file(const QString &name) const;
    // Seconds since the device started.
    double seconds() const { return uptime.elapsed() / 1000.0; }

private:
    QJsonObject info() const;
    QJsonObject details() const;
    QJsonObject state() const;
    QJsonObject history() const;
    QJsonObject read(const QString &name) const;
    QJsonObject store(const QString &name, const QByteArray &payload);
    QJsonObject registerCloud(const QString &id);

    static JsonMembers defaults();
    static bool isPlainFileName(const QString &name);
    static QJsonObject failure(const QString &text);
    double temperatureAt(qint64 msec) const;
    // What --ramp and --step add to the temperature by now.
    double drift() const;
    double humidityAt(qint64 msec) const;
    void persist(const QString &name, const QByteArray &data) const;

    SimulatorOptions options;
    QElapsedTimer uptime;
    // As the last upload wrote it, byte for byte, as a device keeps its file.
    JsonMembers config;
    QMap<QString, QByteArray> files;
};

#endif // SIMULATEDDEVICE_H
