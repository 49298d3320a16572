#include "common/testmain.h"
#include "runner/alarmwatch.h"

#include <QTest>
#include <QtNumeric>

// Alarms against limits: raised past a limit, cleared only once back by the
// hysteresis, silence measured from the last reading.
class TestAlarmWatch : public QObject {
    Q_OBJECT

private slots:
    void hysteresisAndSilence()
    {
        AlarmWatch watch;
        AlarmLimits limits;
        limits.temperatureHigh = 30;
        limits.humidityLow = 20;
        limits.silentSeconds = 10;
        limits.mqttRequired = true;
        watch.setLimits(limits);
        watch.setWatchingSince(1000);
        QStringList told;
        const auto feed = [&](double t, double h, qint64 readAt, bool mqtt, qint64 now) {
            for (const AlarmWatch::Change &c : watch.update({ t, h, readAt, mqtt, true }, now))
                told << QString("%1%2").arg(c.raised ? '+' : '-').arg(c.kind);
        };
        feed(30.0, 50, 2000, true, 2000); // at the limit: nothing
        feed(30.1, 50, 7000, true, 7000); // past it
        feed(29.8, 50, 12000, true, 12000); // back, but within the hysteresis
        feed(29.5, 19, 17000, false, 17000); // back by it; humidity low; MQTT stopped
        feed(qQNaN(), qQNaN(), 17000, false, 28000); // no reading for 11 s
        feed(25, 30, 29000, true, 29000);
        QCOMPARE(told, (QStringList { "+0", "-0", "+3", "+5", "+4", "-3", "-4", "-5" }));
        // A limit taken away clears its alarm.
        feed(40, 30, 30000, true, 30000);
        limits.temperatureHigh.reset();
        watch.setLimits(limits);
        told.clear();
        feed(40, 30, 31000, true, 31000);
        QCOMPARE(told, QStringList { "-0" });
    }
};

VELTRA2_TEST_MAIN(TestAlarmWatch)
#include "tst_alarmwatch.moc"
