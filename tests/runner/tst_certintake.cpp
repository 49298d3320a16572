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
