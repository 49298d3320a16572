// veltra2-exporter: the site's devices for Prometheus.

#include "app/identity.h"
#include "cli/interruption.h"
#include "exporter/devicesample.h"
#include "exporter/httpfront.h"
#include "exporter/samplestore.h"
#include "link/filelimit.h"
#include "link/hostsfile.h"
#include "link/protocol.h"
#include "models/devicetext.h"
#include "runner/sitemonitor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QtNumeric>

#include <csignal>
#include <cstdio>

namespace {

constexpr quint16 DefaultListenPort = 9862;
constexpr char DefaultListen[] = "127.0.0.1:9862";
constexpr int UsageError = 2;

void say(const QString &text)
{
    std::fprintf(stderr, "veltra2-exporter: %s\n", qPrintable(DeviceText::escaped(text)));
}

int usage(const QString &error)
{
    say(error + QStringLiteral(" (veltra2-exporter --help)"));
    return UsageError;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Identity::apply();
    QCoreApplication::setApplicationName(QStringLiteral("veltra2-exporter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTRA2_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves the readings and health of VELTRA2 devices to Prometheus: /metrics for the "
        "devices of the hosts files, watched in the background and answered from what they "
        "last told; /probe?target=ADDRESS[:PORT] for one device asked at scrape time; / says "
        "what is served. Humidity is a ratio from 0 to 1 (veltra2_humidity_ratio), "
        "temperature in degrees Celsius, times in seconds."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption hosts("hosts",
        QStringLiteral("A file of device addresses, one a line (with :PORT when not 8081), a "
                       "name after it if wanted (the name label); # starts a comment "
                       "(repeatable)."),
        QStringLiteral("FILE"));
    const QCommandLineOption listen("listen",
        QStringLiteral("Where to serve HTTP (default %1; 0.0.0.0:9862 for every network, "
                       "[::]:9862 for IPv6).")
            .arg(QLatin1String(DefaultListen)),
        QStringLiteral("ADDR[:PORT]"));
    const QCommandLineOption period("period",
        QStringLiteral("Seconds between two state requests to each device (default 15)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption connecting("connecting",
        QStringLiteral("Connection attempts under way at once (default %1).")
            .arg(SiteMonitor::DefaultConnecting),
        QStringLiteral("N"));
    parser.addOptions({ hosts, listen, period, connecting });
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("veltra2-exporter %s\n", VELTRA2_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unexpected %1").arg(parser.positionalArguments().first()));

    QString error;
    QVector<HostsFile::Entry> entries;
    for (const QString &path : parser.values(hosts)) {
        const auto read = HostsFile::load(path, Protocol::DefaultPort, &error);
        if (!read)
            return usage(error);
        entries += *read;
    }
    entries = HostsFile::withoutRepeats(entries, [](const HostsFile::Entry &repeated) {
        say(QStringLiteral("%1: %2 is listed before; it is watched once")
                .arg(repeated.place, repeated.address.toString()));
    });
    const auto address = DeviceAddress::parse(
        parser.isSet(listen) ? parser.value(listen) : QLatin1String(DefaultListen),
        DefaultListenPort, &error);
    if (!address)
        return usage(QStringLiteral("--listen: %1").arg(error));
    int periodMsec = 15000;
    if (parser.isSet(period)) {
        bool ok = false;
        const double seconds = parser.value(period).toDouble(&ok);
        if (!ok || !qIsFinite(seconds) || seconds < 0.1 || seconds > 3600)
            return usage(QStringLiteral("--period takes a number of seconds from 0.1 to 3600"));
        periodMsec = int(seconds * 1000);
    }
    int attempts = SiteMonitor::DefaultConnecting;
    if (parser.isSet(connecting)) {
        bool ok = false;
        attempts = parser.value(connecting).toInt(&ok);
        if (!ok || attempts < 1)
            return usage(QStringLiteral("--connecting takes a whole number from 1"));
    }

    FileLimit::raise();
    SampleStore store;
    SiteMonitor monitor;
    monitor.setPollInterval(periodMsec);
    monitor.setMaxConnecting(attempts);
    QObject::connect(&monitor, &SiteMonitor::deviceChanged,
        [&](int index) { store.set(index, DeviceSample::of(*monitor.device(index))); });
    HttpFront front(&store, periodMsec);
    if (!front.listen(*address, &error)) {
        say(error);
        return 1;
    }
    QVector<SiteMonitor::Entry> watched;
    for (const HostsFile::Entry &entry : qAsConst(entries))
        watched.append({ entry.name, entry.address, {} });
    store.resize(watched.size());
    monitor.setDevices(watched);
    for (int i = 0; i < monitor.count(); ++i)
        store.set(i, DeviceSample::of(*monitor.device(i)));
    say(QStringLiteral("serving %1 devices on http://%2/metrics")
            .arg(monitor.count())
            .arg(address->toString()));

    int signalled = 0;
    Interruption::catchSignals([&](int signal) {
        signalled = signal;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    // Stopped by the service manager is how a service ends: not a failure.
    return signalled == 0 || signalled == SIGTERM || signalled == SIGINT ? 0 : 128 + signalled;
}
