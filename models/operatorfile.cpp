#include "models/operatorfile.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

std::optional<QByteArray> OperatorFile::read(
    const QString &path, qint64 limit, Failure *failure, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *failure = Failure::Unreadable;
        *error = file.errorString();
        return std::nullopt;
    }
    QByteArray data;
    constexpr qint64 Chunk = 64 * 1024;
    while (data.size() <= limit) {
        const QByteArray part = file.read(qMin(Chunk, limit + 1 - data.size()));
        if (part.isEmpty()) {
            const auto *device = qobject_cast<QFileDevice *>(&file);
            if (device && device->error() != QFileDevice::NoError) {
                *failure = Failure::Unreadable;
                *error = file.errorString();
                return std::nullopt;
            }
            break;
        }
        data += part;
    }
    if (data.size() > limit) {
        *failure = Failure::TooLarge;
        *error = size(limit);
        return std::nullopt;
    }
    *failure = Failure::None;
    return data;
}

QString OperatorFile::size(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QStringLiteral("%1 KiB").arg(bytes / 1024);
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString OperatorFile::localPath(const QString &urlOrPath)
{
    const QUrl url(urlOrPath.trimmed(), QUrl::TolerantMode);
    return url.isLocalFile() ? url.toLocalFile() : urlOrPath;
}

bool OperatorFile::isReadable(const QString &url)
{
    const QString path = QUrl(url.trimmed(), QUrl::TolerantMode).toLocalFile();
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isReadable();
}
