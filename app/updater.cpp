#include "app/updater.h"

#include <QCoreApplication>
#include <QSettings>

#include "app/appcastupdater.h"
#include "app/sparkleupdater.h"

#ifdef Q_OS_WIN
const char Updater::DefaultFeed[]
    = "https://updates.kestrel-instruments.com/software/veltra2/updates/win/appcast.xml";
#else
const char Updater::DefaultFeed[]
    = "https://updates.kestrel-instruments.com/software/veltra2/updates/linux/appcast.xml";
#endif

Updater::Updater(QObject *parent)
    : QObject(parent)
{
    feed = QSettings()
               .value(QStringLiteral("Update/URL"), QString::fromLatin1(DefaultFeed))
               .toString();
#ifdef Q_OS_WIN
    // The update library where it was shipped; else the program reads the
    // feed itself, so updates are never silently off.
    backend = SparkleUpdater::load(
        feed, QCoreApplication::applicationDirPath() + QStringLiteral("/WinSparkle"));
    if (backend)
        return;
    const QString platform = QStringLiteral("windows");
#else
    const QString platform = QStringLiteral("linux");
#endif
    auto *appcast = new AppcastUpdater(
        QUrl(feed), QCoreApplication::applicationVersion(), platform, UpdateTiming(), this);
    connect(appcast, &AppcastUpdater::newVersion, this, &Updater::newVersion);
    connect(appcast, &AppcastUpdater::upToDate, this, &Updater::upToDate);
    connect(appcast, &AppcastUpdater::checkFailed, this, &Updater::checkFailed);
    backend = appcast;
}

Updater::~Updater()
{
    delete backend;
}

void Updater::checkUpdate()
{
    if (backend)
        backend->checkUpdate();
}

void Updater::doUpdate()
{
    if (backend)
        backend->doUpdate();
}
