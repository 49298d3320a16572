#ifndef DEVICECONFIGURATION_H
#define DEVICECONFIGURATION_H

#include "models/configbackup.h"
#include "models/jsonmembers.h"
#include "runner/devicesession.h"

#include <QObject>
#include <QVariantMap>

#include <optional>

// The device's configuration file ("settings.cfg") on one session: read,
// changed member by member, reset to factory settings, kept as a backup and
// restored from one. The file is kept as the device wrote it, so that every
// member goes back exactly as it came.
class DeviceConfiguration : public QObject {
    Q_OBJECT

public:
    explicit DeviceConfiguration(DeviceSession *session, QObject *parent = nullptr);

    // Asks for the file; `done` hears Unusable when it is not a JSON object.
    quint64 read(QObject *context = nullptr, DeviceSession::Handler done = {});
    // The file this connection's device sent, once one could be read.
    const std::optional<JsonMembers> &file() const { return kept; }
    // `edits` over the file as read, uploaded whole. Nothing is sent (0)
    // before the file has been read: the members not edited would be lost.
    quint64 apply(
        const QVariantMap &edits, QObject *context = nullptr, DeviceSession::Handler done = {});
    quint64 factoryDefaults(QObject *context = nullptr, DeviceSession::Handler done = {});
    // `settings` with `edits` over them as the device's file. The device's
    // own file need not have been read: it is replaced whole.
    quint64 restore(const JsonMembers &settings, const QVariantMap &edits,
        QObject *context = nullptr, DeviceSession::Handler done = {});
    // The file as read, under a header naming this device, as a backup
    // keeps it; nothing before it has been read.
    std::optional<ConfigBackup> backup() const;

signals:
    // A readable file has arrived (file()).
    void received();

private:
    void take(Outcome outcome, const DeviceSession::Handler &done);

    DeviceSession *session;
    std::optional<JsonMembers> kept;
};

#endif // DEVICECONFIGURATION_H
