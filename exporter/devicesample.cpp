#include "exporter/devicesample.h"

#include "runner/watcheddevice.h"

DeviceSample DeviceSample::of(const WatchedDevice &device)
{
    DeviceSample sample;
    sample.address = device.address().toString();
    sample.name = device.name();
    sample.model = device.model();
    sample.firmware = device.firmware();
    sample.up = device.link() == WatchedDevice::Link::Connected && !sample.model.isEmpty();
    switch (device.link()) {
    case WatchedDevice::Link::Connecting:
        sample.link = QStringLiteral("connecting");
        break;
    case WatchedDevice::Link::Connected:
        sample.link = QStringLiteral("connected");
        break;
    case WatchedDevice::Link::Reconnecting:
        sample.link = QStringLiteral("reconnecting");
        break;
    case WatchedDevice::Link::NotADevice:
        sample.link = QStringLiteral("not_a_device");
        break;
    }
    sample.temperature = device.temperature();
    sample.humidity = device.humidity();
    sample.readAt = device.readingTime();
    sample.flagsKnown = device.mqttKnown();
    sample.mqtt = device.mqtt();
    sample.modbus = device.modbus();
    sample.cloudClient = device.cloudClient();
    sample.rssi = device.rssi();
    sample.uptime = device.uptime();
    return sample;
}
