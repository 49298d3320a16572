#ifndef IOTRUNNER_H
#define IOTRUNNER_H

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>
#include <QVector>

#include <optional>

#include "models/chartdataprovider.h"
#include "models/configbackup.h"
#include "models/connectionslistmodel.h"
#include "models/devicetext.h"
#include "models/historydatamodel.h"
#include "models/variantmapmodel.h"
#include "runner/connectionstate.h"
#include "runner/devicefinder.h"

class HistoryCsvWriter;
class QJsonDocument;
class QThread;
class TcpSocketClient;

// The one object through which the user interface reaches the device: it owns
// the link and the poll timer, turns user actions into requests and replies
// into signals and messages.
class IOTRunner : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(ConnectionState *connection READ connection CONSTANT)
    Q_PROPERTY(DeviceFinder *finder READ finder CONSTANT)
    Q_PROPERTY(int pollInterval READ pollInterval NOTIFY pollIntervalChanged)

public:
    enum Type { INVALID = -1, VELTRA_2U = 0, VELTRA_2W = 1 };
    Q_ENUM(Type)

    static constexpr int DefaultPollInterval = 5000;

    explicit IOTRunner(QObject *parent = nullptr);
    ~IOTRunner() override;

    // Tests shorten the poll and retry periods; the program keeps the defaults.
    void setPollInterval(int msec);
    void setRetryInterval(int msec);
    int pollInterval() const { return pollTimer.interval(); }
    ConnectionState *connection() { return &link; }
    DeviceFinder *finder() { return &deviceFinder; }
    // The device this runner is connected to and has identified, as a
    // search would list it.
    std::optional<FoundDevice> openDevice() const;
    // The configuration read on this connection, as a backup would keep it;
    // nothing before it has been read.
    std::optional<ConfigBackup> configBackup() const;

    Q_INVOKABLE ChartDataProvider *chartData(int index);
    Q_INVOKABLE QString version() const;
    // A value a device sent, as a short line of plain text: a text as it
    // stands, anything else as JSON.
    Q_INVOKABLE QString shownValue(const QVariant &value) const;
    // What sensor `index` of the connected model measures, in words.
    Q_INVOKABLE QString sensorName(int index) const;
    Q_INVOKABLE bool validateDrop(QString filename, QByteArray data);
    // The values offered for a configuration member, with their labels.
    Q_INVOKABLE QVariantList configChoices(const QString &key) const;
    // What `data` becomes on the device as `filename`: a certificate or key
    // in DER, converted from PEM where it has to be (`converted` says so);
    // other files as they are. Nothing, with the reason in `error`, for a
    // certificate or key that is neither.
    static std::optional<QByteArray> deviceFile(
        const QString &filename, const QByteArray &data, bool *converted, QString *error);
    Q_INVOKABLE ConnectionsListModel *connListModel();
    Q_INVOKABLE VariantMapModel *stateTableModel();
    Q_INVOKABLE HistoryDataModel *historyModel();
    Q_INVOKABLE bool isUrlReadable(QString str) const;
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
    // The address last given to connectToHost ("host", "port"), or the
    // device's default one.
    Q_INVOKABLE QVariantMap savedEndpoint() const;

signals:
    void pollIntervalChanged();
    void connectedToHost();
    void disconnectedFromHost();
    void deviceDiscovered(QString info);
    void deviceSetup(int scount, QStringList units);
    void sensorSetup(int index, double min, double max);
    void deviceUpdate(bool cloud, bool modbus);
    void deviceConfig(QVariantMap config);
    void deviceInfo(QVariantMap info);
    void mqttConfig(QVariantMap config);
    void alert(QString msg);
    void amendData(QString name, QByteArray data);
    void histIntervalUpdated(int interval);
    // Each reply, paired with its request, once handled: `error` is the
    // device's own error text, empty when it did what was asked. What a
    // script drives waits on this rather than on the notifications.
    void replied(QJsonObject request, QJsonObject reply, QString error);
    // A file the runner was asked to write is written (or not, and why).
    void fileSaved(QString path, bool saved, QString error);

public slots:
    void connectFromList(int index);
    void connectToHost(QString host, int port);
    // Like connectToHost(), leaving the address kept for the next start
    // alone: a script's devices are not the window's.
    void openLink(QString host, int port);
    // The current address under `name`.
    void saveConnection(QString name);
    void saveConnectionTo(QString name, QString host, int port);
    void removeConnection(int index);
    void disconnectFromHost();
    void requestConfig();
    void requestDevInfo();
    void requestReboot();
    void requestHistory();
    void updateConfig(QVariantMap config);
    void resetConfig();
    void setupCloud(QString id);
    void upload(QByteArray data, QString name);
    void saveAs(QByteArray data, QString name);
    // The downloaded history as CSV, written without holding the window up.
    void saveHistory(QString name);
    // The configuration read on this connection, with a header, to a file.
    void saveConfigBackup(QString name);
    // The loaded backup's whole configuration, with `edits` on top, uploaded
    // as the device's configuration file.
    void applyConfigBackup(QVariantMap edits);

private slots:
    void tcp_timer();
    void tcp_connected();
    void tcp_disconnected();
    void tcp_newDatagram(QByteArray data);
    void tcp_connectFailed(QString reason);

private:
    bool isConnected() const;
    void send(const QJsonObject &request);
    void identify(const QJsonObject &reply);
    void take(const QByteArray &data);
    void handleLine(const QByteArray &data, const QJsonDocument &doc);
    // The requests of a link that has ended, and whatever answers them.
    void forgetRequests();
    void refuseDevice(const QString &board);
    // Ends the link for `why`; it is tried again while started.
    void dropLink(const QString &why);
    void releaseHeapSoon();
    // A device text inside a rich-text message: cut, then escaped.
    static QString shownInMessage(const QString &deviceText, int limit = DeviceText::NameLimit);
    void handleState(const QJsonObject &reply);
    static double reading(const QJsonValue &value);
    static QString localPath(const QString &name);
    static QString shownPath(const QString &name);
    void reportSaved(const QString &name, bool saved, const QString &error);
    void handleConfig(const QJsonObject &reply);
    void handleUploaded(const QJsonObject &request);
    void handleCloud();
    void handleHistory(const QJsonObject &reply);
    void handleReboot();

    QTimer pollTimer;
    ConnectionState link;
    DeviceFinder deviceFinder;
    // Why the runner itself is ending the link, for when it has ended.
    QString dropReason;
    // Consecutive poll ticks that found requests still unanswered.
    int staleTicks = 0;
    ConnectionsListModel connections;
    VariantMapModel stateTable;
    HistoryDataModel history;
    TcpSocketClient *client = nullptr;
    QList<QJsonObject> pendingRequests;
    Type deviceType = INVALID;
    QJsonObject configObject;
    // Whether configObject holds a file this connection's device sent.
    bool configReceived = false;
    // The reason last told for failing to connect: retries repeat it silently.
    QString toldFailure;
    QVector<ChartDataProvider> charts;
    // The identified model's name, and the columns of the history last loaded.
    QString model;
    QString firmwareVersion;
    QString firmwareBuild;
    QStringList historyColumns;
    // The configuration of the backup file last loaded for this connection
    // (an empty one included).
    std::optional<QJsonObject> loadedBackup;
    HistoryCsvWriter *historyWriter = nullptr;
    // Whether the last reply was large, and whether freed memory is about to
    // be given back.
    bool largeReplyHeld = false;
    bool heapReleaseDue = false;
    // A long reply read away from the window's thread, the lines that came
    // after it, and the link it belongs to.
    QThread *parser = nullptr;
    QList<QByteArray> waitingLines;
    int linkSerial = 0;
};

#endif // IOTRUNNER_H
