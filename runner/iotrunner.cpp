#include "runner/iotrunner.h"

#include "app/identity.h"
#include "link/boardname.h"
#include "link/protocol.h"
#include "link/requests.h"
#include "link/tcpsocketclient.h"
#include "models/configbackup.h"
#include "models/configchoices.h"
#include "models/devicetext.h"
#include "models/historycsvwriter.h"
#include "runner/heaprelease.h"
#include "runner/units.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QQmlEngine>
#include <QSaveFile>
#include <QSettings>
#include <QSslCertificate>
#include <QSslKey>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtNumeric>

#include <memory>

namespace {
// Ticks that may find a request unanswered before the link counts as stalled.
constexpr int StaleLimit = 2;
constexpr char SettingsHost[] = "host";
constexpr char SettingsPort[] = "port";
// Gauge ranges of the two kinds of sensor.
constexpr double TemperatureMin = -55.0;
constexpr double TemperatureMax = 128.0;
constexpr double HumidityMin = 0.0;
constexpr double HumidityMax = 100.0;
// A reply this long leaves freed memory worth giving back, once it has been
// handled and again once what it brought has been replaced.
constexpr int LargeReply = 256 * 1024;
} // namespace

IOTRunner::IOTRunner(QObject *parent)
    : QObject(parent)
    , pollTimer(this)
    , link(this)
    , deviceFinder([this] { return openDevice(); }, this)
    , connections(this)
    , stateTable(this)
    , history(this)
    , client(new TcpSocketClient(this))
{
    HeapRelease::returnLargeBlocks();
    connections.load();
    connect(client, &TcpSocketClient::connected, this, &IOTRunner::tcp_connected);
    connect(client, &TcpSocketClient::disconnected, this, &IOTRunner::tcp_disconnected);
    connect(client, &TcpSocketClient::newDatagram, this, &IOTRunner::tcp_newDatagram);
    connect(client, &TcpSocketClient::connectFailed, this, &IOTRunner::tcp_connectFailed);
    connect(&history, &HistoryDataModel::intervalUpdated, this, &IOTRunner::histIntervalUpdated);

    pollTimer.setInterval(DefaultPollInterval);
    connect(&pollTimer, &QTimer::timeout, this, &IOTRunner::tcp_timer);
}

IOTRunner::~IOTRunner()
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

void IOTRunner::setPollInterval(int msec)
{
    pollTimer.setInterval(msec);
    emit pollIntervalChanged();
}

void IOTRunner::setRetryInterval(int msec)
{
    client->setRetryInterval(msec);
}

ChartDataProvider *IOTRunner::chartData(int index)
{
    if (index < 0 || index >= charts.size())
        return nullptr;
    ChartDataProvider *series = &charts[index];
    // The series stays ours; QML must never collect it.
    QQmlEngine::setObjectOwnership(series, QQmlEngine::CppOwnership);
    return series;
}

QString IOTRunner::version() const
{
    return QStringLiteral(VELTRA2_VERSION);
}

QString IOTRunner::shownValue(const QVariant &value) const
{
    return DeviceText::shown(QJsonValue::fromVariant(value), DeviceText::NameLimit);
}

QString IOTRunner::sensorName(int index) const
{
    return index == 0 ? tr("Temperature") : tr("Humidity");
}

std::optional<QByteArray> IOTRunner::deviceFile(
    const QString &filename, const QByteArray &data, bool *converted, QString *error)
{
    *converted = false;
    if (filename == QLatin1String(Protocol::MqttCertFile)) {
        if (!QSslCertificate(data, QSsl::Der).isNull())
            return data;
        const QSslCertificate pem(data, QSsl::Pem);
        if (pem.isNull()) {
            *error = tr("Invalid certificate data");
            return std::nullopt;
        }
        *converted = true;
        return pem.toDer();
    }
    if (filename == QLatin1String(Protocol::MqttKeyFile)) {
        if (!QSslKey(data, QSsl::Rsa, QSsl::Der, QSsl::PrivateKey, QByteArray()).isNull())
            return data;
        const QSslKey pem(data, QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey, QByteArray());
        if (pem.isNull()) {
            *error = tr("Invalid private key");
            return std::nullopt;
        }
        *converted = true;
        return pem.toDer(QByteArray());
    }
    return data;
}

QVariantList IOTRunner::configChoices(const QString &key) const
{
    return ConfigChoices::choices(key);
}

bool IOTRunner::validateDrop(QString filename, QByteArray data)
{
    bool converted = false;
    QString error;
    const auto sent = deviceFile(filename, data, &converted, &error);
    if (!sent) {
        emit alert(error);
        return false;
    }
    if (converted) {
        emit alert(filename == QLatin1String(Protocol::MqttCertFile)
                ? tr("Certificate will be converted from PEM to DER")
                : tr("Key will be converted from PEM to DER"));
        emit amendData(filename, *sent);
    }
    return true;
}

ConnectionsListModel *IOTRunner::connListModel()
{
    QQmlEngine::setObjectOwnership(&connections, QQmlEngine::CppOwnership);
    return &connections;
}

VariantMapModel *IOTRunner::stateTableModel()
{
    QQmlEngine::setObjectOwnership(&stateTable, QQmlEngine::CppOwnership);
    return &stateTable;
}

HistoryDataModel *IOTRunner::historyModel()
{
    QQmlEngine::setObjectOwnership(&history, QQmlEngine::CppOwnership);
    return &history;
}

void IOTRunner::connectFromList(int index)
{
    if (index < 0 || index >= connections.rowCount())
        return;
    const Connection entry = connections.at(index);
    connectToHost(entry.host, entry.port);
}

bool IOTRunner::isUrlReadable(QString str) const
{
    const QString path = QUrl(str.trimmed(), QUrl::TolerantMode).toLocalFile();
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isReadable();
}

QUrl IOTRunner::documentsFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QUrl::fromLocalFile(QFileInfo(documents).isDir()
            ? documents
            : QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
}

QVariantMap IOTRunner::savedEndpoint() const
{
    const QSettings settings;
    // A port stored by an older version may be 0 or out of range.
    const int port = settings.value(SettingsPort).toInt();
    return { { SettingsHost, settings.value(SettingsHost, Protocol::DefaultHost).toString() },
        { SettingsPort, port >= 1 && port <= 65535 ? port : int(Protocol::DefaultPort) } };
}

void IOTRunner::connectToHost(QString host, int port)
{
    host = host.trimmed();
    // Nothing is tried, or stored for the next start, that cannot be reached.
    if (host.isEmpty()) {
        emit alert(tr("Enter the device's address"));
        return;
    }
    if (port < 1 || port > 65535) {
        emit alert(tr("The port must be a number from 1 to 65535"));
        return;
    }
    {
        QSettings settings;
        settings.setValue(SettingsHost, host);
        settings.setValue(SettingsPort, port);
    }
    openLink(host, port);
}

void IOTRunner::openLink(QString host, int port)
{
    // The operator asks anew: a failure is worth telling again.
    toldFailure.clear();
    link.begin(host, port);
    client->setHostAndPort(host, static_cast<quint16>(port));
    client->start();
}

void IOTRunner::saveConnection(QString name)
{
    saveConnectionTo(name, client->host(), client->port());
}

void IOTRunner::saveConnectionTo(QString name, QString host, int port)
{
    switch (connections.tryAdd({ name, host, quint16(port) })) {
    case ConnectionsListModel::AddResult::Added:
        emit alert(tr("Connection saved"));
        break;
    case ConnectionsListModel::AddResult::Exists:
        emit alert(tr("Connection exists"));
        break;
    case ConnectionsListModel::AddResult::NotStored:
        emit alert(tr("Cannot save the connection"));
        break;
    }
}

std::optional<ConfigBackup> IOTRunner::configBackup() const
{
    if (!isConnected() || !configReceived)
        return std::nullopt;
    ConfigBackup backup;
    backup.model = model;
    backup.firmwareVersion = firmwareVersion;
    backup.firmwareBuild = firmwareBuild;
    backup.address = link.address();
    backup.saved = QDateTime::currentDateTimeUtc();
    backup.settings = configObject;
    return backup;
}

std::optional<FoundDevice> IOTRunner::openDevice() const
{
    bool ipv4 = false;
    const quint32 address = QHostAddress(client->host()).toIPv4Address(&ipv4);
    if (link.state() != ConnectionState::Connected || link.model().isEmpty() || !ipv4)
        return std::nullopt;
    FoundDevice device;
    device.address = address;
    device.port = client->port();
    device.model = link.model();
    device.version = firmwareVersion;
    device.build = firmwareBuild;
    return device;
}

void IOTRunner::removeConnection(int index)
{
    if (!connections.remove(index))
        emit alert(tr("Cannot delete the connection"));
}

void IOTRunner::disconnectFromHost()
{
    client->stop();
    client->close();
    stateTable.set({});
    forgetRequests();
    link.stopped();
}

void IOTRunner::forgetRequests()
{
    pendingRequests.clear();
    waitingLines.clear();
    ++linkSerial;
}

bool IOTRunner::isConnected() const
{
    return client->state() == QAbstractSocket::ConnectedState;
}

void IOTRunner::requestConfig()
{
    if (isConnected())
        send(Requests::get(Protocol::SettingsFile));
}

void IOTRunner::requestDevInfo()
{
    if (isConnected())
        send(Requests::dev());
}

void IOTRunner::requestReboot()
{
    if (isConnected())
        send(Requests::reset());
}

void IOTRunner::requestHistory()
{
    if (isConnected())
        send(Requests::history());
}

void IOTRunner::updateConfig(QVariantMap config)
{
    if (!isConnected())
        return;
    // The upload replaces the device's whole file: without the file this
    // device sent, every member the page does not edit would be lost.
    if (!configReceived) {
        emit alert(tr("Device configuration has not been read yet"));
        return;
    }
    for (auto it = config.cbegin(); it != config.cend(); ++it)
        configObject.insert(it.key(), QJsonValue::fromVariant(it.value()));
    upload(QJsonDocument(configObject).toJson(QJsonDocument::Compact), Protocol::SettingsFile);
}

void IOTRunner::resetConfig()
{
    upload(QByteArrayLiteral("{}"), Protocol::SettingsFile);
}

void IOTRunner::setupCloud(QString id)
{
    if (isConnected())
        send(Requests::scloud(id));
}

void IOTRunner::upload(QByteArray data, QString name)
{
    if (!isConnected())
        return;
    const QJsonObject header = Requests::put(name, data.size());
    client->write(header);
    client->write(data, false);
    client->flush();
    pendingRequests.append(header);
}

void IOTRunner::saveAs(QByteArray data, QString name)
{
    // Written beside the target and renamed over it only when complete, so a
    // failed write never leaves a truncated file under the chosen name.
    // A folder that takes no new file may still let the file itself be
    // rewritten in place.
    QSaveFile file(localPath(name));
    file.setDirectWriteFallback(true);
    const bool saved
        = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    reportSaved(name, saved, file.errorString());
}

void IOTRunner::saveHistory(QString name)
{
    if (historyWriter) {
        emit alert(tr("The history is still being saved"));
        return;
    }
    historyWriter = new HistoryCsvWriter(history.samples(), historyColumns, localPath(name), this);
    connect(historyWriter, &HistoryCsvWriter::finished, this,
        [this, name](bool saved, const QString &error) {
            historyWriter->deleteLater();
            historyWriter = nullptr;
            reportSaved(name, saved, error);
        });
    historyWriter->start();
}

QString IOTRunner::configBackupName() const
{
    return ConfigBackup::defaultFileName(model, client->host(), QDate::currentDate());
}

void IOTRunner::saveConfigBackup(QString name)
{
    // Only what this device sent on this connection is kept as its backup.
    const auto backup = configBackup();
    if (!backup) {
        emit alert(tr("Device configuration has not been read yet"));
        return;
    }
    QString error;
    if (!backup->save(localPath(name), &error)) {
        reportSaved(name, false, error);
        return;
    }
    emit alert(
        tr("Saved to %1. The file holds the Wi-Fi password: keep it safe").arg(shownPath(name)));
}

QVariantMap IOTRunner::loadConfigBackup(QString name)
{
    loadedBackup.reset();
    if (!isConnected() || !configReceived) {
        emit alert(tr("Device configuration has not been read yet"));
        return {};
    }
    ConfigBackup backup;
    QString error;
    if (!backup.load(localPath(name), model, &error)) {
        emit alert(tr("Cannot load %1: %2").arg(shownPath(name), error.toHtmlEscaped()));
        return {};
    }
    loadedBackup = backup.settings;
    QVariantList changes;
    for (const ConfigBackup::Change &c : ConfigBackup::changes(configObject, backup.settings))
        changes.append(QVariantMap { { "key", c.key }, { "before", c.before }, { "after", c.after },
            { "secret", c.secret } });
    return { { "file", QFileInfo(localPath(name)).fileName() },
        { "settings", backup.settings.toVariantMap() }, { "changes", changes } };
}

void IOTRunner::applyConfigBackup(QVariantMap edits)
{
    if (!isConnected() || !loadedBackup)
        return;
    QJsonObject settings = *loadedBackup;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        settings.insert(it.key(), QJsonValue::fromVariant(it.value()));
    upload(QJsonDocument(settings).toJson(QJsonDocument::Compact), Protocol::SettingsFile);
}

QString IOTRunner::shownPath(const QString &name)
{
    // Notifications show rich text; the path is the operator's, not markup,
    // and written as the operator's system writes paths.
    return QDir::toNativeSeparators(localPath(name)).toHtmlEscaped();
}

QString IOTRunner::localPath(const QString &name)
{
    const QUrl url(name.trimmed(), QUrl::TolerantMode);
    return url.isLocalFile() ? url.toLocalFile() : name;
}

void IOTRunner::reportSaved(const QString &name, bool saved, const QString &error)
{
    emit fileSaved(localPath(name), saved, error);
    const QString path = shownPath(name);
    if (saved)
        emit alert(tr("Saved to %1").arg(path));
    else
        emit alert(tr("Cannot write to %1: %2").arg(path, error.toHtmlEscaped()));
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
        send(Requests::state());
        return;
    }
    if (staleTicks != StaleLimit) {
        ++staleTicks;
        return;
    }
    staleTicks = 0;
    dropLink(tr("The device stopped answering"));
}

void IOTRunner::dropLink(const QString &why)
{
    dropReason = why;
    client->close();
}

void IOTRunner::tcp_connected()
{
    // The kept configuration belongs to the device it came from; this may be
    // another one.
    configObject = QJsonObject();
    configReceived = false;
    loadedBackup.reset();
    toldFailure.clear();
    send(Requests::info());
    send(Requests::dev());
    send(Requests::get(Protocol::SettingsFile));
    staleTicks = 0;
    tcp_timer();
    pollTimer.start();
    link.connected();
    emit connectedToHost();
}

void IOTRunner::tcp_disconnected()
{
    pollTimer.stop();
    forgetRequests();
    charts.clear();
    emit alert(tr("Connection closed"));
    link.lost(dropReason.isEmpty() ? tr("Connection closed") : dropReason, client->isStarted());
    dropReason.clear();
    emit disconnectedFromHost();
}

void IOTRunner::tcp_connectFailed(QString reason)
{
    link.attemptFailed(reason);
    if (reason == toldFailure)
        return;
    toldFailure = reason;
    emit alert(tr("Cannot connect to %1:%2: %3. Retrying…")
                   .arg(shownInMessage(client->host()), QString::number(client->port()),
                       reason.toHtmlEscaped()));
}

void IOTRunner::tcp_newDatagram(QByteArray data)
{
    // Lines are handled in the order they came, behind a long one still
    // being read.
    if (parser) {
        waitingLines.append(data);
        return;
    }
    take(data);
}

void IOTRunner::take(const QByteArray &data)
{
    if (data.size() >= LargeReply || largeReplyHeld) {
        largeReplyHeld = data.size() >= LargeReply;
        releaseHeapSoon();
    }
    // A line nobody asked for answers nothing, errors included: a device
    // flooding us must not flood the operator.
    if (pendingRequests.isEmpty())
        return;
    if (data.size() < LargeReply) {
        handleLine(data, QJsonDocument::fromJson(data));
        return;
    }
    // Megabytes of JSON take a while to read: the window goes on meanwhile.
    auto parsed = std::make_shared<QJsonDocument>();
    parser = QThread::create([data, parsed] { *parsed = QJsonDocument::fromJson(data); });
    connect(parser, &QThread::finished, this, [this, data, parsed, link = linkSerial] {
        parser->deleteLater();
        parser = nullptr;
        // A reply from a link that has ended answers nothing of the new one.
        if (link == linkSerial)
            handleLine(data, *parsed);
        *parsed = QJsonDocument();
        while (!parser && !waitingLines.isEmpty())
            take(waitingLines.takeFirst());
    });
    parser->start();
}

void IOTRunner::handleLine(const QByteArray &data, const QJsonDocument &doc)
{
    if (!doc.isObject()) {
        // A device that cannot say what it is, is not one we know.
        if (pendingRequests.first().value(Protocol::Query) == QJsonValue(Protocol::Info)) {
            refuseDevice(QString::fromUtf8(data));
            return;
        }
        // Without a readable reply the pairing is lost; forget what we wait for.
        pendingRequests.clear();
        return;
    }
    const QJsonObject request = pendingRequests.takeFirst();
    const QJsonObject reply = doc.object();

    if (reply.contains(Protocol::Code)
        && reply.value(Protocol::Code).toInt() == Protocol::ErrorCode) {
        const QString error = reply.value(Protocol::Error).toString();
        emit alert(tr("Cannot execte %1. Device error %2")
                       .arg(request.value(Protocol::Query).toString(),
                           shownInMessage(error, DeviceText::ValueLimit)));
        emit replied(request, reply, error.isEmpty() ? QStringLiteral("?") : error);
        return;
    }

    const QJsonValue query = request.value(Protocol::Query);
    if (query == QJsonValue(Protocol::Info))
        identify(reply);
    else if (query == QJsonValue(Protocol::State))
        handleState(reply);
    else if (query == QJsonValue(Protocol::Dev))
        emit deviceInfo(reply.toVariantMap());
    else if (query == QJsonValue(Protocol::Get))
        handleConfig(reply);
    else if (query == QJsonValue(Protocol::Put))
        handleUploaded(request);
    else if (query == QJsonValue(Protocol::Scloud))
        handleCloud();
    else if (query == QJsonValue(Protocol::History))
        handleHistory(reply);
    else if (query == QJsonValue(Protocol::Reset))
        handleReboot();
    emit replied(request, reply, {});
}

void IOTRunner::identify(const QJsonObject &reply)
{
    const QString board = reply.value(Protocol::Board).toString();
    const QString known = BoardName::model(board);
    if (known.isEmpty()) {
        refuseDevice(board);
        return;
    }
    const bool wired = known == QLatin1String(Protocol::BoardWired);
    deviceType = wired ? VELTRA_2U : VELTRA_2W;
    const int sensors = wired ? 1 : 2;
    model = known;
    firmwareVersion = reply.value(Protocol::Version).toString();
    firmwareBuild = reply.value(Protocol::Build).toString();
    link.identified(model);

    charts.clear();
    for (int i = 0; i < sensors; ++i)
        charts.append(ChartDataProvider(this));
    const QStringList units = QStringList { Units::Celsius, Units::Percent }.mid(0, sensors);
    emit deviceSetup(sensors, units);
    emit sensorSetup(0, TemperatureMin, TemperatureMax);
    if (sensors > 1)
        emit sensorSetup(1, HumidityMin, HumidityMax);

    // The table is shown as rich text: device texts go in escaped.
    QString sensor;
    if (!reply.contains(Protocol::Stm))
        sensor = tr("build is too old");
    else if (reply.value(Protocol::Stm).toString().isEmpty())
        sensor = QStringLiteral("???");
    else
        sensor = shownInMessage(reply.value(Protocol::Stm).toString());
    const QString table = QStringLiteral("<table width=\"100%\" border=1><tr><td>") + tr("Device")
        + QStringLiteral(":</td><td>") + shownInMessage(board)
        + QStringLiteral("</td></tr><tr><td>") + tr("Version") + QStringLiteral(":</td><td>")
        + shownInMessage(reply.value(Protocol::Version).toString())
        + QStringLiteral("</td></tr><tr><td>") + tr("Build") + QStringLiteral(":</td><td>")
        + shownInMessage(reply.value(Protocol::Build).toString())
        + QStringLiteral("</td></tr><tr><td>") + tr("Sensor") + QStringLiteral(":</td><td>")
        + sensor + QStringLiteral("</td></tr></table>");
    emit deviceDiscovered(table);

    send(Requests::state());
}

void IOTRunner::releaseHeapSoon()
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

QString IOTRunner::shownInMessage(const QString &deviceText, int limit)
{
    return DeviceText::shown(deviceText, limit).toHtmlEscaped();
}

void IOTRunner::refuseDevice(const QString &board)
{
    emit alert(tr("Device type %1 is not known. Please update the application or the device "
                  "firmware")
                   .arg(shownInMessage(board)));
    // The link stays started: a device that comes back is asked again.
    dropLink(
        tr("Device type %1 is not known").arg(DeviceText::shown(board, DeviceText::NameLimit)));
}

void IOTRunner::handleState(const QJsonObject &reply)
{
    // Points first, then the table, then the signal: a view redrawing on the
    // signal finds the new point in every series.
    if (deviceType == VELTRA_2U) {
        if (charts.size() > 0)
            charts[0].append(reading(reply.value(Protocol::Value)));
    } else if (deviceType == VELTRA_2W) {
        const QJsonObject value = reply.value(Protocol::Value).toObject();
        if (charts.size() > 0)
            charts[0].append(reading(value.value(Protocol::Temperature)));
        if (charts.size() > 1)
            charts[1].append(reading(value.value(Protocol::Humidity)));
    }

    stateTable.set(reply);

    emit deviceUpdate(reply.value(Protocol::Mqtt).toBool(), reply.value(Protocol::Modbus).toBool());
}

double IOTRunner::reading(const QJsonValue &value)
{
    // Only a number is a measurement; anything else must not be drawn as 0.
    return value.isDouble() ? value.toDouble() : qQNaN();
}

void IOTRunner::handleConfig(const QJsonObject &reply)
{
    if (reply.value(Protocol::Get).toString() != QLatin1String(Protocol::SettingsFile))
        return;
    // Base64 may come wrapped in lines; anything else that is not Base64
    // makes the read count as none.
    const QByteArray encoded
        = reply.value(Protocol::Data).toString().toLatin1().simplified().replace(' ', "");
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    const auto decoded
        = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return;
    const QByteArray content = *decoded;
#else
    const QByteArray content = QByteArray::fromBase64(encoded);
#endif
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(content, &error);
    // An unreadable file says nothing about the device's configuration: what
    // we kept stays, rather than defaults that an update would write back.
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return;
    configObject = doc.object();
    configReceived = true;
    const QVariantMap config = configObject.toVariantMap();
    emit deviceConfig(config);
    emit mqttConfig(config);
}

void IOTRunner::handleUploaded(const QJsonObject &request)
{
    const QString name = request.value(Protocol::Name).toString();
    emit alert(tr("File %1 uploaded").arg(name));
    // Let the cloud page learn that the certificate or key is now there.
    if (name == QLatin1String(Protocol::MqttCertFile)
        || name == QLatin1String(Protocol::MqttKeyFile))
        send(Requests::dev());
}

void IOTRunner::handleCloud()
{
    emit alert(tr("Cloud settings applied"));
    send(Requests::get(Protocol::SettingsFile));
}

void IOTRunner::handleHistory(const QJsonObject &reply)
{
    if (deviceType == VELTRA_2U) {
        historyColumns = QStringList { QStringLiteral("temperature") };
        history.update(reply, { Protocol::Temperature }, { Units::Celsius });
    } else if (deviceType == VELTRA_2W) {
        historyColumns = QStringList { QStringLiteral("temperature"), QStringLiteral("humidity") };
        history.update(reply, { Protocol::Temperature, Protocol::Humidity },
            { Units::Celsius, Units::Percent });
    }
}

QString IOTRunner::historyFileName() const
{
    return QStringLiteral("veltra2-history-%1-%2.csv")
        .arg(model.isEmpty() ? QStringLiteral("device") : model,
            QDate::currentDate().toString(Qt::ISODate));
}

void IOTRunner::handleReboot()
{
    emit alert(tr("Device will reboot"));
    // The link stays started and finds the device again once it is back.
    dropLink(tr("Device will reboot"));
}
