#ifndef OPERATORFILE_H
#define OPERATORFILE_H

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a file the operator named: a backup, a certificate, a list of
// hosts. At most the limit and one byte more is read, whatever the file
// claims to hold: a device or a pipe tells no size, and /dev/zero never ends.
class OperatorFile {
public:
    enum class Failure { None, Unreadable, TooLarge };

    // The whole file, or nothing with why in `failure` and the system's own
    // words (or the limit) in `error`.
    static std::optional<QByteArray> read(
        const QString &path, qint64 limit, Failure *failure, QString *error);
    // "1 MiB", "64 KiB": a limit as people read it.
    static QString size(qint64 bytes);
    // The local path a file dialog's URL names; anything else is taken as a
    // path already.
    static QString localPath(const QString &urlOrPath);
    // Whether `url` names a local file or folder this user can read.
    static bool isReadable(const QString &url);
};

#endif // OPERATORFILE_H
