#include "common/runnerfixture.h"
#include "common/testmain.h"

#include <QTest>

namespace {
const QByteArray Busy = "{\"code\":1,\"error\":\"busy\"}";

QByteArray getReply(const QByteArray &name, const QByteArray &content)
{
    return "{\"data\":\"" + content.toBase64() + "\",\"get\":\"" + name + "\"}";
}

// The runner identified as `board`, with the dev and get requests answered
// by failures and the first state request still outstanding.
bool identified(RunnerFixture &f, const QByteArray &board)
{
    if (!f.connect())
        return false;
    f.peer.sendLine("{\"board\":\"" + board + "\"}");
    f.peer.sendLine(Busy);
    f.peer.sendLine(Busy);
    return f.peer.waitForLines(4);
}

QStringList tableRows(VariantMapModel *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->data(table->index(r), VariantMapModel::TKeyRole).toString() + "="
                + table->data(table->index(r), VariantMapModel::TValueRole).toString();
    return rows;
}
} // namespace

class TestRunnerReplies : public QObject {
    Q_OBJECT

private slots:
    void stateFeedsSeriesTableAndStatus_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QByteArray>("state");
        QTest::addColumn<QList<qreal>>("points");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("cloud");
        QTest::addColumn<bool>("modbus");

        QTest::newRow("wired") << QByteArray("veltra-2u")
                               << QByteArray("{\"value\":21.5,\"modbus\":false,\"mqtt\":true}")
                               << QList<qreal> { 21.5 }
                               << QStringList { "Modbus=false", "Mqtt=true", "Value=21.5" } << true
                               << false;
        QTest::newRow("wifi") << QByteArray("veltra-2w")
                              << QByteArray("{\"value\":{\"t\":21.5,\"h\":40}}")
                              << QList<qreal> { 21.5, 40 } << QStringList { "Value=H: 40, T: 21.5" }
                              << false << false;
        QTest::newRow("wifi without humidity")
            << QByteArray("veltra-2w") << QByteArray("{\"value\":{\"t\":19},\"modbus\":true}")
            << QList<qreal> { 19, 0 } << QStringList { "Modbus=true", "Value=T: 19" } << false
            << true;
        QTest::newRow("wired given an object")
            << QByteArray("veltra-2u") << QByteArray("{\"value\":{\"t\":19},\"mqtt\":\"yes\"}")
            << QList<qreal> { 0 } << QStringList { "Value=T: 19", "Mqtt=yes" } << false << false;
    }

    void stateFeedsSeriesTableAndStatus()
    {
        QFETCH(QByteArray, board);
        QFETCH(QByteArray, state);
        QFETCH(QList<qreal>, points);
        QFETCH(QStringList, rows);
        QFETCH(bool, cloud);
        QFETCH(bool, modbus);
        RunnerFixture f;
        QVERIFY(identified(f, board));
        VariantMapModel *table = f.runner->stateTableModel();
        QList<qreal> seenAtSignal;
        QStringList rowsAtSignal;
        QList<bool> status;
        connect(f.runner.get(), &IOTRunner::deviceUpdate, this, [&](bool c, bool m) {
            for (int i = 0; f.runner->chartData(i); ++i)
                seenAtSignal += f.runner->chartData(i)->getValues();
            rowsAtSignal = tableRows(table);
            status = { c, m };
        });
        f.peer.sendLine(state);
        f.settle();
        QCOMPARE(seenAtSignal, points);
        rows.sort();
        QStringList sortedRows = rowsAtSignal;
        sortedRows.sort();
        QCOMPARE(sortedRows, rows);
        QCOMPARE(status, (QList<bool> { cloud, modbus }));
    }

    void stateWithoutSeriesStillFillsTheTable()
    {
        RunnerFixture f;
        QSignalSpy updates(f.runner.get(), &IOTRunner::deviceUpdate);
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        QVERIFY(identified(f, "veltra-2w"));
        f.peer.sendLine("{\"value\":{\"t\":1,\"h\":2}}");
        f.settle();
        // Reconnected, but this time the identification fails: the model is
        // remembered, its series are gone.
        f.peer.closeClient();
        QVERIFY(gone.wait(5000));
        QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(3));
        for (int i = 0; i < 3; ++i)
            f.peer.sendLine(Busy);
        f.settle();
        f.tick();
        QVERIFY(f.peer.waitForLines(4));
        f.peer.sendLine("{\"value\":{\"t\":5,\"h\":6},\"extra\":1}");
        f.settle();
        QVERIFY(!f.runner->chartData(0));
        QCOMPARE(updates.count(), 2);
        QCOMPARE(tableRows(f.runner->stateTableModel()),
            (QStringList { "Extra=1", "Value=H: 6, T: 5" }));
    }

    void stateBeforeIdentificationHasNoPoints()
    {
        RunnerFixture f;
        QSignalSpy updates(f.runner.get(), &IOTRunner::deviceUpdate);
        QVERIFY(f.connect());
        for (int i = 0; i < 3; ++i)
            f.peer.sendLine(Busy);
        f.settle();
        f.tick();
        QVERIFY(f.peer.waitForLines(4));
        f.peer.sendLine("{\"value\":3,\"mqtt\":true}");
        f.settle();
        QCOMPARE(updates.count(), 1);
        QCOMPARE(updates.at(0).at(0).toBool(), true);
        QCOMPARE(f.runner->stateTableModel()->rowCount(), 2);
    }

    void disconnectingEmptiesTheTable()
    {
        RunnerFixture f;
        QVERIFY(identified(f, "veltra-2u"));
        f.peer.sendLine("{\"value\":3}");
        f.settle();
        QCOMPARE(f.runner->stateTableModel()->rowCount(), 1);
        f.runner->disconnectFromHost();
        QCOMPARE(f.runner->stateTableModel()->rowCount(), 0);
    }

    void configurationArrives_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<QByteArray>("uploadedAfterUpdate");

        // What the device sent first, and an update of it keeping every member.
        const QByteArray kept = "{\"mqtt-id\":\"m-1\",\"net-mode\":\"ap\",\"net-ssid\":\"lab\","
                                "\"sys-mode\":\"web\"}";
        QTest::newRow("object") << getReply("settings.cfg", "{\"net-mode\":\"if\"}") << true
                                << QByteArray("{\"net-mode\":\"if\",\"net-ssid\":\"lab\"}");
        QTest::newRow("not JSON") << getReply("settings.cfg", "{broken") << false << kept;
        QTest::newRow("array") << getReply("settings.cfg", "[1,2]") << false << kept;
        QTest::newRow("text") << getReply("settings.cfg", "\"web\"") << false << kept;
        // Read leniently, "e30*" would be the empty object.
        QTest::newRow("not Base64")
            << QByteArray("{\"data\":\"e30*\",\"get\":\"settings.cfg\"}") << false << kept;
        QTest::newRow("other file")
            << getReply("Settings.cfg", "{\"net-mode\":\"if\"}") << false << kept;
    }

    void configurationArrives()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, announced);
        QFETCH(QByteArray, uploadedAfterUpdate);
        RunnerFixture f;
        QSignalSpy config(f.runner.get(), &IOTRunner::deviceConfig);
        QSignalSpy mqtt(f.runner.get(), &IOTRunner::mqttConfig);
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(getReply(
            "settings.cfg", "{\"mqtt-id\":\"m-1\",\"net-mode\":\"ap\",\"sys-mode\":\"web\"}"));
        QVERIFY(config.wait(5000));
        f.runner->requestConfig();
        QVERIFY(f.peer.waitForLines(4));
        f.peer.sendLine(reply);
        // A request behind it proves the reply handled.
        f.runner->requestDevInfo();
        QVERIFY(f.peer.waitForLines(5));
        QSignalSpy info(f.runner.get(), &IOTRunner::deviceInfo);
        f.peer.sendLine("{}");
        QVERIFY(info.wait(5000));
        QCOMPARE(config.count(), announced ? 2 : 1);
        QCOMPARE(mqtt.count(), config.count());
        QCOMPARE(config.last().at(0), mqtt.last().at(0));

        f.runner->updateConfig({ { "net-ssid", "lab" } });
        QTRY_VERIFY(f.peer.received().endsWith("\r\n" + uploadedAfterUpdate));
    }

    void configurationStaysWithItsDevice_data()
    {
        QTest::addColumn<QList<QByteArray>>("secondAnswers");
        QTest::newRow("not answered yet") << QList<QByteArray> {};
        QTest::newRow("read failed") << QList<QByteArray> { Busy, Busy, Busy };
        QTest::newRow("unreadable")
            << QList<QByteArray> { Busy, Busy, getReply("settings.cfg", "{broken") };
    }

    void configurationStaysWithItsDevice()
    {
        QFETCH(QList<QByteArray>, secondAnswers);
        RunnerFixture f;
        QSignalSpy config(f.runner.get(), &IOTRunner::deviceConfig);
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(
            getReply("settings.cfg", "{\"net-pwd\":\"secret-of-a\",\"mqtt-id\":\"a\"}"));
        QVERIFY(config.wait(5000));
        f.runner->disconnectFromHost();

        ScriptedPeer second;
        QSignalSpy connected(f.runner.get(), &IOTRunner::connectedToHost);
        f.runner->connectToHost(QStringLiteral("127.0.0.1"), second.port());
        QVERIFY(connected.wait(5000) && second.waitForLines(3));
        for (const QByteArray &answer : secondAnswers)
            second.sendLine(answer);
        f.settle();
        f.alertSpy->clear();
        f.runner->updateConfig({ { "net-ssid", "lab" } });
        // The next line the device sees is the one after it: nothing went out.
        f.runner->requestDevInfo();
        QVERIFY(second.waitForLines(4));
        QCOMPARE(second.lines().at(3), QByteArray("{\"query\":\"dev\"}"));
        QVERIFY(!second.received().contains("secret-of-a"));
        QCOMPARE(f.alerts(), QStringList { "Device configuration has not been read yet" });
    }

    void acknowledgementsAndFollowUps_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("followUp");

        QTest::newRow("key upload")
            << "key"
            << "File mqtt.key.der uploaded" << QByteArray("{\"query\":\"dev\"}");
        QTest::newRow("certificate upload")
            << "cert"
            << "File mqtt.cert.der uploaded" << QByteArray("{\"query\":\"dev\"}");
        QTest::newRow("configuration upload") << "config"
                                              << "File settings.cfg uploaded" << QByteArray();
        QTest::newRow("cloud registration")
            << "cloud"
            << "Cloud settings applied"
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"get\"}");
    }

    void acknowledgementsAndFollowUps()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        QFETCH(QByteArray, followUp);
        RunnerFixture f;
        QVERIFY(identified(f, "veltra-2u"));
        f.peer.sendLine("{\"value\":1}");
        f.settle();
        f.alertSpy->clear();
        if (command == "key")
            f.runner->upload("k", "mqtt.key.der");
        else if (command == "cert")
            f.runner->upload("c", "mqtt.cert.der");
        else if (command == "config")
            f.runner->resetConfig();
        else
            f.runner->setupCloud("id-1");
        QTest::qWait(100); // the whole upload, payload included, is on the wire
        const QByteArray before = f.peer.received();
        f.peer.sendLine("{\"code\":0}");
        f.settle();
        QCOMPARE(f.alerts(), QStringList { message });
        if (followUp.isEmpty())
            QCOMPARE(f.peer.received(), before);
        else
            QTRY_COMPARE(f.peer.received(), before + followUp + "\r\n");
        if (!followUp.isEmpty()) {
            // It was queued: its reply is paired with it.
            f.peer.sendLine(Busy);
            f.settle();
            QVERIFY(f.alerts().last().startsWith(
                "Cannot execte " + QString(followUp.contains("dev") ? "dev" : "get")));
        }
    }

    void historyPerModel()
    {
        RunnerFixture f;
        QSignalSpy interval(f.runner.get(), &IOTRunner::histIntervalUpdated);
        QVERIFY(identified(f, "veltra-2w"));
        f.peer.sendLine("{\"value\":{\"t\":1,\"h\":2}}");
        f.runner->requestHistory();
        QVERIFY(f.peer.waitForLines(5));
        f.peer.sendLine("{\"t\":{\"data\":[20,21],\"interval\":1000},\"h\":{\"data\":[40,41],"
                        "\"interval\":1000}}");
        QVERIFY(interval.wait(5000));
        QCOMPARE(interval.at(0).at(0).toInt(), 1000);
        HistoryDataModel *history = f.runner->historyModel();
        QCOMPARE(history->rowCount(), 2);
        QCOMPARE(history->data(history->index(1), HistoryDataModel::ValueRole).toString(),
            QStringLiteral("21 \u2103 ,41 % "));
    }

    void historyBeforeIdentificationIsIgnored()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.runner->requestHistory();
        for (int i = 0; i < 3; ++i)
            f.peer.sendLine(Busy);
        f.peer.sendLine("{\"data\":[1,2],\"interval\":1000}");
        f.settle();
        QCOMPARE(f.runner->historyModel()->rowCount(), 0);
    }

    void rebootClosesTheLink()
    {
        RunnerFixture f;
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        QVERIFY(identified(f, "veltra-2u"));
        f.peer.sendLine("{\"value\":1}");
        f.settle();
        f.alertSpy->clear();
        f.runner->requestReboot();
        QVERIFY(f.peer.waitForLines(5));
        f.peer.sendLine("{}");
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(), (QStringList { "Device will reboot", "Connection closed" }));
        QVERIFY(f.peer.waitForConnections(2));
    }
};

VELTRA2_TEST_MAIN(TestRunnerReplies)
#include "tst_runnerreplies.moc"
