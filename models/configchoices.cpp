#include "models/configchoices.h"

#include "link/protocol.h"

#include <QCoreApplication>
#include <QVariantMap>

namespace {

struct Choice {
    const char *key;
    const char *value;
    const char *label;
};

// The labels are the configuration page's texts, translated there.
const Choice Choices[] = {
    { Protocol::SysMode, "web", QT_TRANSLATE_NOOP("ConfigPage", "Web Server") },
    { Protocol::SysMode, "mqtt", QT_TRANSLATE_NOOP("ConfigPage", "Cloud/MQTT") },
    { Protocol::SysMode, "tcp", QT_TRANSLATE_NOOP("ConfigPage", "TCP Server") },
    { Protocol::NetMode, "if", QT_TRANSLATE_NOOP("ConfigPage", "Infrastructure") },
    { Protocol::NetMode, "ap", QT_TRANSLATE_NOOP("ConfigPage", "Access Point") },
    { Protocol::NetAuth, "open", QT_TRANSLATE_NOOP("ConfigPage", "Open Network") },
    { Protocol::NetAuth, "wep", QT_TRANSLATE_NOOP("ConfigPage", "WEP") },
    { Protocol::NetAuth, "wpa", QT_TRANSLATE_NOOP("ConfigPage", "WPA") },
    { Protocol::NetAuth, "wpa2", QT_TRANSLATE_NOOP("ConfigPage", "WPA2") },
    { Protocol::NetAuth, "wpa-wpa2", QT_TRANSLATE_NOOP("ConfigPage", "WPA/WPA2") },
};

} // namespace

QStringList ConfigChoices::editedKeys()
{
    return { Protocol::SysMode, Protocol::NetMode, Protocol::NetSsid, Protocol::NetPwd,
        Protocol::NetAuth };
}

QStringList ConfigChoices::values(const QString &key)
{
    QStringList found;
    for (const Choice &choice : Choices) {
        if (key == QLatin1String(choice.key))
            found << QString::fromLatin1(choice.value);
    }
    return found;
}

QVariantList ConfigChoices::choices(const QString &key)
{
    QVariantList found;
    for (const Choice &choice : Choices) {
        if (key == QLatin1String(choice.key))
            found << QVariantMap { { QStringLiteral("key"), QString::fromLatin1(choice.label) },
                { QStringLiteral("value"), QString::fromLatin1(choice.value) } };
    }
    return found;
}
