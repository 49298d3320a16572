#include "common/testmain.h"
#include "models/variantmapmodel.h"

#include <QAbstractItemModelTester>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {
QVariantMap fromJson(const char *json)
{
    return QJsonDocument::fromJson(json).object().toVariantMap();
}

QStringList column(const VariantMapModel &model, int role)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.data(model.index(r), role).toString();
    return out;
}
} // namespace

class TestVariantMapModel : public QObject {
    Q_OBJECT

private slots:
    void showsRowsInKeyOrder()
    {
        VariantMapModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.set(fromJson("{\"value\": 21.5, \"mqtt\": false, \"modbus\": true, \"MAC\": \"ab\","
                           "\"\": 1, \"net-ssid\": \"lab\"}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList { "", "Mac", "Modbus", "Mqtt", "Net-ssid", "Value" }));
        QCOMPARE(model.data(model.index(2), VariantMapModel::TValueRole), QVariant(true));
        QCOMPARE(model.data(model.index(5), VariantMapModel::TValueRole), QVariant(21.5));
        QCOMPARE(model.data(model.index(5), Qt::DisplayRole), QVariant(21.5));
        QVERIFY(!model.data(model.index(5), Qt::UserRole + 4).isValid());
        QVERIFY(!model.data(model.index(6), VariantMapModel::TKeyRole).isValid());
        QCOMPARE(model.columnCount(), 2);
    }

    void flattensObjects_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("text");

        QTest::newRow("readings") << QByteArray("{\"t\": 21.5, \"h\": 40}") << "H: 40, T: 21.5";
        QTest::newRow("nested") << QByteArray("{\"a\": {\"b\": 1}}") << "A: {B: 1}";
        QTest::newRow("wifi") << QByteArray(
            "{\"wifi\": {\"ip\": \"10.0.0.5\", \"rssi\": -60}, \"up\": true}")
                              << "Up: true, Wifi: {Ip: 10.0.0.5, Rssi: -60}";
        QTest::newRow("array and null") << QByteArray("{\"l\": [1, 2], \"n\": null}") << "L: , N: ";
        QTest::newRow("empty") << QByteArray("{}") << "";
    }

    void flattensObjects()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, text);
        QCOMPARE(VariantMapModel::flatten(QJsonDocument::fromJson(json).object()), text);
        VariantMapModel model;
        model.set({ { "value", QJsonDocument::fromJson(json).object().toVariantMap() } });
        QCOMPARE(model.data(model.index(0), VariantMapModel::TValueRole).toString(), text);
    }

    void shownTextsAreBounded_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown");

        QTest::newRow("number") << QVariant(21.5) << "21.5";
        QTest::newRow("object") << QVariant(fromJson("{\"t\": 21.5, \"h\": 40}"))
                                << "H: 40, T: 21.5";
        QTest::newRow("list") << QVariant(QVariantList { 1, "a" }) << "[1,\"a\"]";
        QTest::newRow("a megabyte")
            << QVariant(QString(1 << 20, 'x')) << QString(199, 'x') + QChar(0x2026);
        QString deep = "1";
        QString flattened = "1";
        for (int i = 0; i < 500; ++i) {
            deep = "{\"a\":" + deep + "}";
            flattened = "A: {" + flattened + "}";
        }
        QTest::newRow("500 levels deep")
            << QVariant(fromJson(qPrintable("{\"a\":" + deep + "}")))
            << QString("A: {" + flattened + "}").left(199) + QChar(0x2026);
    }

    void shownTextsAreBounded()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        VariantMapModel model;
        model.set({ { QString(1000, 'k'), value } });
        QCOMPARE(model.data(model.index(0), VariantMapModel::TShownRole).toString(), shown);
        // The key is a name: shorter still.
        QCOMPARE(model.data(model.index(0), VariantMapModel::TKeyRole).toString(),
            "K" + QString(62, 'k') + QChar(0x2026));
        // The whole value stays in the model.
        if (value.type() == QVariant::String)
            QCOMPARE(model.data(model.index(0), VariantMapModel::TValueRole), value);
    }

    void setReplacesEverything()
    {
        VariantMapModel model;
        model.set(fromJson("{\"a\":1,\"b\":2,\"c\":3,\"d\":4,\"e\":5}"));
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.set(fromJson("{\"x\":1,\"y\":2,\"z\":3}"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 0);
        QCOMPARE(removed.at(0).at(2).toInt(), 4);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 0);
        QCOMPARE(inserted.at(0).at(2).toInt(), 2);

        model.set({});
        model.set({});
        QCOMPARE(removed.count(), 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(), 0);
    }

    void amendAnnouncesNewRowsAndChangedData()
    {
        VariantMapModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.set(fromJson("{\"modbus\":false,\"value\":21.5}"));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.amend(fromJson("{\"mqtt\":true,\"value\":22}"));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1); // Mqtt sorts between Modbus and Value
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 2);
        QCOMPARE(
            column(model, VariantMapModel::TKeyRole), (QStringList { "Modbus", "Mqtt", "Value" }));
        QCOMPARE(
            column(model, VariantMapModel::TValueRole), (QStringList { "false", "true", "22" }));

        // Keys the next reply lacks keep their last value.
        model.amend(fromJson("{\"value\":23}"));
        QCOMPARE(
            column(model, VariantMapModel::TValueRole), (QStringList { "false", "true", "23" }));
    }
};

VELTRA2_TEST_MAIN(TestVariantMapModel)
#include "tst_variantmapmodel.moc"
