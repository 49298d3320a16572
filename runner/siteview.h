#ifndef SITEVIEW_H
#define SITEVIEW_H

#include "models/alarmlogmodel.h"
#include "models/sitemodel.h"
#include "runner/sitemonitor.h"

#include <QObject>
#include <QSortFilterProxyModel>
#include <QVariantMap>

class ConnectionsListModel;
class DesktopNotifier;
class DeviceHandle;

// The site as the window shows it: every saved connection watched, in a
// table that lists problems first, with the alarms raised and cleared, told
// on the desktop as they are raised. Limits are kept with the saved
// connections.
class SiteView : public QObject {
    Q_OBJECT
    Q_PROPERTY(QSortFilterProxyModel *devices READ devices CONSTANT)
    Q_PROPERTY(AlarmLogModel *alarms READ alarms CONSTANT)
    Q_PROPERTY(bool watching READ isWatching NOTIFY watchingChanged)
    Q_PROPERTY(int deviceCount READ deviceCount NOTIFY countsChanged)
    Q_PROPERTY(int problemCount READ problemCount NOTIFY countsChanged)
    // The last alarm raised, in words, for a screen reader to say.
    Q_PROPERTY(QString lastAlarm READ lastAlarm NOTIFY alarmRaised)

public:
    SiteView(ConnectionsListModel *connections, QObject *parent = nullptr);
    ~SiteView() override;

    QSortFilterProxyModel *devices() { return &sorted; }
    AlarmLogModel *alarms() { return &log; }
    SiteMonitor *monitor() { return &watch; }
    bool isWatching() const { return watching; }
    int deviceCount() const { return watch.count(); }
    int problemCount() const { return table.problems(); }
    QString lastAlarm() const { return lastRaised; }

    // Starts watching every saved connection (and remembers to, next time).
    Q_INVOKABLE void start();
    // Lets every device go (another program may want its one connection)
    // and forgets to watch next time.
    Q_INVOKABLE void stop();
    Q_INVOKABLE void setFilter(const QString &text);
    // The row's device, for the window to show on the monitor's connection.
    WatchedDevice *device(int row);
    // The watched device at this address, if any.
    WatchedDevice *deviceAt(const QString &host, int port);
    Q_INVOKABLE QString nameAt(int row) const;
    // The row's limits: "temperatureLow" … "silentSeconds" (absent where
    // unset), "mqttRequired".
    Q_INVOKABLE QVariantMap limitsAt(int row) const;
    Q_INVOKABLE bool setLimitsAt(int row, const QVariantMap &limits);
    // The limits of the saved connection at this address.
    Q_INVOKABLE QVariantMap limitsFor(const QString &host, int port) const;
    Q_INVOKABLE bool setLimitsFor(const QString &host, int port, const QVariantMap &limits);
    Q_INVOKABLE bool exportAlarms(const QString &urlOrPath);

signals:
    void watchingChanged();
    void countsChanged();
    void alarmRaised(const QString &text);
    void told(const QString &text);

private:
    void resync();
    int connectionOf(const QString &host, int port) const;
    int monitorRow(int row) const;

    ConnectionsListModel *connections;
    SiteMonitor watch;
    SiteModel table;
    QSortFilterProxyModel sorted;
    AlarmLogModel log;
    DesktopNotifier *notifier;
    bool watching = false;
    QString lastRaised;
};

#endif // SITEVIEW_H
