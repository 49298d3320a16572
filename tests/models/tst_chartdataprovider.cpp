#include "common/testmain.h"
#include "models/chartdataprovider.h"

#include <QSignalSpy>
#include <QTest>

class TestChartDataProvider : public QObject {
    Q_OBJECT

private slots:
    void slidesAtTheLimit()
    {
        ChartDataProvider series;
        for (int i = 0; i < 33; ++i)
            series.append(i);
        const QList<qreal> values = series.getValues();
        QCOMPARE(values.size(), 32);
        QCOMPARE(values.first(), 1.0);
        QCOMPARE(values.last(), 32.0);
        QCOMPARE(series.getLabels().size(), 32);
    }

    void labelsRoundSecondsHalfUp_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QStringList>("labels");

        QTest::newRow("single point") << QList<qint64> { 1000 } << QStringList { "0" };
        QTest::newRow("one second") << QList<qint64> { 1000, 2000 } << QStringList { "-1", "0" };
        QTest::newRow("1.4 s") << QList<qint64> { 1000, 2400 } << QStringList { "-1", "0" };
        QTest::newRow("1.6 s") << QList<qint64> { 1000, 2600 } << QStringList { "-2", "0" };
        QTest::newRow("0.499 s and 0.5 s")
            << QList<qint64> { 0, 502, 1001 } << QStringList { "-1", "0", "0" };
        QTest::newRow("exactly 0.5 s") << QList<qint64> { 0, 500 } << QStringList { "-1", "0" };
        QTest::newRow("beyond 2^31 ms")
            << QList<qint64> { 0, 3000000000LL } << QStringList { "-3000000", "0" };
    }

    void labelsRoundSecondsHalfUp()
    {
        QFETCH(QList<qint64>, times);
        QFETCH(QStringList, labels);
        ChartDataProvider series;
        int next = 0;
        series.setClock([&] { return times.at(next++); });
        for (int i = 0; i < times.size(); ++i)
            series.append(20.0 + i);
        QCOMPARE(series.getLabels(), labels);
        QCOMPARE(series.getValues().size(), times.size());
    }

    void resizing()
    {
        ChartDataProvider series;
        QSignalSpy changed(&series, &ChartDataProvider::sizeChanged);
        for (int i = 0; i < 32; ++i)
            series.append(i);
        series.setSize(10);
        QCOMPARE(series.getValues().first(), 22.0);
        QCOMPARE(series.getValues().size(), 10);
        series.setSize(10);
        series.setSize(0);
        series.setSize(-5);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 10);
        series.setProperty("size", 40);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(series.getValues().size(), 10);
    }

    void copiesCarryPointsAndParent()
    {
        QObject owner;
        ChartDataProvider series(&owner);
        series.setSize(3);
        series.append(1);
        series.append(2);
        ChartDataProvider copy(series);
        QCOMPARE(copy.parent(), &owner);
        QCOMPARE(copy.size(), 3);
        QCOMPARE(copy.getValues(), (QList<qreal> { 1, 2 }));
        copy.append(3);
        QCOMPARE(series.getValues().size(), 2); // independent after the copy

        ChartDataProvider other;
        other = copy;
        QCOMPARE(other.parent(), nullptr);
        QCOMPARE(other.getValues(), (QList<qreal> { 1, 2, 3 }));
    }

    void emptySeries()
    {
        ChartDataProvider series;
        QVERIFY(series.getValues().isEmpty());
        QVERIFY(series.getLabels().isEmpty());
    }
};

VELTRA2_TEST_MAIN(TestChartDataProvider)
#include "tst_chartdataprovider.moc"
