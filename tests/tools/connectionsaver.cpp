// Test helper: saves a connection through the runner, says so, then waits to be
// killed. Shows that a saved connection survives a process that never exits.

#include "app/identity.h"
#include "runner/iotrunner.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Identity::apply();
    if (argc > 1) // the test's own settings store
        QCoreApplication::setOrganizationName(QString::fromLocal8Bit(argv[1]));
    auto *runner = new IOTRunner;
    runner->connectToHost(QStringLiteral("127.0.0.2"), 8081);
    runner->saveConnection(QStringLiteral("Office"));
    std::printf("saved\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
