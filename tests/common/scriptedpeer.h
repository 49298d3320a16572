#ifndef SCRIPTEDPEER_H
#define SCRIPTEDPEER_H

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A device stand-in on 127.0.0.1: accepts connections, records every byte the
// program sends on the newest one and sends whatever the test scripts.
class ScriptedPeer {
public:
    ScriptedPeer()
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                ++accepted;
                if (client)
                    client->deleteLater();
                client = socket;
                bytes.clear();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket == client && reading)
                        bytes.append(socket->readAll());
                });
            }
        });
        server.listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return server.serverPort(); }
    QTcpServer *tcpServer() { return &server; }
    int connections() const { return accepted; }
    QByteArray received() const { return bytes; }
    // Complete lines received on the current connection, without CR LF.
    QList<QByteArray> lines() const
    {
        QList<QByteArray> result = bytes.split('\n');
        result.removeLast(); // the unterminated rest
        for (QByteArray &line : result)
            line.chop(1);
        return result;
    }

    bool waitForConnections(int count)
    {
        return QTest::qWaitFor([&] { return accepted >= count; }, 5000);
    }
    bool waitForBytes(int count)
    {
        return QTest::qWaitFor([&] { return bytes.size() >= count; }, 5000);
    }
    bool waitForLines(int count)
    {
        return QTest::qWaitFor([&] { return lines().size() >= count; }, 5000);
    }
    bool waitForClientGone()
    {
        return QTest::qWaitFor(
            [&] { return !client || client->state() != QAbstractSocket::ConnectedState; }, 5000);
    }

    void send(const QByteArray &data)
    {
        if (client) {
            client->write(data);
            client->flush();
        }
    }
    void sendLine(const QByteArray &line) { send(line + "\r\n"); }
    // The device stops reading: what the program sends piles up in the network.
    void stopReading()
    {
        reading = false;
        if (client)
            client->setReadBufferSize(1);
    }
    void closeClient()
    {
        if (client)
            client->disconnectFromHost();
    }
    // Ends the connection at once (a reset), as a device that is switched
    // off or crashes does.
    void abortClient()
    {
        if (client)
            client->abort();
    }

private:
    QTcpServer server;
    QPointer<QTcpSocket> client;
    QByteArray bytes;
    int accepted = 0;
    bool reading = true;
};

#endif // SCRIPTEDPEER_H
