#ifndef ACCESSIBILITYBUS_H
#define ACCESSIBILITYBUS_H

// Where a screen reader listens, made known to the toolkit before it looks.
// On X11 the toolkit reads the accessibility bus's address from the root
// window; where nothing put it there (a bus launcher started without the
// display, an XWayland session) it asks the session bus without waiting for
// the answer and, in most starts, never joins: a screen reader then finds no
// window at all. The address is put on the root window, as the bus launcher
// does on X11, when the accessibility bus runs and the root window has none.
class AccessibilityBus {
public:
    // Call once the application object exists and before any window: the
    // toolkit reads the root window when its first window is made.
    static void publishAddress();
};

#endif // ACCESSIBILITYBUS_H
