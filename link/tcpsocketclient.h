#ifndef TCPSOCKETCLIENT_H
#define TCPSOCKETCLIENT_H

#include "link/lineframer.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;
class QTimerEvent;

// The network end of the device link: one TCP socket that reconnects by itself
// while started, cuts the incoming stream into CR LF terminated lines and writes
// outgoing lines and raw payloads.
class TcpSocketClient : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString host READ host WRITE setHost)
    Q_PROPERTY(ushort port READ port WRITE setPort)

public:
    static constexpr quint16 DefaultPort = 7999;
    static constexpr int DefaultRetryInterval = 500;
    // One connection attempt every this many retry ticks while unconnected.
    static constexpr int RetryPeriodTicks = 20;
    // A peer that never ends its line must not make us buffer without limit.
    static constexpr int MaxLineLength = 8 * 1024 * 1024;
    // How long a graceful close may take before the socket is dropped: a
    // peer that stops reading would keep unsent bytes, and the link, forever.
    static constexpr int CloseGraceMsec = 3000;
    // How long the old link may take to close when the endpoint changes.
    static constexpr int SettleMsec = 1000;

    explicit TcpSocketClient(QObject *parent = nullptr);
    ~TcpSocketClient() override;

    QString host() const { return hostName; }
    quint16 port() const { return portNumber; }
    void setHost(const QString &host);
    void setPort(quint16 port);
    void setHostAndPort(const QString &host, quint16 port);

    QAbstractSocket::SocketState state() const;
    // Whether it keeps (re)connecting: between start() and stop().
    bool isStarted() const { return timerId != -1; }

    // While paused, no line is handed on and little more is read: the
    // device waits (TCP's own flow control) instead of our memory filling.
    void setReading(bool reading);
    // Bytes held while paused before the socket stops reading.
    static constexpr int PausedBuffer = 64 * 1024;
    // Bytes framed in one pass of the event loop.
    static constexpr int ReadSlice = 256 * 1024;

    // Tests shorten the retry tick; the program keeps the default.
    void setRetryInterval(int msec);
    int retryInterval() const { return retryMsec; }

signals:
    void connected();
    void newDatagram(QByteArray data);
    void disconnected();
    // An attempt to connect failed; `reason` is the socket's own text.
    void connectFailed(QString reason);
    // The peer sent a line longer than MaxLineLength; the link is closed.
    void lineTooLong();

public slots:
    void start();
    void stop();
    void write(QByteArray data, bool flush = true);
    void write(QJsonObject obj);
    void flush();
    void open();
    void close();

private slots:
    void tcpReadyRead();
    void tcpConnected();
    void tcpDisconnected();
    void tcpError(QAbstractSocket::SocketError socketError);
    void tcpStateChanged(QAbstractSocket::SocketState socketState);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void changeEndpoint();
    void connectSocket();
    // Closes gracefully, dropping the socket if that takes longer than `msec`.
    void closeWithin(int msec);
    void socketGone();

    QString hostName;
    quint16 portNumber = DefaultPort;
    QTcpSocket *socket = nullptr;
    LineFramer buffer;
    int timerId = -1;
    int retryTicks = 0;
    int retryMsec = DefaultRetryInterval;
    // Whether the current attempt got as far as a connection.
    bool attemptConnected = false;
    // A new endpoint waits for the old link to close.
    bool reconnectPending = false;
    bool paused = false;
    bool readScheduled = false;
    QTimer closeDeadline;
};

#endif // TCPSOCKETCLIENT_H
