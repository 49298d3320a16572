#include "devicesimulator.h"

#include "simulatorsession.h"

#include <QTcpSocket>

DeviceSimulator::DeviceSimulator(const SimulatorOptions &options, QObject *parent)
    : QObject(parent)
    , options(options)
    , device(options)
{
    connect(&server, &QTcpServer::newConnection, this, &DeviceSimulator::accept);
}

bool DeviceSimulator::listen(const QHostAddress &address, quint16 port)
{
    return server.listen(address, port);
}

void DeviceSimulator::accept()
{
    while (QTcpSocket *socket = server.nextPendingConnection())
        new SimulatorSession(socket, &device, options, this);
}
