#ifndef TIMETEXT_H
#define TIMETEXT_H

#include <QDateTime>
#include <QString>

// A moment as the program shows it, whatever the language: the history's
// rows and the alarms' times read alike.
namespace TimeText {
inline QString shown(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
}
} // namespace TimeText

#endif // TIMETEXT_H
