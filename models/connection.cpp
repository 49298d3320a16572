#include "models/connection.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr char NameKey[] = "name";
constexpr char HostKey[] = "host";
constexpr char PortKey[] = "port";
constexpr char AlarmsKey[] = "alarms";
} // namespace

QString Connection::toJson() const
{
    QJsonObject object { { NameKey, name }, { HostKey, host }, { PortKey, int(port) } };
    if (!limits.isEmpty())
        object.insert(AlarmsKey, limits.toJson());
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
    limits = AlarmLimits::fromJson(object.value(AlarmsKey).toObject());
    return true;
}

QString Connection::withLimits(const QString &text, const AlarmLimits &limits)
{
    // Members a later version added stay as they were.
    QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    if (limits.isEmpty())
        object.remove(AlarmsKey);
    else
        object.insert(AlarmsKey, limits.toJson());
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString Connection::suggestedName(const QString &model, const QString &host)
{
    return model.isEmpty() ? host : model + QLatin1Char(' ') + host;
}
