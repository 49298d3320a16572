// veltra2ctl's "config get" from 100 simulated devices (127.0.0.10-109, one
// simulator), with --jobs 16 and with --jobs 1: once with the simulator
// answering at once, once answering each request 20 ms late, as a device on
// a wireless network does. Then a site of slow devices: "info" from 200
// devices each answering in 1 s with --jobs 64, and "config set" on 100
// devices each answering in 2 s (every one must end ok).
// Prints the wall times in ms: jobs16 jobs1 (prompt), jobs16 jobs1 (20 ms
// late), info on 200, config set on 100.

#include "common/devsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QStringList listening(int first, int count)
{
    QStringList args;
    for (int host = first; host < first + count; ++host)
        args << "--address" << QStringLiteral("127.0.1.%1").arg(host);
    return args;
}

QStringList hostsOf(int first, int count, quint16 port)
{
    QStringList args;
    for (int host = first; host < first + count; ++host)
        args << "--host" << QStringLiteral("127.0.1.%1:%2").arg(host).arg(port);
    return args;
}

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
    DevsimProcess slow;
    if (!slow.start(listening(1, 200) << "--delay"
                                      << "1000"))
        return 1;
    times << QString::number(
        timed(hostsOf(1, 200, slow.port()) + QStringList { "--jobs", "64", "info" }), 'f', 0);
    DevsimProcess slower;
    if (!slower.start(listening(1, 100) << "--delay"
                                        << "2000"))
        return 1;
    times << QString::number(
        timed(hostsOf(1, 100, slower.port())
            + QStringList { "--jobs", "100", "config", "set", "sys-mode=web" }),
        'f', 0);
    std::printf("%s\n", qPrintable(times.join(' ')));
    return 0;
}
