#include "common/testmain.h"
#include "models/qdroptexthandler.h"

#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {
// The one handler, as QML finds it.
QDropTextHandler &handler()
{
    static QQmlEngine engine;
    QDropTextHandler::registerQml(&engine);
    return *engine.rootContext()->contextProperty("q_dropHandler").value<QDropTextHandler *>();
}
} // namespace

class TestDropTextHandler : public QObject {
    Q_OBJECT

private slots:
    void readsWhatTheTextNames()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("cert one.pem"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("\x30\x82 bytes") == 8);
        f.close();
        const QString url = QUrl::fromLocalFile(f.fileName()).toString();
        QCOMPARE(handler().processInput("  " + url + " "), QByteArray("\x30\x82 bytes"));
        QCOMPARE(handler().fileInfo(url), f.fileName());
        // What cannot be read stands for itself, spaces and all.
        const QString missing = " " + QUrl::fromLocalFile(dir.filePath("gone.pem")).toString();
        QCOMPARE(handler().processInput(missing), missing.toUtf8());
        QCOMPARE(handler().processInput(QUrl::fromLocalFile(dir.path()).toString()),
            QUrl::fromLocalFile(dir.path()).toString().toUtf8());
        QCOMPARE(handler().fileInfo("https://example.com/a%20b"),
            QStringLiteral("https://example.com/a b"));
        QCOMPARE(
            handler().fileInfo("http://[::1 not a url"), QStringLiteral("http://[::1 not ..."));
        QCOMPARE(handler().fileInfo("http://[12345678"), QStringLiteral("http://[12345678"));
    }

    void representations_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("text");

        const QByteArray cyrillic = QStringLiteral("Сертификат").toUtf8();
        QTest::newRow("Cyrillic") << cyrillic << "UTF-8" << QStringLiteral("Сертификат");
        QTest::newRow("Cyrillic cut short") << cyrillic.left(cyrillic.size() - 1) << "UTF-8"
                                            << "Binary content: D0A1D0B5...";
        QTest::newRow("binary") << QByteArray("\x00\xff\x10\x20\x30", 5) << "UTF-8"
                                << "Binary content: 00FF1020...";
        QTest::newRow("empty") << QByteArray() << "UTF-8"
                               << "";
        QTest::newRow("alias") << QByteArray("abc") << "latin1"
                               << "abc";
        QTest::newRow("unknown codec") << QByteArray("abc") << "no-such-codec"
                                       << "Binary content: 616263...";
    }

    void representations()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, codec);
        QFETCH(QString, text);
        QCOMPARE(handler().repr(data, codec), text);
    }
};

VELTRA2_TEST_MAIN(TestDropTextHandler)
#include "tst_droptexthandler.moc"
