#ifndef DEVICESEARCH_H
#define DEVICESEARCH_H

#include "link/devicescanner.h"
#include "link/founddevice.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// veltra2ctl's search: every range given (or this computer's own networks),
// the devices found printed in order of address once the search is over,
// one line each that a hosts file takes as it is.
class DeviceSearch : public QObject {
    Q_OBJECT

public:
    struct Limits {
        int jobs = DeviceScanner::MaxParallel;
        int connectMsec = DeviceScanner::ConnectTimeoutMsec;
        int replyMsec = DeviceScanner::ReplyTimeoutMsec;
    };

    DeviceSearch(const Limits &limits, bool json, QObject *parent = nullptr);

    // What `ranges` cover (this computer's own networks for none); false,
    // with why, for a range that names nothing.
    bool prepare(const QStringList &ranges, QString *error);
    void start();
    void cancel() { scanner.cancel(); }
    // 0 when devices were found, 1 when none were, or not every host could
    // be asked.
    int status() const { return exitStatus; }

signals:
    void finished();

private:
    void report(bool cancelled);

    DeviceScanner scanner;
    bool json;
    QVector<DeviceScanner::Target> targets;
    QStringList searched;
    QVector<FoundDevice> found;
    int exitStatus = 0;
};

#endif // DEVICESEARCH_H
