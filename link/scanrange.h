#ifndef SCANRANGE_H
#define SCANRANGE_H

#include <QCoreApplication>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QVector>

// The IPv4 addresses a device search tries, and the port it asks on: the
// computer's own networks, or what the operator typed ("192.168.1.0/24",
// "192.168.1.10-60", "192.168.1.10-192.168.2.5" or one address, each with an
// optional ":port").
class ScanRange {
    Q_DECLARE_TR_FUNCTIONS(ScanRange)

public:
    // More than a /20: a search that size would take minutes and is more
    // likely a typing slip than a site.
    static constexpr int MaxAddresses = 4096;
    // A computer on a /16 sits in the /22 around its address; the whole /16
    // is not swept unless typed.
    static constexpr int WidestOwnPrefix = 22;

    QVector<quint32> addresses;
    quint16 port = 0;
    // Own networks that did not fit in one search, as "172.20.0.0/22".
    QStringList leftOut;

    // One of the computer's networks, on the interface `interface`.
    struct Network {
        QString interface;
        QHostAddress address;
        int prefix = 0;
    };

    // False, with the reason in words in `error`, for text that names no
    // range or too many addresses.
    bool parse(const QString &text, quint16 defaultPort, QString *error);
    // What a search of `text` covers: this computer's own networks when it
    // is empty, else as parse() reads it; false, with the reason, for
    // nothing to search.
    bool read(const QString &text, quint16 defaultPort, QString *error);
    // Each up, non-loopback IPv4 interface's own network.
    static ScanRange ownNetworks(quint16 port);
    // What a search of `networks` covers: the network of the interface
    // that carries the default route first, then the others in turn while
    // they fit in MaxAddresses; the rest are named in `leftOut`.
    static ScanRange ofNetworks(
        const QVector<Network> &networks, const QString &routed, quint16 port);
    // The hosts of the network `address`/`prefix`, narrowed to the
    // WidestOwnPrefix block around `address`.
    static QVector<quint32> hostsAround(const QHostAddress &address, int prefix);
    // "192.168.1.0/24" for what ownNetworks() would search, for the operator.
    static QString describeOwnNetworks();

private:
    bool addBlock(quint32 first, quint32 last, QString *error);
};

#endif // SCANRANGE_H
