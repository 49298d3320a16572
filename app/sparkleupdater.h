#ifndef SPARKLEUPDATER_H
#define SPARKLEUPDATER_H

#include "app/kestrelupdater.h"
#include "app/winsparkleapi.h"

#include <QLibrary>
#include <QString>

// The Windows backend: the update library, loaded at run time from beside the
// program. It checks daily by itself and shows its own dialogs for a check on
// demand.
class SparkleUpdater : public KestrelUpdater {
public:
    // A started backend, or null where the library cannot be loaded whole
    // (it is not shipped with every build).
    static SparkleUpdater *load(const QString &url, const QString &libraryFile);
    ~SparkleUpdater() override;

    void checkUpdate() override;

private:
    SparkleUpdater() = default;

    QLibrary library;
    WinSparkle::Call check = nullptr;
    WinSparkle::Call cleanup = nullptr;
};

#endif // SPARKLEUPDATER_H
