#ifndef STATEWORDS_H
#define STATEWORDS_H

#include <QCoreApplication>
#include <QJsonValue>
#include <QString>

#include <optional>

// The members of a device's state that the program knows, in the operator's
// words: a name in the window's language, and the value with its unit (a
// signal in dBm, an uptime as a duration, a service as running or not). The
// device's other members are shown as it sent them.
class StateWords {
    Q_DECLARE_TR_FUNCTIONS(StateWords)

public:
    // The known member's name, or an empty text.
    static QString label(const QString &key);
    // The known member's value in words; nothing when it is not of the
    // kind the member takes (the device's own text is shown then).
    static std::optional<QString> value(const QString &key, const QJsonValue &value);
    // Seconds as days, hours, minutes and seconds, the two largest that apply.
    static QString duration(qint64 seconds);
};

#endif // STATEWORDS_H
