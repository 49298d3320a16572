#include "exporter/deviceprobe.h"

#include "runner/watcheddevice.h"

DeviceProbe::DeviceProbe(const DeviceAddress &address, int msec, Done done, QObject *parent)
    : QObject(parent)
    , device(std::make_unique<WatchedDevice>(QString(), address))
    , limitMsec(msec)
    , done(std::move(done))
{
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, &DeviceProbe::finish);
    connect(device.get(), &WatchedDevice::changed, this, &DeviceProbe::check);
}

DeviceProbe::~DeviceProbe() = default;

void DeviceProbe::start()
{
    clock.start();
    deadline.start(limitMsec);
    // One attempt: a probe that cannot connect says so, it does not retry
    // until the scrape gives up.
    device->open(limitMsec, limitMsec);
}

void DeviceProbe::check()
{
    const bool read = device->readingTime() > 0;
    const bool refused = !device->failure().isEmpty();
    const bool notADevice = device->link() == WatchedDevice::Link::NotADevice;
    if (read || refused || notADevice)
        finish();
}

void DeviceProbe::finish()
{
    if (finished)
        return;
    finished = true;
    deadline.stop();
    const DeviceSample sample = DeviceSample::of(*device);
    done(sample, sample.up && sample.readAt > 0, clock.nsecsElapsed() / 1e9);
    deleteLater();
}
