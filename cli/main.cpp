// veltra2ctl: every device command from a script, on one device or many.

#include "app/identity.h"
#include "cli/commandbatch.h"
#include "link/deviceaddress.h"
#include "link/devicescanner.h"
#include "link/protocol.h"
#include "link/scanrange.h"
#include "models/devicetext.h"
#include "models/operatorfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <functional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

constexpr int UsageError = 2;
// A list of addresses is a few kilobytes; nothing larger is one.
constexpr qint64 MaxHostsFile = 1024 * 1024;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stream);
    std::fflush(stream);
}

int usage(const QString &error)
{
    print(stderr,
        QStringLiteral("veltra2ctl: %1 (veltra2ctl --help)").arg(DeviceText::escaped(error)));
    return UsageError;
}

const char *const CommandHelp[][2] = {
    { "info", "Prints the model, firmware version and build." },
    { "state", "Prints the device's current state (readings and status) as name=value pairs." },
    { "config get",
        "Reads the configuration. With FILE, saves it as a configuration backup "
        "(for several devices FILE is a folder, one file per device); without, "
        "prints it." },
    { "config put",
        "Uploads the configuration backup FILE (saved from a device of the same "
        "model) as the device's configuration." },
    { "factory-reset", "Resets the device's configuration to its factory settings." },
    { "reboot", "Reboots the device." },
    { "cloud register", "Registers the device with the cloud under ID." },
    { "config set",
        "Changes members of the configuration, the others kept as the device has them: "
        "sys-mode (web, mqtt, tcp), net-mode (if, ap), net-ssid, net-pwd, net-auth "
        "(open, wep, wpa, wpa2, wpa-wpa2)." },
    { "history",
        "Downloads the recorded history. With --csv FILE, saves it as CSV (for several "
        "devices FILE is a folder); without, tells how many samples there are." },
    { "cert upload",
        "Uploads the MQTT client certificate and private key (PEM or DER; PEM is "
        "converted to DER, as the device takes them)." },
    { "scan",
        "Searches RANGE (default: this computer's own networks) for devices and prints "
        "each one found: a network (192.168.1.0/24), a range (192.168.1.10-60) or an "
        "address, with :PORT when not 8081." },
};

QString commandHelp(const QStringList &words)
{
    const QStringList twoWords { QStringLiteral("config"), QStringLiteral("cloud"),
        QStringLiteral("cert") };
    const QString name = twoWords.contains(words.value(0)) ? words.value(0) + ' ' + words.value(1)
                                                           : words.value(0);
    QStringList synopsis = DeviceCommand::synopsis();
    synopsis << QStringLiteral("scan [RANGE]");
    for (const auto &entry : CommandHelp) {
        if (name != QLatin1String(entry[0]))
            continue;
        for (const QString &line : synopsis) {
            if (line.startsWith(name))
                return QStringLiteral("Usage: veltra2ctl [OPTIONS] %1\n\n%2\n").arg(line, entry[1]);
        }
    }
    return {};
}

// Ctrl+C, and the end of a terminal, end the work cleanly in the event loop.
std::function<void()> interrupted;
#ifdef Q_OS_WIN
BOOL WINAPI onConsoleEvent(DWORD)
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            if (interrupted)
                interrupted();
        },
        Qt::QueuedConnection);
    return TRUE;
}
void catchInterrupt()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}
#else
int signalPipe[2] = { -1, -1 };
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}
void catchInterrupt()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        if (interrupted)
            interrupted();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}
#endif

int scan(const QStringList &words, bool json)
{
    if (words.size() > 2)
        return usage(QStringLiteral("scan: unexpected argument %1").arg(words.at(2)));
    ScanRange range;
    QString error;
    if (!range.read(words.value(1), Protocol::DefaultPort, &error))
        return usage(QStringLiteral("scan: ") + error);
    DeviceScanner scanner;
    QObject::connect(&scanner, &DeviceScanner::found, [json](const FoundDevice &device) {
        const QString address = DeviceAddress { device.host(), device.port }.toString();
        const QString version = DeviceText::shown(device.version, DeviceText::NameLimit);
        const QString build = DeviceText::shown(device.build, DeviceText::NameLimit);
        print(stdout,
            json ? QString::fromUtf8(DeviceText::safeJson(QJsonDocument(
                QJsonObject { { "address", address }, { "model", device.model },
                    { "version", version }, { "build", build },
                    { "replyMsec", device.replyMsec } }).toJson(QJsonDocument::Compact)))
                 : QStringList { address, device.model, version, build }.join(' '));
    });
    int status = 0;
    QObject::connect(&scanner, &DeviceScanner::finished, [&status](bool cancelled) {
        status = cancelled ? 1 : 0;
        QCoreApplication::quit();
    });
    interrupted = [&scanner] { scanner.cancel(); };
    scanner.start(range.addresses, range.port);
    if (scanner.isRunning())
        QCoreApplication::exec();
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Identity::apply();
    QCoreApplication::setApplicationName(QStringLiteral("veltra2ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTRA2_VERSION));

    QCommandLineParser parser;
    QStringList commands = DeviceCommand::synopsis();
    commands << QStringLiteral("scan [RANGE]");
    parser.setApplicationDescription(
        QStringLiteral("Runs a VELTRA2 device command on one device or many.\n\nCommands:\n  ")
        + commands.join(QStringLiteral("\n  "))
        + QStringLiteral("\n\nveltra2ctl COMMAND --help tells more of one. One line per device, in "
                         "the order given; exit status 0 when every device succeeded, 1 when any "
                         "failed, 2 for a usage error (nothing is sent then)."));
    const QCommandLineOption help({ "h", "help" }, QStringLiteral("Shows this help."));
    const QCommandLineOption host("host",
        QStringLiteral("A device's address, with :PORT when not 8081 (repeatable); IPv6 with a "
                       "port in brackets: [fe80::1]:8082."),
        QStringLiteral("ADDR[:PORT]"));
    const QCommandLineOption hosts("hosts",
        QStringLiteral("A file of device addresses, one a line; # starts a comment."),
        QStringLiteral("FILE"));
    const QCommandLineOption jobs("jobs", QStringLiteral("Devices worked on at once (default 16)."),
        QStringLiteral("N"), "16");
    const QCommandLineOption timeout("timeout",
        QStringLiteral("Seconds a device has for the whole command (default 10)."),
        QStringLiteral("SECONDS"), "10");
    const QCommandLineOption json("json", QStringLiteral("One JSON object a line."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addOptions({ host, hosts, jobs, timeout, json });
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
        QStringLiteral("What to do, and its arguments."), "COMMAND [ARGS]");
    // What follows the command is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("veltra2ctl ") + QCoreApplication::applicationVersion());
        return 0;
    }
    const QStringList words = parser.positionalArguments();
    if (parser.isSet(help) || words.isEmpty()) {
        print(words.isEmpty() && !parser.isSet(help) ? stderr : stdout, parser.helpText());
        return parser.isSet(help) ? 0 : UsageError;
    }
    if (words.contains(QStringLiteral("--help")) || words.contains(QStringLiteral("-h"))) {
        const QString text = commandHelp(words);
        if (text.isEmpty())
            return usage(QStringLiteral("Unknown command: %1").arg(words.first()));
        print(stdout, text);
        return 0;
    }

    catchInterrupt();
    if (words.first() == QLatin1String("scan"))
        return scan(words, parser.isSet(json));

    QString error;
    const auto request = DeviceCommand::parse(words, &error);
    if (!request)
        return usage(error);
    bool ok = false;
    const int jobCount = parser.value(jobs).toInt(&ok);
    if (!ok || jobCount < 1)
        return usage(QStringLiteral("--jobs takes a whole number from 1"));
    const double seconds = parser.value(timeout).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600)
        return usage(QStringLiteral("--timeout takes a number of seconds, up to 3600"));

    QStringList addresses = parser.values(host);
    if (parser.isSet(hosts)) {
        OperatorFile::Failure failure;
        const auto list = OperatorFile::read(parser.value(hosts), MaxHostsFile, &failure, &error);
        if (!list)
            return usage(QStringLiteral("cannot read %1: %2")
                             .arg(parser.value(hosts),
                                 failure == OperatorFile::Failure::TooLarge
                                     ? QStringLiteral("larger than %1").arg(error)
                                     : error));
        for (const QByteArray &line : list->split('\n')) {
            const QString address = QString::fromUtf8(line).section('#', 0, 0).trimmed();
            if (!address.isEmpty())
                addresses << address;
        }
    }
    if (addresses.isEmpty())
        return usage(QStringLiteral("no device given (--host or --hosts)"));
    QVector<DeviceAddress> devices;
    for (const QString &address : qAsConst(addresses)) {
        const auto device = DeviceAddress::parse(address, Protocol::DefaultPort, &error);
        if (!device)
            return usage(error);
        devices << *device;
    }

    CommandBatch batch(*request, devices, jobCount, int(seconds * 1000), parser.isSet(json));
    QObject::connect(&batch, &CommandBatch::line, [](const QString &text) { print(stdout, text); });
    int status = 0;
    QObject::connect(&batch, &CommandBatch::finished, [&status](bool allSucceeded) {
        status = allSucceeded ? 0 : 1;
        QCoreApplication::quit();
    });
    interrupted = [&batch] { batch.cancel(); };
    QMetaObject::invokeMethod(&batch, &CommandBatch::start, Qt::QueuedConnection);
    QCoreApplication::exec();
    interrupted = nullptr;
    return status;
}
