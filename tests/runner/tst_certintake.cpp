#include "common/testmain.h"
#include "runner/iotrunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// Certificates and keys are made fresh by the openssl command for every run.
class TestCertIntake : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    bool openssl(const QStringList &args)
    {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral("openssl"), args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit
            && p.exitCode() == 0;
    }

    QByteArray file(const QString &name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(openssl({ "genrsa", "-traditional", "-out", "rsa.pem", "2048" }));
        QVERIFY(openssl({ "pkcs8", "-topk8", "-nocrypt", "-in", "rsa.pem", "-out", "rsa8.pem" }));
        QVERIFY(openssl(
            { "rsa", "-in", "rsa.pem", "-traditional", "-outform", "der", "-out", "rsa.der" }));
        QVERIFY(openssl({ "rsa", "-in", "rsa.pem", "-aes256", "-passout", "pass:secret", "-out",
            "rsa-locked.pem" }));
        QVERIFY(
            openssl({ "ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", "ec.pem" }));
        QVERIFY(openssl({ "req", "-new", "-x509", "-key", "rsa.pem", "-subj", "/CN=veltra2-test",
            "-days", "2", "-out", "cert.pem" }));
        QVERIFY(openssl({ "x509", "-in", "cert.pem", "-outform", "der", "-out", "cert.der" }));
    }

    void intake_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("converted");

        const QString cert = "mqtt.cert.der";
        const QString key = "mqtt.key.der";
        QTest::newRow("DER certificate") << cert << "cert.der" << true << ""
                                         << "";
        QTest::newRow("PEM certificate")
            << cert << "cert.pem" << true << "Certificate will be converted from PEM to DER"
            << "cert.der";
        QTest::newRow("key offered as certificate")
            << cert << "rsa.pem" << false << "Invalid certificate data"
            << "";
        QTest::newRow("text as certificate")
            << cert << "@text" << false << "Invalid certificate data"
            << "";
        QTest::newRow("DER key") << key << "rsa.der" << true << ""
                                 << "";
        QTest::newRow("PEM RSA key")
            << key << "rsa.pem" << true << "Key will be converted from PEM to DER"
            << "rsa.der";
        QTest::newRow("PKCS #8 PEM key")
            << key << "rsa8.pem" << true << "Key will be converted from PEM to DER"
            << "rsa.der";
        QTest::newRow("locked key") << key << "rsa-locked.pem" << false << "Invalid private key"
                                    << "";
        QTest::newRow("EC key") << key << "ec.pem" << false << "Invalid private key"
                                << "";
        QTest::newRow("certificate as key") << key << "cert.pem" << false << "Invalid private key"
                                            << "";
        QTest::newRow("random bytes as key") << key << "@random" << false << "Invalid private key"
                                             << "";
        QTest::newRow("name in other case is not checked") << "MQTT.cert.der"
                                                           << "@text" << true << ""
                                                           << "";
        QTest::newRow("other extension is not checked") << "mqtt.cert.pem"
                                                        << "@random" << true << ""
                                                        << "";
        QTest::newRow("other file, empty") << "notes.txt"
                                           << "@empty" << true << ""
                                           << "";
    }

    void intake()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        QFETCH(QString, converted);
        QByteArray data;
        if (source == "@text")
            data = "just some text\n";
        else if (source == "@random")
            for (int i = 0; i < 512; ++i)
                data += char((i * 7919 + 13) % 251);
        else if (source != "@empty")
            data = file(source);
        QVERIFY(source.startsWith('@') || !data.isEmpty());

        IOTRunner runner;
        QStringList events;
        QByteArray amended;
        connect(
            &runner, &IOTRunner::alert, this, [&](const QString &m) { events << "alert " + m; });
        connect(&runner, &IOTRunner::amendData, this, [&](const QString &n, const QByteArray &d) {
            events << "data " + n;
            amended = d;
        });
        QCOMPARE(runner.validateDrop(name, data), accepted);

        QStringList expected;
        if (!message.isEmpty())
            expected << "alert " + message;
        if (!converted.isEmpty())
            expected << "data " + name;
        QCOMPARE(events, expected);
        if (!converted.isEmpty())
            QCOMPARE(amended, file(converted)); // what openssl itself writes as DER
    }

    void readableUrls()
    {
        IOTRunner runner;
        QFile::copy(dir.filePath("cert.pem"), dir.filePath("with space.pem"));
        const QString folder = QUrl::fromLocalFile(dir.path()).toString();
        QVERIFY(runner.isUrlReadable("  " + folder + "  "));
        QVERIFY(
            runner.isUrlReadable(QUrl::fromLocalFile(dir.filePath("with space.pem")).toString()));
        QVERIFY(!runner.isUrlReadable(QUrl::fromLocalFile(dir.filePath("missing.pem")).toString()));
        QVERIFY(!runner.isUrlReadable(""));
        QVERIFY(!runner.isUrlReadable(dir.path())); // a bare path is no URL
        QVERIFY(!runner.isUrlReadable("http://127.0.0.1/x"));
    }
};

VELTRA2_TEST_MAIN(TestCertIntake)
#include "tst_certintake.moc"
