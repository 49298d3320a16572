#ifndef SIMULATOROPTIONS_H
#define SIMULATOROPTIONS_H

#include <QByteArray>
#include <QMap>
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
    // Replies before this one are prompt; it and later ones come late.
    int delayFromReply = 1;
    // Send only the first half of this reply, then close.
    int cutReply = 0;
    // Close the connection after this many bytes of an upload's payload.
    int closeDuringUploadAfter = -1;
    int garbageBeforeReply = 0;
    int oversizedBeforeReply = 0;
    int closeAfterReplies = 0;
    int muteAfterReplies = 0;
    // From this many seconds after the start on, nothing is answered on any
    // connection: a device whose firmware hangs (negative: never).
    int muteAtSeconds = -1;
    // Unsolicited device-error lines sent at once after the first state reply.
    int floodLines = 0;
    // Members with names never sent before, added to every state reply.
    int freshStateNames = 0;
    // Drift of the temperature, for alarms to be seen: degrees a minute
    // since the simulator started, and steps (degrees added from a second
    // on, by the second they start).
    double rampPerMinute = 0;
    QMap<int, double> steps;
    // Exact reply lines that stand in for the device's answer, by query
    // ("get") or by the query's N-th request on a connection ("get#2").
    QMap<QString, QByteArray> scriptedReplies;
};

#endif // SIMULATOROPTIONS_H
