#include "common/runnerfixture.h"
#include "common/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

class TestSavedConnections : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().remove("Connections"); }

    void savesTheCurrentEndpoint()
    {
        {
            RunnerFixture f;
            f.runner->saveConnection("Nowhere");
            ConnectionsListModel *list = f.runner->connListModel();
            QCOMPARE(
                list->data(list->index(0), ConnectionsListModel::HostRole).toString(), QString());
            QCOMPARE(list->data(list->index(0), ConnectionsListModel::PortRole).toInt(), 7999);

            f.runner->connectToHost("127.0.0.3", 70000);
            f.runner->saveConnection("Office");
            f.runner->saveConnection("Office again");
            QCOMPARE(f.alerts(),
                (QStringList { "Connection saved", "Connection saved", "Connection exists" }));
            QCOMPARE(
                list->data(list->index(1), ConnectionsListModel::PortRole).toInt(), 70000 - 65536);
            f.runner->disconnectFromHost();
        }
        IOTRunner later;
        QCOMPARE(later.connListModel()->rowCount(), 2);
    }

    void unwritableStoreIsReported()
    {
        // A folder where the settings file belongs: nothing can be written.
        const QString store = QSettings().fileName();
        QFile::remove(store);
        QVERIFY(QDir().mkpath(store));
        RunnerFixture f;
        f.runner->connectToHost("127.0.0.3", 8081);
        f.runner->saveConnection("Office");
        const int rows = f.runner->connListModel()->rowCount();
        QDir(store).removeRecursively();
        QCOMPARE(f.alerts(), QStringList { "Cannot save the connection" });
        QCOMPARE(rows, 0);
    }

    void connectsFromTheList()
    {
        ScriptedPeer peer;
        QSettings().setValue("Connections",
            QStringList { QString("{\"name\":\"Sim\",\"host\":\"127.0.0.1\",\"port\":%1}")
                              .arg(peer.port()) });
        RunnerFixture f;
        f.runner->connectFromList(5);
        f.runner->connectFromList(-1);
        QTest::qWait(100);
        QCOMPARE(peer.connections(), 0);
        QSignalSpy connected(f.runner.get(), &IOTRunner::connectedToHost);
        f.runner->connectFromList(0);
        QVERIFY(connected.wait(5000));
        QCOMPARE(QSettings().value("port").toInt(), int(peer.port()));
    }

    void survivesAKilledProgram()
    {
        QProcess saver;
        saver.start(QStringLiteral(CONNECTION_SAVER), QStringList());
        QVERIFY(saver.waitForReadyRead(10000));
        QCOMPARE(saver.readAllStandardOutput(), QByteArray("saved\n"));
        saver.kill(); // SIGKILL: no destructor runs
        QVERIFY(saver.waitForFinished(5000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        QSettings().sync();
        IOTRunner runner;
        ConnectionsListModel *list = runner.connListModel();
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->data(list->index(0), ConnectionsListModel::NameRole).toString(),
            QString("Office"));
        QCOMPARE(list->data(list->index(0), ConnectionsListModel::HostRole).toString(),
            QString("127.0.0.2"));
    }
};

VELTRA2_TEST_MAIN(TestSavedConnections)
#include "tst_savedconnections.moc"
