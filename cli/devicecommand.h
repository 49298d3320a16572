#ifndef DEVICECOMMAND_H
#define DEVICECOMMAND_H

#include "link/deviceaddress.h"
#include "runner/deviceconfiguration.h"
#include "runner/devicefiles.h"
#include "runner/devicehistory.h"
#include "runner/devicereadings.h"
#include "runner/devicesession.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <memory>
#include <optional>

class HistoryCsvWriter;

// One command of veltra2ctl on one device: a device session and the one
// feature the command needs. It connects, waits until the device has said
// what it is, does what was asked and tells the outcome once, as a line of
// text and as JSON. Its words stay English whatever the desktop's language:
// scripts read them.
class DeviceCommand : public QObject {
    Q_OBJECT

public:
    // A command line's command and its arguments, checked before anything
    // is sent anywhere.
    struct Request {
        QString command;
        // The file a configuration is read from or written to; for several
        // devices, the folder their files are written to.
        QString file;
        QString cloudId;
        // What "config set" changes.
        QVariantMap settings;
        // The certificate and key as the device takes them (DER).
        QByteArray certificate;
        QByteArray key;
    };

    // The commands that act on devices, with their arguments, for the help.
    static QStringList synopsis();
    // Nothing, with what is wrong in `error`, for words that are no command.
    static std::optional<Request> parse(const QStringList &words, QString *error);

    DeviceCommand(const Request &request, const DeviceAddress &address, int timeoutMsec,
        bool manyDevices, QObject *parent = nullptr);
    ~DeviceCommand() override;

    void start();
    // Ends at once, connection closed; the outcome says so.
    void cancel();

signals:
    // `result` is what --json shows; `raw`, when given, is its compact JSON
    // text instead (a configuration, kept exactly as the device wrote it).
    void finished(bool ok, const QString &text, const QJsonObject &result, const QByteArray &raw);

private:
    void identified(const Outcome &outcome);
    // The command's reads, sent at once; its writes, once the device is known.
    void ask();
    void write();
    // Whether `outcome` ended well; when not, the command ends with why.
    bool succeeded(const Outcome &outcome);
    void saveConfiguration();
    void saveHistory();
    // By value: the text may be one that ending the link rewrites.
    void finish(bool ok, QString text, QJsonObject result = {}, QByteArray raw = {});

    Request request;
    DeviceAddress address;
    bool manyDevices;
    DeviceSession session;
    DeviceConfiguration configuration;
    DeviceReadings readings;
    DeviceHistory history;
    DeviceFiles files;
    QTimer deadline;
    std::unique_ptr<HistoryCsvWriter> writer;
    int uploadsLeft = 0;
    bool done = false;
};

#endif // DEVICECOMMAND_H
