#include "common/devsimprocess.h"
#include "common/testmain.h"
#include "link/devicescanner.h"
#include "link/scanrange.h"
#include "models/founddevicesmodel.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <vector>

namespace {

const QByteArray InfoLine = "{\"query\":\"info\"}\r\n";

// A host on a loopback address that is no device: it records what it is sent,
// answers as told (or not at all) and notes when the searcher let go.
struct Impostor {
    Impostor(const QString &address, quint16 port, const QByteArray &answer, bool closeAtOnce)
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [=] {
            socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [this, answer] {
                received += socket->readAll();
                if (received.endsWith("\r\n") && !answer.isEmpty())
                    socket->write(answer);
            });
            QObject::connect(
                socket, &QTcpSocket::disconnected, [this] { closedAfter = clock.elapsed(); });
            if (closeAtOnce)
                socket->disconnectFromHost();
        });
        listening = server.listen(QHostAddress(address), port);
        clock.start();
    }

    QTcpServer server;
    QPointer<QTcpSocket> socket;
    QByteArray received;
    QElapsedTimer clock;
    qint64 closedAfter = -1;
    bool listening = false;
};

} // namespace

// The search against simulated devices and impostors on 127.0.0.0/24, and the
// ranges an operator may type.
class TestDeviceScanner : public QObject {
    Q_OBJECT

private slots:
    void findsExactlyTheDevices()
    {
        DevsimProcess wifi;
        QVERIFY(wifi.start({ "--address", "127.0.0.2", "--address", "127.0.0.3" }));
        const quint16 port = wifi.port();
        DevsimProcess wired;
        QVERIFY(wired.start({ "--model", "2u", "--address", "127.0.0.4" }, port));
        std::vector<std::unique_ptr<Impostor>> impostors;
        for (const QByteArray &answer : { QByteArray(), QByteArray("hello\r\n"),
                 QByteArray("{\"board\":\"veltra-9x\",\"version\":\"1\"}\r\n"),
                 QByteArray(9 * 1024 * 1024, 'x') })
            impostors.push_back(std::make_unique<Impostor>(
                QStringLiteral("127.0.0.%1").arg(5 + impostors.size()), port, answer, false));
        impostors.push_back(std::make_unique<Impostor>("127.0.0.9", port, QByteArray(), true));
        for (const auto &impostor : impostors)
            QVERIFY(impostor->listening);

        ScanRange range;
        QString error;
        QVERIFY(range.parse(QStringLiteral(" 127.0.0.0/24 :%1").arg(port), 1, &error));
        DeviceScanner scanner;
        FoundDevicesModel found;
        connect(&scanner, &DeviceScanner::found, &found, &FoundDevicesModel::add);
        QSignalSpy finished(&scanner, &DeviceScanner::finished);
        QElapsedTimer clock;
        clock.start();
        scanner.start(range.addresses, range.port);
        QVERIFY(finished.wait(10000));
        QVERIFY(clock.elapsed()
            < DeviceScanner::ConnectTimeoutMsec + DeviceScanner::ReplyTimeoutMsec + 1500);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QCOMPARE(scanner.tried(), 254);

        QStringList listed;
        for (int row = 0; row < found.rowCount(); ++row) {
            const QModelIndex index = found.index(row);
            listed << index.data(FoundDevicesModel::EndpointRole).toString() + ' '
                    + index.data(FoundDevicesModel::ModelRole).toString() + ' '
                    + index.data(FoundDevicesModel::VersionRole).toString();
        }
        const QString p = QString::number(port);
        QCOMPARE(listed,
            QStringList({ "127.0.0.2:" + p + " veltra-2w 2.3.1",
                "127.0.0.3:" + p + " veltra-2w 2.3.1", "127.0.0.4:" + p + " veltra-2u 2.3.1" }));
        // Each impostor was asked once, and let go, the flooding one at once.
        QVERIFY(QTest::qWaitFor([&] {
            return std::all_of(impostors.begin(), impostors.end(),
                [](const auto &impostor) { return impostor->closedAfter >= 0; });
        }));
        for (const auto &impostor : impostors)
            QCOMPARE(impostor->received,
                impostor.get() == impostors.back().get() ? QByteArray() : InfoLine);
        QVERIFY2(impostors[3]->closedAfter < DeviceScanner::ReplyTimeoutMsec,
            qPrintable(QString::number(impostors[3]->closedAfter)));
    }

    void cancelClosesEverySocket()
    {
        std::vector<std::unique_ptr<Impostor>> silent;
        quint16 port = 0;
        for (int host = 2; host < 6; ++host) {
            silent.push_back(std::make_unique<Impostor>(
                QStringLiteral("127.0.0.%1").arg(host), port, QByteArray(), false));
            QVERIFY(silent.back()->listening);
            port = silent.back()->server.serverPort();
        }
        DeviceScanner scanner;
        QSignalSpy finished(&scanner, &DeviceScanner::finished);
        scanner.start({ 0x7f000002, 0x7f000003, 0x7f000004, 0x7f000005 }, port);
        QVERIFY(QTest::qWaitFor([&] {
            return std::all_of(silent.begin(), silent.end(),
                [](const auto &impostor) { return impostor->received == InfoLine; });
        }));
        scanner.cancel();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QVERIFY(!scanner.isRunning());
        QVERIFY(QTest::qWaitFor(
            [&] {
                return std::all_of(silent.begin(), silent.end(),
                    [](const auto &impostor) { return impostor->closedAfter >= 0; });
            },
            1000));
    }

    void readsRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("port");

        QTest::newRow("network") << "192.168.1.0/24" << 254 << "192.168.1.1"
                                 << "192.168.1.254" << 8081;
        QTest::newRow("any address in it") << "10.1.2.3/30:9000" << 2 << "10.1.2.1"
                                           << "10.1.2.2" << 9000;
        QTest::newRow("short range") << "192.168.1.10-60" << 51 << "192.168.1.10"
                                     << "192.168.1.60" << 8081;
        QTest::newRow("long range") << "10.0.0.250-10.0.1.5" << 12 << "10.0.0.250"
                                    << "10.0.1.5" << 8081;
        QTest::newRow("one host") << "127.0.0.7:1" << 1 << "127.0.0.7"
                                  << "127.0.0.7" << 1;
        // Leading zeros are decimal, as in every address the program reads.
        QTest::newRow("zeros") << "127.0.0.007-010" << 4 << "127.0.0.7"
                               << "127.0.0.10" << 8081;
        QTest::newRow("at most") << "10.0.0.0/20" << 4094 << "10.0.0.1"
                                 << "10.0.15.254" << 8081;
        for (const char *refused : { "10.0.0.0/19", "10.0.0.0/8", "10.0.0.1-11.0.0.1", "1.2.3.9-4",
                 "1.2.3.4:0", "1.2.3.4:65536", "1.2.3.4/33", "10.1", "host.example", "1.2.3.256",
                 "", "::1", "[::1]:8081" })
            QTest::newRow(refused) << refused << 0 << ""
                                   << "" << 0;
    }
    void readsRanges()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        ScanRange range;
        QString error;
        QCOMPARE(range.parse(text, 8081, &error), count > 0);
        QCOMPARE(range.addresses.size(), count);
        QCOMPARE(error.isEmpty(), count > 0);
        if (count > 0) {
            QTEST(QHostAddress(range.addresses.first()).toString(), "first");
            QTEST(QHostAddress(range.addresses.last()).toString(), "last");
            QTEST(int(range.port), "port");
        }
    }

    void theDefaultRoutesNetworkComesFirst()
    {
        // Bridges of a container host would crowd out the operator's LAN.
        QVector<ScanRange::Network> networks;
        for (int bridge = 17; bridge <= 20; ++bridge)
            networks.append({ "br" + QString::number(bridge),
                QHostAddress(QString("172.%1.0.1").arg(bridge)), 16 });
        networks.append({ "eth0", QHostAddress("192.168.1.7"), 24 });
        const ScanRange range = ScanRange::ofNetworks(networks, "eth0", 8081);
        QVERIFY(range.addresses.contains(QHostAddress("192.168.1.254").toIPv4Address()));
        QVERIFY(range.addresses.size() <= ScanRange::MaxAddresses);
        QCOMPARE(range.leftOut, QStringList { "172.20.0.0/22" });
    }

    void ownNetworksAreCappedAroundTheComputer()
    {
        // A /16 is swept as the /22 around the address: its ends are hosts
        // there, only the /16's own network and broadcast addresses are not.
        const auto around = ScanRange::hostsAround(QHostAddress("192.168.5.77"), 16);
        QCOMPARE(around.size(), 1024);
        QCOMPARE(QHostAddress(around.first()).toString(), QString("192.168.4.0"));
        QCOMPARE(ScanRange::hostsAround(QHostAddress("172.16.0.9"), 16).size(), 1023);

        // This computer's own: computed, never swept.
        const ScanRange own = ScanRange::ownNetworks(8081);
        QVERIFY(own.addresses.size() <= ScanRange::MaxAddresses);
        for (quint32 address : own.addresses)
            QVERIFY(!QHostAddress(address).isLoopback());
        for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
            if (!(interface.flags() & QNetworkInterface::IsUp)
                || !(interface.flags() & QNetworkInterface::IsRunning))
                continue;
            for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
                if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol
                    && !entry.ip().isLoopback() && entry.prefixLength() > 0
                    && entry.prefixLength() < 31)
                    QVERIFY(own.addresses.contains(entry.ip().toIPv4Address()));
            }
        }
    }
};

VELTRA2_TEST_MAIN(TestDeviceScanner)
#include "tst_devicescanner.moc"
