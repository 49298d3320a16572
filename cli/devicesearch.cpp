#include "cli/devicesearch.h"

#include "cli/output.h"
#include "link/deviceaddress.h"
#include "link/protocol.h"
#include "link/scanrange.h"
#include "models/devicetext.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

DeviceSearch::DeviceSearch(const Limits &limits, bool json, QObject *parent)
    : QObject(parent)
    , json(json)
{
    scanner.setLimits(limits.jobs, limits.connectMsec, limits.replyMsec);
    connect(&scanner, &DeviceScanner::found, this,
        [this](const FoundDevice &device) { found.append(device); });
    connect(&scanner, &DeviceScanner::progress, this,
        [](int tried, int total) { Output::progress(tried, 0, total); });
    connect(&scanner, &DeviceScanner::finished, this, &DeviceSearch::report);
}

bool DeviceSearch::prepare(const QStringList &ranges, QString *error)
{
    QVector<ScanRange> read;
    if (ranges.isEmpty()) {
        // Only no range at all means this computer's own networks: an empty
        // one is more likely an unset variable in a script.
        const ScanRange own = ScanRange::ownNetworks(Protocol::DefaultPort);
        if (own.addresses.isEmpty()) {
            *error = QStringLiteral("This computer is on no network to search: give a range");
            return false;
        }
        if (!own.leftOut.isEmpty())
            Output::note(QStringLiteral("veltra2ctl: not searched (more than %1 addresses in "
                                        "all): %2")
                             .arg(ScanRange::MaxAddresses)
                             .arg(own.leftOut.join(QStringLiteral(", "))));
        read.append(own);
        searched << ScanRange::describeOwnNetworks();
    }
    for (const QString &text : ranges) {
        ScanRange range;
        if (!range.parse(text, Protocol::DefaultPort, error)) {
            *error = QStringLiteral("scan %1: %2").arg(text, *error);
            return false;
        }
        read.append(range);
        searched << text;
    }
    for (const ScanRange &range : qAsConst(read))
        for (quint32 address : range.addresses)
            targets.append({ address, range.port });
    return true;
}

void DeviceSearch::start()
{
    scanner.start(targets);
}

void DeviceSearch::report(bool cancelled)
{
    std::sort(found.begin(), found.end(), [](const FoundDevice &a, const FoundDevice &b) {
        return a.address != b.address ? a.address < b.address : a.port < b.port;
    });
    found.erase(std::unique(found.begin(), found.end(),
                    [](const FoundDevice &a, const FoundDevice &b) {
                        return a.address == b.address && a.port == b.port;
                    }),
        found.end());
    for (const FoundDevice &device : qAsConst(found)) {
        const QString address = DeviceAddress { device.host(), device.port }.toString();
        const QString version = DeviceText::shown(device.version, DeviceText::NameLimit);
        const QString build = DeviceText::shown(device.build, DeviceText::NameLimit);
        // A hosts file reads this line as it is: the address, then a comment.
        Output::result(json
                ? QString::fromUtf8(DeviceText::safeJson(QJsonDocument(
                    QJsonObject { { "address", address }, { "model", device.model },
                        { "version", version }, { "build", build },
                        { "replyMsec", device.replyMsec } }).toJson(QJsonDocument::Compact)))
                : DeviceText::escaped(
                    QStringList { address, "#", device.model, version, build }.join(' ')));
    }
    if (scanner.unasked() > 0) {
        Output::note(QStringLiteral("veltra2ctl: %1 addresses were not asked: too few file "
                                    "handles (see ulimit -n, or use fewer --jobs)")
                         .arg(scanner.unasked()));
        exitStatus = 1;
    } else if (found.isEmpty() && !cancelled) {
        Output::note(QStringLiteral("veltra2ctl: No device found in %1")
                         .arg(searched.join(QStringLiteral(", "))));
        exitStatus = 1;
    }
    if (cancelled)
        exitStatus = 1;
    emit finished();
}
