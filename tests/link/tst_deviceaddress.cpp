#include "common/testmain.h"
#include "link/deviceaddress.h"

#include <QTest>

// Addresses as an operator types them, read one way everywhere.
class TestDeviceAddress : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // as written back, or the reason it is refused

        QTest::newRow("zeros are decimal") << "127.0.0.010"
                                           << "127.0.0.10:8081";
        QTest::newRow("with a port") << " 192.168.001.002:0080 "
                                     << "192.168.1.2:80";
        QTest::newRow("bare IPv6") << "::1"
                                   << "[::1]:8081";
        QTest::newRow("IPv6 with a port") << "[::1]:8082"
                                          << "[::1]:8082";
        QTest::newRow("name") << "veltra-7.lab"
                              << "veltra-7.lab:8081";
        QTest::newRow("no port") << "veltra-7.lab:"
                                 << "The port must be a number from 1 to 65535";
        QTest::newRow("port 0") << "10.0.0.1:0"
                                << "The port must be a number from 1 to 65535";
        QTest::newRow("port too big") << "[::1]:65536"
                                      << "The port must be a number from 1 to 65535";
        QTest::newRow("short IPv4") << "10.1"
                                    << "10.1 is not an address";
        QTest::newRow("hexadecimal") << "0x7f.0.0.1"
                                     << "0x7f.0.0.1 is not an address";
        QTest::newRow("part over 255") << "1.2.3.256"
                                       << "1.2.3.256 is not an address";
        QTest::newRow("space") << "a b"
                               << "a b is not an address";
        QTest::newRow("open bracket") << "[::1"
                                      << "[::1 is not an address";
        QTest::newRow("line break") << "a\nb"
                                    << "a\\nb is not an address";
        QTest::newRow("nothing") << " "
                                 << "Enter the device's address";
    }

    void reads()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QString error;
        const auto address = DeviceAddress::parse(text, 8081, &error);
        QCOMPARE(address ? address->toString() : error, read);
    }
};

VELTRA2_TEST_MAIN(TestDeviceAddress)
#include "tst_deviceaddress.moc"
