#ifndef RUNNERFIXTURE_H
#define RUNNERFIXTURE_H

#include "common/scriptedpeer.h"
#include "runner/iotrunner.h"

#include <QByteArray>
#include <QList>
#include <QSignalSpy>

#include <memory>

// A runner connected to a scripted peer, with the start-up requests already
// received, and a poll that ticks only when the test says so.
struct RunnerFixture {
    RunnerFixture();
    bool connect();
    // Lets the runner handle what the peer sent.
    void settle();
    void tick();
    // The texts of every alert so far.
    QStringList alerts() const;

    ScriptedPeer peer;
    std::unique_ptr<IOTRunner> runner;
    std::unique_ptr<QSignalSpy> alertSpy;
};

#endif // RUNNERFIXTURE_H
