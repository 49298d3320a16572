// Cost of the runner's reply handling: one "state" reply end to end (parse,
// series, table, signal, and the next poll request written), and a history
// download of 10,000 samples in two fields, and a history reply of 1,000,000
// samples in each of two fields handed to the runner as the line it reads.
//   bench_runner [ITERATIONS]   (default 20000)
// Then a state reply of 7 MB (one member holding 600,000 names): the longest
// the runner's thread was held while it was read, and the resident memory
// left after the next small reply.
// Prints: microseconds per state reply, milliseconds per history update,
// milliseconds for the large history reply and the resident memory it added
// (MB) while it is shown, the longest hold of the 7 MB state reply (ms) and
// the memory it left (MB).

#include "common/processmemory.h"
#include "models/historydatamodel.h"
#include "runner/iotrunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
void feed(IOTRunner &runner, const QByteArray &line)
{
    QMetaObject::invokeMethod(&runner, "tcp_newDatagram", Q_ARG(QByteArray, line));
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel-bench"));
    const int iterations = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;

    // A peer that swallows what the runner writes.
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, [s] { s->readAll(); });
    });

    IOTRunner runner;
    runner.setPollInterval(3600 * 1000);
    runner.setRetryInterval(10);
    QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
    runner.connectToHost(QStringLiteral("127.0.0.1"), server.serverPort());
    if (!connected.wait(5000))
        return 1;
    feed(runner, R"({"board":"veltra-2w","version":"2.3.1","build":"b","stm":"1.0"})");
    feed(runner, R"({"code":1,"error":"skip"})");
    feed(runner, R"({"code":1,"error":"skip"})");

    int updates = 0;
    QObject::connect(&runner, &IOTRunner::deviceUpdate, [&] { ++updates; });
    const QByteArray state
        = R"({"modbus":false,"mqtt":true,"rssi":-55,"uptime":1234,"value":{"h":45.12,"t":21.37}})";
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < iterations; ++i) {
        feed(runner, state); // answers the outstanding state request
        QMetaObject::invokeMethod(&runner, "tcp_timer"); // writes the next one
    }
    const double perReply = clock.nsecsElapsed() / 1e3 / iterations;

    QJsonArray t;
    QJsonArray h;
    for (int i = 0; i < 10000; ++i) {
        t.append(20 + (i % 100) / 10.0);
        h.append(40 + (i % 50) / 10.0);
    }
    const QJsonObject source { { "t", QJsonObject { { "data", t }, { "interval", 60000 } } },
        { "h", QJsonObject { { "data", h }, { "interval", 60000 } } } };
    HistoryDataModel history;
    clock.restart();
    const int rounds = 20;
    for (int i = 0; i < rounds; ++i)
        history.update(source, { "t", "h" }, { QStringLiteral("\u2103"), "%" });
    const double historyMs = clock.nsecsElapsed() / 1e6 / rounds;

    // The reply line as the device sends it: small whole numbers, about 6 MB.
    QByteArray big = R"({"h":{"interval":60000,"data":[)";
    QByteArray temperatures;
    for (int i = 0; i < 1000000; ++i) {
        const QByteArray sample = QByteArray::number(i % 100) + ',';
        big += sample;
        temperatures += sample;
    }
    big.chop(1);
    temperatures.chop(1);
    big += R"(]},"t":{"interval":60000,"data":[)" + temperatures + "]}}";
    temperatures.clear();
    HistoryDataModel *shown = runner.historyModel();
    feed(runner, state); // the poll's last request, answered
    const double before = residentMb();
    runner.requestHistory();
    QSignalSpy loaded(&runner, &IOTRunner::histIntervalUpdated);
    clock.restart();
    feed(runner, big); // read on a thread of its own, then shown
    if (!loaded.wait(30000))
        return 1;
    const double bigMs = clock.nsecsElapsed() / 1e6;
    big.clear();
    big.squeeze();
    QTest::qWait(100); // what was only needed to read it is given back
    const double added = residentMb() - before;

    QByteArray huge = R"({"modbus":false,"mqtt":true,"value":{"h":45.1,"t":21.4},"x":{)";
    for (int i = 0; i < 600000; ++i)
        huge += (i ? ",\"k" : "\"k") + QByteArray::number(i) + "\":1";
    huge += "}}";
    QMetaObject::invokeMethod(&runner, "tcp_timer"); // the poll asks again
    QSignalSpy updated(&runner, &IOTRunner::deviceUpdate);
    const double beforeHuge = residentMb();
    qint64 last = 0, longest = 0;
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.restart();
    beat.start(1);
    feed(runner, huge);
    longest = qMax(longest, clock.elapsed());
    last = clock.elapsed();
    huge.clear();
    if (!updated.wait(30000))
        return 1;
    QTest::qWait(20);
    beat.stop();
    QMetaObject::invokeMethod(&runner, "tcp_timer");
    feed(runner, state);
    QTest::qWait(100);
    const double left = residentMb() - beforeHuge;
    std::printf(
        "%.2f %.2f %.0f %.0f %lld %.0f\n", perReply, historyMs, bigMs, added, longest, left);
    return updates == iterations + 1 && history.rowCount() == 10000 && shown->rowCount() == 1000000
        ? 0
        : 1;
}
