#ifndef TESTMAIN_H
#define TESTMAIN_H

#include "app/identity.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// Like QTEST_GUILESS_MAIN, but every test executable gets a settings store of
// its own that disappears afterwards, so no test sees the user's settings or
// another test's.
#define VELTRA2_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir configHome;                                                                  \
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());                               \
        QCoreApplication app(argc, argv);                                                          \
        Identity::apply();                                                                         \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#endif // TESTMAIN_H
