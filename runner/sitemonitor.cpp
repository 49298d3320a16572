#include "runner/sitemonitor.h"

#include <QDateTime>

#include <algorithm>

SiteMonitor::SiteMonitor(QObject *parent)
    : QObject(parent)
    , now(&QDateTime::currentMSecsSinceEpoch)
{
    qRegisterMetaType<AlarmWatch::Change>();
    // Alarms of silence, and the ages the site shows, move with time alone.
    clockTick.setInterval(1000);
    connect(&clockTick, &QTimer::timeout, this, [this] {
        judgeAll();
        openMore();
    });
    clockTick.start();
}

SiteMonitor::~SiteMonitor() = default;

void SiteMonitor::setClock(std::function<qint64()> clock)
{
    now = std::move(clock);
}

void SiteMonitor::setPollInterval(int msec)
{
    interval = msec;
    for (const auto &device : devices)
        device->handle().session().setPollInterval(msec);
}

void SiteMonitor::setMaxConnecting(int count)
{
    maxConnecting = qMax(1, count);
    openMore();
}

void SiteMonitor::setRetryInterval(int msec)
{
    retryMsec = msec;
}

WatchedDevice *SiteMonitor::find(const DeviceAddress &address) const
{
    for (const auto &device : devices)
        if (device->address() == address)
            return device.get();
    return nullptr;
}

int SiteMonitor::indexOf(const WatchedDevice *device) const
{
    for (size_t i = 0; i < devices.size(); ++i)
        if (devices[i].get() == device)
            return int(i);
    return -1;
}

void SiteMonitor::setDevices(const QVector<Entry> &entries)
{
    std::vector<std::unique_ptr<WatchedDevice>> kept;
    for (const Entry &entry : entries) {
        // The same address twice is one device, watched once.
        const bool listed = std::any_of(kept.begin(), kept.end(),
            [&](const auto &device) { return device->address() == entry.address; });
        if (listed)
            continue;
        auto found = std::find_if(devices.begin(), devices.end(),
            [&](const auto &device) { return device && device->address() == entry.address; });
        std::unique_ptr<WatchedDevice> device;
        if (found != devices.end()) {
            device = std::move(*found);
            device->setName(entry.name);
        } else {
            device = std::make_unique<WatchedDevice>(entry.name, entry.address);
            WatchedDevice *raw = device.get();
            connect(raw, &WatchedDevice::changed, this, [this, raw] {
                const int index = indexOf(raw);
                if (index >= 0)
                    judge(index);
                // A first attempt ended: the next device's turn, not a second later.
                if (waiting)
                    openMore();
            });
        }
        device->alarms().setLimits(entry.limits);
        kept.push_back(std::move(device));
    }
    devices = std::move(kept); // those no longer listed go, their links closed
    emit devicesChanged();
    openMore();
    judgeAll();
}

void SiteMonitor::openMore()
{
    const qint64 at = now();
    int starting = int(std::count_if(devices.begin(), devices.end(),
        [at](const auto &device) { return device->isStarting(at); }));
    waiting = false;
    for (const auto &device : devices) {
        if (device->isOpen())
            continue;
        if (starting >= maxConnecting) {
            waiting = true;
            break;
        }
        device->open(interval, retryMsec);
        ++starting;
    }
}

void SiteMonitor::judge(int index)
{
    WatchedDevice *device = devices.at(size_t(index)).get();
    AlarmWatch::Sample sample { device->temperature(), device->humidity(), device->readingTime(),
        device->mqtt(), device->mqttKnown() };
    for (const AlarmWatch::Change &change : device->alarms().update(sample, now()))
        emit alarm(index, change);
    emit deviceChanged(index);
}

void SiteMonitor::judgeAll()
{
    for (int i = 0; i < count(); ++i)
        judge(i);
}
