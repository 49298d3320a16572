// veltra2ctl's "config get" from 100 simulated devices (127.0.0.10-109, one
// simulator), with --jobs 16 and with --jobs 1: once with the simulator
// answering at once, once answering each request 20 ms late, as a device on
// a wireless network does. Prints the four wall times in ms:
// jobs16 jobs1 (prompt), jobs16 jobs1 (20 ms late).

#include "common/devsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double timed(const QStringList &args)
{
    QProcess ctl;
    QElapsedTimer clock;
    clock.start();
    ctl.start(QStringLiteral(VELTRA2CTL_BINARY), args);
    if (!ctl.waitForFinished(300000) || ctl.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QStringList times;
    for (const char *delay : { "0", "20" }) {
        QStringList addresses { "--delay", delay };
        for (int host = 10; host < 110; ++host)
            addresses << "--address" << QStringLiteral("127.0.0.%1").arg(host);
        DevsimProcess devices;
        if (!devices.start(addresses))
            return 1;
        QStringList hosts;
        for (int host = 10; host < 110; ++host)
            hosts << "--host" << QStringLiteral("127.0.0.%1:%2").arg(host).arg(devices.port());
        for (const char *jobs : { "16", "1" })
            times << QString::number(
                timed(hosts + QStringList { "--jobs", jobs, "config", "get", folder.path() }), 'f',
                0);
    }
    std::printf("%s\n", qPrintable(times.join(' ')));
    return 0;
}
