#ifndef HOSTSFILE_H
#define HOSTSFILE_H

#include "link/deviceaddress.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

// A list of devices as an operator keeps it: one address a line (with
// ":PORT" when not 8081), a name for the device after it if wanted, "#"
// starting a comment; blank lines pass. veltra2ctl and the exporter read
// the same files.
class HostsFile {
public:
    struct Entry {
        DeviceAddress address;
        QString name;
        // Where it was read: "site.txt:7".
        QString place;
    };

    // Larger than a list of thousands of devices.
    static constexpr qint64 MaxSize = 1024 * 1024;

    // The devices `text` lists, read from `source`; nothing, with
    // "source:line: why" in `error`, for a line that names no device.
    static std::optional<QVector<Entry>> parse(
        const QByteArray &text, const QString &source, quint16 defaultPort, QString *error);
    // The devices the file at `path` lists; nothing, with why in `error`
    // ("cannot read site.txt: …", "site.txt:7: …"), where it cannot be read.
    static std::optional<QVector<Entry>> load(
        const QString &path, quint16 defaultPort, QString *error);
    // Each address once, where first listed; `repeated` hears of the others.
    static QVector<Entry> withoutRepeats(
        const QVector<Entry> &entries, const std::function<void(const Entry &)> &repeated);
};

#endif // HOSTSFILE_H
