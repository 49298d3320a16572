#include "models/outputfile.h"

#include <QDir>

#include <QFileInfo>
#include <cstdio>

OutputFile::OutputFile(const QString &path, Access access)
    : path(path)
    , access(access)
{
}

OutputFile::~OutputFile()
{
    cancel();
}

bool OutputFile::fail(const QFileDevice &device)
{
    error = device.errorString();
    cancel();
    return false;
}

bool OutputFile::open()
{
    if (path == QLatin1String(StandardOutput)) {
        through = std::make_unique<QFile>();
        if (!through->open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered))
            return fail(*through);
        return true;
    }
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        through = std::make_unique<QFile>(path);
        if (!through->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return fail(*through);
        return true;
    }
    whole = std::make_unique<QSaveFile>(path);
    // A folder that takes no new file may still let the file itself be
    // rewritten in place.
    whole->setDirectWriteFallback(true);
    if (!whole->open(QIODevice::WriteOnly))
        return fail(*whole);
    if (access == Access::OwnerOnly
        && !whole->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail(*whole);
    return true;
}

bool OutputFile::write(const QByteArray &data)
{
    QFileDevice *device = whole ? static_cast<QFileDevice *>(whole.get()) : through.get();
    if (!device)
        return false;
    if (device->write(data) != data.size())
        return fail(*device);
    return true;
}

bool OutputFile::commit()
{
    if (whole) {
        const bool done = whole->commit();
        if (!done)
            error = whole->errorString();
        whole.reset();
        return done;
    }
    if (!through)
        return false;
    // A full disk or a closed pipe shows only now.
    const bool done = through->flush() && through->error() == QFileDevice::NoError;
    if (!done)
        error = through->errorString();
    through->close();
    through.reset();
    return done;
}

void OutputFile::cancel()
{
    if (whole)
        whole->cancelWriting();
    whole.reset();
    through.reset();
}

bool OutputFile::save(const QString &path, const QByteArray &data, Access access, QString *error)
{
    OutputFile file(path, access);
    if (file.open() && file.write(data) && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

QString OutputFile::deviceFileName(const QString &prefix, const QString &model, const QString &host,
    quint16 port, const QDateTime &time, const QString &extension)
{
    QStringList parts;
    if (!prefix.isEmpty())
        parts << prefix;
    parts << (model.isEmpty() ? QStringLiteral("device") : model) << host << QString::number(port)
          << time.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString name = parts.join('_') + '.' + extension;
    // An IPv6 address or a host name must not make a path of the name.
    for (QChar &c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < ' ')
            c = '-';
    }
    return name;
}

QString OutputFile::unusedPath(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QFileInfo info(name);
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(
            QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
    return path;
}
