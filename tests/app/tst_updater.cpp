#include "app/appcastupdater.h"
#include "app/sparkleupdater.h"
#include "common/testmain.h"

#include <QLibrary>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
// A feed with an old item and one of `version`, for `platform` when given.
QByteArray feedOffering(const QByteArray &version, const QByteArray &platform = {},
    const QByteArray &download = "https://example.invalid/new.msi")
{
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" "
           "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>"
           "<item><sparkle:version>0.0.9</sparkle:version>"
           "<enclosure url=\"https://example.invalid/old.msi\"/></item>"
           "<item><sparkle:version>"
        + version + "</sparkle:version><sparkle:shortVersionString>v" + version
        + "</sparkle:shortVersionString><description><![CDATA[<li>Faster</li>]]></description>"
          "<enclosure url=\""
        + download + "\"" + (platform.isEmpty() ? QByteArray() : " sparkle:os=\"" + platform + "\"")
        + "/></item></channel></rss>";
}

// How each check of `updater` ends, as it tells.
QStringList &outcomesOf(AppcastUpdater &updater)
{
    static QStringList outcomes;
    outcomes.clear();
    QObject::connect(&updater, &AppcastUpdater::newVersion,
        [](const QString &v, const QString &log) { outcomes << "new " + v + " " + log; });
    QObject::connect(&updater, &AppcastUpdater::upToDate, [] { outcomes << "up to date"; });
    QObject::connect(&updater, &AppcastUpdater::checkFailed, [] { outcomes << "failed"; });
    return outcomes;
}
} // namespace

class TestUpdater : public QObject {
    Q_OBJECT

private slots:
    void reportsHowEachCheckEnded_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<QString>("outcome");

        QTest::newRow("newer by number, not by text")
            << feedOffering("1.10.0") << "new v1.10.0 <li>Faster</li>";
        QTest::newRow("newer, for this platform")
            << feedOffering("1.5.0", "linux") << "new v1.5.0 <li>Faster</li>";
        QTest::newRow("newer, for another platform only")
            << feedOffering("1.5.0", "windows") << "up to date";
        QTest::newRow("same, written shorter") << feedOffering("1.4") << "up to date";
        // Only a web link is opened, never a file or another program's scheme.
        for (const char *link :
            { "file:///etc/passwd", "veltra2://run", "new.msi", "http://example.invalid/new.msi" })
            QTest::newRow(link) << feedOffering("1.5.0", {}, link) << "failed";
        QTest::newRow("not XML") << QByteArray("{\"version\":\"9.9\"}") << "failed";
        QTest::newRow("broken XML") << feedOffering("1.5.0").left(300) << "failed";
        QTest::newRow("not there") << QByteArray() << "failed";
        QTest::newRow("refused") << QByteArray("refused") << "failed";
    }

    void reportsHowEachCheckEnded()
    {
        QFETCH(QByteArray, feed);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        QUrl url = QUrl::fromLocalFile(dir.filePath("appcast.xml"));
        QFile file(url.toLocalFile());
        if (!feed.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(feed) == feed.size());
        file.close();
        if (feed == "refused") {
            QTcpServer closed;
            closed.listen(QHostAddress::LocalHost, 0);
            url = QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(closed.serverPort()));
        }
        AppcastUpdater updater(url, "1.4.0", "linux", { 3600000, 3600000 });
        const QStringList &outcomes = outcomesOf(updater);
        updater.checkUpdate();
        updater.checkUpdate(); // one at a time: the second joins the first
        QTRY_COMPARE(outcomes, QStringList { outcome });
        if (outcome.startsWith("new"))
            QCOMPARE(updater.downloadUrl(), QUrl("https://example.invalid/new.msi"));
        updater.checkUpdate(); // and a new check after that one is allowed
        QTRY_COMPARE(outcomes.size(), 2);
    }

    void checksShortlyAfterStartThenDaily()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("appcast.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(feedOffering("1.4.0")) > 0);
        file.close();
        // A "day" of 100 ms.
        AppcastUpdater updater(QUrl::fromLocalFile(file.fileName()), "1.4.0", "linux", { 10, 100 });
        const QStringList &outcomes = outcomesOf(updater);
        QTRY_VERIFY_WITH_TIMEOUT(outcomes.size() >= 3, 2000);
    }

    void windowsLibraryIsDrivenInOrder()
    {
        QVERIFY(!SparkleUpdater::load("https://example.invalid/a.xml", "no-such-library"));
        QLibrary library(QStringLiteral(SPARKLE_STANDIN));
        const auto calls = reinterpret_cast<const char *(*)()>(library.resolve("standin_calls"));
        QVERIFY(calls);
        {
            std::unique_ptr<SparkleUpdater> updater(
                SparkleUpdater::load("https://example.invalid/appcast.xml", SPARKLE_STANDIN));
            QVERIFY(updater);
            updater->checkUpdate();
        }
        QCOMPARE(QString::fromUtf8(calls()).split('\n', Qt::SkipEmptyParts),
            (QStringList { "details " + QCoreApplication::organizationName()
                    + "|" VELTRA2_APPLICATION "|" VELTRA2_VERSION,
                "url https://example.invalid/appcast.xml", "automatic 1", "interval 86400", "init",
                "check", "cleanup" }));
    }
};

VELTRA2_TEST_MAIN(TestUpdater)
#include "tst_updater.moc"
