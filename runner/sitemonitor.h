#ifndef SITEMONITOR_H
#define SITEMONITOR_H

#include "runner/alarmwatch.h"
#include "runner/watcheddevice.h"

#include <QObject>
#include <QTimer>
#include <QVector>

#include <memory>
#include <vector>

// Watches a site: every device listed, one session each, polled at the
// normal period, with its alarms judged as readings come and as time passes.
// Devices are connected a few at a time, so a site of hundreds does not ask
// hundreds of connections at once. No window is needed: the window's site
// page and the exporter both stand on it.
class SiteMonitor : public QObject {
    Q_OBJECT

public:
    struct Entry {
        QString name;
        DeviceAddress address;
        AlarmLimits limits;
    };

    static constexpr int DefaultConnecting = 16;

    explicit SiteMonitor(QObject *parent = nullptr);
    ~SiteMonitor() override;

    // The devices to watch: those already watched at an address listed keep
    // their session (and name and limits are taken anew); the rest go.
    void setDevices(const QVector<Entry> &entries);
    int count() const { return int(devices.size()); }
    WatchedDevice *device(int index) const { return devices.at(size_t(index)).get(); }
    // The device watched at `address`, or none.
    WatchedDevice *find(const DeviceAddress &address) const;
    int indexOf(const WatchedDevice *device) const;

    void setPollInterval(int msec);
    int pollInterval() const { return interval; }
    // At most this many connection attempts under way at once.
    void setMaxConnecting(int count);
    void setRetryInterval(int msec);
    // Where "now" comes from for the alarms; the system clock by default.
    void setClock(std::function<qint64()> clock);

signals:
    void deviceChanged(int index);
    void devicesChanged();
    void alarm(int index, AlarmWatch::Change change);

private:
    void openMore();
    void judge(int index);
    void judgeAll();

    std::vector<std::unique_ptr<WatchedDevice>> devices;
    int interval = DeviceSession::DefaultPollInterval;
    int retryMsec = 0;
    int maxConnecting = DefaultConnecting;
    // Whether some device is still waiting for its turn to connect.
    bool waiting = false;
    QTimer clockTick;
    std::function<qint64()> now;
};

Q_DECLARE_METATYPE(AlarmWatch::Change)

#endif // SITEMONITOR_H
