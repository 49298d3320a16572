#ifndef PROCESSMEMORY_H
#define PROCESSMEMORY_H

#include <QFile>

// AddressSanitizer holds freed memory back on purpose: memory figures taken
// under it say nothing about the program.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTRA2_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELTRA2_UNDER_ASAN 1
#endif

// Resident memory of this process in MB (VmRSS), or -1 where it cannot be read.
inline double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

#endif // PROCESSMEMORY_H
