#ifndef CONNECTION_H
#define CONNECTION_H

#include <QMetaType>
#include <QString>

// A saved device address with the operator's label for it.
struct Connection {
    QString name;
    QString host;
    quint16 port = 0;

    // One compact JSON object text with "name", "host" and "port".
    QString toJson() const;
    // Fills the record from such a text; false (record untouched) when the text
    // is not an object holding all three members.
    bool fromJson(const QString &text);

    bool operator==(const Connection &other) const
    {
        return name == other.name && host == other.host && port == other.port;
    }
};

Q_DECLARE_METATYPE(Connection)

#endif // CONNECTION_H
