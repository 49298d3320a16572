#ifndef CONNECTIONSTATE_H
#define CONNECTIONSTATE_H

#include "link/deviceaddress.h"

#include <QDateTime>
#include <QObject>
#include <QString>

// Where the one device link stands, for every view to show the same: the
// state, the address it is for, the last reason it failed and the model once
// the device has said what it is.
class ConnectionState : public QObject {
    Q_OBJECT
    Q_PROPERTY(State state READ state NOTIFY changed)
    Q_PROPERTY(QString address READ address NOTIFY changed)
    Q_PROPERTY(QString reason READ reason NOTIFY changed)
    Q_PROPERTY(QString model READ model NOTIFY changed)
    // Whether the device has answered for its readings on this connection.
    Q_PROPERTY(bool answered READ hasAnswered NOTIFY changed)
    Q_PROPERTY(QString description READ description NOTIFY changed)
    // When the link was lost, while it is being tried again and the device
    // has not answered since: a link made again to a device that does not
    // answer is no link back.
    Q_PROPERTY(QDateTime lostAt READ lostAt NOTIFY changed)
    Q_PROPERTY(bool lost READ isLost NOTIFY changed)
    Q_PROPERTY(QString windowTitle READ windowTitle NOTIFY changed)

public:
    enum State { NotConnected, Connecting, Connected, Reconnecting };
    Q_ENUM(State)

    explicit ConnectionState(QObject *parent = nullptr);

    State state() const { return current; }
    QString address() const { return endpoint; }
    QString reason() const { return failure; }
    QString model() const { return board; }
    bool hasAnswered() const { return answeredState; }
    QDateTime lostAt() const { return lostTime; }
    bool isLost() const { return lostTime.isValid(); }
    // The state in words, with the address and the reason where there is one.
    QString description() const;
    QString windowTitle() const;

    // Asked to connect to `address`: what was known of the last
    // device goes.
    void begin(const DeviceAddress &address);
    void connected();
    void identified(const QString &model);
    void answered();
    // The link ended; `retrying` when it is being tried again.
    void lost(const QString &why, bool retrying);
    void attemptFailed(const QString &why);
    void stopped();

signals:
    void changed();
    // The state in words, once for each new state: what a screen reader says
    // of the link (a reason changing while retrying is not news).
    void announced(const QString &text);

private:
    void set(State state, const QString &why);

    State current = NotConnected;
    QString endpoint;
    QString failure;
    QString board;
    bool answeredState = false;
    QDateTime lostTime;
};

#endif // CONNECTIONSTATE_H
