#ifndef QMLSETUP_H
#define QMLSETUP_H

class IOTRunner;
class QQmlEngine;

// What the QML documents need from C++: the registered types, and on an engine
// the runner and the constants published as context properties. Shared by the
// program and its QML tests, so both see the same world.
class QmlSetup {
public:
    // The exit code with which the window asks to be started again.
    static constexpr int RestartCode = 75;

    // Before the application object exists.
    static void registerTypes();
    static void publish(QQmlEngine *engine, IOTRunner *runner);
};

#endif // QMLSETUP_H
