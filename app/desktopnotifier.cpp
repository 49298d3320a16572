#include "app/desktopnotifier.h"

#include <QCoreApplication>
#include <QVariantMap>

#ifdef Q_OS_WIN
#include <QApplication>
#include <QSystemTrayIcon>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#endif

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{
}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
#ifdef Q_OS_WIN
    if (!tray) {
        tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        tray->show();
    }
    tray->showMessage(summary, body, QSystemTrayIcon::Warning);
#else
    // Sent without waiting for an answer: a desktop with no such service
    // must not hold the window up.
    QDBusMessage call
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("veltra2") << summary
         << body << QStringList()
         << QVariantMap { { QStringLiteral("urgency"), QVariant::fromValue(uchar(2)) } } << int(-1);
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
#endif
}
