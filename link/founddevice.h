#ifndef FOUNDDEVICE_H
#define FOUNDDEVICE_H

#include <QHostAddress>
#include <QMetaType>
#include <QString>

// A device that answered a search, as its information reply described it.
struct FoundDevice {
    quint32 address = 0;
    quint16 port = 0;
    QString model;
    QString version;
    QString build;
    // From the request to the reply.
    int replyMsec = 0;

    QString host() const { return QHostAddress(address).toString(); }
};

Q_DECLARE_METATYPE(FoundDevice)

#endif // FOUNDDEVICE_H
