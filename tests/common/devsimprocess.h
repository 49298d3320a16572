#ifndef DEVSIMPROCESS_H
#define DEVSIMPROCESS_H

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>

// The built device simulator, run as a child process on a loopback port.
class DevsimProcess {
public:
    ~DevsimProcess() { stop(); }

    // A test that ends abruptly must not leave the simulator holding its
    // output open: the test runner would wait for it.
    void stop()
    {
        process.kill();
        process.waitForFinished(5000);
    }

    // Starts the simulator with `args` (on a free port unless `port` is
    // given) and waits until it listens.
    bool start(const QStringList &args = {}, quint16 port = 0)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(
            QStringLiteral(DEVSIM_BINARY), QStringList { "--port", QString::number(port) } + args);
        const QRegularExpression listening(QStringLiteral("listening on [^ ]*:(\\d+)"));
        output.clear();
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired();) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
            const auto match = listening.match(QString::fromLatin1(output));
            if (match.hasMatch()) {
                listeningPort = quint16(match.captured(1).toUInt());
                return true;
            }
            if (process.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }
    quint16 port() const { return listeningPort; }
    qint64 pid() const { return process.processId(); }
    // Connections the simulator has taken so far (it must run --verbose).
    int connections() { return clientLines(" connected"); }
    // Connections still open (it must run --verbose).
    int openConnections() { return connections() - clientLines(" gone"); }

private:
    // Its "-- client ADDRESS connected" (or "gone") lines; a line ends in
    // CR LF on Windows.
    int clientLines(const char *ending)
    {
        output += process.readAllStandardOutput();
        int count = 0;
        for (const QByteArray &line : output.split('\n')) {
            if (line.startsWith("-- client ") && line.trimmed().endsWith(ending))
                ++count;
        }
        return count;
    }

    QProcess process;
    QByteArray output;
    quint16 listeningPort = 0;
};

#endif // DEVSIMPROCESS_H
