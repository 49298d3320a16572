#include "common/testmain.h"
#include "models/connectionslistmodel.h"

#include <QAbstractItemModelTester>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {
void store(const QStringList &entries)
{
    QSettings settings;
    settings.setValue("Connections", entries);
}

QStringList stored()
{
    return QSettings().value("Connections").toStringList();
}

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
    void init() { QSettings().remove("Connections"); }

    void loadsWhatItCanRead_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("rows");

        QTest::newRow("nothing stored") << QStringList() << "";
        QTest::newRow("broken entries are skipped")
            << QStringList { "{\"name\":\"A\",\"host\":\"h\",\"port\":1}", "not json",
                   "{\"name\":\"B\",\"host\":\"h2\"}", "[1,2,3]" }
            << "A@h:1";
        QTest::newRow("port as text, port beyond 16 bits")
            << QStringList { "{\"name\":\"S\",\"host\":\"h\",\"port\":\"8080\"}",
                   "{\"name\":\"L\",\"host\":\"h\",\"port\":70000}" }
            << "S@h:0 L@h:4464";
        QTest::newRow("duplicates kept in stored order")
            << QStringList { "{\"name\":\"Y\",\"host\":\"h\",\"port\":5}",
                   "{\"name\":\"X\",\"host\":\"h\",\"port\":5}" }
            << "Y@h:5 X@h:5";
    }

    void loadsWhatItCanRead()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, rows);
        if (!entries.isEmpty())
            store(entries);
        ConnectionsListModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &ConnectionsListModel::changed);
        model.load();
        QCOMPARE(describe(model), rows);
        QCOMPARE(inserted.count(), rows.isEmpty() ? 0 : 1);
        QCOMPARE(changed.count(), 0);

        // Written back: only what could be read, in the same form.
        model.save();
        QStringList again;
        for (const QString &text : stored()) {
            const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
            QCOMPARE(o.keys(), (QStringList { "host", "name", "port" }));
            QVERIFY(!text.contains(' '));
            again << o.value("name").toString() + "@" + o.value("host").toString() + ":"
                    + QString::number(o.value("port").toInt());
        }
        QCOMPARE(again.join(' '), rows);
    }

    void duplicatesAreByHostAndPort()
    {
        ConnectionsListModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &ConnectionsListModel::changed);
        QVERIFY(model.add({ "Y", "10.0.0.5", 502 }));
        QVERIFY(!model.add({ "X", "10.0.0.5", 502 }));
        QCOMPARE(changed.count(), 1);
        QVERIFY(model.add({ "X", "10.0.0.5", 503 }));
        QVERIFY(model.add({ "Y", "Device.local", 1 }));
        QVERIFY(model.add({ "", "device.local", 1 }));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(describe(model), "Y@10.0.0.5:502 X@10.0.0.5:503 Y@Device.local:1 @device.local:1");
        QVERIFY(model.containsHost("10.0.0.5"));
        QVERIFY(!model.containsHost("10.0.0.50"));
        QVERIFY(model.contains(""));
        QVERIFY(!model.contains("y"));
        QCOMPARE(model.data(model.index(1), Qt::DisplayRole), QVariant("X"));
        QCOMPARE(model.data(model.index(1), ConnectionsListModel::PortRole).type(), QVariant::Int);
    }

    void removeOnlyExistingRows()
    {
        ConnectionsListModel model;
        QSignalSpy changed(&model, &ConnectionsListModel::changed);
        model.add({ "A", "h", 1 });
        model.remove(-1);
        model.remove(1);
        QCOMPARE(changed.count(), 1);
        model.remove(0);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.data(model.index(0), ConnectionsListModel::NameRole).isValid());
    }

    void everyChangeIsStoredAtOnce()
    {
        ConnectionsListModel model;
        model.add({ "Office", "192.168.1.50", 8080 });
        model.add({ "Lab", "lab.local", 8081 });
        QCOMPARE(stored().size(), 2);
        model.remove(0);
        QCOMPARE(stored().size(), 1);
        ConnectionsListModel reloaded;
        reloaded.load();
        QCOMPARE(describe(reloaded), "Lab@lab.local:8081");
        // An empty list is written as such, not dropped.
        model.remove(0);
        QVERIFY(QSettings().contains("Connections"));
        QCOMPARE(stored(), QStringList());
    }
};

VELTRA2_TEST_MAIN(TestConnectionsListModel)
#include "tst_connectionslistmodel.moc"
