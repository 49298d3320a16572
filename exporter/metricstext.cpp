#include "exporter/metricstext.h"

#include "models/devicetext.h"

#include <functional>
#include <optional>

namespace {

using Value = std::function<std::optional<double>(const DeviceSample &)>;

struct Family {
    const char *name;
    const char *help;
    Value value;
};

QByteArray labels(const DeviceSample &sample)
{
    QByteArray text = "address=\"" + MetricsText::labelValue(sample.address) + '"';
    if (!sample.name.isEmpty())
        text += ",name=\"" + MetricsText::labelValue(sample.name) + '"';
    return text;
}

std::optional<double> flag(const DeviceSample &sample, bool value)
{
    if (!sample.up || !sample.flagsKnown)
        return std::nullopt;
    return value ? 1.0 : 0.0;
}

std::optional<double> reading(const DeviceSample &sample, double value, double scale)
{
    if (sample.readAt == 0 || qIsNaN(value))
        return std::nullopt;
    return value * scale;
}

} // namespace

QByteArray MetricsText::number(double value)
{
    if (qIsNaN(value))
        return "NaN";
    if (qIsInf(value))
        return value > 0 ? "+Inf" : "-Inf";
    return QByteArray::number(value, 'g', 15);
}

QByteArray MetricsText::labelValue(const QString &text)
{
    QByteArray value = DeviceText::shown(text, DeviceText::NameLimit).toUtf8();
    value.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
    return value;
}

QByteArray MetricsText::family(const char *name, const char *type, const char *help, double value)
{
    return QByteArray("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n' + name
        + ' ' + number(value) + '\n';
}

QByteArray MetricsText::devices(const QVector<DeviceSample> &samples, qint64 nowMsec)
{
    const Family families[] = {
        { "veltra2_up", "Whether the device is linked and has said what it is (1) or not (0).",
            [](const DeviceSample &s) { return std::optional<double>(s.up ? 1 : 0); } },
        { "veltra2_temperature_celsius", "The latest temperature reading.",
            [](const DeviceSample &s) { return reading(s, s.temperature, 1); } },
        { "veltra2_humidity_ratio", "The latest relative humidity reading, from 0 to 1.",
            [](const DeviceSample &s) { return reading(s, s.humidity, 0.01); } },
        { "veltra2_reading_timestamp_seconds", "When the latest reading came, Unix time.",
            [](const DeviceSample &s) {
                return s.readAt ? std::optional<double>(s.readAt / 1000.0) : std::nullopt;
            } },
        { "veltra2_reading_age_seconds", "How long ago the latest reading came.",
            [nowMsec](const DeviceSample &s) {
                return s.readAt
                    ? std::optional<double>(qMax<qint64>(0, nowMsec - s.readAt) / 1000.0)
                    : std::nullopt;
            } },
        { "veltra2_mqtt_client_running", "Whether the device's MQTT (cloud) client runs.",
            [](const DeviceSample &s) { return flag(s, s.mqtt); } },
        { "veltra2_modbus_client_running", "Whether the device's Modbus (SCADA) client runs.",
            [](const DeviceSample &s) { return flag(s, s.modbus); } },
        { "veltra2_cloud_client_configured", "Whether the device holds a cloud client ID.",
            [](const DeviceSample &s) {
                return s.up ? std::optional<double>(s.cloudClient ? 1 : 0) : std::nullopt;
            } },
        { "veltra2_wifi_signal_dbm", "The Wi-Fi signal strength the device reports, in dBm.",
            [](const DeviceSample &s) { return s.up ? s.rssi : std::nullopt; } },
        { "veltra2_uptime_seconds", "How long the device has run since it started.",
            [](const DeviceSample &s) { return s.up ? s.uptime : std::nullopt; } },
    };
    QByteArray text;
    text.reserve(samples.size() * 900 + 4096);
    for (const Family &family : families) {
        text += QByteArray("# HELP ") + family.name + ' ' + family.help + "\n# TYPE " + family.name
            + " gauge\n";
        for (const DeviceSample &sample : samples) {
            if (const auto value = family.value(sample))
                text += family.name + ('{' + labels(sample) + "} ") + number(*value) + '\n';
        }
    }
    text += "# HELP veltra2_link_state Where the link to the device stands (the state label): "
            "connecting, connected, reconnecting or not_a_device.\n"
            "# TYPE veltra2_link_state gauge\n";
    for (const DeviceSample &sample : samples) {
        if (!sample.link.isEmpty())
            text += "veltra2_link_state{" + labels(sample) + ",state=\"" + sample.link.toUtf8()
                + "\"} 1\n";
    }
    text += "# HELP veltra2_device_info The device's model and firmware, as it names them.\n"
            "# TYPE veltra2_device_info gauge\n";
    for (const DeviceSample &sample : samples) {
        if (sample.model.isEmpty())
            continue;
        text += "veltra2_device_info{" + labels(sample) + ",model=\"" + labelValue(sample.model)
            + "\",firmware=\"" + labelValue(sample.firmware) + "\"} 1\n";
    }
    return text;
}
