#include "link/lineframer.h"

#include "link/protocol.h"

bool LineFramer::next(QByteArray *line)
{
    while (true) {
        const int end = buffer.indexOf(Protocol::LineEnd, scanFrom);
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
}

void LineFramer::clear()
{
    buffer.clear();
    begin = 0;
    scanFrom = 0;
}
