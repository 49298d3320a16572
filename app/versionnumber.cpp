#include "app/versionnumber.h"

#include <QStringList>

namespace {
qulonglong partValue(const QString &part)
{
    int digits = 0;
    while (digits < part.size() && part.at(digits).isDigit())
        ++digits;
    return part.left(digits).toULongLong();
}
} // namespace

int VersionNumber::compare(const QString &a, const QString &b)
{
    const QStringList left = a.trimmed().split(QLatin1Char('.'));
    const QStringList right = b.trimmed().split(QLatin1Char('.'));
    for (int i = 0; i < qMax(left.size(), right.size()); ++i) {
        const qulonglong l = i < left.size() ? partValue(left.at(i)) : 0;
        const qulonglong r = i < right.size() ? partValue(right.at(i)) : 0;
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}
