#ifndef DEVICEPROBE_H
#define DEVICEPROBE_H

#include "exporter/devicesample.h"
#include "link/deviceaddress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class WatchedDevice;

// One device asked once, at scrape time: connected, identified, its state
// read, then let go. It ends with what was learnt by then, at the latest
// when its time is up; a device that is none, or cannot be reached, ends it
// at once.
class DeviceProbe : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const DeviceSample &sample, bool answered, double seconds)>;

    DeviceProbe(const DeviceAddress &address, int msec, Done done, QObject *parent = nullptr);
    ~DeviceProbe() override;

    void start();

private:
    void check();
    void finish();

    std::unique_ptr<WatchedDevice> device;
    int limitMsec;
    Done done;
    QTimer deadline;
    QElapsedTimer clock;
    bool finished = false;
};

#endif // DEVICEPROBE_H
