#ifndef CONFIGCHOICES_H
#define CONFIGCHOICES_H

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

// The members of the device's configuration that the program edits, and
// the values it offers for those that take one of a few: the configuration
// page shows them and veltra2ctl checks what a script sets against them.
class ConfigChoices {
public:
    // The five members, in the page's order.
    static QStringList editedKeys();
    // The values offered for `key`, in the page's order; empty for a
    // member edited as free text.
    static QStringList values(const QString &key);
    // The same as {"key": label, "value": value}, each label untranslated
    // (the page translates it in its own context).
    static QVariantList choices(const QString &key);

    // What a device cannot take in the members it is given: a network name
    // of 1 to 32 bytes, and with WPA a passphrase of 8 to 63 characters.
    enum class Problem { None, NoNetworkName, NetworkNameTooLong, PassphraseLength };
    // `settings` as they would be on the device; members absent are not judged.
    static Problem check(const QVariantMap &settings);
};

#endif // CONFIGCHOICES_H
