#include "runner/commandbatch.h"

#include "link/protocol.h"

#include <QJsonDocument>

#include <algorithm>

std::optional<CommandBatch::Endpoint> CommandBatch::endpoint(const QString &text, QString *error)
{
    Endpoint device;
    const QString trimmed = text.trimmed();
    const int colon = trimmed.lastIndexOf(':');
    device.host = colon < 0 ? trimmed : trimmed.left(colon);
    device.port = Protocol::DefaultPort;
    if (colon >= 0) {
        bool ok = false;
        const uint port = trimmed.mid(colon + 1).toUInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            *error = QStringLiteral("%1: the port must be a number from 1 to 65535").arg(trimmed);
            return std::nullopt;
        }
        device.port = quint16(port);
    }
    if (device.host.isEmpty() || device.host.contains(' ')) {
        *error = QStringLiteral("%1: not a device address").arg(trimmed);
        return std::nullopt;
    }
    return device;
}

CommandBatch::CommandBatch(const DeviceCommand::Request &request, const QVector<Endpoint> &devices,
    int jobs, int timeoutMsec, bool json, QObject *parent)
    : QObject(parent)
    , request(request)
    , devices(devices)
    , jobs(qMax(1, jobs))
    , timeoutMsec(timeoutMsec)
    , json(json)
    , outcomes(devices.size())
{
}

CommandBatch::~CommandBatch() = default;

void CommandBatch::start()
{
    launch();
    if (devices.isEmpty())
        emit finished(true);
}

void CommandBatch::cancel()
{
    // Devices not yet begun are not begun.
    next = devices.size();
    const auto busy = std::move(running);
    for (const auto &command : busy)
        command->cancel();
    for (int i = 0; i < outcomes.size(); ++i) {
        if (!outcomes.at(i))
            outcomes[i] = Outcome { false, false, QStringLiteral("Interrupted"), {} };
    }
    tell();
}

void CommandBatch::launch()
{
    while (int(running.size()) < jobs && next < devices.size()) {
        const int index = next++;
        const Endpoint &device = devices.at(index);
        auto command = std::make_unique<DeviceCommand>(
            request, device.host, device.port, timeoutMsec, devices.size() > 1);
        DeviceCommand *raw = command.get();
        connect(raw, &DeviceCommand::finished, this,
            [this, index, raw](bool ok, const QString &text, const QJsonObject &result) {
                if (!outcomes.at(index))
                    outcomes[index] = Outcome { false, ok, text, result };
                // Not deleted inside its own signal.
                const auto it = std::find_if(running.begin(), running.end(),
                    [raw](const auto &owned) { return owned.get() == raw; });
                if (it != running.end()) {
                    it->release()->deleteLater();
                    running.erase(it);
                }
                tell();
                launch();
            });
        running.push_back(std::move(command));
        raw->start();
    }
}

void CommandBatch::tell()
{
    while (toldUpTo < outcomes.size() && outcomes.at(toldUpTo)) {
        const Outcome &outcome = *outcomes.at(toldUpTo);
        const Endpoint &device = devices.at(toldUpTo);
        const QString address = device.host + ':' + QString::number(device.port);
        allOk = allOk && outcome.ok;
        if (json) {
            QJsonObject object { { QStringLiteral("address"), address },
                { QStringLiteral("ok"), outcome.ok } };
            if (outcome.ok)
                object.insert(QStringLiteral("result"), outcome.result);
            else
                object.insert(QStringLiteral("error"), outcome.text);
            emit line(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
        } else {
            emit line(address + (outcome.ok ? QStringLiteral(" ok ") : QStringLiteral(" failed: "))
                + outcome.text);
        }
        ++toldUpTo;
    }
    if (!over && toldUpTo == outcomes.size() && running.empty() && next >= devices.size()) {
        over = true;
        emit finished(allOk);
    }
}
