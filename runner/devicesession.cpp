#include "runner/devicesession.h"

#include "link/boardname.h"
#include "link/protocol.h"
#include "link/requests.h"
#include "link/tcpsocketclient.h"
#include "runner/heaprelease.h"

#include <QJsonDocument>
#include <QThread>

#include <memory>
#include <utility>

DeviceSession::DeviceSession(QObject *parent)
    : QObject(parent)
    , client(new TcpSocketClient(this))
    , pollTimer(this)
{
    qRegisterMetaType<Outcome>();
    endpoint.port = TcpSocketClient::DefaultPort;
    HeapRelease::returnLargeBlocks();
    connect(client, &TcpSocketClient::connected, this, &DeviceSession::linkUp);
    connect(client, &TcpSocketClient::disconnected, this, &DeviceSession::linkDown);
    connect(client, &TcpSocketClient::newDatagram, this, &DeviceSession::takeLine);
    connect(client, &TcpSocketClient::connectFailed, this, &DeviceSession::connectFailed);
    connect(client, &TcpSocketClient::lineTooLong, this, [this] { dropping = LinkEnd::TooLong; });
    pollTimer.setInterval(DefaultPollInterval);
    connect(&pollTimer, &QTimer::timeout, this, &DeviceSession::pollTick);
    replyTimer.setSingleShot(true);
    connect(&replyTimer, &QTimer::timeout, this, [this] { drop(LinkEnd::NoAnswer); });
}

DeviceSession::~DeviceSession()
{
    if (parser) {
        parser->wait();
        delete parser;
    }
    pollTimer.stop();
    client->disconnect(this);
    delete client;
    client = nullptr;
}

void DeviceSession::open(const DeviceAddress &address, FirstAttempt first)
{
    endpoint = address;
    client->setHostAndPort(address.host, address.port);
    client->start();
    if (first == FirstAttempt::AtOnce)
        client->open();
}

void DeviceSession::stop()
{
    client->stop();
    if (isConnected())
        drop(LinkEnd::Stopped);
    else
        client->close(); // an attempt under way, dropped
    // A link still closing ends its requests now, not when it has closed.
    const auto gone = std::exchange(pending, {});
    for (const Pending &request : gone)
        tell(request, { request.ticket, request.request, Outcome::Stopped, {}, {}, {} });
}

bool DeviceSession::isConnected() const
{
    return client->state() == QAbstractSocket::ConnectedState;
}

bool DeviceSession::isStarted() const
{
    return client->isStarted();
}

std::optional<FoundDevice> DeviceSession::asFound() const
{
    const auto ipv4 = DeviceAddress::readIPv4(endpoint.host);
    if (!device || !ipv4 || !isConnected())
        return std::nullopt;
    FoundDevice found;
    found.address = *ipv4;
    found.port = endpoint.port;
    found.model = device->model;
    found.version = device->version;
    found.build = device->build;
    return found;
}

void DeviceSession::setReplyTimeout(int msec)
{
    replyTimer.setInterval(msec);
}

void DeviceSession::setPolling(bool on)
{
    polling = on;
    if (!on)
        pollTimer.stop();
    else if (isConnected())
        pollTimer.start();
}

void DeviceSession::setPollInterval(int msec)
{
    pollTimer.setInterval(msec);
    emit pollIntervalChanged();
}

void DeviceSession::setRetryInterval(int msec)
{
    client->setRetryInterval(msec);
}

quint64 DeviceSession::queue(
    int link, const QJsonObject &request, QObject *context, Handler handler)
{
    Pending entry;
    entry.ticket = ++lastTicket;
    entry.request = request;
    entry.context = context;
    entry.bound = context != nullptr;
    entry.handler = std::move(handler);
    // The write found the link reset and ended it there and then: queued,
    // the request would take the reply to the next link's first one. It
    // ended with its link, and is told so once the caller holds its ticket.
    if (link != linkSerial) {
        QMetaObject::invokeMethod(
            this,
            [this, entry] {
                tell(entry,
                    { entry.ticket, entry.request, Outcome::Closed, Outcome::NoProblem, {}, {} });
            },
            Qt::QueuedConnection);
        return entry.ticket;
    }
    if (pending.isEmpty() && replyTimer.interval() > 0)
        replyTimer.start();
    pending.append(entry);
    return entry.ticket;
}

quint64 DeviceSession::send(const QJsonObject &request, QObject *context, Handler handler)
{
    if (!isConnected())
        return 0;
    const int link = linkSerial;
    client->write(request);
    return queue(link, request, context, std::move(handler));
}

quint64 DeviceSession::upload(
    const QString &name, const QByteArray &data, QObject *context, Handler handler)
{
    if (!isConnected())
        return 0;
    const QJsonObject header = Requests::put(name, data.size());
    const int link = linkSerial;
    client->write(header);
    client->write(data, false);
    client->flush();
    return queue(link, header, context, std::move(handler));
}

void DeviceSession::linkUp()
{
    // What was known belongs to the device that was there; this may be another.
    device.reset();
    dropping.reset();
    send(Requests::info());
    staleTicks = 0;
    if (polling) {
        pollTick();
        pollTimer.start();
    }
    emit connected();
}

void DeviceSession::linkDown()
{
    pollTimer.stop();
    replyTimer.stop();
    ++linkSerial;
    waitingLines.clear();
    client->setReading(true);
    const LinkEnd why = dropping.value_or(LinkEnd::Closed);
    const QString detail = std::exchange(dropDetail, {});
    dropping.reset();
    device.reset();
    static const Outcome::Result results[]
        = { Outcome::Closed, Outcome::NoAnswer, Outcome::NotADevice, Outcome::UnknownModel,
              Outcome::TooLong, Outcome::Closed, Outcome::Stopped };
    const auto gone = std::exchange(pending, {});
    for (const Pending &request : gone)
        tell(request,
            { request.ticket, request.request, results[int(why)], Outcome::NoProblem, detail, {} });
    emit linkEnded(why, detail, client->isStarted());
}

void DeviceSession::drop(LinkEnd why, const QString &detail)
{
    dropping = why;
    dropDetail = detail;
    client->close();
}

void DeviceSession::pollTick()
{
    if (!isConnected())
        return;
    if (pending.isEmpty()) {
        // A prompt answer since the last tick proves the link alive.
        staleTicks = 0;
        emit pollDue();
        return;
    }
    // A reply that has come and is still being read is no stalled link,
    // however slow the machine.
    if (parser)
        return;
    if (staleTicks != StaleLimit) {
        ++staleTicks;
        return;
    }
    staleTicks = 0;
    drop(LinkEnd::NoAnswer);
}

void DeviceSession::takeLine(const QByteArray &line)
{
    // Lines are taken in the order they came, behind a long one still
    // being read.
    if (parser) {
        waitingLines.append(line);
        return;
    }
    if (line.size() >= LargeReply || largeReplyHeld) {
        largeReplyHeld = line.size() >= LargeReply;
        releaseHeapSoon();
    }
    // A line nobody asked for answers nothing, errors included: a device
    // flooding us must not flood the operator.
    if (pending.isEmpty())
        return;
    // An answer came: the next one has its own time.
    if (replyTimer.interval() > 0)
        replyTimer.start();
    if (line.size() < LargeReply) {
        handle(line, QJsonDocument::fromJson(line));
        return;
    }
    // Megabytes of JSON take a while to read: the caller's thread goes on
    // meanwhile, and the link reads no further until it is done.
    client->setReading(false);
    auto parsed = std::make_shared<QJsonDocument>();
    parser = QThread::create([line, parsed] { *parsed = QJsonDocument::fromJson(line); });
    connect(parser, &QThread::finished, this, [this, line, parsed, link = linkSerial] {
        parser->deleteLater();
        parser = nullptr;
        // A reply from a link that has ended answers nothing of the new one.
        if (link == linkSerial) {
            client->setReading(true);
            handle(line, *parsed);
        }
        *parsed = QJsonDocument();
        while (!parser && !waitingLines.isEmpty())
            takeLine(waitingLines.takeFirst());
    });
    parser->start();
}

void DeviceSession::handle(const QByteArray &line, const QJsonDocument &doc)
{
    if (pending.isEmpty())
        return;
    Pending request = pending.takeFirst();
    if (pending.isEmpty())
        replyTimer.stop();
    Outcome outcome { request.ticket, request.request, Outcome::Done, Outcome::NoProblem, {}, {} };
    const QString query = outcome.query();
    if (!doc.isObject()) {
        // A peer that cannot say what it is, is not a device we know.
        if (query == QLatin1String(Protocol::Info)) {
            const QString said = QString::fromUtf8(line.left(1024));
            outcome.result = Outcome::NotADevice;
            outcome.deviceText = said;
            tell(request, outcome);
            drop(LinkEnd::NotADevice, said);
            return;
        }
        // Without a readable reply the pairing is lost: what was asked after
        // it is told unanswered too.
        outcome.result = Outcome::Unusable;
        outcome.problem = Outcome::NotJson;
        const auto lost = std::exchange(pending, {});
        tell(request, outcome);
        for (const Pending &next : lost)
            tell(next, { next.ticket, next.request, Outcome::Unusable, Outcome::NotJson, {}, {} });
        return;
    }
    outcome.reply = doc.object();
    if (outcome.reply.contains(Protocol::Code)
        && outcome.reply.value(Protocol::Code).toInt() == Protocol::ErrorCode) {
        outcome.result = Outcome::DeviceError;
        outcome.deviceText = outcome.reply.value(Protocol::Error).toString();
        tell(request, outcome);
        return;
    }
    if (query == QLatin1String(Protocol::Info)) {
        const QJsonValue named = outcome.reply.value(Protocol::Board);
        const QString board = named.toString();
        const QString model = BoardName::model(board);
        if (model.isEmpty()) {
            // A device names its board; anything else is no device of ours.
            const bool device = named.isString();
            const QString said = device ? board : QString::fromUtf8(line.left(1024));
            outcome.result = device ? Outcome::UnknownModel : Outcome::NotADevice;
            outcome.deviceText = said;
            tell(request, outcome);
            drop(device ? LinkEnd::UnknownModel : LinkEnd::NotADevice, said);
            return;
        }
        DeviceIdentity identity;
        identity.model = model;
        identity.board = board;
        identity.version = outcome.reply.value(Protocol::Version).toString();
        identity.build = outcome.reply.value(Protocol::Build).toString();
        identity.hasSensorFirmware = outcome.reply.contains(Protocol::Stm);
        identity.sensorFirmware = outcome.reply.value(Protocol::Stm).toString();
        device = identity;
        emit identified();
    }
    tell(request, outcome);
    // The device reboots: the link goes, and is found again once it is back.
    if (query == QLatin1String(Protocol::Reset))
        drop(LinkEnd::Rebooting);
}

void DeviceSession::tell(Pending entry, Outcome outcome)
{
    if (entry.handler && (!entry.bound || entry.context))
        entry.handler(outcome);
    emit ended(outcome);
}

void DeviceSession::releaseHeapSoon()
{
    if (heapReleaseDue)
        return;
    heapReleaseDue = true;
    // Once the line and whatever was parsed from it are gone.
    QTimer::singleShot(0, this, [this] {
        heapReleaseDue = false;
        HeapRelease::now();
    });
}
