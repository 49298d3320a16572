#include "runner/devicefiles.h"

#include "link/requests.h"

DeviceFiles::DeviceFiles(DeviceSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
{
}

quint64 DeviceFiles::upload(
    const QString &name, const QByteArray &data, QObject *context, DeviceSession::Handler done)
{
    return session->upload(name, data, context, std::move(done));
}

quint64 DeviceFiles::registerCloud(const QString &id, QObject *context, DeviceSession::Handler done)
{
    return session->send(Requests::scloud(id), context, std::move(done));
}

quint64 DeviceFiles::readDetails(QObject *context, DeviceSession::Handler done)
{
    return session->send(Requests::dev(), context, std::move(done));
}
