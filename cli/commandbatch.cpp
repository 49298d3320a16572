#include "cli/commandbatch.h"

#include "models/devicetext.h"

#include <QJsonDocument>

#include <algorithm>

CommandBatch::CommandBatch(const DeviceCommand::Request &request,
    const QVector<DeviceAddress> &devices, int jobs, int timeoutMsec, bool json, QObject *parent)
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
            outcomes[i] = Outcome { false, false, QStringLiteral("Interrupted"), {}, {} };
    }
    tell();
}

void CommandBatch::launch()
{
    while (int(running.size()) < jobs && next < devices.size()) {
        const int index = next++;
        auto command = std::make_unique<DeviceCommand>(
            request, devices.at(index), timeoutMsec, devices.size() > 1);
        DeviceCommand *raw = command.get();
        connect(raw, &DeviceCommand::finished, this,
            [this, index, raw](
                bool ok, const QString &text, const QJsonObject &result, const QByteArray &json) {
                if (!outcomes.at(index))
                    outcomes[index] = Outcome { false, ok, text, result, json };
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
        const QString address = devices.at(toldUpTo).toString();
        allOk = allOk && outcome.ok;
        if (json) {
            QJsonObject object { { QStringLiteral("address"), address },
                { QStringLiteral("ok"), outcome.ok } };
            if (!outcome.ok)
                object.insert(QStringLiteral("error"), outcome.text);
            else if (outcome.raw.isEmpty())
                object.insert(QStringLiteral("result"), outcome.result);
            QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
            // A result kept as the device wrote it goes in as its text.
            if (outcome.ok && !outcome.raw.isEmpty())
                text = text.chopped(1) + ",\"result\":" + outcome.raw + '}';
            emit line(QString::fromUtf8(DeviceText::safeJson(text)));
        } else {
            // Device texts were made safe where they were put into words; the
            // rest is ours.
            emit line(DeviceText::escaped(address
                + (outcome.ok ? QStringLiteral(" ok ") : QStringLiteral(" failed: "))
                + outcome.text));
        }
        ++toldUpTo;
    }
    if (!over && toldUpTo == outcomes.size() && running.empty() && next >= devices.size()) {
        over = true;
        emit finished(allOk);
    }
}
