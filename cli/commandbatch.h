#ifndef COMMANDBATCH_H
#define COMMANDBATCH_H

#include "cli/commandrequest.h"
#include "cli/devicecommand.h"
#include "link/deviceaddress.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>
#include <vector>

// One command over many devices, at most `jobs` at a time; each device's
// outcome is told as one line, in the order the devices were given, as soon
// as those before it have been told. One device failing stops no other.
class CommandBatch : public QObject {
    Q_OBJECT

public:
    CommandBatch(const CommandRequest &request, const QVector<DeviceAddress> &devices, int jobs,
        const DeviceCommand::Limits &limits, bool json, QObject *parent = nullptr);
    ~CommandBatch() override;

    void start();
    // Every device at work ends at once, its connection closed; those not
    // begun are told as not started.
    void cancel();

signals:
    void line(const QString &text);
    // After each device is told: how many are, and how many of them failed.
    void progress(int done, int failed, int total);
    void finished(bool allSucceeded);

private:
    struct Told {
        DeviceCommand::Status status = DeviceCommand::Status::Failed;
        QString text;
        QJsonObject result;
        QByteArray raw;
    };

    void launch();
    void tell();
    QString lineOf(const DeviceAddress &device, const Told &told) const;

    CommandRequest request;
    QVector<DeviceAddress> devices;
    int jobs;
    DeviceCommand::Limits limits;
    bool json;
    std::vector<std::unique_ptr<DeviceCommand>> running;
    QVector<std::optional<Told>> outcomes;
    int next = 0;
    int toldUpTo = 0;
    int failed = 0;
    bool over = false;
};

#endif // COMMANDBATCH_H
