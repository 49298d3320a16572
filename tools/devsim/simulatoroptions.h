#ifndef SIMULATOROPTIONS_H
#define SIMULATOROPTIONS_H

#include <QSet>
#include <QString>

// How the simulated device behaves, and how it misbehaves when a test asks it to.
struct SimulatorOptions {
    // Board name as the device reports it ("veltra-2u" or "veltra-2w", or
    // anything else to play an unknown model).
    QString board;
    bool wifi = false;
    bool reportStm = true;
    bool verbose = false;
    // Where uploaded files are kept between runs; empty keeps them in memory.
    QString dataDir;
    int historySamples = 96;
    int historyInterval = 15 * 60 * 1000;

    // Misbehaviour. Reply counts are per connection and start at 1.
    QSet<QString> failingQueries;
    int replyDelayMsec = 0;
    int garbageBeforeReply = 0;
    int oversizedBeforeReply = 0;
    int closeAfterReplies = 0;
    int muteAfterReplies = 0;
};

#endif // SIMULATOROPTIONS_H
