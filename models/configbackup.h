#ifndef CONFIGBACKUP_H
#define CONFIGBACKUP_H

#include "models/jsonmembers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>

// A device's configuration file kept on disk: the configuration exactly as
// the device sent it (every member), under a small header saying what it is,
// which device it came from and when. The window and the command-line
// companion read and write it through this class alone.
class ConfigBackup {
    Q_DECLARE_TR_FUNCTIONS(ConfigBackup)

public:
    static constexpr char FormatName[] = "veltra2-configuration";
    static constexpr int FormatVersion = 1;
    // What a device can send at most (its reply line is the link's 8 MiB,
    // the file in it in Base64): a larger file is no configuration. One
    // limit for both ways: a backup that could not be restored is not saved.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
    // Of the changes a restore would make, so many are listed.
    static constexpr int ShownChanges = 100;

    // One member that a restore would change, as shown: a secret (a
    // password) has neither value, only the mark.
    struct Change {
        QString key;
        QString before;
        QString after;
        bool secret = false;
    };

    QString model;
    QString firmwareVersion;
    QString firmwareBuild;
    QString address;
    QDateTime saved;
    // As the device wrote them, member by member.
    JsonMembers settings;

    // The file as written: indented for a person to read; or compact, one line.
    QByteArray toJson(bool indented = true) const;
    // Written beside `path` and renamed over it only when whole, readable
    // by its owner alone (it holds the Wi-Fi password); false, with the
    // reason in `error`, when it could not be written.
    bool save(const QString &path, QString *error) const;
    // Reads `path` and checks it is a backup of this format and version for
    // `model`; false, with the reason in words in `error`, when it is not.
    bool load(const QString &path, const QString &model, QString *error);
    // The same, for a file of any model. A file whose known members are
    // wrong is refused with its header read.
    bool read(const QString &path, QString *error);

    // Member by member, in order of name, what writing `wanted` over
    // `current` would change: the first ShownChanges, the count of the rest
    // in `more`.
    static QList<Change> changes(
        const JsonMembers &current, const JsonMembers &wanted, int *more = nullptr);
    // The same for a view: "key", "before", "after", "secret" each.
    static QVariantList toVariantList(const QList<Change> &changes);
    // What is wrong with the members the program knows, in words; empty
    // when they are what a device takes (the others are the device's).
    static QString checkKnownMembers(const JsonMembers &settings);
};

#endif // CONFIGBACKUP_H
