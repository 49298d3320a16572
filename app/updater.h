#ifndef UPDATER_H
#define UPDATER_H

#include <QObject>
#include <QString>

class KestrelUpdater;

// The update check as the main window sees it; the work is done by the
// platform's backend.
class Updater : public QObject {
    Q_OBJECT

public:
    // This platform's own feed: an update offer must be one that installs here.
    static const char DefaultFeed[];

    explicit Updater(QObject *parent = nullptr);
    ~Updater() override;

    // The feed the backend was given.
    QString feedUrl() const { return feed; }

signals:
    void newVersion(QString version, QString changelog);
    // How a check that found nothing to offer ended, where the backend tells
    // (the Windows update library shows its own answers instead).
    void upToDate();
    void checkFailed();

public slots:
    void checkUpdate();

public:
    Q_INVOKABLE void doUpdate();

private:
    QString feed;
    KestrelUpdater *backend = nullptr;
};

#endif // UPDATER_H
