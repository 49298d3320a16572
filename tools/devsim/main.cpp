// veltra2-devsim: a VELTRA2 device on a TCP port, for trying the program
// without hardware and for the end-to-end tests.

#include "app/identity.h"
#include "devicesimulator.h"
#include "link/protocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltra2-devsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTRA2_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulates a VELTRA2 measuring device."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port({ "p", "port" }, "TCP port to listen on (0: any free port).",
        "port", QString::number(Protocol::DefaultPort));
    const QCommandLineOption address("address",
        "Address to listen on (repeatable: one device on several addresses, same port).",
        "address");
    const QCommandLineOption model(
        { "m", "model" }, "Device model: 2u (wired) or 2w (Wi-Fi).", "model", "2w");
    const QCommandLineOption board(
        "board", "Report this board name instead of the model's.", "name");
    const QCommandLineOption noStm("no-stm", "Leave the sensor firmware out of the information.");
    const QCommandLineOption verbose("verbose", "Print every line received and sent.");
    const QCommandLineOption dataDir("data-dir", "Keep uploaded files in this folder.", "dir");
    const QCommandLineOption samples("history-samples", "Samples in the history.", "n", "96");
    const QCommandLineOption interval(
        "history-interval", "History sampling period.", "ms", "900000");
    const QCommandLineOption fail(
        "fail", "Answer this query with a device error (repeatable).", "query");
    const QCommandLineOption delay("delay", "Answer every request this late.", "ms", "0");
    const QCommandLineOption delayFrom("delay-from", "Answer late from reply N on.", "n", "1");
    const QCommandLineOption cut("cut-reply", "Send half of reply N, then close.", "n", "0");
    const QCommandLineOption closeUpload("close-during-upload",
        "Close after this many bytes of an upload's payload.", "bytes", "-1");
    const QCommandLineOption garbage(
        "garbage-before", "Send a line that is not JSON before reply N.", "n", "0");
    const QCommandLineOption oversized(
        "oversized-before", "Send 9 MiB without a line end before reply N.", "n", "0");
    const QCommandLineOption closeAfter(
        "close-after", "Close the connection after reply N.", "n", "0");
    const QCommandLineOption muteAfter("mute-after", "Stop answering after reply N.", "n", "0");
    const QCommandLineOption muteAt("mute-at",
        "Stop answering anything, on every connection, SECONDS after the start.", "seconds", "-1");
    const QCommandLineOption scripted("reply",
        "Answer QUERY (or only its N-th request on a connection, QUERY#N) with this exact line "
        "instead; @FILE takes the line from a file (repeatable).",
        "query[#n]=line");
    const QCommandLineOption flood(
        "flood", "Send N unsolicited error lines after the first state reply.", "n", "0");
    const QCommandLineOption freshNames("fresh-state-names",
        "Add N members with names never sent before to every state reply.", "n", "0");
    const QCommandLineOption ramp(
        "ramp", "Let the temperature drift by DEG degrees a minute from the start.", "deg", "0");
    const QCommandLineOption step("step",
        "Add DEG degrees to the temperature from SECONDS after the start on (repeatable; "
        "steps add up).",
        "seconds=deg");
    parser.addOptions({ port, address, model, board, noStm, verbose, dataDir, samples, interval,
        fail, delay, delayFrom, cut, closeUpload, garbage, oversized, closeAfter, muteAfter, muteAt,
        scripted, flood, freshNames, ramp, step });
    parser.process(app);

    SimulatorOptions options;
    const QString modelName = parser.value(model).toLower();
    if (modelName == "2u" || modelName == Protocol::BoardWired) {
        options.board = Protocol::BoardWired;
    } else if (modelName == "2w" || modelName == Protocol::BoardWifi) {
        options.board = Protocol::BoardWifi;
        options.wifi = true;
    } else {
        std::fprintf(stderr, "veltra2-devsim: unknown model %s (use 2u or 2w)\n",
            qPrintable(parser.value(model)));
        return 1;
    }
    if (parser.isSet(board))
        options.board = parser.value(board);
    options.reportStm = !parser.isSet(noStm);
    options.verbose = parser.isSet(verbose);
    options.dataDir = parser.value(dataDir);
    if (!options.dataDir.isEmpty() && !QDir().mkpath(options.dataDir)) {
        std::fprintf(stderr, "veltra2-devsim: cannot use folder %s\n", qPrintable(options.dataDir));
        return 1;
    }
    options.historySamples = qMax(0, parser.value(samples).toInt());
    options.historyInterval = qMax(0, parser.value(interval).toInt());
    for (const QString &query : parser.values(fail))
        options.failingQueries.insert(query);
    options.replyDelayMsec = parser.value(delay).toInt();
    options.delayFromReply = parser.value(delayFrom).toInt();
    options.cutReply = parser.value(cut).toInt();
    options.closeDuringUploadAfter = parser.value(closeUpload).toInt();
    options.garbageBeforeReply = parser.value(garbage).toInt();
    options.oversizedBeforeReply = parser.value(oversized).toInt();
    options.closeAfterReplies = parser.value(closeAfter).toInt();
    options.muteAfterReplies = parser.value(muteAfter).toInt();
    options.muteAtSeconds = parser.value(muteAt).toInt();
    options.floodLines = parser.value(flood).toInt();
    options.freshStateNames = qMax(0, parser.value(freshNames).toInt());
    options.rampPerMinute = parser.value(ramp).toDouble();
    for (const QString &rule : parser.values(step)) {
        bool secondsOk = false;
        bool degreesOk = false;
        const int seconds = rule.section('=', 0, 0).toInt(&secondsOk);
        const double degrees = rule.section('=', 1).toDouble(&degreesOk);
        if (!secondsOk || !degreesOk || seconds < 0) {
            std::fprintf(stderr, "veltra2-devsim: bad step %s\n", qPrintable(rule));
            return 1;
        }
        options.steps[seconds] += degrees;
    }
    for (const QString &rule : parser.values(scripted)) {
        const int split = rule.indexOf('=');
        if (split < 1) {
            std::fprintf(stderr, "veltra2-devsim: bad reply rule %s\n", qPrintable(rule));
            return 1;
        }
        QByteArray line = rule.mid(split + 1).toUtf8();
        if (line.startsWith('@')) {
            QFile file(QString::fromLocal8Bit(line.mid(1)));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "veltra2-devsim: cannot read %s\n", line.mid(1).constData());
                return 1;
            }
            line = file.readAll();
        }
        options.scriptedReplies.insert(rule.left(split), line);
    }

    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    if (!portOk || portNumber > 65535) {
        std::fprintf(stderr, "veltra2-devsim: bad port %s\n", qPrintable(parser.value(port)));
        return 1;
    }
    QStringList addresses = parser.values(address);
    if (addresses.isEmpty())
        addresses.append(QStringLiteral("127.0.0.1"));
    QList<QHostAddress> hosts;
    for (const QString &text : addresses) {
        const QHostAddress host(text);
        if (host.isNull()) {
            std::fprintf(stderr, "veltra2-devsim: bad address %s\n", qPrintable(text));
            return 1;
        }
        hosts.append(host);
    }
    DeviceSimulator simulator(options);
    if (!simulator.listen(hosts, quint16(portNumber))) {
        std::fprintf(
            stderr, "veltra2-devsim: cannot listen: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    // Scripts and tests read the port from this line.
    std::printf("veltra2-devsim %s listening on %s:%u\n", qPrintable(options.board),
        qPrintable(addresses.join(',')), simulator.port());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
