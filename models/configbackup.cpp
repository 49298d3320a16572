#include "models/configbackup.h"

#include "models/devicetext.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

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

bool isSecret(const QString &key)
{
    return key.contains(QLatin1String("pwd"), Qt::CaseInsensitive)
        || key.contains(QLatin1String("pass"), Qt::CaseInsensitive);
}
} // namespace

QString ConfigBackup::defaultFileName(const QString &model, const QString &host, const QDate &day)
{
    QString name = QStringLiteral("%1_%2_%3.json").arg(model, host, day.toString(Qt::ISODate));
    // An IPv6 address or a host name must not make a path of the name.
    for (QChar &c : name) {
        if (c == '/' || c == '\\' || c == ':')
            c = '-';
    }
    return name;
}

QByteArray ConfigBackup::toJson() const
{
    const QJsonObject file {
        { FormatKey, QLatin1String(FormatName) },
        { VersionKey, FormatVersion },
        { ModelKey, model },
        { FirmwareKey,
            QJsonObject {
                { FirmwareVersionKey, firmwareVersion }, { FirmwareBuildKey, firmwareBuild } } },
        { AddressKey, address },
        { SavedKey, saved.toString(Qt::ISODate) },
        { SettingsKey, settings },
    };
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

bool ConfigBackup::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QByteArray data = toJson();
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

bool ConfigBackup::load(const QString &path, const QString &expectedModel, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = tr("The file cannot be read");
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = tr("The file is larger than 1 MiB: it is no configuration");
        return false;
    }
    QJsonParseError parsed;
    const QJsonObject content = QJsonDocument::fromJson(file.readAll(), &parsed).object();
    if (parsed.error != QJsonParseError::NoError || content.isEmpty()) {
        *error = tr("The file is not readable JSON");
        return false;
    }
    if (content.value(FormatKey).toString() != QLatin1String(FormatName)
        || !content.value(SettingsKey).isObject()) {
        *error = tr("The file is not a VELTRA2 configuration");
        return false;
    }
    if (content.value(VersionKey).toInt() != FormatVersion) {
        *error = tr("The file is of format version %1; this program reads version %2")
                     .arg(DeviceText::shown(content.value(VersionKey), DeviceText::NameLimit))
                     .arg(FormatVersion);
        return false;
    }
    const QString fileModel = content.value(ModelKey).toString();
    if (fileModel.compare(expectedModel, Qt::CaseInsensitive) != 0) {
        *error = tr("The file is for %1, not for %2")
                     .arg(DeviceText::shown(fileModel, DeviceText::NameLimit), expectedModel);
        return false;
    }
    const QJsonObject firmware = content.value(FirmwareKey).toObject();
    model = fileModel;
    firmwareVersion = firmware.value(FirmwareVersionKey).toString();
    firmwareBuild = firmware.value(FirmwareBuildKey).toString();
    address = content.value(AddressKey).toString();
    saved = QDateTime::fromString(content.value(SavedKey).toString(), Qt::ISODate);
    settings = content.value(SettingsKey).toObject();
    return true;
}

QList<ConfigBackup::Change> ConfigBackup::changes(
    const QJsonObject &current, const QJsonObject &wanted)
{
    QStringList keys = current.keys() + wanted.keys();
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    QList<Change> out;
    for (const QString &key : qAsConst(keys)) {
        const QJsonValue before = current.value(key);
        const QJsonValue after = wanted.value(key);
        if (before == after)
            continue;
        if (isSecret(key))
            out.append({ key, {}, {}, true });
        else
            out.append({ key, DeviceText::shown(before, DeviceText::ValueLimit),
                DeviceText::shown(after, DeviceText::ValueLimit), false });
    }
    return out;
}
