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

    void unknownDevicesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QString>("shownAs");

        QTest::newRow("spaces around a known name")
            << QByteArray("{\"board\":\" veltra-2u\"}") << " veltra-2u";
        QTest::newRow("markup") << QByteArray("{\"board\":\"<b>x</b>\"}") << "&lt;b&gt;x&lt;/b&gt;";
        QTest::newRow("a name of 100 000 characters") << "{\"board\":\"" + QByteArray(100000, 'y')
                + "\"}" << QString(63, 'y') + QChar(0x2026);
        QTest::newRow("not an object") << QByteArray("[{\"board\":\"veltra-2w\"}]")
                                       << "[{&quot;board&quot;:&quot;veltra-2w&quot;}]";
    }

    void unknownDevicesAreRefused()
    {
        QFETCH(QByteArray, info);
        QFETCH(QString, shownAs);
        RunnerFixture f;
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        QSignalSpy discovered(f.runner.get(), &IOTRunner::deviceDiscovered);
        QVERIFY(f.connect());
        f.peer.sendLine(info);
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(),
            (QStringList { "Device type " + shownAs
                    + " is not known. Please update the application or the device firmware",
                "Connection closed" }));
        QCOMPARE(discovered.count(), 0);
        QVERIFY(!f.runner->chartData(0));
        // The link comes back by itself, to be asked again.
        QVERIFY(f.peer.waitForConnections(2));
    }

    void repliesArePairedInOrder()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"code\":1,\"error\":\"<i>busy</i>\"}"); // info
        f.peer.sendLine("{\"code\":2,\"error\":\"ignored\"}"); // dev: not an error
        f.peer.sendLine("{\"code\":1,\"error\":\"" + QByteArray(1000, 'z') + "\"}"); // get
        // Nothing is outstanding any more: these answer nothing.
        for (int i = 0; i < 1000; ++i)
            f.peer.sendLine("{\"code\":1,\"error\":\"flood\"}");
        // The link's end comes after all of them.
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        f.peer.closeClient();
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(),
            (QStringList { "Cannot execte info. Device error &lt;i&gt;busy&lt;/i&gt;",
                "Cannot execte get. Device error " + QString(199, 'z') + QChar(0x2026),
                "Connection closed" }));
    }

    void unreadableLineForgetsTheQueue()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"code\":1,\"error\":\"e\"}"); // info
        f.peer.sendLine("{\"board\": truncated");
        // Would have answered "get"; now it answers nothing.
        f.peer.sendLine("{\"code\":1,\"error\":\"e\"}");
        f.settle();
        QCOMPARE(f.alerts(), QStringList { "Cannot execte info. Device error e" });
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
