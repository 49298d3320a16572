#include "common/scriptedpeer.h"
#include "common/testmain.h"
#include "link/tcpsocketclient.h"
#include "models/configbackup.h"
#include "runner/iotrunner.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
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

QByteArray getReply(const QByteArray &name, const QByteArray &content)
{
    return "{\"data\":\"" + content.toBase64() + "\",\"get\":\"" + name + "\"}";
}

// A runner and a scripted device; the poll ticks only when the test says so.
struct Fixture {
    Fixture()
    {
        runner.setPollInterval(3600 * 1000);
        runner.setRetryInterval(10);
        QObject::connect(&runner, &IOTRunner::alert, [this](const QString &a) { alerts << a; });
        QObject::connect(runner.connection(), &ConnectionState::changed, [this] {
            const QString now = runner.connection()->description();
            if (states.value(states.size() - 1) != now)
                states << now;
        });
    }

    // Connected, with the three start-up requests received; with `answers`,
    // those answered (a board identifies the device).
    bool connect(const QByteArray &board = {}, bool answer = false)
    {
        QSignalSpy connected(&runner, &IOTRunner::connectedToHost);
        runner.connectToHost(QStringLiteral("127.0.0.1"), peer.port());
        if (!connected.wait(5000) || !peer.waitForLines(3))
            return false;
        if (!answer && board.isEmpty())
            return true;
        for (const QByteArray &line :
            { board.isEmpty() ? Busy : "{\"board\":\"" + board + "\"}", Busy, Busy })
            peer.sendLine(line);
        return caughtUp();
    }

    // The runner has handled everything sent before: a request after it is
    // answered in turn.
    bool caughtUp()
    {
        QSignalSpy info(&runner, &IOTRunner::deviceInfo);
        runner.requestDevInfo();
        peer.sendLine("{}");
        return info.wait(5000);
    }

    void tick() { QMetaObject::invokeMethod(&runner, "tcp_timer"); }

    QStringList alerts; // outlives the runner
    QStringList states; // the connection's, in words, as they changed
    ScriptedPeer peer;
    IOTRunner runner;
};
// Made by openssl for the build: see make-test-keys.sh.
QByteArray keyFile(const QString &name)
{
    QFile f(QStringLiteral(TEST_KEYS_DIR "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : name.toUtf8();
}
} // namespace

// The runner against a scripted device: what goes on the wire, what the
// replies do, and what it keeps for the operator.
class TestIOTRunner : public QObject {
    Q_OBJECT

private slots:
    void startsPollsAndDropsAStalledLink()
    {
        Fixture f;
        QByteArray atSignal = "none";
        connect(
            &f.runner, &IOTRunner::connectedToHost, this, [&] { atSignal = f.peer.received(); });
        QVERIFY(f.connect());
        const QByteArray startup
            = "{\"query\":\"info\"}\r\n{\"query\":\"dev\"}\r\n{\"name\":\"settings.cfg\","
              "\"query\":\"get\"}\r\n";
        QCOMPARE(f.peer.received(), startup);
        QVERIFY(atSignal.isEmpty()); // told after the lines had left
        // The third tick finding requests outstanding ends the link, which
        // comes back by itself and starts again; the window keeps showing
        // the device meanwhile.
        QSignalSpy gone(&f.runner, &IOTRunner::disconnectedFromHost);
        f.tick();
        f.tick();
        QTRY_COMPARE(f.runner.connection()->state(), ConnectionState::Reconnecting);
        QCOMPARE(gone.count(), 0);
        QCOMPARE(f.alerts, QStringList { "Connection closed" });
        QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(3));
        QCOMPARE(f.peer.received(), startup);
        const QString at = "127.0.0.1:" + QString::number(f.peer.port());
        QTRY_COMPARE(f.states,
            (QStringList { "Connecting to " + at, "Connected to " + at,
                "Reconnecting to " + at + ": The device stopped answering",
                "Connected to " + at }));
        // Answered, the poll asks for the state, once.
        for (int i = 0; i < 3; ++i)
            f.peer.sendLine(Busy);
        QVERIFY(f.caughtUp());
        f.tick();
        f.tick();
        f.runner.requestDevInfo();
        QVERIFY(f.peer.waitForLines(6));
        QCOMPARE(f.peer.lines().mid(4), (QList<QByteArray> { "{\"query\":\"state\"}", Dev }));
    }

    void disconnectsAndFailuresToConnect()
    {
        Fixture f;
        QVERIFY(f.connect("veltra-2u"));
        f.peer.sendLine("{\"value\":3}");
        QVERIFY(f.caughtUp());
        const QString at = "127.0.0.1:" + QString::number(f.peer.port());
        QCOMPARE(f.runner.connection()->windowTitle(), "VELTRA2 \u2014 veltra-2u " + at);
        f.alerts.clear();
        f.states.clear();
        f.runner.disconnectFromHost();
        QCOMPARE(f.runner.connection()->windowTitle(), "VELTRA2");
        QCOMPARE(f.runner.stateTableModel()->rowCount(), 0);
        QCOMPARE(f.alerts, QStringList { "Connection closed" });
        // Refused, told once however often it is tried.
        const quint16 port = f.peer.port();
        f.peer.tcpServer()->close();
        auto *link = f.runner.findChild<TcpSocketClient *>();
        QSignalSpy failures(link, &TcpSocketClient::connectFailed);
        const QString refused
            = QString("Cannot connect to 127.0.0.1:%1: Connection refused. Retrying…").arg(port);
        f.runner.connectToHost(QStringLiteral("127.0.0.1"), port);
        QTRY_VERIFY_WITH_TIMEOUT(failures.count() >= 3, 5000);
        // Another reason is told, and so is the first when it comes back.
        emit link->connectFailed(QStringLiteral("Network unreachable"));
        failures.clear();
        QVERIFY(failures.wait(5000));
        QCOMPARE(f.alerts.mid(1),
            (QStringList { refused,
                "Cannot connect to 127.0.0.1:" + QString::number(port)
                    + ": Network unreachable. Retrying…",
                refused }));
        // Disconnect while trying: no more attempts.
        f.runner.disconnectFromHost();
        QCOMPARE(f.states,
            (QStringList { "Not connected", "Connecting to " + at,
                "Connecting to " + at + ": Connection refused",
                "Connecting to " + at + ": Network unreachable",
                "Connecting to " + at + ": Connection refused", "Not connected" }));
        QVERIFY(f.peer.tcpServer()->listen(QHostAddress::LocalHost, port));
        QTest::qWait(500); // many retry periods of 10 ms ticks
        QCOMPARE(f.peer.connections(), 1);
    }

    void commandsOnTheWire_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QByteArray>("followUp");

        const QByteArray ok = "{\"code\":0}";
        QTest::newRow("reboot") << Command([](IOTRunner &r) { r.requestReboot(); })
                                << QByteArray("{\"query\":\"reset\"}\r\n") << ok
                                << QStringList { "Device will reboot", "Connection closed" }
                                << QByteArray();
        QTest::newRow("history refused")
            << Command([](IOTRunner &r) { r.requestHistory(); })
            << QByteArray("{\"query\":\"history\"}\r\n") << Busy
            << QStringList { "Cannot execte history. Device error busy" } << QByteArray();
        QTest::newRow("cloud id with a quote")
            << Command([](IOTRunner &r) { r.setupCloud("ab\"c"); })
            << QByteArray("{\"id\":\"ab\\\"c\",\"query\":\"scloud\"}\r\n") << ok
            << QStringList { "Cloud settings applied" }
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"get\"}\r\n");
        QTest::newRow("refused upload of a payload holding CR LF")
            << Command([](IOTRunner &r) { r.upload("a\r\nb", "x.bin"); })
            << QByteArray("{\"name\":\"x.bin\",\"query\":\"put\",\"size\":4}\r\na\r\nb") << Busy
            << QStringList { "Cannot execte put. Device error busy" } << QByteArray();
        QTest::newRow("key upload")
            << Command([](IOTRunner &r) { r.upload("k", "mqtt.key.der"); })
            << QByteArray("{\"name\":\"mqtt.key.der\",\"query\":\"put\","
                          "\"size\":1}\r\nk")
            << ok << QStringList { "File mqtt.key.der uploaded" } << Dev + "\r\n";
        QTest::newRow("factory settings")
            << Command([](IOTRunner &r) { r.resetConfig(); })
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"put\",\"size\":2}\r\n{}") << ok
            << QStringList { "Device reset to factory settings" }
            << QByteArray(
                   "{\"name\":\"settings.cfg\",\"query\":\"get\"}\r\n"); // shown as it now is
    }

    void commandsOnTheWire()
    {
        QFETCH(Command, command);
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, told);
        QFETCH(QByteArray, followUp);
        Fixture f;
        command(f.runner); // not connected: dropped
        QVERIFY(f.connect({}, true) && f.peer.waitForLines(4)); // the start-up and one "dev"
        const int before = f.peer.received().size();
        command(f.runner);
        f.runner.requestDevInfo(); // the whole command has gone before it
        QVERIFY(f.peer.waitForBytes(before + wire.size() + Dev.size() + 2));
        QCOMPARE(f.peer.received().mid(before), wire + Dev + "\r\n");
        f.alerts.clear();
        f.peer.sendLine(reply);
        QTRY_COMPARE(f.alerts, told);
        if (told.size() > 1) // gone with the device
            return;
        f.runner.requestDevInfo(); // behind any follow-up
        const QByteArray after = wire + Dev + "\r\n" + followUp + Dev + "\r\n";
        QVERIFY(f.peer.waitForBytes(before + after.size()));
        QCOMPARE(f.peer.received().mid(before), after);
    }

    void identifiesTheDevice_data()
    {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QStringList>("events");

        QTest::newRow("wired") << QByteArray(
            "{\"board\":\"veltra-2u\",\"stm\":\"1.0\",\"version\":\"2.3\"}")
                               << QStringList { "1 \u2103", "0 -55 128",
                                      "Device: veltra-2u|Version: 2.3|Build: |Sensor: 1.0" };
        QTest::newRow("wi-fi in capitals, markup, no sensor firmware")
            << QByteArray("{\"board\":\"VELTRA-2W\",\"version\":\"<b>1</b>\"}")
            << QStringList { "2 \u2103 %", "0 -55 128", "1 0 100",
                   "Device: VELTRA-2W|Version: <b>1</b>|Build: |Sensor: build is too old" };
        QTest::newRow("spaces around a known name")
            << QByteArray("{\"board\":\" veltra-2u\"}") << QStringList { "refused  veltra-2u" };
        QTest::newRow("a name of 100 000 characters") << "{\"board\":\"" + QByteArray(100000, 'y')
                + "\"}" << QStringList { "refused " + QString(63, 'y') + QChar(0x2026) };
        // Not a device at all: said once, and not asked again.
        QTest::newRow("not an object")
            << QByteArray("[{\"board\":\"veltra-2w\"}]") << QStringList { "not a device" };
    }

    void identifiesTheDevice()
    {
        QFETCH(QByteArray, info);
        QFETCH(QStringList, events);
        Fixture f;
        QStringList seen;
        connect(&f.runner, &IOTRunner::deviceSetup, this,
            [&](int n, const QStringList &u) { seen << QString::number(n) + " " + u.join(' '); });
        connect(&f.runner, &IOTRunner::sensorSetup, this, [&](int i, double lo, double hi) {
            seen << QString("%1 %2 %3").arg(i).arg(lo).arg(hi);
        });
        connect(&f.runner, &IOTRunner::deviceDiscovered, this, [&](const QVariantList &rows) {
            QStringList words;
            for (const QVariant &row : rows)
                words << row.toMap().value("name").toString() + ' '
                        + row.toMap().value("value").toString();
            seen << words.join('|');
        });
        QSignalSpy gone(&f.runner, &IOTRunner::disconnectedFromHost);
        QVERIFY(f.connect());
        f.peer.sendLine(info);
        if (events.first() == "not a device") {
            QVERIFY(gone.wait(5000));
            QTest::qWait(300); // many retry periods of 10 ms ticks
            QCOMPARE(f.peer.connections(), 1);
            QVERIFY(f.alerts.contains(
                "127.0.0.1:" + QString::number(f.peer.port()) + " is not a VELTRA2 device"));
            QCOMPARE(f.runner.connection()->state(), ConnectionState::NotConnected);
            seen << "not a device";
        } else if (events.first().startsWith("refused")) {
            QTRY_COMPARE(f.runner.connection()->state(), ConnectionState::Reconnecting);
            QVERIFY(f.peer.waitForConnections(2)); // asked again when it comes back
            // The link is tried again for the reason that the device is unknown.
            seen << "refused " + f.states.value(2).section(": Device type ", 1).chopped(13);
        } else {
            QVERIFY(f.peer.waitForLines(4));
            QCOMPARE(f.peer.lines().at(3), QByteArray("{\"query\":\"state\"}"));
            // A search lists the open device as it told, not risking a second link to it.
            DeviceFinder *finder = f.runner.finder();
            QVERIFY(finder->start("127.0.0.1:" + QString::number(f.peer.port())));
            QTRY_VERIFY(!finder->isRunning());
            QCOMPARE(finder->devices()->index(0).data(FoundDevicesModel::ModelRole),
                f.runner.connection()->model());
            QCOMPARE(f.peer.connections(), 1);
        }
        QCOMPARE(seen, events);
        const int sensors
            = events.first().startsWith("refused") ? 0 : events.first().left(1).toInt();
        QVERIFY(!f.runner.chartData(sensors) && !f.runner.chartData(-1));
        QVERIFY(sensors == 0 || f.runner.chartData(sensors - 1));
    }

    // Sent, then the link ended before the device said it had taken it.
    void aConfigurationTheLinkEndsUnderIsNotConfirmed()
    {
        Fixture f;
        QVERIFY(f.connect({}, true) && f.peer.waitForLines(4));
        const int before = f.peer.received().size();
        f.runner.resetConfig();
        QVERIFY(f.peer.waitForBytes(before + 10));
        f.alerts.clear();
        f.peer.closeClient();
        QTRY_VERIFY(f.alerts.contains(
            "The device did not confirm the configuration: check it once the device answers"));
        QVERIFY(!f.alerts.contains("Device reset to factory settings"));
    }

    void repliesArePairedInOrder()
    {
        Fixture f;
        QVERIFY(f.connect());
        f.peer.sendLine("{\"code\":1,\"error\":\"<i>busy</i>\"}"); // info
        f.peer.sendLine("{\"board\": truncated"); // dev: unreadable, the queue is forgotten
        // Nothing is outstanding any more: a flood answers nothing.
        for (int i = 0; i < 1000; ++i)
            f.peer.sendLine("{\"code\":1,\"error\":\"flood\"}");
        f.peer.closeClient(); // after all of them
        QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(3));
        f.peer.sendLine("{\"code\":1,\"error\":\"" + QByteArray(1000, 'z') + "\"}");
        QTRY_COMPARE(f.alerts,
            (QStringList { "Cannot execte info. Device error &lt;i&gt;busy&lt;/i&gt;",
                "Connection closed",
                "Cannot execte info. Device error " + QString(199, 'z') + QChar(0x2026) }));
    }

    // A link made again to a device that takes it but does not answer is
    // still a lost one, told from the first loss.
    void aLinkBackWithoutAnswersIsStillLost()
    {
        ConnectionState link;
        link.begin({ "127.0.0.1", 1 });
        link.connected();
        link.answered();
        QVERIFY(!link.isLost());
        link.lost("The device stopped answering", true);
        const QDateTime at = link.lostAt();
        QVERIFY(link.isLost() && at.isValid());
        link.connected();
        QVERIFY(link.isLost());
        QTest::qWait(20);
        link.lost("again", true);
        QCOMPARE(link.lostAt(), at);
        link.connected();
        link.answered();
        QVERIFY(!link.isLost());
    }

    void stateFeedsSeriesTableAndStatus_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QByteArray>("state");
        QTest::addColumn<QString>("seen");

        QTest::newRow("wired") << QByteArray("veltra-2u")
                               << QByteArray("{\"value\":21.5,\"modbus\":false,\"mqtt\":true}")
                               << "21.5|Tarvex client=not running,Cloud/MQTT=running,"
                                  "Reading=21.50\u202f\u2103|cloud";
        QTest::newRow("wi-fi without humidity")
            << QByteArray("veltra-2w") << QByteArray("{\"value\":{\"t\":19},\"modbus\":true}")
            << "19,-|Tarvex client=running,Reading=T: 19|modbus";
        // Only a number is a reading: nothing else is drawn as 0.
        QTest::newRow("wi-fi given a text, null")
            << QByteArray("veltra-2w") << QByteArray("{\"value\":{\"t\":\"21.5\",\"h\":null}}")
            << "-,-|Reading=H: , T: 21.5|";
    }

    void stateFeedsSeriesTableAndStatus()
    {
        QFETCH(QByteArray, board);
        QFETCH(QByteArray, state);
        QFETCH(QString, seen);
        Fixture f;
        QVERIFY(f.connect(board));
        QString atSignal;
        // Points, then the table, then the signal.
        connect(&f.runner, &IOTRunner::deviceUpdate, this, [&](bool cloud, bool modbus) {
            QStringList points, rows;
            for (int i = 0; ChartDataProvider *series = f.runner.chartData(i); ++i)
                points << (series->hasReading() ? QString::number(series->getValues().last())
                                                : QString("-"));
            VariantMapModel *table = f.runner.stateTableModel();
            for (int r = 0; r < table->rowCount(); ++r)
                rows << table->data(table->index(r), VariantMapModel::TKeyRole).toString() + "="
                        + table->data(table->index(r), VariantMapModel::TShownRole).toString();
            atSignal = points.join(',') + "|" + rows.join(',') + "|" + (cloud ? "cloud" : "")
                + (modbus ? "modbus" : "");
        });
        f.peer.sendLine(state);
        QTRY_COMPARE(atSignal, seen);
    }

    void configurationArrives_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("announced");
        QTest::addColumn<QByteArray>("uploaded");

        // The device's first file, and an update of it keeping every member.
        const QByteArray kept = "{\"mqtt-id\":\"m-1\",\"sys-mode\":\"web\",\"net-ssid\":\"lab\"}";
        QTest::newRow("object") << getReply("settings.cfg", "{\"net-mode\":\"if\"}") << 2
                                << QByteArray("{\"net-mode\":\"if\",\"net-ssid\":\"lab\"}");
        QByteArray wrapped = getReply("settings.cfg", "{\"net-mode\":\"if\"}");
        wrapped.insert(wrapped.indexOf("\",\"get\"") - 4, "\\r\\n ");
        QTest::newRow("Base64 in lines")
            << wrapped << 2 << QByteArray("{\"net-mode\":\"if\",\"net-ssid\":\"lab\"}");
        QTest::newRow("not JSON") << getReply("settings.cfg", "{broken") << 1 << kept;
        QTest::newRow("array") << getReply("settings.cfg", "[1,2]") << 1 << kept;
        QTest::newRow("text") << getReply("settings.cfg", "\"web\"") << 1 << kept;
        // Read leniently, "e30*" would be the empty object.
        QTest::newRow("not Base64")
            << QByteArray("{\"data\":\"e30*\",\"get\":\"settings.cfg\"}") << 1 << kept;
        QTest::newRow("other file")
            << getReply("Settings.cfg", "{\"net-mode\":\"if\"}") << 1 << kept;
    }

    void configurationArrives()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, announced);
        QFETCH(QByteArray, uploaded);
        Fixture f;
        QSignalSpy config(&f.runner, &IOTRunner::deviceConfig);
        QSignalSpy mqtt(&f.runner, &IOTRunner::mqttConfig);
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(getReply("settings.cfg", "{\"mqtt-id\":\"m-1\",\"sys-mode\":\"web\"}"));
        f.runner.requestConfig();
        f.peer.sendLine(reply);
        QVERIFY(f.caughtUp());
        QCOMPARE(config.count(), announced);
        QCOMPARE(mqtt.last(), config.last());
        f.runner.updateConfig({ { "net-ssid", "lab" } });
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
        Fixture f;
        QVERIFY(f.connect());
        f.peer.sendLine(Busy);
        f.peer.sendLine(Busy);
        f.peer.sendLine(getReply("settings.cfg", "{\"net-pwd\":\"secret-of-a\"}"));
        QVERIFY(f.caughtUp());
        f.runner.disconnectFromHost();
        ScriptedPeer second;
        QSignalSpy connected(&f.runner, &IOTRunner::connectedToHost);
        f.runner.connectToHost(QStringLiteral("127.0.0.1"), second.port());
        QVERIFY(connected.wait(5000) && second.waitForLines(3));
        for (const QByteArray &answer : answers)
            second.sendLine(answer);
        QTest::qWait(30);
        f.alerts.clear();
        f.runner.updateConfig({ { "net-ssid", "lab" } });
        // The next line the device sees is the one after it: nothing went out.
        f.runner.requestDevInfo();
        QVERIFY(second.waitForLines(4));
        QCOMPARE(second.lines().at(3), Dev);
        QCOMPARE(f.alerts, QStringList { "Device configuration has not been read yet" });
    }

    void configurationBackup()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("backup.json");
        Fixture f;
        QVERIFY(f.connect("veltra-2w")); // its configuration unread
        f.runner.saveConfigBackup(path);
        f.peer.sendLine("{}"); // the first state request
        f.runner.requestConfig();
        const QByteArray kept = R"({"net-pwd":"p","net-ssid":"lab","x-extra":7})";
        f.peer.sendLine(getReply("settings.cfg", kept));
        QVERIFY(f.caughtUp());
        f.runner.saveConfigBackup(path);
        ConfigBackup backup;
        QString error;
        QVERIFY2(backup.load(path, "veltra-2w", &error), qPrintable(error));
        QCOMPARE(backup.settings.toJson(), kept); // every member, as sent
        QCOMPARE(backup.address, "127.0.0.1:" + QString::number(f.peer.port()));
        // After factory defaults, the file brings everything back, with the
        // page's edits on top.
        f.runner.requestConfig();
        f.peer.sendLine(getReply("settings.cfg", "{}"));
        QVERIFY(f.caughtUp());
        QCOMPARE(f.runner.loadConfigBackup(path).value("changes").toList().size(), 3);
        f.runner.applyConfigBackup({ { "net-ssid", "lab 2" } });
        QTRY_VERIFY(
            f.peer.received().endsWith(R"({"net-pwd":"p","net-ssid":"lab 2","x-extra":7})"));
        backup.settings = {}; // a backup of an empty file is restored too
        QVERIFY(backup.save(path, &error) && !f.runner.loadConfigBackup(path).isEmpty());
        f.runner.applyConfigBackup({});
        QTRY_VERIFY(f.peer.received().endsWith("\r\n{}"));
        // A refused file leaves nothing to apply.
        const int before = f.peer.received().size();
        QVERIFY(f.runner.loadConfigBackup(dir.filePath("none.json")).isEmpty());
        f.runner.applyConfigBackup({});
        f.runner.requestDevInfo();
        QVERIFY(f.peer.waitForBytes(before + Dev.size() + 2));
        QCOMPARE(f.peer.received().mid(before), Dev + "\r\n");
        QCOMPARE(f.alerts.mid(2, 2),
            (QStringList { "Device configuration has not been read yet",
                "Saved to " + QDir::toNativeSeparators(path)
                    + ". The file holds the Wi-Fi password: keep it safe" }));
    }

    void savedConnections()
    {
        {
            Fixture f;
            f.runner.saveConnection("Nowhere"); // no address given yet: empty, 7999
            // Nothing that cannot be reached is tried, or kept for the next start.
            const QVariantMap before = f.runner.savedEndpoint();
            for (int port : { 0, 70000 })
                f.runner.connectToHost("127.0.0.3", port);
            f.runner.connectToHost(" ", 8081);
            QCOMPARE(f.runner.savedEndpoint(), before);
            QCOMPARE(f.runner.connection()->state(), ConnectionState::NotConnected);
            f.runner.connectToHost(" 127.0.0.3 ", 4);
            f.runner.saveConnection("Office");
            f.runner.saveConnection("Office again");
            ConnectionsListModel *list = f.runner.connListModel();
            QCOMPARE(list->data(list->index(1), ConnectionsListModel::PortRole).toInt(), 4);
            QVERIFY(list->contains("Office") && !list->contains("office"));
            QVERIFY(list->containsHost("127.0.0.3") && !list->containsHost("127.0.0.30"));
            list->remove(2);
            const QString port = "The port must be a number from 1 to 65535";
            QStringList alerts { "Connection saved", port, port, "Enter the device's address",
                "Connection saved", "Connection exists" };
            // A list that cannot be changed (its lock cannot be taken): said,
            // and shown as it is stored.
            const QString lock = ConnectionsListModel::lockPath();
            QVERIFY(QDir().mkpath(lock));
            f.runner.connectToHost("127.0.0.4", 8081);
            f.runner.saveConnection("Lab");
            f.runner.removeConnection(0);
            QVERIFY(QDir(lock).removeRecursively());
            alerts << "Cannot save the connection"
                   << "Cannot delete the connection";
            QCOMPARE(list->rowCount(), 2);
            f.runner.disconnectFromHost();
            QCOMPARE(f.alerts, alerts);
        }
        // Another instance saves while this one runs (and is killed, which
        // loses nothing): neither loses the other's entries.
        Fixture f; // has read the list before the other program writes
        QProcess saver;
        saver.start(QStringLiteral(CONNECTION_SAVER), { QCoreApplication::organizationName() });
        QVERIFY(saver.waitForReadyRead(10000));
        saver.kill(); // SIGKILL: no destructor runs
        QVERIFY(saver.waitForFinished(5000));
        QSettings().sync();
        // Entries it cannot read are left out, and left alone.
        QSettings().setValue("Connections",
            QSettings().value("Connections").toStringList() << "[1]"
                                                            << "{\"name\":\"B\"}");
        f.runner.connectToHost("127.0.0.5", 8081);
        f.runner.saveConnection("Lab");
        ConnectionsListModel *list = f.runner.connListModel();
        QStringList hosts;
        for (int r = 0; r < list->rowCount(); ++r)
            hosts << list->data(list->index(r), ConnectionsListModel::HostRole).toString();
        QCOMPARE(hosts, (QStringList { "", "127.0.0.3", "127.0.0.2", "127.0.0.5" }));
        f.runner.connectFromList(-1);
        f.runner.connectFromList(4);
        QCOMPARE(QSettings().value("host").toString(), QStringLiteral("127.0.0.5"));
        f.runner.connectFromList(1);
        QCOMPARE(QSettings().value("host").toString(), QStringLiteral("127.0.0.3"));
        f.runner.disconnectFromHost();
        f.runner.removeConnection(0);
        Fixture g;
        QCOMPARE(g.runner.connListModel()->rowCount(), 3);
        QCOMPARE(QSettings().value("Connections").toStringList().size(), 5);
    }

    void saveAs()
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
                    QCoreApplication::applicationFilePath(), "saveAs" });
            QVERIFY(self.waitForFinished(30000));
            QVERIFY2(self.exitCode() == 0, self.readAll().constData());
            return;
        }
#endif
        QTemporaryDir dir;
        Fixture f;
        const QString url = QUrl::fromLocalFile(dir.filePath("cert.der")).toString();
        f.runner.saveAs(QByteArray("\x30\x82\x00", 3), url);
        // A plain path; the notification shows rich text, the path as it is.
        const QString odd = dir.filePath("cert&amp;co.der");
        f.runner.saveAs("old", odd);
        const QString missing = dir.filePath("no/such/folder/x.der");
        f.runner.saveAs("data", missing);
        // A shared folder that takes no new file, holding a file we may rewrite.
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        f.runner.saveAs("new", odd);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile file(dir.filePath("cert.der"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x30\x82\x00", 3));
        QFile rewritten(odd);
        QVERIFY(rewritten.open(QIODevice::ReadOnly));
        QCOMPARE(rewritten.readAll(), QByteArray("new"));
        // Told as a path, whether it was given as one or as a URL.
        const auto told
            = [](const QString &path) { return QDir::toNativeSeparators(path).toHtmlEscaped(); };
        const QString oddSaved = "Saved to " + told(odd);
        QVERIFY(f.alerts.value(2).startsWith("Cannot write to " + told(missing) + ": "));
        f.alerts.removeAt(2);
        QCOMPARE(f.alerts,
            (QStringList { "Saved to " + told(dir.filePath("cert.der")), oddSaved, oddSaved }));
    }

    // Certificates and keys as the cloud page hands them over: checked, and
    // PEM turned into exactly the DER openssl writes.
    void intake_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("converted");

        // Target name, file, accepted, what is said, the file it becomes.
        const auto row = [](const char *tag, const char *name, const char *source, bool accepted,
                             const char *message = "", const char *converted = "") {
            QTest::newRow(tag) << QString(name) << QString(source) << accepted << QString(message)
                               << QString(converted);
        };
        const char *cert = "mqtt.cert.der";
        const char *key = "mqtt.key.der";
        const char *toDer = "Key will be converted from PEM to DER";
        row("DER certificate", cert, "cert.der", true);
        row("PEM certificate", cert, "cert.pem", true,
            "Certificate will be converted from PEM to DER", "cert.der");
        row("key as certificate", cert, "key.pem", false, "Invalid certificate data");
        row("DER key", key, "key.der", true);
        row("PEM key", key, "key.pem", true, toDer, "key.der");
        row("PKCS #8 key", key, "key8.pem", true, toDer, "key.der");
        row("locked key", key, "locked.pem", false, "Invalid private key");
        row("EC key", key, "ec.pem", false, "Invalid private key");
    }

    void intake()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        QFETCH(QString, converted);
        IOTRunner runner;
        QStringList events;
        QByteArray amended;
        connect(&runner, &IOTRunner::alert, this, [&](const QString &m) { events << m; });
        connect(&runner, &IOTRunner::amendData, this, [&](const QString &n, const QByteArray &d) {
            events << "data " + n;
            amended = d;
        });
        QCOMPARE(runner.validateDrop(name, keyFile(source)), accepted);
        QStringList expected;
        if (!message.isEmpty())
            expected << message; // said before the data comes
        if (!converted.isEmpty())
            expected << "data " + name;
        QCOMPARE(events, expected);
        QCOMPARE(amended, converted.isEmpty() ? QByteArray() : keyFile(converted));
    }

    void readableUrls()
    {
        IOTRunner runner;
        const QString keys = QStringLiteral(TEST_KEYS_DIR);
        QVERIFY(runner.isUrlReadable("  " + QUrl::fromLocalFile(keys).toString() + "  "));
        QVERIFY(!runner.isUrlReadable(QUrl::fromLocalFile(keys + "/missing.pem").toString()));
        QVERIFY(!runner.isUrlReadable(keys)); // a bare path is no URL
    }
};

VELTRA2_TEST_MAIN(TestIOTRunner)
#include "tst_iotrunner.moc"
