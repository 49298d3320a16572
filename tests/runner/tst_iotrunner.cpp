#include "common/scriptedpeer.h"
#include "common/testmain.h"
#include "link/tcpsocketclient.h"
#include "runner/iotrunner.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
const QList<QByteArray> StartupLines { "{\"query\":\"info\"}", "{\"query\":\"dev\"}",
    "{\"name\":\"settings.cfg\",\"query\":\"get\"}" };
const QByteArray StateLine = "{\"query\":\"state\"}";
// Answers any request without side effects beyond a message.
const QByteArray Failure = "{\"code\":1,\"error\":\"busy\"}";
} // namespace

class TestIOTRunner : public QObject {
    Q_OBJECT

private:
    // A runner whose poll only ticks when the test says so.
    static std::unique_ptr<IOTRunner> makeRunner()
    {
        auto runner = std::make_unique<IOTRunner>();
        runner->setPollInterval(3600 * 1000);
        runner->setRetryInterval(10);
        return runner;
    }

    static bool connectTo(IOTRunner &runner, ScriptedPeer &peer)
    {
        QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
        runner.connectToHost(QStringLiteral("127.0.0.1"), peer.port());
        return connected.wait(5000) && peer.waitForLines(StartupLines.size());
    }

    static void tick(IOTRunner &runner) { QMetaObject::invokeMethod(&runner, "tcp_timer"); }

private slots:
    void connectionStartsWithThreeRequests()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QByteArray seenAtSignal = "not emitted";
        connect(runner.get(), &IOTRunner::connectedToHost, this,
            [&] { seenAtSignal = peer.received(); });
        QVERIFY(connectTo(*runner, peer));
        QCOMPARE(peer.received(),
            QByteArray(StartupLines.at(0) + "\r\n" + StartupLines.at(1) + "\r\n"
                + StartupLines.at(2) + "\r\n"));
        // The requests had left before anyone was told of the connection.
        QVERIFY(seenAtSignal != "not emitted");
    }

    void connectToHostRemembersTheEndpoint()
    {
        auto runner = makeRunner();
        runner->connectToHost(QStringLiteral("127.0.0.3"), 70000);
        QSettings settings;
        QCOMPARE(settings.value("host").toString(), QStringLiteral("127.0.0.3"));
        QCOMPARE(settings.value("port").toInt(), 70000);
    }

    void pollsOnlyWhenNothingIsOutstanding()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QVERIFY(connectTo(*runner, peer));
        tick(*runner);
        QTest::qWait(20);
        QCOMPARE(peer.lines().size(), 3); // three requests still unanswered
        for (int i = 0; i < 3; ++i)
            peer.sendLine(Failure);
        QTest::qWait(20);
        tick(*runner);
        QVERIFY(peer.waitForLines(4));
        QCOMPARE(peer.lines().last(), StateLine);
        tick(*runner); // the state request is unanswered: no second one
        QTest::qWait(20);
        QCOMPARE(peer.lines().size(), 4);
    }

    void silentDeviceIsDroppedAtTheThirdTick()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QSignalSpy alerts(runner.get(), &IOTRunner::alert);
        QSignalSpy gone(runner.get(), &IOTRunner::disconnectedFromHost);
        QVERIFY(connectTo(*runner, peer)); // first tick inside the connection handling
        tick(*runner);
        QTest::qWait(20);
        QCOMPARE(gone.count(), 0);
        tick(*runner);
        QVERIFY(gone.count() == 1 || gone.wait(5000));
        QCOMPARE(alerts.count(), 1);
        QCOMPARE(alerts.at(0).at(0).toString(), QStringLiteral("Connection closed"));
        // Still started: the link comes back by itself.
        QVERIFY(peer.waitForConnections(2));
    }

    void slowRepliesHoursApartKeepTheLink()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QSignalSpy gone(runner.get(), &IOTRunner::disconnectedFromHost);
        QVERIFY(connectTo(*runner, peer));
        int answered = 0;
        auto answerAll = [&] {
            while (answered < peer.lines().size()) {
                peer.sendLine(Failure);
                ++answered;
            }
            QTest::qWait(20);
        };
        tick(*runner); // the start-up requests are late once
        answerAll();
        for (int round = 0; round < 3; ++round) {
            tick(*runner); // queue empty: a state request leaves
            QVERIFY(peer.waitForLines(answered + 1));
            tick(*runner); // that one is late...
            tick(*runner); // ...twice in a row, but then it comes
            answerAll();
        }
        QCOMPARE(gone.count(), 0);
        // Three ticks in a row with no answer still end the link.
        tick(*runner);
        QVERIFY(peer.waitForLines(answered + 1));
        tick(*runner);
        tick(*runner);
        QCOMPARE(gone.count(), 0);
        tick(*runner);
        QVERIFY(gone.count() == 1 || gone.wait(5000));
    }

    void disconnectWhileConnectedStaysDisconnected()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QVERIFY(connectTo(*runner, peer));
        QSignalSpy alerts(runner.get(), &IOTRunner::alert);
        QSignalSpy gone(runner.get(), &IOTRunner::disconnectedFromHost);
        runner->disconnectFromHost();
        QVERIFY(gone.count() == 1 || gone.wait(5000));
        QVERIFY(peer.waitForClientGone());
        QTest::qWait(500); // many retry periods of 10 ms ticks
        QCOMPARE(peer.connections(), 1);
        QCOMPARE(alerts.count(), 1);
        QCOMPARE(gone.count(), 1);
    }

    void disconnectWhileIdleSaysNothing()
    {
        auto runner = makeRunner();
        QSignalSpy alerts(runner.get(), &IOTRunner::alert);
        QSignalSpy gone(runner.get(), &IOTRunner::disconnectedFromHost);
        runner->disconnectFromHost();
        QTest::qWait(20);
        QCOMPARE(alerts.count(), 0);
        QCOMPARE(gone.count(), 0);
    }

    void connectFailuresAreToldOnce()
    {
        ScriptedPeer peer;
        const quint16 port = peer.port();
        peer.tcpServer()->close(); // refused until it listens again
        auto runner = makeRunner();
        auto *link = runner->findChild<TcpSocketClient *>();
        QSignalSpy failures(link, &TcpSocketClient::connectFailed);
        QSignalSpy alerts(runner.get(), &IOTRunner::alert);
        const QString refused
            = QString("Cannot connect to 127.0.0.1:%1: Connection refused. Retrying…").arg(port);
        runner->connectToHost(QStringLiteral("127.0.0.1"), port);
        QTRY_VERIFY_WITH_TIMEOUT(failures.count() >= 3, 5000);
        QCOMPARE(alerts.count(), 1);
        QCOMPARE(alerts.at(0).at(0).toString(), refused);

        // Another reason is told, and so is the first when it comes back.
        emit link->connectFailed(QStringLiteral("Network unreachable"));
        failures.clear();
        QVERIFY(failures.wait(5000));
        QCOMPARE(alerts.count(), 3);
        QCOMPARE(alerts.at(2).at(0).toString(), refused);

        // After a connection was made, a failure is news again.
        QSignalSpy connected(runner.get(), &IOTRunner::connectedToHost);
        QVERIFY(peer.tcpServer()->listen(QHostAddress::LocalHost, port));
        QVERIFY(connected.wait(5000));
        peer.tcpServer()->close();
        peer.closeClient();
        QTRY_VERIFY_WITH_TIMEOUT(alerts.count() == 5, 5000);
        QCOMPARE(alerts.at(3).at(0).toString(), QStringLiteral("Connection closed"));
        QCOMPARE(alerts.at(4).at(0).toString(), refused);

        // Disconnect while connecting: no more attempts.
        runner->disconnectFromHost();
        QVERIFY(peer.tcpServer()->listen(QHostAddress::LocalHost, port));
        QTest::qWait(500); // many retry periods of 10 ms ticks
        QCOMPARE(peer.connections(), 1);
    }

    void lostLinkReconnectsAndStartsAgain()
    {
        ScriptedPeer peer;
        auto runner = makeRunner();
        QVERIFY(connectTo(*runner, peer));
        QSignalSpy gone(runner.get(), &IOTRunner::disconnectedFromHost);
        QSignalSpy back(runner.get(), &IOTRunner::connectedToHost);
        peer.closeClient();
        QVERIFY(gone.wait(5000));
        QVERIFY(back.wait(5000));
        QVERIFY(peer.waitForLines(3));
        QCOMPARE(peer.lines(), StartupLines);
    }
};

VELTRA2_TEST_MAIN(TestIOTRunner)
#include "tst_iotrunner.moc"
