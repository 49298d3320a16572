#ifndef SCRIPTEDPEER_H
#define SCRIPTEDPEER_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A device stand-in on 127.0.0.1: accepts connections, records every byte the
// program sends and sends whatever the test scripts.
class ScriptedPeer : public QObject {
    Q_OBJECT

public:
    explicit ScriptedPeer(QObject *parent = nullptr);

    quint16 port() const { return server.serverPort(); }
    QTcpServer *tcpServer() { return &server; }

    // Connections accepted so far.
    int connections() const { return accepted; }
    bool waitForConnections(int count, int msec = 5000);
    // Bytes received on the current connection.
    QByteArray received() const { return bytes; }
    bool waitForBytes(int count, int msec = 5000);
    // Complete lines received on the current connection, without CR LF.
    QList<QByteArray> lines() const;
    bool waitForLines(int count, int msec = 5000);

    void send(const QByteArray &data);
    void sendLine(const QByteArray &line) { send(line + "\r\n"); }
    bool isClientConnected() const;
    bool waitForClientGone(int msec = 5000);
    void closeClient();

private:
    QTcpServer server;
    QPointer<QTcpSocket> client;
    QByteArray bytes;
    int accepted = 0;
};

#endif // SCRIPTEDPEER_H
