// The program's window as the operator gets it (the same documents, runner
// and registrations as the program), measured: time from process start to the
// first rendered frame, resident memory after start, after connecting and
// after 100 and 1000 state replies, and the CPU used while connected and idle.
//   bench_window [IDLE_SECONDS]   (default 60)
// Prints: first-frame ms, RSS start/connected/100/1000 replies (MB), idle CPU %.
//   bench_window --bare
// Prints the first-frame ms of a bare Qt Quick Controls 2 window in the same
// style and size, the baseline of the program's own.

#include "app/identity.h"
#include "app/qmlsetup.h"
#include "app/windowplacement.h"
#include "common/devsimprocess.h"
#include "common/processmemory.h"
#include "runner/iotrunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <sys/times.h>
#include <unistd.h>

namespace {
// Milliseconds since this process started, from the kernel's own record.
double sinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double started = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    const double now = uptime.readAll().split(' ').first().toDouble();
    return (now - started) * 1000.0;
}

// Waits in the event loop itself, so the waiting costs no CPU of its own.
void idleFor(int msec)
{
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    struct tms t;
    times(&t);
    return double(t.tms_utime + t.tms_stime) / double(sysconf(_SC_CLK_TCK));
}
// The time to the first frame of `window` once shown, from process start.
double firstFrameOf(QQuickWindow *window)
{
    double first = -1;
    QObject::connect(window, &QQuickWindow::frameSwapped, [&] {
        if (first < 0)
            first = sinceProcessStart();
    });
    QElapsedTimer clock;
    clock.start();
    while (first < 0 && clock.elapsed() < 10000)
        QTest::qWait(1);
    return first;
}

int bare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QQmlApplicationEngine engine;
    // The program's resources hold the style's configuration: Material.
    engine.loadData("import QtQuick 2.11\nimport QtQuick.Controls 2.4\n"
                    "ApplicationWindow { visible: true; width: 800; height: 600; "
                    "header: ToolBar { Label { text: \"VELTRA2\" } } "
                    "Button { anchors.centerIn: parent; text: \"Connect\" } }");
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    std::printf("%.0f\n", firstFrameOf(window));
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return bare(argc, argv);
    qputenv("XDG_CONFIG_HOME", "/tmp/veltra2-bench-config");
    QmlSetup::registerTypes();
    QApplication app(argc, argv);
    Identity::apply();
    QSettings().setValue(QStringLiteral("Update/URL"), QStringLiteral("http://127.0.0.1:9/x"));
    const int idleSeconds = argc > 1 ? QByteArray(argv[1]).toInt() : 60;

    auto *runner = new IOTRunner;
    QQmlApplicationEngine engine;
    QmlSetup::publish(&engine, runner);
    double firstFrame = -1;
    int frames = 0;
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreated, [&](QObject *object) {
        if (auto *window = qobject_cast<QQuickWindow *>(object))
            QObject::connect(window, &QQuickWindow::frameSwapped, [&] {
                ++frames;
                if (firstFrame < 0)
                    firstFrame = sinceProcessStart();
            });
    });
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    // As the program does: the window shows itself only once placed.
    if (auto *window = qobject_cast<QWindow *>(engine.rootObjects().value(0)))
        new WindowPlacement(window);
    QElapsedTimer clock;
    clock.start();
    while (firstFrame < 0 && clock.elapsed() < 10000)
        QTest::qWait(1);
    QTest::qWait(1000);
    const double startMb = residentMb();

    DevsimProcess sim;
    if (!sim.start({ "--model", "2w" }))
        return 1;
    QSignalSpy updates(runner, &IOTRunner::deviceUpdate);
    runner->connectToHost(QStringLiteral("127.0.0.1"), sim.port());
    if (!updates.wait(5000))
        return 1;
    QTest::qWait(2000);
    const double connectedMb = residentMb();

    // State replies as fast as the device answers them, each redrawn.
    runner->setPollInterval(5);
    updates.clear();
    while (updates.count() < 100)
        updates.wait(1000);
    const double after100 = residentMb();
    while (updates.count() < 1000)
        updates.wait(1000);
    const double after1000 = residentMb();

    runner->setPollInterval(IOTRunner::DefaultPollInterval);
    QTest::qWait(1000);
    const double cpuBefore = cpuSeconds();
    const int framesBefore = frames;
    idleFor(idleSeconds * 1000);
    std::fprintf(stderr, "frames while idle: %d\n", frames - framesBefore);
    const double idlePercent = (cpuSeconds() - cpuBefore) / idleSeconds * 100.0;

    std::printf("%.0f %.1f %.1f %.1f %.1f %.2f\n", firstFrame, startMb, connectedMb, after100,
        after1000, idlePercent);
    qDeleteAll(engine.rootObjects());
    delete runner;
    return 0;
}
