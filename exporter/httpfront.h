#ifndef HTTPFRONT_H
#define HTTPFRONT_H

#include "link/deviceaddress.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

class SampleStore;

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The exporter's HTTP side: /metrics from what the store holds, /probe
// asking one device at scrape time, / saying what is served, 404 for the
// rest. Requests are served on threads of their own, so a slow or greedy
// client holds up other clients at worst, never the devices; a probe's
// device is asked on this object's thread, which runs the event loop.
class HttpFront : public QObject {
    Q_OBJECT

public:
    // Probes under way at once, beyond which a probe is refused (503).
    static constexpr int MaxProbes = 64;
    // What a probe has when the scrape does not say its timeout.
    static constexpr double DefaultProbeSeconds = 10;

    HttpFront(const SampleStore *store, int periodMsec, QObject *parent = nullptr);
    ~HttpFront() override;

    // Listens on `address`; false, with the reason in `error`, where it
    // cannot. Serving starts at once.
    bool listen(const DeviceAddress &address, QString *error);

private:
    void serveMetrics(httplib::Response &response);
    void serveProbe(const httplib::Request &request, httplib::Response &response);
    void serveIndex(httplib::Response &response);
    QByteArray counters() const;

    const SampleStore *store;
    int periodMsec;
    std::unique_ptr<httplib::Server> server;
    std::thread serving;
    std::atomic<int> probesUnderWay { 0 };
    std::atomic<quint64> scrapes { 0 };
    std::atomic<quint64> probes { 0 };
    std::atomic<quint64> probeFailures { 0 };
    std::atomic<quint64> probesRefused { 0 };
    std::atomic<quint64> notFound { 0 };
};

#endif // HTTPFRONT_H
