#ifndef APPCASTUPDATER_H
#define APPCASTUPDATER_H

#include "app/kestrelupdater.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// When the feed is read: shortly after start, then once a day.
struct UpdateTiming {
    int firstCheckMsec = 3000;
    int intervalMsec = 24 * 60 * 60 * 1000;
};

// Reads the update feed (an RSS "appcast") itself: shortly after start, once a
// day, and on demand. When the feed offers a version newer than the running
// one it reports it; everything else (no newer version, a failed or malformed
// feed) passes quietly until the next check.
class AppcastUpdater : public QObject, public KestrelUpdater {
    Q_OBJECT

public:
    using Announce = std::function<void(const QString &version, const QString &changelog)>;

    AppcastUpdater(const QUrl &feed, const QString &runningVersion, Announce announce,
        UpdateTiming timing = UpdateTiming(), QObject *parent = nullptr);
    ~AppcastUpdater() override;

    void checkUpdate() override;
    void doUpdate() override;

    QUrl downloadUrl() const { return download; }

private:
    void finished(QNetworkReply *reply);

    QUrl feed;
    QString runningVersion;
    Announce announce;
    QNetworkAccessManager *network;
    QTimer firstCheck;
    QTimer daily;
    QNetworkReply *pending = nullptr;
    QUrl download;
};

#endif // APPCASTUPDATER_H
