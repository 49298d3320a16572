#ifndef DEVICECOMMAND_H
#define DEVICECOMMAND_H

#include "cli/commandrequest.h"
#include "link/deviceaddress.h"
#include "runner/deviceconfiguration.h"
#include "runner/devicefiles.h"
#include "runner/devicehistory.h"
#include "runner/devicereadings.h"
#include "runner/devicesession.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class HistoryCsvWriter;

// One command of veltra2ctl on one device: a device session and the one
// feature the command needs. It connects, asks what the device is (and, at
// once, whatever the command only reads), writes once the device is known
// and tells the outcome once, as a line of text and as JSON. Its words stay
// English whatever the desktop's language: scripts read them.
class DeviceCommand : public QObject {
    Q_OBJECT

public:
    enum class Status { Ok, Failed, Unconfirmed, Interrupted, NotStarted };
    struct Limits {
        // For each reply; for the connection to be taken.
        int replyMsec = 10000;
        int connectMsec = 3000;
    };

    DeviceCommand(const CommandRequest &request, const DeviceAddress &address, const Limits &limits,
        QObject *parent = nullptr);
    ~DeviceCommand() override;

    void start();
    // Ends at once, connection closed; the outcome says so.
    void cancel();

signals:
    // `result` is what --json shows; `raw`, when given, is its compact JSON
    // text instead (a configuration, kept exactly as the device wrote it).
    void finished(DeviceCommand::Status status, const QString &text, const QJsonObject &result,
        const QByteArray &raw);

private:
    void identified(const Outcome &outcome);
    // The command's reads, sent at once; its writes, once the device is known.
    void ask();
    void write();
    // Whether `outcome` ended well; when not, the command ends with why.
    bool succeeded(const Outcome &outcome);
    // Sent through the session, remembered as sent: a write not confirmed
    // is told as such.
    DeviceSession::Handler written(std::function<void(const Outcome &)> then);
    void restore();
    void compare(const JsonMembers &wanted);
    void saveConfiguration();
    void saveHistory();
    QString failure(const Outcome &outcome) const;
    // By value: the text may be one that ending the link rewrites.
    void finish(Status status, QString text, QJsonObject result = {}, QByteArray raw = {});

    CommandRequest request;
    DeviceAddress address;
    Limits limits;
    DeviceSession session;
    DeviceConfiguration configuration;
    DeviceReadings readings;
    DeviceHistory history;
    DeviceFiles files;
    QTimer connecting;
    std::unique_ptr<HistoryCsvWriter> writer;
    // Writes sent, and those the device confirmed.
    QStringList sent;
    QStringList confirmed;
    bool done = false;
};

#endif // DEVICECOMMAND_H
