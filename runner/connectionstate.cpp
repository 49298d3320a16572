#include "runner/connectionstate.h"

#include "app/identity.h"
#include "models/devicetext.h"

ConnectionState::ConnectionState(QObject *parent)
    : QObject(parent)
{
}

QString ConnectionState::description() const
{
    switch (current) {
    case NotConnected:
        return tr("Not connected");
    case Connecting:
        return failure.isEmpty() ? tr("Connecting to %1").arg(endpoint)
                                 : tr("Connecting to %1: %2").arg(endpoint, failure);
    case Connected:
        return tr("Connected to %1").arg(endpoint);
    case Reconnecting:
        return tr("Reconnecting to %1: %2").arg(endpoint, failure);
    }
    return {};
}

QString ConnectionState::windowTitle() const
{
    const QString name = QStringLiteral(VELTRA2_APPLICATION);
    if (current == NotConnected)
        return name;
    return board.isEmpty() ? name + QStringLiteral(" \u2014 ") + endpoint
                           : name + QStringLiteral(" \u2014 ") + board + ' ' + endpoint;
}

void ConnectionState::begin(const DeviceAddress &address)
{
    lostTime = QDateTime();
    endpoint = DeviceText::shown(address.toString(), DeviceText::NameLimit + 8);
    board.clear();
    set(Connecting, {});
}

void ConnectionState::answered()
{
    if (answeredState)
        return;
    answeredState = true;
    lostTime = QDateTime();
    emit changed();
}

void ConnectionState::connected()
{
    set(Connected, {});
}

void ConnectionState::identified(const QString &model)
{
    board = DeviceText::shown(model, DeviceText::NameLimit);
    emit changed();
}

void ConnectionState::lost(const QString &why, bool retrying)
{
    // The first loss is the one the operator is told of, until the device
    // answers again.
    if (!retrying)
        lostTime = QDateTime();
    else if (!lostTime.isValid())
        lostTime = QDateTime::currentDateTime();
    set(retrying ? Reconnecting : NotConnected, retrying ? why : QString());
}

void ConnectionState::attemptFailed(const QString &why)
{
    if (current == Connecting || current == Reconnecting)
        set(current, why);
}

void ConnectionState::stopped()
{
    lostTime = QDateTime();
    set(NotConnected, {});
}

void ConnectionState::set(State state, const QString &why)
{
    const QString shown = DeviceText::shown(why, DeviceText::ValueLimit);
    if (state == current && shown == failure)
        return;
    const bool moved = state != current;
    // A new state of the link is a link not yet heard from.
    if (moved)
        answeredState = false;
    current = state;
    failure = shown;
    emit changed();
    if (moved)
        emit announced(description());
}
