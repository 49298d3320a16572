#include "runner/iotrunner.h"

#include "app/identity.h"
#include "link/protocol.h"
#include "link/requests.h"
#include "models/certificateintake.h"
#include "models/devicetext.h"
#include "models/historycsvwriter.h"
#include "models/operatorfile.h"
#include "models/outputfile.h"
#include "runner/deviceinfotable.h"
#include "runner/units.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr char SettingsHost[] = "host";
constexpr char SettingsPort[] = "port";
// Gauge ranges of the two kinds of sensor.
constexpr double TemperatureMin = -55.0;
constexpr double TemperatureMax = 128.0;
constexpr double HumidityMin = 0.0;
constexpr double HumidityMax = 100.0;
} // namespace

IOTRunner::IOTRunner(QObject *parent)
    : QObject(parent)
    , own(this)
    , link(this)
    , deviceFinder([this] { return session().asFound(); }, this)
    , connections(this)
    , history(this)
    , siteView(&connections, this)
{
    connections.load();
    connect(&history, &HistoryDataModel::intervalUpdated, this, &IOTRunner::histIntervalUpdated);
    connect(&siteView, &SiteView::told, this, &IOTRunner::alert);
    // The site begins to watch the device the window has open: one
    // connection to it, the site's, before the site makes its own.
    connect(siteView.monitor(), &SiteMonitor::devicesChanged, this, [this] {
        if (device != &own || !own.session().isStarted())
            return;
        const DeviceAddress address = own.session().address();
        if (WatchedDevice *watched = siteView.deviceAt(address.host, address.port)) {
            own.session().stop();
            attach(watched);
        }
    });
    wire();
}

void IOTRunner::wire()
{
    for (const QMetaObject::Connection &wire : qAsConst(wires))
        disconnect(wire);
    DeviceSession *s = &device->session();
    wires = {
        connect(s, &DeviceSession::connected, this, &IOTRunner::tcp_connected),
        connect(s, &DeviceSession::linkEnded, this, &IOTRunner::tcp_disconnected),
        connect(s, &DeviceSession::connectFailed, this, &IOTRunner::tcp_connectFailed),
        connect(s, &DeviceSession::identified, this, &IOTRunner::identify),
        connect(s, &DeviceSession::ended, this, &IOTRunner::tell),
        connect(s, &DeviceSession::pollIntervalChanged, this, &IOTRunner::pollIntervalChanged),
        connect(&readings(), &DeviceReadings::updated, this, &IOTRunner::showReadings),
        connect(&configuration(), &DeviceConfiguration::received, this, &IOTRunner::showConfig),
        connect(&deviceHistory(), &DeviceHistory::downloaded, this,
            [this] { history.show(deviceHistory().samples(), deviceHistory().units()); }),
    };
}

void IOTRunner::attach(WatchedDevice *watched)
{
    attach(&watched->handle(), watched->address());
}

void IOTRunner::attach(DeviceHandle *handle, const DeviceAddress &address)
{
    if (handle == device)
        return;
    device = handle;
    wire();
    charts.clear();
    configResults.clear();
    loadedBackup.reset();
    emit deviceChanged();
    emit pollIntervalChanged();
    // The window leaves the device it showed as if its link had ended, and
    // takes up the other one where it stands.
    if (showing) {
        link.stopped();
        leaveDevice();
    }
    if (device == &own)
        return;
    link.begin(address);
    if (!session().isConnected())
        return;
    tcp_shown();
    if (session().identity())
        identify();
    if (configuration().file())
        showConfig();
    if (!device->details().isEmpty())
        emit deviceInfo(device->details());
    if (!readings().latest().isEmpty())
        showReadings();
}

void IOTRunner::openFromSite(int row)
{
    if (WatchedDevice *watched = siteView.device(row))
        attach(watched);
}

void IOTRunner::showConfig()
{
    const QVariantMap config = configuration().file()->toObject().toVariantMap();
    emit deviceConfig(config);
    emit mqttConfig(config);
}

IOTRunner::~IOTRunner() = default;

QString IOTRunner::shownValue(const QVariant &value) const
{
    return DeviceText::shown(QJsonValue::fromVariant(value), DeviceText::NameLimit);
}

QString IOTRunner::sensorName(int index) const
{
    return index == 0 ? tr("Temperature") : tr("Humidity");
}

bool IOTRunner::validateDrop(QString filename, QByteArray data)
{
    bool converted = false;
    CertificateIntake::Refusal refusal;
    const auto sent = CertificateIntake::deviceFile(filename, data, &converted, &refusal);
    if (!sent) {
        emit alert(refusal == CertificateIntake::Refusal::NotACertificate
                ? tr("Invalid certificate data")
                : tr("Invalid private key"));
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
        { SettingsPort, DeviceAddress::isPort(port) ? port : int(Protocol::DefaultPort) } };
}

void IOTRunner::connectFromList(int index)
{
    if (index < 0 || index >= connections.rowCount())
        return;
    const Connection entry = connections.at(index);
    connectToHost(entry.host, entry.port);
}

void IOTRunner::connectToHost(QString host, int port)
{
    // Nothing is tried, or stored for the next start, that cannot be reached.
    QString error;
    const auto readable = DeviceAddress::readHost(host, &error);
    if (!readable || !DeviceAddress::isPort(port)) {
        emit alert((readable ? DeviceAddress::portRule() : error).toHtmlEscaped());
        return;
    }
    {
        QSettings settings;
        settings.setValue(SettingsHost, *readable);
        settings.setValue(SettingsPort, port);
    }
    // The operator asks anew: a failure is worth telling again.
    toldFailure.clear();
    // A device the site watches is shown on the connection already held: it
    // may serve one client at a time.
    if (WatchedDevice *watched = siteView.deviceAt(*readable, port)) {
        attach(watched);
        return;
    }
    attach(&own);
    const DeviceAddress address { *readable, quint16(port) };
    link.begin(address);
    own.session().open(address);
}

void IOTRunner::saveConnection(QString name)
{
    saveConnectionTo(name, session().address().host, session().address().port);
}

QString IOTRunner::suggestedName() const
{
    const auto &identity = session().identity();
    return Connection::suggestedName(
        identity ? identity->model : QString(), DeviceAddress::hostText(session().address().host));
}

void IOTRunner::saveConnectionTo(QString name, QString host, int port)
{
    // A row with no name cannot be told from its neighbours.
    if (name.trimmed().isEmpty()) {
        emit alert(tr("A saved connection needs a name"));
        return;
    }
    switch (connections.tryAdd({ name, host, quint16(port), {} })) {
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

void IOTRunner::removeConnection(int index)
{
    if (!connections.remove(index))
        emit alert(tr("Cannot delete the connection"));
}

void IOTRunner::disconnectFromHost()
{
    // A device the site watches stays watched: the window only leaves it.
    if (device != &own) {
        attach(&own);
        return;
    }
    own.session().stop();
    own.readings().table()->set({});
    link.stopped();
    leaveDevice();
}

void IOTRunner::leaveDevice()
{
    if (!showing)
        return;
    showing = false;
    charts.clear();
    emit disconnectedFromHost();
}

void IOTRunner::updateConfig(QVariantMap config)
{
    if (!session().isConnected())
        return;
    // The upload replaces the device's whole file: without the file this
    // device sent, every member the page does not edit would be lost.
    if (!configuration().file()) {
        emit alert(tr("Device configuration has not been read yet"));
        return;
    }
    tellConfigResult(configuration().apply(config), tr("Configuration applied"));
}

void IOTRunner::resetConfig()
{
    tellConfigResult(configuration().factoryDefaults(), tr("Device reset to factory settings"));
}

void IOTRunner::tellConfigResult(quint64 ticket, const QString &done)
{
    if (ticket != 0)
        configResults.insert(ticket, done);
}

void IOTRunner::saveAs(QByteArray data, QString name)
{
    QString error;
    const bool saved
        = OutputFile::save(OperatorFile::localPath(name), data, OutputFile::Access::Shared, &error);
    reportSaved(name, saved, error);
}

void IOTRunner::saveHistory(QString name)
{
    if (historyWriter) {
        emit alert(tr("The history is still being saved"));
        return;
    }
    historyWriter = new HistoryCsvWriter(
        history.samples(), deviceHistory().columns(), OperatorFile::localPath(name), this);
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
    const auto &identity = session().identity();
    return OutputFile::deviceFileName({}, identity ? identity->model : QString(),
        session().address().host, session().address().port, QDateTime::currentDateTime(),
        QStringLiteral("json"));
}

void IOTRunner::saveConfigBackup(QString name)
{
    // Only what this device sent on this connection is kept as its backup.
    const auto backup = configuration().backup();
    if (!backup) {
        emit alert(tr("Device configuration has not been read yet"));
        return;
    }
    QString error;
    if (!backup->save(OperatorFile::localPath(name), &error)) {
        reportSaved(name, false, error);
        return;
    }
    emit alert(
        tr("Saved to %1. The file holds the Wi-Fi password: keep it safe").arg(shownPath(name)));
}

QVariantMap IOTRunner::loadConfigBackup(QString name)
{
    loadedBackup.reset();
    const auto &identity = session().identity();
    if (!session().isConnected() || !identity) {
        emit alert(tr("Device configuration has not been read yet"));
        return {};
    }
    ConfigBackup backup;
    QString error;
    if (!backup.load(OperatorFile::localPath(name), identity->model, &error)) {
        emit alert(tr("Cannot load %1: %2").arg(shownPath(name), error.toHtmlEscaped()));
        return {};
    }
    loadedBackup = backup.settings;
    // A device whose own file cannot be read is restored all the same: the
    // backup replaces it whole.
    int more = 0;
    const auto changes = ConfigBackup::changes(
        configuration().file().value_or(JsonMembers()), backup.settings, &more);
    // The page shows the members it edits; the rest go back as they are.
    QVariantMap shown;
    for (const QString &key : ConfigChoices::editedKeys())
        if (backup.settings.contains(key))
            shown.insert(key, backup.settings.value(key).toVariant());
    const QString file = QFileInfo(OperatorFile::localPath(name)).fileName();
    loadedBackupName = DeviceText::shown(file, DeviceText::NameLimit);
    return { { "file", loadedBackupName }, { "settings", shown },
        { "changes", ConfigBackup::toVariantList(changes) }, { "moreChanges", more } };
}

void IOTRunner::applyConfigBackup(QVariantMap edits)
{
    // The file was loaded for the device of this connection, and no other.
    if (session().isConnected() && loadedBackup)
        tellConfigResult(configuration().restore(*loadedBackup, edits),
            tr("Configuration restored from %1").arg(loadedBackupName.toHtmlEscaped()));
    else
        dropConfigBackup();
}

void IOTRunner::dropConfigBackup()
{
    loadedBackup.reset();
    emit alert(tr("Nothing was applied"));
}

QString IOTRunner::shownPath(const QString &name)
{
    // Notifications show rich text; the path is the operator's, not markup,
    // and written as the operator's system writes paths.
    return QDir::toNativeSeparators(OperatorFile::localPath(name)).toHtmlEscaped();
}

void IOTRunner::reportSaved(const QString &name, bool saved, const QString &error)
{
    const QString path = shownPath(name);
    if (saved)
        emit alert(tr("Saved to %1").arg(path));
    else
        emit alert(tr("Cannot write to %1: %2").arg(path, error.toHtmlEscaped()));
}

QString IOTRunner::historyFileName() const
{
    const auto &identity = session().identity();
    return OutputFile::deviceFileName(QStringLiteral("veltra2-history"),
        identity ? identity->model : QString(), session().address().host, session().address().port,
        QDateTime::currentDateTime(), QStringLiteral("csv"));
}

void IOTRunner::tcp_connected()
{
    loadedBackup.reset();
    toldFailure.clear();
    tcp_shown();
}

void IOTRunner::tcp_shown()
{
    showing = true;
    link.connected();
    emit connectedToHost();
}

void IOTRunner::tcp_disconnected(DeviceSession::LinkEnd why, const QString &detail, bool retrying)
{
    loadedBackup.reset();
    QString reason = tr("Connection closed");
    if (why == DeviceSession::LinkEnd::NotADevice) {
        // Asking again would only ask the same web server again: said once.
        session().stop();
        retrying = false;
        reason = tr("%1 is not a VELTRA2 device").arg(link.address());
    } else if (why == DeviceSession::LinkEnd::NoAnswer) {
        reason = tr("The device stopped answering");
    } else if (why == DeviceSession::LinkEnd::Rebooting) {
        reason = tr("Device will reboot");
    } else if (why == DeviceSession::LinkEnd::UnknownModel) {
        reason = tr("Device type %1 is not known")
                     .arg(DeviceText::shown(detail, DeviceText::NameLimit));
    }
    emit alert(why == DeviceSession::LinkEnd::NotADevice ? reason.toHtmlEscaped()
                                                         : tr("Connection closed"));
    link.lost(reason, retrying);
    // A link tried again keeps what the window shows: the readings so far
    // stay, marked as lost, and go on when the device is back.
    if (!retrying)
        leaveDevice();
}

void IOTRunner::tcp_connectFailed(const QString &reason)
{
    link.attemptFailed(reason);
    if (reason == toldFailure)
        return;
    toldFailure = reason;
    const DeviceAddress address = session().address();
    emit alert(
        tr("Cannot connect to %1:%2: %3. Retrying…")
            .arg(DeviceText::rich(DeviceAddress::hostText(address.host), DeviceText::NameLimit),
                QString::number(address.port), reason.toHtmlEscaped()));
}

void IOTRunner::identify()
{
    const DeviceIdentity &identity = *session().identity();
    deviceType = identity.isWired() ? VELTRA_2U : VELTRA_2W;
    link.identified(identity.model);
    // The same device back after a lost link keeps its pages and its charts.
    if (charts.size() == identity.sensors() && chartsModel == identity.model) {
        emit deviceDiscovered(DeviceInfoTable::rows(identity));
        return;
    }
    charts.clear();
    chartsModel = identity.model;
    for (int i = 0; i < identity.sensors(); ++i)
        charts.append(ChartDataProvider(this));
    const QStringList units
        = QStringList { Units::Celsius, Units::Percent }.mid(0, identity.sensors());
    emit deviceSetup(identity.sensors(), units);
    emit sensorSetup(0, TemperatureMin, TemperatureMax);
    if (identity.sensors() > 1)
        emit sensorSetup(1, HumidityMin, HumidityMax);

    emit deviceDiscovered(DeviceInfoTable::rows(identity));
}

void IOTRunner::showReadings()
{
    // Points first, then the signal: a view redrawing on it finds the new
    // point in every series.
    const QVector<double> latest = readings().latest();
    for (int i = 0; i < latest.size() && i < charts.size(); ++i)
        charts[i].append(latest.at(i));
    link.answered();
    emit deviceUpdate(readings().cloud(), readings().modbus());
}

void IOTRunner::tell(const Outcome &outcome)
{
    const QString query = outcome.query();
    const QString configResult = configResults.take(outcome.ticket);
    switch (outcome.result) {
    case Outcome::DeviceError:
        emit alert(tr("Cannot execte %1. Device error %2")
                       .arg(query.toHtmlEscaped(),
                           DeviceText::rich(outcome.deviceText, DeviceText::ValueLimit)));
        return;
    case Outcome::UnknownModel:
        emit alert(tr("Device type %1 is not known. Please update the application or the device "
                      "firmware")
                       .arg(DeviceText::rich(outcome.deviceText, DeviceText::NameLimit)));
        return;
    case Outcome::Done:
        break;
    default:
        // The link's end is told once, as such; an unreadable reply says
        // nothing of use to the operator. A configuration sent but not
        // confirmed is neither applied nor refused: the operator is told so.
        if (!configResult.isEmpty())
            emit alert(tr("The device did not confirm the configuration: check it once the "
                          "device answers"));
        return;
    }
    if (query == QLatin1String(Protocol::Dev)) {
        emit deviceInfo(outcome.reply.toVariantMap());
    } else if (query == QLatin1String(Protocol::Put)) {
        const QString name = outcome.request.value(Protocol::Name).toString();
        if (!configResult.isEmpty()) {
            emit alert(configResult);
            configuration().read();
            return;
        }
        emit alert(tr("File %1 uploaded").arg(name.toHtmlEscaped()));
        // Let the cloud page learn that the certificate or key is now there.
        if (name == QLatin1String(Protocol::MqttCertFile)
            || name == QLatin1String(Protocol::MqttKeyFile))
            files().readDetails();
    } else if (query == QLatin1String(Protocol::Scloud)) {
        emit alert(tr("Cloud settings applied"));
        configuration().read();
    } else if (query == QLatin1String(Protocol::Reset)) {
        emit alert(tr("Device will reboot"));
    }
}
