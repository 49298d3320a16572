#ifndef CONNECTION_H
#define CONNECTION_H

#include "models/alarmlimits.h"

#include <QMetaType>
#include <QString>

// A saved device address with the operator's label for it.
struct Connection {
    QString name;
    QString host;
    quint16 port = 0;
    // What the site watch raises alarms at, for this device.
    AlarmLimits limits;

    // One compact JSON object text with "name", "host" and "port".
    QString toJson() const;
    // Fills the record from such a text; false (record untouched) when the text
    // is not an object holding all three members.
    bool fromJson(const QString &text);

    // `text`, a stored entry, with these limits, its other members as they were.
    static QString withLimits(const QString &text, const AlarmLimits &limits);
    // The name offered for a device at `host`: its model and address.
    static QString suggestedName(const QString &model, const QString &host);

    bool operator==(const Connection &other) const
    {
        return name == other.name && host == other.host && port == other.port
            && limits == other.limits;
    }
};

Q_DECLARE_METATYPE(Connection)

#endif // CONNECTION_H
