#include "common/testmain.h"
#include "models/historycsvwriter.h"
#include "models/historydatamodel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString C = QStringLiteral("\u2103");
const QStringList TwoFields { "t", "h" };

QJsonObject json(const QByteArray &text)
{
    return QJsonDocument::fromJson(text).object();
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
    void rowsAndTimes()
    {
        HistoryDataModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QDateTime noon(QDate::currentDate(), QTime(12, 0));
        model.setClock([&] { return noon.toMSecsSinceEpoch(); });
        QSignalSpy interval(&model, &HistoryDataModel::intervalUpdated);
        model.update(json("{\"data\":[20,21.5,\"x\"],\"interval\":60000}"), { "t" }, { C });
        const QString day = noon.toString("yyyy.MM.dd");
        QCOMPARE(column(model, HistoryDataModel::TimeRole),
            (QStringList { day + " 11:57:30", day + " 11:58:30", day + " 11:59:30" }));
        QCOMPARE(column(model, HistoryDataModel::ValueRole),
            (QStringList { "20 " + C + " ", "21.5 " + C + " ", " " + C + " " }));
        QCOMPARE(interval.at(0).at(0).toInt(), 60000);
        // Shorter arrays hold the newest samples; a missing unit is empty.
        model.update(json("{\"t\":{\"data\":[20,21,22],\"interval\":1000},"
                          "\"h\":{\"data\":[40,41],\"interval\":1000}}"),
            TwoFields, { C });
        QCOMPARE(column(model, HistoryDataModel::ValueRole),
            (QStringList { "20 " + C + " , ", "21 " + C + " ,40  ", "22 " + C + " ,41  " }));
        // Beyond a 32-bit count of milliseconds, spacing stays exact.
        model.update(
            json("{\"data\":[1,2,3,4,5,6,7,8,9,10],\"interval\":600000000}"), { "t" }, { C });
        QCOMPARE(model.data(model.index(0), HistoryDataModel::TimeRole).toString(),
            noon.addMSecs(-9LL * 600000000 - 300000000).toString("yyyy.MM.dd hh:mm:ss"));
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
        QTest::newRow("negative interval")
            << QByteArray("{\"data\":[1,2],\"interval\":-5}") << QStringList { "t" };
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
        QSignalSpy interval(&model, &HistoryDataModel::intervalUpdated);
        model.update(json(source), fields, { C, "%" });
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(interval.count(), 0);
    }

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
        model.setClock([] { return Q_INT64_C(1772854200000); }); // 09:00 there
        model.update(json(reply), fields, { C, "%" });
        QTemporaryDir dir;
        HistoryCsvWriter writer(model.samples(), titles, dir.filePath("h.csv"));
        HistoryCsvWriter failing(model.samples(), titles, dir.filePath("no/such/h.csv"));
        QSignalSpy done(&writer, &HistoryCsvWriter::finished);
        QSignalSpy failed(&failing, &HistoryCsvWriter::finished);
        writer.start();
        failing.start();
        model.clear(); // what is being written stays as it was
        QVERIFY(done.wait(5000));
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        QFile written(dir.filePath("h.csv"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), csv);
        QCOMPARE(failed.at(0).at(0).toBool(), false);
        QVERIFY(!QFile::exists(dir.filePath("no/such/h.csv")));
    }
};

VELTRA2_TEST_MAIN(TestHistoryDataModel)
#include "tst_historydatamodel.moc"
