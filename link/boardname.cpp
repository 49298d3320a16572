#include "boardname.h"

#include "link/protocol.h"

QString BoardName::model(const QJsonValue &board)
{
    const QString lowered = board.toString().toLower();
    if (lowered == QLatin1String(Protocol::BoardWired)
        || lowered == QLatin1String(Protocol::BoardWifi))
        return lowered;
    return {};
}
