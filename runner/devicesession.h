#ifndef DEVICESESSION_H
#define DEVICESESSION_H

#include "link/deviceaddress.h"
#include "link/founddevice.h"
#include "runner/deviceidentity.h"
#include "runner/outcome.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class QJsonDocument;
class QThread;
class TcpSocketClient;

// One device's link: it connects (and reconnects after a loss while
// started), asks the device what it is, pairs each reply with its request
// (the device answers in order) and tells how every request ended as an
// Outcome, never in words. Polling, when on, asks for a request whenever
// nothing is outstanding and drops a link whose replies have stalled. The
// features (configuration, readings, history, files) send through it; the
// window and veltra2ctl each hold their own sessions.
class DeviceSession : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const Outcome &)>;
    // Why a link that was up has ended.
    enum class LinkEnd { Closed, NoAnswer, NotADevice, UnknownModel, TooLong, Rebooting, Stopped };
    Q_ENUM(LinkEnd)

    static constexpr int DefaultPollInterval = 5000;
    // Ticks that may find a request unanswered before the link counts as stalled.
    static constexpr int StaleLimit = 2;
    // A reply this long is read away from the caller's thread.
    static constexpr int LargeReply = 256 * 1024;

    explicit DeviceSession(QObject *parent = nullptr);
    ~DeviceSession() override;

    // Connects to `address` and keeps the link up until stop(). The first
    // attempt comes with the retry timer's first tick, as the window's
    // connection always has, or `AtOnce`.
    enum class FirstAttempt { OnTick, AtOnce };
    void open(const DeviceAddress &address, FirstAttempt first = FirstAttempt::OnTick);
    // No more attempts; a live link is closed (its requests end Stopped).
    void stop();
    DeviceAddress address() const { return endpoint; }
    bool isConnected() const;
    bool isStarted() const;
    // What the device said it is, once it has on this connection.
    const std::optional<DeviceIdentity> &identity() const { return device; }
    // The device connected and identified, as a search would list it.
    std::optional<FoundDevice> asFound() const;

    // Sends `request`; how it ends goes to `handler` (not once `context` is
    // gone) and to ended(). The ticket that outcome carries; 0, and nothing
    // sent, while not connected.
    quint64 send(const QJsonObject &request, QObject *context = nullptr, Handler handler = {});
    // `data` as the device's file `name`: a "put" line, then the bytes.
    quint64 upload(const QString &name, const QByteArray &data, QObject *context = nullptr,
        Handler handler = {});

    // A reply not come within `msec` of its request (or of the reply before
    // it) ends the link as not answering; 0, the default, waits as long as
    // polling allows.
    void setReplyTimeout(int msec);
    void setPolling(bool on);
    void setPollInterval(int msec);
    int pollInterval() const { return pollTimer.interval(); }
    // Tests and scripts shorten the reconnection tick.
    void setRetryInterval(int msec);

public slots:
    // One poll tick now: pollDue() when nothing is outstanding, else one
    // more tick counted towards a stalled link.
    void pollTick();
    // One line from the device.
    void takeLine(const QByteArray &line);

signals:
    // The link is up and the device has been asked what it is.
    void connected();
    // The device has said what it is (identity()).
    void identified();
    // A link that was up has ended; `detail` is the device's own text where
    // it has one (what a device that is none sent, the model it named).
    void linkEnded(DeviceSession::LinkEnd why, const QString &detail, bool retrying);
    // An attempt to connect failed; `reason` is the system's own text.
    void connectFailed(const QString &reason);
    void ended(const Outcome &outcome);
    // Polling found nothing outstanding: time to ask again.
    void pollDue();
    void pollIntervalChanged();

private:
    struct Pending {
        quint64 ticket = 0;
        QJsonObject request;
        QPointer<QObject> context;
        bool bound = false;
        Handler handler;
    };

    // Waits for the reply to `request`, written on link `link`.
    quint64 queue(int link, const QJsonObject &request, QObject *context, Handler handler);
    void linkUp();
    void linkDown();
    void drop(LinkEnd why, const QString &detail = {});
    void handle(const QByteArray &line, const QJsonDocument &doc);
    void tell(Pending entry, Outcome outcome);
    void releaseHeapSoon();

    TcpSocketClient *client = nullptr;
    QTimer pollTimer;
    QTimer replyTimer;
    bool polling = false;
    int staleTicks = 0;
    DeviceAddress endpoint;
    std::optional<DeviceIdentity> device;
    QList<Pending> pending;
    quint64 lastTicket = 0;
    // Why the session itself is ending the link, for when it has ended.
    std::optional<LinkEnd> dropping;
    QString dropDetail;
    // A long reply read on a thread of its own, lines given meanwhile by
    // hand (the link stops reading), and the link they belong to.
    QThread *parser = nullptr;
    QList<QByteArray> waitingLines;
    int linkSerial = 0;
    bool largeReplyHeld = false;
    bool heapReleaseDue = false;
};

#endif // DEVICESESSION_H
