#ifndef DEVSIMPROCESS_H
#define DEVSIMPROCESS_H

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QStringList>

// The built device simulator, run as a child process on a free loopback port.
class DevsimProcess {
public:
    ~DevsimProcess();

    // Starts the simulator with `args` (a port of its own is chosen unless
    // `port` is given) and waits until it listens.
    bool start(const QStringList &args = {}, quint16 port = 0);
    void kill();
    quint16 port() const { return listeningPort; }

    // Lines of its verbose log so far ("<- ..." received, "-> ..." sent).
    QList<QByteArray> log();
    QList<QByteArray> received();
    bool waitForReceived(int count, int msec = 10000);

private:
    QProcess process;
    QByteArray output;
    quint16 listeningPort = 0;
};

#endif // DEVSIMPROCESS_H
