#include "common/testmain.h"
#include "runner/iotrunner.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

// Certificates and keys as the cloud page hands them over: checked, and PEM
// turned into exactly the DER openssl writes.
class TestCertIntake : public QObject {
    Q_OBJECT

private:
    // Made by openssl for the build: see make-test-keys.sh.
    static QByteArray file(const QString &name)
    {
        QFile f(QStringLiteral(TEST_KEYS_DIR "/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : name.toUtf8();
    }

private slots:
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
        QTest::newRow("key as certificate")
            << cert << "key.pem" << false << "Invalid certificate data"
            << "";
        QTest::newRow("DER key") << key << "key.der" << true << ""
                                 << "";
        QTest::newRow("PEM key") << key << "key.pem" << true
                                 << "Key will be converted from PEM to DER"
                                 << "key.der";
        QTest::newRow("PKCS #8 key")
            << key << "key8.pem" << true << "Key will be converted from PEM to DER"
            << "key.der";
        QTest::newRow("locked key") << key << "locked.pem" << false << "Invalid private key"
                                    << "";
        QTest::newRow("EC key") << key << "ec.pem" << false << "Invalid private key"
                                << "";
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
        QCOMPARE(runner.validateDrop(name, file(source)), accepted);
        QStringList expected;
        if (!message.isEmpty())
            expected << message; // said before the data comes
        if (!converted.isEmpty())
            expected << "data " + name;
        QCOMPARE(events, expected);
        QCOMPARE(amended, converted.isEmpty() ? QByteArray() : file(converted));
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

VELTRA2_TEST_MAIN(TestCertIntake)
#include "tst_certintake.moc"
