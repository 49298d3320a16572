#include "scanrange.h"

#include "link/deviceaddress.h"

#include <QFile>
#include <QNetworkInterface>
#include <QSet>

#include <algorithm>

namespace {

constexpr quint32 maskOf(int prefix)
{
    return prefix <= 0 ? 0 : ~quint32(0) << (32 - prefix);
}

// Read as every address is: QHostAddress alone also takes "10.1", and
// reads "010" as octal, which an operator never means.
bool readAddress(const QString &text, quint32 *address)
{
    const auto read = DeviceAddress::readIPv4(text);
    if (read)
        *address = *read;
    return read.has_value();
}

// The computer's own IPv4 networks.
QVector<ScanRange::Network> ownEntries()
{
    QVector<ScanRange::Network> entries;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            const QHostAddress &ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()
                && entry.prefixLength() > 0 && entry.prefixLength() < 32)
                entries.append({ interface.name(), ip, entry.prefixLength() });
        }
    }
    return entries;
}

// The interface the default route leaves by, where the system says (Linux).
QString defaultRouteInterface()
{
    QFile routes(QStringLiteral("/proc/net/route"));
    if (!routes.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : routes.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 2 && fields.at(1) == "00000000")
            return QString::fromUtf8(fields.at(0));
    }
    return {};
}

QString blockName(const ScanRange::Network &network)
{
    const int swept = std::max(network.prefix, ScanRange::WidestOwnPrefix);
    return QHostAddress(network.address.toIPv4Address() & maskOf(swept)).toString() + '/'
        + QString::number(swept);
}

} // namespace

bool ScanRange::parse(const QString &text, quint16 defaultPort, QString *error)
{
    addresses.clear();
    port = defaultPort;
    QString range;
    QString portText;
    if (!DeviceAddress::split(text, &range, &portText) || range.startsWith('[')
        || range.contains(':')) {
        *error = tr("A search covers IPv4 addresses only");
        return false;
    }
    if (!portText.isEmpty()) {
        const auto number = DeviceAddress::readPort(portText, error);
        if (!number)
            return false;
        port = *number;
    }

    const QString unreadable
        = tr("Enter a network (192.168.1.0/24), a range (192.168.1.10-60) or an address");
    quint32 first = 0;
    quint32 last = 0;
    const int slash = range.indexOf('/');
    const int dash = range.indexOf('-');
    if (slash >= 0) {
        bool ok = false;
        const int prefix = range.mid(slash + 1).trimmed().toInt(&ok);
        quint32 network = 0;
        if (!ok || prefix < 0 || prefix > 32
            || !readAddress(range.left(slash).trimmed(), &network)) {
            *error = unreadable;
            return false;
        }
        first = network & maskOf(prefix);
        last = first | ~maskOf(prefix);
        // The network's own address and its broadcast are no device's.
        if (prefix <= 30) {
            ++first;
            --last;
        }
    } else if (dash >= 0) {
        const QString end = range.mid(dash + 1).trimmed();
        bool ok = readAddress(range.left(dash).trimmed(), &first);
        if (ok && end.contains('.')) {
            ok = readAddress(end, &last);
        } else if (ok) {
            const uint lastPart = end.toUInt(&ok);
            ok = ok && lastPart <= 255;
            last = (first & 0xffffff00u) | lastPart;
        }
        if (!ok || last < first) {
            *error = unreadable;
            return false;
        }
    } else if (readAddress(range, &first)) {
        last = first;
    } else {
        *error = unreadable;
        return false;
    }
    return addBlock(first, last, error);
}

bool ScanRange::read(const QString &text, quint16 defaultPort, QString *error)
{
    if (!text.trimmed().isEmpty())
        return parse(text, defaultPort, error);
    *this = ownNetworks(defaultPort);
    if (addresses.isEmpty())
        *error = tr("This computer is on no network to search: type a range");
    return !addresses.isEmpty();
}

bool ScanRange::addBlock(quint32 first, quint32 last, QString *error)
{
    const qint64 count = qint64(last) - qint64(first) + 1;
    if (count > MaxAddresses) {
        *error
            = tr("That is %1 addresses; a search covers at most %2").arg(count).arg(MaxAddresses);
        return false;
    }
    addresses.reserve(int(count));
    for (qint64 address = first; address <= last; ++address)
        addresses.append(quint32(address));
    return true;
}

QVector<quint32> ScanRange::hostsAround(const QHostAddress &address, int prefix)
{
    bool ok = false;
    const quint32 ip = address.toIPv4Address(&ok);
    if (!ok || prefix < 1 || prefix > 31)
        return {};
    const quint32 network = ip & maskOf(prefix);
    const quint32 broadcast = ip | ~maskOf(prefix);
    const int swept = std::max(prefix, WidestOwnPrefix);
    const quint32 first = ip & maskOf(swept);
    const quint32 last = ip | ~maskOf(swept);
    QVector<quint32> hosts;
    for (quint64 host = first; host <= last; ++host) {
        if (prefix <= 30 && (host == network || host == broadcast))
            continue;
        hosts.append(quint32(host));
    }
    return hosts;
}

ScanRange ScanRange::ownNetworks(quint16 port)
{
    return ofNetworks(ownEntries(), defaultRouteInterface(), port);
}

ScanRange ScanRange::ofNetworks(
    const QVector<Network> &networks, const QString &routed, quint16 port)
{
    QVector<Network> ordered = networks;
    std::stable_sort(ordered.begin(), ordered.end(), [&routed](const Network &a, const Network &b) {
        return a.interface == routed && b.interface != routed;
    });
    ScanRange range;
    range.port = port;
    QSet<quint32> taken;
    for (const Network &network : qAsConst(ordered)) {
        QVector<quint32> hosts = hostsAround(network.address, network.prefix);
        hosts.erase(std::remove_if(hosts.begin(), hosts.end(),
                        [&taken](quint32 host) { return taken.contains(host); }),
            hosts.end());
        // Many interfaces (virtual bridges) could add up past what one
        // search covers: a network is searched whole or named as left out.
        if (range.addresses.size() + hosts.size() > MaxAddresses) {
            range.leftOut << blockName(network);
            continue;
        }
        range.addresses += hosts;
        for (quint32 host : qAsConst(hosts))
            taken.insert(host);
    }
    std::sort(range.addresses.begin(), range.addresses.end());
    return range;
}

QString ScanRange::describeOwnNetworks()
{
    QStringList blocks;
    for (const Network &network : ownEntries()) {
        const QString block = blockName(network);
        if (!blocks.contains(block))
            blocks.append(block);
    }
    return blocks.join(QStringLiteral(", "));
}
