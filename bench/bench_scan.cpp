// A device search over 127.0.0.0/24 with 8 simulated devices (127.0.0.2-9)
// and 8 hosts that accept but never answer (127.0.0.10-17); the rest refuse.
// Prints: wall ms of the whole search, devices found.

#include "common/devsimprocess.h"
#include "link/devicescanner.h"
#include "link/scanrange.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <cstdio>

namespace {

QStringList onHosts(int first, int count)
{
    QStringList args;
    for (int host = first; host < first + count; ++host)
        args << QStringLiteral("--address") << QStringLiteral("127.0.0.%1").arg(host);
    return args;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DevsimProcess devices;
    DevsimProcess silent;
    if (!devices.start(onHosts(2, 8))
        || !silent.start(onHosts(10, 8) + QStringList { "--delay", "600000" }, devices.port()))
        return 1;
    ScanRange range;
    QString error;
    if (!range.parse(QStringLiteral("127.0.0.0/24:%1").arg(devices.port()), 0, &error))
        return 1;

    DeviceScanner scanner;
    int found = 0;
    QObject::connect(&scanner, &DeviceScanner::found, [&found] { ++found; });
    QSignalSpy finished(&scanner, &DeviceScanner::finished);
    QElapsedTimer clock;
    clock.start();
    scanner.start(range.addresses, range.port);
    if (!finished.wait(30000))
        return 1;
    std::printf("%.0f %d\n", clock.nsecsElapsed() / 1e6, found);
    return 0;
}
