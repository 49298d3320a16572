#include "exporter/httpfront.h"

#include "app/identity.h"
#include "exporter/deviceprobe.h"
#include "exporter/metricstext.h"
#include "exporter/samplestore.h"
#include "link/protocol.h"
#include "models/devicetext.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QMetaObject>

#include <httplib.h>

#include <chrono>
#include <future>

namespace {

constexpr char MetricsType[] = "text/plain; version=0.0.4; charset=utf-8";

// Every series of one probed device, and how the probe went.
struct ProbeResult {
    DeviceSample sample;
    bool answered = false;
    double seconds = 0;
};

// The scrape's own timeout, less a margin for the answer to travel; the
// default where Prometheus does not say.
int probeMsec(const httplib::Request &request)
{
    bool ok = false;
    const double told
        = QString::fromStdString(request.get_header_value("X-Prometheus-Scrape-Timeout-Seconds"))
              .toDouble(&ok);
    double seconds = ok && told > 0 && told <= 3600 ? told : HttpFront::DefaultProbeSeconds;
    seconds = seconds > 1 ? seconds - 0.5 : seconds * 0.5;
    return qMax(1, int(seconds * 1000));
}

} // namespace

HttpFront::HttpFront(const SampleStore *store, int periodMsec, QObject *parent)
    : QObject(parent)
    , store(store)
    , periodMsec(periodMsec)
    , server(std::make_unique<httplib::Server>())
{
    // Room for every probe allowed to wait on its device and a few scrapes
    // besides, so that slow probes do not hold up /metrics.
    server->new_task_queue = [] { return new httplib::ThreadPool(MaxProbes + 8); };
    // A client that sends slowly, or never reads, is let go after seconds.
    server->set_read_timeout(5, 0);
    server->set_write_timeout(5, 0);
    server->set_keep_alive_timeout(5);
    server->set_payload_max_length(64 * 1024);
    server->Get("/metrics",
        [this](const httplib::Request &, httplib::Response &response) { serveMetrics(response); });
    server->Get("/probe", [this](const httplib::Request &request, httplib::Response &response) {
        serveProbe(request, response);
    });
    server->Get("/",
        [this](const httplib::Request &, httplib::Response &response) { serveIndex(response); });
    server->set_error_handler([this](const httplib::Request &, httplib::Response &response) {
        if (response.status == 404) {
            ++notFound;
            response.set_content("Not found: this exporter serves /metrics and /probe.\n",
                "text/plain; charset=utf-8");
        }
    });
}

HttpFront::~HttpFront()
{
    if (serving.joinable()) {
        server->stop();
        serving.join();
    }
}

bool HttpFront::listen(const DeviceAddress &address, QString *error)
{
    if (!server->bind_to_port(address.host.toStdString(), address.port)) {
        *error = QStringLiteral("cannot listen on %1: the port is taken, or the address is not "
                                "one of this computer's")
                     .arg(address.toString());
        return false;
    }
    serving = std::thread([this] { server->listen_after_bind(); });
    return true;
}

void HttpFront::serveMetrics(httplib::Response &response)
{
    QElapsedTimer clock;
    clock.start();
    ++scrapes;
    const QVector<DeviceSample> samples = store->all();
    QByteArray text = MetricsText::devices(samples, QDateTime::currentMSecsSinceEpoch());
    text += MetricsText::family(
        "veltra2_exporter_devices", "gauge", "The devices the exporter watches.", samples.size());
    text += counters();
    text += MetricsText::family("veltra2_exporter_scrape_duration_seconds", "gauge",
        "How long this scrape took to answer.", clock.nsecsElapsed() / 1e9);
    response.set_content(text.constData(), size_t(text.size()), MetricsType);
}

QByteArray HttpFront::counters() const
{
    return MetricsText::family("veltra2_exporter_scrapes_total", "counter",
               "Scrapes of /metrics answered.", double(scrapes.load()))
        + MetricsText::family("veltra2_exporter_probes_total", "counter",
            "Probes of single devices asked.", double(probes.load()))
        + MetricsText::family("veltra2_exporter_probe_failures_total", "counter",
            "Probes that found no answering device.", double(probeFailures.load()))
        + MetricsText::family("veltra2_exporter_probes_refused_total", "counter",
            "Probes refused for too many under way at once.", double(probesRefused.load()))
        + MetricsText::family("veltra2_exporter_not_found_total", "counter",
            "Requests for anything the exporter does not serve.", double(notFound.load()));
}

void HttpFront::serveProbe(const httplib::Request &request, httplib::Response &response)
{
    QString error;
    const auto target = DeviceAddress::parse(
        QString::fromStdString(request.get_param_value("target")), Protocol::DefaultPort, &error);
    if (!target) {
        response.status = 400;
        response.set_content(QStringLiteral("target: %1\n")
                                 .arg(DeviceText::shown(error, DeviceText::ValueLimit))
                                 .toStdString(),
            "text/plain; charset=utf-8");
        return;
    }
    ++probes;
    ProbeResult result;
    // A device the exporter already watches is not given a second
    // connection (it may serve one client at a time): what it last told
    // stands for it.
    if (const auto watched = store->find(target->toString())) {
        result.sample = *watched;
        result.answered = watched->up && watched->readAt > 0;
    } else {
        if (++probesUnderWay > MaxProbes) {
            --probesUnderWay;
            ++probesRefused;
            response.status = 503;
            response.set_content(
                "Too many probes under way at once.\n", "text/plain; charset=utf-8");
            return;
        }
        const int msec = probeMsec(request);
        auto promise = std::make_shared<std::promise<ProbeResult>>();
        std::future<ProbeResult> future = promise->get_future();
        const DeviceAddress address = *target;
        QMetaObject::invokeMethod(
            this,
            [this, address, msec, promise] {
                auto *probe = new DeviceProbe(
                    address, msec,
                    [promise](const DeviceSample &sample, bool answered, double seconds) {
                        promise->set_value({ sample, answered, seconds });
                    },
                    this);
                probe->start();
            },
            Qt::QueuedConnection);
        // The probe ends itself at its deadline; the margin covers an event
        // loop that is late to run it.
        if (future.wait_for(std::chrono::milliseconds(msec + 2000)) == std::future_status::ready)
            result = future.get();
        else
            result.sample.address = address.toString();
        --probesUnderWay;
    }
    if (!result.answered)
        ++probeFailures;
    QByteArray text = MetricsText::devices({ result.sample }, QDateTime::currentMSecsSinceEpoch());
    text += MetricsText::family("veltra2_probe_success", "gauge",
        "Whether the device answered with a reading (1) or not (0).", result.answered ? 1 : 0);
    text += MetricsText::family(
        "veltra2_probe_duration_seconds", "gauge", "How long the probe took.", result.seconds);
    response.set_content(text.constData(), size_t(text.size()), MetricsType);
}

void HttpFront::serveIndex(httplib::Response &response)
{
    const QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<title>VELTRA2 exporter</title></head><body>\n"
        "<h1>VELTRA2 exporter</h1>\n"
        "<p>Readings and health of VELTRA2 temperature and humidity devices for "
        "Prometheus.</p>\n<ul>\n"
        "<li><a href=\"/metrics\">/metrics</a>: the %1 devices of the hosts files, watched "
        "every %2 s, answered from what they last told.</li>\n"
        "<li>/probe?target=ADDRESS[:PORT]: one device asked now, within the scrape's "
        "timeout (Prometheus's multi-target pattern).</li>\n"
        "</ul>\n<p>veltra2-exporter %3</p>\n</body></html>\n")
                             .arg(store->all().size())
                             .arg(periodMsec / 1000.0)
                             .arg(QStringLiteral(VELTRA2_VERSION));
    response.set_content(page.toStdString(), "text/html; charset=utf-8");
}
