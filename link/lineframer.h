#ifndef LINEFRAMER_H
#define LINEFRAMER_H

#include <QByteArray>

// Cuts a byte stream into lines ended by CR LF. Only the exact pair ends a line;
// a lone CR or LF is part of it. Empty lines are skipped. Lines are handed out
// one at a time, so the reader can stop between them; the consumed front of
// the buffer is dropped once per `compact()`, which keeps a large read linear.
class LineFramer {
public:
    void append(const QByteArray &bytes) { buffer.append(bytes); }
    // The next complete, non-empty line without its CR LF; false when none is left.
    bool next(QByteArray *line);
    // Drops what `next` has consumed.
    void compact();
    // Bytes of the line still waiting for its end.
    int pending() const { return buffer.size() - begin; }
    void clear();

private:
    QByteArray buffer;
    int begin = 0;
    // Where the search for the next terminator resumes.
    int scanFrom = 0;
};

#endif // LINEFRAMER_H
