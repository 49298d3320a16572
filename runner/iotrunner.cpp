#include "runner/iotrunner.h"

#include "link/protocol.h"
#include "link/tcpsocketclient.h"

#include <QJsonDocument>
#include <QSettings>

namespace {
// Ticks that may find a request unanswered before the link counts as stalled.
constexpr int StaleLimit = 2;
constexpr char SettingsHost[] = "host";
constexpr char SettingsPort[] = "port";
} // namespace

IOTRunner::IOTRunner(QObject *parent)
    : QObject(parent)
    , pollTimer(this)
    , client(new TcpSocketClient(this))
{
    connect(client, &TcpSocketClient::connected, this, &IOTRunner::tcp_connected);
    connect(client, &TcpSocketClient::disconnected, this, &IOTRunner::tcp_disconnected);
    connect(client, &TcpSocketClient::newDatagram, this, &IOTRunner::tcp_newDatagram);

    pollTimer.setInterval(DefaultPollInterval);
    connect(&pollTimer, &QTimer::timeout, this, &IOTRunner::tcp_timer);
}

IOTRunner::~IOTRunner()
{
    pollTimer.stop();
    client->disconnect(this);
    delete client;
    client = nullptr;
}

void IOTRunner::setPollInterval(int msec)
{
    pollTimer.setInterval(msec);
}

void IOTRunner::setRetryInterval(int msec)
{
    client->setRetryInterval(msec);
}

QString IOTRunner::version() const
{
    return QStringLiteral("0.1.0");
}

void IOTRunner::connectFromList(int index)
{
    Q_UNUSED(index)
}

void IOTRunner::connectToHost(QString host, int port)
{
    {
        QSettings settings;
        settings.setValue(SettingsHost, host);
        settings.setValue(SettingsPort, port);
    }
    client->setHostAndPort(host, static_cast<quint16>(port));
    client->start();
}

void IOTRunner::saveConnection(QString name)
{
    Q_UNUSED(name)
}

void IOTRunner::disconnectFromHost()
{
    client->stop();
    client->close();
    pendingRequests.clear();
}

void IOTRunner::requestConfig() { }

void IOTRunner::requestDevInfo() { }

void IOTRunner::requestReboot() { }

void IOTRunner::requestHistory() { }

void IOTRunner::updateConfig(QVariantMap config)
{
    Q_UNUSED(config)
}

void IOTRunner::resetConfig() { }

void IOTRunner::setupCloud(QString id)
{
    Q_UNUSED(id)
}

void IOTRunner::upload(QByteArray data, QString name)
{
    Q_UNUSED(data)
    Q_UNUSED(name)
}

void IOTRunner::saveAs(QByteArray data, QString name)
{
    Q_UNUSED(data)
    Q_UNUSED(name)
}

void IOTRunner::send(const QJsonObject &request)
{
    client->write(request);
    pendingRequests.append(request);
}

void IOTRunner::tcp_timer()
{
    if (client->state() != QAbstractSocket::ConnectedState)
        return;
    if (pendingRequests.isEmpty()) {
        // A prompt answer since the last tick proves the link alive.
        staleTicks = 0;
        send({ { Protocol::Query, Protocol::State } });
        return;
    }
    if (staleTicks != StaleLimit) {
        ++staleTicks;
        return;
    }
    staleTicks = 0;
    client->close();
}

void IOTRunner::tcp_connected()
{
    send({ { Protocol::Query, Protocol::Info } });
    send({ { Protocol::Query, Protocol::Dev } });
    send({ { Protocol::Query, Protocol::Get }, { Protocol::Name, Protocol::SettingsFile } });
    staleTicks = 0;
    tcp_timer();
    pollTimer.start();
    emit connectedToHost();
}

void IOTRunner::tcp_disconnected()
{
    pollTimer.stop();
    pendingRequests.clear();
    emit alert(tr("Connection closed"));
    emit disconnectedFromHost();
}

void IOTRunner::tcp_newDatagram(QByteArray data)
{
    const QJsonDocument doc = QJsonDocument::fromJson(data);
    if (!doc.isObject()) {
        // Without a readable reply the pairing is lost; forget what we wait for.
        pendingRequests.clear();
        return;
    }
    if (!pendingRequests.isEmpty())
        pendingRequests.removeFirst();
}
