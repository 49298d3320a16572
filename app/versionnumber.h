#ifndef VERSIONNUMBER_H
#define VERSIONNUMBER_H

#include <QString>

// Dotted version numbers compared part by part as numbers: 0.1.10 is newer
// than 0.1.9, and 1.2 equals 1.2.0. A part's leading digits are its number
// (2-beta counts as 2); a part without digits counts as 0.
class VersionNumber {
public:
    // Negative, zero or positive as `a` is older than, equal to or newer than `b`.
    static int compare(const QString &a, const QString &b);
};

#endif // VERSIONNUMBER_H
