// The runner's reply path: arbitrary lines answering an arbitrary queue of
// requests, for either device model. The runner stays connected to a local
// peer that swallows what it writes, so every command can queue a request.
//
// Input: byte 0 picks the model (odd: Wi-Fi) and whether the device is
// identified first; then a sequence of operations, each one byte: a command,
// or a line whose length is the next byte.

#include "runner/iotrunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>

namespace {
QCoreApplication *app = nullptr;
QTcpServer *server = nullptr;
IOTRunner *runner = nullptr;

void feed(const QByteArray &line)
{
    QMetaObject::invokeMethod(runner, "tcp_newDatagram", Q_ARG(QByteArray, line));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("XDG_CONFIG_HOME", "/tmp/veltra2-fuzz-config");
    app = new QCoreApplication(*argc, *argv);
    server = new QTcpServer;
    server->listen(QHostAddress::LocalHost, 0);
    QObject::connect(server, &QTcpServer::newConnection, [] {
        while (QTcpSocket *s = server->nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [s] { s->readAll(); });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    runner = new IOTRunner;
    runner->setRetryInterval(1);
    runner->setPollInterval(3600 * 1000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // Start every input from a fresh connection: the start-up requests queued.
    bool connected = false;
    QMetaObject::Connection c
        = QObject::connect(runner, &IOTRunner::connectedToHost, [&] { connected = true; });
    runner->disconnectFromHost();
    runner->connectToHost(QStringLiteral("127.0.0.1"), server->serverPort());
    QElapsedTimer clock;
    clock.start();
    while (!connected && clock.elapsed() < 5000)
        app->processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(c);
    if (!connected)
        std::abort(); // the loopback peer is always there

    const bool wifi = data[0] & 1;
    if (data[0] & 2)
        feed(wifi ? R"({"board":"veltra-2w","version":"1","build":"2","stm":"3"})"
                  : R"({"board":"veltra-2u","version":"1","build":"2"})");
    size_t at = 1;
    while (at < size) {
        const uint8_t op = data[at++];
        switch (op % 12) {
        case 0:
            runner->requestConfig();
            break;
        case 1:
            runner->requestDevInfo();
            break;
        case 2:
            runner->requestHistory();
            break;
        case 3:
            runner->requestReboot();
            break;
        case 4:
            runner->setupCloud(QStringLiteral("id"));
            break;
        case 5:
            runner->upload(QByteArrayLiteral("x"),
                op & 16 ? QStringLiteral("mqtt.key.der") : QStringLiteral("mqtt.cert.der"));
            break;
        case 6:
            runner->updateConfig({ { QStringLiteral("net-ssid"), QStringLiteral("lab") } });
            break;
        case 7:
            QMetaObject::invokeMethod(runner, "tcp_timer");
            break;
        default: {
            size_t length = 0;
            if (at < size) {
                length = data[at];
                ++at;
                length = qMin(length, size - at);
            }
            feed(QByteArray(reinterpret_cast<const char *>(data + at), int(length)));
            at += length;
        }
        }
        // Every series the runner hands out must be usable.
        for (int i = 0; i < 3; ++i)
            if (ChartDataProvider *series = runner->chartData(i)) {
                if (series->getValues().size() != series->getLabels().size())
                    std::abort();
            }
        VariantMapModel *table = runner->stateTableModel();
        for (int r = 0; r < table->rowCount(); ++r)
            table->data(table->index(r), VariantMapModel::TValueRole);
        HistoryDataModel *history = runner->historyModel();
        for (int r = 0; r < history->rowCount(); ++r)
            history->data(history->index(r), HistoryDataModel::TimeRole);
    }
    app->processEvents(QEventLoop::AllEvents, 1);
    return 0;
}
