#ifndef JSONMEMBERS_H
#define JSONMEMBERS_H

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <QVector>

#include <optional>

// The members of a JSON object kept as they were written, each name and
// value as its own text, in their order. Qt reads every number as a double,
// so a serial of twenty digits would come back changed; kept as text it
// goes back to the device byte for byte, and so does every member this
// program does not know.
class JsonMembers {
public:
    // Nothing for text that is not one JSON object.
    static std::optional<JsonMembers> read(const QByteArray &json);

    int size() const { return members.size(); }
    bool isEmpty() const { return members.isEmpty(); }
    QStringList keys() const;
    bool contains(const QString &key) const { return find(key) >= 0; }
    // The value as Qt reads it: for showing and checking, not for writing back.
    QJsonValue value(const QString &key) const;
    // The value's text as written; empty for a member that is not there.
    QByteArray text(const QString &key) const;
    // Replaces the member's value (or adds it last) with `value` as JSON.
    void insert(const QString &key, const QJsonValue &value);

    // One compact line: the members as written, between braces.
    QByteArray toJson() const;
    // One member a line, `depth` levels of four spaces in, for a file a
    // person reads; the values as written.
    QByteArray toIndentedJson(int depth) const;
    QJsonObject toObject() const;
    // `json` without the white space between its tokens: one line.
    static QByteArray minified(const QByteArray &json);

private:
    struct Member {
        QString key;
        QByteArray name; // the name's text, quotes and escapes as written
        QByteArray value;
    };
    int find(const QString &key) const;

    QVector<Member> members;
    QHash<QString, int> index;
};

#endif // JSONMEMBERS_H
