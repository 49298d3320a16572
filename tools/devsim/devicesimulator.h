#ifndef DEVICESIMULATOR_H
#define DEVICESIMULATOR_H

#include "simulateddevice.h"
#include "simulatoroptions.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <memory>
#include <vector>

// Listens on a TCP port and gives every connection to the one simulated device.
class DeviceSimulator : public QObject {
    Q_OBJECT

public:
    explicit DeviceSimulator(const SimulatorOptions &options, QObject *parent = nullptr);

    // On every one of `addresses`, all on the same port (`port`, or the
    // first free one when 0).
    bool listen(const QList<QHostAddress> &addresses, quint16 port);
    quint16 port() const { return listeningPort; }
    QString errorString() const { return error; }

private:
    void accept(QTcpServer *server);

    SimulatorOptions options;
    SimulatedDevice device;
    std::vector<std::unique_ptr<QTcpServer>> servers;
    quint16 listeningPort = 0;
    QString error;
};

#endif // DEVICESIMULATOR_H
