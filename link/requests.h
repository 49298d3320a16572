#ifndef REQUESTS_H
#define REQUESTS_H

#include <QJsonObject>
#include <QString>

// Every request the program sends to the device, built in one place. Members are
// serialised in ascending name order by the JSON writer.
class Requests {
public:
    static QJsonObject info();
    static QJsonObject dev();
    static QJsonObject state();
    static QJsonObject reset();
    static QJsonObject history();
    static QJsonObject get(const QString &name);
    static QJsonObject scloud(const QString &id);
    // The header line of an upload; `size` raw payload bytes follow it.
    static QJsonObject put(const QString &name, qint64 size);
};

#endif // REQUESTS_H
