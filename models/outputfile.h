#ifndef OUTPUTFILE_H
#define OUTPUTFILE_H

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>

// Writes a file the operator named. A regular file (or a new one) is
// written beside its name and takes the name only once whole, so a failure
// leaves what was there; anything else (a pipe, a terminal, /dev/stdout) is
// written straight through. A file that holds a secret is readable by its
// owner alone.
class OutputFile {
public:
    enum class Access { Shared, OwnerOnly };
    // The path that names this program's standard output.
    static constexpr char StandardOutput[] = "-";

    explicit OutputFile(const QString &path, Access access = Access::Shared);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool open();
    bool write(const QByteArray &data);
    // Everything written, and the file under its name: false when not.
    bool commit();
    // Nothing of what was written takes the name.
    void cancel();
    QString errorString() const { return error; }

    // The name a file about one device is offered under: what it holds, the
    // device's model, address and port and the time, so that files of two
    // devices, or of one device at two times, never share a name:
    // "veltra-2w_192.168.1.20_8081_2026-12-08_16-30-05.json".
    static QString deviceFileName(const QString &prefix, const QString &model, const QString &host,
        quint16 port, const QDateTime &time, const QString &extension);
    // `name` in `folder`, or, where a file has it already, the same with
    // "-2", "-3"... before the extension.
    static QString unusedPath(const QString &folder, const QString &name);

    // The whole of `data` to `path` at once.
    static bool save(const QString &path, const QByteArray &data, Access access, QString *error);

private:
    bool fail(const QFileDevice &device);

    QString path;
    Access access;
    std::unique_ptr<QSaveFile> whole;
    std::unique_ptr<QFile> through;
    QString error;
};

#endif // OUTPUTFILE_H
