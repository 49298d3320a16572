#include "link/hostsfile.h"

#include <QRegularExpression>

std::optional<QVector<HostsFile::Entry>> HostsFile::parse(
    const QByteArray &text, const QString &source, quint16 defaultPort, QString *error)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QVector<Entry> entries;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).section('#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QString place = source + ':' + QString::number(i + 1);
        const QString first = line.section(space, 0, 0);
        QString why;
        const auto address = DeviceAddress::parse(first, defaultPort, &why);
        if (!address) {
            *error = place + QStringLiteral(": ") + why;
            return std::nullopt;
        }
        entries.append({ *address, line.section(space, 1).trimmed(), place });
    }
    return entries;
}
