#ifndef INTERRUPTION_H
#define INTERRUPTION_H

#include <functional>

// Ctrl+C, a termination request and the end of the terminal (SIGINT,
// SIGTERM, SIGHUP; the console's events on Windows) end veltra2ctl's work
// cleanly from the event loop: `then` hears which signal it was.
class Interruption {
public:
    static void catchSignals(std::function<void(int)> then);
};

#endif // INTERRUPTION_H
