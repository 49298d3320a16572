#ifndef DEVICESCANNER_H
#define DEVICESCANNER_H

#include "link/founddevice.h"
#include "link/lineframer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QVector>

class QTcpSocket;

// Finds the devices among many addresses: asks each for its information on
// a connection of its own, a bounded number at once, and keeps those whose
// reply names a known model. Whatever else answers is passed over quietly;
// a host costs at most its connect and reply timeouts, however it behaves.
class DeviceScanner : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxParallel = 128;
    static constexpr int ConnectTimeoutMsec = 800;
    static constexpr int ReplyTimeoutMsec = 1500;
    // An information reply is a few hundred bytes; 128 hosts sending the
    // link's full line limit at once would hold a gigabyte.
    static constexpr int MaxReplyLength = 64 * 1024;

    explicit DeviceScanner(QObject *parent = nullptr);
    ~DeviceScanner() override;

    struct Target {
        quint32 address = 0;
        quint16 port = 0;
    };

    // Starts over with `addresses` on `port`, cancelling a search under way.
    void start(const QVector<quint32> &addresses, quint16 port);
    void start(const QVector<Target> &targets);
    // How many hosts are asked at once, and how long each may take to take
    // the connection and then to answer.
    void setLimits(int parallel, int connectMsec, int replyMsec);
    // Closes every connection at once; finished() follows.
    void cancel();

    bool isRunning() const { return running; }
    int tried() const { return done; }
    int total() const { return queue.size(); }
    // Hosts not asked at all: the system had no socket left for them.
    int unasked() const { return starved; }

signals:
    void found(const FoundDevice &device);
    void progress(int tried, int total);
    void finished(bool cancelled);

private:
    struct Probe {
        Target target;
        QElapsedTimer clock;
        // When the current step (connect, then reply) gives up.
        qint64 deadline = 0;
        bool asked = false;
        LineFramer reply;
    };

    void launch();
    void connected(QTcpSocket *socket);
    void readReply(QTcpSocket *socket);
    void retire(QTcpSocket *socket);
    void timerEvent(QTimerEvent *event) override;
    void closeAll();

    QVector<Target> queue;
    int parallel = MaxParallel;
    int connectTimeout = ConnectTimeoutMsec;
    int replyTimeout = ReplyTimeoutMsec;
    int next = 0;
    int starved = 0;
    int done = 0;
    bool running = false;
    bool launching = false;
    int timerId = -1;
    QHash<QTcpSocket *, Probe> probes;
};

#endif // DEVICESCANNER_H
