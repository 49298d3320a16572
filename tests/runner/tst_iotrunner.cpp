#include "common/runnerfixture.h"
#include "common/testmain.h"
#include "link/tcpsocketclient.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using Command = std::function<void(IOTRunner &)>;
Q_DECLARE_METATYPE(Command)

namespace {
const QByteArray Busy = "{\"code\":1,\"error\":\"busy\"}";
const QByteArray Dev = "{\"query\":\"dev\"}";
const QString Celsius = QStringLiteral("\u2103");

QByteArray getReply(const QByteArray &name, const QByteArray &content)
{
    return "{\"data\":\"" + content.toBase64() + "\",\"get\":\"" + name + "\"}";
}

QString table(const QString &board, const QString &version, const QString &sensor)
{
    return "<table width=\"100%\" border=1><tr><td>Device:</td><td>" + board
        + "</td></tr><tr><td>Version:</td><td>" + version
        + "</td></tr><tr><td>Build:</td><td></td></tr><tr><td>Sensor:</td><td>" + sensor
        + "</td></tr></table>";
}

QStringList rows(VariantMapModel *model)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->data(model->index(r), VariantMapModel::TKeyRole).toString() + "="
                + model->data(model->index(r), VariantMapModel::TShownRole).toString();
    return out;
}
} // namespace

// The runner against a scripted device: what goes on the wire, what the
// replies do, and what it keeps for the operator.
class TestIOTRunner : public QObject {
    Q_OBJECT

private:
    // Connected, the start-up requests answered with failures and, once a
    // board is given, identified with the first state request outstanding.
    static bool ready(RunnerFixture &f, const QByteArray &board = {})
    {
        if (!f.connect())
            return false;
        f.peer.sendLine(board.isEmpty() ? Busy : "{\"board\":\"" + board + "\"}");
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        return f.peer.waitForLines(board.isEmpty() ? 3 : 4);
    }

    // The runner has handled everything sent before: a request after it is
    // answered in turn.
    static bool caughtUp(RunnerFixture &f)
    {
        QSignalSpy info(f.runner.get(), &IOTRunner::deviceInfo);
        f.runner->requestDevInfo();
        f.peer.sendLine("{}");
        return info.wait(5000);
    }

private slots:
    void startsPollsAndDropsAStalledLink()
    {
        RunnerFixture f;
        QByteArray atSignal;
        connect(f.runner.get(), &IOTRunner::connectedToHost, this,
            [&] { atSignal = f.peer.received(); });
        QVERIFY(f.connect());
        const QByteArray startup
            = "{\"query\":\"info\"}\r\n{\"query\":\"dev\"}\r\n{\"name\":\"settings.cfg\","
              "\"query\":\"get\"}\r\n";
        QCOMPARE(f.peer.received(), startup);
        QCOMPARE(atSignal.size(), 0); // the lines left before anyone was told
        // A tick with requests outstanding sends nothing; the next line is ours.
        f.tick();
        f.runner->requestDevInfo();
        QVERIFY(f.peer.waitForLines(4));
        QCOMPARE(f.peer.lines().at(3), Dev);
        // The third tick finding requests outstanding ends the link, which
        // comes back by itself and starts again.
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        f.tick();
        QVERIFY(gone.count() == 1 || gone.wait(5000));
        QCOMPARE(f.alerts(), QStringList { "Connection closed" });
        QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(3));
        QCOMPARE(f.peer.received(), startup);
        // Answered, the poll asks for the state, once.
        for (int i = 0; i < 3; ++i)
            f.peer.sendLine(Busy);
        QVERIFY(caughtUp(f));
        f.tick();
        f.tick();
        f.runner->requestDevInfo();
        QVERIFY(f.peer.waitForLines(6));
        QCOMPARE(f.peer.lines().mid(4), (QList<QByteArray> { "{\"query\":\"state\"}", Dev }));
    }

    void disconnectStaysDisconnected()
    {
        RunnerFixture f;
        QVERIFY(ready(f, "veltra-2u"));
        f.peer.sendLine("{\"value\":3}");
        QVERIFY(caughtUp(f));
        f.alertSpy->clear();
        QCOMPARE(f.runner->stateTableModel()->rowCount(), 1);
        f.runner->disconnectFromHost();
        QCOMPARE(f.runner->stateTableModel()->rowCount(), 0);
        QVERIFY(f.peer.waitForClientGone());
        f.runner->disconnectFromHost(); // idle: nothing more to say
        QTest::qWait(500); // many retry periods of 10 ms ticks
        QCOMPARE(f.peer.connections(), 1);
        QCOMPARE(f.alerts(), QStringList { "Connection closed" });
    }

    void connectFailuresAreToldOnce()
    {
        RunnerFixture f;
        const quint16 port = f.peer.port();
        f.peer.tcpServer()->close(); // refused until it listens again
        auto *link = f.runner->findChild<TcpSocketClient *>();
        QSignalSpy failures(link, &TcpSocketClient::connectFailed);
        const QString refused
            = QString("Cannot connect to 127.0.0.1:%1: Connection refused. Retrying…").arg(port);
        f.runner->connectToHost(QStringLiteral("127.0.0.1"), port);
        QTRY_VERIFY_WITH_TIMEOUT(failures.count() >= 3, 5000);
        QCOMPARE(f.alerts(), QStringList { refused });
        // Another reason is told, and so is the first when it comes back.
        emit link->connectFailed(QStringLiteral("Network unreachable"));
        failures.clear();
        QVERIFY(failures.wait(5000));
        QCOMPARE(f.alerts().mid(2), QStringList { refused });
        // After a connection was made, a failure is news again.
        QVERIFY(f.peer.tcpServer()->listen(QHostAddress::LocalHost, port));
        QVERIFY(f.peer.waitForConnections(1));
        f.peer.tcpServer()->close();
        f.peer.closeClient();
        QTRY_COMPARE_WITH_TIMEOUT(
            f.alerts().mid(3), (QStringList { "Connection closed", refused }), 5000);
        // Disconnect while connecting: no more attempts.
        f.runner->disconnectFromHost();
        QVERIFY(f.peer.tcpServer()->listen(QHostAddress::LocalHost, port));
        QTest::qWait(500);
        QCOMPARE(f.peer.connections(), 1);
    }

    void commandsWriteTheirLines_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("wire");

        QTest::newRow("config") << Command([](IOTRunner &r) { r.requestConfig(); })
                                << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"get\"}\r\n");
        QTest::newRow("reboot") << Command([](IOTRunner &r) { r.requestReboot(); })
                                << QByteArray("{\"query\":\"reset\"}\r\n");
        QTest::newRow("history") << Command([](IOTRunner &r) { r.requestHistory(); })
                                 << QByteArray("{\"query\":\"history\"}\r\n");
        QTest::newRow("cloud id with a quote")
            << Command([](IOTRunner &r) { r.setupCloud(QStringLiteral("ab\"c")); })
            << QByteArray("{\"id\":\"ab\\\"c\",\"query\":\"scloud\"}\r\n");
        QTest::newRow("upload of a payload holding CR LF")
            << Command([](IOTRunner &r) { r.upload("a\r\nb", "x.bin"); })
            << QByteArray("{\"name\":\"x.bin\",\"query\":\"put\",\"size\":4}\r\na\r\nb");
        QTest::newRow("empty upload")
            << Command([](IOTRunner &r) { r.upload({}, "e.bin"); })
            << QByteArray("{\"name\":\"e.bin\",\"query\":\"put\",\"size\":0}\r\n");
        QTest::newRow("factory settings")
            << Command([](IOTRunner &r) { r.resetConfig(); })
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"put\",\"size\":2}\r\n{}");
    }

    void commandsWriteTheirLines()
    {
        QFETCH(Command, command);
        QFETCH(QByteArray, wire);
        RunnerFixture f;
        command(*f.runner); // not connected: dropped
        QVERIFY(f.connect());
        const int before = f.peer.received().size();
        command(*f.runner);
        QVERIFY(f.peer.waitForBytes(before + wire.size()));
        f.runner->requestDevInfo();
        QVERIFY(f.peer.waitForBytes(before + wire.size() + Dev.size() + 2));
        QCOMPARE(f.peer.received().mid(before), wire + Dev + "\r\n");
        // Queued behind the start-up requests, in order.
        for (int i = 0; i < 5; ++i)
            f.peer.sendLine(Busy);
        const QString query
            = QString::fromLatin1(wire).section("\"query\":\"", 1).section('"', 0, 0);
        QTRY_COMPARE(f.alerts().value(3), "Cannot execte " + query + ". Device error busy");
        QCOMPARE(f.alerts().value(4), QStringLiteral("Cannot execte dev. Device error busy"));
    }

    void identifiesTheDevice_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QString>("expected");

        QTest::newRow("wired") << QByteArray(
            "{\"board\":\"veltra-2u\",\"stm\":\"1.0\",\"version\":\"2.3\"}")
                               << QStringList { Celsius } << table("veltra-2u", "2.3", "1.0");
        QTest::newRow("wi-fi in capitals, no sensor firmware")
            << QByteArray("{\"board\":\"VELTRA-2W\",\"version\":\"2.3\"}")
            << QStringList { Celsius, "%" } << table("VELTRA-2W", "2.3", "build is too old");
        QTest::newRow("markup, empty sensor firmware")
            << QByteArray("{\"board\":\"veltra-2u\",\"stm\":\"\",\"version\":\"<b>1</b>\"}")
            << QStringList { Celsius } << table("veltra-2u", "&lt;b&gt;1&lt;/b&gt;", "???");
    }

    void identifiesTheDevice()
    {
        QFETCH(QByteArray, info);
        QFETCH(QStringList, units);
        QFETCH(QString, expected);
        RunnerFixture f;
        QStringList events;
        connect(f.runner.get(), &IOTRunner::deviceSetup, this,
            [&](int n, const QStringList &u) { events << QString::number(n) + u.join(' '); });
        connect(f.runner.get(), &IOTRunner::sensorSetup, this, [&](int i, double lo, double hi) {
            events << QString("%1 %2 %3").arg(i).arg(lo).arg(hi);
        });
        connect(f.runner.get(), &IOTRunner::deviceDiscovered, this,
            [&](const QString &t) { events << t; });
        QVERIFY(f.connect());
        f.peer.sendLine(info);
        QVERIFY(f.peer.waitForLines(4));
        QCOMPARE(f.peer.lines().at(3), QByteArray("{\"query\":\"state\"}"));
        QStringList want { QString::number(units.size()) + units.join(' '), "0 -55 128" };
        if (units.size() == 2)
            want << "1 0 100";
        QCOMPARE(events, want << expected);
        QVERIFY(f.runner->chartData(units.size() - 1));
        QVERIFY(!f.runner->chartData(units.size()));
        QVERIFY(!f.runner->chartData(-1));
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
        QVERIFY(f.connect());
        f.peer.sendLine(info);
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(),
            (QStringList { "Device type " + shownAs
                    + " is not known. Please update the application or the device firmware",
                "Connection closed" }));
        QVERIFY(!f.runner->chartData(0));
        QVERIFY(f.peer.waitForConnections(2)); // asked again when it comes back
    }

    void repliesArePairedInOrder()
    {
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"code\":1,\"error\":\"<i>busy</i>\"}"); // info
        f.peer.sendLine("{\"board\": truncated"); // dev: unreadable, the queue is forgotten
        // Nothing is outstanding any more: a flood answers nothing.
        for (int i = 0; i < 1000; ++i)
            f.peer.sendLine("{\"code\":1,\"error\":\"" + QByteArray(1000, 'z') + "\"}");
        QSignalSpy gone(f.runner.get(), &IOTRunner::disconnectedFromHost);
        f.peer.closeClient(); // after all of them
        QVERIFY(gone.wait(5000));
        QCOMPARE(f.alerts(),
            (QStringList {
                "Cannot execte info. Device error &lt;i&gt;busy&lt;/i&gt;", "Connection closed" }));
        // A long device error is cut.
        QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(3));
        f.peer.sendLine("{\"code\":1,\"error\":\"" + QByteArray(1000, 'z') + "\"}");
        QTRY_COMPARE(f.alerts().value(2),
            "Cannot execte info. Device error " + QString(199, 'z') + QChar(0x2026));
    }

    void stateFeedsSeriesTableAndStatus_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QByteArray>("state");
        QTest::addColumn<QList<qreal>>("points");
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QList<bool>>("status");

        QTest::newRow("wired") << QByteArray("veltra-2u")
                               << QByteArray("{\"value\":21.5,\"modbus\":false,\"mqtt\":true}")
                               << QList<qreal> { 21.5 }
                               << QStringList { "Modbus=false", "Mqtt=true", "Value=21.5" }
                               << QList<bool> { true, false };
        QTest::newRow("wi-fi without humidity")
            << QByteArray("veltra-2w") << QByteArray("{\"value\":{\"t\":19},\"modbus\":true}")
            << QList<qreal> { 19, 0 } << QStringList { "Modbus=true", "Value=T: 19" }
            << QList<bool> { false, true };
        QTest::newRow("wired given an object")
            << QByteArray("veltra-2u") << QByteArray("{\"value\":{\"t\":19},\"mqtt\":\"yes\"}")
            << QList<qreal> { 0 } << QStringList { "Mqtt=yes", "Value=T: 19" }
            << QList<bool> { false, false };
    }

    void stateFeedsSeriesTableAndStatus()
    {
        QFETCH(QByteArray, board);
        QFETCH(QByteArray, state);
        QFETCH(QList<qreal>, points);
        QFETCH(QStringList, table);
        QFETCH(QList<bool>, status);
        RunnerFixture f;
        QVERIFY(ready(f, board));
        QList<qreal> seen;
        QStringList tableSeen;
        QList<bool> statusSeen;
        // Points, then the table, then the signal.
        connect(f.runner.get(), &IOTRunner::deviceUpdate, this, [&](bool cloud, bool modbus) {
            for (int i = 0; f.runner->chartData(i); ++i)
                seen += f.runner->chartData(i)->getValues();
            tableSeen = rows(f.runner->stateTableModel());
            statusSeen = { cloud, modbus };
        });
        f.peer.sendLine(state);
        QTRY_COMPARE(statusSeen, status);
        QCOMPARE(seen, points);
        QCOMPARE(tableSeen, table);
    }

    void configurationArrives_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<QByteArray>("uploaded");

        // What the device sent first, and an update of it keeping every member.
        const QByteArray kept
            = "{\"mqtt-id\":\"m-1\",\"net-mode\":\"ap\",\"net-ssid\":\"lab\",\"sys-mode\":\"web\"}";
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
        QFETCH(QByteArray, uploaded);
        RunnerFixture f;
        QSignalSpy config(f.runner.get(), &IOTRunner::deviceConfig);
        QSignalSpy mqtt(f.runner.get(), &IOTRunner::mqttConfig);
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(getReply(
            "settings.cfg", "{\"mqtt-id\":\"m-1\",\"net-mode\":\"ap\",\"sys-mode\":\"web\"}"));
        f.runner->requestConfig();
        f.peer.sendLine(reply);
        QVERIFY(caughtUp(f));
        QCOMPARE(config.count(), announced ? 2 : 1);
        QCOMPARE(mqtt.count(), config.count());
        QCOMPARE(config.last().at(0), mqtt.last().at(0));
        f.runner->updateConfig({ { "net-ssid", "lab" } });
        QTRY_VERIFY(f.peer.received().endsWith("\r\n" + uploaded));
    }

    void configurationStaysWithItsDevice_data()
    {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::newRow("not answered yet") << QList<QByteArray> {};
        QTest::newRow("read failed") << QList<QByteArray> { Busy, Busy, Busy };
        QTest::newRow("unreadable")
            << QList<QByteArray> { Busy, Busy, getReply("settings.cfg", "{broken") };
    }

    void configurationStaysWithItsDevice()
    {
        QFETCH(QList<QByteArray>, answers);
        RunnerFixture f;
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(
            getReply("settings.cfg", "{\"net-pwd\":\"secret-of-a\",\"mqtt-id\":\"a\"}"));
        QVERIFY(caughtUp(f));
        f.runner->disconnectFromHost();
        ScriptedPeer second;
        QSignalSpy connected(f.runner.get(), &IOTRunner::connectedToHost);
        f.runner->connectToHost(QStringLiteral("127.0.0.1"), second.port());
        QVERIFY(connected.wait(5000) && second.waitForLines(3));
        for (const QByteArray &answer : answers)
            second.sendLine(answer);
        f.settle();
        f.alertSpy->clear();
        f.runner->updateConfig({ { "net-ssid", "lab" } });
        // The next line the device sees is the one after it: nothing went out.
        f.runner->requestDevInfo();
        QVERIFY(second.waitForLines(4));
        QCOMPARE(second.lines().at(3), Dev);
        QCOMPARE(f.alerts(), QStringList { "Device configuration has not been read yet" });
    }

    void acknowledgementsAndFollowUps_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("followUp");

        QTest::newRow("key upload") << Command([](IOTRunner &r) { r.upload("k", "mqtt.key.der"); })
                                    << "File mqtt.key.der uploaded" << Dev;
        QTest::newRow("configuration upload") << Command([](IOTRunner &r) { r.resetConfig(); })
                                              << "File settings.cfg uploaded" << QByteArray();
        QTest::newRow("cloud registration")
            << Command([](IOTRunner &r) { r.setupCloud("id-1"); }) << "Cloud settings applied"
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"get\"}");
        QTest::newRow("reboot") << Command([](IOTRunner &r) { r.requestReboot(); })
                                << "Device will reboot" << QByteArray();
    }

    void acknowledgementsAndFollowUps()
    {
        QFETCH(Command, command);
        QFETCH(QString, message);
        QFETCH(QByteArray, followUp);
        RunnerFixture f;
        QVERIFY(ready(f));
        command(*f.runner);
        f.runner->requestDevInfo(); // the whole command has gone before it
        QTRY_VERIFY(f.peer.received().endsWith(Dev + "\r\n"));
        const QByteArray before = f.peer.received();
        f.alertSpy->clear();
        f.peer.sendLine("{\"code\":0}");
        QTRY_COMPARE(f.alerts().value(0), message);
        if (message == "Device will reboot") {
            QTRY_COMPARE(f.alerts(), (QStringList { message, "Connection closed" }));
            return;
        }
        f.runner->requestDevInfo(); // behind any follow-up
        const QByteArray after
            = (followUp.isEmpty() ? QByteArray() : followUp + "\r\n") + Dev + "\r\n";
        QVERIFY(f.peer.waitForBytes(before.size() + after.size()));
        QCOMPARE(f.peer.received(), before + after);
    }

    void historyPerModel()
    {
        RunnerFixture f;
        QSignalSpy interval(f.runner.get(), &IOTRunner::histIntervalUpdated);
        QVERIFY(ready(f, "veltra-2w"));
        f.runner->requestHistory();
        f.peer.sendLine("{\"value\":{\"t\":1,\"h\":2}}");
        f.peer.sendLine("{\"t\":{\"data\":[20,21.5],\"interval\":1000},\"h\":{\"data\":[41],"
                        "\"interval\":1000}}");
        QVERIFY(interval.wait(5000));
        QCOMPARE(interval.at(0).at(0).toInt(), 1000);
        HistoryDataModel *history = f.runner->historyModel();
        QCOMPARE(history->data(history->index(1), HistoryDataModel::ValueRole).toString(),
            "21.5 " + Celsius + " ,41 % ");
        QCOMPARE(
            f.runner->historyCsv().split('\n').first(), QByteArray("time,temperature,humidity\r"));
        QVERIFY(f.runner->historyFileName().startsWith("veltra2-history-veltra-2w-"));
    }

    void savedConnections()
    {
        {
            RunnerFixture f;
            f.runner->saveConnection("Nowhere"); // no address given yet
            f.runner->connectToHost("127.0.0.3", 70000);
            QCOMPARE(QSettings().value("port").toInt(), 70000);
            f.runner->saveConnection("Office");
            f.runner->saveConnection("Office again");
            ConnectionsListModel *list = f.runner->connListModel();
            QCOMPARE(list->data(list->index(0), ConnectionsListModel::PortRole).toInt(), 7999);
            QCOMPARE(
                list->data(list->index(1), ConnectionsListModel::PortRole).toInt(), 70000 - 65536);
            QCOMPARE(f.alerts(),
                (QStringList { "Connection saved", "Connection saved", "Connection exists" }));
            f.runner->disconnectFromHost();
            // A store that cannot be written: said, and left out.
            const QString store = QSettings().fileName();
            QFile::remove(store);
            QVERIFY(QDir().mkpath(store));
            f.runner->connectToHost("127.0.0.4", 8081);
            f.runner->disconnectFromHost();
            f.runner->saveConnection("Lab");
            const int rows = list->rowCount();
            QDir(store).removeRecursively();
            QCOMPARE(f.alerts().last(), QStringLiteral("Cannot save the connection"));
            QCOMPARE(rows, 2);
        }
        // Connecting from the list; a killed program loses nothing saved.
        QProcess saver;
        saver.start(QStringLiteral(CONNECTION_SAVER), QStringList());
        QVERIFY(saver.waitForReadyRead(10000));
        saver.kill(); // SIGKILL: no destructor runs
        QVERIFY(saver.waitForFinished(5000));
        QSettings().sync();
        RunnerFixture f;
        ConnectionsListModel *list = f.runner->connListModel();
        QCOMPARE(list->data(list->index(2), ConnectionsListModel::HostRole).toString(),
            QStringLiteral("127.0.0.2"));
        f.runner->connectFromList(-1);
        f.runner->connectFromList(3);
        QCOMPARE(QSettings().value("host").toString(), QStringLiteral("127.0.0.2"));
        f.runner->connectFromList(1);
        QCOMPARE(QSettings().value("host").toString(), QStringLiteral("127.0.0.3"));
        f.runner->disconnectFromHost();
    }

    void saveAs()
    {
        QTemporaryDir dir;
        RunnerFixture f;
        const QString url = QUrl::fromLocalFile(dir.filePath("cert.der")).toString();
        f.runner->saveAs(QByteArray("\x30\x82\x00", 3), url);
        QFile file(dir.filePath("cert.der"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x30\x82\x00", 3));
        // A plain path; the notification shows rich text, the path as it is.
        const QString odd = dir.filePath("<b>cert&co.der");
        f.runner->saveAs("new", odd);
        QVERIFY(QFile::exists(odd));
        const QString missing = dir.filePath("no/such/folder/x.der");
        f.runner->saveAs("data", missing);
        QCOMPARE(f.alerts().mid(0, 2),
            (QStringList { "Saved to " + url, "Saved to " + odd.toHtmlEscaped() }));
        QVERIFY(f.alerts().at(2).startsWith("Cannot write to " + missing + ": "));
    }

    void saveAsIntoAReadOnlyFolder()
    {
#ifdef Q_OS_UNIX
        const char *dropped = "VELTRA2_NO_DAC_OVERRIDE";
        if (::geteuid() == 0 && !qEnvironmentVariableIsSet(dropped)) {
            // Root writes anywhere: ask again without that privilege.
            QProcess self;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(dropped, "1");
            self.setProcessEnvironment(env);
            self.setProcessChannelMode(QProcess::MergedChannels);
            self.start(QStringLiteral("setpriv"),
                { "--bounding-set", "-dac_override,-dac_read_search",
                    QCoreApplication::applicationFilePath(), "saveAsIntoAReadOnlyFolder" });
            QVERIFY(self.waitForFinished(30000));
            QVERIFY2(self.exitCode() == 0, self.readAll().constData());
            return;
        }
#endif
        // A shared folder that takes no new file, holding a file we may rewrite.
        QTemporaryDir dir;
        const QString path = dir.filePath("export.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        RunnerFixture f;
        f.runner->saveAs("new", path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(f.alerts(), QStringList { "Saved to " + path });
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("new"));
    }
};

VELTRA2_TEST_MAIN(TestIOTRunner)
#include "tst_iotrunner.moc"
