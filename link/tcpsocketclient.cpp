#include "link/tcpsocketclient.h"

#include "link/protocol.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QTimerEvent>

namespace {
constexpr int SettleWaits = 10;
constexpr int SettleWaitMsec = 100;
} // namespace

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
    stop();
    timerId = startTimer(retryMsec, Qt::CoarseTimer);
}

void TcpSocketClient::stop()
{
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
    // A graceful close of a socket that is still connecting would let the
    // attempt finish and announce a connection nobody wants any more.
    const auto s = socket->state();
    if (s == QAbstractSocket::ConnectingState || s == QAbstractSocket::HostLookupState)
        socket->abort();
    else
        socket->close();
}

void TcpSocketClient::tcpReadyRead()
{
    buffer.append(socket->readAll());
    QPointer<TcpSocketClient> alive(this);
    QByteArray line;
    while (buffer.next(&line)) {
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
        socket->close();
    }
}

void TcpSocketClient::tcpConnected()
{
    attemptConnected = true;
    // Half a line left over from the previous connection would corrupt the
    // first reply of this one.
    buffer.clear();
    emit connected();
}

void TcpSocketClient::tcpDisconnected()
{
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
    Q_UNUSED(socketState)
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
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        retryTicks = 0;
        return;
    }
    // While the name is looked up or the attempt runs, a graceful disconnect
    // is only deferred: the old endpoint would still connect and take what
    // is meant for the new one.
    const auto s = socket->state();
    if (s == QAbstractSocket::ConnectingState || s == QAbstractSocket::HostLookupState)
        socket->abort();
    else
        socket->disconnectFromHost();

    // Give a graceful close a moment to finish while the program stays
    // responsive; callers must tolerate being re-entered meanwhile.
    QPointer<TcpSocketClient> alive(this);
    for (int i = 0; i < SettleWaits; ++i) {
        if (socket->state() == QAbstractSocket::UnconnectedState)
            break;
        QEventLoop loop;
        QTimer::singleShot(SettleWaitMsec, &loop, &QEventLoop::quit);
        connect(socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
        loop.exec();
        if (!alive)
            return;
    }
    connectSocket();
    retryTicks = 1;
}

void TcpSocketClient::connectSocket()
{
    attemptConnected = false;
    socket->connectToHost(
        hostName, portNumber, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}
