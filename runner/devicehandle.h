#ifndef DEVICEHANDLE_H
#define DEVICEHANDLE_H

#include "runner/deviceconfiguration.h"
#include "runner/devicefiles.h"
#include "runner/devicehistory.h"
#include "runner/devicereadings.h"
#include "runner/devicesession.h"

#include <QObject>
#include <QVariantMap>

// One device watched as the window shows it: its session, polled, with every
// feature. On each connection it asks which files the device holds and for
// its configuration; once the device has said what it is, and whenever
// polling finds nothing outstanding, for its state. The window's own device
// and each device the site monitor watches are one of these, so the window
// can show a watched device on the connection the monitor already holds.
class DeviceHandle : public QObject {
    Q_OBJECT

public:
    explicit DeviceHandle(QObject *parent = nullptr);

    DeviceSession &session() { return link; }
    const DeviceSession &session() const { return link; }
    DeviceConfiguration &configuration() { return config; }
    const DeviceConfiguration &configuration() const { return config; }
    DeviceReadings &readings() { return state; }
    DeviceHistory &history() { return records; }
    DeviceFiles &files() { return stored; }
    // The device's last answer to "dev" on this connection ("cert", "key").
    QVariantMap details() const { return lastDetails; }

signals:
    void detailsChanged();

private:
    DeviceSession link;
    DeviceConfiguration config;
    DeviceReadings state;
    DeviceHistory records;
    DeviceFiles stored;
    QVariantMap lastDetails;
};

#endif // DEVICEHANDLE_H
