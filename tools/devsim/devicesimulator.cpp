#include "devicesimulator.h"

#include "simulatorsession.h"

#include <QTcpSocket>

DeviceSimulator::DeviceSimulator(const SimulatorOptions &options, QObject *parent)
    : QObject(parent)
    , options(options)
    , device(options)
{
}

bool DeviceSimulator::listen(const QList<QHostAddress> &addresses, quint16 port)
{
    listeningPort = port;
    for (const QHostAddress &address : addresses) {
        auto server = std::make_unique<QTcpServer>();
        QTcpServer *listener = server.get();
        if (!listener->listen(address, listeningPort)) {
            error = address.toString() + ": " + listener->errorString();
            return false;
        }
        listeningPort = listener->serverPort();
        connect(listener, &QTcpServer::newConnection, this, [this, listener] { accept(listener); });
        servers.push_back(std::move(server));
    }
    return true;
}

void DeviceSimulator::accept(QTcpServer *server)
{
    while (QTcpSocket *socket = server->nextPendingConnection())
        new SimulatorSession(socket, &device, options, this);
}
