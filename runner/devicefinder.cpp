#include "devicefinder.h"

#include "link/protocol.h"
#include "link/scanrange.h"

DeviceFinder::DeviceFinder(OpenDevice openDevice, QObject *parent)
    : QObject(parent)
    , openDevice(std::move(openDevice))
{
    connect(&scanner, &DeviceScanner::found, this, [this](const FoundDevice &device) {
        devices_.add(device);
        emit progressChanged();
    });
    connect(&scanner, &DeviceScanner::progress, this, &DeviceFinder::progressChanged);
    connect(&scanner, &DeviceScanner::finished, this, &DeviceFinder::runningChanged);
}

bool DeviceFinder::start(const QString &range)
{
    scanner.cancel();
    ScanRange scan;
    QString refusal;
    const bool readable = scan.read(range, Protocol::DefaultPort, &refusal);
    setError(readable ? QString() : refusal);
    if (!readable)
        return false;

    devices_.clear();
    // A device may serve one client at a time: the open link is not risked.
    if (const auto open = openDevice(); open && open->port == scan.port)
        if (scan.addresses.removeOne(open->address))
            devices_.add(*open);
    scanner.start(scan.addresses, scan.port);
    emit runningChanged();
    emit progressChanged();
    return true;
}

QString DeviceFinder::ownNetworks() const
{
    return ScanRange::describeOwnNetworks();
}

void DeviceFinder::setError(const QString &text)
{
    if (text == errorText)
        return;
    errorText = text;
    emit errorChanged();
}
