#ifndef APPCASTUPDATER_H
#define APPCASTUPDATER_H

#include "app/kestrelupdater.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// When the feed is read: shortly after start, then once a day.
struct UpdateTiming {
    int firstCheckMsec = 3000;
    int intervalMsec = 24 * 60 * 60 * 1000;
};

// Reads the update feed (an RSS "appcast") itself: shortly after start, once a
// day, and on demand, and tells how each check ended. Only items meant for
// this platform count (an item's "sparkle:os"; items without one are for all).
class AppcastUpdater : public QObject, public KestrelUpdater {
    Q_OBJECT

public:
    // `platform` as the feed names it: "linux", "windows".
    AppcastUpdater(const QUrl &feed, const QString &runningVersion, const QString &platform,
        UpdateTiming timing = UpdateTiming(), QObject *parent = nullptr);
    ~AppcastUpdater() override;

    void checkUpdate() override;
    void doUpdate() override;

    QUrl downloadUrl() const { return download; }

signals:
    void newVersion(QString version, QString changelog);
    // The feed was read and offers nothing newer for this platform.
    void upToDate();
    // The feed could not be read, or is not an appcast.
    void checkFailed();

private:
    void finished(QNetworkReply *reply);

    QUrl feed;
    QString runningVersion;
    QString platform;
    QNetworkAccessManager *network;
    QTimer firstCheck;
    QTimer daily;
    QNetworkReply *pending = nullptr;
    QUrl download;
};

#endif // APPCASTUPDATER_H
