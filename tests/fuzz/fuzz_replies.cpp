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
#include <functional>

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
    const QByteArray input
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    size_t at = 1;
    while (at < size) {
        const uint8_t op = data[at++];
        static const std::function<void(IOTRunner *, uint8_t)> commands[] = {
            [](IOTRunner *r, uint8_t) { r->requestConfig(); },
            [](IOTRunner *r, uint8_t) { r->requestDevInfo(); },
            [](IOTRunner *r, uint8_t) { r->requestHistory(); },
            [](IOTRunner *r, uint8_t) { r->requestReboot(); },
            [](IOTRunner *r, uint8_t) { r->setupCloud(QStringLiteral("id")); },
            [](IOTRunner *r, uint8_t bits) {
                r->upload("x", bits & 16 ? QStringLiteral("mqtt.key.der") : "mqtt.cert.der");
            },
            [](IOTRunner *r, uint8_t) {
                r->updateConfig({ { "net-ssid", "lab" } });
            },
            [](IOTRunner *r, uint8_t) { QMetaObject::invokeMethod(r, "tcp_timer"); },
        };
        if (op % 12 < 8) {
            commands[op % 12](runner, op);
        } else {
            const int length = at < size ? data[at] : 0;
            feed(input.mid(int(at) + 1, length));
            at += length + 1;
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
