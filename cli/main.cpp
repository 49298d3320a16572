// veltra2ctl: every device command from a script, on one device or many.

#include "app/identity.h"
#include "cli/commandbatch.h"
#include "cli/commandrequest.h"
#include "cli/devicesearch.h"
#include "cli/interruption.h"
#include "cli/output.h"
#include "link/filelimit.h"
#include "link/hostsfile.h"
#include "link/protocol.h"
#include "models/devicetext.h"
#include "models/operatorfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QtNumeric>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int UsageError = 2;

int usage(const QString &error)
{
    Output::note(
        QStringLiteral("veltra2ctl: %1 (veltra2ctl --help)").arg(DeviceText::escaped(error)));
    return UsageError;
}

// Each command: its name, what it does in a few words, and in full.
const char *const CommandHelp[][3] = {
    { "info", "the model, firmware version and build",
        "Prints the model, firmware version and build." },
    { "state", "the current readings and status",
        "Prints the device's current state (readings and status) as name=value pairs." },
    { "config get", "save (or print) the configuration",
        "Reads the configuration. With FILE, saves it as a configuration backup (an existing "
        "FILE only with --force); with a FOLDER (or several devices), one new file per "
        "device, named by model, address, port and time, the folder made where missing; "
        "without, prints it. Backups are readable by their owner alone." },
    { "config put", "restore a configuration backup",
        "Uploads the configuration backup FILE (of the device's model, saved from its own "
        "address unless --force) as the device's configuration; given a FOLDER, each device "
        "gets the newest backup saved from its own address and port. With --dry-run, prints "
        "what would change and sends nothing." },
    { "config set", "change members of the configuration",
        "Changes members of the configuration, the others kept as the device has them: "
        "sys-mode (web, mqtt, tcp), net-mode (if, ap), net-ssid (1 to 32 bytes), net-pwd "
        "(8 to 63 characters with WPA), net-auth (open, wep, wpa, wpa2, wpa-wpa2). With "
        "--dry-run, prints what would change and sends nothing." },
    { "factory-reset", "reset the configuration to factory settings",
        "Resets the device's configuration to its factory settings." },
    { "reboot", "reboot the device", "Reboots the device." },
    { "cloud register", "register the device with the cloud",
        "Registers the device with the cloud under ID." },
    { "history", "download the recorded history",
        "Downloads the recorded history. With --csv FILE, saves it as CSV (- for standard "
        "output; a FOLDER, or several devices, one new file per device); without, tells how "
        "many samples there are." },
    { "cert upload", "upload the MQTT client certificate and key",
        "Uploads the MQTT client certificate and private key (PEM or DER; PEM is "
        "converted to DER, as the device takes them)." },
    { "scan", "find the devices on a network",
        "Searches each RANGE (none: this computer's own networks, its default route's "
        "first) and prints the devices found in order of address, one line each that "
        "--hosts reads: a network (192.168.1.0/24), a range (192.168.1.10-60) or an "
        "address, with :PORT when not 8081. Exit status 1 when none is found." },
};

QStringList synopsis()
{
    return CommandRequest::synopsis() << QStringLiteral("scan [RANGE...]");
}

// The commands a line each, the form a manual page makes a list of.
QString commandList()
{
    QStringList lines;
    for (const QString &line : synopsis()) {
        for (const auto &entry : CommandHelp)
            if (line.startsWith(QLatin1String(entry[0]) + ' ') || line == QLatin1String(entry[0]))
                lines << QStringLiteral("  %1  %2").arg(line, -44).arg(QLatin1String(entry[1]));
    }
    return lines.join('\n');
}

QString commandHelp(const QStringList &words)
{
    const QStringList twoWords { QStringLiteral("config"), QStringLiteral("cloud"),
        QStringLiteral("cert") };
    const QString name = twoWords.contains(words.value(0)) ? words.value(0) + ' ' + words.value(1)
                                                           : words.value(0);
    for (const auto &entry : CommandHelp) {
        if (name != QLatin1String(entry[0]))
            continue;
        for (const QString &line : synopsis()) {
            if (line.startsWith(name))
                return QStringLiteral("Usage: veltra2ctl [OPTIONS] %1\n\n%2\n").arg(line, entry[1]);
        }
    }
    return {};
}

// Seconds as options give them: a finite number above 0 and up to an hour.
bool readSeconds(const QString &text, int *msec)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !qIsFinite(seconds) || seconds <= 0 || seconds > 3600)
        return false;
    *msec = qMax(1, int(seconds * 1000));
    return true;
}

// Standard input, read as bytes, at most `limit` and one more: the C
// library's own reads, which take a pipe's end as the end on every platform.
std::optional<QByteArray> readStandardInput(
    qint64 limit, OperatorFile::Failure *failure, QString *error)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    QByteArray data;
    char chunk[64 * 1024];
    while (data.size() <= limit) {
        const size_t read = std::fread(chunk, 1, sizeof chunk, stdin);
        data.append(chunk, int(read));
        if (read < sizeof chunk)
            break;
    }
    if (std::ferror(stdin)) {
        *failure = OperatorFile::Failure::Unreadable;
        *error = QStringLiteral("standard input cannot be read");
        return std::nullopt;
    }
    if (data.size() > limit) {
        *failure = OperatorFile::Failure::TooLarge;
        *error = OperatorFile::size(limit);
        return std::nullopt;
    }
    return data;
}

// Every device the options name, each once, in the order given.
bool readDevices(const QCommandLineParser &parser, QVector<DeviceAddress> *devices, QString *error)
{
    QVector<HostsFile::Entry> entries;
    for (const QString &text : parser.values(QStringLiteral("host"))) {
        const auto address = DeviceAddress::parse(text, Protocol::DefaultPort, error);
        if (!address)
            return false;
        entries.append({ *address, {}, QStringLiteral("--host") });
    }
    for (const QString &path : parser.values(QStringLiteral("hosts"))) {
        std::optional<QVector<HostsFile::Entry>> read;
        if (path == QLatin1String("-")) {
            OperatorFile::Failure failure;
            const auto text = readStandardInput(HostsFile::MaxSize, &failure, error);
            if (!text) {
                if (failure == OperatorFile::Failure::TooLarge)
                    *error
                        = QStringLiteral("cannot read standard input: larger than %1").arg(*error);
                return false;
            }
            read = HostsFile::parse(
                *text, QStringLiteral("standard input"), Protocol::DefaultPort, error);
        } else {
            read = HostsFile::load(path, Protocol::DefaultPort, error);
        }
        if (!read)
            return false;
        entries += *read;
    }
    for (const HostsFile::Entry &entry :
        HostsFile::withoutRepeats(entries, [](const HostsFile::Entry &repeated) {
            Output::note(QStringLiteral("veltra2ctl: %1: %2 is listed before; it is worked on once")
                             .arg(repeated.place, repeated.address.toString()));
        }))
        devices->append(entry.address);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Identity::apply();
    QCoreApplication::setApplicationName(QStringLiteral("veltra2ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTRA2_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs a VELTRA2 device command on one device or many.\n\nCommands:\n")
        + commandList()
        + QStringLiteral(
            "\n\nveltra2ctl COMMAND --help tells more of one. One line per device, in the order "
            "given: ok, failed, sent, not confirmed (a change that went out and may have taken "
            "effect), interrupted or not started. Exit status 0 when every device succeeded, 1 "
            "when any did not, 2 for a usage error (nothing is sent then), 128 and the signal "
            "when interrupted (130 for Ctrl+C)."));
    const QCommandLineOption help({ "h", "help" }, QStringLiteral("Shows this help."));
    const QCommandLineOption host("host",
        QStringLiteral("A device's address, with :PORT when not 8081 (repeatable); IPv6 with a "
                       "port in brackets: [fe80::1]:8082."),
        QStringLiteral("ADDR[:PORT]"));
    const QCommandLineOption hosts("hosts",
        QStringLiteral("A file of device addresses, one a line, a name after it if wanted; # "
                       "starts a comment; - is standard input (repeatable)."),
        QStringLiteral("FILE"));
    const QCommandLineOption jobs("jobs",
        QStringLiteral("Devices worked on at once (default 16; a search asks 128 hosts)."),
        QStringLiteral("N"));
    const QCommandLineOption timeout("timeout",
        QStringLiteral("Seconds a device has for each answer (default 10; a search 1.5)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption connectTimeout("connect-timeout",
        QStringLiteral("Seconds a device has to take the connection (default 3; a search 0.8)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption json("json", QStringLiteral("One JSON object a line."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addOptions({ host, hosts, jobs, timeout, connectTimeout, json });
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
        QStringLiteral("What to do, and its arguments."), "COMMAND [ARGS]");
    // What follows the command is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        Output::result(QStringLiteral("veltra2ctl ") + QCoreApplication::applicationVersion());
        return Output::failed() ? 1 : 0;
    }
    const QStringList words = parser.positionalArguments();
    if (parser.isSet(help) || words.isEmpty()) {
        if (!parser.isSet(help))
            return usage(QStringLiteral("no command given"));
        Output::result(parser.helpText());
        return Output::failed() ? 1 : 0;
    }
    if (words.contains(QStringLiteral("--help")) || words.contains(QStringLiteral("-h"))) {
        const QString text = commandHelp(words);
        if (text.isEmpty())
            return usage(QStringLiteral("Unknown command: %1").arg(words.first()));
        Output::result(text);
        return Output::failed() ? 1 : 0;
    }

    const bool scan = words.first() == QLatin1String("scan");
    int jobCount = scan ? DeviceScanner::MaxParallel : 16;
    if (parser.isSet(jobs)) {
        bool ok = false;
        jobCount = parser.value(jobs).toInt(&ok);
        if (!ok || jobCount < 1)
            return usage(QStringLiteral("--jobs takes a whole number from 1"));
    }
    int replyMsec = scan ? DeviceScanner::ReplyTimeoutMsec : 10000;
    if (parser.isSet(timeout) && !readSeconds(parser.value(timeout), &replyMsec))
        return usage(QStringLiteral("--timeout takes a number of seconds above 0, up to 3600"));
    int connectMsec = scan ? DeviceScanner::ConnectTimeoutMsec : 3000;
    if (parser.isSet(connectTimeout) && !readSeconds(parser.value(connectTimeout), &connectMsec))
        return usage(
            QStringLiteral("--connect-timeout takes a number of seconds above 0, up to 3600"));
    FileLimit::raise();

    int signalled = 0;
    QString error;
    if (scan) {
        DeviceSearch search({ jobCount, connectMsec, replyMsec }, parser.isSet(json));
        if (!search.prepare(words.mid(1), &error))
            return usage(error);
        Interruption::catchSignals([&](int signal) {
            signalled = signal;
            search.cancel();
        });
        QObject::connect(&search, &DeviceSearch::finished, &app, &QCoreApplication::quit);
        // From the event loop: a search may end before a single wait (every
        // host refused at once), and its end must find the loop running.
        QMetaObject::invokeMethod(&search, &DeviceSearch::start, Qt::QueuedConnection);
        QCoreApplication::exec();
        if (signalled)
            return 128 + signalled;
        return Output::failed() ? 1 : search.status();
    }

    auto request = CommandRequest::parse(words, &error);
    if (!request)
        return usage(error);
    QVector<DeviceAddress> devices;
    if (!readDevices(parser, &devices, &error))
        return usage(error);
    if (devices.isEmpty())
        return usage(QStringLiteral("no device given (--host or --hosts)"));
    if (!request->prepare(devices.size(), &error))
        return usage(error);
    Output::toStandardError(request->toStandardOutput);

    CommandBatch batch(*request, devices, jobCount, { replyMsec, connectMsec }, parser.isSet(json));
    QObject::connect(&batch, &CommandBatch::line, &Output::result);
    int done = 0;
    int failed = 0;
    QObject::connect(&batch, &CommandBatch::progress, [&](int told, int bad, int total) {
        done = told;
        failed = bad;
        Output::progress(told, bad, total);
    });
    int status = 0;
    QObject::connect(&batch, &CommandBatch::finished, [&status](bool allSucceeded) {
        status = allSucceeded ? 0 : 1;
        QCoreApplication::quit();
    });
    Interruption::catchSignals([&](int signal) {
        signalled = signal;
        batch.cancel();
    });
    QMetaObject::invokeMethod(&batch, &CommandBatch::start, Qt::QueuedConnection);
    QCoreApplication::exec();
    Output::summary(done, failed, devices.size());
    if (signalled)
        return 128 + signalled;
    if (Output::failed()) {
        Output::note(QStringLiteral("veltra2ctl: the results could not all be written"));
        return 1;
    }
    return status;
}
