#include "common/runnerfixture.h"
#include "common/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using Command = std::function<void(IOTRunner &)>;
Q_DECLARE_METATYPE(Command)

class TestDeviceCommands : public QObject {
    Q_OBJECT

private slots:
    void commandsWriteTheirLines_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("wire");

        QTest::newRow("config") << Command([](IOTRunner &r) { r.requestConfig(); })
                                << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"get\"}\r\n");
        QTest::newRow("device details") << Command([](IOTRunner &r) { r.requestDevInfo(); })
                                        << QByteArray("{\"query\":\"dev\"}\r\n");
        QTest::newRow("reboot") << Command([](IOTRunner &r) { r.requestReboot(); })
                                << QByteArray("{\"query\":\"reset\"}\r\n");
        QTest::newRow("history") << Command([](IOTRunner &r) { r.requestHistory(); })
                                 << QByteArray("{\"query\":\"history\"}\r\n");
        QTest::newRow("cloud id with a quote")
            << Command([](IOTRunner &r) { r.setupCloud(QStringLiteral("ab\"c")); })
            << QByteArray("{\"id\":\"ab\\\"c\",\"query\":\"scloud\"}\r\n");
        QTest::newRow("upload") << Command([](IOTRunner &r) {
            r.upload("hello", "a.txt");
        }) << QByteArray("{\"name\":\"a.txt\",\"query\":\"put\",\"size\":5}\r\nhello");
        QTest::newRow("empty upload")
            << Command([](IOTRunner &r) { r.upload({}, "e.bin"); })
            << QByteArray("{\"name\":\"e.bin\",\"query\":\"put\",\"size\":0}\r\n");
        QTest::newRow("payload holding CR LF")
            << Command([](IOTRunner &r) { r.upload("a\r\nb", "x.bin"); })
            << QByteArray("{\"name\":\"x.bin\",\"query\":\"put\",\"size\":4}\r\na\r\nb");
        QTest::newRow("factory settings")
            << Command([](IOTRunner &r) { r.resetConfig(); })
            << QByteArray("{\"name\":\"settings.cfg\",\"query\":\"put\",\"size\":2}\r\n{}");
    }

    void commandsWriteTheirLines()
    {
        QFETCH(Command, command);
        QFETCH(QByteArray, wire);
        RunnerFixture f;
        QVERIFY(f.connect());
        const int before = f.peer.received().size();
        command(*f.runner);
        QVERIFY(f.peer.waitForBytes(before + wire.size()));
        f.settle();
        QCOMPARE(f.peer.received().mid(before), wire);

        // The command was queued behind the start-up requests: failures name
        // the requests in order, and once all four are answered the poll asks
        // for the state again.
        for (int i = 0; i < 4; ++i)
            f.peer.sendLine("{\"code\":1,\"error\":\"busy\"}");
        f.settle();
        const QString query
            = QString::fromLatin1(wire).section("\"query\":\"", 1).section('"', 0, 0);
        QCOMPARE(f.alerts(),
            (QStringList { "Cannot execte info. Device error busy",
                "Cannot execte dev. Device error busy", "Cannot execte get. Device error busy",
                "Cannot execte " + query + ". Device error busy" }));
        f.tick();
        QVERIFY(f.peer.waitForBytes(before + wire.size() + 19));
        QVERIFY(f.peer.received().endsWith("{\"query\":\"state\"}\r\n"));
    }

    void commandsWhileDisconnectedAreDropped()
    {
        RunnerFixture f;
        f.runner->requestReboot();
        f.runner->requestHistory();
        f.runner->upload("x", "x");
        f.runner->setupCloud("id");
        QVERIFY(f.connect());
        f.settle();
        QCOMPARE(f.peer.lines().size(), 3);
        QCOMPARE(f.alerts(), QStringList());
    }

    void saveAsWritesTheFile()
    {
        QTemporaryDir dir;
        RunnerFixture f;
        const QString path = dir.filePath("cert.der");
        const QString url = QUrl::fromLocalFile(path).toString();
        f.runner->saveAs(QByteArray("\x30\x82\x00", 3), url);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x30\x82\x00", 3));
        QCOMPARE(f.alerts(), QStringList { "Saved to " + url });

        // A plain path works too, and replaces the old content whole. The
        // notification shows rich text: the path is shown as it is.
        const QString odd = dir.filePath("<b>cert&co.der");
        f.runner->saveAs("new", odd);
        QFile oddFile(odd);
        QVERIFY(oddFile.open(QIODevice::ReadOnly));
        QCOMPARE(oddFile.readAll(), QByteArray("new"));
        QCOMPARE(f.alerts().last(), "Saved to " + odd.toHtmlEscaped());
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

    void saveAsReportsFailures()
    {
        QTemporaryDir dir;
        RunnerFixture f;
        const QString missing = dir.filePath("no/such/folder/x.der");
        f.runner->saveAs("data", missing);
        QCOMPARE(f.alerts().size(), 1);
        QVERIFY(f.alerts().at(0).startsWith("Cannot write to " + missing + ": "));
        QVERIFY(f.alerts().at(0).size() > QString("Cannot write to " + missing + ": ").size());

        // A folder in the way: refused, and nothing is left behind.
        QVERIFY(QDir(dir.path()).mkdir("taken"));
        f.runner->saveAs("data", dir.filePath("taken"));
        QCOMPARE(f.alerts().size(), 2);
        QVERIFY(f.alerts().at(1).startsWith("Cannot write to "));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

VELTRA2_TEST_MAIN(TestDeviceCommands)
#include "tst_devicecommands.moc"
