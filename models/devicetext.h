#ifndef DEVICETEXT_H
#define DEVICETEXT_H

#include <QJsonValue>
#include <QString>

// Texts that come from a device are shown cut to a length a window can lay out
// at once: a device may send a megabyte where a word was expected.
class DeviceText {
public:
    // A name inside a sentence (a board, a file).
    static constexpr int NameLimit = 64;
    // A value in a table or a device's own message.
    static constexpr int ValueLimit = 200;

    // `text` itself when it has at most `limit` characters, else its start
    // followed by an ellipsis, `limit` characters in all.
    static QString shown(const QString &text, int limit);
    // A value a device sent, as a short line of plain text: a text as it
    // stands, anything else as JSON; nothing for no value.
    static QString shown(const QJsonValue &value, int limit);
    // A notification's rich text as the plain words a terminal shows.
    static QString plain(const QString &richText);
};

#endif // DEVICETEXT_H
