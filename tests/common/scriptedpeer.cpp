#include "scriptedpeer.h"

#include "waituntil.h"

ScriptedPeer::ScriptedPeer(QObject *parent)
    : QObject(parent)
{
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            ++accepted;
            if (client)
                client->deleteLater();
            client = socket;
            bytes.clear();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                if (socket == client)
                    bytes.append(socket->readAll());
            });
        }
    });
    server.listen(QHostAddress::LocalHost, 0);
}

bool ScriptedPeer::waitForConnections(int count, int msec)
{
    return waitUntil([&] { return accepted >= count; }, msec);
}

bool ScriptedPeer::waitForBytes(int count, int msec)
{
    return waitUntil([&] { return bytes.size() >= count; }, msec);
}

QList<QByteArray> ScriptedPeer::lines() const
{
    QList<QByteArray> result = bytes.split('\n');
    result.removeLast(); // the unterminated rest
    for (QByteArray &line : result)
        line.chop(1); // the CR
    return result;
}

bool ScriptedPeer::waitForLines(int count, int msec)
{
    return waitUntil([&] { return lines().size() >= count; }, msec);
}

void ScriptedPeer::send(const QByteArray &data)
{
    if (!client)
        return;
    client->write(data);
    client->flush();
}

bool ScriptedPeer::isClientConnected() const
{
    return client && client->state() == QAbstractSocket::ConnectedState;
}

bool ScriptedPeer::waitForClientGone(int msec)
{
    return waitUntil([&] { return !isClientConnected(); }, msec);
}

void ScriptedPeer::closeClient()
{
    if (client)
        client->disconnectFromHost();
}
