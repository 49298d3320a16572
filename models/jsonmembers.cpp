#include "models/jsonmembers.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The scanner below only ever walks text that QJsonDocument has already
// accepted as one object, so it needs no error handling of its own.
int skipSpace(const QByteArray &s, int i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
        ++i;
    return i;
}

int stringEnd(const QByteArray &s, int i)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i + 1;
    }
    return s.size();
}

int valueEnd(const QByteArray &s, int i)
{
    if (s[i] == '"')
        return stringEnd(s, i);
    if (s[i] == '{' || s[i] == '[') {
        int depth = 0;
        while (i < s.size()) {
            const char c = s[i];
            if (c == '"') {
                i = stringEnd(s, i);
                continue;
            }
            if (c == '{' || c == '[')
                ++depth;
            else if ((c == '}' || c == ']') && --depth == 0)
                return i + 1;
            ++i;
        }
        return i;
    }
    while (i < s.size() && !QByteArray(",}] \t\r\n").contains(s[i]))
        ++i;
    return i;
}

QJsonValue parsed(const QByteArray &text)
{
    return QJsonDocument::fromJson('[' + text + ']').array().at(0);
}

QByteArray written(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

std::optional<JsonMembers> JsonMembers::read(const QByteArray &json)
{
    QJsonParseError error;
    if (!QJsonDocument::fromJson(json, &error).isObject()
        || error.error != QJsonParseError::NoError)
        return std::nullopt;
    JsonMembers out;
    int i = skipSpace(json, 0) + 1; // past '{'
    while (true) {
        i = skipSpace(json, i);
        if (i >= json.size() || json[i] == '}')
            break;
        const int nameEnd = stringEnd(json, i);
        Member member;
        member.name = json.mid(i, nameEnd - i);
        // Most names hold no escape: read as they stand, without a parse each.
        member.key = member.name.contains('\\')
            ? parsed(member.name).toString()
            : QString::fromUtf8(member.name.mid(1, member.name.size() - 2));
        i = skipSpace(json, nameEnd) + 1; // past ':'
        i = skipSpace(json, i);
        const int end = valueEnd(json, i);
        member.value = json.mid(i, end - i);
        i = skipSpace(json, end);
        if (i < json.size() && json[i] == ',')
            ++i;
        // A name given twice counts once, with its last value, as Qt reads it.
        const int at = out.find(member.key);
        if (at >= 0) {
            out.members[at].value = member.value;
        } else {
            out.index.insert(member.key, out.members.size());
            out.members.append(member);
        }
    }
    return out;
}

int JsonMembers::find(const QString &key) const
{
    return index.value(key, -1);
}

QStringList JsonMembers::keys() const
{
    QStringList out;
    out.reserve(members.size());
    for (const Member &member : members)
        out << member.key;
    return out;
}

QJsonValue JsonMembers::value(const QString &key) const
{
    const int at = find(key);
    return at < 0 ? QJsonValue(QJsonValue::Undefined) : parsed(members.at(at).value);
}

QByteArray JsonMembers::text(const QString &key) const
{
    const int at = find(key);
    return at < 0 ? QByteArray() : members.at(at).value;
}

void JsonMembers::insert(const QString &key, const QJsonValue &value)
{
    const int at = find(key);
    if (at >= 0) {
        members[at].value = written(value);
        return;
    }
    index.insert(key, members.size());
    members.append({ key, written(QJsonValue(key)), written(value) });
}

QByteArray JsonMembers::toJson() const
{
    QByteArray out = "{";
    for (const Member &member : members)
        out += member.name + ':' + member.value + ',';
    if (out.size() > 1)
        out.chop(1);
    return out + '}';
}

QByteArray JsonMembers::toIndentedJson(int depth) const
{
    if (members.isEmpty())
        return "{}";
    const QByteArray outer(4 * depth, ' ');
    const QByteArray inner = outer + "    ";
    QByteArray out = "{\n";
    for (int i = 0; i < members.size(); ++i)
        out += inner + members.at(i).name + ": " + members.at(i).value
            + (i + 1 < members.size() ? ",\n" : "\n");
    return out + outer + '}';
}

QJsonObject JsonMembers::toObject() const
{
    // One read of the whole: a file may hold tens of thousands of members.
    return QJsonDocument::fromJson(toJson()).object();
}

QByteArray JsonMembers::minified(const QByteArray &json)
{
    QByteArray out;
    out.reserve(json.size());
    for (int i = 0; i < json.size();) {
        if (json[i] == '"') {
            const int end = stringEnd(json, i);
            out += json.mid(i, end - i);
            i = end;
        } else {
            if (!QByteArray(" \t\r\n").contains(json[i]))
                out += json[i];
            ++i;
        }
    }
    return out;
}
