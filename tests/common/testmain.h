#ifndef TESTMAIN_H
#define TESTMAIN_H

#include "app/identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Gives the running test program a settings store of its own that disappears
// afterwards, so no test sees the user's settings or another test's. The
// registry has no per-process home: there the store is an organisation of its
// own. Made once the application object exists.
class PrivateSettings {
public:
    PrivateSettings()
    {
        Identity::apply();
#ifdef Q_OS_WIN
        QCoreApplication::setOrganizationName(QStringLiteral("%1 test %2")
                                                  .arg(QCoreApplication::organizationName())
                                                  .arg(QCoreApplication::applicationPid()));
#else
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
#endif
    }
    ~PrivateSettings()
    {
#ifdef Q_OS_WIN
        const QString organisation = QCoreApplication::organizationName();
        QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
            .remove(organisation);
        // And the caches the engine keeps under the same name.
        QDir(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                 .filePath(organisation))
            .removeRecursively();
#endif
    }
    PrivateSettings(const PrivateSettings &) = delete;
    PrivateSettings &operator=(const PrivateSettings &) = delete;

private:
    QTemporaryDir home;
};

// Like QTEST_GUILESS_MAIN, with settings of its own.
#define VELTRA2_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QCoreApplication app(argc, argv);                                                          \
        PrivateSettings settings;                                                                  \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#endif // TESTMAIN_H
