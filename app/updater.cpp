#include "app/updater.h"

#include <QCoreApplication>
#include <QSettings>

#ifdef Q_OS_WIN
#include "app/sparkleupdater.h"
#else
#include "app/appcastupdater.h"
#endif

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
    backend = new SparkleUpdater(feed);
#else
    auto *appcast = new AppcastUpdater(QUrl(feed), QCoreApplication::applicationVersion(),
        QStringLiteral("linux"), UpdateTiming(), this);
    connect(appcast, &AppcastUpdater::newVersion, this, &Updater::newVersion);
    connect(appcast, &AppcastUpdater::upToDate, this, &Updater::upToDate);
    connect(appcast, &AppcastUpdater::checkFailed, this, &Updater::checkFailed);
    backend = appcast;
#endif
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
