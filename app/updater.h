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
    static const char DefaultFeed[];

    explicit Updater(QObject *parent = nullptr);
    ~Updater() override;

    // The feed the backend was given.
    QString feedUrl() const { return feed; }

signals:
    void newVersion(QString version, QString changelog);

public slots:
    void checkUpdate();

public:
    Q_INVOKABLE void doUpdate();

private:
    QString feed;
    KestrelUpdater *backend = nullptr;
};

#endif // UPDATER_H
