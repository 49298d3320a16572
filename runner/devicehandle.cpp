#include "runner/devicehandle.h"

#include "link/protocol.h"

DeviceHandle::DeviceHandle(QObject *parent)
    : QObject(parent)
    , link(this)
    , config(&link, this)
    , state(&link, this)
    , records(&link, this)
    , stored(&link, this)
{
    link.setPolling(true);
    connect(&link, &DeviceSession::connected, this, [this] {
        lastDetails.clear();
        stored.readDetails();
        config.read();
    });
    connect(&link, &DeviceSession::identified, this, [this] { state.request(); });
    connect(&link, &DeviceSession::pollDue, this, [this] { state.request(); });
    connect(&link, &DeviceSession::ended, this, [this](const Outcome &outcome) {
        if (outcome.ok() && outcome.query() == QLatin1String(Protocol::Dev)) {
            lastDetails = outcome.reply.toVariantMap();
            emit detailsChanged();
        }
    });
}
