#include "common/testmain.h"
#include "models/variantmapmodel.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {
QJsonObject fromJson(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
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
    void showsValues_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("value258");
        QTest::addColumn<QString>("shown");

        QTest::newRow("number") << QJsonValue(21.5) << "21.5"
                                << "21.5";
        QTest::newRow("object") << QJsonValue(
            fromJson("{\"t\": 21.5, \"h\": 40, \"a\": {\"b\": 1}}"))
                                << "A: {B: 1}, H: 40, T: 21.5"
                                << "A: {B: 1}, H: 40, T: 21.5";
        QTest::newRow("array and null inside")
            << QJsonValue(fromJson("{\"l\": [1, 2], \"n\": null}")) << "L: , N: "
            << "L: , N: ";
        QTest::newRow("list") << QJsonValue(QJsonArray { 1, "a" }) << ""
                              << "[1,\"a\"]";
        QTest::newRow("a megabyte") << QJsonValue(QString(1 << 20, 'x')) << QString(1 << 20, 'x')
                                    << QString(199, 'x') + QChar(0x2026);
        QString deep = "1";
        QString flattened = "A: 1";
        for (int i = 0; i < 500; ++i) {
            deep = "{\"a\":" + deep + "}";
            flattened = "A: {" + flattened + "}";
        }
        QTest::newRow("500 levels deep") << QJsonValue(fromJson(("{\"a\":" + deep + "}").toUtf8()))
                                         << flattened << flattened.left(199) + QChar(0x2026);
    }

    void showsValues()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, value258);
        QFETCH(QString, shown);
        VariantMapModel model;
        model.set({ { QString(1000, 'K'), value } });
        QCOMPARE(model.data(model.index(0), VariantMapModel::TValueRole).toString(), value258);
        QCOMPARE(model.data(model.index(0), VariantMapModel::TShownRole).toString(), shown);
        // The key is a name, capitalised: shorter still.
        QCOMPARE(model.data(model.index(0), VariantMapModel::TKeyRole).toString(),
            "K" + QString(62, 'k') + QChar(0x2026));
    }

    void showsTheLastReplyAnnouncingOnlyWhatChanged()
    {
        VariantMapModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.set(fromJson("{\"value\": 21.5, \"MAC\": \"ab\", \"\": 1, \"modbus\": false}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList { "", "Mac", "Modbus", "Value" }));
        QCOMPARE(model.data(model.index(3), Qt::DisplayRole), QVariant(21.5));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.set(fromJson("{\"value\": 22, \"MAC\": \"ab\", \"\": 1, \"modbus\": false}"));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 3);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 3);
        // Names the next reply lacks are gone with it.
        model.set(fromJson("{\"mqtt\":true,\"value\":23}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole), (QStringList { "Mqtt", "Value" }));
        QCOMPARE(reset.count(), 1);
        model.set({});
        QCOMPARE(model.rowCount(), 0);
    }

    void boundedAndTellingNamesApart()
    {
        VariantMapModel model;
        QJsonObject many;
        for (int i = 0; i < 20000; ++i)
            many.insert(QString::number(100000 + i), i);
        model.set(many);
        QCOMPARE(model.rowCount(), VariantMapModel::MaxRows + 1);
        QCOMPARE(model.data(model.index(VariantMapModel::MaxRows), VariantMapModel::TShownRole)
                     .toString(),
            QStringLiteral("18000 more not shown"));
        // Names that would read the same are shown as the device sent them.
        model.set(fromJson("{\"mqtt\": 1, \"Mqtt\": 2, \"MQTT\": 3, \"rssi\": 4}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList { "MQTT", "Mqtt", "mqtt", "Rssi" }));
    }
};

VELTRA2_TEST_MAIN(TestVariantMapModel)
#include "tst_variantmapmodel.moc"
