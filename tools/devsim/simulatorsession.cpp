#include "simulatorsession.h"

#include "link/protocol.h"
#include "simulateddevice.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace {
// Larger than any line a client should accept.
constexpr int OversizedLength = 9 * 1024 * 1024;
} // namespace

SimulatorSession::SimulatorSession(
    QTcpSocket *socket, SimulatedDevice *device, const SimulatorOptions &options, QObject *parent)
    : QObject(parent)
    , socket(socket)
    , device(device)
    , options(options)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, &SimulatorSession::readRequests);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    const QString peer
        = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
    if (options.verbose) {
        std::printf("-- client %s connected\n", qPrintable(peer));
        connect(socket, &QTcpSocket::disconnected, this, [peer] {
            std::printf("-- client %s gone\n", qPrintable(peer));
            std::fflush(stdout);
        });
    }
    std::fflush(stdout);
}

void SimulatorSession::readRequests()
{
    buffer.append(socket->readAll());
    while (true) {
        if (payloadLeft >= 0) {
            if (options.closeDuringUploadAfter >= 0
                && buffer.size() > options.closeDuringUploadAfter
                && payloadLeft > options.closeDuringUploadAfter) {
                log("--", "closing in the middle of an upload");
                socket->abort();
                return;
            }
            if (buffer.size() < payloadLeft)
                return;
            const QByteArray payload = buffer.left(int(payloadLeft));
            buffer.remove(0, int(payloadLeft));
            payloadLeft = -1;
            log("<-", QByteArray("[") + QByteArray::number(payload.size()) + " payload bytes]");
            handle(pendingPut, payload);
            continue;
        }
        const int end = buffer.indexOf(Protocol::LineEnd);
        if (end < 0)
            return;
        const QByteArray line = buffer.left(end);
        buffer.remove(0, end + 2);
        if (line.isEmpty())
            continue;
        log("<-", line);
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        const QJsonObject request = doc.object();
        if (request.value(Protocol::Query).toString() == QLatin1String(Protocol::Put)) {
            pendingPut = request;
            payloadLeft = qMax(0, request.value(Protocol::Size).toInt());
            continue;
        }
        handle(request, {});
    }
}

void SimulatorSession::handle(const QJsonObject &request, const QByteArray &payload)
{
    const QString query = request.value(Protocol::Query).toString();
    const int nth = ++asked[query];
    QByteArray line = options.scriptedReplies.value(
        query + '#' + QString::number(nth), options.scriptedReplies.value(query));
    bool reboot = false;
    if (line.isNull()) {
        const QJsonObject answer = request.isEmpty()
            ? QJsonObject { { Protocol::Code, Protocol::ErrorCode },
                  { Protocol::Error, "not JSON" } }
            : device->answer(request, payload);
        reboot = query == QLatin1String(Protocol::Reset)
            && answer.value(Protocol::Code).toInt() != Protocol::ErrorCode;
        line = QJsonDocument(answer).toJson(QJsonDocument::Compact);
        if (query == QLatin1String(Protocol::State) && options.freshStateNames > 0)
            line = withFreshNames(line);
    }
    ++answered;
    if (options.replyDelayMsec <= 0 || answered < options.delayFromReply) {
        reply(line, reboot);
        return;
    }
    QPointer<SimulatorSession> self(this);
    QTimer::singleShot(options.replyDelayMsec, this, [self, line, reboot] {
        if (self)
            self->reply(line, reboot);
    });
}

QByteArray SimulatorSession::withFreshNames(QByteArray line)
{
    // Written out directly: an object of this many members is slow to build.
    static int serial = 0;
    ++serial;
    line.chop(1);
    for (int i = 0; i < options.freshStateNames; ++i)
        line += ",\"r" + QByteArray::number(serial) + '-' + QByteArray::number(i)
            + "\":" + QByteArray::number(i);
    return line + '}';
}

void SimulatorSession::reply(const QByteArray &line, bool closeAfter)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    ++replies;
    if (options.muteAfterReplies > 0 && replies > options.muteAfterReplies)
        return;
    if (options.muteAtSeconds >= 0 && device->seconds() >= options.muteAtSeconds)
        return;
    if (replies == options.garbageBeforeReply)
        sendLine("this is not JSON {");
    if (replies == options.oversizedBeforeReply) {
        log("->", QByteArray("[") + QByteArray::number(OversizedLength) + " bytes without CR LF]");
        socket->write(QByteArray(OversizedLength, 'x'));
    }
    if (replies == options.cutReply) {
        log("->", line.left(line.size() / 2) + " [cut, closing]");
        socket->write(line.left(line.size() / 2));
        socket->flush();
        socket->abort();
        return;
    }
    sendLine(line);
    if (options.floodLines > 0 && !flooded && line.contains("\"value\"")) {
        flooded = true;
        log("--", QByteArray::number(options.floodLines) + " unsolicited error lines");
        QByteArray flood;
        for (int i = 1; i <= options.floodLines; ++i)
            flood += "{\"code\":1,\"error\":\"flood " + QByteArray::number(i) + "\"}\r\n";
        socket->write(flood);
    }
    if (closeAfter || replies == options.closeAfterReplies) {
        log("--", "closing the connection");
        socket->disconnectFromHost();
    }
}

void SimulatorSession::sendLine(const QByteArray &line)
{
    log("->", line);
    socket->write(line + Protocol::LineEnd);
}

void SimulatorSession::log(const char *direction, const QByteArray &text) const
{
    if (!options.verbose)
        return;
    std::printf("%s %s\n", direction, text.constData());
    std::fflush(stdout);
}
