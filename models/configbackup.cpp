#include "models/configbackup.h"

#include "models/configchoices.h"
#include "models/devicetext.h"
#include "models/operatorfile.h"
#include "models/outputfile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

#include <algorithm>

namespace {
constexpr char FormatKey[] = "format";
constexpr char VersionKey[] = "version";
constexpr char ModelKey[] = "model";
constexpr char FirmwareKey[] = "firmware";
constexpr char FirmwareVersionKey[] = "version";
constexpr char FirmwareBuildKey[] = "build";
constexpr char AddressKey[] = "address";
constexpr char SavedKey[] = "saved";
constexpr char SettingsKey[] = "settings";

// A number as the device wrote it: Qt would show a long one rounded.
QString shownValue(const JsonMembers &members, const QString &key)
{
    const QJsonValue value = members.value(key);
    return DeviceText::shown(
        value.isDouble() ? QJsonValue(QString::fromUtf8(members.text(key))) : value,
        DeviceText::ValueLimit);
}

bool isSecret(const QString &key)
{
    return key.contains(QLatin1String("pwd"), Qt::CaseInsensitive)
        || key.contains(QLatin1String("pass"), Qt::CaseInsensitive);
}
} // namespace

QByteArray ConfigBackup::toJson(bool indented) const
{
    const QJsonObject header {
        { FormatKey, QLatin1String(FormatName) },
        { VersionKey, FormatVersion },
        { ModelKey, model },
        { FirmwareKey,
            QJsonObject {
                { FirmwareVersionKey, firmwareVersion }, { FirmwareBuildKey, firmwareBuild } } },
        { AddressKey, address },
        { SavedKey, saved.toString(Qt::ISODate) },
    };
    // The settings go in as the device wrote them, not as Qt would read
    // them: a number of twenty digits stays what it was.
    if (!indented) {
        QByteArray text = QJsonDocument(header).toJson(QJsonDocument::Compact);
        text.chop(1); // the closing brace
        return text + ",\"" + SettingsKey + "\":" + JsonMembers::minified(settings.toJson()) + '}';
    }
    QByteArray text = QJsonDocument(header).toJson(QJsonDocument::Indented).trimmed();
    text.chop(1); // the closing brace
    while (text.endsWith('\n') || text.endsWith(' '))
        text.chop(1);
    return text + ",\n    \"" + SettingsKey + "\": " + settings.toIndentedJson(1) + "\n}\n";
}

bool ConfigBackup::save(const QString &path, QString *error) const
{
    const QByteArray text = toJson();
    if (text.size() > MaxFileSize) {
        *error = tr("The configuration is larger than %1: it could not be restored")
                     .arg(OperatorFile::size(MaxFileSize));
        return false;
    }
    return OutputFile::save(path, text, OutputFile::Access::OwnerOnly, error);
}

bool ConfigBackup::load(const QString &path, const QString &expectedModel, QString *error)
{
    if (!read(path, error))
        return false;
    if (model.compare(expectedModel, Qt::CaseInsensitive) != 0) {
        *error = tr("The file is for %1, not for %2")
                     .arg(DeviceText::shown(model, DeviceText::NameLimit), expectedModel);
        return false;
    }
    return true;
}

bool ConfigBackup::read(const QString &path, QString *error)
{
    OperatorFile::Failure failure;
    QString why;
    const auto data = OperatorFile::read(path, MaxFileSize, &failure, &why);
    if (!data) {
        *error = failure == OperatorFile::Failure::TooLarge
            ? tr("The file is larger than %1: it is no configuration").arg(why)
            : tr("The file cannot be read");
        return false;
    }
    const auto top = JsonMembers::read(*data);
    if (!top) {
        *error = tr("The file is not readable JSON");
        return false;
    }
    const QJsonObject content = top->toObject();
    const auto members = JsonMembers::read(top->text(SettingsKey));
    if (content.value(FormatKey).toString() != QLatin1String(FormatName) || !members) {
        *error = tr("The file is not a VELTRA2 configuration");
        return false;
    }
    // The version as the file holds it: a number, or a number written as text.
    const QJsonValue version = content.value(VersionKey);
    if ((version.isString() ? version.toString().toInt() : version.toInt()) != FormatVersion) {
        *error = tr("The file is of format version %1; this program reads version %2")
                     .arg(DeviceText::shown(content.value(VersionKey), DeviceText::NameLimit))
                     .arg(FormatVersion);
        return false;
    }
    const QJsonObject firmware = content.value(FirmwareKey).toObject();
    model = content.value(ModelKey).toString();
    firmwareVersion = firmware.value(FirmwareVersionKey).toString();
    firmwareBuild = firmware.value(FirmwareBuildKey).toString();
    address = content.value(AddressKey).toString();
    saved = QDateTime::fromString(content.value(SavedKey).toString(), Qt::ISODate);
    settings = *members;
    // The header is kept even so: the caller learns whose backup it was.
    *error = checkKnownMembers(settings);
    return error->isEmpty();
}

QString ConfigBackup::checkKnownMembers(const JsonMembers &settings)
{
    for (const QString &key : ConfigChoices::editedKeys()) {
        if (!settings.contains(key))
            continue;
        const QJsonValue value = settings.value(key);
        const QStringList offered = ConfigChoices::values(key);
        // A mode is one of the offered choices; a name or a password, text.
        if (value.isString() && (offered.isEmpty() || offered.contains(value.toString())))
            continue;
        return tr("The file's %1 is %2, which a device does not take")
            .arg(key, DeviceText::shown(value, DeviceText::NameLimit));
    }
    return {};
}

QList<ConfigBackup::Change> ConfigBackup::changes(
    const JsonMembers &current, const JsonMembers &wanted, int *more)
{
    // Each side read once: a file may hold tens of thousands of members.
    const QJsonObject before = current.toObject();
    const QJsonObject after = wanted.toObject();
    QStringList keys = before.keys() + after.keys();
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    QList<Change> out;
    int left = 0;
    for (const QString &key : qAsConst(keys)) {
        const QJsonValue was = before.value(key);
        const QJsonValue will = after.value(key);
        // Two long numbers Qt reads alike may still differ as written.
        if (was == will && (!was.isDouble() || current.text(key) == wanted.text(key)))
            continue;
        if (out.size() == ShownChanges) {
            ++left;
            continue;
        }
        // A name is shown cut, like a value: a file may hold a name of megabytes.
        const QString name = DeviceText::shown(key, DeviceText::NameLimit);
        if (isSecret(key))
            out.append({ name, {}, {}, true });
        else
            out.append({ name, shownValue(current, key), shownValue(wanted, key), false });
    }
    if (more)
        *more = left;
    return out;
}

QVariantList ConfigBackup::toVariantList(const QList<Change> &changes)
{
    QVariantList out;
    for (const Change &c : changes)
        out.append(
            QVariantMap { { QStringLiteral("key"), c.key }, { QStringLiteral("before"), c.before },
                { QStringLiteral("after"), c.after }, { QStringLiteral("secret"), c.secret } });
    return out;
}
