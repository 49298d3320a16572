#ifndef DEVICESIMULATOR_H
#define DEVICESIMULATOR_H

#include "simulateddevice.h"
#include "simulatoroptions.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

// Listens on a TCP port and gives every connection to the one simulated device.
class DeviceSimulator : public QObject {
    Q_OBJECT

public:
    explicit DeviceSimulator(const SimulatorOptions &options, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return server.serverPort(); }
    QString errorString() const { return server.errorString(); }

private:
    void accept();

    SimulatorOptions options;
    SimulatedDevice device;
    QTcpServer server;
};

#endif // DEVICESIMULATOR_H
