#include "models/devicetext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

QString DeviceText::shown(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    int keep = qMax(0, limit - 1);
    // Never leave half of a character that takes two code units.
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
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

QString DeviceText::plain(const QString &richText)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = richText;
    text.remove(tag);
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&#39;"), QLatin1String("'"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}
