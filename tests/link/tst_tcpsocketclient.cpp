#include "common/scriptedpeer.h"
#include "common/testmain.h"
#include "link/tcpsocketclient.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The link against a real peer on the loopback: lines in, endpoints changed,
// and what it refuses.
class TestTcpSocketClient : public QObject {
    Q_OBJECT

private:
    // A started client connected to `peer`, with a fast retry tick.
    static std::unique_ptr<TcpSocketClient> connectedTo(ScriptedPeer &peer)
    {
        auto client = std::make_unique<TcpSocketClient>();
        client->setRetryInterval(10);
        client->setHostAndPort(QStringLiteral("127.0.0.1"), peer.port());
        QSignalSpy connected(client.get(), &TcpSocketClient::connected);
        client->start();
        return connected.wait(5000) && peer.waitForConnections(1) ? std::move(client) : nullptr;
    }

private slots:
    void framesLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("lines");

        // Split between CR and LF, the rest kept for the next read; a lone
        // LF or CR belongs to the line; empty lines are skipped, not stalling.
        QTest::newRow("chunks") << QList<QByteArray> { "\r\n{\"a\":", "1}\r", "\n{\"b\":2}\r\ntw",
            "o\r\n\r\n", "\r\na\nb\rc\r\n" }
                                << QList<QByteArray> { "{\"a\":1}", "{\"b\":2}", "two", "a\nb\rc" };
    }

    void framesLines()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, lines);
        ScriptedPeer peer;
        auto client = connectedTo(peer);
        QVERIFY(client);
        QList<QByteArray> seen;
        connect(client.get(), &TcpSocketClient::newDatagram, this,
            [&](const QByteArray &line) { seen << line; });
        for (const QByteArray &chunk : chunks) {
            peer.send(chunk);
            QTest::qWait(20); // its own read where the loopback allows it
        }
        QTRY_COMPARE(seen, lines);
    }

    void newEndpoint()
    {
        ScriptedPeer first;
        ScriptedPeer second;
        auto client = connectedTo(first);
        QVERIFY(client);
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        // The same endpoint changes nothing.
        client->setHostAndPort(QStringLiteral("127.0.0.1"), first.port());
        QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
        // A new one moves at once, no tick needed.
        client->stop();
        client->setPort(second.port());
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(second.waitForConnections(1) && first.waitForClientGone());
        // During a name lookup the old endpoint is dropped, never reached.
        ScriptedPeer third;
        client->setHost(QStringLiteral("localhost"));
        QCOMPARE(client->state(), QAbstractSocket::HostLookupState);
        client->setHostAndPort(QStringLiteral("127.0.0.1"), third.port());
        QVERIFY(third.waitForConnections(1));
        QCOMPARE(second.connections(), 1);
    }

    void aPeerThatStopsReadingIsLetGo()
    {
        ScriptedPeer stuck;
        ScriptedPeer other;
        auto client = connectedTo(stuck);
        QVERIFY(client);
        const QByteArray upload(64 << 20, 'u'); // more than the network holds
        stuck.stopReading();
        client->write(upload, false);
        // A new endpoint is reached once the old link has had its moment.
        QElapsedTimer clock;
        clock.start();
        client->setPort(other.port());
        QVERIFY(other.waitForConnections(1));
        QVERIFY2(clock.elapsed() < TcpSocketClient::SettleMsec + 1000,
            qPrintable(QString::number(clock.elapsed())));
        // Closed, the link ends within its grace time however much is unsent.
        QTRY_COMPARE(client->state(), QAbstractSocket::ConnectedState);
        other.stopReading();
        client->write(upload, false);
        client->stop();
        clock.restart();
        client->close();
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(clock.elapsed() < TcpSocketClient::CloseGraceMsec + 1000);
        QTest::qWait(200);
        QCOMPARE(other.connections(), 1);
    }

    void staleBytesDoNotReachTheNextConnection()
    {
        ScriptedPeer peer;
        auto client = connectedTo(peer);
        QVERIFY(client);
        QSignalSpy lines(client.get(), &TcpSocketClient::newDatagram);
        QSignalSpy connected(client.get(), &TcpSocketClient::connected);
        peer.send("{\"half\":");
        QTest::qWait(20);
        peer.closeClient();
        QVERIFY(connected.wait(5000) && peer.waitForConnections(2));
        peer.sendLine("{\"board\":\"veltra-2u\"}");
        QVERIFY(lines.wait(5000));
        QCOMPARE(lines.at(0).at(0).toByteArray(), QByteArray("{\"board\":\"veltra-2u\"}"));
    }

    // A reader that pauses (as a session does over a large reply) and is
    // still paused when the link ends must not be handed that link's
    // remaining lines once it reads again: they would answer the requests
    // of the next connection.
    void linesOfAnEndedLinkStayWithIt()
    {
        ScriptedPeer peer;
        auto client = connectedTo(peer);
        QVERIFY(client);
        QList<QByteArray> lines;
        connect(client.get(), &TcpSocketClient::newDatagram, this, [&](const QByteArray &line) {
            lines.append(line);
            client->setReading(false);
        });
        connect(
            client.get(), &TcpSocketClient::disconnected, this, [&] { client->setReading(true); });
        QSignalSpy connected(client.get(), &TcpSocketClient::connected);
        peer.send("{\"old\":1}\r\n{\"old\":2}\r\n");
        QTRY_COMPARE(lines.size(), 1);
        peer.closeClient();
        QVERIFY(connected.wait(5000) && peer.waitForConnections(2));
        client->setReading(true);
        peer.sendLine("{\"new\":1}");
        QTRY_COMPARE(lines.size(), 2);
        QCOMPARE(lines.last(), QByteArray("{\"new\":1}"));
    }

    void oversizedLineIsCutOff_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("never terminated") << QByteArray();
        QTest::newRow("terminated past the limit") << QByteArray("\r\n{\"after\":1}\r\n");
    }

    void oversizedLineIsCutOff()
    {
        QFETCH(QByteArray, tail);
        ScriptedPeer peer;
        auto client = connectedTo(peer);
        QVERIFY(client);
        client->stop();
        QSignalSpy lines(client.get(), &TcpSocketClient::newDatagram);
        QSignalSpy disconnected(client.get(), &TcpSocketClient::disconnected);
        peer.send(QByteArray(TcpSocketClient::MaxLineLength + 1, 'x') + tail);
        QVERIFY(disconnected.wait(10000));
        QCOMPARE(lines.count(), 0);
        // Going away says nothing more.
        client.reset();
        QCOMPARE(disconnected.count(), 1);
    }
};

VELTRA2_TEST_MAIN(TestTcpSocketClient)
#include "tst_tcpsocketclient.moc"
