#ifndef SIMULATORSESSION_H
#define SIMULATORSESSION_H

#include "simulatoroptions.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>

class QTcpSocket;
class SimulatedDevice;

// One connection to the simulated device: reads request lines (and the raw
// payload after a "put" header) and answers each with one line, in order.
class SimulatorSession : public QObject {
    Q_OBJECT

public:
    SimulatorSession(QTcpSocket *socket, SimulatedDevice *device, const SimulatorOptions &options,
        QObject *parent = nullptr);

private:
    void readRequests();
    void handle(const QJsonObject &request, const QByteArray &payload);
    void reply(const QByteArray &line, bool closeAfter);
    // A state reply with members under names never sent before.
    QByteArray withFreshNames(QByteArray line);
    void sendLine(const QByteArray &line);
    void log(const char *direction, const QByteArray &text) const;

    QTcpSocket *socket;
    SimulatedDevice *device;
    SimulatorOptions options;
    QByteArray buffer;
    // A "put" header waits here until its payload has arrived in full.
    QJsonObject pendingPut;
    qint64 payloadLeft = -1;
    int replies = 0;
    int answered = 0;
    QMap<QString, int> asked;
    bool flooded = false;
};

#endif // SIMULATORSESSION_H
