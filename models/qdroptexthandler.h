#ifndef QDROPTEXTHANDLER_H
#define QDROPTEXTHANDLER_H

#include <QByteArray>
#include <QObject>
#include <QString>

class QQmlEngine;

// Services for picked or dropped content that QML alone cannot give: the bytes
// behind a file URL, a short label for it, and bytes shown as text when they
// are text. One instance serves the whole program as "q_dropHandler".
class QDropTextHandler : public QObject {
    Q_OBJECT

public:
    // Creates the process-wide instance on first use, registers the type and
    // publishes the instance on `engine` as "q_dropHandler".
    static void registerQml(QQmlEngine *engine);

    // The device's files are a few kilobytes; anything much larger is a wrong
    // pick, and reading it would hold the window up.
    static constexpr qint64 MaxFileBytes = 1 << 20;

    // Why the file behind `text` will not be read (too large, or not a
    // regular file such as a folder or a device), or empty when it will.
    Q_INVOKABLE QString refusal(QString text) const;
    // Empty for a file that is refused.
    Q_INVOKABLE QByteArray processInput(QString text) const;
    Q_INVOKABLE QString fileInfo(QString text) const;
    Q_INVOKABLE QString repr(QByteArray data, QString codec) const;
    Q_INVOKABLE QString repr(QByteArray data) const;

private:
    QDropTextHandler() = default;
};

#endif // QDROPTEXTHANDLER_H
