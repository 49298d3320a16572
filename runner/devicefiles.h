#ifndef DEVICEFILES_H
#define DEVICEFILES_H

#include "runner/devicesession.h"

#include <QObject>
#include <QVariantMap>

// Files kept on the device and its cloud client on one session: uploads
// (the MQTT certificate and key among them), which of those it holds, and
// registration with the cloud.
class DeviceFiles : public QObject {
    Q_OBJECT

public:
    explicit DeviceFiles(DeviceSession *session, QObject *parent = nullptr);

    quint64 upload(const QString &name, const QByteArray &data, QObject *context = nullptr,
        DeviceSession::Handler done = {});
    quint64 registerCloud(
        const QString &id, QObject *context = nullptr, DeviceSession::Handler done = {});
    // Asks which files the device holds ("cert", "key").
    quint64 readDetails(QObject *context = nullptr, DeviceSession::Handler done = {});

private:
    DeviceSession *session;
};

#endif // DEVICEFILES_H
