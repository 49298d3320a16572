#include "common/scriptedpeer.h"
#include "common/testmain.h"
#include "link/requests.h"
#include "runner/devicesession.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

// A session on a scripted device, and everything it told, in words a test
// can compare.
struct Fixture {
    Fixture()
    {
        session.setRetryInterval(10);
        QObject::connect(&session, &DeviceSession::ended, [this](const Outcome &o) {
            static const char *results[] = { "done", "device error", "unusable", "no answer",
                "closed", "not a device", "unknown model", "too long", "stopped" };
            told << (o.query() + ' ' + results[o.result] + (o.problem ? " (pairing lost)" : "")
                + (o.deviceText.isEmpty() ? QString() : ": " + o.deviceText))
                        .trimmed();
        });
        QObject::connect(&session, &DeviceSession::linkEnded,
            [this](DeviceSession::LinkEnd why, const QString &, bool retrying) {
                static const char *ends[] = { "closed", "no answer", "not a device",
                    "unknown model", "too long", "rebooting", "stopped" };
                told << QString("link %1%2").arg(ends[int(why)], retrying ? ", retrying" : "");
            });
    }

    ScriptedPeer peer;
    DeviceSession session;
    QStringList told;
};

using Script = std::function<void(Fixture &)>;

} // namespace

Q_DECLARE_METATYPE(Script)

// Every request ends in a typed outcome, whatever the device does.
class TestDeviceSession : public QObject {
    Q_OBJECT

private slots:
    void everyRequestEnds_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QStringList>("told");

        const QByteArray known = R"({"board":"VELTRA-2W","version":"1"})";
        QTest::newRow("answered and refused") << Script([known](Fixture &f) {
            f.session.send(Requests::dev());
            f.peer.sendLine(known);
            f.peer.sendLine(R"({"code":1,"error":"busy"})");
        }) << QStringList { "info done", "dev device error: busy" };
        QTest::newRow("an unreadable reply loses the pairing")
            << Script([known](Fixture &f) {
                   f.session.send(Requests::dev());
                   f.session.send(Requests::history());
                   f.peer.sendLine(known);
                   f.peer.sendLine("{\"truncated\"");
               })
            << QStringList { "info done", "dev unusable (pairing lost)",
                   "history unusable (pairing lost)" };
#ifndef Q_OS_WIN
        // Under wine a socket does not see its peer in the same program go.
        QTest::newRow("closed with requests outstanding") << Script([](Fixture &f) {
            f.session.send(Requests::dev());
            f.peer.abortClient();
        }) << QStringList { "info closed", "dev closed", "link closed, retrying" };
        // The device has gone: the first write draws its reset, the second
        // finds it and ends the link there and then. That request ended with
        // its link and must not take the next link's first reply.
        QTest::newRow("written into a link already reset")
            << Script([known](Fixture &f) {
                   f.peer.abortClient();
                   QThread::msleep(50);
                   f.session.send(Requests::dev());
                   QThread::msleep(50);
                   f.session.send(Requests::history());
                   QVERIFY(f.peer.waitForConnections(2) && f.peer.waitForLines(1));
                   f.peer.sendLine(known);
               })
            << QStringList { "info closed", "dev closed", "link closed, retrying", "history closed",
                   "info done" };
#endif
        QTest::newRow("not a device")
            << Script([](Fixture &f) { f.peer.sendLine("HTTP/1.1 400 Bad Request"); })
            << QStringList { "info not a device: HTTP/1.1 400 Bad Request",
                   "link not a device, retrying" };
        QTest::newRow("stalled") << Script([](Fixture &f) {
            for (int tick = 0; tick < 3; ++tick)
                f.session.pollTick();
        }) << QStringList { "info no answer", "link no answer, retrying" };
        QTest::newRow("a line too long")
            << Script([](Fixture &f) { f.peer.send(QByteArray(9 << 20, 'x')); })
            << QStringList { "info too long", "link too long, retrying" };
        QTest::newRow("stopped") << Script([](Fixture &f) { f.session.stop(); })
                                 << QStringList { "info stopped", "link stopped" };
        QTest::newRow("rebooted") << Script([known](Fixture &f) {
            f.peer.sendLine(known);
            f.session.send(Requests::reset());
            f.peer.sendLine(R"({"code":0})");
        }) << QStringList { "info done", "reset done", "link rebooting, retrying" };
    }

    void everyRequestEnds()
    {
        QFETCH(Script, script);
        QFETCH(QStringList, told);
        Fixture f;
        QSignalSpy connected(&f.session, &DeviceSession::connected);
        f.session.open({ QStringLiteral("127.0.0.1"), f.peer.port() });
        QVERIFY(connected.wait(5000) && f.peer.waitForLines(1));
        script(f);
        QTRY_COMPARE(f.told, told);
    }
};

VELTRA2_TEST_MAIN(TestDeviceSession)
#include "tst_devicesession.moc"
