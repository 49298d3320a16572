// Throughput of the line framer on 100-byte lines handed over in one read,
// against a plain memchr scan for the same terminators in the same bytes.
//   bench_framer [MEGABYTES...]   (default: 10 100)
// Prints one line per size: MB, framer MB/s, memchr MB/s, seconds.

#include "link/lineframer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace {
// The least a framer must do: find every LF and check the CR before it.
qint64 memchrLines(const QByteArray &bytes)
{
    qint64 lines = 0;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!lf)
            break;
        if (lf > bytes.constData() && lf[-1] == '\r')
            ++lines;
        p = lf + 1;
    }
    return lines;
}
} // namespace

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

        QElapsedTimer clock;
        clock.start();
        const qint64 baseline = memchrLines(read);
        const double memchrSeconds = clock.nsecsElapsed() / 1e9;

        LineFramer framer;
        clock.restart();
        framer.append(read);
        QByteArray out;
        qint64 count = 0;
        while (framer.next(&out))
            ++count;
        framer.compact();
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("%.0f %.0f %.0f %.4f\n", read.size() / 1e6, read.size() / 1e6 / seconds,
            read.size() / 1e6 / memchrSeconds, seconds);
        if (count != lines || baseline != lines)
            return 1;
    }
    return 0;
}
