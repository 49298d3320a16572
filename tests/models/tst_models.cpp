#include "common/testmain.h"
#include "models/chartdataprovider.h"
#include "models/configbackup.h"
#include "models/historycsvwriter.h"
#include "models/historydatamodel.h"
#include "models/outputfile.h"
#include "models/variantmapmodel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QJsonArray>
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

// The text of `role` in every row of `model`.
QStringList column(const QAbstractListModel &model, int role)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.data(model.index(r), role).toString();
    return out;
}
} // namespace

// The models behind the state table, the history and the charts.
class TestModels : public QObject {
    Q_OBJECT

private slots:
    void showsValues_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("shown");

        QTest::newRow("number") << QJsonValue(21.5) << "21.5";
        QTest::newRow("object") << QJsonValue(json("{\"t\": 21.5, \"h\": 40, \"a\": {\"b\": 1}}"))
                                << "A: {B: 1}, H: 40, T: 21.5";
        QTest::newRow("array and null inside")
            << QJsonValue(json("{\"l\": [1, 2], \"n\": null}")) << "L: , N: ";
        QTest::newRow("list") << QJsonValue(QJsonArray { 1, "a\n" }) << "[1,\"a\\n\"]";
        QTest::newRow("a megabyte")
            << QJsonValue(QString(1 << 20, 'x')) << QString(199, 'x') + QChar(0x2026);
        QString deep = "1";
        QString flattened = "A: 1";
        for (int i = 0; i < 500; ++i) {
            deep = "{\"a\":" + deep + "}";
            flattened = "A: {" + flattened + "}";
        }
        QTest::newRow("500 levels deep") << QJsonValue(json(("{\"a\":" + deep + "}").toUtf8()))
                                         << flattened.left(199) + QChar(0x2026);
    }

    void showsValues()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, shown);
        VariantMapModel model;
        model.set({ { QString(1000, 'K'), value } });
        QCOMPARE(model.data(model.index(0), VariantMapModel::TValueRole).toString(), shown);
        // The key is a name, capitalised: shorter still.
        QCOMPARE(model.data(model.index(0), VariantMapModel::TKeyRole).toString(),
            "K" + QString(62, 'k') + QChar(0x2026));
    }

    void showsTheLastReplyAnnouncingOnlyWhatChanged()
    {
        VariantMapModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.set(json("{\"value\": 21.5, \"MAC\": \"ab\", \"\": 1, \"modbus\": false}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList { "", "Mac", "Tarvex client", "Reading" }));
        QCOMPARE(model.data(model.index(3), Qt::DisplayRole).toString(), "21.50\u202f\u2103");
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.set(json("{\"value\": 22, \"MAC\": \"ab\", \"\": 1, \"modbus\": false}"));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 3);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 3);
        // Names the next reply lacks are gone with it.
        model.set(json("{\"mqtt\":true,\"value\":23}"));
        QCOMPARE(
            column(model, VariantMapModel::TKeyRole), (QStringList { "Cloud/MQTT", "Reading" }));
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
        model.set(json("{\"mqtt\": 1, \"Mqtt\": 2, \"MQTT\": 3, \"x\": true, \"rssi\": -54, "
                       "\"uptime\": 90061, \"value\": {\"t\": 23.671, \"h\": 40.1}}"));
        QCOMPARE(column(model, VariantMapModel::TKeyRole),
            (QStringList {
                "MQTT", "Mqtt", "Cloud/MQTT", "Wi-Fi signal", "Running for", "Reading", "X" }));
        // In words and units, where the value is of the kind the member takes.
        QCOMPARE(column(model, VariantMapModel::TShownRole),
            (QStringList { "3", "2", "1", "-54\u202fdBm", "1 d 1 h",
                "23.67\u202f\u2103, 40.10\u202f%", "yes" }));
    }

    void rowsAndTimes()
    {
        HistoryDataModel model;
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QDateTime noon(QDate::currentDate(), QTime(12, 0));
        model.setClock([&] { return noon.toMSecsSinceEpoch(); });
        QSignalSpy interval(&model, &HistoryDataModel::intervalUpdated);
        // In the window's locale, to the device's precision.
        QLocale::setDefault(QLocale(QLocale::Russian));
        model.update(json("{\"data\":[20,21.5,\"x\"],\"interval\":60000}"), { "t" }, { C });
        const QString day = noon.toString("dd.MM.yyyy");
        QCOMPARE(column(model, HistoryDataModel::TimeRole),
            (QStringList { day + " 11:57:30", day + " 11:58:30", day + " 11:59:30" }));
        QCOMPARE(model.data(model.index(1), HistoryDataModel::ValueRole).toStringList(),
            QStringList { "21,50" });
        QCOMPARE(model.columns(), (QStringList { "Time", "Temperature, " + C }));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(interval.at(0).at(0).toInt(), 60000);
        // Shorter arrays hold the newest samples; a missing unit is empty.
        model.update(json("{\"t\":{\"data\":[20,21,22],\"interval\":1000},"
                          "\"h\":{\"data\":[40,41],\"interval\":1000}}"),
            TwoFields, { C });
        QCOMPARE(model.data(model.index(0), HistoryDataModel::ValueRole).toStringList(),
            (QStringList { "20.00", "" }));
        QCOMPARE(model.data(model.index(2), HistoryDataModel::ValueRole).toStringList(),
            (QStringList { "22.00", "41.00" }));
        // Beyond a 32-bit count of milliseconds, spacing stays exact.
        model.update(
            json("{\"data\":[1,2,3,4,5,6,7,8,9,10],\"interval\":600000000}"), { "t" }, { C });
        QCOMPARE(model.data(model.index(0), HistoryDataModel::TimeRole).toString(),
            noon.addMSecs(-9LL * 600000000 - 300000000).toString("d MMM yyyy hh:mm:ss"));
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

    void configurationBackups()
    {
        QTemporaryDir dir;
        ConfigBackup backup;
        backup.model = "veltra-2w";
        backup.saved = QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
        backup.settings
            = *JsonMembers::read(R"({"net-pwd":"s","net-ssid":"lab","mqtt-id":"m","n":1.50})");
        const QString path = dir.filePath("b.json");
        QString error;
        QVERIFY(backup.save(path, &error));
        QVERIFY(!backup.save(dir.filePath("no/such/b.json"), &error) && !error.isEmpty());
        ConfigBackup read;
        QVERIFY2(read.load(path, "VELTRA-2W", &error), qPrintable(error));
        QCOMPARE(read.toJson(), backup.toJson()); // every member, header too
        // Refused, each with its reason, and nothing taken from it.
        const auto refusal = [&](const QByteArray &content, const QString &model = "veltra-2w") {
            QFile file(dir.filePath("x.json"));
            file.open(QIODevice::WriteOnly);
            file.write(content);
            file.close();
            return read.load(file.fileName(), model, &error) ? QString() : error;
        };
        QByteArray text = backup.toJson();
        QCOMPARE(refusal(text, "veltra-2u"), "The file is for veltra-2w, not for veltra-2u");
        QCOMPARE(refusal(QByteArray(text).replace("\"version\": 1", "\"version\": 2")),
            "The file is of format version 2; this program reads version 1");
        QCOMPARE(refusal(QByteArray(text).replace("\"version\": 1", "\"version\": \"1\"")), "");
        QCOMPARE(refusal(QByteArray(text).replace("veltra2-configuration", "other")),
            "The file is not a VELTRA2 configuration");
        QCOMPARE(refusal(text.left(text.size() / 2)), "The file is not readable JSON");
        QCOMPARE(refusal(text + QByteArray(9 << 20, ' ')),
            "The file is larger than 8 MiB: it is no configuration");
        // What a restore would change; the password only as changed.
        QStringList seen;
        for (const ConfigBackup::Change &c : ConfigBackup::changes(
                 *JsonMembers::read(R"({"net-pwd":"t","net-ssid":"lab","n":2})"), backup.settings))
            seen << c.key + "|" + c.before + "|" + c.after + (c.secret ? "|secret" : "");
        QCOMPARE(seen, (QStringList { "mqtt-id||m", "n|2|1.50", "net-pwd|||secret" }));
        QCOMPARE(OutputFile::deviceFileName({}, "veltra-2w", "::1", 8081,
                     QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3)), "json"),
            "veltra-2w_--1_8081_2026-12-07_09-05-03.json");
    }
};

VELTRA2_TEST_MAIN(TestModels)
#include "tst_models.moc"
