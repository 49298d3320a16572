#ifndef WAITUNTIL_H
#define WAITUNTIL_H

#include <QDeadlineTimer>
#include <QTest>

// Runs the event loop until `done()` holds or `msec` have passed; true if it held.
template <typename Done> bool waitUntil(Done done, int msec)
{
    QDeadlineTimer deadline(msec);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

#endif // WAITUNTIL_H
