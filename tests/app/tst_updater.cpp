#include "app/appcastupdater.h"
#include "app/identity.h"
#include "app/sparkleupdater.h"
#include "app/updater.h"
#include "app/versionnumber.h"
#include "common/testmain.h"

#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

extern QStringList sparkleCalls;

namespace {
// A one-page web server on 127.0.0.1 that counts the requests it gets.
class FeedServer : public QObject {
public:
    FeedServer()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    request += s->readAll();
                    if (!request.contains("\r\n\r\n"))
                        return;
                    request.clear();
                    ++requests;
                    s->write("HTTP/1.1 " + status + "\r\nContent-Type: application/xml\r\n"
                        + "Content-Length: " + QByteArray::number(body.size())
                        + "\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(server.serverPort()));
    }

    QTcpServer server;
    QByteArray status = "200 OK";
    QByteArray body;
    QByteArray request;
    int requests = 0;
};

// How each check of `updater` ends, as it tells.
QStringList &listen(AppcastUpdater &updater)
{
    static QStringList outcomes;
    outcomes.clear();
    QObject::connect(&updater, &AppcastUpdater::newVersion,
        [](const QString &v, const QString &log) { outcomes << "new " + v + "|" + log; });
    QObject::connect(&updater, &AppcastUpdater::upToDate, [] { outcomes << "up to date"; });
    QObject::connect(&updater, &AppcastUpdater::checkFailed, [] { outcomes << "failed"; });
    return outcomes;
}

// A feed with an old item and one of `version`, for `platform` when given.
QByteArray feedOffering(
    const QByteArray &version, const QByteArray &display, const QByteArray &platform = {})
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" "
           "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
           "<channel><title>VELTRA2</title>"
           "<item><title>Old</title><sparkle:version>0.0.9</sparkle:version>"
           "<description><![CDATA[<p>old</p>]]></description>"
           "<enclosure url=\"https://example.invalid/veltra2-0.0.9.msi\" length=\"1\"/></item>"
           "<item><title>New</title><sparkle:version>"
        + version
        + "</sparkle:version>"
          "<sparkle:shortVersionString>"
        + display
        + "</sparkle:shortVersionString>"
          "<description><![CDATA[<ul><li>Faster charts</li></ul>]]></description>"
          "<enclosure url=\"https://example.invalid/veltra2-"
        + version + ".msi\" length=\"1\""
        + (platform.isEmpty() ? QByteArray() : " sparkle:os=\"" + platform + "\"")
        + "/>"
          "</item></channel></rss>";
}
} // namespace

class TestUpdater : public QObject {
    Q_OBJECT

private slots:
    void comparesVersionsAsNumbers_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");

        QTest::newRow("equal") << "1.4.0"
                               << "1.4.0" << 0;
        QTest::newRow("older") << "0.1.9"
                               << "0.1.10" << -1;
        QTest::newRow("newer") << "1.5.0"
                               << "0.1.99" << 1;
        QTest::newRow("shorter equal") << "1.2"
                                       << "1.2.0" << 0;
        QTest::newRow("shorter older") << "1.2"
                                       << "1.2.1" << -1;
        QTest::newRow("suffix ignored") << "2-beta.1"
                                        << "2.1" << 0;
        QTest::newRow("no digits") << "x.y"
                                   << "0.0" << 0;
    }

    void comparesVersionsAsNumbers()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(qBound(-1, VersionNumber::compare(a, b), 1), order);
        QCOMPARE(qBound(-1, VersionNumber::compare(b, a), 1), -order);
    }

    void feedComesFromTheSettings()
    {
        QSettings().remove("Update/URL");
        {
            Updater updater; // destroyed before its first check could run
            QCOMPARE(updater.feedUrl(), QString::fromLatin1(Updater::DefaultFeed));
            QVERIFY(updater.feedUrl().startsWith("https://"));
            // Each platform's own feed: a Linux user is never offered a Windows installer.
#ifdef Q_OS_WIN
            QVERIFY(updater.feedUrl().endsWith("/software/veltra2/updates/win/appcast.xml"));
#else
            QVERIFY(updater.feedUrl().endsWith("/software/veltra2/updates/linux/appcast.xml"));
#endif
        }
        QSettings().setValue("Update/URL", "not a url at all");
        Updater updater;
        QCOMPARE(updater.feedUrl(), QStringLiteral("not a url at all"));
        QSettings().remove("Update/URL");
    }

    void reportsHowEachCheckEnded_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("outcome");

        QTest::newRow("newer") << QByteArray("200 OK") << feedOffering("1.5.0", "1.5")
                               << "new 1.5|<ul><li>Faster charts</li></ul>";
        QTest::newRow("newer, for this platform")
            << QByteArray("200 OK") << feedOffering("1.5.0", "1.5", "linux")
            << "new 1.5|<ul><li>Faster charts</li></ul>";
        QTest::newRow("newer, for another platform only")
            << QByteArray("200 OK") << feedOffering("1.5.0", "1.5", "windows") << "up to date";
        QTest::newRow("same") << QByteArray("200 OK") << feedOffering("1.4.0", "1.4")
                              << "up to date";
        QTest::newRow("not XML") << QByteArray("200 OK") << QByteArray("{\"version\":\"9.9\"}")
                                 << "failed";
        QTest::newRow("broken XML")
            << QByteArray("200 OK") << feedOffering("1.5.0", "1.5").left(300) << "failed";
        QTest::newRow("empty") << QByteArray("200 OK") << QByteArray() << "failed";
        QTest::newRow("missing") << QByteArray("404 Not Found") << feedOffering("1.5.0", "1.5")
                                 << "failed";
    }

    void reportsHowEachCheckEnded()
    {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, outcome);
        FeedServer server;
        server.status = status;
        server.body = body;
        AppcastUpdater updater(server.url(), "1.4.0", "linux", { 3600000, 3600000 });
        const QStringList &outcomes = listen(updater);
        updater.checkUpdate();
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(outcomes.first(), outcome);
        QCOMPARE(server.requests, 1);
        if (outcome.startsWith("new"))
            QCOMPARE(updater.downloadUrl(), QUrl("https://example.invalid/veltra2-1.5.0.msi"));
    }

    void refusedConnectionFails()
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(closed.serverPort()));
        closed.close();
        AppcastUpdater updater(url, "1.4.0", "linux", { 3600000, 3600000 });
        const QStringList &outcomes = listen(updater);
        updater.checkUpdate();
        QTRY_COMPARE(outcomes.size(), 1);
        updater.checkUpdate(); // a new check after a failure is allowed
        QTRY_COMPARE(outcomes, (QStringList { "failed", "failed" }));
    }

    void checksShortlyAfterStartThenDaily()
    {
        FeedServer server;
        server.body = feedOffering("1.4.0", "1.4");
        // A "day" of 100 ms.
        AppcastUpdater updater(server.url(), "1.4.0", "linux", { 10, 100 });
        QTRY_COMPARE(server.requests, 1);
        QTRY_VERIFY_WITH_TIMEOUT(server.requests >= 3, 2000);
    }

    void windowsLibraryIsDrivenInOrder()
    {
        sparkleCalls.clear();
        {
            SparkleUpdater updater(QStringLiteral("https://example.invalid/appcast.xml"));
            QCOMPARE(sparkleCalls,
                (QStringList { "details " VELTRA2_ORGANISATION "|" VELTRA2_APPLICATION
                               "|" VELTRA2_VERSION,
                    "url https://example.invalid/appcast.xml", "automatic 1", "interval 86400",
                    "init" }));
            updater.checkUpdate();
            QCOMPARE(sparkleCalls.last(), QStringLiteral("check"));
        }
        QCOMPARE(sparkleCalls.count("cleanup"), 1);
        QCOMPARE(sparkleCalls.last(), QStringLiteral("cleanup"));
    }
};

VELTRA2_TEST_MAIN(TestUpdater)
#include "tst_updater.moc"
