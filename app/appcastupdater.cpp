#include "app/appcastupdater.h"

#include "app/versionnumber.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>

namespace {
constexpr int MaxFeedBytes = 1024 * 1024;
constexpr int FeedTimeoutMsec = 30000;
const QString SparkleNs = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

struct FeedItem {
    QString platform;
    QString version;
    QString displayVersion;
    QString notes;
    QUrl notesLink;
    QUrl download;
};

// The items of an appcast; false when the text is not one.
bool parseFeed(const QByteArray &xml, QList<FeedItem> *items)
{
    QXmlStreamReader reader(xml);
    bool channel = false;
    FeedItem item;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringRef name = reader.name();
            if (name == QLatin1String("channel")) {
                channel = true;
            } else if (name == QLatin1String("item")) {
                inItem = true;
                item = FeedItem();
            } else if (!inItem) {
                continue;
            } else if (name == QLatin1String("enclosure")) {
                const QXmlStreamAttributes a = reader.attributes();
                item.download = QUrl(a.value(QLatin1String("url")).toString());
                item.platform = a.value(SparkleNs, QLatin1String("os")).toString();
                if (item.version.isEmpty())
                    item.version = a.value(SparkleNs, QLatin1String("version")).toString();
                if (item.displayVersion.isEmpty())
                    item.displayVersion
                        = a.value(SparkleNs, QLatin1String("shortVersionString")).toString();
            } else if (name == QLatin1String("version") && reader.namespaceUri() == SparkleNs) {
                item.version = reader.readElementText().trimmed();
            } else if (name == QLatin1String("shortVersionString")
                && reader.namespaceUri() == SparkleNs) {
                item.displayVersion = reader.readElementText().trimmed();
            } else if (name == QLatin1String("releaseNotesLink")) {
                item.notesLink = QUrl(reader.readElementText().trimmed());
            } else if (name == QLatin1String("description")) {
                item.notes = reader.readElementText().trimmed();
            }
        } else if (reader.isEndElement() && reader.name() == QLatin1String("item")) {
            inItem = false;
            if (!item.version.isEmpty())
                items->append(item);
        }
    }
    return !reader.hasError() && channel;
}
} // namespace

AppcastUpdater::AppcastUpdater(const QUrl &feed, const QString &runningVersion,
    const QString &platform, UpdateTiming timing, QObject *parent)
    : QObject(parent)
    , feed(feed)
    , runningVersion(runningVersion)
    , platform(platform)
    , network(new QNetworkAccessManager(this))
{
    connect(network, &QNetworkAccessManager::finished, this, &AppcastUpdater::finished);
    firstCheck.setSingleShot(true);
    firstCheck.setInterval(timing.firstCheckMsec);
    connect(&firstCheck, &QTimer::timeout, this, &AppcastUpdater::checkUpdate);
    firstCheck.start();
    daily.setInterval(timing.intervalMsec);
    connect(&daily, &QTimer::timeout, this, &AppcastUpdater::checkUpdate);
    daily.start();
}

AppcastUpdater::~AppcastUpdater()
{
    if (pending) {
        pending->disconnect(this);
        pending->abort();
    }
}

void AppcastUpdater::checkUpdate()
{
    // One check at a time: a slow feed must not pile up requests; its answer
    // serves the later asker too.
    if (pending)
        return;
    if (!feed.isValid()) {
        emit checkFailed();
        return;
    }
    QNetworkRequest request(feed);
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    request.setTransferTimeout(FeedTimeoutMsec);
#endif
    pending = network->get(request);
    connect(pending, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (pending && received > MaxFeedBytes)
            pending->abort();
    });
}

void AppcastUpdater::doUpdate()
{
    if (download.isValid())
        QDesktopServices::openUrl(download);
}

void AppcastUpdater::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != pending)
        return;
    pending = nullptr;
    QList<FeedItem> items;
    if (reply->error() != QNetworkReply::NoError || !parseFeed(reply->readAll(), &items)) {
        emit checkFailed();
        return;
    }
    const FeedItem *newest = nullptr;
    for (const FeedItem &item : items) {
        if (!item.platform.isEmpty() && item.platform != platform)
            continue;
        if (!newest || VersionNumber::compare(item.version, newest->version) > 0)
            newest = &item;
    }
    if (!newest || VersionNumber::compare(newest->version, runningVersion) <= 0) {
        emit upToDate();
        return;
    }
    // The link goes to the desktop's opener: a file or another program's
    // scheme from the feed would run whatever it names. Plain http only
    // where the feed itself came that way (a test setup).
    const QString scheme = newest->download.scheme();
    if (newest->download.isRelative() || newest->download.host().isEmpty()
        || (scheme != QLatin1String("https")
            && (scheme != QLatin1String("http") || feed.scheme() != QLatin1String("http")))) {
        emit checkFailed();
        return;
    }
    download = newest->download;
    QString changelog = newest->notes;
    if (changelog.isEmpty() && newest->notesLink.isValid())
        changelog = QStringLiteral("<a href=\"%1\">%2</a>")
                        .arg(newest->notesLink.toString().toHtmlEscaped(),
                            newest->notesLink.toString().toHtmlEscaped());
    emit newVersion(
        newest->displayVersion.isEmpty() ? newest->version : newest->displayVersion, changelog);
}
