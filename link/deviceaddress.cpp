#include "link/deviceaddress.h"

#include "models/devicetext.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

// What a person may mean as an IPv4 address: labels that are all numbers
// (or the hexadecimal a C library would also read as one).
bool looksNumeric(const QString &text)
{
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d+|0[xX][0-9a-fA-F]*)(\\.(\\d+|0[xX][0-9a-fA-F]*))*\\.?$"));
    return numeric.match(text).hasMatch();
}

bool isHostName(const QString &text)
{
    static const QRegularExpression name(
        QStringLiteral("^(?=.{1,253}$)([A-Za-z0-9_]([A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?)"
                       "(\\.[A-Za-z0-9_]([A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?)*\\.?$"));
    return name.match(text).hasMatch();
}

} // namespace

QString DeviceAddress::portRule()
{
    return tr("The port must be a number from 1 to 65535");
}

std::optional<quint16> DeviceAddress::readPort(const QString &text, QString *error)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch() || !isPort(trimmed.toInt())) {
        *error = portRule();
        return std::nullopt;
    }
    return quint16(trimmed.toInt());
}

std::optional<quint32> DeviceAddress::readIPv4(const QString &text)
{
    static const QRegularExpression dotted(
        QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const auto match = dotted.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    quint32 address = 0;
    for (int part = 1; part <= 4; ++part) {
        const int number = match.captured(part).toInt(); // decimal, zeros or not
        if (number > 255)
            return std::nullopt;
        address = address << 8 | quint32(number);
    }
    return address;
}

bool DeviceAddress::split(const QString &text, QString *host, QString *port)
{
    const QString trimmed = text.trimmed();
    port->clear();
    if (trimmed.startsWith('[')) {
        const int close = trimmed.indexOf(']');
        if (close < 0)
            return false;
        *host = trimmed.left(close + 1);
        const QString rest = trimmed.mid(close + 1);
        if (rest.isEmpty())
            return true;
        if (!rest.startsWith(':'))
            return false;
        *port = rest.mid(1);
        return true;
    }
    // Two colons or more: IPv6, which takes no port unless in brackets.
    const int colon = trimmed.indexOf(':');
    if (colon < 0 || trimmed.indexOf(':', colon + 1) >= 0) {
        *host = trimmed;
        return true;
    }
    *host = trimmed.left(colon);
    *port = trimmed.mid(colon + 1);
    // "host:" names a port, an empty one.
    if (port->isEmpty())
        *port = QStringLiteral(" ");
    return true;
}

std::optional<QString> DeviceAddress::readHost(const QString &text, QString *error)
{
    QString host = text.trimmed();
    if (host.isEmpty()) {
        *error = tr("Enter the device's address");
        return std::nullopt;
    }
    const QString notAnAddress
        = tr("%1 is not an address").arg(DeviceText::shown(host, DeviceText::NameLimit));
    const bool bracketed = host.startsWith('[') && host.endsWith(']');
    if (bracketed || host.contains(':')) {
        if (bracketed)
            host = host.mid(1, host.size() - 2);
        const QHostAddress v6(host);
        if (v6.protocol() != QAbstractSocket::IPv6Protocol) {
            *error = notAnAddress;
            return std::nullopt;
        }
        return v6.toString();
    }
    if (looksNumeric(host)) {
        const auto v4 = readIPv4(host);
        if (!v4) {
            *error = notAnAddress;
            return std::nullopt;
        }
        return QHostAddress(*v4).toString();
    }
    if (!isHostName(host)) {
        *error = notAnAddress;
        return std::nullopt;
    }
    return host;
}

std::optional<DeviceAddress> DeviceAddress::parse(
    const QString &text, quint16 defaultPort, QString *error)
{
    QString hostPart;
    QString portPart;
    if (!split(text, &hostPart, &portPart)) {
        *error = tr("%1 is not an address")
                     .arg(DeviceText::shown(text.trimmed(), DeviceText::NameLimit));
        return std::nullopt;
    }
    const auto host = readHost(hostPart, error);
    if (!host)
        return std::nullopt;
    DeviceAddress address;
    address.host = *host;
    address.port = defaultPort;
    if (!portPart.isEmpty()) {
        const auto port = readPort(portPart, error);
        if (!port)
            return std::nullopt;
        address.port = *port;
    }
    return address;
}

QString DeviceAddress::hostText(const QString &host)
{
    return host.contains(':') ? '[' + host + ']' : host;
}

QString DeviceAddress::toString() const
{
    return hostText(host) + ':' + QString::number(port);
}
