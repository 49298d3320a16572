#ifndef COMMANDREQUEST_H
#define COMMANDREQUEST_H

#include "models/configbackup.h"
#include "models/configchoices.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// A command of veltra2ctl with its arguments, read from the command line and
// checked, files and folders included, before anything is sent anywhere.
struct CommandRequest {
    QString command;
    // The file a configuration or history is read from or written to, or
    // the folder of one file per device.
    QString file;
    QString cloudId;
    // What "config set" changes.
    QVariantMap settings;
    // The certificate and key as the device takes them (DER).
    QByteArray certificate;
    QByteArray key;
    // Replace a file given by name; restore a backup saved from another address.
    bool force = false;
    // Show what would change, change nothing.
    bool dryRun = false;
    // `file` is a folder, one file per device in it.
    bool toFolder = false;
    // The CSV goes to standard output ("--csv -").
    bool toStandardOutput = false;
    // "config put": the backup given, or the newest of each address in the
    // folder given (by address as written, "192.168.1.20:8081"), with why it
    // cannot be restored where it cannot.
    struct Saved {
        ConfigBackup backup;
        QString error;
    };
    std::optional<ConfigBackup> backup;
    QHash<QString, Saved> backups;

    static constexpr qint64 MaxKeyFile = 1024 * 1024;

    // The commands that act on devices, with their arguments, for the help.
    static QStringList synopsis();
    // Nothing, with what is wrong in `error`, for words that are no command.
    static std::optional<CommandRequest> parse(const QStringList &words, QString *error);
    // Checks, and where asked makes, the files and folders the command
    // names, for `devices` devices; false, with why, when they will not do.
    bool prepare(int devices, QString *error);

    bool writes() const;
    // What a device cannot take, in the words a script reads.
    static QString problemText(ConfigChoices::Problem problem);
    bool is(const char *name) const { return command == QLatin1String(name); }
};

#endif // COMMANDREQUEST_H
