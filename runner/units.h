#ifndef UNITS_H
#define UNITS_H

#include <QString>

// Units shown after the readings, in sensor order: temperature, humidity.
namespace Units {
// DEGREE CELSIUS, one character.
const QString Celsius = QStringLiteral("\u2103");
const QString Percent = QStringLiteral("%");
} // namespace Units

#endif // UNITS_H
