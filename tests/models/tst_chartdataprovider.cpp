#include "common/testmain.h"
#include "models/chartdataprovider.h"

#include <QSignalSpy>
#include <QTest>

class TestChartDataProvider : public QObject {
    Q_OBJECT

private slots:
    void labelsRoundSecondsHalfUp_data()
    {
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QStringList>("labels");

        QTest::newRow("single point") << QList<qint64> { 1000 } << QStringList { "0" };
        // 1.6 s, 1.4 s, 0.5 s and 0.498 s before the newest.
        QTest::newRow("halves up") << QList<qint64> { 1000, 1200, 2100, 2102, 2600 }
                                   << QStringList { "-2", "-1", "-1", "0", "0" };
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
    }

    void slidesAndResizes()
    {
        ChartDataProvider series;
        QSignalSpy changed(&series, &ChartDataProvider::sizeChanged);
        for (int i = 0; i < 33; ++i)
            series.append(i);
        QCOMPARE(series.getValues().size(), 32);
        QCOMPARE(series.getValues().first(), 1.0);
        series.setSize(10);
        series.setSize(10);
        series.setSize(0);
        QCOMPARE(series.getValues().first(), 23.0);
        QCOMPARE(changed.count(), 1);
        // The runner keeps series by value: a copy is its own.
        ChartDataProvider copy(series);
        copy.append(99);
        QCOMPARE(series.getValues().size(), 10);
        QCOMPARE(copy.getValues().last(), 99.0);
    }
};

VELTRA2_TEST_MAIN(TestChartDataProvider)
#include "tst_chartdataprovider.moc"
