#include "devicescanner.h"

#include "link/boardname.h"
#include "link/protocol.h"
#include "link/requests.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimerEvent>

namespace {

// Deadlines are checked this often: a fraction of the shortest timeout.
constexpr int TickMsec = 50;

} // namespace

DeviceScanner::DeviceScanner(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<FoundDevice>();
}

DeviceScanner::~DeviceScanner()
{
    closeAll();
}

void DeviceScanner::start(const QVector<quint32> &addresses, quint16 port)
{
    QVector<Target> targets;
    targets.reserve(addresses.size());
    for (quint32 address : addresses)
        targets.append({ address, port });
    start(targets);
}

void DeviceScanner::setLimits(int maxParallel, int connectMsec, int replyMsec)
{
    parallel = qMax(1, maxParallel);
    connectTimeout = connectMsec;
    replyTimeout = replyMsec;
}

void DeviceScanner::start(const QVector<Target> &targets)
{
    closeAll();
    queue = targets;
    next = 0;
    done = 0;
    starved = 0;
    running = true;
    if (timerId == -1)
        timerId = startTimer(TickMsec);
    emit progress(0, queue.size());
    launch();
    if (queue.isEmpty()) {
        running = false;
        emit finished(false);
    }
}

void DeviceScanner::cancel()
{
    if (!running)
        return;
    closeAll();
    running = false;
    emit finished(true);
}

void DeviceScanner::closeAll()
{
    if (timerId != -1) {
        killTimer(timerId);
        timerId = -1;
    }
    const auto sockets = probes.keys();
    probes.clear();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void DeviceScanner::launch()
{
    // A refusal can be told while connecting; the loop below goes on with it.
    if (launching)
        return;
    launching = true;
    while (running && probes.size() < parallel && next < queue.size()) {
        auto *socket = new QTcpSocket(this);
        socket->setProxy(QNetworkProxy::NoProxy);
        socket->setReadBufferSize(MaxReplyLength);
        Probe &probe = probes[socket];
        probe.target = queue.at(next++);
        probe.clock.start();
        probe.deadline = connectTimeout;
        connect(socket, &QTcpSocket::connected, this, [this, socket] { connected(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readReply(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError error) {
                // Not asked is not the same as no device there.
                if (error == QAbstractSocket::SocketResourceError)
                    ++starved;
                // The line may have come with the close.
                readReply(socket);
                retire(socket);
            });
        socket->connectToHost(QHostAddress(probe.target.address), probe.target.port);
    }
    launching = false;
}

void DeviceScanner::connected(QTcpSocket *socket)
{
    auto probe = probes.find(socket);
    if (probe == probes.end())
        return;
    socket->write(
        QJsonDocument(Requests::info()).toJson(QJsonDocument::Compact) + Protocol::LineEnd);
    probe->asked = true;
    probe->clock.restart();
    probe->deadline = replyTimeout;
}

void DeviceScanner::readReply(QTcpSocket *socket)
{
    auto probe = probes.find(socket);
    if (probe == probes.end() || !probe->asked)
        return;
    QByteArray line;
    while (!probe->reply.next(&line)) {
        if (probe->reply.pending() > MaxReplyLength) {
            retire(socket);
            return;
        }
        if (socket->bytesAvailable() <= 0)
            return;
        probe->reply.append(socket->read(MaxReplyLength + 2 - probe->reply.pending()));
    }

    const QJsonObject reply = QJsonDocument::fromJson(line).object();
    const QString model = BoardName::model(reply.value(Protocol::Board));
    if (!model.isEmpty()) {
        FoundDevice device;
        device.address = probe->target.address;
        device.port = probe->target.port;
        device.model = model;
        device.version = reply.value(Protocol::Version).toString();
        device.build = reply.value(Protocol::Build).toString();
        device.replyMsec = int(probe->clock.elapsed());
        emit found(device);
    }
    retire(socket);
}

void DeviceScanner::retire(QTcpSocket *socket)
{
    if (!probes.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    ++done;
    emit progress(done, queue.size());
    launch();
    if (running && done == queue.size()) {
        closeAll();
        running = false;
        emit finished(false);
    }
}

void DeviceScanner::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != timerId)
        return QObject::timerEvent(event);
    QVector<QTcpSocket *> late;
    for (auto probe = probes.cbegin(); probe != probes.cend(); ++probe) {
        if (probe->clock.elapsed() >= probe->deadline)
            late.append(probe.key());
    }
    for (QTcpSocket *socket : late)
        retire(socket);
}
