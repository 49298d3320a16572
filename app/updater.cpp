#include "app/updater.h"

#include <QCoreApplication>
#include <QSettings>

#ifdef Q_OS_WIN
#include "app/sparkleupdater.h"
#else
#include "app/appcastupdater.h"
#endif

const char Updater::DefaultFeed[]
    = "https://updates.kestrel-instruments.com/software/veltra2/updates/win/appcast.xml";

Updater::Updater(QObject *parent)
    : QObject(parent)
{
    feed = QSettings()
               .value(QStringLiteral("Update/URL"), QString::fromLatin1(DefaultFeed))
               .toString();
#ifdef Q_OS_WIN
    backend = new SparkleUpdater(feed);
#else
    backend = new AppcastUpdater(
        QUrl(feed), QCoreApplication::applicationVersion(),
        [this](const QString &version, const QString &changelog) {
            emit newVersion(version, changelog);
        },
        {}, this);
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
