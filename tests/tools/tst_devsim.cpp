#include "common/devsimprocess.h"
#include "common/testmain.h"
#include "link/protocol.h"
#include "runner/iotrunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {
// A plain socket speaking the protocol, one reply per request.
class Line {
public:
    bool open(quint16 port)
    {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        return socket.waitForConnected(5000);
    }
    QJsonObject ask(const QByteArray &request, const QByteArray &payload = {})
    {
        socket.write(request + "\r\n" + payload);
        while (!socket.canReadLine())
            if (!socket.waitForReadyRead(5000))
                return { { "timeout", true } };
        return QJsonDocument::fromJson(socket.readLine().trimmed()).object();
    }
    bool waitForClose()
    {
        return socket.state() == QAbstractSocket::UnconnectedState
            || socket.waitForDisconnected(5000);
    }

private:
    QTcpSocket socket;
};

QByteArray file(const QJsonObject &getReply)
{
    return QByteArray::fromBase64(getReply.value(Protocol::Data).toString().toLatin1());
}
} // namespace

class TestDevsim : public QObject {
    Q_OBJECT

private slots:
    void answersEveryRequestOfBothModels_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("wired") << "2u";
        QTest::newRow("wifi") << "2w";
    }

    void answersEveryRequestOfBothModels()
    {
        QFETCH(QString, model);
        const bool wifi = model == "2w";
        DevsimProcess sim;
        QVERIFY(sim.start({ "--model", model, "--history-samples", "5" }));
        Line line;
        QVERIFY(line.open(sim.port()));

        QCOMPARE(line.ask("{\"query\":\"info\"}").value(Protocol::Board).toString(),
            wifi ? Protocol::BoardWifi : Protocol::BoardWired);
        const QJsonObject state = line.ask("{\"query\":\"state\"}");
        QCOMPARE(state.value(Protocol::Value).isObject(), wifi);
        QVERIFY(state.value(Protocol::Modbus).isBool() && state.value(Protocol::Mqtt).isBool());
        const QJsonObject history = line.ask("{\"query\":\"history\"}");
        const QJsonObject series = wifi ? history.value(Protocol::Humidity).toObject() : history;
        QCOMPARE(series.value(Protocol::Data).toArray().size(), 5);
        QCOMPARE(series.value(Protocol::Interval).toInt(), 900000);

        // The payload is raw: a CR LF inside it is not a line end.
        const QByteArray cert("\x30\x82\r\n\x00\x01", 6);
        QCOMPARE(line.ask("{\"name\":\"mqtt.cert.der\",\"query\":\"put\",\"size\":6}", cert)
                     .value(Protocol::Code)
                     .toInt(),
            0);
        QCOMPARE(file(line.ask("{\"name\":\"mqtt.cert.der\",\"query\":\"get\"}")), cert);
        QCOMPARE(line.ask("{\"query\":\"dev\"}").value(Protocol::Cert).toBool(), true);

        const QByteArray config = "{\"net-mode\":\"if\",\"sys-mode\":\"tcp\"}";
        line.ask("{\"name\":\"settings.cfg\",\"query\":\"put\",\"size\":"
                + QByteArray::number(config.size()) + "}",
            config);
        line.ask("{\"id\":\"dev-42\",\"query\":\"scloud\"}");
        const QJsonObject stored = QJsonDocument::fromJson(
            file(line.ask("{\"name\":\"settings.cfg\",\"query\":\"get\"}")))
                                       .object();
        QCOMPARE(stored.value(Protocol::NetMode).toString(), QStringLiteral("if"));
        QCOMPARE(stored.value(Protocol::MqttId).toString(), QStringLiteral("dev-42"));
        QCOMPARE(line.ask("{\"query\":\"state\"}").value(Protocol::Modbus).toBool(), true);

        // Factory settings.
        line.ask("{\"name\":\"settings.cfg\",\"query\":\"put\",\"size\":2}", "{}");
        QCOMPARE(
            QJsonDocument::fromJson(file(line.ask("{\"name\":\"settings.cfg\",\"query\":\"get\"}")))
                .object()
                .value(Protocol::SysMode)
                .toString(),
            QStringLiteral("web"));

        QCOMPARE(line.ask("{\"query\":\"bogus\"}").value(Protocol::Code).toInt(), 1);
        QCOMPARE(line.ask("{\"query\":\"reset\"}").value(Protocol::Code).toInt(), 0);
        QVERIFY(line.waitForClose());
    }

    void runnerKeepsTheDeviceConnected()
    {
        DevsimProcess sim;
        QVERIFY(sim.start({ "--model", "2u" }));
        IOTRunner runner;
        runner.setPollInterval(100);
        runner.setRetryInterval(10);
        QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
        QSignalSpy gone(&runner, &IOTRunner::disconnectedFromHost);
        runner.connectToHost(QStringLiteral("127.0.0.1"), sim.port());
        QVERIFY(connected.wait(5000));
        QVERIFY(sim.waitForReceived(5));
        const QList<QByteArray> lines = sim.received();
        QCOMPARE(lines.mid(0, 3),
            (QList<QByteArray> { "{\"query\":\"info\"}", "{\"query\":\"dev\"}",
                "{\"name\":\"settings.cfg\",\"query\":\"get\"}" }));
        QCOMPARE(lines.at(3), QByteArray("{\"query\":\"state\"}"));
        QCOMPARE(lines.at(4), QByteArray("{\"query\":\"state\"}"));

        // The device goes away and comes back on the same port.
        const quint16 port = sim.port();
        sim.kill();
        QVERIFY(gone.wait(5000));
        QVERIFY(sim.start({ "--model", "2u" }, port));
        QVERIFY(connected.wait(5000));
        QVERIFY(sim.waitForReceived(3));
        QCOMPARE(sim.received().at(0), QByteArray("{\"query\":\"info\"}"));
    }

    void runnerDrivesEitherModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("sensors");
        QTest::newRow("wired") << "2u" << 1;
        QTest::newRow("wifi") << "2w" << 2;
    }

    void runnerDrivesEitherModel()
    {
        QFETCH(QString, model);
        QFETCH(int, sensors);
        DevsimProcess sim;
        QVERIFY(sim.start(
            { "--model", model, "--history-samples", "48", "--history-interval", "60000" }));
        IOTRunner runner;
        runner.setPollInterval(50);
        runner.setRetryInterval(10);
        QSignalSpy updates(&runner, &IOTRunner::deviceUpdate);
        QSignalSpy config(&runner, &IOTRunner::deviceConfig);
        QSignalSpy info(&runner, &IOTRunner::deviceInfo);
        QSignalSpy interval(&runner, &IOTRunner::histIntervalUpdated);
        QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
        QSignalSpy alerts(&runner, &IOTRunner::alert);
        runner.connectToHost(QStringLiteral("127.0.0.1"), sim.port());
        QTRY_VERIFY_WITH_TIMEOUT(updates.count() >= 3, 10000);
        QCOMPARE(info.count(), 1);
        QCOMPARE(config.count(), 1);
        QCOMPARE(config.at(0).at(0).toMap().value("sys-mode").toString(), QStringLiteral("web"));
        for (int i = 0; i < sensors; ++i)
            QVERIFY(runner.chartData(i)->getValues().size() >= 3);
        QVERIFY(!runner.chartData(sensors));
        QVERIFY(runner.stateTableModel()->rowCount() >= 3);

        runner.requestHistory();
        QVERIFY(interval.wait(5000));
        QCOMPARE(interval.at(0).at(0).toInt(), 60000);
        QCOMPARE(runner.historyModel()->rowCount(), 48);

        // A changed configuration is what the device hands back next time.
        runner.updateConfig({ { "net-ssid", "lab" }, { "sys-mode", "tcp" } });
        QTRY_VERIFY(alerts.count() >= 1);
        QCOMPARE(alerts.last().at(0).toString(), QStringLiteral("File settings.cfg uploaded"));
        runner.requestConfig();
        QVERIFY(config.wait(5000));
        const QVariantMap stored = config.last().at(0).toMap();
        QCOMPARE(stored.value("net-ssid").toString(), QStringLiteral("lab"));
        QCOMPARE(stored.value("sys-mode").toString(), QStringLiteral("tcp"));
        QCOMPARE(stored.value("net-mode").toString(), QStringLiteral("ap"));

        // A reboot drops the link, which comes back and identifies the device again.
        QSignalSpy setup(&runner, &IOTRunner::deviceSetup);
        runner.requestReboot();
        QVERIFY(connected.wait(5000));
        QVERIFY(setup.wait(5000));
        QCOMPARE(setup.at(0).at(0).toInt(), sensors);
        QVERIFY(alerts.count() >= 3);
        QCOMPARE(
            alerts.at(alerts.count() - 2).at(0).toString(), QStringLiteral("Device will reboot"));
        QCOMPARE(alerts.last().at(0).toString(), QStringLiteral("Connection closed"));
    }
};

VELTRA2_TEST_MAIN(TestDevsim)
#include "tst_devsim.moc"
