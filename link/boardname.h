#ifndef BOARDNAME_H
#define BOARDNAME_H

#include <QJsonValue>
#include <QString>

// What a device calls itself in its information ("board"), read as a model.
class BoardName {
public:
    // "veltra-2u" or "veltra-2w" for a board naming either in any case;
    // empty for anything else.
    static QString model(const QJsonValue &board);
};

#endif // BOARDNAME_H
