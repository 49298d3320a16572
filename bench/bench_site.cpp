// A site watched in the program's window (the same documents, runner and
// registrations as the program, its Site page shown): 200 simulated devices
// at the normal 5 s period for SECONDS, then a quarter of them falling
// silent at once.
//   bench_site [SECONDS]   (default 120)
// Prints: seconds until every row had a reading, CPU % of a core while
// watching, the most resident memory seen (MB), the worst age of a row's
// reading (s), seconds until all 50 silent devices were marked, and the
// longest the window's thread went without running its timers (ms).

#include "app/identity.h"
#include "app/qmlsetup.h"
#include "app/windowplacement.h"
#include "common/devsimprocess.h"
#include "common/processmemory.h"
#include "models/sitemodel.h"
#include "runner/iotrunner.h"
#include "runner/siteview.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/times.h>
#include <unistd.h>

namespace {
constexpr int Watched = 150;
constexpr int Silenced = 50;

double cpuSeconds()
{
    struct tms t;
    times(&t);
    return double(t.tms_utime + t.tms_stime) / double(sysconf(_SC_CLK_TCK));
}

QString watchedHost(int i)
{
    return QStringLiteral("127.0.2.%1").arg(i + 1);
}

QString silencedHost(int i)
{
    return QStringLiteral("127.0.3.%1").arg(i + 1);
}

// The window's thread, watched from a timer of its own: how late it ran.
class Responsiveness : public QObject {
public:
    Responsiveness()
    {
        tick.setInterval(50);
        tick.setTimerType(Qt::PreciseTimer);
        connect(&tick, &QTimer::timeout, this,
            [this] { worst = qMax(worst, clock.restart() - tick.interval()); });
        clock.start();
        tick.start();
    }
    qint64 worst = 0;

private:
    QTimer tick;
    QElapsedTimer clock;
};
} // namespace

int main(int argc, char *argv[])
{
    const QString config = QDir::tempPath() + QStringLiteral("/veltra2-bench-site");
    QDir(config).removeRecursively();
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QmlSetup::registerTypes();
    QApplication app(argc, argv);
    Identity::apply();
    QSettings().setValue(QStringLiteral("Update/URL"), QStringLiteral("http://127.0.0.1:9/x"));
    const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 120;

    QStringList watchedArgs { "--model", "2w" }, silencedArgs { "--model", "2w" };
    for (int i = 0; i < Watched; ++i)
        watchedArgs << "--address" << watchedHost(i);
    for (int i = 0; i < Silenced; ++i)
        silencedArgs << "--address" << silencedHost(i);
    DevsimProcess watched, silenced;
    if (!watched.start(watchedArgs) || !silenced.start(silencedArgs))
        return 1;

    auto *runner = new IOTRunner;
    for (int i = 0; i < Watched; ++i)
        runner->saveConnectionTo(QStringLiteral("Room %1").arg(i), watchedHost(i), watched.port());
    for (int i = 0; i < Silenced; ++i)
        runner->saveConnectionTo(
            QStringLiteral("Store %1").arg(i), silencedHost(i), silenced.port());

    QQmlApplicationEngine engine;
    QmlSetup::publish(&engine, runner);
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    QObject *root = engine.rootObjects().value(0);
    if (auto *window = qobject_cast<QWindow *>(root))
        new WindowPlacement(window);
    Responsiveness window;
    QMetaObject::invokeMethod(root, "openSite");

    SiteMonitor *monitor = runner->site()->monitor();
    QAbstractItemModel *rows = runner->site()->devices();
    const auto unread = [&] {
        int count = 0;
        for (int i = 0; i < monitor->count(); ++i)
            count += monitor->device(i)->readingTime() == 0 ? 1 : 0;
        return count;
    };
    QElapsedTimer clock;
    clock.start();
    while ((monitor->count() < Watched + Silenced || unread() > 0) && clock.elapsed() < 60000)
        QTest::qWait(100);
    if (unread() > 0) {
        std::fprintf(stderr, "%d of %d rows never read\n", unread(), monitor->count());
        return 1;
    }
    const double filled = clock.elapsed() / 1000.0;

    // Watching: once a second, the worst age of a row and the memory held.
    double mostMb = residentMb();
    qint64 oldest = 0;
    const double cpuBefore = cpuSeconds();
    clock.restart();
    while (clock.elapsed() < seconds * 1000) {
        QTest::qWait(1000);
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; i < monitor->count(); ++i)
            oldest = qMax(oldest, now - monitor->device(i)->readingTime());
        mostMb = qMax(mostMb, residentMb());
    }
    const double cpu = (cpuSeconds() - cpuBefore) / (clock.elapsed() / 1000.0) * 100.0;

    // A quarter of the site falls silent at once: its simulator stops.
    const auto marked = [&] {
        int count = 0;
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QModelIndex index = rows->index(row, 0);
            if (index.data(SiteModel::AddressRole).toString().startsWith("127.0.3.")
                && index.data(SiteModel::ProblemRole).toInt() > 0)
                ++count;
        }
        return count;
    };
    ::kill(pid_t(silenced.pid()), SIGSTOP);
    clock.restart();
    while (marked() < Silenced && clock.elapsed() < 60000)
        QTest::qWait(100);
    const double allMarked = clock.elapsed() / 1000.0;
    const int markedCount = marked();
    ::kill(pid_t(silenced.pid()), SIGCONT);
    if (markedCount < Silenced)
        std::fprintf(stderr, "only %d of %d silent devices marked\n", markedCount, Silenced);

    std::printf("%.1f %.2f %.0f %.1f %.1f %lld\n", filled, cpu, mostMb, oldest / 1000.0, allMarked,
        static_cast<long long>(window.worst));
    qDeleteAll(engine.rootObjects());
    delete runner;
    return markedCount < Silenced ? 1 : 0;
}
