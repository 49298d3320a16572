#include "link/requests.h"

#include "link/protocol.h"

using namespace Protocol;

QJsonObject Requests::info()
{
    return { { Query, Info } };
}

QJsonObject Requests::dev()
{
    return { { Query, Dev } };
}

QJsonObject Requests::state()
{
    return { { Query, State } };
}

QJsonObject Requests::reset()
{
    return { { Query, Reset } };
}

QJsonObject Requests::history()
{
    return { { Query, History } };
}

QJsonObject Requests::get(const QString &name)
{
    return { { Query, Get }, { Name, name } };
}

QJsonObject Requests::scloud(const QString &id)
{
    return { { Query, Scloud }, { Id, id } };
}

QJsonObject Requests::put(const QString &name, qint64 size)
{
    return { { Query, Put }, { Name, name }, { Size, size } };
}
