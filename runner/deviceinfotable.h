#ifndef DEVICEINFOTABLE_H
#define DEVICEINFOTABLE_H

#include "runner/deviceidentity.h"

#include <QString>

// The window's table of what a device told of itself: board, firmware
// version and build, sensor firmware; rich text, the device's texts in it
// made safe.
class DeviceInfoTable {
public:
    static QString html(const DeviceIdentity &identity);
};

#endif // DEVICEINFOTABLE_H
