#include "common/testmain.h"
#include "models/variantmapmodel.h"

#include <QAbstractItemModelTester>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {
QVariantMap fromJson(const QByteArray &json)
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
    void showsValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("value258");
        QTest::addColumn<QString>("shown");

        QTest::newRow("number") << QVariant(21.5) << "21.5"
                                << "21.5";
        QTest::newRow("object") << QVariant(fromJson("{\"t\": 21.5, \"h\": 40, \"a\": {\"b\": 1}}"))
                                << "A: {B: 1}, H: 40, T: 21.5"
                                << "A: {B: 1}, H: 40, T: 21.5";
        QTest::newRow("array and null inside")
            << QVariant(fromJson("{\"l\": [1, 2], \"n\": null}")) << "L: , N: "
            << "L: , N: ";
        QTest::newRow("list") << QVariant(QVariantList { 1, "a" }) << ""
                              << "[1,\"a\"]";
        QTest::newRow("a megabyte") << QVariant(QString(1 << 20, 'x')) << QString(1 << 20, 'x')
                                    << QString(199, 'x') + QChar(0x2026);
        QString deep = "1";
        QString flattened = "A: 1";
        for (int i = 0; i < 500; ++i) {
            deep = "{\"a\":" + deep + "}";
            flattened = "A: {" + flattened + "}";
        }
        QTest::newRow("500 levels deep") << QVariant(fromJson(("{\"a\":" + deep + "}").toUtf8()))
                                         << flattened << flattened.left(199) + QChar(0x2026);
    }

    void showsValues()
    {
        QFETCH(QVariant, value);
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

    void setAndAmendAnnounceTheirRows()
    {
        VariantMapModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.set(fromJson("{\"value\": 21.5, \"MAC\": \"ab\", \"\": 1, \"modbus\": false}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList { "", "Mac", "Modbus", "Value" }));
        QCOMPARE(model.data(model.index(3), Qt::DisplayRole), QVariant(21.5));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.amend(fromJson("{\"mqtt\":true,\"value\":22}"));
        QCOMPARE(inserted.at(0).at(1).toInt(), 3); // Mqtt sorts before Value
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 4);
        // Keys the next reply lacks keep their last value until the next set.
        model.amend(fromJson("{\"value\":23}"));
        QCOMPARE(column(model, VariantMapModel::TValueRole).last(), QStringLiteral("23"));
        QCOMPARE(model.rowCount(), 5);
        model.set(fromJson("{\"x\":1}"));
        QCOMPARE(model.rowCount(), 1);
    }
};

VELTRA2_TEST_MAIN(TestVariantMapModel)
#include "tst_variantmapmodel.moc"
