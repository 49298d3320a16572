#include "common/testmain.h"
#include "models/historydatamodel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString C = QStringLiteral("\u2103");
const QStringList TwoFields { "t", "h" };
const QStringList TwoUnits { C, "%" };

QJsonObject json(const QByteArray &text)
{
    return QJsonDocument::fromJson(text).object();
}

// Noon today, local time.
qint64 noon()
{
    return QDateTime(QDate::currentDate(), QTime(12, 0)).toMSecsSinceEpoch();
}

QStringList column(const HistoryDataModel &model, int role)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.data(model.index(r), role).toString();
    return out;
}
} // namespace

class TestHistoryDataModel : public QObject {
    Q_OBJECT

private slots:
    void exportsCsv_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QByteArray>("csv");

        QTest::newRow("wired model")
            << QByteArray("{\"data\":[20,21.25,\"=cmd\",-0.5,1e21],\"interval\":600000}")
            << QStringList { "t" } << QStringList { "temperature" }
            << QByteArray("time,temperature\r\n"
                          "2026-03-07T08:15:00+05:30,20\r\n"
                          "2026-03-07T08:25:00+05:30,21.25\r\n"
                          "2026-03-07T08:35:00+05:30,\r\n"
                          "2026-03-07T08:45:00+05:30,-0.5\r\n"
                          "2026-03-07T08:55:00+05:30,1e+21\r\n");
        QTest::newRow("wi-fi model, fewer humidity samples")
            << QByteArray("{\"t\":{\"data\":[19.5,20,20.125],\"interval\":3600000},"
                          "\"h\":{\"data\":[41,40.5],\"interval\":3600000}}")
            << TwoFields << QStringList { "temperature", "humidity" }
            << QByteArray("time,temperature,humidity\r\n"
                          "2026-03-07T06:30:00+05:30,19.5,\r\n"
                          "2026-03-07T07:30:00+05:30,20,41\r\n"
                          "2026-03-07T08:30:00+05:30,20.125,40.5\r\n");
    }

    void exportsCsv()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, titles);
        QFETCH(QByteArray, csv);
        // Local time five and a half hours east of UTC, whatever this machine's.
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "XST-5:30");
        HistoryDataModel model;
        // 2026-03-07 09:00 local, 03:30 UTC.
        model.setClock([] { return Q_INT64_C(1772854200000); });
        model.update(json(reply), fields, { C, "%" });
        const QByteArray written = model.csv(titles);
        if (zone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", zone);
        QCOMPARE(written, csv);
    }

    void oneField()
    {
        HistoryDataModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setClock(noon);
        QSignalSpy interval(&model, &HistoryDataModel::intervalUpdated);
        model.update(json("{\"data\":[20,21.5,\"x\"],\"interval\":60000}"), { "t" }, { C });
        const QString day = QDate::currentDate().toString("yyyy.MM.dd");
        QCOMPARE(column(model, HistoryDataModel::TimeRole),
            (QStringList { day + " 11:57:30", day + " 11:58:30", day + " 11:59:30" }));
        QCOMPARE(column(model, HistoryDataModel::ValueRole),
            (QStringList { "20 " + C + " ", "21.5 " + C + " ", "x " + C + " " }));
        QCOMPARE(interval.count(), 1);
        QCOMPARE(interval.at(0).at(0).toInt(), 60000);
        QVERIFY(!model.data(model.index(0), Qt::DisplayRole).isValid());
    }

    void twoFieldsAlignToTheNewest()
    {
        HistoryDataModel model;
        model.setClock(noon);
        model.update(json("{\"t\":{\"data\":[20,21,22],\"interval\":1000},"
                          "\"h\":{\"data\":[40,41],\"interval\":1000}}"),
            TwoFields, TwoUnits);
        QCOMPARE(column(model, HistoryDataModel::ValueRole),
            (QStringList { "20 " + C + " , ", "21 " + C + " ,40 % ", "22 " + C + " ,41 % " }));
    }

    void unusableHistoriesLeaveTheModelEmpty_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QStringList>("fields");

        QTest::newRow("intervals differ") << QByteArray(
            "{\"t\":{\"data\":[1],\"interval\":60000},\"h\":{\"data\":[2],\"interval\":30000}}")
                                          << TwoFields;
        QTest::newRow("first interval missing")
            << QByteArray("{\"t\":{\"data\":[1]},\"h\":{\"data\":[2],\"interval\":30000}}")
            << TwoFields;
        QTest::newRow("zero interval")
            << QByteArray("{\"data\":[1,2],\"interval\":0}") << QStringList { "t" };
        QTest::newRow("negative interval")
            << QByteArray("{\"data\":[1,2],\"interval\":-5}") << QStringList { "t" };
        QTest::newRow("missing interval") << QByteArray("{\"data\":[1,2]}") << QStringList { "t" };
        QTest::newRow("no samples")
            << QByteArray("{\"data\":[],\"interval\":1000}") << QStringList { "t" };
        QTest::newRow("no fields")
            << QByteArray("{\"data\":[1],\"interval\":1000}") << QStringList();
    }

    void unusableHistoriesLeaveTheModelEmpty()
    {
        QFETCH(QByteArray, source);
        QFETCH(QStringList, fields);
        HistoryDataModel model;
        model.update(json("{\"data\":[1,2,3],\"interval\":1000}"), { "t" }, { C });
        QCOMPARE(model.rowCount(), 3);
        QSignalSpy interval(&model, &HistoryDataModel::intervalUpdated);
        model.update(json(source), fields, TwoUnits);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(interval.count(), 0);
    }

    void longHistoriesKeepExactSpacing()
    {
        // 1000 hourly samples span about 3.6e9 ms, beyond a 32-bit count.
        QByteArray data;
        for (int i = 0; i < 1000; ++i)
            data += (i ? "," : "") + QByteArray::number(i);
        HistoryDataModel model;
        qint64 now = 1780000000000LL;
        model.setClock([now] { return now; });
        model.update(json("{\"data\":[" + data + "],\"interval\":3600000}"), { "t" }, { C });
        QCOMPARE(model.rowCount(), 1000);
        const QDateTime oldest = QDateTime::fromMSecsSinceEpoch(now - 999LL * 3600000 - 1800000);
        const QDateTime newest = QDateTime::fromMSecsSinceEpoch(now - 1800000);
        QCOMPARE(model.data(model.index(0), HistoryDataModel::TimeRole).toString(),
            oldest.toString("yyyy.MM.dd hh:mm:ss"));
        QCOMPARE(model.data(model.index(999), HistoryDataModel::TimeRole).toString(),
            newest.toString("yyyy.MM.dd hh:mm:ss"));
    }

    void missingUnitsDoNotCrash()
    {
        HistoryDataModel model;
        model.update(
            json("{\"t\":{\"data\":[1],\"interval\":10},\"h\":{\"data\":[2],\"interval\":10}}"),
            TwoFields, { C });
        QCOMPARE(column(model, HistoryDataModel::ValueRole), QStringList { "1 " + C + " ,2  " });
    }

    void clearingAnEmptyModelIsQuiet()
    {
        HistoryDataModel model;
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.clear();
        QCOMPARE(removed.count(), 0);
    }
};

VELTRA2_TEST_MAIN(TestHistoryDataModel)
#include "tst_historydatamodel.moc"
