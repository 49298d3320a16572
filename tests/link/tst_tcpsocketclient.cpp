#include "common/scriptedpeer.h"
#include "common/testmain.h"
#include "link/tcpsocketclient.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestTcpSocketClient : public QObject {
    Q_OBJECT

private:
    // A started client connected to `peer`, with a fast retry tick.
    std::unique_ptr<TcpSocketClient> connectedClient(ScriptedPeer &peer)
    {
        auto client = std::make_unique<TcpSocketClient>();
        client->setRetryInterval(10);
        client->setHostAndPort(QStringLiteral("127.0.0.1"), peer.port());
        QSignalSpy connected(client.get(), &TcpSocketClient::connected);
        client->start();
        if (!connected.wait(5000) || !peer.waitForConnections(1))
            return nullptr;
        return client;
    }

    static QStringList datagrams(const QSignalSpy &spy)
    {
        QStringList out;
        for (const auto &args : spy)
            out << QString::fromLatin1(args.at(0).toByteArray());
        return out;
    }

private slots:
    void framesLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("two lines in one read") << QList<QByteArray> { "{\"a\":1}\r\n{\"b\":2}\r\n" }
                                               << QStringList { "{\"a\":1}", "{\"b\":2}" };
        QTest::newRow("split between CR and LF")
            << QList<QByteArray> { "{\"a\":", "1}\r", "\n" } << QStringList { "{\"a\":1}" };
        QTest::newRow("lone LF and lone CR belong to the line")
            << QList<QByteArray> { "a\nb\rc\r\n" } << QStringList { "a\nb\rc" };
        QTest::newRow("rest kept for the next read") << QList<QByteArray> { "one\r\ntw", "o\r\nthr",
            "ee\r\n" } << QStringList { "one", "two", "three" };
        QTest::newRow("empty lines are skipped, not stalling")
            << QList<QByteArray> { "\r\none\r\n\r\n", "\r\ntwo\r\n" }
            << QStringList { "one", "two" };
    }

    void framesLines()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, expected);
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        QSignalSpy spy(client.get(), &TcpSocketClient::newDatagram);
        for (const QByteArray &chunk : chunks) {
            peer.send(chunk);
            // Give each chunk its own read where the loopback allows it.
            QTest::qWait(20);
        }
        QTRY_COMPARE(datagrams(spy), expected);
        for (const auto &args : spy)
            QVERIFY(!args.at(0).toByteArray().isEmpty());
    }

    void largeReadArrivesWholeAndInOrder()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        QByteArray burst;
        const int count = 20000;
        for (int i = 0; i < count; ++i)
            burst += "{\"n\":" + QByteArray::number(i) + "}\r\n";
        int received = 0;
        bool inOrder = true;
        connect(client.get(), &TcpSocketClient::newDatagram, this, [&](const QByteArray &line) {
            inOrder = inOrder && line == "{\"n\":" + QByteArray::number(received) + "}";
            ++received;
        });
        peer.send(burst);
        QTRY_COMPARE_WITH_TIMEOUT(received, count, 10000);
        QVERIFY(inOrder);
    }

    void writesLinesAndRawPayloads()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        client->write(QByteArray("{\"query\":\"info\"}"));
        client->write(QByteArray("raw\r\nbytes"), false);
        client->flush();
        client->write(QJsonObject { { "query", "get" }, { "name", "settings.cfg" } });
        const QByteArray expected = "{\"query\":\"info\"}\r\nraw\r\nbytes"
                                    "{\"name\":\"settings.cfg\",\"query\":\"get\"}\r\n";
        QVERIFY(peer.waitForBytes(expected.size()));
        QCOMPARE(peer.received(), expected);
    }

    void retriesOnceEveryTwentyTicks()
    {
        ScriptedPeer peer;
        // The peer hangs up at once, so every attempt shows as one connection.
        connect(peer.tcpServer(), &QTcpServer::newConnection, &peer, [&] { peer.closeClient(); });
        TcpSocketClient client;
        const int tick = 20;
        client.setRetryInterval(tick);
        client.setHostAndPort(QStringLiteral("127.0.0.1"), peer.port());
        QElapsedTimer clock;
        clock.start();
        client.start();
        QVERIFY(peer.waitForConnections(1));
        const qint64 first = clock.elapsed();
        QVERIFY(peer.waitForConnections(2, 5000));
        const qint64 second = clock.elapsed();
        QVERIFY(peer.waitForConnections(3, 5000));
        const qint64 third = clock.elapsed();
        QVERIFY2(first < 10 * tick, qPrintable(QString::number(first)));
        // 20 ticks between attempts; the count runs on from the last attempt.
        QVERIFY2(third - second >= 15 * tick, qPrintable(QString::number(third - second)));
        QVERIFY2(third - second < 60 * tick, qPrintable(QString::number(third - second)));
    }

    void stopEndsReconnection()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        client->stop();
        client->close();
        QVERIFY(peer.waitForClientGone());
        QTest::qWait(40 * client->retryInterval());
        QCOMPARE(peer.connections(), 1);
    }

    void sameEndpointLeavesConnectionAlone()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        client->setHostAndPort(QStringLiteral("127.0.0.1"), peer.port());
        client->setHost(QStringLiteral("127.0.0.1"));
        client->setPort(peer.port());
        QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(disconnected.count(), 0);
        QCOMPARE(peer.connections(), 1);
    }

    void newEndpointWhileConnectedMovesAtOnce()
    {
        ScriptedPeer first;
        ScriptedPeer second;
        auto client = connectedClient(first);
        QVERIFY(client);
        // No retry tick may do the work: the move must connect by itself.
        client->stop();
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        QElapsedTimer clock;
        clock.start();
        client->setHostAndPort(QStringLiteral("127.0.0.1"), second.port());
        QVERIFY(clock.elapsed() < 1500);
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(second.waitForConnections(1));
        QVERIFY(first.waitForClientGone());
    }

    void newEndpointDuringLookupNeverReachesTheOld()
    {
        ScriptedPeer first;
        ScriptedPeer second;
        TcpSocketClient client;
        client.setHostAndPort(QStringLiteral("localhost"), first.port());
        client.open();
        QCOMPARE(client.state(), QAbstractSocket::HostLookupState);
        QSignalSpy connected(&client, &TcpSocketClient::connected);
        client.setHostAndPort(QStringLiteral("127.0.0.1"), second.port());
        QVERIFY(second.waitForConnections(1));
        QCOMPARE(connected.count(), 1);
        QCOMPARE(first.connections(), 0);
    }

    void newEndpointWhileUnconnectedWaitsForTick()
    {
        ScriptedPeer peer;
        TcpSocketClient client;
        client.setRetryInterval(10);
        client.setHostAndPort(QStringLiteral("127.0.0.1"), 1); // nothing listens there
        client.start();
        QElapsedTimer clock;
        clock.start();
        client.setPort(peer.port());
        QVERIFY(clock.elapsed() < 100);
        QVERIFY(peer.waitForConnections(1, 2000));
    }

    void staleBytesDoNotReachTheNextConnection()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        QSignalSpy spy(client.get(), &TcpSocketClient::newDatagram);
        QSignalSpy connected(client.get(), &TcpSocketClient::connected);
        peer.send("{\"half\":");
        QTest::qWait(20);
        peer.closeClient();
        QVERIFY(connected.wait(5000));
        QVERIFY(peer.waitForConnections(2));
        peer.sendLine("{\"board\":\"veltra-2u\"}");
        QTRY_COMPARE(datagrams(spy), QStringList { "{\"board\":\"veltra-2u\"}" });
    }

    void oversizedLineIsCutOff_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("never terminated") << QByteArray();
        // However the bytes are cut into reads, a line ending past the limit
        // is refused like one that never ends.
        QTest::newRow("terminated past the limit") << QByteArray("\r\n{\"after\":1}\r\n");
    }

    void oversizedLineIsCutOff()
    {
        QFETCH(QByteArray, tail);
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        client->stop();
        QSignalSpy spy(client.get(), &TcpSocketClient::newDatagram);
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        peer.send(QByteArray(TcpSocketClient::MaxLineLength + 1, 'x') + tail);
        QVERIFY(disconnected.wait(10000));
        QCOMPARE(spy.count(), 0);
        QVERIFY(peer.waitForClientGone());
    }

    void destructionIsSilent()
    {
        ScriptedPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        client.reset();
        QVERIFY(peer.waitForClientGone());
        QCOMPARE(disconnected.count(), 0);
    }
};

VELTRA2_TEST_MAIN(TestTcpSocketClient)
#include "tst_tcpsocketclient.moc"
