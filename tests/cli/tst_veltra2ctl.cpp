#include "common/devsimprocess.h"
#include "common/scriptedpeer.h"
#include "common/testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

struct Run {
    int status = -1;
    QStringList lines;
    QByteArray out;
    QByteArray err;
};

Run ctl(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(VELTRA2CTL_BINARY), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    Run run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    // Text lines: CR LF on Windows.
    run.lines = QString::fromUtf8(run.out).split(
        QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    return run;
}

// A configuration backup as Save to file writes it, saved from `address`.
QByteArray backup(const QByteArray &model, const QByteArray &settings,
    const QString &address = QStringLiteral("127.0.0.1:1"))
{
    return R"({"format":"veltra2-configuration","version":1,"model":")" + model + R"(","address":")"
        + address.toUtf8() + R"(","settings":)" + settings + "}";
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return file.fileName();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList hostArgs(const QStringList &addresses)
{
    QStringList args;
    for (const QString &address : addresses)
        args << "--host" << address;
    return args;
}

} // namespace

// The command-line companion against simulated devices on loopback addresses.
class TestVeltra2ctl : public QObject {
    Q_OBJECT

private slots:
    void configurationGoesFromOneDeviceToAnother()
    {
        DevsimProcess first;
        QVERIFY(first.start({ "--address", "127.0.0.2" }));
        DevsimProcess second;
        QVERIFY(second.start({ "--address", "127.0.0.3" }, first.port()));
        const QString from = "127.0.0.2:" + QString::number(first.port());
        const QString to = "127.0.0.3:" + QString::number(first.port());
        QCOMPARE(ctl(hostArgs({ from }) << "config"
                                        << "set"
                                        << "net-ssid=site 7"
                                        << "net-auth=wpa2"
                                        << "net-pwd=s3cret-7")
                     .status,
            0);
        QTemporaryDir folder;
        const QString file = folder.filePath("site.json");
        QCOMPARE(ctl(hostArgs({ from }) << "config"
                                        << "get" << file)
                     .status,
            0);
        // Another device's backup, asked for.
        QCOMPARE(ctl(hostArgs({ to }) << "config"
                                      << "put"
                                      << "--force" << file)
                     .status,
            0);
        const Run read = ctl(hostArgs({ to }) << "--json"
                                              << "config"
                                              << "get");
        QCOMPARE(read.lines.size(), 1);
        const QJsonObject copied = QJsonDocument::fromJson(read.lines.first().toUtf8())
                                       .object()["result"]
                                       .toObject()["settings"]
                                       .toObject();
        QCOMPARE(copied, QJsonDocument::fromJson(contents(file)).object()["settings"].toObject());
        QCOMPARE(copied["net-ssid"].toString(), QString("site 7"));
    }

    void certificateAndKeyArriveAsOpensslWritesThem()
    {
        QTemporaryDir data;
        DevsimProcess device;
        QVERIFY(device.start({ "--address", "127.0.0.2", "--data-dir", data.path() }));
        const QString keys = QStringLiteral(TEST_KEYS_DIR) + '/';
        const Run run = ctl(hostArgs({ "127.0.0.2:" + QString::number(device.port()) })
            << "cert"
            << "upload" << keys + "cert.pem" << keys + "key.pem");
        QCOMPARE(run.status, 0);
        QCOMPARE(contents(data.filePath("mqtt.cert.der")), contents(keys + "cert.der"));
        QCOMPARE(contents(data.filePath("mqtt.key.der")), contents(keys + "key.der"));
    }

    void manyDevicesEachTold()
    {
        QStringList good;
        for (int host = 10; host < 57; ++host)
            good << "--address" << QStringLiteral("127.0.0.%1").arg(host);
        DevsimProcess devices, closing, silent, unknown;
        QVERIFY(devices.start(good));
        const quint16 port = devices.port();
        QVERIFY(closing.start({ "--address", "127.0.0.7", "--cut-reply", "1" }, port));
        QVERIFY(silent.start({ "--address", "127.0.0.8", "--delay", "600000" }, port));
        QVERIFY(unknown.start({ "--address", "127.0.0.9", "--board", "other" }, port));
        // The failing ones among the others, in a file with a comment.
        QTemporaryDir folder;
        QFile list(folder.filePath("site.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        QStringList addresses;
        for (int host = 10; host < 57; ++host) {
            addresses << QStringLiteral("127.0.0.%1:%2").arg(host).arg(port);
            if (host % 16 == 0)
                addresses << QStringLiteral("127.0.0.%1:%2").arg(host / 16 + 6).arg(port);
        }
        list.write("# the lab\n" + addresses.join("\n").toUtf8() + "  # end\n");
        list.close();

        const Run run = ctl({ "--hosts", list.fileName(), "--timeout", "3", "info" });
        QCOMPARE(run.status, 1);
        QCOMPARE(run.lines.size(), 50);
        QStringList failed;
        for (int i = 0; i < addresses.size(); ++i) {
            QVERIFY2(
                run.lines.at(i).startsWith(addresses.at(i) + ' '), qPrintable(run.lines.at(i)));
            if (!run.lines.at(i).contains(" ok veltra-2w 2.3.1 "))
                failed << run.lines.at(i).section(' ', 1);
        }
#ifdef Q_OS_WIN
        // Two programs under wine do not see each other close a connection
        // (the same simulator's close reaches a Linux veltra2ctl, and a Linux
        // simulator's reaches this one): there it ends by the timeout.
        if (failed.value(0) == QLatin1String("failed: No answer within 3 s"))
            failed[0] = QStringLiteral("failed: Connection closed");
#endif
        QCOMPARE(failed,
            QStringList({ "failed: Connection closed", "failed: No answer within 3 s",
                "failed: Device type other is not known" }));
    }

    void failuresAreToldWithTheirReason_data()
    {
        QTest::addColumn<QStringList>("device");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("told");

        const QString unreadable = "failed: The history cannot be read: ";
        QTest::newRow("info refused")
            << QStringList { "--reply", R"(info={"code":1,"error":"busy"})" }
            << QStringList { "info" } << 1 << "failed: Device error: busy";
        QTest::newRow("a series missing")
            << QStringList { "--reply", R"(history={"t":{"data":[1,2],"interval":1000}})" }
            << QStringList { "history", "--csv", "FILE" } << 1
            << unreadable + "a series is missing";
        QTest::newRow("series at different intervals") << QStringList { "--reply",
            R"(history={"t":{"data":[1],"interval":1000},"h":{"data":[2],"interval":2000}})" }
                                                       << QStringList { "history", "--csv", "FILE" }
                                                       << 1
                                                       << unreadable
                + "its series were taken at different intervals";
        QTest::newRow("no series")
            << QStringList { "--reply", "history={}" } << QStringList { "history", "--csv", "FILE" }
            << 1 << unreadable + "a series is missing";
        QTest::newRow("restored where the configuration is not JSON")
            << QStringList { "--reply", R"(get={"data":"e2Jyb2tlbg==","get":"settings.cfg"})" }
            << QStringList { "config", "put", "BACKUP" } << 0 << "ok done";
        // Each exchange has the time limit, not the whole command.
        QTest::newRow("a slow device")
            << QStringList { "--delay", "1200" }
            << QStringList { "--timeout", "2", "config", "set", "sys-mode=web" } << 0 << "ok done";
        QTest::newRow("a write not confirmed")
            << QStringList { "--mute-after", "2" }
            << QStringList { "--timeout", "1", "config", "set", "sys-mode=web" } << 1
            << "sent, not confirmed: No answer within 1 s";
        QTest::newRow("closed between certificate and key")
            << QStringList { "--close-after", "2" }
            << QStringList { "cert", "upload", TEST_KEYS_DIR "/cert.der", TEST_KEYS_DIR "/key.der" }
            << 1 << "sent, not confirmed: Connection closed (mqtt.cert.der uploaded)";
        QTest::newRow("not a device")
            << QStringList { "--reply", "info=HTTP/1.1 400 Bad Request" } << QStringList { "info" }
            << 1 << "failed: not a VELTRA2 device: it sent HTTP/1.1 400 Bad Request";
        QTest::newRow("a line too long")
            << QStringList { "--oversized-before", "1" } << QStringList { "info" } << 1
            << "failed: The device sent a line longer than 8 MiB";
    }

    void failuresAreToldWithTheirReason()
    {
        QFETCH(QStringList, device);
        QFETCH(QStringList, command);
        QFETCH(int, status);
        QFETCH(QString, told);
        QTemporaryDir dir;
        DevsimProcess sim;
        QVERIFY(sim.start(QStringList { "--model", "2w", "--data-dir", dir.path() } + device));
        const QString csv = dir.filePath("h.csv");
        command.replaceInStrings("FILE", csv);
        const QString at = "127.0.0.1:" + QString::number(sim.port());
        command.replaceInStrings("BACKUP",
            write(dir, "good.json",
                backup("veltra-2w", R"({"net-ssid":"kept","sys-mode":"tcp"})", at)));
        const Run run = ctl(QStringList { "--host", at } + command);
        QCOMPARE(run.lines, QStringList { at + ' ' + told });
        QCOMPARE(run.status, status);
        QVERIFY(!QFile::exists(csv)); // nothing written for an unreadable history
        if (command.contains("put"))
            QCOMPARE(
                contents(dir.filePath("settings.cfg")), R"({"net-ssid":"kept","sys-mode":"tcp"})");
    }

    void membersSurviveABackupRoundTrip()
    {
        QTemporaryDir dir;
        // Numbers Qt would round, and more than a megabyte: what a device
        // sent, it takes back.
        const QByteArray settings = "{\"serial\":12345678901234567891,\"token\":9007199254740993,"
                                    "\"ratio\":1.10,\"net-ssid\":\"a\",\"notes\":\""
            + QByteArray(1100 * 1000, 'n') + "\"}";
        const QString reply = write(dir, "reply.json",
            "{\"data\":\"" + settings.toBase64() + "\",\"get\":\"settings.cfg\"}");
        DevsimProcess sim;
        QVERIFY(
            sim.start({ "--model", "2u", "--data-dir", dir.path(), "--reply", "get#1=@" + reply }));
        const QStringList at { "--host", "127.0.0.1:" + QString::number(sim.port()) };
        const QString file = dir.filePath("b.json");
        QCOMPARE(ctl(at + QStringList { "config", "get", file }).status, 0);
        for (const char *member : { "12345678901234567891", "9007199254740993", "1.10" })
            QVERIFY2(contents(file).contains(member), contents(file).constData());
        QCOMPARE(ctl(at + QStringList { "config", "put", file }).status, 0);
        QCOMPARE(contents(dir.filePath("settings.cfg")), settings);
        // A backup whose known members a device cannot take is refused.
        const QString wrong = write(
            dir, "wrong.json", backup("veltra-2u", R"({"sys-mode":5,"net-ssid":"a"})", at.last()));
        const Run refused = ctl(at + QStringList { "config", "put", wrong });
        QCOMPARE(refused.status, 2);
        QVERIFY2(refused.err.contains("sys-mode is 5"), refused.err.constData());
    }

    void deviceTextNeverReachesTheTerminalRaw()
    {
        // A version that would forge a result line, escapes that would clear
        // the screen or set the title, a bidirectional override.
        const QString info
            = "info={\"board\":\"veltra-2w\",\"version\":\"2.3.1\\n127.0.0.9:8081 ok "
              "veltra-2w 9.9.9 forged\",\"build\":\"\\u001b[2J\\u202e\\u009b\"}";
        const QString state
            = "state={\"value\":{\"t\":1,\"h\":2},\"x\\u001b]0;t\\u0007\":\"a\\r\\nb\\u2028\"}";
        DevsimProcess sim;
        QVERIFY(sim.start({ "--address", "127.0.0.61", "--reply", info, "--reply", state }));
        const QString at = "127.0.0.61:" + QString::number(sim.port());
        for (const QStringList &command : { QStringList { "info" }, QStringList { "state" },
                 QStringList { "--json", "info" }, QStringList { "--json", "state" },
                 QStringList { "scan", at }, QStringList { "--json", "scan", at } }) {
            const Run run
                = ctl(command.first() == "scan" ? command : QStringList { "--host", at } + command);
            QCOMPARE(run.status, 0);
            QCOMPARE(run.lines.size(), 1);
            QByteArray out = run.out;
            out.replace("\r\n", "").replace('\n', "");
            for (const QByteArray &raw : { QByteArray("\x1b"), QByteArray("\r"), QByteArray("\x07"),
                     QByteArray("\xe2\x80\xae"), QByteArray("\xc2\x9b"),
                     QByteArray("\xe2\x80\xa8") })
                QVERIFY2(!out.contains(raw), run.out.constData());
        }
        const Run told = ctl({ "--host", at, "info" });
        QVERIFY2(told.lines.value(0).contains("2.3.1\\n127.0.0.9:8081 ok veltra-2w 9.9.9 forged"),
            told.out.constData());
    }

    void addressesAreReadOneWay()
    {
        DevsimProcess sim;
        QStringList args { "--address", "127.0.0.10" };
#ifndef Q_OS_WIN
        args << "--address"
             << "::1";
#endif
        QVERIFY(sim.start(args));
        const QString port = QString::number(sim.port());
        QStringList hosts { "127.0.0.010:" + port }, told { "127.0.0.10:" + port + " ok" };
#ifndef Q_OS_WIN
        hosts << "[::1]:" + port << "::1";
        told << "[::1]:" + port + " ok"
             << "[::1]:8081 failed";
#endif
        const Run run = ctl(hostArgs(hosts) << "--timeout"
                                            << "3"
                                            << "info");
        QCOMPARE(run.lines.size(), told.size());
        for (int i = 0; i < told.size(); ++i)
            QVERIFY2(run.lines.at(i).startsWith(told.at(i)), qPrintable(run.lines.at(i)));
        const Run scan = ctl({ "scan", "::1" });
        QCOMPARE(scan.status, 2);
        QVERIFY2(scan.err.contains("IPv4"), scan.err.constData());
    }

#ifdef Q_OS_UNIX
    void operatorFilesAreBounded()
    {
        DevsimProcess sim;
        QVERIFY(sim.start({ "--model", "2w" }));
        const QStringList at { "--host", "127.0.0.1:" + QString::number(sim.port()) };
        const Run hosts = ctl({ "--hosts", "/dev/zero", "info" });
        QCOMPARE(hosts.status, 2);
        QVERIFY2(hosts.err.contains("larger than"), hosts.err.constData());
        QCOMPARE(ctl(at + QStringList { "cert", "upload", "/dev/zero", "/dev/zero" }).status, 2);
        // Straight through to a pipe.
        const Run csv = ctl(at + QStringList { "history", "--csv", "/dev/stdout" });
        QCOMPARE(csv.status, 0);
        QVERIFY2(csv.out.startsWith("time,temperature,humidity\r\n"), csv.out.constData());
        QVERIFY(csv.lines.last().endsWith("saved to /dev/stdout"));
    }
#endif

    void hostListsAddUp()
    {
        DevsimProcess sim;
        QVERIFY(sim.start({ "--address", "127.0.0.71", "--address", "127.0.0.72" }));
        const QString port = QString::number(sim.port());
        QTemporaryDir dir;
        const QString a = write(dir, "a.txt", ("127.0.0.71:" + port + "\t# hall A\n").toUtf8());
        const QString b = write(dir, "b.txt", ("127.0.0.72:" + port + " lab b\n").toUtf8());
        // Each device once, however often and however it is listed.
        const Run run = ctl({ "--hosts", a, "--hosts", b, "--hosts", "-", "info" },
            ("127.0.0.071:" + port + "\n127.0.0.72:" + port + "\n").toUtf8());
        QCOMPARE(run.lines.size(), 2);
        QVERIFY(run.lines.at(0).startsWith("127.0.0.71:" + port + " ok"));
        QVERIFY(run.lines.at(1).startsWith("127.0.0.72:" + port + " ok"));
        const QString bad = write(dir, "bad.txt", "127.0.0.71\n\n10.1 # a slip\n");
        const Run refused = ctl({ "--hosts", bad, "info" });
        QCOMPARE(refused.status, 2);
        QVERIFY2(
            refused.err.contains("bad.txt:3: 10.1 is not an address"), refused.err.constData());
    }

    void backupsAreKeptAndRestoredDeviceByDevice()
    {
        QTemporaryDir dir;
        DevsimProcess first, second;
        QVERIFY(first.start({ "--address", "127.0.4.1", "--data-dir", dir.filePath("") }));
        QVERIFY(QDir().mkpath(dir.filePath("two")));
        QVERIFY(second.start({ "--address", "127.0.4.1", "--data-dir", dir.filePath("two") }));
        const QStringList hosts = hostArgs({ "127.0.4.1:" + QString::number(first.port()),
            "127.0.4.1:" + QString::number(second.port()) });
        const QString folder = dir.filePath("bk/site"); // made when missing
        for (int run = 0; run < 2; ++run)
            QCOMPARE(ctl(hosts + QStringList { "config", "get", folder }).status, 0);
        const QFileInfoList saved = QDir(folder).entryInfoList(QDir::Files);
        QCOMPARE(saved.size(), 4); // none replaced another
#ifdef Q_OS_UNIX
        for (const QFileInfo &file : saved) // the Wi-Fi password is in them
            QVERIFY(!(file.permissions() & (QFile::ReadGroup | QFile::ReadOther)));
#endif
        QCOMPARE(ctl(hosts + QStringList { "config", "set", "net-ssid=changed" }).status, 0);
        // Shown first, nothing sent; then each device from its own backup.
        const Run dry = ctl(hosts + QStringList { "config", "put", "--dry-run", folder });
        QCOMPARE(dry.lines.size(), 2);
        QVERIFY2(dry.lines.at(1).endsWith("would change net-ssid: changed \u2192 VELTRA2-5E1001"),
            qPrintable(dry.lines.at(1)));
        QVERIFY(contents(dir.filePath("two/settings.cfg")).contains("changed"));
        QCOMPARE(ctl(hosts + QStringList { "config", "put", folder }).status, 0);
        QVERIFY(contents(dir.filePath("two/settings.cfg")).contains("VELTRA2-5E1001"));
        // One device's backup is not another's, unless asked.
        const QString fromFirst = saved.first().fileName().contains(QString::number(first.port()))
            ? saved.first().filePath()
            : saved.last().filePath();
        const QStringList other = hostArgs({ "127.0.4.1:" + QString::number(second.port()) });
        const Run refused = ctl(other + QStringList { "config", "put", fromFirst });
        QVERIFY2(refused.status == 1 && refused.lines.value(0).contains("--force"),
            refused.out.constData());
        QCOMPARE(ctl(other + QStringList { "config", "put", "--force", fromFirst }).status, 0);
    }

    void searchesAreSortedAndReadBack()
    {
        DevsimProcess slow;
        QVERIFY(slow.start(
            { "--address", "127.0.0.83", "--address", "127.0.0.81", "--delay", "2000" }));
        const QString port = QString::number(slow.port());
        const Run scan
            = ctl({ "--timeout", "3", "scan", "127.0.0.82-85:" + port, "127.0.0.81:" + port });
        QCOMPARE(scan.status, 0);
        QCOMPARE(scan.lines.size(), 2);
        QVERIFY(scan.lines.at(0).startsWith("127.0.0.81:" + port + " # veltra-2w"));
        QTemporaryDir dir;
        const Run read
            = ctl({ "--hosts", write(dir, "found.txt", scan.out), "--timeout", "3", "info" });
        QCOMPARE(read.lines.size(), 2);
        QCOMPARE(read.status, 0);
        const Run none = ctl({ "scan", "127.0.0.84:" + port });
        QVERIFY(none.status == 1 && none.err.contains("No device found"));
        QCOMPARE(ctl({ "scan", "" }).status, 2);
    }

#ifdef Q_OS_UNIX
    void interruptedRunsSayWhatWasDone()
    {
        QStringList listen { "--delay", "60000" }, hosts;
        for (int host = 91; host <= 96; ++host)
            listen << "--address" << QStringLiteral("127.0.0.%1").arg(host);
        DevsimProcess silent;
        QVERIFY(silent.start(listen));
        for (int host = 91; host <= 96; ++host)
            hosts << QStringLiteral("127.0.0.%1:%2").arg(host).arg(silent.port());
        for (const int signal : { SIGINT, SIGTERM, SIGHUP }) {
            QProcess process;
            process.start(QStringLiteral(VELTRA2CTL_BINARY),
                QStringList { "--jobs", "2" } + hostArgs(hosts) + QStringList { "info" });
            QVERIFY(process.waitForStarted());
            QTest::qWait(1000);
            ::kill(pid_t(process.processId()), signal);
            QVERIFY(process.waitForFinished(10000));
            QCOMPARE(process.exitCode(), 128 + signal);
            const QStringList lines = QString::fromUtf8(process.readAllStandardOutput())
                                          .split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 6);
            QVERIFY2(lines.at(1).endsWith(" interrupted") && lines.at(2).endsWith(" not started"),
                qPrintable(lines.join('|')));
        }
    }

    void aFailedWriteOfOurOwnIsAFailure()
    {
        DevsimProcess sim;
        QVERIFY(sim.start());
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(VELTRA2CTL_BINARY),
            { "--host", "127.0.0.1:" + QString::number(sim.port()), "config", "get" });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
    }
#endif

    void usageErrorsSendNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no --yes") << QStringList { "reboot" };
        QTest::newRow("not a choice") << QStringList { "config", "set", "net-auth=wpa3" };
        QTest::newRow("not edited") << QStringList { "config", "set", "mqtt-id=x" };
        QTest::newRow("not a key") << QStringList { "cert", "upload", TEST_KEYS_DIR "/cert.pem",
            TEST_KEYS_DIR "/cert.pem" };
        QTest::newRow("no such command") << QStringList { "format" };
        QTest::newRow("bad jobs") << QStringList { "--jobs", "0", "info" };
        QTest::newRow("no time at all") << QStringList { "--timeout", "nan", "info" };
        QTest::newRow("no network name") << QStringList { "config", "set", "net-ssid=" };
        QTest::newRow("a network name too long")
            << QStringList { "config", "set", "net-ssid=" + QString(33, 'n') };
        QTest::newRow("a passphrase too short")
            << QStringList { "config", "set", "net-auth=wpa2", "net-pwd=abc" };
    }
    void usageErrorsSendNothing()
    {
        QFETCH(QStringList, args);
        ScriptedPeer peer;
        const QString host = "127.0.0.1:" + QString::number(peer.port());
        QCOMPARE(ctl(QStringList { "--host", host, "--host", "nowhere:1" } + args).status, 2);
        QCOMPARE(peer.connections(), 0);
    }
};

VELTRA2_TEST_MAIN(TestVeltra2ctl)
#include "tst_veltra2ctl.moc"
