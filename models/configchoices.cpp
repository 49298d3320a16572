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

ConfigChoices::Problem ConfigChoices::check(const QVariantMap &settings)
{
    // What the Wi-Fi standards allow: an SSID is at most 32 octets, a WPA
    // passphrase 8 to 63 characters.
    if (settings.contains(Protocol::NetSsid)) {
        const QByteArray ssid = settings.value(Protocol::NetSsid).toString().toUtf8();
        if (ssid.isEmpty())
            return Problem::NoNetworkName;
        if (ssid.size() > 32)
            return Problem::NetworkNameTooLong;
    }
    const QString auth = settings.value(Protocol::NetAuth).toString();
    if (settings.contains(Protocol::NetPwd) && auth.startsWith(QLatin1String("wpa"))) {
        const int length = settings.value(Protocol::NetPwd).toString().size();
        if (length < 8 || length > 63)
            return Problem::PassphraseLength;
    }
    return Problem::None;
}
