#ifndef KESTRELUPDATER_H
#define KESTRELUPDATER_H

// What the program asks of an update backend. Each platform has its own.
class KestrelUpdater {
public:
    virtual ~KestrelUpdater() = default;
    // Look for a newer version now, telling the user through the backend's
    // own means.
    virtual void checkUpdate() = 0;
    // Fetch the newest version found; backends that install by themselves
    // leave it empty.
    virtual void doUpdate() { }
};

#endif // KESTRELUPDATER_H
