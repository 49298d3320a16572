#include "models/devicetext.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Whether `c` does something to a display or terminal rather than stand
// for itself.
bool acts(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) // C0, DEL, C1
        || c == 0x061c // Arabic letter mark
        || c == 0x200e || c == 0x200f // left-to-right, right-to-left marks
        || (c >= 0x2028 && c <= 0x202e) // separators, embeddings, overrides
        || (c >= 0x2066 && c <= 0x2069); // isolates
}

QString escape(char16_t c)
{
    switch (c) {
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c <= 0xff)
        return QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

} // namespace

QString DeviceText::escaped(const QString &text)
{
    int first = 0;
    while (first < text.size() && !acts(text.at(first).unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString out = text.left(first);
    for (int i = first; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (acts(c))
            out += escape(c);
        else
            out += text.at(i);
    }
    return out;
}

QString DeviceText::shown(const QString &text, int limit)
{
    // Only what can be shown is escaped: whatever is longer than the limit
    // stays longer once escaped, and is cut.
    const QString safe = escaped(text.left(limit + 1));
    if (safe.size() <= limit)
        return safe;
    int keep = qMax(0, limit - 1);
    // Never leave half of a character that takes two code units.
    if (keep > 0 && safe.at(keep - 1).isHighSurrogate())
        --keep;
    return safe.left(keep) + QChar(0x2026);
}

QString DeviceText::shown(const QJsonValue &value, int limit)
{
    if (value.isUndefined())
        return {};
    return shown(value.isString()
            ? value.toString()
            : QString::fromUtf8(QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact))
                  .mid(1)
                  .chopped(1),
        limit);
}

QString DeviceText::rich(const QString &text, int limit)
{
    return shown(text, limit).toHtmlEscaped();
}

QByteArray DeviceText::safeJson(const QByteArray &json)
{
    // The JSON writer escapes C0 itself; what is left can only stand inside
    // strings, where a \u escape means the same character.
    const QString text = QString::fromUtf8(json);
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (acts(c))
            out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    return out.toUtf8();
}
