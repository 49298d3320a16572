#ifndef DEVICETEXT_H
#define DEVICETEXT_H

#include <QByteArray>
#include <QJsonValue>
#include <QString>

// The one place where text that came from a device becomes safe to show. A
// device may send a megabyte where a word was expected, line breaks that
// would forge a line of our own output, escape sequences that drive the
// operator's terminal, or direction overrides that make text read other
// than it is: control characters (C0, DEL, C1), line and paragraph
// separators and bidirectional controls are shown visibly escaped ("\n",
// "\x1b", "\u202e"), then the text is cut; where it is drawn as rich text it
// is HTML-escaped last.
class DeviceText {
public:
    // A name inside a sentence (a board, a file).
    static constexpr int NameLimit = 64;
    // A value in a table or a device's own message.
    static constexpr int ValueLimit = 200;

    // `text` with every character that could act rather than read shown
    // escaped, whatever its length.
    static QString escaped(const QString &text);
    // Escaped, then cut to `limit` characters: its start followed by an
    // ellipsis when longer.
    static QString shown(const QString &text, int limit);
    // A value a device sent, as a short line of plain text: a text as it
    // stands, anything else as JSON; nothing for no value.
    static QString shown(const QJsonValue &value, int limit);
    // Shown, then escaped for a rich-text view.
    static QString rich(const QString &text, int limit);
    // A compact JSON text that a terminal shows as it reads: characters that
    // could act are written as \u escapes, which leaves the value the same.
    static QByteArray safeJson(const QByteArray &json);
};

#endif // DEVICETEXT_H
