// The line framer against a plain reference, fed the same bytes in arbitrary
// chunks: the first byte of every chunk gives the chunk's length.

#include "link/lineframer.h"

#include <QByteArray>
#include <QList>

#include <cstdlib>

namespace {
QList<QByteArray> reference(const QByteArray &stream)
{
    QList<QByteArray> lines;
    int begin = 0;
    while (true) {
        const int end = stream.indexOf("\r\n", begin);
        if (end < 0)
            break;
        if (end > begin)
            lines.append(stream.mid(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    LineFramer framer;
    QByteArray stream;
    QList<QByteArray> lines;
    size_t at = 0;
    while (at < size) {
        const size_t length = qMin<size_t>(data[at] % 64 + 1, size - at - 1);
        ++at;
        const QByteArray chunk(reinterpret_cast<const char *>(data + at), int(length));
        at += length;
        stream += chunk;
        framer.append(chunk);
        QByteArray line;
        while (framer.next(&line))
            lines.append(line);
        framer.compact();
    }
    if (lines != reference(stream))
        std::abort();
    // What is left is the unfinished line, and it holds no terminator.
    const int lastEnd = stream.lastIndexOf("\r\n");
    const int rest = lastEnd < 0 ? stream.size() : stream.size() - lastEnd - 2;
    if (framer.pending() != rest)
        std::abort();
    return 0;
}
