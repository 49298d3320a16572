#include "link/hostsfile.h"

#include "models/operatorfile.h"

#include <QRegularExpression>
#include <QSet>

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

std::optional<QVector<HostsFile::Entry>> HostsFile::load(
    const QString &path, quint16 defaultPort, QString *error)
{
    OperatorFile::Failure failure;
    const std::optional<QByteArray> text = OperatorFile::read(path, MaxSize, &failure, error);
    if (!text) {
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(path,
                         failure == OperatorFile::Failure::TooLarge
                             ? QStringLiteral("larger than %1").arg(*error)
                             : *error);
        return std::nullopt;
    }
    return parse(*text, path, defaultPort, error);
}

QVector<HostsFile::Entry> HostsFile::withoutRepeats(
    const QVector<Entry> &entries, const std::function<void(const Entry &)> &repeated)
{
    QVector<Entry> once;
    QSet<QString> seen;
    for (const Entry &entry : entries) {
        const QString address = entry.address.toString();
        if (seen.contains(address)) {
            repeated(entry);
            continue;
        }
        seen.insert(address);
        once.append(entry);
    }
    return once;
}
