#ifndef DEVICECOMMAND_H
#define DEVICECOMMAND_H

#include "runner/iotrunner.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <optional>

// One command of the command-line companion on one device, done through the
// window's own runner: it connects, waits until the device has said what it
// is and sent its configuration, does what was asked and tells the outcome
// once, as a line of text and as JSON. Its own words stay English whatever
// the desktop's language: scripts read them.
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
    // False, with what is wrong in `error`, for words that are no command.
    static std::optional<Request> parse(const QStringList &words, QString *error);

    DeviceCommand(const Request &request, const QString &host, quint16 port, int timeoutMsec,
        bool manyDevices, QObject *parent = nullptr);

    void start();
    // Ends at once, connection closed; the outcome says so.
    void cancel();

signals:
    void finished(bool ok, const QString &text, const QJsonObject &result);

private:
    void replied(const QJsonObject &request, const QJsonObject &reply, const QString &error);
    void connectionChanged();
    void act();
    void saveConfiguration();
    void historyArrived();
    // By value: the text may be a member that closing the link rewrites.
    void finish(bool ok, QString text, QJsonObject result = {});

    Request request;
    QString host;
    quint16 port;
    bool manyDevices;
    IOTRunner runner;
    QTimer deadline;
    QJsonObject info;
    QString lastAlert;
    // The request whose reply ends the command, once sent.
    QString awaited;
    int awaitedCount = 0;
    int historyInterval = 0;
    bool done = false;
};

#endif // DEVICECOMMAND_H
