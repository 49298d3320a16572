#include "runnerfixture.h"

#include <QTest>

RunnerFixture::RunnerFixture()
    : runner(std::make_unique<IOTRunner>())
    , alertSpy(std::make_unique<QSignalSpy>(runner.get(), &IOTRunner::alert))
{
    runner->setPollInterval(3600 * 1000);
    runner->setRetryInterval(10);
}

bool RunnerFixture::connect()
{
    QSignalSpy connected(runner.get(), &IOTRunner::connectedToHost);
    runner->connectToHost(QStringLiteral("127.0.0.1"), peer.port());
    return connected.wait(5000) && peer.waitForLines(3);
}

void RunnerFixture::settle()
{
    QTest::qWait(30);
}

void RunnerFixture::tick()
{
    QMetaObject::invokeMethod(runner.get(), "tcp_timer");
}

QStringList RunnerFixture::alerts() const
{
    QStringList texts;
    for (const auto &args : *alertSpy)
        texts << args.at(0).toString();
    return texts;
}
