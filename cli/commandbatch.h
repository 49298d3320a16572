#ifndef COMMANDBATCH_H
#define COMMANDBATCH_H

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
    CommandBatch(const DeviceCommand::Request &request, const QVector<DeviceAddress> &devices,
        int jobs, int timeoutMsec, bool json, QObject *parent = nullptr);
    ~CommandBatch() override;

    void start();
    // Every device still at work ends at once, its connection closed.
    void cancel();

signals:
    void line(const QString &text);
    void finished(bool allSucceeded);

private:
    struct Outcome {
        bool told = false;
        bool ok = false;
        QString text;
        QJsonObject result;
        QByteArray raw;
    };

    void launch();
    void tell();

    DeviceCommand::Request request;
    QVector<DeviceAddress> devices;
    int jobs;
    int timeoutMsec;
    bool json;
    std::vector<std::unique_ptr<DeviceCommand>> running;
    QVector<std::optional<Outcome>> outcomes;
    int next = 0;
    int toldUpTo = 0;
    bool allOk = true;
    bool over = false;
};

#endif // COMMANDBATCH_H
