#include "link/tcpsocketclient.h"

#include "link/protocol.h"

#include <QJsonDocument>
#include <QPointer>
#include <QTcpSocket>
#include <QTimerEvent>

TcpSocketClient::TcpSocketClient(QObject *parent)
    : QObject(parent)
    , socket(new QTcpSocket(this))
{
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &TcpSocketClient::tcpReadyRead);
    connect(socket, &QTcpSocket::connected, this, &TcpSocketClient::tcpConnected);
    connect(socket, &QTcpSocket::disconnected, this, &TcpSocketClient::tcpDisconnected);
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    connect(socket, &QAbstractSocket::errorOccurred, this, &TcpSocketClient::tcpError);
#else
    connect(socket, QOverload<QAbstractSocket::SocketError>::of(&QAbstractSocket::error), this,
        &TcpSocketClient::tcpError);
#endif
    connect(socket, &QTcpSocket::stateChanged, this, &TcpSocketClient::tcpStateChanged);
    closeDeadline.setSingleShot(true);
    connect(&closeDeadline, &QTimer::timeout, this, [this] {
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->abort();
    });
}

TcpSocketClient::~TcpSocketClient()
{
    if (timerId != -1) {
        killTimer(timerId);
        timerId = -1;
    }
    socket->disconnect(this);
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
}

void TcpSocketClient::setHost(const QString &host)
{
    if (host == hostName)
        return;
    hostName = host;
    changeEndpoint();
}

void TcpSocketClient::setPort(quint16 port)
{
    if (port == portNumber)
        return;
    portNumber = port;
    changeEndpoint();
}

void TcpSocketClient::setHostAndPort(const QString &host, quint16 port)
{
    if (host == hostName && port == portNumber)
        return;
    hostName = host;
    portNumber = port;
    changeEndpoint();
}

QAbstractSocket::SocketState TcpSocketClient::state() const
{
    return socket->state();
}

void TcpSocketClient::setRetryInterval(int msec)
{
    retryMsec = msec;
    if (timerId != -1)
        start();
}

void TcpSocketClient::start()
{
    if (timerId != -1)
        killTimer(timerId);
    retryTicks = 0;
    timerId = startTimer(retryMsec, Qt::CoarseTimer);
}

void TcpSocketClient::stop()
{
    // Nothing connects after this, not even a new endpoint still waiting
    // for the old link to close.
    reconnectPending = false;
    if (timerId == -1)
        return;
    killTimer(timerId);
    timerId = -1;
    retryTicks = 0;
}

void TcpSocketClient::write(QByteArray data, bool flush)
{
    // Writing to a closed socket would only make the toolkit complain; callers
    // learn about a lost link from disconnected().
    if (!socket->isOpen())
        return;
    socket->write(data);
    if (flush) {
        socket->write(Protocol::LineEnd, 2);
        socket->flush();
    }
}

void TcpSocketClient::write(QJsonObject obj)
{
    write(QJsonDocument(obj).toJson(QJsonDocument::Compact), true);
}

void TcpSocketClient::flush()
{
    socket->flush();
}

void TcpSocketClient::open()
{
    connectSocket();
}

void TcpSocketClient::close()
{
    reconnectPending = false;
    closeWithin(CloseGraceMsec);
}

void TcpSocketClient::closeWithin(int msec)
{
    // A graceful close of a socket that is still connecting would let the
    // attempt finish and announce a connection nobody wants any more.
    const auto s = socket->state();
    if (s == QAbstractSocket::ConnectingState || s == QAbstractSocket::HostLookupState) {
        socket->abort();
        return;
    }
    socket->close();
    if (socket->state() != QAbstractSocket::UnconnectedState)
        closeDeadline.start(msec);
}

void TcpSocketClient::setReading(bool reading)
{
    if (paused == !reading)
        return;
    paused = !reading;
    socket->setReadBufferSize(paused ? PausedBuffer : 0);
    // Lines already read wait for this: handed on from the event loop, as
    // they would have been.
    if (!paused && !readScheduled) {
        readScheduled = true;
        QMetaObject::invokeMethod(this, &TcpSocketClient::tcpReadyRead, Qt::QueuedConnection);
    }
}

void TcpSocketClient::tcpReadyRead()
{
    readScheduled = false;
    // A pass asked for from the event loop may come after the link has gone,
    // even once the next attempt has opened the socket again.
    if (paused || socket->state() != QAbstractSocket::ConnectedState)
        return;
    // A bounded slice at a time, the rest from the event loop: a device
    // that floods the link must not hold the window up.
    buffer.append(socket->read(ReadSlice));
    QPointer<TcpSocketClient> alive(this);
    QByteArray line;
    while (!paused && buffer.next(&line)) {
        // Too long a line is refused however it arrived: whole in one read or
        // still unterminated (below).
        if (line.size() > MaxLineLength)
            break;
        emit newDatagram(line);
        // A receiver may close the link (or even delete us) in reaction.
        if (!alive)
            return;
        if (socket->state() != QAbstractSocket::ConnectedState)
            break;
    }
    buffer.compact();
    if (line.size() > MaxLineLength || buffer.pending() > MaxLineLength) {
        buffer.clear();
        emit lineTooLong();
        if (!alive)
            return;
        socket->close();
        return;
    }
    if (!paused && !readScheduled && socket->bytesAvailable() > 0) {
        readScheduled = true;
        QMetaObject::invokeMethod(this, &TcpSocketClient::tcpReadyRead, Qt::QueuedConnection);
    }
}

void TcpSocketClient::tcpConnected()
{
    attemptConnected = true;
    setReading(true);
    emit connected();
}

void TcpSocketClient::tcpDisconnected()
{
    // What an ended link still holds (lines a paused reader had not taken,
    // half a line) answers nothing any more: handed on later, it would pair
    // with the requests of the next connection or corrupt its first reply.
    buffer.clear();
    if (socket->isOpen())
        socket->readAll();
    emit disconnected();
}

void TcpSocketClient::tcpError(QAbstractSocket::SocketError socketError)
{
    // The loss of an established link is announced by disconnected(); an
    // attempt that aborts on purpose is no failure.
    if (attemptConnected || socketError == QAbstractSocket::OperationError)
        return;
    emit connectFailed(socket->errorString());
}

void TcpSocketClient::tcpStateChanged(QAbstractSocket::SocketState socketState)
{
    if (socketState != QAbstractSocket::UnconnectedState)
        return;
    closeDeadline.stop();
    // Connecting from inside the socket's own notice would re-enter it.
    if (reconnectPending)
        QMetaObject::invokeMethod(this, &TcpSocketClient::socketGone, Qt::QueuedConnection);
}

void TcpSocketClient::socketGone()
{
    if (!reconnectPending || socket->state() != QAbstractSocket::UnconnectedState)
        return;
    reconnectPending = false;
    connectSocket();
    retryTicks = 1;
}

void TcpSocketClient::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != timerId)
        return;
    const auto s = socket->state();
    if (s != QAbstractSocket::UnconnectedState && s != QAbstractSocket::ConnectingState)
        return;
    if (retryTicks >= 1 && retryTicks < RetryPeriodTicks) {
        ++retryTicks;
        return;
    }
    // An attempt still under way is left to finish rather than restarted.
    if (s == QAbstractSocket::UnconnectedState)
        connectSocket();
    retryTicks = 1;
}

void TcpSocketClient::changeEndpoint()
{
    const auto s = socket->state();
    if (s == QAbstractSocket::UnconnectedState) {
        reconnectPending = false;
        retryTicks = 0;
        return;
    }
    // While the name is looked up or the attempt runs, a graceful disconnect
    // is only deferred: the old endpoint would still connect and take what
    // is meant for the new one.
    if (s == QAbstractSocket::ConnectingState || s == QAbstractSocket::HostLookupState) {
        socket->abort();
        reconnectPending = false;
        connectSocket();
        retryTicks = 1;
        return;
    }
    // The old link gets a moment to close gracefully; the new endpoint is
    // asked as soon as it has, and at the latest once it is dropped.
    reconnectPending = true;
    closeWithin(SettleMsec);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socketGone();
}

void TcpSocketClient::connectSocket()
{
    attemptConnected = false;
    socket->connectToHost(
        hostName, portNumber, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}
