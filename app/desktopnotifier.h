#ifndef DESKTOPNOTIFIER_H
#define DESKTOPNOTIFIER_H

#include <QObject>
#include <QString>

class QSystemTrayIcon;

// Tells the operator of an alarm wherever the desktop tells such things:
// the freedesktop notification service over D-Bus on Linux, the system
// tray's message on Windows. Nothing else pops up.
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject *parent = nullptr);
    ~DesktopNotifier() override;

    void notify(const QString &summary, const QString &body);

private:
    QSystemTrayIcon *tray = nullptr;
};

#endif // DESKTOPNOTIFIER_H
