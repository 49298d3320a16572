#include "common/testmain.h"
#include "models/connectionslistmodel.h"

#include <QAbstractItemModelTester>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {
QString describe(const ConnectionsListModel &model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        const QModelIndex i = model.index(r);
        rows << model.data(i, ConnectionsListModel::NameRole).toString() + "@"
                + model.data(i, ConnectionsListModel::HostRole).toString() + ":"
                + QString::number(model.data(i, ConnectionsListModel::PortRole).toInt());
    }
    return rows.join(' ');
}
} // namespace

class TestConnectionsListModel : public QObject {
    Q_OBJECT

private slots:
    void loadsWhatItCanRead_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("rows");

        QTest::newRow("broken entries are skipped")
            << QStringList { "{\"name\":\"A\",\"host\":\"h\",\"port\":1}", "not json",
                   "{\"name\":\"B\",\"host\":\"h2\"}", "[1,2,3]" }
            << "A@h:1";
        QTest::newRow("port as text, port beyond 16 bits, duplicates in order")
            << QStringList { "{\"name\":\"S\",\"host\":\"h\",\"port\":\"8080\"}",
                   "{\"name\":\"L\",\"host\":\"h\",\"port\":70000}",
                   "{\"name\":\"X\",\"host\":\"h\",\"port\":70000}" }
            << "S@h:0 L@h:4464 X@h:4464";
    }

    void loadsWhatItCanRead()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, rows);
        QSettings().setValue("Connections", entries);
        ConnectionsListModel model;
        QSignalSpy changed(&model, &ConnectionsListModel::changed);
        model.load();
        QCOMPARE(describe(model), rows);
        QCOMPARE(changed.count(), 0);
        // Written back: only what could be read, and read back the same.
        QVERIFY(model.save());
        ConnectionsListModel again;
        again.load();
        QCOMPARE(describe(again), rows);
    }

    void duplicatesAreByHostAndPort()
    {
        QSettings().remove("Connections");
        ConnectionsListModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &ConnectionsListModel::changed);
        QVERIFY(model.add({ "Y", "10.0.0.5", 502 }));
        QVERIFY(!model.add({ "X", "10.0.0.5", 502 }));
        QVERIFY(model.add({ "X", "10.0.0.5", 503 }));
        QVERIFY(model.add({ "", "Device.local", 1 }));
        QVERIFY(model.add({ "", "device.local", 1 }));
        QCOMPARE(changed.count(), 4);
        QVERIFY(model.containsHost("10.0.0.5") && !model.containsHost("10.0.0.50"));
        QVERIFY(model.contains("") && !model.contains("y"));
        model.remove(-1);
        model.remove(4);
        model.remove(0);
        QCOMPARE(changed.count(), 5);
        QCOMPARE(describe(model), "X@10.0.0.5:503 @Device.local:1 @device.local:1");
        QVERIFY(!model.data(model.index(3), ConnectionsListModel::NameRole).isValid());
    }
};

VELTRA2_TEST_MAIN(TestConnectionsListModel)
#include "tst_connectionslistmodel.moc"
