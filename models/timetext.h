#ifndef TIMETEXT_H
#define TIMETEXT_H

#include <QDateTime>
#include <QLocale>
#include <QString>

// A moment as the program shows it: the date as the window's locale writes
// it, the time to the second. The history's rows and the alarms' times read
// alike.
namespace TimeText {
inline QString shown(const QDateTime &time)
{
    return QLocale().toString(time.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + time.toString(QStringLiteral("hh:mm:ss"));
}
} // namespace TimeText

#endif // TIMETEXT_H
