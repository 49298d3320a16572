#include "common/runnerfixture.h"
#include "common/testmain.h"

#include <QTest>

namespace {
const QString Celsius = QStringLiteral("\u2103");

QString table(
    const QString &board, const QString &version, const QString &build, const QString &sensor)
{
    return "<table width=\"100%\" border=1><tr><td>Device:</td><td>" + board
        + "</td></tr><tr><td>Version:</td><td>" + version + "</td></tr><tr><td>Build:</td><td>"
        + build + "</td></tr><tr><td>Sensor:</td><td>" + sensor + "</td></tr></table>";
}
} // namespace

class TestReplyDispatch : public QObject {
    Q_OBJECT

private slots:
    void identifiesTheDevice_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QString>("expectedTable");

        QTest::newRow("wired, sensor firmware")
            << QByteArray(
                   "{\"board\":\"veltra-2u\",\"build\":\"b7\",\"stm\":\"1.0\",\"version\":\"2.3\"}")
            << QStringList { Celsius } << table("veltra-2u", "2.3", "b7", "1.0");
        QTest::newRow("wifi without sensor firmware")
            << QByteArray("{\"board\":\"veltra-2w\",\"build\":\"b7\",\"version\":\"2.3\"}")
            << QStringList { Celsius, "%" } << table("veltra-2w", "2.3", "b7", "build is too old");
        QTest::newRow("capitals, empty sensor firmware, no version")
            << QByteArray("{\"board\":\"VELTRA-2W\",\"stm\":\"\"}") << QStringList { Celsius, "%" }
            << table("VELTRA-2W", "", "", "???");
        QTest::newRow("markup from the device is shown as text")
            << QByteArray("{\"board\":\"veltra-2u\",\"build\":\"<img src=x>\",\"stm\":\"a&b\","
                          "\"version\":\"<b>1</b>\"}")
            << QStringList { Celsius }
            << table("veltra-2u", "&lt;b&gt;1&lt;/b&gt;", "&lt;img src=x&gt;", "a&amp;b");
    }

    void identifiesTheDevice()
    {
        QFETCH(QByteArray, info);
        QFETCH(QStringList, units);
        QFETCH(QString, expectedTable);
        RunnerFixture f;
        QStringList events;
        connect(f.runner.get(), &IOTRunner::deviceSetup, this, [&](int n, const QStringList &u) {
            events << QString("setup %1 %2").arg(n).arg(u.join(' '));
        });
        connect(f.runner.get(), &IOTRunner::sensorSetup, this, [&](int i, double lo, double hi) {
            events << QString("sensor %1 %2 %3").arg(i).arg(lo).arg(hi);
        });
        connect(f.runner.get(), &IOTRunner::deviceDiscovered, this,
            [&](const QString &t) { events << t; });
        QVERIFY(f.connect());
        f.peer.sendLine(info);
        QVERIFY(f.peer.waitForLines(4));
        QCOMPARE(f.peer.lines().at(3), QByteArray("{\"query\":\"state\"}"));

        QStringList expected { QString("setup %1 %2").arg(units.size()).arg(units.join(' ')),
            "sensor 0 -55 128" };
        if (units.size() == 2)
            expected << "sensor 1 0 100";
        expected << expectedTable;
        QCOMPARE(events, expected);
        QVERIFY(f.runner->chartData(units.size() - 1));
        QVERIFY(!f.runner->chartData(units.size()));
        QVERIFY(!f.runner->chartData(-1));
        QCOMPARE(f.alerts(), QStringList());
    }

    void unknownBoardIsRefusedOnEveryConnection()
    {
        RunnerFixture f;
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        QSignalSpy discovered(f.runner.get(), &IOTRunner::deviceDiscovered);
        QVERIFY(f.connect());
        f.peer.sendLine("{\"board\":\" veltra-2u\"}");
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(),
            (QStringList { "Device type  veltra-2u is not known. Please update the application or "
                           "the device firmware",
                "Connection closed" }));
        // The link comes back by itself and is refused the same way.
        QVERIFY(f.peer.waitForConnections(2));
        QVERIFY(f.peer.waitForLines(3));
        f.peer.sendLine("{\"board\":\"<b>x</b>\"}");
        QVERIFY(gone.wait(5000));
        QVERIFY(f.alerts().at(2).startsWith("Device type &lt;b&gt;x&lt;/b&gt; is not known."));
        QCOMPARE(discovered.count(), 0);
        QVERIFY(!f.runner->chartData(0));
    }

    void repliesArePairedInOrder()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"code\":1,\"error\":\"<i>busy</i>\"}"); // info
        f.peer.sendLine("{\"code\":2,\"error\":\"ignored\"}"); // dev: not an error
        f.peer.sendLine("{\"code\":1,\"error\":\"locked\"}"); // get
        f.peer.sendLine("{\"code\":1,\"error\":\"late\"}"); // nothing outstanding
        f.settle();
        QCOMPARE(f.alerts(),
            (QStringList { "Cannot execte info. Device error &lt;i&gt;busy&lt;/i&gt;",
                "Cannot execte get. Device error locked", "Cannot execte . Device error late" }));
    }

    void unreadableLineForgetsTheQueue()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"board\": truncated");
        // Would have answered "dev"; now it answers nothing.
        f.peer.sendLine("{\"code\":1,\"error\":\"e\"}");
        f.settle();
        QCOMPARE(f.alerts(), QStringList { "Cannot execte . Device error e" });
        f.tick();
        QVERIFY(f.peer.waitForLines(4));
        QCOMPARE(f.peer.lines().at(3), QByteArray("{\"query\":\"state\"}"));
    }

    void disconnectionDropsTheSeries()
    {
        RunnerFixture f;
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        QVERIFY(f.connect());
        f.peer.sendLine("{\"board\":\"veltra-2w\"}");
        f.settle();
        QVERIFY(f.runner->chartData(1));
        f.peer.closeClient();
        QVERIFY(gone.wait(5000));
        QVERIFY(!f.runner->chartData(0));
    }
};

VELTRA2_TEST_MAIN(TestReplyDispatch)
#include "tst_replydispatch.moc"
