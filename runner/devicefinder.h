#ifndef DEVICEFINDER_H
#define DEVICEFINDER_H

#include "link/devicescanner.h"
#include "models/founddevicesmodel.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// The device search as the window shows it: what to search, how far it has
// got, and what it found. The device the program is connected to is listed
// from what it already told, not asked again on a second connection.
class DeviceFinder : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(int tried READ tried NOTIFY progressChanged)
    Q_PROPERTY(int total READ total NOTIFY progressChanged)
    Q_PROPERTY(int found READ found NOTIFY progressChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(FoundDevicesModel *devices READ devices CONSTANT)

public:
    using OpenDevice = std::function<std::optional<FoundDevice>()>;

    explicit DeviceFinder(OpenDevice openDevice, QObject *parent = nullptr);

    bool isRunning() const { return scanner.isRunning(); }
    int tried() const { return scanner.tried(); }
    int total() const { return scanner.total(); }
    int found() const { return devices_.rowCount(); }
    QString error() const { return errorText; }
    FoundDevicesModel *devices() { return &devices_; }

    // Searches what `range` names, or this computer's own networks when it
    // is empty; false, with the reason in `error`, when there is nothing to
    // search.
    Q_INVOKABLE bool start(const QString &range);
    Q_INVOKABLE void cancel() { scanner.cancel(); }
    // This computer's own networks as a search would cover them.
    Q_INVOKABLE QString ownNetworks() const;

signals:
    void runningChanged();
    void progressChanged();
    void errorChanged();

private:
    void setError(const QString &text);

    OpenDevice openDevice;
    DeviceScanner scanner;
    FoundDevicesModel devices_;
    QString errorText;
};

#endif // DEVICEFINDER_H
