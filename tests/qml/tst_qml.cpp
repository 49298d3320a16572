// Runs the QML tests against the program's own compiled documents and the
// real runner object.

#include "app/qmlsetup.h"
#include "runner/iotrunner.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

#include <cstdio>
#include <cstdlib>

namespace {
QtMessageHandler previousHandler = nullptr;

// A warning from a document is a fault in it: end the test run there.
void failOnQmlWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    previousHandler(type, context, message);
    if (type == QtWarningMsg && (message.contains(".qml:") || message.contains(".js:"))) {
        std::fprintf(stderr, "FAIL: QML warning: %s\n", qPrintable(message));
        std::abort();
    }
}
} // namespace

class Setup : public QObject {
    Q_OBJECT

public:
    Setup()
    {
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
        QmlSetup::registerTypes();
        previousHandler = qInstallMessageHandler(failOnQmlWarnings);
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qml.connections=false"));
    }

public slots:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrel"));
        QCoreApplication::setApplicationName(QStringLiteral("VELTRA2"));
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        runner = new IOTRunner(engine);
        runner->setRetryInterval(10);
        QmlSetup::publish(engine, runner);
    }

private:
    QTemporaryDir configHome;
    IOTRunner *runner = nullptr;
};

QUICK_TEST_MAIN_WITH_SETUP(veltra2, Setup)

#include "tst_qml.moc"
