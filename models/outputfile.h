#ifndef OUTPUTFILE_H
#define OUTPUTFILE_H

#include <QByteArray>
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
