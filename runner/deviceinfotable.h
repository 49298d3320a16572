#ifndef DEVICEINFOTABLE_H
#define DEVICEINFOTABLE_H

#include "runner/deviceidentity.h"
#include <QVariantList>

// The window's table of what a device told of itself: board, firmware
// version and build, sensor firmware. Rows of a name and a value, as plain
// text (a screen reader reads them as they are), the device's texts in them
// made safe.
class DeviceInfoTable {
public:
    static QVariantList rows(const DeviceIdentity &identity);
};

#endif // DEVICEINFOTABLE_H
