#ifndef DEVICEHISTORY_H
#define DEVICEHISTORY_H

#include "models/historysamples.h"
#include "runner/devicesession.h"

#include <QObject>
#include <QStringList>

#include <functional>

// The device's recorded history on one session, read as the identified
// model's series.
class DeviceHistory : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>;

    explicit DeviceHistory(DeviceSession *session, QObject *parent = nullptr);

    // Asks for the history; `done` hears Unusable, with the problem, when
    // the reply cannot be read as the model's series.
    quint64 request(QObject *context = nullptr, DeviceSession::Handler done = {});
    // The last history read, with the names of its columns and their units.
    const HistorySamples &samples() const { return last; }
    QStringList columns() const { return titles; }
    QStringList units() const { return unitTexts; }
    // Where "now" comes from; the system clock by default.
    void setClock(Clock clock);

signals:
    void downloaded();

private:
    void take(Outcome outcome, const DeviceSession::Handler &done);

    DeviceSession *session;
    Clock clock;
    HistorySamples last;
    QStringList titles;
    QStringList unitTexts;
};

#endif // DEVICEHISTORY_H
