#ifndef IOTRUNNER_H
#define IOTRUNNER_H

#include "app/identity.h"
#include "link/requests.h"
#include "models/chartdataprovider.h"
#include "models/configchoices.h"
#include "models/connectionslistmodel.h"
#include "models/historydatamodel.h"
#include "models/jsonmembers.h"
#include "models/operatorfile.h"
#include "models/variantmapmodel.h"
#include "runner/connectionstate.h"
#include "runner/devicefinder.h"
#include "runner/devicehandle.h"
#include "runner/siteview.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <QVector>

#include <optional>

class HistoryCsvWriter;

// The one object through which the window reaches the device: it holds the
// window's device session with its features, the saved connections, the
// device search and the address kept for the next start, and puts what the
// session tells into the window's translated words, in one place.
class IOTRunner : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(ConnectionState *connection READ connection CONSTANT)
    Q_PROPERTY(DeviceFinder *finder READ finder CONSTANT)
    Q_PROPERTY(int pollInterval READ pollInterval NOTIFY pollIntervalChanged)
    Q_PROPERTY(SiteView *site READ site CONSTANT)
    // The state table of the device shown; another one once another is.
    Q_PROPERTY(VariantMapModel *stateTable READ stateTableModel NOTIFY deviceChanged)

public:
    enum Type { INVALID = -1, VELTRA_2U = 0, VELTRA_2W = 1 };
    Q_ENUM(Type)

    static constexpr int DefaultPollInterval = DeviceSession::DefaultPollInterval;

    explicit IOTRunner(QObject *parent = nullptr);
    ~IOTRunner() override;

    // Tests shorten the poll and retry periods; the program keeps the defaults.
    void setPollInterval(int msec) { own.session().setPollInterval(msec); }
    void setRetryInterval(int msec) { own.session().setRetryInterval(msec); }
    int pollInterval() const { return device->session().pollInterval(); }
    ConnectionState *connection() { return &link; }
    DeviceFinder *finder() { return &deviceFinder; }
    SiteView *site() { return &siteView; }

    Q_INVOKABLE ChartDataProvider *chartData(int index)
    {
        return index >= 0 && index < charts.size() ? &charts[index] : nullptr;
    }
    Q_INVOKABLE QString version() const { return QStringLiteral(VELTRA2_VERSION); }
    // A value a device sent, as a short line of plain text: a text as it
    // stands, anything else as JSON.
    Q_INVOKABLE QString shownValue(const QVariant &value) const;
    // What sensor `index` of the connected model measures, in words.
    Q_INVOKABLE QString sensorName(int index) const;
    // The name a saved connection is offered under: the model and address
    // of the device shown, or of `model` at `host`.
    Q_INVOKABLE QString suggestedName() const;
    Q_INVOKABLE QString suggestedNameFor(const QString &model, const QString &host) const
    {
        return Connection::suggestedName(model, host);
    }
    Q_INVOKABLE bool validateDrop(QString filename, QByteArray data);
    // The values offered for a configuration member, with their labels.
    Q_INVOKABLE QVariantList configChoices(const QString &key) const
    {
        return ConfigChoices::choices(key);
    }
    Q_INVOKABLE ConnectionsListModel *connListModel() { return &connections; }
    Q_INVOKABLE VariantMapModel *stateTableModel() { return readings().table(); }
    Q_INVOKABLE HistoryDataModel *historyModel() { return &history; }
    Q_INVOKABLE bool isUrlReadable(QString str) const { return OperatorFile::isReadable(str); }
    // Where files are offered to be saved: the documents folder where there
    // is one, else home.
    Q_INVOKABLE QUrl documentsFolder() const;
    // A file name to offer for the downloaded history.
    Q_INVOKABLE QString historyFileName() const;
    // A file name to offer for the configuration backup.
    Q_INVOKABLE QString configBackupName() const;
    // Reads a backup file for the connected model. On success: "file" (its
    // name), "settings" (its configuration) and "changes" (what it would
    // change on the device, member by member: "key", "before", "after",
    // "secret"); otherwise nothing, and why is told.
    Q_INVOKABLE QVariantMap loadConfigBackup(QString name);
    // The alarm limits kept with the saved connection of the device shown.
    Q_INVOKABLE QVariantMap alarmLimits() const
    {
        return siteView.limitsFor(session().address().host, session().address().port);
    }
    Q_INVOKABLE bool setAlarmLimits(const QVariantMap &limits)
    {
        return siteView.setLimitsFor(session().address().host, session().address().port, limits);
    }
    // The address last given to connectToHost ("host", "port"), or the
    // device's default one.
    Q_INVOKABLE QVariantMap savedEndpoint() const;

signals:
    void pollIntervalChanged();
    void deviceChanged();
    void connectedToHost();
    void disconnectedFromHost();
    void deviceDiscovered(QVariantList info);
    void deviceSetup(int scount, QStringList units);
    void sensorSetup(int index, double min, double max);
    void deviceUpdate(bool cloud, bool modbus);
    void deviceConfig(QVariantMap config);
    void deviceInfo(QVariantMap info);
    void mqttConfig(QVariantMap config);
    void alert(QString msg);
    void amendData(QString name, QByteArray data);
    void histIntervalUpdated(int interval);

public slots:
    void connectFromList(int index);
    void connectToHost(QString host, int port);
    // The current address under `name`.
    void saveConnection(QString name);
    void saveConnectionTo(QString name, QString host, int port);
    void removeConnection(int index);
    void disconnectFromHost();
    void requestConfig() { configuration().read(); }
    void requestDevInfo() { files().readDetails(); }
    void requestReboot() { session().send(Requests::reset()); }
    void requestHistory() { deviceHistory().request(); }
    void updateConfig(QVariantMap config);
    void resetConfig();
    void setupCloud(QString id) { files().registerCloud(id); }
    void upload(QByteArray data, QString name) { files().upload(name, data); }
    // Shows the device of the site's row `row`, on the connection the site holds.
    void openFromSite(int row);
    void saveAs(QByteArray data, QString name);
    // The downloaded history as CSV, written without holding the window up.
    void saveHistory(QString name);
    // The configuration read on this connection, with a header, to a file.
    void saveConfigBackup(QString name);
    // The loaded backup's whole configuration, with `edits` on top, uploaded
    // as the device's configuration file.
    void applyConfigBackup(QVariantMap edits);
    // The loaded backup will not be applied: the question about it is gone.
    void dropConfigBackup();

private slots:
    void tcp_timer() { session().pollTick(); }
    void tcp_connected();
    void tcp_disconnected(DeviceSession::LinkEnd why, const QString &detail, bool retrying);
    void tcp_newDatagram(QByteArray data) { session().takeLine(data); }
    void tcp_connectFailed(const QString &reason);

private:
    DeviceSession &session() { return device->session(); }
    const DeviceSession &session() const { return device->session(); }
    DeviceConfiguration &configuration() { return device->configuration(); }
    DeviceReadings &readings() { return device->readings(); }
    DeviceHistory &deviceHistory() { return device->history(); }
    DeviceFiles &files() { return device->files(); }
    // Shows `handle`'s device from now on, taken up where it stands.
    // `address` is where a handle other than the window's own is (its
    // session may not have opened yet).
    void attach(DeviceHandle *handle, const DeviceAddress &address = {});
    // A device the site watches, shown on the site's connection.
    void attach(WatchedDevice *watched);
    void wire();
    void tcp_shown();
    // The window stops showing the device: its pages and readings go.
    void leaveDevice();
    void showConfig();
    void identify();
    // The configuration upload `ticket` says `done` when it has, and the
    // page then shows what the device holds.
    void tellConfigResult(quint64 ticket, const QString &done);
    void showReadings();
    // Every outcome the window tells, put into its words.
    void tell(const Outcome &outcome);
    static QString shownPath(const QString &name);
    void reportSaved(const QString &name, bool saved, const QString &error);

    // The device the window opens itself, and the one it shows (that one,
    // or one the site watches).
    DeviceHandle own;
    DeviceHandle *device = &own;
    QList<QMetaObject::Connection> wires;
    ConnectionState link;
    DeviceFinder deviceFinder;
    ConnectionsListModel connections;
    HistoryDataModel history;
    SiteView siteView;
    Type deviceType = INVALID;
    // The reason last told for failing to connect: retries repeat it silently.
    QString toldFailure;
    QVector<ChartDataProvider> charts;
    // The model the charts are of: a device back on the link keeps them.
    QString chartsModel;
    // Whether the window shows a device's pages (connected, or being
    // reconnected).
    bool showing = false;
    // The configuration of the backup file last loaded for this connection
    // (an empty one included).
    std::optional<JsonMembers> loadedBackup;
    QString loadedBackupName;
    // Uploads of the configuration file, by ticket: what each says once done
    // (an apply, a reset, a restore), where a bare upload says only "uploaded".
    QHash<quint64, QString> configResults;
    HistoryCsvWriter *historyWriter = nullptr;
};

#endif // IOTRUNNER_H
