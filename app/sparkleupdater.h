#ifndef SPARKLEUPDATER_H
#define SPARKLEUPDATER_H

#include "app/kestrelupdater.h"

#include <QString>

// The Windows backend: the update library checks daily by itself and shows
// its own dialogs for a check on demand.
class SparkleUpdater : public KestrelUpdater {
public:
    explicit SparkleUpdater(const QString &url);
    ~SparkleUpdater() override;

    void checkUpdate() override;
};

#endif // SPARKLEUPDATER_H
