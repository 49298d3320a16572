#include "runner/deviceconfiguration.h"

#include "link/protocol.h"
#include "link/requests.h"

#include <QDateTime>

DeviceConfiguration::DeviceConfiguration(DeviceSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
{
    // What was kept belongs to the device it came from; this may be another.
    connect(session, &DeviceSession::connected, this, [this] { kept.reset(); });
}

quint64 DeviceConfiguration::read(QObject *context, DeviceSession::Handler done)
{
    return session->send(Requests::get(Protocol::SettingsFile), context,
        [this, done](const Outcome &outcome) { take(outcome, done); });
}

void DeviceConfiguration::take(Outcome outcome, const DeviceSession::Handler &done)
{
    if (outcome.ok()
        && outcome.reply.value(Protocol::Get).toString() != QLatin1String(Protocol::SettingsFile)) {
        outcome.result = Outcome::Unusable;
        outcome.problem = Outcome::OtherFile;
    } else if (outcome.ok()) {
        // Base64 may come wrapped in lines; anything else that is not Base64
        // makes the read count as none.
        const QByteArray encoded = outcome.reply.value(Protocol::Data)
                                       .toString()
                                       .toLatin1()
                                       .simplified()
                                       .replace(' ', "");
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
        const auto decoded
            = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
        const auto members = decoded ? JsonMembers::read(*decoded) : std::nullopt;
        if (!decoded)
            outcome.problem = Outcome::NotBase64;
#else
        const auto members = JsonMembers::read(QByteArray::fromBase64(encoded));
#endif
        // An unreadable file says nothing about the device's configuration:
        // what was kept stays, rather than defaults an update would write back.
        if (members) {
            kept = members;
            emit received();
        } else {
            outcome.result = Outcome::Unusable;
            if (outcome.problem == Outcome::NoProblem)
                outcome.problem = Outcome::ConfigNotJson;
        }
    }
    if (done)
        done(outcome);
}

quint64 DeviceConfiguration::apply(
    const QVariantMap &edits, QObject *context, DeviceSession::Handler done)
{
    if (!kept)
        return 0;
    // The edits stay in what is kept: the page goes on from them.
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        kept->insert(it.key(), QJsonValue::fromVariant(it.value()));
    return session->upload(Protocol::SettingsFile, kept->toJson(), context, std::move(done));
}

quint64 DeviceConfiguration::factoryDefaults(QObject *context, DeviceSession::Handler done)
{
    return session->upload(
        Protocol::SettingsFile, QByteArrayLiteral("{}"), context, std::move(done));
}

quint64 DeviceConfiguration::restore(const JsonMembers &settings, const QVariantMap &edits,
    QObject *context, DeviceSession::Handler done)
{
    JsonMembers file = settings;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        file.insert(it.key(), QJsonValue::fromVariant(it.value()));
    return session->upload(Protocol::SettingsFile, file.toJson(), context, std::move(done));
}

std::optional<ConfigBackup> DeviceConfiguration::backup() const
{
    const auto &identity = session->identity();
    if (!kept || !identity || !session->isConnected())
        return std::nullopt;
    ConfigBackup backup;
    backup.model = identity->model;
    backup.firmwareVersion = identity->version;
    backup.firmwareBuild = identity->build;
    backup.address = session->address().toString();
    backup.saved = QDateTime::currentDateTimeUtc();
    backup.settings = *kept;
    return backup;
}
