#include "simulateddevice.h"

#include "link/protocol.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr char FirmwareVersion[] = "2.3.1";
constexpr char FirmwareBuild[] = "2026-09-18";
constexpr char SensorFirmware[] = "1.0.4";

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}
} // namespace

SimulatedDevice::SimulatedDevice(const SimulatorOptions &options)
    : options(options)
    , config(defaults())
{
    uptime.start();
    if (options.dataDir.isEmpty())
        return;
    const QDir dir(options.dataDir);
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            files.insert(name, f.readAll());
    }
    const auto saved = JsonMembers::read(files.value(Protocol::SettingsFile));
    if (saved && !saved->isEmpty())
        config = *saved;
}

JsonMembers SimulatedDevice::defaults()
{
    return *JsonMembers::read(
        QJsonDocument(QJsonObject { { Protocol::SysMode, "web" }, { Protocol::NetMode, "ap" },
                          { Protocol::NetSsid, "VELTRA2-5E1001" }, { Protocol::NetPwd, "" },
                          { Protocol::NetAuth, "open" }, { Protocol::MqttId, "" } })
            .toJson(QJsonDocument::Compact));
}

bool SimulatedDevice::isPlainFileName(const QString &name)
{
    // Nothing that any platform could read as a folder, a drive or a device:
    // a name from the network must stay inside the data folder.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9._-]{0,63}$"));
    return plain.match(name).hasMatch();
}

QJsonObject SimulatedDevice::failure(const QString &text)
{
    return { { Protocol::Code, Protocol::ErrorCode }, { Protocol::Error, text } };
}

QByteArray SimulatedDevice::file(const QString &name) const
{
    if (name == QLatin1String(Protocol::SettingsFile))
        return config.toJson();
    return files.value(name);
}

QJsonObject SimulatedDevice::answer(const QJsonObject &request, const QByteArray &payload)
{
    const QString query = request.value(Protocol::Query).toString();
    if (options.failingQueries.contains(query))
        return failure(QStringLiteral("simulated failure of %1").arg(query));
    if (query == QLatin1String(Protocol::Info))
        return info();
    if (query == QLatin1String(Protocol::Dev))
        return details();
    if (query == QLatin1String(Protocol::State))
        return state();
    if (query == QLatin1String(Protocol::History))
        return history();
    if (query == QLatin1String(Protocol::Get))
        return read(request.value(Protocol::Name).toString());
    if (query == QLatin1String(Protocol::Put))
        return store(request.value(Protocol::Name).toString(), payload);
    if (query == QLatin1String(Protocol::Scloud))
        return registerCloud(request.value(Protocol::Id).toString());
    if (query == QLatin1String(Protocol::Reset))
        return { { Protocol::Code, 0 } };
    return failure(QStringLiteral("unknown query"));
}

QJsonObject SimulatedDevice::info() const
{
    QJsonObject reply { { Protocol::Board, options.board }, { Protocol::Version, FirmwareVersion },
        { Protocol::Build, FirmwareBuild } };
    if (options.reportStm)
        reply.insert(Protocol::Stm, SensorFirmware);
    return reply;
}

QJsonObject SimulatedDevice::details() const
{
    return { { Protocol::Cert, files.contains(Protocol::MqttCertFile) },
        { Protocol::Key, files.contains(Protocol::MqttKeyFile) }, { "mac", "02:00:5e:10:01:42" },
        { "uptime", uptime.elapsed() / 1000 } };
}

double SimulatedDevice::drift() const
{
    double degrees = options.rampPerMinute * seconds() / 60.0;
    for (auto step = options.steps.cbegin(); step != options.steps.cend(); ++step)
        if (seconds() >= step.key())
            degrees += step.value();
    return degrees;
}

double SimulatedDevice::temperatureAt(qint64 msec) const
{
    // A slow swing over six hours around room temperature, with a small
    // ripple of a quarter of an hour on top.
    return 21.5 + 2.5 * std::sin(2.0 * Pi * double(msec) / 21600000.0)
        + 0.3 * std::sin(2.0 * Pi * double(msec) / 1020000.0);
}

double SimulatedDevice::humidityAt(qint64 msec) const
{
    return 45.0 + 8.0 * std::sin(2.0 * Pi * double(msec) / 32400000.0)
        + 0.8 * std::sin(2.0 * Pi * double(msec) / 1380000.0);
}

QJsonObject SimulatedDevice::state() const
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const double noise = (QRandomGenerator::global()->generateDouble() - 0.5) * 0.1;
    const bool cloud = config.value(Protocol::SysMode).toString() == QLatin1String("mqtt")
        && !config.value(Protocol::MqttId).toString().isEmpty()
        && files.contains(Protocol::MqttCertFile) && files.contains(Protocol::MqttKeyFile);
    QJsonObject reply { { Protocol::Modbus, config.value(Protocol::SysMode).toString() == "tcp" },
        { Protocol::Mqtt, cloud }, { "uptime", uptime.elapsed() / 1000 } };
    const double drifted = temperatureAt(now) + noise + drift();
    if (options.wifi) {
        reply.insert(Protocol::Value,
            QJsonObject { { Protocol::Temperature, round2(drifted) },
                { Protocol::Humidity, round2(humidityAt(now) + noise) } });
        reply.insert("rssi", -52 - QRandomGenerator::global()->bounded(6));
    } else {
        reply.insert(Protocol::Value, round2(drifted));
    }
    return reply;
}

QJsonObject SimulatedDevice::history() const
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QJsonArray temperatures;
    QJsonArray humidities;
    for (int i = options.historySamples - 1; i >= 0; --i) {
        const qint64 at = now - qint64(i) * options.historyInterval;
        temperatures.append(round2(temperatureAt(at)));
        humidities.append(round2(humidityAt(at)));
    }
    if (!options.wifi)
        return { { Protocol::Data, temperatures },
            { Protocol::Interval, options.historyInterval } };
    return { { Protocol::Temperature,
                 QJsonObject { { Protocol::Data, temperatures },
                     { Protocol::Interval, options.historyInterval } } },
        { Protocol::Humidity,
            QJsonObject { { Protocol::Data, humidities },
                { Protocol::Interval, options.historyInterval } } } };
}

QJsonObject SimulatedDevice::read(const QString &name) const
{
    if (name != QLatin1String(Protocol::SettingsFile) && !files.contains(name))
        return failure(QStringLiteral("no such file"));
    return { { Protocol::Get, name },
        { Protocol::Data, QString::fromLatin1(file(name).toBase64()) } };
}

QJsonObject SimulatedDevice::store(const QString &name, const QByteArray &payload)
{
    if (!isPlainFileName(name))
        return failure(QStringLiteral("bad file name"));
    if (name == QLatin1String(Protocol::SettingsFile)) {
        const auto uploaded = JsonMembers::read(payload);
        if (!uploaded)
            return failure(QStringLiteral("invalid configuration"));
        // An empty object is the request for factory settings.
        config = uploaded->isEmpty() ? defaults() : *uploaded;
        persist(name, file(name));
        return { { Protocol::Code, 0 } };
    }
    files.insert(name, payload);
    persist(name, payload);
    return { { Protocol::Code, 0 } };
}

QJsonObject SimulatedDevice::registerCloud(const QString &id)
{
    config.insert(Protocol::MqttId, id);
    persist(Protocol::SettingsFile, file(Protocol::SettingsFile));
    return { { Protocol::Code, 0 } };
}

void SimulatedDevice::persist(const QString &name, const QByteArray &data) const
{
    if (options.dataDir.isEmpty())
        return;
    QFile f(QDir(options.dataDir).filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}
