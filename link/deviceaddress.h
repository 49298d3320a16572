#ifndef DEVICEADDRESS_H
#define DEVICEADDRESS_H

#include <QCoreApplication>
#include <QString>

#include <optional>

// A device's address as an operator writes it, read one way wherever one is
// typed (the connection form, a search range, veltra2ctl's --host and hosts
// files): dotted-decimal IPv4 (leading zeros read as decimal, as a person
// means them, never as octal), a host name, an IPv6 address bare or in
// brackets, each with an optional ":port" where the form allows one.
class DeviceAddress {
    Q_DECLARE_TR_FUNCTIONS(DeviceAddress)

public:
    // An IPv4 address as four dotted numbers, IPv6 without brackets, a name
    // as typed.
    QString host;
    quint16 port = 0;

    // "host", "host:port", "[IPv6]", "[IPv6]:port" or a bare IPv6 address
    // (which has no room for a port). Nothing, with the reason in words in
    // `error`, for text that names no device.
    static std::optional<DeviceAddress> parse(
        const QString &text, quint16 defaultPort, QString *error);
    // A host alone, bare or in brackets.
    static std::optional<QString> readHost(const QString &text, QString *error);
    // A port: a whole number from 1 to 65535.
    static std::optional<quint16> readPort(const QString &text, QString *error);
    static bool isPort(qint64 number) { return number >= 1 && number <= 65535; }
    // Four dotted decimal numbers of at most three digits, each up to 255.
    static std::optional<quint32> readIPv4(const QString &text);
    // Splits `text` into its host and the port after it ("" where none is
    // written); false where brackets are left open.
    static bool split(const QString &text, QString *host, QString *port);
    // A host as an address is written: IPv6 in brackets.
    static QString hostText(const QString &host);
    static QString portRule();

    // "192.168.1.20:8081", "[fe80::1]:8081".
    QString toString() const;
    bool operator==(const DeviceAddress &other) const
    {
        return host == other.host && port == other.port;
    }
};

#endif // DEVICEADDRESS_H
