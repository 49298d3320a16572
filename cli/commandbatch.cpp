#include "cli/commandbatch.h"

#include "models/devicetext.h"

#include <QJsonDocument>

#include <algorithm>

CommandBatch::CommandBatch(const CommandRequest &request, const QVector<DeviceAddress> &devices,
    int jobs, const DeviceCommand::Limits &limits, bool json, QObject *parent)
    : QObject(parent)
    , request(request)
    , devices(devices)
    , jobs(qMax(1, jobs))
    , limits(limits)
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
            outcomes[i] = Told { DeviceCommand::Status::NotStarted, {}, {}, {} };
    }
    tell();
}

void CommandBatch::launch()
{
    while (int(running.size()) < jobs && next < devices.size()) {
        const int index = next++;
        auto command = std::make_unique<DeviceCommand>(request, devices.at(index), limits);
        DeviceCommand *raw = command.get();
        connect(raw, &DeviceCommand::finished, this,
            [this, index, raw](DeviceCommand::Status status, const QString &text,
                const QJsonObject &result, const QByteArray &json) {
                if (!outcomes.at(index))
                    outcomes[index] = Told { status, text, result, json };
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

QString CommandBatch::lineOf(const DeviceAddress &device, const Told &told) const
{
    using Status = DeviceCommand::Status;
    const QString address = device.toString();
    static const char *const statuses[]
        = { "ok", "failed", "unconfirmed", "interrupted", "not started" };
    if (json) {
        QJsonObject object { { QStringLiteral("address"), address },
            { QStringLiteral("ok"), told.status == Status::Ok },
            // What scripts test: a write sent but not confirmed may have
            // taken effect.
            { QStringLiteral("status"), QLatin1String(statuses[int(told.status)]) } };
        if (told.status == Status::Failed || told.status == Status::Unconfirmed)
            object.insert(QStringLiteral("error"), told.text);
        else if (told.status == Status::Ok && told.raw.isEmpty())
            object.insert(QStringLiteral("result"), told.result);
        QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
        // A result kept as the device wrote it goes in as its text.
        if (told.status == Status::Ok && !told.raw.isEmpty())
            text = text.chopped(1) + ",\"result\":" + told.raw + '}';
        return QString::fromUtf8(DeviceText::safeJson(text));
    }
    QString text;
    switch (told.status) {
    case Status::Ok:
        text = QStringLiteral(" ok ") + told.text;
        break;
    case Status::Failed:
        text = QStringLiteral(" failed: ") + told.text;
        break;
    case Status::Unconfirmed:
        text = QStringLiteral(" sent, not confirmed: ") + told.text;
        break;
    case Status::Interrupted:
    case Status::NotStarted:
        text = ' ' + QLatin1String(statuses[int(told.status)]);
        break;
    }
    // Device texts were made safe where they were put into words; the rest
    // is ours.
    return DeviceText::escaped(address + text);
}

void CommandBatch::tell()
{
    while (toldUpTo < outcomes.size() && outcomes.at(toldUpTo)) {
        const Told &told = *outcomes.at(toldUpTo);
        if (told.status != DeviceCommand::Status::Ok)
            ++failed;
        emit line(lineOf(devices.at(toldUpTo), told));
        ++toldUpTo;
        emit progress(toldUpTo, failed, devices.size());
    }
    if (!over && toldUpTo == outcomes.size() && running.empty() && next >= devices.size()) {
        over = true;
        emit finished(failed == 0);
    }
}
