#ifndef SAMPLESTORE_H
#define SAMPLESTORE_H

#include "exporter/devicesample.h"

#include <QVector>

#include <mutex>
#include <optional>

// The watched devices as last seen, shared between the thread that watches
// them and the threads that answer scrapes: each side holds the lock only to
// copy, so a slow scrape never holds up a device.
class SampleStore {
public:
    void resize(int count);
    void set(int index, const DeviceSample &sample);
    QVector<DeviceSample> all() const;
    // The device watched at `address` ("host:port" as DeviceAddress writes it).
    std::optional<DeviceSample> find(const QString &address) const;

private:
    mutable std::mutex lock;
    QVector<DeviceSample> samples;
};

#endif // SAMPLESTORE_H
