// A 10 MiB upload through the runner to the device simulator on loopback,
// against the same bytes sent on a raw socket to the same listener.
// Prints: runner ms, raw ms (best of 5 each).

#include "common/devsimprocess.h"
#include "runner/iotrunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("XDG_CONFIG_HOME", "/tmp/veltra2-bench-config");
    QCoreApplication app(argc, argv);
    DevsimProcess sim;
    if (!sim.start({ "--model", "2u" }))
        return 1;
    const QByteArray payload(10 * 1024 * 1024, 'p');

    IOTRunner runner;
    runner.setPollInterval(3600 * 1000);
    QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
    runner.connectToHost(QStringLiteral("127.0.0.1"), sim.port());
    if (!connected.wait(5000))
        return 1;
    QSignalSpy alerts(&runner, &IOTRunner::alert);
    QTest::qWait(200); // the start-up replies are in
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        alerts.clear();
        QElapsedTimer clock;
        clock.start();
        runner.upload(payload, QStringLiteral("big.bin"));
        while (alerts.isEmpty())
            alerts.wait(10000);
        best = qMin(best, clock.nsecsElapsed() / 1e6);
    }

    double raw = 1e9;
    const QByteArray header = "{\"name\":\"raw.bin\",\"query\":\"put\",\"size\":"
        + QByteArray::number(payload.size()) + "}\r\n";
    for (int i = 0; i < 5; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), sim.port());
        if (!socket.waitForConnected(5000))
            return 1;
        QElapsedTimer clock;
        clock.start();
        socket.write(header);
        socket.write(payload);
        while (!socket.canReadLine())
            if (!socket.waitForReadyRead(10000))
                return 1;
        raw = qMin(raw, clock.nsecsElapsed() / 1e6);
    }
    std::printf("%.1f %.1f\n", best, raw);
    return 0;
}
