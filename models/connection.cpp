#include "models/connection.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr char NameKey[] = "name";
constexpr char HostKey[] = "host";
constexpr char PortKey[] = "port";
} // namespace

QString Connection::toJson() const
{
    const QJsonObject object { { NameKey, name }, { HostKey, host }, { PortKey, int(port) } };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

bool Connection::fromJson(const QString &text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    if (!object.contains(NameKey) || !object.contains(HostKey) || !object.contains(PortKey))
        return false;
    name = object.value(NameKey).toString();
    host = object.value(HostKey).toString();
    // Only the low 16 bits make a port; anything else that is not a whole
    // number reads as 0.
    port = quint16(object.value(PortKey).toInt(0));
    return true;
}
