#include "link/lineframer.h"

#include "link/protocol.h"

#include <cstring>

namespace {
// The offset of the next CR LF at or after `from`, or -1. A search for the LF
// alone (memchr) is far quicker than a search for the pair.
int findLineEnd(const QByteArray &bytes, int from)
{
    const char *data = bytes.constData();
    const int size = bytes.size();
    int at = qMax(from, 0) + 1; // an LF at `from` cannot end a pair starting there
    while (at < size) {
        const void *lf = std::memchr(data + at, '\n', size_t(size - at));
        if (!lf)
            return -1;
        const int found = int(static_cast<const char *>(lf) - data);
        if (data[found - 1] == '\r')
            return found - 1;
        at = found + 1;
    }
    return -1;
}
} // namespace

bool LineFramer::next(QByteArray *line)
{
    while (true) {
        const int end = findLineEnd(buffer, scanFrom);
        if (end < 0) {
            // The last byte may be a CR whose LF is still on its way.
            scanFrom = qMax(begin, buffer.size() - 1);
            return false;
        }
        const int start = begin;
        begin = end + 2;
        scanFrom = begin;
        if (end > start) {
            *line = buffer.mid(start, end - start);
            return true;
        }
    }
}

void LineFramer::compact()
{
    if (begin == 0)
        return;
    buffer.remove(0, begin);
    scanFrom -= begin;
    begin = 0;
    // A long line read earlier must not keep its room for the rest of the run.
    if (buffer.capacity() > 64 * 1024 && buffer.size() < buffer.capacity() / 4)
        buffer.squeeze();
}

void LineFramer::clear()
{
    buffer.clear();
    begin = 0;
    scanFrom = 0;
}
