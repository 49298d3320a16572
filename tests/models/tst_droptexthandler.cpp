#include "common/testmain.h"
#include "models/qdroptexthandler.h"

#include <QFile>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class TestDropTextHandler : public QObject {
    Q_OBJECT

private:
    QQmlEngine engine;
    QDropTextHandler *handler = nullptr;
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QDropTextHandler::registerQml(&engine);
        handler = qobject_cast<QDropTextHandler *>(
            engine.rootContext()->contextProperty("q_dropHandler").value<QObject *>());
        QVERIFY(handler);
        // One instance for every engine.
        QQmlEngine second;
        QDropTextHandler::registerQml(&second);
        QCOMPARE(
            second.rootContext()->contextProperty("q_dropHandler").value<QObject *>(), handler);
    }

    void qmlCannotCreateOne()
    {
        QQmlComponent component(&engine);
        component.setData("import DropTextHandler 1.0\nDropTextHandler {}", QUrl());
        QVERIFY(component.isError());
        QVERIFY2(component.errorString().contains(
                     "DropTextHandler is a singleton - use the static member q_dropHandler"),
            qPrintable(component.errorString()));
    }

    void readsWhatTheTextNames()
    {
        QFile f(dir.filePath("cert one.pem"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x30\x82 bytes");
        f.close();
        const QString url = QUrl::fromLocalFile(f.fileName()).toString();
        QCOMPARE(handler->processInput("  " + url + " "), QByteArray("\x30\x82 bytes"));
        const QString missing
            = "  " + QUrl::fromLocalFile(dir.filePath("gone.pem")).toString() + " ";
        QCOMPARE(handler->processInput(missing), missing.toUtf8());
        QCOMPARE(
            handler->processInput(QStringLiteral("привет")), QStringLiteral("привет").toUtf8());
        QCOMPARE(handler->processInput("http://127.0.0.1/x"), QByteArray("http://127.0.0.1/x"));
        QCOMPARE(handler->processInput(QUrl::fromLocalFile(dir.path()).toString()),
            QUrl::fromLocalFile(dir.path()).toString().toUtf8());
    }

    void labels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");

        QTest::newRow("file URL") << "file:///tmp/a%20b.pem"
                                  << "/tmp/a b.pem";
        QTest::newRow("web URL") << "https://example.com/a%20b"
                                 << "https://example.com/a b";
        QTest::newRow("20 characters, not a URL") << "http://[::1 not a url"
                                                  << "http://[::1 not ...";
        QTest::newRow("16 characters, not a URL") << "http://[12345678"
                                                  << "http://[12345678";
    }

    void labels()
    {
        QFETCH(QString, text);
        QFETCH(QString, label);
        QCOMPARE(handler->fileInfo(text), label);
    }

    void representations_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("text");

        const QByteArray cyrillic = QStringLiteral("Сертификат").toUtf8();
        QTest::newRow("ASCII") << QByteArray("hello") << "UTF-8"
                               << "hello";
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
        QCOMPARE(handler->repr(data, codec), text);
        if (codec == "UTF-8")
            QCOMPARE(handler->repr(data), text);
    }
};

VELTRA2_TEST_MAIN(TestDropTextHandler)
#include "tst_droptexthandler.moc"
