#ifndef HOSTSFILE_H
#define HOSTSFILE_H

#include "link/deviceaddress.h"

#include <QByteArray>
#include <QString>
#include <QVector>

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
};

#endif // HOSTSFILE_H
