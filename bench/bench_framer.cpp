// Throughput of the line framer on 100-byte lines handed over in one read.
//   bench_framer [MEGABYTES...]   (default: 10 100)

#include "link/lineframer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList sizes = QCoreApplication::arguments().mid(1);
    if (sizes.isEmpty())
        sizes = QStringList { "10", "100" };
    const QByteArray line = QByteArray(98, 'x') + "\r\n";
    for (const QString &size : sizes) {
        const int lines = size.toInt() * 1000 * 1000 / line.size();
        QByteArray read;
        read.reserve(lines * line.size());
        for (int i = 0; i < lines; ++i)
            read += line;

        LineFramer framer;
        QElapsedTimer clock;
        clock.start();
        framer.append(read);
        QByteArray out;
        qint64 count = 0;
        qint64 bytes = 0;
        while (framer.next(&out)) {
            ++count;
            bytes += out.size();
        }
        framer.compact();
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("%6.0f MB: %lld lines (%lld bytes) in %.3f s = %.0f MB/s\n", read.size() / 1e6,
            count, bytes, seconds, read.size() / 1e6 / seconds);
        if (count != lines)
            return 1;
    }
    return 0;
}
